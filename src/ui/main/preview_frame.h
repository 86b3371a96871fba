#pragma once
// What one step of the lighting preview gives: a tint per key, and what the step reads.
#include <array>
#include <cstdint>

#include "model/lighting_block.h"
#include "ui/main/preview_tables.h"

namespace talon::preview {

struct Tint {
  bool on = false;
  Colour colour = 0;
  friend bool operator==(const Tint&, const Tint&) = default;
};

// By SpiralOrder index.
using Frame = std::array<Tint, kPreviewKeys>;

// The panel's stored lighting as the preview uses it; it never changes it.
struct Settings {
  int effect = 0;
  bool colourful = false;
  Colour colour = 0;
  std::uint8_t direction = 0;  // 255 forward (left, up, spread), 0 back
};

}  // namespace talon::preview
