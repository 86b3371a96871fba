#pragma once
// The 64-byte configuration report of every exchange, request and answer alike:
//   byte 0 report id (4), bytes 1-2 checksum of bytes 3-63, byte 3 command, byte 4 length,
//   bytes 5-6 offset, byte 7 status (0 in a request; 255 and 254 are errors in an answer),
//   bytes 8-63 payload.
// Example: BeginConfig is 04 01 00 01 00 00 00 00 followed by 56 zero bytes.
#include <array>
#include <cstdint>
#include <span>

namespace talon {

inline constexpr std::size_t kReportSize = 64;
inline constexpr std::size_t kPayloadOffset = 8;
inline constexpr std::size_t kMaxPayload = kReportSize - kPayloadOffset;  // 56
inline constexpr std::uint8_t kReportId = 4;
inline constexpr std::uint8_t kErrorStatus255 = 255;
inline constexpr std::uint8_t kErrorStatus254 = 254;

namespace report_byte {
inline constexpr std::size_t kId = 0;
inline constexpr std::size_t kChecksum = 1;
inline constexpr std::size_t kCommand = 3;
inline constexpr std::size_t kLength = 4;
inline constexpr std::size_t kOffset = 5;
inline constexpr std::size_t kStatus = 7;
}  // namespace report_byte

// The 16-bit sum of bytes 3-63, carries dropped.
std::uint16_t ReportChecksum(std::span<const std::uint8_t, kReportSize> report);

// A request under construction. The buffer is zeroed once, when the request is made; later
// chunks of one operation overwrite only what they carry, as the keyboard expects.
class ConfigReport {
 public:
  explicit ConfigReport(std::uint8_t command);

  void SetLength(std::uint8_t length) { bytes_[report_byte::kLength] = length; }
  void SetOffset(std::uint16_t offset);
  // Copies data to the payload (at most 56 bytes are taken).
  void SetPayload(std::span<const std::uint8_t> data);
  // Computes the checksum over bytes 3-63 as they stand.
  void Seal();

  std::uint8_t command() const { return bytes_[report_byte::kCommand]; }
  std::span<const std::uint8_t, kReportSize> bytes() const { return bytes_; }

 private:
  std::array<std::uint8_t, kReportSize> bytes_{};
};

}  // namespace talon
