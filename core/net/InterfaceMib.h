#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/net/IdentitySources.h"

namespace vz {

// Object identifiers of the interfaces group (RFC 1213).
namespace mib {
inline const Oid kIfNumber = {1, 3, 6, 1, 2, 1, 2, 1};
inline const Oid kIfEntry = {1, 3, 6, 1, 2, 1, 2, 2, 1};
inline const Oid kIfIndex = {1, 3, 6, 1, 2, 1, 2, 2, 1, 1};
inline const Oid kIfDescr = {1, 3, 6, 1, 2, 1, 2, 2, 1, 2};
inline const Oid kIfType = {1, 3, 6, 1, 2, 1, 2, 2, 1, 3};
inline const Oid kIfPhysAddress = {1, 3, 6, 1, 2, 1, 2, 2, 1, 6};

inline constexpr std::int64_t kIfTypeOther = 1;
inline constexpr std::int64_t kIfTypeEthernet = 6;
inline constexpr std::int64_t kIfTypePpp = 23;
inline constexpr std::int64_t kIfTypeLoopback = 24;
}  // namespace mib

// One row of the interfaces table.
struct InterfaceRow {
  std::uint32_t index = 0;
  std::string description;
  std::int64_t type = mib::kIfTypeOther;
  std::string physAddress;  // raw bytes
};

// A local interfaces table served with the get-next semantics of an SNMP agent: ifNumber.0
// and the columns ifIndex, ifDescr, ifType and ifPhysAddress of every row, in
// lexicographic order of their names.
class InterfaceMib {
 public:
  explicit InterfaceMib(std::vector<InterfaceRow> rows);
  // False when a binding has no successor in the table.
  bool GetNext(std::vector<VarBind>& bindings) const;

 private:
  std::vector<VarBind> entries_;  // sorted by name
};

}  // namespace vz
