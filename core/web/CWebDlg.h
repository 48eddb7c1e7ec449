#pragma once

#include <memory>
#include <string>

#include "core/app/MessageQueue.h"
#include "core/app/launcher/LauncherPorts.h"
#include "core/web/IJSDispatch.h"
#include "core/web/WebView.h"

namespace vz {

// Markers of the platform's navigation conventions.
inline constexpr std::string_view kOpenGameMarker = "client = 1";   // navigation opens the game
inline constexpr std::string_view kGameAddressMarker = "client=1";  // new window names it

struct WebDlgDeps {
  MessageQueue* queue = nullptr;
  IShell* shell = nullptr;
};

// The login page over the launcher's browser area. It reads and writes the launcher's
// shared members through g_pLauncher and sends it UM_OPENGAME / posts UM_GAMECALL.
class CWebDlg final : public IJSDispatch, public ILoginDialog, public IWebViewEvents {
 public:
  explicit CWebDlg(const WebDlgDeps& deps);
  ~CWebDlg() override;
  CWebDlg(const CWebDlg&) = delete;
  CWebDlg& operator=(const CWebDlg&) = delete;

  // Makes the browser with this dialog's window.external and starts loading the login
  // page; the dialog stays hidden. False when there is no browser: the dialog is gone.
  bool Create(IWebViewFactory& views);

  // platform + "/game/s/wdAccess/?name=kv&uid=<uid>&suid=<suid>", identifiers as they are.
  static std::string LoginUrl(const std::string& platformBase, const std::string& uid,
                              const std::string& suid);

  // ILoginDialog
  bool Exists() const override { return m_pView != nullptr; }
  void Place(const Rect& screenRect) override;
  void Show() override;
  void Hide() override;
  void Focus() override;
  void Reload() override;
  void Close() override;

  // IWebViewEvents
  bool OnBeforeNavigate(const std::string& url) override;
  void OnNewWindow(const std::string& url) override;
  void OnDocumentComplete(const std::string& url) override;
  KeyRoute OnKey(const KeyEvent& key) override;

  // IJSDispatch: the login page's operations.
  void OnShowBindBtn() override;
  void OnOpenGame(std::string text) override;
  void OnShowIM(std::string text) override;
  void OnOpenPay(std::string text) override;

 private:
  void SendToLauncher(unsigned msg);
  void PostToLauncher(unsigned msg);

  WebDlgDeps m_deps;
  std::unique_ptr<IWebView> m_pView;
};

}  // namespace vz
