#pragma once

#include <memory>

#include "core/game/CDezorGame.h"

namespace vz {
class MessageQueue;
class IShell;
class IMessageBox;
class CMainWnd;
}  // namespace vz

namespace vz::gtk {

class GtkGameView;
class GtkGamePage;
class MallocTrimmer;

// What a game window on GTK shares with the rest of the program; all of it outlives it.
struct GameWindowContext {
  CMainWnd* launcher = nullptr;
  MessageQueue* queue = nullptr;
  IShell* shell = nullptr;
  IMessageBox* messageBox = nullptr;
  IGamePopupFactory* popups = nullptr;
  IBossKeyDialog* bossKeyDialog = nullptr;
  ICacheCleaner* cacheCleaner = nullptr;
};

// A created game window with its GTK pieces (the pieces live as long as the window object).
struct GtkGameWindowPieces {
  std::unique_ptr<CDezorGame> game;
  GtkGameView* view = nullptr;
  GtkGamePage* page = nullptr;
  MallocTrimmer* trimmer = nullptr;
};

// Builds and creates the game window; `game` is null when it could not be created.
GtkGameWindowPieces MakeGtkGameWindow(const GameWindowContext& context);

}  // namespace vz::gtk
