#pragma once

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "tools/simulator/Site.h"

namespace vz::sim {

// Counts the beacons a page sends ("<path>stat?ev=<event>&..."), and lets a caller wait
// for the next one ("<path>stat-wait?ev=<event>&after=<count>&ms=<timeout>" answers the
// count as soon as it exceeds `after`, or at the time-out). One instance per site.
class PageStats {
 public:
  void Add(const std::string& event) {
    {
      std::lock_guard lock(mutex_);
      ++counts_[event];
    }
    changed_.notify_all();
  }
  long Count(const std::string& event) {
    std::lock_guard lock(mutex_);
    return counts_[event];
  }
  // Waits in short slices so that a stopping simulator is never held up.
  long WaitAbove(const std::string& event, long after, std::chrono::milliseconds timeout,
                 StopSignal& stop) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    std::unique_lock lock(mutex_);
    while (counts_[event] <= after && std::chrono::steady_clock::now() < end) {
      changed_.wait_for(lock, std::chrono::milliseconds(50));
      lock.unlock();
      const bool running = stop.SleepFor(std::chrono::milliseconds(0));
      lock.lock();
      if (!running) break;
    }
    return counts_[event];
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::map<std::string, long> counts_;
};

inline long LongParam(const httplib::Request& req, const char* name, long fallback) {
  if (!req.has_param(name)) return fallback;
  try {
    return std::stol(req.get_param_value(name));
  } catch (...) {
    return fallback;
  }
}

// Registers the beacon and its waiter under `prefix` (ending in "/").
inline void RegisterPageStats(httplib::Server& server, SiteContext& context,
                              const std::string& prefix) {
  auto stats = std::make_shared<PageStats>();
  server.Get(prefix + "stat", [stats](const httplib::Request& req, httplib::Response& res) {
    stats->Add(req.get_param_value("ev"));
    res.status = 204;
  });
  StopSignal& stop = context.stop;
  server.Get(
      prefix + "stat-wait", [stats, &stop](const httplib::Request& req, httplib::Response& res) {
        const long after = LongParam(req, "after", 0);
        const long ms = std::clamp(LongParam(req, "ms", 30000), 0L, 600000L);
        const long count =
            stats->WaitAbove(req.get_param_value("ev"), after, std::chrono::milliseconds(ms), stop);
        res.set_content(std::to_string(count) + "\n", "text/plain");
      });
}

}  // namespace vz::sim
