#include "core/net/HttpClient.h"

#include <algorithm>
#include <charconv>
#include <utility>

#include "core/text/Utf8.h"

namespace vz {
namespace {

constexpr std::string_view kSchemeEnd = "://";

bool IsUnsafeTargetByte(unsigned char c) { return c <= 0x20 || c >= 0x7F; }

// Index of the first byte behind "scheme://authority", or 0 without a scheme.
std::size_t TargetStart(std::string_view url) {
  const std::size_t scheme = url.find(kSchemeEnd);
  if (scheme == std::string_view::npos) return 0;
  const std::size_t authority = scheme + kSchemeEnd.size();
  const std::size_t end = url.find_first_of("/?#", authority);
  return end == std::string_view::npos ? url.size() : end;
}

std::string_view HeaderName(std::string_view line) {
  std::string_view name = line.substr(0, line.find(':'));
  while (!name.empty() && (name.back() == ' ' || name.back() == '\t')) name.remove_suffix(1);
  return name;
}

}  // namespace

std::optional<HttpUrl> ParseHttpUrl(std::string_view url) {
  const std::size_t schemeEnd = url.find(kSchemeEnd);
  if (schemeEnd == std::string_view::npos) return std::nullopt;
  HttpUrl out;
  const std::string_view scheme = url.substr(0, schemeEnd);
  if (utf8::EqualsIgnoreAsciiCase(scheme, "https")) {
    out.secure = true;
    out.port = 443;
  } else if (utf8::EqualsIgnoreAsciiCase(scheme, "http")) {
    out.port = 80;
  } else {
    return std::nullopt;
  }

  const std::size_t authorityStart = schemeEnd + kSchemeEnd.size();
  const std::size_t targetStart = TargetStart(url);
  std::string_view authority = url.substr(authorityStart, targetStart - authorityStart);
  if (const std::size_t at = authority.rfind('@'); at != std::string_view::npos) {
    authority.remove_prefix(at + 1);
  }

  std::string_view host = authority;
  std::string_view port;
  if (!authority.empty() && authority.front() == '[') {
    const std::size_t close = authority.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    host = authority.substr(0, close + 1);
    const std::string_view rest = authority.substr(close + 1);
    if (!rest.empty()) {
      if (rest.front() != ':') return std::nullopt;
      port = rest.substr(1);
    }
  } else if (const std::size_t colon = authority.rfind(':'); colon != std::string_view::npos) {
    host = authority.substr(0, colon);
    port = authority.substr(colon + 1);
  }
  if (host.empty() || host == "[]") return std::nullopt;
  if (!port.empty()) {
    int value = 0;
    const auto [end, ec] = std::from_chars(port.data(), port.data() + port.size(), value);
    if (ec != std::errc() || end != port.data() + port.size() || value < 1 || value > 65535) {
      return std::nullopt;
    }
    out.port = value;
  }
  out.host = std::string(host);

  std::string_view object = url.substr(targetStart);
  object = object.substr(0, object.find('#'));
  if (object.empty() || object.front() != '/') {
    out.object = "/" + std::string(object);
  } else {
    out.object = std::string(object);
  }
  return out;
}

std::string MakeRequestTargetSafe(std::string_view url) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  const std::size_t start = TargetStart(url);
  std::string out(url.substr(0, start));
  out.reserve(url.size());
  for (const char ch : url.substr(start)) {
    const auto c = static_cast<unsigned char>(ch);
    if (IsUnsafeTargetByte(c)) {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 0x0F];
    } else {
      out += ch;
    }
  }
  return out;
}

void AddHeaderIfNew(std::vector<std::string>& headers, std::string_view line) {
  const std::string_view name = HeaderName(line);
  const bool present = std::any_of(headers.begin(), headers.end(), [&](const std::string& h) {
    return utf8::EqualsIgnoreAsciiCase(HeaderName(h), name);
  });
  if (!present) headers.emplace_back(line);
}

bool HttpBodyCollector::Append(std::string_view bytes) {
  if (bytes.size() > maxBytes_ - std::min(received_, maxBytes_)) {
    received_ = maxBytes_ + 1;
    return false;
  }
  received_ += bytes.size();
  while (!bytes.empty()) {
    const std::size_t take = std::min(bytes.size(), kHttpReadChunkBytes - chunk_.size());
    chunk_.append(bytes.substr(0, take));
    bytes.remove_prefix(take);
    if (chunk_.size() == kHttpReadChunkBytes) Flush();
  }
  return true;
}

void HttpBodyCollector::Flush() {
  collected_.append(chunk_, 0, chunk_.find('\0'));
  chunk_.clear();
}

std::string HttpBodyCollector::Finish() {
  Flush();
  return std::move(collected_);
}

CHttpClient::CHttpClient(std::unique_ptr<IHttpTransport> transport, HttpLimits limits)
    : transport_(std::move(transport)), limits_(limits) {}

CHttpClient::~CHttpClient() = default;

HttpResult CHttpClient::HttpGet(const std::string& url, std::string& text) {
  text.clear();
  if (!ParseHttpUrl(url)) return HttpResult::Failed;
  if (!transport_ || cancelled_.load()) return HttpResult::Failed;

  HttpRequest request;
  request.url = MakeRequestTargetSafe(url);
  request.userAgent = std::string(kHttpUserAgent);
  request.limits = limits_;
  AddHeaderIfNew(request.headers, "Accept: *,*/*");
  AddHeaderIfNew(request.headers, "Accept-Language: zh-cn");
  // Sent although a GET has no body, as the platform's servers have always seen it.
  AddHeaderIfNew(request.headers, "Content-Type: application/x-www-form-urlencoded");

  HttpBodyCollector body(limits_.maxBodyBytes);
  const TransportStatus status =
      transport_->Get(request, [&body](std::string_view bytes) { return body.Append(bytes); });
  switch (status) {
    case TransportStatus::Complete:
      if (body.Exceeded()) break;
      text = utf8::Sanitize(body.Finish());
      return HttpResult::Done;
    case TransportStatus::TimedOut:
      return HttpResult::TimedOut;
    case TransportStatus::Failed:
    case TransportStatus::Cancelled:
      break;
  }
  return HttpResult::Failed;
}

void CHttpClient::Cancel() {
  cancelled_.store(true);
  if (transport_) transport_->Cancel();
}

}  // namespace vz
