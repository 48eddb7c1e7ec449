#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/text/ICodePage.h"

namespace vz {

using Md5Digest = std::array<std::uint8_t, 16>;

// MD5 as published in RFC 1321.
class Md5 {
 public:
  Md5();
  void Update(std::string_view bytes);
  // Pads, finishes and returns the digest; the object is spent afterwards.
  Md5Digest Final();

 private:
  void Transform(const unsigned char* block);
  std::array<std::uint32_t, 4> state_;
  std::uint64_t length_ = 0;  // bytes hashed so far
  std::array<unsigned char, 64> buffer_{};
  std::size_t buffered_ = 0;
};

Md5Digest Md5Of(std::string_view bytes);

// The digest as 32 lowercase hexadecimal digits.
std::string Md5Hex(const Md5Digest& digest);

// The text's digest over its code-page bytes (characters the code page cannot hold count
// as "?"), hashed up to the first zero byte.
std::string MD5String(std::string_view utf8Text, const ICodePage& codePage);

}  // namespace vz
