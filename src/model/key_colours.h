#pragma once
// Per-key colours of the user colour effect: what the program last sent for each profile's
// selected mode, and the writes that send them.
#include <array>
#include <cstdint>
#include <span>

#include "device/keyboard_commands.h"
#include "model/led_index.h"
#include "model/lighting_block.h"

namespace talon {

inline constexpr std::size_t kKeyColourProfileBytes = kLedSlots * 3;  // 420
inline constexpr std::size_t kKeyColourPacketLeds = 18;
inline constexpr std::size_t kKeyColourPackets = 8;  // 8 x 18 = 144 LEDs: 140 real, 4 unused

class KeyColourTable {
 public:
  // Out-of-range profiles or LEDs read black and write nothing.
  Colour Get(int profile, int led) const;
  void Set(int profile, int led, Colour colour);
  std::span<const std::uint8_t, kKeyColourProfileBytes> Profile(int profile) const;

 private:
  std::array<std::uint8_t, kLightingProfiles * kKeyColourProfileBytes> bytes_{};
};

// A profile's colours into colour slot `slot`: eight packets of 18 LEDs (54 bytes) at LED 0,
// 18, ..., 126 in one configuration bracket. The last packet's LEDs 140-143 do not exist and
// are sent black. Returns the result of the last colour write.
int WriteKeyColours(KeyboardCommands& commands, int slot,
                    std::span<const std::uint8_t, kKeyColourProfileBytes> colours);
// One LED's colour into colour slot `slot`, in a bracket of its own.
int WriteKeyColourOne(KeyboardCommands& commands, int slot, int led, Colour colour);

}  // namespace talon
