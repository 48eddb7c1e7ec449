#include "core/game/CDezorGame.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/app/Messages.h"
#include "tests/core/game/GameFakes.h"
#include "tests/core/game/LauncherStubs.h"

namespace vz {
namespace {

using test::FakeGamePlatform;

Point Mid(const Rect& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

bool Contains(const std::vector<Rect>& v, const Rect& r) {
  return std::find(v.begin(), v.end(), r) != v.end();
}

class GameTest : public ::testing::Test {
 protected:
  test::LauncherHarness h;
  test::FakeShellPort shell;
  test::FakeAsk ask;
  test::FakePopups popups;
  test::FakeBossKeyDialog bossDialog;
  test::FakeCacheCleaner cleaner;
  FakeGamePlatform* p = nullptr;
  std::unique_ptr<CDezorGame> game;

  CMainWnd& L() { return *h.launcher; }

  GameDeps DepsFor(FakeGamePlatform& plat) {
    GameDeps d;
    d.launcher = h.launcher.get();
    d.queue = &h.queue;
    d.view = &plat.view;
    d.page = &plat.page;
    d.images = &plat.images;
    d.timers = &plat.timers;
    d.shell = &shell;
    d.messageBox = &ask;
    d.trimmer = &plat.trimmer;
    d.popups = &popups;
    d.bossKeyDialog = &bossDialog;
    d.cacheCleaner = &cleaner;
    return d;
  }

  std::unique_ptr<CDezorGame> Make(const std::function<void(FakeGamePlatform&)>& setup = {}) {
    auto plat = std::make_unique<FakeGamePlatform>();
    FakeGamePlatform* raw = plat.get();
    if (setup) setup(*raw);
    auto g = std::make_unique<CDezorGame>(DepsFor(*raw), std::move(plat));
    raw->timers.fire = [gp = g.get()](int id) { gp->OnTimer(id); };
    p = raw;
    return g;
  }

  void Open(const std::function<void(FakeGamePlatform&)>& setup = {}) {
    game = Make(setup);
    ASSERT_TRUE(game->Create());
  }

  const Rect& R(int b) { return game->ButtonRect(b); }
  void Click(int b) {
    game->OnMouseMove(Mid(R(b)));
    game->OnLButtonDown(Mid(R(b)));
    game->OnLButtonUp(Mid(R(b)));
  }
};

// ---- creation -------------------------------------------------------------------------------

TEST_F(GameTest, CreationPlacesTheWindowFromTheScreen) {
  struct Case {
    Size screen;
    Rect rect;
  };
  const Case cases[] = {{{1920, 1080}, {310, 111, 1610, 931}},
                        {{1280, 720}, {0, 21, 1280, 661}},
                        {{1300, 820}, {0, -18, 1300, 802}},
                        {{1600, 820}, {150, -18, 1450, 802}},
                        {{1600, 819}, {150, 21, 1450, 760}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.screen.width);
    Open([&](FakeGamePlatform& plat) { plat.view.screen = c.screen; });
    EXPECT_EQ(p->view.rect, c.rect);
    EXPECT_EQ(game->ClientSize(), (Size{c.rect.Width(), c.rect.Height()}));
    EXPECT_EQ(p->view.title, "ZelvoKiravel");
    EXPECT_EQ(g_pGame, game.get());
    game.reset();
    EXPECT_EQ(g_pGame, nullptr);
  }
}

TEST_F(GameTest, PageIsMadeOverTheClientAreaThenPlacedInsideTheFrame) {
  L().m_strGameUrl = "http://127.0.0.1:18081/game/?sid=3";
  Open();
  EXPECT_EQ(p->page.createdAt, (Rect{0, 0, 1300, 820}));
  ASSERT_FALSE(p->page.places.empty());
  EXPECT_EQ(p->page.places.back(), (Rect{2, 40, 1298, 818}));
  EXPECT_EQ(game->BrowserRect(), (Rect{2, 40, 1298, 818}));
  EXPECT_EQ(p->page.navigations, std::vector<std::string>{"http://127.0.0.1:18081/game/?sid=3"});
  // Not shown by creation: the launcher shows it.
  EXPECT_FALSE(p->view.visible);
}

TEST_F(GameTest, EmptyGameAddressIsNavigatedUnchanged) {
  L().m_strGameUrl.clear();
  Open();
  EXPECT_EQ(p->page.navigations, std::vector<std::string>{""});
}

TEST_F(GameTest, LoadsTheFourteenPictures) {
  Open();
  EXPECT_EQ(p->images.loaded.size(), 14u);
  for (int id : CDezorGame::kPictures) EXPECT_TRUE(p->images.loaded.count(id)) << id;
}

TEST_F(GameTest, WithoutAPageThereIsNoWindow) {
  game = Make([](FakeGamePlatform& plat) { plat.page.createFails = true; });
  const WindowId before = h.queue.Register(nullptr);
  h.queue.Unregister(before);
  EXPECT_FALSE(game->Create());
  EXPECT_TRUE(p->view.destroyed);
  EXPECT_EQ(g_pGame, nullptr);
  EXPECT_FALSE(h.queue.IsWindow(game->Id()));
  EXPECT_EQ(p->images.freed.size(), 14u);
}

TEST_F(GameTest, SizeChangeMovesThePageAndTheButtons) {
  Open();
  for (int w : {1050, 1300, 1700}) {
    const int hgt = 760;
    game->OnSize(w, hgt);
    SCOPED_TRACE(w);
    EXPECT_EQ(game->BrowserRect(), (Rect{2, 40, w - 2, hgt - 2}));
    EXPECT_EQ(p->page.places.back(), (Rect{2, 40, w - 2, hgt - 2}));
    EXPECT_EQ(R(CDezorGame::kPay), (Rect{w - 391, 9, w - 316, 31}));
    EXPECT_EQ(R(CDezorGame::kServer), (Rect{w - 311, 9, w - 246, 31}));
    EXPECT_EQ(R(CDezorGame::kClearCache), (Rect{w - 241, 9, w - 166, 31}));
    EXPECT_EQ(R(CDezorGame::kBossKey), (Rect{w - 161, 9, w - 96, 31}));
    EXPECT_EQ(R(CDezorGame::kMinimize), (Rect{w - 88, 7, w - 63, 32}));
    EXPECT_EQ(R(CDezorGame::kMaximize), (Rect{w - 60, 7, w - 35, 32}));
    EXPECT_EQ(R(CDezorGame::kClose), (Rect{w - 32, 7, w - 7, 32}));
    EXPECT_EQ(game->DragRect(), (Rect{0, 0, w - 396, 40}));
  }
}

TEST_F(GameTest, LayoutFallsBackToNominalSizesForMissingPictures) {
  Open([](FakeGamePlatform& plat) { plat.images.missing = {155, 136}; });
  EXPECT_EQ(R(CDezorGame::kPay), (Rect{909, 9, 984, 31}));
  EXPECT_EQ(R(CDezorGame::kClose), (Rect{1268, 7, 1293, 32}));
  const GameFrame f = game->ComposeFrame();
  for (const DrawOp& op : f.images) {
    EXPECT_NE(op.imageId, 155);
    EXPECT_NE(op.imageId, 136);
  }
}

// ---- drag strip -----------------------------------------------------------------------------

TEST_F(GameTest, DragStripEndsBeforeTheBindingAndServiceButtons) {
  struct Case {
    bool trial;
    bool service;
    int right;  // from W
    Rect bind;
    Rect vip;
  };
  const int W = 1300;
  const Case cases[] = {
      {false, false, W - 396, {}, {}},
      {true, false, W - 537, {W - 532, 9, W - 396, 31}, {}},
      {false, true, W - 476, {}, {W - 471, 9, W - 396, 31}},
      {true, true, W - 617, {W - 532, 9, W - 396, 31}, {W - 612, 9, W - 537, 31}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.trial) + std::to_string(c.service));
    L().m_bAccountBound = !c.trial;
    Open();
    if (c.service) game->m_szImFields = {"a", "b", "c", "d", "e", "f", "g"};
    game->OnSize(W, 820);
    EXPECT_EQ(game->DragRect(), (Rect{0, 0, c.right, 40}));
    EXPECT_EQ(game->BindRect(), c.bind);
    EXPECT_EQ(game->VipRect(), c.vip);
  }
}

TEST_F(GameTest, TrialAccountGetsTheBindingButtonAtCreation) {
  L().m_bAccountBound = false;
  Open();
  EXPECT_EQ(game->BindRect(), (Rect{768, 9, 904, 31}));
  EXPECT_EQ(game->DragRect().right, 763);
  EXPECT_TRUE(p->timers.IsRunning(CDezorGame::BIND_TIMER_ID));
  EXPECT_EQ(p->timers.running[CDezorGame::BIND_TIMER_ID].period, 150u);
}

// ---- hover, press and release ---------------------------------------------------------------

TEST_F(GameTest, HoverLightsOneButtonAndRepaintsOnlyWhatChanged) {
  Open();
  p->view.invalidated.clear();
  game->OnMouseMove(Mid(R(CDezorGame::kClose)));
  EXPECT_EQ(game->ButtonState(CDezorGame::kClose), 1);
  EXPECT_EQ(game->Hovered(), CDezorGame::kClose);
  EXPECT_EQ(p->view.invalidated, std::vector<Rect>{R(CDezorGame::kClose)});

  p->view.invalidated.clear();
  game->OnMouseMove(Mid(R(CDezorGame::kMinimize)));
  EXPECT_EQ(game->ButtonState(CDezorGame::kClose), 0);
  EXPECT_EQ(game->ButtonState(CDezorGame::kMinimize), 1);
  EXPECT_EQ(p->view.invalidated.size(), 2u);
  EXPECT_TRUE(Contains(p->view.invalidated, R(CDezorGame::kClose)));
  EXPECT_TRUE(Contains(p->view.invalidated, R(CDezorGame::kMinimize)));

  // Moving within the same button or across empty title bar twice repaints nothing more.
  p->view.invalidated.clear();
  game->OnMouseMove({R(CDezorGame::kMinimize).left + 1, 10});
  EXPECT_TRUE(p->view.invalidated.empty());
  game->OnMouseMove({300, 20});
  EXPECT_EQ(p->view.invalidated, std::vector<Rect>{R(CDezorGame::kMinimize)});
  p->view.invalidated.clear();
  game->OnMouseMove({310, 20});
  EXPECT_TRUE(p->view.invalidated.empty());
  EXPECT_EQ(game->Hovered(), CDezorGame::kNone);
}

TEST_F(GameTest, FirstMatchingButtonDecidesInTheFixedOrder) {
  Open();
  for (int b = 0; b < CDezorGame::kButtonCount; ++b) {
    game->OnMouseMove(Mid(R(b)));
    EXPECT_EQ(game->Hovered(), b);
    for (int o = 0; o < CDezorGame::kButtonCount; ++o) EXPECT_EQ(game->ButtonState(o), o == b);
  }
}

TEST_F(GameTest, TooltipOverTheBossKeyButton) {
  L().m_strHotName = "Ctrl + F10";
  Open();
  game->OnMouseMove(Mid(R(CDezorGame::kBossKey)));
  EXPECT_TRUE(game->IsTooltipShown());
  game->OnMouseMove({R(CDezorGame::kBossKey).left + 2, 12});  // still there: shown once
  EXPECT_EQ(p->view.tooltips, std::vector<std::string>{"show:Ctrl + F10"});
  // Outside every button the tooltip is left alone.
  game->OnMouseMove({300, 20});
  EXPECT_TRUE(game->IsTooltipShown());
  game->OnMouseMove(Mid(R(CDezorGame::kPay)));
  EXPECT_FALSE(game->IsTooltipShown());
  EXPECT_EQ(p->view.tooltips, (std::vector<std::string>{"show:Ctrl + F10", "hide"}));
  game->OnMouseMove(Mid(R(CDezorGame::kBossKey)));
  game->OnMouseLeave();
  EXPECT_FALSE(game->IsTooltipShown());
  EXPECT_FALSE(game->IsLeaveTracked());
}

TEST_F(GameTest, LeavingKeepsTheHoveredButtonDrawnHovered) {
  Open();
  game->OnMouseMove(Mid(R(CDezorGame::kServer)));
  EXPECT_TRUE(game->IsLeaveTracked());
  p->view.invalidated.clear();
  game->OnMouseLeave();
  EXPECT_EQ(game->ButtonState(CDezorGame::kServer), 1);
  EXPECT_TRUE(p->view.invalidated.empty());
  // A second leave without a move in between changes nothing.
  game->OnMouseLeave();
  EXPECT_FALSE(game->IsLeaveTracked());
}

TEST_F(GameTest, PressLeaveComeBackReleaseDoesNothing) {
  Open();
  const Point c = Mid(R(CDezorGame::kClose));
  game->OnMouseMove(c);
  game->OnLButtonDown(c);
  EXPECT_EQ(game->ButtonState(CDezorGame::kClose), 2);
  game->OnMouseMove({300, 20});
  EXPECT_EQ(game->ButtonState(CDezorGame::kClose), 0);
  game->OnMouseMove(c);
  EXPECT_EQ(game->ButtonState(CDezorGame::kClose), 1);
  game->OnLButtonUp(c);
  EXPECT_TRUE(ask.asked.empty());
  EXPECT_EQ(h.queue.PendingCount(), 0u);
}

TEST_F(GameTest, PressInAGapThenReleaseOnATextButtonActs) {
  L().m_strPayUrl.clear();
  Open();
  const Point gap{R(CDezorGame::kPay).right + 2, 20};  // between pay and server
  game->OnMouseMove(gap);
  game->OnLButtonDown(gap);
  EXPECT_EQ(p->view.moveDrags, 0);  // not in the drag strip
  game->OnMouseMove(Mid(R(CDezorGame::kPay)));
  game->OnLButtonUp(Mid(R(CDezorGame::kPay)));
  EXPECT_EQ(shell.opened, std::vector<std::string>{"http://127.0.0.1:18082/?g=kv"});
  EXPECT_EQ(game->ButtonState(CDezorGame::kPay), 0);
}

TEST_F(GameTest, CaptionButtonsNeedPressAndReleaseOnThemselves) {
  Open();
  // A caption button released in hover state (pressed elsewhere) does nothing.
  game->OnMouseMove(Mid(R(CDezorGame::kMinimize)));
  game->OnLButtonUp(Mid(R(CDezorGame::kMinimize)));
  EXPECT_EQ(p->view.minimizes, 0);
  game->OnLButtonDown(Mid(R(CDezorGame::kMinimize)));
  game->OnLButtonUp(Mid(R(CDezorGame::kMinimize)));
  EXPECT_EQ(p->view.minimizes, 1);
  EXPECT_EQ(game->ButtonState(CDezorGame::kMinimize), 0);
}

TEST_F(GameTest, TextButtonReleasedWithoutHoverDoesNothing) {
  Open();
  game->OnLButtonUp(Mid(R(CDezorGame::kServer)));  // state 0: no move reached it
  EXPECT_TRUE(ask.asked.empty());
}

TEST_F(GameTest, ClearCacheReleaseIsNotRepaintedButTheNextHoverChangeIs) {
  Open();
  game->OnMouseMove(Mid(R(CDezorGame::kClearCache)));
  p->view.invalidated.clear();
  game->OnLButtonUp(Mid(R(CDezorGame::kClearCache)));
  EXPECT_EQ(cleaner.starts, 1);
  EXPECT_TRUE(p->view.invalidated.empty());
  game->OnMouseMove({300, 20});
  EXPECT_EQ(p->view.invalidated, std::vector<Rect>{R(CDezorGame::kClearCache)});
}

TEST_F(GameTest, HoverWhileCleaningSparesTheSpinner) {
  Open();
  game->m_bCleaning = true;
  game->OnMouseMove(Mid(R(CDezorGame::kClearCache)));
  const Rect r = R(CDezorGame::kClearCache);
  const std::vector<Rect> strips = {{r.left + 22, r.top, r.right, r.bottom},
                                    {r.left, r.top, r.left + 5, r.bottom},
                                    {r.left, r.top, r.left + 22, r.top + 2},
                                    {r.left, r.bottom - 2, r.left + 22, r.bottom}};
  p->view.invalidated.clear();
  game->OnMouseMove({300, 20});
  EXPECT_EQ(p->view.invalidated, strips);
}

TEST_F(GameTest, BindingButtonZone) {
  L().m_bAccountBound = false;
  Open();
  game->OnMouseMove(Mid(R(CDezorGame::kPay)));
  // Over the binding button nothing changes while the account is a trial account.
  game->OnMouseMove(Mid(game->BindRect()));
  EXPECT_EQ(game->Hovered(), CDezorGame::kPay);
  game->OnLButtonDown(Mid(game->BindRect()));
  EXPECT_EQ(p->view.moveDrags, 0);
  game->OnLButtonUp(Mid(game->BindRect()));
  EXPECT_EQ(popups.log, (std::vector<std::string>{"bind.create:albt", "bind.hide"}));
  game->OnLButtonUp(Mid(game->BindRect()));  // exists already, even hidden
  EXPECT_EQ(popups.log.size(), 2u);
  // Once bound the zone is like empty title bar.
  L().m_bAccountBound = true;
  game->OnMouseMove(Mid(game->BindRect()));
  EXPECT_EQ(game->Hovered(), CDezorGame::kNone);
}

TEST_F(GameTest, PopupsCloseOnTheirMessages) {
  L().m_bAccountBound = false;
  L().m_strPayUrl = "http://127.0.0.1:18082/pay/?o=1";
  Open();
  Click(CDezorGame::kPay);
  Click(CDezorGame::kPay);
  EXPECT_EQ(std::count(popups.log.begin(), popups.log.end(), "pay.create:albt"), 1);
  EXPECT_TRUE(shell.opened.empty());
  game->OnLButtonUp(Mid(game->BindRect()));
  h.queue.Post(game->Id(), UM_CLOSEPAY);
  h.queue.Post(game->Id(), UM_CLOSEBIND);
  h.queue.DispatchPending();
  EXPECT_EQ(game->m_pPayWnd, nullptr);
  EXPECT_EQ(game->m_pJihuoWnd, nullptr);
  EXPECT_NE(std::find(popups.log.begin(), popups.log.end(), "pay.close"), popups.log.end());
  EXPECT_NE(std::find(popups.log.begin(), popups.log.end(), "bind.deleted"), popups.log.end());
  // After closing, a click opens it again.
  Click(CDezorGame::kPay);
  EXPECT_EQ(std::count(popups.log.begin(), popups.log.end(), "pay.create:albt"), 2);
}

TEST_F(GameTest, PayWithoutAddressOpensThePaySiteEveryTime) {
  L().m_strPayUrl.clear();
  Open();
  Click(CDezorGame::kPay);
  Click(CDezorGame::kPay);
  EXPECT_EQ(shell.opened, (std::vector<std::string>{"http://127.0.0.1:18082/?g=kv",
                                                    "http://127.0.0.1:18082/?g=kv"}));
  EXPECT_TRUE(popups.log.empty());
}

// ---- commands -------------------------------------------------------------------------------

TEST_F(GameTest, CloseAndServerAskAndPostCloseGameOnOk) {
  for (int b : {CDezorGame::kClose, CDezorGame::kServer}) {
    for (bool ok : {false, true}) {
      SCOPED_TRACE(std::to_string(b) + (ok ? " ok" : " cancel"));
      ask.asked.clear();
      ask.answer = ok;
      Open();
      if (b == CDezorGame::kClose) {
        Click(b);
      } else {
        game->OnMouseMove(Mid(R(b)));
        game->OnLButtonUp(Mid(R(b)));
      }
      ASSERT_EQ(ask.asked.size(), 1u);
      EXPECT_EQ(ask.asked[0].first, "确定要退出当前正在玩的游戏吗？");
      EXPECT_EQ(ask.asked[0].second, "退出提示");
      EXPECT_EQ(h.queue.PendingCount(), ok ? 1u : 0u);
      h.log.clear();
      h.queue.DispatchPending();
      if (ok) {
        EXPECT_NE(std::find(h.log.begin(), h.log.end(), "login.reload"), h.log.end());
      } else {
        EXPECT_TRUE(h.log.empty());
      }
      EXPECT_FALSE(game->IsClosed());  // the launcher closes it
    }
  }
}

TEST_F(GameTest, WindowGoneDuringTheQuestionIsNotTouched) {
  Open();
  const Point c = Mid(R(CDezorGame::kClose));
  game->OnMouseMove(c);
  game->OnLButtonDown(c);
  // The question's nested loop ends the window; nothing may be posted or read afterwards
  // (AddressSanitizer runs prove the second part).
  CDezorGame* raw = game.get();
  ask.during = [this] { game.reset(); };
  raw->OnLButtonUp(c);
  EXPECT_EQ(game, nullptr);
  EXPECT_EQ(h.queue.PendingCount(), 0u);
}

TEST_F(GameTest, WindowManagerCloseGoesTheCloseButtonsWay) {
  for (bool ok : {false, true}) {
    ask.answer = ok;
    ask.asked.clear();
    Open();
    game->OnCloseRequest();
    EXPECT_EQ(ask.asked.size(), 1u);
    EXPECT_FALSE(game->IsClosed());
    EXPECT_EQ(h.queue.PendingCount(), ok ? 1u : 0u);
    h.queue.DispatchPending();
  }
}

TEST_F(GameTest, MinimiseFromTheButtonAndFromTheQueue) {
  Open();
  Click(CDezorGame::kMinimize);
  EXPECT_EQ(p->view.minimizes, 1);
  h.queue.Post(game->Id(), WM_SYSCOMMAND, SC_MINIMIZE);
  h.queue.DispatchPending();
  EXPECT_EQ(p->view.minimizes, 2);
}

TEST_F(GameTest, MaximiseAndRestore) {
  L().m_bGameMaximized = false;
  Open();
  const Rect normal = p->view.rect;
  Click(CDezorGame::kMaximize);
  EXPECT_TRUE(L().m_bGameMaximized);
  EXPECT_EQ(p->view.rect, p->view.workArea);
  EXPECT_EQ(game->ClientSize(), (Size{1920, 1040}));
  EXPECT_EQ(R(CDezorGame::kClose), (Rect{1888, 7, 1913, 32}));
  EXPECT_EQ(game->BrowserRect(), (Rect{2, 40, 1918, 1038}));
  bool restoreDrawn = false;
  for (const DrawOp& op : game->ComposeFrame().images) restoreDrawn |= op.imageId == 157;
  EXPECT_TRUE(restoreDrawn);

  Click(CDezorGame::kMaximize);
  EXPECT_FALSE(L().m_bGameMaximized);
  EXPECT_EQ(p->view.rect, normal);
  bool maximiseDrawn = false;
  for (const DrawOp& op : game->ComposeFrame().images) maximiseDrawn |= op.imageId == 150;
  EXPECT_TRUE(maximiseDrawn);
}

TEST_F(GameTest, ToggleMovesThePayPopup) {
  L().m_bGameMaximized = false;
  L().m_strPayUrl = "http://pay/";
  Open();
  Click(CDezorGame::kPay);
  popups.log.clear();
  game->ToggleMaximize();
  EXPECT_EQ(popups.log, std::vector<std::string>{"pay.move:1520,40,238x270"});
}

TEST_F(GameTest, DoubleClickInTheDragStripToggles) {
  L().m_bGameMaximized = false;
  Open();
  game->OnLButtonDblClk({500, 20});
  EXPECT_TRUE(L().m_bGameMaximized);
  game->OnLButtonDblClk({500, 20});
  EXPECT_FALSE(L().m_bGameMaximized);
  game->OnLButtonDblClk({500, 100});  // below the title bar
  game->OnLButtonDblClk(Mid(R(CDezorGame::kPay)));
  EXPECT_FALSE(L().m_bGameMaximized);
}

TEST_F(GameTest, DragAndEdgeSizingOnlyWhileNotMaximised) {
  L().m_bGameMaximized = false;
  Open();
  game->OnLButtonDown({500, 20});
  EXPECT_EQ(p->view.moveDrags, 1);
  game->OnLButtonDown({1299, 400});  // right edge
  EXPECT_EQ(p->view.sizings, 1);

  game->Maximize();
  game->OnLButtonDown({500, 20});
  game->OnLButtonDown({1, 400});
  game->OnLButtonDown({600, 1});
  EXPECT_EQ(p->view.moveDrags, 1);
  EXPECT_EQ(p->view.sizings, 1);
  // The edges still show the sizing cursors.
  game->OnMouseMove({1, 400});
  EXPECT_EQ(p->view.cursors.back(), GameCursor::SizeWE);
}

TEST_F(GameTest, EdgeCursorsFollowTheZones) {
  Open();
  const Size c = game->ClientSize();
  const std::pair<Point, GameCursor> cases[] = {
      {{1, 1}, GameCursor::SizeNWSE},
      {{1, 300}, GameCursor::SizeWE},
      {{c.width - 1, 3}, GameCursor::SizeNS},
      {{c.width - 1, 300}, GameCursor::SizeWE},
      {{c.width - 1, c.height - 1}, GameCursor::SizeNWSE},
      {{1, c.height - 1}, GameCursor::SizeNESW},
      {{c.width - 1, 1}, GameCursor::SizeNESW},
      {{600, c.height - 1}, GameCursor::SizeNS},
      {{600, 20}, GameCursor::Arrow},
  };
  for (const auto& [pt, cursor] : cases) {
    game->OnMouseMove(pt);
    EXPECT_EQ(p->view.cursors.back(), cursor) << pt.x << "," << pt.y;
  }
}

TEST_F(GameTest, PointerOnAnEdgeLeavesTheClientArea) {
  L().m_strHotName = "F10";
  Open();
  game->OnMouseMove(Mid(R(CDezorGame::kBossKey)));
  EXPECT_TRUE(game->IsTooltipShown());
  game->OnMouseMove({600, 1});
  EXPECT_FALSE(game->IsTooltipShown());
  EXPECT_FALSE(game->IsLeaveTracked());
}

TEST_F(GameTest, SizingNeverGoesBelowTheMinimum) {
  L().m_bGameMaximized = false;
  Open([](FakeGamePlatform& plat) { plat.view.screen = {1280, 720}; });
  EXPECT_EQ(p->view.rect, (Rect{0, 21, 1280, 661}));  // opened smaller than the minimum
  game->OnLButtonDown({640, game->ClientSize().height - 1});
  ASSERT_EQ(p->view.sizings, 1);
  game->OnSizingTrack(0, -100);
  EXPECT_EQ(p->view.rect, (Rect{0, 21, 1280, 721}));
  EXPECT_EQ(game->ClientSize(), (Size{1280, 700}));
  game->OnSizingEnd();
  game->OnLButtonDown({game->ClientSize().width - 1, 300});
  game->OnSizingTrack(-900, 0);
  EXPECT_EQ(p->view.rect, (Rect{0, 21, 1050, 721}));
  game->OnSizingTrack(40, 0);
  EXPECT_EQ(p->view.rect, (Rect{0, 21, 1320, 721}));
  EXPECT_EQ(R(CDezorGame::kClose), (Rect{1288, 7, 1313, 32}));
  game->OnSizingEnd();
  game->OnSizingTrack(-900, 0);  // no sizing any more
  EXPECT_EQ(p->view.rect, (Rect{0, 21, 1320, 721}));
}

// ---- keys -----------------------------------------------------------------------------------

TEST_F(GameTest, KeyRules) {
  L().m_strGameUrl = "http://127.0.0.1:18081/game/";
  Open();
  p->page.navigations.clear();
  struct Case {
    unsigned vk;
    bool consumed;
    bool reloads;
  };
  const Case cases[] = {
      {0x1B, true, false},                         // Escape never reaches the page
      {0x78, false, true},                         // F9 reloads the start address and goes on
      {0x43, false, false},                        // C (with Control: copy in the page)
      {0x58, false, false},                        // X
      {0x56, false, false},                        // V
      {0x11, false, false},                        // Control itself
      {0x41, false, false}, {0x74, false, false},  // F5 is the page's own
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.vk);
    const std::size_t before = p->page.navigations.size();
    EXPECT_EQ(game->OnKeyDown(c.vk), c.consumed);
    EXPECT_EQ(p->page.navigations.size(), before + (c.reloads ? 1 : 0));
  }
  EXPECT_EQ(p->page.navigations, std::vector<std::string>{"http://127.0.0.1:18081/game/"});
}

TEST_F(GameTest, F9LoadsTheStartAddressWhereverThePageIs) {
  L().m_strGameUrl = "http://127.0.0.1:18081/game/";
  Open();
  EXPECT_TRUE(game->OnBeforeNavigate("client://loadgame?u=http://127.0.0.1:18081/other"));
  L().m_strGameUrl = "http://127.0.0.1:18081/game/?again";
  EXPECT_FALSE(game->OnKeyDown(0x78));
  EXPECT_EQ(p->page.navigations.back(), "http://127.0.0.1:18081/game/?again");
}

// ---- page events ----------------------------------------------------------------------------

TEST_F(GameTest, LoadGameAddressesRedirectAndLoopCasesAreCancelled) {
  Open();
  p->page.navigations.clear();
  struct Case {
    const char* url;
    bool cancel;
    const char* navigated;  // null: none
  };
  const Case cases[] = {
      {"http://127.0.0.1:18081/game/", false, nullptr},
      {"client://loadgame?u=http://127.0.0.1:18081/s2", true, "http://127.0.0.1:18081/s2"},
      {"client://loadgame", true, nullptr},
      {"client://loadgame?u=https://secure/", true, nullptr},
      {"http://a/?client://loadgame", true, nullptr},
      {"CLIENT://LOADGAME?u=http://x/", false, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.url);
    const std::size_t before = p->page.navigations.size();
    EXPECT_EQ(game->OnBeforeNavigate(c.url), c.cancel);
    if (c.navigated) {
      ASSERT_EQ(p->page.navigations.size(), before + 1);
      EXPECT_EQ(p->page.navigations.back(), c.navigated);
    } else {
      EXPECT_EQ(p->page.navigations.size(), before);
    }
  }
}

TEST_F(GameTest, EveryCompletedDocumentTrimsMemory) {
  Open();
  game->OnDocumentComplete("http://a/");
  game->OnDocumentComplete("http://a/frame");
  EXPECT_EQ(p->trimmer.trims, 2);
  EXPECT_FALSE(game->OnNewWindow("http://elsewhere/"));
  game->OnTitleChange("anything");
}

// ---- painting -------------------------------------------------------------------------------

TEST_F(GameTest, FrameComposition) {
  L().m_strServerName = "双线1区";
  L().m_bGameMaximized = false;
  Open();
  game->OnMouseMove(Mid(R(CDezorGame::kServer)));
  const GameFrame f = game->ComposeFrame();
  EXPECT_EQ(f.size, (Size{1300, 820}));
  ASSERT_EQ(f.images.size(), 10u);
  EXPECT_EQ(f.images[0], (DrawOp{143, {0, 0, 800, 40}, {0, 0, 1300, 40}}));
  EXPECT_EQ(f.images[1], (DrawOp{143, {0, 40, 800, 510}, {0, 40, 1300, 820}}));
  EXPECT_EQ(f.images[2], (DrawOp{147, {0, 0, 48, 29}, {10, 5, 58, 34}}));
  EXPECT_EQ(f.images[3], (DrawOp{154, {0, 22, 65, 44}, R(CDezorGame::kServer)}));
  EXPECT_EQ(f.images[4], (DrawOp{155, {0, 0, 75, 22}, R(CDezorGame::kPay)}));
  EXPECT_EQ(f.images[5], (DrawOp{140, {0, 0, 65, 22}, R(CDezorGame::kBossKey)}));
  EXPECT_EQ(f.images[6], (DrawOp{136, {0, 0, 25, 25}, R(CDezorGame::kClose)}));
  EXPECT_EQ(f.images[7], (DrawOp{151, {0, 0, 25, 25}, R(CDezorGame::kMinimize)}));
  EXPECT_EQ(f.images[8], (DrawOp{150, {0, 0, 25, 25}, R(CDezorGame::kMaximize)}));
  EXPECT_EQ(f.images[9], (DrawOp{134, {0, 0, 75, 22}, R(CDezorGame::kClearCache)}));
  EXPECT_EQ(f.title.text, "ZelvoKiravel--双线1区(F9刷新)");
  EXPECT_EQ(f.title.at, (Point{60, 13}));
  EXPECT_EQ(f.title.argb, 0xFFE4D10Du);

  // A pressed caption button shows its third frame.
  game->OnMouseMove(Mid(R(CDezorGame::kClose)));
  game->OnLButtonDown(Mid(R(CDezorGame::kClose)));
  EXPECT_EQ(game->ComposeFrame().images[6], (DrawOp{136, {50, 0, 75, 25}, R(CDezorGame::kClose)}));
}

TEST_F(GameTest, NoTitleTextWithoutServerName) {
  L().m_strServerName.clear();
  Open();
  EXPECT_TRUE(game->ComposeFrame().title.text.empty());
}

TEST_F(GameTest, ServiceButtonAndCleaningPictures) {
  Open();
  game->m_szImFields = {"1", "2", "3", "4", "5", "6", "7"};
  game->OnSize(1300, 820);
  auto has = [&](int id, const Rect& dst) {
    for (const DrawOp& op : game->ComposeFrame().images)
      if (op.imageId == id && op.dst == dst) return true;
    return false;
  };
  EXPECT_TRUE(has(160, game->VipRect()));
  game->m_bBlinking = true;
  EXPECT_FALSE(has(160, game->VipRect()));
  game->m_bCleaning = true;
  EXPECT_TRUE(has(135, R(CDezorGame::kClearCache)));
  EXPECT_FALSE(has(134, R(CDezorGame::kClearCache)));
}

// ---- binding animation ----------------------------------------------------------------------

class BindAnimationTest : public GameTest {
 protected:
  // The frame drawn at every 150 ms step from now on, -1 where nothing new is drawn.
  std::vector<int> Steps(int n) {
    std::vector<int> frames;
    for (int i = 0; i < n; ++i) {
      const std::size_t before = p->view.invalidated.size();
      p->timers.Advance(150);
      bool drew = false;
      for (std::size_t k = before; k < p->view.invalidated.size(); ++k)
        drew |= p->view.invalidated[k] == game->BindRect() && !game->BindRect().IsEmpty();
      frames.push_back(drew ? game->BindFrameShown() : -1);
    }
    return frames;
  }
};

TEST_F(BindAnimationTest, TenStepsACycleWithTheLastFrameHeld) {
  L().m_bAccountBound = false;
  Open();
  game->Show();
  EXPECT_FALSE(game->IsBindAnimating());
  p->timers.Advance(150);  // the start timer
  EXPECT_TRUE(game->IsBindAnimating());
  EXPECT_FALSE(p->timers.IsRunning(CDezorGame::BIND_TIMER_ID));
  EXPECT_EQ(game->BindFrameShown(), 0);
  EXPECT_EQ(Steps(20),
            (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, -1, 0, 1, 2, 3, 4, 5, 6, 7, 8, -1, 0}));
  // The frame on screen is painted over the title bar from the strip's band.
  p->timers.Advance(150 * 8);
  EXPECT_EQ(game->BindFrameShown(), 8);
  p->timers.Advance(150);
  EXPECT_EQ(game->BindFrameShown(), 8);  // step 9 draws nothing
  const GameFrame f = game->ComposeFrame();
  EXPECT_EQ(f.images.back(), (DrawOp{142, {0, 176, 136, 198}, game->BindRect()}));
}

