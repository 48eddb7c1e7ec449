#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vz {

// Longest text taken from a page (script arguments, addresses). Page addresses in
// practice stay far below it; anything longer is hostile or broken.
inline constexpr std::size_t kMaxPageTextBytes = 32 * 1024;

// Well-formed UTF-8 (ill-formed bytes replaced) of at most `maxBytes` bytes, cut on a
// character boundary.
std::string BoundPageText(std::string_view text, std::size_t maxBytes = kMaxPageTextBytes);

// Fields of OpenGame's parameter: address | id | server name. Split at the first "|",
// then the first "|" after it; the third field keeps any further "|".
struct GameFields {
  std::string url;
  std::string id;
  std::string serverName;
  friend bool operator==(const GameFields&, const GameFields&) = default;
};
GameFields SplitGameText(std::string_view text);

// Whether an address holds `marker`, also when its spaces arrive as "%20" (a browser
// escapes the spaces of "client = 1" in the address it reports).
bool AddressContains(std::string_view address, std::string_view marker);

// Addresses that may be handed to the desktop's default handler: http and https only,
// so a page cannot start other programs through scheme handlers or files.
bool IsWebAddress(std::string_view address);

}  // namespace vz
