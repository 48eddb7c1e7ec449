#include <algorithm>
#include <memory>
#include <string>

#include "tools/simulator/Site.h"

namespace vz::sim {
namespace {

constexpr std::size_t kMaxGeneratedBytes = 16 * 1024 * 1024;

// Waits longer than ten minutes are cut short; nothing needs more.
constexpr std::size_t kMaxWaitMs = 600000;

std::size_t SizeParam(const httplib::Request& req, const char* name, std::size_t fallback) {
  if (!req.has_param(name)) return fallback;
  try {
    return static_cast<std::size_t>(std::stoull(req.get_param_value(name)));
  } catch (...) {
    return fallback;
  }
}

std::string Pattern(std::size_t n, char first) {
  std::string s(n, ' ');
  for (std::size_t i = 0; i < n; ++i) s[i] = static_cast<char>(first + i % 26);
  return s;
}

// Sends `body` as HTTP chunks of `piece` bytes, so the client sees network boundaries that
// have nothing to do with its own reads.
void SendInPieces(httplib::Response& res, std::string body, std::size_t piece) {
  auto shared = std::make_shared<const std::string>(std::move(body));
  piece = std::max<std::size_t>(piece, 1);
  res.set_chunked_content_provider("application/octet-stream",
                                   [shared, piece](std::size_t offset, httplib::DataSink& sink) {
                                     if (offset >= shared->size()) {
                                       sink.done();
                                       return true;
                                     }
                                     const std::size_t n = std::min(piece, shared->size() - offset);
                                     return sink.write(shared->data() + offset, n);
                                   });
}

}  // namespace

// The test pages, the same on every site:
//   /__test/status/<code>   that status with the body "status <code> body"
//   /__test/slow?ms=N       the answer "late" after N ms (default 10000)
//   /__test/stall?ms=N      the body "partial", then N ms of silence, then "rest"
//   /__test/bytes/<n>       n bytes "abc...zab..."; ?piece=k sends them in chunks of k
//   /__test/zero            1024 bytes with a zero byte at offset 10, 1024 more, "tail"
//   /__test/gbk             "GBK:" and 中文 in GBK, declared as GBK
//   /__test/redirect?to=U   302 to U
void RegisterTestPages(httplib::Server& server, SiteContext& context) {
  server.Get(R"(/__test/status/(\d{3}))", [](const httplib::Request& req, httplib::Response& res) {
    res.status = std::stoi(req.matches[1].str());
    res.set_content("status " + req.matches[1].str() + " body", "text/plain");
  });

  StopSignal& stop = context.stop;
  server.Get("/__test/slow", [&stop](const httplib::Request& req, httplib::Response& res) {
    const auto ms =
        std::chrono::milliseconds(std::min<std::size_t>(SizeParam(req, "ms", 10000), kMaxWaitMs));
    if (!stop.SleepFor(ms)) {
      res.status = 503;
      return;
    }
    res.set_content("late", "text/plain");
  });

  server.Get("/__test/stall", [&stop](const httplib::Request& req, httplib::Response& res) {
    const auto ms =
        std::chrono::milliseconds(std::min<std::size_t>(SizeParam(req, "ms", 10000), kMaxWaitMs));
    res.set_chunked_content_provider("text/plain",
                                     [&stop, ms](std::size_t offset, httplib::DataSink& sink) {
                                       if (offset == 0) return sink.write("partial", 7);
                                       if (!stop.SleepFor(ms)) return false;
                                       sink.write("rest", 4);
                                       sink.done();
                                       return true;
                                     });
  });

  server.Get(R"(/__test/bytes/(\d+))", [](const httplib::Request& req, httplib::Response& res) {
    const std::size_t n =
        std::min<std::size_t>(std::stoull(req.matches[1].str()), kMaxGeneratedBytes);
    std::string body = Pattern(n, 'a');
    const std::size_t piece = SizeParam(req, "piece", 0);
    if (piece > 0) {
      SendInPieces(res, std::move(body), piece);
    } else {
      res.set_content(body, "application/octet-stream");
    }
  });

  server.Get("/__test/zero", [](const httplib::Request& req, httplib::Response& res) {
    std::string body = Pattern(1024, 'a');
    body[10] = '\0';
    body += Pattern(1024, 'A');
    body += "tail";
    const std::size_t piece = SizeParam(req, "piece", 0);
    if (piece > 0) {
      SendInPieces(res, std::move(body), piece);
    } else {
      res.set_content(body, "application/octet-stream");
    }
  });

  server.Get("/__test/gbk", [](const httplib::Request&, httplib::Response& res) {
    res.set_content("GBK:\xD6\xD0\xCE\xC4", "text/plain; charset=gbk");
  });

  server.Get("/__test/redirect", [](const httplib::Request& req, httplib::Response& res) {
    res.set_redirect(req.get_param_value("to"));
  });
}

}  // namespace vz::sim
