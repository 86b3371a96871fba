#include "consumer_report.h"

#include "byte_order.h"

namespace talon::bridge {

std::uint16_t ParseConsumerCode(std::span<const std::uint8_t> report) {
  const std::size_t usage_offset = report.size() % 2 == 1 ? 1 : 0;
  return ReadLe16(report, usage_offset);
}

}  // namespace talon::bridge
