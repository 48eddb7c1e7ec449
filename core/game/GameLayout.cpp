#include "core/game/GameLayout.h"

#include <algorithm>

namespace vz {

Rect InitialGameRect(Size screen) {
  const int height = screen.height >= 820 ? 820 : screen.height - 80;
  const int width = screen.width >= 1300 ? 1300 : screen.width;
  // Integer division truncates toward zero, so a screen of exactly 1300x820 gives y = -18.
  const int x = (screen.width - width) / 2;
  const int y = (screen.height - 37 - height) / 2;
  return {x, y, x + width, y + height};
}

TitleBarRects LayoutTitleBarRects(int w, const TitleBarImages& im) {
  TitleBarRects r;
  r.pay = {w - 391, 9, w - 391 + im.pay.width, 9 + im.pay.height};
  r.server = {r.pay.right + 5, 9, r.pay.right + 5 + im.server.width, 9 + im.server.height};
  r.clearCache = {r.server.right + 5, 9, r.server.right + 5 + im.clearCacheWidth, r.server.bottom};
  r.bossKey = {r.clearCache.right + 5, 9, r.clearCache.right + 5 + im.bossKeyWidth,
               r.server.bottom};
  r.minimize = {r.bossKey.right + 8, 7, r.bossKey.right + 8 + im.minimize.width,
                7 + im.minimize.height};
  r.maximize = {r.minimize.right + 3, 7, r.minimize.right + 3 + im.maximizeWidth,
                r.minimize.bottom};
  r.close = {r.maximize.right + 3, 7, r.maximize.right + 3 + im.closeWidth, r.maximize.bottom};
  return r;
}

Rect BindButtonRect(int w) { return {w - 532, 9, w - 396, 31}; }

HitCode GameNcHitTest(Point p, Size client) {
  const int r = client.width;
  const int b = client.height;
  struct Zone {
    Rect rect;
    HitCode code;
  };
  // The order matters where zones overlap: the top zone (4 deep) wins over the right one.
  const Zone zones[] = {
      {{-3, b - 3, 3, b + 2}, HitCode::BottomLeft},
      {{-3, -3, 3, 3}, HitCode::TopLeft},
      {{r - 3, -3, r + 2, 3}, HitCode::TopRight},
      {{r - 3, b - 3, r + 2, b + 2}, HitCode::BottomRight},
      {{-3, -3, 3, b}, HitCode::Left},
      {{-3, -3, r, 4}, HitCode::Top},
      {{-3, b - 3, r, b}, HitCode::Bottom},
      {{r - 3, -3, r, b}, HitCode::Right},
  };
  for (const Zone& z : zones) {
    if (z.rect.Contains(p)) return z.code;
  }
  return HitCode::Client;
}

GameCursor CursorForHit(HitCode hit) {
  switch (hit) {
    case HitCode::Left:
    case HitCode::Right:
      return GameCursor::SizeWE;
    case HitCode::Top:
    case HitCode::Bottom:
      return GameCursor::SizeNS;
    case HitCode::TopLeft:
    case HitCode::BottomRight:
      return GameCursor::SizeNWSE;
    case HitCode::TopRight:
    case HitCode::BottomLeft:
      return GameCursor::SizeNESW;
    case HitCode::Client:
      break;
  }
  return GameCursor::Arrow;
}

Rect ApplySizing(HitCode edge, const Rect& start, int dx, int dy, Size minSize) {
  Rect r = start;
  const bool left =
      edge == HitCode::Left || edge == HitCode::TopLeft || edge == HitCode::BottomLeft;
  const bool right =
      edge == HitCode::Right || edge == HitCode::TopRight || edge == HitCode::BottomRight;
  const bool top = edge == HitCode::Top || edge == HitCode::TopLeft || edge == HitCode::TopRight;
  const bool bottom =
      edge == HitCode::Bottom || edge == HitCode::BottomLeft || edge == HitCode::BottomRight;
  if (left) r.left = std::min(start.left + dx, start.right - minSize.width);
  if (right) r.right = std::max(start.right + dx, start.left + minSize.width);
  if (top) r.top = std::min(start.top + dy, start.bottom - minSize.height);
  if (bottom) r.bottom = std::max(start.bottom + dy, start.top + minSize.height);
  return r;
}

LoadGameDecision DecideLoadGame(std::string_view url) {
  constexpr std::string_view kMarker = "client://loadgame";
  constexpr std::string_view kHttp = "http:";
  if (url.find(kMarker) == std::string_view::npos) return {};
  const std::size_t i = url.find(kHttp);
  // Without "http:", or with it at the very start, the address would lead to itself again
  // and raise the same navigation without end.
  if (i == std::string_view::npos || i == 0) return {LoadGameDecision::Cancel, {}};
  return {LoadGameDecision::Redirect, std::string(url.substr(i))};
}

}  // namespace vz
