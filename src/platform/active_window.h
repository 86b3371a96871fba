// The window in front, as the X window manager reports it: the root window's
// _NET_ACTIVE_WINDOW, followed through X events (no polling), with the window's WM_CLASS and
// its program (_NET_WM_PID -> /proc/PID/exe). On a Wayland desktop this sees the programs that
// run under XWayland; a native Wayland window in front reads as no window.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "platform/active_window_info.h"

namespace talon {

class ActiveWindowWatcher {
 public:
  using Callback = std::function<void(const ActiveWindowInfo&)>;

  struct StartResult {
    bool watching = false;
    // Why it stays idle (not watching), or what it cannot see while watching; "" when all is
    // well. Meant to be shown once.
    std::string note;
  };

  ActiveWindowWatcher();
  ~ActiveWindowWatcher();
  ActiveWindowWatcher(const ActiveWindowWatcher&) = delete;
  ActiveWindowWatcher& operator=(const ActiveWindowWatcher&) = delete;

  // Connects to `display` ($DISPLAY when empty) and watches on a thread of its own, named
  // "active-window". `callback` runs on that thread: first with the window in front now, then
  // at every change of the active window. Without an X display it stays idle and says why. A
  // watcher that is running is stopped first.
  StartResult Start(Callback callback, const std::string& display = {});
  // Ends the watching thread and the connection. Safe to call when not started.
  void Stop();

 private:
  struct Connection;
  void Run();

  std::unique_ptr<Connection> connection_;
  Callback callback_;
  int wake_fd_ = -1;
  std::thread thread_;
};

}  // namespace talon
