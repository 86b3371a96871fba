#pragma once
// Timers of one window, keyed by the numeric ids the dialogs use. Setting an id that runs
// restarts it with the new period, as the dialogs expect; a period of 0 fires as soon as the
// event loop is idle, again and again until the timer is killed.
#include <QObject>

#include <cstdint>
#include <functional>
#include <map>

class QTimer;

namespace talon {

class WindowTimers : public QObject {
 public:
  using Callback = std::function<void(std::uint32_t timer_id)>;

  WindowTimers(QObject* parent, Callback on_timer);

  // Both must run on the thread the object lives on.
  void Set(std::uint32_t timer_id, int milliseconds);
  bool Kill(std::uint32_t timer_id);
  bool IsRunning(std::uint32_t timer_id) const;

 private:
  Callback on_timer_;
  std::map<std::uint32_t, QTimer*> timers_;
};

}  // namespace talon
