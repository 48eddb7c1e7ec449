#include "app/GtkWindowFactory.h"

namespace vz::app {

// No game window yet: opening the game only hides the launcher.
std::unique_ptr<IGameWindow> MakeGameWindow(const AppContext&) { return nullptr; }

}  // namespace vz::app
