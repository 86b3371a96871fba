#include "model/key_table.h"

#include <array>
#include <string_view>

#include "platform/text_format.h"

namespace talon {

namespace {

// The rows that hold a key, in slot order: KeyId, VK, VK2 (keypad keys: the code with Num Lock
// off), device usage, list code, English name, language key of the display name.
constexpr KeyRow kDefinedRows[] = {
    {0x001, 0x1B, 0x1B, 0x29, 37, "Esc", "IDS_KEYBOARD_ESC"},
    {0x002, 0x31, 0x31, 0x1E, 26, "1", "IDS_KEYBOARD_1"},
    {0x003, 0x32, 0x32, 0x1F, 27, "2", "IDS_KEYBOARD_2"},
    {0x004, 0x33, 0x33, 0x20, 28, "3", "IDS_KEYBOARD_3"},
    {0x005, 0x34, 0x34, 0x21, 29, "4", "IDS_KEYBOARD_4"},
    {0x006, 0x35, 0x35, 0x22, 30, "5", "IDS_KEYBOARD_5"},
    {0x007, 0x36, 0x36, 0x23, 31, "6", "IDS_KEYBOARD_6"},
    {0x008, 0x37, 0x37, 0x24, 32, "7", "IDS_KEYBOARD_7"},
    {0x009, 0x38, 0x38, 0x25, 33, "8", "IDS_KEYBOARD_8"},
    {0x00A, 0x39, 0x39, 0x26, 34, "9", "IDS_KEYBOARD_9"},
    {0x00B, 0x30, 0x30, 0x27, 35, "0", "IDS_KEYBOARD_0"},
    {0x00C, 0xBD, 0xBD, 0x2D, 41, "-", "IDS_KEYBOARD_MINUS"},
    {0x00D, 0xBB, 0xBB, 0x2E, 42, "=", "IDS_KEYBOARD_EQU"},
    {0x00E, 0x08, 0x08, 0x2A, 38, "Backspace", "IDS_KEYBOARD_BS"},
    {0x00F, 0x09, 0x09, 0x2B, 39, "Tab", "IDS_KEYBOARD_TAB"},
    {0x010, 0x51, 0x51, 0x14, 16, "Q", "IDS_KEYBOARD_Q"},
    {0x011, 0x57, 0x57, 0x1A, 22, "W", "IDS_KEYBOARD_W"},
    {0x012, 0x45, 0x45, 0x08, 4, "E", "IDS_KEYBOARD_E"},
    {0x013, 0x52, 0x52, 0x15, 17, "R", "IDS_KEYBOARD_R"},
    {0x014, 0x54, 0x54, 0x17, 19, "T", "IDS_KEYBOARD_T"},
    {0x015, 0x59, 0x59, 0x1C, 24, "Y", "IDS_KEYBOARD_Y"},
    {0x016, 0x55, 0x55, 0x18, 20, "U", "IDS_KEYBOARD_U"},
    {0x017, 0x49, 0x49, 0x0C, 8, "I", "IDS_KEYBOARD_I"},
    {0x018, 0x4F, 0x4F, 0x12, 14, "O", "IDS_KEYBOARD_O"},
    {0x019, 0x50, 0x50, 0x13, 15, "P", "IDS_KEYBOARD_P"},
    {0x01A, 0xDB, 0xDB, 0x2F, 43, "[", "IDS_KEYBOARD_SB1"},
    {0x01B, 0xDD, 0xDD, 0x30, 44, "]", "IDS_KEYBOARD_SB2"},
    {0x01C, 0x0D, 0x0D, 0x28, 36, "Enter", "IDS_KEYBOARD_ENTER"},
    {0x01D, 0xA2, 0xA2, 0xE0, 98, "Ctrl", "IDS_KEYBOARD_LCTRL"},
    {0x01E, 0x41, 0x41, 0x04, 0, "A", "IDS_KEYBOARD_A"},
    {0x01F, 0x53, 0x53, 0x16, 18, "S", "IDS_KEYBOARD_S"},
    {0x020, 0x44, 0x44, 0x07, 3, "D", "IDS_KEYBOARD_D"},
    {0x021, 0x46, 0x46, 0x09, 5, "F", "IDS_KEYBOARD_F"},
    {0x022, 0x47, 0x47, 0x0A, 6, "G", "IDS_KEYBOARD_G"},
    {0x023, 0x48, 0x48, 0x0B, 7, "H", "IDS_KEYBOARD_H"},
    {0x024, 0x4A, 0x4A, 0x0D, 9, "J", "IDS_KEYBOARD_J"},
    {0x025, 0x4B, 0x4B, 0x0E, 10, "K", "IDS_KEYBOARD_K"},
    {0x026, 0x4C, 0x4C, 0x0F, 11, "L", "IDS_KEYBOARD_L"},
    {0x027, 0xBA, 0xBA, 0x33, 46, ";", "IDS_KEYBOARD_SEM"},
    {0x028, 0xDE, 0xDE, 0x34, 47, "'", "IDS_KEYBOARD_QUOT"},
    {0x029, 0xC0, 0xC0, 0x35, 48, "`", "IDS_KEYBOARD_AID1"},
    {0x02A, 0xA0, 0xA0, 0xE1, 99, "Shift", "IDS_KEYBOARD_LSHIFT"},
    {0x02B, 0xDC, 0xDC, 0x31, 45, "\\", "IDS_KEYBOARD_AV"},
    {0x02C, 0x5A, 0x5A, 0x1D, 25, "Z", "IDS_KEYBOARD_Z"},
    {0x02D, 0x58, 0x58, 0x1B, 23, "X", "IDS_KEYBOARD_X"},
    {0x02E, 0x43, 0x43, 0x06, 2, "C", "IDS_KEYBOARD_C"},
    {0x02F, 0x56, 0x56, 0x19, 21, "V", "IDS_KEYBOARD_V"},
    {0x030, 0x42, 0x42, 0x05, 1, "B", "IDS_KEYBOARD_B"},
    {0x031, 0x4E, 0x4E, 0x11, 13, "N", "IDS_KEYBOARD_N"},
    {0x032, 0x4D, 0x4D, 0x10, 12, "M", "IDS_KEYBOARD_M"},
    {0x033, 0xBC, 0xBC, 0x36, 49, ",", "IDS_KEYBOARD_COMMA"},
    {0x034, 0xBE, 0xBE, 0x37, 50, ".", "IDS_KEYBOARD_PER"},
    {0x035, 0xBF, 0xBF, 0x38, 51, "/", "IDS_KEYBOARD_VIR"},
    {0x036, 0xA1, 0xA1, 0xE5, 103, "Right Shift", "IDS_KEYBOARD_RSHIFT"},
    {0x037, 0x6A, 0x6A, 0x55, 81, "Num *", "IDS_KEYBOARD_S_AST"},
    {0x038, 0xA4, 0xA4, 0xE2, 100, "Alt", "IDS_KEYBOARD_LALT"},
    {0x039, 0x20, 0x20, 0x2C, 40, "Space", "IDS_KEYBOARD_SPACE"},
    {0x03A, 0x14, 0x14, 0x39, 78, "Caps Lock", "IDS_KEYBOARD_CAPS"},
    {0x03B, 0x70, 0x70, 0x3A, 52, "F1", "IDS_KEYBOARD_F1"},
    {0x03C, 0x71, 0x71, 0x3B, 53, "F2", "IDS_KEYBOARD_F2"},
    {0x03D, 0x72, 0x72, 0x3C, 54, "F3", "IDS_KEYBOARD_F3"},
    {0x03E, 0x73, 0x73, 0x3D, 55, "F4", "IDS_KEYBOARD_F4"},
    {0x03F, 0x74, 0x74, 0x3E, 56, "F5", "IDS_KEYBOARD_F5"},
    {0x040, 0x75, 0x75, 0x3F, 57, "F6", "IDS_KEYBOARD_F6"},
    {0x041, 0x76, 0x76, 0x40, 58, "F7", "IDS_KEYBOARD_F7"},
    {0x042, 0x77, 0x77, 0x41, 59, "F8", "IDS_KEYBOARD_F8"},
    {0x043, 0x78, 0x78, 0x42, 60, "F9", "IDS_KEYBOARD_F9"},
    {0x044, 0x79, 0x79, 0x43, 61, "F10", "IDS_KEYBOARD_F10"},
    {0x045, 0x13, 0x13, 0x48, 65, "Pause", "IDS_KEYBOARD_PAUSE"},
    {0x046, 0x91, 0x91, 0x47, 77, "Scroll Lock", "IDS_KEYBOARD_SCROLL"},
    {0x047, 0x67, 0x24, 0x5F, 91, "Num 7", "IDS_KEYBOARD_S_7"},
    {0x048, 0x68, 0x26, 0x60, 92, "Num 8", "IDS_KEYBOARD_S_8"},
    {0x049, 0x69, 0x21, 0x61, 93, "Num 9", "IDS_KEYBOARD_S_9"},
    {0x04A, 0x6D, 0x6D, 0x56, 82, "Num -", "IDS_KEYBOARD_S_MINUS"},
    {0x04B, 0x64, 0x25, 0x5C, 88, "Num 4", "IDS_KEYBOARD_S_4"},
    {0x04C, 0x65, 0x0C, 0x5D, 89, "Num 5", "IDS_KEYBOARD_S_5"},
    {0x04D, 0x66, 0x27, 0x5E, 90, "Num 6", "IDS_KEYBOARD_S_6"},
    {0x04E, 0x6B, 0x6B, 0x57, 83, "Num +", "IDS_KEYBOARD_S_PLUS"},
    {0x04F, 0x61, 0x23, 0x59, 85, "Num 1", "IDS_KEYBOARD_S_1"},
    {0x050, 0x62, 0x28, 0x5A, 86, "Num 2", "IDS_KEYBOARD_S_2"},
    {0x051, 0x63, 0x22, 0x5B, 87, "Num 3", "IDS_KEYBOARD_S_3"},
    {0x052, 0x60, 0x2D, 0x62, 94, "Num 0", "IDS_KEYBOARD_S_0"},
    {0x053, 0x6E, 0x2E, 0x63, 95, "Num .", "IDS_KEYBOARD_S_DEL"},
    {0x054, 0x2C, 0x2C, 0x00, kNoListCode, "Sys Req", "IDS_KEYBOARD_SYSREQ"},
    {0x057, 0x7A, 0x7A, 0x44, 62, "F11", "IDS_KEYBOARD_F11"},
    {0x058, 0x7B, 0x7B, 0x45, 63, "F12", "IDS_KEYBOARD_F12"},
    {0x064, 0x7C, 0x7C, 0x00, kNoListCode, "F13", ""},
    {0x070, 0xFF, 0xFF, 0x88, kNoListCode, "ROMA (133)", "IDS_KEYBOARD_ROMA"},
    {0x071, 0xE9, 0xE9, 0x91, kNoListCode, "KL", "IDS_KEYBOARD_KL"},
    {0x072, 0xFF, 0xFF, 0x90, kNoListCode, "KR", "IDS_KEYBOARD_KR"},
    {0x073, 0xC1, 0xC1, 0x87, kNoListCode, "K56", "IDS_KEYBOARD_K56"},
    {0x079, 0xFF, 0xFF, 0x8A, kNoListCode, "CHG (132)", "IDS_KEYBOARD_CHG"},
    {0x07B, 0xEB, 0xEB, 0x8B, kNoListCode, "N-CHG (131)", "IDS_KEYBOARD_N_CHG"},
    {0x07D, 0xFF, 0xFF, 0x89, kNoListCode, "K14", "IDS_KEYBOARD_K14"},
    {0x07E, 0xC2, 0xC2, 0x85, kNoListCode, "K107", "IDS_KEYBOARD_K107"},
    {0x110, 0xB1, 0xB1, 0xD0, kNoListCode, "Prev Track", "MEDIA_PREV_TRACK_4"},
    {0x119, 0xB0, 0xB0, 0xD1, kNoListCode, "Next Track", "MEDIA_Next_TRACK_5"},
    {0x11C, 0x0D, 0x0D, 0x58, 84, "Num Enter", "IDS_KEYBOARD_S_ENTER"},
    {0x11D, 0xA3, 0xA3, 0xE4, 102, "Right Ctrl", "IDS_KEYBOARD_RCTRL"},
    {0x120, 0xAD, 0xAD, 0xCD, kNoListCode, "Mute", "MEDIA_MUTE_8"},
    {0x121, 0xB7, 0xB7, 0xC4, kNoListCode, "Calc", "MEDIA_CALC_17"},
    {0x122, 0xB3, 0xB3, 0xCE, kNoListCode, "Play/Pause", "MEDIA_PALY_PAUSE_2"},
    {0x124, 0xB2, 0xB2, 0xCF, kNoListCode, "Stop Play", "MEDIA_STOP_PALY_3"},
    {0x12E, 0xAE, 0xAE, 0xC1, kNoListCode, "V-", "MEDIA_V_LOW_6"},
    {0x130, 0xAF, 0xAF, 0xC0, kNoListCode, "V+", "MEDIA_V_ADD_7"},
    {0x132, 0xAC, 0xAC, 0xC7, kNoListCode, "WWW Home", "MEDIA_WWW_HOME_9"},
    {0x135, 0x6F, 0x6F, 0x54, 80, "Num /", "IDS_KEYBOARD_S_VIR"},
    {0x136, 0xA1, 0xA1, 0xE5, 103, "Right Shift", "IDS_KEYBOARD_RSHIFT"},
    {0x137, 0x2C, 0x2C, 0x46, 64, "Print Screen", "IDS_KEYBOARD_PRINT"},
    {0x138, 0xA5, 0xA5, 0xE6, 104, "Right Alt", "IDS_KEYBOARD_RALT"},
    {0x145, 0x90, 0x90, 0x53, 79, "Num Lock", "IDS_KEYBOARD_NUM"},
    {0x146, 0x03, 0x03, 0x48, 66, "Break", "IDS_KEYBOARD_BREAK"},
    {0x147, 0x24, 0x24, 0x4A, 69, "Home", "IDS_KEYBOARD_HOME"},
    {0x148, 0x26, 0x26, 0x52, 73, "↑", "IDS_KEYBOARD_UP"},
    {0x149, 0x21, 0x21, 0x4B, 71, "Page Up", "IDS_KEYBOARD_PAGE_UP"},
    {0x14B, 0x25, 0x25, 0x50, 75, "←", "IDS_KEYBOARD_LEFT"},
    {0x14D, 0x27, 0x27, 0x4F, 76, "→", "IDS_KEYBOARD_RIGHT"},
    {0x14F, 0x23, 0x23, 0x4D, 70, "End", "IDS_KEYBOARD_END"},
    {0x150, 0x28, 0x28, 0x51, 74, "↓", "IDS_KEYBOARD_DOWN"},
    {0x151, 0x22, 0x22, 0x4E, 72, "Page Down", "IDS_KEYBOARD_PAGE_DOWN"},
    {0x152, 0x2D, 0x2D, 0x49, 67, "Insert", "IDS_KEYBOARD_INSERT"},
    {0x153, 0x2E, 0x2E, 0x4C, 68, "Delete", "IDS_KEYBOARD_DELETE"},
    {0x15B, 0x5B, 0x5B, 0xE3, 101, "Win", "IDS_KEYBOARD_LWIN"},
    {0x15C, 0x5C, 0x5C, 0xE7, 105, "Right Win", "IDS_KEYBOARD_RWIN"},
    {0x15D, 0x5D, 0x5D, 0x65, 97, "App", "IDS_KEYBOARD_APP"},
    {0x15E, 0xFF, 0xFF, 0x81, kNoListCode, "Power", "IDS_KEYBOARD_POWER"},
    {0x15F, 0x5F, 0x5F, 0x82, kNoListCode, "Sleep", "IDS_KEYBOARD_SLEEP"},
    {0x161, 0xD1, 0xD1, 0xF4, kNoListCode, "Roll Up", "IDS_KEYBOARD_ROLL_UP"},
    {0x162, 0xD2, 0xD2, 0xF5, kNoListCode, "Roll Down", "IDS_KEYBOARD_ROLL_DOWN"},
    {0x163, 0xFF, 0xFF, 0x83, kNoListCode, "Wake", "IDS_KEYBOARD_WAKE"},
    {0x165, 0xAA, 0xAA, 0xC6, kNoListCode, "WWW Search", "MEDIA_WWW_SEARCH_15"},
    {0x166, 0xAB, 0xAB, 0xCC, kNoListCode, "WWW Favorite", "MEDIA_WWW_FAVORITE_14"},
    {0x167, 0xA8, 0xA8, 0xCB, kNoListCode, "WWW Refresh", "MEDIA_WWW_REFRESH_10"},
    {0x168, 0xA9, 0xA9, 0xCA, kNoListCode, "WWW Stop", "MEDIA_WWW_STOP_11"},
    {0x169, 0xA7, 0xA7, 0xC9, kNoListCode, "WWW Forward", "MEDIA_WWW_FORWARD_13"},
    {0x16A, 0xA6, 0xA6, 0xC8, kNoListCode, "WWW Back", "MEDIA_WWW_BACK_12"},
    {0x16B, 0xB6, 0xB6, 0xC5, kNoListCode, "My PC", "MEDIA_MY_PC_16"},
    {0x16C, 0xB4, 0xB4, 0xC3, kNoListCode, "Mail", "MEDIA_MAIL_18"},
    {0x16D, 0xB5, 0xB5, 0xC2, kNoListCode, "Media Player", "MEDIA_PALYER_1"},
    {0x16E, 0x88, 0x88, 0x00, kNoListCode, "Pan Left", "IDS_KEYBOARD_MOU_PANLEFT"},
    {0x16F, 0x89, 0x89, 0x00, kNoListCode, "Pan Right", "IDS_KEYBOARD_MOU_PANRIGHT"},
    {0x170, 0x8A, 0x8A, 0x00, kNoListCode, "Double Click", "IDS_KEYBOARD_MOU_DBCLICK"},
    {0x171, 0x01, 0x01, 0xF1, kNoListCode, "Left Button", "IDS_KEYBOARD_MOU_LEFT"},
    {0x172, 0x02, 0x02, 0xF2, kNoListCode, "Right Button", "IDS_KEYBOARD_MOU_RIGHT"},
    {0x173, 0x04, 0x04, 0xF3, kNoListCode, "Middle Button", "IDS_KEYBOARD_MOU_MIDDLE"},
    {0x174, 0x8B, 0x8B, 0xD2, kNoListCode, "Zoom-", "IDS_KEYBOARD_FUNC_ZOOMOUT"},
    {0x175, 0x8C, 0x8C, 0xD3, kNoListCode, "Zoom+", "IDS_KEYBOARD_FUNC_ZOOMIN"},
    {0x176, 0x97, 0x97, 0x00, kNoListCode, "Copy", "IDS_KEYBOARD_FUNC_COPY"},
    {0x177, 0x98, 0x98, 0x00, kNoListCode, "Cut", "IDS_KEYBOARD_FUNC_CUT"},
    {0x178, 0x99, 0x99, 0x00, kNoListCode, "Paste", "IDS_KEYBOARD_FUNC_PASTE"},
    {0x179, 0x9A, 0x9A, 0x00, kNoListCode, "Minimize", "IDS_KEYBOARD_FUNC_MINI"},
    {0x17A, 0x9B, 0x9B, 0x00, kNoListCode, "Maximize", "IDS_KEYBOARD_FUNC_MAXI"},
    {0x17B, 0x9C, 0x9C, 0xD4, kNoListCode, "Word", "IDS_KEYBOARD_FUNC_WORD"},
    {0x17C, 0x9D, 0x9D, 0xD5, kNoListCode, "Excel", "IDS_KEYBOARD_FUNC_EXCEL"},
    {0x17D, 0x9E, 0x9E, 0x00, kNoListCode, "PowerPoint", "IDS_KEYBOARD_FUNC_POWERPOINT"},
    {0x17E, 0x9F, 0x9F, 0x00, kNoListCode, "Calendar", "IDS_KEYBOARD_FUNC_CALENDAR"},
};

constexpr KeySlot SlotOf(KeyId key) {
  if (key < 256) return key;
  if (key < 512) return static_cast<KeySlot>((key - 128) % 256);
  return static_cast<KeySlot>(key - 256);
}

constexpr std::array<KeyRow, kKeyTableRows> BuildKeyTable() {
  std::array<KeyRow, kKeyTableRows> table{};
  for (const KeyRow& row : kDefinedRows) table[SlotOf(row.key)] = row;
  return table;
}

// 256 rows by slot; rows without a key are empty (list code 0xFFFF, everything else zero).
constexpr std::array<KeyRow, kKeyTableRows> kKeyTable = BuildKeyTable();

constexpr KeyRow kEmptyRow{};

// Consumer-page usages by device usage - 0xC0; entries 18-31 stand for nothing.
constexpr std::array<std::uint16_t, 32> kConsumerUsageTable = {
    0x0E9, 0x0EA, 0x183, 0x18A, 0x192, 0x194, 0x221, 0x223, 0x224, 0x225, 0x226,
    0x227, 0x22A, 0x0E2, 0x0CD, 0x0B7, 0x0B6, 0x0B5, 0,     0,     0,     0,
    0,     0,     0,     0,     0,     0,     0,     0,     0,     0};
constexpr std::size_t kConsumerEntriesInUse = 18;

constexpr std::array<MediaEntry, kMediaCount> kMediaList = {{
    {0x16D, 0x183},  // Media Player
    {0x122, 0x0CD},  // Play/Pause
    {0x124, 0x0B7},  // Stop Play
    {0x110, 0x0B6},  // Prev Track
    {0x119, 0x0B5},  // Next Track
    {0x12E, 0x0EA},  // V-
    {0x130, 0x0E9},  // V+
    {0x120, 0x0E2},  // Mute
    {0x132, 0x223},  // WWW Home
    {0x167, 0x227},  // WWW Refresh
    {0x168, 0x226},  // WWW Stop
    {0x16A, 0x224},  // WWW Back
    {0x169, 0x225},  // WWW Forward
    {0x166, 0x22A},  // WWW Favorite
    {0x165, 0x221},  // WWW Search
    {0x16B, 0x194},  // My PC
    {0x121, 0x192},  // Calc
    {0x16C, 0x18A},  // Mail
}};

// The main window's key buttons in button-index order: every key of the key list except Break
// and the empty code 96.
constexpr std::array<KeyId, kKeyButtonCount> kKeyButtonTable = {
    // A-Z
    0x01E, 0x030, 0x02E, 0x020, 0x012, 0x021, 0x022, 0x023, 0x017, 0x024, 0x025, 0x026, 0x032,
    0x031, 0x018, 0x019, 0x010, 0x013, 0x01F, 0x014, 0x016, 0x02F, 0x011, 0x02D, 0x015, 0x02C,
    // 1-9, 0
    0x002, 0x003, 0x004, 0x005, 0x006, 0x007, 0x008, 0x009, 0x00A, 0x00B,
    // Enter, Esc, Backspace, Tab, Space, - = [ ] \ ; ' ` , . /
    0x01C, 0x001, 0x00E, 0x00F, 0x039, 0x00C, 0x00D, 0x01A, 0x01B, 0x02B, 0x027, 0x028, 0x029,
    0x033, 0x034, 0x035,
    // F1-F12
    0x03B, 0x03C, 0x03D, 0x03E, 0x03F, 0x040, 0x041, 0x042, 0x043, 0x044, 0x057, 0x058,
    // Print Screen, Pause, Insert, Delete, Home, End, Page Up, Page Down, arrows, Scroll, Caps
    0x137, 0x045, 0x152, 0x153, 0x147, 0x14F, 0x149, 0x151, 0x148, 0x150, 0x14B, 0x14D, 0x046,
    0x03A,
    // App, Ctrl, Right Ctrl, Shift, Right Shift, Alt, Right Alt, Win, Right Win
    0x15D, 0x01D, 0x11D, 0x02A, 0x036, 0x038, 0x138, 0x15B, 0x15C,
    // Num 1-9, Num 0, Num Lock, Num Enter, Num ., Num /, Num *, Num -, Num +
    0x04F, 0x050, 0x051, 0x04B, 0x04C, 0x04D, 0x047, 0x048, 0x049, 0x052, 0x145, 0x11C, 0x053,
    0x135, 0x037, 0x04A, 0x04E};

constexpr KeySlot FirstSlotWith(std::uint8_t vk, bool second_code) {
  for (std::size_t s = 0; s < kKeyTableRows; ++s) {
    const KeyRow& row = kKeyTable[s];
    if (row.key != 0 && (second_code ? row.vk2 : row.vk) == vk) return static_cast<KeySlot>(s);
  }
  return 0;
}

// Mouse buttons, VK_CLEAR, the made-up codes of the pseudo keys (0x88-0x9F around Num Lock and
// Scroll Lock, which are real keys) and 0xFF.
constexpr bool VirtualKeyGivesNone(unsigned vk) {
  const bool pseudo = vk >= 0x88 && vk <= 0x9F && vk != 0x90 && vk != 0x91;
  return vk == 0x01 || vk == 0x02 || vk == 0x04 || vk == 0x0C || pseudo || vk == 0xFF;
}

// The inverse of the VK column: the first row whose VK, or failing that VK2, is the code; the
// generic modifier codes give the left keys, VK_SNAPSHOT gives Print Screen rather than Sys Req,
// and the mouse, pseudo-key and 0xFF codes give nothing.
constexpr std::array<KeySlot, 256> BuildVkSlotTable() {
  std::array<KeySlot, 256> table{};
  for (unsigned vk = 1; vk < 256; ++vk) {
    if (VirtualKeyGivesNone(vk)) continue;
    const auto code = static_cast<std::uint8_t>(vk);
    KeySlot slot = FirstSlotWith(code, false);
    if (slot == 0) slot = FirstSlotWith(code, true);
    table[vk] = slot;
  }
  table[0x10] = 0x2A;  // VK_SHIFT
  table[0x11] = 0x1D;  // VK_CONTROL
  table[0x12] = 0x38;  // VK_MENU
  table[0x2C] = 0xB7;  // VK_SNAPSHOT
  table[0xE2] = 0x56;  // VK_OEM_102
  return table;
}

constexpr std::array<KeySlot, 256> kVkSlotTable = BuildVkSlotTable();

std::string CutToCapacity(std::string text, std::size_t capacity) {
  if (capacity == 0) return {};
  std::size_t characters = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    // Count UTF-8 lead bytes, so a name is never cut inside a character.
    if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;
    if (characters == capacity - 1) {
      text.resize(i);
      break;
    }
    ++characters;
  }
  return text;
}

bool IsMissingText(const std::string& text) {
  return text.empty() || text == "#Error";
}

}  // namespace

