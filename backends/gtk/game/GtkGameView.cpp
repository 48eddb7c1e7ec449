#include "backends/gtk/game/GtkGameView.h"

#include <gdk/gdkx.h>
#include <gtk/gtk.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <cstdlib>

#include "backends/gtk/launcher/GtkImageStore.h"
#include "backends/gtk/launcher/PrimaryScreen.h"
#include "backends/gtk/launcher/VirtualKeys.h"
#include "backends/gtk/skin/SkinImages.h"

namespace vz::gtk {
namespace {

// "宋体" is resolved by fontconfig; the rest stand in where it is not installed.
constexpr const char* kTitleFamilies = "宋体,SimSun,NSimSun,Noto Sans CJK SC,WenQuanYi Zen Hei";

bool Inside(const Rect& inner, const Rect& outer) {
  return outer.left <= inner.left && outer.top <= inner.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

bool Intersects(const Rect& a, const Rect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

Rect Intersection(const Rect& a, const Rect& b) {
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
          std::min(a.bottom, b.bottom)};
}

const char* CursorName(GameCursor c) {
  switch (c) {
    case GameCursor::SizeWE:
      return "ew-resize";
    case GameCursor::SizeNS:
      return "ns-resize";
    case GameCursor::SizeNWSE:
      return "nwse-resize";
    case GameCursor::SizeNESW:
      return "nesw-resize";
    case GameCursor::Arrow:
      break;
  }
  return nullptr;
}

GdkMonitor* MonitorOf(GtkWidget* window) {
  GdkDisplay* display = window ? gtk_widget_get_display(window) : gdk_display_get_default();
  GdkWindow* w = window ? gtk_widget_get_window(window) : nullptr;
  GdkMonitor* monitor = w ? gdk_display_get_monitor_at_window(display, w) : nullptr;
  if (!monitor) monitor = gdk_display_get_primary_monitor(display);
  if (!monitor) monitor = gdk_display_get_monitor(display, 0);
  return monitor;
}

Point ClientPoint(double x, double y) { return {static_cast<int>(x), static_cast<int>(y)}; }

}  // namespace

// Handlers call the window last: a handler of the core may end the window.
struct GtkGameView::Signals {
  static gboolean Draw(GtkWidget*, cairo_t* cr, GtkGameView* self) {
    GdkRectangle clip;
    if (!self->target_ || !gdk_cairo_get_clip_rectangle(cr, &clip)) return FALSE;
    const Rect area{clip.x, clip.y, clip.x + clip.width, clip.y + clip.height};
    // The page repaints itself through this window; under it there is nothing to do.
    const GameFrame frame = self->target_->ComposeFrame();
    if (Inside(area, frame.page)) return FALSE;
    self->Render(frame, area);
    if (self->back_) {
      cairo_save(cr);
      cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
      cairo_set_source_surface(cr, self->back_, 0, 0);
      cairo_rectangle(cr, area.left, area.top, area.Width(), area.Height());
      cairo_fill(cr);
      cairo_restore(cr);
    }
    if (self->frameObserver_) self->frameObserver_();
    return FALSE;  // the page draws on top
  }

  static gboolean Motion(GtkWidget*, GdkEventMotion* ev, GtkGameView* self) {
    if (!self->target_) return TRUE;
    if (self->sizing_) {
      self->target_->OnSizingTrack(static_cast<int>(ev->x_root) - self->pressRootX_,
                                   static_cast<int>(ev->y_root) - self->pressRootY_);
    } else {
      self->target_->OnMouseMove(ClientPoint(ev->x, ev->y));
    }
    return TRUE;
  }

  static gboolean Leave(GtkWidget*, GdkEventCrossing*, GtkGameView* self) {
    if (self->target_ && !self->sizing_) self->target_->OnMouseLeave();
    return FALSE;
  }

