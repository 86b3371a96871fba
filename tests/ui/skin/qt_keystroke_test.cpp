// Qt key events to keystrokes, and the keys the key table makes of them.
#include <QKeyEvent>

#include <linux/input-event-codes.h>

#include <gtest/gtest.h>

#include "model/key_table.h"
#include "ui/skin/qt_keystroke.h"

namespace talon {
namespace {

struct Case {
  const char* what;
  QEvent::Type type;
  int qt_key;
  Qt::KeyboardModifiers modifiers;
  quint32 native;  // X11 key code, 0 for none
  KeyId key;
  bool release;
};

TEST(QtKeystrokeTest, KeyEventsBecomeTheKeysOfTheKeyTable) {
  constexpr auto kPress = QEvent::KeyPress;
  constexpr auto kRelease = QEvent::KeyRelease;
  const Case cases[] = {
      {"A", kPress, Qt::Key_A, Qt::NoModifier, 0, 0x01E, false},
      {"shifted 1", kPress, Qt::Key_Exclam, Qt::ShiftModifier, 0, 0x002, false},
      {"Home", kPress, Qt::Key_Home, Qt::NoModifier, 0, 0x147, false},
      {"keypad 7, Num Lock off", kPress, Qt::Key_Home, Qt::KeypadModifier, 0, 0x047, false},
      {"keypad 7, Num Lock on", kRelease, Qt::Key_7, Qt::KeypadModifier, 0, 0x047, true},
      {"keypad Enter", kPress, Qt::Key_Enter, Qt::KeypadModifier, 0, 0x11C, false},
      {"Print Screen", kPress, Qt::Key_Print, Qt::NoModifier, 0, 0x137, false},
      {"Break", kPress, Qt::Key_Pause, Qt::ControlModifier, 0, 0x146, false},
      {"Mute", kPress, Qt::Key_VolumeMute, Qt::NoModifier, 0, 0x120, false},
      // Native codes win over the Qt key: a remapped layout still captures the key pressed.
      {"native Q under an AZERTY A", kPress, Qt::Key_A, Qt::NoModifier, KEY_Q + 8, 0x010, false},
      {"native right Shift", kPress, Qt::Key_Shift, Qt::ShiftModifier, KEY_RIGHTSHIFT + 8, 0x036,
       false},
  };
  for (const Case& c : cases) {
    const QKeyEvent event(c.type, c.qt_key, c.modifiers, c.native, 0, 0);
    const std::optional<Keystroke> keystroke = KeystrokeOfKeyEvent(event, true);
    ASSERT_TRUE(keystroke.has_value()) << c.what;
    EXPECT_EQ(KeyOfKeystroke(keystroke->vk, keystroke->flags), c.key) << c.what;
    EXPECT_EQ(IsReleaseFlags(keystroke->flags), c.release) << c.what;
  }
  const QKeyEvent unknown(QEvent::KeyPress, Qt::Key_Launch5, Qt::NoModifier);
  EXPECT_FALSE(KeystrokeOfKeyEvent(unknown, true).has_value());
  // A platform whose native codes are of another kind: the Qt key decides.
  const QKeyEvent foreign(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, 0x30, 0, 0);
  EXPECT_EQ(KeyOfKeystroke(KeystrokeOfKeyEvent(foreign, false)->vk,
                           KeystrokeOfKeyEvent(foreign, false)->flags),
            0x01E);
}

}  // namespace
}  // namespace talon
