#pragma once

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "core/app/launcher/CMainWnd.h"
#include "core/game/CDezorGame.h"

namespace vz::test {

// Records what the game window does to its platform window.
struct FakeGameView : IGameView {
  Size screen{1920, 1080};
  Rect workArea{0, 0, 1920, 1040};
  std::string title;
  Rect rect;
  std::vector<Rect> invalidated;
  std::vector<GameCursor> cursors;
  int moveDrags = 0;
  int sizings = 0;
  std::vector<std::string> tooltips;  // "show:<text>" or "hide"
  bool visible = false;
  int minimizes = 0;
  int foregrounds = 0;
  bool destroyed = false;
  std::vector<std::string>* log = nullptr;

  void Log(const std::string& s) {
    if (log) log->push_back(s);
  }
  Size ScreenSize() const override { return screen; }
  Rect WorkArea() const override { return workArea; }
  void SetTitle(const std::string& t) override { title = t; }
  void MoveResize(const Rect& r) override { rect = r; }
  Rect ScreenRect() const override { return rect; }
  void Invalidate(const Rect& r) override { invalidated.push_back(r); }
  void SetCursor(GameCursor c) override { cursors.push_back(c); }
  void BeginMoveDrag() override { ++moveDrags; }
  void BeginSizing() override { ++sizings; }
  void ShowTooltip(const std::string& text) override { tooltips.push_back("show:" + text); }
  void HideTooltip() override { tooltips.push_back("hide"); }
  void Show() override {
    visible = true;
    Log("game.show");
  }
  void Hide() override {
    visible = false;
    Log("game.hide");
  }
  void Minimize() override { ++minimizes; }
  bool IsVisible() const override { return visible; }
  void SetForeground() override {
    ++foregrounds;
    Log("game.foreground");
  }
  void Destroy() override {
    destroyed = true;
    visible = false;
    Log("game.destroy");
  }
};

struct FakeGamePage : IGamePage {
  bool createFails = false;
  bool created = false;
  Rect createdAt;
  std::vector<Rect> places;
  std::vector<std::string> navigations;
  int stops = 0;
  bool destroyed = false;

  bool Create(const Rect& r) override {
    if (createFails) return false;
    created = true;
    createdAt = r;
    return true;
  }
  void Navigate(const std::string& url) override { navigations.push_back(url); }
  void Place(const Rect& r) override { places.push_back(r); }
  void Stop() override { ++stops; }
  void Destroy() override { destroyed = true; }
};

struct FakeImageStore : IImageStore {
  std::set<int> missing;
  std::set<int> loaded;
  std::vector<int> freed;
  bool LoadPngResource(int id, Size* size) override {
    if (missing.count(id) || id == 141 || id == 148) return false;
    static const std::map<int, Size> sizes = {
        {143, {800, 500}}, {147, {48, 29}}, {136, {75, 25}},   {151, {75, 25}}, {150, {75, 25}},
        {157, {75, 25}},   {154, {65, 44}}, {134, {75, 44}},   {140, {65, 44}}, {158, {128, 16}},
        {135, {75, 44}},   {155, {75, 44}}, {142, {136, 198}}, {160, {75, 22}}, {149, {1155, 825}}};
    if (auto it = sizes.find(id); it != sizes.end()) *size = it->second;
    loaded.insert(id);
    return true;
  }
  void Free(int id) override { freed.push_back(id); }
};

// Timers on a fake clock: Advance fires every due timer in time order.
struct FakeClockTimers : ITimers {
  struct Entry {
    unsigned period;
    long long due;
  };
  long long now = 0;
  std::map<int, Entry> running;
  std::vector<std::pair<int, unsigned>> started;
  std::vector<int> stopped;
  std::function<void(int)> fire;

  void Start(int id, unsigned ms) override {
    running[id] = {ms, now + ms};
    started.emplace_back(id, ms);
  }
  void Stop(int id) override {
    running.erase(id);
    stopped.push_back(id);
  }
  bool IsRunning(int id) const { return running.count(id) != 0; }
  void Advance(long long ms) {
    const long long end = now + ms;
    for (;;) {
      auto next = running.end();
      for (auto it = running.begin(); it != running.end(); ++it) {
        if (it->second.due <= end && (next == running.end() || it->second.due < next->second.due))
          next = it;
      }
      if (next == running.end()) break;
      now = next->second.due;
      const int id = next->first;
      next->second.due += next->second.period;
      if (fire) fire(id);
    }
    now = end;
  }
};

struct FakeShellPort : IShell {
  std::vector<std::string> opened;
  void OpenUrl(const std::string& url) override { opened.push_back(url); }
};

struct FakeAsk : IMessageBox {
  bool answer = true;
  std::vector<std::pair<std::string, std::string>> asked;
  std::function<void()> during;  // runs while the question is up
  bool AskOkCancel(const std::string& text, const std::string& caption) override {
    asked.emplace_back(text, caption);
    if (during) during();
    return answer;
  }
};

struct FakeTrimmer : IMemoryTrimmer {
  int trims = 0;
  void TrimOwnMemory() override { ++trims; }
};

struct FakePopup : IGamePopup {
  std::vector<std::string>* log;
  std::string name;
  FakePopup(std::vector<std::string>* l, std::string n) : log(l), name(std::move(n)) {}
  ~FakePopup() override { log->push_back(name + ".deleted"); }
  void Hide() override { log->push_back(name + ".hide"); }
  void Move(const Rect& r) override {
    log->push_back(name + ".move:" + std::to_string(r.left) + "," + std::to_string(r.top) + "," +
                   std::to_string(r.Width()) + "x" + std::to_string(r.Height()));
  }
  void Close() override { log->push_back(name + ".close"); }
};

struct FakePopups : IGamePopupFactory {
  std::vector<std::string> log;
  std::unique_ptr<IGamePopup> CreatePayWindow(WindowId, const std::string& arg) override {
    log.push_back("pay.create:" + arg);
    return std::make_unique<FakePopup>(&log, "pay");
  }
  std::unique_ptr<IGamePopup> CreateBindWindow(WindowId, const std::string& arg) override {
    log.push_back("bind.create:" + arg);
    return std::make_unique<FakePopup>(&log, "bind");
  }
};

struct FakeBossKeyDialog : IBossKeyDialog {
  int runs = 0;
  void RunModal() override { ++runs; }
};

struct FakeCacheCleaner : ICacheCleaner {
  int starts = 0;
  void StartCacheClean() override { ++starts; }
};

// The game window's own ports, as one bundle the window keeps alive.
struct FakeGamePlatform : IGamePlatform {
  FakeGameView view;
  FakeGamePage page;
  FakeImageStore images;
  FakeClockTimers timers;
  FakeTrimmer trimmer;
};

}  // namespace vz::test
