// talon7x-ctl auto [list | add MATCH PROFILE | remove MATCH | fallback PROFILE|none | on | off]:
// the rules by which the running program switches the keyboard's profile to follow the program
// in front. Edits go to the rules file, which the program picks up by itself.
//
//   automatic profiles: on
//   fallback: none
//   rules (first match wins):
//     1  gimp
//     2  steam_app_570
#include <cstdio>
#include <functional>
#include <optional>
#include <string>

#include "cli/cli_command.h"
#include "cli/keyboard_connection.h"
#include "shell/auto_profile_file.h"

namespace talon::cli {

namespace {

std::optional<int> ProfileArgument(const std::string& text) {
  if (text.size() == 1 && text[0] >= '0' && text[0] < '0' + kAutoProfileCount) return text[0] - '0';
  PrintError("profile must be 0, 1 or 2");
  return std::nullopt;
}

int List() {
  const AutoProfilesRead read = ReadAutoProfiles(AutoProfilesPath());
  if (read.status == AutoProfilesRead::Status::kBad) {
    PrintError(read.problem);
    return kExitBadFile;
  }
  const AutoProfileSettings& s = read.settings;
  std::printf("automatic profiles: %s\n", s.enabled ? "on" : "off");
  if (s.fallback == kLeaveProfile) {
    std::printf("fallback: none\n");
  } else {
    std::printf("fallback: %d\n", s.fallback);
  }
  if (s.rules.empty()) {
    std::printf("rules: none\n");
    return kExitOk;
  }
  std::printf("rules (first match wins):\n");
  for (const AutoProfileRule& rule : s.rules) {
    std::printf("  %d  %s\n", rule.profile, rule.match.c_str());
  }
  return kExitOk;
}

int Edit(const std::function<bool(AutoProfileSettings&)>& change, const std::string& missing) {
  const AutoProfilesEdit edit = EditAutoProfiles(AutoProfilesPath(), change);
  switch (edit.status) {
    case AutoProfilesEdit::Status::kDone:
      return kExitOk;
    case AutoProfilesEdit::Status::kNotFound:
      PrintError(missing);
      return kExitUsage;
    case AutoProfilesEdit::Status::kBadFile:
      PrintError(edit.problem + " (left as it is: mend or remove it)");
      return kExitBadFile;
    case AutoProfilesEdit::Status::kNotWritten:
      PrintError(edit.problem);
      return kExitBadFile;
  }
  return kExitBadFile;
}

int Switch(bool on) {
  return Edit(
      [on](AutoProfileSettings& s) {
        s.enabled = on;
        return true;
      },
      {});
}

}  // namespace

int RunAuto(std::span<const std::string> args) {
  const std::string verb = args.empty() ? "list" : args[0];
  const std::size_t operands = args.empty() ? 0 : args.size() - 1;
  if (verb == "list" && operands == 0) return List();
  if (verb == "on" && operands == 0) return Switch(true);
  if (verb == "off" && operands == 0) return Switch(false);
  if (verb == "add" && operands == 2) {
    const std::string& match = args[1];
    if (const std::string why = MatchProblem(match); !why.empty()) {
      PrintError(why);
      return kExitUsage;
    }
    const auto profile = ProfileArgument(args[2]);
    if (!profile) return kExitUsage;
    return Edit(
        [&](AutoProfileSettings& s) {
          AddRule(s, match, *profile);
          return true;
        },
        {});
  }
  if (verb == "remove" && operands == 1) {
    return Edit([&](AutoProfileSettings& s) { return RemoveRule(s, args[1]); },
                "no rule for '" + args[1] + "'");
  }
  if (verb == "fallback" && operands == 1) {
    int fallback = kLeaveProfile;
    if (args[1] != "none") {
      const auto profile = ProfileArgument(args[1]);
      if (!profile) return kExitUsage;
      fallback = *profile;
    }
    return Edit(
        [fallback](AutoProfileSettings& s) {
          s.fallback = fallback;
          return true;
        },
        {});
  }
  return kExitUsage;
}

}  // namespace talon::cli
