#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "backends/gtk/net/CurlTransport.h"
#include "tests/backends/gtk_net/SimulatorFixture.h"

namespace vz::gtk {
namespace {

using namespace std::chrono_literals;
using sim::Site;
using SteadyClock = std::chrono::steady_clock;

std::string Pattern(std::size_t n, char first) {
  std::string s;
  for (std::size_t i = 0; i < n; ++i) s += static_cast<char>(first + i % 26);
  return s;
}

// A listening socket that tells whether anyone connected to it.
class ListeningProbe {
 public:
  ListeningProbe() {
    fd_ = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        listen(fd_, 4) == 0 &&
        getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
      port_ = ntohs(address.sin_port);
    }
  }
  ~ListeningProbe() { close(fd_); }
  int port() const { return port_; }
  bool SomeoneConnected() {
    const int client = accept(fd_, nullptr, nullptr);
    if (client < 0) return false;
    close(client);
    return true;
  }

 private:
  int fd_ = -1;
  int port_ = 0;
};

class CurlHttpClient : public testing::WithSimulator {
 protected:
  static HttpResult Get(const std::string& url, std::string& text, HttpLimits limits = {}) {
    auto client = MakeCurlHttpClient(limits);
    return client->HttpGet(url, text);
  }
};

TEST_F(CurlHttpClient, AnyStatusWithItsBodyIsDone) {
  struct Case {
    std::string path;
    std::string body;
  };
  const Case cases[] = {
      {"/__test/bytes/5", "abcde"},
      {"/__test/bytes/0", ""},
      {"/__test/status/404", "status 404 body"},
      {"/__test/status/500", "status 500 body"},
      {"/__test/status/403", "status 403 body"},
  };
  for (const Case& c : cases) {
    std::string text = "stale";
    EXPECT_EQ(Get(Url(c.path), text), HttpResult::Done) << c.path;
    EXPECT_EQ(text, c.body) << c.path;
  }
}

TEST_F(CurlHttpClient, ServerSeesTheAgentAndTheThreeHeaderLines) {
  std::string text;
  ASSERT_EQ(Get(Url("/__test/bytes/1"), text), HttpResult::Done);
  const auto requests = sim_->recorder().Requests();
  ASSERT_EQ(requests.size(), 1u);
  const sim::RecordedRequest& r = requests[0];
  EXPECT_EQ(r.method, "GET");
  EXPECT_EQ(r.version, "HTTP/1.1");
  EXPECT_EQ(r.target, "/__test/bytes/1");
  EXPECT_EQ(r.Header("User-Agent"),
            "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1; SV1; .NET CLR 2.0.50727)");
  EXPECT_EQ(r.Header("Accept"), "*,*/*");
  EXPECT_EQ(r.Header("Accept-Language"), "zh-cn");
  EXPECT_EQ(r.Header("Content-Type"), "application/x-www-form-urlencoded");
  for (const char* name : {"User-Agent", "Accept", "Accept-Language", "Content-Type", "Host"}) {
    EXPECT_EQ(r.HeaderCount(name), 1u) << name;
  }
  // The body must arrive as sent, so nothing may ask for compression.
  EXPECT_EQ(r.HeaderCount("Accept-Encoding"), 0u);
}

TEST_F(CurlHttpClient, ReadsOfAKilobyteAndTheZeroByteRule) {
  std::string zeroBody = Pattern(1024, 'a').substr(0, 10) + Pattern(1024, 'A') + "tail";
  struct Case {
    std::string path;
    std::string body;
  };
  const Case cases[] = {
      {"/__test/bytes/1023", Pattern(1023, 'a')},
      {"/__test/bytes/1024", Pattern(1024, 'a')},
      {"/__test/bytes/1025", Pattern(1025, 'a')},
      {"/__test/bytes/2048", Pattern(2048, 'a')},
      {"/__test/bytes/1024?piece=100", Pattern(1024, 'a')},
      {"/__test/zero", zeroBody},
      {"/__test/zero?piece=100", zeroBody},
      {"/__test/zero?piece=1000", zeroBody},
      {"/__test/zero?piece=7", zeroBody},
  };
  for (const Case& c : cases) {
    std::string text;
    EXPECT_EQ(Get(Url(c.path), text), HttpResult::Done) << c.path;
    EXPECT_EQ(text.size(), c.body.size()) << c.path;
    EXPECT_EQ(text, c.body) << c.path;
  }
}

TEST_F(CurlHttpClient, GbkBodyIsDecodedAsUtf8WithReplacementCharacters) {
  std::string text;
  ASSERT_EQ(Get(Url("/__test/gbk"), text), HttpResult::Done);
  EXPECT_EQ(text, "GBK:\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST_F(CurlHttpClient, SlowAnswerTimesOut) {
  HttpLimits limits;
  limits.totalTimeout = 300ms;
  struct Case {
    const char* path;
  };
  for (const Case c : {Case{"/__test/slow?ms=5000"}, Case{"/__test/stall?ms=5000"}}) {
    std::string text = "stale";
    const auto start = SteadyClock::now();
    EXPECT_EQ(Get(Url(c.path), text, limits), HttpResult::TimedOut) << c.path;
    EXPECT_LT(SteadyClock::now() - start, 3s) << c.path;
    EXPECT_EQ(text, "") << c.path;
  }
}

TEST_F(CurlHttpClient, RefusedOrUnresolvableIsAFailure) {
  const sim::RefusedPort refused;
  ASSERT_GT(refused.port(), 0);
  HttpLimits limits;
  // Long enough that a slow resolver reports its own failure before our time-out.
  limits.connectTimeout = 60s;
  limits.totalTimeout = 60s;
  for (const std::string& url : {"http://127.0.0.1:" + std::to_string(refused.port()) + "/",
                                 std::string("http://nonexistent.invalid/")}) {
    std::string text = "stale";
    EXPECT_EQ(Get(url, text, limits), HttpResult::Failed) << url;
    EXPECT_EQ(text, "") << url;
  }
}

TEST_F(CurlHttpClient, NonHttpAddressTouchesNoNetwork) {
  ListeningProbe probe;
  ASSERT_GT(probe.port(), 0);
  const std::string port = std::to_string(probe.port());
  for (const std::string& url : {"ftp://127.0.0.1:" + port + "/file", "telnet://127.0.0.1:" + port,
                                 "gopher://127.0.0.1:" + port + "/"}) {
    std::string text = "stale";
    EXPECT_EQ(Get(url, text), HttpResult::Failed) << url;
    EXPECT_EQ(text, "") << url;
  }
  // The control: an http address to the same port does connect.
  HttpLimits limits;
  limits.totalTimeout = 200ms;
  std::string text;
  Get("http://127.0.0.1:" + port + "/", text, limits);
  EXPECT_TRUE(probe.SomeoneConnected());
  EXPECT_FALSE(probe.SomeoneConnected());
}

TEST_F(CurlHttpClient, TwoRequestsOnOneClientShareTheConnection) {
  auto client = MakeCurlHttpClient();
  std::string first, second;
  ASSERT_EQ(client->HttpGet(Url("/__test/bytes/3"), first), HttpResult::Done);
  ASSERT_EQ(client->HttpGet(Url("/__test/status/404"), second), HttpResult::Done);
  EXPECT_EQ(first, "abc");
  EXPECT_EQ(second, "status 404 body");
  const auto requests = sim_->recorder().Requests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[0].target, "/__test/bytes/3");
  EXPECT_EQ(requests[1].target, "/__test/status/404");
  EXPECT_EQ(requests[0].remotePort, requests[1].remotePort);
}

TEST_F(CurlHttpClient, SeparateClientsUseSeparateConnections) {
  std::string text;
  ASSERT_EQ(Get(Url("/__test/bytes/1"), text), HttpResult::Done);
  ASSERT_EQ(Get(Url("/__test/bytes/1"), text), HttpResult::Done);
  const auto requests = sim_->recorder().Requests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_NE(requests[0].remotePort, requests[1].remotePort);
}

TEST_F(CurlHttpClient, BodyPastTheBoundIsAFailure) {
  struct Case {
    std::size_t bound;
    std::string path;
    HttpResult result;
  };
  const Case cases[] = {
      {1024, "/__test/bytes/1024", HttpResult::Done},
      {1024, "/__test/bytes/1025", HttpResult::Failed},  // length announced
      {1024, "/__test/bytes/1024?piece=100", HttpResult::Done},
      {1024, "/__test/bytes/1025?piece=100", HttpResult::Failed},  // chunked, no length
      {HttpLimits{}.maxBodyBytes, "/__test/bytes/1048576", HttpResult::Done},
      {HttpLimits{}.maxBodyBytes, "/__test/bytes/1048577", HttpResult::Failed},
      {HttpLimits{}.maxBodyBytes, "/__test/bytes/1048577?piece=65536", HttpResult::Failed},
  };
  for (const Case& c : cases) {
    HttpLimits limits;
    limits.maxBodyBytes = c.bound;
    std::string text = "stale";
    EXPECT_EQ(Get(Url(c.path), text, limits), c.result) << c.path;
    if (c.result != HttpResult::Done) {
      EXPECT_EQ(text, "") << c.path;
    }
  }
}

TEST_F(CurlHttpClient, CancelFromAnotherThreadEndsTheRequestPromptly) {
  auto client = MakeCurlHttpClient();
  std::string text = "stale";
  HttpResult result = HttpResult::Done;
  const auto start = SteadyClock::now();
  std::thread request([&] { result = client->HttpGet(Url("/__test/slow?ms=20000"), text); });
  ASSERT_TRUE(WaitForRequests(Site::Platform, 1, 5s));
  const auto cancelAt = SteadyClock::now();
  client->Cancel();
  request.join();
  // Far below the 20 s answer; generous for loaded or instrumented runs.
  EXPECT_LT(SteadyClock::now() - cancelAt, 2s);
  EXPECT_LT(SteadyClock::now() - start, 5s);
  EXPECT_EQ(result, HttpResult::Failed);
  EXPECT_EQ(text, "");
  // Once cancelled, the client sends nothing more.
  EXPECT_EQ(client->HttpGet(Url("/__test/bytes/1"), text), HttpResult::Failed);
  EXPECT_EQ(sim_->recorder().Requests().size(), 1u);
}

TEST_F(CurlHttpClient, FollowsRedirectsOnlyToHttp) {
  struct Case {
    std::string to;
    HttpResult result;
    std::string body;
  };
  const Case cases[] = {
      {"/__test/bytes/3", HttpResult::Done, "abc"},
      {"ftp://127.0.0.1/file", HttpResult::Failed, ""},
      {"file:///etc/hostname", HttpResult::Failed, ""},
  };
  for (const Case& c : cases) {
    std::string text;
    EXPECT_EQ(Get(Url("/__test/redirect?to=" + c.to), text), c.result) << c.to;
    EXPECT_EQ(text, c.body) << c.to;
  }
}

TEST_F(CurlHttpClient, UnsafeBytesInTheAddressCannotSplitTheRequest) {
  std::string text;
  ASSERT_EQ(Get(Url("/__test/bytes/2?a=x y\r\nX-Evil: 1|z"), text), HttpResult::Done);
  const auto requests = sim_->recorder().Requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].target, "/__test/bytes/2?a=x%20y%0D%0AX-Evil:%201|z");
  EXPECT_EQ(requests[0].HeaderCount("X-Evil"), 0u);
}

TEST_F(CurlHttpClient, ProxyComesFromTheEnvironment) {
  const testing::ScopedEnv proxy("http_proxy", sim_->BaseUrl(Site::Game).c_str());
  const testing::ScopedEnv noProxy("no_proxy", nullptr);
  const testing::ScopedEnv noProxyUpper("NO_PROXY", nullptr);
  std::string text;
  ASSERT_EQ(Get("http://proxied.invalid/some/page", text), HttpResult::Done);
  const auto requests = sim_->recorder().RequestsTo(Site::Game);
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].target, "http://proxied.invalid/some/page");
}

TEST(CurlTransport, CancelledTransportSendsNothing) {
  ListeningProbe probe;
  CurlTransport transport;
  transport.Cancel();
  HttpRequest request;
  request.url = "http://127.0.0.1:" + std::to_string(probe.port()) + "/";
  const auto status = transport.Get(request, [](std::string_view) { return true; });
  EXPECT_EQ(status, TransportStatus::Cancelled);
  EXPECT_FALSE(probe.SomeoneConnected());
}

}  // namespace
}  // namespace vz::gtk
