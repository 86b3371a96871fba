// The tray's "Automatic profiles" check item against the rules file, with no X display (the
// watcher idles; the item and the file watch still work).
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

#include "shell/auto_profile_controller.h"
#include "shell/auto_profile_menu_item.h"
#include "test_folder.h"

namespace talon {
namespace {

QApplication& App() {
  static int argc = 1;
  static char name[] = "auto_profile_menu_item_test";
  static char* argv[] = {name, nullptr};
  static auto* app = new QApplication(argc, argv);
  return *app;
}

class NoKeyboard : public AutoProfilePort {
 public:
  int ActiveProfile() override { return -1; }
  bool UserBusy() override { return false; }
  void SwitchTo(int) override {}
};

TEST(AutoProfileMenuItem, TicksWithTheFileAndSwitchesItOnAndOff) {
  App();
  const std::filesystem::path file = test::TestFolder() / "cfg" / "auto-profiles.ini";
  NoKeyboard keyboard;
  AutoProfileController controller(keyboard, file);
  EXPECT_FALSE(controller.Start(":9999").watching);
  QString text = "Automatic profiles";
  QMenu menu;
  QAction* item = AddAutoProfileMenuItem(menu, controller, [&text] { return text; });
  EXPECT_EQ(item->text(), "Automatic profiles");
  EXPECT_TRUE(item->isCheckable());
  EXPECT_TRUE(item->isChecked());

  item->trigger();
  EXPECT_FALSE(item->isChecked());
  EXPECT_FALSE(ReadAutoProfiles(file).settings.enabled);
  item->trigger();
  EXPECT_TRUE(ReadAutoProfiles(file).settings.enabled);

  // Switched off with the tool while the menu is closed; the language changed too.
  const auto off = [](AutoProfileSettings& s) {
    s.enabled = false;
    return true;
  };
  ASSERT_EQ(EditAutoProfiles(file, off).status, AutoProfilesEdit::Status::kDone);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !item->isChecked(); }, 5000));
  text = "Profils automatiques";
  emit menu.aboutToShow();
  EXPECT_EQ(item->text(), "Profils automatiques");

  // A broken file: the click is refused and the file stays as the user left it.
  QSignalSpy problems(&controller, &AutoProfileController::ProblemFound);
  test::Spit(file, "[Settings]\nEnabled=maybe\n");
  ASSERT_TRUE(problems.wait(5000));
  item->trigger();
  EXPECT_FALSE(item->isChecked());
  EXPECT_EQ(test::Slurp(file), "[Settings]\nEnabled=maybe\n");
  EXPECT_EQ(problems.count(), 2);  // the file changed, then the refused click
}

}  // namespace
}  // namespace talon
