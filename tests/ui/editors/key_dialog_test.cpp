// The key assignment dialog driven as a user drives it, against the virtual keyboard: pages,
// key capture, the mouse choice, G keys, and what Apply then sends.
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include <linux/input-event-codes.h>

#include <gtest/gtest.h>

#include "../skin/qt_test_app.h"
#include "device/keyboard_commands.h"
#include "editor_window.h"
#include "ui/editors/composite_ids.h"
#include "ui/main/control_ids.h"
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

int ButtonOf(KeyId key) {
  for (std::size_t i = 0; i < kKeyButtonCount; ++i) {
    if (KeyOfButton(i) == key) return ctl::ControlIdOfButton(i);
  }
  return 0;
}

class KeyDialogTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { test::QtApp(); }
  EditorWindow w;
};

TEST_F(KeyDialogTest, TheTypicalRequestReachesTheKeyboard) {
  const int f5 = ButtonOf(kF5);
  const int result = w.Edit(f5, [&](Vexmo_DlgComposite& dialog) {
    EXPECT_EQ(dialog.EditedSlot(), kF5);
    test::ClickOn(Control<CPngButton>(dialog, composite::kMediaPage));
    EXPECT_EQ(dialog.Page(), composite::kPageMedia);
    test::Choose(Control<QComboBox>(dialog, composite::kMediaCombo), "Mute");
    test::SaveScreen(dialog, "key-dialog-media.png");
    test::ClickOn(Control<CPngButton>(dialog, composite::kOk));
  });
  EXPECT_EQ(result, QDialog::Accepted);
  EXPECT_EQ(w.Record(0, kF5), (KeyRecord{AssignmentKind::kMedia, 0, 7}));
  CPngButton* button = w.window().ButtonById(f5);
  EXPECT_TRUE(button->OtherState());
  EXPECT_NE(button->Tooltip().indexOf("Mute"), -1) << button->Tooltip().toStdString();
  EXPECT_TRUE(w.window().ApplyPending());

  w.vkb.ClearLog();
  w.Click(ctl::kApply);
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

}  // namespace
}  // namespace talon
