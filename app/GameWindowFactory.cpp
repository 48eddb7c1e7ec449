#include "app/GtkWindowFactory.h"
#include "backends/gtk/game/GtkGameWindow.h"
#include "core/app/launcher/CMainWnd.h"

namespace vz::app {

// The game window reads and writes the launcher's shared state; without a launcher there
// is nothing to open it for.
std::unique_ptr<IGameWindow> MakeGameWindow(const AppContext& context) {
  if (!g_pLauncher) return nullptr;
  gtk::GameWindowContext game;
  game.launcher = g_pLauncher;
  game.queue = context.queue;
  game.shell = context.shell;
  game.messageBox = context.messageBox;
  return gtk::MakeGtkGameWindow(game).game;
}

}  // namespace vz::app
