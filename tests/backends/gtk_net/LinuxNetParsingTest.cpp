#include "backends/gtk/net/LinuxNetParsing.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace vz::gtk {
namespace {

TEST(LinuxNetParsing, LinkTypesMapToTheInterfaceAndAdapterTypes) {
  struct Case {
    unsigned linkType;
    std::int64_t interfaceType;
    std::uint32_t adapterType;
  };
  const Case cases[] = {
      {1, 6, 6},      // Ethernet (also wireless)
      {772, 24, 24},  // loopback
      {512, 23, 23},  // PPP
      {256, 1, 28},   // SLIP
      {800, 1, 9},    // token ring
      {774, 1, 15},   // FDDI
      {65534, 1, 1},  // none (tun)
      {776, 1, 1},    // sit
      {0, 1, 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(InterfaceTypeOf(c.linkType), c.interfaceType) << c.linkType;
    EXPECT_EQ(AdapterTypeOf(c.linkType), c.adapterType) << c.linkType;
  }
}

TEST(LinuxNetParsing, LinkAddressText) {
  const std::pair<const char*, std::optional<std::string>> cases[] = {
      {"02:fc:00:00:00:01\n", std::string("\x02\xfc\x00\x00\x00\x01", 6)},
      {"AA:bb:0C:dd:EE:ff", std::string("\xaa\xbb\x0c\xdd\xee\xff")},
      {"00:00:00:00:00:00:00:00\n", std::string(8, '\0')},
      {"\n", std::string()},
      {"", std::string()},
      {"ab", std::string("\xab")},
      {"a:bb", std::nullopt},
      {"ab:", std::nullopt},
      {"ab-cd", std::nullopt},
      {"zz:00", std::nullopt},
      {"abc", std::nullopt},
  };
  for (const auto& [text, bytes] : cases) EXPECT_EQ(ParseLinkAddressText(text), bytes) << text;
}

TEST(LinuxNetParsing, LinkTypeText) {
  const std::pair<const char*, std::optional<unsigned>> cases[] = {
      {"1\n", 1u},           {"772\n", 772u},      {"65534", 65534u},      {"", std::nullopt},
      {"x\n", std::nullopt}, {"-1", std::nullopt}, {"12 3", std::nullopt},
  };
  for (const auto& [text, type] : cases) EXPECT_EQ(ParseLinkTypeText(text), type) << text;
}

constexpr const char* kRouteTable =
    "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\tWindow\tIRTT\n"
    "eth0\t000200C0\t00000000\t0001\t0\t0\t0\t00FFFFFF\t0\t0\t0\n"
    "eth0\t00000000\t010200C0\t0003\t0\t0\t0\t00000000\t0\t0\t0\n"
    "wlan0\t00000000\t0101A8C0\t0003\t0\t0\t600\t00000000\t0\t0\t0\n"
    "wlan0\t00000000\t0201A8C0\t0003\t0\t0\t700\t00000000\t0\t0\t0\n"
    "tun0\t00000000\t00000000\t0001\t0\t0\t0\t00000000\t0\t0\t0\n"
    "down0\t00000000\t0501A8C0\t0002\t0\t0\t0\t00000000\t0\t0\t0\n"
    "broken line\n"
    "eth1\tZZZZ\t0101A8C0\t0003\t0\t0\t0\t00000000\t0\t0\t0\n";

TEST(LinuxNetParsing, RouteTable) {
  const auto routes = ParseRouteTable(kRouteTable);
  ASSERT_EQ(routes.size(), 6u);
  EXPECT_EQ(routes[0].iface, "eth0");
  EXPECT_EQ(routes[0].destination, 0x000200C0u);
  EXPECT_EQ(routes[0].mask, 0x00FFFFFFu);
  EXPECT_EQ(routes[1].gateway, 0x010200C0u);
  EXPECT_EQ(routes[1].flags, 3u);
}

TEST(LinuxNetParsing, DefaultGatewayPerInterface) {
  const auto routes = ParseRouteTable(kRouteTable);
  const std::pair<const char*, const char*> cases[] = {
      {"eth0", "192.0.2.1"}, {"wlan0", "192.168.1.1"},  // the first of two
      {"tun0", "0.0.0.0"},                              // a default route without a gateway
      {"down0", "0.0.0.0"},                             // not up
      {"eth1", "0.0.0.0"},                              // its only line is malformed
      {"lo", "0.0.0.0"},
  };
  for (const auto& [iface, gateway] : cases) EXPECT_EQ(DefaultGatewayOf(routes, iface), gateway);
}

TEST(LinuxNetParsing, AdapterAddressesFitTwoInterfacesInTheFixedBuffer) {
  const std::tuple<std::size_t, std::size_t, bool> cases[] = {
      {0, 368, true},   {1, 368, true}, {2, 368, true}, {3, 368, false},
      {10, 368, false}, {3, 552, true}, {0, 0, true},   {1, 183, false},
  };
  for (const auto& [count, bytes, fits] : cases) {
    EXPECT_EQ(AdapterAddressesFit(count, bytes), fits) << count << " in " << bytes;
  }
}

TEST(LinuxNetParsing, HardwareBackedInterfacesAreListedFirst) {
  struct Link {
    const char* name;
    bool hasDevice;
    unsigned index;
  };
  std::vector<Link> links = {
      {"lo", false, 1},      {"ifb0", false, 2}, {"eth0", true, 4},
      {"docker0", false, 3}, {"wlan0", true, 5}, {"enp0s3", true, 0},
  };
  std::sort(links.begin(), links.end(), [](const Link& a, const Link& b) {
    return ListingOrderKey(a.hasDevice, a.index) < ListingOrderKey(b.hasDevice, b.index);
  });
  std::vector<std::string> names;
  for (const Link& l : links) names.push_back(l.name);
  EXPECT_EQ(names, (std::vector<std::string>{"enp0s3", "eth0", "wlan0", "lo", "ifb0", "docker0"}));
}

TEST(LinuxNetParsing, Descriptions) {
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"eth0", "e1000e", "eth0 (e1000e)"},
      {"wlan0", "", "wlan0"},
      {"vmnet8", "", "VMware Virtual Ethernet Adapter for VMnet8"},
      {"vmnet1", "vmnet", "VMware Virtual Ethernet Adapter for VMnet1"},
      {"ens33", "vmxnet3", "ens33 (vmxnet3)"},
  };
  for (const auto& [name, driver, description] : cases) {
    EXPECT_EQ(DescribeInterface(name, driver), description);
  }
}

}  // namespace
}  // namespace vz::gtk
