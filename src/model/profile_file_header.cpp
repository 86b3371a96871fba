#include "model/profile_file_header.h"

#include <array>

#include "model/key_block.h"
#include "model/macro_record.h"
#include "platform/little_endian.h"

namespace talon {

namespace {

constexpr std::uint16_t kDeviceIdMagic = 0x484B;
constexpr std::uint16_t kVendorId = 0x0C45;
constexpr std::uint16_t kProductId = 0x5D27;

}  // namespace

std::uint64_t ExpectedFileSize(std::uint64_t macro_count, std::uint64_t pool_size) {
  return kKeyBlockSize + kMacroRecordSize * macro_count + pool_size;
}

ProfileFileHeader BuildProfileHeader(std::uint16_t macro_count, std::uint32_t pool_size) {
  ProfileFileHeader header;
  header.record_count = kKeyRecordCount;
  header.macro_count = macro_count;
  header.pool_size = pool_size;
  header.file_size = static_cast<std::uint32_t>(ExpectedFileSize(macro_count, pool_size));
  header.checksum = ProfileHeaderChecksum(header);
  return header;
}

ProfileFileHeader ParseProfileHeader(std::span<const std::uint8_t> bytes) {
  ProfileFileHeader h;
  h.magic = GetU16(bytes, 0);
  h.header_size = GetU16(bytes, 2);
  h.version = GetU16(bytes, 4);
  h.one = GetU16(bytes, 6);
  h.file_size = GetU32(bytes, 8);
  h.record_count = GetU16(bytes, 12);
  h.macro_count = GetU16(bytes, 14);
  h.pool_size = GetU32(bytes, 16);
  h.reserved20 = GetU32(bytes, 20);
  h.reserved24 = GetU32(bytes, 24);
  h.reserved28 = GetU16(bytes, 28);
  h.flag = GetU8(bytes, 30);
  h.checksum = GetU8(bytes, 31);
  return h;
}

void SerializeProfileHeader(const ProfileFileHeader& h, std::span<std::uint8_t> bytes) {
  PutU16(bytes, 0, h.magic);
  PutU16(bytes, 2, h.header_size);
  PutU16(bytes, 4, h.version);
  PutU16(bytes, 6, h.one);
  PutU32(bytes, 8, h.file_size);
  PutU16(bytes, 12, h.record_count);
  PutU16(bytes, 14, h.macro_count);
  PutU32(bytes, 16, h.pool_size);
  PutU32(bytes, 20, h.reserved20);
  PutU32(bytes, 24, h.reserved24);
  PutU16(bytes, 28, h.reserved28);
  PutU8(bytes, 30, h.flag);
  PutU8(bytes, 31, h.checksum);
}

std::uint8_t ProfileHeaderChecksum(const ProfileFileHeader& header) {
  std::array<std::uint8_t, kProfileHeaderSize> bytes{};
  SerializeProfileHeader(header, bytes);
  unsigned sum = 0;
  for (std::size_t i = 0; i + 1 < bytes.size(); ++i) sum += bytes[i];
  return static_cast<std::uint8_t>(sum);
}

bool ProfileHeaderIsValid(const ProfileFileHeader& h) {
  return h.magic == kProfileMagic && h.header_size == kProfileHeaderSize &&
         h.version == kProfileFormatVersion && h.one == 1 && h.file_size >= kKeyBlockSize &&
         h.record_count == kKeyRecordCount && h.macro_count <= kMaxMacros && h.flag <= 1 &&
         h.file_size == ExpectedFileSize(h.macro_count, h.pool_size) &&
         h.checksum == ProfileHeaderChecksum(h);
}

void SerializeDeviceIdBlock(std::span<std::uint8_t> bytes) {
  PutU16(bytes, 0, kDeviceIdMagic);
  PutU16(bytes, 2, kDeviceIdBlockSize);
  PutU32(bytes, 4, kDeviceIdBlockSize + kKeyRecordCount * kKeyRecordSize);
  PutU16(bytes, 8, kProfileCount);
  PutU16(bytes, 10, kSlotsPerProfile);
  PutU32(bytes, 12, 0);
  PutU16(bytes, 16, kVendorId);
  PutU16(bytes, 18, kProductId);
  PutU16(bytes, 20, 0x1C4F);
  PutU16(bytes, 22, 0x000E);
  for (std::size_t i = 24; i < kDeviceIdBlockSize; ++i) PutU8(bytes, i, 0);
}

}  // namespace talon
