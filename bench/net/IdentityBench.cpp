#include <benchmark/benchmark.h>

#include "backends/gtk/net/LinuxIdentity.h"
#include "core/net/MachineIdentity.h"

namespace {

// The whole search as the report runs it, sources created anew each time.
void BM_GetMacAddress_Linux(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(vz::GetMacAddress(vz::gtk::MakeLinuxIdentitySources()));
  }
  state.SetLabel(vz::GetMacAddress(vz::gtk::MakeLinuxIdentitySources()));
}
BENCHMARK(BM_GetMacAddress_Linux)->Unit(benchmark::kMicrosecond);

// The longest path: every source asked (the table twice), as on a machine where the
// first attempts find nothing.
void BM_GetMacAddress_Linux_AllSources(benchmark::State& state) {
  for (auto _ : state) {
    vz::gtk::LinuxInterfaceTable table;
    std::string result(vz::kMacPlaceholder);
    vz::GetMacBySnmp(table, result);
    vz::gtk::UnavailableNetbios netbios;
    vz::GetMacByNetbios(netbios, result);
    vz::gtk::LinuxAdapterList list;
    std::vector<vz::NetPcInfo> infos;
    vz::GetAdapterInfoList(list, infos);
    vz::GetMacBySnmp(table, result);
    vz::gtk::LinuxAdapterAddresses addresses;
    vz::GetMacByAdapterAddresses(addresses, result);
    benchmark::DoNotOptimize(result);
    benchmark::DoNotOptimize(infos);
  }
}
BENCHMARK(BM_GetMacAddress_Linux_AllSources)->Unit(benchmark::kMicrosecond);

}  // namespace
