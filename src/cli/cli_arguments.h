#pragma once
// The options a sub-command may take, anywhere among its arguments ("--" ends them), and the
// profile number most commands start with.
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/lighting_block.h"

namespace talon::cli {

namespace option {
inline constexpr unsigned kJson = 1u << 0;    // --json
inline constexpr unsigned kBank = 1u << 1;    // --bank a|b
inline constexpr unsigned kRepeat = 1u << 2;  // --repeat N (1-255)
inline constexpr unsigned kForce = 1u << 3;   // --force
}  // namespace option

struct CliArguments {
  std::vector<std::string> positional;
  bool json = false;
  bool bank_b = false;
  bool force = false;
  std::optional<int> repeat;
};

// Options outside `allowed`, or with a bad value, are refused: the reason is printed and nothing
// is returned.
std::optional<CliArguments> ParseArguments(std::span<const std::string> args, unsigned allowed);

// An on-board profile the keyboard can make active: 0, 1 or 2.
inline constexpr int kOnBoardProfiles = 3;
std::optional<int> ParseProfileNumber(std::string_view text);
// ASCII letters in lower case; macro names and action kinds compare so.
std::string AsciiLower(std::string_view text);
// "#rrggbb".
std::optional<Colour> ParseHexColour(std::string_view text);
// A whole decimal number in [low, high].
std::optional<int> ParseNumberIn(std::string_view text, int low, int high);

}  // namespace talon::cli
