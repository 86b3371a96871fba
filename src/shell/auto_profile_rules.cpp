#include "shell/auto_profile_rules.h"

namespace talon {
namespace {

char Fold(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool Matches(std::string_view match, const ActiveWindowInfo& window) {
  for (const std::string* name :
       {&window.executable, &window.window_class, &window.instance_name}) {
    if (!name->empty() && SameMatch(match, *name)) return true;
  }
  return false;
}

}  // namespace

bool SameMatch(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Fold(a[i]) != Fold(b[i])) return false;
  }
  return true;
}

int ProfileForWindow(const AutoProfileSettings& settings, const ActiveWindowInfo& window) {
  if (!settings.enabled || window.ours || window.window == 0) return kLeaveProfile;
  for (const AutoProfileRule& rule : settings.rules) {
    if (Matches(rule.match, window)) return rule.profile;
  }
  return settings.fallback;
}

std::string MatchProblem(std::string_view match) {
  if (match.empty()) return "a match cannot be empty";
  for (const char c : match) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
      return "a match cannot hold line breaks or control characters";
    }
  }
  return {};
}

}  // namespace talon
