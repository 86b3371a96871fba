#include "input_filter.h"

#include <algorithm>

namespace talon::bridge {

InputFilter::InputFilter(const ReportDescriptor& descriptor, const MatchRecord& record,
                         std::uint16_t vendor_id, std::uint16_t product_id)
    : numbered_(descriptor.numbered) {
  for (const TopLevelCollection& c : descriptor.collections) {
    if (!record.Matches(DeviceIds{vendor_id, product_id, c.usage_page, c.usage})) continue;
    report_ids_.insert(report_ids_.end(), c.input_report_ids.begin(), c.input_report_ids.end());
  }
}

bool InputFilter::Accepts(std::span<const std::uint8_t> report) const {
  // Unnumbered reports all belong to the node's one collection.
  if (!numbered_.value_or(false)) return true;
  return !report.empty() &&
         std::find(report_ids_.begin(), report_ids_.end(), report[0]) != report_ids_.end();
}

}  // namespace talon::bridge
