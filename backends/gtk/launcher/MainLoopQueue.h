#pragma once

#include <atomic>
#include <memory>

#include "core/app/MessageQueue.h"

namespace vz::gtk {

// The core's message queue, delivered on the GLib main loop. Posting from a worker
// wakes the loop with one idle source at a time.
class MainLoopQueue {
 public:
  MainLoopQueue();
  ~MainLoopQueue();
  MainLoopQueue(const MainLoopQueue&) = delete;
  MainLoopQueue& operator=(const MainLoopQueue&) = delete;

  MessageQueue& Queue() { return *queue_; }

 private:
  struct Shared;
  static int Dispatch(void* data);
  void Wake();

  std::shared_ptr<Shared> shared_;
  std::unique_ptr<MessageQueue> queue_;
};

}  // namespace vz::gtk
