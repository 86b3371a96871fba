#include "platform/keystroke.h"

#include <linux/input-event-codes.h>

#include <algorithm>
#include <array>

namespace talon {

namespace {

struct KeyCodeRow {
  unsigned code;           // Linux input key code
  std::uint16_t scan;      // set-1 scan code, 0x100 for extended keys
  std::uint8_t vk;         // virtual-key code (keypad: with Num Lock on)
  std::uint8_t vk_no_num;  // keypad keys with Num Lock off; 0 = same as vk
};

// Virtual-key codes are the ones the key table lists for each key, so that a keystroke made
// here finds its key again. Sorted by key code.
constexpr KeyCodeRow kKeyCodes[] = {
    {KEY_ESC, 0x001, 0x1B, 0},
    {KEY_1, 0x002, 0x31, 0},
    {KEY_2, 0x003, 0x32, 0},
    {KEY_3, 0x004, 0x33, 0},
    {KEY_4, 0x005, 0x34, 0},
    {KEY_5, 0x006, 0x35, 0},
    {KEY_6, 0x007, 0x36, 0},
    {KEY_7, 0x008, 0x37, 0},
    {KEY_8, 0x009, 0x38, 0},
    {KEY_9, 0x00A, 0x39, 0},
    {KEY_0, 0x00B, 0x30, 0},
    {KEY_MINUS, 0x00C, 0xBD, 0},
    {KEY_EQUAL, 0x00D, 0xBB, 0},
    {KEY_BACKSPACE, 0x00E, 0x08, 0},
    {KEY_TAB, 0x00F, 0x09, 0},
    {KEY_Q, 0x010, 0x51, 0},
    {KEY_W, 0x011, 0x57, 0},
    {KEY_E, 0x012, 0x45, 0},
    {KEY_R, 0x013, 0x52, 0},
    {KEY_T, 0x014, 0x54, 0},
    {KEY_Y, 0x015, 0x59, 0},
    {KEY_U, 0x016, 0x55, 0},
    {KEY_I, 0x017, 0x49, 0},
    {KEY_O, 0x018, 0x4F, 0},
    {KEY_P, 0x019, 0x50, 0},
    {KEY_LEFTBRACE, 0x01A, 0xDB, 0},
    {KEY_RIGHTBRACE, 0x01B, 0xDD, 0},
    {KEY_ENTER, 0x01C, 0x0D, 0},
    {KEY_LEFTCTRL, 0x01D, 0xA2, 0},
    {KEY_A, 0x01E, 0x41, 0},
    {KEY_S, 0x01F, 0x53, 0},
    {KEY_D, 0x020, 0x44, 0},
    {KEY_F, 0x021, 0x46, 0},
    {KEY_G, 0x022, 0x47, 0},
    {KEY_H, 0x023, 0x48, 0},
    {KEY_J, 0x024, 0x4A, 0},
    {KEY_K, 0x025, 0x4B, 0},
    {KEY_L, 0x026, 0x4C, 0},
    {KEY_SEMICOLON, 0x027, 0xBA, 0},
    {KEY_APOSTROPHE, 0x028, 0xDE, 0},
    {KEY_GRAVE, 0x029, 0xC0, 0},
    {KEY_LEFTSHIFT, 0x02A, 0xA0, 0},
    {KEY_BACKSLASH, 0x02B, 0xDC, 0},
    {KEY_Z, 0x02C, 0x5A, 0},
    {KEY_X, 0x02D, 0x58, 0},
    {KEY_C, 0x02E, 0x43, 0},
    {KEY_V, 0x02F, 0x56, 0},
    {KEY_B, 0x030, 0x42, 0},
    {KEY_N, 0x031, 0x4E, 0},
    {KEY_M, 0x032, 0x4D, 0},
    {KEY_COMMA, 0x033, 0xBC, 0},
    {KEY_DOT, 0x034, 0xBE, 0},
    {KEY_SLASH, 0x035, 0xBF, 0},
    {KEY_RIGHTSHIFT, 0x036, 0xA1, 0},  // no extended bit, as Windows reports it
    {KEY_KPASTERISK, 0x037, 0x6A, 0},
    {KEY_LEFTALT, 0x038, 0xA4, 0},
    {KEY_SPACE, 0x039, 0x20, 0},
    {KEY_CAPSLOCK, 0x03A, 0x14, 0},
    {KEY_F1, 0x03B, 0x70, 0},
    {KEY_F2, 0x03C, 0x71, 0},
    {KEY_F3, 0x03D, 0x72, 0},
    {KEY_F4, 0x03E, 0x73, 0},
    {KEY_F5, 0x03F, 0x74, 0},
    {KEY_F6, 0x040, 0x75, 0},
    {KEY_F7, 0x041, 0x76, 0},
    {KEY_F8, 0x042, 0x77, 0},
    {KEY_F9, 0x043, 0x78, 0},
    {KEY_F10, 0x044, 0x79, 0},
    {KEY_NUMLOCK, 0x145, 0x90, 0},  // extended, although it has no E0 prefix
    {KEY_SCROLLLOCK, 0x046, 0x91, 0},
    {KEY_KP7, 0x047, 0x67, 0x24},
    {KEY_KP8, 0x048, 0x68, 0x26},
    {KEY_KP9, 0x049, 0x69, 0x21},
    {KEY_KPMINUS, 0x04A, 0x6D, 0},
    {KEY_KP4, 0x04B, 0x64, 0x25},
    {KEY_KP5, 0x04C, 0x65, 0x0C},
    {KEY_KP6, 0x04D, 0x66, 0x27},
    {KEY_KPPLUS, 0x04E, 0x6B, 0},
    {KEY_KP1, 0x04F, 0x61, 0x23},
    {KEY_KP2, 0x050, 0x62, 0x28},
    {KEY_KP3, 0x051, 0x63, 0x22},
    {KEY_KP0, 0x052, 0x60, 0x2D},
    {KEY_KPDOT, 0x053, 0x6E, 0x2E},
    {KEY_102ND, 0x056, 0xE2, 0},
    {KEY_F11, 0x057, 0x7A, 0},
    {KEY_F12, 0x058, 0x7B, 0},
    {KEY_RO, 0x073, 0xC1, 0},
    {KEY_HENKAN, 0x079, 0xFF, 0},
    {KEY_KATAKANAHIRAGANA, 0x070, 0xFF, 0},
    {KEY_MUHENKAN, 0x07B, 0xEB, 0},
    {KEY_KPENTER, 0x11C, 0x0D, 0},
    {KEY_RIGHTCTRL, 0x11D, 0xA3, 0},
    {KEY_KPSLASH, 0x135, 0x6F, 0},
    {KEY_SYSRQ, 0x137, 0x2C, 0},  // Print Screen; Sys Req with Alt
    {KEY_RIGHTALT, 0x138, 0xA5, 0},
    {KEY_HOME, 0x147, 0x24, 0},
    {KEY_UP, 0x148, 0x26, 0},
    {KEY_PAGEUP, 0x149, 0x21, 0},
    {KEY_LEFT, 0x14B, 0x25, 0},
    {KEY_RIGHT, 0x14D, 0x27, 0},
    {KEY_END, 0x14F, 0x23, 0},
    {KEY_DOWN, 0x150, 0x28, 0},
    {KEY_PAGEDOWN, 0x151, 0x22, 0},
    {KEY_INSERT, 0x152, 0x2D, 0},
    {KEY_DELETE, 0x153, 0x2E, 0},
    {KEY_MUTE, 0x120, 0xAD, 0},
    {KEY_VOLUMEDOWN, 0x12E, 0xAE, 0},
    {KEY_VOLUMEUP, 0x130, 0xAF, 0},
    {KEY_POWER, 0x15E, 0xFF, 0},
    {KEY_PAUSE, 0x045, 0x13, 0},  // not extended; Break with Ctrl
    {KEY_KPCOMMA, 0x07E, 0xC2, 0},
    {KEY_HANGEUL, 0x072, 0xFF, 0},
    {KEY_HANJA, 0x071, 0xE9, 0},
    {KEY_YEN, 0x07D, 0xFF, 0},
    {KEY_LEFTMETA, 0x15B, 0x5B, 0},
    {KEY_RIGHTMETA, 0x15C, 0x5C, 0},
    {KEY_COMPOSE, 0x15D, 0x5D, 0},
    {KEY_STOP, 0x168, 0xA9, 0},
    {KEY_CALC, 0x121, 0xB7, 0},
    {KEY_SLEEP, 0x15F, 0x5F, 0},
    {KEY_WAKEUP, 0x163, 0xFF, 0},
    {KEY_FILE, 0x16B, 0xB6, 0},  // the keyboard's "my computer" consumer code arrives as this
    {KEY_MAIL, 0x16C, 0xB4, 0},
    {KEY_BOOKMARKS, 0x166, 0xAB, 0},
    {KEY_COMPUTER, 0x16B, 0xB6, 0},
    {KEY_BACK, 0x16A, 0xA6, 0},
    {KEY_FORWARD, 0x169, 0xA7, 0},
    {KEY_NEXTSONG, 0x119, 0xB0, 0},
    {KEY_PLAYPAUSE, 0x122, 0xB3, 0},
    {KEY_PREVIOUSSONG, 0x110, 0xB1, 0},
    {KEY_STOPCD, 0x124, 0xB2, 0},
    {KEY_CONFIG, 0x16D, 0xB5, 0},  // the keyboard's "media player" consumer code
    {KEY_HOMEPAGE, 0x132, 0xAC, 0},
    {KEY_REFRESH, 0x167, 0xA8, 0},
    {KEY_F13, 0x064, 0x7C, 0},
    {KEY_SEARCH, 0x165, 0xAA, 0},
    {KEY_MEDIA, 0x16D, 0xB5, 0},
};

constexpr bool SortedByCode() {
  for (std::size_t i = 1; i < std::size(kKeyCodes); ++i) {
    if (kKeyCodes[i - 1].code >= kKeyCodes[i].code) return false;
  }
  return true;
}
static_assert(SortedByCode(), "kKeyCodes must be sorted by key code without duplicates");

constexpr std::uint16_t kPauseScan = 0x045;
constexpr std::uint16_t kBreakScan = 0x146;
constexpr std::uint8_t kBreakVk = 0x03;  // VK_CANCEL
constexpr std::uint16_t kPrintScreenScan = 0x137;
constexpr std::uint16_t kSysReqScan = 0x054;

const KeyCodeRow* FindRow(unsigned key_code) {
  const auto* end = std::end(kKeyCodes);
  const auto* it =
      std::lower_bound(std::begin(kKeyCodes), end, key_code,
                       [](const KeyCodeRow& row, unsigned code) { return row.code < code; });
  return it != end && it->code == key_code ? it : nullptr;
}

}  // namespace

std::uint32_t MakeKeystrokeFlags(std::uint16_t scan_code, const KeystrokeContext& context) {
  using namespace keystroke_flags;
  std::uint32_t flags = kRepeatCountOne | (static_cast<std::uint32_t>(scan_code & 0xFF) << 16);
  if ((scan_code & 0x100) != 0) flags |= kExtended;
  if (context.alt) flags |= kAltDown;
  if (context.release) flags |= kPreviousDown | kRelease;
  if (context.repeat && !context.release) flags |= kPreviousDown;
  return flags;
}

std::optional<Keystroke> KeystrokeOfKeyCode(unsigned key_code, const KeystrokeContext& context) {
  const KeyCodeRow* row = FindRow(key_code);
  if (row == nullptr) return std::nullopt;
  std::uint16_t scan = row->scan;
  std::uint8_t vk = row->vk;
  if (!context.num_lock && row->vk_no_num != 0) vk = row->vk_no_num;
  if (scan == kPauseScan && context.ctrl) {
    scan = kBreakScan;
    vk = kBreakVk;
  } else if (scan == kPrintScreenScan && context.alt) {
    scan = kSysReqScan;
  }
  return Keystroke{vk, MakeKeystrokeFlags(scan, context)};
}

bool IsNumLockDependentKeyCode(unsigned key_code) {
  const KeyCodeRow* row = FindRow(key_code);
  return row != nullptr && row->vk_no_num != 0;
}

}  // namespace talon
