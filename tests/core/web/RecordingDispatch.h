#pragma once

#include <string>
#include <vector>

#include "core/web/IJSDispatch.h"

namespace vz::test {

// Every operation writes "Name(parameter)" to the log.
struct RecordingDispatch : IJSDispatch {
  std::vector<std::string> calls;
  void OnShowBindBtn() override { calls.push_back("ShowBindBtn()"); }
  void OnBindSuccess() override { calls.push_back("BindSuccess()"); }
  void OnCloseBind() override { calls.push_back("CloseBind()"); }
  void OnOpenGame(std::string p) override { calls.push_back("OpenGame(" + p + ")"); }
  void OnAccountRegisterSuccess(std::string p) override {
    calls.push_back("AccountRegisterSuccess(" + p + ")");
  }
  void OnCloseBindPage(std::string p) override { calls.push_back("CloseBindPage(" + p + ")"); }
  void OnAccountBindSuccess(std::string p) override {
    calls.push_back("AccountBindSuccess(" + p + ")");
  }
  void OnShowIM(std::string p) override { calls.push_back("ShowIM(" + p + ")"); }
  void OnApiClose() override { calls.push_back("ApiClose()"); }
  void OnDialogBoxTopInfo(std::string p) override {
    calls.push_back("DialogBoxTopInfo(" + p + ")");
  }
  void OnOpenPay(std::string p) override { calls.push_back("OpenPay(" + p + ")"); }
  void OnClosedBox() override { calls.push_back("ClosedBox()"); }
};

}  // namespace vz::test
