#include "backends/gtk/launcher/PrimaryScreen.h"

#include <gdk/gdk.h>

namespace vz::gtk {

Size PrimaryScreenSize() {
  GdkDisplay* display = gdk_display_get_default();
  if (!display) return {0, 0};
  GdkMonitor* monitor = gdk_display_get_primary_monitor(display);
  if (!monitor) monitor = gdk_display_get_monitor(display, 0);
  if (!monitor) return {0, 0};
  GdkRectangle geometry;
  gdk_monitor_get_geometry(monitor, &geometry);
  return {geometry.width, geometry.height};
}

}  // namespace vz::gtk
