// The real client on the test display: placement, hover, boss key, hidden start, tray.
#include <cairo.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <thread>

#include "../support/DisplayHarness.h"

namespace vz::test {
namespace {

using namespace std::chrono_literals;

constexpr const char* kTitle = "ZelvoKiravel";

class LauncherDisplay : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "needs an X display";
    dir_ = std::make_unique<ClientDir>(VOZUDEZI_CLIENT_PATH);
    // A closed port keeps the client's pages and report away from any real service.
    dir_->WriteIni("[kv]\nstart=1\n[endpoints]\nplatform=http://127.0.0.1:9\n");
  }

  void Start(const std::vector<std::string>& args = {}) {
    std::vector<std::string> argv{dir_->Client()};
    argv.insert(argv.end(), args.begin(), args.end());
    client_ = Process(argv, dir_->Path());
  }

  std::string WaitForLauncher() {
    std::string id;
    WaitUntil([&] {
      auto ids = VisibleWindows(kTitle);
      if (ids.empty()) return false;
      id = ids.front();
      return true;
    });
    return id;
  }

  std::unique_ptr<ClientDir> dir_;
  Process client_;
};

TEST_F(LauncherDisplay, MappedCentredAndTitled) {
  Start();
  const std::string id = WaitForLauncher();
  ASSERT_FALSE(id.empty());
  WindowGeometry g;
  ASSERT_TRUE(WaitUntil([&] { return GeometryOf(id, &g) && g.x == 222 && g.y == 87; }, 3s));
  EXPECT_EQ(g.width, 1155);
  EXPECT_EQ(g.height, 825);
  EXPECT_EQ(g.x, (1600 - 1155) / 2);
  EXPECT_EQ(g.y, (1000 - 825) / 2);
  EXPECT_TRUE(client_.Running());
}

// Pixels of the hovered link on screen against the link's highlighted frame drawn over
// the background, where the result is opaque.
double MatchRatio(cairo_surface_t* shot, int originX, int originY, int frame) {
  const std::string res = VOZUDEZI_RES_DIR;
  cairo_surface_t* bg = cairo_image_surface_create_from_png((res + "/png/149.png").c_str());
  cairo_surface_t* link = cairo_image_surface_create_from_png((res + "/png/153.png").c_str());
  const int w = 154, h = 41, left = 343, top = 235;
  cairo_surface_t* want = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
  cairo_t* cr = cairo_create(want);
  cairo_set_source_surface(cr, bg, -left, -top);
  cairo_paint(cr);
  cairo_set_source_surface(cr, link, 0, -frame * h);
  cairo_rectangle(cr, 0, 0, w, h);
  cairo_fill(cr);
  cairo_destroy(cr);
  cairo_surface_flush(want);
  cairo_surface_flush(shot);
  const auto* wp = cairo_image_surface_get_data(want);
  const auto* sp = cairo_image_surface_get_data(shot);
  const int ws = cairo_image_surface_get_stride(want), ss = cairo_image_surface_get_stride(shot);
  int compared = 0, matched = 0;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const auto* a = wp + y * ws + x * 4;
      if (a[3] != 255) continue;
      const auto* b = sp + (originY + top + y) * ss + (originX + left + x) * 4;
      ++compared;
      if (std::abs(a[0] - b[0]) <= 3 && std::abs(a[1] - b[1]) <= 3 && std::abs(a[2] - b[2]) <= 3) {
        ++matched;
      }
    }
  }
  cairo_surface_destroy(want);
  cairo_surface_destroy(link);
  cairo_surface_destroy(bg);
  return compared ? static_cast<double>(matched) / compared : 0.0;
}

TEST_F(LauncherDisplay, HoveredLinkShowsHighlightedFrame) {
  Start();
  const std::string id = WaitForLauncher();
  ASSERT_FALSE(id.empty());
  WindowGeometry g;
  ASSERT_TRUE(WaitUntil([&] { return GeometryOf(id, &g) && g.x == 222; }, 3s));
  MouseMove(g.x + 600, g.y + 500);  // the black area: nothing lit
  std::this_thread::sleep_for(400ms);
  const std::string before = std::string(VOZUDEZI_SHOT_DIR) + "/launcher-idle.png";
  ASSERT_TRUE(Screenshot(before));
  MouseMove(g.x + 420, g.y + 255);
  std::this_thread::sleep_for(400ms);
  const std::string after = std::string(VOZUDEZI_SHOT_DIR) + "/launcher-hover-home.png";
  ASSERT_TRUE(Screenshot(after));

  cairo_surface_t* idle = cairo_image_surface_create_from_png(before.c_str());
  cairo_surface_t* lit = cairo_image_surface_create_from_png(after.c_str());
  ASSERT_EQ(cairo_surface_status(idle), CAIRO_STATUS_SUCCESS);
  ASSERT_EQ(cairo_surface_status(lit), CAIRO_STATUS_SUCCESS);
  EXPECT_GT(MatchRatio(idle, g.x, g.y, 0), 0.97);
  EXPECT_GT(MatchRatio(lit, g.x, g.y, 1), 0.97);
  EXPECT_LT(MatchRatio(lit, g.x, g.y, 0), 0.9);  // the frames must differ visibly
  cairo_surface_destroy(idle);
  cairo_surface_destroy(lit);
}

