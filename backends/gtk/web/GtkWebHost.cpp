#include "backends/gtk/web/GtkWebHost.h"

#include <gtk/gtk.h>
#include <webkit2/webkit2.h>

#include <algorithm>
#include <cstring>

#include "backends/gtk/launcher/VirtualKeys.h"
#include "backends/gtk/web/ExternalScript.h"

namespace vz::gtk {
namespace {

// Only the top document loses its scroll bars; frames and scrolling boxes keep theirs.
constexpr const char* kNoScrollBarsCss =
    "html { scrollbar-width: none !important; }\n"
    "html::-webkit-scrollbar { display: none !important; width: 0 !important;"
    " height: 0 !important; }\n";

std::string RequestUri(WebKitNavigationAction* action) {
  if (!action) return {};
  WebKitURIRequest* request = webkit_navigation_action_get_request(action);
  const char* uri = request ? webkit_uri_request_get_uri(request) : nullptr;
  return uri ? uri : "";
}

// A response the view cannot show, or one the server marks as a file to save, would
// start a download; a page window never downloads.
bool WouldDownload(WebKitResponsePolicyDecision* decision) {
  if (!webkit_response_policy_decision_is_mime_type_supported(decision)) return true;
  WebKitURIResponse* response = webkit_response_policy_decision_get_response(decision);
  SoupMessageHeaders* headers = response ? webkit_uri_response_get_http_headers(response) : nullptr;
  const char* disposition =
      headers ? soup_message_headers_get_one(headers, "Content-Disposition") : nullptr;
  return disposition && g_ascii_strncasecmp(disposition, "attachment", 10) == 0;
}

KeyEvent ToKeyEvent(const GdkEventKey* ev) {
  const bool alt = (ev->state & GDK_MOD1_MASK) != 0;
  const bool press = ev->type == GDK_KEY_PRESS;
  KeyEvent key;
  key.virtualKey = VirtualKeyOfEvent(ev);
  if (press) {
    key.message = alt ? KeyMessage::kSysKeyDown : KeyMessage::kKeyDown;
  } else {
    key.message = alt ? KeyMessage::kSysKeyUp : KeyMessage::kKeyUp;
  }
  return key;
}

}  // namespace

// Each handler finishes with the host after the window's handler returns: that handler may
// have destroyed the host.
struct GtkWebHost::Signals {
  static gboolean DecidePolicy(WebKitWebView*, WebKitPolicyDecision* decision,
                               WebKitPolicyDecisionType type, GtkWebHost* self) {
    switch (type) {
      case WEBKIT_POLICY_DECISION_TYPE_NAVIGATION_ACTION: {
        WebKitNavigationAction* action = webkit_navigation_policy_decision_get_navigation_action(
            WEBKIT_NAVIGATION_POLICY_DECISION(decision));
        // A reload is not a navigation to the window, as with the platform's own browser.
        if (webkit_navigation_action_get_navigation_type(action) == WEBKIT_NAVIGATION_TYPE_RELOAD)
          return FALSE;
        const std::string url = RequestUri(action);
        g_object_ref(decision);
        const bool cancel = self->events_->OnBeforeNavigate(url);
        if (cancel) {
          webkit_policy_decision_ignore(decision);
        } else {
          webkit_policy_decision_use(decision);
        }
        g_object_unref(decision);
        return TRUE;
      }
      case WEBKIT_POLICY_DECISION_TYPE_NEW_WINDOW_ACTION: {
        const std::string url = RequestUri(webkit_navigation_policy_decision_get_navigation_action(
            WEBKIT_NAVIGATION_POLICY_DECISION(decision)));
        webkit_policy_decision_ignore(decision);
        self->events_->OnNewWindow(url);
        return TRUE;
      }
      case WEBKIT_POLICY_DECISION_TYPE_RESPONSE:
        if (WouldDownload(WEBKIT_RESPONSE_POLICY_DECISION(decision))) {
          webkit_policy_decision_ignore(decision);
          return TRUE;
        }
        return FALSE;
      default:
        return FALSE;
    }
  }

