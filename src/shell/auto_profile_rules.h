// Automatic profiles: which on-board profile the program in front asks for.
//
// An ordered list of rules (match, profile 0-2); a match is a program's executable name or its
// window class (either part of WM_CLASS), compared with ASCII letters' case ignored. The first
// rule that matches wins; a program that no rule names gets the fallback profile, which may be
// "leave the keyboard as it is".
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/active_window_info.h"

namespace talon {

// The keyboard's on-board profiles that a rule can name: 0 to kAutoProfileCount - 1.
inline constexpr int kAutoProfileCount = 3;
// No switch: the keyboard keeps whatever profile is active.
inline constexpr int kLeaveProfile = -1;

struct AutoProfileRule {
  std::string match;
  int profile = 0;

  bool operator==(const AutoProfileRule&) const = default;
};

struct AutoProfileSettings {
  bool enabled = true;
  int fallback = kLeaveProfile;
  std::vector<AutoProfileRule> rules;

  bool operator==(const AutoProfileSettings&) const = default;
};

// Equal but for the case of ASCII letters.
bool SameMatch(std::string_view a, std::string_view b);

// The profile to switch to for `window`, or kLeaveProfile: when switched off, for our own
// windows, and when no window is active (the desktop, a program we cannot see) there is nothing
// to follow.
int ProfileForWindow(const AutoProfileSettings& settings, const ActiveWindowInfo& window);

// Why `match` cannot be a rule's match (empty, or holding a line break or control character), or
// "" when it can.
std::string MatchProblem(std::string_view match);

}  // namespace talon
