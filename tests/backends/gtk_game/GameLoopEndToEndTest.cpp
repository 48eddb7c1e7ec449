// The whole loop with the real client against the simulator: launcher, login page, a server
// click, the maximised game window on the game page, the close button and its question,
// and the launcher back with the login page loaded again.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <filesystem>
#include <set>
#include <string>
#include <thread>

#include "tests/backends/support/DisplayHarness.h"
#include "tools/simulator/Simulator.h"

namespace vz::test {
namespace {

using namespace std::chrono_literals;
using sim::Site;

constexpr const char* kTitle = "ZelvoKiravel";
// The launcher is centred on the 1600x1000 test screen; the login page sits at (324, 284).
constexpr int kPageX = 222 + 324;
constexpr int kPageY = 87 + 284;
constexpr int kServer1X = kPageX + 334, kServer1Y = kPageY + 82;
constexpr int kTrialX = kPageX + 31, kTrialY = kPageY + 195;

class GameLoop : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "needs an X display";
    setenv("no_proxy", "127.0.0.1,localhost", 1);
    sim_ = std::make_unique<sim::Simulator>(sim::Ports::AnyFree());
    std::string error;
    ASSERT_TRUE(sim_->Start(&error)) << error;
    dir_ = std::make_unique<ClientDir>(VOZUDEZI_CLIENT_PATH);
    InstallUrlRecorder(dir_->Path() + "/desktop");
    std::filesystem::create_directories(dir_->Path() + "/cache");
    setenv("XDG_CACHE_HOME", (dir_->Path() + "/cache").c_str(), 1);
    dir_->WriteIni("[kv]\nstart=1\nuid=zc777\nfilename=abc\n[endpoints]\nplatform=" +
                   sim_->BaseUrl(Site::Platform) + "\ngame=" + sim_->BaseUrl(Site::Game) +
                   "\npay=" + sim_->BaseUrl(Site::Pay) + "\nlog=" + sim_->BaseUrl(Site::Log) +
                   "\n");
    MouseMove(1590, 990);
    client_ = Process({dir_->Client()}, dir_->Path());
  }
  void TearDown() override {
    client_.Kill();
    if (sim_) sim_->Stop();
  }

  std::size_t Count(Site site, const std::string& part) {
    std::size_t n = 0;
    for (const auto& r : sim_->recorder().RequestsTo(site))
      n += r.target.find(part) != std::string::npos ? 1 : 0;
    return n;
  }
  std::size_t LoginLoads() { return Count(Site::Platform, "stat?ev=load"); }

  // The visible window titled "ZelvoKiravel" at this place and at least this large, "" when
  // none.
  static std::string WindowAt(int x, int y, int w, int h) {
    for (const std::string& id : VisibleWindows(kTitle)) {
      WindowGeometry g;
      if (GeometryOf(id, &g) && g.x == x && g.y == y && g.width >= w && g.height >= h) return id;
    }
    return {};
  }
  // The launcher's window is sometimes larger than its picture after it comes back (its
  // child layer grows); what shows is the same, so only its place is checked.
  static bool LauncherShown() { return !WindowAt(222, 87, 1155, 825).empty(); }
  static bool GameShownMaximised() { return !WindowAt(0, 0, 1600, 1000).empty(); }

  static std::string Shot(const std::string& name) {
    const std::string path = std::string(VOZUDEZI_SHOT_DIR) + "/" + name;
    Screenshot(path);
    return path;
  }

  void OpenGameFromTheLoginPage(bool trial) {
    ASSERT_TRUE(WaitUntil(LauncherShown, 20s));
    ASSERT_TRUE(WaitUntil([&] { return LoginLoads() >= 1; }, 30s));
    std::this_thread::sleep_for(500ms);
    if (trial) {
      MouseMove(kTrialX, kTrialY);
      std::this_thread::sleep_for(150ms);
      Click(1);
      std::this_thread::sleep_for(300ms);
    }
    MouseMove(kServer1X - 2, kServer1Y - 2);
    MouseMove(kServer1X, kServer1Y);
    std::this_thread::sleep_for(150ms);
    Click(1);
    ASSERT_TRUE(WaitUntil(GameShownMaximised, 20s)) << "no maximised game window";
    ASSERT_TRUE(WaitUntil([] { return !LauncherShown(); }, 5s));
    ASSERT_TRUE(WaitUntil([&] { return Count(Site::Game, "/play/?server=1") >= 1; }, 20s));
  }

