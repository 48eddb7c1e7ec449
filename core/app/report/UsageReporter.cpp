#include "core/app/report/UsageReporter.h"

#include <utility>

#include "core/app/report/UsageReport.h"

namespace vz {

UsageReporter::UsageReporter(std::string logBaseUrl, HttpClientFactory clientFactory,
                             IdentitySources identity, std::shared_ptr<const ICodePage> codePage,
                             std::shared_ptr<const IUnixClock> clock)
    : logBaseUrl_(std::move(logBaseUrl)),
      clientFactory_(std::move(clientFactory)),
      identity_(std::move(identity)),
      codePage_(std::move(codePage)),
      clock_(std::move(clock)) {}

UsageReporter::~UsageReporter() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
    if (activeClient_ != nullptr) activeClient_->Cancel();
  }
  if (worker_.joinable()) worker_.join();
}

void UsageReporter::SendUsageReport(const std::string& uid, const std::string& gameCode,
                                    const std::string& eventCode) {
  if (uid.empty()) return;
  std::lock_guard lock(mutex_);
  if (started_ || stopping_) return;
  started_ = true;
  running_ = true;
  try {
    worker_ = std::thread([this, uid, gameCode, eventCode] { Run(uid, gameCode, eventCode); });
  } catch (...) {
    // No thread to be had: the report is best effort, and the windows must go on.
    running_ = false;
  }
}

void UsageReporter::Run(const std::string& uid, const std::string& gameCode,
                        const std::string& eventCode) {
  // Nothing may escape the thread: the report is best effort.
  try {
    const std::string mac = GetMacAddress(identity_);
    const std::int64_t now = clock_ ? clock_->NowUnixSeconds() : 0;
    std::unique_ptr<CHttpClient> client =
        (codePage_ && clientFactory_) ? clientFactory_() : nullptr;
    if (client) {
      const UsageReportRequest report =
          BuildUsageReport(logBaseUrl_, uid, gameCode, eventCode, mac, now, *codePage_);
      // Declared after the client, so the destructor cannot reach it once it is gone.
      struct Publication {
        UsageReporter& owner;
        bool published = false;
        ~Publication() {
          std::lock_guard lock(owner.mutex_);
          owner.activeClient_ = nullptr;
        }
      } publication{*this};
      {
        std::lock_guard lock(mutex_);
        if (!stopping_) {
          activeClient_ = client.get();
          publication.published = true;
        }
      }
      std::string answer;
      if (publication.published) client->HttpGet(report.url, answer);
    }
  } catch (...) {
  }
  Finish();
}

void UsageReporter::Finish() {
  std::lock_guard lock(mutex_);
  running_ = false;
  finished_.notify_all();
}

bool UsageReporter::WaitUntilFinished(std::chrono::milliseconds timeout) {
  std::unique_lock lock(mutex_);
  return finished_.wait_for(lock, timeout, [this] { return !running_; });
}

}  // namespace vz
