#include "model/key_record.h"

#include <algorithm>

#include "platform/little_endian.h"

namespace talon {

KeyRecord ParseKeyRecord(std::span<const std::uint8_t> bytes) {
  KeyRecord record;
  record.type = static_cast<AssignmentKind>(GetU16(bytes, 0));
  record.extra = GetU16(bytes, 2);
  record.value = GetU32(bytes, 4);
  record.mark = GetU32(bytes, 8);
  record.reserved = GetU32(bytes, 12);
  return record;
}

void SerializeKeyRecord(const KeyRecord& record, std::span<std::uint8_t> bytes) {
  PutU16(bytes, 0, static_cast<std::uint16_t>(record.type));
  PutU16(bytes, 2, record.extra);
  PutU32(bytes, 4, record.value);
  PutU32(bytes, 8, record.mark);
  PutU32(bytes, 12, record.reserved);
}

std::uint16_t GKeyCode(KeySlot slot) {
  if (slot >= kGSlotBankA && slot < kGSlotBankB) {
    return static_cast<std::uint16_t>(0x0300 + (slot - kGSlotBankA + 1));
  }
  if (slot >= kGSlotBankB && slot < kGSlotEnd) {
    return static_cast<std::uint16_t>(0x1300 + (slot - kGSlotBankB + 1));
  }
  return 0;
}

void ResetProfileRecords(ProfileRecords records) {
  std::fill(records.begin(), records.end(), KeyRecord{});
  for (KeySlot slot = kGSlotBankA; slot < kGSlotEnd; ++slot) records[slot].extra = GKeyCode(slot);
}

}  // namespace talon
