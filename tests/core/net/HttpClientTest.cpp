#include "core/net/HttpClient.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace vz {
namespace {

TEST(ParseHttpUrl, AcceptsOnlyHttpAndHttpsWithAHost) {
  struct Case {
    const char* url;
    bool ok;
    bool secure;
    const char* host;
    int port;
    const char* object;
  };
  const Case cases[] = {
      {"http://example.com/a?b=1", true, false, "example.com", 80, "/a?b=1"},
      {"https://example.com", true, true, "example.com", 443, "/"},
      {"HTTP://Example.com:8080/x", true, false, "Example.com", 8080, "/x"},
      {"HtTpS://h:1/", true, true, "h", 1, "/"},
      {"http://127.0.0.1:18083/receive/micoclient?log=kv|1|4", true, false, "127.0.0.1", 18083,
       "/receive/micoclient?log=kv|1|4"},
      {"http://user:pw@host/p", true, false, "host", 80, "/p"},
      {"http://[::1]:99/p", true, false, "[::1]", 99, "/p"},
      {"http://host?q=1", true, false, "host", 80, "/?q=1"},
      {"http://host/p#frag", true, false, "host", 80, "/p"},
      {"ftp://example.com/file", false, false, "", 0, ""},
      {"file:///etc/passwd", false, false, "", 0, ""},
      {"gopher://h/", false, false, "", 0, ""},
      {"example.com/a", false, false, "", 0, ""},
      {"", false, false, "", 0, ""},
      {"http://", false, false, "", 0, ""},
      {"http:///path", false, false, "", 0, ""},
      {"http://host:0/", false, false, "", 0, ""},
      {"http://host:65536/", false, false, "", 0, ""},
      {"http://host:8x/", false, false, "", 0, ""},
      {"http://[::1/", false, false, "", 0, ""},
  };
  for (const Case& c : cases) {
    const auto url = ParseHttpUrl(c.url);
    ASSERT_EQ(url.has_value(), c.ok) << c.url;
    if (!url) continue;
    EXPECT_EQ(url->secure, c.secure) << c.url;
    EXPECT_EQ(url->host, c.host) << c.url;
    EXPECT_EQ(url->port, c.port) << c.url;
    EXPECT_EQ(url->object, c.object) << c.url;
  }
}

TEST(MakeRequestTargetSafe, EncodesOnlyWhatCannotStandInARequestLine) {
  struct Case {
    std::string url;
    std::string safe;
  };
  const Case cases[] = {
      {"http://h/receive/micoclient?log=kv|12345|4|159372|||||AA-BB|17",
       "http://h/receive/micoclient?log=kv|12345|4|159372|||||AA-BB|17"},
      {"http://h/p?a=x y", "http://h/p?a=x%20y"},
      {"http://h/p?a=1\r\nX-Injected: 1", "http://h/p?a=1%0D%0AX-Injected:%201"},
      {std::string("http://h/p?a=\0b", 15), "http://h/p?a=%00b"},
      {"http://h/p?u=张", "http://h/p?u=%E5%BC%A0"},
      {"http://h/p?a=\x7F", "http://h/p?a=%7F"},
      {"http://h/%41&b=+#f", "http://h/%41&b=+#f"},
      {"http://h", "http://h"},
  };
  for (const Case& c : cases) EXPECT_EQ(MakeRequestTargetSafe(c.url), c.safe) << c.url;
}

TEST(AddHeaderIfNew, AddsOnlyHeadersNotYetPresent) {
  std::vector<std::string> headers;
  AddHeaderIfNew(headers, "Accept: *,*/*");
  AddHeaderIfNew(headers, "Accept-Language: zh-cn");
  AddHeaderIfNew(headers, "accept: text/html");
  AddHeaderIfNew(headers, "ACCEPT-LANGUAGE : en");
  AddHeaderIfNew(headers, "Content-Type: application/x-www-form-urlencoded");
  EXPECT_EQ(headers, (std::vector<std::string>{"Accept: *,*/*", "Accept-Language: zh-cn",
                                               "Content-Type: application/x-www-form-urlencoded"}));
}

std::string Pattern(std::size_t n, char first = 'a') {
  std::string s;
  for (std::size_t i = 0; i < n; ++i) s += static_cast<char>(first + i % 26);
  return s;
}

TEST(HttpBodyCollector, ZeroByteEndsOnlyItsOwnRead) {
  struct Case {
    const char* name;
    std::string body;
    std::string expected;
  };
  const std::string a = Pattern(1024, 'a');
  const std::string b = Pattern(1024, 'A');
  std::string zeroAt10 = a;
  zeroAt10[10] = '\0';
  std::string zeroAtEnd = a;
  zeroAtEnd[1023] = '\0';
  const Case cases[] = {
      {"empty", "", ""},
      {"short", "hello", "hello"},
      {"exactly one read", a, a},
      {"one read and one byte", a + "x", a + "x"},
      {"zero in the first read drops its rest", zeroAt10 + b + "tail",
       a.substr(0, 10) + b + "tail"},
      {"zero as the last byte of a read", zeroAtEnd + "tail", a.substr(0, 1023) + "tail"},
      {"zero in the last partial read", a + std::string("ab\0cd", 5), a + "ab"},
      {"zero first", std::string("\0abc", 4), ""},
      {"two zeros in one read", std::string("ab\0cd\0ef", 8), "ab"},
  };
  for (const Case& c : cases) {
    // However the network splits the body, the reads stay 1024 bytes of the body each.
    for (const std::size_t piece : {std::size_t{1}, std::size_t{7}, std::size_t{1000},
                                    std::size_t{1024}, std::size_t{4096}}) {
      HttpBodyCollector collector(1 << 20);
      for (std::size_t at = 0; at < c.body.size(); at += piece) {
        ASSERT_TRUE(collector.Append(std::string_view(c.body).substr(at, piece)));
      }
      EXPECT_EQ(collector.Finish(), c.expected) << c.name << ", pieces of " << piece;
    }
  }
}

TEST(HttpBodyCollector, BoundCountsEveryByteTheServerSent) {
  struct Case {
    std::size_t bound;
    std::vector<std::size_t> pieces;
    bool accepted;
  };
  const Case cases[] = {
      {10, {10}, true},    {10, {11}, false},          {10, {5, 5}, true},
      {10, {5, 6}, false}, {10, {10, 0}, true},        {0, {0}, true},
      {0, {1}, false},     {2048, {1024, 1024}, true}, {2048, {1024, 1025}, false},
  };
  for (const Case& c : cases) {
    HttpBodyCollector collector(c.bound);
    bool ok = true;
    for (const std::size_t n : c.pieces) ok = collector.Append(std::string(n, '\0')) && ok;
    EXPECT_EQ(ok, c.accepted) << c.bound;
    EXPECT_EQ(collector.Exceeded(), !c.accepted) << c.bound;
  }
}

// A transport that plays back a scripted answer and records what it was asked.
class ScriptedTransport final : public IHttpTransport {
 public:
  struct Log {
    std::vector<HttpRequest> requests;
    int cancels = 0;
  };
  ScriptedTransport(Log& log, TransportStatus status, std::vector<std::string> pieces)
      : log_(log), status_(status), pieces_(std::move(pieces)) {}

