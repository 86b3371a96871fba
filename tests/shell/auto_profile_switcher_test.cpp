// The switching logic with a fake clock and a recording program: settling, the keyboard's
// active profile, a busy user, and never sending the same profile twice.
#include <gtest/gtest.h>

#include <vector>

#include "shell/auto_profile_switcher.h"

namespace talon {
namespace {

using namespace std::chrono_literals;
using TimePoint = std::chrono::steady_clock::time_point;

class RecordingProgram : public AutoProfilePort {
 public:
  int ActiveProfile() override { return active; }
  bool UserBusy() override { return busy; }
  void SwitchTo(int profile) override {
    sent.push_back(profile);
    active = switch_works ? profile : -1;
  }

  int active = 0;
  bool busy = false;
  bool switch_works = true;
  std::vector<int> sent;
};

class SwitcherTest : public ::testing::Test {
 protected:
  SwitcherTest() {
    AutoProfileSettings s;
    s.rules = {{"game", 2}, {"game-launcher", 2}, {"editor", 1}, {"desktop", 0}};
    switcher.SetSettings(s);
  }

  static ActiveWindowInfo Window(const char* executable) {
    static std::uint32_t next_window = 0x200000;
    return {++next_window, "", "", executable, false};
  }
  // Focuses `executable` and lets `stay` pass, settling whenever the switcher asked to.
  void Focus(const char* executable, std::chrono::milliseconds stay = 1000ms) {
    Run(switcher.OnActiveWindow(Window(executable)), now + stay);
  }
  void Run(std::optional<std::chrono::milliseconds> wait, TimePoint until) {
    while (wait && now + *wait <= until) {
      now += *wait;
      wait = switcher.Settle();
    }
    now = until;
  }

  TimePoint now{};
  RecordingProgram program;
  AutoProfileSwitcher switcher{program, [this] { return now; }};
};

TEST_F(SwitcherTest, SwitchesOnlyOnceAProgramHasStayedInFront) {
  const auto wait = switcher.OnActiveWindow(Window("game"));
  EXPECT_EQ(wait, 300ms);
  now += 299ms;
  EXPECT_EQ(switcher.Settle(), 1ms);
  EXPECT_TRUE(program.sent.empty());
  now += 1ms;
  EXPECT_EQ(switcher.Settle(), std::nullopt);
  EXPECT_EQ(program.sent, std::vector<int>{2});
  EXPECT_EQ(switcher.Settle(), std::nullopt);  // nothing left waiting
  EXPECT_EQ(program.sent, std::vector<int>{2});
}

TEST_F(SwitcherTest, QuickFocusChangesSendOnlyWhereTheUserStays) {
  Focus("editor", 100ms);
  Focus("game", 299ms);
  Focus("xterm", 250ms);  // no rule, no fallback: drops the game's switch
  Focus("editor", 200ms);
  EXPECT_TRUE(program.sent.empty());
  Focus("game");
  EXPECT_EQ(program.sent, std::vector<int>{2});

  // Two windows asking for the same profile: the wait runs from the first.
  program.sent.clear();
  Focus("desktop", 200ms);
  Focus("desktop", 100ms);
  EXPECT_EQ(program.sent, std::vector<int>{0});
}

TEST_F(SwitcherTest, NeverSendsWhatTheKeyboardHasOrWhatWasJustSent) {
  Focus("game");
  Focus("game-launcher");
  Focus("game");
  EXPECT_EQ(program.sent, std::vector<int>{2});

  // The user picked profile 0 meanwhile: the game's profile is sent again.
  program.active = 0;
  Focus("game");
  EXPECT_EQ(program.sent, (std::vector<int>{2, 2}));

  // A switch that fails leaves the active profile unknown: no resending on every focus...
  program.switch_works = false;
  Focus("editor");
  Focus("game-launcher", 100ms);
  Focus("editor");
  EXPECT_EQ(program.sent, (std::vector<int>{2, 2, 1}));
  // ...but another profile is tried, and once the keyboard is back the usual rule holds.
  Focus("desktop");
  program.switch_works = true;
  program.active = 2;
  Focus("desktop");
  EXPECT_EQ(program.sent, (std::vector<int>{2, 2, 1, 0, 0}));
}

TEST_F(SwitcherTest, ABusyUserIsNeitherSwitchedNorAsked) {
  program.busy = true;
  Focus("game");
  EXPECT_TRUE(program.sent.empty());
  program.busy = false;
  Focus("game");
  EXPECT_EQ(program.sent, std::vector<int>{2});
}

TEST_F(SwitcherTest, NewSettingsDropTheWaitingSwitch) {
  auto wait = switcher.OnActiveWindow(Window("game"));
  AutoProfileSettings off = switcher.settings();
  off.enabled = false;
  switcher.SetSettings(off);
  Run(wait, now + 1s);
  EXPECT_TRUE(program.sent.empty());
  Focus("game");
  EXPECT_TRUE(program.sent.empty());

  AutoProfileSettings fallback;
  fallback.fallback = 1;
  switcher.SetSettings(fallback);
  Focus("anything");
  EXPECT_EQ(program.sent, std::vector<int>{1});
}

}  // namespace
}  // namespace talon
