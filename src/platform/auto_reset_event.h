#pragma once
// An auto-reset event: Set wakes one waiter (or the next one to wait) and the event resets itself.
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace talon {

class AutoResetEvent {
 public:
  void Set();
  void Reset();
  // True when the event was set within the timeout; the event is then reset.
  bool WaitFor(std::chrono::milliseconds timeout);

 private:
  std::mutex mutex_;
  std::condition_variable signalled_;
  bool set_ = false;
};

}  // namespace talon
