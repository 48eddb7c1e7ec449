#include "app/GtkApplicationPorts.h"

#include <gtk/gtk.h>

namespace vz::app {

GtkApplicationPorts::GtkApplicationPorts() {
  view_ = std::make_unique<gtk::GtkLauncherView>(images_, [] { gtk_main_quit(); });
  tray_ = std::make_unique<gtk::GtkTrayIcon>(
      [this](TrayMouse m) {
        if (launcher_) launcher_->OnTrayIcon(m);
      },
      [this](int command) {
        if (launcher_) launcher_->OnCommand(command);
      });
  hotKeys_ = std::make_unique<gtk::X11HotKeys>([this](int id) {
    if (launcher_) launcher_->OnHotKey(id);
  });
  timers_ = std::make_unique<gtk::GtkTimers>([this](int id) {
    if (launcher_) launcher_->OnTimer(id);
  });
  AppContext context;
  context.queue = &queue_.Queue();
  context.launcherView = view_.get();
  context.shell = &shell_;
  context.messageBox = &messageBox_;
  context.codePage = codePage_.get();
  windows_ = std::make_unique<GtkWindowFactory>(context);
  report_ = std::make_unique<DeferredUsageReport>(codePage_);
}

GtkApplicationPorts::~GtkApplicationPorts() { Detach(); }

LauncherDeps GtkApplicationPorts::Deps() {
  LauncherDeps d;
  d.view = view_.get();
  d.images = &images_;
  d.shell = &shell_;
  d.messageBox = &messageBox_;
  d.tray = tray_.get();
  d.hotKeys = hotKeys_.get();
  d.timers = timers_.get();
  d.files = &files_;
  d.codePage = codePage_.get();
  d.report = report_.get();
  d.queue = &queue_.Queue();
  d.windows = windows_.get();
  return d;
}

void GtkApplicationPorts::Attach(CMainWnd* launcher) {
  launcher_ = launcher;
  view_->SetTarget(launcher);
}

void GtkApplicationPorts::Detach() {
  launcher_ = nullptr;
  view_->SetTarget(nullptr);
}

}  // namespace vz::app
