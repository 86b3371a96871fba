#pragma once
// Little-endian field access on byte buffers. Every accessor checks the range: a read outside
// the buffer gives 0 and a write outside it does nothing, so a short or malformed buffer can
// never be read or written past its end.
#include <cstddef>
#include <cstdint>
#include <span>

namespace talon {

inline bool InRange(std::span<const std::uint8_t> bytes, std::size_t offset, std::size_t width) {
  return offset <= bytes.size() && width <= bytes.size() - offset;
}

inline std::uint8_t GetU8(std::span<const std::uint8_t> bytes, std::size_t offset) {
  return InRange(bytes, offset, 1) ? bytes[offset] : 0;
}

inline std::uint16_t GetU16(std::span<const std::uint8_t> bytes, std::size_t offset) {
  if (!InRange(bytes, offset, 2)) return 0;
  return static_cast<std::uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

inline std::uint32_t GetU32(std::span<const std::uint8_t> bytes, std::size_t offset) {
  if (!InRange(bytes, offset, 4)) return 0;
  return static_cast<std::uint32_t>(bytes[offset]) |
         (static_cast<std::uint32_t>(bytes[offset + 1]) << 8) |
         (static_cast<std::uint32_t>(bytes[offset + 2]) << 16) |
         (static_cast<std::uint32_t>(bytes[offset + 3]) << 24);
}

inline void PutU8(std::span<std::uint8_t> bytes, std::size_t offset, std::uint8_t value) {
  if (InRange(bytes, offset, 1)) bytes[offset] = value;
}

inline void PutU16(std::span<std::uint8_t> bytes, std::size_t offset, std::uint16_t value) {
  if (!InRange(bytes, offset, 2)) return;
  bytes[offset] = static_cast<std::uint8_t>(value);
  bytes[offset + 1] = static_cast<std::uint8_t>(value >> 8);
}

inline void PutU32(std::span<std::uint8_t> bytes, std::size_t offset, std::uint32_t value) {
  if (!InRange(bytes, offset, 4)) return;
  for (std::size_t i = 0; i < 4; ++i)
    bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

}  // namespace talon
