#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/app/MessageQueue.h"
#include "core/app/launcher/CMainWnd.h"

namespace vz::test {

// Just enough of the launcher's platform to create a real launcher beside the game window.
struct StubLauncherView : ILauncherView {
  std::vector<std::string>* log;
  bool visible = false;
  explicit StubLauncherView(std::vector<std::string>* l) : log(l) {}
  Size ScreenSize() const override { return {1920, 1080}; }
  void SetTitle(const std::string&) override {}
  void SetIcon(int) override {}
  void MoveResize(const Rect&) override {}
  Rect ScreenRect() const override { return {}; }
  void Present(const Composition&) override {}
  void SetCursor(Cursor) override {}
  void BeginMoveDrag() override {}
  void Show() override {
    visible = true;
    log->push_back("launcher.show");
  }
  void Hide() override {
    visible = false;
    log->push_back("launcher.hide");
  }
  void Minimize() override {}
  void Restore() override {}
  bool IsVisible() const override { return visible; }
  bool IsIconic() const override { return false; }
  void SetForeground() override { log->push_back("launcher.foreground"); }
  void Destroy() override {}
};

struct StubLauncherImages : IImageStore {
  bool LoadPngResource(int, Size*) override { return true; }
  void Free(int) override {}
};
struct StubTray : ITrayIcon {
  void Add(int, const std::string&) override {}
  void Delete() override {}
  void PopupMenu(const std::vector<MenuItem>&) override {}
};
struct StubHotKeys : IHotKeys {
  bool Register(int, unsigned, unsigned) override { return true; }
  void Unregister(int) override {}
};
struct StubTimers : ITimers {
  void Start(int, unsigned) override {}
  void Stop(int) override {}
};
struct StubShell : IShell {
  void OpenUrl(const std::string&) override {}
};
struct StubBox : IMessageBox {
  bool AskOkCancel(const std::string&, const std::string&) override { return false; }
};

struct StubLoginDialog : ILoginDialog {
  std::vector<std::string>* log;
  explicit StubLoginDialog(std::vector<std::string>* l) : log(l) {}
  bool Exists() const override { return true; }
  void Place(const Rect&) override {}
  void Show() override { log->push_back("login.show"); }
  void Hide() override { log->push_back("login.hide"); }
  void Focus() override {}
  void Reload() override { log->push_back("login.reload"); }
  void Close() override {}
};

// Makes the login dialog stub and, through `makeGame`, the game windows.
struct StubWindows : IWindowFactory {
  std::vector<std::string>* log;
  std::function<std::unique_ptr<IGameWindow>()> makeGame;
  int gamesMade = 0;
  explicit StubWindows(std::vector<std::string>* l) : log(l) {}
  std::unique_ptr<ILoginDialog> CreateLoginDialog() override {
    return std::make_unique<StubLoginDialog>(log);
  }
  std::unique_ptr<IGameWindow> CreateGameWindow() override {
    ++gamesMade;
    log->push_back("game.create");
    return makeGame ? makeGame() : nullptr;
  }
};

// A created launcher registered in `queue`.
struct LauncherHarness {
  std::vector<std::string> log;
  MessageQueue queue;
  StubLauncherView view{&log};
  StubLauncherImages images;
  StubTray tray;
  StubHotKeys hotKeys;
  StubTimers timers;
  StubShell shell;
  StubBox box;
  StubWindows windows{&log};
  std::unique_ptr<CMainWnd> launcher;

  LauncherHarness() {
    LauncherDeps d;
    d.view = &view;
    d.images = &images;
    d.shell = &shell;
    d.messageBox = &box;
    d.tray = &tray;
    d.hotKeys = &hotKeys;
    d.timers = &timers;
    d.windows = &windows;
    d.queue = &queue;
    launcher = std::make_unique<CMainWnd>(0, d, "/opt/vz/");
    launcher->Create();
    launcher->ShowWindow(true);
    log.clear();
  }
  ~LauncherHarness() { launcher.reset(); }
};

}  // namespace vz::test
