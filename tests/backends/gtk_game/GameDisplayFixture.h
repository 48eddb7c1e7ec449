#pragma once

#include <gdk-pixbuf/gdk-pixbuf.h>
#include <gtk/gtk.h>
#include <httplib.h>

#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "backends/gtk/game/GtkGamePage.h"
#include "backends/gtk/game/GtkGameView.h"
#include "backends/gtk/game/GtkGameWindow.h"
#include "backends/gtk/skin/SkinImages.h"
#include "tests/core/game/GameFakes.h"
#include "tests/core/game/LauncherStubs.h"

namespace vz::test {

// Runs the main loop until `done` holds or the time is up.
inline bool PumpUntil(const std::function<bool()>& done,
                      std::chrono::milliseconds timeout = std::chrono::milliseconds(20000)) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    while (gtk_events_pending()) gtk_main_iteration_do(FALSE);
    if (done()) return true;
    g_usleep(2000);
  }
  return true;
}

inline void PumpFor(std::chrono::milliseconds duration) {
  PumpUntil([] { return false; }, duration);
}

// Pages of a small local web site for the game page, recording every request.
class GameSite {
 public:
  GameSite() {
    server_.Get("/game", [this](const httplib::Request& req, httplib::Response& res) {
      Record(req);
      // Never from a cache: every load of the game must reach the site.
      res.set_header("Cache-Control", "no-store");
      res.set_content(Page("#2d6a4f", "game"), "text/html; charset=utf-8");
    });
    server_.Get("/second", [this](const httplib::Request& req, httplib::Response& res) {
      Record(req);
      res.set_header("Cache-Control", "no-store");
      res.set_content(Page("#1d3557", "second"), "text/html; charset=utf-8");
    });
    // Leaves for req's "to" address as soon as it loads; "MARK" in it stands for the
    // pseudo-address, which the address of this page itself must not hold.
    server_.Get("/jump", [this](const httplib::Request& req, httplib::Response& res) {
      Record(req);
      std::string to = req.get_param_value("to");
      if (const auto at = to.find("MARK"); at != std::string::npos)
        to.replace(at, 4, std::string("client:") + "//loadgame");
      res.set_content(
          "<!DOCTYPE html><html><body style='background:#6a040f'><script>"
          "setTimeout(function(){location.href=" +
              Quote(to) + ";},50);</script></body></html>",
          "text/html; charset=utf-8");
    });
    server_.Get("/key", [this](const httplib::Request& req, httplib::Response& res) {
      Record(req);
      res.set_content("ok", "text/plain");
    });
    // Beacons outlive the page that sends them, so a key seen just before a reload counts.
    server_.Post("/key", [this](const httplib::Request& req, httplib::Response& res) {
      Record(req);
      res.set_content("ok", "text/plain");
    });
    port_ = server_.bind_to_any_port("127.0.0.1");
    thread_ = std::thread([this] { server_.listen_after_bind(); });
    while (!server_.is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  ~GameSite() {
    server_.stop();
    thread_.join();
  }

  std::string Url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
  }
  int Count(const std::string& pathAndQuery) const {
    std::lock_guard<std::mutex> lock(mutex_);
    int n = 0;
    for (const auto& r : requests_) n += r == pathAndQuery;
    return n;
  }
  std::vector<std::string> Requests() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
  }

 private:
  static std::string Quote(const std::string& s) {
    std::string out = "'";
    for (char c : s) {
      if (c == '\'' || c == '\\') out += '\\';
      out += c;
    }
    return out + "'";
  }
  // A full-colour page that reports each key it sees.
  static std::string Page(const char* colour, const char* title) {
    return std::string("<!DOCTYPE html><html><head><meta charset='utf-8'><title>") + title +
           "</title></head><body style='margin:0;background:" + colour +
           ";height:3000px'><input id='box' style='margin:200px'>"
           "<script>document.addEventListener('keydown',function(e){"
           "navigator.sendBeacon('/key?k='+encodeURIComponent(e.key));});</script></body></html>";
  }
  void Record(const httplib::Request& req) {
    std::string target = req.path;
    if (!req.params.empty()) {
      target += "?";
      bool first = true;
      for (const auto& [k, v] : req.params) {
        if (!first) target += "&";
        first = false;
        target += k + "=" + v;
      }
    }
    std::lock_guard<std::mutex> lock(mutex_);
    requests_.push_back(target);
  }

  httplib::Server server_;
  std::thread thread_;
  int port_ = 0;
  mutable std::mutex mutex_;
  std::vector<std::string> requests_;
};

