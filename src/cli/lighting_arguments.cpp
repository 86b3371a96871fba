#include "cli/lighting_arguments.h"

#include <array>

#include "cli/cli_arguments.h"

namespace talon::cli {

namespace {

using Kind = LightingChange::Kind;

struct RangeKey {
  const char* name;
  Kind kind;
  int low;
  int high;
};

constexpr std::array<RangeKey, 6> kRangeKeys{{
    {"effect", Kind::kEffect, 1, 20},
    {"brightness", Kind::kBrightness, 0, 5},
    {"speed", Kind::kSpeed, 0, 5},
    {"rate", Kind::kRate, 0, 3},
    {"choice", Kind::kChoice, 0, 3},
    {"usermode", Kind::kUserMode, 0, 3},
}};

std::optional<LightingChange> ParseOne(const std::string& key, const std::string& value,
                                       std::string& error) {
  for (const auto& range : kRangeKeys) {
    if (key != range.name) continue;
    const auto number = ParseNumberIn(value, range.low, range.high);
    if (!number) {
      error = key + " must be " + std::to_string(range.low) + "-" + std::to_string(range.high);
      return std::nullopt;
    }
    return LightingChange{range.kind, *number};
  }
  if (key == "direction") {
    if (value == "left") return LightingChange{Kind::kDirection, kDirectionLeft};
    if (value == "right") return LightingChange{Kind::kDirection, kDirectionRight};
    error = "direction must be left or right";
    return std::nullopt;
  }
  if (key == "colourful") {
    if (value == "on" || value == "off") return LightingChange{Kind::kColourful, value == "on"};
    error = "colourful must be on or off";
    return std::nullopt;
  }
  if (key == "colour") {
    if (auto colour = ParseHexColour(value)) {
      return LightingChange{Kind::kColour, static_cast<int>(*colour)};
    }
    error = "colour must be #rrggbb";
    return std::nullopt;
  }
  error = "unknown setting '" + key +
          "' (effect, brightness, speed, direction, colour, colourful, rate, choice, usermode)";
  return std::nullopt;
}

}  // namespace

ParsedLightingChanges ParseLightingChanges(std::span<const std::string> arguments) {
  ParsedLightingChanges parsed;
  for (const std::string& argument : arguments) {
    const auto equals = argument.find('=');
    if (equals == std::string::npos) {
      parsed.error = "expected key=value, got '" + argument + "'";
      break;
    }
    auto change = ParseOne(argument.substr(0, equals), argument.substr(equals + 1), parsed.error);
    if (!change) break;
    parsed.changes.push_back(*change);
  }
  if (!parsed.error.empty()) parsed.changes.clear();
  return parsed;
}

}  // namespace talon::cli
