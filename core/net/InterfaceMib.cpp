#include "core/net/InterfaceMib.h"

#include <algorithm>

namespace vz {
namespace {

Oid Child(const Oid& column, std::uint32_t index) {
  Oid name = column;
  name.push_back(index);
  return name;
}

}  // namespace

InterfaceMib::InterfaceMib(std::vector<InterfaceRow> rows) {
  entries_.push_back({Child(mib::kIfNumber, 0), static_cast<std::int64_t>(rows.size()), {}});
  for (const InterfaceRow& row : rows) {
    entries_.push_back({Child(mib::kIfIndex, row.index), row.index, {}});
    entries_.push_back({Child(mib::kIfDescr, row.index), {}, row.description});
    entries_.push_back({Child(mib::kIfType, row.index), row.type, {}});
    entries_.push_back({Child(mib::kIfPhysAddress, row.index), {}, row.physAddress});
  }
  std::stable_sort(entries_.begin(), entries_.end(),
                   [](const VarBind& a, const VarBind& b) { return a.name < b.name; });
  // Two rows with one index would make get-next skip one of them; keep the first.
  entries_.erase(std::unique(entries_.begin(), entries_.end(),
                             [](const VarBind& a, const VarBind& b) { return a.name == b.name; }),
                 entries_.end());
}

bool InterfaceMib::GetNext(std::vector<VarBind>& bindings) const {
  std::vector<VarBind> next;
  next.reserve(bindings.size());
  for (const VarBind& binding : bindings) {
    const auto it =
        std::upper_bound(entries_.begin(), entries_.end(), binding.name,
                         [](const Oid& name, const VarBind& entry) { return name < entry.name; });
    if (it == entries_.end()) return false;
    next.push_back(*it);
  }
  bindings = std::move(next);
  return true;
}

}  // namespace vz
