#include "ui/main/control_ids.h"

#include <array>

namespace talon::ctl {
namespace {

constexpr KeyId kF1Key = 0x03B;
constexpr int kFunctionKeysFirst = 6;  // F1-F6 take the six ids before the D keys

// Button index → control id, built once from the key button order.
const std::array<int, kKeyButtonCount>& IdTable() {
  static const std::array<int, kKeyButtonCount> table = [] {
    std::array<int, kKeyButtonCount> ids{};
    int next = kD1 + 6;
    for (std::size_t i = 0; i < kKeyButtonCount; ++i) {
      const KeyId key = KeyOfButton(i);
      const int f = key - kF1Key;  // F1-F6 are the consecutive scan codes 0x3B-0x40
      if (f >= 0 && f < kFunctionKeysFirst) {
        ids[i] = kF1 + f;
        continue;
      }
      if (next == kSecondEnter) ++next;
      ids[i] = next++;
    }
    return ids;
  }();
  return table;
}

}  // namespace

int ControlIdOfButton(std::size_t index) {
  return index < kKeyButtonCount ? IdTable()[index] : 0;
}

std::optional<std::size_t> ButtonIndexOfControl(int control_id) {
  const auto& ids = IdTable();
  for (std::size_t i = 0; i < ids.size(); ++i) {
    if (ids[i] == control_id) return i;
  }
  return std::nullopt;
}

KeyId KeyOfControl(int control_id) {
  if (const unsigned g = GButtonOfControl(control_id); g != 0) return KeyOfGButton(g);
  const std::optional<std::size_t> index = ButtonIndexOfControl(control_id);
  return index ? KeyOfButton(*index) : 0;
}

int ControlIdOfGButton(unsigned n) {
  if (n >= 1 && n <= 5) return kG1 + static_cast<int>(n) - 1;
  if (n >= 6 && n <= 9) return kG6 + static_cast<int>(n) - 6;
  return 0;
}

unsigned GButtonOfControl(int control_id) {
  if (control_id >= kG1 && control_id < kG1 + 5) return static_cast<unsigned>(control_id - kG1) + 1;
  if (control_id >= kG6 && control_id <= kG9) return static_cast<unsigned>(control_id - kG6) + 6;
  return 0;
}

}  // namespace talon::ctl
