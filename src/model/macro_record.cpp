#include "model/macro_record.h"

#include <algorithm>

#include "platform/little_endian.h"

namespace talon {

namespace {

constexpr std::size_t kNameBytes = 500;
constexpr std::size_t kRepeatOffset = 500;
constexpr std::size_t kReserved501Offset = 501;
constexpr std::size_t kNewFlagOffset = 502;
constexpr std::size_t kReserved504Offset = 504;
constexpr std::size_t kIdOffset = 506;
constexpr std::size_t kActionCountOffset = 508;
constexpr std::size_t kReserved510Offset = 510;
constexpr std::size_t kActionsOffset = 512;
constexpr std::size_t kActionSize = 8;

}  // namespace

MacroRecord ParseMacroRecord(std::span<const std::uint8_t, kMacroRecordSize> bytes) {
  MacroRecord record;
  for (std::size_t i = 0; i < kMaxMacroNameLength; ++i) {
    const std::uint16_t unit = GetU16(bytes, i * 2);
    if (unit == 0) break;
    record.name.push_back(static_cast<char16_t>(unit));
  }
  record.repeat_count = GetU8(bytes, kRepeatOffset);
  record.reserved501 = GetU8(bytes, kReserved501Offset);
  record.new_flag = GetU16(bytes, kNewFlagOffset);
  record.reserved504 = GetU16(bytes, kReserved504Offset);
  record.id = GetU16(bytes, kIdOffset);
  record.reserved510 = GetU16(bytes, kReserved510Offset);
  const std::size_t count =
      std::min<std::size_t>(GetU16(bytes, kActionCountOffset), kMaxMacroActions);
  record.actions.resize(count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t at = kActionsOffset + i * kActionSize;
    record.actions[i] = {GetU32(bytes, at), GetU16(bytes, at + 4), GetU16(bytes, at + 6)};
  }
  return record;
}

void SerializeMacroRecord(const MacroRecord& record,
                          std::span<std::uint8_t, kMacroRecordSize> bytes) {
  std::fill(bytes.begin(), bytes.end(), std::uint8_t{0});
  const std::size_t name_length = std::min(record.name.size(), kMaxMacroNameLength);
  for (std::size_t i = 0; i < name_length; ++i) PutU16(bytes, i * 2, record.name[i]);
  static_assert(kMaxMacroNameLength * 2 < kNameBytes, "the name keeps room for its terminator");
  PutU8(bytes, kRepeatOffset, record.repeat_count);
  PutU8(bytes, kReserved501Offset, record.reserved501);
  PutU16(bytes, kNewFlagOffset, record.new_flag);
  PutU16(bytes, kReserved504Offset, record.reserved504);
  PutU16(bytes, kIdOffset, record.id);
  const std::size_t count = std::min(record.actions.size(), kMaxMacroActions);
  PutU16(bytes, kActionCountOffset, static_cast<std::uint16_t>(count));
  PutU16(bytes, kReserved510Offset, record.reserved510);
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t at = kActionsOffset + i * kActionSize;
    PutU32(bytes, at, record.actions[i].pause_ms);
    PutU16(bytes, at + 4, record.actions[i].key);
    PutU16(bytes, at + 6, record.actions[i].state);
  }
}

}  // namespace talon
