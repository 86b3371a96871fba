#pragma once
// Where the key picker shows each key of the key list: the main block, the editing and arrow
// keys and the keypad, as on a full-size keyboard. Positions and sizes are in key widths.
#include <cstdint>
#include <span>

namespace talon {

struct PickerKey {
  std::uint16_t list_code = 0;  // the key's place in the key list (KeyOfListCode)
  float x = 0;
  float y = 0;
  float w = 1;
  float h = 1;
};

// Every key of the key list that has a key, once each.
std::span<const PickerKey> PickerLayout();
// The layout's width and height in key widths.
float PickerLayoutWidth();
float PickerLayoutHeight();

}  // namespace talon
