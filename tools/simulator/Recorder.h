#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vz::sim {

enum class Site { Platform, Game, Pay, Log, Service };
inline constexpr Site kAllSites[] = {Site::Platform, Site::Game, Site::Pay, Site::Log,
                                     Site::Service};
std::string_view SiteName(Site site);

struct RecordedRequest {
  std::uint64_t seq = 0;
  Site site = Site::Platform;
  std::string method;
  std::string target;  // as it stood in the request line
  std::string path;
  std::string version;
  std::vector<std::pair<std::string, std::string>> headers;  // every line, sorted by name
  std::string remoteAddr;
  int remotePort = 0;

  // The first value of a header (case-insensitive name), "" when absent.
  std::string Header(std::string_view name) const;
  std::size_t HeaderCount(std::string_view name) const;
};

struct ReceivedReport {
  std::uint64_t seq = 0;  // 1 for the first report since the last reset
  std::string line;       // the log line, percent-decoding undone
  std::string signature;  // what followed the line's last "|"
  std::vector<std::string> fields;
  bool wellFormed = false;      // ten fields, 5 to 8 empty, the client constant, hex signature
  bool signatureValid = false;  // MD5 of line + salt over its GBK bytes
  int remotePort = 0;
};

// What the sites received, shared by all of them; safe to use from any thread.
class Recorder {
 public:
  std::uint64_t AddRequest(RecordedRequest request);
  void AddReport(ReceivedReport report);
  std::vector<RecordedRequest> Requests() const;
  std::vector<RecordedRequest> RequestsTo(Site site) const;
  std::vector<ReceivedReport> Reports() const;
  void Clear();

  // One JSON object per line.
  std::string RequestsJsonLines() const;
  std::string ReportsJsonLines() const;

 private:
  mutable std::mutex mutex_;
  std::uint64_t nextSeq_ = 1;
  std::vector<RecordedRequest> requests_;
  std::vector<ReceivedReport> reports_;
};

}  // namespace vz::sim
