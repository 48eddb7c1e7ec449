// What one pointer move over the game window's title bar costs at 1300 x 820: the core's
// hover rules plus recomposing exactly the rectangles they invalidate.
#include <benchmark/benchmark.h>
#include <gtk/gtk.h>

#include <memory>
#include <vector>

#include "backends/gtk/game/GtkGameView.h"
#include "backends/gtk/launcher/GtkImageStore.h"
#include "backends/gtk/skin/SkinImages.h"
#include "core/app/launcher/CMainWnd.h"
#include "core/game/CDezorGame.h"

namespace vz {
namespace {

// The real window, with every invalidation also kept for the benchmark to paint.
class RecordingView final : public IGameView {
 public:
  explicit RecordingView(gtk::GtkGameView& real) : real_(real) {}
  std::vector<Rect> dirty;
  Size ScreenSize() const override { return {1920, 1080}; }
  Rect WorkArea() const override { return {0, 0, 1920, 1040}; }
  void SetTitle(const std::string& t) override { real_.SetTitle(t); }
  void MoveResize(const Rect& r) override { rect_ = r; }
  Rect ScreenRect() const override { return rect_; }
  void Invalidate(const Rect& r) override { dirty.push_back(r); }
  void SetCursor(GameCursor) override {}
  void BeginMoveDrag() override {}
  void BeginSizing() override {}
  void ShowTooltip(const std::string&) override {}
  void HideTooltip() override {}
  void Show() override {}
  void Hide() override {}
  void Minimize() override {}
  bool IsVisible() const override { return true; }
  void SetForeground() override {}
  void Destroy() override {}

 private:
  gtk::GtkGameView& real_;
  Rect rect_;
};

struct NoPage final : IGamePage {
  bool Create(const Rect&) override { return true; }
  void Navigate(const std::string&) override {}
  void Place(const Rect&) override {}
  void Stop() override {}
  void Destroy() override {}
};

struct Rig {
  gtk::GtkImageStore images;
  std::unique_ptr<gtk::GtkGameView> gtkView;
  std::unique_ptr<RecordingView> view;
  NoPage page;
  CMainWnd launcher{0, LauncherDeps{}, ""};
  std::unique_ptr<CDezorGame> game;

  Rig() {
    gtkView = std::make_unique<gtk::GtkGameView>(images);
    view = std::make_unique<RecordingView>(*gtkView);
    launcher.m_strServerName = "双线1区";
    launcher.m_bGameMaximized = false;
    GameDeps d;
    d.launcher = &launcher;
    d.view = view.get();
    d.page = &page;
    d.images = &images;
    game = std::make_unique<CDezorGame>(d);
    game->Create();
    gtkView->SetTarget(game.get());
    gtkView->Render({0, 0, 1300, 820});
    view->dirty.clear();
  }
  ~Rig() { gtkView->SetTarget(nullptr); }
  void PaintDirty() {
    for (const Rect& r : view->dirty) gtkView->Render(r);
    view->dirty.clear();
  }
};

Point Mid(const Rect& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

// The pointer goes from one button to the next: two buttons change, two rectangles repaint.
void BM_HoverChange(benchmark::State& state) {
  Rig rig;
  const Point a = Mid(rig.game->ButtonRect(CDezorGame::kClose));
  const Point b = Mid(rig.game->ButtonRect(CDezorGame::kMinimize));
  bool onA = false;
  std::uint64_t pixels = 0;
  for (auto _ : state) {
    onA = !onA;
    rig.game->OnMouseMove(onA ? a : b);
    const std::uint64_t before = rig.gtkView->PaintedPixels();
    rig.PaintDirty();
    pixels += rig.gtkView->PaintedPixels() - before;
  }
  state.counters["pixels_per_change"] =
      benchmark::Counter(static_cast<double>(pixels), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_HoverChange);

// The pointer enters a button from empty title bar and leaves it again.
void BM_HoverEnterLeave(benchmark::State& state) {
  Rig rig;
  const Point on = Mid(rig.game->ButtonRect(CDezorGame::kPay));
  const Point off{500, 20};
  bool in = false;
  for (auto _ : state) {
    in = !in;
    rig.game->OnMouseMove(in ? on : off);
    rig.PaintDirty();
  }
}
BENCHMARK(BM_HoverEnterLeave);

// A move that changes nothing repaints nothing.
void BM_MoveWithoutChange(benchmark::State& state) {
  Rig rig;
  int x = 400;
  for (auto _ : state) {
    x = x == 400 ? 401 : 400;
    rig.game->OnMouseMove({x, 20});
    rig.PaintDirty();
  }
}
BENCHMARK(BM_MoveWithoutChange);

// For scale: the whole 1300 x 820 frame, as after a size change.
void BM_FullFrame(benchmark::State& state) {
  Rig rig;
  for (auto _ : state) rig.gtkView->Render({0, 0, 1300, 820});
}
BENCHMARK(BM_FullFrame);

}  // namespace
}  // namespace vz

int main(int argc, char** argv) {
  if (!gtk_init_check(&argc, &argv)) return 1;
  vz::gtk::RegisterSkinResources();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
