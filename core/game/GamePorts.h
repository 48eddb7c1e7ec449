#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/app/Geometry.h"
#include "core/app/MessageQueue.h"
#include "core/app/launcher/LauncherPorts.h"

namespace vz {

// Hit-test codes of the window's edges, with the window system's numbers.
enum class HitCode {
  Client = 1,
  Left = 10,
  Right = 11,
  Top = 12,
  TopLeft = 13,
  TopRight = 14,
  Bottom = 15,
  BottomLeft = 16,
  BottomRight = 17,
};

enum class GameCursor { Arrow, SizeWE, SizeNS, SizeNWSE, SizeNESW };

// The title text: drawn with the title font at a point (its top-left corner).
struct TitleText {
  std::string text;
  Point at;
  std::uint32_t argb = 0;
  friend bool operator==(const TitleText&, const TitleText&) = default;
};

// Everything painting puts into the off-screen picture, in drawing order.
struct GameFrame {
  Size size;
  std::vector<DrawOp> images;
  TitleText title;  // empty text: none
  Rect page;        // covered by the page: nothing painted there shows
};

// Events the platform window delivers to the game window (client coordinates).
class IGameViewEvents {
 public:
  virtual ~IGameViewEvents() = default;
  virtual void OnMouseMove(Point p) = 0;
  virtual void OnMouseLeave() = 0;
  virtual void OnLButtonDown(Point p) = 0;
  virtual void OnLButtonUp(Point p) = 0;
  virtual void OnLButtonDblClk(Point p) = 0;
  // Pointer travel (screen pixels) since the edge sizing began.
  virtual void OnSizingTrack(int dx, int dy) = 0;
  virtual void OnSizingEnd() = 0;
  // The window system changed the client size (also after our own moves).
  virtual void OnSize(int cx, int cy) = 0;
  // A key pressed for the window or its page, by virtual-key code; true when it is consumed
  // and must not reach the page.
  virtual bool OnKeyDown(unsigned virtualKey) = 0;
  // The window system asks the window to close (a window manager's close command).
  virtual void OnCloseRequest() = 0;
  virtual GameFrame ComposeFrame() const = 0;
};

// The game window as the platform shows it.
class IGameView {
 public:
  virtual ~IGameView() = default;
  virtual Size ScreenSize() const = 0;
  // The work area of the monitor the window is on.
  virtual Rect WorkArea() const = 0;
  virtual void SetTitle(const std::string& title) = 0;
  virtual void MoveResize(const Rect& screenRect) = 0;
  virtual Rect ScreenRect() const = 0;
  // Repaints this client rectangle (without erasing) on the next frame.
  virtual void Invalidate(const Rect& r) = 0;
  virtual void SetCursor(GameCursor cursor) = 0;
  // Lets the window follow the pointer until the button is released.
  virtual void BeginMoveDrag() = 0;
  // Reports OnSizingTrack for every pointer move until the button is released.
  virtual void BeginSizing() = 0;
  virtual void ShowTooltip(const std::string& text) = 0;
  virtual void HideTooltip() = 0;
  virtual void Show() = 0;
  virtual void Hide() = 0;
  virtual void Minimize() = 0;
  virtual bool IsVisible() const = 0;
  virtual void SetForeground() = 0;
  virtual void Destroy() = 0;
};

// Events of the game page.
class IGamePageEvents {
 public:
  virtual ~IGamePageEvents() = default;
  // True cancels the navigation.
  virtual bool OnBeforeNavigate(const std::string& url) = 0;
  // True when the window handled the request; false leaves it to the web view.
  virtual bool OnNewWindow(const std::string& url) = 0;
  virtual void OnDocumentComplete(const std::string& url) = 0;
  virtual void OnTitleChange(const std::string& title) = 0;
};

// The web view of the game page, a child of the game window.
class IGamePage {
 public:
  virtual ~IGamePage() = default;
  // Creates the silent web view at `rect`; false when it cannot be made.
  virtual bool Create(const Rect& rect) = 0;
  virtual void Navigate(const std::string& url) = 0;
  virtual void Place(const Rect& rect) = 0;
  virtual void Stop() = 0;
  virtual void Destroy() = 0;
};

// Returns freed heap memory of the client process to the system.
class IMemoryTrimmer {
 public:
  virtual ~IMemoryTrimmer() = default;
  virtual void TrimOwnMemory() = 0;
};

// A page popup owned by the game window (payment, account binding).
class IGamePopup {
 public:
  virtual ~IGamePopup() = default;
  virtual void Hide() = 0;
  // In the game window's client coordinates.
  virtual void Move(const Rect& rect) = 0;
  // Tears the popup down; the game window deletes it right after.
  virtual void Close() = 0;
};

class IGamePopupFactory {
 public:
  virtual ~IGamePopupFactory() = default;
  // Null when the popup cannot be made. `parent` receives its UM_CLOSEPAY / UM_CLOSEBIND.
  virtual std::unique_ptr<IGamePopup> CreatePayWindow(WindowId parent, const std::string& arg) = 0;
  virtual std::unique_ptr<IGamePopup> CreateBindWindow(WindowId parent, const std::string& arg) = 0;
};

// The boss-key settings dialog, run modally over the game window.
class IBossKeyDialog {
 public:
  virtual ~IBossKeyDialog() = default;
  virtual void RunModal() = 0;
};

class ICacheCleaner {
 public:
  virtual ~ICacheCleaner() = default;
  virtual void StartCacheClean() = 0;
};

// Keeps the platform objects behind the ports alive as long as the window object.
class IGamePlatform {
 public:
  virtual ~IGamePlatform() = default;
};

}  // namespace vz
