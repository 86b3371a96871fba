#include "ui/main/keyboard_view.h"

#include <cstdio>
#include <string>

#include "ui/editors/key_tooltips.h"
#include "ui/main/control_ids.h"
#include "ui/skin/png_button.h"

namespace talon {
namespace {

constexpr int kFlipKeys = 4;  // F1-F4 give way to the D keys

std::string KeySkinName(KeyId key) {
  char name[16];
  std::snprintf(name, sizeof name, "KEY_%03X", static_cast<unsigned>(SlotOfKey(key)));
  return name;
}

CPngButton* MakeButton(QWidget& window, const CIniFile& skin, const std::string& skin_key,
                       const FaceSet& faces, int id) {
  auto* button = new CPngButton(&window);
  PlaceImageButton(*button, skin, skin_key, faces, id);
  return button;
}

}  // namespace

void KeyboardView::Place(QWidget& window, const CIniFile& skin, const MainFaces& faces) {
  const FaceSet key_faces = faces.Keys();
  for (unsigned n = 1; n <= kGKeyCount; ++n) {
    g_[n - 1] = MakeButton(window, skin, "FUNC_G" + std::to_string(n), key_faces,
                           ctl::ControlIdOfGButton(n));
  }
  for (std::size_t i = 0; i < kKeyButtonCount; ++i) {
    keys_[i] =
        MakeButton(window, skin, KeySkinName(KeyOfButton(i)), key_faces, ctl::ControlIdOfButton(i));
  }
  for (int i = 0; i < kDKeys; ++i) {
    d_[i] = MakeButton(window, skin, "FUNC_D" + std::to_string(i + 1), key_faces, ctl::kD1 + i);
  }
  fn_ = MakeButton(window, skin, "KEY_FN", key_faces, ctl::kFn);
}

CPngButton* KeyboardView::Button(int control_id) const {
  if (const unsigned g = ctl::GButtonOfControl(control_id); g != 0) return g_[g - 1];
  if (control_id == ctl::kFn) return fn_;
  if (control_id >= ctl::kD1 && control_id < ctl::kD1 + kDKeys) return d_[control_id - ctl::kD1];
  const std::optional<std::size_t> index = ctl::ButtonIndexOfControl(control_id);
  return index ? keys_[*index] : nullptr;
}

void KeyboardView::ApplyFlip(int flip) {
  for (int i = 0; i < kFlipKeys; ++i) {
    if (CPngButton* key = Button(ctl::kF1 + i)) key->setEnabled(flip == 0);
  }
  for (CPngButton* key : d_) {
    if (key != nullptr) key->setEnabled(flip == 1);
  }
}

void KeyboardView::ShowGBank(bool bank_b, const MainFaces& faces) {
  const FaceSet lit = faces.With(bank_b ? faces.colour1 : faces.colour0);
  for (CPngButton* g : g_) {
    if (g != nullptr) g->ReplaceFaces(lit.normal, lit.hover, lit.pressed, lit.disabled, lit.other);
  }
}

void KeyboardView::ShowRecords(std::span<const KeyRecord, kSlotsPerProfile> records,
                               const GBank& bank, std::span<const MacroRecord> macros,
                               const TextLookup& texts) {
  ShowGRecords(records, bank, macros, texts);
  for (std::size_t i = 0; i < kKeyButtonCount; ++i) {
    if (keys_[i] == nullptr) continue;
    const KeyId key = KeyOfButton(i);
    SetKeyTooltip(*keys_[i], key, records[SlotOfKey(key)], macros, texts);
  }
}

void KeyboardView::ShowGRecords(std::span<const KeyRecord, kSlotsPerProfile> records,
                                const GBank& bank, std::span<const MacroRecord> macros,
                                const TextLookup& texts) {
  for (unsigned n = 1; n <= kGKeyCount; ++n) {
    if (g_[n - 1] != nullptr)
      SetGTooltip(*g_[n - 1], n, records[bank.SlotOfGButton(n)], macros, texts);
  }
}

void KeyboardView::ShowRecord(KeySlot slot, const KeyRecord& record, const GBank& bank,
                              std::span<const MacroRecord> macros, const TextLookup& texts) {
  for (unsigned n = 1; n <= kGKeyCount; ++n) {
    if (bank.SlotOfGButton(n) == slot && g_[n - 1] != nullptr) {
      return SetGTooltip(*g_[n - 1], n, record, macros, texts);
    }
  }
  if (slot >= kKeyTableRows) return;
  for (std::size_t i = 0; i < kKeyButtonCount; ++i) {
    const KeyId key = KeyOfButton(i);
    if (SlotOfKey(key) == slot && keys_[i] != nullptr) {
      return SetKeyTooltip(*keys_[i], key, record, macros, texts);
    }
  }
}

void KeyboardView::RedrawAll() {
  for (CPngButton* b : keys_) {
    if (b != nullptr) b->Redraw();
  }
  for (CPngButton* b : g_) {
    if (b != nullptr) b->Redraw();
  }
  for (CPngButton* b : d_) {
    if (b != nullptr) b->Redraw();
  }
  if (fn_ != nullptr) fn_->Redraw();
}

}  // namespace talon
