#include "backends/gtk/game/GtkGameWindow.h"

#include "backends/gtk/game/GtkGamePage.h"
#include "backends/gtk/game/GtkGameView.h"
#include "backends/gtk/launcher/GtkImageStore.h"
#include "backends/gtk/launcher/GtkTimers.h"

namespace vz::gtk {
namespace {

// The platform side of one game window. Members go in reverse order: the timers stop
// first, then the page leaves the window, then the window and its pictures go.
struct GtkGamePlatform final : IGamePlatform {
  CDezorGame* game = nullptr;
  GtkImageStore images;
  std::unique_ptr<GtkGameView> view;
  std::unique_ptr<GtkGamePage> page;
  MallocTrimmer trimmer;
  std::unique_ptr<GtkTimers> timers;
};

}  // namespace

GtkGameWindowPieces MakeGtkGameWindow(const GameWindowContext& context) {
  GtkGameWindowPieces pieces;
  if (!context.launcher) return pieces;
  auto platform = std::make_unique<GtkGamePlatform>();
  GtkGamePlatform* p = platform.get();
  p->view = std::make_unique<GtkGameView>(p->images);
  p->page = std::make_unique<GtkGamePage>(p->view->ChildLayer(), nullptr, [p](unsigned vk) {
    return p->game && p->game->OnKeyDown(vk);
  });
  p->timers = std::make_unique<GtkTimers>([p](int id) {
    if (p->game) p->game->OnTimer(id);
  });

  GameDeps deps;
  deps.launcher = context.launcher;
  deps.queue = context.queue;
  deps.view = p->view.get();
  deps.page = p->page.get();
  deps.images = &p->images;
  deps.timers = p->timers.get();
  deps.shell = context.shell;
  deps.messageBox = context.messageBox;
  deps.trimmer = &p->trimmer;
  deps.popups = context.popups;
  deps.bossKeyDialog = context.bossKeyDialog;
  deps.cacheCleaner = context.cacheCleaner;

  auto game = std::make_unique<CDezorGame>(deps, std::move(platform));
  p->game = game.get();
  p->view->SetTarget(game.get());
  p->page->SetEvents(game.get());
  if (!game->Create()) return pieces;
  p->view->SetPageWidget(p->page->Widget());
  pieces.view = p->view.get();
  pieces.page = p->page.get();
  pieces.trimmer = &p->trimmer;
  pieces.game = std::move(game);
  return pieces;
}

}  // namespace vz::gtk
