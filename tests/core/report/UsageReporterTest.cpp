#include "core/app/report/UsageReporter.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <stdexcept>
#include <thread>

#include "backends/posix/IconvCodePage.h"
#include "core/app/report/UsageReport.h"
#include "tests/core/net/IdentityFakes.h"

namespace vz {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

class FixedClock final : public IUnixClock {
 public:
  std::int64_t NowUnixSeconds() const override { return 1700000000; }
};

// What the fake transports saw, shared with the worker thread.
struct Wire {
  std::mutex mutex;
  std::condition_variable changed;
  std::vector<std::string> urls;
  int cancels = 0;
  int clients = 0;
  bool hang = false;  // requests wait until cancelled

  std::size_t RequestCount() {
    std::lock_guard lock(mutex);
    return urls.size();
  }
  bool WaitForRequests(std::size_t n, std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex);
    return changed.wait_for(lock, timeout, [&] { return urls.size() >= n; });
  }
};

class WireTransport final : public IHttpTransport {
 public:
  explicit WireTransport(Wire& wire) : wire_(wire) {}
  TransportStatus Get(const HttpRequest& request, const BodySink& sink) override {
    std::unique_lock lock(wire_.mutex);
    wire_.urls.push_back(request.url);
    wire_.changed.notify_all();
    if (wire_.hang) {
      wire_.changed.wait(lock, [&] { return cancelled_; });
      return TransportStatus::Cancelled;
    }
    lock.unlock();
    sink("1");
    return TransportStatus::Complete;
  }
  void Cancel() override {
    std::lock_guard lock(wire_.mutex);
    cancelled_ = true;
    ++wire_.cancels;
    wire_.changed.notify_all();
  }

 private:
  Wire& wire_;
  bool cancelled_ = false;  // guarded by wire_.mutex
};

HttpClientFactory FactoryFor(Wire& wire) {
  return [&wire] {
    {
      std::lock_guard lock(wire.mutex);
      ++wire.clients;
    }
    return std::make_unique<CHttpClient>(std::make_unique<WireTransport>(wire));
  };
}

// An interface table that takes its time, as a slow adapter query would.
class SlowTable final : public IInterfaceTable {
 public:
  explicit SlowTable(std::chrono::milliseconds delay) : delay_(delay) {}
  bool Open() override {
    std::this_thread::sleep_for(delay_);
    return false;
  }
  bool GetNext(std::vector<VarBind>&) override { return false; }
  void Close() override {}

 private:
  std::chrono::milliseconds delay_;
};

IdentitySources IdentityWithMac(testing::CallLog& log) {
  IdentitySources sources;
  sources.interfaceTable = std::make_unique<testing::FakeInterfaceTable>(
      log, std::vector<InterfaceRow>{{1, "eth0", 6, testing::Bytes({0x02, 0xfc, 0, 0, 0, 1})}});
  return sources;
}

std::unique_ptr<UsageReporter> MakeReporter(Wire& wire, IdentitySources identity) {
  return std::make_unique<UsageReporter>(
      "http://127.0.0.1:18083", FactoryFor(wire), std::move(identity),
      std::make_shared<posix::IconvCodePage>(), std::make_shared<FixedClock>());
}

TEST(UsageReporter, SendsExactlyOneReport) {
  Wire wire;
  testing::CallLog log;
  auto reporter = MakeReporter(wire, IdentityWithMac(log));
  reporter->SendUsageReport("zc12345", "kv", "4");
  ASSERT_TRUE(reporter->WaitUntilFinished(5s));
  reporter->SendUsageReport("zc12345", "kv", "4");
  reporter->SendUsageReport("zc999", "kv", "4");
  ASSERT_TRUE(reporter->WaitUntilFinished(5s));
  reporter.reset();
  ASSERT_EQ(wire.urls.size(), 1u);
  EXPECT_EQ(wire.urls[0],
            "http://127.0.0.1:18083/receive/micoclient?log="
            "kv|12345|4|159372|||||02-FC-00-00-00-01|1700000000|24ccde27188c4a0dfcf6d8f43c3b9b04");
  EXPECT_EQ(wire.clients, 1);
}

