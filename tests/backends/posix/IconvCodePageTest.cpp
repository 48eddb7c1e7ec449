#include "backends/posix/IconvCodePage.h"

#include <gtest/gtest.h>

namespace vz::posix {
namespace {

TEST(IconvCodePage, Gbk) {
  IconvCodePage cp;
  EXPECT_EQ(cp.FromUtf8("\xE4\xB8\xAD\xE6\x96\x87"), "\xD6\xD0\xCE\xC4");  // 中文
  EXPECT_EQ(cp.FromUtf8("a\xF0\x9F\x98\x80" "b"), "a?b");  // no GBK form
  EXPECT_EQ(cp.FromUtf8("\xC3\xA9"), "\xA8\xA6");           // é exists in GBK
  EXPECT_EQ(cp.ToUtf8("\xD6\xD0\xCE\xC4"), "\xE4\xB8\xAD\xE6\x96\x87");
  EXPECT_EQ(cp.ToUtf8("\xD6"), std::nullopt);  // truncated
  EXPECT_EQ(cp.ToUtf8("plain"), "plain");
}

}  // namespace
}  // namespace vz::posix
