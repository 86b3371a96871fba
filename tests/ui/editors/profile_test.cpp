// The profile manager, the profile menu and switching the active profile, against the virtual
// keyboard.
#include <QMenu>
#include <QTest>
#include <QTimer>

#include <linux/input-event-codes.h>

#include <gtest/gtest.h>

#include <fstream>

#include "device/keyboard_commands.h"
#include "editor_window.h"
#include "shell/tray_icon.h"
#include "ui/main/control_ids.h"
#include "ui/skin/png_button.h"
#include "ui/skin/report_ctrl.h"

namespace talon {
namespace {

using test::EditorWindow;

constexpr KeySlot kA = 0x01E;
constexpr std::uint32_t kAPosition = 19;  // of the keyboard's default key map
constexpr std::size_t kActiveProfileByte = 10;

class ProfileTest : public testing::Test {
 protected:
  // A change made in the key dialog and not yet applied: A sends B.
  void AssignAToB() {
    w.Edit(test::KeyButtonOf(kA), [](Vexmo_DlgComposite& dialog) {
      test::TapKey(dialog, Qt::Key_B, KEY_B);
      test::ClickOn(*dialog.ControlAs<QWidget>(1));
    });
    ASSERT_EQ(w.Record(0, kA).type, AssignmentKind::kKey);
    ASSERT_TRUE(w.window().ApplyPending());
  }
  int KeyboardsActiveProfile() {
    return w.vkb.ReadMemory(KBSIM_AREA_DEVICE_INFO, kActiveProfileByte, 1).at(0);
  }
  int MarkedMenuPosition() {
    const QList<QAction*> items = w.profiles().ProfileMenu()->actions();
    for (int i = 0; i < items.size(); ++i) {
      if (items[i]->isChecked()) return i;
    }
    return -1;
  }
  // Runs the profile manager modally with `body` inside; whatever stays open is cancelled.
  void Manage(const std::function<void(CVexmo_DlgProfile&)>& body) {
    ProfileEditor& editor = w.profiles();
    QTimer::singleShot(0, [&] {
      CVexmo_DlgProfile* dialog = editor.Manager();
      if (dialog == nullptr) return;
      test::MainWindowHarness::WaitFor([dialog] { return dialog->isVisible(); });
      body(*dialog);
      if (editor.Manager() == dialog && dialog->isVisible()) dialog->OnCancel();
    });
    editor.OpenManager();
  }
  // A click on a row's tick box.
  static void ClickTick(CReportCtrl& list, int row) {
    const QRect cell = list.CellRect(row, 0);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                      QPoint(cell.left() + 10, cell.center().y()));
    test::MainWindowHarness::Spin(5);
  }

  EditorWindow w;
};

TEST_F(ProfileTest, SwitchingWithUnappliedChangesAnsweredNoDropsThem) {
  AssignAToB();
  w.boxes.Answer(MessageBoxResult::kNo);
  w.Command(ProfileEditor::kMenuFirstProfile + 1);
  const std::vector<std::string> shown = test::ShownTexts(w.boxes);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], w.language.Text("PROFILE_SELECT_PROMPT"));
  EXPECT_EQ(w.Record(0, kA), KeyRecord{});  // the working file's record again
  EXPECT_FALSE(w.window().ApplyPending());
  EXPECT_EQ(w.commands.GetActiveProfile(), 1);
  EXPECT_EQ(KeyboardsActiveProfile(), 1);
  EXPECT_EQ(MarkedMenuPosition(), 3);
  // The keyboard never got the dropped change.
  const auto action = w.vkb.KeyActionAt(kAPosition);
  ASSERT_TRUE(action.has_value());
  EXPECT_EQ(action->value, 0x04u);
}

TEST_F(ProfileTest, SwitchingWithUnappliedChangesAnsweredYesAppliesThemFirst) {
  AssignAToB();
  w.boxes.Answer(MessageBoxResult::kYes);
  EXPECT_EQ(w.profiles().SwitchProfile(2), 1);
  EXPECT_FALSE(w.window().ApplyPending());
  EXPECT_EQ(KeyboardsActiveProfile(), 2);
  const std::vector<std::uint8_t> bank0 = w.vkb.ReadMemory(KBSIM_AREA_KEY_BANKS, 0, 420);
  EXPECT_EQ(bank0[3 * kAPosition + 2], 0x05);  // A sends B's usage in profile 0
}

TEST_F(ProfileTest, NoSwitchWhileTheKeyDialogIsOpen) {
  w.Edit(test::KeyButtonOf(kA),
         [&](Vexmo_DlgComposite&) { EXPECT_EQ(w.profiles().SwitchProfile(2), 0); });
  EXPECT_EQ(test::ShownTexts(w.boxes),
            std::vector<std::string>{w.language.Text("PROFILE_SEELCT_PROMPT2")});
  EXPECT_EQ(KeyboardsActiveProfile(), 0);
}

