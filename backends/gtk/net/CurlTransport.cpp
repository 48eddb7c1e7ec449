#include "backends/gtk/net/CurlTransport.h"

#include <curl/curl.h>

#include <string_view>

namespace vz::gtk {
namespace {

// libcurl wants its global set-up once, before any handle, from one thread.
void EnsureCurlGlobal() {
  static const CURLcode initialised = curl_global_init(CURL_GLOBAL_DEFAULT);
  static_cast<void>(initialised);
}

CURLM* Multi(void* p) { return static_cast<CURLM*>(p); }
CURL* Easy(void* p) { return static_cast<CURL*>(p); }

struct Transfer {
  const IHttpTransport::BodySink* sink = nullptr;
  const std::atomic<bool>* cancelled = nullptr;
};

std::size_t OnBody(char* data, std::size_t size, std::size_t count, void* user) {
  auto* transfer = static_cast<Transfer*>(user);
  const std::size_t bytes = size * count;
  try {
    if (!(*transfer->sink)(std::string_view(data, bytes))) return 0;
  } catch (...) {
    return 0;  // nothing may unwind through libcurl
  }
  return bytes;
}

int OnProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  return static_cast<Transfer*>(user)->cancelled->load() ? 1 : 0;
}

TransportStatus StatusOf(CURLcode code, bool cancelled) {
  switch (code) {
    case CURLE_OK:
      return TransportStatus::Complete;
    case CURLE_OPERATION_TIMEDOUT:
      return TransportStatus::TimedOut;
    case CURLE_ABORTED_BY_CALLBACK:
      return cancelled ? TransportStatus::Cancelled : TransportStatus::Failed;
    default:
      return TransportStatus::Failed;
  }
}

class HeaderList {
 public:
  ~HeaderList() { curl_slist_free_all(list_); }
  bool Append(const std::string& line) {
    curl_slist* next = curl_slist_append(list_, line.c_str());
    if (next == nullptr) return false;
    list_ = next;
    return true;
  }
  curl_slist* get() const { return list_; }

 private:
  curl_slist* list_ = nullptr;
};

bool Configure(CURL* easy, const HttpRequest& request, const HeaderList& headers,
               Transfer& transfer) {
  const HttpLimits& limits = request.limits;
  bool ok = true;
  auto set = [&](CURLoption option, auto value) {
    ok = ok && curl_easy_setopt(easy, option, value) == CURLE_OK;
  };
  set(CURLOPT_URL, request.url.c_str());
  set(CURLOPT_HTTPGET, 1L);
  set(CURLOPT_USERAGENT, request.userAgent.c_str());
  set(CURLOPT_HTTPHEADER, headers.get());
  set(CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
  set(CURLOPT_PROTOCOLS_STR, "http,https");
  set(CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  set(CURLOPT_FOLLOWLOCATION, 1L);
  set(CURLOPT_MAXREDIRS, 10L);
  set(CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(limits.connectTimeout.count()));
  set(CURLOPT_TIMEOUT_MS, static_cast<long>(limits.totalTimeout.count()));
  set(CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(limits.maxBodyBytes));
  set(CURLOPT_SSL_VERIFYPEER, 1L);
  set(CURLOPT_SSL_VERIFYHOST, 0L);
  set(CURLOPT_NOSIGNAL, 1L);
  set(CURLOPT_WRITEFUNCTION, &OnBody);
  set(CURLOPT_WRITEDATA, static_cast<void*>(&transfer));
  set(CURLOPT_NOPROGRESS, 0L);
  set(CURLOPT_XFERINFOFUNCTION, &OnProgress);
  set(CURLOPT_XFERINFODATA, static_cast<void*>(&transfer));
  return ok;
}

}  // namespace

CurlTransport::CurlTransport() {
  EnsureCurlGlobal();
  multi_ = curl_multi_init();
  easy_ = curl_easy_init();
}

CurlTransport::~CurlTransport() {
  if (easy_ != nullptr) curl_easy_cleanup(Easy(easy_));
  if (multi_ != nullptr) curl_multi_cleanup(Multi(multi_));
}

void CurlTransport::Cancel() {
  cancelled_.store(true);
  if (multi_ != nullptr) curl_multi_wakeup(Multi(multi_));
}

TransportStatus CurlTransport::Get(const HttpRequest& request, const BodySink& sink) {
  if (cancelled_.load()) return TransportStatus::Cancelled;
  if (multi_ == nullptr || easy_ == nullptr) return TransportStatus::Failed;
  CURLM* multi = Multi(multi_);
  CURL* easy = Easy(easy_);

  // Reset drops the previous request's options; the connections stay with the multi handle.
  curl_easy_reset(easy);
  HeaderList headers;
  for (const std::string& line : request.headers) {
    if (!headers.Append(line)) return TransportStatus::Failed;
  }
  Transfer transfer{&sink, &cancelled_};
  if (!Configure(easy, request, headers, transfer)) return TransportStatus::Failed;
  if (curl_multi_add_handle(multi, easy) != CURLM_OK) return TransportStatus::Failed;

  TransportStatus status = TransportStatus::Failed;
  for (;;) {
    int running = 0;
    if (curl_multi_perform(multi, &running) != CURLM_OK) break;
    bool done = false;
    int queued = 0;
    while (CURLMsg* message = curl_multi_info_read(multi, &queued)) {
      if (message->msg == CURLMSG_DONE && message->easy_handle == easy) {
        status = StatusOf(message->data.result, cancelled_.load());
        done = true;
      }
    }
    if (done || running == 0) break;
    if (cancelled_.load()) {
      status = TransportStatus::Cancelled;
      break;
    }
    // Returns early on socket activity, libcurl's own time-outs or Cancel's wake-up.
    if (curl_multi_poll(multi, nullptr, 0, 1000, nullptr) != CURLM_OK) break;
  }
  curl_multi_remove_handle(multi, easy);
  return status;
}

std::unique_ptr<CHttpClient> MakeCurlHttpClient(HttpLimits limits) {
  return std::make_unique<CHttpClient>(std::make_unique<CurlTransport>(), limits);
}

HttpClientFactory CurlHttpClientFactory(HttpLimits limits) {
  return [limits] { return MakeCurlHttpClient(limits); };
}

}  // namespace vz::gtk
