#pragma once
// One user colour mode as its profile's ".userd" file holds it, and the changes the colour tools
// make to a mode, written straight into the file (the one store of the per-key colours):
//
//   [PRESENTMODE] mode=1          the mode the profile has selected
//   [MODENAME]    1=Sunset        the mode's name
//   [Mode1]       tool=0          paint tool 0 (paint colour) or 1 (base colour)
//                 jcolor=0,180,160    base colour, red,green,blue
//                 color=255,255,255   paint colour
//                 61=255,0,0,0        LED 61: red, green, blue, painted with the base colour
//
// A key whose entry is missing or malformed reads red, painted with the base colour.
#include <array>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

#include "model/led_index.h"
#include "model/lighting_block.h"

namespace talon {

struct UserColourEntry {
  Colour colour = 0;
  bool base = false;  // painted with the base colour, so a base colour change recolours it
  friend bool operator==(const UserColourEntry&, const UserColourEntry&) = default;
};

// "r,g,b"; a malformed value reads black.
Colour ParseUserColour(std::string_view text);
std::string FormatUserColour(Colour colour);
// "r,g,b,flag"; a malformed value reads like a missing one.
UserColourEntry ParseUserColourEntry(std::string_view text);
std::string FormatUserColourEntry(const UserColourEntry& entry);

struct UserColourMode {
  std::string name;
  int tool = 0;
  Colour paint = 0;
  Colour base = 0;
  // By LED; only the keys taking part in user colour modes are read, the others stay black.
  std::array<UserColourEntry, kLedSlots> keys{};
};

// The profile's selected mode, 0-3.
int SelectedUserMode(const std::filesystem::path& file);
// Mode 0-3 of the file; a missing file reads as all defaults.
UserColourMode ReadUserColourMode(const std::filesystem::path& file, int mode);

// The paint tool on keys of a mode: each LED's entry becomes the given one. LEDs of keys that
// take no part are left alone. False when the file cannot be read or written (it is then as it
// was).
bool PaintUserColourKeys(const std::filesystem::path& file, int mode,
                         std::span<const std::pair<int, UserColourEntry>> keys);
// A new base colour: stored with the mode's tool and paint colour, and every key painted with
// the base colour takes it. Nothing is written when it equals the mode's base colour already.
bool ChangeUserColourBase(const std::filesystem::path& file, int mode, Colour base);
// Renames the mode; false also for a name the file cannot hold (a line break).
bool RenameUserColourMode(const std::filesystem::path& file, int mode, std::string_view name);

}  // namespace talon
