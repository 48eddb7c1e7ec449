#include "core/web/CWebDlg.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/app/Messages.h"
#include "core/web/PageText.h"
#include "tests/core/launcher/LauncherFakes.h"

namespace vz::test {
namespace {

using Args = std::vector<std::string>;

struct FakeWebView : IWebView {
  std::vector<std::string>* log;
  IWebViewEvents* events;
  std::unique_ptr<CJSDispatch> external;
  bool visible = false;
  Rect placed;
  FakeWebView(std::vector<std::string>* l, IWebViewEvents* e, std::unique_ptr<CJSDispatch> x)
      : log(l), events(e), external(std::move(x)) {}
  ~FakeWebView() override { log->push_back("view.destroyed"); }
  void Navigate(const std::string& url) override { log->push_back("view.navigate:" + url); }
  void Reload() override { log->push_back("view.reload"); }
  void Stop() override { log->push_back("view.stop"); }
  void Show() override {
    visible = true;
    log->push_back("view.show");
  }
  void Hide() override {
    visible = false;
    log->push_back("view.hide");
  }
  bool IsVisible() const override { return visible; }
  void Place(const Rect& r) override { placed = r; }
  void Focus() override { log->push_back("view.focus"); }
};

struct FakeWebViews : IWebViewFactory {
  std::vector<std::string> log;
  bool fail = false;
  int made = 0;
  FakeWebView* last = nullptr;
  std::unique_ptr<IWebView> CreateWebView(IWebViewEvents* events,
                                          std::unique_ptr<CJSDispatch> external) override {
    if (fail) return nullptr;
    ++made;
    auto view = std::make_unique<FakeWebView>(&log, events, std::move(external));
    last = view.get();
    return view;
  }
};

// The launcher's windows: real login dialogs over fake views, fake game windows.
struct PageWindows : IWindowFactory {
  MessageQueue* queue = nullptr;
  IShell* shell = nullptr;
  FakeWebViews* views = nullptr;
  FakeWindows* games = nullptr;
  CWebDlg* dialog = nullptr;
  std::unique_ptr<ILoginDialog> CreateLoginDialog() override {
    auto d = std::make_unique<CWebDlg>(WebDlgDeps{queue, shell});
    if (!d->Create(*views)) return nullptr;
    dialog = d.get();
    return d;
  }
  std::unique_ptr<IGameWindow> CreateGameWindow() override { return games->CreateGameWindow(); }
};

class WebDlgTest : public ::testing::Test, public LauncherFixture {
 protected:
  FakeWebViews views;
  PageWindows pages;