TEST_F(BindAnimationTest, RemovedAtTheEndOfTheCycleInWhichTheAccountWasBound) {
  L().m_bAccountBound = false;
  Open();
  game->Show();
  p->timers.Advance(150);         // animation starts at t = 150
  p->timers.Advance(1500 + 500);  // second cycle, 500 ms in
  L().m_bAccountBound = true;
  p->view.invalidated.clear();
  p->timers.Advance(999);
  EXPECT_TRUE(game->IsBindAnimating());
  EXPECT_FALSE(game->BindRect().IsEmpty());
  p->timers.Advance(1);  // t = 150 + 3000: end of the second cycle
  EXPECT_FALSE(game->IsBindAnimating());
  EXPECT_EQ(game->BindRect(), (Rect{0, 0, -1, -1}));
  EXPECT_EQ(p->view.invalidated.back(), (Rect{0, 0, 1300, 40}));
  EXPECT_FALSE(p->timers.IsRunning(CDezorGame::kBindStepTimerId));
  for (const DrawOp& op : game->ComposeFrame().images) EXPECT_NE(op.imageId, 142);
  // The drag strip keeps its place until the next size change.
  EXPECT_EQ(game->DragRect().right, 1300 - 537);
  game->OnSize(1300, 820);
  EXPECT_EQ(game->DragRect().right, 1300 - 396);
  EXPECT_TRUE(game->BindRect().IsEmpty());
}

