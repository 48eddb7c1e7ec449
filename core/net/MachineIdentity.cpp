#include "core/net/MachineIdentity.h"

#include <algorithm>
#include <array>

#include "core/net/InterfaceMib.h"
#include "core/text/Utf8.h"

namespace vz {
namespace {

constexpr char kHexUpper[] = "0123456789ABCDEF";

void AppendHexByte(std::string& out, std::uint8_t byte) {
  out += kHexUpper[byte >> 4];
  out += kHexUpper[byte & 0x0F];
}

bool StartsWith(const Oid& name, const Oid& prefix) {
  return name.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), name.begin());
}

// The seven tests of one interface-table row; true when its address is usable.
bool IsUsableEthernetRow(const VarBind& type, const VarBind& address) {
  static constexpr std::array<std::uint8_t, 5> kDialUp = {0x44, 0x45, 0x53, 0x54, 0x00};
  if (!StartsWith(type.name, mib::kIfType)) return false;
  if (type.integer != mib::kIfTypeEthernet) return false;
  if (!StartsWith(address.name, mib::kIfPhysAddress)) return false;
  if (!address.octets || address.octets->size() < 6) return false;
  const std::string& bytes = *address.octets;
  if (std::equal(kDialUp.begin(), kDialUp.end(), bytes.begin(),
                 [](std::uint8_t d, char b) { return d == static_cast<std::uint8_t>(b); })) {
    return false;
  }
  return std::any_of(bytes.begin(), bytes.begin() + 6, [](char b) { return b != 0; });
}

void RunSnmpAttempt(IInterfaceTable* table, std::string& result) {
  if (table != nullptr) GetMacBySnmp(*table, result);
}

}  // namespace

std::string FormatMacSixBytes(const std::uint8_t* bytes) {
  std::string out;
  out.reserve(17);
  for (int i = 0; i < 6; ++i) {
    if (i > 0) out += '-';
    AppendHexByte(out, bytes[i]);
  }
  return out;
}

std::string FormatAdapterListMac(const std::vector<std::uint8_t>& bytes) {
  std::string out;
  const std::size_t count = std::min(bytes.size(), kMaxAdapterAddressBytes);
  for (std::size_t i = 0; i < count; ++i) {
    if (i > 0) out += '-';
    AppendHexByte(out, bytes[i]);
  }
  return out;
}

std::string AdapterTypeName(std::uint32_t type) {
  switch (type) {
    case 1:
      return "其它";
    case 6:
      return "以太网";
    case 9:
      return "令牌环";
    case 15:
      return "FDDI";
    case 23:
      return "PPP";
    case 24:
      return "回路";
    case 28:
      return "Slip";
    default:
      // The code is printed as a signed number ("%ld").
      return "未知类型 " + std::to_string(static_cast<std::int32_t>(type));
  }
}

bool IsMacNotFound(std::string_view result) { return result.empty() || result == kMacPlaceholder; }

void GetMacBySnmp(IInterfaceTable& table, std::string& result) {
  if (!table.Open()) return;

  std::vector<VarBind> bindings{{mib::kIfNumber, {}, {}}};
  std::int64_t count = 0;
  if (table.GetNext(bindings) && !bindings.empty() && bindings[0].integer) {
    count = *bindings[0].integer;
  }
  // A table that claims absurdly many interfaces must not keep the search going for ever.
  constexpr std::int64_t kMaxInterfacePasses = 4096;
  if (count > kMaxInterfacePasses) count = kMaxInterfacePasses;

  bindings = {{mib::kIfType, {}, {}}, {mib::kIfPhysAddress, {}, {}}};
  for (std::int64_t pass = 0; pass < count; ++pass) {
    // A failed request still counts as a pass; the next one asks again from where the
    // bindings stand.
    if (!table.GetNext(bindings) || bindings.size() != 2) continue;
    if (!IsUsableEthernetRow(bindings[0], bindings[1])) continue;
    result = FormatMacSixBytes(reinterpret_cast<const std::uint8_t*>(bindings[1].octets->data()));
    break;
  }
  table.Close();
}

void GetMacByNetbios(INetbios& netbios, std::string& result) {
  std::vector<std::uint8_t> numbers;
  if (!netbios.Enumerate(numbers)) return;
  if (numbers.size() > 1) {
    result.clear();
    return;
  }
  for (const std::uint8_t lana : numbers) {
    if (!netbios.Reset(lana)) continue;
    std::array<std::uint8_t, 6> address{};
    if (!netbios.AdapterStatus(lana, address)) return;
    result = FormatMacSixBytes(address.data());
  }
}

void GetAdapterInfoList(IAdapterList& adapters, std::vector<NetPcInfo>& list) {
  std::vector<AdapterInfo> infos;
  if (!adapters.GetAdaptersInfo(infos)) return;
  for (const AdapterInfo& info : infos) {
    NetPcInfo entry;
    entry.strIP = utf8::Sanitize(info.ipAddress);
    entry.strMac = FormatAdapterListMac(info.address);
    entry.strMask = utf8::Sanitize(info.ipMask);
    entry.strGateway = utf8::Sanitize(info.gateway);
    entry.strDescription = utf8::Sanitize(info.description);
    entry.strIndex = std::to_string(static_cast<std::int32_t>(info.comboIndex));
    entry.strName = utf8::Sanitize(info.name);
    entry.strType = AdapterTypeName(info.type);
    list.push_back(std::move(entry));
  }
}

void GetMacByAdapterAddresses(IAdapterAddresses& addresses, std::string& result) {
  std::vector<std::vector<std::uint8_t>> hardware;
  if (addresses.GetAdaptersAddresses(kAdapterAddressesBufferBytes, hardware) !=
      AdapterAddressesStatus::Ok) {
    return;
  }
  for (const auto& bytes : hardware) {
    if (bytes.size() == 6) {
      result = FormatMacSixBytes(bytes.data());
      return;
    }
  }
}

std::string GetMacAddress(const IdentitySources& sources) {
  std::string result(kMacPlaceholder);

  RunSnmpAttempt(sources.interfaceTable.get(), result);

  if (IsMacNotFound(result) && sources.netbios) GetMacByNetbios(*sources.netbios, result);

  if (IsMacNotFound(result) && sources.adapterList) {
    std::vector<NetPcInfo> list;
    GetAdapterInfoList(*sources.adapterList, list);
    for (const NetPcInfo& entry : list) {
      if (entry.strMac.empty()) continue;
      // Host-side virtual adapters of VMware are not this machine's identity.
      if (entry.strDescription.find("VMware") != std::string::npos) continue;
      result = entry.strMac;
      break;
    }
  }

  if (IsMacNotFound(result)) RunSnmpAttempt(sources.interfaceTable.get(), result);

  if (IsMacNotFound(result) && sources.adapterAddresses) {
    GetMacByAdapterAddresses(*sources.adapterAddresses, result);
  }

  std::transform(result.begin(), result.end(), result.begin(),
                 [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; });
  return result;
}

}  // namespace vz
