#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/net/HttpTransport.h"

namespace vz {

enum class HttpResult : int { Done = 0, Failed = 1, TimedOut = 2 };

inline constexpr std::string_view kHttpUserAgent =
    "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1; SV1; .NET CLR 2.0.50727)";

// Reads of at most this many bytes; a zero byte ends the read it sits in.
inline constexpr std::size_t kHttpReadChunkBytes = 1024;

struct HttpUrl {
  bool secure = false;
  std::string host;
  int port = 0;
  std::string object;  // path and query, "/" at least
};

// Splits an absolute address; nullopt unless the scheme is http or https (any case) and a
// host is present.
std::optional<HttpUrl> ParseHttpUrl(std::string_view url);

// Percent-encodes the bytes that cannot stand in a request line (controls, space, DEL,
// non-ASCII) behind the host, so no text can split or corrupt the request. Every other
// byte, "|" included, goes out as it is.
std::string MakeRequestTargetSafe(std::string_view url);

// Appends `line` ("Name: value") unless a header of that name is present already.
void AddHeaderIfNew(std::vector<std::string>& headers, std::string_view line);

// Collects a body the way it is read: in consecutive reads of kHttpReadChunkBytes, each
// keeping only its bytes before its first zero byte. Counts every byte the server sent
// against the bound.
class HttpBodyCollector {
 public:
  explicit HttpBodyCollector(std::size_t maxBytes) : maxBytes_(maxBytes) {}
  // False once the server has sent more than the bound.
  bool Append(std::string_view bytes);
  bool Exceeded() const { return received_ > maxBytes_; }
  // The collected bytes, the last partial read included.
  std::string Finish();

 private:
  void Flush();
  std::size_t maxBytes_;
  std::size_t received_ = 0;
  std::string chunk_;
  std::string collected_;
};

// Plain GET requests over one session of the transport; used by one thread at a time,
// except Cancel.
class CHttpClient {
 public:
  explicit CHttpClient(std::unique_ptr<IHttpTransport> transport, HttpLimits limits = {});
  virtual ~CHttpClient();
  CHttpClient(const CHttpClient&) = delete;
  CHttpClient& operator=(const CHttpClient&) = delete;

  // `text` receives the body as UTF-8 (ill-formed bytes become U+FFFD), or stays empty
  // when no whole body was read. The HTTP status is not examined.
  HttpResult HttpGet(const std::string& url, std::string& text);

  // Any thread: ends the request in flight (Failed) and fails every later one at once.
  void Cancel();

 private:
  std::unique_ptr<IHttpTransport> transport_;
  HttpLimits limits_;
  std::atomic<bool> cancelled_{false};
};

using HttpClientFactory = std::function<std::unique_ptr<CHttpClient>()>;

}  // namespace vz
