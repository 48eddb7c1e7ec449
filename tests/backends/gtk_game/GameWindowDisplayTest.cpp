// The game window on a real display: frame, page, pointer, keys and the binding button.
#include <gtest/gtest.h>

#include <cstring>

#include "backends/gtk/launcher/GtkImageStore.h"
#include "core/app/Messages.h"
#include "tests/backends/gtk_game/GameDisplayFixture.h"
#include "tests/backends/support/DisplayHarness.h"

namespace vz::test {
namespace {

using namespace std::chrono_literals;

Point Mid(const Rect& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

std::string LabelText(GtkWidget* w) {
  if (GTK_IS_LABEL(w)) return gtk_label_get_text(GTK_LABEL(w));
  std::string found;
  if (GTK_IS_CONTAINER(w)) {
    GList* children = gtk_container_get_children(GTK_CONTAINER(w));
    for (GList* c = children; c && found.empty(); c = c->next)
      found = LabelText(static_cast<GtkWidget*>(c->data));
    g_list_free(children);
  }
  return found;
}

// The text of the tooltip window on screen, empty when none shows.
std::string VisibleTooltipText() {
  std::string text;
  GList* windows = gtk_window_list_toplevels();
  for (GList* w = windows; w; w = w->next) {
    GtkWidget* widget = static_cast<GtkWidget*>(w->data);
    if (gtk_widget_get_visible(widget) &&
        gtk_window_get_type_hint(GTK_WINDOW(widget)) == GDK_WINDOW_TYPE_HINT_TOOLTIP)
      text = LabelText(widget);
  }
  g_list_free(windows);
  return text;
}

class GameWindowDisplay : public ::testing::Test, public GameDisplayFixture {
 protected:
  static void SetUpTestSuite() {
    if (gtk_init_check(nullptr, nullptr)) gtk::RegisterSkinResources();
  }
  void SetUp() override {
    if (!gdk_display_get_default()) GTEST_SKIP() << "needs an X display";
    // Park the pointer away from where the windows open.
    MouseMove(1590, 990);
    L().m_strGameUrl = site.Url("/game");
    L().m_bGameMaximized = false;
  }
  void TearDown() override {
    pieces = {};
    PumpFor(50ms);
  }
  void ShowAndLoad() {
    ASSERT_TRUE(Open());
    G().Show();
    ASSERT_TRUE(WaitPageLoaded());
    ASSERT_TRUE(PumpUntil([&] { return frames > 0; }));
    PumpFor(300ms);  // the page's first paint
  }
  void MoveTo(Point client) {
    const Point s = Screen(client);
    MouseMove(s.x, s.y);
  }

  GameSite site;
  gtk::GtkImageStore skin;
  cairo_surface_t* Skin(int id) {
    Size size;
    EXPECT_TRUE(skin.LoadPngResource(id, &size));
    return skin.Get(id);
  }
};

TEST_F(GameWindowDisplay, FrameAroundThePageWithTitleText) {
  L().m_strServerName = "双线1区";
  ShowAndLoad();
  // 1300 x 820 centred above a 37-pixel task bar on the 1600 x 1000 screen.
  EXPECT_EQ(pieces.view->ScreenRect(), (Rect{150, 71, 1450, 891}));
  ScreenShot shot;
  ASSERT_TRUE(shot.Ok());
  shot.Save(std::string(VOZUDEZI_SHOT_DIR) + "/game-window.png", 150, 71, 1300, 820);
  const Point o = Origin();

  // The page fills the window below the title bar inside the 2-pixel frame.
  EXPECT_EQ(shot.At(o.x + 600, o.y + 600), 0x2d6a4fu);
  EXPECT_EQ(shot.At(o.x + 3, o.y + 41), 0x2d6a4fu);
  EXPECT_EQ(shot.At(o.x + 1296, o.y + 816), 0x2d6a4fu);
  EXPECT_NE(shot.At(o.x + 1, o.y + 400), 0x2d6a4fu);
  EXPECT_NE(shot.At(o.x + 1298, o.y + 400), 0x2d6a4fu);
  EXPECT_NE(shot.At(o.x + 600, o.y + 818), 0x2d6a4fu);
  EXPECT_NE(shot.At(o.x + 600, o.y + 39), 0x2d6a4fu);

  // Buttons show their normal frames, pixel for pixel.
  const struct {
    int button;
    int png;
    Rect frame0;
  } buttons[] = {
      {CDezorGame::kClose, 136, {0, 0, 25, 25}},    {CDezorGame::kMinimize, 151, {0, 0, 25, 25}},
      {CDezorGame::kMaximize, 150, {0, 0, 25, 25}}, {CDezorGame::kPay, 155, {0, 0, 75, 22}},
      {CDezorGame::kServer, 154, {0, 0, 65, 22}},   {CDezorGame::kClearCache, 134, {0, 0, 75, 22}},
      {CDezorGame::kBossKey, 140, {0, 0, 65, 22}}};
  for (const auto& b : buttons) {
    const Rect r = G().ButtonRect(b.button);
    EXPECT_TRUE(ShowsPart(shot, {o.x + r.left, o.y + r.top}, Skin(b.png), b.frame0)) << b.png;
  }
  // The logo at (10, 5).
  EXPECT_TRUE(ShowsPart(shot, {o.x + 10, o.y + 5}, Skin(147), {0, 0, 48, 29}));

  // The title text in its yellow from (60, 13).
  int yellow = 0;
  for (int y = 13; y < 30; ++y) {
    for (int x = 60; x < 320; ++x) {
      const unsigned c = shot.At(o.x + x, o.y + y);
      const int r = c >> 16, g = (c >> 8) & 0xFF, b = c & 0xFF;
      yellow += r > 180 && g > 160 && b < 90;
    }
  }
  EXPECT_GT(yellow, 100);
  int leftOfText = 0;
  for (int y = 13; y < 30; ++y) {
    const unsigned c = shot.At(o.x + 59, o.y + y);
    leftOfText += ((c >> 16) > 180 && ((c >> 8) & 0xFF) > 160 && (c & 0xFF) < 90);
  }
  EXPECT_EQ(leftOfText, 0);
}

TEST_F(GameWindowDisplay, NoTitleTextWithoutServerName) {
  L().m_strServerName.clear();
  ShowAndLoad();
  ScreenShot shot;
  const Point o = Origin();
  int yellow = 0;
  for (int y = 13; y < 30; ++y) {
    for (int x = 60; x < 320; ++x) {
      const unsigned c = shot.At(o.x + x, o.y + y);
      yellow += (c >> 16) > 180 && ((c >> 8) & 0xFF) > 160 && (c & 0xFF) < 90;
    }
  }
  EXPECT_EQ(yellow, 0);
}

TEST_F(GameWindowDisplay, HoverRepaintsOnlyTheButton) {
  ShowAndLoad();
  const Rect close = G().ButtonRect(CDezorGame::kClose);
  const Point o = Origin();
  cairo_surface_t* closePng = Skin(136);
  // Entering the window repaints it once (GTK's own hover state); the button change follows.
  MoveTo({500, 20});
  ASSERT_TRUE(PumpUntil([&] { return G().IsLeaveTracked(); }, 5000ms));
  PumpFor(300ms);
  const std::uint64_t before = pieces.view->PaintedPixels();
  MoveTo(Mid(close));
  const Point at{o.x + close.left, o.y + close.top};
  ASSERT_TRUE(PumpUntil(
      [&] {
        return ShowsPart(ScreenShot(), at, closePng, {25, 0, 50, 25});
      },
      5000ms));
  EXPECT_EQ(G().ButtonState(CDezorGame::kClose), 1);
  PumpFor(100ms);
  const std::uint64_t painted = pieces.view->PaintedPixels() - before;
  EXPECT_GT(painted, 0u);
  EXPECT_LE(painted, static_cast<std::uint64_t>(close.Width() * close.Height()));
  // Moving across empty title bar: the close button goes back, nothing else repaints.
  const std::uint64_t mid = pieces.view->PaintedPixels();
  MoveTo({500, 20});
  ASSERT_TRUE(PumpUntil([&] { return G().ButtonState(CDezorGame::kClose) == 0; }, 5000ms));
  PumpFor(100ms);
  EXPECT_LE(pieces.view->PaintedPixels() - mid,
            static_cast<std::uint64_t>(close.Width() * close.Height()));
  EXPECT_TRUE(ShowsPart(ScreenShot(), at, closePng, {0, 0, 25, 25}));
}

TEST_F(GameWindowDisplay, MaximiseFitsTheScreenAndRestoreComesBack) {
  ShowAndLoad();
  const Rect normal = pieces.view->ScreenRect();
  MoveTo(Mid(G().ButtonRect(CDezorGame::kMaximize)));
  PumpFor(50ms);
  Click(1);
  ASSERT_TRUE(PumpUntil([&] { return L().m_bGameMaximized; }, 5000ms));
  PumpFor(300ms);
  GtkAllocation page;
  gtk_widget_get_allocation(pieces.page->Widget(), &page);
  EXPECT_EQ(pieces.view->ScreenRect(), (Rect{0, 0, 1600, 1000}));
  EXPECT_EQ(page.x, 2);
  EXPECT_EQ(page.y, 40);
  EXPECT_EQ(page.width, 1596);
  EXPECT_EQ(page.height, 958);
  int w = 0, hgt = 0;
  gtk_window_get_size(GTK_WINDOW(pieces.view->Widget()), &w, &hgt);
  EXPECT_EQ(w, 1600);
  EXPECT_EQ(hgt, 1000);
  // The drag strip does not move a maximised window; a double click there restores it.
  const Point strip = Screen({400, 20});
  MouseMove(strip.x, strip.y);
  PumpFor(50ms);
  Capture("xdotool click --repeat 2 --delay 80 1");
  ASSERT_TRUE(PumpUntil([&] { return !L().m_bGameMaximized; }, 5000ms));
  PumpFor(200ms);
  EXPECT_EQ(pieces.view->ScreenRect(), normal);
}

TEST_F(GameWindowDisplay, EdgeSizingStopsAtTheMinimum) {
  ShowAndLoad();
  const Rect before = pieces.view->ScreenRect();
  const Point edge = Screen({G().ClientSize().width - 1, 400});
  MouseMove(edge.x, edge.y);
  PumpFor(50ms);
  Capture("xdotool mousedown 1");
  PumpFor(50ms);
  MouseMove(edge.x - 300, edge.y);
  PumpFor(50ms);
  MouseMove(edge.x - 700, edge.y + 30);
  PumpFor(50ms);
  Capture("xdotool mouseup 1");
  ASSERT_TRUE(PumpUntil([&] { return G().ClientSize().width == 1050; }, 5000ms));
  EXPECT_EQ(pieces.view->ScreenRect(),
            (Rect{before.left, before.top, before.left + 1050, before.bottom}));
  EXPECT_EQ(G().ButtonRect(CDezorGame::kClose), (Rect{1018, 7, 1043, 32}));
  PumpFor(300ms);
  GtkAllocation page;
  gtk_widget_get_allocation(pieces.page->Widget(), &page);
  EXPECT_EQ(page.width, 1046);
}

TEST_F(GameWindowDisplay, EscapeNeverReachesThePageAndF9ReloadsTheStartAddress) {
  ShowAndLoad();
  const Point inPage = Screen({600, 600});
  MouseMove(inPage.x, inPage.y);
  Click(1);
  PumpFor(200ms);
  Key("a");
  ASSERT_TRUE(PumpUntil([&] { return site.Count("/key?k=a") == 1; }, 5000ms));
  Key("Escape");
  Key("b");
  ASSERT_TRUE(PumpUntil([&] { return site.Count("/key?k=b") == 1; }, 5000ms));
  EXPECT_EQ(site.Count("/key?k=Escape"), 0);

  // The page has moved on; F9 loads the start address again and the key still reaches it.
  G().NavigateGame(site.Url("/second"));
  ASSERT_TRUE(WaitPageLoaded(2));
  PumpFor(300ms);
  const int loads = site.Count("/game");
  Key("F9");
  ASSERT_TRUE(PumpUntil([&] { return site.Count("/game") == loads + 1; }, 10000ms));
  EXPECT_TRUE(PumpUntil([&] { return site.Count("/key?k=F9") == 1; }, 5000ms));
  ASSERT_TRUE(WaitPageLoaded(3));
}

TEST_F(GameWindowDisplay, LoadGameAddressLeadsToTheGameAddress) {
  L().m_strGameUrl = site.Url("/jump?to=MARK%3Fu%3D") + site.Url("/second");
  ShowAndLoad();
  ASSERT_TRUE(PumpUntil([&] { return site.Count("/second") == 1; }));
  PumpFor(500ms);
  EXPECT_EQ(site.Count("/second"), 1);
}

TEST_F(GameWindowDisplay, LoadGameAddressThatWouldLoopIsCancelled) {
  const std::pair<std::string, std::string> cases[] = {
      {"MARK", "/jump?to=MARK"},
      {"MARK%3Fu%3Dhttps://x/", "/jump?to=MARK?u=https://x/"},
  };
  for (const auto& [to, recorded] : cases) {
    SCOPED_TRACE(to);
    L().m_strGameUrl = site.Url("/jump?to=" + to);
    ShowAndLoad();
    PumpFor(1500ms);
    // The page that asked stays; nothing loads again and again.
    EXPECT_EQ(site.Count(recorded), 1);
    EXPECT_EQ(pieces.trimmer->Count(), 1);
    ScreenShot shot;
    EXPECT_EQ(shot.At(Origin().x + 600, Origin().y + 600), 0x6a040fu);
    pieces = {};
    PumpFor(50ms);
  }
}

TEST_F(GameWindowDisplay, StartAddressHoldingTheMarkerIsNotLoadedInALoop) {
  // The start address itself holds the marker and begins with "http:": it would lead to
  // itself, so it is not loaded at all.
  L().m_strGameUrl = site.Url("/game?x=client://loadgame");
  ASSERT_TRUE(Open());
  G().Show();
  PumpFor(1500ms);
  EXPECT_EQ(site.Requests().size(), 0u);
}

TEST_F(GameWindowDisplay, BindingButtonAnimatesUntilTheAccountIsBound) {
  L().m_bAccountBound = false;
  ShowAndLoad();
  const Rect bind = G().BindRect();
  ASSERT_EQ(bind, (Rect{768, 9, 904, 31}));
  cairo_surface_t* strip = Skin(142);
  const Point o = Origin();
  // Which band of the strip the screen shows in the binding rectangle (-1: none).
  auto band = [&]() {
    ScreenShot s;
    for (int k = 0; k < 9; ++k) {
      if (ShowsPart(s, {o.x + bind.left, o.y + bind.top}, strip, {0, 22 * k, 136, 22 * k + 22}))
        return k;
    }
    return -1;
  };
  std::vector<int> seen;
  PumpUntil(
      [&] {
        const int k = band();
        if (k >= 0 && (seen.empty() || seen.back() != k)) seen.push_back(k);
        return seen.size() >= 6;
      },
      5000ms);
  ASSERT_GE(seen.size(), 6u) << "the binding button does not animate";
  ScreenShot shot;
  shot.Save(std::string(VOZUDEZI_SHOT_DIR) + "/game-window-binding.png", o.x, o.y, 1300, 60);

  // The binding page reports success: the button goes at the end of its cycle.
  L().m_bAccountBound = true;
  ASSERT_TRUE(PumpUntil([&] { return G().BindRect().IsEmpty(); }, 2000ms));
  PumpFor(200ms);
  EXPECT_EQ(band(), -1);
  // What shows there now is what the window painted: the title band.
  ScreenShot after;
  cairo_surface_t* painted = pieces.view->Picture();
  for (int x = bind.left; x < bind.right; x += 5) {
    EXPECT_EQ(after.At(o.x + x, o.y + 20), SurfacePixel(painted, x, 20)) << x;
  }
}

TEST_F(GameWindowDisplay, CloseButtonAsksAndHandsBackToTheLauncher) {
  ShowAndLoad();
  ask.answer = true;
  MoveTo(Mid(G().ButtonRect(CDezorGame::kClose)));
  PumpFor(50ms);
  Click(1);
  ASSERT_TRUE(PumpUntil([&] { return h.queue.PendingCount() == 1; }, 5000ms));
  ASSERT_EQ(ask.asked.size(), 1u);
  EXPECT_EQ(ask.asked[0].first, "确定要退出当前正在玩的游戏吗？");
  h.log.clear();
  DispatchQueue();
  EXPECT_NE(std::find(h.log.begin(), h.log.end(), "login.reload"), h.log.end());
}

TEST_F(GameWindowDisplay, TooltipShowsTheBossKeyName) {
  L().m_strHotName = "Ctrl + F10";
  ShowAndLoad();
  MoveTo(Mid(G().ButtonRect(CDezorGame::kBossKey)));
  ASSERT_TRUE(PumpUntil([&] { return G().IsTooltipShown(); }, 5000ms));
  // GTK shows its tooltip window after the hover delay.
  EXPECT_TRUE(PumpUntil([] { return VisibleTooltipText() == "Ctrl + F10"; }, 5000ms));
  MoveTo(Mid(G().ButtonRect(CDezorGame::kPay)));
  ASSERT_TRUE(PumpUntil([&] { return !G().IsTooltipShown(); }, 5000ms));
  EXPECT_TRUE(PumpUntil([] { return VisibleTooltipText().empty(); }, 5000ms));
}

TEST_F(GameWindowDisplay, ClosingTearsTheWindowDown) {
  ShowAndLoad();
  GtkWidget* window = pieces.view->Widget();
  g_object_ref(window);
  G().Close();
  EXPECT_FALSE(gtk_widget_get_visible(window));
  EXPECT_EQ(pieces.page->Widget(), nullptr);
  EXPECT_EQ(g_pGame, nullptr);
  g_object_unref(window);
  PumpFor(200ms);
}

}  // namespace
}  // namespace vz::test
