#pragma once
// The lighting preview on the key picture: puts each step of the animation on the key buttons as
// their tint, and tints keys by LED for the user colour effect. A button is repainted only when
// its tint changes, so a still effect costs nothing after its first step.
#include <array>

#include "model/led_index.h"
#include "ui/main/preview_engine.h"

namespace talon {

class CPngButton;
class KeyboardView;

class LightingPreview {
 public:
  // How strongly a tint washes over a key's face (0-100).
  static constexpr int kTintStrength = 50;

  explicit LightingPreview(KeyboardView& keys, std::uint32_t seed = std::random_device{}());

  // Finds the key buttons; once, after the key picture is placed.
  void Attach();
  // The effect changed: the next step starts the animation again.
  void Restart() { engine_.Restart(); }
  // One step of the effect; nothing is drawn for the user colour effect.
  void Step(const preview::Settings& settings);
  // Every key of the picture shows its face without a tint.
  void ClearAll();
  // The key with this LED (0-139) shows `colour`; nothing for LEDs without a key.
  void TintLed(int led, Colour colour);

  // The LED of a key button, G button or Fn; -1 for any other control.
  static int LedOfControl(int control_id);
  // The button of a preview key (its SpiralOrder index).
  CPngButton* PreviewButton(int key) const { return buttons_[static_cast<std::size_t>(key)]; }
  const preview::PreviewEngine& engine() const { return engine_; }

 private:
  static void SetTint(CPngButton* button, const preview::Tint& tint);
  void Show(const preview::Frame& frame);

  KeyboardView& keys_;
  preview::PreviewEngine engine_;
  std::array<CPngButton*, preview::kPreviewKeys> buttons_{};
  std::array<CPngButton*, kLedSlots> led_buttons_{};
  bool stepping_ = false;
};

}  // namespace talon
