#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/web/IJSDispatch.h"

namespace vz {

// Members of window.external and their ids.
inline constexpr std::string_view kMemberWdJapi = "WD_JAPI";
inline constexpr std::string_view kMemberApiClose = "API_close";
inline constexpr int kIdWdJapi = 1000;
inline constexpr int kIdApiClose = 1001;

// The one method that answers, and its answer. It heads the method table, so a page
// script can decide it alone, before anything reaches the window.
inline constexpr std::string_view kApiVersionMethod = "getApiVersion";
inline constexpr std::string_view kApiVersion = "1";

// Methods carried by WD_JAPI, in the order they are tested.
enum class JSMethod {
  kNone,
  kGetApiVersion,
  kOpenGame,
  kShowBindBtn,
  kCloseBindPage,
  kAccountBindSuccess,
  kAccountRegisterSuccess,
  kShowIM,
  kDialogBoxTopInfo,
  kOpenPay,
  kClosedBox,
};

// The first method whose text the name contains (case-sensitive); kNone when none does.
JSMethod MatchMethod(std::string_view methodName);

struct MethodCall {
  std::string name;
  std::string parameter;
};

// Method name and parameter from WD_JAPI's arguments in script order: exactly two are
// name then parameter; any other count names the method by the last one and leaves the
// parameter empty; none is no call at all.
std::optional<MethodCall> ExtractMethodCall(std::span<const std::string> args);

enum class DispatchResult { kOk, kNotImplemented };

// window.external of one page window: resolves member names and runs the methods on the
// window's IJSDispatch part. Stateless between calls; the window outlives it.
class CJSDispatch {
 public:
  explicit CJSDispatch(IJSDispatch* target) : m_pTarget(target) {}

  // Member id of a name in any letter case; nullopt for anything else (unsupported).
  static std::optional<int> GetIDsOfNames(std::string_view name);

  // Runs a member with its arguments in script order. `result` receives getApiVersion's
  // answer when the caller has somewhere to put it, and is left empty otherwise.
  // Arguments are bounded (BoundPageText). Nothing of this object is touched after the
  // window's operation, so that operation may destroy the window and this object.
  DispatchResult Invoke(int memberId, std::span<const std::string> args,
                        std::optional<std::string>* result) const;

  IJSDispatch* Target() const { return m_pTarget; }

 private:
  IJSDispatch* m_pTarget;
};

}  // namespace vz