KeySlot SlotOfKey(KeyId key) {
  return SlotOf(key);
}

KeyId KeyOfSlot(KeySlot slot) {
  return static_cast<KeyId>(slot < 128 ? slot : slot + 128);
}

const KeyRow& RowOfKey(KeyId key) {
  const KeySlot slot = SlotOf(key);
  return slot < kKeyTableRows ? kKeyTable[slot] : kEmptyRow;
}

std::string KeyName(KeyId key, const TextLookup& texts, std::size_t capacity) {
  const KeyRow& row = RowOfKey(key);
  std::string text;
  if (!row.name_key.empty()) text = texts.Text(row.name_key);
  if (IsMissingText(text)) {
    text = FormatWithInt(texts.Text("UNKNOWN_KEY"), key);
  }
  return CutToCapacity(std::move(text), capacity);
}

std::string_view KeyEnglishName(KeyId key) {
  return RowOfKey(key).english_name;
}
std::string_view KeyNameKey(KeyId key) {
  return RowOfKey(key).name_key;
}

std::uint16_t ListCodeOfKey(KeyId key) {
  return RowOfKey(key).list_code;
}

KeyId KeyOfListCode(std::uint16_t list_code) {
  if (list_code == kNoListCode) return 0;
  for (std::size_t s = 0; s < kKeyTableRows; ++s) {
    if (kKeyTable[s].list_code == list_code) return KeyOfSlot(static_cast<KeySlot>(s));
  }
  return 0;
}