TEST_F(BindAnimationTest, WaitsForTheWindowToBeShownWithoutBlocking) {
  L().m_bAccountBound = false;
  Open();
  p->timers.Advance(1000);  // hidden (for example by the boss key)
  EXPECT_FALSE(game->IsBindAnimating());
  EXPECT_FALSE(p->timers.IsRunning(CDezorGame::BIND_TIMER_ID));
  game->Show();
  EXPECT_TRUE(game->IsBindAnimating());
  EXPECT_EQ(game->BindFrameShown(), 0);
  game->Hide();
  game->Show();  // starts only once
  EXPECT_EQ(std::count_if(p->timers.started.begin(), p->timers.started.end(),
                          [](auto& s) { return s.first == CDezorGame::kBindStepTimerId; }),
            1);
}

TEST_F(BindAnimationTest, NoAnimationForABoundAccount) {
  L().m_bAccountBound = true;
  Open();
  game->Show();
  p->timers.Advance(5000);
  EXPECT_FALSE(game->IsBindAnimating());
  EXPECT_TRUE(p->timers.started.empty());
}

TEST_F(BindAnimationTest, MissingStripRemovesTheButtonAtOnce) {
  L().m_bAccountBound = false;
  Open([](FakeGamePlatform& plat) { plat.images.missing = {142}; });
  game->Show();
  p->timers.Advance(150);
  EXPECT_FALSE(game->IsBindAnimating());
  EXPECT_EQ(game->BindRect(), (Rect{0, 0, -1, -1}));
  // A later resize does not bring back an invisible binding zone.
  game->OnSize(1400, 900);
  EXPECT_TRUE(game->BindRect().IsEmpty());
}

