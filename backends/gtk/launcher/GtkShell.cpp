#include "backends/gtk/launcher/GtkShell.h"

#include <gio/gio.h>

namespace vz::gtk {

void GtkShell::OpenUrl(const std::string& url) {
  if (url.empty()) return;
  GError* error = nullptr;
  // Failures are ignored, as with any shell open.
  if (!g_app_info_launch_default_for_uri(url.c_str(), nullptr, &error)) g_clear_error(&error);
}

}  // namespace vz::gtk
