// vozudezi-bare-webview [--software] <address>
// A plain WebKitGTK window of the login page's size that loads one address, with WebKit's
// defaults: what the client's login page costs is measured against it. --software turns
// GPU compositing off, as the client's page windows have it.
#include <gtk/gtk.h>
#include <webkit2/webkit2.h>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
  gtk_init(&argc, &argv);
  const char* address = nullptr;
  bool software = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--software") == 0) {
      software = true;
    } else {
      address = argv[i];
    }
  }
  if (!address) {
    std::fprintf(stderr, "usage: vozudezi-bare-webview [--software] <address>\n");
    return 2;
  }
  GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  gtk_window_set_default_size(GTK_WINDOW(window), 643, 398);
  gtk_window_set_title(GTK_WINDOW(window), "bare-webview");
  GtkWidget* view = webkit_web_view_new();
  if (software) {
    WebKitSettings* settings = webkit_web_view_get_settings(WEBKIT_WEB_VIEW(view));
    webkit_settings_set_hardware_acceleration_policy(settings,
                                                     WEBKIT_HARDWARE_ACCELERATION_POLICY_NEVER);
  }
  gtk_container_add(GTK_CONTAINER(window), view);
  g_signal_connect(window, "destroy", G_CALLBACK(gtk_main_quit), nullptr);
  webkit_web_view_load_uri(WEBKIT_WEB_VIEW(view), address);
  gtk_widget_show_all(window);
  gtk_main();
  return 0;
}
