#include "core/web/PageText.h"

#include <algorithm>

#include "core/text/Utf8.h"

namespace vz {
namespace {

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

}  // namespace

std::string BoundPageText(std::string_view text, std::size_t maxBytes) {
  // Look at no more than the bound and one partial character, so hostile lengths cost
  // nothing; a character cut there is dropped below with whatever passes the bound.
  std::string out = utf8::Sanitize(text.substr(0, std::min(text.size(), maxBytes + 3)));
  if (out.size() > maxBytes) {
    std::size_t cut = maxBytes;
    while (cut > 0 && IsContinuationByte(out[cut])) --cut;
    out.resize(cut);
  }
  return out;
}

GameFields SplitGameText(std::string_view text) {
  GameFields f;
  const std::size_t first = text.find('|');
  if (first == std::string_view::npos) {
    f.url = std::string(text);
    return f;
  }
  f.url = std::string(text.substr(0, first));
  const std::string_view rest = text.substr(first + 1);
  const std::size_t second = rest.find('|');
  if (second == std::string_view::npos) {
    f.serverName = std::string(rest);
  } else {
    f.id = std::string(rest.substr(0, second));
    f.serverName = std::string(rest.substr(second + 1));
  }
  return f;
}

bool AddressContains(std::string_view address, std::string_view marker) {
  if (address.find(marker) != std::string_view::npos) return true;
  if (address.find("%20") == std::string_view::npos) return false;
  std::string spaced;
  spaced.reserve(address.size());
  for (std::size_t i = 0; i < address.size(); ++i) {
    if (address.compare(i, 3, "%20") == 0) {
      spaced += ' ';
      i += 2;
    } else {
      spaced += address[i];
    }
  }
  return spaced.find(marker) != std::string::npos;
}

bool IsWebAddress(std::string_view address) {
  const std::size_t colon = address.find(':');
  if (colon == std::string_view::npos) return false;
  const std::string_view scheme = address.substr(0, colon);
  if (!utf8::EqualsIgnoreAsciiCase(scheme, "http") && !utf8::EqualsIgnoreAsciiCase(scheme, "https"))
    return false;
  // A host must follow; "http:foo" is not an address a browser could show.
  return address.substr(colon + 1).starts_with("//") && address.size() > colon + 3;
}

}  // namespace vz
