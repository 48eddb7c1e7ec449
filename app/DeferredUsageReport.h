#pragma once

#include <memory>

#include "core/app/launcher/LauncherPorts.h"
#include "core/app/report/UsageReporter.h"

namespace vz::app {

// The usage report on the real network and adapters. The log endpoint is a setting that
// the launcher reads while it is created, so the reporter is made at the first send.
class DeferredUsageReport final : public IUsageReport {
 public:
  explicit DeferredUsageReport(std::shared_ptr<const ICodePage> codePage);
  ~DeferredUsageReport() override;

  void SendUsageReport(const std::string& uid, const std::string& gameCode,
                       const std::string& eventCode) override;

 private:
  std::shared_ptr<const ICodePage> codePage_;
  std::unique_ptr<UsageReporter> reporter_;
};

}  // namespace vz::app
