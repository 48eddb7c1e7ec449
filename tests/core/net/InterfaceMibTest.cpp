#include "core/net/InterfaceMib.h"

#include <gtest/gtest.h>

namespace vz {
namespace {

Oid Child(const Oid& column, std::uint32_t index) {
  Oid name = column;
  name.push_back(index);
  return name;
}

InterfaceMib TwoRows() {
  return InterfaceMib({{7, "eth0", mib::kIfTypeEthernet, "\x02\x01\x02\x03\x04\x05"},
                       {1, "lo", mib::kIfTypeLoopback, std::string(6, '\0')}});
}

TEST(InterfaceMib, GetNextWalksInNameOrder) {
  const InterfaceMib table = TwoRows();
  struct Case {
    Oid from;
    Oid next;
  };
  const Case cases[] = {
      {{}, Child(mib::kIfNumber, 0)},
      {{1, 3, 6, 1, 2, 1, 2}, Child(mib::kIfNumber, 0)},
      {mib::kIfNumber, Child(mib::kIfNumber, 0)},
      {Child(mib::kIfNumber, 0), Child(mib::kIfIndex, 1)},
      {mib::kIfType, Child(mib::kIfType, 1)},
      {Child(mib::kIfType, 1), Child(mib::kIfType, 7)},
      {Child(mib::kIfType, 7), Child(mib::kIfPhysAddress, 1)},
      {Child(mib::kIfType, 3), Child(mib::kIfType, 7)},
      {mib::kIfPhysAddress, Child(mib::kIfPhysAddress, 1)},
  };
  for (const Case& c : cases) {
    std::vector<VarBind> bindings{{c.from, {}, {}}};
    ASSERT_TRUE(table.GetNext(bindings));
    EXPECT_EQ(bindings[0].name, c.next);
  }
}

TEST(InterfaceMib, ValuesBelongToTheirRow) {
  const InterfaceMib table = TwoRows();
  std::vector<VarBind> bindings{{mib::kIfNumber, {}, {}}};
  ASSERT_TRUE(table.GetNext(bindings));
  EXPECT_EQ(bindings[0].integer, 2);

  bindings = {{mib::kIfType, {}, {}}, {mib::kIfPhysAddress, {}, {}}};
  ASSERT_TRUE(table.GetNext(bindings));
  EXPECT_EQ(bindings[0].integer, mib::kIfTypeLoopback);
  EXPECT_EQ(bindings[1].octets, std::string(6, '\0'));
  ASSERT_TRUE(table.GetNext(bindings));
  EXPECT_EQ(bindings[0].integer, mib::kIfTypeEthernet);
  EXPECT_EQ(bindings[1].octets, "\x02\x01\x02\x03\x04\x05");
}

TEST(InterfaceMib, PastTheEndFailsAndLeavesTheBindings) {
  const InterfaceMib table = TwoRows();
  std::vector<VarBind> bindings{{mib::kIfType, {}, {}}, {Child(mib::kIfPhysAddress, 7), {}, {}}};
  EXPECT_FALSE(table.GetNext(bindings));
  EXPECT_EQ(bindings[0].name, mib::kIfType);
}

TEST(InterfaceMib, EmptyTableStillCountsItsInterfaces) {
  const InterfaceMib table({});
  std::vector<VarBind> bindings{{mib::kIfNumber, {}, {}}};
  ASSERT_TRUE(table.GetNext(bindings));
  EXPECT_EQ(bindings[0].integer, 0);
  bindings = {{mib::kIfType, {}, {}}};
  EXPECT_FALSE(table.GetNext(bindings));
}

}  // namespace
}  // namespace vz