TEST_F(LauncherDisplay, LinksOpenTheDefaultBrowser) {
  const std::string record = dir_->Path() + "/urls";
  InstallUrlRecorder(record);
  dir_->WriteIni(
      "[kv]\nstart=1\n[endpoints]\nplatform=http://platform.test\ngame=http://game.test\n"
      "pay=https://pay.test\n");
  Start();
  const std::string id = WaitForLauncher();
  ASSERT_FALSE(id.empty());
  WindowGeometry g;
  ASSERT_TRUE(WaitUntil([&] { return GeometryOf(id, &g) && g.x == 222; }, 3s));
  // Home page, payment (in the shared strip at x 620), customer service, forum.
  for (int x : {420, 620, 850, 700}) {
    MouseMove(g.x + x - 3, g.y + 250);
    MouseMove(g.x + x, g.y + 250);
    std::this_thread::sleep_for(150ms);
    Click(1);
  }
  const std::vector<std::string> want = {"http://game.test", "https://pay.test/?g=kv",
                                         "http://platform.test/kefu/", "http://game.test"};
  EXPECT_TRUE(WaitUntil([&] { return RecordedUrls(record).size() == want.size(); }, 5s));
  EXPECT_EQ(RecordedUrls(record), want);
}

// The top-level window under the pointer as the X server decides it: the root window when
// the pointer passes through every window there.
std::string WindowUnderPointer(int x, int y) {
  MouseMove(x, y);
  const std::string out = Capture("xdotool getmouselocation --shell");
  const auto pos = out.find("WINDOW=");
  return pos == std::string::npos ? std::string() : out.substr(pos + 7);
}

std::string RootWindow() {
  const std::string out = Capture("xwininfo -root");
  const auto pos = out.find("Window id: ");
  if (pos == std::string::npos) return {};
  return std::to_string(std::strtoul(out.c_str() + pos + 11, nullptr, 16));
}

TEST_F(LauncherDisplay, TransparentPixelsLetClicksThrough) {
  Start();
  const std::string id = WaitForLauncher();
  ASSERT_FALSE(id.empty());
  WindowGeometry g;
  ASSERT_TRUE(WaitUntil([&] { return GeometryOf(id, &g) && g.x == 222; }, 3s));
  std::this_thread::sleep_for(200ms);
  const std::string root = RootWindow();
  ASSERT_FALSE(root.empty());
  EXPECT_NE(WindowUnderPointer(g.x + 760, g.y + 160), root);  // the title plate
  EXPECT_EQ(WindowUnderPointer(g.x + 4, g.y + 4), root);      // the transparent corner
  EXPECT_EQ(WindowUnderPointer(g.x + 1150, g.y + 820), root);
}

TEST_F(LauncherDisplay, DragsOutsideTheButtons) {
  Start();
  const std::string id = WaitForLauncher();
  ASSERT_FALSE(id.empty());
  WindowGeometry g;
  ASSERT_TRUE(WaitUntil([&] { return GeometryOf(id, &g) && g.x == 222; }, 3s));
  MouseMove(g.x + 760, g.y + 160);  // the title plate
  Capture("xdotool mousedown 1");
  for (int step = 1; step <= 10; ++step) {
    MouseMove(g.x + 760 + step * 10, g.y + 160 + step * 5);
    std::this_thread::sleep_for(30ms);
  }
  Capture("xdotool mouseup 1");
  WindowGeometry moved;
  EXPECT_TRUE(WaitUntil(
      [&] { return GeometryOf(id, &moved) && moved.x == g.x + 100 && moved.y == g.y + 50; }, 3s))
      << moved.x << "," << moved.y;
}

TEST_F(LauncherDisplay, BossKeyHidesAndShows) {
  Start();
  ASSERT_FALSE(WaitForLauncher().empty());
  std::this_thread::sleep_for(300ms);
  Key("F10");
  EXPECT_TRUE(WaitUntil([] { return VisibleWindows(kTitle).empty(); }, 3s));
  Key("F10");
  EXPECT_TRUE(WaitUntil([] { return !VisibleWindows(kTitle).empty(); }, 3s));
  // With Num Lock on the key still works.
  Key("Num_Lock");
  Key("F10");
  EXPECT_TRUE(WaitUntil([] { return VisibleWindows(kTitle).empty(); }, 3s));
  Key("Num_Lock");
}

