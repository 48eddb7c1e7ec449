#pragma once

#include <memory>

#include "app/AppContext.h"
#include "core/app/launcher/LauncherPorts.h"

namespace vz::app {

// Makes the launcher's login dialog and game window on the GTK backend.
class GtkWindowFactory final : public IWindowFactory {
 public:
  explicit GtkWindowFactory(const AppContext& context) : context_(context) {}
  std::unique_ptr<ILoginDialog> CreateLoginDialog() override;
  std::unique_ptr<IGameWindow> CreateGameWindow() override;

 private:
  AppContext context_;
};

// Defined beside the windows they make (LoginDialogFactory.cpp, GameWindowFactory.cpp).
std::unique_ptr<ILoginDialog> MakeLoginDialog(const AppContext& context);
std::unique_ptr<IGameWindow> MakeGameWindow(const AppContext& context);

}  // namespace vz::app