TEST_F(BindAnimationTest, CloseStopsEverything) {
  L().m_bAccountBound = false;
  Open();
  game->Show();
  p->timers.Advance(450);
  game->Close();
  EXPECT_TRUE(p->timers.running.empty());
  p->timers.Advance(3000);
  EXPECT_FALSE(game->IsBindAnimating());
}

// ---- tear-down ------------------------------------------------------------------------------

TEST_F(GameTest, CloseTearsDownInOrderAndNothingReachesTheWindowAfterwards) {
  Open();
  game->Show();
  const WindowId id = game->Id();
  game->Close();
  EXPECT_TRUE(game->IsClosed());
  EXPECT_EQ(p->page.stops, 1);
  EXPECT_TRUE(p->page.destroyed);
  EXPECT_TRUE(p->view.destroyed);
  EXPECT_EQ(p->images.freed.size(), 14u);
  EXPECT_EQ(g_pGame, nullptr);
  EXPECT_FALSE(h.queue.IsWindow(id));
  EXPECT_FALSE(h.queue.Post(id, WM_SYSCOMMAND, SC_MINIMIZE));
  p->view.invalidated.clear();
  game->OnMouseMove(Mid(R(CDezorGame::kClose)));
  game->OnSize(1000, 700);
  EXPECT_FALSE(game->OnKeyDown(0x78));
  EXPECT_TRUE(p->view.invalidated.empty());
  game->Close();  // twice is harmless
  EXPECT_EQ(p->page.stops, 1);
}

