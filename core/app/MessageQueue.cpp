#include "core/app/MessageQueue.h"

#include <utility>

namespace vz {

MessageQueue::MessageQueue(std::function<void()> wake) : wake_(std::move(wake)) {}

WindowId MessageQueue::Register(IMessageHandler* handler) {
  std::lock_guard lock(mutex_);
  const WindowId id = next_id_++;
  handlers_[id] = handler;
  return id;
}

void MessageQueue::Unregister(WindowId id) {
  std::lock_guard lock(mutex_);
  handlers_.erase(id);
  std::erase_if(posted_, [id](const Posted& p) { return p.id == id; });
}

bool MessageQueue::IsWindow(WindowId id) const { return Find(id) != nullptr; }

IMessageHandler* MessageQueue::Find(WindowId id) const {
  std::lock_guard lock(mutex_);
  auto it = handlers_.find(id);
  return it == handlers_.end() ? nullptr : it->second;
}

std::intptr_t MessageQueue::Send(WindowId id, unsigned msg, std::uintptr_t wparam,
                                 std::intptr_t lparam) {
  IMessageHandler* handler = Find(id);
  return handler ? handler->HandleMessage(msg, wparam, lparam) : 0;
}

bool MessageQueue::Post(WindowId id, unsigned msg, std::uintptr_t wparam, std::intptr_t lparam) {
  {
    std::lock_guard lock(mutex_);
    if (handlers_.find(id) == handlers_.end()) return false;
    posted_.push_back({id, msg, wparam, lparam});
  }
  if (wake_) wake_();
  return true;
}

std::size_t MessageQueue::DispatchPending() {
  std::size_t budget;
  {
    std::lock_guard lock(mutex_);
    budget = posted_.size();
  }
  std::size_t delivered = 0;
  // Messages posted by handlers during this pass wait for the next one.
  while (budget-- > 0) {
    Posted p;
    {
      std::lock_guard lock(mutex_);
      if (posted_.empty()) break;
      p = posted_.front();
      posted_.pop_front();
    }
    if (IMessageHandler* handler = Find(p.id)) {
      handler->HandleMessage(p.msg, p.wparam, p.lparam);
      ++delivered;
    }
  }
  return delivered;
}

std::size_t MessageQueue::PendingCount() const {
  std::lock_guard lock(mutex_);
  return posted_.size();
}

}  // namespace vz
