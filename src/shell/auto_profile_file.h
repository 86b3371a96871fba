// The automatic-profile rules on disk: $XDG_CONFIG_HOME/TALON7X-DUO/auto-profiles.ini, read by
// the program and edited by talon7x-ctl.
//
//   [Settings]
//   Enabled=1
//   Fallback=none          ; or 0, 1, 2
//   [Rules]
//   Count=2
//   Match1=gimp
//   Profile1=1
//   Match2=steam_app_570
//   Profile2=2
//
// A missing file means switched on with no rules and no fallback: nothing happens until rules
// are added. A file that cannot be read or holds anything else than the above gives no rules
// at all and says what is wrong; edits refuse to overwrite it, so a hand-edited file with a
// typo is never lost.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "shell/auto_profile_rules.h"

namespace talon {

std::filesystem::path AutoProfilesPath();

struct AutoProfilesRead {
  enum class Status { kRead, kMissing, kBad };
  Status status = Status::kMissing;
  // kRead: the file's; kMissing: the defaults; kBad: switched off, no rules, no fallback.
  AutoProfileSettings settings;
  std::string problem;  // kBad: the file's name and what is wrong with it
};

AutoProfilesRead ReadAutoProfiles(const std::filesystem::path& file);

// Writes the whole file atomically, creating its folder. False when it could not be written.
bool WriteAutoProfiles(const std::filesystem::path& file, const AutoProfileSettings& settings);

struct AutoProfilesEdit {
  enum class Status { kDone, kNotFound, kBadFile, kNotWritten };
  Status status = Status::kDone;
  AutoProfileSettings settings;  // as stored after the edit (kDone), else as read
  std::string problem;           // kBadFile, kNotWritten: what went wrong
};

// Reads the file, applies `change` and writes the result. `change` returns false when what it
// should change is not there (kNotFound; nothing is written). A bad file is left untouched.
AutoProfilesEdit EditAutoProfiles(const std::filesystem::path& file,
                                  const std::function<bool(AutoProfileSettings&)>& change);

// Rule edits, for EditAutoProfiles. Adding a match that is there already (case ignored) changes
// its profile in place, keeping its rank; a new one goes last.
void AddRule(AutoProfileSettings& settings, std::string_view match, int profile);
bool RemoveRule(AutoProfileSettings& settings, std::string_view match);

}  // namespace talon
