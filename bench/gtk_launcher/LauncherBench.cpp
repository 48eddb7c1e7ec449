// Cost of the launcher's pointer handling with the real window picture (needs DISPLAY).
#include <benchmark/benchmark.h>
#include <gtk/gtk.h>

#include <memory>

#include "backends/gtk/launcher/GtkImageStore.h"
#include "backends/gtk/launcher/GtkLauncherView.h"
#include "backends/gtk/skin/SkinImages.h"
#include "backends/posix/IconvCodePage.h"
#include "core/app/launcher/CMainWnd.h"

namespace {

struct NullShell : vz::IShell {
  void OpenUrl(const std::string&) override {}
};
struct NullBox : vz::IMessageBox {
  bool AskOkCancel(const std::string&, const std::string&) override { return false; }
};
struct NullTray : vz::ITrayIcon {
  void Add(int, const std::string&) override {}
  void Delete() override {}
  void PopupMenu(const std::vector<MenuItem>&) override {}
};
struct NullKeys : vz::IHotKeys {
  bool Register(int, unsigned, unsigned) override { return true; }
  void Unregister(int) override {}
};
struct NullTimers : vz::ITimers {
  void Start(int, unsigned) override {}
  void Stop(int) override {}
};

struct Launcher {
  vz::gtk::GtkImageStore images;
  vz::gtk::GtkLauncherView view{images, {}};
  NullShell shell;
  NullBox box;
  NullTray tray;
  NullKeys keys;
  NullTimers timers;
  vz::MessageQueue queue;
  std::unique_ptr<vz::CMainWnd> wnd;

  Launcher() {
    vz::LauncherDeps d;
    d.view = &view;
    d.images = &images;
    d.shell = &shell;
    d.messageBox = &box;
    d.tray = &tray;
    d.hotKeys = &keys;
    d.timers = &timers;
    d.queue = &queue;
    wnd = std::make_unique<vz::CMainWnd>(0, d, "/tmp/");
    wnd->Create();
  }
};

Launcher& Shared() {
  static Launcher* launcher = [] {
    gtk_init(nullptr, nullptr);
    vz::gtk::RegisterSkinResources();
    return new Launcher;
  }();
  return *launcher;
}

// Alternates between two links: every move changes the lit button.
void BM_HoverChange(benchmark::State& state) {
  Launcher& l = Shared();
  bool home = false;
  for (auto _ : state) {
    home = !home;
    l.wnd->OnMouseMove(home ? vz::Point{400, 250} : vz::Point{560, 250});
  }
  state.counters["recompositions"] = static_cast<double>(l.wnd->RedrawCount());
}
BENCHMARK(BM_HoverChange);

// Moves inside the black area: no state changes, so nothing may be composed.
void BM_MoveWithoutChange(benchmark::State& state) {
  Launcher& l = Shared();
  l.wnd->OnMouseMove({600, 500});
  const auto before = l.wnd->RedrawCount();
  int x = 0;
  for (auto _ : state) {
    x = (x + 1) % 100;
    l.wnd->OnMouseMove({500 + x, 500});
  }
  if (l.wnd->RedrawCount() != before) state.SkipWithError("a move without change recomposed");
}
BENCHMARK(BM_MoveWithoutChange);

// The full picture, as at creation.
void BM_FullComposition(benchmark::State& state) {
  Launcher& l = Shared();
  vz::Composition c = l.wnd->ComposeSkin();
  vz::Composition blank;
  for (auto _ : state) {
    l.view.Present(blank);
    l.view.Present(c);
  }
}
BENCHMARK(BM_FullComposition);

}  // namespace

BENCHMARK_MAIN();
