#pragma once

#include <memory>
#include <string>

#include "core/app/Geometry.h"
#include "core/web/CJSDispatch.h"

namespace vz {

// Keyboard messages as a page window's key rules see them. A key pressed with Alt held is
// a system key, as the window system reports it.
enum class KeyMessage { kKeyDown, kSysKeyDown, kKeyUp, kSysKeyUp };

struct KeyEvent {
  KeyMessage message = KeyMessage::kKeyDown;
  unsigned virtualKey = 0;
};

// Virtual-key codes the page windows' rules name.
inline constexpr unsigned kVkBack = 0x08;
inline constexpr unsigned kVkEscape = 0x1B;
inline constexpr unsigned kVkF4 = 0x73;
inline constexpr unsigned kVkF5 = 0x74;
inline constexpr unsigned kVkF9 = 0x78;

// Where a key goes after the window's own rules.
enum class KeyRoute {
  kSwallow,   // nobody else sees it
  kPageOnly,  // the page gets it, the browser's own shortcuts do not
  kPage,      // the page and the browser's shortcuts get it
};

// What a browser reports to the window that owns it. Everything arrives on the UI
// thread; a handler may destroy the view (and the window) as long as it returns at once.
class IWebViewEvents {
 public:
  virtual ~IWebViewEvents() = default;
  // A navigation of the page or of one of its frames is about to start; reloads are not
  // reported. True cancels it.
  virtual bool OnBeforeNavigate(const std::string& /*url*/) { return false; }
  // The page asked for a new window (a link with a target, window.open). The browser never
  // opens one itself: the window decides what becomes of the address.
  virtual void OnNewWindow(const std::string& /*url*/) {}
  // The page's top document has finished loading (also after a failed load, which shows
  // an empty page rather than an error page; not after a load that was interrupted).
  virtual void OnDocumentComplete(const std::string& /*url*/) {}
  // Page script asked to close its window; the view itself stays.
  virtual void OnWindowClosing() {}
  virtual void OnTitleChange(const std::string& /*title*/) {}
  // A key meant for the page, before the page sees it.
  virtual KeyRoute OnKey(const KeyEvent& /*key*/) { return KeyRoute::kPage; }
};

// The browser of one page window.
class IWebView {
 public:
  virtual ~IWebView() = default;
  virtual void Navigate(const std::string& url) = 0;
  // Reloads the current page without reporting a navigation.
  virtual void Reload() = 0;
  virtual void Stop() = 0;
  virtual void Show() = 0;
  virtual void Hide() = 0;
  virtual bool IsVisible() const = 0;
  // The view's rectangle; the coordinate space is the one its owner agreed with the
  // backend (the login page gets screen coordinates from the launcher).
  virtual void Place(const Rect& rect) = 0;
  virtual void Focus() = 0;
};

// Makes page browsers. `events` must outlive the view. `external` becomes the page's
// window.external and belongs to the view from then on; null gives the page none.
class IWebViewFactory {
 public:
  virtual ~IWebViewFactory() = default;
  // Null when no browser can be made.
  virtual std::unique_ptr<IWebView> CreateWebView(IWebViewEvents* events,
                                                  std::unique_ptr<CJSDispatch> external) = 0;
};

}  // namespace vz
