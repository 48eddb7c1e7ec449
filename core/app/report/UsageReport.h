#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/text/ICodePage.h"

namespace vz {

inline constexpr std::string_view kReportPath = "/receive/micoclient";
inline constexpr std::string_view kReportQueryKey = "?log=";
inline constexpr std::string_view kReportConst = "159372";
// Signs the line; never sent.
inline constexpr std::string_view kReportSalt = "Hw3Rz8Lk2Tq5";
inline constexpr std::string_view kReportGameCode = "kv";
inline constexpr std::string_view kReportEventCode = "4";

// The identifier without a leading "zc" (case-sensitive).
std::string ReportUserId(std::string_view uid);

// Whole seconds as the low 32 bits printed as a signed decimal number.
std::string FormatReportTime(std::int64_t unixSeconds);

// "game|user|event|159372|||||mac|time".
std::string BuildReportLine(std::string_view uid, std::string_view gameCode,
                            std::string_view eventCode, std::string_view macText,
                            std::int64_t unixSeconds);

// MD5String of the line followed by the salt.
std::string SignReportLine(std::string_view line, const ICodePage& codePage);

// base + "/receive/micoclient" + "?log=" + line + "|" + signature, nothing percent-encoded.
std::string BuildReportUrl(std::string_view logBaseUrl, std::string_view line,
                           std::string_view signature);

struct UsageReportRequest {
  std::string line;
  std::string signature;
  std::string url;
};

UsageReportRequest BuildUsageReport(std::string_view logBaseUrl, std::string_view uid,
                                    std::string_view gameCode, std::string_view eventCode,
                                    std::string_view macText, std::int64_t unixSeconds,
                                    const ICodePage& codePage);

}  // namespace vz
