#include <algorithm>
#include <string>

#include "core/app/report/UsageReport.h"
#include "tools/simulator/Site.h"

namespace vz::sim {
namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Undoes %XX only: a "+" stays a "+", as the client never encodes a space that way.
std::string PercentDecode(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size()) {
      const int hi = HexValue(text[i + 1]);
      const int lo = HexValue(text[i + 2]);
      if (hi >= 0 && lo >= 0) {
        out += static_cast<char>(hi * 16 + lo);
        i += 2;
        continue;
      }
    }
    out += text[i];
  }
  return out;
}

std::vector<std::string> Split(std::string_view text, char separator) {
  std::vector<std::string> pieces;
  for (;;) {
    const std::size_t at = text.find(separator);
    pieces.emplace_back(text.substr(0, at));
    if (at == std::string_view::npos) return pieces;
    text.remove_prefix(at + 1);
  }
}

bool IsLowerHex32(std::string_view text) {
  return text.size() == 32 && std::all_of(text.begin(), text.end(), [](char c) {
           return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
         });
}

}  // namespace

// The log endpoint of the usage report. The value is everything behind "?log=" in the
// request line, as the client sends it unencoded (so a "&" in it does not cut it short).
void RegisterLogSite(httplib::Server& server, SiteContext& context) {
  Recorder& recorder = context.recorder;
  const ICodePage& codePage = context.codePage;
  StopSignal& stop = context.stop;
  Behaviour& behaviour = context.behaviour;
  server.Get(std::string(kReportPath), [&recorder, &codePage, &stop, &behaviour](
                                           const httplib::Request& req, httplib::Response& res) {
    ReceivedReport report;
    report.remotePort = req.remote_port;
    const std::string key = std::string(kReportPath) + std::string(kReportQueryKey);
    if (req.target.rfind(key, 0) == 0) {
      const std::string value = PercentDecode(req.target.substr(key.size()));
      const std::size_t bar = value.rfind('|');
      if (bar != std::string::npos) {
        report.line = value.substr(0, bar);
        report.signature = value.substr(bar + 1);
      } else {
        report.line = value;
      }
    }
    report.fields = Split(report.line, '|');
    const auto& f = report.fields;
    report.wellFormed = f.size() == 10 && f[3] == kReportConst && f[4].empty() && f[5].empty() &&
                        f[6].empty() && f[7].empty() && IsLowerHex32(report.signature);
    report.signatureValid =
        report.wellFormed && SignReportLine(report.line, codePage) == report.signature;
    const bool accepted = report.signatureValid;
    recorder.AddReport(std::move(report));
    const std::int64_t delay = behaviour.logDelayMs.load();
    if (delay > 0 && !stop.SleepFor(std::chrono::milliseconds(delay))) {
      res.status = 503;
      return;
    }
    if (accepted) {
      res.set_content("1", "text/plain");
    } else {
      res.status = 400;
      res.set_content("bad report", "text/plain");
    }
  });
}

}  // namespace vz::sim
