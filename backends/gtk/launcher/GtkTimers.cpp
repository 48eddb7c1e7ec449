#include "backends/gtk/launcher/GtkTimers.h"

#include <glib.h>

namespace vz::gtk {

struct GtkTimers::Entry {
  GtkTimers* owner;
  int id;
};

GtkTimers::GtkTimers(std::function<void(int)> onTimer) : onTimer_(std::move(onTimer)) {}

GtkTimers::~GtkTimers() {
  for (auto& [id, source] : sources_) g_source_remove(source);
}

void GtkTimers::Start(int id, unsigned periodMs) {
  Stop(id);
  auto* entry = new Entry{this, id};
  sources_[id] = g_timeout_add_full(
      G_PRIORITY_DEFAULT, periodMs,
      [](gpointer p) -> gboolean {
        auto* e = static_cast<Entry*>(p);
        // The handler may stop this very timer; the entry lives until the source goes.
        if (e->owner->onTimer_) e->owner->onTimer_(e->id);
        return G_SOURCE_CONTINUE;
      },
      entry, [](gpointer p) { delete static_cast<Entry*>(p); });
}

void GtkTimers::Stop(int id) {
  auto it = sources_.find(id);
  if (it == sources_.end()) return;
  g_source_remove(it->second);
  sources_.erase(it);
}

}  // namespace vz::gtk
