#pragma once

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace vz::test {

// Runs a shell command and returns its standard output (trailing newline removed).
std::string Capture(const std::string& command, int* status = nullptr);

// Polls `done` until it holds or the time is up.
bool WaitUntil(const std::function<bool()>& done,
               std::chrono::milliseconds timeout = std::chrono::milliseconds(10000));

// A child process, killed when the object goes.
class Process {
 public:
  Process() = default;
  Process(const std::vector<std::string>& argv, const std::string& workDir = {});
  ~Process();
  Process(Process&& other) noexcept;
  Process& operator=(Process&& other) noexcept;
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  pid_t Pid() const { return pid_; }
  bool Running();
  // Waits for the process to end; false when it is still running after the timeout.
  bool WaitExit(std::chrono::milliseconds timeout, int* status = nullptr);
  void Kill();

 private:
  pid_t pid_ = -1;
};

// A private folder holding a copy of the client and its static.ini.
class ClientDir {
 public:
  explicit ClientDir(const std::string& clientBinary);
  ~ClientDir();
  ClientDir(const ClientDir&) = delete;
  ClientDir& operator=(const ClientDir&) = delete;

  const std::string& Path() const { return dir_; }
  std::string Client() const { return dir_ + "/vozudezi"; }
  void WriteIni(const std::string& text) const;
  std::string ReadIni() const;

 private:
  std::string dir_;
};

// Makes the desktop's default handler for http and https addresses a script that appends
// each address it is given to `<dir>/opened.txt`, for processes started afterwards with
// the environment this sets (XDG_CONFIG_HOME, XDG_DATA_HOME).
void InstallUrlRecorder(const std::string& dir);
std::vector<std::string> RecordedUrls(const std::string& dir);

struct WindowGeometry {
  int x = 0, y = 0, width = 0, height = 0;
};

// X helpers over xdotool/xwininfo for the current DISPLAY.
std::vector<std::string> VisibleWindows(const std::string& name);
bool GeometryOf(const std::string& windowId, WindowGeometry* g);
void MouseMove(int x, int y);
void Click(int button);
void Key(const std::string& keys);
// Saves a screenshot of the whole screen as PNG.
bool Screenshot(const std::string& path);

}  // namespace vz::test
