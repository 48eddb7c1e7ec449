#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>

#include <httplib.h>

#include "core/text/ICodePage.h"
#include "tools/simulator/Recorder.h"
#include "tools/simulator/Simulator.h"

// What a site's pages are registered with. Each site has its own registration function in
// its own file; add a page there.
namespace vz::sim {

// Lets slow answers end at once when the simulator stops.
class StopSignal {
 public:
  void Stop();
  // Waits for `duration`; false when the simulator stopped first.
  bool SleepFor(std::chrono::milliseconds duration);

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  bool stopped_ = false;
};

// Switches that tests flip at run time.
struct Behaviour {
  std::atomic<std::int64_t> logDelayMs{0};
};

struct SiteContext {
  Site site;
  Recorder& recorder;
  StopSignal& stop;
  Behaviour& behaviour;
  const ICodePage& codePage;
  const Ports& ports;  // the bound ports; complete before the first request
};

// /__sim/requests, /__sim/reports, /__sim/reset, /__sim/ports, /__sim/log-delay?ms=N: what
// tests ask and switch.
void RegisterControlPages(httplib::Server& server, SiteContext& context);
// /__test/...: the misbehaving answers of the network tests.
void RegisterTestPages(httplib::Server& server, SiteContext& context);

void RegisterPlatformSite(httplib::Server& server, SiteContext& context);
void RegisterGameSite(httplib::Server& server, SiteContext& context);
void RegisterPaySite(httplib::Server& server, SiteContext& context);
void RegisterLogSite(httplib::Server& server, SiteContext& context);
void RegisterServiceSite(httplib::Server& server, SiteContext& context);

}  // namespace vz::sim
