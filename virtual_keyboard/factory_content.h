#pragma once
// What a new keyboard holds: the device information block, the lighting default block and the
// default key map burnt into the firmware.
#include <array>
#include <cstdint>
#include <span>

#include "firmware.h"

namespace talon::vkb {

inline constexpr std::size_t kKeyEntryCount = kKeyBankSize / 3;  // 140 three-byte entries
inline constexpr std::size_t kLightingBlockSize = 42;
inline constexpr std::size_t kLightingBlockCount = 3;
inline constexpr std::size_t kMaxMacroCapacity = 255 * 128;  // byte 11 is one byte of 128s

// Device information fields.
inline constexpr std::size_t kInfoFirmwareAt = 8;
inline constexpr std::size_t kInfoActiveProfileAt = 10;
inline constexpr std::size_t kInfoCapacityAt = 11;
inline constexpr std::size_t kInfoEffectsAt = 12;
inline constexpr std::size_t kInfoIdentitySize = 8;  // bytes 0-7
inline constexpr std::uint8_t kProfileCount = 3;     // one lighting block each

// The factory device information block for the given firmware options.
std::array<std::uint8_t, kDeviceInfoSize> FactoryDeviceInfo(const FirmwareOptions& options);

// The lighting block a profile starts with.
std::span<const std::uint8_t, kLightingBlockSize> DefaultLightingBlock();

// The factory default key map: 140 entries of (type, byte 1, byte 2).
std::span<const std::uint8_t, kKeyBankSize> FactoryDefaultKeyMap();

}  // namespace talon::vkb
