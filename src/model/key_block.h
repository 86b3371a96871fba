#pragma once
// The key maps of all four on-board profiles as the program keeps them: the profile file's two
// heads and 2048 key records, 32832 bytes in a file.
#include <array>
#include <cstddef>
#include <span>

#include "model/key_record.h"
#include "model/profile_file_header.h"

namespace talon {

inline constexpr std::size_t kKeyBlockSize =
    kProfileHeaderSize + kDeviceIdBlockSize + kKeyRecordCount * kKeyRecordSize;

struct KeyBlock {
  // The header of the last file read or written; writers rebuild it.
  ProfileFileHeader header;
  std::array<KeyRecord, kKeyRecordCount> records{};

  KeyRecord& record(std::size_t profile, KeySlot slot) {
    return records[RecordIndex(profile, slot)];
  }
  const KeyRecord& record(std::size_t profile, KeySlot slot) const {
    return records[RecordIndex(profile, slot)];
  }
  ProfileRecords profile(std::size_t p) {
    return ProfileRecords(records.data() + p * kSlotsPerProfile, kSlotsPerProfile);
  }
};

// No file: header with no macros and no pool, every record 0 except profile 0's G-key records,
// which carry their G-key code. Profiles 1-3 stay all zero, G-key records included.
KeyBlock FreshKeyBlock();

// Bytes 0-32831 of a profile file. The device block is always written as the fixed one.
void SerializeKeyBlock(const KeyBlock& block, std::span<std::uint8_t, kKeyBlockSize> bytes);
KeyBlock ParseKeyBlock(std::span<const std::uint8_t, kKeyBlockSize> bytes);

}  // namespace talon