TEST_F(GameTest, ClosingDeletesThePopups) {
  L().m_strPayUrl = "http://pay/";
  Open();
  Click(CDezorGame::kPay);
  game->Close();
  EXPECT_NE(std::find(popups.log.begin(), popups.log.end(), "pay.deleted"), popups.log.end());
}

// ---- hand-over with the launcher ------------------------------------------------------------

class HandOverTest : public GameTest {
 protected:
  std::vector<FakeGamePlatform*> made;
  void SetUp() override {
    h.windows.makeGame = [this]() -> std::unique_ptr<IGameWindow> {
      auto g = Make([this](FakeGamePlatform& plat) { plat.view.log = &h.log; });
      if (!g->Create()) return nullptr;
      made.push_back(p);
      return g;
    };
  }
};

TEST_F(HandOverTest, OpenShowsTheMaximisedGameAndCloseBringsTheLauncherBack) {
  L().m_bGameMaximized = true;
  L().m_strGameUrl = "http://127.0.0.1:18081/game/";
  h.queue.Send(L().Id(), UM_OPENGAME);
  ASSERT_EQ(made.size(), 1u);
  auto* gameWnd = static_cast<CDezorGame*>(L().m_pGameWnd.get());
  ASSERT_NE(gameWnd, nullptr);
  EXPECT_EQ(g_pGame, gameWnd);
  EXPECT_TRUE(gameWnd->IsZoomed());
  EXPECT_EQ(made[0]->view.rect, made[0]->view.workArea);
  EXPECT_TRUE(made[0]->view.visible);
  EXPECT_FALSE(h.view.visible);
  EXPECT_EQ(h.log,
            (std::vector<std::string>{"game.create", "game.show", "launcher.hide", "login.hide"}));

  // A second request reuses the window.
  h.queue.Send(L().Id(), UM_OPENGAME);
  EXPECT_EQ(h.windows.gamesMade, 1);

  // The boss key toggles the game window while it exists.
  L().ToggleBossKey();
  EXPECT_FALSE(made[0]->view.visible);
  L().ToggleBossKey();
  EXPECT_TRUE(made[0]->view.visible);

  // Close button, question, OK.
  h.log.clear();
  ask.answer = true;
  gameWnd->OnMouseMove(Mid(gameWnd->ButtonRect(CDezorGame::kClose)));
  gameWnd->OnLButtonDown(Mid(gameWnd->ButtonRect(CDezorGame::kClose)));
  gameWnd->OnLButtonUp(Mid(gameWnd->ButtonRect(CDezorGame::kClose)));
  EXPECT_EQ(L().m_pGameWnd.get(), gameWnd);  // posted, not yet handled
  h.queue.DispatchPending();
  EXPECT_EQ(L().m_pGameWnd, nullptr);
  EXPECT_EQ(g_pGame, nullptr);
  EXPECT_EQ(h.log, (std::vector<std::string>{"game.destroy", "login.reload", "launcher.show",
                                             "login.hide", "launcher.foreground"}));
  EXPECT_TRUE(h.view.visible);
}

