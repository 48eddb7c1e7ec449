#pragma once

#include <cairo.h>

#include <functional>
#include <string>

#include "core/game/GamePorts.h"

typedef struct _GtkWidget GtkWidget;
typedef struct _PangoLayout PangoLayout;

namespace vz::gtk {

class GtkImageStore;

// The game window on GTK: an undecorated, resizable toplevel painted from the core's frame
// through an off-screen picture (only the invalidated area is recomposed, then copied in one
// go), with a fixed layer for the page below the title bar.
class GtkGameView final : public IGameView {
 public:
  explicit GtkGameView(const GtkImageStore& images);
  ~GtkGameView() override;
  GtkGameView(const GtkGameView&) = delete;
  GtkGameView& operator=(const GtkGameView&) = delete;

  void SetTarget(IGameViewEvents* target) { target_ = target; }
  GtkWidget* Widget() const { return window_; }
  // A GtkFixed over the whole client area, in client coordinates.
  GtkWidget* ChildLayer() const { return layer_; }
  // Keys for the window when its page does not hold the focus.
  void SetPageWidget(GtkWidget* page) { page_ = page; }
  // Called after each frame the window painted (benchmarks and tests).
  void SetFrameObserver(std::function<void()> observer) { frameObserver_ = std::move(observer); }
  // The off-screen picture as last painted.
  cairo_surface_t* Picture() const { return back_; }
  std::uint64_t PaintedPixels() const { return paintedPixels_; }
  // Recomposes `area` of the off-screen picture from the core's frame.
  void Render(const Rect& area);
  void Render(const GameFrame& frame, const Rect& area);

  Size ScreenSize() const override;
  Rect WorkArea() const override;
  void SetTitle(const std::string& title) override;
  void MoveResize(const Rect& screenRect) override;
  Rect ScreenRect() const override { return rect_; }
  void Invalidate(const Rect& r) override;
  void SetCursor(GameCursor cursor) override;
  void BeginMoveDrag() override;
  void BeginSizing() override;
  void ShowTooltip(const std::string& text) override;
  void HideTooltip() override;
  void Show() override;
  void Hide() override;
  void Minimize() override;
  bool IsVisible() const override;
  void SetForeground() override;
  void Destroy() override;

 private:
  struct Signals;
  friend struct Signals;

  void DrawTitle(cairo_t* cr, const TitleText& title, const Rect& area);

  const GtkImageStore& images_;
  IGameViewEvents* target_ = nullptr;
  GtkWidget* window_ = nullptr;
  GtkWidget* layer_ = nullptr;
  GtkWidget* page_ = nullptr;
  cairo_surface_t* back_ = nullptr;
  PangoLayout* titleLayout_ = nullptr;
  std::string titleText_;
  std::function<void()> frameObserver_;
  std::uint64_t paintedPixels_ = 0;
  Rect rect_;
  Size lastSize_;
  std::string tooltip_;
  GameCursor cursor_ = GameCursor::Arrow;
  bool sizing_ = false;
  bool activateOnMap_ = false;
  int pressButton_ = 0;
  int pressRootX_ = 0;
  int pressRootY_ = 0;
  unsigned pressTime_ = 0;
  // The previous press, for telling a double click from two clicks.
  bool havePress_ = false;
  unsigned prevPressTime_ = 0;
  int prevPressX_ = 0;
  int prevPressY_ = 0;
};

}  // namespace vz::gtk
