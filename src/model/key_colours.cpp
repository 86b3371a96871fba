#include "model/key_colours.h"

#include <algorithm>

namespace talon {

namespace {

bool Valid(int profile, int led) {
  return profile >= 0 && profile < kLightingProfiles && HasColourSlot(led);
}

std::size_t OffsetOf(int profile, int led) {
  return static_cast<std::size_t>(profile) * kKeyColourProfileBytes +
         static_cast<std::size_t>(led) * 3;
}

}  // namespace

Colour KeyColourTable::Get(int profile, int led) const {
  if (!Valid(profile, led)) return 0;
  const std::size_t at = OffsetOf(profile, led);
  return RgbColour(bytes_[at], bytes_[at + 1], bytes_[at + 2]);
}

void KeyColourTable::Set(int profile, int led, Colour colour) {
  if (!Valid(profile, led)) return;
  const auto rgb = RgbBytes(colour);
  std::copy(rgb.begin(), rgb.end(),
            bytes_.begin() + static_cast<std::ptrdiff_t>(OffsetOf(profile, led)));
}

std::span<const std::uint8_t, kKeyColourProfileBytes> KeyColourTable::Profile(int profile) const {
  const int p = std::clamp(profile, 0, kLightingProfiles - 1);
  return std::span<const std::uint8_t, kKeyColourProfileBytes>(
      bytes_.data() + static_cast<std::size_t>(p) * kKeyColourProfileBytes, kKeyColourProfileBytes);
}

int WriteKeyColours(KeyboardCommands& commands, int slot,
                    std::span<const std::uint8_t, kKeyColourProfileBytes> colours) {
  commands.BeginConfig();
  int result = 0;
  for (std::size_t packet = 0; packet < kKeyColourPackets; ++packet) {
    const std::size_t first_led = packet * kKeyColourPacketLeds;
    std::array<std::uint8_t, kKeyColourPacketLeds * 3> bytes{};
    const std::size_t begin = first_led * 3;
    const std::size_t end = std::min(begin + bytes.size(), colours.size());
    std::copy(colours.begin() + static_cast<std::ptrdiff_t>(begin),
              colours.begin() + static_cast<std::ptrdiff_t>(end), bytes.begin());
    result = commands.WriteKeyColour(static_cast<unsigned>(slot), bytes,
                                     static_cast<unsigned>(first_led));
  }
  commands.EndConfig();
  return result;
}

int WriteKeyColourOne(KeyboardCommands& commands, int slot, int led, Colour colour) {
  if (!HasColourSlot(led)) return 0;
  commands.BeginConfig();
  const auto rgb = RgbBytes(colour);
  const int result =
      commands.WriteKeyColour(static_cast<unsigned>(slot), rgb, static_cast<unsigned>(led));
  commands.EndConfig();
  return result;
}

}  // namespace talon
