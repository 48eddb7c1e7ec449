#include "core/app/settings/ProfileFile.h"

#include <limits>

#include "core/text/Utf8.h"

namespace vz {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

bool IsQuote(char c) { return c == '"' || c == '\''; }

// One line of the text: its content [begin, end) without the line ending, and the start
// of the next line.
struct LineSpan {
  std::size_t begin;
  std::size_t end;
  std::size_t next;
};

LineSpan LineAt(std::string_view text, std::size_t pos) {
  const std::size_t newline = text.find('\n', pos);
  LineSpan line{pos, text.size(), text.size()};
  if (newline != std::string_view::npos) {
    line.end = newline;
    line.next = newline + 1;
  }
  if (line.end > pos && text[line.end - 1] == '\r') --line.end;
  return line;
}

enum class LineKind { Other, Comment, Section, Key };

struct LineInfo {
  LineKind kind = LineKind::Other;
  std::string_view name;
  std::size_t valueOffset = 0;  // within the content, just after "="
};

LineInfo Classify(std::string_view content) {
  std::size_t i = 0;
  while (i < content.size() && IsBlank(content[i])) ++i;
  if (i == content.size()) return {};
  if (content[i] == ';' || content[i] == '#') return {LineKind::Comment, {}, 0};
  if (content[i] == '[') {
    // Like the Windows reader, the name runs to the last "]" of the line.
    const std::size_t close = content.rfind(']');
    if (close != std::string_view::npos && close > i) {
      return {LineKind::Section, Trim(content.substr(i + 1, close - i - 1)), 0};
    }
  }
  const std::size_t eq = content.find('=');
  if (eq == std::string_view::npos) return {};
  return {LineKind::Key, Trim(content.substr(0, eq)), eq + 1};
}

// Valid UTF-8 cut inside its last character, as a truncated copy of a UTF-8 file is.
// Such a file must not fall back to GBK: that would turn its text into mojibake.
bool EndsInsideCharacter(std::string_view bytes) {
  for (std::size_t k = 1; k <= 3 && k <= bytes.size(); ++k) {
    const auto lead = static_cast<unsigned char>(bytes[bytes.size() - k]);
    if (lead < 0x80) return false;
    if (lead < 0xC0) continue;  // continuation byte: look further back
    std::size_t length = 0;
    if (lead >= 0xC2 && lead <= 0xDF) length = 2;
    if (lead >= 0xE0 && lead <= 0xEF) length = 3;
    if (lead >= 0xF0 && lead <= 0xF4) length = 4;
    if (length <= k) return false;
    // Complete the sequence with the smallest allowed bytes and see whether it is valid.
    std::string completed(bytes.substr(bytes.size() - k));
    for (std::size_t pos = k; pos < length; ++pos) {
      char next = '\x80';
      if (pos == 1 && lead == 0xE0) next = '\xA0';
      if (pos == 1 && lead == 0xF0) next = '\x90';
      completed += next;
    }
    return utf8::IsValid(completed) && utf8::IsValid(bytes.substr(0, bytes.size() - k));
  }
  return false;
}

// The text to put after "=" so that reading it back gives value.
std::string EncodeValue(std::string_view value) {
  std::string text = utf8::Sanitize(value.substr(0, value.find('\0')));
  for (char& c : text) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  const bool needsQuotes =
      !text.empty() && (IsBlank(text.front()) || IsBlank(text.back()) ||
                        (text.size() >= 2 && IsQuote(text.front()) && text.back() == text.front()));
  return needsQuotes ? '"' + text + '"' : text;
}

}  // namespace

std::int32_t ParseProfileInt(std::string_view text) {
  constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
  constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  std::int64_t magnitude = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    // Saturate early so that any number of digits stays within range.
    if (magnitude <= -kMin) magnitude = magnitude * 10 + (text[i] - '0');
  }
  const std::int64_t value = negative ? -magnitude : magnitude;
  if (value > kMax) return static_cast<std::int32_t>(kMax);
  if (value < kMin) return static_cast<std::int32_t>(kMin);
  return static_cast<std::int32_t>(value);
}

struct ProfileFile::Location {
  bool sectionFound = false;
  std::size_t insertAt = 0;  // just after the section's last key line, or its header
  bool keyFound = false;
  std::size_t valueBegin = 0;
  std::size_t valueEnd = 0;
};

ProfileFile ProfileFile::Unavailable() {
  ProfileFile file;
  file.writable_ = false;
  return file;
}

