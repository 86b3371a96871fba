#include "firmware.h"

#include <algorithm>
#include <utility>

#include "factory_content.h"
#include "kb_bridge_abi.h"

namespace talon::vkb {

Firmware::Firmware(FirmwareOptions options) : options_(options), macros_(kMaxMacroCapacity, 0) {
  ResetToFactory();
}

void Firmware::ResetToFactory() {
  device_info_ = FactoryDeviceInfo(options_);
  settings_.fill(0);
  const auto lighting = DefaultLightingBlock();
  for (std::size_t p = 0; p < kLightingBlockCount; ++p)
    std::copy(lighting.begin(), lighting.end(), settings_.begin() + p * kLightingBlockSize);
  const auto map = FactoryDefaultKeyMap();
  std::copy(map.begin(), map.end(), default_map_.begin());
  key_banks_.fill(0);
  for (std::size_t b = 0; b < kKeyBankCount; ++b)
    std::copy(map.begin(), map.end(), key_banks_.begin() + b * kKeyBankStride);
  // An all-zero area lacks the 0x55AA mark, so it reads as "no macros".
  std::fill(macros_.begin(), macros_.end(), 0);
  colours_.fill(0);
  indicator_ = {5, 0x02};
  committed_ = false;
}

// The firmware's own fields are not part of the saved memory: a newer firmware announces its
// version, capacity and effects whatever the flash holds.
void Firmware::ApplyFirmwareOwnedInfo() {
  const auto factory = FactoryDeviceInfo(options_);
  std::copy(factory.begin() + kInfoFirmwareAt, factory.begin() + kInfoActiveProfileAt,
            device_info_.begin() + kInfoFirmwareAt);
  std::copy(factory.begin() + kInfoCapacityAt, factory.end(),
            device_info_.begin() + kInfoCapacityAt);
}

void Firmware::SetIndicator(std::span<const std::uint8_t> data) {
  const std::size_t n = std::min(data.size(), indicator_.size());
  std::copy_n(data.begin(), n, indicator_.begin());
}

std::size_t Firmware::macro_capacity() const {
  return std::size_t{device_info_[kInfoCapacityAt]} * 128;
}

bool Firmware::TakeCommitted() {
  return std::exchange(committed_, false);
}

std::span<std::uint8_t> Firmware::Area(std::uint32_t area) {
  const auto view = std::as_const(*this).Area(area);
  return {const_cast<std::uint8_t*>(view.data()), view.size()};
}

std::span<const std::uint8_t> Firmware::Area(std::uint32_t area) const {
  switch (area) {
    case KBSIM_AREA_DEVICE_INFO:
      return device_info_;
    case KBSIM_AREA_SETTINGS:
      return settings_;
    case KBSIM_AREA_KEY_BANKS:
      return key_banks_;
    case KBSIM_AREA_DEFAULT_MAP:
      return default_map_;
    case KBSIM_AREA_MACROS:
      return std::span(macros_).first(macro_capacity());
    case KBSIM_AREA_COLOURS:
      return colours_;
    case KBSIM_AREA_INDICATOR:
      return indicator_;
    default:
      return {};
  }
}

namespace {

bool KnownArea(std::uint32_t area) {
  return area >= KBSIM_AREA_DEVICE_INFO && area <= KBSIM_AREA_INDICATOR;
}

}  // namespace

bool Firmware::Read(std::uint32_t area, std::size_t offset, std::span<std::uint8_t> out) const {
  const auto bytes = Area(area);
  if (!KnownArea(area) || offset > bytes.size() || out.size() > bytes.size() - offset) return false;
  std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(offset), out.size(), out.begin());
  return true;
}

bool Firmware::Write(std::uint32_t area, std::size_t offset, std::span<const std::uint8_t> data) {
  const auto bytes = Area(area);
  if (!KnownArea(area) || offset > bytes.size() || data.size() > bytes.size() - offset)
    return false;
  std::copy(data.begin(), data.end(), bytes.begin() + static_cast<std::ptrdiff_t>(offset));
  return true;
}

}  // namespace talon::vkb
