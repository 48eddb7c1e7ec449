#include "core/web/CJSDispatch.h"

#include "core/text/Utf8.h"
#include "core/web/PageText.h"

namespace vz {
namespace {

struct MethodRow {
  std::string_view text;
  JSMethod method;
};

// Order matters: a name holding two of these texts takes the earlier row.
constexpr MethodRow kMethodTable[] = {
    {kApiVersionMethod, JSMethod::kGetApiVersion},
    {"OpenGame", JSMethod::kOpenGame},
    {"ShowBindBtn", JSMethod::kShowBindBtn},
    {"CloseBindPage", JSMethod::kCloseBindPage},
    {"AccountBindSuccess", JSMethod::kAccountBindSuccess},
    {"AccountRegisterSuccess", JSMethod::kAccountRegisterSuccess},
    {"ShowIM", JSMethod::kShowIM},
    {"DialogBoxTopInfo", JSMethod::kDialogBoxTopInfo},
    {"openPay", JSMethod::kOpenPay},
    {"closedBox", JSMethod::kClosedBox},
};

}  // namespace

JSMethod MatchMethod(std::string_view methodName) {
  for (const MethodRow& row : kMethodTable) {
    if (methodName.find(row.text) != std::string_view::npos) return row.method;
  }
  return JSMethod::kNone;
}

std::optional<MethodCall> ExtractMethodCall(std::span<const std::string> args) {
  if (args.empty()) return std::nullopt;
  MethodCall call;
  if (args.size() == 2) {
    call.name = BoundPageText(args[0]);
    call.parameter = BoundPageText(args[1]);
  } else {
    call.name = BoundPageText(args.back());
  }
  return call;
}

std::optional<int> CJSDispatch::GetIDsOfNames(std::string_view name) {
  if (utf8::EqualsIgnoreAsciiCase(name, kMemberWdJapi)) return kIdWdJapi;
  if (utf8::EqualsIgnoreAsciiCase(name, kMemberApiClose)) return kIdApiClose;
  return std::nullopt;
}

DispatchResult CJSDispatch::Invoke(int memberId, std::span<const std::string> args,
                                   std::optional<std::string>* result) const {
  if (memberId == kIdApiClose) {
    if (m_pTarget) m_pTarget->OnApiClose();
    return DispatchResult::kOk;
  }
  if (memberId != kIdWdJapi) return DispatchResult::kNotImplemented;

  std::optional<MethodCall> call = ExtractMethodCall(args);
  if (!call) return DispatchResult::kOk;
  const JSMethod method = MatchMethod(call->name);
  if (method == JSMethod::kGetApiVersion) {
    if (result) *result = std::string(kApiVersion);
    return DispatchResult::kOk;
  }
  if (!m_pTarget) return DispatchResult::kOk;
  IJSDispatch& t = *m_pTarget;
  std::string& p = call->parameter;
  switch (method) {
    case JSMethod::kOpenGame:
      t.OnOpenGame(std::move(p));
      break;
    case JSMethod::kShowBindBtn:
      t.OnShowBindBtn();
      break;
    case JSMethod::kCloseBindPage:
      t.OnCloseBindPage(std::move(p));
      break;
    case JSMethod::kAccountBindSuccess:
      t.OnAccountBindSuccess(std::move(p));
      break;
    case JSMethod::kAccountRegisterSuccess:
      t.OnAccountRegisterSuccess(std::move(p));
      break;
    case JSMethod::kShowIM:
      t.OnShowIM(std::move(p));
      break;
    case JSMethod::kDialogBoxTopInfo:
      t.OnDialogBoxTopInfo(std::move(p));
      break;
    case JSMethod::kOpenPay:
      t.OnOpenPay(std::move(p));
      break;
    case JSMethod::kClosedBox:
      t.OnClosedBox();
      break;
    case JSMethod::kGetApiVersion:
    case JSMethod::kNone:
      break;
  }
  return DispatchResult::kOk;
}

}  // namespace vz
