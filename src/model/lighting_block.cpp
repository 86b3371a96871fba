#include "model/lighting_block.h"

#include <algorithm>

namespace talon {

namespace {

Colour ColourAt(std::span<const std::uint8_t, kLightingBlockSize> block, std::size_t offset) {
  return RgbColour(block[offset], block[offset + 1], block[offset + 2]);
}

std::optional<int> ZeroOrOne(std::uint8_t byte) {
  return byte <= 1 ? std::optional<int>(byte) : std::nullopt;
}

}  // namespace

LightingState DecodeLightingBlock(std::span<const std::uint8_t, kLightingBlockSize> block) {
  using namespace lighting_byte;
  LightingState s;
  s.effect = block[kEffect];
  s.brightness = block[kBrightness];
  s.speed = block[kSpeed];
  s.direction = block[kDirection];
  s.colourful = block[kColourful] != 0;
  s.colour = ColourAt(block, kColour);
  s.report_rate = std::min<int>(block[kReportRate], kMaxReportRate);
  s.effect17_colour = block[kEffect17Colour] <= 3 ? block[kEffect17Colour] : 0;
  if (s.effect == 7) {
    if (auto flag = ZeroOrOne(block[kSecondColourful])) s.second_colourful = *flag != 0;
  }
  s.trigger = ZeroOrOne(block[kTrigger]);
  s.second_colour = ColourAt(block, kSecondColour);
  s.second_colour_flag = block[kSecondColourFlag] != 0;
  s.third_colour = ColourAt(block, kThirdColour);
  s.third_colour_flag = block[kThirdColourFlag] != 0;
  s.user_mode = block[kUserMode] <= 3 ? block[kUserMode] : 0;  // only modes 0-3 exist
  return s;
}

std::array<std::uint8_t, kDefaultLightingBlockSize> DefaultLightingBlock() {
  std::array<std::uint8_t, kDefaultLightingBlockSize> block{};
  const std::array<std::uint8_t, 8> head{1, 5, 3, 0, 255, 255, 255, 255};
  std::copy(head.begin(), head.end(), block.begin());
  return block;
}

}  // namespace talon