std::string ListName(std::uint16_t list_code, const TextLookup& texts) {
  const KeyId key = KeyOfListCode(list_code);
  if (key == 0) return {};
  const std::string_view name_key = RowOfKey(key).name_key;
  return name_key.empty() ? std::string() : texts.Text(name_key);
}

UsageRef UsageOfKey(KeyId key) {
  const std::uint8_t u = RowOfKey(key).device_usage;
  if (u == 0 || u == 0xFF) return {usage_page::kNone, 0};
  if (u >= 0x81 && u <= 0x83) return {usage_page::kSystem, u};
  if (u >= 0xF1 && u <= 0xF8) return {usage_page::kMouse, u};
  return {usage_page::kKeyboard, u};
}

KeyId KeyOfUsage(UsageRef usage) {
  unsigned target = 0;
  switch (usage.page) {
    case usage_page::kKeyboard:
      target = usage.usage & 0xFF;
      break;
    case usage_page::kSystem:
      target = (usage.usage >= 0x81 && usage.usage <= 0x83) ? usage.usage : 0;
      break;
    case usage_page::kConsumer:
      for (std::size_t i = 0; i < kConsumerEntriesInUse && target == 0; ++i) {
        if (kConsumerUsageTable[i] == usage.usage) target = 0xC0 + static_cast<unsigned>(i);
      }
      break;
    default:
      break;
  }
  if (target == 0) return 0;
  for (std::size_t s = 0; s < kKeyTableRows; ++s) {
    if (kKeyTable[s].device_usage == target) return KeyOfSlot(static_cast<KeySlot>(s));
  }
  return 0;
}