// Presses the boss key until `shown` holds: a press before the client has grabbed the key
// does nothing, and a press after it toggles once.
bool PressBossKeyUntil(const std::function<bool()>& shown) {
  for (int attempt = 0; attempt < 10; ++attempt) {
    Key("F10");
    if (WaitUntil(shown, 1500ms)) return true;
  }
  return false;
}

TEST_F(LauncherDisplay, HiddenStartShowsNothingUntilBossKey) {
  Start({"-hh"});
  std::this_thread::sleep_for(1500ms);
  ASSERT_TRUE(client_.Running());
  EXPECT_TRUE(VisibleWindows(kTitle).empty());
  EXPECT_TRUE(PressBossKeyUntil([] { return !VisibleWindows(kTitle).empty(); }));
}

TEST_F(LauncherDisplay, CloseAsksAndCancelKeepsRunning) {
  Start();
  const std::string id = WaitForLauncher();
  ASSERT_FALSE(id.empty());
  WindowGeometry g;
  ASSERT_TRUE(WaitUntil([&] { return GeometryOf(id, &g) && g.x == 222; }, 3s));
  MouseMove(g.x + 995, g.y + 238);
  std::this_thread::sleep_for(200ms);
  Click(1);
  ASSERT_TRUE(WaitUntil([] { return !VisibleWindows("退出提示").empty(); }, 3s));
  Screenshot(std::string(VOZUDEZI_SHOT_DIR) + "/launcher-exit-question.png");
  Key("Escape");
  ASSERT_TRUE(WaitUntil([] { return VisibleWindows("退出提示").empty(); }, 3s));
  EXPECT_TRUE(client_.Running());
  MouseMove(g.x + 995, g.y + 238);
  Click(1);
  ASSERT_TRUE(WaitUntil([] { return !VisibleWindows("退出提示").empty(); }, 3s));
  std::this_thread::sleep_for(200ms);
  Key("Return");  // OK is the default answer
  EXPECT_TRUE(client_.WaitExit(5s));
}

TEST_F(LauncherDisplay, TrayIconExitEndsWithoutQuestion) {
  Process trayer({"trayer", "--edge", "top", "--align", "left", "--widthtype", "request",
                  "--height", "32", "--SetDockType", "true", "--expand", "false"});
  std::string trayWindow;
  ASSERT_TRUE(WaitUntil(
      [&] {
        trayWindow = Capture("xdotool search --onlyvisible --name '^panel$' 2>/dev/null | head -1");
        return !trayWindow.empty();
      },
      5s))
      << "trayer did not start";
  Start({"-hh"});
  // The panel sizes itself to its icons: it grows once ours is embedded.
  WindowGeometry tray;
  ASSERT_TRUE(WaitUntil([&] { return GeometryOf(trayWindow, &tray) && tray.width >= 16; }, 5s));
  Screenshot(std::string(VOZUDEZI_SHOT_DIR) + "/tray.png");
  const int ix = tray.x + tray.width / 2, iy = tray.y + tray.height / 2;
  // A double click shows the launcher after the hidden start.
  MouseMove(ix, iy);
  Capture("xdotool click --repeat 2 --delay 80 1");
  EXPECT_TRUE(WaitUntil([] { return !VisibleWindows(kTitle).empty(); }, 3s));
  // The menu's only item ends the program at once.
  MouseMove(ix, iy);
  Click(3);
  std::this_thread::sleep_for(800ms);
  Screenshot(std::string(VOZUDEZI_SHOT_DIR) + "/tray-menu.png");
  MouseMove(ix + 20, iy + 12);
  std::this_thread::sleep_for(150ms);
  Click(1);
  EXPECT_TRUE(client_.WaitExit(5s));
  EXPECT_TRUE(VisibleWindows("退出提示").empty());
}

TEST_F(LauncherDisplay, HeldBossKeyFailsSilently) {
  // Another copy holds F10 first, proven by hiding its launcher with it.
  ClientDir other(VOZUDEZI_CLIENT_PATH);
  other.WriteIni("[kv]\nstart=1\n[endpoints]\nplatform=http://127.0.0.1:9\n");
  Process first({other.Client()}, other.Path());
  ASSERT_TRUE(WaitUntil([] { return VisibleWindows(kTitle).size() == 1; }));
  ASSERT_TRUE(PressBossKeyUntil([] { return VisibleWindows(kTitle).empty(); }));
  // This copy starts and runs without a boss key.
  Start();
  ASSERT_FALSE(WaitForLauncher().empty());
  std::this_thread::sleep_for(300ms);
  EXPECT_TRUE(client_.Running());
  Key("F10");  // reaches the first copy, which shows its launcher: now two are visible
  EXPECT_TRUE(WaitUntil([] { return VisibleWindows(kTitle).size() == 2; }, 3s));
}

}  // namespace
}  // namespace vz::test
