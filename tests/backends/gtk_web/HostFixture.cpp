#include "HostFixture.h"

#include <gdk/gdkx.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <thread>

namespace vz::test {

void HostTest::SetUpTestSuite() {
  // Keep WebKit's caches and data of the test run out of the home folder.
  static std::string home = [] {
    char pattern[] = "/tmp/vz-gtkweb-home-XXXXXX";
    const char* made = mkdtemp(pattern);
    return std::string(made ? made : "/tmp");
  }();
  setenv("XDG_CACHE_HOME", (home + "/cache").c_str(), 1);
  setenv("XDG_DATA_HOME", (home + "/data").c_str(), 1);
  setenv("no_proxy", "127.0.0.1,localhost", 1);
  gtk_init_check(nullptr, nullptr);
}

void HostTest::SetUp() {
  if (!gdk_display_get_default()) {
    skip_ = true;
    GTEST_SKIP() << "needs an X display";
  }
  char pattern[] = "/tmp/vz-gtkweb-XXXXXX";
  const char* made = mkdtemp(pattern);
  ASSERT_NE(made, nullptr);
  dir_ = made;
  window_ = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  gtk_window_set_default_size(GTK_WINDOW(window_), 800, 600);
  gtk_window_move(GTK_WINDOW(window_), 0, 0);
  fixed_ = gtk_fixed_new();
  gtk_container_add(GTK_CONTAINER(window_), fixed_);
  gtk_widget_show_all(window_);
}

void HostTest::TearDown() {
  if (skip_) return;
  host_.reset();
  if (window_) gtk_widget_destroy(window_);
  window_ = nullptr;
  PumpFor(std::chrono::milliseconds(50));
  std::error_code ignored;
  std::filesystem::remove_all(dir_, ignored);
}

void HostTest::MakeHost(GtkWebHost::Options options, bool withExternal) {
  if (!options.parent) options.parent = fixed_;
  host_ = std::make_unique<GtkWebHost>(
      &events_, withExternal ? std::make_unique<CJSDispatch>(&target_) : nullptr, options);
  host_->Place({0, 0, 640, 400});
  host_->Show();
  host_->Focus();
}

bool HostTest::Pump(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    while (g_main_context_iteration(nullptr, FALSE)) {
    }
    if (done()) return true;
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
}

void HostTest::PumpFor(std::chrono::milliseconds duration) {
  Pump([] { return false; }, duration);
}

std::string HostTest::Page(const std::string& name, const std::string& html) {
  const std::string path = dir_ + "/" + name;
  std::ofstream(path, std::ios::binary) << html;
  return "file://" + path;
}

bool HostTest::Load(const std::string& url) {
  const std::size_t before = events_.Count("complete:" + url);
  host_->Navigate(url);
  return Pump([&] { return events_.Count("complete:" + url) > before; });
}

void HostTest::SendKey(unsigned keyval, unsigned state) {
  GdkWindow* gdkWindow = gtk_widget_get_window(window_);
  GdkKeymapKey* keys = nullptr;
  gint count = 0;
  guint16 code = 0;
  if (gdk_keymap_get_entries_for_keyval(gdk_keymap_get_for_display(gdk_display_get_default()),
                                        keyval, &keys, &count) &&
      count > 0) {
    code = static_cast<guint16>(keys[0].keycode);
  }
  g_free(keys);
  for (GdkEventType type : {GDK_KEY_PRESS, GDK_KEY_RELEASE}) {
    GdkEvent* ev = gdk_event_new(type);
    ev->key.window = GDK_WINDOW(g_object_ref(gdkWindow));
    ev->key.send_event = TRUE;
    ev->key.time = GDK_CURRENT_TIME;
    ev->key.state = state;
    ev->key.keyval = keyval;
    ev->key.hardware_keycode = code;
    gdk_event_set_device(
        ev, gdk_seat_get_keyboard(gdk_display_get_default_seat(gdk_display_get_default())));
    gtk_main_do_event(ev);
    gdk_event_free(ev);
  }
}

unsigned HostTest::PixelAt(int x, int y) {
  GdkWindow* w = gtk_widget_get_window(window_);
  GdkPixbuf* pixbuf = gdk_pixbuf_get_from_window(w, x, y, 1, 1);
  if (!pixbuf) return 0xFFFFFFFFu;
  const guchar* p = gdk_pixbuf_get_pixels(pixbuf);
  const unsigned rgb = (unsigned{p[0]} << 16) | (unsigned{p[1]} << 8) | unsigned{p[2]};
  g_object_unref(pixbuf);
  return rgb;
}

}  // namespace vz::test
