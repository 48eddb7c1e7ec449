#include "backends/posix/files/ExecutablePath.h"

#include <unistd.h>

namespace vz::posix {

std::string ExecutablePath() {
  // Generous for any real path; a longer one is treated as unknown rather than cut.
  constexpr std::size_t kMaxPath = 16 * 1024;
  std::string path(kMaxPath, '\0');
  const ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
  if (length <= 0 || static_cast<std::size_t>(length) >= path.size()) return {};
  path.resize(static_cast<std::size_t>(length));
  return path;
}

}  // namespace vz::posix
