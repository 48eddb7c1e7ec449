#include "core/app/settings/Settings.h"

#include "core/app/settings/ProfileFile.h"

namespace vz {
namespace {

constexpr std::string_view kPlayerSection = "kv";
constexpr std::string_view kEndpointSection = "endpoints";

ProfileFile ReadProfile(const std::string& path, IFileStore& files, const ICodePage& codePage) {
  ReadResult read = files.ReadFile(path, ProfileFile::kMaxFileBytes);
  switch (read.status) {
    case ReadStatus::Ok:
      return ProfileFile::Parse(read.bytes, codePage);
    case ReadStatus::Missing:
      return ProfileFile();
    case ReadStatus::TooLarge:
    case ReadStatus::Unreadable:
      break;
  }
  // It exists but we cannot see what it holds: replacing it could lose data.
  return ProfileFile::Unavailable();
}

void ReadEndpoint(const ProfileFile& profile, std::string_view key, std::string& address) {
  std::string value = profile.GetString(kEndpointSection, key, "");
  if (!value.empty() && value.back() == '/') value.pop_back();
  if (!value.empty()) address = std::move(value);
}

}  // namespace

Settings LoadSettings(const std::string& iniPath, IFileStore& files, const ICodePage& codePage) {
  ProfileFile profile = ReadProfile(iniPath, files, codePage);
  Settings settings;

  const std::string hotKeyText = profile.GetString(kPlayerSection, "hotkey", "121");
  settings.hotName = profile.GetString(kPlayerSection, "hotName", "F10");
  settings.hotKey = hotKeyText.empty() ? kNoHotKey : ParseHotKeyText(hotKeyText);

  ReadEndpoint(profile, "platform", settings.endpoints.platform);
  ReadEndpoint(profile, "game", settings.endpoints.game);
  ReadEndpoint(profile, "pay", settings.endpoints.pay);
  ReadEndpoint(profile, "log", settings.endpoints.log);
  ReadEndpoint(profile, "service", settings.endpoints.service);

  if (profile.GetInt(kPlayerSection, "start", -1) == 1) {
    settings.suid = profile.GetString(kPlayerSection, "filename", "");
    settings.uid = profile.GetString(kPlayerSection, "uid", "");
    return settings;
  }

  std::string fileName = profile.GetString(kPlayerSection, "filename", "");
  if (!fileName.empty()) {
    auto [uid, remainder] = SplitStoredFileName(fileName);
    settings.uid = std::move(uid);
    fileName = std::move(remainder);
  }
  settings.suid = fileName;

  profile.Set(kPlayerSection, "start", "1");
  profile.Set(kPlayerSection, "filename", fileName);
  profile.Set(kPlayerSection, "uid", settings.uid);
  if (const auto bytes = profile.Serialize()) {
    files.WriteFileAtomically(iniPath, *bytes);
  }
  return settings;
}

std::pair<std::string, std::string> SplitStoredFileName(std::string_view name) {
  if (const auto dot = name.rfind('.'); dot != std::string_view::npos) {
    name = name.substr(0, dot);
  }
  const auto underscore = name.find('_');
  if (underscore == std::string_view::npos) return {std::string(name), std::string()};
  return {std::string(name.substr(0, underscore)), std::string(name.substr(underscore + 1))};
}

std::uint32_t ParseHotKeyText(std::string_view text) {
  return static_cast<std::uint32_t>(ParseProfileInt(text));
}

HotKeyRegistration MapHotKeyModifiers(std::uint32_t hotKey) {
  const std::uint32_t flags = hotKey >> 16;
  unsigned modifiers = 0;
  if (flags & 0x01u) modifiers |= MOD_SHIFT;
  if (flags & 0x02u) modifiers |= MOD_CONTROL;
  if (flags & 0x04u) modifiers |= MOD_ALT;
  return {modifiers, hotKey & 0xFFFFu};
}

std::string GetModuleDir(std::string_view executablePath) {
  const auto separator = executablePath.find_last_of("/\\");
  if (separator == std::string_view::npos) return {};
  return std::string(executablePath.substr(0, separator + 1));
}

}  // namespace vz
