#include "backends/gtk/launcher/MainLoopQueue.h"

#include <glib.h>

namespace vz::gtk {

// Outlives the queue while an idle source still refers to it.
struct MainLoopQueue::Shared {
  std::atomic<bool> scheduled{false};
  std::atomic<bool> alive{true};
  MessageQueue* queue = nullptr;
};

MainLoopQueue::MainLoopQueue() : shared_(std::make_shared<Shared>()) {
  queue_ = std::make_unique<MessageQueue>([this] { Wake(); });
  shared_->queue = queue_.get();
}

MainLoopQueue::~MainLoopQueue() {
  shared_->alive = false;
  queue_.reset();
}

void MainLoopQueue::Wake() {
  if (shared_->scheduled.exchange(true)) return;
  auto* ref = new std::shared_ptr<Shared>(shared_);
  g_idle_add_full(G_PRIORITY_DEFAULT, &MainLoopQueue::Dispatch, ref,
                  [](gpointer p) { delete static_cast<std::shared_ptr<Shared>*>(p); });
}

int MainLoopQueue::Dispatch(void* data) {
  auto& shared = *static_cast<std::shared_ptr<Shared>*>(data);
  shared->scheduled = false;
  if (shared->alive && shared->queue) shared->queue->DispatchPending();
  return G_SOURCE_REMOVE;
}

}  // namespace vz::gtk
