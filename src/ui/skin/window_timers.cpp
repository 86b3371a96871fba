#include "ui/skin/window_timers.h"

#include <QTimer>

#include <algorithm>

namespace talon {

WindowTimers::WindowTimers(QObject* parent, Callback on_timer)
    : QObject(parent), on_timer_(std::move(on_timer)) {}

void WindowTimers::Set(std::uint32_t timer_id, int milliseconds) {
  QTimer*& timer = timers_[timer_id];
  if (timer == nullptr) {
    timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, [this, timer_id] { on_timer_(timer_id); });
  }
  timer->start(std::max(milliseconds, 0));
}

bool WindowTimers::Kill(std::uint32_t timer_id) {
  auto it = timers_.find(timer_id);
  if (it == timers_.end()) return false;
  // deleteLater: the timer may be the one whose timeout is running right now.
  it->second->stop();
  it->second->deleteLater();
  timers_.erase(it);
  return true;
}

bool WindowTimers::IsRunning(std::uint32_t timer_id) const {
  return timers_.find(timer_id) != timers_.end();
}

}  // namespace talon
