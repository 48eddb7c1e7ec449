#include "core/net/Md5.h"

#include <gtest/gtest.h>

#include <string>

#include "backends/posix/IconvCodePage.h"

namespace vz {
namespace {

struct HexCase {
  std::string input;
  const char* hex;
};

std::string Alphabet(std::size_t n) {
  std::string s;
  for (std::size_t i = 0; i < n; ++i) s += static_cast<char>('a' + i % 26);
  return s;
}

TEST(Md5, Rfc1321Suite) {
  const HexCase cases[] = {
      {"", "d41d8cd98f00b204e9800998ecf8427e"},
      {"a", "0cc175b9c0f1b6a831c399e269772661"},
      {"abc", "900150983cd24fb0d6963f7d28e17f72"},
      {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
      {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
      {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
       "d174ab98d277d9f5a5611c2c9f419d9f"},
      {"1234567890123456789012345678901234567890123456789012345678901234567890123456789"
       "0",
       "57edf4a22be3c955ac49da2e2107b67a"},
  };
  for (const HexCase& c : cases) {
    EXPECT_EQ(Md5Hex(Md5Of(c.input)), c.hex) << '"' << c.input << '"';
  }
}

// Lengths around the padding boundaries: 55 fits the length in one block, 56 needs two.
TEST(Md5, PaddingBoundaries) {
  const HexCase cases[] = {
      {Alphabet(55), "0d7ae056b2f015cd7dc67494efd658f1"},
      {Alphabet(56), "31fcfb5165169eb55898e7e4cf34d19a"},
      {Alphabet(57), "fd62afaf3aa1e2a52882cb464f5ccc4d"},
      {Alphabet(63), "1b30c0670c15e7da3c2ba7bce77ebe99"},
      {Alphabet(64), "a2eaf6295c32adc403865fd96a2f182b"},
      {Alphabet(65), "eba2cce0ca8df47e62414a736b3105a2"},
      {Alphabet(127), "f41f37f8b5a7782d5cfeafc43e3d3c1c"},
      {Alphabet(128), "3e8c1ccbd71838ef3df4b72e57fb9bf6"},
      {Alphabet(1000), "303fb697b589019cb3edba04b794e575"},
      {std::string(1000000, 'a'), "7707d6ae4e027c70eea2a935c2296f21"},
  };
  for (const HexCase& c : cases) {
    EXPECT_EQ(Md5Hex(Md5Of(c.input)), c.hex) << c.input.size() << " bytes";
  }
}

TEST(Md5, PiecewiseUpdatesEqualOneShot) {
  const std::string text = Alphabet(1000);
  for (const std::size_t piece : {1u, 3u, 63u, 64u, 65u, 200u}) {
    Md5 md5;
    for (std::size_t at = 0; at < text.size(); at += piece) md5.Update(text.substr(at, piece));
    EXPECT_EQ(Md5Hex(md5.Final()), "303fb697b589019cb3edba04b794e575") << piece;
  }
}

TEST(MD5String, HashesTheGbkBytesUpToTheFirstZero) {
  const posix::IconvCodePage gbk;
  const HexCase cases[] = {
      {"abc", "900150983cd24fb0d6963f7d28e17f72"},
      {"", "d41d8cd98f00b204e9800998ecf8427e"},
      {"中文", "bcce109775e8e1972e9f5fcda3e12895"},      // GBK D6 D0 CE C4
      {"\xC3\xA9", "9d8c6e7b358fda96c125a0b59215f2fd"},  // é is A8 A6 in GBK
      {"a\xF0\x9F\x98\x80"
       "b",
       "0166d849f21a9d699d896ea2a79a375f"},  // a?b
      {"a\xF0\x9F\x98\x81"
       "b",
       "0166d849f21a9d699d896ea2a79a375f"},  // another emoji
      {"a\xFF"
       "b",
       "0166d849f21a9d699d896ea2a79a375f"},                            // not UTF-8 at all
      {std::string("ab\0cd", 5), "187ef4436122d1cc2f40dc2b92f0eba0"},  // ab
      {std::string("\0abc", 4), "d41d8cd98f00b204e9800998ecf8427e"},
  };
  for (const HexCase& c : cases) {
    EXPECT_EQ(MD5String(c.input, gbk), c.hex) << '"' << c.input << '"';
  }
}

TEST(MD5String, AlwaysThirtyTwoLowercaseHexDigits) {
  const posix::IconvCodePage gbk;
  for (const char* text : {"", "x", "中文", "ZC12345"}) {
    const std::string digest = MD5String(text, gbk);
    ASSERT_EQ(digest.size(), 32u);
    EXPECT_EQ(digest.find_first_not_of("0123456789abcdef"), std::string::npos) << digest;
  }
}

}  // namespace
}  // namespace vz
