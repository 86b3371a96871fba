#pragma once
// The keyboard's 42-byte lighting block of one on-board profile, and the state the lighting
// panel shows from it. Profile p's block lies at p x 42 of the settings area.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "platform/colour_channels.h"

namespace talon {

inline constexpr std::size_t kLightingBlockSize = 42;
inline constexpr int kLightingProfiles = 3;
inline constexpr std::size_t kDefaultLightingBlockSize = 35;

namespace lighting_byte {
inline constexpr std::uint8_t kEffect = 0;
inline constexpr std::uint8_t kBrightness = 1;
inline constexpr std::uint8_t kSpeed = 2;
inline constexpr std::uint8_t kDirection = 3;
inline constexpr std::uint8_t kColourful = 4;
inline constexpr std::uint8_t kColour = 5;  // red, green, blue
inline constexpr std::uint8_t kReportRate = 15;
inline constexpr std::uint8_t kEffect17Colour = 17;
inline constexpr std::uint8_t kSecondColourful = 18;
inline constexpr std::uint8_t kTrigger = 19;
inline constexpr std::uint8_t kUserMode = 23;
inline constexpr std::uint8_t kSecondColour = 25;
inline constexpr std::uint8_t kSecondColourFlag = 28;
inline constexpr std::uint8_t kThirdColour = 30;
inline constexpr std::uint8_t kThirdColourFlag = 33;
}  // namespace lighting_byte

inline constexpr int kMaxBrightness = 5;
inline constexpr int kMaxSpeed = 5;
inline constexpr int kMaxReportRate = 3;
inline constexpr std::uint8_t kDirectionLeft = 255;  // also up (effect 12) and spread (effect 18)
inline constexpr std::uint8_t kDirectionRight = 0;

// Colours inside the program: 0x00BBGGRR. On the keyboard and in files: red, green, blue.
using Colour = std::uint32_t;
inline constexpr Colour RgbColour(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return static_cast<Colour>(r) | (static_cast<Colour>(g) << 8) | (static_cast<Colour>(b) << 16);
}
inline std::array<std::uint8_t, 3> RgbBytes(Colour c) {
  return {RedOf(c), GreenOf(c), BlueOf(c)};
}

using LightingBlock = std::array<std::uint8_t, kLightingBlockSize>;

struct LightingState {
  int effect = 0;
  int brightness = 0;
  int speed = 0;
  std::uint8_t direction = 0;
  bool colourful = false;
  Colour colour = 0;
  int report_rate = 0;                   // values above 3 show as 3
  int effect17_colour = 0;               // 0 red, 1 yellow, 2 green, 3 blue; above 3 shows as red
  std::optional<bool> second_colourful;  // effect 7 only, when the byte is 0 or 1
  std::optional<int> trigger;            // 0 single key, 1 key area, when the byte is 0 or 1
  Colour second_colour = 0;
  bool second_colour_flag = false;
  Colour third_colour = 0;
  bool third_colour_flag = false;
  int user_mode = 0;
};

LightingState DecodeLightingBlock(std::span<const std::uint8_t, kLightingBlockSize> block);

// Effect 1, brightness 5, speed 3, direction 0, colourful on, white, zero up to byte 34.
std::array<std::uint8_t, kDefaultLightingBlockSize> DefaultLightingBlock();

}  // namespace talon
