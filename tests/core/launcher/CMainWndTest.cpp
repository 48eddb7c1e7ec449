#include "core/app/launcher/CMainWnd.h"

#include <gtest/gtest.h>

#include "LauncherFakes.h"
#include "core/app/Messages.h"

namespace vz::test {
namespace {

using B = CMainWnd::Button;

class LauncherTest : public ::testing::Test, public LauncherFixture {};

TEST_F(LauncherTest, CreationCentresTitlesAndStartsServices) {
  auto w = Make();
  EXPECT_EQ(view.title, "ZelvoKiravel");
  EXPECT_EQ(view.icon, 148);
  EXPECT_EQ(view.rect, (Rect{222, 87, 1377, 912}));
  EXPECT_EQ(g_pLauncher, w.get());
  EXPECT_TRUE(tray.present);
  EXPECT_EQ(tray.addedIcon, 148);
  EXPECT_EQ(tray.tip, "ZelvoKiravel");
  EXPECT_EQ(timers.running.at(REPORT_TIMER_ID), 10000u);
  ASSERT_EQ(hotKeys.registered.size(), 1u);  // F10 by default
  EXPECT_EQ(hotKeys.registered[0].id, BOSSKEY_HOTKEY_ID);
  EXPECT_EQ(hotKeys.registered[0].vk, 121u);
  EXPECT_EQ(hotKeys.registered[0].modifiers, 0u);
  EXPECT_EQ(w->m_strIniPath, "/opt/vz/static.ini");
  EXPECT_EQ(windows.loginCreated, 1);
  EXPECT_FALSE(windows.login->visible);
  EXPECT_EQ(windows.login->placed, (Rect{222 + 324, 87 + 284, 222 + 967, 87 + 682}));
  EXPECT_EQ(view.presents, 1);
  w.reset();
  EXPECT_EQ(g_pLauncher, nullptr);
}

TEST_F(LauncherTest, ScreenSmallerThanSkinGivesNegativeOrigin) {
  view.screen = {1024, 768};
  auto w = Make();
  EXPECT_EQ(view.rect, (Rect{-65, -28, 1090, 797}));
}

TEST_F(LauncherTest, MissingBackgroundKeepsShippedSize) {
  images.missing = {149, 138};
  auto w = Make();
  EXPECT_EQ(w->SkinSize(), (Size{1155, 825}));
  for (const DrawOp& op : view.last.ops) {
    EXPECT_NE(op.imageId, 149);
    EXPECT_NE(op.imageId, 138);
  }
  EXPECT_EQ(view.last.ops.size(), 5u);
}

TEST_F(LauncherTest, HitTestPrecedence) {
  auto w = Make();
  struct Case {
    Point p;
    B want;
  } cases[] = {
      {{480, 250}, B::kHome},     {{620, 250}, B::kPay},  {{760, 250}, B::kService},
      {{700, 250}, B::kForum},    {{967, 240}, B::kNone}, {{1000, 220}, B::kClose},
      {{930, 230}, B::kMinimize}, {{497, 250}, B::kPay},  {{343, 235}, B::kHome},
      {{342, 250}, B::kNone},     {{904, 250}, B::kNone}, {{1023, 211}, B::kNone},
      {{500, 276}, B::kNone},     {{600, 400}, B::kNone},
  };
  for (const auto& c : cases) EXPECT_EQ(w->HitTest(c.p), c.want) << c.p.x << "," << c.p.y;
}

TEST_F(LauncherTest, HoverRecomposesOnlyOnChange) {
  auto w = Make();
  const int base = view.presents;
  w->OnMouseMove({480, 250});
  EXPECT_EQ(w->ButtonState(B::kHome), 1);
  EXPECT_EQ(view.presents, base + 1);
  w->OnMouseMove({481, 251});  // same button
  EXPECT_EQ(view.presents, base + 1);
  w->OnMouseMove({620, 250});  // pay takes over
  EXPECT_EQ(w->ButtonState(B::kHome), 0);
  EXPECT_EQ(w->ButtonState(B::kPay), 1);
  EXPECT_EQ(view.presents, base + 2);
  w->OnMouseMove({600, 500});
  EXPECT_EQ(view.presents, base + 3);
  w->OnMouseMove({601, 500});  // nothing changes: no composition at all
  EXPECT_EQ(view.presents, base + 3);
  EXPECT_EQ(w->RedrawCount(), static_cast<std::uint64_t>(base + 3));
}

TEST_F(LauncherTest, CompositionDrawsStateFrames) {
  auto w = Make();
  w->OnMouseMove({1000, 220});
  const auto& ops = view.last.ops;
  ASSERT_EQ(ops.size(), 7u);
  EXPECT_EQ(ops[0], (DrawOp{149, {0, 0, 1155, 825}, {0, 0, 1155, 825}}));
  EXPECT_EQ(ops[1], (DrawOp{138, {0, 54, 55, 108}, {968, 211, 1023, 265}}));  // close, frame 1
  EXPECT_EQ(ops[2], (DrawOp{152, {0, 0, 39, 39}, {928, 227, 967, 266}}));
  const int order[] = {153, 133, 139, 131};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(ops[3 + i].imageId, order[i]);
  EXPECT_EQ(view.last.size, (Size{1155, 825}));
}

TEST_F(LauncherTest, HandCursorOnlyOverCaptionButtons) {
  auto w = Make();
  w->OnMouseMove({1000, 220});
  w->OnMouseMove({930, 230});
  w->OnMouseMove({480, 250});
  w->OnMouseMove({10, 10});
  EXPECT_EQ(view.cursors, (std::vector<Cursor>{Cursor::Hand, Cursor::Arrow}));
}

TEST_F(LauncherTest, LinkActsOnlyWhenLit) {
  auto w = Make();
  w->OnLButtonUp({480, 250});  // arrived without a move
  EXPECT_TRUE(shell.opened.empty());
  struct Case {
    Point p;
    std::string url;
  } cases[] = {
      {{480, 250}, "http://127.0.0.1:18081"},
      {{620, 250}, "http://127.0.0.1:18082/?g=kv"},
      {{760, 250}, "http://127.0.0.1:18080/kefu/"},
      {{700, 250}, "http://127.0.0.1:18081"},
  };
  for (const auto& c : cases) {
    shell.opened.clear();
    w->OnMouseMove(c.p);
    w->OnLButtonUp(c.p);
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(shell.opened[0], c.url);
    EXPECT_EQ(w->ButtonState(w->HitTest(c.p)), 0);
  }
}

TEST_F(LauncherTest, LinksUseConfiguredEndpoints) {
  SetIni("[endpoints]\ngame=https://game.example\npay=https://pay.example/\n");
  auto w = Make();
  w->OnMouseMove({480, 250});
  w->OnLButtonUp({480, 250});
  w->OnMouseMove({620, 250});
  w->OnLButtonUp({620, 250});
  EXPECT_EQ(shell.opened,
            (std::vector<std::string>{"https://game.example", "https://pay.example/?g=kv"}));
}

TEST_F(LauncherTest, CloseAlwaysAsksAndCancelKeepsRunning) {
  auto w = Make();
  w->OnLButtonUp({1000, 220});  // state 0, still asks
  ASSERT_EQ(box.asked.size(), 1u);
  EXPECT_EQ(box.asked[0].first, "确定要退出吗？");
  EXPECT_EQ(box.asked[0].second, "退出提示");
  EXPECT_FALSE(view.destroyed);
  EXPECT_TRUE(tray.present);
}

TEST_F(LauncherTest, CloseWithOkTearsDown) {
  auto w = Make();
  box.answer = true;
  w->OnMouseMove({1000, 220});
  w->OnLButtonUp({1000, 220});
  EXPECT_TRUE(view.destroyed);
  EXPECT_FALSE(tray.present);
  EXPECT_EQ(w->LoginDialog(), nullptr);
  EXPECT_EQ(windows.log.back(), "login.close");
  EXPECT_EQ(images.freed, (std::set<int>{149, 138, 152, 153, 133, 139, 131}));
  const int presents = view.presents;
  w->OnMouseMove({480, 250});  // a gone window draws nothing
  EXPECT_EQ(view.presents, presents);
}

TEST_F(LauncherTest, PressOutsideButtonsDrags) {
  auto w = Make();
  w->OnLButtonDown({967, 240});
  w->OnLButtonDown({100, 100});
  w->OnLButtonDown({480, 250});
  w->OnLButtonDown({1000, 220});
  EXPECT_EQ(view.drags, 2);
}

TEST_F(LauncherTest, MinimiseNeedsHover) {
  auto w = Make();
  w->OnLButtonUp({930, 230});
  EXPECT_EQ(view.minimizes, 0);
  w->OnMouseMove({930, 230});
  w->OnLButtonUp({930, 230});
  EXPECT_EQ(view.minimizes, 1);
  EXPECT_EQ(w->ButtonState(B::kMinimize), 0);
}

TEST_F(LauncherTest, OpenGameCreatesOnceAndHidesLauncher) {
  auto w = Make();
  w->ShowWindow(true);
  queue.Send(w->Id(), UM_OPENGAME);
  EXPECT_EQ(windows.gameCreated, 1);
  EXPECT_FALSE(view.visible);
  EXPECT_FALSE(windows.login->visible);
  ASSERT_NE(w->m_pGameWnd, nullptr);
  EXPECT_NE(std::find(windows.log.begin(), windows.log.end(), "game.maximize"), windows.log.end());
  windows.log.clear();
  view.visible = true;
  queue.Send(w->Id(), UM_OPENGAME);  // exists: only hides the launcher
  EXPECT_EQ(windows.gameCreated, 1);
  EXPECT_FALSE(view.visible);
  EXPECT_EQ(std::find(windows.log.begin(), windows.log.end(), "game.show"), windows.log.end());
}

TEST_F(LauncherTest, OpenGameRestoredWhenNotMaximised) {
  auto w = Make();
  w->m_bGameMaximized = false;
  queue.Send(w->Id(), UM_OPENGAME);
  EXPECT_EQ(std::find(windows.log.begin(), windows.log.end(), "game.maximize"), windows.log.end());
  EXPECT_TRUE(windows.game->visible);
}

TEST_F(LauncherTest, OpenGameWithoutGameWindowKeepsTheLauncher) {
  auto w = Make();
  w->ShowWindow(true);
  windows.gameFails = true;
  queue.Send(w->Id(), UM_OPENGAME);
  EXPECT_EQ(w->m_pGameWnd, nullptr);
  EXPECT_TRUE(view.visible);
  windows.gameFails = false;
  queue.Send(w->Id(), UM_OPENGAME);  // a later request may still succeed
  EXPECT_NE(w->m_pGameWnd, nullptr);
  EXPECT_FALSE(view.visible);
}

TEST_F(LauncherTest, CloseGameTearsDownReloadsAndShows) {
  auto w = Make();
  queue.Send(w->Id(), UM_OPENGAME);
  windows.log.clear();
  queue.Post(w->Id(), UM_CLOSEGAME);
  EXPECT_EQ(queue.DispatchPending(), 1u);
  EXPECT_EQ(w->m_pGameWnd, nullptr);
  const std::vector<std::string> want = {"game.close", "game.deleted", "login.reload",
                                         "login.hide"};
  EXPECT_EQ(windows.log, want);
  EXPECT_TRUE(view.visible);
  EXPECT_GE(view.foregrounds, 1);
}

TEST_F(LauncherTest, CloseGameWithoutGameStillReloadsAndShows) {
  auto w = Make();
  w->m_bShowLoginOnLoad = false;
  queue.Send(w->Id(), UM_CLOSEGAME);
  EXPECT_EQ(windows.log.back(), "login.show");
  EXPECT_NE(std::find(windows.log.begin(), windows.log.end(), "login.reload"), windows.log.end());
  EXPECT_TRUE(view.visible);
}

TEST_F(LauncherTest, GameCallNeedsTextAndWindow) {
  auto w = Make();
  queue.Send(w->Id(), UM_GAMECALL);  // empty text, no window
  w->m_strGameCall = "a|b|c|";
  queue.Send(w->Id(), UM_GAMECALL);  // no window: dropped
  EXPECT_EQ(w->m_strGameCall, "a|b|c|");
  queue.Send(w->Id(), UM_OPENGAME);
  queue.Send(w->Id(), UM_GAMECALL);
  EXPECT_EQ(windows.log.back(), "game.call:a|b|c|");
  EXPECT_EQ(w->m_strGameCall, "a|b|c|");  // kept
  w->m_strGameCall.clear();
  windows.log.clear();
  queue.Send(w->Id(), UM_GAMECALL);
  EXPECT_TRUE(windows.log.empty());
}

TEST_F(LauncherTest, ReportTimerFiresOnceAndOnlyWithUid) {
  auto w = Make();
  w->OnTimer(REPORT_TIMER_ID);
  EXPECT_TRUE(report.sent.empty());
  EXPECT_EQ(timers.running.count(REPORT_TIMER_ID), 0u);

  SetIni("[kv]\nstart=1\nuid=zc777\nfilename=abc\n");
  auto w2 = Make();
  w2->OnTimer(99);
  EXPECT_TRUE(report.sent.empty());
  w2->OnTimer(REPORT_TIMER_ID);
  ASSERT_EQ(report.sent.size(), 1u);
  EXPECT_EQ(report.sent[0], (std::vector<std::string>{"zc777", "kv", "4"}));
  EXPECT_EQ(w2->m_strSuid, "abc");
}

TEST_F(LauncherTest, EmptyHotKeyRegistersNothing) {
  SetIni("[kv]\nhotkey=\nhotName=F10\n");
  auto w = Make();
  EXPECT_TRUE(hotKeys.registered.empty());
  EXPECT_EQ(w->m_strHotName, "F10");
}

TEST_F(LauncherTest, HotKeyModifiersAreMapped) {
  SetIni("[kv]\nhotkey=393306\n");  // Ctrl+Alt+Z: 0x06 << 16 | 0x5A
  auto w = Make();
  ASSERT_EQ(hotKeys.registered.size(), 1u);
  EXPECT_EQ(hotKeys.registered[0].vk, 0x5Au);
  EXPECT_EQ(hotKeys.registered[0].modifiers, 0x0003u);
}

TEST_F(LauncherTest, BossKeyTogglesLauncherWithoutGame) {
  auto w = Make();
  w->ShowWindow(true);
  w->OnHotKey(BOSSKEY_HOTKEY_ID);
  EXPECT_FALSE(view.visible);
  EXPECT_FALSE(windows.login->visible);
  w->OnHotKey(BOSSKEY_HOTKEY_ID);
  EXPECT_TRUE(view.visible);
  EXPECT_EQ(view.foregrounds, 1);
  w->OnHotKey(7);  // another id: nothing
  EXPECT_TRUE(view.visible);
}

TEST_F(LauncherTest, BossKeyTogglesOnlyTheGame) {
  auto w = Make();
  queue.Send(w->Id(), UM_OPENGAME);
  ASSERT_TRUE(windows.game->visible);
  w->ToggleBossKey();
  EXPECT_FALSE(windows.game->visible);
  EXPECT_FALSE(view.visible);
  w->ToggleBossKey();
  EXPECT_TRUE(windows.game->visible);
  EXPECT_FALSE(view.visible);
  EXPECT_EQ(windows.log.back(), "game.foreground");
}

TEST_F(LauncherTest, HiddenStartCreatesLoginAtFirstShow) {
  auto w = Make(1);
  EXPECT_EQ(windows.loginCreated, 0);
  EXPECT_TRUE(w->m_bDeferLogin);
  w->ToggleBossKey();
  EXPECT_EQ(windows.loginCreated, 1);
  EXPECT_FALSE(w->m_bDeferLogin);
  EXPECT_FALSE(windows.login->visible);  // waits for its page
  EXPECT_EQ(windows.login->placed.left, view.rect.left + 324);
  w->ToggleBossKey();
  w->m_bShowLoginOnLoad = false;
  w->ToggleBossKey();
  EXPECT_TRUE(windows.login->visible);
  EXPECT_EQ(windows.loginCreated, 1);
}

TEST_F(LauncherTest, LoginDialogFollowsMovesAndSurvivesFailure) {
  auto w = Make();
  view.rect = {10, 20, 1165, 845};
  w->OnMove();
  EXPECT_EQ(windows.login->placed, (Rect{334, 304, 977, 702}));

  LauncherFixture other;
  other.windows.loginFails = true;
  auto w2 = other.Make();
  EXPECT_EQ(w2->LoginDialog(), nullptr);
  w2->OnMove();
  w2->ShowWindow(true);
  other.queue.Send(w2->Id(), UM_CLOSEGAME);
  EXPECT_TRUE(other.view.visible);
}

TEST_F(LauncherTest, TrayDoubleClickRestoresOrShows) {
  auto w = Make(1);
  w->OnTrayIcon(TrayMouse::LeftDoubleClick);
  EXPECT_TRUE(view.visible);
  EXPECT_EQ(windows.loginCreated, 1);
  view.iconic = true;
  w->OnTrayIcon(TrayMouse::LeftDoubleClick);
  EXPECT_FALSE(view.iconic);
  EXPECT_EQ(view.log.back(), "restore");
  EXPECT_EQ(view.foregrounds, 2);
  w->OnTrayIcon(TrayMouse::Other);
  EXPECT_EQ(view.foregrounds, 2);
}

TEST_F(LauncherTest, TrayMenuExitEndsWithoutAsking) {
  auto w = Make();
  w->OnTrayIcon(TrayMouse::RightButtonDown);
  ASSERT_EQ(tray.menus.size(), 1u);
  ASSERT_EQ(tray.menus[0].size(), 1u);
  EXPECT_EQ(tray.menus[0][0].command, CMD_EXIT);
  EXPECT_EQ(tray.menus[0][0].text, "退出");
  w->OnCommand(CMD_EXIT);
  EXPECT_TRUE(box.asked.empty());
  EXPECT_TRUE(view.destroyed);
  EXPECT_FALSE(tray.present);
}

TEST_F(LauncherTest, DestructionClosesGameBeforeRelease) {
  auto w = Make();
  queue.Send(w->Id(), UM_OPENGAME);
  windows.log.clear();
  w.reset();
  ASSERT_GE(windows.log.size(), 2u);
  EXPECT_EQ(windows.log[0], "game.close");
  EXPECT_EQ(windows.log[1], "game.deleted");
}

}  // namespace
}  // namespace vz::test