  std::unique_ptr<sim::Simulator> sim_;
  std::unique_ptr<ClientDir> dir_;
  Process client_;
};

TEST_F(GameLoop, ServerClickOpensTheGameAndCloseBringsTheLauncherBack) {
  OpenGameFromTheLoginPage(false);
  std::this_thread::sleep_for(1500ms);  // the game page paints
  Shot("e2e-game-window.png");

  // The close button (W - 32, 7)-(W - 7, 32) asks; OK hands back to the launcher.
  const std::size_t logins = LoginLoads();
  MouseMove(1600 - 20, 19);
  std::this_thread::sleep_for(150ms);
  Click(1);
  std::string question;
  ASSERT_TRUE(WaitUntil(
      [&] {
        const auto ids = VisibleWindows("退出提示");
        if (ids.empty()) return false;
        question = ids.front();
        return true;
      },
      10s));
  Shot("e2e-close-question.png");
  WindowGeometry g;
  ASSERT_TRUE(GeometryOf(question, &g));
  // "确定" is the left one of the two buttons along the bottom.
  for (int i = 0; i < 3 && !VisibleWindows("退出提示").empty(); ++i) {
    MouseMove(g.x + g.width / 4 - 2, g.y + g.height - 17);
    MouseMove(g.x + g.width / 4, g.y + g.height - 15);
    std::this_thread::sleep_for(300ms);
    Click(1);
    WaitUntil([] { return VisibleWindows("退出提示").empty(); }, 2s);
  }
  if (!WaitUntil(LauncherShown, 10s)) {
    Shot("e2e-launcher-missing.png");
    std::string seen;
    for (const std::string& id : VisibleWindows(".*")) {
      WindowGeometry w;
      GeometryOf(id, &w);
      seen += Capture("xdotool getwindowname " + id) + " " + std::to_string(w.x) + "," +
              std::to_string(w.y) + " " + std::to_string(w.width) + "x" + std::to_string(w.height) +
              "; ";
    }
    FAIL() << "the launcher did not come back; visible: " << seen;
  }
  EXPECT_TRUE(WaitUntil([] { return !GameShownMaximised(); }, 5s));
  EXPECT_TRUE(WaitUntil([&] { return LoginLoads() > logins; }, 20s)) << "login page not reloaded";
  std::this_thread::sleep_for(500ms);
  Shot("e2e-launcher-back.png");
  EXPECT_TRUE(client_.Running());
}

TEST_F(GameLoop, CancelledQuestionKeepsTheGame) {
  OpenGameFromTheLoginPage(false);
  MouseMove(1600 - 311 + 30, 19);  // the server button asks the same question
  std::this_thread::sleep_for(150ms);
  Click(1);
  std::string question;
  ASSERT_TRUE(WaitUntil(
      [&] {
        const auto ids = VisibleWindows("退出提示");
        if (ids.empty()) return false;
        question = ids.front();
        return true;
      },
      10s));
  WindowGeometry g;
  ASSERT_TRUE(GeometryOf(question, &g));
  for (int i = 0; i < 3 && !VisibleWindows("退出提示").empty(); ++i) {
    MouseMove(g.x + g.width * 3 / 4 - 2, g.y + g.height - 17);
    MouseMove(g.x + g.width * 3 / 4, g.y + g.height - 15);  // "取消"
    std::this_thread::sleep_for(300ms);
    Click(1);
    WaitUntil([] { return VisibleWindows("退出提示").empty(); }, 2s);
  }
  ASSERT_TRUE(WaitUntil([] { return VisibleWindows("退出提示").empty(); }, 5s));
  std::this_thread::sleep_for(500ms);
  EXPECT_TRUE(GameShownMaximised());
  EXPECT_FALSE(LauncherShown());
}

TEST_F(GameLoop, TrialAccountSeesTheBindingButtonAnimate) {
  OpenGameFromTheLoginPage(true);
  // The binding button sits at (W - 532, 9)-(W - 396, 31); its picture changes every 150 ms.
  const int x = 1600 - 532, y = 9;
  std::set<std::string> looks;
  for (int i = 0; i < 12; ++i) {
    looks.insert(Capture("import -window root -crop 136x22+" + std::to_string(x) + "+" +
                         std::to_string(y) + " rgb:- 2>/dev/null | md5sum"));
    std::this_thread::sleep_for(110ms);
  }
  Shot("e2e-game-window-trial.png");
  EXPECT_GE(looks.size(), 4u) << "the binding button does not animate";
}

}  // namespace
}  // namespace vz::test
