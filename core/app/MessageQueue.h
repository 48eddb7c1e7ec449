#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <unordered_map>

namespace vz {

using WindowId = std::uint32_t;
inline constexpr WindowId kNoWindow = 0;

class IMessageHandler {
 public:
  virtual ~IMessageHandler() = default;
  virtual std::intptr_t HandleMessage(unsigned msg, std::uintptr_t wparam,
                                      std::intptr_t lparam) = 0;
};

// The program's message queue. Windows register under an id; a message for an id that
// has gone is dropped, so nothing reaches a window that no longer exists.
// Send runs the handler at once (UI thread only); Post may be called from any thread and
// is delivered by DispatchPending on the UI thread.
class MessageQueue {
 public:
  // wake is called (from any thread) when a posted message awaits dispatch.
  explicit MessageQueue(std::function<void()> wake = {});

  WindowId Register(IMessageHandler* handler);
  void Unregister(WindowId id);
  bool IsWindow(WindowId id) const;

  std::intptr_t Send(WindowId id, unsigned msg, std::uintptr_t wparam = 0,
                     std::intptr_t lparam = 0);
  bool Post(WindowId id, unsigned msg, std::uintptr_t wparam = 0, std::intptr_t lparam = 0);

  // Delivers what was posted before this call; returns the number delivered.
  std::size_t DispatchPending();
  std::size_t PendingCount() const;

 private:
  struct Posted {
    WindowId id;
    unsigned msg;
    std::uintptr_t wparam;
    std::intptr_t lparam;
  };

  IMessageHandler* Find(WindowId id) const;

  std::function<void()> wake_;
  mutable std::mutex mutex_;
  std::unordered_map<WindowId, IMessageHandler*> handlers_;
  std::deque<Posted> posted_;
  WindowId next_id_ = 1;
};

}  // namespace vz
