#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "backends/posix/IconvCodePage.h"
#include "core/app/launcher/CMainWnd.h"
#include "core/app/settings/IFileStore.h"

namespace vz::test {

// Records what the launcher does to its window.
struct FakeView : ILauncherView {
  Size screen{1600, 1000};
  std::string title;
  int icon = 0;
  Rect rect;
  int presents = 0;
  Composition last;
  std::vector<Cursor> cursors;
  int drags = 0;
  bool visible = false;
  bool iconic = false;
  int foregrounds = 0;
  int minimizes = 0;
  bool destroyed = false;
  std::vector<std::string> log;

  Size ScreenSize() const override { return screen; }
  void SetTitle(const std::string& t) override { title = t; }
  void SetIcon(int id) override { icon = id; }
  void MoveResize(const Rect& r) override { rect = r; }
  Rect ScreenRect() const override { return rect; }
  void Present(const Composition& c) override {
    ++presents;
    last = c;
  }
  void SetCursor(Cursor c) override { cursors.push_back(c); }
  void BeginMoveDrag() override { ++drags; }
  void Show() override {
    visible = true;
    log.push_back("show");
  }
  void Hide() override {
    visible = false;
    log.push_back("hide");
  }
  void Minimize() override {
    iconic = true;
    ++minimizes;
  }
  void Restore() override {
    iconic = false;
    visible = true;
    log.push_back("restore");
  }
  bool IsVisible() const override { return visible; }
  bool IsIconic() const override { return iconic; }
  void SetForeground() override { ++foregrounds; }
  void Destroy() override { destroyed = true; }
};

struct FakeImages : IImageStore {
  std::set<int> missing;
  std::set<int> loaded;
  std::set<int> freed;
  bool LoadPngResource(int id, Size* size) override {
    if (missing.count(id) || id == 141 || id == 148) return false;
    loaded.insert(id);
    if (id == 149) *size = {1155, 825};
    return true;
  }
  void Free(int id) override { freed.insert(id); }
};

struct FakeShell : IShell {
  std::vector<std::string> opened;
  void OpenUrl(const std::string& url) override { opened.push_back(url); }
};

struct FakeMessageBox : IMessageBox {
  bool answer = false;
  std::vector<std::pair<std::string, std::string>> asked;
  bool AskOkCancel(const std::string& text, const std::string& caption) override {
    asked.emplace_back(text, caption);
    return answer;
  }
};

struct FakeTray : ITrayIcon {
  bool present = false;
  int addedIcon = 0;
  std::string tip;
  std::vector<std::vector<MenuItem>> menus;
  void Add(int iconId, const std::string& t) override {
    present = true;
    addedIcon = iconId;
    tip = t;
  }
  void Delete() override { present = false; }
  void PopupMenu(const std::vector<MenuItem>& items) override { menus.push_back(items); }
};

struct FakeHotKeys : IHotKeys {
  struct Reg {
    int id;
    unsigned modifiers;
    unsigned vk;
  };
  std::vector<Reg> registered;
  bool Register(int id, unsigned modifiers, unsigned vk) override {
    registered.push_back({id, modifiers, vk});
    return true;
  }
  void Unregister(int) override {}
};

struct FakeTimers : ITimers {
  std::map<int, unsigned> running;
  std::vector<int> stopped;
  void Start(int id, unsigned ms) override { running[id] = ms; }
  void Stop(int id) override {
    running.erase(id);
    stopped.push_back(id);
  }
};

struct FakeReport : IUsageReport {
  std::vector<std::vector<std::string>> sent;
  void SendUsageReport(const std::string& uid, const std::string& game,
                       const std::string& event) override {
    sent.push_back({uid, game, event});
  }
};

struct FakeLoginDialog : ILoginDialog {
  std::vector<std::string>* log;
  bool exists = true;
  bool visible = false;
  Rect placed;
  explicit FakeLoginDialog(std::vector<std::string>* l) : log(l) {}
  bool Exists() const override { return exists; }
  void Place(const Rect& r) override {
    placed = r;
    log->push_back("login.place");
  }
  void Show() override {
    visible = true;
    log->push_back("login.show");
  }
  void Hide() override {
    visible = false;
    log->push_back("login.hide");
  }
  void Focus() override { log->push_back("login.focus"); }
  void Reload() override { log->push_back("login.reload"); }
  void Close() override {
    exists = false;
    log->push_back("login.close");
  }
};

struct FakeGameWindow : IGameWindow {
  std::vector<std::string>* log;
  bool visible = false;
  explicit FakeGameWindow(std::vector<std::string>* l) : log(l) {}
  ~FakeGameWindow() override { log->push_back("game.deleted"); }
  void Maximize() override { log->push_back("game.maximize"); }
  void Show() override {
    visible = true;
    log->push_back("game.show");
  }
  void Hide() override {
    visible = false;
    log->push_back("game.hide");
  }
  bool IsVisible() const override { return visible; }
  void SetForeground() override { log->push_back("game.foreground"); }
  void Close() override { log->push_back("game.close"); }
  void HandleGameCall(const std::string& text) override { log->push_back("game.call:" + text); }
};

struct FakeWindows : IWindowFactory {
  std::vector<std::string> log;
  bool loginFails = false;
  bool gameFails = false;
  int loginCreated = 0;
  int gameCreated = 0;
  FakeLoginDialog* login = nullptr;
  FakeGameWindow* game = nullptr;
  std::unique_ptr<ILoginDialog> CreateLoginDialog() override {
    ++loginCreated;
    log.push_back("login.create");
    auto d = std::make_unique<FakeLoginDialog>(&log);
    if (loginFails) d->exists = false;
    login = d.get();
    return d;
  }
  std::unique_ptr<IGameWindow> CreateGameWindow() override {
    ++gameCreated;
    log.push_back("game.create");
    if (gameFails) return nullptr;
    auto g = std::make_unique<FakeGameWindow>(&log);
    game = g.get();
    return g;
  }
};

struct MemoryFileStore : IFileStore {
  std::map<std::string, std::string> files;
  int writes = 0;
  ReadResult ReadFile(const std::string& path, std::size_t maxBytes) override {
    auto it = files.find(path);
    if (it == files.end()) return {ReadStatus::Missing, {}};
    if (it->second.size() > maxBytes) return {ReadStatus::TooLarge, {}};
    return {ReadStatus::Ok, it->second};
  }
  bool WriteFileAtomically(const std::string& path, std::string_view bytes) override {
    ++writes;
    files[path] = std::string(bytes);
    return true;
  }
};

// A launcher wired to fakes.
struct LauncherFixture {
  FakeView view;
  FakeImages images;
  FakeShell shell;
  FakeMessageBox box;
  FakeTray tray;
  FakeHotKeys hotKeys;
  FakeTimers timers;
  FakeReport report;
  FakeWindows windows;
  MemoryFileStore files;
  posix::IconvCodePage codePage;
  MessageQueue queue;

  LauncherDeps Deps() {
    LauncherDeps d;
    d.view = &view;
    d.images = &images;
    d.shell = &shell;
    d.messageBox = &box;
    d.tray = &tray;
    d.hotKeys = &hotKeys;
    d.timers = &timers;
    d.report = &report;
    d.windows = &windows;
    d.files = &files;
    d.codePage = &codePage;
    d.queue = &queue;
    return d;
  }
  void SetIni(const std::string& text) { files.files["/opt/vz/static.ini"] = text; }
  std::unique_ptr<CMainWnd> Make(int mode = 0) {
    auto w = std::make_unique<CMainWnd>(mode, Deps(), "/opt/vz/");
    w->Create();
    return w;
  }
};

}  // namespace vz::test