  // Script-opened windows (window.open) come here without a new-window decision.
  static GtkWidget* Create(WebKitWebView*, WebKitNavigationAction* action, GtkWebHost* self) {
    self->events_->OnNewWindow(RequestUri(action));
    return nullptr;
  }

  static void LoadChanged(WebKitWebView* view, WebKitLoadEvent event, GtkWebHost* self) {
    if (event == WEBKIT_LOAD_STARTED) {
      self->loadInterrupted_ = false;
      self->failedUri_.clear();
    } else if (event == WEBKIT_LOAD_FINISHED && !self->loadInterrupted_) {
      // A failed first load leaves the view without an address: report the one it tried.
      const char* uri = webkit_web_view_get_uri(view);
      std::string url = self->failedUri_.empty() && uri ? uri : self->failedUri_;
      self->events_->OnDocumentComplete(url);
    }
  }

  static gboolean LoadFailed(WebKitWebView*, WebKitLoadEvent, const char* uri, GError* error,
                             GtkWebHost* self) {
    self->failedUri_ = uri ? uri : "";
    if (g_error_matches(error, WEBKIT_NETWORK_ERROR, WEBKIT_NETWORK_ERROR_CANCELLED) ||
        g_error_matches(error, WEBKIT_POLICY_ERROR,
                        WEBKIT_POLICY_ERROR_FRAME_LOAD_INTERRUPTED_BY_POLICY_CHANGE)) {
      self->loadInterrupted_ = true;
    }
    return TRUE;  // no error page
  }

  static gboolean ScriptDialog(WebKitWebView*, WebKitScriptDialog* dialog, GtkWebHost*) {
    // Silent: nothing is shown. A page may always be left, so it cannot hold the window.
    if (webkit_script_dialog_get_dialog_type(dialog) == WEBKIT_SCRIPT_DIALOG_BEFORE_UNLOAD_CONFIRM)
      webkit_script_dialog_confirm_set_confirmed(dialog, TRUE);
    return TRUE;
  }

  static gboolean ContextMenu(WebKitWebView*, WebKitContextMenu*, GdkEvent*, WebKitHitTestResult*,
                              GtkWebHost*) {
    return TRUE;
  }

  static gboolean Print(WebKitWebView*, WebKitPrintOperation*, GtkWebHost*) { return TRUE; }

  static gboolean ShowNotification(WebKitWebView*, WebKitNotification*, GtkWebHost*) {
    return TRUE;
  }

  static gboolean PermissionRequest(WebKitWebView*, WebKitPermissionRequest* request, GtkWebHost*) {
    webkit_permission_request_deny(request);
    return TRUE;
  }

  static gboolean Authenticate(WebKitWebView*, WebKitAuthenticationRequest* request, GtkWebHost*) {
    webkit_authentication_request_cancel(request);
    return TRUE;
  }

  static gboolean EnterFullscreen(WebKitWebView*, GtkWebHost* self) {
    return self->options_.allowFullscreen ? FALSE : TRUE;
  }

  static void Close(WebKitWebView*, GtkWebHost* self) { self->events_->OnWindowClosing(); }

  static void Title(WebKitWebView* view, GParamSpec*, GtkWebHost* self) {
    const char* title = webkit_web_view_get_title(view);
    self->events_->OnTitleChange(title ? title : "");
  }

  static gboolean Key(GtkWidget*, GdkEventKey* ev, GtkWebHost* self) {
    const KeyRoute route = self->events_->OnKey(ToKeyEvent(ev));
    return route == KeyRoute::kSwallow ? TRUE : FALSE;
  }

