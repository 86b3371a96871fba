#pragma once
// The channels of a colour kept as 0x00BBGGRR, the one layout the model, the colour files and the
// controls share. Declared once here so that code using both the model's and the controls'
// colours sees a single definition.
#include <cstdint>

namespace talon {

constexpr std::uint8_t RedOf(std::uint32_t c) {
  return static_cast<std::uint8_t>(c & 0xFF);
}
constexpr std::uint8_t GreenOf(std::uint32_t c) {
  return static_cast<std::uint8_t>((c >> 8) & 0xFF);
}
constexpr std::uint8_t BlueOf(std::uint32_t c) {
  return static_cast<std::uint8_t>((c >> 16) & 0xFF);
}

}  // namespace talon
