#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "core/app/settings/IFileStore.h"
#include "core/text/ICodePage.h"

namespace vz::testing {

// Files in memory; counts what the code under test asks for.
class FakeFileStore : public IFileStore {
 public:
  ReadResult ReadFile(const std::string& path, std::size_t maxBytes) override {
    ++reads;
    if (unreadable) return {ReadStatus::Unreadable, {}};
    const auto it = files.find(path);
    if (it == files.end()) return {ReadStatus::Missing, {}};
    if (it->second.size() > maxBytes) return {ReadStatus::TooLarge, {}};
    return {ReadStatus::Ok, it->second};
  }

  bool WriteFileAtomically(const std::string& path, std::string_view bytes) override {
    ++writes;
    if (failWrites) return false;
    files[path] = std::string(bytes);
    return true;
  }

  std::map<std::string, std::string> files;
  int reads = 0;
  int writes = 0;
  bool failWrites = false;
  bool unreadable = false;
};

// A strict GBK decoder that knows a handful of characters, enough for the tests.
class FakeGbkCodePage : public ICodePage {
 public:
  std::string FromUtf8(std::string_view utf8) const override {
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
      bool found = false;
      for (const auto& [gbk, text] : kTable) {
        if (utf8.substr(i).starts_with(text)) {
          out += gbk;
          i += text.size();
          found = true;
          break;
        }
      }
      if (found) continue;
      out += static_cast<unsigned char>(utf8[i]) < 0x80 ? utf8[i] : '?';
      ++i;
    }
    return out;
  }

  std::optional<std::string> ToUtf8(std::string_view gbk) const override {
    std::string out;
    for (std::size_t i = 0; i < gbk.size();) {
      if (static_cast<unsigned char>(gbk[i]) < 0x80) {
        out += gbk[i++];
        continue;
      }
      bool found = false;
      for (const auto& [bytes, text] : kTable) {
        if (gbk.substr(i).starts_with(bytes)) {
          out += text;
          i += bytes.size();
          found = true;
          break;
        }
      }
      if (!found) return std::nullopt;
    }
    return out;
  }

 private:
  struct Pair {
    std::string_view gbk;
    std::string_view utf8;
  };
  static constexpr Pair kTable[] = {
      {"\xD6\xD0", "\xE4\xB8\xAD"},  // 中
      {"\xCE\xC4", "\xE6\x96\x87"},  // 文
      {"\xC4\xE3", "\xE4\xBD\xA0"},  // 你
      {"\xBA\xC3", "\xE5\xA5\xBD"},  // 好
  };
};

}  // namespace vz::testing
