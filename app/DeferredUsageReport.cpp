#include "app/DeferredUsageReport.h"

#include "backends/gtk/net/CurlTransport.h"
#include "backends/gtk/net/LinuxIdentity.h"
#include "core/app/launcher/CMainWnd.h"

namespace vz::app {

DeferredUsageReport::DeferredUsageReport(std::shared_ptr<const ICodePage> codePage)
    : codePage_(std::move(codePage)) {}

// Cancels a request in flight and joins the worker.
DeferredUsageReport::~DeferredUsageReport() = default;

void DeferredUsageReport::SendUsageReport(const std::string& uid, const std::string& gameCode,
                                          const std::string& eventCode) {
  if (!reporter_) {
    const std::string logBase = g_pLauncher ? g_pLauncher->GetEndpoints().log : Endpoints{}.log;
    reporter_ = std::make_unique<UsageReporter>(logBase, gtk::CurlHttpClientFactory(),
                                                gtk::MakeLinuxIdentitySources(), codePage_,
                                                std::make_shared<SystemUnixClock>());
  }
  reporter_->SendUsageReport(uid, gameCode, eventCode);
}

}  // namespace vz::app
