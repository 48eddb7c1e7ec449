#include "backends/gtk/launcher/GtkTrayIcon.h"

#include <gtk/gtk.h>

#include "backends/gtk/skin/SkinImages.h"

// The status icon is the XEmbed tray icon that X11 tray hosts show; GTK marks it
// deprecated in favour of desktop-specific services that plain X11 trays lack.
G_GNUC_BEGIN_IGNORE_DEPRECATIONS

namespace vz::gtk {

GtkTrayIcon::GtkTrayIcon(std::function<void(TrayMouse)> onMouse, std::function<void(int)> onCommand)
    : onMouse_(std::move(onMouse)), onCommand_(std::move(onCommand)) {}

GtkTrayIcon::~GtkTrayIcon() {
  *self_ = nullptr;
  Delete();
  if (menu_) gtk_widget_destroy(menu_);
}

void GtkTrayIcon::Add(int, const std::string& tip) {
  if (icon_) return;
  GdkPixbuf* pixbuf = LoadIconPixbuf();
  icon_ = pixbuf ? gtk_status_icon_new_from_pixbuf(pixbuf) : gtk_status_icon_new();
  if (pixbuf) g_object_unref(pixbuf);
  gtk_status_icon_set_tooltip_text(icon_, tip.c_str());
  gtk_status_icon_set_title(icon_, tip.c_str());
  gtk_status_icon_set_name(icon_, "vozudezi");
  g_signal_connect(icon_, "button-press-event", G_CALLBACK(&GtkTrayIcon::OnButtonPress), this);
  gtk_status_icon_set_visible(icon_, TRUE);
}

void GtkTrayIcon::Delete() {
  if (!icon_) return;
  g_signal_handlers_disconnect_by_data(icon_, this);
  gtk_status_icon_set_visible(icon_, FALSE);
  g_object_unref(icon_);
  icon_ = nullptr;
}

bool GtkTrayIcon::IsEmbedded() const { return icon_ && gtk_status_icon_is_embedded(icon_); }

int GtkTrayIcon::OnButtonPress(GtkStatusIcon*, void* event, void* data) {
  auto* self = static_cast<GtkTrayIcon*>(data);
  const auto* ev = static_cast<const GdkEventButton*>(event);
  TrayMouse mouse = TrayMouse::Other;
  if (ev->button == 1 && ev->type == GDK_2BUTTON_PRESS) {
    mouse = TrayMouse::LeftDoubleClick;
  } else if (ev->button == 3 && ev->type == GDK_BUTTON_PRESS) {
    mouse = TrayMouse::RightButtonDown;
  }
  if (self->onMouse_) self->onMouse_(mouse);
  return TRUE;
}

void GtkTrayIcon::PopupMenu(const std::vector<MenuItem>& items) {
  if (menu_) gtk_widget_destroy(menu_);
  menu_ = gtk_menu_new();
  for (const MenuItem& item : items) {
    GtkWidget* entry = gtk_menu_item_new_with_label(item.text.c_str());
    g_object_set_data(G_OBJECT(entry), "vz-command", GINT_TO_POINTER(item.command));
    g_signal_connect(entry, "activate", G_CALLBACK(+[](GtkMenuItem* mi, gpointer data) {
                       auto* self = static_cast<GtkTrayIcon*>(data);
                       const int command =
                           GPOINTER_TO_INT(g_object_get_data(G_OBJECT(mi), "vz-command"));
                       // Runs after the menu has closed, so the command may tear us down; an icon
                       // gone by then is not reached.
                       g_idle_add_full(
                           G_PRIORITY_HIGH_IDLE,
                           [](gpointer p) -> gboolean {
                             auto* pending = static_cast<PendingCommand*>(p);
                             GtkTrayIcon* owner = *pending->owner;
                             if (owner && owner->onCommand_) owner->onCommand_(pending->command);
                             return G_SOURCE_REMOVE;
                           },
                           new PendingCommand{self->self_, command},
                           [](gpointer p) { delete static_cast<PendingCommand*>(p); });
                     }),
                     this);
    gtk_menu_shell_append(GTK_MENU_SHELL(menu_), entry);
  }
  gtk_widget_show_all(menu_);
  gtk_menu_popup(GTK_MENU(menu_), nullptr, nullptr, nullptr, nullptr, 1,
                 gtk_get_current_event_time());
}

}  // namespace vz::gtk

G_GNUC_END_IGNORE_DEPRECATIONS