  TransportStatus Get(const HttpRequest& request, const BodySink& sink) override {
    log_.requests.push_back(request);
    for (const std::string& piece : pieces_) {
      if (!sink(piece)) return TransportStatus::Failed;
    }
    return status_;
  }
  void Cancel() override { ++log_.cancels; }

 private:
  Log& log_;
  TransportStatus status_;
  std::vector<std::string> pieces_;
};

TEST(CHttpClient, ResultCodesFollowTheTransport) {
  struct Case {
    TransportStatus status;
    std::vector<std::string> pieces;
    HttpResult result;
    std::string text;
  };
  const Case cases[] = {
      {TransportStatus::Complete, {"he", "llo"}, HttpResult::Done, "hello"},
      {TransportStatus::Complete, {}, HttpResult::Done, ""},
      {TransportStatus::Complete,
       {"\xD6\xD0\xCE\xC4"},
       HttpResult::Done,
       "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
      {TransportStatus::TimedOut, {"partial"}, HttpResult::TimedOut, ""},
      {TransportStatus::Failed, {"partial"}, HttpResult::Failed, ""},
      {TransportStatus::Cancelled, {"partial"}, HttpResult::Failed, ""},
  };
  for (const Case& c : cases) {
    ScriptedTransport::Log log;
    CHttpClient client(std::make_unique<ScriptedTransport>(log, c.status, c.pieces));
    std::string text = "stale";
    EXPECT_EQ(client.HttpGet("http://h/", text), c.result);
    EXPECT_EQ(text, c.text);
    EXPECT_EQ(log.requests.size(), 1u);
  }
}

TEST(CHttpClient, NonHttpAddressFailsWithoutAnyRequest) {
  for (const char* url : {"ftp://example.com/", "file:///etc/hosts", "nonsense", ""}) {
    ScriptedTransport::Log log;
    CHttpClient client(std::make_unique<ScriptedTransport>(log, TransportStatus::Complete,
                                                           std::vector<std::string>{"x"}));
    std::string text = "stale";
    EXPECT_EQ(client.HttpGet(url, text), HttpResult::Failed) << url;
    EXPECT_EQ(text, "") << url;
    EXPECT_TRUE(log.requests.empty()) << url;
  }
}

TEST(CHttpClient, SendsTheUserAgentHeadersAndLimits) {
  ScriptedTransport::Log log;
  HttpLimits limits;
  limits.connectTimeout = std::chrono::milliseconds(123);
  limits.totalTimeout = std::chrono::milliseconds(456);
  limits.maxBodyBytes = 789;
  CHttpClient client(std::make_unique<ScriptedTransport>(log, TransportStatus::Complete,
                                                         std::vector<std::string>{}),
                     limits);
  std::string text;
  ASSERT_EQ(client.HttpGet("http://h/p?a=b c|d", text), HttpResult::Done);
  ASSERT_EQ(log.requests.size(), 1u);
  const HttpRequest& request = log.requests[0];
  EXPECT_EQ(request.url, "http://h/p?a=b%20c|d");
  EXPECT_EQ(request.userAgent,
            "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1; SV1; .NET CLR 2.0.50727)");
  EXPECT_EQ(request.headers,
            (std::vector<std::string>{"Accept: *,*/*", "Accept-Language: zh-cn",
                                      "Content-Type: application/x-www-form-urlencoded"}));
  EXPECT_EQ(request.limits.connectTimeout.count(), 123);
  EXPECT_EQ(request.limits.totalTimeout.count(), 456);
  EXPECT_EQ(request.limits.maxBodyBytes, 789u);
}

TEST(CHttpClient, BodyPastTheBoundFails) {
  struct Case {
    std::size_t bodyBytes;
    HttpResult result;
  };
  for (const Case c : {Case{100, HttpResult::Done}, Case{101, HttpResult::Failed}}) {
    ScriptedTransport::Log log;
    HttpLimits limits;
    limits.maxBodyBytes = 100;
    CHttpClient client(std::make_unique<ScriptedTransport>(
                           log, TransportStatus::Complete,
                           std::vector<std::string>{std::string(c.bodyBytes, 'x')}),
                       limits);
    std::string text;
    EXPECT_EQ(client.HttpGet("http://h/", text), c.result) << c.bodyBytes;
    EXPECT_EQ(text.size(), c.result == HttpResult::Done ? c.bodyBytes : 0u);
  }
}

// A transport that ignores the sink's refusal must not make an oversized body succeed.
class IgnoringTransport final : public IHttpTransport {
 public:
  TransportStatus Get(const HttpRequest&, const BodySink& sink) override {
    sink(std::string(50, 'x'));
    sink(std::string(60, 'x'));
    return TransportStatus::Complete;
  }
  void Cancel() override {}
};

TEST(CHttpClient, OversizedBodyFailsEvenIfTheTransportCompletes) {
  HttpLimits limits;
  limits.maxBodyBytes = 100;
  CHttpClient client(std::make_unique<IgnoringTransport>(), limits);
  std::string text;
  EXPECT_EQ(client.HttpGet("http://h/", text), HttpResult::Failed);
  EXPECT_EQ(text, "");
}

TEST(CHttpClient, CancelReachesTheTransportAndFailsLaterRequestsAtOnce) {
  ScriptedTransport::Log log;
  CHttpClient client(std::make_unique<ScriptedTransport>(log, TransportStatus::Complete,
                                                         std::vector<std::string>{"x"}));
  std::string text;
  ASSERT_EQ(client.HttpGet("http://h/", text), HttpResult::Done);
  client.Cancel();
  EXPECT_EQ(log.cancels, 1);
  EXPECT_EQ(client.HttpGet("http://h/", text), HttpResult::Failed);
  EXPECT_EQ(text, "");
  EXPECT_EQ(log.requests.size(), 1u);
}

TEST(CHttpClient, TwoRequestsOnOneClientUseOneTransport) {
  ScriptedTransport::Log log;
  CHttpClient client(std::make_unique<ScriptedTransport>(log, TransportStatus::Complete,
                                                         std::vector<std::string>{"x"}));
  std::string first, second;
  EXPECT_EQ(client.HttpGet("http://h/1", first), HttpResult::Done);
  EXPECT_EQ(client.HttpGet("http://h/2", second), HttpResult::Done);
  ASSERT_EQ(log.requests.size(), 2u);
  EXPECT_EQ(log.requests[0].url, "http://h/1");
  EXPECT_EQ(log.requests[1].url, "http://h/2");
}

TEST(CHttpClient, ResultCodesKeepTheirNumbers) {
  EXPECT_EQ(static_cast<int>(HttpResult::Done), 0);
  EXPECT_EQ(static_cast<int>(HttpResult::Failed), 1);
  EXPECT_EQ(static_cast<int>(HttpResult::TimedOut), 2);
}

}  // namespace
}  // namespace vz