  static void ScriptMessage(WebKitUserContentManager*, WebKitJavascriptResult* result,
                            GtkWebHost* self) {
    if (!self->external_ || self->destroyed_ || !result) return;
    const std::optional<ScriptCall> call =
        ReadScriptCall(webkit_javascript_result_get_js_value(result));
    if (!call) return;
    const std::optional<int> id = CJSDispatch::GetIDsOfNames(call->member);
    if (!id) return;
    self->external_->Invoke(*id, call->args, nullptr);
  }

  static void WidgetDestroyed(GtkWidget*, GtkWebHost* self) {
    // The parent went first (its window was destroyed): nothing more reaches the window.
    self->destroyed_ = true;
    self->Disconnect();
  }
};

GtkWebHost::GtkWebHost(IWebViewEvents* events, std::unique_ptr<CJSDispatch> external,
                       const Options& options)
    : events_(events), external_(std::move(external)), options_(options) {
  content_ = webkit_user_content_manager_new();
  if (options_.hideScrollBars) {
    WebKitUserStyleSheet* css =
        webkit_user_style_sheet_new(kNoScrollBarsCss, WEBKIT_USER_CONTENT_INJECT_TOP_FRAME,
                                    WEBKIT_USER_STYLE_LEVEL_USER, nullptr, nullptr);
    webkit_user_content_manager_add_style_sheet(content_, css);
    webkit_user_style_sheet_unref(css);
  }
  if (external_) {
    // Connected before the channel exists, so no message can be missed.
    g_signal_connect(content_,
                     (std::string("script-message-received::") + kExternalChannel).c_str(),
                     G_CALLBACK(&Signals::ScriptMessage), this);
    webkit_user_content_manager_register_script_message_handler(content_, kExternalChannel);
    const std::string source = ExternalObjectScript();
    WebKitUserScript* script =
        webkit_user_script_new(source.c_str(), WEBKIT_USER_CONTENT_INJECT_ALL_FRAMES,
                               WEBKIT_USER_SCRIPT_INJECT_AT_DOCUMENT_START, nullptr, nullptr);
    webkit_user_content_manager_add_script(content_, script);
    webkit_user_script_unref(script);
  }

  WebKitSettings* settings = webkit_settings_new();
  // Script-opened windows must reach the window's new-window rule, which cancels them.
  webkit_settings_set_javascript_can_open_windows_automatically(settings, TRUE);
  webkit_settings_set_enable_developer_extras(settings, FALSE);
  if (!options_.hardwareAcceleration) {
    webkit_settings_set_hardware_acceleration_policy(settings,
                                                     WEBKIT_HARDWARE_ACCELERATION_POLICY_NEVER);
  }
  view_ = WEBKIT_WEB_VIEW(g_object_new(WEBKIT_TYPE_WEB_VIEW, "user-content-manager", content_,
                                       "settings", settings, nullptr));
  g_object_unref(settings);
  g_object_ref_sink(view_);
  gtk_widget_set_can_focus(GTK_WIDGET(view_), TRUE);

  g_signal_connect(view_, "decide-policy", G_CALLBACK(&Signals::DecidePolicy), this);
  g_signal_connect(view_, "create", G_CALLBACK(&Signals::Create), this);
  g_signal_connect(view_, "load-changed", G_CALLBACK(&Signals::LoadChanged), this);
  g_signal_connect(view_, "load-failed", G_CALLBACK(&Signals::LoadFailed), this);
  g_signal_connect(view_, "script-dialog", G_CALLBACK(&Signals::ScriptDialog), this);
  g_signal_connect(view_, "context-menu", G_CALLBACK(&Signals::ContextMenu), this);
  g_signal_connect(view_, "print", G_CALLBACK(&Signals::Print), this);
  g_signal_connect(view_, "show-notification", G_CALLBACK(&Signals::ShowNotification), this);
  g_signal_connect(view_, "permission-request", G_CALLBACK(&Signals::PermissionRequest), this);
  g_signal_connect(view_, "authenticate", G_CALLBACK(&Signals::Authenticate), this);
  g_signal_connect(view_, "enter-fullscreen", G_CALLBACK(&Signals::EnterFullscreen), this);
  g_signal_connect(view_, "close", G_CALLBACK(&Signals::Close), this);
  g_signal_connect(view_, "notify::title", G_CALLBACK(&Signals::Title), this);
  g_signal_connect(view_, "key-press-event", G_CALLBACK(&Signals::Key), this);
  g_signal_connect(view_, "key-release-event", G_CALLBACK(&Signals::Key), this);
  g_signal_connect(view_, "destroy", G_CALLBACK(&Signals::WidgetDestroyed), this);

  if (options_.parent && GTK_IS_FIXED(options_.parent)) {
    gtk_fixed_put(GTK_FIXED(options_.parent), GTK_WIDGET(view_), 0, 0);
  } else if (options_.parent && GTK_IS_CONTAINER(options_.parent)) {
    gtk_container_add(GTK_CONTAINER(options_.parent), GTK_WIDGET(view_));
  }
}

GtkWebHost::~GtkWebHost() {
  Disconnect();
  if (view_) {
    if (!destroyed_) {
      webkit_web_view_stop_loading(view_);
      gtk_widget_destroy(GTK_WIDGET(view_));
    }
    g_object_unref(view_);
  }
  if (content_) {
    if (external_)
      webkit_user_content_manager_unregister_script_message_handler(content_, kExternalChannel);
    g_object_unref(content_);
  }
  external_.reset();
}

void GtkWebHost::Disconnect() {
  if (view_) g_signal_handlers_disconnect_by_data(view_, this);
  if (content_) g_signal_handlers_disconnect_by_data(content_, this);
}

GtkWidget* GtkWebHost::Widget() const { return GTK_WIDGET(view_); }

std::string GtkWebHost::Url() const {
  const char* uri = destroyed_ ? nullptr : webkit_web_view_get_uri(view_);
  return uri ? uri : "";
}

void GtkWebHost::Navigate(const std::string& url) {
  if (destroyed_) return;
  webkit_web_view_load_uri(view_, url.c_str());
}

void GtkWebHost::Reload() {
  if (!destroyed_) webkit_web_view_reload(view_);
}

void GtkWebHost::Stop() {
  if (!destroyed_) webkit_web_view_stop_loading(view_);
}

void GtkWebHost::Show() {
  if (destroyed_) return;
  gtk_widget_show(GTK_WIDGET(view_));
  // A focus asked for while hidden takes effect once the view can hold it.
  if (wantsFocus_) gtk_widget_grab_focus(GTK_WIDGET(view_));
}

void GtkWebHost::Hide() {
  if (!destroyed_) gtk_widget_hide(GTK_WIDGET(view_));
}

bool GtkWebHost::IsVisible() const { return !destroyed_ && gtk_widget_get_visible(Widget()); }

void GtkWebHost::Place(const Rect& rect) {
  if (destroyed_) return;
  int x = rect.left;
  int y = rect.top;
  if (options_.parentOrigin) {
    const Point origin = options_.parentOrigin();
    x -= origin.x;
    y -= origin.y;
  }
  GtkWidget* widget = Widget();
  GtkWidget* parent = gtk_widget_get_parent(widget);
  if (parent && GTK_IS_FIXED(parent)) gtk_fixed_move(GTK_FIXED(parent), widget, x, y);
  gtk_widget_set_size_request(widget, std::max(0, rect.Width()), std::max(0, rect.Height()));
}

void GtkWebHost::Focus() {
  if (destroyed_) return;
  wantsFocus_ = true;
  gtk_widget_grab_focus(Widget());
}

std::unique_ptr<IWebView> GtkWebViewFactory::CreateWebView(IWebViewEvents* events,
                                                           std::unique_ptr<CJSDispatch> external) {
  if (!events) return nullptr;
  return std::make_unique<GtkWebHost>(events, std::move(external), options_);
}

}  // namespace vz::gtk
