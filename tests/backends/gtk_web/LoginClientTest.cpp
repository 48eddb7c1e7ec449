// The real client against the simulator: the login page in the launcher's black area,
// the page's calls through window.external, keys, new windows and the exit question.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <thread>

#include "ScreenPixels.h"
#include "tests/backends/support/DisplayHarness.h"
#include "tools/simulator/Simulator.h"

namespace vz::test {
namespace {

using namespace std::chrono_literals;
using sim::Site;

constexpr const char* kTitle = "ZelvoKiravel";
// The launcher is centred on the 1600x1000 test screen; the page sits at (324, 284) in it.
constexpr int kPageX = 222 + 324;
constexpr int kPageY = 87 + 284;

// Points of the login page (page coordinates), from its layout.
struct PagePoint {
  int x, y;
};
constexpr PagePoint kServer1{334, 82};     // first cell of the server grid
constexpr PagePoint kQuickEntry{70, 157};  // "last server" link (navigates with client = 1)
constexpr PagePoint kForum{45, 366};       // "官方论坛" (target _blank)
constexpr PagePoint kEmpty{420, 320};      // empty part of the server panel
constexpr PagePoint kAvatar{35, 54};       // the gold avatar, left of its letter

class LoginClient : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    setenv("no_proxy", "127.0.0.1,localhost", 1);
    setenv("NO_PROXY", "127.0.0.1,localhost", 1);
  }

  void SetUp() override {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "needs an X display";
    sim_ = std::make_unique<sim::Simulator>(sim::Ports::AnyFree());
    std::string error;
    ASSERT_TRUE(sim_->Start(&error)) << error;
    dir_ = std::make_unique<ClientDir>(VOZUDEZI_CLIENT_PATH);
    // WebKit's data, and the default browser, belong to this test only.
    InstallUrlRecorder(dir_->Path() + "/desktop");
    std::filesystem::create_directories(dir_->Path() + "/cache");
    setenv("XDG_CACHE_HOME", (dir_->Path() + "/cache").c_str(), 1);
    dir_->WriteIni("[kv]\nstart=1\nuid=zc777\nfilename=abc\n[endpoints]\nplatform=" +
                   sim_->BaseUrl(Site::Platform) + "\ngame=" + sim_->BaseUrl(Site::Game) +
                   "\npay=" + sim_->BaseUrl(Site::Pay) + "\nlog=" + sim_->BaseUrl(Site::Log) +
                   "\n");
  }

  void TearDown() override {
    client_.Kill();
    if (sim_) sim_->Stop();
  }

  void Start(const std::vector<std::string>& args = {}) {
    std::vector<std::string> argv{dir_->Client()};
    argv.insert(argv.end(), args.begin(), args.end());
    client_ = Process(argv, dir_->Path());
  }

  // Waits for the launcher at its centred place; its X id, or "" on time-out.
  std::string WaitForLauncher() {
    std::string id;
    const bool found = WaitUntil([&] {
      auto ids = VisibleWindows(kTitle);
      WindowGeometry g;
      if (ids.empty() || !GeometryOf(ids.front(), &g) || g.x != 222 || g.y != 87) return false;
      id = ids.front();
      return true;
    });
    if (!found) {
      std::cerr << "launcher not found; running=" << client_.Running() << " windows="
                << Capture(
                       "xdotool search --onlyvisible --name . 2>/dev/null | "
                       "xargs -r -n1 xdotool getwindowname")
                << "\n";
    }
    return id;
  }

  // Whether the launcher (by its X id) is still visible; a game window may carry the same
  // title.
  static bool Visible(const std::string& id) {
    for (const std::string& w : VisibleWindows(kTitle)) {
      if (w == id) return true;
    }
    return false;
  }

  std::size_t Count(Site site, const std::string& targetPart) {
    std::size_t n = 0;
    for (const auto& r : sim_->recorder().RequestsTo(site)) {
      n += r.target.find(targetPart) != std::string::npos ? 1 : 0;
    }
    return n;
  }
  std::size_t LoginLoads() { return Count(Site::Platform, "/game/s/wdAccess/?name=kv"); }
  bool WaitForPageLoad() {
    return WaitUntil([&] { return Count(Site::Platform, "stat?ev=load") > 0; }, 20s);
  }
  void HttpGet(Site site, const std::string& path) {
    Capture("curl -s -o /dev/null '" + sim_->BaseUrl(site) + path + "'");
  }
  static void ClickPage(PagePoint p) {
    MouseMove(kPageX + p.x - 2, kPageY + p.y - 2);
    MouseMove(kPageX + p.x, kPageY + p.y);
    std::this_thread::sleep_for(150ms);
    Click(1);
  }
  static std::string Shot(const std::string& name) {
    const std::string path = std::string(VOZUDEZI_SHOT_DIR) + "/" + name;
    Screenshot(path);
    return path;
  }

