#pragma once

#include <functional>
#include <memory>
#include <string>

#include "core/game/GamePorts.h"
#include "core/web/WebView.h"

typedef struct _GtkWidget GtkWidget;

namespace vz::gtk {

class GtkWebHost;

// The game page: the shared web host, silent and without window.external, inside the game
// window's child layer. Its events go to the game window.
class GtkGamePage final : public IGamePage, public IWebViewEvents {
 public:
  // `onKeyDown` gets each key pressed in the page by virtual-key code; true swallows it.
  GtkGamePage(GtkWidget* layer, IGamePageEvents* events, std::function<bool(unsigned)> onKeyDown);
  ~GtkGamePage() override;
  GtkGamePage(const GtkGamePage&) = delete;
  GtkGamePage& operator=(const GtkGamePage&) = delete;

  void SetEvents(IGamePageEvents* events) { events_ = events; }
  GtkWidget* Widget() const;
  GtkWebHost* Host() const { return host_.get(); }

  bool Create(const Rect& rect) override;
  void Navigate(const std::string& url) override;
  void Place(const Rect& rect) override;
  void Stop() override;
  void Destroy() override;

 private:
  bool OnBeforeNavigate(const std::string& url) override;
  void OnNewWindow(const std::string& url) override;
  void OnDocumentComplete(const std::string& url) override;
  void OnTitleChange(const std::string& title) override;
  KeyRoute OnKey(const KeyEvent& key) override;
  static int NavigateLater(void* data);

  GtkWidget* layer_;
  IGamePageEvents* events_;
  std::function<bool(unsigned)> onKeyDown_;
  std::unique_ptr<GtkWebHost> host_;
  // A navigation asked for while WebKit waits for a navigation decision starts right after.
  bool deciding_ = false;
  std::string pendingUrl_;
  unsigned pendingSource_ = 0;
};

// Returns the freed heap of the client process to the system.
class MallocTrimmer final : public IMemoryTrimmer {
 public:
  void TrimOwnMemory() override;
  int Count() const { return count_; }

 private:
  int count_ = 0;
};

}  // namespace vz::gtk
