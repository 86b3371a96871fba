#include "shell/auto_profile_file.h"

#include <algorithm>
#include <optional>
#include <system_error>

#include "platform/file_io.h"
#include "platform/ini_file.h"
#include "platform/standard_folders.h"
#include "shell/skin_paths.h"

namespace talon {
namespace {

constexpr std::string_view kSettings = "Settings";
constexpr std::string_view kRules = "Rules";
constexpr std::string_view kNone = "none";
// More rules than anyone writes by hand; a bigger count is a broken file, not a long list.
constexpr int kMaxRules = 1000;
constexpr std::size_t kMaxFileBytes = 1u << 20;

constexpr std::string_view kHeader =
    "; Automatic profiles: the keyboard's on-board profile follows the program in front.\n"
    "; Edited by \"talon7x-ctl auto\". A match is an executable name or a window class (case\n"
    "; ignored); the first matching rule wins, other programs get the fallback.\n";

// Plain decimal digits only: "2x" or "+1" are mistakes worth reporting, not numbers.
std::optional<int> ParseCount(std::string_view text, int max) {
  if (text.empty() || text.size() > 4) return std::nullopt;
  int value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  if (value > max) return std::nullopt;
  return value;
}

std::optional<int> ParseProfile(std::string_view text) {
  return ParseCount(text, kAutoProfileCount - 1);
}

struct Parsed {
  AutoProfileSettings settings;
  std::string problem;
};

Parsed Parse(const IniDocument& doc) {
  Parsed out;
  const auto fail = [&out](std::string problem) {
    out.problem = std::move(problem);
    return out;
  };
  if (const auto enabled = doc.Find(kSettings, "Enabled")) {
    if (*enabled != "0" && *enabled != "1") return fail("Enabled must be 0 or 1");
    out.settings.enabled = *enabled == "1";
  }
  if (const auto fallback = doc.Find(kSettings, "Fallback")) {
    if (SameMatch(*fallback, kNone)) {
      out.settings.fallback = kLeaveProfile;
    } else if (const auto profile = ParseProfile(*fallback)) {
      out.settings.fallback = *profile;
    } else {
      return fail("Fallback must be none, 0, 1 or 2");
    }
  }
  int count = 0;
  if (const auto text = doc.Find(kRules, "Count")) {
    const auto parsed = ParseCount(*text, kMaxRules);
    if (!parsed) return fail("Count must be a number from 0 to " + std::to_string(kMaxRules));
    count = *parsed;
  } else if (doc.Find(kRules, "Match1")) {
    return fail("the rules have no Count");
  }
  for (int n = 1; n <= count; ++n) {
    const std::string index = std::to_string(n);
    const auto match = doc.Find(kRules, "Match" + index);
    if (!match) return fail("rule " + index + " has no Match");
    if (const std::string why = MatchProblem(*match); !why.empty()) {
      return fail("rule " + index + ": " + why);
    }
    const auto profile_text = doc.Find(kRules, "Profile" + index);
    const auto profile = profile_text ? ParseProfile(*profile_text) : std::nullopt;
    if (!profile) return fail("rule " + index + ": Profile must be 0, 1 or 2");
    out.settings.rules.push_back({std::string(*match), *profile});
  }
  return out;
}

AutoProfilesRead Bad(const std::filesystem::path& file, const std::string& what) {
  AutoProfilesRead read;
  read.status = AutoProfilesRead::Status::kBad;
  read.settings.enabled = false;
  read.problem = file.string() + ": " + what;
  return read;
}

}  // namespace

std::filesystem::path AutoProfilesPath() {
  return UserConfigFolder() / kUserFolderName / "auto-profiles.ini";
}

AutoProfilesRead ReadAutoProfiles(const std::filesystem::path& file) {
  std::string text;
  switch (ReadWholeFile(file, text, kMaxFileBytes)) {
    case ReadFileResult::kMissing:
      return {};
    case ReadFileResult::kUnreadable:
      return Bad(file, "cannot be read");
    case ReadFileResult::kRead:
      break;
  }
  IniDocument doc;
  doc.Parse(text);
  Parsed parsed = Parse(doc);
  if (!parsed.problem.empty()) return Bad(file, parsed.problem);
  return {AutoProfilesRead::Status::kRead, std::move(parsed.settings), {}};
}

bool WriteAutoProfiles(const std::filesystem::path& file, const AutoProfileSettings& settings) {
  IniDocument doc;
  doc.Parse(kHeader);
  bool ok = doc.SetString(kSettings, "Enabled", settings.enabled ? "1" : "0");
  ok = ok && doc.SetString(kSettings, "Fallback",
                           settings.fallback == kLeaveProfile ? std::string(kNone)
                                                              : std::to_string(settings.fallback));
  ok = ok && doc.SetString(kRules, "Count", std::to_string(settings.rules.size()));
  for (std::size_t i = 0; ok && i < settings.rules.size(); ++i) {
    const std::string index = std::to_string(i + 1);
    ok = doc.SetString(kRules, "Match" + index, settings.rules[i].match) &&
         doc.SetString(kRules, "Profile" + index, std::to_string(settings.rules[i].profile));
  }
  if (!ok) return false;
  std::error_code ec;
  std::filesystem::create_directories(file.parent_path(), ec);
  return doc.Save(file);
}

AutoProfilesEdit EditAutoProfiles(const std::filesystem::path& file,
                                  const std::function<bool(AutoProfileSettings&)>& change) {
  AutoProfilesRead read = ReadAutoProfiles(file);
  AutoProfilesEdit edit;
  edit.settings = std::move(read.settings);
  if (read.status == AutoProfilesRead::Status::kBad) {
    edit.status = AutoProfilesEdit::Status::kBadFile;
    edit.problem = std::move(read.problem);
    return edit;
  }
  AutoProfileSettings changed = edit.settings;
  if (!change(changed)) {
    edit.status = AutoProfilesEdit::Status::kNotFound;
    return edit;
  }
  if (!WriteAutoProfiles(file, changed)) {
    edit.status = AutoProfilesEdit::Status::kNotWritten;
    edit.problem = file.string() + ": cannot be written";
    return edit;
  }
  edit.settings = std::move(changed);
  return edit;
}

void AddRule(AutoProfileSettings& settings, std::string_view match, int profile) {
  for (AutoProfileRule& rule : settings.rules) {
    if (SameMatch(rule.match, match)) {
      rule.match = match;
      rule.profile = profile;
      return;
    }
  }
  settings.rules.push_back({std::string(match), profile});
}

bool RemoveRule(AutoProfileSettings& settings, std::string_view match) {
  const auto removed = std::erase_if(settings.rules, [match](const AutoProfileRule& rule) {
    return SameMatch(rule.match, match);
  });
  return removed > 0;
}

}  // namespace talon
