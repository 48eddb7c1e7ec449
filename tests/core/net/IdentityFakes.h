#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/net/IdentitySources.h"
#include "core/net/InterfaceMib.h"

namespace vz::testing {

// Every source appends what it was asked to one shared log.
using CallLog = std::vector<std::string>;

inline std::string Bytes(std::initializer_list<int> values) {
  std::string s;
  for (const int v : values) s += static_cast<char>(v);
  return s;
}

inline std::vector<std::uint8_t> ByteVector(std::initializer_list<int> values) {
  std::vector<std::uint8_t> v;
  for (const int b : values) v.push_back(static_cast<std::uint8_t>(b));
  return v;
}

class FakeInterfaceTable final : public IInterfaceTable {
 public:
  FakeInterfaceTable(CallLog& log, std::vector<InterfaceRow> rows) : log_(log), mib_(rows) {}

  // Answers of successive Open calls; the last one repeats.
  std::vector<bool> opens = {true};
  // Zero-based numbers of the GetNext calls (over all walks) that fail.
  std::set<int> failingRequests;
  // Replaces the interface count of the first request.
  std::optional<std::int64_t> countOverride;

  int requests = 0;
  int openCalls = 0;
  int closeCalls = 0;

  bool Open() override {
    log_.push_back("table.open");
    const bool ok = opens[std::min<std::size_t>(openCalls, opens.size() - 1)];
    ++openCalls;
    return ok;
  }
  bool GetNext(std::vector<VarBind>& bindings) override {
    const int n = requests++;
    if (failingRequests.count(n) != 0) return false;
    const bool isCount = bindings.size() == 1 && bindings[0].name == mib::kIfNumber;
    if (!mib_.GetNext(bindings)) return false;
    if (isCount && countOverride) bindings[0].integer = *countOverride;
    return true;
  }
  void Close() override { ++closeCalls; }

 private:
  CallLog& log_;
  InterfaceMib mib_;
};

class FakeNetbios final : public INetbios {
 public:
  explicit FakeNetbios(CallLog& log) : log_(log) {}

  bool enumerates = false;
  std::vector<std::uint8_t> numbers;
  bool resets = true;
  bool answersStatus = true;
  std::array<std::uint8_t, 6> address{};

  bool Enumerate(std::vector<std::uint8_t>& lanaNumbers) override {
    log_.push_back("netbios.enum");
    if (!enumerates) return false;
    lanaNumbers = numbers;
    return true;
  }
  bool Reset(std::uint8_t lana) override {
    log_.push_back("netbios.reset " + std::to_string(lana));
    return resets;
  }
  bool AdapterStatus(std::uint8_t lana, std::array<std::uint8_t, 6>& out) override {
    log_.push_back("netbios.astat " + std::to_string(lana));
    if (!answersStatus) return false;
    out = address;
    return true;
  }

 private:
  CallLog& log_;
};

class FakeAdapterList final : public IAdapterList {
 public:
  explicit FakeAdapterList(CallLog& log) : log_(log) {}
  bool answers = true;
  std::vector<AdapterInfo> adapters;

  bool GetAdaptersInfo(std::vector<AdapterInfo>& out) override {
    log_.push_back("adapters.info");
    if (!answers) return false;
    out = adapters;
    return true;
  }

 private:
  CallLog& log_;
};

class FakeAdapterAddresses final : public IAdapterAddresses {
 public:
  explicit FakeAdapterAddresses(CallLog& log) : log_(log) {}
  AdapterAddressesStatus status = AdapterAddressesStatus::Ok;
  std::vector<std::vector<std::uint8_t>> addresses;
  std::size_t askedBytes = 0;

  AdapterAddressesStatus GetAdaptersAddresses(
      std::size_t bufferBytes, std::vector<std::vector<std::uint8_t>>& out) override {
    log_.push_back("addresses");
    askedBytes = bufferBytes;
    if (status == AdapterAddressesStatus::Ok) out = addresses;
    return status;
  }

 private:
  CallLog& log_;
};

inline AdapterInfo Adapter(std::string description, std::vector<std::uint8_t> address) {
  AdapterInfo info;
  info.comboIndex = 2;
  info.name = "eth";
  info.description = std::move(description);
  info.address = std::move(address);
  info.type = 6;
  info.ipAddress = "192.168.1.5";
  info.ipMask = "255.255.255.0";
  info.gateway = "192.168.1.1";
  return info;
}

}  // namespace vz::testing
