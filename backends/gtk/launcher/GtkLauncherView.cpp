#include "backends/gtk/launcher/GtkLauncherView.h"

#include <gdk/gdkx.h>
#include <gtk/gtk.h>

#include <algorithm>

#include "backends/gtk/launcher/GtkImageStore.h"
#include "backends/gtk/launcher/PrimaryScreen.h"
#include "backends/gtk/skin/SkinImages.h"

namespace vz::gtk {
namespace {

Rect Union(const Rect& a, const Rect& b) {
  if (a.IsEmpty()) return b;
  if (b.IsEmpty()) return a;
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
}

bool Intersects(const Rect& a, const Rect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

}  // namespace

GtkLauncherView::GtkLauncherView(const GtkImageStore& images, std::function<void()> onDestroyed)
    : images_(images), onDestroyed_(std::move(onDestroyed)) {
  window_ = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  g_object_ref_sink(window_);
  gtk_window_set_decorated(GTK_WINDOW(window_), FALSE);
  gtk_window_set_resizable(GTK_WINDOW(window_), FALSE);
  gtk_widget_set_app_paintable(window_, TRUE);
  GdkScreen* screen = gtk_widget_get_screen(window_);
  if (GdkVisual* rgba = gdk_screen_get_rgba_visual(screen)) gtk_widget_set_visual(window_, rgba);
  gtk_widget_add_events(window_, GDK_POINTER_MOTION_MASK | GDK_ENTER_NOTIFY_MASK |
                                     GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK |
                                     GDK_STRUCTURE_MASK);
  // Child windows (the login page) sit in a fixed layer over the picture.
  layer_ = gtk_fixed_new();
  gtk_container_add(GTK_CONTAINER(window_), layer_);
  gtk_widget_show(layer_);
  g_signal_connect(window_, "draw", G_CALLBACK(&GtkLauncherView::OnDraw), this);
  g_signal_connect(window_, "motion-notify-event", G_CALLBACK(&GtkLauncherView::OnMotion), this);
  // Coming back from a child window (the login page) brings no motion of its own.
  g_signal_connect(window_, "enter-notify-event", G_CALLBACK(&GtkLauncherView::OnEnter), this);
  g_signal_connect(window_, "button-press-event", G_CALLBACK(&GtkLauncherView::OnButtonPress),
                   this);
  g_signal_connect(window_, "button-release-event", G_CALLBACK(&GtkLauncherView::OnButtonRelease),
                   this);
  g_signal_connect(window_, "configure-event", G_CALLBACK(&GtkLauncherView::OnConfigure), this);
  g_signal_connect(window_, "window-state-event", G_CALLBACK(&GtkLauncherView::OnWindowState),
                   this);
  g_signal_connect(window_, "delete-event", G_CALLBACK(&GtkLauncherView::OnDelete), this);
  g_signal_connect(window_, "destroy", G_CALLBACK(&GtkLauncherView::OnDestroy), this);
}

GtkLauncherView::~GtkLauncherView() {
  if (window_) {
    g_signal_handlers_disconnect_by_data(window_, this);
    gtk_widget_destroy(window_);
    g_object_unref(window_);
  }
  if (picture_) cairo_surface_destroy(picture_);
}

Size GtkLauncherView::ScreenSize() const { return PrimaryScreenSize(); }

void GtkLauncherView::SetTitle(const std::string& title) {
  if (!window_) return;
  gtk_window_set_title(GTK_WINDOW(window_), title.c_str());
}

void GtkLauncherView::SetIcon(int) {
  if (!window_) return;
  if (GdkPixbuf* icon = LoadIconPixbuf()) {
    gtk_window_set_icon(GTK_WINDOW(window_), icon);
    g_object_unref(icon);
  }
}

void GtkLauncherView::MoveResize(const Rect& r) {
  rect_ = r;
  if (!window_) return;
  gtk_widget_set_size_request(window_, r.Width(), r.Height());
  gtk_window_resize(GTK_WINDOW(window_), r.Width(), r.Height());
  gtk_window_move(GTK_WINDOW(window_), r.left, r.top);
}

Rect GtkLauncherView::ScreenRect() const { return rect_; }

void GtkLauncherView::Present(const Composition& c) {
  if (!window_) return;
  const bool full = !picture_ || c.size != last_.size || c.ops.size() != last_.ops.size() ||
                    c.ops.empty() || c.ops[0] != last_.ops[0];
  if (full) {
    if (picture_) cairo_surface_destroy(picture_);
    picture_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, c.size.width, c.size.height);
    Paint(c, {0, 0, c.size.width, c.size.height});
    last_ = c;
    // The outline is worked out when the window is first shown: a hidden start never needs
    // it, and a normal start gets the login page going first.
    shapeDirty_ = true;
    if (gtk_widget_get_visible(window_)) UpdateShape();
    gtk_widget_queue_draw(window_);
    return;
  }
  // Repaint only where a button's frame changed.
  Rect dirty;
  for (std::size_t i = 0; i < c.ops.size(); ++i) {
    if (c.ops[i] != last_.ops[i]) dirty = Union(dirty, Union(c.ops[i].dst, last_.ops[i].dst));
  }
  last_ = c;
  if (dirty.IsEmpty()) return;
  Paint(c, dirty);
  gtk_widget_queue_draw_area(window_, dirty.left, dirty.top, dirty.Width(), dirty.Height());
}

void GtkLauncherView::Paint(const Composition& c, const Rect& area) {
  cairo_t* cr = cairo_create(picture_);
  cairo_rectangle(cr, area.left, area.top, area.Width(), area.Height());
  cairo_clip(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
  cairo_paint(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
  for (const DrawOp& op : c.ops) {
    if (!Intersects(op.dst, area)) continue;
    if (cairo_surface_t* image = images_.Get(op.imageId)) DrawImagePart(image, cr, op.src, op.dst);
  }
  cairo_destroy(cr);
}

void GtkLauncherView::UpdateShape() {
  if (!window_) return;
  if (!picture_ || !shapeDirty_) return;
  shapeDirty_ = false;
  cairo_region_t* region = gdk_cairo_region_create_from_surface(picture_);
  gtk_widget_input_shape_combine_region(window_, region);
  // Without a compositor the alpha cannot show, so the outline is cut out instead.
  if (!gdk_screen_is_composited(gtk_widget_get_screen(window_))) {
    gtk_widget_shape_combine_region(window_, region);
  }
  cairo_region_destroy(region);
}

void GtkLauncherView::SetCursor(Cursor cursor) {
  if (!window_) return;
  GdkWindow* w = gtk_widget_get_window(window_);
  if (!w) return;
  if (cursor == Cursor::Hand) {
    GdkCursor* hand = gdk_cursor_new_from_name(gdk_window_get_display(w), "pointer");
    gdk_window_set_cursor(w, hand);
    if (hand) g_object_unref(hand);
  } else {
    gdk_window_set_cursor(w, nullptr);
  }
}

void GtkLauncherView::BeginMoveDrag() {
  if (!window_) return;
  if (lastPressButton_ == 0) return;
  gtk_window_begin_move_drag(GTK_WINDOW(window_), lastPressButton_, lastPressX_, lastPressY_,
                             lastPressTime_);
}

void GtkLauncherView::Show() {
  if (!window_) return;
  UpdateShape();
  gtk_window_move(GTK_WINDOW(window_), rect_.left, rect_.top);
  gtk_widget_show(window_);
}

void GtkLauncherView::Hide() {
  if (window_) gtk_widget_hide(window_);
}

void GtkLauncherView::Minimize() {
  if (window_) gtk_window_iconify(GTK_WINDOW(window_));
}

void GtkLauncherView::Restore() {
  if (!window_) return;
  UpdateShape();
  gtk_window_deiconify(GTK_WINDOW(window_));
  gtk_widget_show(window_);
  iconic_ = false;
}

bool GtkLauncherView::IsVisible() const { return window_ && gtk_widget_get_visible(window_); }

bool GtkLauncherView::IsIconic() const { return iconic_; }

void GtkLauncherView::SetForeground() {
  if (!window_) return;
  GdkWindow* w = gtk_widget_get_window(window_);
  if (w && GDK_IS_X11_WINDOW(w)) {
    gtk_window_present_with_time(GTK_WINDOW(window_), gdk_x11_get_server_time(w));
  } else {
    gtk_window_present(GTK_WINDOW(window_));
  }
}

void GtkLauncherView::Destroy() {
  if (!window_) return;
  gtk_widget_destroy(window_);
}

int GtkLauncherView::OnDraw(GtkWidget*, cairo_t* cr, void* data) {
  auto* self = static_cast<GtkLauncherView*>(data);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  if (self->picture_) {
    cairo_set_source_surface(cr, self->picture_, 0, 0);
  } else {
    cairo_set_source_rgba(cr, 0, 0, 0, 0);
  }
  cairo_paint(cr);
  return FALSE;  // the children draw on top
}

int GtkLauncherView::OnMotion(GtkWidget*, void* event, void* data) {
  auto* self = static_cast<GtkLauncherView*>(data);
  const auto* ev = static_cast<const GdkEventMotion*>(event);
  if (self->target_) self->target_->OnMouseMove({static_cast<int>(ev->x), static_cast<int>(ev->y)});
  return TRUE;
}

int GtkLauncherView::OnEnter(GtkWidget*, void* event, void* data) {
  auto* self = static_cast<GtkLauncherView*>(data);
  const auto* ev = static_cast<const GdkEventCrossing*>(event);
  if (self->target_) {
    self->target_->OnMouseMove({static_cast<int>(ev->x), static_cast<int>(ev->y)});
  }
  return FALSE;
}

int GtkLauncherView::OnButtonPress(GtkWidget*, void* event, void* data) {
  auto* self = static_cast<GtkLauncherView*>(data);
  const auto* ev = static_cast<const GdkEventButton*>(event);
  if (ev->button != 1 || ev->type != GDK_BUTTON_PRESS) return TRUE;
  self->lastPressButton_ = static_cast<int>(ev->button);
  self->lastPressX_ = static_cast<int>(ev->x_root);
  self->lastPressY_ = static_cast<int>(ev->y_root);
  self->lastPressTime_ = ev->time;
  if (self->target_)
    self->target_->OnLButtonDown({static_cast<int>(ev->x), static_cast<int>(ev->y)});
  return TRUE;
}

int GtkLauncherView::OnButtonRelease(GtkWidget*, void* event, void* data) {
  auto* self = static_cast<GtkLauncherView*>(data);
  const auto* ev = static_cast<const GdkEventButton*>(event);
  if (ev->button != 1) return TRUE;
  if (self->target_) self->target_->OnLButtonUp({static_cast<int>(ev->x), static_cast<int>(ev->y)});
  return TRUE;
}

int GtkLauncherView::OnConfigure(GtkWidget*, void* event, void* data) {
  auto* self = static_cast<GtkLauncherView*>(data);
  const auto* ev = static_cast<const GdkEventConfigure*>(event);
  if (ev->x != self->rect_.left || ev->y != self->rect_.top) {
    self->rect_ = {ev->x, ev->y, ev->x + self->rect_.Width(), ev->y + self->rect_.Height()};
    if (self->target_) self->target_->OnMove();
  }
  return FALSE;
}

int GtkLauncherView::OnWindowState(GtkWidget*, void* event, void* data) {
  auto* self = static_cast<GtkLauncherView*>(data);
  const auto* ev = static_cast<const GdkEventWindowState*>(event);
  self->iconic_ = (ev->new_window_state & GDK_WINDOW_STATE_ICONIFIED) != 0;
  return FALSE;
}

int GtkLauncherView::OnDelete(GtkWidget*, void*, void* data) {
  auto* self = static_cast<GtkLauncherView*>(data);
  // A window manager takes Alt+F4 before the login page can see it; the player gets the
  // same exit question the page's Alt+F4 asks.
  if (self->target_) self->target_->ConfirmExit();
  return TRUE;
}

void GtkLauncherView::OnDestroy(GtkWidget*, void* data) {
  auto* self = static_cast<GtkLauncherView*>(data);
  GtkWidget* w = self->window_;
  self->window_ = nullptr;
  self->layer_ = nullptr;
  if (w) g_object_unref(w);
  if (self->onDestroyed_) self->onDestroyed_();
}

}  // namespace vz::gtk
