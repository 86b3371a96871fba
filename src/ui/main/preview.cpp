#include "ui/main/preview.h"

#include <QRegion>

#include <vector>

#include "ui/main/control_ids.h"
#include "ui/main/keyboard_view.h"
#include "ui/skin/png_button.h"

namespace talon {
namespace {

int ControlIdOfKey(KeyId key) {
  if (key == preview::kFnKey) return ctl::kFn;
  if (key > key::kGKeyBase && key <= key::kGKeyBase + kGKeyCount) {
    return ctl::ControlIdOfGButton(static_cast<unsigned>(key - key::kGKeyBase));
  }
  for (std::size_t i = 0; i < kKeyButtonCount; ++i) {
    const KeyId button_key = KeyOfButton(i);
    if (button_key == key || (button_key == key::kRightShiftExtended && key == key::kRightShift)) {
      return ctl::ControlIdOfButton(i);
    }
  }
  return 0;
}

}  // namespace

LightingPreview::LightingPreview(KeyboardView& keys, std::uint32_t seed)
    : keys_(keys), engine_(seed) {}

void LightingPreview::Attach() {
  const auto& spiral = preview::SpiralOrder();
  for (std::size_t n = 0; n < spiral.size(); ++n) {
    const int id = ControlIdOfKey(spiral[n]);
    buttons_[n] = keys_.Button(id);
    const int led = LedOfControl(id);
    if (HasColourSlot(led)) led_buttons_[static_cast<std::size_t>(led)] = buttons_[n];
  }
}

int LightingPreview::LedOfControl(int control_id) {
  if (control_id == ctl::kFn) return kFnLed;
  if (const unsigned g = ctl::GButtonOfControl(control_id); g != 0) return LedIndexOfGKey(g);
  if (!ctl::ButtonIndexOfControl(control_id)) return -1;
  return LedIndexOfKey(ctl::KeyOfControl(control_id));
}

void LightingPreview::SetTint(CPngButton* button, const preview::Tint& tint) {
  // The button itself repaints only when what it shows changes.
  if (button != nullptr) button->SetOutline(tint.colour, kTintStrength, tint.on);
}

void LightingPreview::Step(const preview::Settings& settings) {
  // A step never waits for anything, but a paint it causes must not start another.
  if (stepping_) return;
  stepping_ = true;
  if (engine_.Step(settings)) Show(engine_.frame());
  stepping_ = false;
}

void LightingPreview::Show(const preview::Frame& frame) {
  std::vector<QRect> changed;
  changed.reserve(frame.size());
  QWidget* window = nullptr;
  for (std::size_t n = 0; n < frame.size(); ++n) {
    CPngButton* button = buttons_[n];
    if (button == nullptr) continue;
    if (button->SetOutline(frame[n].colour, kTintStrength, frame[n].on, false)) {
      changed.push_back(button->geometry());
      window = button->parentWidget();
    }
  }
  // The changed keys are repainted together, as one region of the window: asked key by key,
  // the window would merge a hundred regions and clip each to its outline, every step.
  if (window == nullptr) return;
  QRegion region;
  region.setRects(changed.data(), static_cast<int>(changed.size()));
  window->update(region);
}

void LightingPreview::ClearAll() {
  const preview::Tint none{};
  for (std::size_t i = 0; i < kKeyButtonCount; ++i) SetTint(&keys_.KeyButton(i), none);
  for (unsigned n = 1; n <= kGKeyCount; ++n) SetTint(&keys_.GButton(n), none);
  SetTint(keys_.Button(ctl::kFn), none);
  for (int i = 0; i < KeyboardView::kDKeys; ++i) SetTint(keys_.Button(ctl::kD1 + i), none);
}

void LightingPreview::TintLed(int led, Colour colour) {
  if (!HasColourSlot(led)) return;
  SetTint(led_buttons_[static_cast<std::size_t>(led)], {true, colour});
}

}  // namespace talon
