#include "platform/auto_reset_event.h"

namespace talon {

void AutoResetEvent::Set() {
  {
    std::lock_guard lock(mutex_);
    set_ = true;
  }
  signalled_.notify_one();
}

void AutoResetEvent::Reset() {
  std::lock_guard lock(mutex_);
  set_ = false;
}

bool AutoResetEvent::WaitFor(std::chrono::milliseconds timeout) {
  std::unique_lock lock(mutex_);
  if (!signalled_.wait_for(lock, timeout, [this] { return set_; })) return false;
  set_ = false;
  return true;
}

}  // namespace talon
