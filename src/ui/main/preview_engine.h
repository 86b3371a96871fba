#pragma once
// The lighting preview's animation, one step every 50 ms: each effect moves its own phase and
// gives every key of the picture a tint. Pure computation; LightingPreview puts the frames on
// the key buttons.
#include <array>

#include "ui/main/preview_frame.h"
#include "ui/main/preview_ripple.h"

namespace talon::preview {

class PreviewEngine {
 public:
  static constexpr int kMaxEffect = 20;

  explicit PreviewEngine(std::uint32_t seed = std::random_device{}()) : ripples_(seed) {}

  // The effect changed: the next step starts a new run (dark ripples, effect 11's phases laid
  // out again). The phases of the other effects carry on.
  void Restart() { started_ = false; }
  // One step of `settings.effect`. False when the effect draws nothing of its own (the user
  // colour effect: the picture shows the painted colours) and the frame is unchanged.
  bool Step(const Settings& settings);
  const Frame& frame() const { return frame_; }

 private:
  int& Phase(int effect) { return phases_[static_cast<std::size_t>(effect)]; }
  // Every key of grid column c (or row r) takes `tint(c)`; a key in two cells takes the later.
  template <class F>
  void PaintColumns(F tint);
  template <class F>
  void PaintRows(F tint);
  void PaintAll(Tint tint);

  void Wave(const Settings& s);       // 1
  void Stream(const Settings& s);     // 2
  void Sweep(const Settings& s);      // 3
  void Cycle(const Settings& s);      // 4
  void Breath(const Settings& s);     // 5
  void Still(const Settings& s);      // 6
  void Wheel();                       // 11
  void Waterfall(const Settings& s);  // 12
  void Shockwave(const Settings& s);  // 18

  std::array<int, kMaxEffect + 1> phases_{};
  std::array<int, kPreviewKeys> wheel_phases_{};  // effect 11, one per key
  bool started_ = false;
  bool wheel_laid_out_ = false;
  RippleEngine ripples_;
  Frame frame_{};
};

}  // namespace talon::preview
