#pragma once

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "core/app/launcher/LauncherPorts.h"
#include "core/app/report/UnixClock.h"
#include "core/net/HttpClient.h"
#include "core/net/MachineIdentity.h"
#include "core/text/ICodePage.h"

namespace vz {

// Sends the usage report once per run on a worker thread, so that neither the adapter
// search nor a slow log endpoint can freeze the windows. The answer is ignored and there
// is no retry. The destructor cancels a request in flight and joins the worker, so the
// worker never outlives what it uses and never holds up the program's exit.
class UsageReporter final : public IUsageReport {
 public:
  UsageReporter(std::string logBaseUrl, HttpClientFactory clientFactory, IdentitySources identity,
                std::shared_ptr<const ICodePage> codePage, std::shared_ptr<const IUnixClock> clock);
  ~UsageReporter() override;
  UsageReporter(const UsageReporter&) = delete;
  UsageReporter& operator=(const UsageReporter&) = delete;

  // Returns at once; an empty uid sends nothing, and only the first call of a run sends.
  void SendUsageReport(const std::string& uid, const std::string& gameCode,
                       const std::string& eventCode) override;

  // True once the report has gone out or given up, false when `timeout` passed first.
  // True at once when nothing was started.
  bool WaitUntilFinished(std::chrono::milliseconds timeout);

 private:
  void Run(const std::string& uid, const std::string& gameCode, const std::string& eventCode);
  void Finish();

  const std::string logBaseUrl_;
  const HttpClientFactory clientFactory_;
  const IdentitySources identity_;
  const std::shared_ptr<const ICodePage> codePage_;
  const std::shared_ptr<const IUnixClock> clock_;

  std::mutex mutex_;
  std::condition_variable finished_;
  bool started_ = false;
  bool running_ = false;
  bool stopping_ = false;
  CHttpClient* activeClient_ = nullptr;  // the worker's client while its request runs
  std::thread worker_;
};

}  // namespace vz
