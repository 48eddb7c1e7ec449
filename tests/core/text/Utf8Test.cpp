#include "core/text/Utf8.h"

#include <gtest/gtest.h>

namespace vz::utf8 {
namespace {

TEST(Utf8, ValidityTable) {
  struct Case {
    std::string bytes;
    bool valid;
  } cases[] = {
      {"", true},
      {"abc", true},
      {"\xE4\xB8\xAD\xE6\x96\x87", true},   // 中文
      {"\xF0\x9F\x98\x80", true},           // emoji
      {"\xC0\xAF", false},                  // overlong
      {"\xED\xA0\x80", false},              // surrogate
      {"\xE4\xB8", false},                  // truncated at the end
      {"\xD6\xD0\xCE\xC4", false},          // GBK 中文
      {"\xF4\x90\x80\x80", false},          // beyond U+10FFFF
      {std::string("a\0b", 3), true},
  };
  for (const auto& c : cases) EXPECT_EQ(IsValid(c.bytes), c.valid) << c.bytes;
}

TEST(Utf8, SanitizeReplacesEachBadByte) {
  EXPECT_EQ(Sanitize("a\xFF" "b"), "a\xEF\xBF\xBD" "b");
  EXPECT_EQ(Sanitize("\xE4\xB8"), "\xEF\xBF\xBD\xEF\xBF\xBD");
  EXPECT_EQ(Sanitize("\xE4\xB8\xAD"), "\xE4\xB8\xAD");
}

TEST(Utf8, PrefixCountsCodePoints) {
  const std::string text = "\xE4\xB8\xAD" "ab\xE6\x96\x87";
  EXPECT_EQ(Length(text), 4u);
  EXPECT_EQ(Prefix(text, 1), "\xE4\xB8\xAD");
  EXPECT_EQ(Prefix(text, 3), "\xE4\xB8\xAD" "ab");
  EXPECT_EQ(Prefix(text, 9), text);
  EXPECT_EQ(Prefix(text, 0), "");
}

TEST(Utf8, CaseInsensitiveNames) {
  EXPECT_TRUE(EqualsIgnoreAsciiCase("HotKey", "hotkey"));
  EXPECT_FALSE(EqualsIgnoreAsciiCase("hotkey", "hotkeys"));
  EXPECT_FALSE(EqualsIgnoreAsciiCase("\xC3\xA4", "\xC3\x84"));  // only ASCII folds
}

}  // namespace
}  // namespace vz::utf8
