// The key picker: every key of the key list once, in a keyboard's arrangement, and clicks that
// reach the key dialog as keystrokes do.
#include <QTest>

#include <gtest/gtest.h>

#include <set>

#include "editor_window.h"
#include "ui/editors/composite_ids.h"
#include "ui/editors/key_picker.h"
#include "ui/editors/key_picker_layout.h"
#include "ui/editors/macro_page.h"
#include "ui/main/control_ids.h"

namespace talon {
namespace {

constexpr KeySlot kA = 0x01E;

TEST(KeyPickerLayoutTest, EveryKeyOfTheKeyListOnceWithoutOverlaps) {
  std::set<std::uint16_t> codes;
  const auto layout = PickerLayout();
  for (std::size_t i = 0; i < layout.size(); ++i) {
    const PickerKey& k = layout[i];
    EXPECT_NE(KeyOfListCode(k.list_code), 0) << k.list_code;
    EXPECT_TRUE(codes.insert(k.list_code).second) << "twice: " << k.list_code;
    EXPECT_GE(k.x, 0);
    EXPECT_LE(k.x + k.w, PickerLayoutWidth()) << k.list_code;
    EXPECT_LE(k.y + k.h, PickerLayoutHeight()) << k.list_code;
    const QRectF a(k.x, k.y, k.w, k.h);
    for (std::size_t j = i + 1; j < layout.size(); ++j) {
      const PickerKey& o = layout[j];
      EXPECT_FALSE(a.intersects(QRectF(o.x, o.y, o.w, o.h)))
          << k.list_code << " and " << o.list_code;
    }
  }
  for (std::uint16_t code = 0; code < kKeyListSize; ++code) {
    if (KeyOfListCode(code) != 0) {
      EXPECT_TRUE(codes.count(code)) << "missing " << code;
    }
  }
}

TEST(KeyPickerLayoutTest, EachKeyGivesTheKeystrokeOfThatKey) {
  for (std::uint16_t code = 0; code < kKeyListSize; ++code) {
    const KeyId key = KeyOfListCode(code);
    if (key == 0) continue;
    for (bool release : {false, true}) {
      const Keystroke stroke = KeystrokeOfKey(key, release);
      EXPECT_EQ(KeyOfKeystroke(stroke.vk, stroke.flags), key) << std::hex << key;
      EXPECT_EQ(IsReleaseFlags(stroke.flags), release) << std::hex << key;
    }
  }
}

class KeyPickerTest : public testing::Test {
 protected:
  static void ClickKey(CKeyPicker& picker, KeyId key) {
    const QRect at = picker.KeyRect(key);
    ASSERT_FALSE(at.isEmpty()) << key;
    QTest::mousePress(&picker, Qt::LeftButton, {}, at.center());
    QTest::mouseRelease(&picker, Qt::LeftButton, {}, at.center());
  }
  test::EditorWindow w;
};

TEST_F(KeyPickerTest, TheKeyPickerCapturesTheLeftWinKey) {
  w.Edit(test::KeyButtonOf(kA), [&](Vexmo_DlgComposite& dialog) {
    test::ClickOn(*dialog.ControlAs<QWidget>(composite::kKeyPicker));
    CKeyPicker* picker = dialog.Picker();
    ASSERT_NE(picker, nullptr);
    ASSERT_TRUE(picker->isVisible());
    ClickKey(*picker, key::kLeftWin);
    EXPECT_EQ(dialog.CapturedKey(), key::kLeftWin);
    test::SaveScreen(*picker, "key-picker.png");

    // On the macro page its keys are recorded like typed ones.
    test::ClickOn(*dialog.ControlAs<QWidget>(composite::kMacroPage));
    test::ClickOn(*dialog.ControlAs<QWidget>(composite::kAddMacro));
    test::ClickOn(*dialog.ControlAs<QWidget>(composite::kRecord));
    ClickKey(*picker, key::kPrintScreen);
    std::vector<KeyId> recorded;
    for (const MacroAction& a : dialog.Macros().ShownActions()) recorded.push_back(a.key);
    EXPECT_EQ(recorded, std::vector<KeyId>(4, key::kPrintScreen));
    test::ClickOn(*dialog.ControlAs<QWidget>(composite::kKeyPage));
    EXPECT_FALSE(dialog.Macros().IsRecording());
    ClickKey(*picker, key::kLeftWin);
    test::ClickOn(*dialog.ControlAs<QWidget>(composite::kOk));
  });
  EXPECT_EQ(w.Record(0, kA), (KeyRecord{AssignmentKind::kKey, 0, key::kLeftWin}));
}

}  // namespace
}  // namespace talon
