#include "core/net/MachineIdentity.h"

#include <gtest/gtest.h>

#include <memory>

#include "tests/core/net/IdentityFakes.h"

namespace vz {
namespace {

using testing::Adapter;
using testing::Bytes;
using testing::ByteVector;
using testing::CallLog;
using testing::FakeAdapterAddresses;
using testing::FakeAdapterList;
using testing::FakeInterfaceTable;
using testing::FakeNetbios;

const std::string kEthA = Bytes({0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E});
const std::string kEthB = Bytes({0xAA, 0xBB, 0xCC, 0x01, 0x02, 0x03});

InterfaceRow Row(std::uint32_t index, std::int64_t type, std::string address) {
  return {index, "if" + std::to_string(index), type, std::move(address)};
}

// Fakes for all four sources; the ones a test does not set up find nothing.
struct Machine {
  CallLog log;
  FakeInterfaceTable* table = nullptr;
  FakeNetbios* netbios = nullptr;
  FakeAdapterList* adapters = nullptr;
  FakeAdapterAddresses* addresses = nullptr;
  IdentitySources sources;

  explicit Machine(std::vector<InterfaceRow> rows = {}) {
    auto t = std::make_unique<FakeInterfaceTable>(log, std::move(rows));
    auto n = std::make_unique<FakeNetbios>(log);
    auto l = std::make_unique<FakeAdapterList>(log);
    auto a = std::make_unique<FakeAdapterAddresses>(log);
    table = t.get();
    netbios = n.get();
    adapters = l.get();
    addresses = a.get();
    sources = {std::move(t), std::move(n), std::move(l), std::move(a)};
  }
  std::string Mac() { return GetMacAddress(sources); }
};

TEST(GetMacBySnmp, SkipsRowsThatFailTheirTests) {
  struct Case {
    const char* name;
    std::vector<InterfaceRow> rows;
    std::string expected;
  };
  const Case cases[] = {
      {"no interfaces", {}, "unchanged"},
      {"one Ethernet row", {Row(1, 6, kEthA)}, "00-1A-2B-3C-4D-5E"},
      {"all-zero address skipped",
       {Row(1, 6, std::string(6, '\0')), Row(2, 6, kEthB)},
       "AA-BB-CC-01-02-03"},
      {"dial-up DEST address skipped",
       {Row(1, 6, Bytes({'D', 'E', 'S', 'T', 0, 1})), Row(2, 6, kEthB)},
       "AA-BB-CC-01-02-03"},
      {"DES without the zero is kept",
       {Row(1, 6, Bytes({'D', 'E', 'S', 'T', 1, 1}))},
       "44-45-53-54-01-01"},
      {"loopback skipped", {Row(1, 24, kEthA), Row(2, 6, kEthB)}, "AA-BB-CC-01-02-03"},
      {"PPP and other skipped", {Row(1, 23, kEthA), Row(2, 1, kEthA)}, "unchanged"},
      {"short address skipped",
       {Row(1, 6, Bytes({1, 2, 3, 4, 5})), Row(2, 6, kEthB)},
       "AA-BB-CC-01-02-03"},
      {"empty address skipped", {Row(1, 6, ""), Row(2, 6, kEthB)}, "AA-BB-CC-01-02-03"},
      {"long address gives its first six bytes",
       {Row(1, 6, Bytes({1, 2, 3, 4, 5, 6, 7, 8}))},
       "01-02-03-04-05-06"},
      {"first usable row wins", {Row(1, 6, kEthA), Row(2, 6, kEthB)}, "00-1A-2B-3C-4D-5E"},
      {"zero but last byte", {Row(1, 6, Bytes({0, 0, 0, 0, 0, 1}))}, "00-00-00-00-00-01"},
  };
  for (const Case& c : cases) {
    CallLog log;
    FakeInterfaceTable table(log, c.rows);
    std::string result = "unchanged";
    GetMacBySnmp(table, result);
    EXPECT_EQ(result, c.expected) << c.name;
    EXPECT_EQ(table.openCalls, 1) << c.name;
    EXPECT_EQ(table.closeCalls, 1) << c.name;
  }
}

TEST(GetMacBySnmp, MakesAtMostAsManyPassesAsTheCount) {
  struct Case {
    const char* name;
    std::int64_t count;
    std::set<int> failing;  // request 0 asks for the count
    std::string expected;
    int requests;
  };
  const std::vector<InterfaceRow> rows = {Row(1, 24, kEthA), Row(2, 23, kEthA), Row(3, 6, kEthB)};
  const Case cases[] = {
      {"count reaches the third row", 3, {}, "AA-BB-CC-01-02-03", 4},
      {"count stops before the third row", 2, {}, "unchanged", 3},
      {"count 0 asks nothing more", 0, {}, "unchanged", 1},
      {"negative count asks nothing more", -5, {}, "unchanged", 1},
      {"failed count request asks nothing more", 3, {0}, "unchanged", 1},
      {"a failed request uses up its pass", 3, {2}, "unchanged", 4},
      {"the pass after a failure asks again", 4, {2}, "AA-BB-CC-01-02-03", 5},
      {"count past the table ends with failures", 10, {}, "AA-BB-CC-01-02-03", 4},
  };
  for (const Case& c : cases) {
    CallLog log;
    FakeInterfaceTable table(log, rows);
    table.countOverride = c.count;
    table.failingRequests = c.failing;
    std::string result = "unchanged";
    GetMacBySnmp(table, result);
    EXPECT_EQ(result, c.expected) << c.name;
    EXPECT_EQ(table.requests, c.requests) << c.name;
  }
}

TEST(GetMacBySnmp, WalkPastTheTableFindsNothingAndStops) {
  CallLog log;
  FakeInterfaceTable table(log, {Row(1, 24, kEthA)});
  table.countOverride = 50;
  std::string result = "unchanged";
  GetMacBySnmp(table, result);
  EXPECT_EQ(result, "unchanged");
  EXPECT_EQ(table.requests, 51);
}

TEST(GetMacBySnmp, UnavailableTableIsNotAsked) {
  CallLog log;
  FakeInterfaceTable table(log, {Row(1, 6, kEthA)});
  table.opens = {false};
  std::string result = "unchanged";
  GetMacBySnmp(table, result);
  EXPECT_EQ(result, "unchanged");
  EXPECT_EQ(table.requests, 0);
  EXPECT_EQ(table.closeCalls, 0);
}

TEST(GetMacByNetbios, FollowsTheAdapterNumbers) {
  struct Case {
    const char* name;
    bool enumerates;
    std::vector<std::uint8_t> numbers;
    bool resets;
    bool answersStatus;
    std::string expected;
    CallLog calls;
  };
  const Case cases[] = {
      {"enumeration fails", false, {}, true, true, "unchanged", {"netbios.enum"}},
      {"no numbers", true, {}, true, true, "unchanged", {"netbios.enum"}},
      {"two numbers empty the result", true, {0, 3}, true, true, "", {"netbios.enum"}},
      {"one number",
       true,
       {3},
       true,
       true,
       "00-1A-2B-3C-4D-5E",
       {"netbios.enum", "netbios.reset 3", "netbios.astat 3"}},
      {"reset fails", true, {3}, false, true, "unchanged", {"netbios.enum", "netbios.reset 3"}},
      {"status fails",
       true,
       {3},
       true,
       false,
       "unchanged",
       {"netbios.enum", "netbios.reset 3", "netbios.astat 3"}},
  };
  for (const Case& c : cases) {
    CallLog log;
    FakeNetbios netbios(log);
    netbios.enumerates = c.enumerates;
    netbios.numbers = c.numbers;
    netbios.resets = c.resets;
    netbios.answersStatus = c.answersStatus;
    netbios.address = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};
    std::string result = "unchanged";
    GetMacByNetbios(netbios, result);
    EXPECT_EQ(result, c.expected) << c.name;
    EXPECT_EQ(log, c.calls) << c.name;
  }
}

TEST(GetAdapterInfoList, DescribesEveryAdapter) {
  CallLog log;
  FakeAdapterList source(log);
  AdapterInfo info;
  info.comboIndex = 0x80000000u;
  info.name = "eth0";
  info.description = "eth0 (e1000e)";
  info.address = ByteVector({0x0a, 0x1b, 0x2c, 0x3d, 0x4e, 0x5f});
  info.type = 6;
  info.ipAddress = "10.0.0.2";
  info.ipMask = "255.0.0.0";
  info.gateway = "10.0.0.1";
  source.adapters = {info, Adapter("", {})};
  std::vector<NetPcInfo> list;
  GetAdapterInfoList(source, list);
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0].strIP, "10.0.0.2");
  EXPECT_EQ(list[0].strMac, "0A-1B-2C-3D-4E-5F");
  EXPECT_EQ(list[0].strMask, "255.0.0.0");
  EXPECT_EQ(list[0].strGateway, "10.0.0.1");
  EXPECT_EQ(list[0].strDescription, "eth0 (e1000e)");
  EXPECT_EQ(list[0].strIndex, "-2147483648");
  EXPECT_EQ(list[0].strName, "eth0");
  EXPECT_EQ(list[0].strType, "以太网");
  EXPECT_EQ(list[1].strMac, "");
  EXPECT_EQ(list[1].strIndex, "2");
}

