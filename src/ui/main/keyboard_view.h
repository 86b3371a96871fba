#pragma once
// The keyboard picture of the main window: one image button per key (104), the nine G keys, Fn
// and the six D keys, placed from the main skin file and wired to the window by control id.
// It shows each key's assignment (mark and tooltip), which keys Flip enables, and the G bank.
#include <array>
#include <span>

#include "model/g_bank.h"
#include "model/key_record.h"
#include "model/macro_record.h"
#include "platform/text_lookup.h"
#include "shell/skin_ini_file.h"
#include "ui/main/main_faces.h"

class QWidget;

namespace talon {

class CPngButton;

class KeyboardView {
 public:
  static constexpr int kDKeys = 6;

  KeyboardView() = default;
  KeyboardView(const KeyboardView&) = delete;
  KeyboardView& operator=(const KeyboardView&) = delete;

  // Makes the buttons as children of `window` and places them; a key the skin leaves out is
  // disabled.
  void Place(QWidget& window, const CIniFile& skin, const MainFaces& faces);

  // The key, G, Fn or D button with this control id; null for any other id.
  CPngButton* Button(int control_id) const;
  CPngButton& KeyButton(std::size_t index) const { return *keys_[index]; }
  CPngButton& GButton(unsigned n) const { return *g_[n - 1]; }

  // Flip 1 enables D1-D6 and disables F1-F4; Flip 0 the other way round; any other value
  // disables both groups.
  void ApplyFlip(int flip);
  // The G keys wear the lit look of the selected bank.
  void ShowGBank(bool bank_b, const MainFaces& faces);

  // Marks and tooltips of every key and G button from one profile's records (the G buttons
  // from the selected bank's slots).
  void ShowRecords(std::span<const KeyRecord, kSlotsPerProfile> records, const GBank& bank,
                   std::span<const MacroRecord> macros, const TextLookup& texts);
  // The G buttons only.
  void ShowGRecords(std::span<const KeyRecord, kSlotsPerProfile> records, const GBank& bank,
                    std::span<const MacroRecord> macros, const TextLookup& texts);
  // The button showing record `slot` (a key's slot, or a G slot of the selected bank) shows
  // `record`; nothing when no button shows that slot.
  void ShowRecord(KeySlot slot, const KeyRecord& record, const GBank& bank,
                  std::span<const MacroRecord> macros, const TextLookup& texts);
  void RedrawAll();

 private:
  std::array<CPngButton*, kKeyButtonCount> keys_{};
  std::array<CPngButton*, kGKeyCount> g_{};
  std::array<CPngButton*, kDKeys> d_{};
  CPngButton* fn_ = nullptr;
};

}  // namespace talon
