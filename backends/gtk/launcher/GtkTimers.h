#pragma once

#include <functional>
#include <unordered_map>

#include "core/app/launcher/LauncherPorts.h"

namespace vz::gtk {

// Periodic timers on the main loop, reported by id.
class GtkTimers final : public ITimers {
 public:
  explicit GtkTimers(std::function<void(int)> onTimer);
  ~GtkTimers() override;
  GtkTimers(const GtkTimers&) = delete;
  GtkTimers& operator=(const GtkTimers&) = delete;

  void Start(int id, unsigned periodMs) override;
  void Stop(int id) override;

 private:
  struct Entry;
  std::function<void(int)> onTimer_;
  std::unordered_map<int, unsigned> sources_;
};

}  // namespace vz::gtk
