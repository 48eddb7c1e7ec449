#pragma once

#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <webkit2/webkit2.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "backends/gtk/web/GtkWebHost.h"
#include "tests/core/web/RecordingDispatch.h"

namespace vz::test {

using gtk::GtkWebHost;

// Records every browser event as text; keys get the route `keyRoute` decides.
struct RecordingEvents : IWebViewEvents {
  std::vector<std::string> log;
  std::string cancelContaining;  // before-navigate cancels addresses holding this
  std::function<KeyRoute(const KeyEvent&)> keyRoute;
  std::function<void()> onKey;  // runs inside the key handler (may destroy the host)

  bool OnBeforeNavigate(const std::string& url) override {
    log.push_back("before:" + url);
    return !cancelContaining.empty() && url.find(cancelContaining) != std::string::npos;
  }
  void OnNewWindow(const std::string& url) override { log.push_back("newwindow:" + url); }
  void OnDocumentComplete(const std::string& url) override { log.push_back("complete:" + url); }
  void OnWindowClosing() override { log.push_back("closing"); }
  void OnTitleChange(const std::string& title) override { log.push_back("title:" + title); }
  KeyRoute OnKey(const KeyEvent& key) override {
    const bool down = key.message == KeyMessage::kKeyDown || key.message == KeyMessage::kSysKeyDown;
    const bool sys = key.message == KeyMessage::kSysKeyDown || key.message == KeyMessage::kSysKeyUp;
    log.push_back(std::string("key:") + (down ? "down" : "up") + (sys ? ":sys:" : ":") +
                  std::to_string(key.virtualKey));
    if (onKey && down) onKey();
    return keyRoute ? keyRoute(key) : KeyRoute::kPage;
  }
  bool Has(const std::string& entry) const {
    for (const std::string& e : log) {
      if (e == entry) return true;
    }
    return false;
  }
  std::size_t Count(const std::string& prefix) const {
    std::size_t n = 0;
    for (const std::string& e : log) n += e.rfind(prefix, 0) == 0 ? 1 : 0;
    return n;
  }
};

// A toplevel with a GtkFixed, and one host in it, on the test display.
class HostTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
  void SetUp() override;
  void TearDown() override;

  // Makes the host (options.parent is the fixed layer unless `ownParent` is false).
  void MakeHost(GtkWebHost::Options options = {}, bool withExternal = true);
  // Runs the main loop until `done` holds or the time is up.
  static bool Pump(const std::function<bool()>& done,
                   std::chrono::milliseconds timeout = std::chrono::milliseconds(15000));
  static void PumpFor(std::chrono::milliseconds duration);
  // Writes a page into the test's folder and returns its file:// address.
  std::string Page(const std::string& name, const std::string& html);
  // Loads `url` and waits for its document-complete.
  bool Load(const std::string& url);
  // Sends a key press and release to the toplevel (GDK keyval, modifier state).
  void SendKey(unsigned keyval, unsigned state = 0);
  // Pixel (RGB) of the toplevel on screen.
  unsigned PixelAt(int x, int y);

  GtkWidget* window_ = nullptr;
  GtkWidget* fixed_ = nullptr;
  RecordingEvents events_;
  RecordingDispatch target_;
  std::unique_ptr<GtkWebHost> host_;
  std::string dir_;
  bool skip_ = false;
};

}  // namespace vz::test
