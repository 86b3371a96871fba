#include "factory_content.h"

#include <algorithm>

namespace talon::vkb {

namespace {

struct Entry {
  std::uint8_t type;
  std::uint8_t b1;
  std::uint8_t b2;
};

constexpr Entry Key(std::uint8_t usage) {
  return {2, 2, usage};
}
constexpr Entry Mod(std::uint8_t mask) {
  return {2, 1, mask};
}
constexpr Entry GKey(std::uint8_t n) {
  return {6, 0xA2, n};
}
constexpr Entry kNone{0, 0, 0};
constexpr Entry kReserved{5, 0, 0};  // reserved by the firmware; no key of the picture
constexpr Entry kFn{5, 2, 2};    // the Fn key: a firmware entry the configurator copies unchanged
constexpr Entry kFixed = kNone;  // positions the configurator never touches

// The key matrix, one column of eight positions per line; a column runs from the F-key row
// down: F row, number row, top letter row, home row, bottom row, bottom modifiers and arrows,
// navigation block, G key. Usages are HID keyboard usages, masks modifier bits.
constexpr std::array<Entry, kKeyEntryCount> kDefaultMap{{
    // 0-7
    kReserved,
    kReserved,
    kReserved,
    kReserved,
    kReserved,
    kReserved,
    kFixed,
    kNone,
    // 8-15: Esc, grave, Tab, Caps Lock, left Shift, left Ctrl
    Key(0x29),
    Key(0x35),
    Key(0x2B),
    Key(0x39),
    Mod(0x02),
    Mod(0x01),
    kNone,
    kNone,
    // 16-23: F1, 1, Q, A, Z, left Win
    Key(0x3A),
    Key(0x1E),
    Key(0x14),
    Key(0x04),
    Key(0x1D),
    Mod(0x08),
    kNone,
    kNone,
    // 24-31: F2, 2, W, S, X, left Alt
    Key(0x3B),
    Key(0x1F),
    Key(0x1A),
    Key(0x16),
    Key(0x1B),
    Mod(0x04),
    kNone,
    kNone,
    // 32-39: F3, 3, E, D, C, Space, Print Screen
    Key(0x3C),
    Key(0x20),
    Key(0x08),
    Key(0x07),
    Key(0x06),
    Key(0x2C),
    Key(0x46),
    kNone,
    // 40-47: F4, 4, R, F, V, right Alt, Scroll Lock
    Key(0x3D),
    Key(0x21),
    Key(0x15),
    Key(0x09),
    Key(0x19),
    Mod(0x40),
    Key(0x47),
    kNone,
    // 48-55: F5, 5, T, G, B, Fn, equals
    Key(0x3E),
    Key(0x22),
    Key(0x17),
    Key(0x0A),
    Key(0x05),
    kFn,
    Key(0x2E),
    kNone,
    // 56-63: F6, 6, Y, H, N, App, Pause
    Key(0x3F),
    Key(0x23),
    Key(0x1C),
    Key(0x0B),
    Key(0x11),
    Key(0x65),
    Key(0x48),
    kNone,
    // 64-71: F7, 7, U, J, M, right Win, Insert, G1
    Key(0x40),
    Key(0x24),
    Key(0x18),
    Key(0x0D),
    Key(0x10),
    Mod(0x80),
    Key(0x49),
    GKey(1),
    // 72-79: F8, 8, I, K, comma, right Ctrl, Home, G2
    Key(0x41),
    Key(0x25),
    Key(0x0C),
    Key(0x0E),
    Key(0x36),
    Mod(0x10),
    Key(0x4A),
    GKey(2),
    // 80-87: F9, 9, O, L, period, Left, Page Up, G3
    Key(0x42),
    Key(0x26),
    Key(0x12),
    Key(0x0F),
    Key(0x37),
    Key(0x50),
    Key(0x4B),
    GKey(3),
    // 88-95: F10, 0, P, semicolon, slash, Down, Delete, G4
    Key(0x43),
    Key(0x27),
    Key(0x13),
    Key(0x33),
    Key(0x38),
    Key(0x51),
    Key(0x4C),
    GKey(4),
    // 96-103: F11, minus, left bracket, quote, right Shift, -, -, G5
    Key(0x44),
    Key(0x2D),
    Key(0x2F),
    Key(0x34),
    Mod(0x20),
    kFixed,
    kFixed,
    GKey(5),
    // 104-111: F12, Backspace, right bracket, Enter, -, Up, End, G6
    Key(0x45),
    Key(0x2A),
    Key(0x30),
    Key(0x28),
    kFixed,
    Key(0x52),
    Key(0x4D),
    GKey(6),
    // 112-119: -, -, backslash, -, -, Right, Page Down, G7
    kNone,
    kNone,
    Key(0x31),
    kFixed,
    kFixed,
    Key(0x4F),
    Key(0x4E),
    GKey(7),
    // 120-127: keypad Num Lock, /, *, -, +, Enter, ., G8
    Key(0x53),
    Key(0x54),
    Key(0x55),
    Key(0x56),
    Key(0x57),
    Key(0x58),
    Key(0x63),
    GKey(8),
    // 128-135: keypad 7, 8, 9, 4, 5, 6, 1, G9
    Key(0x5F),
    Key(0x60),
    Key(0x61),
    Key(0x5C),
    Key(0x5D),
    Key(0x5E),
    Key(0x59),
    GKey(9),
    // 136-139: keypad 2, 3, 0
    Key(0x5A),
    Key(0x5B),
    Key(0x62),
    kNone,
}};

constexpr std::array<std::uint8_t, kKeyBankSize> Flatten(
    const std::array<Entry, kKeyEntryCount>& m) {
  std::array<std::uint8_t, kKeyBankSize> bytes{};
  for (std::size_t i = 0; i < m.size(); ++i) {
    bytes[3 * i] = m[i].type;
    bytes[3 * i + 1] = m[i].b1;
    bytes[3 * i + 2] = m[i].b2;
  }
  return bytes;
}

constexpr auto kDefaultMapBytes = Flatten(kDefaultMap);

// Effect 1, brightness 5, speed 3, direction 0, colourful, white; everything else zero.
constexpr std::array<std::uint8_t, kLightingBlockSize> kDefaultLighting{1,   5,   3,   0,
                                                                        255, 255, 255, 255};

// Bytes 0-7 are the keyboard's own identity: model tag and hardware revision.
constexpr std::array<std::uint8_t, kInfoIdentitySize> kIdentity{'T', '7', 'X',  'D',
                                                                'U', 'O', 0x01, 0x00};
constexpr std::uint8_t kEffectCount = 20;

}  // namespace

std::array<std::uint8_t, kDeviceInfoSize> FactoryDeviceInfo(const FirmwareOptions& options) {
  std::array<std::uint8_t, kDeviceInfoSize> info{};
  std::copy(kIdentity.begin(), kIdentity.end(), info.begin());
  info[kInfoFirmwareAt] = static_cast<std::uint8_t>(options.firmware_version & 0xFF);
  info[kInfoFirmwareAt + 1] = static_cast<std::uint8_t>(options.firmware_version >> 8);
  info[kInfoActiveProfileAt] = 0;
  info[kInfoCapacityAt] = options.capacity_units;
  for (std::uint8_t e = 1; e <= kEffectCount; ++e) info[kInfoEffectsAt + e - 1] = e;
  return info;
}

std::span<const std::uint8_t, kLightingBlockSize> DefaultLightingBlock() {
  return kDefaultLighting;
}

std::span<const std::uint8_t, kKeyBankSize> FactoryDefaultKeyMap() {
  return kDefaultMapBytes;
}

}  // namespace talon::vkb
