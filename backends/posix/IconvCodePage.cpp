#include "backends/posix/IconvCodePage.h"

#include <iconv.h>

#include <cerrno>

#include "core/text/Utf8.h"

namespace vz::posix {
namespace {

class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (ok()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  iconv_t get() const { return cd_; }

 private:
  iconv_t cd_;
};

// Converts one piece; returns false on an invalid or unconvertible sequence, leaving
// in/inleft at the offending byte.
bool Convert(iconv_t cd, const char*& in, std::size_t& inleft, std::string& out) {
  char buffer[4096];
  while (inleft > 0) {
    char* dst = buffer;
    std::size_t dstleft = sizeof buffer;
    char* src = const_cast<char*>(in);
    const std::size_t r = iconv(cd, &src, &inleft, &dst, &dstleft);
    in = src;
    out.append(buffer, sizeof buffer - dstleft);
    if (r == static_cast<std::size_t>(-1)) {
      if (errno == E2BIG) continue;
      return false;
    }
  }
  return true;
}

}  // namespace

std::string IconvCodePage::FromUtf8(std::string_view utf8) const {
  const std::string text = utf8::Sanitize(utf8);
  Converter conv("GBK", "UTF-8");
  if (!conv.ok()) {
    // Without a GBK converter ASCII still passes; every other character becomes one "?".
    std::string out;
    for (unsigned char c : text) {
      if (c < 0x80) {
        out += static_cast<char>(c);
      } else if ((c & 0xC0) != 0x80) {
        out += '?';
      }
    }
    return out;
  }
  std::string out;
  out.reserve(text.size());
  const char* in = text.data();
  std::size_t inleft = text.size();
  while (!Convert(conv.get(), in, inleft, out)) {
    // The character at `in` has no GBK form: write "?" and skip the whole character.
    out += '?';
    std::size_t skip = 1;
    while (skip < inleft && (static_cast<unsigned char>(in[skip]) & 0xC0) == 0x80) ++skip;
    in += skip;
    inleft -= skip;
    iconv(conv.get(), nullptr, nullptr, nullptr, nullptr);
  }
  return out;
}

std::optional<std::string> IconvCodePage::ToUtf8(std::string_view gbk) const {
  Converter conv("UTF-8", "GBK");
  if (!conv.ok()) return std::nullopt;
  std::string out;
  out.reserve(gbk.size() * 3 / 2);
  const char* in = gbk.data();
  std::size_t inleft = gbk.size();
  if (!Convert(conv.get(), in, inleft, out)) return std::nullopt;
  return out;
}

}  // namespace vz::posix