// Pixels of the screen.
class ScreenShot {
 public:
  ScreenShot() {
    gdk_display_sync(gdk_display_get_default());
    GdkWindow* root = gdk_get_default_root_window();
    pixbuf_ = gdk_pixbuf_get_from_window(root, 0, 0, gdk_window_get_width(root),
                                         gdk_window_get_height(root));
  }
  ~ScreenShot() {
    if (pixbuf_) g_object_unref(pixbuf_);
  }
  ScreenShot(const ScreenShot&) = delete;
  ScreenShot& operator=(const ScreenShot&) = delete;

  bool Ok() const { return pixbuf_ != nullptr; }
  // 0xRRGGBB at a screen point.
  unsigned At(int x, int y) const {
    const int n = gdk_pixbuf_get_n_channels(pixbuf_);
    const guchar* p =
        gdk_pixbuf_get_pixels(pixbuf_) + y * gdk_pixbuf_get_rowstride(pixbuf_) + x * n;
    return (unsigned(p[0]) << 16) | (unsigned(p[1]) << 8) | p[2];
  }
  bool Save(const std::string& path, int x, int y, int w, int h) const {
    GdkPixbuf* part = gdk_pixbuf_new_subpixbuf(pixbuf_, x, y, w, h);
    const bool ok = gdk_pixbuf_save(part, path.c_str(), "png", nullptr, nullptr);
    g_object_unref(part);
    return ok;
  }

 private:
  GdkPixbuf* pixbuf_ = nullptr;
};

// 0xRRGGBB of a picture's pixel (alpha ignored).
inline unsigned SurfacePixel(cairo_surface_t* s, int x, int y) {
  cairo_surface_flush(s);
  const unsigned char* row =
      cairo_image_surface_get_data(s) + y * cairo_image_surface_get_stride(s);
  std::uint32_t v;
  std::memcpy(&v, row + 4 * x, 4);
  return v & 0xFFFFFF;
}

// Opaque pixels of `src` in the picture, up to `count` of them spread over it.
inline std::vector<Point> OpaquePoints(cairo_surface_t* s, const Rect& src, int count = 24) {
  cairo_surface_flush(s);
  std::vector<Point> all;
  for (int y = src.top; y < src.bottom; ++y) {
    const unsigned char* row =
        cairo_image_surface_get_data(s) + y * cairo_image_surface_get_stride(s);
    for (int x = src.left; x < src.right; ++x) {
      std::uint32_t v;
      std::memcpy(&v, row + 4 * x, 4);
      if ((v >> 24) == 0xFF) all.push_back({x - src.left, y - src.top});
    }
  }
  std::vector<Point> picked;
  if (all.empty()) return picked;
  const std::size_t step = std::max<std::size_t>(1, all.size() / static_cast<std::size_t>(count));
  for (std::size_t i = 0; i < all.size(); i += step) picked.push_back(all[i]);
  return picked;
}

// Whether the screen shows the `src` part of the picture at screen point `at`, judged by its
// opaque pixels.
inline bool ShowsPart(const ScreenShot& shot, Point at, cairo_surface_t* s, const Rect& src) {
  const std::vector<Point> points = OpaquePoints(s, src);
  if (points.empty()) return false;
  for (Point p : points) {
    if (shot.At(at.x + p.x, at.y + p.y) != SurfacePixel(s, src.left + p.x, src.top + p.y))
      return false;
  }
  return true;
}

// A real game window on the display beside a launcher made of stubs.
class GameDisplayFixture {
 public:
  LauncherHarness h;
  FakeAsk ask;
  FakeShellPort shell;
  gtk::GtkGameWindowPieces pieces;

  CMainWnd& L() { return *h.launcher; }
  CDezorGame& G() { return *pieces.game; }

  bool Open() {
    gtk::GameWindowContext c;
    c.launcher = h.launcher.get();
    c.queue = &h.queue;
    c.shell = &shell;
    c.messageBox = &ask;
    pieces = gtk::MakeGtkGameWindow(c);
    if (!pieces.game) return false;
    pieces.view->SetFrameObserver([this] { ++frames; });
    return true;
  }
  // The window's client origin on the screen.
  Point Origin() const { return {pieces.view->ScreenRect().left, pieces.view->ScreenRect().top}; }
  Point Screen(Point client) const { return {Origin().x + client.x, Origin().y + client.y}; }
  bool WaitPageLoaded(int loads = 1) {
    return PumpUntil([&] { return pieces.trimmer->Count() >= loads; });
  }
  void DispatchQueue() { h.queue.DispatchPending(); }

  int frames = 0;
};

}  // namespace vz::test
