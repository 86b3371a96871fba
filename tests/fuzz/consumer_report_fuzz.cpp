// The hidapi library's reading of input reports from a shared node, over any report descriptor
// and report: the descriptor parser, the filter built from it for the consumer collection, and
// the consumer code parser. The first byte tells how the rest splits: its value is the length of
// the report that ends the input; the descriptor comes before it.
#include <cstddef>
#include <cstdint>
#include <span>

#include "consumer_report.h"
#include "fuzz_support.h"
#include "input_filter.h"
#include "kb_bridge_abi.h"
#include "report_descriptor.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace talon::bridge;
  if (size < 1) return 0;
  const std::span<const std::uint8_t> input(data + 1, size - 1);
  const std::size_t report_size = std::min<std::size_t>(data[0], input.size());
  const auto descriptor_bytes = input.first(input.size() - report_size);
  const auto report = input.last(report_size);

  const auto descriptor = ReportDescriptor::Parse(descriptor_bytes);
  const MatchRecord consumer{KB_MATCH_ALL_FIELDS, KB_VENDOR_ID, KB_PRODUCT_ID,
                             KB_CONSUMER_USAGE_PAGE, KB_CONSUMER_USAGE};
  const InputFilter filter =
      descriptor ? InputFilter(*descriptor, consumer, KB_VENDOR_ID, KB_PRODUCT_ID) : InputFilter();
  if (descriptor) {
    for (const TopLevelCollection& c : descriptor->collections) {
      talon::fuzz::Require(c.input_report_ids.size() <= 256, "report ids repeat");
    }
  }
  const bool taken = filter.Accepts(report);
  if (taken && filter.numbered().value_or(false)) {
    talon::fuzz::Require(!report.empty(), "an empty report taken by a numbered filter");
  }
  (void)ParseConsumerCode(report, filter.numbered());
  return 0;
}
