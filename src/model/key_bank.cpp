#include "model/key_bank.h"

#include <array>

#include "model/default_key_map.h"
#include "model/macro_list.h"
#include "platform/little_endian.h"

namespace talon {

namespace {

struct Modifier {
  KeyId key;
  std::uint8_t mask;
};

// In mask-bit order, so the first hit of a mask is its lowest bit.
constexpr std::array<Modifier, 8> kModifiers = {{
    {key::kLeftCtrl, 0x01},
    {key::kLeftShift, 0x02},
    {key::kLeftAlt, 0x04},
    {key::kLeftWin, 0x08},
    {key::kRightCtrl, 0x10},
    {key::kRightShift, 0x20},
    {key::kRightAlt, 0x40},
    {key::kRightWin, 0x80},
}};

KeyId MouseKey(std::uint8_t kind, std::uint8_t code) {
  if (kind == bank_entry::kMouseButton) {
    if (code == 0x01) return key::kLeftButton;
    if (code == 0x02) return key::kRightButton;
    if (code == 0x04) return key::kMiddleButton;
  } else if (kind == bank_entry::kMouseWheel) {
    if (code == 0x01) return key::kRollUp;
    if (code == 0xFF) return key::kRollDown;
  }
  return 0;
}

std::uint16_t Usage16(const KeyBankEntry& entry) {
  return static_cast<std::uint16_t>(entry.byte1 | (entry.byte2 << 8));
}

KeyBankEntry EntryOfKeyAssignment(KeyId key) {
  if (const std::uint8_t mask = ModifierMaskOf(key); mask != 0) {
    return {bank_entry::kKeyboard, bank_entry::kModifierMask, mask};
  }
  switch (key) {
    case key::kLeftButton:
      return {bank_entry::kMouse, bank_entry::kMouseButton, 0x01};
    case key::kRightButton:
      return {bank_entry::kMouse, bank_entry::kMouseButton, 0x02};
    case key::kMiddleButton:
      return {bank_entry::kMouse, bank_entry::kMouseButton, 0x04};
    case key::kRollUp:
      return {bank_entry::kMouse, bank_entry::kMouseWheel, 0x01};
    case key::kRollDown:
      return {bank_entry::kMouse, bank_entry::kMouseWheel, 0xFF};
    default:
      break;
  }
  const UsageRef usage = UsageOfKey(key);
  const auto code =
      static_cast<std::uint8_t>(usage.page == usage_page::kKeyboard ? usage.usage : 0);
  return {bank_entry::kKeyboard, bank_entry::kKeyUsage, code};
}

// The entry a record asks for at a position whose default entry is `default_entry`.
KeyBankEntry EncodeRecord(const KeyRecord& record, KeyBankEntry default_entry,
                          std::span<const MacroRecord> macros) {
  switch (record.type) {
    case AssignmentKind::kDisabled:
    case AssignmentKind::kText:
      return {};
    case AssignmentKind::kKey:
      return EntryOfKeyAssignment(static_cast<KeyId>(record.value));
    case AssignmentKind::kMacro:
      return {bank_entry::kKeyboardFunction, bank_entry::kPlayMacro,
              static_cast<std::uint8_t>(
                  MacroIndexOf(macros, static_cast<std::uint16_t>(record.value & 0xFFFF)))};
    case AssignmentKind::kStopMacro:
      return {bank_entry::kKeyboardFunction, bank_entry::kStopMacro, 0};
    case AssignmentKind::kMedia: {
      // An index past the list cannot come from the editor; the key keeps its default.
      if (record.value >= kMediaCount) return default_entry;
      const std::uint16_t usage = MediaList()[record.value].consumer_usage;
      return {bank_entry::kConsumer, static_cast<std::uint8_t>(usage),
              static_cast<std::uint8_t>(usage >> 8)};
    }
    case AssignmentKind::kFunction:
      return {bank_entry::kKeyboardFunction, bank_entry::kFunction,
              static_cast<std::uint8_t>(record.value)};
    default:  // Default, Launch, and types no editor produces
      return default_entry;
  }
}

// The record that a bank entry which differs from the default turns into.
KeyRecord DecodeEntry(const KeyBankEntry& entry) {
  KeyRecord record;
  record.type = AssignmentKind::kDisabled;
  auto assign = [&record](AssignmentKind type, std::uint32_t value) {
    record.type = type;
    record.value = value;
  };
  switch (entry.type) {
    case bank_entry::kKeyboardFunction:
      if (entry.byte1 == bank_entry::kPlayMacro) assign(AssignmentKind::kMacro, entry.byte2 + 1u);
      if (entry.byte1 == bank_entry::kStopMacro) assign(AssignmentKind::kStopMacro, 0);
      if (entry.byte1 == bank_entry::kFunction) assign(AssignmentKind::kFunction, entry.byte2);
      break;
    case bank_entry::kConsumer:
      if (const int media = MediaIndexOfUsage(Usage16(entry)); media >= 0) {
        assign(AssignmentKind::kMedia, static_cast<std::uint32_t>(media));
      }
      break;
    case bank_entry::kMouse:
      if (const KeyId mouse = MouseKey(entry.byte1, entry.byte2); mouse != 0) {
        assign(AssignmentKind::kKey, mouse);
      }
      break;
    case bank_entry::kKeyboard:
      if (entry.byte1 == bank_entry::kKeyUsage) {
        const KeyId key = KeyOfUsage({usage_page::kKeyboard, entry.byte2});
        if (key != 0) assign(AssignmentKind::kKey, key);
      } else if (entry.byte1 == bank_entry::kModifierMask) {
        assign(AssignmentKind::kKey, ModifierOfMask(entry.byte2));
      }
      break;
    default:
      break;
  }
  return record;
}

}  // namespace

KeyBankEntry EntryAt(std::span<const std::uint8_t, kKeyBankSize> bank, std::size_t position) {
  const std::size_t at = position * 3;
  return {GetU8(bank, at), GetU8(bank, at + 1), GetU8(bank, at + 2)};
}

void SetEntry(std::span<std::uint8_t, kKeyBankSize> bank, std::size_t position,
              KeyBankEntry entry) {
  const std::size_t at = position * 3;
  PutU8(bank, at, entry.type);
  PutU8(bank, at + 1, entry.byte1);
  PutU8(bank, at + 2, entry.byte2);
}

std::uint8_t ModifierMaskOf(KeyId key) {
  for (const Modifier& m : kModifiers) {
    if (m.key == key) return m.mask;
  }
  return 0;
}

KeyId ModifierOfMask(std::uint8_t mask) {
  for (const Modifier& m : kModifiers) {
    if ((mask & m.mask) != 0) return m.key;
  }
  return 0;
}

KeyId EntryToKey(KeyBankEntry entry) {
  switch (entry.type) {
    case bank_entry::kMouse:
      return MouseKey(entry.byte1, entry.byte2);
    case bank_entry::kKeyboard:
      if (entry.byte1 == bank_entry::kKeyUsage) {
        return KeyOfUsage({usage_page::kKeyboard, entry.byte2});
      }
      return ModifierOfMask(entry.byte2);
    case bank_entry::kConsumer:
      return KeyOfUsage({usage_page::kConsumer, Usage16(entry)});
    case bank_entry::kSystem:
      return KeyOfUsage({usage_page::kSystem, Usage16(entry)});
    case bank_entry::kGKey:
      // Only G1-G9 exist; another number is no key rather than an id nothing knows.
      if (entry.byte1 != bank_entry::kGKeyMark || entry.byte2 == 0 || entry.byte2 > kGKeyCount) {
        return 0;
      }
      return static_cast<KeyId>(key::kGKeyBase + entry.byte2);
    default:
      return 0;
  }
}

KeyBank EncodeKeyBank(std::span<const KeyRecord, kSlotsPerProfile> records,
                      std::span<const MacroRecord> macros,
                      std::span<const std::uint8_t, kKeyBankSize> default_map) {
  KeyBank bank;
  std::copy(default_map.begin(), default_map.end(), bank.begin());
  for (std::size_t i = 0; i < kKeyBankEntries; ++i) {
    if (DefaultKeyMap::IsFixedPosition(i)) continue;
    const KeyBankEntry default_entry = EntryAt(default_map, i);
    const KeyId key = EntryToKey(default_entry);
    if (key == 0) continue;
    const KeySlot slot = SlotOfKey(key);
    if (slot >= kSlotsPerProfile) continue;
    SetEntry(bank, i, EncodeRecord(records[slot], default_entry, macros));
  }
  return bank;
}

void DecodeKeyBank(std::span<const std::uint8_t, kKeyBankSize> bank, ProfileRecords records,
                   std::span<const std::uint8_t, kKeyBankSize> default_map) {
  ResetProfileRecords(records);
  for (std::size_t i = 0; i < kKeyBankEntries; ++i) {
    if (DefaultKeyMap::IsFixedPosition(i)) continue;
    const KeyBankEntry entry = EntryAt(bank, i);
    const KeyBankEntry default_entry = EntryAt(default_map, i);
    if (entry == default_entry) continue;
    const KeyId key = EntryToKey(default_entry);
    if (key == 0) continue;
    const KeySlot slot = SlotOfKey(key);
    if (slot >= kSlotsPerProfile) continue;
    const KeyRecord decoded = DecodeEntry(entry);
    records[slot].type = decoded.type;
    records[slot].value = decoded.value;
  }
}

}  // namespace talon
