// The macro page of the key assignment dialog driven as a user drives it: recording, the macro
// list's names and limits, deleting macros keys use, the play count, editing actions in place,
// and a commit that reaches the keyboard.
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <linux/input-event-codes.h>

#include <gtest/gtest.h>

#include "editor_window.h"
#include "ui/editors/composite_ids.h"
#include "ui/editors/macro_page.h"
#include "ui/main/control_ids.h"
#include "ui/skin/combo_box_4_list_ctrl.h"
#include "ui/skin/png_button.h"
#include "ui/skin/report_ctrl.h"

namespace talon {
namespace {

using test::EditorWindow;

constexpr KeySlot kA = 0x01E;
constexpr KeySlot kB = 0x030;
constexpr KeySlot kF5 = 0x03F;
constexpr std::uint32_t kAPosition = 19;  // of the keyboard's default key map

CPngButton& Button(Vexmo_DlgComposite& dialog, int id) {
  return *dialog.ControlAs<CPngButton>(id);
}

MacroRecord Macro(std::uint16_t id, std::u16string name, std::vector<MacroAction> actions = {}) {
  MacroRecord m;
  m.id = id;
  m.name = std::move(name);
  m.repeat_count = 1;
  m.actions = std::move(actions);
  return m;
}

// Clicks on a cell until it is edited: a click on a row that is not yet selected selects it,
// a click on the selected row edits the cell.
void EditCell(CReportCtrl& list, int row, int column) {
  const QPoint at = list.CellRect(row, column).center();
  if (!list.ItemHasStates(row, CReportCtrl::kSelect | CReportCtrl::kFocus)) {
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, at);
    test::MainWindowHarness::Spin(10);
  }
  QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, at);
  test::MainWindowHarness::Spin(10);
}

class MacroPageTest : public testing::Test {
 protected:
  void SetMacros(std::vector<MacroRecord> macros) {
    w.context().store.Lock()->macros = std::move(macros);
  }
  std::vector<MacroRecord> Macros() { return w.context().store.Lock()->macros; }
  // Opens the dialog for `key` on its macro page and runs `body` there.
  void OnMacroPage(KeySlot key, const std::function<void(Vexmo_DlgComposite&, MacroPage&)>& body,
                   EditorWindow* window = nullptr) {
    EditorWindow& on = window != nullptr ? *window : w;
    on.Edit(test::KeyButtonOf(key), [&](Vexmo_DlgComposite& dialog) {
      test::ClickOn(Button(dialog, composite::kMacroPage));
      ASSERT_EQ(dialog.Page(), composite::kPageMacro);
      body(dialog, dialog.Macros());
    });
  }

  EditorWindow w;
};

TEST_F(MacroPageTest, RecordingWithoutDelaysShiftsEachPauseToTheActionBefore) {
  OnMacroPage(kA, [&](Vexmo_DlgComposite& dialog, MacroPage& page) {
    test::ClickOn(Button(dialog, composite::kAddMacro));
    ASSERT_EQ(page.CurrentMacro(), 0);
    EXPECT_EQ(page.MacroCombo().currentText(), "Macro 1");
    test::ClickOn(Button(dialog, composite::kRecord));
    ASSERT_TRUE(page.IsRecording());
    EXPECT_EQ(Button(dialog, composite::kRecord).text(), "Stop");
    EXPECT_FALSE(Button(dialog, composite::kAddMacro).isEnabled());
    test::TapKey(dialog, Qt::Key_A, KEY_A);
    test::SendKey(dialog, QEvent::KeyPress, Qt::Key_B, KEY_B);
    test::SendKey(dialog, QEvent::KeyPress, Qt::Key_B, KEY_B, Qt::NoModifier, true);
    test::SendKey(dialog, QEvent::KeyRelease, Qt::Key_B, KEY_B);
    test::TapKey(dialog, Qt::Key_VolumeMute, KEY_MUTE);  // media keys pass
    test::TapKey(dialog, Qt::Key_Print, KEY_SYSRQ);
    // Editing a pause stops the recording first.
    EditCell(page.Actions(), 0, MacroPage::kPauseColumn);
    EXPECT_FALSE(page.IsRecording());
    EXPECT_EQ(Button(dialog, composite::kRecord).text(), "Record");
    page.Actions().EndEdit(false);

    constexpr auto kDown = action_state::kPress;
    constexpr auto kUp = action_state::kRelease;
    const std::vector<MacroAction> expected = {
        {50, kA, kDown},    {50, kA, kUp},      {50, kB, kDown},    {50, kB, kUp},
        {50, 0x137, kDown}, {50, 0x137, kDown}, {50, 0x137, kDown}, {0, 0x137, kUp}};
    EXPECT_EQ(page.ShownActions(), expected);
    EXPECT_EQ(page.Actions().GetItemText(1, 1), QStringLiteral("  \u2191"));
    EXPECT_EQ(page.Actions().GetItemText(4, 0), "Print Screen");
    test::ClickOn(Button(dialog, composite::kOk));
  });
  const std::vector<MacroRecord> macros = Macros();
  ASSERT_EQ(macros.size(), 1u);
  EXPECT_EQ(macros[0].id, 1);
  EXPECT_EQ(macros[0].new_flag, 0);
  EXPECT_EQ(macros[0].actions.size(), 8u);
  EXPECT_EQ(w.Record(0, kA), (KeyRecord{AssignmentKind::kMacro, 1, 1}));
}

