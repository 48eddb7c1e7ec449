#include "core/app/launcher/CMainWnd.h"

#include <utility>

#include "core/app/Messages.h"
#include "core/app/launcher/CVozuDeziApp.h"
#include "core/app/report/UsageReport.h"

namespace vz {

CMainWnd* g_pLauncher = nullptr;

namespace {

constexpr int kPictureFor[CMainWnd::kButtonCount] = {CMainWnd::kClosePng,   CMainWnd::kMinimizePng,
                                                     CMainWnd::kHomePng,    CMainWnd::kPayPng,
                                                     CMainWnd::kServicePng, CMainWnd::kForumPng};

constexpr Rect kButtonRects[CMainWnd::kButtonCount] = {
    {968, 211, 1023, 265},  // close
    {928, 227, 967, 266},   // minimise
    {343, 235, 497, 276},   // home page
    {478, 235, 632, 276},   // payment
    {750, 235, 904, 276},   // customer service
    {614, 235, 768, 276},   // forum
};

// Hit-test order; the overlapping link strips go to the earlier entry.
constexpr CMainWnd::Button kHitOrder[] = {CMainWnd::kClose, CMainWnd::kMinimize,
                                          CMainWnd::kHome,  CMainWnd::kService,
                                          CMainWnd::kPay,   CMainWnd::kForum};

// Drawing order of the buttons over the background.
constexpr CMainWnd::Button kDrawOrder[] = {CMainWnd::kClose, CMainWnd::kMinimize, CMainWnd::kHome,
                                           CMainWnd::kPay,   CMainWnd::kService,  CMainWnd::kForum};

// Used when the background picture is missing, so the window keeps its shipped size.
constexpr Size kDefaultSkinSize{1155, 825};

constexpr const char* kExitText = "确定要退出吗？";
constexpr const char* kExitCaption = "退出提示";
constexpr const char* kTitle = "ZelvoKiravel";

}  // namespace

CMainWnd::CMainWnd(int startMode, const LauncherDeps& deps, std::string moduleDir)
    : m_strModuleDir(std::move(moduleDir)), m_bDeferLogin(startMode == kHiddenStart), m_deps(deps) {
  for (int b = 0; b < kButtonCount; ++b) m_rcButtons[b] = kButtonRects[b];
}

CMainWnd::~CMainWnd() {
  // The game window's workers must end before anything they use goes away.
  if (m_pGameWnd) {
    m_pGameWnd->Close();
    m_pGameWnd.reset();
  }
  if (m_pLoginDlg) {
    m_pLoginDlg->Close();
    m_pLoginDlg.reset();
  }
  if (m_id != kNoWindow && m_deps.queue) m_deps.queue->Unregister(m_id);
  if (g_pLauncher == this) g_pLauncher = nullptr;
}

bool CMainWnd::Create() {
  if (m_bCreated) return false;
  m_bCreated = true;
  if (m_deps.queue) m_id = m_deps.queue->Register(this);

  m_deps.view->SetIcon(kIconId);

  Size size = kDefaultSkinSize;
  m_loaded[kButtonCount] = m_deps.images->LoadPngResource(kBackgroundPng, &size);
  if (size.width <= 0 || size.height <= 0) size = kDefaultSkinSize;
  m_nSkinWidth = size.width;
  m_nSkinHeight = size.height;
  for (int b = 0; b < kButtonCount; ++b) {
    Size ignored;
    m_loaded[b] = m_deps.images->LoadPngResource(kPictureFor[b], &ignored);
  }

  const Size screen = m_deps.view->ScreenSize();
  const int x = (screen.width - m_nSkinWidth) / 2;
  const int y = (screen.height - m_nSkinHeight) / 2;
  m_deps.view->MoveResize({x, y, x + m_nSkinWidth, y + m_nSkinHeight});

  g_pLauncher = this;
  m_deps.view->SetTitle(kTitle);
  RedrawSkin();

  m_strIniPath = m_strModuleDir + std::string(kSettingsFileName);
  if (m_deps.files && m_deps.codePage) {
    const Settings settings = LoadSettings(m_strIniPath, *m_deps.files, *m_deps.codePage);
    m_dwHotKey = settings.hotKey;
    m_strHotName = settings.hotName;
    m_strUid = settings.uid;
    m_strSuid = settings.suid;
    m_endpoints = settings.endpoints;
  }

  // The login page starts loading before the icon and the key are set up: its web process
  // then starts while they are, and nothing of either is visible before the first show.
  if (!m_bDeferLogin) CreateLoginDialog();
  m_deps.tray->Add(kIconId, kTitle);
  if (m_dwHotKey != kNoHotKey) RegisterBossKey(m_dwHotKey);
  m_deps.timers->Start(REPORT_TIMER_ID, 10000);
  return true;
}

void CMainWnd::RegisterBossKey(std::uint32_t hotKey) {
  const HotKeyRegistration reg = MapHotKeyModifiers(hotKey);
  // A key that is not usable or held by another program simply does nothing.
  m_deps.hotKeys->Register(BOSSKEY_HOTKEY_ID, reg.modifiers, reg.virtualKey);
}

CMainWnd::Button CMainWnd::HitTest(Point p) const {
  for (Button b : kHitOrder) {
    if (m_rcButtons[b].Contains(p)) return b;
  }
  return kNone;
}

Composition CMainWnd::ComposeSkin() const {
  Composition c;
  c.size = {m_nSkinWidth, m_nSkinHeight};
  c.ops.reserve(kButtonCount + 1);
  if (m_loaded[kButtonCount]) {
    c.ops.push_back(
        {kBackgroundPng, {0, 0, m_nSkinWidth, m_nSkinHeight}, {0, 0, m_nSkinWidth, m_nSkinHeight}});
  }
  for (Button b : kDrawOrder) {
    if (!m_loaded[b]) continue;
    const Rect& r = m_rcButtons[b];
    const int w = r.Width(), h = r.Height();
    const int top = m_nStates[b] * h;
    c.ops.push_back({kPictureFor[b], {0, top, w, top + h}, r});
  }
  return c;
}

void CMainWnd::RedrawSkin() {
  if (m_bDestroyed) return;
  ++m_redrawCount;
  m_deps.view->Present(ComposeSkin());
}

// Lights up `b` (or nothing for kNone) and recomposes only when a state changed.
void CMainWnd::SetHover(Button b) {
  bool changed = false;
  for (int i = 0; i < kButtonCount; ++i) {
    const int want = (i == b) ? 1 : 0;
    if (m_nStates[i] != want) {
      m_nStates[i] = want;
      changed = true;
    }
  }
  if (changed) RedrawSkin();
}

void CMainWnd::SetCursor(Cursor c) {
  if (c == m_cursor) return;
  m_cursor = c;
  m_deps.view->SetCursor(c);
}

void CMainWnd::OnMouseMove(Point p) {
  const Button b = HitTest(p);
  if (b == kNone) {
    SetHover(kNone);
    SetCursor(Cursor::Arrow);
    return;
  }
  // A button already lit keeps its state even if another one was lit by a stale move.
  if (m_nStates[b] == 0) SetHover(b);
  SetCursor(b == kClose || b == kMinimize ? Cursor::Hand : Cursor::Arrow);
}

void CMainWnd::OnLButtonDown(Point p) {
  if (HitTest(p) != kNone) return;
  m_deps.view->BeginMoveDrag();
}

void CMainWnd::OnLButtonUp(Point p) {
  const Button b = HitTest(p);
  if (b == kNone) return;
  if (b == kClose) {
    if (m_nStates[kClose] != 0) {
      m_nStates[kClose] = 0;
      RedrawSkin();
    }
    ConfirmExit();
    return;
  }
  // The other buttons act only when the pointer arrived with a move that lit them.
  if (m_nStates[b] != 1) return;
  m_nStates[b] = 0;
  RedrawSkin();
  if (b == kMinimize) {
    m_deps.view->Minimize();
  } else {
    m_deps.shell->OpenUrl(UrlFor(b));
  }
}

std::string CMainWnd::UrlFor(Button b) const {
  switch (b) {
    case kHome:
    case kForum:
      return m_endpoints.game;
    case kPay:
      return m_endpoints.pay + "/?g=kv";
    case kService:
      return m_endpoints.platform + "/kefu/";
    default:
      return {};
  }
}

void CMainWnd::ConfirmExit() {
  if (m_bDestroyed) return;
  if (m_deps.messageBox->AskOkCancel(kExitText, kExitCaption)) {
    if (m_deps.queue && m_id != kNoWindow) {
      m_deps.queue->Send(m_id, WM_CLOSE);
    } else {
      OnClose();
    }
  }
}

void CMainWnd::OnTrayIcon(TrayMouse mouse) {
  if (m_bDestroyed) return;
  switch (mouse) {
    case TrayMouse::LeftDoubleClick:
      if (m_deps.view->IsIconic()) {
        m_deps.view->Restore();
        if (!m_deps.view->IsVisible()) ShowWindow(true);
      } else {
        ShowWindow(true);
      }
      m_deps.view->SetForeground();
      break;
    case TrayMouse::RightButtonDown:
      m_deps.view->SetForeground();
      m_deps.tray->PopupMenu({{CMD_EXIT, "退出"}});
      break;
    case TrayMouse::Other:
      break;
  }
}

void CMainWnd::OnCommand(int command) {
  if (command != CMD_EXIT) return;
  if (m_deps.queue && m_id != kNoWindow) {
    m_deps.queue->Send(m_id, WM_CLOSE);
  } else {
    OnClose();
  }
}

void CMainWnd::OnClose() {
  if (m_bDestroyed) return;
  m_deps.tray->Delete();
  if (m_pLoginDlg) {
    m_pLoginDlg->Close();
    m_pLoginDlg.reset();
  }
  for (int b = 0; b < kButtonCount; ++b) {
    if (m_loaded[b]) m_deps.images->Free(kPictureFor[b]);
    m_loaded[b] = false;
  }
  if (m_loaded[kButtonCount]) m_deps.images->Free(kBackgroundPng);
  m_loaded[kButtonCount] = false;
  m_deps.timers->Stop(REPORT_TIMER_ID);
  m_bDestroyed = true;
  m_deps.view->Destroy();
}

void CMainWnd::OnMove() {
  if (m_pLoginDlg && m_pLoginDlg->Exists()) PlaceLoginDialog();
}

void CMainWnd::ShowWindow(bool show) {
  if (m_bDestroyed) return;
  // The window system reports a show change only when visibility really changes.
  const bool visible = m_deps.view->IsVisible();
  if (show == visible) return;
  if (show) {
    m_deps.view->Show();
  } else {
    m_deps.view->Hide();
  }
  OnShowWindow(show);
}

void CMainWnd::OnShowWindow(bool shown) {
  if (m_bDeferLogin) {
    CreateLoginDialog();
    m_bDeferLogin = false;
  }
  if (!m_pLoginDlg || !m_pLoginDlg->Exists()) return;
  if (shown && !m_bShowLoginOnLoad) {
    m_pLoginDlg->Show();
  } else {
    m_pLoginDlg->Hide();
  }
}

void CMainWnd::CreateLoginDialog() {
  if (!m_deps.windows) return;
  m_pLoginDlg = m_deps.windows->CreateLoginDialog();
  // A dialog that could not be made is forgotten; the launcher runs without it.
  if (m_pLoginDlg && !m_pLoginDlg->Exists()) m_pLoginDlg.reset();
  if (!m_pLoginDlg) return;
  m_pLoginDlg->Focus();
  // Placed at once in both start modes, so its first show is already over the black area.
  PlaceLoginDialog();
  m_pLoginDlg->Hide();
}

void CMainWnd::PlaceLoginDialog() {
  const Rect w = m_deps.view->ScreenRect();
  const int left = w.left + m_rcBrowser.left;
  const int top = w.top + m_rcBrowser.top;
  m_pLoginDlg->Place({left, top, left + m_rcBrowser.Width(), top + m_rcBrowser.Height()});
}

void CMainWnd::OnTimer(int timerId) {
  if (timerId != REPORT_TIMER_ID) return;
  m_deps.timers->Stop(REPORT_TIMER_ID);
  if (!m_strUid.empty() && m_deps.report)
    m_deps.report->SendUsageReport(m_strUid, std::string(kReportGameCode),
                                   std::string(kReportEventCode));
}

void CMainWnd::OnHotKey(int hotKeyId) {
  if (hotKeyId == BOSSKEY_HOTKEY_ID) ToggleBossKey();
}

void CMainWnd::ToggleBossKey() {
  if (m_bDestroyed) return;
  if (m_pGameWnd) {
    if (m_pGameWnd->IsVisible()) {
      m_pGameWnd->Hide();
    } else {
      m_pGameWnd->Show();
      m_pGameWnd->SetForeground();
    }
    return;
  }
  if (m_deps.view->IsVisible()) {
    ShowWindow(false);
  } else {
    ShowWindow(true);
    m_deps.view->SetForeground();
  }
}

void CMainWnd::OnOpenGame() {
  if (!m_pGameWnd && m_deps.windows) {
    m_pGameWnd = m_deps.windows->CreateGameWindow();
    if (m_pGameWnd) {
      if (m_bGameMaximized) m_pGameWnd->Maximize();
      m_pGameWnd->Show();
    }
  }
  // Without a game window, hiding would leave the player nothing but the tray icon.
  if (!m_pGameWnd) return;
  ShowWindow(false);
}

void CMainWnd::OnCloseGame() {
  if (m_pGameWnd) {
    // Close joins the game window's workers; only then is the object released.
    std::unique_ptr<IGameWindow> game = std::move(m_pGameWnd);
    game->Close();
    game.reset();
  }
  if (m_pLoginDlg && m_pLoginDlg->Exists()) m_pLoginDlg->Reload();
  ShowWindow(true);
  m_deps.view->SetForeground();
}

void CMainWnd::OnGameCall() {
  if (!m_strGameCall.empty() && m_pGameWnd) {
    const std::string copy = m_strGameCall;
    m_pGameWnd->HandleGameCall(copy);
  }
}

std::intptr_t CMainWnd::HandleMessage(unsigned msg, std::uintptr_t, std::intptr_t) {
  if (m_bDestroyed) return 0;
  switch (msg) {
    case UM_OPENGAME:
      OnOpenGame();
      break;
    case UM_CLOSEGAME:
      OnCloseGame();
      break;
    case UM_GAMECALL:
      OnGameCall();
      break;
    case WM_CLOSE:
      OnClose();
      break;
    default:
      break;
  }
  return 0;
}

}  // namespace vz
