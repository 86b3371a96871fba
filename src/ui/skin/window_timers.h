#pragma once
// Timers of one window, keyed by the numeric ids the dialogs use. Setting an id that runs
// restarts it with the new period, as the dialogs expect; a period of 0 fires as soon as the
// event loop is idle, again and again until the timer is killed.
#include <QObject>

#include <cstdint>
#include <functional>
#include <map>
#include <mutex>

class QTimer;

namespace talon {

class WindowTimers : public QObject {
 public:
  using Callback = std::function<void(std::uint32_t timer_id)>;

  WindowTimers(QObject* parent, Callback on_timer);

  // Both must run on the thread the object lives on.
  void Set(std::uint32_t timer_id, int milliseconds);
  bool Kill(std::uint32_t timer_id);
  // Callable from any thread.
  bool IsRunning(std::uint32_t timer_id) const;

 private:
  Callback on_timer_;
  // Changed on the owner's thread only; the lock is for readers on other threads.
  mutable std::mutex mutex_;
  struct Entry {
    QTimer* timer = nullptr;
    bool running = false;
  };
  std::map<std::uint32_t, Entry> timers_;
};

}  // namespace talon