TEST_F(MacroPageTest, AMacroHoldsAtMost2000Actions) {
  SetMacros({Macro(1, u"Long", std::vector<MacroAction>(1999, {10, kB, 0}))});
  OnMacroPage(kA, [&](Vexmo_DlgComposite& dialog, MacroPage& page) {
    ASSERT_EQ(page.Actions().GetItemCount(), 1999);
    test::TapKey(dialog, Qt::Key_Escape, KEY_ESC);  // neither a cancel nor an action
    EXPECT_TRUE(dialog.isVisible());
    test::ClickOn(Button(dialog, composite::kRecord));
    test::TapKey(dialog, Qt::Key_A, KEY_A);
    test::TapKey(dialog, Qt::Key_A, KEY_A);
    EXPECT_EQ(page.Actions().GetItemCount(), 2000);
    test::ClickOn(Button(dialog, composite::kOk));
  });
  EXPECT_EQ(Macros()[0].actions.size(), 2000u);
  EXPECT_TRUE(test::ShownTexts(w.boxes).empty());
}

TEST_F(MacroPageTest, RecordedDelaysAreTheTimeBetweenKeystrokes) {
  OnMacroPage(kA, [&](Vexmo_DlgComposite& dialog, MacroPage& page) {
    test::ClickOn(*dialog.ControlAs<QWidget>(composite::kRecordDelay));
    ASSERT_TRUE(page.RecordDelays());
    test::ClickOn(Button(dialog, composite::kAddMacro));
    test::ClickOn(Button(dialog, composite::kRecord));
    test::SendKey(dialog, QEvent::KeyPress, Qt::Key_A, KEY_A);
    test::MainWindowHarness::Spin(120);
    test::SendKey(dialog, QEvent::KeyRelease, Qt::Key_A, KEY_A);
    const std::vector<MacroAction> shown = page.ShownActions();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_GE(shown[0].pause_ms, 100u);
    EXPECT_LT(shown[0].pause_ms, 2000u);
    EXPECT_EQ(shown[1].pause_ms, 0u);
  });
  // The choice is kept for the next time.
  OnMacroPage(kB, [&](Vexmo_DlgComposite&, MacroPage& page) { EXPECT_TRUE(page.RecordDelays()); });
}

