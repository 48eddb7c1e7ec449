#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "core/app/Geometry.h"
#include "core/app/MessageQueue.h"
#include "core/app/launcher/LauncherPorts.h"
#include "core/app/settings/Settings.h"

namespace vz {

class IFileStore;
class ICodePage;

// Everything the launcher talks to; the backend (or a test) provides it.
struct LauncherDeps {
  ILauncherView* view = nullptr;
  IImageStore* images = nullptr;
  IShell* shell = nullptr;
  IMessageBox* messageBox = nullptr;
  ITrayIcon* tray = nullptr;
  IHotKeys* hotKeys = nullptr;
  ITimers* timers = nullptr;
  IUsageReport* report = nullptr;  // may be null: no report is sent
  IWindowFactory* windows = nullptr;
  IFileStore* files = nullptr;
  const ICodePage* codePage = nullptr;
  MessageQueue* queue = nullptr;
};

enum class TrayMouse { LeftDoubleClick, RightButtonDown, Other };

// The launcher: skinned main window, hub of the state the other windows share.
class CMainWnd final : public IMessageHandler {
 public:
  // Picture ids of the skin.
  static constexpr int kBackgroundPng = 149;
  static constexpr int kClosePng = 138;
  static constexpr int kMinimizePng = 152;
  static constexpr int kHomePng = 153;
  static constexpr int kPayPng = 133;
  static constexpr int kServicePng = 139;
  static constexpr int kForumPng = 131;
  static constexpr int kIconId = 148;

  enum Button { kClose, kMinimize, kHome, kPay, kService, kForum, kButtonCount, kNone = -1 };

  CMainWnd(int startMode, const LauncherDeps& deps, std::string moduleDir);
  ~CMainWnd() override;
  CMainWnd(const CMainWnd&) = delete;
  CMainWnd& operator=(const CMainWnd&) = delete;

  // Window creation; false leaves no window.
  bool Create();
  WindowId Id() const { return m_id; }

  // Events from the window system.
  void OnMouseMove(Point p);
  void OnLButtonDown(Point p);
  void OnLButtonUp(Point p);
  void OnTrayIcon(TrayMouse mouse);
  void OnCommand(int command);
  void OnClose();
  void OnMove();
  void OnTimer(int timerId);
  void OnHotKey(int hotKeyId);

  // Shows or hides the launcher; the login dialog follows.
  void ShowWindow(bool show);
  void ConfirmExit();
  void ToggleBossKey();
  void RegisterBossKey(std::uint32_t hotKey);

  // UM_OPENGAME, UM_CLOSEGAME, UM_GAMECALL and WM_CLOSE.
  std::intptr_t HandleMessage(unsigned msg, std::uintptr_t wparam, std::intptr_t lparam) override;

  // The precedence of the hit test: close, minimise, home, service, pay, forum.
  Button HitTest(Point p) const;
  Composition ComposeSkin() const;
  const Rect& ButtonRect(Button b) const { return m_rcButtons[b]; }
  int ButtonState(Button b) const { return m_nStates[b]; }
  Size SkinSize() const { return {m_nSkinWidth, m_nSkinHeight}; }
  bool IsDestroyed() const { return m_bDestroyed; }
  const Endpoints& GetEndpoints() const { return m_endpoints; }
  ILoginDialog* LoginDialog() const { return m_pLoginDlg.get(); }
  std::uint64_t RedrawCount() const { return m_redrawCount; }

  // Shared state, read and written by the page windows and the game window.
  std::string m_strModuleDir;
  bool m_bDeferLogin;
  Rect m_rcBrowser{324, 284, 967, 682};
  std::string m_strUid;
  std::string m_strSuid;
  std::string m_strPayUrl;
  std::string m_strGameUrl;
  std::string m_strServerName;
  bool m_bShowLoginOnLoad = true;
  std::string m_strIniPath;
  std::string m_strHotName;
  std::uint32_t m_dwHotKey = kNoHotKey;
  std::unique_ptr<IGameWindow> m_pGameWnd;
  bool m_bGameMaximized = true;
  bool m_bAccountBound = true;
  std::string m_strGameCall;

 private:
  void RedrawSkin();
  void SetHover(Button b);
  void SetCursor(Cursor c);
  void CreateLoginDialog();
  void PlaceLoginDialog();
  void OnShowWindow(bool shown);
  void OnOpenGame();
  void OnCloseGame();
  void OnGameCall();
  std::string UrlFor(Button b) const;

  LauncherDeps m_deps;
  WindowId m_id = kNoWindow;
  int m_nSkinWidth = 0;
  int m_nSkinHeight = 0;
  bool m_loaded[kButtonCount + 1] = {};
  Rect m_rcButtons[kButtonCount];
  int m_nStates[kButtonCount] = {};
  std::unique_ptr<ILoginDialog> m_pLoginDlg;
  Endpoints m_endpoints;
  Cursor m_cursor = Cursor::Arrow;
  bool m_bCreated = false;
  bool m_bDestroyed = false;
  std::uint64_t m_redrawCount = 0;
};

// The one launcher while its window exists.
extern CMainWnd* g_pLauncher;

}  // namespace vz
