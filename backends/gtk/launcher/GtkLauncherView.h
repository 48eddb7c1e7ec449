#pragma once

#include <cairo.h>

#include <functional>

#include "core/app/launcher/CMainWnd.h"
#include "core/app/launcher/LauncherPorts.h"

typedef struct _GtkWidget GtkWidget;

namespace vz::gtk {

class GtkImageStore;

// The launcher's borderless RGBA window. It keeps the last composed picture and repaints
// only the rectangles whose drawing changed; clicks pass through fully transparent pixels.
class GtkLauncherView final : public ILauncherView {
 public:
  GtkLauncherView(const GtkImageStore& images, std::function<void()> onDestroyed);
  ~GtkLauncherView() override;
  GtkLauncherView(const GtkLauncherView&) = delete;
  GtkLauncherView& operator=(const GtkLauncherView&) = delete;

  // Events go to the launcher from now on.
  void SetTarget(CMainWnd* target) { target_ = target; }
  GtkWidget* Widget() const { return window_; }
  // A GtkFixed covering the window, in window coordinates, for embedded children.
  GtkWidget* ChildLayer() const { return layer_; }
  // The composed picture as last handed over (for tests and benchmarks).
  cairo_surface_t* Picture() const { return picture_; }

  Size ScreenSize() const override;
  void SetTitle(const std::string& title) override;
  void SetIcon(int iconId) override;
  void MoveResize(const Rect& screenRect) override;
  Rect ScreenRect() const override;
  void Present(const Composition& picture) override;
  void SetCursor(Cursor cursor) override;
  void BeginMoveDrag() override;
  void Show() override;
  void Hide() override;
  void Minimize() override;
  void Restore() override;
  bool IsVisible() const override;
  bool IsIconic() const override;
  void SetForeground() override;
  void Destroy() override;

 private:
  static int OnDraw(GtkWidget* widget, cairo_t* cr, void* data);
  static int OnMotion(GtkWidget* widget, void* event, void* data);
  static int OnEnter(GtkWidget* widget, void* event, void* data);
  static int OnButtonPress(GtkWidget* widget, void* event, void* data);
  static int OnButtonRelease(GtkWidget* widget, void* event, void* data);
  static int OnConfigure(GtkWidget* widget, void* event, void* data);
  static int OnWindowState(GtkWidget* widget, void* event, void* data);
  static int OnDelete(GtkWidget* widget, void* event, void* data);
  static void OnDestroy(GtkWidget* widget, void* data);

  void Paint(const Composition& c, const Rect& area);
  void UpdateShape();

  const GtkImageStore& images_;
  std::function<void()> onDestroyed_;
  CMainWnd* target_ = nullptr;
  GtkWidget* window_ = nullptr;
  GtkWidget* layer_ = nullptr;
  cairo_surface_t* picture_ = nullptr;
  Composition last_;
  Rect rect_;
  bool iconic_ = false;
  bool shapeDirty_ = false;
  int lastPressButton_ = 0;
  int lastPressX_ = 0;
  int lastPressY_ = 0;
  unsigned lastPressTime_ = 0;
};

}  // namespace vz::gtk