TEST_F(MacroPageTest, AddNamesSkipPrefixesOfLongerNamesAndStopAtAHundred) {
  SetMacros({Macro(1, u"Macro 10")});
  OnMacroPage(kA, [&](Vexmo_DlgComposite& dialog, MacroPage& page) {
    test::ClickOn(Button(dialog, composite::kAddMacro));
    ASSERT_EQ(page.WorkingList().size(), 2u);
    EXPECT_EQ(page.WorkingList()[1].name, u"Macro 2");
    EXPECT_EQ(page.WorkingList()[1].id, 2);
    EXPECT_EQ(page.CurrentMacro(), 1);
    EXPECT_TRUE(dialog.ApplyEnabled());
  });
  std::vector<MacroRecord> hundred;
  for (std::uint16_t id = 1; id <= 100; ++id) hundred.push_back(Macro(id, u"M"));
  SetMacros(hundred);
  OnMacroPage(kA, [&](Vexmo_DlgComposite& dialog, MacroPage& page) {
    test::ClickOn(Button(dialog, composite::kAddMacro));
    EXPECT_EQ(page.WorkingList().size(), 100u);
    EXPECT_EQ(page.MacroCombo().count(), 100);
  });
  const std::vector<std::string> shown = test::ShownTexts(w.boxes);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], "You can create at most 100 macros.");
}

TEST_F(MacroPageTest, TypingNamesTheCurrentMacroOrMakesTheFirst) {
  OnMacroPage(kA, [&](Vexmo_DlgComposite& dialog, MacroPage& page) {
    QLineEdit& name = *page.MacroCombo().lineEdit();
    QTest::keyClicks(&name, "Go");
    ASSERT_EQ(page.WorkingList().size(), 1u);
    EXPECT_EQ(page.WorkingList()[0].name, u"Go");
    EXPECT_EQ(page.WorkingList()[0].new_flag, 1);
    QTest::keyClicks(&name, " home");
    EXPECT_EQ(page.WorkingList()[0].name, u"Go home");
    EXPECT_EQ(page.MacroCombo().itemText(0), "Go home");
    test::ClickOn(Button(dialog, composite::kOk));
  });
  ASSERT_EQ(Macros().size(), 1u);
  EXPECT_EQ(Macros()[0].name, u"Go home");
}

TEST_F(MacroPageTest, DeletingAMacroOtherProfilesUseAsksAndTheirKeysReturnToDefault) {
  SetMacros({Macro(1, u"Used"), Macro(2, u"Free")});
  w.context().store.Lock()->key_block.record(2, kF5) = {AssignmentKind::kMacro, 1, 1};
  w.boxes.Answer(MessageBoxResult::kNo);
  w.boxes.Answer(MessageBoxResult::kYes);
  OnMacroPage(kA, [&](Vexmo_DlgComposite& dialog, MacroPage& page) {
    ASSERT_EQ(page.CurrentMacro(), 0);
    test::ClickOn(Button(dialog, composite::kDeleteMacro));  // No
    EXPECT_EQ(page.WorkingList().size(), 2u);
    test::ClickOn(Button(dialog, composite::kDeleteMacro));  // Yes
    ASSERT_EQ(page.WorkingList().size(), 1u);
    EXPECT_EQ(page.WorkingList()[0].name, u"Free");
    EXPECT_EQ(page.CurrentMacro(), 0);
    // The deleted macro's id goes to the next new one, which is not the macro F5 meant.
    test::ClickOn(Button(dialog, composite::kAddMacro));
    EXPECT_EQ(page.WorkingList()[1].id, 1);
    // A macro made since the dialog opened goes without a question.
    test::ClickOn(Button(dialog, composite::kAddMacro));
    EXPECT_EQ(page.WorkingList().size(), 3u);
    test::ClickOn(Button(dialog, composite::kDeleteMacro));
    EXPECT_EQ(page.WorkingList().size(), 2u);
    EXPECT_EQ(page.CurrentMacro(), 1);
    EXPECT_EQ(test::ShownTexts(w.boxes).size(), 2u);
    test::ClickOn(Button(dialog, composite::kOk));
  });
  EXPECT_EQ(test::ShownTexts(w.boxes)[0].rfind("This macro is assigned", 0), 0u);
  EXPECT_EQ(w.Record(2, kF5).type, AssignmentKind::kDefault);
  EXPECT_EQ(w.Record(0, kA), (KeyRecord{AssignmentKind::kMacro, 1, 1}));
  const std::vector<MacroRecord> macros = Macros();
  ASSERT_EQ(macros.size(), 2u);
  EXPECT_EQ(macros[1].id, 1);
  EXPECT_EQ(macros[1].new_flag, 0);
}

