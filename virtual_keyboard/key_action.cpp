// What the keyboard does when the key at a matrix position is pressed: the entry at that
// position of the active profile's key bank, interpreted as the firmware plays it.
#include "factory_content.h"
#include "firmware.h"
#include "kb_bridge_abi.h"

namespace talon::vkb {

namespace {

constexpr std::uint8_t kEntryNothing = 0;
constexpr std::uint8_t kEntryMouse = 1;
constexpr std::uint8_t kEntryKeyboard = 2;
constexpr std::uint8_t kEntryConsumer = 3;
constexpr std::uint8_t kEntrySystem = 4;
constexpr std::uint8_t kEntryFirmware = 5;
constexpr std::uint8_t kEntryGKey = 6;

constexpr std::uint8_t kMouseButton = 1;
constexpr std::uint8_t kMouseWheel = 5;
constexpr std::uint8_t kKeyboardModifier = 1;
constexpr std::uint8_t kKeyboardUsage = 2;
constexpr std::uint8_t kFirmwareMacro = 1;
constexpr std::uint8_t kFirmwareStopMacro = 2;
constexpr std::uint8_t kFirmwareFunction = 5;
constexpr std::uint8_t kGKeyMarker = 0xA2;

bool IsMouseEntry(std::uint8_t b1, std::uint8_t b2) {
  if (b1 == kMouseButton) return b2 == 0x01 || b2 == 0x02 || b2 == 0x04;
  if (b1 == kMouseWheel) return b2 == 0x01 || b2 == 0xFF;
  return false;
}

KeyAction Interpret(std::uint8_t type, std::uint8_t b1, std::uint8_t b2) {
  const std::uint32_t word = static_cast<std::uint32_t>(b1 | (b2 << 8));
  // Entries the firmware keeps but does not play report their three bytes.
  const KeyAction other{KBSIM_ACTION_OTHER,
                        static_cast<std::uint32_t>((type << 16) | (b1 << 8) | b2)};
  switch (type) {
    case kEntryNothing:
      return {KBSIM_ACTION_NONE, 0};
    case kEntryMouse:
      return IsMouseEntry(b1, b2) ? KeyAction{KBSIM_ACTION_MOUSE, std::uint32_t{b1} << 8 | b2}
                                  : other;
    case kEntryKeyboard:
      if (b1 == kKeyboardModifier && b2 != 0) return {KBSIM_ACTION_MODIFIER, b2};
      if (b1 == kKeyboardUsage && b2 != 0) return {KBSIM_ACTION_KEY, b2};
      return other;
    case kEntryConsumer:
      return {KBSIM_ACTION_CONSUMER, word};
    case kEntrySystem:
      return {KBSIM_ACTION_SYSTEM, word};
    case kEntryFirmware:
      if (b1 == kFirmwareMacro) return {KBSIM_ACTION_MACRO, b2};
      if (b1 == kFirmwareStopMacro && b2 == 0) return {KBSIM_ACTION_STOP_MACRO, 0};
      if (b1 == kFirmwareFunction) return {KBSIM_ACTION_FUNCTION, b2};
      return other;
    case kEntryGKey:
      return b1 == kGKeyMarker ? KeyAction{KBSIM_ACTION_GKEY, b2} : other;
    default:
      return other;
  }
}

}  // namespace

KeyAction Firmware::ActionAt(std::size_t position) const {
  const std::size_t bank = device_info_[kInfoActiveProfileAt];
  if (position >= kKeyEntryCount || bank >= kKeyBankCount) return {KBSIM_ACTION_NONE, 0};
  const std::size_t at = bank * kKeyBankStride + 3 * position;
  return Interpret(key_banks_[at], key_banks_[at + 1], key_banks_[at + 2]);
}

}  // namespace talon::vkb