TEST(GetAdapterInfoList, NoListLeavesItUnchanged) {
  CallLog log;
  FakeAdapterList source(log);
  source.answers = false;
  source.adapters = {Adapter("x", ByteVector({1, 2, 3, 4, 5, 6}))};
  std::vector<NetPcInfo> list(1);
  GetAdapterInfoList(source, list);
  EXPECT_EQ(list.size(), 1u);
}

TEST(AdapterTypeName, NamesTheKnownCodes) {
  const std::pair<std::uint32_t, const char*> cases[] = {
      {1, "其它"},       {6, "以太网"},
      {9, "令牌环"},     {15, "FDDI"},
      {23, "PPP"},       {24, "回路"},
      {28, "Slip"},      {71, "未知类型 71"},
      {0, "未知类型 0"}, {0xFFFFFFFFu, "未知类型 -1"},
  };
  for (const auto& [code, name] : cases) EXPECT_EQ(AdapterTypeName(code), name) << code;
}

TEST(FormatAdapterListMac, TakesAsManyBytesAsTheAdapterHas) {
  const std::pair<std::vector<std::uint8_t>, const char*> cases[] = {
      {{}, ""},
      {ByteVector({0xab}), "AB"},
      {ByteVector({1, 2, 3, 4, 5, 6}), "01-02-03-04-05-06"},
      {ByteVector({1, 2, 3, 4, 5, 6, 7, 8}), "01-02-03-04-05-06-07-08"},
      {ByteVector({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}), "01-02-03-04-05-06-07-08"},
  };
  for (const auto& [bytes, text] : cases) EXPECT_EQ(FormatAdapterListMac(bytes), text);
}