ProfileFile ProfileFile::Parse(std::string_view bytes, const ICodePage& codePage) {
  if (bytes.size() > kMaxFileBytes) return Unavailable();
  ProfileFile file;
  if (bytes.starts_with(kByteOrderMark)) {
    file.bom_ = true;
    bytes.remove_prefix(kByteOrderMark.size());
  }
  if (utf8::IsValid(bytes)) {
    file.text_ = bytes;
    return file;
  }
  if (EndsInsideCharacter(bytes)) {
    // The incomplete character carries nothing; replacing it keeps the file valid UTF-8
    // once written, where left as it was it could pass for GBK next time.
    file.text_ = utf8::Sanitize(bytes);
    return file;
  }
  // A mark says UTF-8: broken content behind it is not GBK.
  if (!file.bom_) {
    if (auto converted = codePage.ToUtf8(bytes)) {
      file.text_ = std::move(*converted);
      file.encoding_ = Encoding::Gbk;
      return file;
    }
  }
  file.text_ = utf8::Sanitize(bytes);
  file.encoding_ = Encoding::Undecodable;
  file.writable_ = false;
  return file;
}

ProfileFile::Location ProfileFile::Find(std::string_view section, std::string_view key) const {
  const std::string_view text = text_;
  Location location;
  bool inSection = false;
  for (std::size_t pos = 0; pos < text.size();) {
    const LineSpan line = LineAt(text, pos);
    const LineInfo info = Classify(text.substr(line.begin, line.end - line.begin));
    if (info.kind == LineKind::Section) {
      if (inSection) break;  // only the first matching section counts
      if (utf8::EqualsIgnoreAsciiCase(info.name, section)) {
        inSection = true;
        location.sectionFound = true;
        location.insertAt = line.next;
      }
    } else if (inSection && info.kind == LineKind::Key) {
      location.insertAt = line.next;
      if (utf8::EqualsIgnoreAsciiCase(info.name, key)) {
        location.keyFound = true;
        location.valueEnd = line.end;
        location.valueBegin = line.begin + info.valueOffset;
        while (location.valueBegin < location.valueEnd && IsBlank(text[location.valueBegin])) {
          ++location.valueBegin;
        }
        break;
      }
    }
    pos = line.next;
  }
  return location;
}

std::optional<std::string> ProfileFile::Get(std::string_view section, std::string_view key) const {
  const Location location = Find(section, key);
  if (!location.keyFound) return std::nullopt;
  std::string_view value =
      std::string_view(text_).substr(location.valueBegin, location.valueEnd - location.valueBegin);
  value = Trim(value.substr(0, value.find('\0')));
  if (value.size() >= 2 && IsQuote(value.front()) && value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return std::string(utf8::Prefix(value, kMaxValueChars));
}

std::string ProfileFile::GetString(std::string_view section, std::string_view key,
                                   std::string_view fallback) const {
  if (auto value = Get(section, key)) return std::move(*value);
  return std::string(fallback);
}

std::int32_t ProfileFile::GetInt(std::string_view section, std::string_view key,
                                 std::int32_t fallback) const {
  const std::optional<std::string> value = Get(section, key);
  if (!value || value->empty()) return fallback;
  return ParseProfileInt(*value);
}

std::string_view ProfileFile::LineEnding() const {
  const std::size_t newline = text_.find('\n');
  if (newline != std::string::npos && newline > 0 && text_[newline - 1] == '\r') return "\r\n";
  return "\n";
}

void ProfileFile::Set(std::string_view section, std::string_view key, std::string_view value) {
  const std::string encoded = EncodeValue(value);
  const Location location = Find(section, key);
  if (location.keyFound) {
    text_.replace(location.valueBegin, location.valueEnd - location.valueBegin, encoded);
    return;
  }
  const std::string_view eol = LineEnding();
  std::string line;
  if (location.sectionFound) {
    // The section may be the last line of a file that does not end with a line break.
    if (location.insertAt > 0 && text_[location.insertAt - 1] != '\n') line += eol;
    line.append(key).append("=").append(encoded).append(eol);
    text_.insert(location.insertAt, line);
    return;
  }
  if (!text_.empty() && text_.back() != '\n') line += eol;
  line.append("[").append(section).append("]").append(eol);
  line.append(key).append("=").append(encoded).append(eol);
  text_ += line;
}

std::optional<std::string> ProfileFile::Serialize() const {
  if (!writable_) return std::nullopt;
  std::string bytes;
  bytes.reserve(text_.size() + kByteOrderMark.size());
  if (bom_) bytes += kByteOrderMark;
  bytes += text_;
  return bytes;
}

}  // namespace vz
