#pragma once
// Reads the 16-bit consumer code out of a report of the keyboard's consumer collection.
//
// The report carries one 16-bit usage, little-endian. When the collection's node numbers its
// reports (its descriptor has Report ID items), hidraw hands the report id over as byte 0 and
// the usage follows:
//   numbered:    03 FF 02 -> 0x02FF   (report id 3, the G-bank key)
//   unnumbered:  FF 02    -> 0x02FF
//   numbered:    03 00 00 -> 0        (key released)
// Without the descriptor (`numbered` unknown) the report id is guessed: usages come in pairs of
// bytes, so an odd length means a report id leads. A report too short to hold a usage reads as
// 0, the same as "no key".
#include <cstdint>
#include <optional>
#include <span>

namespace talon::bridge {

std::uint16_t ParseConsumerCode(std::span<const std::uint8_t> report, std::optional<bool> numbered);

}  // namespace talon::bridge
