#include <benchmark/benchmark.h>

#include <string>

#include "backends/posix/IconvCodePage.h"
#include "core/app/report/UsageReport.h"
#include "core/net/Md5.h"

namespace {

const std::string kLine = "kv|12345|4|159372|||||02-FC-00-00-00-01|1700000000";

void BM_MD5String_ReportLine(benchmark::State& state) {
  const vz::posix::IconvCodePage gbk;
  const std::string salted = kLine + std::string(vz::kReportSalt);
  for (auto _ : state) benchmark::DoNotOptimize(vz::MD5String(salted, gbk));
}
BENCHMARK(BM_MD5String_ReportLine);

void BM_MD5String_Chinese(benchmark::State& state) {
  const vz::posix::IconvCodePage gbk;
  const std::string text = "kv|张三|4|159372|||||02-FC-00-00-00-01|1700000000Hw3Rz8Lk2Tq5";
  for (auto _ : state) benchmark::DoNotOptimize(vz::MD5String(text, gbk));
}
BENCHMARK(BM_MD5String_Chinese);

void BM_Md5Bytes(benchmark::State& state) {
  const std::string bytes(static_cast<std::size_t>(state.range(0)), 'x');
  for (auto _ : state) benchmark::DoNotOptimize(vz::Md5Of(bytes));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_Md5Bytes)->Arg(64)->Arg(1024)->Arg(1 << 20);

void BM_BuildUsageReport(benchmark::State& state) {
  const vz::posix::IconvCodePage gbk;
  for (auto _ : state) {
    benchmark::DoNotOptimize(vz::BuildUsageReport("http://127.0.0.1:18083", "zc12345", "kv", "4",
                                                  "02-FC-00-00-00-01", 1700000000, gbk));
  }
}
BENCHMARK(BM_BuildUsageReport);

}  // namespace

BENCHMARK_MAIN();
