// The talon7x program as a user starts it, in processes of its own: its arguments, start-up
// failures with their messages and exit codes, and one instance per user (two starts racing,
// "/Kill", a lock left behind). The window's own behaviour is tested in tests/ui/main.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <thread>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "run_tool.h"
#include "x_test_desktop.h"

namespace talon {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

std::string Program() {
  return std::string(TALON7X_BUILD_DIR) + "/talon7x";
}

// A program running in the background.
class Process {
 public:
  Process(const std::string& program, const std::vector<std::string>& args,
          const std::map<std::string, std::string>& env)
      : pid_(test::StartTool(program, args, env)) {}
  ~Process() {
    if (!exit_code_ && pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
  }

  // The exit code once it ended within `time`; nothing while it still runs.
  std::optional<int> WaitFor(std::chrono::milliseconds time) {
    const auto end = std::chrono::steady_clock::now() + time;
    while (!exit_code_) {
      int status = 0;
      if (waitpid(pid_, &status, WNOHANG) == pid_) {
        exit_code_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        break;
      }
      if (std::chrono::steady_clock::now() >= end) break;
      std::this_thread::sleep_for(10ms);
    }
    return exit_code_;
  }

 private:
  pid_t pid_ = -1;
  std::optional<int> exit_code_;
};

class ProgramTest : public testing::Test {
 protected:
  void SetUp() override {
    root = fs::path(std::getenv("TALON7X_TEST_ROOT")) /
           testing::UnitTest::GetInstance()->current_test_info()->name();
    runtime = root / "runtime";
    fs::create_directories(runtime);
    fs::permissions(runtime, fs::perms::owner_all, fs::perm_options::replace);
    env = {{"XDG_RUNTIME_DIR", runtime.string()},
           {"TALON7X_VKB_STATE", (root / "vkb.state").string()},
           {"QT_QPA_PLATFORM", "offscreen"}};
  }

  Process Start(const std::vector<std::string>& args) { return Process(Program(), args, env); }

