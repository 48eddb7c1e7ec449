// Cost of composing skins: the launcher recomposes its whole picture on every hover change
// (and on every pointer move outside the buttons); the game window repaints its frame.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdlib>

#include "backends/gtk/skin/SkinImages.h"

namespace {

cairo_surface_t* Load(int id) {
  cairo_surface_t* s = nullptr;
  if (!vz::gtk::LoadPngResource(id, &s)) std::abort();
  return s;
}

struct Button {
  int id;
  vz::Rect rect;
};

// In drawing order: close, minimise, home, payment, customer service, forum.
constexpr std::array<Button, 6> kButtons = {{
    {138, {968, 211, 1023, 265}},
    {152, {928, 227, 967, 266}},
    {153, {343, 235, 497, 276}},
    {133, {478, 235, 632, 276}},
    {139, {750, 235, 904, 276}},
    {131, {614, 235, 768, 276}},
}};

void BM_ComposeLauncher(benchmark::State& state) {
  cairo_surface_t* background = Load(149);
  std::array<cairo_surface_t*, 6> pictures{};
  for (std::size_t i = 0; i < kButtons.size(); ++i) pictures[i] = Load(kButtons[i].id);
  // Argument: index of the hovered button, or -1 for none.
  const long hovered = state.range(0);
  for (auto _ : state) {
    // A fresh bitmap each time, as the window system gets a new picture per change.
    cairo_surface_t* target = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1155, 825);
    cairo_t* cr = cairo_create(target);
    vz::gtk::DrawImageInRect(background, cr, 0, 0, 1155, 825);
    for (std::size_t i = 0; i < kButtons.size(); ++i) {
      const vz::Rect& r = kButtons[i].rect;
      const int frame = static_cast<long>(i) == hovered ? 1 : 0;
      vz::gtk::DrawImagePart(
          pictures[i], cr, vz::Rect{0, frame * r.Height(), r.Width(), (frame + 1) * r.Height()}, r);
    }
    cairo_destroy(cr);
    cairo_surface_flush(target);
    benchmark::DoNotOptimize(cairo_image_surface_get_data(target));
    cairo_surface_destroy(target);
  }
  for (cairo_surface_t* p : pictures) cairo_surface_destroy(p);
  cairo_surface_destroy(background);
}
BENCHMARK(BM_ComposeLauncher)->Arg(-1)->Arg(2)->Unit(benchmark::kMicrosecond);

void BM_DecodeLauncherPicture(benchmark::State& state) {
  for (auto _ : state) {
    cairo_surface_t* s = Load(149);
    benchmark::DoNotOptimize(s);
    cairo_surface_destroy(s);
  }
}
BENCHMARK(BM_DecodeLauncherPicture)->Unit(benchmark::kMillisecond);

// The game window's frame at 1300x820: title band and body stretched from picture 143.
void BM_PaintGameFrame(benchmark::State& state) {
  cairo_surface_t* frame = Load(143);
  cairo_surface_t* target = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1300, 820);
  for (auto _ : state) {
    cairo_t* cr = cairo_create(target);
    vz::gtk::DrawImagePart(frame, cr, vz::Rect{0, 0, 800, 40}, vz::Rect{0, 0, 1300, 40});
    vz::gtk::DrawImagePart(frame, cr, vz::Rect{0, 40, 800, 510}, vz::Rect{0, 40, 1300, 820});
    cairo_destroy(cr);
    cairo_surface_flush(target);
    benchmark::DoNotOptimize(cairo_image_surface_get_data(target));
  }
  cairo_surface_destroy(target);
  cairo_surface_destroy(frame);
}
BENCHMARK(BM_PaintGameFrame)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