  std::unique_ptr<sim::Simulator> sim_;
  std::unique_ptr<ClientDir> dir_;
  Process client_;
};

// How many points of a grid over the browser area differ from the launcher's own
// picture there (black), and the colour at one page point.
struct AreaLook {
  int differing = 0;
  int points = 0;
  unsigned avatar = 0;
};

bool IsGold(unsigned rgb) {
  const unsigned r = rgb >> 16, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
  return r > 150 && g > 90 && b < 120;
}

AreaLook LookAtBrowserArea(int dx = 0, int dy = 0) {
  AreaLook look;
  const std::vector<unsigned> area = ReadScreen(kPageX + dx, kPageY + dy, 643, 398);
  if (area.empty()) return look;
  auto pixel = [&](int x, int y) { return area[static_cast<std::size_t>(y * 643 + x)]; };
  for (int y = 10; y < 398; y += 40) {
    for (int x = 10; x < 643; x += 40) {
      ++look.points;
      look.differing += pixel(x, y) != 0 ? 1 : 0;
    }
  }
  look.avatar = pixel(kAvatar.x, kAvatar.y);
  return look;
}

TEST_F(LoginClient, PageAppearsInTheBlackAreaOnlyOnceLoaded) {
  HttpGet(Site::Platform, "/game/s/wdAccess/delay?ms=3000");
  Start();
  ASSERT_FALSE(WaitForLauncher().empty());
  ASSERT_TRUE(WaitUntil([&] { return LoginLoads() == 1; }, 5s));
  std::this_thread::sleep_for(800ms);
  Shot("login-before-load.png");
  const AreaLook before = LookAtBrowserArea();
  EXPECT_EQ(before.differing, 0) << "of " << before.points;

  ASSERT_TRUE(WaitForPageLoad());
  const auto loaded = std::chrono::steady_clock::now();
  AreaLook after;
  WaitUntil([&] {
    after = LookAtBrowserArea();
    return after.differing == after.points && IsGold(after.avatar);
  });
  std::cerr << "page shown "
            << std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now() - loaded)
                   .count()
            << " ms after its load\n";
  Shot("login-loaded.png");
  EXPECT_EQ(after.differing, after.points);  // the page's own dark blue everywhere
  EXPECT_TRUE(IsGold(after.avatar)) << std::hex << after.avatar;
}

TEST_F(LoginClient, PageScriptGetsTheVersionThroughAMemberInAnotherCase) {
  Start();
  ASSERT_FALSE(WaitForLauncher().empty());
  ASSERT_TRUE(WaitForPageLoad());
  // The page asked with "wd_japi" and reports what it got, and that it found the client.
  EXPECT_EQ(Count(Site::Platform, "stat?ev=load&api=1&ext=object&client=1&"), 1u);
  EXPECT_EQ(Count(Site::Platform, "/game/s/wdAccess/?name=kv&uid=zc777&suid=abc"), 1u);
}

TEST_F(LoginClient, ServerClickHandsOverAndTheLauncherHides) {
  Start();
  const std::string launcher = WaitForLauncher();
  ASSERT_FALSE(launcher.empty());
  ASSERT_TRUE(WaitForPageLoad());
  std::this_thread::sleep_for(300ms);
  ClickPage(kServer1);
  EXPECT_TRUE(WaitUntil([&] { return !Visible(launcher); }, 5s));
  Shot("login-after-server-click.png");
  EXPECT_TRUE(client_.Running());
}

TEST_F(LoginClient, QuickEntryNavigationOpensTheGame) {
  Start();
  const std::string launcher = WaitForLauncher();
  ASSERT_FALSE(launcher.empty());
  ASSERT_TRUE(WaitForPageLoad());
  std::this_thread::sleep_for(300ms);
  ClickPage(kQuickEntry);
  EXPECT_TRUE(WaitUntil([&] { return !Visible(launcher); }, 5s));
  EXPECT_TRUE(client_.Running());
}

