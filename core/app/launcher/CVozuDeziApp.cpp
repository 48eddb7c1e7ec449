#include "core/app/launcher/CVozuDeziApp.h"

#include <cstdint>
#include <vector>

namespace vz {
namespace {

// The wide-character space test of the C library, over UTF-8.
bool IsSpace(char32_t c) {
  switch (c) {
    case U' ':
    case U'\t':
    case U'\n':
    case U'\v':
    case U'\f':
    case U'\r':
    case 0x85:
    case 0xA0:
    case 0x1680:
    case 0x2028:
    case 0x2029:
    case 0x205F:
    case 0x3000:
      return true;
    default:
      return c >= 0x2000 && c <= 0x200A;
  }
}

struct CodePoint {
  char32_t value;
  std::size_t begin;
  std::size_t end;
};

// Splits UTF-8 into code points; a stray byte stands for itself.
std::vector<CodePoint> Decode(std::string_view s) {
  std::vector<CodePoint> out;
  for (std::size_t i = 0; i < s.size();) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    std::size_t n = b0 >= 0xF0 ? 4 : b0 >= 0xE0 ? 3 : b0 >= 0xC0 ? 2 : 1;
    bool ok = i + n <= s.size();
    char32_t cp = n == 1 ? b0 : (b0 & (0x7F >> n));
    for (std::size_t k = 1; ok && k < n; ++k) {
      const auto b = static_cast<unsigned char>(s[i + k]);
      ok = (b & 0xC0) == 0x80;
      cp = (cp << 6) | (b & 0x3F);
    }
    if (!ok) {
      n = 1;
      cp = 0xFFFD;
    }
    out.push_back({cp, i, i + n});
    i += n;
  }
  return out;
}

}  // namespace

std::string TrimCommandLine(std::string_view s) {
  const std::vector<CodePoint> cps = Decode(s);
  std::size_t first = 0, last = cps.size();
  while (last > first && IsSpace(cps[last - 1].value)) --last;
  while (first < last && IsSpace(cps[first].value)) ++first;
  if (first == last) return {};
  return std::string(s.substr(cps[first].begin, cps[last - 1].end - cps[first].begin));
}

int StartModeFromCommandLine(std::string_view commandLine) {
  return TrimCommandLine(commandLine) == "-hh" ? kHiddenStart : kNormalStart;
}

bool CVozuDeziApp::InitInstance(std::string_view commandLine, const LauncherDeps& deps,
                                const std::string& moduleDir) {
  m_strCommandLine = TrimCommandLine(commandLine);
  const int mode = StartModeFromCommandLine(m_strCommandLine);
  m_pMainWnd = std::make_unique<CMainWnd>(mode, deps, moduleDir);
  if (m_pMainWnd->Create()) {
    m_pMainWnd->ShowWindow(mode == kNormalStart);
  }
  return true;
}

}  // namespace vz
