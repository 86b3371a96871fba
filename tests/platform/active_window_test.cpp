// The active-window watcher on a virtual X server of its own, with small test programs and a
// stand-in window manager writing _NET_ACTIVE_WINDOW on the root window.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/active_window.h"
#include "x_test_desktop.h"

namespace talon {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

class Recorder {
 public:
  ActiveWindowWatcher::Callback Callback() {
    return [this](const ActiveWindowInfo& info) {
      std::lock_guard lock(mutex_);
      seen_.push_back(info);
      changed_.notify_all();
    };
  }
  // Waits until `count` windows were delivered; returns what was.
  std::vector<ActiveWindowInfo> WaitFor(std::size_t count) {
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, 5s, [&] { return seen_.size() >= count; });
    return seen_;
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<ActiveWindowInfo> seen_;
};

fs::path ProgramsFolder() {
  return fs::path(std::getenv("TALON7X_TEST_ROOT")) / "programs";
}

ActiveWindowInfo Expected(std::uint32_t window, const char* instance, const char* window_class,
                          const char* executable, bool ours = false) {
  return {window, instance, window_class, executable, ours};
}

class ActiveWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(x.running()) << "Xvfb did not start"; }

  test::XvfbServer x;
  Recorder recorder;
  ActiveWindowWatcher watcher;
};

TEST_F(ActiveWindowTest, FollowsTheActiveWindowWithItsClassAndProgram) {
  test::StandInWindowManager wm(x.display());
  test::TestWindowProgram photo(x.display(), ProgramsFolder(), "photo-editor", "gimp", "Gimp");
  test::TestWindowProgram game(x.display(), ProgramsFolder(), "racing-game", "steam_app_570",
                               "steam_app_570");
  test::TestWindowProgram remote(x.display(), ProgramsFolder(), "remote-tool", "tool", "Tool",
                                 "another-host");
  ASSERT_NE(photo.window(), 0u);
  ASSERT_NE(game.window(), 0u);
  ASSERT_NE(remote.window(), 0u);
  const std::uint32_t own = wm.CreateOwnWindow("talon7x", "Talon7x");
  wm.Activate(game.window());

  const auto started = watcher.Start(recorder.Callback(), x.display());
  EXPECT_TRUE(started.watching);
  EXPECT_EQ(started.note, "");
  const std::string self = fs::read_symlink("/proc/self/exe").filename().string();
  const struct {
    std::uint32_t activate;
    ActiveWindowInfo expected;
  } steps[] = {
      {photo.window(), Expected(photo.window(), "gimp", "Gimp", "photo-editor")},
      {photo.window(), {}},  // written again for the same window: nothing new
      {remote.window(), Expected(remote.window(), "tool", "Tool", "")},  // its pid is not ours
      {own, Expected(own, "talon7x", "Talon7x", self.c_str(), true)},
      {0, Expected(0, "", "", "")},  // a native Wayland window, or the desktop
      {game.window(), Expected(game.window(), "steam_app_570", "steam_app_570", "racing-game")},
  };
  std::vector<ActiveWindowInfo> expected{
      Expected(game.window(), "steam_app_570", "steam_app_570", "racing-game")};
  ASSERT_EQ(recorder.WaitFor(1), expected) << "the window in front at the start comes first";
  // The watcher reads the property as it is when the change reaches it, so each step waits
  // for its delivery before the next.
  for (const auto& step : steps) {
    wm.Activate(step.activate);
    if (step.expected.window != 0 || step.activate == 0) expected.push_back(step.expected);
    EXPECT_EQ(recorder.WaitFor(expected.size()), expected);
  }
  std::this_thread::sleep_for(100ms);
  EXPECT_EQ(recorder.WaitFor(0).size(), expected.size()) << "nothing delivered twice";
}

