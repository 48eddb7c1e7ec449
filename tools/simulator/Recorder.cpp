#include "tools/simulator/Recorder.h"

#include <algorithm>

#include "core/text/Utf8.h"
#include "tools/simulator/Json.h"

namespace vz::sim {

std::string_view SiteName(Site site) {
  switch (site) {
    case Site::Platform:
      return "platform";
    case Site::Game:
      return "game";
    case Site::Pay:
      return "pay";
    case Site::Log:
      return "log";
    case Site::Service:
      return "service";
  }
  return "unknown";
}

std::string RecordedRequest::Header(std::string_view name) const {
  for (const auto& [key, value] : headers) {
    if (utf8::EqualsIgnoreAsciiCase(key, name)) return value;
  }
  return {};
}

std::size_t RecordedRequest::HeaderCount(std::string_view name) const {
  return static_cast<std::size_t>(std::count_if(headers.begin(), headers.end(), [&](const auto& h) {
    return utf8::EqualsIgnoreAsciiCase(h.first, name);
  }));
}

std::uint64_t Recorder::AddRequest(RecordedRequest request) {
  std::lock_guard lock(mutex_);
  request.seq = nextSeq_++;
  // A long-running simulator keeps the newest requests only.
  constexpr std::size_t kMaxKept = 100000;
  if (requests_.size() >= kMaxKept)
    requests_.erase(requests_.begin(), requests_.begin() + kMaxKept / 10);
  requests_.push_back(std::move(request));
  return requests_.back().seq;
}

void Recorder::AddReport(ReceivedReport report) {
  std::lock_guard lock(mutex_);
  report.seq = reports_.size() + 1;
  reports_.push_back(std::move(report));
}

std::vector<RecordedRequest> Recorder::Requests() const {
  std::lock_guard lock(mutex_);
  return requests_;
}

std::vector<RecordedRequest> Recorder::RequestsTo(Site site) const {
  std::lock_guard lock(mutex_);
  std::vector<RecordedRequest> out;
  std::copy_if(requests_.begin(), requests_.end(), std::back_inserter(out),
               [site](const RecordedRequest& r) { return r.site == site; });
  return out;
}

std::vector<ReceivedReport> Recorder::Reports() const {
  std::lock_guard lock(mutex_);
  return reports_;
}

void Recorder::Clear() {
  std::lock_guard lock(mutex_);
  requests_.clear();
  reports_.clear();
}

std::string Recorder::RequestsJsonLines() const {
  std::string out;
  for (const RecordedRequest& r : Requests()) {
    out += "{\"seq\":" + std::to_string(r.seq) + ",\"site\":" + JsonString(SiteName(r.site)) +
           ",\"method\":" + JsonString(r.method) + ",\"target\":" + JsonString(r.target) +
           ",\"path\":" + JsonString(r.path) + ",\"version\":" + JsonString(r.version) +
           ",\"remotePort\":" + std::to_string(r.remotePort) + ",\"headers\":[";
    for (std::size_t i = 0; i < r.headers.size(); ++i) {
      if (i > 0) out += ',';
      out += "[" + JsonString(r.headers[i].first) + "," + JsonString(r.headers[i].second) + "]";
    }
    out += "]}\n";
  }
  return out;
}

std::string Recorder::ReportsJsonLines() const {
  std::string out;
  for (const ReceivedReport& r : Reports()) {
    out += "{\"seq\":" + std::to_string(r.seq) + ",\"line\":" + JsonString(r.line) +
           ",\"signature\":" + JsonString(r.signature) +
           ",\"wellFormed\":" + (r.wellFormed ? "true" : "false") +
           ",\"signatureValid\":" + (r.signatureValid ? "true" : "false") +
           ",\"remotePort\":" + std::to_string(r.remotePort) + ",\"fields\":[";
    for (std::size_t i = 0; i < r.fields.size(); ++i) {
      if (i > 0) out += ',';
      out += JsonString(r.fields[i]);
    }
    out += "]}\n";
  }
  return out;
}

}  // namespace vz::sim
