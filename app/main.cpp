// The client: the launcher and its windows on the GTK backend.
#include <gtk/gtk.h>

#include <string>

#include "app/GtkApplicationPorts.h"
#include "backends/gtk/skin/SkinImages.h"
#include "backends/posix/files/ExecutablePath.h"
#include "core/app/launcher/CVozuDeziApp.h"
#include "core/app/settings/Settings.h"

int main(int argc, char** argv) {
  // The command-line tail after the program name, as one text.
  std::string commandLine;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) commandLine += ' ';
    commandLine += argv[i];
  }
  gdk_set_allowed_backends("x11");
  gtk_init(&argc, &argv);
  vz::gtk::RegisterSkinResources();

  const std::string moduleDir = vz::GetModuleDir(vz::posix::ExecutablePath());
  vz::app::GtkApplicationPorts ports;
  vz::CVozuDeziApp app;
  {
    vz::LauncherDeps deps = ports.Deps();
    app.InitInstance(commandLine, deps, moduleDir);
  }
  if (app.MainWnd() && !app.MainWnd()->IsDestroyed()) {
    ports.Attach(app.MainWnd());
    gtk_main();
  }
  ports.Detach();
  // The launcher goes first: its game window and workers end before the ports do.
  app.Reset();
  return 0;
}
