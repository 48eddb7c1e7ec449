#include "app/GtkWindowFactory.h"

namespace vz::app {

std::unique_ptr<ILoginDialog> GtkWindowFactory::CreateLoginDialog() {
  return MakeLoginDialog(context_);
}

std::unique_ptr<IGameWindow> GtkWindowFactory::CreateGameWindow() {
  return MakeGameWindow(context_);
}

}  // namespace vz::app
