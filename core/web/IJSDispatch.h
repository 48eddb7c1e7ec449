#pragma once

#include <cstdint>
#include <string>

namespace vz {

// What page script can ask of the window that owns the page. Every operation does nothing
// by default; each page window overrides only the ones its page uses, so the same method
// name means different things (or nothing) on different pages.
class IJSDispatch {
 public:
  virtual ~IJSDispatch() = default;

  virtual void OnShowBindBtn() {}
  virtual void OnBindSuccess() {}
  virtual void OnCloseBind() {}
  virtual void Spare3(std::string, std::string, std::string, std::int32_t) {}
  virtual void Spare4(std::string, std::string) {}
  virtual void OnOpenGame(std::string) {}
  virtual void OnAccountRegisterSuccess(std::string) {}
  virtual void OnCloseBindPage(std::string) {}
  virtual void OnAccountBindSuccess(std::string) {}
  virtual void Spare9(std::string) {}
  virtual void OnShowIM(std::string) {}
  virtual void OnApiClose() {}
  virtual void OnDialogBoxTopInfo(std::string) {}
  virtual void OnOpenPay(std::string) {}
  virtual void OnClosedBox() {}
};

}  // namespace vz
