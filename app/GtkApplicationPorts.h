#pragma once

#include <memory>

#include "app/DeferredUsageReport.h"
#include "app/GtkWindowFactory.h"
#include "backends/gtk/launcher/GtkImageStore.h"
#include "backends/gtk/launcher/GtkLauncherView.h"
#include "backends/gtk/launcher/GtkMessageBox.h"
#include "backends/gtk/launcher/GtkShell.h"
#include "backends/gtk/launcher/GtkTimers.h"
#include "backends/gtk/launcher/GtkTrayIcon.h"
#include "backends/gtk/launcher/MainLoopQueue.h"
#include "backends/gtk/launcher/X11HotKeys.h"
#include "backends/posix/IconvCodePage.h"
#include "backends/posix/files/PosixFileStore.h"
#include "core/app/launcher/CVozuDeziApp.h"

namespace vz::app {

// Every platform facility of the client on the GTK backend, wired to one launcher.
class GtkApplicationPorts {
 public:
  GtkApplicationPorts();
  ~GtkApplicationPorts();
  GtkApplicationPorts(const GtkApplicationPorts&) = delete;
  GtkApplicationPorts& operator=(const GtkApplicationPorts&) = delete;

  LauncherDeps Deps();
  // Routes window-system events to the launcher once it exists.
  void Attach(CMainWnd* launcher);
  void Detach();

 private:
  CMainWnd* launcher_ = nullptr;
  gtk::MainLoopQueue queue_;
  gtk::GtkImageStore images_;
  gtk::GtkShell shell_;
  gtk::GtkMessageBox messageBox_;
  std::shared_ptr<posix::IconvCodePage> codePage_ = std::make_shared<posix::IconvCodePage>();
  posix::PosixFileStore files_;
  std::unique_ptr<gtk::GtkLauncherView> view_;
  std::unique_ptr<gtk::GtkTrayIcon> tray_;
  std::unique_ptr<gtk::X11HotKeys> hotKeys_;
  std::unique_ptr<gtk::GtkTimers> timers_;
  std::unique_ptr<GtkWindowFactory> windows_;
  std::unique_ptr<DeferredUsageReport> report_;
};

}  // namespace vz::app
