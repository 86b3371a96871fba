#include "ui/editors/key_picker_layout.h"

#include <vector>

namespace talon {
namespace {

constexpr float kRowGap = 0.5f;    // between the function row and the rest
constexpr float kBlockGap = 0.5f;  // between the main block, the editing keys and the keypad
constexpr float kNavX = 15 + kBlockGap;
constexpr float kPadX = kNavX + 3 + kBlockGap;

// Places keys one after another along a row.
class Row {
 public:
  Row(std::vector<PickerKey>& keys, float y) : keys_(keys), y_(y) {}
  Row& Key(std::uint16_t code, float w = 1) {
    keys_.push_back({code, x_, y_, w, 1});
    x_ += w;
    return *this;
  }
  Row& Keys(std::uint16_t first, std::uint16_t last) {
    for (std::uint16_t code = first; code <= last; ++code) Key(code);
    return *this;
  }
  Row& Gap(float w) {
    x_ += w;
    return *this;
  }
  Row& At(float x) {
    x_ = x;
    return *this;
  }

 private:
  std::vector<PickerKey>& keys_;
  float y_;
  float x_ = 0;
};

std::vector<PickerKey> BuildLayout() {
  std::vector<PickerKey> k;
  const float r1 = 1 + kRowGap;
  // Function row; Break (Ctrl + Pause) sits above the keypad.
  Row(k, 0)
      .Key(37)
      .Gap(1)
      .Keys(52, 55)
      .Gap(0.5f)
      .Keys(56, 59)
      .Gap(0.5f)
      .Keys(60, 63)
      .At(kNavX)
      .Key(64)
      .Key(77)
      .Key(65)
      .At(kPadX)
      .Key(66);
  // Digits.
  Row(k, r1)
      .Key(48)
      .Keys(26, 35)
      .Key(41)
      .Key(42)
      .Key(38, 2)
      .At(kNavX)
      .Key(67)
      .Key(69)
      .Key(71)
      .At(kPadX)
      .Key(79)
      .Key(80)
      .Key(81)
      .Key(82);
  // Q row: Q W E R T Y U I O P.
  Row(k, r1 + 1)
      .Key(39, 1.5f)
      .Key(16)
      .Key(22)
      .Key(4)
      .Key(17)
      .Key(19)
      .Key(24)
      .Key(20)
      .Key(8)
      .Key(14)
      .Key(15)
      .Key(43)
      .Key(44)
      .Key(45, 1.5f)
      .At(kNavX)
      .Key(68)
      .Key(70)
      .Key(72)
      .At(kPadX)
      .Keys(91, 93);
  k.push_back({83, kPadX + 3, r1 + 1, 1, 2});  // keypad +
  // A row: A S D F G H J K L.
  Row(k, r1 + 2)
      .Key(78, 1.75f)
      .Key(0)
      .Key(18)
      .Key(3)
      .Key(5)
      .Key(6)
      .Key(7)
      .Key(9)
      .Key(10)
      .Key(11)
      .Key(46)
      .Key(47)
      .Key(36, 2.25f)
      .At(kPadX)
      .Keys(88, 90);
  // Z row: Z X C V B N M.
  Row(k, r1 + 3)
      .Key(99, 2.25f)
      .Key(25)
      .Key(23)
      .Key(2)
      .Key(21)
      .Key(1)
      .Key(13)
      .Key(12)
      .Key(49)
      .Key(50)
      .Key(51)
      .Key(103, 2.75f)
      .At(kNavX + 1)
      .Key(73)
      .At(kPadX)
      .Keys(85, 87);
  k.push_back({84, kPadX + 3, r1 + 3, 1, 2});  // keypad Enter
  // Bottom row.
  Row(k, r1 + 4)
      .Key(98, 1.25f)
      .Key(101, 1.25f)
      .Key(100, 1.25f)
      .Key(40, 6.25f)
      .Key(104, 1.25f)
      .Key(105, 1.25f)
      .Key(97, 1.25f)
      .Key(102, 1.25f)
      .At(kNavX)
      .Key(75)
      .Key(74)
      .Key(76)
      .At(kPadX)
      .Key(94, 2)
      .Key(95);
  return k;
}

const std::vector<PickerKey>& Layout() {
  static const std::vector<PickerKey> layout = BuildLayout();
  return layout;
}

}  // namespace

std::span<const PickerKey> PickerLayout() {
  return Layout();
}

float PickerLayoutWidth() {
  return kPadX + 4;
}

float PickerLayoutHeight() {
  return 6 + kRowGap;
}

}  // namespace talon
