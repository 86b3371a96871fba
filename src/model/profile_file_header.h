#pragma once
// The two 32-byte heads of a profile file: the header that describes the file (with its own
// checksum) and the fixed block that names the keyboard the file is for.
#include <cstddef>
#include <cstdint>
#include <span>

namespace talon {

inline constexpr std::size_t kProfileHeaderSize = 32;
inline constexpr std::size_t kDeviceIdBlockSize = 32;
inline constexpr std::uint16_t kProfileMagic = 0x4446;
inline constexpr std::uint16_t kProfileFormatVersion = 3;

struct ProfileFileHeader {
  std::uint16_t magic = kProfileMagic;
  std::uint16_t header_size = kProfileHeaderSize;
  std::uint16_t version = kProfileFormatVersion;
  std::uint16_t one = 1;
  std::uint32_t file_size = 0;
  std::uint16_t record_count = 0;
  std::uint16_t macro_count = 0;
  std::uint32_t pool_size = 0;
  std::uint32_t reserved20 = 0;
  std::uint32_t reserved24 = 0;
  std::uint16_t reserved28 = 0;
  std::uint8_t flag = 0;
  std::uint8_t checksum = 0;
  friend bool operator==(const ProfileFileHeader&, const ProfileFileHeader&) = default;
};

// The header every writer writes: fixed fields, the counts, the file size they add up to, flag
// 0 and the checksum.
ProfileFileHeader BuildProfileHeader(std::uint16_t macro_count, std::uint32_t pool_size);

ProfileFileHeader ParseProfileHeader(std::span<const std::uint8_t> bytes);
void SerializeProfileHeader(const ProfileFileHeader& header, std::span<std::uint8_t> bytes);

// The 8-bit sum of header bytes 0-30.
std::uint8_t ProfileHeaderChecksum(const ProfileFileHeader& header);

// The file-size field a header's counts call for (wider than the field, so it cannot wrap).
std::uint64_t ExpectedFileSize(std::uint64_t macro_count, std::uint64_t pool_size);

// Every rule a loadable file's header must meet. The file-size field is checked against the
// counts, not against the real size of the file.
bool ProfileHeaderIsValid(const ProfileFileHeader& header);

// The fixed block: written the same into every file, ignored when reading.
void SerializeDeviceIdBlock(std::span<std::uint8_t> bytes);

}  // namespace talon
