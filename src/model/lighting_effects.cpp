#include "model/lighting_effects.h"

#include <array>

#include "model/lighting_block.h"

namespace talon {

namespace {

using namespace effect_parameter;

struct EffectInfo {
  int number;
  unsigned parameters;
  bool writes_colourful;  // choosing it also writes byte 4
};

constexpr unsigned kColourEffect = kBrightness | kSpeed | kColour;

constexpr std::array<EffectInfo, 20> kEffects{{
    {1, kColourEffect | kDirection, true},
    {2, kColourEffect | kDirection, true},
    {3, kColourEffect | kDirection, true},
    {4, kBrightness | kSpeed, false},
    {5, kColourEffect, true},
    {6, kBrightness | kReactiveColour, false},
    {7, kColourEffect, true},
    {8, kColourEffect, true},
    {9, kColourEffect, true},
    {10, kColourEffect, false},
    {11, kBrightness | kSpeed, false},
    {12, kBrightness | kSpeed | kDirectionUpDown, false},
    {13, kColourEffect, true},
    {14, kColourEffect, true},
    {15, kColourEffect, true},
    {16, kBrightness | kReactiveColour, false},
    {17, kBrightness | kFourColours, false},
    {18, kBrightness | kDirectionSpread, false},
    {19, 0, false},  // known, but offers nothing and writes nothing
    {20, kBrightness | kUserModes, false},
}};

const EffectInfo* Find(int effect) {
  for (const auto& info : kEffects) {
    if (info.number == effect) return &info;
  }
  return nullptr;
}

}  // namespace

bool IsKnownEffect(int effect) {
  return Find(effect) != nullptr;
}

unsigned EffectParameters(int effect) {
  const EffectInfo* info = Find(effect);
  return info != nullptr ? info->parameters : 0;
}

std::vector<LightingField> EffectSelectionFields(int effect, bool colourful_on) {
  const EffectInfo* info = Find(effect);
  if (info == nullptr || info->number == 19) return {};
  std::vector<LightingField> fields{{lighting_byte::kEffect, {static_cast<std::uint8_t>(effect)}}};
  if (info->writes_colourful) {
    fields.push_back(
        {lighting_byte::kColourful, {static_cast<std::uint8_t>(colourful_on ? 1 : 0)}});
  }
  return fields;
}

}  // namespace talon
