#include "backends/gtk/net/LinuxNetParsing.h"

#include <charconv>
#include <cstring>

namespace vz::gtk {
namespace {

std::string_view TrimLineEnd(std::string_view text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) {
    text.remove_suffix(1);
  }
  return text;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::optional<std::uint32_t> ParseHex32(std::string_view text) {
  std::uint32_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t at = 0;
  while (at < line.size()) {
    const std::size_t start = line.find_first_not_of(" \t", at);
    if (start == std::string_view::npos) break;
    const std::size_t end = line.find_first_of(" \t", start);
    fields.push_back(line.substr(start, end == std::string_view::npos ? end : end - start));
    at = end == std::string_view::npos ? line.size() : end;
  }
  return fields;
}

}  // namespace

std::int64_t InterfaceTypeOf(unsigned linkType) {
  switch (linkType) {
    case arphrd::kEther:
      return 6;
    case arphrd::kLoopback:
      return 24;
    case arphrd::kPpp:
      return 23;
    default:
      return 1;
  }
}

std::uint32_t AdapterTypeOf(unsigned linkType) {
  switch (linkType) {
    case arphrd::kTokenRing:
      return 9;
    case arphrd::kFddi:
      return 15;
    case arphrd::kSlip:
      return 28;
    default:
      return static_cast<std::uint32_t>(InterfaceTypeOf(linkType));
  }
}

std::optional<std::string> ParseLinkAddressText(std::string_view text) {
  text = TrimLineEnd(text);
  std::string bytes;
  if (text.empty()) return bytes;
  for (std::size_t at = 0;; at += 3) {
    if (at + 2 > text.size()) return std::nullopt;
    const int hi = HexDigit(text[at]);
    const int lo = HexDigit(text[at + 1]);
    if (hi < 0 || lo < 0) return std::nullopt;
    bytes += static_cast<char>(hi * 16 + lo);
    if (at + 2 == text.size()) return bytes;
    if (text[at + 2] != ':') return std::nullopt;
  }
}

std::optional<unsigned> ParseLinkTypeText(std::string_view text) {
  text = TrimLineEnd(text);
  unsigned value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::vector<RouteEntry> ParseRouteTable(std::string_view text) {
  std::vector<RouteEntry> routes;
  bool header = true;
  while (!text.empty()) {
    const std::size_t eol = text.find('\n');
    const std::string_view line = text.substr(0, eol);
    text = eol == std::string_view::npos ? std::string_view() : text.substr(eol + 1);
    if (header) {
      header = false;
      continue;
    }
    // Iface Destination Gateway Flags RefCnt Use Metric Mask ...
    const std::vector<std::string_view> f = Fields(line);
    if (f.size() < 8) continue;
    const auto destination = ParseHex32(f[1]);
    const auto gateway = ParseHex32(f[2]);
    const auto flags = ParseHex32(f[3]);
    const auto mask = ParseHex32(f[7]);
    if (!destination || !gateway || !flags || !mask) continue;
    routes.push_back({std::string(f[0]), *destination, *gateway, *flags, *mask});
  }
  return routes;
}

std::string DottedIpv4(const std::uint8_t bytes[4]) {
  return std::to_string(bytes[0]) + "." + std::to_string(bytes[1]) + "." +
         std::to_string(bytes[2]) + "." + std::to_string(bytes[3]);
}

std::string DefaultGatewayOf(const std::vector<RouteEntry>& routes, std::string_view iface) {
  constexpr std::uint32_t kRouteUp = 0x1;
  constexpr std::uint32_t kRouteGateway = 0x2;
  for (const RouteEntry& route : routes) {
    if (route.iface != iface || route.destination != 0 || route.mask != 0) continue;
    if ((route.flags & (kRouteUp | kRouteGateway)) != (kRouteUp | kRouteGateway)) continue;
    // The kernel prints the address's memory bytes as one host-order word.
    std::uint8_t bytes[4];
    std::memcpy(bytes, &route.gateway, sizeof bytes);
    return DottedIpv4(bytes);
  }
  return "0.0.0.0";
}

bool AdapterAddressesFit(std::size_t interfaceCount, std::size_t bufferBytes) {
  return interfaceCount <= bufferBytes / kAdapterAddressRecordBytes;
}

std::pair<int, unsigned> ListingOrderKey(bool hasDevice, unsigned kernelIndex) {
  return {hasDevice ? 0 : 1, kernelIndex};
}

std::string DescribeInterface(std::string_view name, std::string_view driver) {
  if (name.substr(0, 5) == "vmnet") {
    return "VMware Virtual Ethernet Adapter for VMnet" + std::string(name.substr(5));
  }
  std::string description(name);
  if (!driver.empty()) description.append(" (").append(driver).append(")");
  return description;
}

}  // namespace vz::gtk
