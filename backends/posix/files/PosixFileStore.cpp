#include "backends/posix/files/PosixFileStore.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace vz::posix {
namespace {

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }
  bool ok() const { return fd_ >= 0; }
  // Closes now so that a failing close (a late write error) can be reported.
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return close(fd) == 0;
  }

 private:
  int fd_;
};

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// The process's umask without changing it (umask() itself would race with other threads).
mode_t CurrentUmask() {
  mode_t mask = 022;
  if (FILE* status = std::fopen("/proc/self/status", "re")) {
    char line[256];
    while (std::fgets(line, sizeof line, status)) {
      if (std::strncmp(line, "Umask:", 6) == 0) {
        mask = static_cast<mode_t>(std::strtoul(line + 6, nullptr, 8));
        break;
      }
    }
    std::fclose(status);
  }
  return mask & 0777;
}

void SyncDirectory(const std::string& dir) {
  const Descriptor fd(open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  // Some file systems cannot sync a directory; the rename has happened either way.
  if (fd.ok()) fsync(fd.get());
}

}  // namespace

ReadResult PosixFileStore::ReadFile(const std::string& path, std::size_t maxBytes) {
  // Non-blocking so that a FIFO in its place cannot hang the caller.
  const Descriptor fd(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  if (!fd.ok()) {
    const bool missing = errno == ENOENT || errno == ENOTDIR;
    return {missing ? ReadStatus::Missing : ReadStatus::Unreadable, {}};
  }
  struct stat info {};
  if (fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) return {ReadStatus::Unreadable, {}};
  const auto size = static_cast<std::uintmax_t>(info.st_size);
  if (size > maxBytes) return {ReadStatus::TooLarge, {}};

  // One byte beyond the bound tells a file that grew meanwhile from one that fits.
  const std::size_t limit =
      maxBytes == std::numeric_limits<std::size_t>::max() ? maxBytes : maxBytes + 1;
  std::string bytes(std::min<std::size_t>(limit, static_cast<std::size_t>(size) + 1), '\0');
  std::size_t used = 0;
  for (;;) {
    if (used == bytes.size()) {
      if (bytes.size() >= limit) break;
      // Grown by hand: std::string's own growth could reserve beyond the bound.
      std::string bigger(std::min(limit, std::max<std::size_t>(bytes.size() * 2, 4096)), '\0');
      std::memcpy(bigger.data(), bytes.data(), used);
      bytes.swap(bigger);
    }
    const ssize_t got = read(fd.get(), bytes.data() + used, bytes.size() - used);
    if (got < 0) {
      if (errno == EINTR) continue;
      return {ReadStatus::Unreadable, {}};
    }
    if (got == 0) break;
    used += static_cast<std::size_t>(got);
  }
  if (used > maxBytes) return {ReadStatus::TooLarge, {}};
  bytes.resize(used);
  return {ReadStatus::Ok, std::move(bytes)};
}

bool PosixFileStore::WriteFileAtomically(const std::string& path, std::string_view bytes) {
  std::string target = path;
  struct stat info {};
  // Through a symbolic link the file it names is replaced, not the link.
  if (lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
    char* resolved = realpath(path.c_str(), nullptr);
    if (resolved == nullptr) return false;
    target = resolved;
    std::free(resolved);
  }
  const bool exists = stat(target.c_str(), &info) == 0;
  if (exists && !S_ISREG(info.st_mode)) return false;
  // A file made read-only stays as it is, as it would with an in-place write.
  if (exists && faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) return false;
  const mode_t mode = exists ? (info.st_mode & 07777) : (0666 & ~CurrentUmask());

  const std::size_t slash = target.rfind('/');
  const std::string dir = slash == std::string::npos ? "." : target.substr(0, slash + 1);
  const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
  std::string temp = (slash == std::string::npos ? std::string() : dir) + "." + name + ".XXXXXX";

  Descriptor fd(mkostemp(temp.data(), O_CLOEXEC));
  if (!fd.ok()) return false;
  bool done = fchmod(fd.get(), mode) == 0;
  if (done && exists && (info.st_uid != geteuid() || info.st_gid != getegid())) {
    // Keeps the owner when allowed (as root); otherwise the file simply becomes ours.
    const int kept = fchown(fd.get(), info.st_uid, info.st_gid);
    static_cast<void>(kept);
  }
  done = done && WriteAll(fd.get(), bytes) && fsync(fd.get()) == 0;
  done = fd.Close() && done;
  done = done && rename(temp.c_str(), target.c_str()) == 0;
  if (!done) {
    unlink(temp.c_str());
    return false;
  }
  SyncDirectory(dir);
  return true;
}

}  // namespace vz::posix