KeySlot SlotOfVirtualKey(std::uint8_t vk) {
  return kVkSlotTable[vk];
}

KeyId KeyOfKeystroke(std::uint8_t vk, std::uint32_t flags) {
  const KeySlot table_slot = kVkSlotTable[vk];
  const KeyId fallback = table_slot == 0 ? 0 : KeyOfSlot(table_slot);
  const auto c = static_cast<KeyId>((flags >> 16) & 0x1FF);
  if (c == key::kRightShift) return key::kRightShift;  // arrives without the extended bit
  if (vk == 0xFF) return c;
  if ((c & 0xFF) == 0) return fallback;
  const KeyRow& row = RowOfKey(c);
  if (row.vk == vk || row.vk2 == vk || table_slot == (c & 0xFF)) return c;
  return fallback;
}

KeyId KeyOfButton(std::size_t button_index) {
  return button_index < kKeyButtonTable.size() ? kKeyButtonTable[button_index] : 0;
}

KeyId KeyOfGButton(unsigned n) {
  return (n >= 1 && n <= kGKeyCount) ? static_cast<KeyId>(key::kGKeyBase + n) : 0;
}

std::uint16_t ConsumerUsageOf(std::uint8_t device_usage) {
  if (device_usage < 0xC0 || device_usage > 0xDF) return 0;
  return kConsumerUsageTable[device_usage - 0xC0];
}

std::span<const MediaEntry, kMediaCount> MediaList() {
  return kMediaList;
}

int MediaIndexOfUsage(std::uint16_t consumer_usage) {
  for (std::size_t i = 0; i < kMediaList.size(); ++i) {
    if (kMediaList[i].consumer_usage == consumer_usage) return static_cast<int>(i);
  }
  return -1;
}

bool IsCaptureExcluded(KeyId key) {
  for (const MediaEntry& entry : kMediaList) {
    if (entry.key == key) return true;
  }
  return false;
}

}  // namespace talon
