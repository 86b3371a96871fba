#pragma once
// The parts of a HID report descriptor that tell which top-level collection an input report
// belongs to. On Linux every collection of one USB interface shares one hidraw node, and every
// handle open on it reads every input report of every collection; when the descriptor numbers
// its reports, byte 0 of each report is its report id, which names the collection.
//
// Example: the keyboard's second interface, shortened to the items that matter here:
//   05 01 09 06 A1 01 85 01 .. 81 02 C0   Generic Desktop / Keyboard: input report 1
//   05 0C 09 01 A1 01 85 03 .. 81 00 C0   Consumer / Consumer Control: input report 3
//   06 1C FF 09 92 A1 01 85 04 .. 81 02 .. 91 02 C0   vendor channel: input and output report 4
// A report read as 03 FF 02 belongs to the consumer collection; 04 ... to the vendor channel.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace talon::bridge {

struct TopLevelCollection {
  std::uint16_t usage_page = 0;
  std::uint16_t usage = 0;
  std::vector<std::uint8_t> input_report_ids;  // without repeats; 0 = unnumbered
};

struct ReportDescriptor {
  bool numbered = false;  // a Report ID item occurs: every report starts with its id
  std::vector<TopLevelCollection> collections;

  // nullopt for a descriptor that is cut short or nests its items impossibly deep.
  static std::optional<ReportDescriptor> Parse(std::span<const std::uint8_t> bytes);
};

}  // namespace talon::bridge
