#pragma once
// The key=value changes of `talon7x-ctl lighting P ...`, checked in full before anything is
// written.
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "model/lighting_block.h"

namespace talon::cli {

struct LightingChange {
  enum class Kind {
    kEffect,
    kBrightness,
    kSpeed,
    kDirection,
    kColour,
    kColourful,
    kRate,
    kChoice,
    kUserMode,
  } kind;
  int value;  // a colour as 0x00BBGGRR, a direction as 255 (left) or 0 (right), a flag as 0/1
};

struct ParsedLightingChanges {
  std::vector<LightingChange> changes;
  std::string error;  // names the allowed values when an argument is refused
};

ParsedLightingChanges ParseLightingChanges(std::span<const std::string> arguments);

}  // namespace talon::cli
