// Automatic profile switching: the keyboard's profile follows the program in front.
//
// A program has to stay in front for kSettleTime before its profile is sent, so that going
// through windows with Alt+Tab does not send a profile for each of them. A switch is sent only
// when the profile differs from the keyboard's active one, and while the active profile is not
// known (a failed switch, no keyboard) the same profile is never sent twice in a row.
//
// Passive and single-threaded: the owner hands it each window change, and calls Settle() once
// the time it returns has passed (a timer on the window thread).
#pragma once

#include <chrono>
#include <functional>
#include <optional>

#include "platform/active_window_info.h"
#include "shell/auto_profile_port.h"
#include "shell/auto_profile_rules.h"

namespace talon {

class AutoProfileSwitcher {
 public:
  using Clock = std::function<std::chrono::steady_clock::time_point()>;
  static constexpr std::chrono::milliseconds kSettleTime{300};

  explicit AutoProfileSwitcher(AutoProfilePort& port,
                               Clock clock = &std::chrono::steady_clock::now);

  // New rules; a switch still waiting is dropped (the rules it came from are gone).
  void SetSettings(AutoProfileSettings settings);
  const AutoProfileSettings& settings() const { return settings_; }

  // The window in front changed. Returns how long to wait before calling Settle(), or nullopt
  // when nothing is waiting. Another window asking for the profile already waiting keeps the
  // original wait: it is the profile that has to stay, not the window.
  std::optional<std::chrono::milliseconds> OnActiveWindow(const ActiveWindowInfo& window);

  // Sends the waiting profile once it has stayed long enough (unless the keyboard has it already
  // or the user is busy in our windows: then it is dropped, not asked about). Returns the time
  // still to wait when called early, else nullopt.
  std::optional<std::chrono::milliseconds> Settle();

 private:
  struct Pending {
    int profile;
    std::chrono::steady_clock::time_point due;
  };

  AutoProfilePort& port_;
  Clock clock_;
  AutoProfileSettings settings_;
  std::optional<Pending> pending_;
  int last_sent_ = kLeaveProfile;
};

}  // namespace talon
