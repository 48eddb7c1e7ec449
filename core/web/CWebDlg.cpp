#include "core/web/CWebDlg.h"

#include <utility>

#include "core/app/Messages.h"
#include "core/app/launcher/CMainWnd.h"
#include "core/web/PageText.h"

namespace vz {

CWebDlg::CWebDlg(const WebDlgDeps& deps) : m_deps(deps) {}

CWebDlg::~CWebDlg() { Close(); }

std::string CWebDlg::LoginUrl(const std::string& platformBase, const std::string& uid,
                              const std::string& suid) {
  return platformBase + "/game/s/wdAccess/?name=kv&uid=" + uid + "&suid=" + suid;
}

bool CWebDlg::Create(IWebViewFactory& views) {
  if (m_pView) return false;
  m_pView = views.CreateWebView(this, std::make_unique<CJSDispatch>(this));
  if (!m_pView) return false;
  const Endpoints endpoints = g_pLauncher ? g_pLauncher->GetEndpoints() : Endpoints{};
  const std::string uid = g_pLauncher ? g_pLauncher->m_strUid : std::string();
  const std::string suid = g_pLauncher ? g_pLauncher->m_strSuid : std::string();
  m_pView->Navigate(LoginUrl(endpoints.platform, uid, suid));
  return true;
}

void CWebDlg::Place(const Rect& screenRect) {
  if (m_pView) m_pView->Place(screenRect);
}

void CWebDlg::Show() {
  if (m_pView) m_pView->Show();
}

void CWebDlg::Hide() {
  if (m_pView) m_pView->Hide();
}

void CWebDlg::Focus() {
  if (m_pView) m_pView->Focus();
}

void CWebDlg::Reload() {
  if (m_pView) m_pView->Reload();
}

void CWebDlg::Close() {
  if (!m_pView) return;
  // Stop first, so nothing the page started reports back while the view goes away.
  std::unique_ptr<IWebView> view = std::move(m_pView);
  view->Stop();
  view.reset();
}

bool CWebDlg::OnBeforeNavigate(const std::string& url) {
  if (url.size() > kMaxPageTextBytes || !g_pLauncher) return false;
  if (AddressContains(url, kOpenGameMarker)) {
    g_pLauncher->m_strGameUrl = url;
    SendToLauncher(UM_OPENGAME);
  }
  return false;  // the navigation itself goes on
}

void CWebDlg::OnNewWindow(const std::string& url) {
  // The new window itself is never opened.
  if (url.size() > kMaxPageTextBytes) return;
  if (url.find(kGameAddressMarker) != std::string::npos) {
    if (g_pLauncher) g_pLauncher->m_strGameUrl = url;
    return;
  }
  // Only web addresses go to the default browser: anything else could start a program.
  if (m_deps.shell && IsWebAddress(url)) m_deps.shell->OpenUrl(url);
}

void CWebDlg::OnDocumentComplete(const std::string&) {
  if (!g_pLauncher || !g_pLauncher->m_bShowLoginOnLoad) return;
  Show();
  g_pLauncher->m_bShowLoginOnLoad = false;
}

KeyRoute CWebDlg::OnKey(const KeyEvent& key) {
  const unsigned vk = key.virtualKey;
  if (key.message == KeyMessage::kKeyDown && vk == kVkEscape) return KeyRoute::kSwallow;
  if (key.message == KeyMessage::kSysKeyDown && vk == kVkF4) {
    // On consent the launcher closes and takes this dialog with it: touch nothing after.
    if (g_pLauncher) g_pLauncher->ConfirmExit();
    return KeyRoute::kSwallow;
  }
  if (key.message == KeyMessage::kKeyDown && vk == kVkF5) return KeyRoute::kSwallow;
  if (vk == kVkBack) return KeyRoute::kPageOnly;
  return KeyRoute::kPage;
}

void CWebDlg::OnShowBindBtn() {
  if (g_pLauncher) g_pLauncher->m_bAccountBound = false;
}

void CWebDlg::OnOpenGame(std::string text) {
  if (!g_pLauncher) return;
  GameFields fields = SplitGameText(text);
  g_pLauncher->m_strGameUrl = std::move(fields.url);
  g_pLauncher->m_strServerName = std::move(fields.serverName);
  SendToLauncher(UM_OPENGAME);
}

void CWebDlg::OnShowIM(std::string text) {
  if (!g_pLauncher) return;
  g_pLauncher->m_strGameCall = std::move(text);
  PostToLauncher(UM_GAMECALL);
}

void CWebDlg::OnOpenPay(std::string text) {
  if (g_pLauncher) g_pLauncher->m_strPayUrl = std::move(text);
}

void CWebDlg::SendToLauncher(unsigned msg) {
  if (g_pLauncher && m_deps.queue) m_deps.queue->Send(g_pLauncher->Id(), msg);
}

void CWebDlg::PostToLauncher(unsigned msg) {
  if (g_pLauncher && m_deps.queue) m_deps.queue->Post(g_pLauncher->Id(), msg);
}

}  // namespace vz
