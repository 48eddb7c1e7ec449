#include "core/app/report/UsageReport.h"

#include "core/net/Md5.h"

namespace vz {

std::string ReportUserId(std::string_view uid) {
  if (uid.substr(0, 2) == "zc") uid.remove_prefix(2);
  return std::string(uid);
}

std::string FormatReportTime(std::int64_t unixSeconds) {
  const auto low = static_cast<std::uint32_t>(static_cast<std::uint64_t>(unixSeconds));
  return std::to_string(static_cast<std::int32_t>(low));
}

std::string BuildReportLine(std::string_view uid, std::string_view gameCode,
                            std::string_view eventCode, std::string_view macText,
                            std::int64_t unixSeconds) {
  std::string line;
  line.reserve(64);
  line.append(gameCode).append("|");
  line.append(ReportUserId(uid)).append("|");
  line.append(eventCode).append("|");
  line.append(kReportConst).append("|||||");
  line.append(macText).append("|");
  line.append(FormatReportTime(unixSeconds));
  return line;
}

std::string SignReportLine(std::string_view line, const ICodePage& codePage) {
  std::string salted(line);
  salted.append(kReportSalt);
  return MD5String(salted, codePage);
}

std::string BuildReportUrl(std::string_view logBaseUrl, std::string_view line,
                           std::string_view signature) {
  std::string url(logBaseUrl);
  url.append(kReportPath).append(kReportQueryKey).append(line).append("|").append(signature);
  return url;
}

UsageReportRequest BuildUsageReport(std::string_view logBaseUrl, std::string_view uid,
                                    std::string_view gameCode, std::string_view eventCode,
                                    std::string_view macText, std::int64_t unixSeconds,
                                    const ICodePage& codePage) {
  UsageReportRequest report;
  report.line = BuildReportLine(uid, gameCode, eventCode, macText, unixSeconds);
  report.signature = SignReportLine(report.line, codePage);
  report.url = BuildReportUrl(logBaseUrl, report.line, report.signature);
  return report;
}

}  // namespace vz
