#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "core/app/settings/IFileStore.h"
#include "core/text/ICodePage.h"

namespace vz {

inline constexpr std::string_view kSettingsFileName = "static.ini";

// Boss-key value: virtual-key code in the low word, hot-key-control flags in the high word.
inline constexpr std::uint32_t kNoHotKey = 0xFFFFFFFFu;

// Modifiers as the system's hot-key registration takes them.
inline constexpr unsigned MOD_ALT = 0x0001;
inline constexpr unsigned MOD_CONTROL = 0x0002;
inline constexpr unsigned MOD_SHIFT = 0x0004;

// Base addresses of the deployment, without a trailing "/"; the defaults are those of
// the local platform simulator.
struct Endpoints {
  std::string platform = "http://127.0.0.1:18080";
  std::string game = "http://127.0.0.1:18081";
  std::string pay = "http://127.0.0.1:18082";
  std::string log = "http://127.0.0.1:18083";
  std::string service = "127.0.0.1:18084";  // host[:port], no scheme
};

struct Settings {
  std::uint32_t hotKey = 121;  // F10
  std::string hotName = "F10";
  std::string uid;
  std::string suid;
  Endpoints endpoints;
};

// Reads the settings file; on the first start derives uid and suid from the stored file
// name and writes "start", "filename" and "uid" back in one atomic replacement. Failing
// writes are silent: the next run simply repeats the first start.
Settings LoadSettings(const std::string& iniPath, IFileStore& files, const ICodePage& codePage);

// (uid, remainder) of a stored file name: the last extension dropped, then split at the
// first underscore; without one the whole name is the uid.
std::pair<std::string, std::string> SplitStoredFileName(std::string_view name);

// The "hotkey" text as a 32-bit pattern (negative numbers wrap). Empty text means no boss
// key, which the caller decides: this returns 0 for it like for any text without digits.
std::uint32_t ParseHotKeyText(std::string_view text);

struct HotKeyRegistration {
  unsigned modifiers;
  unsigned virtualKey;
  friend bool operator==(const HotKeyRegistration&, const HotKeyRegistration&) = default;
};

// Maps the stored flags (Shift 0x01, Ctrl 0x02, Alt 0x04, extended 0x08 dropped) to
// registration modifiers; the virtual key is the whole low word.
HotKeyRegistration MapHotKeyModifiers(std::uint32_t hotKey);

// The directory part of an executable's path, separator ("/" or "\") kept; empty when the
// path has none.
std::string GetModuleDir(std::string_view executablePath);

}  // namespace vz
