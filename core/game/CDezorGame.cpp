#include "core/game/CDezorGame.h"

#include <utility>

#include "core/app/Messages.h"
#include "core/app/launcher/CMainWnd.h"

namespace vz {

CDezorGame* g_pGame = nullptr;

namespace {

constexpr unsigned kVkEscape = 0x1B;
constexpr unsigned kVkF9 = 0x78;

// Nominal picture sizes, used for the layout when a picture is missing.
Size NominalSize(int png) {
  switch (png) {
    case CDezorGame::kBackgroundPng:
      return {800, 500};
    case CDezorGame::kLogoPng:
      return {48, 29};
    case CDezorGame::kServerPng:
    case CDezorGame::kBossKeyPng:
      return {65, 44};
    case CDezorGame::kSpinnerPng:
      return {128, 16};
    case CDezorGame::kBindPng:
      return {136, 198};
    case CDezorGame::kVipPng:
      return {75, 22};
    case CDezorGame::kClearCachePng:
    case CDezorGame::kCleaningPng:
    case CDezorGame::kPayPng:
      return {75, 44};
    default:
      return {75, 25};  // the three-frame caption pictures
  }
}

int IndexOf(int png) {
  for (std::size_t i = 0; i < CDezorGame::kPictures.size(); ++i) {
    if (CDezorGame::kPictures[i] == png) return static_cast<int>(i);
  }
  return -1;
}

// Hover and release test order of the state buttons.
constexpr int kMoveOrder[] = {CDezorGame::kClose,  CDezorGame::kMinimize,   CDezorGame::kMaximize,
                              CDezorGame::kServer, CDezorGame::kClearCache, CDezorGame::kBossKey,
                              CDezorGame::kPay};
constexpr int kUpOrder[] = {CDezorGame::kClose,  CDezorGame::kMaximize,   CDezorGame::kMinimize,
                            CDezorGame::kServer, CDezorGame::kClearCache, CDezorGame::kBossKey,
                            CDezorGame::kPay};

bool IsCaptionButton(int b) {
  return b == CDezorGame::kClose || b == CDezorGame::kMinimize || b == CDezorGame::kMaximize;
}

}  // namespace

CDezorGame::CDezorGame(const GameDeps& deps, std::unique_ptr<IGamePlatform> platform)
    : m_platform(std::move(platform)), m_deps(deps) {}

CDezorGame::~CDezorGame() {
  Close();
  *m_alive = false;
  if (g_pGame == this) g_pGame = nullptr;
}

bool CDezorGame::AccountBound() const { return m_deps.launcher->m_bAccountBound; }
bool CDezorGame::GameMaximized() const { return m_deps.launcher->m_bGameMaximized; }
void CDezorGame::SetGameMaximized(bool on) { m_deps.launcher->m_bGameMaximized = on; }

Size CDezorGame::FrameOf(int png, int frames, bool stacked) const {
  const int i = IndexOf(png);
  const Size s = (i >= 0 && m_loaded[i]) ? m_imageSizes[i] : NominalSize(png);
  return stacked ? Size{s.width, s.height / frames} : Size{s.width / frames, s.height};
}

bool CDezorGame::Create() {
  if (m_bCreated || !m_deps.launcher || !m_deps.view || !m_deps.page || !m_deps.images) {
    return false;
  }
  m_bCreated = true;
  if (m_deps.queue) m_id = m_deps.queue->Register(this);

  for (std::size_t i = 0; i < kPictures.size(); ++i) {
    Size s = NominalSize(kPictures[i]);
    m_loaded[i] = m_deps.images->LoadPngResource(kPictures[i], &s);
    m_imageSizes[i] = s;
  }

  const Rect initial = InitialGameRect(m_deps.view->ScreenSize());
  m_nWidth = initial.Width();
  m_nHeight = initial.Height();
  LayoutTitleBar();
  m_rcNormal = initial;
  MoveWindowTo(initial);
  m_deps.view->SetTitle(kWindowText);

  m_rcBrowser = {0, 0, m_nWidth, m_nHeight};
  g_pGame = this;

  if (!m_deps.page->Create(m_rcBrowser)) {
    // Without a page there is no game window.
    Close();
    return false;
  }
  m_bPageCreated = true;
  NavigateGame(m_deps.launcher->m_strGameUrl);
  // The page was made over the whole client area; it takes its place below the title bar
  // before the window is ever shown.
  OnSize(m_nWidth, m_nHeight);

  if (!AccountBound()) {
    m_rcBind = BindButtonRect(m_nWidth);
    m_rcDrag.right = DragRightWithBindButton(m_nWidth);
    m_bBindGate = true;
    if (m_deps.timers) m_deps.timers->Start(BIND_TIMER_ID, kBindStepMs);
  }
  return true;
}

void CDezorGame::MoveWindowTo(const Rect& r) {
  m_deps.view->MoveResize(r);
  // The window system reports the new size at once, as SetWindowPos does.
  OnSize(r.Width(), r.Height());
}

void CDezorGame::LayoutTitleBar() {
  TitleBarImages im;
  im.pay = FrameOf(kPayPng, 2, true);
  im.server = FrameOf(kServerPng, 2, true);
  im.clearCacheWidth = FrameOf(kClearCachePng, 2, true).width;
  im.bossKeyWidth = FrameOf(kBossKeyPng, 2, true).width;
  im.minimize = FrameOf(kMinimizePng, 3, false);
  im.maximizeWidth = FrameOf(kMaximizePng, 3, false).width;
  im.closeWidth = FrameOf(kClosePng, 3, false).width;
  const TitleBarRects r = LayoutTitleBarRects(m_nWidth, im);
  m_rcButtons[kPay] = r.pay;
  m_rcButtons[kServer] = r.server;
  m_rcButtons[kClearCache] = r.clearCache;
  m_rcButtons[kBossKey] = r.bossKey;
  m_rcButtons[kMinimize] = r.minimize;
  m_rcButtons[kMaximize] = r.maximize;
  m_rcButtons[kClose] = r.close;
  m_rcDrag.left = 0;
  m_rcDrag.top = 0;
  m_rcDrag.bottom = kTitleBarHeight;
  if (m_rcVip.left == 0 && m_rcBind.left == 0) m_rcDrag.right = r.pay.left - 5;
}

void CDezorGame::PlaceVipButton() {
  const int left = VipButtonLeft(m_nWidth, m_rcBind.Width() > 0);
  m_rcVip = {left, 9, left + 75, 31};
  m_rcDrag.right = left - 5;
}

void CDezorGame::OnSize(int cx, int cy) {
  if (m_bClosed) return;
  m_nWidth = cx;
  m_nHeight = cy;
  if (m_bPageCreated) {
    m_rcBrowser = {kFrameWidth, kTitleBarHeight, cx - kFrameWidth, cy - kFrameWidth};
    m_deps.page->Place(m_rcBrowser);
  }
  if (!AccountBound() && m_bBindGate) {
    m_rcBind = BindButtonRect(cx);
    m_rcDrag.right = DragRightWithBindButton(cx);
  } else {
    m_rcBind = {};
  }
  if (!m_szImFields.empty()) {
    PlaceVipButton();
  } else {
    m_rcVip = {};
  }
  LayoutTitleBar();
  InvalidateAll();
}

void CDezorGame::InvalidateAll() {
  for (int b = 0; b < kButtonCount; ++b) m_nPainted[b] = m_nStates[b];
  m_deps.view->Invalidate({0, 0, m_nWidth, m_nHeight});
}

void CDezorGame::InvalidateButton(int b) {
  m_nPainted[b] = m_nStates[b];
  m_deps.view->Invalidate(m_rcButtons[b]);
}

void CDezorGame::RefreshHover() {
  for (int b = 0; b < kButtonCount; ++b) {
    if (b != m_nHovered) m_nStates[b] = 0;
  }
  // Only buttons whose look changed are repainted.
  for (int b = 0; b < kButtonCount; ++b) {
    if (m_nStates[b] == m_nPainted[b]) continue;
    m_nPainted[b] = m_nStates[b];
    const Rect& r = m_rcButtons[b];
    if (b == kClearCache && m_bCleaning) {
      // The spinner owns the rest of the button while cleaning.
      m_deps.view->Invalidate({r.left + 22, r.top, r.right, r.bottom});
      m_deps.view->Invalidate({r.left, r.top, r.left + 5, r.bottom});
      m_deps.view->Invalidate({r.left, r.top, r.left + 22, r.top + 2});
      m_deps.view->Invalidate({r.left, r.bottom - 2, r.left + 22, r.bottom});
    } else {
      m_deps.view->Invalidate(r);
    }
  }
}

void CDezorGame::ShowTooltip(const std::string& text) {
  if (m_bTooltipShown) return;
  m_bTooltipShown = true;
  m_deps.view->ShowTooltip(text);
}

void CDezorGame::HideTooltip() {
  if (!m_bTooltipShown) return;
  m_bTooltipShown = false;
  m_deps.view->HideTooltip();
}

void CDezorGame::OnMouseMove(Point p) {
  if (m_bClosed) return;
  const HitCode hit = GameNcHitTest(p, {m_nWidth, m_nHeight});
  const GameCursor cursor = CursorForHit(hit);
  if (cursor != m_cursor) {
    m_cursor = cursor;
    m_deps.view->SetCursor(cursor);
  }
  if (hit != HitCode::Client) {
    // The edges are outside the client area: the pointer has left it.
    OnMouseLeave();
    return;
  }
  bool matched = false;
  for (int b : kMoveOrder) {
    if (!m_rcButtons[b].Contains(p)) continue;
    if (m_nStates[b] == 0) {
      m_nHovered = b;
      m_nStates[b] = 1;
      RefreshHover();
    }
    if (b == kBossKey) {
      ShowTooltip(m_deps.launcher->m_strHotName);
    } else {
      HideTooltip();
    }
    matched = true;
    break;
  }
  if (!matched && !(m_rcBind.Contains(p) && !AccountBound())) {
    m_nHovered = kNone;
    RefreshHover();
  }
  if (!m_bTrackingLeave) m_bTrackingLeave = true;
}

void CDezorGame::OnMouseLeave() {
  if (m_bClosed || !m_bTrackingLeave) return;
  m_bTrackingLeave = false;
  HideTooltip();
}

void CDezorGame::OnLButtonDown(Point p) {
  if (m_bClosed) return;
  const HitCode hit = GameNcHitTest(p, {m_nWidth, m_nHeight});
  if (hit != HitCode::Client) {
    OnNcLButtonDown(hit);
    return;
  }
  for (int b : {kClose, kMinimize, kMaximize}) {
    if (!m_rcButtons[b].Contains(p)) continue;
    if (m_nStates[b] == 1) {
      m_nStates[b] = 2;
      InvalidateButton(b);
    }
    return;
  }
  if (m_rcBind.Contains(p) && !AccountBound()) return;
  if (m_rcVip.Contains(p) && !m_szImFields.empty()) {
    ServiceClick();
    return;
  }
  if (m_rcDrag.Contains(p) && !GameMaximized()) m_deps.view->BeginMoveDrag();
}

void CDezorGame::OnNcLButtonDown(HitCode hit) {
  // A maximised window is neither sized nor moved.
  if (GameMaximized()) return;
  m_sizingEdge = hit;
  m_rcSizingStart = m_deps.view->ScreenRect();
  m_deps.view->BeginSizing();
}

void CDezorGame::OnSizingTrack(int dx, int dy) {
  if (m_bClosed || m_sizingEdge == HitCode::Client) return;
  const Rect r = ApplySizing(m_sizingEdge, m_rcSizingStart, dx, dy);
  if (r == m_deps.view->ScreenRect()) return;
  MoveWindowTo(r);
  if (!m_bZoomed) m_rcNormal = r;
}

void CDezorGame::OnSizingEnd() { m_sizingEdge = HitCode::Client; }

void CDezorGame::OnLButtonUp(Point p) {
  if (m_bClosed) return;
  if (GameNcHitTest(p, {m_nWidth, m_nHeight}) != HitCode::Client) return;
  for (int b : kUpOrder) {
    if (!m_rcButtons[b].Contains(p)) continue;
    const int required = IsCaptionButton(b) ? 2 : 1;
    if (m_nStates[b] != required) return;
    m_nStates[b] = 0;
    if (b != kClearCache) InvalidateButton(b);
    RunButtonAction(b);
    return;
  }
  if (m_rcBind.Contains(p) && !AccountBound()) OpenBindWindow();
}

void CDezorGame::OnLButtonDblClk(Point p) {
  if (m_bClosed) return;
  if (GameNcHitTest(p, {m_nWidth, m_nHeight}) != HitCode::Client) return;
  if (m_rcDrag.Contains(p)) ToggleMaximize();
}

void CDezorGame::RunButtonAction(int b) {
  switch (b) {
    case kClose:
    case kServer:
      AskAndCloseGame();
      break;
    case kMinimize:
      SysCommand(SC_MINIMIZE);
      break;
    case kMaximize:
      ToggleMaximize();
      break;
    case kClearCache:
      if (m_deps.cacheCleaner) m_deps.cacheCleaner->StartCacheClean();
      break;
    case kBossKey:
      if (m_deps.bossKeyDialog) {
        HideTooltip();
        m_deps.bossKeyDialog->RunModal();
      }
      break;
    case kPay:
      OpenPayWindow();
      break;
    default:
      break;
  }
}

void CDezorGame::AskAndCloseGame() {
  if (!m_deps.messageBox) return;
  // The question runs a nested loop in which anything may happen, this window's end included.
  const std::shared_ptr<bool> alive = m_alive;
  const bool ok = m_deps.messageBox->AskOkCancel(kCloseQuestion, kCloseCaption);
  if (!*alive || m_bClosed || !ok) return;
  // Posted, never sent: the launcher deletes this window when it handles it.
  if (m_deps.queue) m_deps.queue->Post(m_deps.launcher->Id(), UM_CLOSEGAME);
}

void CDezorGame::ServiceClick() {
  // The customer-service popup comes with the service link.
}

void CDezorGame::ToggleMaximize() {
  if (GameMaximized()) {
    SetGameMaximized(false);
    SysCommand(SC_RESTORE);
    InvalidateAll();
  } else {
    SysCommand(SC_MAXIMIZE);
  }
  if (m_pPayWnd) m_pPayWnd->Move({m_nWidth - 400, 40, m_nWidth - 400 + 238, 40 + 270});
}

void CDezorGame::SysCommand(unsigned command) {
  if (m_bClosed) return;
  switch (command) {
    case SC_MINIMIZE:
      m_deps.view->Minimize();
      break;
    case SC_MAXIMIZE: {
      if (!m_bZoomed) m_rcNormal = m_deps.view->ScreenRect();
      m_bZoomed = true;
      MoveWindowTo(m_deps.view->WorkArea());
      SetGameMaximized(true);
      InvalidateAll();
      break;
    }
    case SC_RESTORE:
      if (!m_bZoomed) break;
      m_bZoomed = false;
      MoveWindowTo(m_rcNormal);
      SetGameMaximized(false);
      break;
    default:
      break;
  }
}

bool CDezorGame::OnKeyDown(unsigned vk) {
  if (m_bClosed) return false;
  if (vk == kVkEscape) return true;
  if (vk == kVkF9) {
    if (m_bPageCreated) NavigateGame(m_deps.launcher->m_strGameUrl);
    return false;
  }
  // Everything else, Control+C and Control+X included, goes on to the page.
  return false;
}

void CDezorGame::OnCloseRequest() {
  if (m_bClosed) return;
  // Closing the window by itself would leave the launcher hidden with no window to return
  // to: a close from the window system goes the close button's way.
  AskAndCloseGame();
}

void CDezorGame::NavigateGame(const std::string& url) {
  if (m_bClosed || !m_bPageCreated) return;
  m_deps.page->Navigate(url);
}

bool CDezorGame::OnBeforeNavigate(const std::string& url) {
  if (m_bClosed) return false;
  const LoadGameDecision d = DecideLoadGame(url);
  switch (d.kind) {
    case LoadGameDecision::NotLoadGame:
      return false;
    case LoadGameDecision::Redirect:
      NavigateGame(d.target);
      return true;
    case LoadGameDecision::Cancel:
      return true;
  }
  return false;
}

bool CDezorGame::OnNewWindow(const std::string&) { return false; }

void CDezorGame::OnDocumentComplete(const std::string&) {
  if (m_bClosed) return;
  if (m_deps.trimmer) m_deps.trimmer->TrimOwnMemory();
}

void CDezorGame::OnTitleChange(const std::string&) {}

void CDezorGame::OpenPayWindow() {
  if (m_pPayWnd) return;
  if (m_deps.launcher->m_strPayUrl.empty()) {
    if (m_deps.shell) m_deps.shell->OpenUrl(m_deps.launcher->GetEndpoints().pay + "/?g=kv");
    return;
  }
  if (!m_deps.popups) return;
  m_pPayWnd = m_deps.popups->CreatePayWindow(m_id, "albt");
  if (m_pPayWnd) m_pPayWnd->Hide();
}

void CDezorGame::OpenBindWindow() {
  if (m_pJihuoWnd || !m_deps.popups) return;
  m_pJihuoWnd = m_deps.popups->CreateBindWindow(m_id, "albt");
  if (m_pJihuoWnd) m_pJihuoWnd->Hide();
}

void CDezorGame::ClosePopup(std::unique_ptr<IGamePopup>& popup) {
  if (!popup) return;
  std::unique_ptr<IGamePopup> gone = std::move(popup);
  gone->Close();
}

void CDezorGame::OnTimer(int timerId) {
  if (m_bClosed) return;
  if (timerId == BIND_TIMER_ID) {
    if (m_deps.timers) m_deps.timers->Stop(BIND_TIMER_ID);
    // Started once the window is visible; a hidden window starts it when shown.
    if (m_deps.view->IsVisible()) {
      StartBindAnimation();
    } else {
      m_bBindStartPending = true;
    }
    return;
  }
  if (timerId == kBindStepTimerId && m_bBindAnimating) {
    ++m_nBindStep;
    if (m_nBindStep < kBindStepsPerCycle) {
      DrawBindStep();
    } else if (!AccountBound()) {
      m_nBindStep = 0;
      DrawBindStep();
    } else {
      EndBindAnimation();
    }
  }
}

void CDezorGame::StartBindAnimation() {
  m_bBindStartPending = false;
  if (m_bBindAnimating) return;
  m_bBindAnimating = true;
  m_nBindStep = 0;
  DrawBindStep();
  if (m_bBindAnimating && m_deps.timers) m_deps.timers->Start(kBindStepTimerId, kBindStepMs);
}

void CDezorGame::DrawBindStep() {
  if (!m_loaded[IndexOf(kBindPng)] || !m_bBindGate) {
    EndBindAnimation();
    return;
  }
  const Size strip = m_imageSizes[IndexOf(kBindPng)];
  // The last step's band lies below the strip: nothing is drawn and the last frame stays.
  if ((m_nBindStep + 1) * kBindFrameHeight <= strip.height) {
    m_nBindFrame = m_nBindStep;
    m_deps.view->Invalidate(m_rcBind);
  }
}

void CDezorGame::EndBindAnimation() {
  if (m_deps.timers) m_deps.timers->Stop(kBindStepTimerId);
  const bool wasRunning = m_bBindAnimating;
  m_bBindAnimating = false;
  m_nBindFrame = -1;
  if (!wasRunning || !m_bBindGate) return;
  // Removed for good: a later resize must not bring back an invisible binding zone.
  m_bBindGate = false;
  m_rcBind = {0, 0, -1, -1};
  m_deps.view->Invalidate({0, 0, m_nWidth, kTitleBarHeight});
}

void CDezorGame::AddButtonOp(GameFrame& f, int png, int b, int frames, bool stacked) const {
  const int i = IndexOf(png);
  const Rect& dst = m_rcButtons[b];
  if (!m_loaded[i] || dst.IsEmpty()) return;
  const Size fr = FrameOf(png, frames, stacked);
  const int n = m_nStates[b];
  const Rect src = stacked ? Rect{0, n * fr.height, fr.width, (n + 1) * fr.height}
                           : Rect{n * fr.width, 0, (n + 1) * fr.width, fr.height};
  f.images.push_back({png, src, dst});
}

GameFrame CDezorGame::ComposeFrame() const {
  GameFrame f;
  f.size = {m_nWidth, m_nHeight};
  if (m_bPageCreated) f.page = m_rcBrowser;
  f.images.reserve(16);
  const int bg = IndexOf(kBackgroundPng);
  if (m_loaded[bg]) {
    const int iw = m_imageSizes[bg].width;
    f.images.push_back({kBackgroundPng, {0, 0, iw, kTitleBarHeight}, {0, 0, m_nWidth, 40}});
    // 470 source rows from row 40, as the skin was always drawn.
    f.images.push_back(
        {kBackgroundPng, {0, 40, iw, 40 + 470}, {0, 40, m_nWidth, 40 + (m_nHeight - 40)}});
  }
  const int logo = IndexOf(kLogoPng);
  if (m_loaded[logo]) {
    const Size s = m_imageSizes[logo];
    f.images.push_back({kLogoPng, {0, 0, s.width, s.height}, {10, 5, 10 + s.width, 5 + s.height}});
  }
  AddButtonOp(f, kServerPng, kServer, 2, true);
  AddButtonOp(f, kPayPng, kPay, 2, true);
  AddButtonOp(f, kBossKeyPng, kBossKey, 2, true);
  AddButtonOp(f, kClosePng, kClose, 3, false);
  AddButtonOp(f, kMinimizePng, kMinimize, 3, false);
  const int vip = IndexOf(kVipPng);
  if (!m_bBlinking && m_loaded[vip] && !m_rcVip.IsEmpty()) {
    const Size s = m_imageSizes[vip];
    f.images.push_back({kVipPng, {0, 0, s.width, s.height}, m_rcVip});
  }
  AddButtonOp(f, GameMaximized() ? kRestorePng : kMaximizePng, kMaximize, 3, false);
  AddButtonOp(f, m_bCleaning ? kCleaningPng : kClearCachePng, kClearCache, 2, true);
  // The animation's frame stays on screen between its steps.
  if (m_nBindFrame >= 0 && !m_rcBind.IsEmpty()) {
    const int top = m_nBindFrame * kBindFrameHeight;
    const int stripWidth = m_imageSizes[IndexOf(kBindPng)].width;
    f.images.push_back({kBindPng, {0, top, stripWidth, top + kBindFrameHeight}, m_rcBind});
  }
  const std::string& server = m_deps.launcher->m_strServerName;
  if (!server.empty()) {
    f.title = {std::string(kWindowText) + "--" + server + "(F9刷新)", {60, 13}, kTitleColour};
  }
  return f;
}

void CDezorGame::Maximize() { SysCommand(SC_MAXIMIZE); }

void CDezorGame::Show() {
  if (m_bClosed) return;
  m_deps.view->Show();
  if (m_bBindStartPending) StartBindAnimation();
}

void CDezorGame::Hide() {
  if (m_bClosed) return;
  m_deps.view->Hide();
}

bool CDezorGame::IsVisible() const { return !m_bClosed && m_deps.view->IsVisible(); }

void CDezorGame::SetForeground() {
  if (m_bClosed) return;
  m_deps.view->SetForeground();
}

void CDezorGame::HandleGameCall(const std::string&) {
  // The customer-service link takes the payload here.
}

void CDezorGame::Close() {
  if (!m_bCreated || m_bClosed) return;
  m_bClosed = true;
  // Gates first, so nothing that draws starts again.
  m_bBindGate = false;
  m_bBindStartPending = false;
  m_bBindAnimating = false;
  m_nBindFrame = -1;
  m_szImFields.clear();
  if (m_deps.timers) {
    m_deps.timers->Stop(kBindStepTimerId);
    m_deps.timers->Stop(BIND_TIMER_ID);
  }
  for (std::size_t i = 0; i < kPictures.size(); ++i) {
    if (m_loaded[i]) m_deps.images->Free(kPictures[i]);
    m_loaded[i] = false;
  }
  // The popups are deleted with the window rather than left behind.
  ClosePopup(m_pPayWnd);
  ClosePopup(m_pJihuoWnd);
  if (m_bPageCreated) {
    m_deps.page->Stop();
    m_deps.page->Destroy();
    m_bPageCreated = false;
  }
  HideTooltip();
  m_deps.view->Destroy();
  if (m_id != kNoWindow && m_deps.queue) m_deps.queue->Unregister(m_id);
  m_id = kNoWindow;
  if (g_pGame == this) g_pGame = nullptr;
}

std::intptr_t CDezorGame::HandleMessage(unsigned msg, std::uintptr_t wparam, std::intptr_t) {
  if (m_bClosed) return 0;
  switch (msg) {
    case UM_CLOSEPAY:
      ClosePopup(m_pPayWnd);
      break;
    case UM_CLOSEBIND:
      ClosePopup(m_pJihuoWnd);
      break;
    case WM_SYSCOMMAND:
      SysCommand(static_cast<unsigned>(wparam & 0xFFF0));
      break;
    case WM_CLOSE:
      Close();
      break;
    default:
      break;
  }
  return 0;
}

}  // namespace vz
