#include "consumer_report.h"

#include "byte_order.h"

namespace talon::bridge {

std::uint16_t ParseConsumerCode(std::span<const std::uint8_t> report,
                                std::optional<bool> numbered) {
  const bool leading_id = numbered.value_or(report.size() % 2 == 1);
  return ReadLe16(report, leading_id ? 1 : 0);
}

}  // namespace talon::bridge