  fs::path root;
  fs::path runtime;
  std::map<std::string, std::string> env;
};

TEST_F(ProgramTest, HelpAndVersionPrintAndEnd) {
  const test::ToolRun version = test::RunTool(Program(), {"--version"}, env);
  EXPECT_EQ(version.exit_code, 0);
  EXPECT_EQ(version.out.rfind("talon7x ", 0), 0u) << version.out;
  const test::ToolRun help = test::RunTool(Program(), {"--help"}, env);
  EXPECT_EQ(help.exit_code, 0);
  EXPECT_NE(help.out.find("/Start"), std::string::npos);
  EXPECT_NE(help.out.find("/Kill"), std::string::npos);
}

TEST_F(ProgramTest, AMissingLibraryIsNamedWithWhereItWasLookedFor) {
  // The program alone in a folder: no libKbBridge.so beside it, none on LD_LIBRARY_PATH.
  const fs::path alone = root / "alone";
  fs::create_directories(alone);
  fs::copy_file(Program(), alone / "talon7x");
  env["LD_LIBRARY_PATH"] = "";
  env["TALON7X_PROGRAM_DIR"] = TALON7X_BUILD_DIR;
  const test::ToolRun run = test::RunTool((alone / "talon7x").string(), {"/Start"}, env);
  EXPECT_EQ(run.exit_code, 3);
  EXPECT_NE(run.err.find("libKbBridge.so"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find(alone.string()), std::string::npos) << run.err;
}

TEST_F(ProgramTest, AMissingSkinPictureIsNamed) {
  const fs::path data = root / "data";
  fs::create_directories(data);
  fs::copy(fs::path(TALON7X_BUILD_DIR) / "Skins", data / "Skins", fs::copy_options::recursive);
  for (const auto& entry : fs::directory_iterator(TALON7X_BUILD_DIR)) {
    if (entry.path().extension() == ".ini")
      fs::copy_file(entry.path(), data / entry.path().filename());
  }
  fs::remove(data / "Skins" / "main_over.jpg");
  env["TALON7X_PROGRAM_DIR"] = data.string();
  const test::ToolRun run = test::RunTool(Program(), {"/Start"}, env);
  EXPECT_EQ(run.exit_code, 4);
  EXPECT_NE(run.err.find("main_over.jpg"), std::string::npos) << run.err;
}

TEST_F(ProgramTest, TwoStartsRacingLeaveOneInstanceThatKillEnds) {
  Process a = Start({"/Start"});
  Process b = Start({"/start"});  // the case of the letters does not matter
  // One of them hands over to the other and ends at once; the other keeps running.
  const auto end = std::chrono::steady_clock::now() + 5s;
  while (std::chrono::steady_clock::now() < end && !a.WaitFor(0ms) && !b.WaitFor(0ms)) {
    std::this_thread::sleep_for(10ms);
  }
  const bool a_ended = a.WaitFor(0ms).has_value();
  Process& ended = a_ended ? a : b;
  Process& running = a_ended ? b : a;
  ASSERT_TRUE(ended.WaitFor(0ms).has_value()) << "neither start ended";
  EXPECT_EQ(*ended.WaitFor(0ms), 0);
  EXPECT_FALSE(running.WaitFor(500ms).has_value());

  // "/Kill" ends the running one and itself.
  const test::ToolRun kill = test::RunTool(Program(), {"/KILL"}, env);
  EXPECT_EQ(kill.exit_code, 0) << kill.err;
  const std::optional<int> code = running.WaitFor(5s);
  ASSERT_TRUE(code.has_value());
  EXPECT_EQ(*code, 0);
}

TEST_F(ProgramTest, KillWithNoneRunningAndALeftoverLockStartNormally) {
  std::ofstream(runtime / "RX73P25D.lock") << "999999\n";
  std::ofstream(runtime / "RX73P25D") << "left behind";
  Process first = Start({"/Kill", "/Start"});
  EXPECT_FALSE(first.WaitFor(1500ms).has_value());
  const test::ToolRun kill = test::RunTool(Program(), {"--kill"}, env);
  EXPECT_EQ(kill.exit_code, 0) << kill.err;
  EXPECT_EQ(first.WaitFor(5s), std::optional<int>(0));
}

// Under a real X server: a second start opens the first one's window, which a quiet start kept
// hidden.
TEST_F(ProgramTest, ASecondStartOpensTheWindowOfTheFirst) {
  test::XvfbServer x;
  ASSERT_TRUE(x.running()) << "Xvfb did not start";
  env["DISPLAY"] = x.display();
  env["QT_QPA_PLATFORM"] = "";
  auto visible_windows = [&] {
    return test::RunTool("/usr/bin/xdotool", {"search", "--onlyvisible", "--class", "talon7x"},
                         env);
  };

  Process first = Start({"/Start"});
  std::this_thread::sleep_for(1500ms);
  ASSERT_FALSE(first.WaitFor(0ms).has_value());
  EXPECT_NE(visible_windows().exit_code, 0) << "a quiet start shows no window";

  const test::ToolRun second = test::RunTool(Program(), {}, env);
  EXPECT_EQ(second.exit_code, 0) << second.err;
  bool shown = false;
  for (int i = 0; i < 60 && !shown; ++i) {
    shown = visible_windows().exit_code == 0;
    if (!shown) std::this_thread::sleep_for(50ms);
  }
  EXPECT_TRUE(shown);
  EXPECT_EQ(test::RunTool(Program(), {"/Kill"}, env).exit_code, 0);
  EXPECT_EQ(first.WaitFor(5s), std::optional<int>(0));
}

// Automatic profiles in the running program: focusing two programs switches the keyboard, as
// another process (talon7x-ctl) reads it back. (Not switching while the user is busy is the
// switcher's rule, tested with it.)
TEST_F(ProgramTest, TheKeyboardsProfileFollowsTheProgramInFront) {
  test::XvfbServer x;
  ASSERT_TRUE(x.running()) << "Xvfb did not start";
  test::StandInWindowManager wm(x.display());
  ASSERT_TRUE(wm.connected());
  test::TestWindowProgram photo(x.display(), root, "photoedit", "photoedit", "PhotoEdit");
  test::TestWindowProgram game(x.display(), root, "spacegame", "spacegame", "SpaceGame");
  ASSERT_NE(photo.window(), 0u);
  ASSERT_NE(game.window(), 0u);
  env["DISPLAY"] = x.display();
  env["QT_QPA_PLATFORM"] = "";
  env["XDG_CONFIG_HOME"] = (root / "config").string();
  env["XDG_DATA_HOME"] = (root / "data").string();
  const std::string ctl = test::CtlPath();
  ASSERT_EQ(test::RunTool(ctl, {"auto", "add", "photoedit", "1"}, env).exit_code, 0);
  ASSERT_EQ(test::RunTool(ctl, {"auto", "add", "SpaceGame", "2"}, env).exit_code, 0);
  auto keyboard_profile = [&] {
    const test::ToolRun run = test::RunTool(ctl, {"profile"}, env);
    return run.exit_code == 0 ? run.out : "exit " + std::to_string(run.exit_code) + run.err;
  };
  auto focus_gives = [&](std::uint32_t window, const std::string& profile) {
    wm.Activate(window);
    for (int i = 0; i < 60; ++i) {
      if (keyboard_profile() == profile + "\n") return true;
      std::this_thread::sleep_for(50ms);
    }
    return false;
  };

  Process program = Start({"/Start"});
  std::this_thread::sleep_for(1500ms);
  ASSERT_FALSE(program.WaitFor(0ms).has_value());
  EXPECT_TRUE(focus_gives(photo.window(), "1")) << keyboard_profile();
  EXPECT_TRUE(focus_gives(game.window(), "2")) << keyboard_profile();
  EXPECT_TRUE(focus_gives(photo.window(), "1")) << keyboard_profile();
  EXPECT_EQ(test::RunTool(Program(), {"/Kill"}, env).exit_code, 0);
  EXPECT_EQ(program.WaitFor(5s), std::optional<int>(0));
}

}  // namespace
}  // namespace talon
