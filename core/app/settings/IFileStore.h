#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vz {

enum class ReadStatus {
  Ok,
  Missing,     // no such file: the caller may create it
  TooLarge,    // larger than the bound asked for: must not be replaced
  Unreadable,  // exists but cannot be read (permissions, not a regular file...)
};

struct ReadResult {
  ReadStatus status = ReadStatus::Missing;
  std::string bytes;  // only with Ok
};

// Whole-file access for small files such as the settings file.
class IFileStore {
 public:
  virtual ~IFileStore() = default;

  // Reads at most maxBytes; a longer file is TooLarge and is not loaded.
  virtual ReadResult ReadFile(const std::string& path, std::size_t maxBytes) = 0;

  // Writes a temporary file beside `path`, flushes it to disk and renames it over `path`.
  // False on any failure; the old file is then left as it was.
  virtual bool WriteFileAtomically(const std::string& path, std::string_view bytes) = 0;
};

}  // namespace vz
