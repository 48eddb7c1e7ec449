#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Translations from what Linux reports about its interfaces into the terms of the identity
// sources. Pure functions, so that they can be checked without the machine's interfaces.
namespace vz::gtk {

// Link types of <linux/if_arp.h> that have their own adapter type.
namespace arphrd {
inline constexpr unsigned kEther = 1;
inline constexpr unsigned kSlip = 256;
inline constexpr unsigned kPpp = 512;
inline constexpr unsigned kLoopback = 772;
inline constexpr unsigned kFddi = 774;
inline constexpr unsigned kTokenRing = 800;
}  // namespace arphrd

// ifType of the interfaces table: Ethernet 6, loopback 24, PPP 23, anything else 1.
std::int64_t InterfaceTypeOf(unsigned linkType);

// Adapter type code of the adapter list: as above, plus token ring 9, FDDI 15, SLIP 28.
std::uint32_t AdapterTypeOf(unsigned linkType);

// "02:fc:00:00:00:01\n" (sysfs) to its raw bytes; "" for an empty text, nullopt when the
// text is not hex pairs joined by ':'.
std::optional<std::string> ParseLinkAddressText(std::string_view text);

// A link type number as sysfs writes it ("772\n"); nullopt when it is not one.
std::optional<unsigned> ParseLinkTypeText(std::string_view text);

struct RouteEntry {
  std::string iface;
  std::uint32_t destination = 0;  // as the kernel prints them: network order read as hex
  std::uint32_t gateway = 0;
  std::uint32_t flags = 0;
  std::uint32_t mask = 0;
};

// The rows of /proc/net/route; malformed lines are skipped.
std::vector<RouteEntry> ParseRouteTable(std::string_view text);

// Dotted form of an IPv4 address held in network byte order in memory (as /proc/net/route
// and sockaddr_in give it).
std::string DottedIpv4(const std::uint8_t bytes[4]);

// The first default gateway of the interface in dotted form, or "0.0.0.0" without one.
std::string DefaultGatewayOf(const std::vector<RouteEntry>& routes, std::string_view iface);

// How we map the fixed buffer of the adapter-addresses list onto Linux: every interface of
// the link-layer list takes one record of this many bytes, so the 368-byte buffer holds two
// interfaces (the loopback and one adapter) and a longer list does not fit.
inline constexpr std::size_t kAdapterAddressRecordBytes = 184;
bool AdapterAddressesFit(std::size_t interfaceCount, std::size_t bufferBytes);

// The order in which the sources list interfaces: those backed by a device (hardware, also
// virtualised hardware such as virtio) first, then software ones (bridges, veth, ifb, tun,
// dummy, the loopback), each group by kernel index. Software interfaces mostly get a random
// address at every boot, which would make the machine identity change with it.
std::pair<int, unsigned> ListingOrderKey(bool hasDevice, unsigned kernelIndex);

// "eth0 (e1000e)", "eth0" without a driver, and VMware's host-side interfaces (vmnet*) under
// the description VMware gives them, so that the identity passes over them.
std::string DescribeInterface(std::string_view name, std::string_view driver);

}  // namespace vz::gtk
