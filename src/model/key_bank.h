#pragma once
// The keyboard's own key map of one profile: 140 three-byte entries, one per position of its key
// matrix. Which key a position is comes from the keyboard's default key map.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "device/keyboard_commands.h"
#include "model/key_record.h"
#include "model/key_table.h"
#include "model/macro_record.h"

namespace talon {

inline constexpr std::size_t kKeyBankEntries = 140;
static_assert(kKeyBankEntries * 3 == kKeyBankSize);

using KeyBank = std::array<std::uint8_t, kKeyBankSize>;

struct KeyBankEntry {
  std::uint8_t type = 0;
  std::uint8_t byte1 = 0;
  std::uint8_t byte2 = 0;
  friend bool operator==(const KeyBankEntry&, const KeyBankEntry&) = default;
};

namespace bank_entry {
inline constexpr std::uint8_t kNothing = 0;
inline constexpr std::uint8_t kMouse = 1;     // byte 1: 1 button (mask), 5 wheel (1 up, 0xFF down)
inline constexpr std::uint8_t kKeyboard = 2;  // byte 1: 1 modifier mask, 2 HID keyboard usage
inline constexpr std::uint8_t kConsumer = 3;  // bytes 1-2: consumer usage
inline constexpr std::uint8_t kSystem = 4;    // bytes 1-2: system control usage
inline constexpr std::uint8_t kKeyboardFunction = 5;  // byte 1: 1 macro, 2 stop, 5 function
inline constexpr std::uint8_t kGKey = 6;              // byte 1: 0xA2, byte 2: G key number
inline constexpr std::uint8_t kMouseButton = 1;
inline constexpr std::uint8_t kMouseWheel = 5;
inline constexpr std::uint8_t kModifierMask = 1;
inline constexpr std::uint8_t kKeyUsage = 2;
inline constexpr std::uint8_t kPlayMacro = 1;
inline constexpr std::uint8_t kStopMacro = 2;
inline constexpr std::uint8_t kFunction = 5;
inline constexpr std::uint8_t kGKeyMark = 0xA2;
}  // namespace bank_entry

KeyBankEntry EntryAt(std::span<const std::uint8_t, kKeyBankSize> bank, std::size_t position);
void SetEntry(std::span<std::uint8_t, kKeyBankSize> bank, std::size_t position, KeyBankEntry entry);

// The key an entry stands for (0 = none). Also decodes macro actions.
KeyId EntryToKey(KeyBankEntry entry);

// Modifier mask bit of one of the eight modifier keys; 0 for any other key.
std::uint8_t ModifierMaskOf(KeyId key);
// The modifier key of the lowest set bit of a mask; 0 for an empty mask.
KeyId ModifierOfMask(std::uint8_t mask);

// The bank of one profile from its records. `default_map` ties positions to keys; a macro
// assignment is sent as the macro's position in `macros`.
KeyBank EncodeKeyBank(std::span<const KeyRecord, kSlotsPerProfile> records,
                      std::span<const MacroRecord> macros,
                      std::span<const std::uint8_t, kKeyBankSize> default_map);

// The records of one profile from a bank read from the keyboard. Entries equal to the default
// stay Default; any entry the decoder does not know makes the key Disabled.
void DecodeKeyBank(std::span<const std::uint8_t, kKeyBankSize> bank, ProfileRecords records,
                   std::span<const std::uint8_t, kKeyBankSize> default_map);

}  // namespace talon