// Scheduling figures of the watcher's thread: (voluntary switches, CPU ticks).
std::pair<long, long> WatcherThreadFigures() {
  for (const auto& task : fs::directory_iterator("/proc/self/task")) {
    std::ifstream comm(task.path() / "comm");
    std::string name;
    if (!std::getline(comm, name) || name != "active-window") continue;
    std::ifstream status(task.path() / "status");
    long switches = -1;
    for (std::string line; std::getline(status, line);) {
      if (line.rfind("voluntary_ctxt_switches:", 0) == 0) switches = std::stol(line.substr(24));
    }
    std::ifstream stat(task.path() / "stat");
    std::string text;
    std::getline(stat, text);
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::vector<std::string> f{std::istream_iterator<std::string>(fields), {}};
    return {switches, std::stol(f.at(11)) + std::stol(f.at(12))};  // utime + stime
  }
  return {-1, -1};
}

TEST_F(ActiveWindowTest, WaitsForEventsWithoutWakingUp) {
  test::StandInWindowManager wm(x.display());
  ASSERT_TRUE(watcher.Start(recorder.Callback(), x.display()).watching);
  recorder.WaitFor(1);
  std::this_thread::sleep_for(100ms);
  const auto before = WatcherThreadFigures();
  ASSERT_GE(before.first, 0) << "no thread named active-window";
  std::this_thread::sleep_for(1500ms);
  EXPECT_EQ(WatcherThreadFigures(), before) << "the watcher woke up with nothing happening";

  const std::uint32_t own = wm.CreateOwnWindow("a", "A");
  wm.Activate(own);
  EXPECT_EQ(recorder.WaitFor(2).size(), 2u);
  std::this_thread::sleep_for(100ms);  // back to waiting, which is when a switch is counted
  EXPECT_GT(WatcherThreadFigures().first, before.first) << "not the watcher's thread";
}

TEST_F(ActiveWindowTest, WithoutAWindowManagerItSaysSoAndWaitsForOne) {
  const auto started = watcher.Start(recorder.Callback(), x.display());
  EXPECT_TRUE(started.watching);
  EXPECT_EQ(started.note,
            "the window manager does not report the active window: idle until one does");
  EXPECT_EQ(recorder.WaitFor(1).at(0).window, 0u);

  test::StandInWindowManager late(x.display());
  const std::uint32_t own = late.CreateOwnWindow("late", "Late");
  late.Activate(own);
  EXPECT_EQ(recorder.WaitFor(2).back().window_class, "Late");
}

TEST_F(ActiveWindowTest, EndsQuietlyWhenTheServerGoesAway) {
  ASSERT_TRUE(watcher.Start(recorder.Callback(), x.display()).watching);
  recorder.WaitFor(1);
  x.Kill();
  std::this_thread::sleep_for(100ms);
  watcher.Stop();
  EXPECT_EQ(recorder.WaitFor(0).size(), 1u);
}

TEST(ActiveWindowWatcher, StaysIdleAndSaysWhyWithoutAnXServer) {
  const struct {
    const char* display;  // nullptr: $DISPLAY unset
    const char* wayland;  // $WAYLAND_DISPLAY
    const char* note;
  } cases[] = {
      {nullptr, nullptr, "no X display (DISPLAY is not set): the program in front cannot be seen"},
      {nullptr, "wayland-0",
       "a Wayland session without XWayland: the program in front cannot be seen"},
      {":9999", nullptr, "cannot reach the X display :9999: the program in front cannot be seen"},
  };
  for (const auto& c : cases) {
    const std::string old_display = std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "";
    c.display ? setenv("DISPLAY", c.display, 1) : unsetenv("DISPLAY");
    c.wayland ? setenv("WAYLAND_DISPLAY", c.wayland, 1) : unsetenv("WAYLAND_DISPLAY");
    bool called = false;
    ActiveWindowWatcher watcher;
    const auto started = watcher.Start([&](const ActiveWindowInfo&) { called = true; });
    EXPECT_FALSE(started.watching);
    EXPECT_EQ(started.note, c.note);
    watcher.Stop();
    EXPECT_FALSE(called);
    unsetenv("WAYLAND_DISPLAY");
    old_display.empty() ? unsetenv("DISPLAY") : setenv("DISPLAY", old_display.c_str(), 1);
  }
}

}  // namespace
}  // namespace talon
