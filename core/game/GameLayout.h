#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/app/Geometry.h"
#include "core/game/GamePorts.h"

namespace vz {

inline constexpr int kTitleBarHeight = 40;
inline constexpr int kFrameWidth = 2;
inline constexpr Size kGameMinSize{1050, 700};

// Size and place of a new game window on a screen of the given size.
Rect InitialGameRect(Size screen);

// Frame sizes of the title-bar pictures (from the loaded pictures).
struct TitleBarImages {
  Size pay{75, 22};          // frame of 155
  Size server{65, 22};       // frame of 154
  int clearCacheWidth = 75;  // 134
  int bossKeyWidth = 65;     // 140
  Size minimize{25, 25};     // frame of 151
  int maximizeWidth = 25;    // frame of 150
  int closeWidth = 25;       // frame of 136
};

struct TitleBarRects {
  Rect pay, server, clearCache, bossKey, minimize, maximize, close;
};

// The fixed title-bar buttons for client width `width`.
TitleBarRects LayoutTitleBarRects(int width, const TitleBarImages& images);

// The binding button of a trial account and the drag strip's right edge that goes with it.
Rect BindButtonRect(int width);
inline int DragRightWithBindButton(int width) { return width - 537; }
// Left edge of the service button.
inline int VipButtonLeft(int width, bool bindShown) {
  return bindShown ? width - 612 : width - 471;
}

// Edge zones of a client area of `client` size, tested in their fixed order.
HitCode GameNcHitTest(Point p, Size client);
GameCursor CursorForHit(HitCode hit);

// The window rectangle while an edge is dragged by (dx, dy), kept at least `minSize` in the
// dimensions that edge moves; the opposite edges stay.
Rect ApplySizing(HitCode edge, const Rect& start, int dx, int dy, Size minSize = kGameMinSize);

// What a navigation to `url` turns into under the "client://loadgame" rule.
struct LoadGameDecision {
  enum Kind { NotLoadGame, Redirect, Cancel } kind = NotLoadGame;
  std::string target;  // for Redirect
  friend bool operator==(const LoadGameDecision&, const LoadGameDecision&) = default;
};
LoadGameDecision DecideLoadGame(std::string_view url);

}  // namespace vz