TEST(GetMacByAdapterAddresses, TakesTheFirstSixByteAddressWhenTheListFits) {
  struct Case {
    const char* name;
    AdapterAddressesStatus status;
    std::vector<std::vector<std::uint8_t>> addresses;
    std::string expected;
  };
  const Case cases[] = {
      {"does not fit",
       AdapterAddressesStatus::BufferTooSmall,
       {ByteVector({1, 2, 3, 4, 5, 6})},
       "unchanged"},
      {"fails", AdapterAddressesStatus::Failed, {ByteVector({1, 2, 3, 4, 5, 6})}, "unchanged"},
      {"no adapters", AdapterAddressesStatus::Ok, {}, "unchanged"},
      {"first six-byte address",
       AdapterAddressesStatus::Ok,
       {{},
        ByteVector({1, 2, 3, 4, 5, 6, 7, 8}),
        ByteVector({0xde, 0xad, 0xbe, 0xef, 0, 1}),
        ByteVector({1, 2, 3, 4, 5, 6})},
       "DE-AD-BE-EF-00-01"},
      {"no six-byte address",
       AdapterAddressesStatus::Ok,
       {ByteVector({1, 2, 3, 4, 5})},
       "unchanged"},
  };
  for (const Case& c : cases) {
    CallLog log;
    FakeAdapterAddresses source(log);
    source.status = c.status;
    source.addresses = c.addresses;
    std::string result = "unchanged";
    GetMacByAdapterAddresses(source, result);
    EXPECT_EQ(result, c.expected) << c.name;
    EXPECT_EQ(source.askedBytes, 368u) << c.name;
  }
}

