#pragma once
// The reactive and random animations of the preview (effects 10, 13, 14, 15 and 16). Four bit
// maps over the preview grid, one per direction of travel (a byte per column, a bit per row),
// move one cell per step; every cell they cover lights its key at full level, and every key's
// level then falls step by step until it is dark.
#include <array>
#include <cstdint>
#include <random>

#include "ui/main/preview_frame.h"

namespace talon::preview {

class RippleEngine {
 public:
  explicit RippleEngine(std::uint32_t seed = std::random_device{}());

  // Dark keys, no waves: the state a run starts from.
  void Reset();
  // One step of `settings.effect` (10, 13, 14, 15 or 16); every key's tint goes into `frame`.
  void Step(const Settings& settings, Frame& frame);

  int level(int key) const { return level_[static_cast<std::size_t>(key)]; }
  int colour_index(int key) const { return colour_index_[static_cast<std::size_t>(key)]; }
  bool has_waves() const;

 private:
  enum Travel { kLeft, kRight, kUp, kDown, kTravels };
  using Map = std::array<std::uint8_t, kGridColumns>;

  void Move(bool spread);
  void StartWave(int row, int column);
  bool Covered(int row, int column) const;
  void LightCells();
  void LightColumn(int column);
  void LightKey(int key);
  void Decay(int effect);
  void Sparkle();
  void Rain();
  void Demonstration();

  std::minstd_rand random_;
  std::array<Map, kTravels> maps_{};
  std::array<int, kPreviewKeys> level_{};
  std::array<int, kPreviewKeys> colour_index_{};
  std::size_t sparkle_next_ = 0;
  int rain_column_ = 0;
  int demo_phase_ = 0;
  int demo_steps_ = 0;
};

}  // namespace talon::preview
