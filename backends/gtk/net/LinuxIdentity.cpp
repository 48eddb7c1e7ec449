#include "backends/gtk/net/LinuxIdentity.h"

#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>
#include <netpacket/packet.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>

#include "backends/gtk/net/LinuxNetParsing.h"

namespace vz::gtk {
namespace {

// Sysfs and procfs files are small; anything past the bound is not ours to parse.
std::string ReadSmallFile(const std::string& path) {
  constexpr std::size_t kMaxBytes = 64 * 1024;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return {};
  std::string text;
  char buffer[4096];
  std::size_t n = 0;
  while (text.size() < kMaxBytes && (n = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
    text.append(buffer, n);
  }
  std::fclose(file);
  return text;
}

std::string DriverOf(const std::string& sysfsNetDir, const std::string& name) {
  char target[256];
  const std::string link = sysfsNetDir + "/" + name + "/device/driver";
  const ssize_t n = readlink(link.c_str(), target, sizeof target - 1);
  if (n <= 0) return {};
  const std::string_view path(target, static_cast<std::size_t>(n));
  const std::size_t slash = path.rfind('/');
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

bool HasDevice(const std::string& sysfsNetDir, const std::string& name) {
  return access((sysfsNetDir + "/" + name + "/device").c_str(), F_OK) == 0;
}

// getifaddrs' list, freed with its owner.
class InterfaceAddresses {
 public:
  InterfaceAddresses() {
    if (getifaddrs(&list_) != 0) list_ = nullptr;
  }
  ~InterfaceAddresses() {
    if (list_ != nullptr) freeifaddrs(list_);
  }
  InterfaceAddresses(const InterfaceAddresses&) = delete;
  InterfaceAddresses& operator=(const InterfaceAddresses&) = delete;
  bool ok() const { return list_ != nullptr; }
  const ifaddrs* begin() const { return list_; }

 private:
  ifaddrs* list_ = nullptr;
};

const sockaddr_ll* LinkLayer(const ifaddrs* entry) {
  if (entry->ifa_addr == nullptr || entry->ifa_addr->sa_family != AF_PACKET) return nullptr;
  return reinterpret_cast<const sockaddr_ll*>(entry->ifa_addr);
}

const sockaddr_in* Ipv4(const sockaddr* address) {
  if (address == nullptr || address->sa_family != AF_INET) return nullptr;
  return reinterpret_cast<const sockaddr_in*>(address);
}

std::string DottedOf(const sockaddr_in* address) {
  if (address == nullptr) return "0.0.0.0";
  std::uint8_t bytes[4];
  static_assert(sizeof address->sin_addr.s_addr == sizeof bytes);
  std::memcpy(bytes, &address->sin_addr.s_addr, sizeof bytes);
  return DottedIpv4(bytes);
}

std::vector<std::uint8_t> HardwareAddress(const sockaddr_ll* link) {
  const std::size_t length = std::min<std::size_t>(link->sll_halen, sizeof link->sll_addr);
  return std::vector<std::uint8_t>(link->sll_addr, link->sll_addr + length);
}

}  // namespace

LinuxInterfaceTable::LinuxInterfaceTable(std::string sysfsNetDir)
    : sysfsNetDir_(std::move(sysfsNetDir)) {}

bool LinuxInterfaceTable::Open() {
  struct if_nameindex* names = if_nameindex();
  if (names == nullptr) return false;
  std::vector<std::pair<std::pair<int, unsigned>, InterfaceRow>> listed;
  for (const struct if_nameindex* it = names; it->if_index != 0 && it->if_name != nullptr; ++it) {
    const std::string name = it->if_name;
    const std::string dir = sysfsNetDir_ + "/" + name;
    InterfaceRow row;
    row.description = name;
    const auto linkType = ParseLinkTypeText(ReadSmallFile(dir + "/type"));
    row.type = linkType ? InterfaceTypeOf(*linkType) : mib::kIfTypeOther;
    row.physAddress = ParseLinkAddressText(ReadSmallFile(dir + "/address")).value_or("");
    listed.emplace_back(ListingOrderKey(HasDevice(sysfsNetDir_, name), it->if_index),
                        std::move(row));
  }
  if_freenameindex(names);
  // The table's own index follows the listing order, which the walk then takes.
  std::sort(listed.begin(), listed.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<InterfaceRow> rows;
  for (auto& [key, row] : listed) {
    row.index = static_cast<std::uint32_t>(rows.size() + 1);
    rows.push_back(std::move(row));
  }
  table_.emplace(std::move(rows));
  return true;
}

bool LinuxInterfaceTable::GetNext(std::vector<VarBind>& bindings) {
  return table_ && table_->GetNext(bindings);
}

void LinuxInterfaceTable::Close() { table_.reset(); }

LinuxAdapterList::LinuxAdapterList(std::string sysfsNetDir, std::string routeTablePath)
    : sysfsNetDir_(std::move(sysfsNetDir)), routeTablePath_(std::move(routeTablePath)) {}

bool LinuxAdapterList::GetAdaptersInfo(std::vector<AdapterInfo>& adapters) {
  const InterfaceAddresses list;
  if (!list.ok()) return false;
  const std::vector<RouteEntry> routes = ParseRouteTable(ReadSmallFile(routeTablePath_));

  // The first IPv4 address and mask of every interface.
  std::map<std::string, std::pair<const sockaddr_in*, const sockaddr_in*>, std::less<>> ipv4;
  for (const ifaddrs* e = list.begin(); e != nullptr; e = e->ifa_next) {
    const sockaddr_in* address = Ipv4(e->ifa_addr);
    if (address == nullptr || e->ifa_name == nullptr) continue;
    // An address label ("eth0:1") belongs to its interface.
    std::string label = e->ifa_name;
    label = label.substr(0, label.find(':'));
    ipv4.try_emplace(label, address, Ipv4(e->ifa_netmask));
  }

  std::vector<AdapterInfo> found;
  for (const ifaddrs* e = list.begin(); e != nullptr; e = e->ifa_next) {
    const sockaddr_ll* link = LinkLayer(e);
    if (link == nullptr || e->ifa_name == nullptr) continue;
    if ((e->ifa_flags & IFF_LOOPBACK) != 0 || link->sll_hatype == arphrd::kLoopback) continue;
    AdapterInfo info;
    info.name = e->ifa_name;
    info.comboIndex = static_cast<std::uint32_t>(link->sll_ifindex);
    info.description = DescribeInterface(info.name, DriverOf(sysfsNetDir_, info.name));
    info.address = HardwareAddress(link);
    info.type = AdapterTypeOf(link->sll_hatype);
    const auto ip = ipv4.find(info.name);
    info.ipAddress = DottedOf(ip == ipv4.end() ? nullptr : ip->second.first);
    info.ipMask = DottedOf(ip == ipv4.end() ? nullptr : ip->second.second);
    info.gateway = DefaultGatewayOf(routes, info.name);
    found.push_back(std::move(info));
  }
  // The platform answers "no data" for an empty list, which is no list.
  if (found.empty()) return false;
  std::stable_sort(found.begin(), found.end(), [this](const AdapterInfo& a, const AdapterInfo& b) {
    return ListingOrderKey(HasDevice(sysfsNetDir_, a.name), a.comboIndex) <
           ListingOrderKey(HasDevice(sysfsNetDir_, b.name), b.comboIndex);
  });
  adapters = std::move(found);
  return true;
}

LinuxAdapterAddresses::LinuxAdapterAddresses(std::string sysfsNetDir)
    : sysfsNetDir_(std::move(sysfsNetDir)) {}

AdapterAddressesStatus LinuxAdapterAddresses::GetAdaptersAddresses(
    std::size_t bufferBytes, std::vector<std::vector<std::uint8_t>>& hardwareAddresses) {
  const InterfaceAddresses list;
  if (!list.ok()) return AdapterAddressesStatus::Failed;
  std::vector<std::pair<std::pair<int, unsigned>, std::vector<std::uint8_t>>> listed;
  for (const ifaddrs* e = list.begin(); e != nullptr; e = e->ifa_next) {
    const sockaddr_ll* link = LinkLayer(e);
    if (link == nullptr || e->ifa_name == nullptr) continue;
    const bool loopback =
        (e->ifa_flags & IFF_LOOPBACK) != 0 || link->sll_hatype == arphrd::kLoopback;
    listed.emplace_back(ListingOrderKey(HasDevice(sysfsNetDir_, e->ifa_name),
                                        static_cast<unsigned>(link->sll_ifindex)),
                        loopback ? std::vector<std::uint8_t>() : HardwareAddress(link));
  }
  std::stable_sort(listed.begin(), listed.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<std::vector<std::uint8_t>> found;
  for (auto& entry : listed) found.push_back(std::move(entry.second));
  if (!AdapterAddressesFit(found.size(), bufferBytes)) {
    return AdapterAddressesStatus::BufferTooSmall;
  }
  hardwareAddresses = std::move(found);
  return AdapterAddressesStatus::Ok;
}

IdentitySources MakeLinuxIdentitySources() {
  IdentitySources sources;
  sources.interfaceTable = std::make_unique<LinuxInterfaceTable>();
  sources.netbios = std::make_unique<UnavailableNetbios>();
  sources.adapterList = std::make_unique<LinuxAdapterList>();
  sources.adapterAddresses = std::make_unique<LinuxAdapterAddresses>();
  return sources;
}

}  // namespace vz::gtk
