#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vz {

// The platform's "ANSI" code page (GBK here). Texts inside the program are UTF-8.
class ICodePage {
 public:
  virtual ~ICodePage() = default;

  // UTF-8 to GBK bytes; a character GBK cannot hold becomes "?".
  virtual std::string FromUtf8(std::string_view utf8) const = 0;

  // Strict GBK to UTF-8; nullopt when the bytes are not valid GBK.
  virtual std::optional<std::string> ToUtf8(std::string_view gbk) const = 0;
};

}  // namespace vz