  std::unique_ptr<CMainWnd> Launcher(int mode = 0) {
    pages.queue = &queue;
    pages.shell = &shell;
    pages.views = &views;
    pages.games = &windows;
    LauncherDeps d = Deps();
    d.windows = &pages;
    auto w = std::make_unique<CMainWnd>(mode, d, "/opt/vz/");
    w->Create();
    return w;
  }
  FakeWebView& View() { return *views.last; }
  // A call of page script through the dialog's window.external.
  void Script(const Args& args) {
    ASSERT_NE(views.last, nullptr);
    ASSERT_NE(View().external, nullptr);
    View().external->Invoke(kIdWdJapi, args, nullptr);
  }
  bool Has(const std::vector<std::string>& log, const std::string& entry) {
    for (const std::string& e : log) {
      if (e == entry) return true;
    }
    return false;
  }
};

TEST_F(WebDlgTest, CreatedWithTheLauncherLoadingTheLoginPageHidden) {
  SetIni("[kv]\nstart=1\nuid=zc777\nfilename=abc\n[endpoints]\nplatform=http://plat.example:81\n");
  auto w = Launcher();
  ASSERT_EQ(views.made, 1);
  ASSERT_NE(pages.dialog, nullptr);
  EXPECT_TRUE(pages.dialog->Exists());
  EXPECT_EQ(w->LoginDialog(), pages.dialog);
  EXPECT_TRUE(Has(views.log,
                  "view.navigate:http://plat.example:81/game/s/wdAccess/"
                  "?name=kv&uid=zc777&suid=abc"));
  EXPECT_FALSE(View().visible);
  EXPECT_EQ(View().external->Target(), static_cast<IJSDispatch*>(pages.dialog));
  // Over the black area: launcher at (222, 87) on the 1600x1000 screen.
  EXPECT_EQ(View().placed, (Rect{222 + 324, 87 + 284, 222 + 967, 87 + 682}));
  EXPECT_TRUE(Has(views.log, "view.focus"));
}

TEST_F(WebDlgTest, LoginAddressKeepsIdentifiersAsTheyAre) {
  EXPECT_EQ(CWebDlg::LoginUrl("http://h:1", "u 1", "s&2"),
            "http://h:1/game/s/wdAccess/?name=kv&uid=u 1&suid=s&2");
  EXPECT_EQ(CWebDlg::LoginUrl("http://h", "", ""), "http://h/game/s/wdAccess/?name=kv&uid=&suid=");
}

TEST_F(WebDlgTest, HiddenUntilTheFirstDocumentThenFollowsTheLauncher) {
  auto w = Launcher();
  w->ShowWindow(true);
  EXPECT_FALSE(View().visible);
  EXPECT_TRUE(w->m_bShowLoginOnLoad);

  View().events->OnDocumentComplete("http://x/");
  EXPECT_TRUE(View().visible);
  EXPECT_FALSE(w->m_bShowLoginOnLoad);

  w->ShowWindow(false);
  EXPECT_FALSE(View().visible);
  w->ShowWindow(true);
  EXPECT_TRUE(View().visible);

  // A later load never shows the dialog by itself.
  w->ShowWindow(false);
  View().events->OnDocumentComplete("http://x/");
  EXPECT_FALSE(View().visible);
}

TEST_F(WebDlgTest, FirstDocumentWhileTheLauncherIsHiddenStillShowsTheDialog) {
  auto w = Launcher();
  ASSERT_FALSE(view.visible);
  View().events->OnDocumentComplete("http://x/");
  EXPECT_TRUE(View().visible);
  EXPECT_FALSE(w->m_bShowLoginOnLoad);
}

TEST_F(WebDlgTest, HiddenStartCreatesTheDialogAtTheFirstShow) {
  auto w = Launcher(1);
  EXPECT_EQ(views.made, 0);
  w->ShowWindow(true);
  ASSERT_EQ(views.made, 1);
  EXPECT_FALSE(View().visible);
  EXPECT_EQ(View().placed, (Rect{222 + 324, 87 + 284, 222 + 967, 87 + 682}));
  View().events->OnDocumentComplete("http://x/");
  EXPECT_TRUE(View().visible);
}

TEST_F(WebDlgTest, OpenGameStoresAddressAndServerAndHandsOver) {
  struct Case {
    const char* text;
    const char* url;
    const char* server;
  } cases[] = {
      {"http://g/play?s=3|3|风云三区", "http://g/play?s=3", "风云三区"},
      {"http://g/|7", "http://g/", "7"},
      {"http://g/|1|a|b", "http://g/", "a|b"},
      {"http://g/", "http://g/", ""},
  };
  for (const Case& c : cases) {
    windows.log.clear();
    auto w = Launcher();
    w->ShowWindow(true);
    View().events->OnDocumentComplete("http://x/");
    Script({"OpenGame", c.text});
    EXPECT_EQ(w->m_strGameUrl, c.url) << c.text;
    EXPECT_EQ(w->m_strServerName, c.server) << c.text;
    // Sent, so it has happened when the script call returns.
    ASSERT_NE(windows.game, nullptr);
    EXPECT_TRUE(windows.game->visible);
    EXPECT_FALSE(view.visible);
    EXPECT_FALSE(View().visible);
  }
}

TEST_F(WebDlgTest, ShowIMStoresThePayloadAndPostsItOn) {
  auto w = Launcher();
  Script({"OpenGame", "http://g/|1|s"});
  Script({"ShowIM", "1|2|3|4|5|6|7|"});
  EXPECT_EQ(w->m_strGameCall, "1|2|3|4|5|6|7|");
  EXPECT_FALSE(Has(windows.log, "game.call:1|2|3|4|5|6|7|"));  // posted, not sent
  queue.DispatchPending();
  EXPECT_TRUE(Has(windows.log, "game.call:1|2|3|4|5|6|7|"));
}

TEST_F(WebDlgTest, OpenPayOnlyStoresTheAddress) {
  auto w = Launcher();
  Script({"openPay", "http://pay.example/?g=kv&u=1"});
  EXPECT_EQ(w->m_strPayUrl, "http://pay.example/?g=kv&u=1");
  EXPECT_TRUE(shell.opened.empty());
  EXPECT_EQ(queue.PendingCount(), 0u);
  EXPECT_EQ(windows.gameCreated, 0);
}

TEST_F(WebDlgTest, ShowBindBtnMarksTheAccountUnbound) {
  auto w = Launcher();
  ASSERT_TRUE(w->m_bAccountBound);
  Script({"ShowBindBtn"});
  EXPECT_FALSE(w->m_bAccountBound);
}

TEST_F(WebDlgTest, OtherPagesMethodsHaveNoEffectOnTheLoginPage) {
  auto w = Launcher();
  for (const Args& args : {Args{"AccountRegisterSuccess", "x"}, Args{"CloseBindPage", "x"},
                           Args{"AccountBindSuccess", "x"}, Args{"DialogBoxTopInfo", "x"},
                           Args{"closedBox"}, Args{"Unknown", "x"}, Args{}}) {
    Script(args);
  }
  View().external->Invoke(kIdApiClose, Args{}, nullptr);
  EXPECT_EQ(w->m_strGameUrl, "");
  EXPECT_EQ(w->m_strServerName, "");
  EXPECT_EQ(w->m_strPayUrl, "");
  EXPECT_EQ(w->m_strGameCall, "");
  EXPECT_TRUE(w->m_bAccountBound);
  EXPECT_EQ(queue.PendingCount(), 0u);
  EXPECT_EQ(windows.gameCreated, 0);
  EXPECT_TRUE(shell.opened.empty());
}

TEST_F(WebDlgTest, NavigationWithSpacedMarkerOpensTheGame) {
  struct Case {
    const char* url;
    bool opens;
  } cases[] = {
      {"http://g/play/?s=1&client = 1", true}, {"http://g/play/?s=1&client%20=%201", true},
      {"http://g/play/?s=1&client=1", false},  {"http://g/play/?s=1", false},
      {"http://g/play/?Client = 1", false},
  };
  for (const Case& c : cases) {
    windows.gameCreated = 0;
    auto w = Launcher();
    EXPECT_FALSE(View().events->OnBeforeNavigate(c.url)) << c.url;  // never cancelled
    EXPECT_EQ(windows.gameCreated, c.opens ? 1 : 0) << c.url;
    EXPECT_EQ(w->m_strGameUrl, c.opens ? c.url : "") << c.url;
  }
}

TEST_F(WebDlgTest, NewWindowRecordsGameAddressOrOpensWebAddressesInTheBrowser) {
  struct Case {
    std::string url;
    bool recorded;
    bool shelled;
  } cases[] = {
      {"http://g/play/?client=1", true, false},
      {"http://g/play/?client = 1", false, true},
      {"http://news.example/a", false, true},
      {"https://news.example/a", false, true},
      {"javascript:void(0);", false, false},
      {"file:///etc/passwd", false, false},
      {"about:blank", false, false},
      {"", false, false},
      {"http://x/" + std::string(kMaxPageTextBytes, 'a'), false, false},
      {"http://x/?client=1" + std::string(kMaxPageTextBytes, 'a'), false, false},
  };
  for (const Case& c : cases) {
    shell.opened.clear();
    windows.gameCreated = 0;
    auto w = Launcher();
    View().events->OnNewWindow(c.url);
    EXPECT_EQ(w->m_strGameUrl, c.recorded ? c.url : "") << c.url.substr(0, 40);
    EXPECT_EQ(shell.opened.size(), c.shelled ? 1u : 0u) << c.url.substr(0, 40);
    if (c.shelled && !shell.opened.empty()) {
      EXPECT_EQ(shell.opened[0], c.url);
    }
    EXPECT_EQ(windows.gameCreated, 0);
  }
}

TEST_F(WebDlgTest, KeyRules) {
  struct Case {
    KeyMessage message;
    unsigned vk;
    KeyRoute want;
  } cases[] = {
      {KeyMessage::kKeyDown, kVkEscape, KeyRoute::kSwallow},
      {KeyMessage::kKeyUp, kVkEscape, KeyRoute::kPage},
      {KeyMessage::kSysKeyDown, kVkEscape, KeyRoute::kPage},
      {KeyMessage::kKeyDown, kVkF5, KeyRoute::kSwallow},
      {KeyMessage::kSysKeyDown, kVkF5, KeyRoute::kPage},
      {KeyMessage::kKeyDown, kVkF4, KeyRoute::kPage},  // F4 without Alt
      {KeyMessage::kKeyDown, kVkBack, KeyRoute::kPageOnly},
      {KeyMessage::kKeyUp, kVkBack, KeyRoute::kPageOnly},
      {KeyMessage::kSysKeyDown, kVkBack, KeyRoute::kPageOnly},
      {KeyMessage::kKeyDown, 'A', KeyRoute::kPage},
      {KeyMessage::kKeyDown, 0x0D, KeyRoute::kPage},
      {KeyMessage::kKeyDown, kVkF9, KeyRoute::kPage},
      {KeyMessage::kKeyDown, 0, KeyRoute::kPage},
  };
  auto w = Launcher();
  for (const Case& c : cases) {
    EXPECT_EQ(View().events->OnKey({c.message, c.vk}), c.want)
        << static_cast<int>(c.message) << "/" << c.vk;
  }
  EXPECT_TRUE(box.asked.empty());
}

TEST_F(WebDlgTest, AltF4AsksAndCancelKeepsEverything) {
  auto w = Launcher();
  box.answer = false;
  EXPECT_EQ(View().events->OnKey({KeyMessage::kSysKeyDown, kVkF4}), KeyRoute::kSwallow);
  ASSERT_EQ(box.asked.size(), 1u);
  EXPECT_EQ(box.asked[0].first, "确定要退出吗？");
  EXPECT_EQ(box.asked[0].second, "退出提示");
  EXPECT_FALSE(w->IsDestroyed());
  EXPECT_TRUE(pages.dialog->Exists());
}

TEST_F(WebDlgTest, AltF4ConsentClosesTheLauncherAndTheDialogFromInsideTheKeyHandler) {
  auto w = Launcher();
  box.answer = true;
  IWebViewEvents* events = View().events;
  EXPECT_EQ(events->OnKey({KeyMessage::kSysKeyDown, kVkF4}), KeyRoute::kSwallow);
  EXPECT_TRUE(w->IsDestroyed());
  EXPECT_EQ(w->LoginDialog(), nullptr);
  EXPECT_TRUE(Has(views.log, "view.destroyed"));
}

TEST_F(WebDlgTest, ClosingTheGameReloadsTheLoginPage) {
  auto w = Launcher();
  w->ShowWindow(true);
  View().events->OnDocumentComplete("http://x/");
  Script({"OpenGame", "http://g/|1|s"});
  views.log.clear();
  queue.Send(w->Id(), UM_CLOSEGAME);
  EXPECT_TRUE(Has(views.log, "view.reload"));
  EXPECT_TRUE(view.visible);
  EXPECT_TRUE(View().visible);
}

TEST_F(WebDlgTest, TeardownStopsThenDestroysTheView) {
  auto w = Launcher();
  views.log.clear();
  queue.Send(w->Id(), WM_CLOSE);
  EXPECT_EQ(views.log, (std::vector<std::string>{"view.stop", "view.destroyed"}));
  EXPECT_EQ(w->LoginDialog(), nullptr);
}

TEST_F(WebDlgTest, NoBrowserMeansNoLoginPage) {
  views.fail = true;
  auto w = Launcher();
  EXPECT_EQ(w->LoginDialog(), nullptr);
  w->ShowWindow(true);
  queue.Send(w->Id(), UM_CLOSEGAME);
  EXPECT_TRUE(view.visible);
  EXPECT_FALSE(w->IsDestroyed());
}

TEST_F(WebDlgTest, WithoutLauncherNothingHappens) {
  ASSERT_EQ(g_pLauncher, nullptr);
  CWebDlg dialog(WebDlgDeps{&queue, &shell});
  ASSERT_TRUE(dialog.Create(views));
  EXPECT_TRUE(Has(views.log,
                  "view.navigate:http://127.0.0.1:18080/game/s/wdAccess/"
                  "?name=kv&uid=&suid="));
  Script({"OpenGame", "a|b|c"});
  Script({"ShowIM", "x"});
  Script({"openPay", "x"});
  Script({"ShowBindBtn"});
  View().events->OnBeforeNavigate("http://g/?client = 1");
  View().events->OnNewWindow("http://g/?client=1");
  View().events->OnDocumentComplete("http://x/");
  EXPECT_EQ(View().events->OnKey({KeyMessage::kSysKeyDown, kVkF4}), KeyRoute::kSwallow);
  EXPECT_FALSE(View().visible);
  EXPECT_EQ(queue.PendingCount(), 0u);
  EXPECT_TRUE(box.asked.empty());
  dialog.Close();
  EXPECT_FALSE(dialog.Exists());
  dialog.Close();  // twice is harmless
}

}  // namespace
}  // namespace vz::test
