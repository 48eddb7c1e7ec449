#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/net/IdentitySources.h"

namespace vz {

inline constexpr std::string_view kMacPlaceholder = "00-00-00-00-00-00";

// The adapter-addresses list is asked with this fixed buffer and no second try.
inline constexpr std::size_t kAdapterAddressesBufferBytes = 368;

// Hardware addresses longer than this are cut to it, as the adapter list holds no more.
inline constexpr std::size_t kMaxAdapterAddressBytes = 8;

// One adapter of the adapter list, as the identity search describes it.
struct NetPcInfo {
  std::string strIP;
  std::string strMac;
  std::string strMask;
  std::string strGateway;
  std::string strDescription;
  std::string strIndex;
  std::string strName;
  std::string strType;
};

// The sources, owned so that whoever runs the search keeps them alive. A missing source
// counts as one that fails.
struct IdentitySources {
  std::unique_ptr<IInterfaceTable> interfaceTable;
  std::unique_ptr<INetbios> netbios;
  std::unique_ptr<IAdapterList> adapterList;
  std::unique_ptr<IAdapterAddresses> adapterAddresses;
};

// "%02X-%02X-%02X-%02X-%02X-%02X" of the first six bytes.
std::string FormatMacSixBytes(const std::uint8_t* bytes);

// The adapter list's form: every byte as two upper-case digits, joined by "-"; no bytes
// give "".
std::string FormatAdapterListMac(const std::vector<std::uint8_t>& bytes);

// "其它", "以太网", ... or "未知类型 <code>" for a code outside the table.
std::string AdapterTypeName(std::uint32_t type);

// Empty or the placeholder.
bool IsMacNotFound(std::string_view result);

// The attempts; each writes `result` only as described in its comment.
// Writes the first Ethernet row with a usable address.
void GetMacBySnmp(IInterfaceTable& table, std::string& result);
// Writes the adapter's address; empties the result when several LAN numbers exist.
void GetMacByNetbios(INetbios& netbios, std::string& result);
// Appends one entry per adapter; leaves the list unchanged when there is no list.
void GetAdapterInfoList(IAdapterList& adapters, std::vector<NetPcInfo>& list);
// Writes the first adapter address of exactly six bytes, when the list fits.
void GetMacByAdapterAddresses(IAdapterAddresses& addresses, std::string& result);

// The machine identity: an adapter's hardware address in upper-case hex pairs joined by
// hyphens, the placeholder when nothing is found, or "" when NetBIOS saw several adapters
// and nothing later found one.
std::string GetMacAddress(const IdentitySources& sources);

}  // namespace vz
