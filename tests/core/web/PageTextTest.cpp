#include "core/web/PageText.h"

#include <gtest/gtest.h>

#include <string>

namespace vz {
namespace {

TEST(SplitGameText, ThreeFieldsAtTheFirstTwoBars) {
  struct Case {
    const char* text;
    GameFields want;
  } cases[] = {
      {"A|B|C", {"A", "B", "C"}},
      {"A|B", {"A", "", "B"}},
      {"A|B|C|D", {"A", "B", "C|D"}},
      {"A", {"A", "", ""}},
      {"", {"", "", ""}},
      {"|", {"", "", ""}},
      {"||", {"", "", ""}},
      {"|||", {"", "", "|"}},
      {"A||C", {"A", "", "C"}},
      {"|B|C", {"", "B", "C"}},
      {"A|B|", {"A", "B", ""}},
      {"http://g.example/play/?s=3&client=1|3|风云三区",
       {"http://g.example/play/?s=3&client=1", "3", "风云三区"}},
  };
  for (const Case& c : cases) EXPECT_EQ(SplitGameText(c.text), c.want) << c.text;
}

TEST(AddressContains, MatchesMarkerAlsoWithEscapedSpaces) {
  struct Case {
    const char* address;
    const char* marker;
    bool want;
  } cases[] = {
      {"http://g/?client = 1", "client = 1", true},
      {"http://g/?client%20=%201", "client = 1", true},
      {"http://g/?a=1&client%20= 1&b", "client = 1", true},
      {"http://g/?client=1", "client = 1", false},
      {"http://g/?client+=+1", "client = 1", false},
      {"http://g/?client%2520=%25201", "client = 1", false},
      {"http://g/?Client = 1", "client = 1", false},
      {"http://g/?client=1", "client=1", true},
      {"http://g/?client=10", "client=1", true},
      {"http://g/?client = 1", "client=1", false},
      {"", "client = 1", false},
      {"%20%20%", "client = 1", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AddressContains(c.address, c.marker), c.want) << c.address << " / " << c.marker;
  }
}

TEST(IsWebAddress, OnlyHttpAndHttpsWithAHost) {
  struct Case {
    const char* address;
    bool want;
  } cases[] = {
      {"http://example.com/", true},
      {"https://example.com", true},
      {"HTTP://EXAMPLE.COM", true},
      {"HtTpS://h/x?y", true},
      {"javascript:void(0);", false},
      {"file:///etc/passwd", false},
      {"about:blank", false},
      {"data:text/html,hi", false},
      {"mailto:a@b", false},
      {"ftp://h/", false},
      {"steam://run/1", false},
      {"http:", false},
      {"http://", false},
      {"http:/x", false},
      {"http:example.com", false},
      {"", false},
      {"example.com", false},
      {" http://x", false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsWebAddress(c.address), c.want) << c.address;
}

TEST(BoundPageText, CutsOnCharacterBoundariesAndRepairsBytes) {
  struct Case {
    std::string text;
    std::size_t max;
    std::string want;
  } cases[] = {
      {"abc", 10, "abc"},
      {"abcdef", 3, "abc"},
      {"", 0, ""},
      {"abc", 0, ""},
      {"中文字", 3, "中"},
      {"中文字", 4, "中"},
      {"中文字", 5, "中"},
      {"中文字", 6, "中文"},
      {"中文字", 9, "中文字"},
      {"a\xFF"
       "b",
       10,
       "a\xEF\xBF\xBD"
       "b"},
      {"a\xFF"
       "b",
       3, "a"},
      {std::string("a\0b", 3), 10, std::string("a\0b", 3)},
      {"\xE4\xB8", 10, "\xEF\xBF\xBD\xEF\xBF\xBD"},
  };
  for (const Case& c : cases) EXPECT_EQ(BoundPageText(c.text, c.max), c.want) << c.text;
}

TEST(BoundPageText, DefaultBoundOnHugeInput) {
  const std::string huge(10 * 1024 * 1024, 'y');
  EXPECT_EQ(BoundPageText(huge).size(), kMaxPageTextBytes);
  std::string chinese;
  while (chinese.size() < 2 * kMaxPageTextBytes) chinese += "汉";
  const std::string bounded = BoundPageText(chinese);
  EXPECT_LE(bounded.size(), kMaxPageTextBytes);
  EXPECT_EQ(bounded.size() % 3, 0u);
  EXPECT_GT(bounded.size(), kMaxPageTextBytes - 3);
}

}  // namespace
}  // namespace vz
