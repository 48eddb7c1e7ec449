#include "core/app/report/UsageReport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "backends/posix/IconvCodePage.h"

namespace vz {
namespace {

constexpr std::int64_t kNow = 1700000000;
constexpr const char* kMac = "02-FC-00-00-00-01";
constexpr const char* kBase = "http://127.0.0.1:18083";

TEST(UsageReport, LineAndSignatureForFixedClockAndIdentity) {
  const posix::IconvCodePage gbk;
  struct Case {
    const char* uid;
    const char* line;
    const char* signature;
  };
  // Signatures: MD5 of the line followed by "Hw3Rz8Lk2Tq5", over its GBK bytes.
  const Case cases[] = {
      {"zc12345", "kv|12345|4|159372|||||02-FC-00-00-00-01|1700000000",
       "24ccde27188c4a0dfcf6d8f43c3b9b04"},
      {"ZC12345", "kv|ZC12345|4|159372|||||02-FC-00-00-00-01|1700000000",
       "8caf1b7cba603963be645278a84d6d55"},
      {"z", "kv|z|4|159372|||||02-FC-00-00-00-01|1700000000", "b0c9124eb7d96da26bd48c4f61f7fc63"},
      {"zc", "kv||4|159372|||||02-FC-00-00-00-01|1700000000", "89fee3794443476e240cd072ec98868d"},
      {"zc张三", "kv|张三|4|159372|||||02-FC-00-00-00-01|1700000000",
       "c67f527d5babbf50997fb749b7ebb538"},
  };
  for (const Case& c : cases) {
    const UsageReportRequest report = BuildUsageReport(kBase, c.uid, "kv", "4", kMac, kNow, gbk);
    EXPECT_EQ(report.line, c.line) << c.uid;
    EXPECT_EQ(report.signature, c.signature) << c.uid;
    EXPECT_EQ(report.url,
              std::string(kBase) + "/receive/micoclient?log=" + c.line + "|" + c.signature)
        << c.uid;
    EXPECT_EQ(std::count(report.line.begin(), report.line.end(), '|'), 9) << c.uid;
    EXPECT_EQ(report.url.find("Hw3Rz8Lk2Tq5"), std::string::npos) << c.uid;
  }
}

TEST(UsageReport, ZcRuleIsCaseSensitiveAndOnlyAtTheStart) {
  const std::pair<const char*, const char*> cases[] = {
      {"zc12345", "12345"}, {"ZC12345", "ZC12345"}, {"Zc1", "Zc1"}, {"zC1", "zC1"}, {"z", "z"},
      {"zc", ""},           {"zczc1", "zc1"},       {"1zc", "1zc"}, {"", ""},
  };
  for (const auto& [uid, field] : cases) EXPECT_EQ(ReportUserId(uid), field) << uid;
}

TEST(UsageReport, TimeIsTheLowThirtyTwoBitsAsSignedDecimal) {
  const std::pair<std::int64_t, const char*> cases[] = {
      {0, "0"},
      {1700000000, "1700000000"},
      {2147483647, "2147483647"},
      {2147483648, "-2147483648"},
      {4294967295, "-1"},
      {4294967296 + 5, "5"},
      {-1, "-1"},
  };
  for (const auto& [seconds, text] : cases) EXPECT_EQ(FormatReportTime(seconds), text);
}

TEST(UsageReport, FieldsFiveToEightAreEmpty) {
  const std::string line = BuildReportLine("zc9", "kv", "4", "", 5);
  EXPECT_EQ(line, "kv|9|4|159372||||||5");
  const std::string placeholder = BuildReportLine("9", "kv", "4", "00-00-00-00-00-00", 5);
  EXPECT_EQ(placeholder, "kv|9|4|159372|||||00-00-00-00-00-00|5");
}

TEST(UsageReport, SignatureChangesWithEveryFieldAndTheTime) {
  const posix::IconvCodePage gbk;
  const std::string lines[] = {
      BuildReportLine("zc1", "kv", "4", kMac, kNow),
      BuildReportLine("zc2", "kv", "4", kMac, kNow),
      BuildReportLine("zc1", "kw", "4", kMac, kNow),
      BuildReportLine("zc1", "kv", "5", kMac, kNow),
      BuildReportLine("zc1", "kv", "4", "02-FC-00-00-00-02", kNow),
      BuildReportLine("zc1", "kv", "4", kMac, kNow + 1),
  };
  std::set<std::string> signatures;
  for (const std::string& line : lines) {
    const std::string signature = SignReportLine(line, gbk);
    EXPECT_EQ(signature.size(), 32u);
    EXPECT_EQ(signature.find_first_not_of("0123456789abcdef"), std::string::npos);
    signatures.insert(signature);
  }
  EXPECT_EQ(signatures.size(), std::size(lines));
}

TEST(UsageReport, NothingInTheAddressIsPercentEncoded) {
  const posix::IconvCodePage gbk;
  const UsageReportRequest report =
      BuildUsageReport("http://log.example", "a b&c%", "kv", "4", kMac, kNow, gbk);
  EXPECT_EQ(report.url.rfind("http://log.example/receive/micoclient?log=kv|a b&c%|4|", 0), 0u)
      << report.url;
}

}  // namespace
}  // namespace vz
