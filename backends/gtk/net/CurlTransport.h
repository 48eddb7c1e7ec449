#pragma once

#include <atomic>
#include <memory>

#include "core/net/HttpClient.h"
#include "core/net/HttpTransport.h"

namespace vz::gtk {

// One libcurl session: one easy handle on one multi handle, so that the connections of
// successive requests are reused. The proxy comes from the environment (http_proxy,
// https_proxy, no_proxy); the peer's certificate chain is verified, its host name is not.
// Only http and https are spoken, also after redirects.
class CurlTransport final : public IHttpTransport {
 public:
  CurlTransport();
  ~CurlTransport() override;
  CurlTransport(const CurlTransport&) = delete;
  CurlTransport& operator=(const CurlTransport&) = delete;

  TransportStatus Get(const HttpRequest& request, const BodySink& sink) override;
  // Wakes the request's wait at once; the transfer is aborted before it goes on.
  void Cancel() override;

  bool IsCancelled() const { return cancelled_.load(); }

 private:
  void* multi_ = nullptr;  // CURLM*
  void* easy_ = nullptr;   // CURL*
  std::atomic<bool> cancelled_{false};
};

// A client on its own libcurl session.
std::unique_ptr<CHttpClient> MakeCurlHttpClient(HttpLimits limits = {});

// Creates such clients; what the usage report and the heartbeat are given.
HttpClientFactory CurlHttpClientFactory(HttpLimits limits = {});

}  // namespace vz::gtk