TEST_F(MacroPageTest, ThePlayCountStaysWithinOneTo255) {
  SetMacros({Macro(1, u"Count")});
  OnMacroPage(kA, [&](Vexmo_DlgComposite& dialog, MacroPage& page) {
    QLineEdit& count = page.PlayCountEdit();
    const struct {
      const char* typed;
      const char* shown;
    } cases[] = {{"0", "1"}, {"300", "255"}, {"42", "42"}};
    for (const auto& c : cases) {
      count.selectAll();
      QTest::keyClicks(&count, c.typed);
      EXPECT_EQ(count.text(), c.shown) << c.typed;
    }
    EXPECT_TRUE(dialog.ApplyEnabled());
    test::ClickOn(Button(dialog, composite::kOk));
  });
  EXPECT_EQ(Macros()[0].repeat_count, 42);
  EXPECT_EQ(w.Record(0, kA), (KeyRecord{AssignmentKind::kMacro, 42, 1}));
}

TEST_F(MacroPageTest, CellsAreEditedInPlace) {
  SetMacros({Macro(1, u"Edit me", {{100, kA, 0}, {120, kA, 1}, {30, kB, 0}, {0, kB, 1}})});
  OnMacroPage(kA, [&](Vexmo_DlgComposite& dialog, MacroPage& page) {
    CReportCtrl& list = page.Actions();
    ASSERT_EQ(list.GetItemCount(), 4);
    test::ClickOn(Button(dialog, composite::kApply));
    ASSERT_FALSE(dialog.ApplyEnabled());

    // Choosing the entry already there changes nothing; Escape then ends the edit.
    EditCell(list, 0, MacroPage::kKeyColumn);
    ASSERT_NE(page.CellDropDown(), nullptr);
    test::Choose(*page.CellDropDown(), "A");
    test::TapKey(dialog, Qt::Key_Escape, KEY_ESC);
    EXPECT_FALSE(list.IsEditing());
    EXPECT_TRUE(dialog.isVisible());
    test::MainWindowHarness::Spin(20);
    EXPECT_FALSE(dialog.ApplyEnabled());
    // One click on another entry commits it.
    EditCell(list, 0, MacroPage::kKeyColumn);
    ASSERT_NE(page.CellDropDown(), nullptr);
    test::Choose(*page.CellDropDown(), "Caps Lock");
    EXPECT_TRUE(test::MainWindowHarness::WaitFor([&] { return dialog.ApplyEnabled(); }));
    EXPECT_EQ(list.GetItemText(0, 0), "Caps Lock");
    EXPECT_FALSE(list.IsEditing());
    EditCell(list, 3, MacroPage::kStateColumn);
    ASSERT_NE(page.CellDropDown(), nullptr);
    test::Choose(*page.CellDropDown(), 0);
    test::MainWindowHarness::Spin(20);
    EXPECT_EQ(list.GetItemText(3, 1), QStringLiteral("\u2193"));

    // Pauses: at most 40000, in steps of 10 ms.
    const struct {
      int row;
      const char* typed;
      std::uint32_t stored;
    } pauses[] = {{1, "40001", 40000}, {2, "12345", 12340}};
    for (const auto& p : pauses) {
      EditCell(list, p.row, MacroPage::kPauseColumn);
      ASSERT_TRUE(list.IsEditing());
      list.EditBox().selectAll();
      QTest::keyClicks(&list.EditBox(), p.typed);
      if (p.row == 2) test::SaveScreen(dialog, "key-dialog-macro.png");
      test::TapKey(dialog, Qt::Key_Return, KEY_ENTER);
      EXPECT_FALSE(list.IsEditing());
      EXPECT_EQ(list.GetItemText(p.row, 2), QString::number(p.stored));
    }
    const std::vector<MacroAction> expected = {
        {100, 0x03A, 0}, {40000, kA, 1}, {12340, kB, 0}, {0, kB, 0}};
    EXPECT_EQ(page.ShownActions(), expected);
    EXPECT_TRUE(dialog.isVisible());  // Enter ended the edit, not the dialog
    test::ClickOn(Button(dialog, composite::kOk));
  });
  const std::vector<std::string> shown = test::ShownTexts(w.boxes);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], "A pause can be at most 40000 ms.");
  EXPECT_EQ(Macros()[0].actions[1].pause_ms, 40000u);
}

