// The keyboard's memory in a file, as its flash keeps it across power cycles.
//
// Layout (little-endian):
//   0  8 bytes  magic "T7XVKBST"
//   8  u16      format version (1)
//  10  u16      reserved, 0
//  12  6 x u32  sizes of the areas that follow: device information, settings, key banks,
//               default key map, macro area, colours
//  36  ...      the areas in that order
//  end u32      FNV-1a hash of every byte before it
// The indicator is not kept: it is the host's to set after every plug-in.
#include <algorithm>
#include <array>
#include <fstream>
#include <string_view>
#include <system_error>
#include <vector>

#include "factory_content.h"
#include "firmware.h"
#include "kb_bridge_abi.h"
#include "platform/file_io.h"
#include "platform/little_endian.h"

namespace talon::vkb {

namespace {

constexpr std::array<std::uint8_t, 8> kMagic{'T', '7', 'X', 'V', 'K', 'B', 'S', 'T'};
constexpr std::uint16_t kFormatVersion = 1;
constexpr std::size_t kVersionAt = 8;
constexpr std::size_t kSizesAt = 12;
constexpr std::size_t kAreaCount = 6;
constexpr std::size_t kHeaderSize = kSizesAt + 4 * kAreaCount;
constexpr std::size_t kHashSize = 4;
constexpr std::size_t kMacroSizeIndex = 4;

std::uint32_t Fnv1a(std::span<const std::uint8_t> bytes) {
  std::uint32_t hash = 2166136261u;
  for (const std::uint8_t b : bytes) hash = (hash ^ b) * 16777619u;
  return hash;
}

// Expected size of every area but the macro area, whose size follows the capacity.
constexpr std::array<std::size_t, kAreaCount> kFixedSizes{kDeviceInfoSize,
                                                          kSettingsSize,
                                                          kKeyBankStride* kKeyBankCount,
                                                          kKeyBankSize,
                                                          0,
                                                          kColourSlotSize* kColourSlotCount};

std::vector<std::uint8_t> ReadWhole(const std::filesystem::path& file, std::size_t limit) {
  std::error_code error;
  const auto size = std::filesystem::file_size(file, error);
  if (error || size > limit) return {};
  std::ifstream in(file, std::ios::binary);
  std::vector<std::uint8_t> bytes(size);
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size));
  if (!in || static_cast<std::size_t>(in.gcount()) != size) return {};
  return bytes;
}

// Replaced as the keyboard's flash is: all or nothing, even across a crash or power loss.
bool WriteReplacing(const std::filesystem::path& file, std::span<const std::uint8_t> bytes) {
  std::error_code error;
  if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path(), error);
  return talon::WriteFileAtomically(
      file, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

}  // namespace

bool Firmware::Save(const std::filesystem::path& file) const {
  const std::array<std::span<const std::uint8_t>, kAreaCount> areas{
      device_info_, settings_, key_banks_, default_map_, Area(KBSIM_AREA_MACROS), colours_};
  std::vector<std::uint8_t> bytes(kHeaderSize, 0);
  std::copy(kMagic.begin(), kMagic.end(), bytes.begin());
  PutU16(bytes, kVersionAt, kFormatVersion);
  for (std::size_t i = 0; i < kAreaCount; ++i) {
    PutU32(bytes, kSizesAt + 4 * i, static_cast<std::uint32_t>(areas[i].size()));
    bytes.insert(bytes.end(), areas[i].begin(), areas[i].end());
  }
  bytes.resize(bytes.size() + kHashSize);
  PutU32(bytes, bytes.size() - kHashSize, Fnv1a(std::span(bytes).first(bytes.size() - kHashSize)));
  return WriteReplacing(file, bytes);
}

bool Firmware::Load(const std::filesystem::path& file) {
  std::size_t limit = kHeaderSize + kMaxMacroCapacity + kHashSize;
  for (const std::size_t size : kFixedSizes) limit += size;
  const std::vector<std::uint8_t> bytes = ReadWhole(file, limit);
  const std::span<const std::uint8_t> all(bytes);
  if (bytes.size() < kHeaderSize + kHashSize || bytes.size() > limit) return false;
  if (!std::equal(kMagic.begin(), kMagic.end(), bytes.begin())) return false;
  if (GetU16(all, kVersionAt) != kFormatVersion) return false;

  std::array<std::size_t, kAreaCount> sizes{};
  std::size_t total = kHeaderSize + kHashSize;
  for (std::size_t i = 0; i < kAreaCount; ++i) {
    sizes[i] = GetU32(all, kSizesAt + 4 * i);
    const bool fits =
        i == kMacroSizeIndex ? sizes[i] <= kMaxMacroCapacity : sizes[i] == kFixedSizes[i];
    if (!fits) return false;
    total += sizes[i];
  }
  if (bytes.size() != total) return false;
  if (Fnv1a(all.first(total - kHashSize)) != GetU32(all, total - kHashSize)) return false;

  std::array<std::span<const std::uint8_t>, kAreaCount> areas;
  std::size_t at = kHeaderSize;
  for (std::size_t i = 0; i < kAreaCount; ++i) {
    areas[i] = all.subspan(at, sizes[i]);
    at += sizes[i];
  }
  const auto info = areas[0];
  if (info[kInfoActiveProfileAt] >= kProfileCount) return false;

  std::copy_n(info.begin(), kInfoIdentitySize, device_info_.begin());
  device_info_[kInfoActiveProfileAt] = info[kInfoActiveProfileAt];
  ApplyFirmwareOwnedInfo();
  std::copy(areas[1].begin(), areas[1].end(), settings_.begin());
  std::copy(areas[2].begin(), areas[2].end(), key_banks_.begin());
  std::copy(areas[3].begin(), areas[3].end(), default_map_.begin());
  std::fill(std::copy(areas[4].begin(), areas[4].end(), macros_.begin()), macros_.end(), 0);
  std::copy(areas[5].begin(), areas[5].end(), colours_.begin());
  committed_ = false;
  return true;
}

}  // namespace talon::vkb
