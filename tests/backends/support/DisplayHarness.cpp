#include "DisplayHarness.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

extern char** environ;

namespace vz::test {

std::string Capture(const std::string& command, int* status) {
  std::string out;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return out;
  char buffer[4096];
  std::size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
  const int rc = pclose(pipe);
  if (status) *status = rc;
  while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
  return out;
}

bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  while (std::chrono::steady_clock::now() < end) {
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return done();
}

Process::Process(const std::vector<std::string>& argv, const std::string& workDir) {
  std::vector<char*> args;
  for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (!workDir.empty()) posix_spawn_file_actions_addchdir_np(&actions, workDir.c_str());
  posix_spawnattr_t attr;
  posix_spawnattr_init(&attr);
  posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETPGROUP);
  posix_spawnattr_setpgroup(&attr, 0);
  if (posix_spawnp(&pid_, args[0], &actions, &attr, args.data(), environ) != 0) pid_ = -1;
  posix_spawnattr_destroy(&attr);
  posix_spawn_file_actions_destroy(&actions);
}

Process::~Process() { Kill(); }

Process::Process(Process&& other) noexcept : pid_(other.pid_) { other.pid_ = -1; }

Process& Process::operator=(Process&& other) noexcept {
  if (this != &other) {
    Kill();
    pid_ = other.pid_;
    other.pid_ = -1;
  }
  return *this;
}

bool Process::Running() {
  if (pid_ <= 0) return false;
  int status = 0;
  const pid_t r = waitpid(pid_, &status, WNOHANG);
  if (r == pid_) {
    pid_ = -1;
    return false;
  }
  return r == 0;
}

bool Process::WaitExit(std::chrono::milliseconds timeout, int* status) {
  if (pid_ <= 0) return true;
  const auto end = std::chrono::steady_clock::now() + timeout;
  while (std::chrono::steady_clock::now() < end) {
    int st = 0;
    const pid_t r = waitpid(pid_, &st, WNOHANG);
    if (r == pid_) {
      if (status) *status = st;
      pid_ = -1;
      return true;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return false;
}

void Process::Kill() {
  if (pid_ <= 0) return;
  kill(-pid_, SIGTERM);
  if (!WaitExit(std::chrono::milliseconds(3000))) {
    kill(-pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  pid_ = -1;
}

ClientDir::ClientDir(const std::string& clientBinary) {
  char pattern[] = "/tmp/vozudezi-test-XXXXXX";
  dir_ = mkdtemp(pattern);
  std::filesystem::copy_file(clientBinary, Client());
}

ClientDir::~ClientDir() {
  std::error_code ec;
  std::filesystem::remove_all(dir_, ec);
}

void ClientDir::WriteIni(const std::string& text) const {
  std::ofstream(dir_ + "/static.ini", std::ios::binary) << text;
}

std::string ClientDir::ReadIni() const {
  std::ifstream in(dir_ + "/static.ini", std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

std::vector<std::string> VisibleWindows(const std::string& name) {
  std::vector<std::string> ids;
  std::istringstream in(
      Capture("xdotool search --onlyvisible --name '^" + name + "$' 2>/dev/null"));
  for (std::string line; std::getline(in, line);) {
    if (!line.empty()) ids.push_back(line);
  }
  return ids;
}

bool GeometryOf(const std::string& windowId, WindowGeometry* g) {
  const std::string out = Capture("xwininfo -id " + windowId + " 2>/dev/null");
  auto field = [&](const std::string& key, int* value) {
    const auto pos = out.find(key);
    if (pos == std::string::npos) return false;
    *value = std::atoi(out.c_str() + pos + key.size());
    return true;
  };
  return field("Absolute upper-left X:", &g->x) && field("Absolute upper-left Y:", &g->y) &&
         field("Width:", &g->width) && field("Height:", &g->height);
}

void InstallUrlRecorder(const std::string& dir) {
  namespace fs = std::filesystem;
  fs::create_directories(dir + "/config");
  fs::create_directories(dir + "/data/applications");
  const std::string script = dir + "/record-url.sh";
  std::ofstream(script) << "#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" << dir << "/opened.txt'\n";
  fs::permissions(script, fs::perms::owner_all);
  std::ofstream(dir + "/data/applications/vz-record.desktop")
      << "[Desktop Entry]\nType=Application\nName=Recorder\nExec=" << script
      << " %u\nMimeType=x-scheme-handler/http;x-scheme-handler/https;\nNoDisplay=true\n";
  std::ofstream(dir + "/config/mimeapps.list")
      << "[Default Applications]\nx-scheme-handler/http=vz-record.desktop\n"
         "x-scheme-handler/https=vz-record.desktop\n";
  setenv("XDG_CONFIG_HOME", (dir + "/config").c_str(), 1);
  setenv("XDG_DATA_HOME", (dir + "/data").c_str(), 1);
}

std::vector<std::string> RecordedUrls(const std::string& dir) {
  std::vector<std::string> urls;
  std::ifstream in(dir + "/opened.txt");
  for (std::string line; std::getline(in, line);) {
    if (!line.empty()) urls.push_back(line);
  }
  return urls;
}

void MouseMove(int x, int y) {
  Capture("xdotool mousemove " + std::to_string(x) + " " + std::to_string(y));
}

void Click(int button) { Capture("xdotool click " + std::to_string(button)); }

void Key(const std::string& keys) { Capture("xdotool key " + keys); }

bool Screenshot(const std::string& path) {
  int status = 0;
  Capture("import -window root '" + path + "' 2>/dev/null", &status);
  return status == 0 && std::filesystem::exists(path);
}

}  // namespace vz::test