  static gboolean Press(GtkWidget*, GdkEventButton* ev, GtkGameView* self) {
    // GDK's own double-click events are not used: the second press itself is the double
    // click, as the window system the core models reports it.
    if (ev->button != 1 || ev->type != GDK_BUTTON_PRESS || !self->target_) return TRUE;
    GtkSettings* settings = gtk_widget_get_settings(self->window_);
    int doubleTime = 400, doubleDistance = 5;
    g_object_get(settings, "gtk-double-click-time", &doubleTime, "gtk-double-click-distance",
                 &doubleDistance, nullptr);
    const int x = static_cast<int>(ev->x_root), y = static_cast<int>(ev->y_root);
    const bool isDouble = self->havePress_ &&
                          ev->time - self->prevPressTime_ <= unsigned(doubleTime) &&
                          std::abs(x - self->prevPressX_) <= doubleDistance &&
                          std::abs(y - self->prevPressY_) <= doubleDistance;
    self->havePress_ = !isDouble;
    self->prevPressTime_ = ev->time;
    self->prevPressX_ = x;
    self->prevPressY_ = y;
    self->pressButton_ = static_cast<int>(ev->button);
    self->pressRootX_ = x;
    self->pressRootY_ = y;
    self->pressTime_ = ev->time;
    if (isDouble) {
      self->target_->OnLButtonDblClk(ClientPoint(ev->x, ev->y));
    } else {
      self->target_->OnLButtonDown(ClientPoint(ev->x, ev->y));
    }
    return TRUE;
  }

  static gboolean Release(GtkWidget*, GdkEventButton* ev, GtkGameView* self) {
    if (ev->button != 1 || !self->target_) return TRUE;
    if (self->sizing_) {
      self->sizing_ = false;
      self->target_->OnSizingEnd();
      return TRUE;
    }
    self->target_->OnLButtonUp(ClientPoint(ev->x, ev->y));
    return TRUE;
  }

  static gboolean Configure(GtkWidget*, GdkEventConfigure* ev, GtkGameView* self) {
    self->rect_ = {ev->x, ev->y, ev->x + ev->width, ev->y + ev->height};
    const Size size{ev->width, ev->height};
    if (size != self->lastSize_) {
      self->lastSize_ = size;
      if (self->target_) self->target_->OnSize(size.width, size.height);
    }
    return FALSE;
  }

  static gboolean Key(GtkWidget*, GdkEventKey* ev, GtkGameView* self) {
    // With the page focused its own key route takes the key to the window's rules.
    if (!self->target_) return FALSE;
    GtkWidget* focus = gtk_window_get_focus(GTK_WINDOW(self->window_));
    if (self->page_ && focus &&
        (focus == self->page_ || gtk_widget_is_ancestor(focus, self->page_)))
      return FALSE;
    return self->target_->OnKeyDown(VirtualKeyOfEvent(ev)) ? TRUE : FALSE;
  }

  static gboolean QueryTooltip(GtkWidget*, int, int, gboolean, GtkTooltip* tooltip,
                               GtkGameView* self) {
    if (self->tooltip_.empty()) return FALSE;
    gtk_tooltip_set_text(tooltip, self->tooltip_.c_str());
    return TRUE;
  }

  static gboolean Map(GtkWidget*, GdkEvent*, GtkGameView* self) {
    // A window that opens takes the keyboard, as a newly shown window of the active
    // program does; without a window manager nobody else would give it.
    if (self->activateOnMap_) {
      self->activateOnMap_ = false;
      self->SetForeground();
    }
    return FALSE;
  }