TEST_F(MacroPageTest, ActionsAreMovedDeletedAndCleared) {
  SetMacros({Macro(1, u"Order", {{10, kA, 0}, {20, kB, 0}, {30, kF5, 0}})});
  w.boxes.Answer(MessageBoxResult::kNo);
  w.boxes.Answer(MessageBoxResult::kYes);
  OnMacroPage(kA, [&](Vexmo_DlgComposite& dialog, MacroPage& page) {
    CReportCtrl& list = page.Actions();
    auto keys = [&] {
      std::vector<KeyId> k;
      for (const MacroAction& a : page.ShownActions()) k.push_back(a.key);
      return k;
    };
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.CellRect(2, 0).center());
    test::ClickOn(Button(dialog, composite::kMoveTop));
    EXPECT_EQ(keys(), (std::vector<KeyId>{kF5, kA, kB}));
    test::ClickOn(Button(dialog, composite::kMoveDown));
    EXPECT_EQ(keys(), (std::vector<KeyId>{kA, kF5, kB}));
    test::ClickOn(Button(dialog, composite::kMoveBottom));
    EXPECT_EQ(keys(), (std::vector<KeyId>{kA, kB, kF5}));
    test::ClickOn(Button(dialog, composite::kMoveUp));
    EXPECT_EQ(keys(), (std::vector<KeyId>{kA, kF5, kB}));
    test::ClickOn(Button(dialog, composite::kDeleteAction));
    EXPECT_EQ(keys(), (std::vector<KeyId>{kA, kB}));
    test::ClickOn(Button(dialog, composite::kClearActions));  // No
    EXPECT_EQ(list.GetItemCount(), 2);
    test::ClickOn(Button(dialog, composite::kClearActions));  // Yes
    EXPECT_EQ(list.GetItemCount(), 0);
    test::ClickOn(Button(dialog, composite::kOk));
  });
  EXPECT_TRUE(Macros()[0].actions.empty());
}

TEST(MacroUploadTest, AMacroThatFitsOnlyWithoutItsNameIsSentWithoutItAndTheUserIsTold) {
  // One unit of 128 bytes: 24 actions fit (118 bytes), their name does not (132).
  EditorWindow w({.macro_capacity_units = 1});
  w.Edit(test::KeyButtonOf(kA), [&](Vexmo_DlgComposite& dialog) {
    test::ClickOn(*dialog.ControlAs<QWidget>(composite::kMacroPage));
    test::ClickOn(*dialog.ControlAs<QWidget>(composite::kAddMacro));
    test::ClickOn(*dialog.ControlAs<QWidget>(composite::kRecord));
    for (int i = 0; i < 12; ++i) test::TapKey(dialog, Qt::Key_B, KEY_B);
    test::ClickOn(*dialog.ControlAs<QWidget>(composite::kOk));
  });
  w.Command(ctl::kApply);
  const std::vector<std::string> shown = test::ShownTexts(w.boxes);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], w.language.Text("EXTRA_PROFILE_SPACE_TIGHT"));
  const std::vector<std::uint8_t> head = w.vkb.ReadMemory(KBSIM_AREA_MACROS, 0, 8);
  ASSERT_EQ(head.size(), 8u);
  EXPECT_EQ(head[0] | (head[1] << 8), 0x55AA);
  EXPECT_EQ(head[2] | (head[3] << 8), 118);
  EXPECT_EQ(head[4] | (head[5] << 8), 1);
  EXPECT_EQ(head[6] | (head[7] << 8), 0);  // no names
  const auto action = w.vkb.KeyActionAt(kAPosition);
  ASSERT_TRUE(action.has_value());
  EXPECT_EQ(action->kind, static_cast<std::uint32_t>(KBSIM_ACTION_MACRO));
  EXPECT_EQ(action->value, 0u);
}

}  // namespace
}  // namespace talon
