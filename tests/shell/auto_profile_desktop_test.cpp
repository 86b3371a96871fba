// Automatic profiles end to end: two small programs on a private X server, a stand-in window
// manager focusing them, the controller following the rules file, and the virtual keyboard
// (through the real loader) switched with SetActiveProfile.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTest>
#include <cstdlib>
#include <filesystem>

#include "keyboard_session.h"
#include "shell/auto_profile_controller.h"
#include "test_folder.h"
#include "x_test_desktop.h"

namespace talon {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

QCoreApplication& App() {
  static int argc = 1;
  static char name[] = "auto_profile_desktop_test";
  static char* argv[] = {name, nullptr};
  static auto* app = new QCoreApplication(argc, argv);
  return *app;
}

// The program as the switcher sees it: the keyboard through the command set, and whether the
// user is busy in our windows.
class KeyboardProgram : public AutoProfilePort {
 public:
  explicit KeyboardProgram(KeyboardCommands& commands) : commands_(commands) {}
  int ActiveProfile() override { return commands_.GetActiveProfile(); }
  bool UserBusy() override { return editor_open || changes_pending; }
  void SwitchTo(int profile) override {
    ++switches;
    commands_.SetActiveProfile(profile);
  }

  bool editor_open = false;
  bool changes_pending = false;
  int switches = 0;

 private:
  KeyboardCommands& commands_;
};

class AutoProfileDesktopTest : public ::testing::Test {
 protected:
  AutoProfileDesktopTest() { App(); }

  void SetUp() override {
    ASSERT_TRUE(x.running()) << "Xvfb did not start";
    ASSERT_EQ(keyboard.start_result, StartResult::kStarted);
    ASSERT_NE(photo.window(), 0u);
    ASSERT_NE(game.window(), 0u);
  }

  int KeyboardProfile() const {
    return keyboard.vkb.ReadMemory(KBSIM_AREA_DEVICE_INFO, 10, 1).at(0);
  }
  // Focuses `window` and waits until the keyboard has `profile`.
  bool FocusSwitchesTo(std::uint32_t window, int profile) {
    wm.Activate(window);
    return QTest::qWaitFor([&] { return KeyboardProfile() == profile; }, 5000);
  }
  // Focuses `window` and lets well over the settle time pass.
  void FocusAndStay(std::uint32_t window) {
    wm.Activate(window);
    QTest::qWait(700);
  }
  static bool Edit(const std::function<bool(AutoProfileSettings&)>& change) {
    return EditAutoProfiles(AutoProfilesPath(), change).status == AutoProfilesEdit::Status::kDone;
  }

  const fs::path folder = test::TestFolder();
  test::XvfbServer x;
  test::StandInWindowManager wm{x.display()};
  test::TestWindowProgram photo{x.display(), folder, "photo-editor", "gimp", "Gimp"};
  test::TestWindowProgram game{x.display(), folder, "racing-game", "steam_app_570",
                               "steam_app_570"};
  test::KeyboardSession keyboard;
  KeyboardProgram program{keyboard.commands};
};

TEST_F(AutoProfileDesktopTest, TheKeyboardFollowsTheProgramInFrontUnlessTheUserIsBusy) {
  ASSERT_TRUE(Edit([](AutoProfileSettings& s) {
    AddRule(s, "photo-editor", 1);   // its executable
    AddRule(s, "steam_app_570", 2);  // its window class
    return true;
  }));
  AutoProfileController controller(program);
  const auto started = controller.Start(x.display());
  ASSERT_TRUE(started.watching) << started.note;
  EXPECT_TRUE(controller.enabled());

  wm.Activate(photo.window());
  QTest::qWait(150);
  EXPECT_EQ(KeyboardProfile(), 0) << "switched before the program settled in front";
  EXPECT_TRUE(QTest::qWaitFor([&] { return KeyboardProfile() == 1; }, 5000));
  EXPECT_TRUE(FocusSwitchesTo(game.window(), 2));
  EXPECT_EQ(program.switches, 2);

  program.editor_open = true;
  FocusAndStay(photo.window());
  program.editor_open = false;
  program.changes_pending = true;
  FocusAndStay(game.window());
  FocusAndStay(photo.window());
  EXPECT_EQ(KeyboardProfile(), 2);
  EXPECT_EQ(program.switches, 2) << "a busy user is not switched";
  program.changes_pending = false;
  FocusAndStay(game.window());
  EXPECT_TRUE(FocusSwitchesTo(photo.window(), 1));
  EXPECT_EQ(program.switches, 3);

  // Quick focus changes: only where the user stays.
  wm.Activate(game.window());
  QTest::qWait(50);
  FocusAndStay(photo.window());
  EXPECT_EQ(program.switches, 3);
}

TEST_F(AutoProfileDesktopTest, RuleEditsAndTheCheckItemTakeEffectWhileRunning) {
  AutoProfileController controller(program);
  QSignalSpy enabled(&controller, &AutoProfileController::EnabledChanged);
  QSignalSpy problems(&controller, &AutoProfileController::ProblemFound);
  ASSERT_TRUE(controller.Start(x.display()).watching);
  FocusAndStay(game.window());
  EXPECT_EQ(program.switches, 0) << "no rules yet";

  // Edited as the command-line tool does: a new file renamed over the old one.
  ASSERT_TRUE(Edit([](AutoProfileSettings& s) {
    AddRule(s, "racing-game", 2);
    return true;
  }));
  QTest::qWait(200);
  FocusAndStay(photo.window());  // no rule for it
  EXPECT_TRUE(FocusSwitchesTo(game.window(), 2));
  ASSERT_TRUE(Edit([](AutoProfileSettings& s) {
    s.fallback = 0;
    return true;
  }));
  QTest::qWait(200);
  EXPECT_TRUE(FocusSwitchesTo(photo.window(), 0));

  ASSERT_TRUE(controller.SetEnabled(false));
  EXPECT_EQ(enabled.count(), 1);
  EXPECT_EQ(ReadAutoProfiles(AutoProfilesPath()).settings.enabled, false);
  FocusAndStay(game.window());
  EXPECT_EQ(KeyboardProfile(), 0);
  ASSERT_TRUE(Edit([](AutoProfileSettings& s) {
    s.enabled = true;
    return true;
  }));
  EXPECT_TRUE(QTest::qWaitFor([&] { return controller.enabled(); }, 5000));

  // A broken file: said once, no rules, and the check item does not overwrite it.
  const std::string broken = "[Rules]\nCount=1\nMatch1=photo-editor\nProfile1=7\n";
  test::Spit(AutoProfilesPath(), broken);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !controller.enabled(); }, 5000));
  ASSERT_EQ(problems.count(), 1);
  EXPECT_NE(problems.at(0).at(0).toString().indexOf("Profile must be 0, 1 or 2"), -1);
  EXPECT_FALSE(controller.SetEnabled(true));
  EXPECT_EQ(test::Slurp(AutoProfilesPath()), broken);
  FocusAndStay(game.window());
  FocusAndStay(photo.window());
  EXPECT_EQ(KeyboardProfile(), 0);
}

}  // namespace
}  // namespace talon
