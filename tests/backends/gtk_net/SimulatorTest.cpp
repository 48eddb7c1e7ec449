#include <signal.h>
#include <stdio.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <regex>

#include "backends/gtk/net/CurlTransport.h"
#include "backends/posix/IconvCodePage.h"
#include "core/app/report/UsageReport.h"
#include "tests/backends/gtk_net/SimulatorFixture.h"

namespace vz::sim {
namespace {

using namespace std::chrono_literals;

class LogEndpoint : public testing::WithSimulator {
 protected:
  static HttpResult Get(const std::string& url, std::string& text) {
    return gtk::MakeCurlHttpClient()->HttpGet(url, text);
  }
  static std::string ReportUrl(const std::string& value) {
    return Url(Site::Log, "/receive/micoclient?log=" + value);
  }
};

TEST_F(LogEndpoint, ChecksEachReportsSignature) {
  const posix::IconvCodePage gbk;
  const std::string good = "kv|12345|4|159372|||||02-FC-00-00-00-01|1700000000";
  const std::string goodSig = "24ccde27188c4a0dfcf6d8f43c3b9b04";
  const std::string chinese = "kv|张三|4|159372|||||02-FC-00-00-00-01|1700000000";
  struct Case {
    std::string value;
    bool wellFormed;
    bool valid;
    std::string answer;
  };
  const Case cases[] = {
      {good + "|" + goodSig, true, true, "1"},
      {"kv|12345|4|159372|||||02-FC-00-00-00-01|1700000001|" + goodSig, true, false, "bad report"},
      {chinese + "|" + SignReportLine(chinese, gbk), true, true, "1"},
      {good + "|" + std::string(32, 'A'), false, false, "bad report"},          // upper case
      {good, false, false, "bad report"},                                       // no signature
      {"kv|12345|4|159372||||02-FC|1|" + goodSig, false, false, "bad report"},  // 9 fields
      {"kv|12345|4|999999|||||02-FC-00-00-00-01|1700000000|" + goodSig, false, false, "bad report"},
      {"", false, false, "bad report"},
  };
  for (const Case& c : cases) {
    sim_->recorder().Clear();
    std::string answer;
    ASSERT_EQ(Get(ReportUrl(c.value), answer), HttpResult::Done) << c.value;
    EXPECT_EQ(answer, c.answer) << c.value;
    const auto reports = sim_->recorder().Reports();
    ASSERT_EQ(reports.size(), 1u) << c.value;
    EXPECT_EQ(reports[0].wellFormed, c.wellFormed) << c.value;
    EXPECT_EQ(reports[0].signatureValid, c.valid) << c.value;
  }
}

TEST_F(LogEndpoint, KeepsWhatItReceivedAndTellsItAsJsonLines) {
  std::string answer;
  ASSERT_EQ(Get(ReportUrl("kv|12345|4|159372|||||02-FC-00-00-00-01|1700000000|"
                          "24ccde27188c4a0dfcf6d8f43c3b9b04"),
                answer),
            HttpResult::Done);
  ASSERT_EQ(Get(ReportUrl("kv|x|4|159372|||||AA|1|00000000000000000000000000000000"), answer),
            HttpResult::Done);

  const auto reports = sim_->recorder().Reports();
  ASSERT_EQ(reports.size(), 2u);
  EXPECT_EQ(reports[0].seq, 1u);
  EXPECT_EQ(reports[0].fields, (std::vector<std::string>{"kv", "12345", "4", "159372", "", "", "",
                                                         "", "02-FC-00-00-00-01", "1700000000"}));

  std::string json;
  ASSERT_EQ(Get(Url(Site::Platform, "/__sim/reports"), json), HttpResult::Done);
  EXPECT_EQ(json,
            "{\"seq\":1,\"line\":\"kv|12345|4|159372|||||02-FC-00-00-00-01|1700000000\","
            "\"signature\":\"24ccde27188c4a0dfcf6d8f43c3b9b04\",\"wellFormed\":true,"
            "\"signatureValid\":true,\"remotePort\":" +
                std::to_string(reports[0].remotePort) +
                ",\"fields\":[\"kv\",\"12345\",\"4\",\"159372\",\"\",\"\",\"\",\"\","
                "\"02-FC-00-00-00-01\",\"1700000000\"]}\n"
                "{\"seq\":2,\"line\":\"kv|x|4|159372|||||AA|1\","
                "\"signature\":\"00000000000000000000000000000000\",\"wellFormed\":true,"
                "\"signatureValid\":false,\"remotePort\":" +
                std::to_string(reports[1].remotePort) +
                ",\"fields\":[\"kv\",\"x\",\"4\",\"159372\",\"\",\"\",\"\",\"\",\"AA\",\"1\"]}\n");

  ASSERT_EQ(Get(Url(Site::Log, "/__sim/requests"), json), HttpResult::Done);
  const std::regex line(
      R"(\{"seq":\d+,"site":"log","method":"GET","target":"/receive/micoclient\?log=[^"]*","path":"/receive/micoclient","version":"HTTP/1.1","remotePort":\d+,"headers":\[.*\]\})");
  std::size_t lines = 0;
  for (std::size_t at = 0; at < json.size();) {
    const std::size_t end = json.find('\n', at);
    ASSERT_NE(end, std::string::npos);
    EXPECT_TRUE(std::regex_match(json.substr(at, end - at), line)) << json.substr(at, end - at);
    ++lines;
    at = end + 1;
  }
  EXPECT_EQ(lines, 2u);  // the control pages are not recorded

  ASSERT_EQ(Get(Url(Site::Game, "/__sim/reset"), json), HttpResult::Done);
  EXPECT_TRUE(sim_->recorder().Reports().empty());
  EXPECT_TRUE(sim_->recorder().Requests().empty());
}

TEST_F(LogEndpoint, EverySiteRecordsUnderItsName) {
  std::string text;
  for (const Site site : kAllSites) {
    ASSERT_EQ(Get(Url(site, "/__test/bytes/1"), text), HttpResult::Done);
  }
  ASSERT_EQ(Get(Url(Site::Platform, "/game/s/wdAccess/"), text), HttpResult::Done);
  EXPECT_NE(text.find("<html"), std::string::npos);
  for (const Site site : kAllSites) {
    EXPECT_EQ(sim_->recorder().RequestsTo(site).size(), site == Site::Platform ? 2u : 1u)
        << SiteName(site);
  }
  std::string ports;
  ASSERT_EQ(Get(Url(Site::Pay, "/__sim/ports"), ports), HttpResult::Done);
  const Ports p = sim_->ports();
  EXPECT_EQ(ports, "{\"platform\":" + std::to_string(p.platform) +
                       ",\"game\":" + std::to_string(p.game) + ",\"pay\":" + std::to_string(p.pay) +
                       ",\"log\":" + std::to_string(p.log) +
                       ",\"service\":" + std::to_string(p.service) + "}\n");
}

TEST(Simulator, TakenPortIsReported) {
  Simulator first(Ports::AnyFree());
  ASSERT_TRUE(first.Start());
  Ports clash = Ports::AnyFree();
  clash.log = first.ports().log;
  Simulator second(clash);
  std::string error;
  EXPECT_FALSE(second.Start(&error));
  EXPECT_NE(error.find(std::to_string(clash.log)), std::string::npos) << error;
}

TEST(Simulator, StopEndsSlowAnswersAtOnce) {
  auto sim = std::make_unique<Simulator>(Ports::AnyFree());
  ASSERT_TRUE(sim->Start());
  const std::string url = sim->BaseUrl(Site::Platform) + "/__test/slow?ms=60000";
  std::thread request([url] {
    std::string text;
    gtk::MakeCurlHttpClient()->HttpGet(url, text);
  });
  for (int i = 0; i < 500 && sim->recorder().Requests().empty(); ++i) {
    std::this_thread::sleep_for(5ms);
  }
  const auto start = std::chrono::steady_clock::now();
  sim.reset();
  EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
  request.join();
}

// The executable as the end-to-end tests start it.
TEST(SimulatorExecutable, ServesOnFreePortsAndStopsOnSigterm) {
  int out[2];
  ASSERT_EQ(pipe(out), 0);
  const pid_t pid = fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    dup2(out[1], STDOUT_FILENO);
    close(out[0]);
    close(out[1]);
    execl(VOZUDEZI_SIMULATOR_PATH, "vozudezi-simulator", "--any-ports",
          static_cast<char*>(nullptr));
    _exit(127);
  }
  close(out[1]);
  FILE* stream = fdopen(out[0], "r");
  char line[256] = {};
  ASSERT_NE(fgets(line, sizeof line, stream), nullptr);
  std::cmatch m;
  ASSERT_TRUE(std::regex_search(
      line, m,
      std::regex(R"(^ready platform=(\d+) game=(\d+) pay=(\d+) log=(\d+) service=(\d+)\n$)")))
      << line;
  const std::string log = "http://127.0.0.1:" + m[4].str();
  {
    const testing::ScopedEnv noProxy("no_proxy", "127.0.0.1");
    std::string answer;
    EXPECT_EQ(gtk::MakeCurlHttpClient()->HttpGet(
                  log + "/receive/micoclient?log=kv|12345|4|159372|||||02-FC-00-00-00-01|"
                        "1700000000|24ccde27188c4a0dfcf6d8f43c3b9b04",
                  answer),
              HttpResult::Done);
    EXPECT_EQ(answer, "1");
    std::string reports;
    EXPECT_EQ(gtk::MakeCurlHttpClient()->HttpGet(log + "/__sim/reports", reports),
              HttpResult::Done);
    EXPECT_NE(reports.find("\"signatureValid\":true"), std::string::npos) << reports;
  }
  kill(pid, SIGTERM);
  int status = 0;
  ASSERT_EQ(waitpid(pid, &status, 0), pid);
  EXPECT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  fclose(stream);
}

TEST(SimulatorExecutable, RejectsBadArguments) {
  const std::string command = std::string(VOZUDEZI_SIMULATOR_PATH) + " --log-port nope 2>/dev/null";
  const int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 2);
}

}  // namespace
}  // namespace vz::sim