TEST(UsageReporter, EmptyUidSendsNothingAndLeavesTheReportForLater) {
  Wire wire;
  testing::CallLog log;
  auto reporter = MakeReporter(wire, IdentityWithMac(log));
  reporter->SendUsageReport("", "kv", "4");
  EXPECT_TRUE(reporter->WaitUntilFinished(0ms));
  EXPECT_TRUE(log.empty());
  reporter->SendUsageReport("zc1", "kv", "4");
  ASSERT_TRUE(reporter->WaitUntilFinished(5s));
  EXPECT_EQ(wire.RequestCount(), 1u);
}

TEST(UsageReporter, CallReturnsWhileTheIdentitySearchIsStillRunning) {
  Wire wire;
  IdentitySources identity;
  identity.interfaceTable = std::make_unique<SlowTable>(300ms);
  auto reporter = MakeReporter(wire, std::move(identity));
  const auto start = Clock::now();
  reporter->SendUsageReport("zc1", "kv", "4");
  EXPECT_LT(Clock::now() - start, 100ms);
  EXPECT_FALSE(reporter->WaitUntilFinished(0ms));
  ASSERT_TRUE(reporter->WaitUntilFinished(5s));
  ASSERT_EQ(wire.RequestCount(), 1u);
  // The slow table found nothing, so the placeholder stands in the line.
  EXPECT_NE(wire.urls[0].find("|||||00-00-00-00-00-00|1700000000|"), std::string::npos);
}

TEST(UsageReporter, DestructorCancelsARequestInFlightPromptly) {
  Wire wire;
  wire.hang = true;
  testing::CallLog log;
  auto reporter = MakeReporter(wire, IdentityWithMac(log));
  reporter->SendUsageReport("zc1", "kv", "4");
  ASSERT_TRUE(wire.WaitForRequests(1, 5s));
  const auto start = Clock::now();
  reporter.reset();
  EXPECT_LT(Clock::now() - start, 500ms);
  EXPECT_EQ(wire.cancels, 1);
  EXPECT_EQ(wire.urls.size(), 1u);
}

TEST(UsageReporter, DestroyedBeforeTheRequestSendsNothing) {
  Wire wire;
  IdentitySources identity;
  identity.interfaceTable = std::make_unique<SlowTable>(200ms);
  auto reporter = MakeReporter(wire, std::move(identity));
  reporter->SendUsageReport("zc1", "kv", "4");
  reporter.reset();
  EXPECT_EQ(wire.urls.size(), 0u);
}

TEST(UsageReporter, DestroyedWithoutAReportJustReturns) {
  Wire wire;
  testing::CallLog log;
  auto reporter = MakeReporter(wire, IdentityWithMac(log));
  reporter.reset();
  EXPECT_EQ(wire.clients, 0);
}

TEST(UsageReporter, FailingFactoryEndsTheWorkerQuietly) {
  struct Case {
    const char* name;
    HttpClientFactory factory;
  };
  const Case cases[] = {
      {"null client", [] { return std::unique_ptr<CHttpClient>(); }},
      {"throwing factory", []() -> std::unique_ptr<CHttpClient> { throw std::runtime_error("x"); }},
      {"no factory", HttpClientFactory()},
  };
  for (const Case& c : cases) {
    testing::CallLog log;
    UsageReporter reporter("http://h", c.factory, IdentityWithMac(log),
                           std::make_shared<posix::IconvCodePage>(),
                           std::make_shared<FixedClock>());
    reporter.SendUsageReport("zc1", "kv", "4");
    EXPECT_TRUE(reporter.WaitUntilFinished(5s)) << c.name;
  }
}

}  // namespace
}  // namespace vz
