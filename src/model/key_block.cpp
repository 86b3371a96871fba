#include "model/key_block.h"

namespace talon {

namespace {

constexpr std::size_t kRecordsOffset = kProfileHeaderSize + kDeviceIdBlockSize;

}  // namespace

KeyBlock FreshKeyBlock() {
  KeyBlock block;
  block.header = BuildProfileHeader(0, 0);
  for (KeySlot slot = kGSlotBankA; slot < kGSlotEnd; ++slot) {
    block.record(0, slot).extra = GKeyCode(slot);
  }
  return block;
}

void SerializeKeyBlock(const KeyBlock& block, std::span<std::uint8_t, kKeyBlockSize> bytes) {
  SerializeProfileHeader(block.header, bytes.subspan(0, kProfileHeaderSize));
  SerializeDeviceIdBlock(bytes.subspan(kProfileHeaderSize, kDeviceIdBlockSize));
  for (std::size_t i = 0; i < kKeyRecordCount; ++i) {
    SerializeKeyRecord(block.records[i],
                       bytes.subspan(kRecordsOffset + i * kKeyRecordSize, kKeyRecordSize));
  }
}

KeyBlock ParseKeyBlock(std::span<const std::uint8_t, kKeyBlockSize> bytes) {
  KeyBlock block;
  block.header = ParseProfileHeader(bytes.subspan(0, kProfileHeaderSize));
  for (std::size_t i = 0; i < kKeyRecordCount; ++i) {
    block.records[i] =
        ParseKeyRecord(bytes.subspan(kRecordsOffset + i * kKeyRecordSize, kKeyRecordSize));
  }
  return block;
}

}  // namespace talon
