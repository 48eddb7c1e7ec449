#pragma once

#include "core/app/settings/IFileStore.h"

namespace vz::posix {

// Files on a POSIX file system. Writes go to a unique temporary file in the same folder
// that is synced and renamed over the target, so a crash leaves either the old or the new
// file, never a mix.
class PosixFileStore final : public IFileStore {
 public:
  ReadResult ReadFile(const std::string& path, std::size_t maxBytes) override;
  bool WriteFileAtomically(const std::string& path, std::string_view bytes) override;
};

}  // namespace vz::posix
