#pragma once

#include "core/text/ICodePage.h"

namespace vz::posix {

// GBK (code page 936) through iconv.
class IconvCodePage final : public ICodePage {
 public:
  std::string FromUtf8(std::string_view utf8) const override;
  std::optional<std::string> ToUtf8(std::string_view gbk) const override;
};

}  // namespace vz::posix
