// talon7x-ctl run as a user runs it, against the virtual keyboard. Each run is a process of
// its own, so what one run wrote must come back from the keyboard's state file in the next.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "run_tool.h"
#include "virtual_keyboard_control.h"

namespace talon {
namespace {

namespace fs = std::filesystem;
using test::CtlPath;
using test::RunTool;

class CtlTest : public ::testing::Test {
 protected:
  void SetUp() override { fs::remove(std::getenv("TALON7X_VKB_STATE")); }
  test::ToolRun Ctl(const std::vector<std::string>& args,
                    const std::map<std::string, std::string>& env = {}) {
    return RunTool(CtlPath(), args, env);
  }
};

TEST_F(CtlTest, InfoPrintsWhatTheKeyboardSays) {
  const auto run = Ctl({"info"});
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.out,
            "firmware: 0x0104\nactive profile: 0\nmacro capacity: 4096 bytes\n"
            "effects: 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20\n");
  const auto older = Ctl({"info"}, {{"TALON7X_VKB_FIRMWARE", "0x0103"}});
  EXPECT_EQ(older.out.substr(0, 17), "firmware: 0x0103\n");
}

TEST_F(CtlTest, ExitCodesSayWhatIsMissing) {
  const auto absent = Ctl({"info"}, {{"TALON7X_VKB_ABSENT", "1"}});
  EXPECT_EQ(absent.exit_code, 2);
  EXPECT_EQ(absent.err, "talon7x-ctl: no keyboard found\n");

  // A copy of the tool in a folder without the library, and no LD_LIBRARY_PATH.
  const fs::path folder = fs::path(std::getenv("TALON7X_TEST_ROOT")) / "lonely";
  fs::create_directories(folder);
  fs::copy_file(CtlPath(), folder / "talon7x-ctl", fs::copy_options::overwrite_existing);
  const auto lonely =
      RunTool((folder / "talon7x-ctl").string(), {"info"}, {{"LD_LIBRARY_PATH", ""}});
  EXPECT_EQ(lonely.exit_code, 3);
  EXPECT_NE(lonely.err.find("libKbBridge.so"), std::string::npos) << lonely.err;
  EXPECT_NE(lonely.err.find(folder.string()), std::string::npos) << lonely.err;

  EXPECT_EQ(Ctl({}).exit_code, 1);
  EXPECT_EQ(Ctl({"frobnicate"}).exit_code, 1);
  EXPECT_EQ(Ctl({"info", "extra"}).exit_code, 1);
  EXPECT_EQ(Ctl({"info", "--force"}).err,
            "talon7x-ctl: unknown option --force\nusage: talon7x-ctl info\n");
  const auto group = Ctl({"macro", "frobnicate"});
  EXPECT_EQ(group.exit_code, 1);
  EXPECT_NE(group.err.find("  talon7x-ctl macro delete ID|NAME [--force]\n"), std::string::npos)
      << group.err;
}

TEST_F(CtlTest, ProfileSwitchSurvivesTheProcess) {
  EXPECT_EQ(Ctl({"profile"}).out, "0\n");
  EXPECT_EQ(Ctl({"profile", "2"}).exit_code, 0);
  EXPECT_EQ(Ctl({"profile"}).out, "2\n");
  const auto bad = Ctl({"profile", "3"});
  EXPECT_EQ(bad.exit_code, 1);
  EXPECT_NE(bad.err.find("0, 1 or 2"), std::string::npos);
  EXPECT_EQ(Ctl({"profile"}).out, "2\n");
}

TEST_F(CtlTest, LightingWritesThroughThePanelsRules) {
  const auto write = Ctl({"lighting", "1", "effect=5", "brightness=3", "colour=#00ff80"});
  EXPECT_EQ(write.exit_code, 0) << write.err;
  const auto read = Ctl({"lighting", "1"});
  EXPECT_EQ(read.exit_code, 0);
  EXPECT_NE(read.out.find("effect: 5"), std::string::npos) << read.out;
  EXPECT_NE(read.out.find("\nbrightness: 3\nspeed: 3\ndirection: right\ncolourful: off\n"
                          "colour: #00ff80\nreport rate: 0\nuser mode: 0\n"),
            std::string::npos)
      << read.out;

  const auto refused = Ctl({"lighting", "1", "speed=1", "brightness=9"});
  EXPECT_EQ(refused.exit_code, 1);
  EXPECT_NE(refused.err.find("brightness must be 0-5"), std::string::npos);
  EXPECT_EQ(Ctl({"lighting", "1"}).out, read.out);  // nothing written, not even the speed

  EXPECT_EQ(Ctl({"lighting", "1", "default"}).exit_code, 0);
  EXPECT_NE(Ctl({"lighting", "1"}).out.find("colourful: on\ncolour: #ffffff"), std::string::npos);
}

TEST_F(CtlTest, LightingArgumentsAreCheckedBeforeAnythingIsSent) {
  const std::vector<std::pair<std::string, std::string>> cases{
      {"effect=0", "effect must be 1-20"},    {"speed=6", "speed must be 0-5"},
      {"rate=4", "rate must be 0-3"},         {"choice=-1", "choice must be 0-3"},
      {"usermode=x", "usermode must be 0-3"}, {"direction=up", "left or right"},
      {"colour=00ff80", "#rrggbb"},           {"colourful=yes", "on or off"},
      {"sparkle=1", "unknown setting"},       {"brightness", "key=value"},
  };
  for (const auto& [argument, message] : cases) {
    const auto run = Ctl({"lighting", "0", argument}, {{"TALON7X_VKB_ABSENT", "1"}});
    EXPECT_EQ(run.exit_code, 1) << argument;  // refused before looking for a keyboard
    EXPECT_NE(run.err.find(message), std::string::npos) << argument << ": " << run.err;
  }
}

// The README's command table is the manual's list: it must name exactly the commands, with the
// same arguments, that --help prints, and give each an example of itself.
TEST_F(CtlTest, HelpAndReadmeListTheSameCommands) {
  const auto help = Ctl({"--help"});
  ASSERT_EQ(help.exit_code, 0);
  std::vector<std::string> from_help;
  std::istringstream lines(help.out.substr(help.out.find("commands:\n") + 10));
  for (std::string line; std::getline(lines, line) && !line.empty();) {
    from_help.push_back(line.substr(2, line.find("  ", 2) - 2));
  }
  ASSERT_GE(from_help.size(), 14u) << help.out;

  std::ifstream readme(std::string(TALON7X_SOURCE_DIR) + "/README.md");
  std::vector<std::string> from_readme;
  const std::string row = "| `talon7x-ctl ";
  for (std::string line; std::getline(readme, line);) {
    if (!line.starts_with(row)) continue;
    std::string command = line.substr(row.size(), line.find('`', row.size()) - row.size());
    for (std::size_t at; (at = command.find("\\|")) != std::string::npos;) command.erase(at, 1);
    from_readme.push_back(command);
    const std::size_t words = command.starts_with("macro ") ? 2 : 1;
    std::size_t end = 0;
    for (std::size_t w = 0; w < words; ++w) end = command.find(' ', end + 1);
    const std::string name = command.substr(0, end);
    EXPECT_NE(line.find("| `talon7x-ctl " + name, row.size()), std::string::npos)
        << "no example of " << name;
  }
  EXPECT_EQ(from_readme, from_help);
}

}  // namespace
}  // namespace talon
