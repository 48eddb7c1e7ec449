// Started with a user identifier, the client sends exactly one signed usage report.
#include <gtest/gtest.h>

#include <cstdlib>
#include <thread>

#include "../backends/support/DisplayHarness.h"
#include "tools/simulator/Simulator.h"

namespace vz::test {
namespace {

using namespace std::chrono_literals;

std::string IniFor(const std::string& uid, const sim::Simulator& simulator) {
  return "[kv]\nstart=1\nuid=" + uid +
         "\nfilename=abc\n[endpoints]\nplatform=" + simulator.BaseUrl(sim::Site::Platform) +
         "\ngame=" + simulator.BaseUrl(sim::Site::Game) +
         "\npay=" + simulator.BaseUrl(sim::Site::Pay) +
         "\nlog=" + simulator.BaseUrl(sim::Site::Log) + "\n";
}

TEST(UsageReportEndToEnd, NormalAndHiddenStartEachSendOneReport) {
  if (!std::getenv("DISPLAY")) GTEST_SKIP() << "needs an X display";
  // A proxy of the machine must not stand between the clients and the simulator.
  setenv("no_proxy", "127.0.0.1,localhost", 1);
  setenv("NO_PROXY", "127.0.0.1,localhost", 1);
  sim::Simulator simulator(sim::Ports::AnyFree());
  std::string error;
  ASSERT_TRUE(simulator.Start(&error)) << error;

  ClientDir normal(VOZUDEZI_CLIENT_PATH);
  normal.WriteIni(IniFor("zc12345", simulator));
  ClientDir hidden(VOZUDEZI_CLIENT_PATH);
  hidden.WriteIni(IniFor("ZC777", simulator));
  ClientDir anonymous(VOZUDEZI_CLIENT_PATH);
  anonymous.WriteIni(IniFor("", simulator));

  Process a({normal.Client()}, normal.Path());
  Process b({hidden.Client(), "-hh"}, hidden.Path());
  Process c({anonymous.Client()}, anonymous.Path());

  // The report leaves ten seconds after start; nothing earlier.
  std::this_thread::sleep_for(7s);
  EXPECT_TRUE(simulator.recorder().Reports().empty());
  ASSERT_TRUE(WaitUntil([&] { return simulator.recorder().Reports().size() >= 2; }, 10s));
  std::this_thread::sleep_for(2s);  // no second report, none for the empty uid

  const auto reports = simulator.recorder().Reports();
  ASSERT_EQ(reports.size(), 2u);
  std::vector<std::string> users;
  for (const auto& r : reports) {
    EXPECT_TRUE(r.wellFormed) << r.line;
    EXPECT_TRUE(r.signatureValid) << r.line;
    ASSERT_EQ(r.fields.size(), 10u);
    EXPECT_EQ(r.fields[0], "kv");
    EXPECT_EQ(r.fields[2], "4");
    EXPECT_EQ(r.fields[3], "159372");
    users.push_back(r.fields[1]);
  }
  std::sort(users.begin(), users.end());
  EXPECT_EQ(users, (std::vector<std::string>{"12345", "ZC777"}));
  EXPECT_TRUE(a.Running());
  EXPECT_TRUE(b.Running());
  EXPECT_TRUE(c.Running());
}

}  // namespace
}  // namespace vz::test
