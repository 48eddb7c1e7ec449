#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The four platform sources of adapter hardware addresses that the machine identity
// consults. Each is a port: the selection among their answers is ours.
namespace vz {

using Oid = std::vector<std::uint32_t>;

// One name-value binding of an interface-table request.
struct VarBind {
  Oid name;
  std::optional<std::int64_t> integer;  // set when the value is an integer
  std::optional<std::string> octets;    // set when the value is an octet string
};

// The MIB-II interfaces table (RFC 1213) of the local machine, walked with get-next.
class IInterfaceTable {
 public:
  virtual ~IInterfaceTable() = default;
  // Readies the table for one walk; false when it is unavailable (nothing is asked then).
  virtual bool Open() = 0;
  // Get-next: every binding's name becomes the next name in the table and receives that
  // name's value. False when the request failed.
  virtual bool GetNext(std::vector<VarBind>& bindings) = 0;
  // Ends the walk begun by a successful Open.
  virtual void Close() = 0;
};

// NetBIOS adapter status.
class INetbios {
 public:
  virtual ~INetbios() = default;
  // The LAN adapter numbers; false when the enumeration failed.
  virtual bool Enumerate(std::vector<std::uint8_t>& lanaNumbers) = 0;
  virtual bool Reset(std::uint8_t lana) = 0;
  // The adapter status of "*" on that number: its first six bytes, the adapter address.
  virtual bool AdapterStatus(std::uint8_t lana, std::array<std::uint8_t, 6>& address) = 0;
};

// One entry of the IPv4 adapter list, in the system's own terms.
struct AdapterInfo {
  std::uint32_t comboIndex = 0;
  std::string name;
  std::string description;
  std::vector<std::uint8_t> address;  // hardware address, up to 8 bytes count
  std::uint32_t type = 0;             // adapter type code (6 Ethernet, 24 loopback, ...)
  std::string ipAddress;              // first IPv4 address, dotted
  std::string ipMask;                 // its mask
  std::string gateway;                // first gateway
};

class IAdapterList {
 public:
  virtual ~IAdapterList() = default;
  // The adapters in the system's order; false when the system gives no list.
  virtual bool GetAdaptersInfo(std::vector<AdapterInfo>& adapters) = 0;
};

enum class AdapterAddressesStatus { Ok, BufferTooSmall, Failed };

// The adapter addresses list, asked with a caller-sized buffer.
class IAdapterAddresses {
 public:
  virtual ~IAdapterAddresses() = default;
  // The hardware address of every adapter in the system's order, or BufferTooSmall when
  // the list does not fit in `bufferBytes`.
  virtual AdapterAddressesStatus GetAdaptersAddresses(
      std::size_t bufferBytes, std::vector<std::vector<std::uint8_t>>& hardwareAddresses) = 0;
};

}  // namespace vz
