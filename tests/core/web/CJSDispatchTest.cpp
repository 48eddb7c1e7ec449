#include "core/web/CJSDispatch.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "RecordingDispatch.h"
#include "core/web/PageText.h"

namespace vz::test {
namespace {

using Args = std::vector<std::string>;

TEST(JSMethodTable, FirstContainedTextDecidesInTableOrder) {
  struct Case {
    const char* name;
    JSMethod want;
  } cases[] = {
      {"getApiVersion", JSMethod::kGetApiVersion},
      {"OpenGame", JSMethod::kOpenGame},
      {"ShowBindBtn", JSMethod::kShowBindBtn},
      {"CloseBindPage", JSMethod::kCloseBindPage},
      {"AccountBindSuccess", JSMethod::kAccountBindSuccess},
      {"AccountRegisterSuccess", JSMethod::kAccountRegisterSuccess},
      {"ShowIM", JSMethod::kShowIM},
      {"DialogBoxTopInfo", JSMethod::kDialogBoxTopInfo},
      {"openPay", JSMethod::kOpenPay},
      {"closedBox", JSMethod::kClosedBox},
      // Two known texts: the earlier row wins, whatever their order in the name.
      {"getApiVersionOpenGame", JSMethod::kGetApiVersion},
      {"OpenGamegetApiVersion", JSMethod::kGetApiVersion},
      {"OpenGameShowIM", JSMethod::kOpenGame},
      {"ShowIMOpenGame", JSMethod::kOpenGame},
      {"closedBoxopenPay", JSMethod::kOpenPay},
      {"ShowIMShowBindBtn", JSMethod::kShowBindBtn},
      {"DialogBoxTopInfo_ShowIM", JSMethod::kShowIM},
      // Text around a known name.
      {"xxOpenGameyy", JSMethod::kOpenGame},
      {"js.openPay()", JSMethod::kOpenPay},
      {" ShowIM ", JSMethod::kShowIM},
      // Method names are case-sensitive.
      {"OpenPay", JSMethod::kNone},
      {"showim", JSMethod::kNone},
      {"SHOWIM", JSMethod::kNone},
      {"openGame", JSMethod::kNone},
      {"GetApiVersion", JSMethod::kNone},
      {"Open Game", JSMethod::kNone},
      {"", JSMethod::kNone},
      {"API_close", JSMethod::kNone},
  };
  for (const Case& c : cases) EXPECT_EQ(MatchMethod(c.name), c.want) << c.name;
}

TEST(JSArguments, TwoAreNameThenParameterAnyOtherCountNamesByTheLast) {
  struct Case {
    Args args;
    bool call;
    const char* name;
    const char* parameter;
  } cases[] = {
      {{}, false, "", ""},
      {{"OpenGame"}, true, "OpenGame", ""},
      {{"OpenGame", "a|b|c"}, true, "OpenGame", "a|b|c"},
      {{"OpenGame", "a|b|c", "ShowIM"}, true, "ShowIM", ""},
      {{"x", "y", "z", "openPay"}, true, "openPay", ""},
      {{"", ""}, true, "", ""},
  };
  for (const Case& c : cases) {
    const std::optional<MethodCall> call = ExtractMethodCall(c.args);
    ASSERT_EQ(call.has_value(), c.call) << c.args.size();
    if (!call) continue;
    EXPECT_EQ(call->name, c.name);
    EXPECT_EQ(call->parameter, c.parameter);
  }
}

TEST(JSMembers, NamesMatchInAnyLetterCase) {
  struct Case {
    const char* name;
    std::optional<int> id;
  } cases[] = {
      {"WD_JAPI", 1000},
      {"wd_japi", 1000},
      {"Wd_JaPi", 1000},
      {"API_close", 1001},
      {"api_close", 1001},
      {"API_CLOSE", 1001},
      {"aPi_ClOsE", 1001},
      {"WD_JAPI ", std::nullopt},
      {"WDJAPI", std::nullopt},
      {"", std::nullopt},
      {"getApiVersion", std::nullopt},
      {"WD_JAPI2", std::nullopt},
      {"API_closeX", std::nullopt},
      {"toString", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(CJSDispatch::GetIDsOfNames(c.name), c.id) << c.name;
}

struct InvokeCase {
  const char* label;
  Args args;
  std::vector<std::string> calls;
  std::optional<std::string> result;
};

TEST(JSInvoke, WdJapiRunsTheOperationOfTheMatchedMethod) {
  const InvokeCase cases[] = {
      {"no argument", {}, {}, std::nullopt},
      {"version", {"getApiVersion"}, {}, "1"},
      {"version with parameter", {"getApiVersion", "x"}, {}, "1"},
      {"version before game", {"getApiVersionOpenGame", "u|1|s"}, {}, "1"},
      {"game", {"OpenGame", "u|1|s"}, {"OpenGame(u|1|s)"}, std::nullopt},
      {"game before service", {"OpenGameShowIM", "p"}, {"OpenGame(p)"}, std::nullopt},
      {"game alone", {"OpenGame"}, {"OpenGame()"}, std::nullopt},
      {"three arguments", {"OpenGame", "u|1|s", "ShowIM"}, {"ShowIM()"}, std::nullopt},
      {"bind button", {"ShowBindBtn", "ignored"}, {"ShowBindBtn()"}, std::nullopt},
      {"close bind page", {"CloseBindPage", "p"}, {"CloseBindPage(p)"}, std::nullopt},
      {"bind success", {"AccountBindSuccess", "p"}, {"AccountBindSuccess(p)"}, std::nullopt},
      {"register", {"AccountRegisterSuccess", "p"}, {"AccountRegisterSuccess(p)"}, std::nullopt},
      {"service", {"ShowIM", "a|b|"}, {"ShowIM(a|b|)"}, std::nullopt},
      {"header", {"DialogBoxTopInfo", "t"}, {"DialogBoxTopInfo(t)"}, std::nullopt},
      {"pay", {"openPay", "http://p/"}, {"OpenPay(http://p/)"}, std::nullopt},
      {"closed box", {"closedBox", "x"}, {"ClosedBox()"}, std::nullopt},
      {"text around", {"callOpenGameNow", "u"}, {"OpenGame(u)"}, std::nullopt},
      {"wrong case", {"OpenPay", "x"}, {}, std::nullopt},
      {"unknown", {"Nothing", "x"}, {}, std::nullopt},
      {"API_close as method", {"API_close"}, {}, std::nullopt},
  };
  for (const InvokeCase& c : cases) {
    RecordingDispatch target;
    CJSDispatch external(&target);
    std::optional<std::string> result;
    EXPECT_EQ(external.Invoke(kIdWdJapi, c.args, &result), DispatchResult::kOk) << c.label;
    EXPECT_EQ(target.calls, c.calls) << c.label;
    EXPECT_EQ(result, c.result) << c.label;
  }
}

TEST(JSInvoke, ApiCloseIgnoresItsArguments) {
  for (const Args& args : {Args{}, Args{"OpenGame", "x"}, Args{"a", "b", "c"}}) {
    RecordingDispatch target;
    CJSDispatch external(&target);
    std::optional<std::string> result;
    EXPECT_EQ(external.Invoke(kIdApiClose, args, &result), DispatchResult::kOk);
    EXPECT_EQ(target.calls, std::vector<std::string>{"ApiClose()"});
    EXPECT_FALSE(result.has_value());
  }
}

TEST(JSInvoke, UnknownMemberIdIsNotImplemented) {
  RecordingDispatch target;
  CJSDispatch external(&target);
  for (int id : {0, 999, 1002, -1}) {
    EXPECT_EQ(external.Invoke(id, Args{"OpenGame", "x"}, nullptr), DispatchResult::kNotImplemented);
  }
  EXPECT_TRUE(target.calls.empty());
}

TEST(JSInvoke, VersionWithoutResultSlotIsSkippedQuietly) {
  RecordingDispatch target;
  CJSDispatch external(&target);
  EXPECT_EQ(external.Invoke(kIdWdJapi, Args{"getApiVersion"}, nullptr), DispatchResult::kOk);
  EXPECT_TRUE(target.calls.empty());
}

TEST(JSInvoke, DefaultOperationsDoNothing) {
  IJSDispatch plain;  // a window that implements nothing
  CJSDispatch external(&plain);
  for (const char* m :
       {"OpenGame", "ShowBindBtn", "CloseBindPage", "AccountBindSuccess", "AccountRegisterSuccess",
        "ShowIM", "DialogBoxTopInfo", "openPay", "closedBox"}) {
    EXPECT_EQ(external.Invoke(kIdWdJapi, Args{m, "p"}, nullptr), DispatchResult::kOk) << m;
  }
  EXPECT_EQ(external.Invoke(kIdApiClose, Args{}, nullptr), DispatchResult::kOk);
  CJSDispatch orphan(nullptr);
  std::optional<std::string> result;
  EXPECT_EQ(orphan.Invoke(kIdWdJapi, Args{"OpenGame", "p"}, &result), DispatchResult::kOk);
  EXPECT_EQ(orphan.Invoke(kIdWdJapi, Args{"getApiVersion"}, &result), DispatchResult::kOk);
  EXPECT_EQ(result, "1");
}

TEST(JSInvoke, LongAndMalformedArgumentsAreBounded) {
  RecordingDispatch target;
  CJSDispatch external(&target);
  const std::string huge(kMaxPageTextBytes * 4, 'x');
  external.Invoke(kIdWdJapi, Args{"OpenGame", huge}, nullptr);
  ASSERT_EQ(target.calls.size(), 1u);
  EXPECT_EQ(target.calls[0].size(), std::string("OpenGame()").size() + kMaxPageTextBytes);

  // A name far past the bound still matches when the method text sits inside the bound,
  // and does not when it lies beyond it.
  target.calls.clear();
  external.Invoke(kIdWdJapi, Args{"ShowIM" + huge, "p"}, nullptr);
  external.Invoke(kIdWdJapi, Args{huge + "ShowIM", "p"}, nullptr);
  EXPECT_EQ(target.calls, std::vector<std::string>{"ShowIM(p)"});

  target.calls.clear();
  external.Invoke(kIdWdJapi, Args{"openPay", std::string("a\xFF\xC0z", 4)}, nullptr);
  EXPECT_EQ(target.calls, std::vector<std::string>{"OpenPay(a\xEF\xBF\xBD\xEF\xBF\xBDz)"});
}

// The window's operation may destroy the window and its external object.
TEST(JSInvoke, OperationMayDestroyTheExternalObject) {
  struct Closing : IJSDispatch {
    std::unique_ptr<CJSDispatch> external;
    int closed = 0;
    void OnOpenGame(std::string) override {
      ++closed;
      external.reset();
    }
  } window;
  window.external = std::make_unique<CJSDispatch>(&window);
  CJSDispatch* raw = window.external.get();
  EXPECT_EQ(raw->Invoke(kIdWdJapi, Args{"OpenGame", "u"}, nullptr), DispatchResult::kOk);
  EXPECT_EQ(window.closed, 1);
  EXPECT_EQ(window.external, nullptr);
}

}  // namespace
}  // namespace vz::test
