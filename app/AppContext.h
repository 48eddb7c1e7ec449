#pragma once

namespace vz {
class MessageQueue;
class IShell;
class IMessageBox;
class ICodePage;
namespace gtk {
class GtkLauncherView;
}
}  // namespace vz

namespace vz::app {

// What the windows made by the factory may use; all of it outlives every window.
// The launcher itself is reached through g_pLauncher.
struct AppContext {
  MessageQueue* queue = nullptr;
  gtk::GtkLauncherView* launcherView = nullptr;
  IShell* shell = nullptr;
  IMessageBox* messageBox = nullptr;
  const ICodePage* codePage = nullptr;
};

}  // namespace vz::app
