#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/app/Geometry.h"
#include "core/app/MessageQueue.h"
#include "core/app/launcher/LauncherPorts.h"
#include "core/game/GameLayout.h"
#include "core/game/GamePorts.h"

namespace vz {

class CMainWnd;

// Everything the game window talks to. The launcher holds the shared state and receives
// UM_CLOSEGAME; the optional ports are filled by later windows and features.
struct GameDeps {
  CMainWnd* launcher = nullptr;
  MessageQueue* queue = nullptr;
  IGameView* view = nullptr;
  IGamePage* page = nullptr;
  IImageStore* images = nullptr;
  ITimers* timers = nullptr;  // delivered to OnTimer
  IShell* shell = nullptr;
  IMessageBox* messageBox = nullptr;
  IMemoryTrimmer* trimmer = nullptr;        // may be null
  IGamePopupFactory* popups = nullptr;      // may be null: no in-window popups yet
  IBossKeyDialog* bossKeyDialog = nullptr;  // may be null
  ICacheCleaner* cacheCleaner = nullptr;    // may be null
};

// The skinned, resizable game window around the game page.
class CDezorGame final : public IGameWindow,
                         public IGameViewEvents,
                         public IGamePageEvents,
                         public IMessageHandler {
 public:
  // Skin pictures.
  static constexpr int kBackgroundPng = 143;
  static constexpr int kLogoPng = 147;
  static constexpr int kClosePng = 136;
  static constexpr int kMinimizePng = 151;
  static constexpr int kMaximizePng = 150;
  static constexpr int kRestorePng = 157;
  static constexpr int kServerPng = 154;
  static constexpr int kClearCachePng = 134;
  static constexpr int kBossKeyPng = 140;
  static constexpr int kSpinnerPng = 158;
  static constexpr int kCleaningPng = 135;
  static constexpr int kPayPng = 155;
  static constexpr int kBindPng = 142;
  static constexpr int kVipPng = 160;
  static constexpr std::array<int, 14> kPictures = {
      kBackgroundPng, kLogoPng,       kClosePng,   kMinimizePng, kMaximizePng,
      kServerPng,     kClearCachePng, kBossKeyPng, kSpinnerPng,  kCleaningPng,
      kPayPng,        kBindPng,       kVipPng,     kRestorePng};

  static constexpr int BIND_TIMER_ID = 1001;
  // Drives the binding button's frames on the user-interface thread.
  static constexpr int kBindStepTimerId = 1011;
  static constexpr unsigned kBindStepMs = 150;
  static constexpr int kBindFrameHeight = 22;
  static constexpr int kBindStepsPerCycle = 10;

  static constexpr std::uint32_t kTitleColour = 0xFFE4D10D;
  static constexpr const char* kWindowText = "ZelvoKiravel";
  static constexpr const char* kCloseQuestion = "确定要退出当前正在玩的游戏吗？";
  static constexpr const char* kCloseCaption = "退出提示";

  enum Button { kClose, kMinimize, kMaximize, kServer, kClearCache, kBossKey, kPay, kButtonCount };
  static constexpr int kNone = -1;

  explicit CDezorGame(const GameDeps& deps, std::unique_ptr<IGamePlatform> platform = nullptr);
  ~CDezorGame() override;
  CDezorGame(const CDezorGame&) = delete;
  CDezorGame& operator=(const CDezorGame&) = delete;

  // Creates the window and its page; false when the page cannot be made (the window is then
  // torn down again).
  bool Create();
  WindowId Id() const { return m_id; }
  bool IsClosed() const { return m_bClosed; }

  // IGameWindow: what the launcher does with the window.
  void Maximize() override;
  void Show() override;
  void Hide() override;
  bool IsVisible() const override;
  void SetForeground() override;
  void Close() override;
  void HandleGameCall(const std::string& text) override;

  // IGameViewEvents.
  void OnMouseMove(Point p) override;
  void OnMouseLeave() override;
  void OnLButtonDown(Point p) override;
  void OnLButtonUp(Point p) override;
  void OnLButtonDblClk(Point p) override;
  void OnSizingTrack(int dx, int dy) override;
  void OnSizingEnd() override;
  void OnSize(int cx, int cy) override;
  bool OnKeyDown(unsigned virtualKey) override;
  void OnCloseRequest() override;
  GameFrame ComposeFrame() const override;

  // IGamePageEvents.
  bool OnBeforeNavigate(const std::string& url) override;
  bool OnNewWindow(const std::string& url) override;
  void OnDocumentComplete(const std::string& url) override;
  void OnTitleChange(const std::string& title) override;

  // UM_CLOSEPAY, UM_CLOSEBIND, WM_SYSCOMMAND and WM_CLOSE from the queue.
  std::intptr_t HandleMessage(unsigned msg, std::uintptr_t wparam, std::intptr_t lparam) override;
  void OnTimer(int timerId);

  // Operations shared with the title-bar commands and later features.
  void LayoutTitleBar();
  void PlaceVipButton();
  void RefreshHover();
  void ToggleMaximize();
  void SysCommand(unsigned command);
  void NavigateGame(const std::string& url);
  void OpenPayWindow();
  void OpenBindWindow();
  void ShowTooltip(const std::string& text);
  void HideTooltip();

  // State, for the backend and tests.
  const Rect& ButtonRect(int b) const { return m_rcButtons[b]; }
  int ButtonState(int b) const { return m_nStates[b]; }
  int Hovered() const { return m_nHovered; }
  const Rect& DragRect() const { return m_rcDrag; }
  const Rect& BindRect() const { return m_rcBind; }
  const Rect& VipRect() const { return m_rcVip; }
  const Rect& BrowserRect() const { return m_rcBrowser; }
  Size ClientSize() const { return {m_nWidth, m_nHeight}; }
  bool IsZoomed() const { return m_bZoomed; }
  bool IsTooltipShown() const { return m_bTooltipShown; }
  bool IsLeaveTracked() const { return m_bTrackingLeave; }
  bool IsBindAnimating() const { return m_bBindAnimating; }
  // The frame of the binding strip on screen, -1 for none.
  int BindFrameShown() const { return m_nBindFrame; }

  // Shared with the later features (customer-service link, cache cleaner, popups).
  std::vector<std::string> m_szImFields;  // empty until the service link is set up
  bool m_bBlinking = false;
  bool m_bCleaning = false;
  bool m_bHeartbeatOn = true;
  bool m_bServiceLinked = false;
  std::unique_ptr<IGamePopup> m_pPayWnd;
  std::unique_ptr<IGamePopup> m_pJihuoWnd;

 private:
  bool AccountBound() const;
  bool GameMaximized() const;
  void SetGameMaximized(bool on);
  Size FrameOf(int png, int frames, bool stacked) const;
  void MoveWindowTo(const Rect& screenRect);
  void InvalidateButton(int b);
  void InvalidateAll();
  void OnNcLButtonDown(HitCode hit);
  void RunButtonAction(int b);
  void AskAndCloseGame();
  void ServiceClick();
  void StartBindAnimation();
  void DrawBindStep();
  void EndBindAnimation();
  void ClosePopup(std::unique_ptr<IGamePopup>& popup);
  void AddButtonOp(GameFrame& f, int png, int b, int frames, bool stacked) const;

  std::unique_ptr<IGamePlatform> m_platform;  // destroyed last
  GameDeps m_deps;
  std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
  WindowId m_id = kNoWindow;
  bool m_bCreated = false;
  bool m_bClosed = false;

  int m_nWidth = 0;
  int m_nHeight = 0;
  bool m_loaded[kPictures.size()] = {};
  Size m_imageSizes[kPictures.size()];

  Rect m_rcButtons[kButtonCount];
  int m_nStates[kButtonCount] = {};
  int m_nPainted[kButtonCount] = {};  // the state each button was last invalidated with
  int m_nHovered = kNone;
  Rect m_rcDrag;
  Rect m_rcBind;
  Rect m_rcVip;
  Rect m_rcBrowser;
  bool m_bTrackingLeave = false;
  bool m_bTooltipShown = false;
  GameCursor m_cursor = GameCursor::Arrow;

  bool m_bZoomed = false;
  Rect m_rcNormal;
  HitCode m_sizingEdge = HitCode::Client;
  Rect m_rcSizingStart;

  bool m_bPageCreated = false;

  bool m_bBindGate = false;
  bool m_bBindStartPending = false;
  bool m_bBindAnimating = false;
  int m_nBindStep = 0;
  int m_nBindFrame = -1;
};

// The one game window while it exists; cleared before the window goes.
extern CDezorGame* g_pGame;

}  // namespace vz
