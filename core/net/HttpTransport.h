#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vz {

// Bounds of one request. The answers we expect are a few bytes and the heartbeat repeats
// every minute, so a dead or hostile server must neither hold a caller nor fill memory.
struct HttpLimits {
  std::chrono::milliseconds connectTimeout{10'000};
  std::chrono::milliseconds totalTimeout{30'000};
  std::size_t maxBodyBytes = 1024 * 1024;
};

struct HttpRequest {
  std::string url;  // absolute http(s) address whose request target is already safe
  std::string userAgent;
  std::vector<std::string> headers;  // "Name: value" lines
  HttpLimits limits;
};

enum class TransportStatus { Complete, Failed, TimedOut, Cancelled };

// One HTTP session (proxy, connection reuse) of the platform's network stack.
class IHttpTransport {
 public:
  virtual ~IHttpTransport() = default;

  // Receives body bytes as they arrive; returning false aborts the request (Failed).
  using BodySink = std::function<bool(std::string_view bytes)>;

  // Sends one GET and blocks until the whole body was handed to `sink` or the request
  // ended otherwise. Any HTTP status counts as Complete.
  virtual TransportStatus Get(const HttpRequest& request, const BodySink& sink) = 0;

  // Callable from any thread: aborts the request in flight and refuses later ones.
  virtual void Cancel() = 0;
};

}  // namespace vz
