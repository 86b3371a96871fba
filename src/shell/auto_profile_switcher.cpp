#include "shell/auto_profile_switcher.h"

#include <utility>

namespace talon {

AutoProfileSwitcher::AutoProfileSwitcher(AutoProfilePort& port, Clock clock)
    : port_(port), clock_(std::move(clock)) {}

void AutoProfileSwitcher::SetSettings(AutoProfileSettings settings) {
  settings_ = std::move(settings);
  pending_.reset();
}

std::optional<std::chrono::milliseconds> AutoProfileSwitcher::OnActiveWindow(
    const ActiveWindowInfo& window) {
  const int profile = ProfileForWindow(settings_, window);
  if (profile == kLeaveProfile) {
    pending_.reset();
    return std::nullopt;
  }
  if (!pending_ || pending_->profile != profile)
    pending_ = Pending{profile, clock_() + kSettleTime};
  return Settle();
}

std::optional<std::chrono::milliseconds> AutoProfileSwitcher::Settle() {
  if (!pending_) return std::nullopt;
  const auto now = clock_();
  if (now < pending_->due) {
    // Rounded up, so that a timer set to it never fires a moment too early.
    return std::chrono::ceil<std::chrono::milliseconds>(pending_->due - now);
  }
  const int profile = pending_->profile;
  pending_.reset();
  const int active = port_.ActiveProfile();
  if (active == profile) {
    last_sent_ = profile;
    return std::nullopt;
  }
  if (active < 0 && profile == last_sent_) return std::nullopt;
  if (port_.UserBusy()) return std::nullopt;
  last_sent_ = profile;
  port_.SwitchTo(profile);
  return std::nullopt;
}

}  // namespace talon
