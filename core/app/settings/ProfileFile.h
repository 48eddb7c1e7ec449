#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/text/ICodePage.h"

namespace vz {

// Reads a profile text as GetPrivateProfileInt does: leading white space, one optional
// sign, then digits up to the first non-digit; no digits gives 0; clamped to int32.
std::int32_t ParseProfileInt(std::string_view text);

// A profile (INI) file, edited in place so that everything the program does not write
// keeps its bytes: comments, unknown lines, other sections, line endings.
//
// Names of sections and keys match without regard to ASCII letter case, blanks around
// them ignored; the first matching section is the one used, and the first matching key
// in it. Lines without "=" and comment lines (";" or "#") are kept but hold no key.
class ProfileFile {
 public:
  // Bigger files are treated as missing and never rewritten: a settings file has no
  // reason to grow that large, and loading it would cost more than it could be worth.
  static constexpr std::size_t kMaxFileBytes = 4u * 1024u * 1024u;
  // Values are read into a buffer of 260 characters with its terminator.
  static constexpr std::size_t kMaxValueChars = 259;

  enum class Encoding {
    Utf8,         // kept byte for byte, but for an incomplete last character
    Gbk,          // converted to UTF-8; written back as UTF-8
    Undecodable,  // read with replacement characters; never written
  };

  // A new, empty file (nothing on disk yet).
  ProfileFile() = default;

  // A file that exists but could not be loaded: reads give defaults, nothing is written.
  static ProfileFile Unavailable();

  // UTF-8 with or without a byte order mark; otherwise strict GBK through the code page;
  // otherwise read leniently and marked not writable.
  static ProfileFile Parse(std::string_view bytes, const ICodePage& codePage);

  // The value of key in section: blanks around it trimmed, one pair of surrounding
  // double or single quotes removed, cut at a NUL byte and to kMaxValueChars.
  std::optional<std::string> Get(std::string_view section, std::string_view key) const;
  std::string GetString(std::string_view section, std::string_view key,
                        std::string_view fallback) const;
  // An empty or missing value gives fallback.
  std::int32_t GetInt(std::string_view section, std::string_view key, std::int32_t fallback) const;

  // Replaces the value of an existing key on its own line, or adds the key after the
  // section's last key line, or appends the section at the end of the file.
  void Set(std::string_view section, std::string_view key, std::string_view value);

  bool writable() const { return writable_; }
  Encoding encoding() const { return encoding_; }
  bool hasByteOrderMark() const { return bom_; }

  // The bytes to store; nullopt when the file must not be written.
  std::optional<std::string> Serialize() const;

 private:
  struct Location;
  Location Find(std::string_view section, std::string_view key) const;
  std::string_view LineEnding() const;

  std::string text_;  // always valid UTF-8, without the byte order mark
  bool bom_ = false;
  bool writable_ = true;
  Encoding encoding_ = Encoding::Utf8;
};

}  // namespace vz