TEST(GetMacAddress, MachineWithoutAdaptersGivesThePlaceholderAfterAllFiveAttempts) {
  Machine m;
  m.addresses->addresses = {};
  EXPECT_EQ(m.Mac(), "00-00-00-00-00-00");
  EXPECT_EQ(m.log,
            (CallLog{"table.open", "netbios.enum", "adapters.info", "table.open", "addresses"}));
}

TEST(GetMacAddress, FirstAttemptThatFindsEndsTheSearch) {
  Machine m({Row(1, 6, kEthA)});
  m.adapters->adapters = {Adapter("phys", ByteVector({9, 9, 9, 9, 9, 9}))};
  EXPECT_EQ(m.Mac(), "00-1A-2B-3C-4D-5E");
  EXPECT_EQ(m.log, (CallLog{"table.open"}));
}

TEST(GetMacAddress, NetbiosWithTwoNumbersAndNothingLaterGivesEmptyText) {
  Machine m;
  m.netbios->enumerates = true;
  m.netbios->numbers = {0, 1};
  EXPECT_EQ(m.Mac(), "");
  EXPECT_EQ(m.log,
            (CallLog{"table.open", "netbios.enum", "adapters.info", "table.open", "addresses"}));
}

TEST(GetMacAddress, EmptiedResultStillLetsLaterAttemptsFind) {
  Machine m;
  m.netbios->enumerates = true;
  m.netbios->numbers = {0, 1};
  m.adapters->adapters = {Adapter("phys", ByteVector({0x10, 0x20, 0x30, 0x40, 0x50, 0x60}))};
  EXPECT_EQ(m.Mac(), "10-20-30-40-50-60");
}

TEST(GetMacAddress, NetbiosAddressEndsTheSearch) {
  Machine m;
  m.netbios->enumerates = true;
  m.netbios->numbers = {2};
  m.netbios->address = {0xde, 0xad, 0xbe, 0xef, 0x00, 0x02};
  EXPECT_EQ(m.Mac(), "DE-AD-BE-EF-00-02");
  EXPECT_EQ(m.log, (CallLog{"table.open", "netbios.enum", "netbios.reset 2", "netbios.astat 2"}));
}