  static gboolean Delete(GtkWidget*, GdkEvent*, GtkGameView* self) {
    if (self->target_) self->target_->OnCloseRequest();
    return TRUE;
  }
};

GtkGameView::GtkGameView(const GtkImageStore& images) : images_(images) {
  window_ = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  g_object_ref_sink(window_);
  gtk_window_set_decorated(GTK_WINDOW(window_), FALSE);
  gtk_window_set_resizable(GTK_WINDOW(window_), TRUE);
  gtk_widget_set_app_paintable(window_, TRUE);
  gtk_widget_add_events(window_, GDK_POINTER_MOTION_MASK | GDK_BUTTON_PRESS_MASK |
                                     GDK_BUTTON_RELEASE_MASK | GDK_LEAVE_NOTIFY_MASK |
                                     GDK_STRUCTURE_MASK | GDK_KEY_PRESS_MASK |
                                     GDK_FOCUS_CHANGE_MASK);
  layer_ = gtk_fixed_new();
  gtk_container_add(GTK_CONTAINER(window_), layer_);
  gtk_widget_show(layer_);
  gtk_widget_set_has_tooltip(window_, TRUE);
  g_signal_connect(window_, "draw", G_CALLBACK(&Signals::Draw), this);
  g_signal_connect(window_, "motion-notify-event", G_CALLBACK(&Signals::Motion), this);
  g_signal_connect(window_, "leave-notify-event", G_CALLBACK(&Signals::Leave), this);
  g_signal_connect(window_, "button-press-event", G_CALLBACK(&Signals::Press), this);
  g_signal_connect(window_, "button-release-event", G_CALLBACK(&Signals::Release), this);
  g_signal_connect(window_, "configure-event", G_CALLBACK(&Signals::Configure), this);
  g_signal_connect(window_, "key-press-event", G_CALLBACK(&Signals::Key), this);
  g_signal_connect(window_, "query-tooltip", G_CALLBACK(&Signals::QueryTooltip), this);
  g_signal_connect(window_, "delete-event", G_CALLBACK(&Signals::Delete), this);
  g_signal_connect(window_, "map-event", G_CALLBACK(&Signals::Map), this);
}

GtkGameView::~GtkGameView() {
  Destroy();
  if (titleLayout_) g_object_unref(titleLayout_);
}

void GtkGameView::Destroy() {
  if (!window_) return;
  // Nothing reaches the window from here on.
  target_ = nullptr;
  g_signal_handlers_disconnect_by_data(window_, this);
  gtk_widget_destroy(window_);
  g_object_unref(window_);
  window_ = nullptr;
  layer_ = nullptr;
  page_ = nullptr;
  if (back_) cairo_surface_destroy(back_);
  back_ = nullptr;
}

void GtkGameView::Render(const Rect& requested) {
  if (target_) Render(target_->ComposeFrame(), requested);
}

void GtkGameView::Render(const GameFrame& frame, const Rect& requested) {
  if (frame.size.width <= 0 || frame.size.height <= 0) return;
  Rect area = requested;
  if (!back_ || cairo_image_surface_get_width(back_) != frame.size.width ||
      cairo_image_surface_get_height(back_) != frame.size.height) {
    if (back_) cairo_surface_destroy(back_);
    back_ = cairo_image_surface_create(CAIRO_FORMAT_RGB24, frame.size.width, frame.size.height);
    area = {0, 0, frame.size.width, frame.size.height};
  }
  area = Intersection(area, {0, 0, frame.size.width, frame.size.height});
  if (area.IsEmpty()) return;
  paintedPixels_ += static_cast<std::uint64_t>(area.Width()) * area.Height();

  cairo_t* cr = cairo_create(back_);
  cairo_rectangle(cr, area.left, area.top, area.Width(), area.Height());
  cairo_clip(cr);
  // A fresh memory picture is black; whatever no picture covers stays so.
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_paint(cr);
  for (const DrawOp& op : frame.images) {
    if (!Intersects(op.dst, area)) continue;
    if (cairo_surface_t* image = images_.Get(op.imageId)) DrawImagePart(image, cr, op.src, op.dst);
  }
  if (!frame.title.text.empty()) DrawTitle(cr, frame.title, area);
  cairo_destroy(cr);
}

void GtkGameView::DrawTitle(cairo_t* cr, const TitleText& title, const Rect& area) {
  if (!titleLayout_) {
    titleLayout_ = pango_cairo_create_layout(cr);
    PangoFontDescription* font = pango_font_description_new();
    pango_font_description_set_family(font, kTitleFamilies);
    pango_font_description_set_absolute_size(font, 13 * PANGO_SCALE);
    pango_font_description_set_weight(font, PANGO_WEIGHT_NORMAL);
    pango_layout_set_font_description(titleLayout_, font);
    pango_font_description_free(font);
  }
  if (title.text != titleText_) {
    titleText_ = title.text;
    pango_layout_set_text(titleLayout_, titleText_.c_str(), -1);
  }
  PangoRectangle ink, logical;
  pango_layout_get_pixel_extents(titleLayout_, &ink, &logical);
  const Rect box{title.at.x + std::min(ink.x, logical.x), title.at.y + std::min(ink.y, logical.y),
                 title.at.x + std::max(ink.x + ink.width, logical.x + logical.width),
                 title.at.y + std::max(ink.y + ink.height, logical.y + logical.height)};
  if (!Intersects(box, area)) return;
  cairo_save(cr);
  cairo_set_source_rgba(cr, ((title.argb >> 16) & 0xFF) / 255.0, ((title.argb >> 8) & 0xFF) / 255.0,
                        (title.argb & 0xFF) / 255.0, ((title.argb >> 24) & 0xFF) / 255.0);
  cairo_move_to(cr, title.at.x, title.at.y);
  pango_cairo_update_layout(cr, titleLayout_);
  pango_cairo_show_layout(cr, titleLayout_);
  cairo_restore(cr);
}

Size GtkGameView::ScreenSize() const { return PrimaryScreenSize(); }

Rect GtkGameView::WorkArea() const {
  GdkMonitor* monitor = MonitorOf(window_);
  if (!monitor) return rect_;
  GdkRectangle a;
  gdk_monitor_get_workarea(monitor, &a);
  return {a.x, a.y, a.x + a.width, a.y + a.height};
}

void GtkGameView::SetTitle(const std::string& title) {
  if (window_) gtk_window_set_title(GTK_WINDOW(window_), title.c_str());
}

void GtkGameView::MoveResize(const Rect& r) {
  if (!window_) return;
  rect_ = r;
  lastSize_ = {r.Width(), r.Height()};
  gtk_window_move(GTK_WINDOW(window_), r.left, r.top);
  gtk_window_resize(GTK_WINDOW(window_), std::max(1, r.Width()), std::max(1, r.Height()));
  // Without a window manager GTK moves a visible window only on the next configure.
  if (GdkWindow* w = gtk_widget_get_window(window_); w && gtk_widget_get_visible(window_))
    gdk_window_move_resize(w, r.left, r.top, std::max(1, r.Width()), std::max(1, r.Height()));
}

void GtkGameView::Invalidate(const Rect& r) {
  if (!window_ || r.IsEmpty()) return;
  gtk_widget_queue_draw_area(window_, r.left, r.top, r.Width(), r.Height());
}

void GtkGameView::SetCursor(GameCursor cursor) {
  cursor_ = cursor;
  GdkWindow* w = window_ ? gtk_widget_get_window(window_) : nullptr;
  if (!w) return;
  const char* name = CursorName(cursor);
  GdkCursor* c = name ? gdk_cursor_new_from_name(gdk_window_get_display(w), name) : nullptr;
  gdk_window_set_cursor(w, c);
  if (c) g_object_unref(c);
}

void GtkGameView::BeginMoveDrag() {
  if (!window_ || pressButton_ == 0) return;
  gtk_window_begin_move_drag(GTK_WINDOW(window_), pressButton_, pressRootX_, pressRootY_,
                             pressTime_);
}

void GtkGameView::BeginSizing() {
  // The press's implicit grab keeps the pointer's moves coming here until the release.
  sizing_ = true;
}

void GtkGameView::ShowTooltip(const std::string& text) {
  tooltip_ = text;
  if (window_) gtk_widget_trigger_tooltip_query(window_);
}

void GtkGameView::HideTooltip() {
  tooltip_.clear();
  if (window_) gtk_widget_trigger_tooltip_query(window_);
}

void GtkGameView::Show() {
  if (!window_) return;
  gtk_window_move(GTK_WINDOW(window_), rect_.left, rect_.top);
  activateOnMap_ = !gtk_widget_get_mapped(window_);
  gtk_widget_show(window_);
}

void GtkGameView::Hide() {
  if (window_) gtk_widget_hide(window_);
}

void GtkGameView::Minimize() {
  if (window_) gtk_window_iconify(GTK_WINDOW(window_));
}

bool GtkGameView::IsVisible() const { return window_ && gtk_widget_get_visible(window_); }

void GtkGameView::SetForeground() {
  if (!window_) return;
  GdkWindow* w = gtk_widget_get_window(window_);
  if (w && GDK_IS_X11_WINDOW(w)) {
    gtk_window_present_with_time(GTK_WINDOW(window_), gdk_x11_get_server_time(w));
  } else {
    gtk_window_present(GTK_WINDOW(window_));
  }
}

}  // namespace vz::gtk
