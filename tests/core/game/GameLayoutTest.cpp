#include <gtest/gtest.h>

#include "core/game/GameLayout.h"

namespace vz {
namespace {

struct InitialCase {
  Size screen;
  Rect expected;
};

TEST(InitialGameRect, FollowsTheScreenSize) {
  const InitialCase cases[] = {
      {{1920, 1080}, {310, 111, 310 + 1300, 111 + 820}},
      {{1280, 720}, {0, 21, 1280, 21 + 640}},
      {{1300, 820}, {0, -18, 1300, -18 + 820}},  // truncation toward zero
      {{1600, 820}, {150, -18, 150 + 1300, -18 + 820}},
      {{1600, 819}, {150, 21, 150 + 1300, 21 + 739}},
      {{1024, 768}, {0, 21, 1024, 21 + 688}},
      {{2560, 1440}, {630, 291, 630 + 1300, 291 + 820}},
  };
  for (const auto& c : cases) {
    const Rect r = InitialGameRect(c.screen);
    SCOPED_TRACE(std::to_string(c.screen.width) + "x" + std::to_string(c.screen.height));
    EXPECT_EQ(r, c.expected);
  }
}

TEST(InitialGameRect, HeightSwitchesBetween820And819) {
  EXPECT_EQ(InitialGameRect({1920, 820}).Height(), 820);
  EXPECT_EQ(InitialGameRect({1920, 819}).Height(), 739);
  EXPECT_EQ(InitialGameRect({1300, 1000}).Width(), 1300);
  EXPECT_EQ(InitialGameRect({1299, 1000}).Width(), 1299);
}

TEST(TitleBarLayout, PlacesTheButtonsFromTheRightEdge) {
  for (int w : {1050, 1280, 1300, 1920, 2560}) {
    SCOPED_TRACE(w);
    const TitleBarRects r = LayoutTitleBarRects(w, TitleBarImages{});
    EXPECT_EQ(r.pay, (Rect{w - 391, 9, w - 316, 31}));
    EXPECT_EQ(r.server, (Rect{w - 311, 9, w - 246, 31}));
    EXPECT_EQ(r.clearCache, (Rect{w - 241, 9, w - 166, 31}));
    EXPECT_EQ(r.bossKey, (Rect{w - 161, 9, w - 96, 31}));
    EXPECT_EQ(r.minimize, (Rect{w - 88, 7, w - 63, 32}));
    EXPECT_EQ(r.maximize, (Rect{w - 60, 7, w - 35, 32}));
    EXPECT_EQ(r.close, (Rect{w - 32, 7, w - 7, 32}));
  }
}

TEST(TitleBarLayout, FollowsThePictureSizes) {
  TitleBarImages im;
  im.pay = {80, 20};
  im.minimize = {30, 26};
  const TitleBarRects r = LayoutTitleBarRects(1300, im);
  EXPECT_EQ(r.pay, (Rect{909, 9, 989, 29}));
  EXPECT_EQ(r.server.left, 994);
  EXPECT_EQ(r.clearCache.bottom, r.server.bottom);
  EXPECT_EQ(r.minimize.Height(), 26);
  EXPECT_EQ(r.maximize.bottom, 33);
  EXPECT_EQ(r.close.bottom, 33);
}

TEST(TitleBarLayout, BindingAndServiceButtons) {
  EXPECT_EQ(BindButtonRect(1300), (Rect{768, 9, 904, 31}));
  EXPECT_EQ(DragRightWithBindButton(1300), 763);
  EXPECT_EQ(VipButtonLeft(1300, true), 688);
  EXPECT_EQ(VipButtonLeft(1300, false), 829);
}

struct HitCase {
  Point p;
  HitCode expected;
};

TEST(GameNcHitTest, ZonesInTheirOrder) {
  const Size c{1300, 820};
  const int R = c.width, B = c.height;
  const HitCase cases[] = {
      {{1, 1}, HitCode::TopLeft},
      {{0, 0}, HitCode::TopLeft},
      {{1, 3}, HitCode::Left},
      {{R - 1, 3}, HitCode::Top},  // the top zone is 4 deep and comes before the right one
      {{R - 1, 2}, HitCode::TopRight},
      {{R - 3, 0}, HitCode::TopRight},
      {{R - 1, 4}, HitCode::Right},
      {{R - 3, 400}, HitCode::Right},
      {{R - 4, 400}, HitCode::Client},
      {{R - 1, B - 1}, HitCode::BottomRight},
      {{R - 3, B - 3}, HitCode::BottomRight},
      {{1, B - 1}, HitCode::BottomLeft},
      {{2, B - 3}, HitCode::BottomLeft},
      {{2, 400}, HitCode::Left},
      {{3, 400}, HitCode::Client},
      {{600, 0}, HitCode::Top},
      {{600, 3}, HitCode::Top},
      {{600, 4}, HitCode::Client},
      {{600, B - 3}, HitCode::Bottom},
      {{600, B - 4}, HitCode::Client},
      {{600, 20}, HitCode::Client},
  };
  for (const auto& hc : cases) {
    SCOPED_TRACE(std::to_string(hc.p.x) + "," + std::to_string(hc.p.y));
    EXPECT_EQ(GameNcHitTest(hc.p, c), hc.expected);
  }
}

TEST(GameNcHitTest, CursorsPerZone) {
  const std::pair<HitCode, GameCursor> cases[] = {
      {HitCode::Left, GameCursor::SizeWE},       {HitCode::Right, GameCursor::SizeWE},
      {HitCode::Top, GameCursor::SizeNS},        {HitCode::Bottom, GameCursor::SizeNS},
      {HitCode::TopLeft, GameCursor::SizeNWSE},  {HitCode::BottomRight, GameCursor::SizeNWSE},
      {HitCode::TopRight, GameCursor::SizeNESW}, {HitCode::BottomLeft, GameCursor::SizeNESW},
      {HitCode::Client, GameCursor::Arrow},
  };
  for (const auto& [hit, cursor] : cases) EXPECT_EQ(CursorForHit(hit), cursor);
}

struct SizingCase {
  HitCode edge;
  Rect start;
  int dx, dy;
  Rect expected;
};

TEST(ApplySizing, KeepsTheMinimumSize) {
  const Rect s{100, 100, 1400, 920};  // 1300 x 820
  const SizingCase cases[] = {
      {HitCode::Right, s, 50, 999, {100, 100, 1450, 920}},
      {HitCode::Right, s, -400, 0, {100, 100, 1150, 920}},  // 1050 wide at most narrow
      {HitCode::Left, s, 500, 0, {350, 100, 1400, 920}},
      {HitCode::Left, s, -30, 0, {70, 100, 1400, 920}},
      {HitCode::Top, s, 0, 500, {100, 220, 1400, 920}},
      {HitCode::Bottom, s, 0, -500, {100, 100, 1400, 800}},
      {HitCode::Bottom, s, 0, 80, {100, 100, 1400, 1000}},
      {HitCode::TopLeft, s, 1000, 1000, {350, 220, 1400, 920}},
      {HitCode::TopRight, s, -1000, 5, {100, 105, 1150, 920}},
      {HitCode::BottomLeft, s, 10, -10, {110, 100, 1400, 910}},
      {HitCode::BottomRight, s, -999, -999, {100, 100, 1150, 800}},
      // A window that opened smaller than the minimum grows to it as soon as it is sized.
      {HitCode::Bottom, {0, 21, 1280, 661}, 0, -10, {0, 21, 1280, 721}},
      {HitCode::Right, {0, 21, 1000, 661}, 0, 0, {0, 21, 1050, 661}},
      {HitCode::Client, s, 40, 40, s},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.edge));
    EXPECT_EQ(ApplySizing(c.edge, c.start, c.dx, c.dy), c.expected);
  }
}

