#pragma once
// The 16-byte record that names the HID collection a service library request addresses.
#include <array>
#include <cstdint>

namespace talon {

struct DeviceMatchRecord {
  std::uint32_t flags;
  std::uint16_t vendor;
  std::uint16_t product;
  std::uint16_t usage_page;
  std::uint16_t usage;

  // flags, vendor, product, usage page, usage little-endian, then four zero bytes.
  std::array<std::uint8_t, 16> Encode() const;
};

extern const DeviceMatchRecord kConfigChannel;       // configuration reports, 'CTRL' stream
extern const DeviceMatchRecord kConsumerCollection;  // 'CONS' stream
extern const DeviceMatchRecord kIndicatorOutput;     // 'LED' status write

}  // namespace talon
