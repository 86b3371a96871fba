#pragma once
// Which input reports read from a hidraw node a stream takes: those of the collections its
// match record names, told apart by report id when the node's descriptor numbers its reports.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "match_record.h"
#include "report_descriptor.h"

namespace talon::bridge {

class InputFilter {
 public:
  // Takes every report: the node's descriptor could not be read.
  InputFilter() = default;
  // `vendor_id` and `product_id` are the node's device's.
  InputFilter(const ReportDescriptor& descriptor, const MatchRecord& record,
              std::uint16_t vendor_id, std::uint16_t product_id);

  bool Accepts(std::span<const std::uint8_t> report) const;
  // Whether each report starts with its report id; unknown without a descriptor.
  std::optional<bool> numbered() const { return numbered_; }

 private:
  std::optional<bool> numbered_;
  std::vector<std::uint8_t> report_ids_;  // numbered: the ids taken
};

}  // namespace talon::bridge
