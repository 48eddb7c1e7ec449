#include "core/app/MessageQueue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace vz {
namespace {

struct Recorder : IMessageHandler {
  std::vector<unsigned> got;
  MessageQueue* queue = nullptr;
  WindowId self = kNoWindow;
  std::intptr_t HandleMessage(unsigned msg, std::uintptr_t, std::intptr_t) override {
    got.push_back(msg);
    if (msg == 1 && queue) queue->Post(self, 2);  // posted during dispatch: next pass
    return 42;
  }
};

TEST(MessageQueue, SendRunsAtOncePostWaits) {
  int wakes = 0;
  MessageQueue q([&] { ++wakes; });
  Recorder r;
  const WindowId id = q.Register(&r);
  EXPECT_EQ(q.Send(id, 7), 42);
  EXPECT_TRUE(q.Post(id, 8));
  EXPECT_EQ(r.got, (std::vector<unsigned>{7}));
  EXPECT_EQ(wakes, 1);
  EXPECT_EQ(q.DispatchPending(), 1u);
  EXPECT_EQ(r.got, (std::vector<unsigned>{7, 8}));
}

TEST(MessageQueue, GoneWindowGetsNothing) {
  MessageQueue q;
  Recorder r;
  const WindowId id = q.Register(&r);
  q.Post(id, 1);
  q.Unregister(id);
  EXPECT_FALSE(q.IsWindow(id));
  EXPECT_EQ(q.DispatchPending(), 0u);
  EXPECT_FALSE(q.Post(id, 2));
  EXPECT_EQ(q.Send(id, 3), 0);
  EXPECT_TRUE(r.got.empty());
}

TEST(MessageQueue, PostedDuringDispatchWaitsForNextPass) {
  MessageQueue q;
  Recorder r;
  r.queue = &q;
  r.self = q.Register(&r);
  q.Post(r.self, 1);
  EXPECT_EQ(q.DispatchPending(), 1u);
  EXPECT_EQ(q.PendingCount(), 1u);
  EXPECT_EQ(q.DispatchPending(), 1u);
  EXPECT_EQ(r.got, (std::vector<unsigned>{1, 2}));
}

TEST(MessageQueue, WorkersPostConcurrently) {
  std::atomic<int> wakes{0};
  MessageQueue q([&] { wakes++; });
  Recorder r;
  const WindowId id = q.Register(&r);
  std::vector<std::thread> workers;
  for (int t = 0; t < 4; ++t) {
    workers.emplace_back([&] {
      for (int i = 0; i < 250; ++i) q.Post(id, 5);
    });
  }
  std::size_t delivered = 0;
  while (delivered < 1000) delivered += q.DispatchPending();
  for (auto& w : workers) w.join();
  EXPECT_EQ(r.got.size(), 1000u);
  EXPECT_EQ(wakes.load(), 1000);
}

}  // namespace
}  // namespace vz
