// The key assignment dialog driven as a user drives it, against the virtual keyboard: pages,
// key capture, the mouse choice, G keys, and what Apply then sends.
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QScreen>
#include <QTest>

#include <linux/input-event-codes.h>

#include <gtest/gtest.h>

#include "device/keyboard_commands.h"
#include "editor_window.h"
#include "ui/editors/composite_ids.h"
#include "ui/main/control_ids.h"
#include "ui/skin/keyboard_filter.h"
#include "ui/skin/png_button.h"

namespace talon {
namespace {

using test::EditorWindow;

constexpr std::uint32_t kF5Position = 48;  // of the keyboard's default key map
constexpr KeySlot kF5 = 0x03F;
constexpr KeySlot kCapsLock = 0x03A;
constexpr KeySlot kA = 0x01E;

template <class T>
T& Control(Vexmo_DlgComposite& dialog, int id) {
  T* control = dialog.ControlAs<T>(id);
  EXPECT_NE(control, nullptr) << id;
  return *control;
}

class KeyDialogTest : public testing::Test {
 protected:
  EditorWindow w;
};

TEST_F(KeyDialogTest, TheTypicalRequestReachesTheKeyboard) {
  const int f5 = test::KeyButtonOf(kF5);
  w.EditByClick(f5, [&](Vexmo_DlgComposite& dialog) {
    EXPECT_EQ(dialog.EditedSlot(), kF5);
    test::ClickOn(Control<CPngButton>(dialog, composite::kMediaPage));
    EXPECT_EQ(dialog.Page(), composite::kPageMedia);
    test::Choose(Control<QComboBox>(dialog, composite::kMediaCombo), "Mute");
    test::SaveScreen(dialog, "key-dialog-media.png");
    test::ClickOn(Control<CPngButton>(dialog, composite::kOk));
  });
  EXPECT_FALSE(w.keys().IsOpen());
  EXPECT_EQ(w.Record(0, kF5), (KeyRecord{AssignmentKind::kMedia, 0, 7}));
  CPngButton* button = w.window().ButtonById(f5);
  EXPECT_TRUE(button->OtherState());
  EXPECT_NE(button->Tooltip().indexOf("Mute"), -1) << button->Tooltip().toStdString();
  EXPECT_TRUE(w.window().ApplyPending());

  w.vkb.ClearLog();
  w.Click(ctl::kApply);
  ASSERT_TRUE(w.WaitFor([&] { return !w.window().ApplyPending(); }));
  EXPECT_FALSE(w.window().ApplyPending());
  const auto action = w.vkb.KeyActionAt(kF5Position);
  ASSERT_TRUE(action.has_value());
  EXPECT_EQ(action->kind, static_cast<std::uint32_t>(KBSIM_ACTION_CONSUMER));
  EXPECT_EQ(action->value, 0xE2u);
  // One bracket: the macro area and the active profile's bank only.
  const auto frames = w.vkb.Frames();
  ASSERT_FALSE(frames.empty());
  EXPECT_EQ(frames.front()[3], command::kBeginConfig);
  EXPECT_EQ(frames.back()[3], command::kEndConfig);
  int bank_chunks = 0;
  for (std::size_t i = 1; i + 1 < frames.size(); ++i) {
    const std::uint8_t c = frames[i][3];
    EXPECT_TRUE(c == command::kWriteMacroArea || c == command::kWriteKeyBank) << int{c};
    if (c == command::kWriteKeyBank) {
      ++bank_chunks;
      EXPECT_LT(frames[i][5] | (frames[i][6] << 8), 512) << "a chunk beyond bank 0";
    }
  }
  EXPECT_EQ(bank_chunks, 8);
}

struct CaptureCase {
  const char* what;
  KeyId edited;
  KeyRecord before;
  std::function<void(Vexmo_DlgComposite&)> user;
  KeyRecord after;
};

TEST_F(KeyDialogTest, WhatTheKeyPageCapturesIsWhatOkStores) {
  auto tap = [](int qt_key, unsigned code) {
    return [qt_key, code](Vexmo_DlgComposite& d) { test::TapKey(d, qt_key, code); };
  };
  const CaptureCase cases[] = {
      {"the key's own key is its default",
       kCapsLock,
       {AssignmentKind::kKey, 0, kA},
       tap(Qt::Key_CapsLock, KEY_CAPSLOCK),
       {}},
      {"Caps Lock for A",
       kA,
       {},
       tap(Qt::Key_CapsLock, KEY_CAPSLOCK),
       {AssignmentKind::kKey, 0, kCapsLock}},
      {"Enter is captured, not a close",
       kA,
       {},
       tap(Qt::Key_Return, KEY_ENTER),
       {AssignmentKind::kKey, 0, 0x01C}},
      {"Escape is captured, not a cancel",
       kA,
       {},
       tap(Qt::Key_Escape, KEY_ESC),
       {AssignmentKind::kKey, 0, 0x001}},
      {"a media key passes", kA, {}, tap(Qt::Key_VolumeMute, KEY_MUTE), {}},
      {"an auto-repeat is no new press",
       kA,
       {},
       [](Vexmo_DlgComposite& d) {
         test::TapKey(d, Qt::Key_B, KEY_B);
         test::SendKey(d, QEvent::KeyPress, Qt::Key_C, KEY_C, Qt::NoModifier, true);
       },
       {AssignmentKind::kKey, 0, 0x030}},
      {"Print Screen on its release alone",
       kA,
       {},
       [](Vexmo_DlgComposite& d) {
         test::SendKey(d, QEvent::KeyRelease, Qt::Key_Print, KEY_SYSRQ);
       },
       {AssignmentKind::kKey, 0, key::kPrintScreen}},
      {"Roll Down from the mouse choice",
       kA,
       {},
       [](Vexmo_DlgComposite& d) {
         test::ClickOn(Control<QRadioButton>(d, composite::kMouseChoice));
         test::Choose(Control<QComboBox>(d, composite::kMouseCombo), 4);
         test::TapKey(d, Qt::Key_B, KEY_B);  // swallowed, not captured
       },
       {AssignmentKind::kKey, 0, key::kRollDown}},
      {"Clear returns an assigned key to its default",
       kA,
       {AssignmentKind::kKey, 0, 0x030},
       [](Vexmo_DlgComposite& d) { test::ClickOn(Control<CPngButton>(d, composite::kClear)); },
       {}},
      {"a launch record keeps its type, not its string",
       kA,
       {AssignmentKind::kLaunch, 0, 12},
       [](Vexmo_DlgComposite&) {},
       {AssignmentKind::kLaunch, 0, 0}},
  };
  for (const CaptureCase& c : cases) {
    const std::size_t index = RecordIndex(0, SlotOfKey(c.edited));
    {
      auto store = w.context().store.Lock();
      store->key_block.records[index] = c.before;
      store->launch_strings.Set(index, u"notepad");
    }
    bool open_after_keys = false;
    w.Edit(test::KeyButtonOf(c.edited), [&](Vexmo_DlgComposite& dialog) {
      c.user(dialog);
      open_after_keys = dialog.isVisible();
      if (c.edited == kA && c.after.value == kCapsLock) {
        EXPECT_EQ(Control<QLineEdit>(dialog, composite::kKeyField).text(), "Caps Lock");
        test::SaveScreen(dialog, "key-dialog-key.png");
      }
      test::ClickOn(Control<CPngButton>(dialog, composite::kOk));
    });
    EXPECT_TRUE(open_after_keys) << c.what;
    EXPECT_EQ(w.Record(0, SlotOfKey(c.edited)), c.after) << c.what;
    EXPECT_EQ(w.context().store.Lock()->launch_strings.Get(index), nullptr) << c.what;
  }
}

TEST_F(KeyDialogTest, CancelAndCloseLeaveTheStoreAndTheButtonAsTheyWere) {
  const int a = test::KeyButtonOf(kA);
  const int result = w.Edit(a, [&](Vexmo_DlgComposite& dialog) {
    EXPECT_TRUE(w.window().ButtonById(a)->AlternateMode());  // shown as being edited
    test::TapKey(dialog, Qt::Key_B, KEY_B);
    EXPECT_TRUE(dialog.ApplyEnabled());
    EXPECT_TRUE(w.keys().IsOpen());
    test::ClickOn(Control<CPngButton>(dialog, composite::kCancel));
  });
  EXPECT_EQ(result, QDialog::Rejected);
  EXPECT_EQ(w.Record(0, kA), KeyRecord{});
  EXPECT_FALSE(w.window().ButtonById(a)->AlternateMode());
  EXPECT_FALSE(w.window().ApplyPending());
  EXPECT_FALSE(w.keys().IsOpen());
  EXPECT_EQ(KeyboardFilter::Instance().HookCount(), 0u);
}

TEST_F(KeyDialogTest, ApplyCommitsAndTheDialogStaysOpen) {
  w.Edit(test::KeyButtonOf(kA), [&](Vexmo_DlgComposite& dialog) {
    test::TapKey(dialog, Qt::Key_B, KEY_B);
    test::ClickOn(Control<CPngButton>(dialog, composite::kApply));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(dialog.ApplyEnabled());
    EXPECT_EQ(w.Record(0, kA), (KeyRecord{AssignmentKind::kKey, 0, 0x030}));
    EXPECT_TRUE(w.window().ApplyPending());
  });
  // Cancel after Apply keeps what Apply wrote.
  EXPECT_EQ(w.Record(0, kA), (KeyRecord{AssignmentKind::kKey, 0, 0x030}));
}

TEST_F(KeyDialogTest, BankBGKeysEditTheirOwnSlots) {
  w.model.g_bank.Flip();
  w.Edit(ctl::ControlIdOfGButton(1), [&](Vexmo_DlgComposite& dialog) {
    EXPECT_EQ(dialog.EditedSlot(), kGSlotBankB);
    test::ClickOn(Control<CPngButton>(dialog, composite::kFunctionPage));
    test::Choose(Control<QComboBox>(dialog, composite::kFunctionCombo), 2);
    test::ClickOn(Control<CPngButton>(dialog, composite::kOk));
  });
  EXPECT_EQ(w.Record(0, kGSlotBankB), (KeyRecord{AssignmentKind::kFunction, 0x1301, 2}));
  EXPECT_EQ(w.Record(0, kGSlotBankA), (KeyRecord{AssignmentKind::kDefault, 0x0301, 0}));
}

TEST_F(KeyDialogTest, G9IsAMacroKeyCentredOnTheScreen) {
  w.Edit(ctl::kG9, [&](Vexmo_DlgComposite& dialog) {
    EXPECT_TRUE(dialog.IsG9());
    EXPECT_EQ(dialog.EditedSlot(), kGSlotBankA + 8);
    EXPECT_EQ(dialog.Page(), composite::kPageMacro);
    for (int id : {composite::kKeyPage, composite::kMediaPage, composite::kFunctionPage,
                   composite::kClear}) {
      EXPECT_FALSE(Control<CPngButton>(dialog, id).isEnabled()) << id;
    }
    EXPECT_TRUE(Control<CPngButton>(dialog, composite::kMacroPage).isEnabled());
    EXPECT_TRUE(Control<QComboBox>(dialog, composite::kMacroCombo).isVisible());
    const QRect screen = dialog.screen()->geometry();
    EXPECT_EQ(dialog.pos(), screen.topLeft() + QPoint((screen.width() - dialog.width()) / 2,
                                                      (screen.height() - dialog.height()) / 2));
    test::SaveScreen(dialog, "key-dialog-g9.png");
  });
}

TEST_F(KeyDialogTest, F1OpensTheHelpPageOutsideTheKeyPage) {
  w.Edit(test::KeyButtonOf(kA), [&](Vexmo_DlgComposite& dialog) {
    test::TapKey(dialog, Qt::Key_F1, KEY_F1);  // the key page captures it
    EXPECT_TRUE(w.desktop.opened.empty());
    EXPECT_EQ(dialog.CapturedKey(), 0x03B);
    test::ClickOn(Control<CPngButton>(dialog, composite::kMediaPage));
    test::TapKey(dialog, Qt::Key_F1, KEY_F1);
    test::MainWindowHarness::Spin(20);
  });
  ASSERT_EQ(w.desktop.opened.size(), 1u);
  EXPECT_NE(w.desktop.opened[0].find("index.html"), std::string::npos);
}

TEST_F(KeyDialogTest, OpensOnThePageOfTheKeysRecord) {
  w.context().store.Lock()->macros = {MacroRecord{u"One", 1, 0, 0, 0, 3, 0, {}},
                                      MacroRecord{u"Two", 1, 0, 0, 0, 8, 0, {}}};
  struct Case {
    KeyRecord record;
    int page;
    std::function<void(Vexmo_DlgComposite&)> check;
  };
  const Case cases[] = {
      {{AssignmentKind::kMedia, 0, 3},
       composite::kPageMedia,
       [](Vexmo_DlgComposite& d) {
         EXPECT_EQ(Control<QComboBox>(d, composite::kMediaCombo).currentIndex(), 3);
       }},
      {{AssignmentKind::kFunction, 0, 4},
       composite::kPageFunction,
       [](Vexmo_DlgComposite& d) {
         EXPECT_EQ(Control<QComboBox>(d, composite::kFunctionCombo).currentIndex(), 4);
       }},
      {{AssignmentKind::kKey, 0, key::kRollDown},
       composite::kPageKey,
       [](Vexmo_DlgComposite& d) {
         EXPECT_TRUE(Control<QRadioButton>(d, composite::kMouseChoice).isChecked());
         EXPECT_EQ(Control<QComboBox>(d, composite::kMouseCombo).currentIndex(), 4);
       }},
      {{AssignmentKind::kKey, 0, kCapsLock},
       composite::kPageKey,
       [](Vexmo_DlgComposite& d) {
         EXPECT_EQ(Control<QLineEdit>(d, composite::kKeyField).text(), "Caps Lock");
       }},
      {{AssignmentKind::kMacro, 5, 8},
       composite::kPageMacro,
       [](Vexmo_DlgComposite& d) {
         EXPECT_EQ(Control<QComboBox>(d, composite::kMacroCombo).currentText(), "Two");
       }},
  };
  for (const Case& c : cases) {
    w.context().store.Lock()->key_block.record(0, kA) = c.record;
    w.Edit(test::KeyButtonOf(kA), [&](Vexmo_DlgComposite& dialog) {
      EXPECT_EQ(dialog.Page(), c.page);
      c.check(dialog);
      EXPECT_FALSE(dialog.ApplyEnabled());
      test::ClickOn(Control<CPngButton>(dialog, composite::kOk));
    });
    // OK without a change writes the record back as it was; a macro key takes the play count
    // of its macro.
    KeyRecord expected = c.record;
    if (expected.type == AssignmentKind::kMacro) expected.extra = 1;
    EXPECT_EQ(w.Record(0, kA), expected) << c.page;
  }
}

TEST_F(KeyDialogTest, TheTextsFollowTheLanguageAndTheKeyboardLeavingClosesIt) {
  const int result = w.Edit(test::KeyButtonOf(kA), [&](Vexmo_DlgComposite& dialog) {
    EXPECT_EQ(Control<CPngButton>(dialog, composite::kKeyPage).text(), "Key");
    w.preferences.WriteDword(Preferences::kProgramKey, "dwLanguageId", 0x040C);
    w.window().Send(CVexmoDlg::kMsgLang, CVexmoDlg::kTagLang, 3);
    EXPECT_EQ(Control<CPngButton>(dialog, composite::kKeyPage).text(), "Touche");
    test::TapKey(dialog, Qt::Key_B, KEY_B);
    w.vkb.Unplug();
    EXPECT_TRUE(test::MainWindowHarness::WaitFor([&] { return !dialog.isVisible(); }, 3000));
  });
  EXPECT_EQ(result, QDialog::Rejected);
  EXPECT_EQ(w.Record(0, kA), KeyRecord{});
  EXPECT_FALSE(w.keys().IsOpen());
}

}  // namespace
}  // namespace talon