struct LoadGameCase {
  const char* url;
  LoadGameDecision expected;
};

TEST(DecideLoadGame, MarkerRuleAndLoopCases) {
  using D = LoadGameDecision;
  const LoadGameCase cases[] = {
      {"http://game.example/play", {}},
      {"", {}},
      {"client://loadgame?url=http://s1.example/g?id=7", {D::Redirect, "http://s1.example/g?id=7"}},
      {"client://loadgamehttp://a/", {D::Redirect, "http://a/"}},
      {"client://loadgame?u=http://a/?next=http://b/", {D::Redirect, "http://a/?next=http://b/"}},
      {"about:blank#client://loadgame&x=http://c/", {D::Redirect, "http://c/"}},
      // Only the exact letters count.
      {"CLIENT://LOADGAME?url=http://a/", {}},
      {"Client://LoadGame?url=http://a/", {}},
      {"client://loadgame?url=HTTP://a/", {D::Cancel, ""}},
      // Where the address would lead to itself the navigation is cancelled instead.
      {"client://loadgame", {D::Cancel, ""}},
      {"client://loadgame?url=https://secure.example/", {D::Cancel, ""}},
      {"http://host/?next=client://loadgame", {D::Cancel, ""}},
      {"http:client://loadgame", {D::Cancel, ""}},
      // A secure address after the marker with a plain one further on leads to the plain one.
      {"client://loadgame?url=https://a/?b=http://c/", {D::Redirect, "http://c/"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.url);
    EXPECT_EQ(DecideLoadGame(c.url), c.expected);
  }
}

TEST(DecideLoadGame, NeverLeadsBackToTheSameAddress) {
  // Following the rule repeatedly always ends: every redirect is a strictly shorter address.
  std::string url = "client://loadgame?u=http://a/?v=client://loadgame&w=http://b/";
  int steps = 0;
  for (;;) {
    const LoadGameDecision d = DecideLoadGame(url);
    if (d.kind != LoadGameDecision::Redirect) break;
    ASSERT_LT(d.target.size(), url.size());
    url = d.target;
    ASSERT_LT(++steps, 10);
  }
  EXPECT_EQ(url, "http://a/?v=client://loadgame&w=http://b/");
}

}  // namespace
}  // namespace vz
