// Automatic profiles: which profile a window asks for, and the rules file on disk.
#include <gtest/gtest.h>

#include "shell/auto_profile_file.h"
#include "shell/auto_profile_rules.h"
#include "test_folder.h"

namespace talon {
namespace {

namespace fs = std::filesystem;
using test::Slurp;
using test::Spit;
using test::TestFolder;
using Read = AutoProfilesRead::Status;
using Edit = AutoProfilesEdit::Status;

ActiveWindowInfo Window(std::string executable, std::string window_class,
                        std::string instance = "") {
  ActiveWindowInfo w;
  w.window = 0x400001;
  w.executable = std::move(executable);
  w.window_class = std::move(window_class);
  w.instance_name = std::move(instance);
  return w;
}

TEST(AutoProfileRules, PickTheFirstMatchingRuleElseTheFallback) {
  AutoProfileSettings s;
  s.rules = {{"gimp-2.10", 1}, {"steam_app_570", 2}, {"Firefox", 0}, {"firefox", 2}};
  s.fallback = 0;
  ActiveWindowInfo ours = Window("talon7x", "talon7x");
  ours.ours = true;
  const struct {
    const char* what;
    ActiveWindowInfo window;
    int fallback;
    int expected;
  } cases[] = {
      {"executable name", Window("gimp-2.10", "Gimp"), 0, 1},
      {"class, second part", Window("wine64-preloader", "steam_app_570"), 0, 2},
      {"class, first part", Window("", "Game", "steam_app_570"), 0, 2},
      {"case ignored", Window("GIMP-2.10", "x"), 0, 1},
      {"first rule wins", Window("firefox-esr", "firefox"), 0, 0},
      {"no prefix match", Window("gimp", "Gimp"), kLeaveProfile, kLeaveProfile},
      {"fallback profile", Window("xterm", "XTerm"), 2, 2},
      {"fallback none", Window("xterm", "XTerm"), kLeaveProfile, kLeaveProfile},
      {"no window active", ActiveWindowInfo{}, 2, kLeaveProfile},
      {"our own window", ours, 2, kLeaveProfile},
      {"empty names never match an empty rule", Window("", ""), kLeaveProfile, kLeaveProfile},
  };
  for (const auto& c : cases) {
    s.fallback = c.fallback;
    EXPECT_EQ(ProfileForWindow(s, c.window), c.expected) << c.what;
  }
  s.enabled = false;
  EXPECT_EQ(ProfileForWindow(s, Window("gimp-2.10", "Gimp")), kLeaveProfile);
}

TEST(AutoProfilesFile, WritesAndReadsBackEverySetting) {
  const fs::path file = TestFolder() / "new" / "auto-profiles.ini";
  const AutoProfilesRead missing = ReadAutoProfiles(file);
  EXPECT_EQ(missing.status, Read::kMissing);
  EXPECT_EQ(missing.settings, AutoProfileSettings{});
  EXPECT_TRUE(missing.settings.enabled);

  AutoProfileSettings s;
  s.enabled = false;
  s.fallback = 2;
  s.rules = {{"gimp", 1}, {"  spaced  ", 0}, {"\"quoted\"", 2}, {"a=b;c#d", 0}, {"中文", 1}};
  ASSERT_TRUE(WriteAutoProfiles(file, s));
  const AutoProfilesRead back = ReadAutoProfiles(file);
  EXPECT_EQ(back.status, Read::kRead) << back.problem;
  EXPECT_EQ(back.settings, s);
  EXPECT_NE(Slurp(file).find("[Rules]\nCount=5\nMatch1=gimp\nProfile1=1\n"), std::string::npos)
      << Slurp(file);
}

TEST(AutoProfilesFile, ABrokenFileGivesNoRulesAndSaysWhy) {
  const fs::path file = TestFolder() / "auto-profiles.ini";
  const std::string good_rule = "[Rules]\nCount=1\nMatch1=gimp\nProfile1=1\n";
  const struct {
    const char* text;
    const char* problem;
  } cases[] = {
      {"[Settings]\nEnabled=yes\n", "Enabled must be 0 or 1"},
      {"[Settings]\nFallback=3\n", "Fallback must be none, 0, 1 or 2"},
      {"[Rules]\nCount=two\n", "Count must be a number from 0 to 1000"},
      {"[Rules]\nCount=-1\n", "Count must be a number"},
      {"[Rules]\nCount=99999999999\n", "Count must be a number"},
      {"[Rules]\nMatch1=gimp\nProfile1=1\n", "the rules have no Count"},
      {"[Rules]\nCount=2\nMatch1=gimp\nProfile1=1\n", "rule 2 has no Match"},
      {"[Rules]\nCount=1\nMatch1=\nProfile1=1\n", "rule 1: a match cannot be empty"},
      {"[Rules]\nCount=1\nMatch1=gimp\nProfile1=3\n", "rule 1: Profile must be 0, 1 or 2"},
      {"[Rules]\nCount=1\nMatch1=gimp\nProfile1=1x\n", "rule 1: Profile must be 0, 1 or 2"},
      {"[Rules]\nCount=1\nMatch1=gimp\n", "rule 1: Profile must be 0, 1 or 2"},
      {"\xff\xfe garbage \x01\x02", nullptr},  // no section at all: nothing set, nothing wrong
  };
  for (const auto& c : cases) {
    Spit(file, c.text);
    const AutoProfilesRead read = ReadAutoProfiles(file);
    if (c.problem == nullptr) {
      EXPECT_EQ(read.status, Read::kRead) << c.text;
      continue;
    }
    EXPECT_EQ(read.status, Read::kBad) << c.text;
    EXPECT_EQ(read.problem.substr(0, file.string().size() + 2), file.string() + ": ");
    EXPECT_NE(read.problem.find(c.problem), std::string::npos) << read.problem;
    EXPECT_TRUE(read.settings.rules.empty());
    EXPECT_FALSE(read.settings.enabled);
  }
  Spit(file, good_rule + "Match7=ignored beyond the count\n; comment\nbroken line\n");
  const AutoProfilesRead read = ReadAutoProfiles(file);
  EXPECT_EQ(read.status, Read::kRead) << read.problem;
  EXPECT_EQ(read.settings.rules, (std::vector<AutoProfileRule>{{"gimp", 1}}));

  EXPECT_EQ(ReadAutoProfiles(TestFolder()).status, Read::kBad);  // a folder
}

TEST(AutoProfilesFile, EditsKeepOrderAndNeverOverwriteABrokenFile) {
  const fs::path file = TestFolder() / "cfg" / "auto-profiles.ini";
  const auto add = [](std::string match, int profile) {
    return [=](AutoProfileSettings& s) {
      AddRule(s, match, profile);
      return true;
    };
  };
  EXPECT_EQ(EditAutoProfiles(file, add("gimp", 1)).status, Edit::kDone);
  EXPECT_EQ(EditAutoProfiles(file, add("steam", 2)).status, Edit::kDone);
  EXPECT_EQ(EditAutoProfiles(file, add("xterm", 0)).status, Edit::kDone);
  const AutoProfilesEdit replaced = EditAutoProfiles(file, add("STEAM", 0));
  EXPECT_EQ(replaced.settings.rules,
            (std::vector<AutoProfileRule>{{"gimp", 1}, {"STEAM", 0}, {"xterm", 0}}));

  const auto remove = [](std::string match) {
    return [=](AutoProfileSettings& s) { return RemoveRule(s, match); };
  };
  EXPECT_EQ(EditAutoProfiles(file, remove("Gimp")).status, Edit::kDone);
  const std::string before = Slurp(file);
  EXPECT_EQ(EditAutoProfiles(file, remove("gimp")).status, Edit::kNotFound);
  EXPECT_EQ(Slurp(file), before);
  EXPECT_EQ(ReadAutoProfiles(file).settings.rules,
            (std::vector<AutoProfileRule>{{"STEAM", 0}, {"xterm", 0}}));
  EXPECT_EQ(before.find("Match3"), std::string::npos) << "a removed rule leaves no line behind";

  const std::string broken = "[Rules]\nCount=2\nMatch1=gimp\nProfile1=1\n; my notes\n";
  Spit(file, broken);
  const AutoProfilesEdit refused = EditAutoProfiles(file, add("xterm", 0));
  EXPECT_EQ(refused.status, Edit::kBadFile);
  EXPECT_NE(refused.problem.find("rule 2 has no Match"), std::string::npos) << refused.problem;
  EXPECT_EQ(Slurp(file), broken);
}

TEST(AutoProfilesFile, AWriteThatFailsSaysSo) {
  // A file where the folder should be: works the same for root, who writes anywhere else.
  const fs::path blocker = TestFolder() / "not-a-folder";
  Spit(blocker, "x");
  const AutoProfilesEdit edit =
      EditAutoProfiles(blocker / "auto-profiles.ini", [](AutoProfileSettings& s) {
        s.enabled = false;
        return true;
      });
  EXPECT_EQ(edit.status, Edit::kNotWritten);
  EXPECT_NE(edit.problem.find("cannot be written"), std::string::npos) << edit.problem;
  EXPECT_TRUE(edit.settings.enabled);
  EXPECT_EQ(Slurp(blocker), "x");
}

}  // namespace
}  // namespace talon
