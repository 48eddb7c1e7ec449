#pragma once

#include <functional>
#include <memory>
#include <string>

#include "core/app/Geometry.h"
#include "core/web/CJSDispatch.h"
#include "core/web/WebView.h"

typedef struct _GtkWidget GtkWidget;
typedef struct _WebKitWebView WebKitWebView;
typedef struct _WebKitUserContentManager WebKitUserContentManager;

namespace vz::gtk {

// The browser of one page window, on a WebKitWebView. Every page window (login page,
// game, payment, binding and customer-service popups) owns exactly one.
//
// What the page gets: no context menu; no scroll bars on its top document; no alert,
// confirm or prompt dialog (answered silently: confirm false, prompt null, leaving a page
// always allowed); no error page after a failed load (the view stays empty); no
// downloads; permission, authentication, print and notification requests refused; and,
// when the window gives an external object, window.external (ExternalScript.h).
//
// What the window gets, through IWebViewEvents on the UI thread: before-navigate from the
// navigation policy (reloads excluded; true cancels), new-window from the new-window
// policy and from script-opened windows (the host never opens one: it is always
// cancelled), document-complete when the top document finished loading, window-closing
// when page script calls window.close(), title changes, and every key before the page
// sees it (KeyRoute decides).
//
// Use:
//   GtkWebHost::Options options;
//   options.parent = someGtkFixed;           // or pack Widget() yourself
//   auto host = std::make_unique<GtkWebHost>(&events, std::make_unique<CJSDispatch>(this),
//                                            options);   // or nullptr: no window.external
//   host->Place({x, y, x + w, y + h});
//   host->Navigate(url);
//   host->Show();
//
// Teardown: destroy the host (after Stop() if you like). Its destructor disconnects every
// signal before the widget goes, so no event reaches the window afterwards, and it
// destroys the external object with it. An event handler may destroy the host (and its
// window) provided it returns straight away.
class GtkWebHost final : public IWebView {
 public:
  struct Options {
    // A GtkContainer to add the view to; Place() positions it when it is a GtkFixed.
    // Null: the owner packs Widget() itself.
    GtkWidget* parent = nullptr;
    // Screen position of the parent's origin, when Place() is given screen coordinates;
    // empty: Place() takes coordinates of the parent.
    std::function<Point()> parentOrigin;
    // Top-document scroll bars hidden (the page still scrolls with wheel and keys).
    bool hideScrollBars = true;
    // Whether the page may take the whole screen (HTML fullscreen requests).
    bool allowFullscreen = false;
    // GPU compositing. Off, a page is painted in software: no GL set-up before the first
    // picture (a page shown on load appears at once, also on machines without a usable
    // GPU) and a smaller web process; WebGL is then unavailable to the page.
    bool hardwareAcceleration = false;
  };

  // `events` must outlive the host. The view starts hidden and empty.
  GtkWebHost(IWebViewEvents* events, std::unique_ptr<CJSDispatch> external, const Options& options);
  ~GtkWebHost() override;
  GtkWebHost(const GtkWebHost&) = delete;
  GtkWebHost& operator=(const GtkWebHost&) = delete;

  GtkWidget* Widget() const;
  WebKitWebView* View() const { return view_; }
  // The address of the page shown or being loaded; empty when none.
  std::string Url() const;

  // IWebView
  void Navigate(const std::string& url) override;
  void Reload() override;
  void Stop() override;
  void Show() override;
  void Hide() override;
  bool IsVisible() const override;
  void Place(const Rect& rect) override;
  void Focus() override;

 private:
  // The signal handlers, with WebKit's types (defined beside them).
  struct Signals;
  friend struct Signals;

  void Disconnect();

  IWebViewEvents* events_;
  std::unique_ptr<CJSDispatch> external_;
  Options options_;
  WebKitWebView* view_ = nullptr;
  WebKitUserContentManager* content_ = nullptr;
  bool destroyed_ = false;
  bool loadInterrupted_ = false;
  std::string failedUri_;
  bool wantsFocus_ = false;
};

// Makes GtkWebHosts with fixed options, for windows that take a view factory.
class GtkWebViewFactory final : public IWebViewFactory {
 public:
  explicit GtkWebViewFactory(GtkWebHost::Options options) : options_(std::move(options)) {}
  std::unique_ptr<IWebView> CreateWebView(IWebViewEvents* events,
                                          std::unique_ptr<CJSDispatch> external) override;

 private:
  GtkWebHost::Options options_;
};

}  // namespace vz::gtk
