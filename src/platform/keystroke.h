#pragma once
// Keystrokes in the form the key capture and macro recording were designed for: a Windows
// virtual-key code and the keystroke flags of a keyboard-hook notification.
//
// Flags, bit by bit:
//   0-15  repeat count, always 1
//   16-23 set-1 scan code (the key's KeyId without the extended bit)
//   24    extended key (E0-prefixed); Right Shift and Pause have it clear, Num Lock set
//   29    Alt held
//   30    previous key state: set on auto-repeated presses and on every release
//   31    transition: set on a release
// Example: Home released gives vk 0x24, flags 0xC1470001.
//
// The translation starts from a Linux input key code (evdev; the X11 and Wayland native scan
// code minus 8) and covers every key of the key table, media keys included.
#include <cstdint>
#include <optional>

namespace talon {

struct Keystroke {
  std::uint8_t vk = 0;
  std::uint32_t flags = 0;
  friend bool operator==(const Keystroke&, const Keystroke&) = default;
};

// What the keystroke's meaning depends on besides the key.
struct KeystrokeContext {
  bool num_lock = true;  // keypad keys give the number codes (VK_NUMPAD7) when on, else Home...
  bool ctrl = false;     // Ctrl + Pause is Break
  bool alt = false;      // Alt + Print Screen is Sys Req
  bool release = false;
  bool repeat = false;  // an auto-repeated press
};

namespace keystroke_flags {
inline constexpr std::uint32_t kRepeatCountOne = 1u;
inline constexpr std::uint32_t kExtended = 1u << 24;
inline constexpr std::uint32_t kAltDown = 1u << 29;
inline constexpr std::uint32_t kPreviousDown = 1u << 30;
inline constexpr std::uint32_t kRelease = 1u << 31;
}  // namespace keystroke_flags

// Builds the flags of a key with `scan_code` (0x100 set for extended keys).
std::uint32_t MakeKeystrokeFlags(std::uint16_t scan_code, const KeystrokeContext& context);

// Scan code with the extended bit as 0x100: bits 16-24 of the flags.
constexpr std::uint16_t ScanCodeOfFlags(std::uint32_t flags) {
  return static_cast<std::uint16_t>((flags >> 16) & 0x1FF);
}
constexpr bool IsReleaseFlags(std::uint32_t flags) {
  return (flags & keystroke_flags::kRelease) != 0;
}
constexpr bool IsRepeatFlags(std::uint32_t flags) {
  return !IsReleaseFlags(flags) && (flags & keystroke_flags::kPreviousDown) != 0;
}

// nullopt for a key code the program has no key for.
std::optional<Keystroke> KeystrokeOfKeyCode(unsigned key_code, const KeystrokeContext& context);

// True for the keypad keys whose virtual-key code follows Num Lock.
bool IsNumLockDependentKeyCode(unsigned key_code);

}  // namespace talon
