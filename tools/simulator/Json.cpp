#include "tools/simulator/Json.h"

#include <cstdio>

#include "core/text/Utf8.h"

namespace vz::sim {

std::string JsonString(std::string_view text) {
  const std::string clean = utf8::Sanitize(text);
  std::string out = "\"";
  for (const char ch : clean) {
    const auto c = static_cast<unsigned char>(ch);
    switch (ch) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (c < 0x20 || c == 0x7F) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
          out += escaped;
        } else {
          out += ch;
        }
    }
  }
  out += '"';
  return out;
}

}  // namespace vz::sim
