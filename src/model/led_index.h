#pragma once
// The keyboard numbers its LEDs row x 20 + column: 140 colour slots in six rows of 20.
#include "model/key_table.h"

namespace talon {

inline constexpr int kLedSlots = 140;
inline constexpr int kNoLed = 255;  // G6-G9 have no LED
inline constexpr int kFnLed = 111;  // the Fn key has a LED but no KeyId
inline constexpr int kRightWinLed = 199;

// The LED of a key of the keyboard picture: 0-139, 199 for the right Win key (outside the
// colour table), or -1 for keys that are not in the picture.
int LedIndexOfKey(KeyId key);
// The LED of G key n (1-9): G1-G5 have one, G6-G9 give kNoLed.
int LedIndexOfGKey(unsigned n);
// Only LEDs 0-139 have a place in a colour slot. The right Win key's 199 would land in the next
// mode's slot, so it takes no part in per-key colours.
inline bool HasColourSlot(int led) {
  return led >= 0 && led < kLedSlots;
}

}  // namespace talon
