#pragma once
// The keyboard's 44-byte information block: firmware version, active profile, macro capacity
// and the lighting effects it offers.
#include <array>
#include <cstdint>
#include <span>

namespace talon {

inline constexpr std::size_t kDeviceInfoSize = 44;
inline constexpr std::size_t kEffectListSize = 32;
inline constexpr std::size_t kMacroCapacityUnit = 128;

class DeviceInfoBlock {
 public:
  // Bytes 0-7 are carried back unchanged; their meaning is the keyboard's.
  std::uint16_t firmware_version() const;
  std::uint8_t active_profile() const { return bytes_[10]; }
  void set_active_profile(std::uint8_t profile) { bytes_[10] = profile; }
  // Macro area capacity in bytes (byte 11 counts units of 128).
  std::size_t macro_capacity() const { return bytes_[11] * kMacroCapacityUnit; }
  // Effect numbers in display order; 0 marks an empty entry.
  std::span<const std::uint8_t, kEffectListSize> effects() const {
    return std::span<const std::uint8_t, kEffectListSize>(bytes_.data() + 12, kEffectListSize);
  }

  std::span<std::uint8_t, kDeviceInfoSize> bytes() { return bytes_; }
  std::span<const std::uint8_t, kDeviceInfoSize> bytes() const { return bytes_; }

 private:
  std::array<std::uint8_t, kDeviceInfoSize> bytes_{};
};

}  // namespace talon
