// Linux key codes to keystrokes, and the key table recognising every keystroke made.
#include <linux/input-event-codes.h>

#include <gtest/gtest.h>

#include <set>

#include "model/key_table.h"
#include "platform/keystroke.h"

namespace talon {
namespace {

struct Case {
  const char* what;
  unsigned code;
  KeystrokeContext context;
  std::uint8_t vk;
  std::uint32_t flags;
};

constexpr KeystrokeContext kPress{};
constexpr KeystrokeContext kNumLockOff{.num_lock = false};
constexpr KeystrokeContext kCtrl{.ctrl = true};
constexpr KeystrokeContext kAlt{.alt = true};
constexpr KeystrokeContext kRelease{.release = true};
constexpr KeystrokeContext kRepeat{.repeat = true};

TEST(KeystrokeTest, TranslationTable) {
  const Case cases[] = {
      {"A", KEY_A, kPress, 0x41, 0x001E0001},
      {"A released", KEY_A, kRelease, 0x41, 0xC01E0001},
      {"A repeated", KEY_A, kRepeat, 0x41, 0x401E0001},
      {"Home, extended", KEY_HOME, kPress, 0x24, 0x01470001},
      {"Print Screen", KEY_SYSRQ, kPress, 0x2C, 0x01370001},
      {"Sys Req (Alt + Print Screen)", KEY_SYSRQ, kAlt, 0x2C, 0x20540001},
      {"Pause, not extended", KEY_PAUSE, kPress, 0x13, 0x00450001},
      {"Break (Ctrl + Pause)", KEY_PAUSE, kCtrl, 0x03, 0x01460001},
      {"Num Lock, extended", KEY_NUMLOCK, kPress, 0x90, 0x01450001},
      {"Right Shift, not extended", KEY_RIGHTSHIFT, kPress, 0xA1, 0x00360001},
      {"Right Ctrl", KEY_RIGHTCTRL, kPress, 0xA3, 0x011D0001},
      {"keypad 7, Num Lock on", KEY_KP7, kPress, 0x67, 0x00470001},
      {"keypad 7, Num Lock off", KEY_KP7, kNumLockOff, 0x24, 0x00470001},
      {"keypad 5, Num Lock off", KEY_KP5, kNumLockOff, 0x0C, 0x004C0001},
      {"keypad minus ignores Num Lock", KEY_KPMINUS, kNumLockOff, 0x6D, 0x004A0001},
      {"keypad Enter", KEY_KPENTER, kPress, 0x0D, 0x011C0001},
      {"keypad slash", KEY_KPSLASH, kPress, 0x6F, 0x01350001},
      {"Mute", KEY_MUTE, kPress, 0xAD, 0x01200001},
      {"media player (consumer 0x183)", KEY_CONFIG, kPress, 0xB5, 0x016D0001},
      {"my computer (consumer 0x194)", KEY_FILE, kPress, 0xB6, 0x016B0001},
      {"left Win", KEY_LEFTMETA, kPress, 0x5B, 0x015B0001},
      {"F13", KEY_F13, kPress, 0x7C, 0x00640001},
  };
  for (const Case& c : cases) {
    const std::optional<Keystroke> keystroke = KeystrokeOfKeyCode(c.code, c.context);
    ASSERT_TRUE(keystroke.has_value()) << c.what;
    EXPECT_EQ(keystroke->vk, c.vk) << c.what;
    EXPECT_EQ(keystroke->flags, c.flags) << c.what << std::hex << " 0x" << keystroke->flags;
  }
  EXPECT_FALSE(KeystrokeOfKeyCode(KEY_KPEQUAL, kPress).has_value());
  EXPECT_FALSE(KeystrokeOfKeyCode(0, kPress).has_value());
  EXPECT_TRUE(IsRepeatFlags(0x401E0001));
  EXPECT_FALSE(IsRepeatFlags(0xC01E0001));
  EXPECT_EQ(ScanCodeOfFlags(0x01470001), 0x147);
}

bool IsPseudoKey(KeyId key) {
  return key == 0x161 || key == 0x162 || (key >= 0x16E && key <= 0x17E);
}

TEST(KeystrokeTest, EveryKeyOfTheKeyTableIsRecognisedByItsScanCode) {
  const KeystrokeContext contexts[] = {kPress, kNumLockOff, kCtrl, kAlt, kRelease};
  std::set<KeyId> recognised;
  for (unsigned code = 0; code < KEY_MAX; ++code) {
    for (const KeystrokeContext& context : contexts) {
      const std::optional<Keystroke> keystroke = KeystrokeOfKeyCode(code, context);
      if (!keystroke) continue;
      // The key table agrees with the scan code, so the scan code is what is captured.
      const KeyId key = KeyOfKeystroke(keystroke->vk, keystroke->flags);
      EXPECT_EQ(key, ScanCodeOfFlags(keystroke->flags)) << "key code " << code;
      recognised.insert(key);
    }
  }
  for (KeySlot slot = 0; slot < kKeyTableRows; ++slot) {
    const KeyId key = KeyOfSlot(slot);
    const KeyRow& row = RowOfKey(key);
    // Rows without a key of their own: empty rows, mouse and editing functions, and the
    // extended Right Shift that the keyboard never reports.
    if (row.key == 0 || IsPseudoKey(key) || key == key::kRightShiftExtended) continue;
    EXPECT_TRUE(recognised.count(key)) << std::hex << "KeyId 0x" << key << " " << row.english_name;
  }
}

}  // namespace
}  // namespace talon
