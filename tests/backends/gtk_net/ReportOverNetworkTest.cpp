#include <chrono>

#include "backends/gtk/net/CurlTransport.h"
#include "backends/gtk/net/LinuxIdentity.h"
#include "backends/posix/IconvCodePage.h"
#include "core/app/report/UsageReporter.h"
#include "tests/backends/gtk_net/SimulatorFixture.h"

namespace vz {
namespace {

using namespace std::chrono_literals;
using sim::Site;

// The report as main() wires it: Linux identity, libcurl, GBK, the wall clock.
class ReportOverNetwork : public testing::WithSimulator {
 protected:
  static std::unique_ptr<UsageReporter> RealReporter() {
    return std::make_unique<UsageReporter>(
        sim_->BaseUrl(Site::Log), gtk::CurlHttpClientFactory(), gtk::MakeLinuxIdentitySources(),
        std::make_shared<posix::IconvCodePage>(), std::make_shared<SystemUnixClock>());
  }
};

TEST_F(ReportOverNetwork, OneReportThatTheLogEndpointAccepts) {
  struct Case {
    const char* uid;
    const char* field;
  };
  for (const Case c : {Case{"zc12345", "12345"}, Case{"ZC12345", "ZC12345"}, Case{"zc张三", "张三"},
                       Case{"zc", ""}}) {
    sim_->recorder().Clear();
    const auto before = SystemUnixClock().NowUnixSeconds();
    auto reporter = RealReporter();
    reporter->SendUsageReport(c.uid, "kv", "4");
    reporter->SendUsageReport(c.uid, "kv", "4");
    ASSERT_TRUE(reporter->WaitUntilFinished(10s)) << c.uid;
    reporter.reset();

    const auto reports = sim_->recorder().Reports();
    ASSERT_EQ(reports.size(), 1u) << c.uid;
    EXPECT_TRUE(reports[0].signatureValid) << reports[0].line;
    ASSERT_EQ(reports[0].fields.size(), 10u);
    EXPECT_EQ(reports[0].fields[1], c.field);
    EXPECT_EQ(reports[0].fields[8], GetMacAddress(gtk::MakeLinuxIdentitySources()));
    const auto sent = std::stoll(reports[0].fields[9]);
    EXPECT_GE(sent, before);
    EXPECT_LE(sent, SystemUnixClock().NowUnixSeconds());
    EXPECT_EQ(sim_->recorder().RequestsTo(Site::Log).size(), 1u);
  }
}

TEST_F(ReportOverNetwork, ExitDuringASlowAnswerIsPrompt) {
  sim_->SetLogDelay(30s);
  auto reporter = RealReporter();
  reporter->SendUsageReport("zc1", "kv", "4");
  ASSERT_TRUE(WaitForRequests(Site::Log, 1, 10s));
  const auto start = std::chrono::steady_clock::now();
  reporter.reset();
  // Far below the 30 s answer; generous for loaded or instrumented runs.
  EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
}

TEST_F(ReportOverNetwork, UnreachableLogEndpointIsIgnored) {
  const sim::RefusedPort refused;
  UsageReporter reporter("http://127.0.0.1:" + std::to_string(refused.port()),
                         gtk::CurlHttpClientFactory(), gtk::MakeLinuxIdentitySources(),
                         std::make_shared<posix::IconvCodePage>(),
                         std::make_shared<SystemUnixClock>());
  reporter.SendUsageReport("zc1", "kv", "4");
  EXPECT_TRUE(reporter.WaitUntilFinished(10s));
}

}  // namespace
}  // namespace vz
