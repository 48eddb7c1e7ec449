#include "backends/gtk/net/LinuxIdentity.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "backends/gtk/net/LinuxNetParsing.h"

namespace vz::gtk {
namespace {

namespace fs = std::filesystem;

// What sysfs says about one interface, read independently of the sources under test.
struct SysInterface {
  std::string name;
  unsigned index = 0;
  unsigned type = 0;
  std::string address;  // raw bytes
  bool hasDevice = false;
};

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<SysInterface> SysInterfaces() {
  std::vector<SysInterface> out;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator("/sys/class/net", ec)) {
    SysInterface i;
    i.name = entry.path().filename();
    i.index = static_cast<unsigned>(std::stoul("0" + ReadFile(entry.path() / "ifindex")));
    i.type = ParseLinkTypeText(ReadFile(entry.path() / "type")).value_or(0);
    i.address = ParseLinkAddressText(ReadFile(entry.path() / "address")).value_or("");
    i.hasDevice = fs::exists(entry.path() / "device");
    out.push_back(i);
  }
  // Hardware-backed interfaces first, each group by kernel index.
  std::sort(out.begin(), out.end(), [](auto& a, auto& b) {
    return std::make_pair(!a.hasDevice, a.index) < std::make_pair(!b.hasDevice, b.index);
  });
  return out;
}

std::string Hyphenated(const std::string& bytes) {
  std::vector<std::uint8_t> v(bytes.begin(), bytes.end());
  return FormatAdapterListMac(v);
}

TEST(LinuxInterfaceTable, HoldsEveryInterfaceWithItsTypeAndAddress) {
  const auto expected = SysInterfaces();
  LinuxInterfaceTable table;
  ASSERT_TRUE(table.Open());
  std::vector<VarBind> bindings{{mib::kIfNumber, {}, {}}};
  ASSERT_TRUE(table.GetNext(bindings));
  EXPECT_EQ(bindings[0].integer, static_cast<std::int64_t>(expected.size()));

  bindings = {{mib::kIfType, {}, {}}, {mib::kIfPhysAddress, {}, {}}};
  std::uint32_t row = 0;
  for (const SysInterface& i : expected) {
    ASSERT_TRUE(table.GetNext(bindings)) << i.name;
    EXPECT_EQ(bindings[0].name.back(), ++row) << i.name;
    EXPECT_EQ(bindings[0].integer, InterfaceTypeOf(i.type)) << i.name;
    EXPECT_EQ(bindings[1].octets, i.address) << i.name;
  }
  table.Close();
  EXPECT_FALSE(table.GetNext(bindings));
}

TEST(LinuxAdapterList, ListsEveryInterfaceButTheLoopback) {
  const auto expected = SysInterfaces();
  LinuxAdapterList list;
  std::vector<AdapterInfo> adapters;
  const bool ok = list.GetAdaptersInfo(adapters);
  std::size_t nonLoopback = 0;
  for (const SysInterface& i : expected) {
    if (i.type != arphrd::kLoopback) ++nonLoopback;
  }
  ASSERT_EQ(ok, nonLoopback > 0);
  ASSERT_EQ(adapters.size(), nonLoopback);
  std::size_t at = 0;
  for (const SysInterface& i : expected) {
    if (i.type != arphrd::kLoopback) {
      EXPECT_EQ(adapters[at++].name, i.name);
    }
  }
  const std::regex dotted(R"(\d+\.\d+\.\d+\.\d+)");
  for (const AdapterInfo& a : adapters) {
    const auto it = std::find_if(expected.begin(), expected.end(),
                                 [&](const SysInterface& i) { return i.name == a.name; });
    ASSERT_NE(it, expected.end()) << a.name;
    EXPECT_EQ(a.comboIndex, it->index) << a.name;
    EXPECT_EQ(std::string(a.address.begin(), a.address.end()), it->address) << a.name;
    EXPECT_EQ(a.type, AdapterTypeOf(it->type)) << a.name;
    EXPECT_EQ(a.description.rfind(a.name, 0) == 0 || a.name.rfind("vmnet", 0) == 0, true);
    EXPECT_TRUE(std::regex_match(a.ipAddress, dotted)) << a.ipAddress;
    EXPECT_TRUE(std::regex_match(a.ipMask, dotted)) << a.ipMask;
    EXPECT_TRUE(std::regex_match(a.gateway, dotted)) << a.gateway;
  }
}

TEST(LinuxAdapterAddresses, FitsOnlyAShortList) {
  const auto expected = SysInterfaces();
  LinuxAdapterAddresses source;
  std::vector<std::vector<std::uint8_t>> roomy;
  ASSERT_EQ(source.GetAdaptersAddresses(1 << 20, roomy), AdapterAddressesStatus::Ok);
  ASSERT_EQ(roomy.size(), expected.size());
  for (std::size_t k = 0; k < expected.size(); ++k) {
    const SysInterface& i = expected[k];
    const std::vector<std::uint8_t> bytes(i.address.begin(), i.address.end());
    EXPECT_EQ(roomy[k], i.type == arphrd::kLoopback ? std::vector<std::uint8_t>() : bytes)
        << i.name;
  }
  std::vector<std::vector<std::uint8_t>> fixed;
  const auto status = source.GetAdaptersAddresses(kAdapterAddressesBufferBytes, fixed);
  EXPECT_EQ(status, expected.size() <= 2 ? AdapterAddressesStatus::Ok
                                         : AdapterAddressesStatus::BufferTooSmall);
}

TEST(LinuxIdentity, NetbiosReportsFailure) {
  UnavailableNetbios netbios;
  std::vector<std::uint8_t> numbers;
  EXPECT_FALSE(netbios.Enumerate(numbers));
}

// The interface table is asked first, so the machine's identity is its first Ethernet
// interface (hardware-backed ones first) with a usable address, when there is one.
TEST(LinuxIdentity, MachineIdentityIsTheFirstUsableEthernetAddress) {
  std::string expected = "00-00-00-00-00-00";
  for (const SysInterface& i : SysInterfaces()) {
    if (i.type != arphrd::kEther || i.address.size() < 6) continue;
    if (i.address.compare(0, 5, std::string("DEST\0", 5)) == 0) continue;
    if (i.address.substr(0, 6) == std::string(6, '\0')) continue;
    expected = Hyphenated(i.address.substr(0, 6));
    break;
  }
  const std::string mac = GetMacAddress(MakeLinuxIdentitySources());
  if (expected == "00-00-00-00-00-00") {
    // Without an Ethernet interface the later sources may still find an address.
    EXPECT_TRUE(std::regex_match(mac, std::regex("([0-9A-F]{2}-){5}[0-9A-F]{2}"))) << mac;
  } else {
    EXPECT_EQ(mac, expected);
  }
}

}  // namespace
}  // namespace vz::gtk