TEST_F(HandOverTest, RestoredStateIsRememberedForTheNextWindow) {
  L().m_bGameMaximized = true;
  h.queue.Send(L().Id(), UM_OPENGAME);
  auto* first = static_cast<CDezorGame*>(L().m_pGameWnd.get());
  first->ToggleMaximize();
  EXPECT_FALSE(L().m_bGameMaximized);
  h.queue.Send(L().Id(), UM_CLOSEGAME);
  h.queue.Send(L().Id(), UM_OPENGAME);
  ASSERT_EQ(made.size(), 2u);
  EXPECT_EQ(made[1]->view.rect, (Rect{310, 111, 1610, 931}));
  EXPECT_FALSE(static_cast<CDezorGame*>(L().m_pGameWnd.get())->IsZoomed());
}

TEST_F(HandOverTest, AnimationOfAClosedWindowNeverFiresAgain) {
  L().m_bAccountBound = false;
  h.queue.Send(L().Id(), UM_OPENGAME);
  FakeGamePlatform* plat = made[0];
  plat->timers.Advance(600);
  EXPECT_TRUE(static_cast<CDezorGame*>(L().m_pGameWnd.get())->IsBindAnimating());
  // Timers of the platform bundle go with the window object.
  h.queue.Send(L().Id(), UM_CLOSEGAME);
  EXPECT_EQ(L().m_pGameWnd, nullptr);
}

}  // namespace
}  // namespace vz
