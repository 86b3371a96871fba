#pragma once
// The lighting effects the program knows: which parameters each offers, and what choosing one
// writes into the lighting block.
#include <cstdint>
#include <vector>

namespace talon {

namespace effect_parameter {
inline constexpr unsigned kBrightness = 1u << 0;
inline constexpr unsigned kSpeed = 1u << 1;
inline constexpr unsigned kDirection = 1u << 2;        // left / right
inline constexpr unsigned kDirectionUpDown = 1u << 3;  // effect 12
inline constexpr unsigned kDirectionSpread = 1u << 4;  // effect 18: spread / gather
inline constexpr unsigned kColour = 1u << 5;           // colour and colourful toggle
inline constexpr unsigned kReactiveColour = 1u << 6;   // effects 6 and 16
inline constexpr unsigned kFourColours = 1u << 7;      // effect 17
inline constexpr unsigned kUserModes = 1u << 8;        // effect 20
inline constexpr unsigned kAnyDirection = kDirection | kDirectionUpDown | kDirectionSpread;
}  // namespace effect_parameter

inline constexpr int kUserColourEffect = 20;

// One write into a profile's lighting block: bytes at an offset of the block.
struct LightingField {
  std::uint8_t offset;
  std::vector<std::uint8_t> bytes;
  friend bool operator==(const LightingField&, const LightingField&) = default;
};

// False for numbers the program does not know (it lists them but offers nothing for them).
bool IsKnownEffect(int effect);
// The parameters the panel offers for an effect; 0 for 19 and unknown numbers.
unsigned EffectParameters(int effect);
// What choosing an effect writes: the effect byte, and for the colour effects the colourful
// flag as the toggle shows it. Nothing for 19 and unknown numbers.
std::vector<LightingField> EffectSelectionFields(int effect, bool colourful_on);

}  // namespace talon