TEST_F(ProfileTest, TheMenuMarksTheActiveProfileAndNamesItOnTheProfileButton) {
  EXPECT_EQ(MarkedMenuPosition(), 2);
  w.Command(ProfileEditor::kMenuFirstProfile + 2);
  EXPECT_TRUE(test::ShownTexts(w.boxes).empty());
  EXPECT_EQ(KeyboardsActiveProfile(), 2);
  EXPECT_EQ(MarkedMenuPosition(), 4);
  const QList<QAction*> items = w.profiles().ProfileMenu()->actions();
  ASSERT_EQ(items.size(), 6);
  EXPECT_EQ(items[0]->text(), "Default");
  EXPECT_TRUE(items[1]->isSeparator());
  EXPECT_EQ(items[4]->text(), "$Profile0");
  // The tray's menu carries it too, first.
  ASSERT_NE(w.window().Tray(), nullptr);
  EXPECT_EQ(w.window().Tray()->Menu()->actions().front()->menu(), w.profiles().ProfileMenu());
  CPngButton* button = w.window().ButtonById(ctl::kProfiles);
  EXPECT_EQ(button->text(), "$Profile0");
  EXPECT_EQ(button->Tooltip(), "Current profile: $Profile0");
  // An index past the profiles means the first one.
  EXPECT_EQ(w.profiles().SwitchProfile(7), 1);
  EXPECT_EQ(KeyboardsActiveProfile(), 0);
  // Without a keyboard no profile is active: the menu marks the default item.
  w.vkb.Unplug();
  w.commands.ForgetActiveProfile();
  w.profiles().BuildProfileMenu(false);
  EXPECT_EQ(MarkedMenuPosition(), 0);
  EXPECT_EQ(button->text(), "Default");
}

TEST_F(ProfileTest, TheManagerListsTheProfilesAndApplyKeepsAProfileTheKeyboardHas) {
  const std::filesystem::path loaded = w.scratch / "games.vxp";
  ASSERT_EQ(CreateEmptyProfile(loaded), 1);
  w.files.Answer(loaded);
  Manage([&](CVexmo_DlgProfile& dialog) {
    CReportCtrl& list = dialog.List();
    ASSERT_EQ(list.GetItemCount(), 4);
    const std::string folder = w.paths.user_folder.string() + "/";
    for (int row = 0; row < 4; ++row) {
      EXPECT_EQ(list.GetItemText(row, 1), "$Profile0");
      EXPECT_EQ(list.GetItemText(row, 2).toStdString(), folder);
      EXPECT_EQ(list.ItemHasStates(row, CReportCtrl::kTick), row == 0);
    }
    EXPECT_FALSE(dialog.ApplyPending());
    test::ClickOn(*dialog.ControlAs<QWidget>(CVexmo_DlgProfile::kDelete));  // nothing selected
    EXPECT_FALSE(dialog.ApplyPending());

    test::ClickOn(*dialog.ControlAs<QWidget>(CVexmo_DlgProfile::kLoad));
    ASSERT_EQ(list.GetItemCount(), 5);
    EXPECT_EQ(list.GetItemText(4, 1), "games");
    EXPECT_TRUE(dialog.ApplyPending());
    ClickTick(list, 4);
    EXPECT_TRUE(list.ItemHasStates(4, CReportCtrl::kTick));
    EXPECT_FALSE(list.ItemHasStates(0, CReportCtrl::kTick));
    test::SaveScreen(dialog, "profile-manager.png");

    w.vkb.ClearLog();
    test::ClickOn(*dialog.ControlAs<QWidget>(CVexmo_DlgProfile::kApply));
    EXPECT_FALSE(dialog.ApplyPending());
    for (std::uint8_t c : w.vkb.Commands()) EXPECT_NE(c, command::kWriteDeviceInfo);
    EXPECT_EQ(KeyboardsActiveProfile(), 0);

    ClickTick(list, 1);
    test::ClickOn(*dialog.ControlAs<QWidget>(1));  // OK applies
  });
  EXPECT_EQ(KeyboardsActiveProfile(), 1);
  EXPECT_EQ(w.preferences.GetProfileString("PROFILES", "PROFILE00", ""), "5");
  EXPECT_EQ(w.preferences.GetProfileString("PROFILES", "PROFILE05", ""), loaded.string());
  EXPECT_EQ(w.preferences.GetProfileString("PROFILES", "PROFILE01", ""),
            (w.paths.user_folder / "$Profile0.vxp").string());
  EXPECT_EQ(MarkedMenuPosition(), 3);
}

TEST_F(ProfileTest, EscapeClosesTheManagerWithoutApplying) {
  Manage([&](CVexmo_DlgProfile& dialog) {
    ClickTick(dialog.List(), 2);
    ASSERT_TRUE(dialog.ApplyPending());
    test::TapKey(dialog, Qt::Key_Escape, KEY_ESC);
    EXPECT_TRUE(test::MainWindowHarness::WaitFor([&] { return !dialog.isVisible(); }));
  });
  EXPECT_FALSE(w.profiles().IsOpen());
  EXPECT_EQ(KeyboardsActiveProfile(), 0);
}

TEST_F(ProfileTest, NewMakesAnEmptyProfileFileOrSaysItCouldNot) {
  const std::filesystem::path made = w.scratch / "new one.vxp";
  w.files.Answer(made);
  w.files.Answer(w.scratch / "no such folder" / "x.vxp");
  Manage([&](CVexmo_DlgProfile& dialog) {
    test::ClickOn(*dialog.ControlAs<QWidget>(CVexmo_DlgProfile::kAdd));
    ASSERT_EQ(dialog.List().GetItemCount(), 5);
    EXPECT_EQ(dialog.List().GetItemText(4, 1), "new one");
    test::ClickOn(*dialog.ControlAs<QWidget>(CVexmo_DlgProfile::kAdd));
    EXPECT_EQ(dialog.List().GetItemCount(), 5);
  });
  EXPECT_EQ(std::filesystem::file_size(made), 32832u);
  ASSERT_EQ(w.files.Shown().size(), 2u);
  EXPECT_EQ(w.files.Shown()[0].initial_name, (w.paths.user_folder / "New profile").string());
  EXPECT_TRUE(w.files.Shown()[0].overwrite_prompt);
  const std::vector<std::string> shown = test::ShownTexts(w.boxes);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_NE(shown[0].find("no such folder"), std::string::npos);
}

}  // namespace
}  // namespace talon