TEST_F(LoginClient, EscapeAndF5NeverReachThePage) {
  Start();
  ASSERT_FALSE(WaitForLauncher().empty());
  ASSERT_TRUE(WaitForPageLoad());
  std::this_thread::sleep_for(300ms);
  ClickPage(kEmpty);
  std::this_thread::sleep_for(200ms);
  Key("Escape");
  Key("F5");
  Key("BackSpace");
  Key("a");
  ASSERT_TRUE(WaitUntil([&] { return Count(Site::Platform, "stat?ev=key&code=65&") > 0; }, 5s));
  std::this_thread::sleep_for(300ms);
  EXPECT_EQ(Count(Site::Platform, "stat?ev=key&code=27&"), 0u);
  EXPECT_EQ(Count(Site::Platform, "stat?ev=key&code=116&"), 0u);
  EXPECT_EQ(Count(Site::Platform, "stat?ev=key&code=8&"), 1u);
  EXPECT_EQ(LoginLoads(), 1u);  // F5 did not reload
  EXPECT_FALSE(VisibleWindows(kTitle).empty());
}

TEST_F(LoginClient, NewWindowOpensInTheDefaultBrowser) {
  Start();
  ASSERT_FALSE(WaitForLauncher().empty());
  ASSERT_TRUE(WaitForPageLoad());
  std::this_thread::sleep_for(300ms);
  ClickPage(kForum);
  const std::string record = dir_->Path() + "/desktop";
  ASSERT_TRUE(WaitUntil([&] { return !RecordedUrls(record).empty(); }, 5s));
  EXPECT_EQ(RecordedUrls(record), std::vector<std::string>{sim_->BaseUrl(Site::Game) + "/"});
  EXPECT_FALSE(VisibleWindows(kTitle).empty());  // nothing else happened
}

TEST_F(LoginClient, AltF4InThePageAsksBeforeExiting) {
  Start();
  ASSERT_FALSE(WaitForLauncher().empty());
  ASSERT_TRUE(WaitForPageLoad());
  std::this_thread::sleep_for(300ms);
  ClickPage(kEmpty);
  Key("alt+F4");
  ASSERT_TRUE(WaitUntil([] { return !VisibleWindows("退出提示").empty(); }, 3s));
  Key("Escape");
  ASSERT_TRUE(WaitUntil([] { return VisibleWindows("退出提示").empty(); }, 3s));
  EXPECT_TRUE(client_.Running());
  ClickPage(kEmpty);
  Key("alt+F4");
  ASSERT_TRUE(WaitUntil([] { return !VisibleWindows("退出提示").empty(); }, 3s));
  std::this_thread::sleep_for(200ms);
  Key("Return");  // OK: the launcher closes from inside the page's key handler
  int status = -1;
  ASSERT_TRUE(client_.WaitExit(5s, &status));
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

TEST_F(LoginClient, PageMovesWithTheLauncher) {
  Start();
  const std::string launcher = WaitForLauncher();
  ASSERT_FALSE(launcher.empty());
  ASSERT_TRUE(WaitForPageLoad());
  ASSERT_TRUE(WaitUntil([&] {
    const AreaLook look = LookAtBrowserArea();
    return look.differing == look.points && IsGold(look.avatar);
  }));
  MouseMove(222 + 760, 87 + 160);  // the title plate
  Capture("xdotool mousedown 1");
  for (int step = 1; step <= 10; ++step) {
    MouseMove(222 + 760 + step * 10, 87 + 160 + step * 5);
    std::this_thread::sleep_for(30ms);
  }
  Capture("xdotool mouseup 1");
  WindowGeometry moved;
  ASSERT_TRUE(WaitUntil(
      [&] { return GeometryOf(launcher, &moved) && moved.x == 322 && moved.y == 137; }, 3s))
      << moved.x << "," << moved.y;
  AreaLook look;
  EXPECT_TRUE(WaitUntil(
      [&] {
        look = LookAtBrowserArea(100, 50);
        return look.differing == look.points && IsGold(look.avatar);
      },
      3s))
      << look.differing << " " << std::hex << look.avatar;
  Shot("login-moved.png");
}

TEST_F(LoginClient, HiddenStartLoadsThePageAtTheFirstShow) {
  Start({"-hh"});
  std::this_thread::sleep_for(1500ms);
  EXPECT_EQ(LoginLoads(), 0u);
  Key("F10");
  ASSERT_FALSE(WaitForLauncher().empty());
  ASSERT_TRUE(WaitForPageLoad());
  AreaLook look;
  WaitUntil([&] {
    look = LookAtBrowserArea();
    return look.differing == look.points && IsGold(look.avatar);
  });
  Shot("login-hidden-start.png");
  EXPECT_EQ(look.differing, look.points);
  EXPECT_TRUE(IsGold(look.avatar)) << std::hex << look.avatar;
}

}  // namespace
}  // namespace vz::test
