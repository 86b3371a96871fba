#include "ui/skin/window_timers.h"

#include <QTimer>

#include <algorithm>

namespace talon {

WindowTimers::WindowTimers(QObject* parent, Callback on_timer)
    : QObject(parent), on_timer_(std::move(on_timer)) {}

void WindowTimers::Set(std::uint32_t timer_id, int milliseconds) {
  QTimer* timer = nullptr;
  {
    std::lock_guard lock(mutex_);
    Entry& entry = timers_[timer_id];
    if (entry.timer == nullptr) {
      // One timer object per id for the window's life: a timer restarted every few
      // milliseconds costs no allocation.
      entry.timer = new QTimer(this);
      connect(entry.timer, &QTimer::timeout, this, [this, timer_id] { on_timer_(timer_id); });
    }
    entry.running = true;
    timer = entry.timer;
  }
  timer->start(std::max(milliseconds, 0));
}

bool WindowTimers::Kill(std::uint32_t timer_id) {
  QTimer* timer = nullptr;
  {
    std::lock_guard lock(mutex_);
    auto it = timers_.find(timer_id);
    if (it == timers_.end() || !it->second.running) return false;
    it->second.running = false;
    timer = it->second.timer;
  }
  timer->stop();
  return true;
}

bool WindowTimers::IsRunning(std::uint32_t timer_id) const {
  std::lock_guard lock(mutex_);
  auto it = timers_.find(timer_id);
  return it != timers_.end() && it->second.running;
}

}  // namespace talon
