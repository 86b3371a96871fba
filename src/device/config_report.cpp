#include "device/config_report.h"

#include <algorithm>

#include "platform/little_endian.h"

namespace talon {

std::uint16_t ReportChecksum(std::span<const std::uint8_t, kReportSize> report) {
  std::uint32_t sum = 0;
  for (std::size_t i = report_byte::kCommand; i < kReportSize; ++i) sum += report[i];
  return static_cast<std::uint16_t>(sum);
}

ConfigReport::ConfigReport(std::uint8_t command) {
  bytes_[report_byte::kId] = kReportId;
  bytes_[report_byte::kCommand] = command;
}

void ConfigReport::SetOffset(std::uint16_t offset) {
  PutU16(bytes_, report_byte::kOffset, offset);
}

void ConfigReport::SetPayload(std::span<const std::uint8_t> data) {
  const std::size_t n = std::min(data.size(), kMaxPayload);
  std::copy_n(data.begin(), n, bytes_.begin() + kPayloadOffset);
}

void ConfigReport::Seal() {
  PutU16(bytes_, report_byte::kChecksum, ReportChecksum(bytes_));
}

}  // namespace talon
