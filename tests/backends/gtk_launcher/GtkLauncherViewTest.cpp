// The launcher's window picture: partial repaints must equal a full composition.
#include "backends/gtk/launcher/GtkLauncherView.h"

#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <cstring>

#include "backends/gtk/launcher/GtkImageStore.h"
#include "backends/gtk/skin/SkinImages.h"

namespace vz::gtk {
namespace {

bool SamePixels(cairo_surface_t* a, cairo_surface_t* b) {
  cairo_surface_flush(a);
  cairo_surface_flush(b);
  const int h = cairo_image_surface_get_height(a);
  const int stride = cairo_image_surface_get_stride(a);
  if (h != cairo_image_surface_get_height(b) || stride != cairo_image_surface_get_stride(b)) {
    return false;
  }
  return std::memcmp(cairo_image_surface_get_data(a), cairo_image_surface_get_data(b),
                     static_cast<std::size_t>(h) * static_cast<std::size_t>(stride)) == 0;
}

cairo_surface_t* Copy(cairo_surface_t* s) {
  cairo_surface_t* c = cairo_image_surface_create(
      CAIRO_FORMAT_ARGB32, cairo_image_surface_get_width(s), cairo_image_surface_get_height(s));
  cairo_t* cr = cairo_create(c);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_set_source_surface(cr, s, 0, 0);
  cairo_paint(cr);
  cairo_destroy(cr);
  return c;
}

TEST(GtkLauncherView, PartialRepaintEqualsFullComposition) {
  if (!gtk_init_check(nullptr, nullptr)) GTEST_SKIP() << "needs an X display";
  RegisterSkinResources();
  GtkImageStore images;
  const int ids[] = {149, 138, 152, 153, 133, 139, 131};
  for (int id : ids) {
    Size size;
    ASSERT_TRUE(images.LoadPngResource(id, &size)) << id;
  }
  GtkLauncherView incremental(images, {});
  GtkLauncherView fresh(images, {});

  auto composition = [](int lit) {
    Composition c;
    c.size = {1155, 825};
    c.ops.push_back({149, {0, 0, 1155, 825}, {0, 0, 1155, 825}});
    const struct {
      int id;
      Rect r;
    } buttons[] = {{138, {968, 211, 1023, 265}}, {152, {928, 227, 967, 266}},
                   {153, {343, 235, 497, 276}},  {133, {478, 235, 632, 276}},
                   {139, {750, 235, 904, 276}},  {131, {614, 235, 768, 276}}};
    for (int i = 0; i < 6; ++i) {
      const Rect& r = buttons[i].r;
      const int top = (i == lit) ? r.Height() : 0;
      c.ops.push_back({buttons[i].id, {0, top, r.Width(), top + r.Height()}, r});
    }
    return c;
  };

  // Overlapping links light up one after another; each step repaints only its rectangles.
  for (int lit : {-1, 2, 3, 5, 4, 0, 1, -1, 3}) {
    incremental.Present(composition(lit));
    GtkLauncherView once(images, {});
    once.Present(composition(lit));
    cairo_surface_t* a = Copy(incremental.Picture());
    EXPECT_TRUE(SamePixels(a, once.Picture())) << "after lighting " << lit;
    cairo_surface_destroy(a);
  }
  // The frame differs from the idle picture where the link is lit.
  fresh.Present(composition(-1));
  incremental.Present(composition(2));
  EXPECT_FALSE(SamePixels(incremental.Picture(), fresh.Picture()));
}

TEST(GtkImageStore, MissingPicturesAreRefused) {
  if (!gtk_init_check(nullptr, nullptr)) GTEST_SKIP() << "needs an X display";
  RegisterSkinResources();
  GtkImageStore images;
  Size size{7, 7};
  EXPECT_FALSE(images.LoadPngResource(141, &size));
  EXPECT_EQ(size, (Size{7, 7}));
  EXPECT_TRUE(images.LoadPngResource(149, &size));
  EXPECT_EQ(size, (Size{1155, 825}));
  EXPECT_NE(images.Get(149), nullptr);
  images.Free(149);
  EXPECT_EQ(images.Get(149), nullptr);
}

}  // namespace
}  // namespace vz::gtk

namespace vz::gtk {
namespace {

struct CountingBox : IMessageBox {
  int asked = 0;
  bool AskOkCancel(const std::string&, const std::string&) override {
    ++asked;
    return false;
  }
};
struct NullTray : ITrayIcon {
  void Add(int, const std::string&) override {}
  void Delete() override {}
  void PopupMenu(const std::vector<MenuItem>&) override {}
};
struct NullKeys : IHotKeys {
  bool Register(int, unsigned, unsigned) override { return true; }
  void Unregister(int) override {}
};
struct NullTimers : ITimers {
  void Start(int, unsigned) override {}
  void Stop(int) override {}
};
struct NullShell : IShell {
  void OpenUrl(const std::string&) override {}
};

TEST(GtkLauncherView, WindowManagerCloseAsksTheExitQuestion) {
  if (!gtk_init_check(nullptr, nullptr)) GTEST_SKIP() << "needs an X display";
  RegisterSkinResources();
  GtkImageStore images;
  bool destroyed = false;
  GtkLauncherView view(images, [&] { destroyed = true; });
  CountingBox box;
  NullTray tray;
  NullKeys keys;
  NullTimers timers;
  NullShell shell;
  MessageQueue queue;
  LauncherDeps deps;
  deps.view = &view;
  deps.images = &images;
  deps.shell = &shell;
  deps.messageBox = &box;
  deps.tray = &tray;
  deps.hotKeys = &keys;
  deps.timers = &timers;
  deps.queue = &queue;
  CMainWnd launcher(0, deps, "/nonexistent/");
  ASSERT_TRUE(launcher.Create());
  view.SetTarget(&launcher);
  launcher.ShowWindow(true);
  gtk_window_close(GTK_WINDOW(view.Widget()));  // what a window manager's close button sends
  while (g_main_context_iteration(nullptr, FALSE)) {
  }
  EXPECT_EQ(box.asked, 1);
  EXPECT_FALSE(destroyed);
  EXPECT_FALSE(launcher.IsDestroyed());
  view.SetTarget(nullptr);
}

}  // namespace
}  // namespace vz::gtk