TEST(GetMacAddress, AdapterListRules) {
  struct Case {
    const char* name;
    std::vector<AdapterInfo> adapters;
    std::string expected;
  };
  const auto phys = ByteVector({0x00, 0x11, 0x22, 0x33, 0x44, 0x55});
  const auto vm = ByteVector({0x00, 0x50, 0x56, 0xC0, 0x00, 0x01});
  const Case cases[] = {
      {"VMware first, physical second",
       {Adapter("VMware Virtual Ethernet Adapter for VMnet1", vm), Adapter("Realtek PCIe", phys)},
       "00-11-22-33-44-55"},
      {"VMware anywhere in the description",
       {Adapter("Adapter (VMware) 2", vm), Adapter("Realtek PCIe", phys)},
       "00-11-22-33-44-55"},
      {"lower-case vmware is not passed over",
       {Adapter("vmware virtual adapter", vm), Adapter("Realtek PCIe", phys)},
       "00-50-56-C0-00-01"},
      {"VMWARE in capitals is not passed over",
       {Adapter("VMWARE adapter", vm), Adapter("Realtek PCIe", phys)},
       "00-50-56-C0-00-01"},
      {"empty address passed over",
       {Adapter("tun0", {}), Adapter("Realtek PCIe", phys)},
       "00-11-22-33-44-55"},
      {"eight-byte address gives 23 characters",
       {Adapter("ib0", ByteVector({1, 2, 3, 4, 5, 6, 7, 8})), Adapter("Realtek PCIe", phys)},
       "01-02-03-04-05-06-07-08"},
      {"two-byte address", {Adapter("arcnet", ByteVector({0xab, 0xcd}))}, "AB-CD"},
  };
  for (const Case& c : cases) {
    Machine m;
    m.adapters->adapters = c.adapters;
    const std::string mac = m.Mac();
    EXPECT_EQ(mac, c.expected) << c.name;
    EXPECT_EQ(m.log.back(), "adapters.info") << c.name;
  }
  Machine eight;
  eight.adapters->adapters = {Adapter("ib0", ByteVector({1, 2, 3, 4, 5, 6, 7, 8}))};
  EXPECT_EQ(eight.Mac().size(), 23u);
}

TEST(GetMacAddress, AllZeroEntryOfTheAdapterListEndsItsWalkWithoutAResult) {
  // The all-zero address is taken (it is not empty) but counts as not found, so the
  // later attempts still run and the next adapter of the list is not considered.
  Machine m;
  m.adapters->adapters = {Adapter("loop", ByteVector({0, 0, 0, 0, 0, 0})),
                          Adapter("Realtek PCIe", ByteVector({1, 1, 1, 1, 1, 1}))};
  m.addresses->addresses = {ByteVector({2, 2, 2, 2, 2, 2})};
  EXPECT_EQ(m.Mac(), "02-02-02-02-02-02");
}

TEST(GetMacAddress, EveryListEntryPassedOverLeavesTheLaterAttempts) {
  Machine m;
  m.adapters->adapters = {
      Adapter("VMware Network Adapter VMnet8", ByteVector({0, 0x50, 0x56, 0xC0, 0, 8})),
      Adapter("tun0", {})};
  m.addresses->addresses = {ByteVector({0x02, 0xfc, 0, 0, 0, 1})};
  EXPECT_EQ(m.Mac(), "02-FC-00-00-00-01");
  EXPECT_EQ(m.log,
            (CallLog{"table.open", "netbios.enum", "adapters.info", "table.open", "addresses"}));
}

TEST(GetMacAddress, SecondInterfaceTableAttemptCanFind) {
  Machine m({Row(1, 6, kEthB)});
  m.table->opens = {false, true};
  EXPECT_EQ(m.Mac(), "AA-BB-CC-01-02-03");
  EXPECT_EQ(m.log, (CallLog{"table.open", "netbios.enum", "adapters.info", "table.open"}));
}

TEST(GetMacAddress, AdapterAddressesThatDoNotFitGiveNothing) {
  Machine m;
  m.addresses->status = AdapterAddressesStatus::BufferTooSmall;
  m.addresses->addresses = {ByteVector({1, 2, 3, 4, 5, 6})};
  EXPECT_EQ(m.Mac(), "00-00-00-00-00-00");
}

TEST(GetMacAddress, MissingSourcesCountAsFailing) {
  IdentitySources none;
  EXPECT_EQ(GetMacAddress(none), "00-00-00-00-00-00");
}

TEST(IsMacNotFound, EmptyOrPlaceholder) {
  EXPECT_TRUE(IsMacNotFound(""));
  EXPECT_TRUE(IsMacNotFound("00-00-00-00-00-00"));
  EXPECT_FALSE(IsMacNotFound("00-00-00-00-00-01"));
  EXPECT_FALSE(IsMacNotFound("00-00-00-00-00-00-00-00"));
}

}  // namespace
}  // namespace vz
