#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/app/Geometry.h"

namespace vz {

// One picture drawn into the composed launcher image: the source rectangle of picture
// `imageId` stretched into `dst`.
struct DrawOp {
  int imageId = 0;
  Rect src;
  Rect dst;
  friend bool operator==(const DrawOp&, const DrawOp&) = default;
};

struct Composition {
  Size size;
  std::vector<DrawOp> ops;
};

enum class Cursor { Arrow, Hand };

// Skin pictures by resource id; the backend decodes them once.
class IImageStore {
 public:
  virtual ~IImageStore() = default;
  // Decodes picture `id`; false (and *size untouched) when there is no such picture.
  virtual bool LoadPngResource(int id, Size* size) = 0;
  virtual void Free(int id) = 0;
};

// The launcher's own window, as the platform shows it.
class ILauncherView {
 public:
  virtual ~ILauncherView() = default;
  virtual Size ScreenSize() const = 0;
  virtual void SetTitle(const std::string& title) = 0;
  virtual void SetIcon(int iconId) = 0;
  virtual void MoveResize(const Rect& screenRect) = 0;
  virtual Rect ScreenRect() const = 0;
  // Hands the composed picture to the window system (per-pixel alpha).
  virtual void Present(const Composition& picture) = 0;
  virtual void SetCursor(Cursor cursor) = 0;
  // Lets the window follow the pointer until the button is released.
  virtual void BeginMoveDrag() = 0;
  virtual void Show() = 0;
  virtual void Hide() = 0;
  virtual void Minimize() = 0;
  virtual void Restore() = 0;
  virtual bool IsVisible() const = 0;
  virtual bool IsIconic() const = 0;
  virtual void SetForeground() = 0;
  // Destroys the window; the program ends with it.
  virtual void Destroy() = 0;
};

class IShell {
 public:
  virtual ~IShell() = default;
  // Opens an address with the user's default handler; results are ignored.
  virtual void OpenUrl(const std::string& url) = 0;
};

class IMessageBox {
 public:
  virtual ~IMessageBox() = default;
  // A modal OK/Cancel question with the question icon; true when the user chose OK.
  virtual bool AskOkCancel(const std::string& text, const std::string& caption) = 0;
};

class ITrayIcon {
 public:
  virtual ~ITrayIcon() = default;
  virtual void Add(int iconId, const std::string& tip) = 0;
  virtual void Delete() = 0;
  // Shows the icon's menu (one item per entry: command id and text) at the pointer.
  struct MenuItem {
    int command;
    std::string text;
  };
  virtual void PopupMenu(const std::vector<MenuItem>& items) = 0;
};

class IHotKeys {
 public:
  virtual ~IHotKeys() = default;
  // Registers a system-wide key; false when the key is not usable or held elsewhere.
  virtual bool Register(int id, unsigned modifiers, unsigned virtualKey) = 0;
  virtual void Unregister(int id) = 0;
};

class ITimers {
 public:
  virtual ~ITimers() = default;
  // Periodic timer delivered to the launcher's OnTimer(id) until stopped.
  virtual void Start(int id, unsigned periodMs) = 0;
  virtual void Stop(int id) = 0;
};

class IUsageReport {
 public:
  virtual ~IUsageReport() = default;
  virtual void SendUsageReport(const std::string& uid, const std::string& gameCode,
                               const std::string& eventCode) = 0;
};

// The login page dialog as the launcher sees it.
class ILoginDialog {
 public:
  virtual ~ILoginDialog() = default;
  virtual bool Exists() const = 0;
  virtual void Place(const Rect& screenRect) = 0;
  virtual void Show() = 0;
  virtual void Hide() = 0;
  virtual void Focus() = 0;
  virtual void Reload() = 0;
  // Tears the dialog down; the launcher forgets it afterwards.
  virtual void Close() = 0;
};

// The game window as the launcher sees it.
class IGameWindow {
 public:
  virtual ~IGameWindow() = default;
  virtual void Maximize() = 0;
  virtual void Show() = 0;
  virtual void Hide() = 0;
  virtual bool IsVisible() const = 0;
  virtual void SetForeground() = 0;
  // WM_CLOSE: tears the window down; the object is deleted right after.
  virtual void Close() = 0;
  virtual void HandleGameCall(const std::string& text) = 0;
};

class IWindowFactory {
 public:
  virtual ~IWindowFactory() = default;
  // Null when the dialog could not be created; the launcher then runs without it.
  virtual std::unique_ptr<ILoginDialog> CreateLoginDialog() = 0;
  virtual std::unique_ptr<IGameWindow> CreateGameWindow() = 0;
};

}  // namespace vz
