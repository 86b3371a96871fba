#pragma once
// The 16-byte device match record that names the HID collection a request addresses.
#include <cstdint>
#include <span>

namespace talon::bridge {

inline constexpr std::size_t kMatchRecordSize = 16;

// Flag bits of the record's first field: which of the four ids must match. A record with
// flags 0x0F (all four) names exactly one collection of a keyboard.
inline constexpr std::uint32_t kMatchVendor = 0x01;
inline constexpr std::uint32_t kMatchProduct = 0x02;
inline constexpr std::uint32_t kMatchUsagePage = 0x04;
inline constexpr std::uint32_t kMatchUsage = 0x08;

// The ids of one enumerated HID collection.
struct DeviceIds {
  std::uint16_t vendor_id = 0;
  std::uint16_t product_id = 0;
  std::uint16_t usage_page = 0;
  std::uint16_t usage = 0;
};

struct MatchRecord {
  std::uint32_t flags = 0;
  std::uint16_t vendor_id = 0;
  std::uint16_t product_id = 0;
  std::uint16_t usage_page = 0;
  std::uint16_t usage = 0;

  // Reads the record's little-endian fields; the four reserved bytes are not examined.
  static MatchRecord Parse(std::span<const std::uint8_t, kMatchRecordSize> bytes);

  bool Matches(const DeviceIds& device) const;

  // The ids to hand to hid_enumerate: 0 (any) for a field that is not significant.
  std::uint16_t enumerate_vendor() const { return (flags & kMatchVendor) ? vendor_id : 0; }
  std::uint16_t enumerate_product() const { return (flags & kMatchProduct) ? product_id : 0; }

  bool operator==(const MatchRecord&) const = default;
};

}  // namespace talon::bridge
