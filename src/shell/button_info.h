// A control's rectangle in a skin file: "x,y,w,h" in the window's client pixels.
#pragma once

#include <optional>
#include <string_view>

namespace talon {

struct ButtonInfo {
  int x = 1;
  int y = 1;
  int w = 1;
  int h = 1;

  // A control at 1,1 is one the skin leaves out; image buttons there are disabled.
  bool IsLeftOut() const { return x == 1 && y == 1; }
  bool operator==(const ButtonInfo&) const = default;
};

// What a missing or malformed value gives: 1,1 with size 1 x 1, i.e. a left-out control.
inline constexpr ButtonInfo kDefaultButtonInfo{1, 1, 1, 1};

// Reads "%d,%d,%d,%d": four decimal integers separated by commas, each with optional leading
// blanks and sign; text after the fourth number is ignored, as the pattern does. nullopt when
// the value is malformed: fewer than four numbers, something else where a number or comma
// belongs, a number outside int, or a negative width or height.
std::optional<ButtonInfo> ParseButtonInfo(std::string_view value);

// The rectangle of a skin value, or kDefaultButtonInfo when it is missing or malformed, so a
// broken skin entry hides its control instead of placing it at random.
ButtonInfo ButtonInfoFromValue(std::optional<std::string_view> value);

}  // namespace talon
