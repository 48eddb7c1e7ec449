#pragma once

#include <memory>
#include <optional>
#include <string>

#include "core/net/IdentitySources.h"
#include "core/net/InterfaceMib.h"
#include "core/net/MachineIdentity.h"

// The identity sources on Linux.
namespace vz::gtk {

// The interfaces table built from the kernel's interface list (if_nameindex) with each
// interface's link type and address from sysfs; walked with the same get-next as an agent.
// Every source lists interfaces in ListingOrderKey's order: hardware-backed ones first.
class LinuxInterfaceTable final : public IInterfaceTable {
 public:
  explicit LinuxInterfaceTable(std::string sysfsNetDir = "/sys/class/net");
  bool Open() override;
  bool GetNext(std::vector<VarBind>& bindings) override;
  void Close() override;

 private:
  std::string sysfsNetDir_;
  std::optional<InterfaceMib> table_;
};

// Linux has no NetBIOS: the enumeration fails, as it does where NetBIOS is off.
class UnavailableNetbios final : public INetbios {
 public:
  bool Enumerate(std::vector<std::uint8_t>&) override { return false; }
  bool Reset(std::uint8_t) override { return false; }
  bool AdapterStatus(std::uint8_t, std::array<std::uint8_t, 6>&) override { return false; }
};

// The adapter list from getifaddrs: every non-loopback interface of the link-layer list
// (as the IPv4 adapter list leaves the loopback out), its first IPv4 address and mask, its
// default gateway from /proc/net/route and a description from its name and driver.
class LinuxAdapterList final : public IAdapterList {
 public:
  explicit LinuxAdapterList(std::string sysfsNetDir = "/sys/class/net",
                            std::string routeTablePath = "/proc/net/route");
  bool GetAdaptersInfo(std::vector<AdapterInfo>& adapters) override;

 private:
  std::string sysfsNetDir_;
  std::string routeTablePath_;
};

// The adapter addresses from the link-layer list of getifaddrs, the loopback without a
// hardware address (as the platform lists it). Does not fit when the list holds more
// interfaces than AdapterAddressesFit allows for the buffer.
class LinuxAdapterAddresses final : public IAdapterAddresses {
 public:
  explicit LinuxAdapterAddresses(std::string sysfsNetDir = "/sys/class/net");
  AdapterAddressesStatus GetAdaptersAddresses(
      std::size_t bufferBytes, std::vector<std::vector<std::uint8_t>>& hardwareAddresses) override;

 private:
  std::string sysfsNetDir_;
};

// The four sources of this machine, for GetMacAddress and the usage report.
IdentitySources MakeLinuxIdentitySources();

}  // namespace vz::gtk
