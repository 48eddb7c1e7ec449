#pragma once

#include <chrono>
#include <cstdint>

namespace vz {

// Wall-clock time in whole seconds since 1970-01-01 00:00:00 UTC.
class IUnixClock {
 public:
  virtual ~IUnixClock() = default;
  virtual std::int64_t NowUnixSeconds() const = 0;
};

class SystemUnixClock final : public IUnixClock {
 public:
  std::int64_t NowUnixSeconds() const override {
    return std::chrono::duration_cast<std::chrono::seconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
  }
};

}  // namespace vz
