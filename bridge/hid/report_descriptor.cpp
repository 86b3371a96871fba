#include "report_descriptor.h"

#include <algorithm>
#include <cstdint>

namespace talon::bridge {

namespace {

// Item types and tags of the short items that matter here (HID 1.11, 6.2.2).
constexpr std::uint8_t kTypeMain = 0;
constexpr std::uint8_t kTypeGlobal = 1;
constexpr std::uint8_t kTypeLocal = 2;
constexpr std::uint8_t kMainInput = 0x8;
constexpr std::uint8_t kMainCollection = 0xA;
constexpr std::uint8_t kMainEndCollection = 0xC;
constexpr std::uint8_t kGlobalUsagePage = 0x0;
constexpr std::uint8_t kGlobalReportId = 0x8;
constexpr std::uint8_t kGlobalPush = 0xA;
constexpr std::uint8_t kGlobalPop = 0xB;
constexpr std::uint8_t kLocalUsage = 0x0;
constexpr std::uint8_t kLongItem = 0xFE;

// Deeper than any real device goes; a deeper one is not a descriptor we can trust.
constexpr std::size_t kMaxDepth = 32;
constexpr std::size_t kMaxGlobalStack = 32;

struct Globals {
  std::uint16_t usage_page = 0;
  std::uint8_t report_id = 0;
};

std::uint32_t ItemData(std::span<const std::uint8_t> bytes, std::size_t at, std::size_t size) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < size; ++i)
    value |= static_cast<std::uint32_t>(bytes[at + i]) << (8 * i);
  return value;
}

}  // namespace

std::optional<ReportDescriptor> ReportDescriptor::Parse(std::span<const std::uint8_t> bytes) {
  ReportDescriptor descriptor;
  Globals globals;
  std::vector<Globals> global_stack;
  bool has_usage = false;
  std::uint32_t first_usage = 0;  // the local state's first Usage, 32-bit form
  std::size_t depth = 0;
  constexpr std::size_t kNone = SIZE_MAX;
  std::size_t current = kNone;  // the top-level collection being read

  std::size_t at = 0;
  while (at < bytes.size()) {
    const std::uint8_t prefix = bytes[at++];
    if (prefix == kLongItem) {  // long items carry nothing we read: skip them whole
      if (at + 2 > bytes.size()) return std::nullopt;
      const std::size_t size = bytes[at];
      at += 2;
      if (at + size > bytes.size()) return std::nullopt;
      at += size;
      continue;
    }
    const std::size_t size = (prefix & 0x03) == 3 ? 4 : (prefix & 0x03);
    const std::uint8_t type = (prefix >> 2) & 0x03;
    const std::uint8_t tag = prefix >> 4;
    if (at + size > bytes.size()) return std::nullopt;
    const std::uint32_t data = ItemData(bytes, at, size);
    at += size;

    if (type == kTypeGlobal) {
      if (tag == kGlobalUsagePage) globals.usage_page = static_cast<std::uint16_t>(data);
      if (tag == kGlobalReportId) {
        globals.report_id = static_cast<std::uint8_t>(data);
        descriptor.numbered = true;
      }
      if (tag == kGlobalPush) {
        if (global_stack.size() == kMaxGlobalStack) return std::nullopt;
        global_stack.push_back(globals);
      }
      if (tag == kGlobalPop && !global_stack.empty()) {
        globals = global_stack.back();
        global_stack.pop_back();
      }
    } else if (type == kTypeLocal) {
      // A 4-byte usage carries its own page in the high half.
      if (tag == kLocalUsage && !has_usage) {
        has_usage = true;
        first_usage =
            size == 4 ? data : (std::uint32_t{globals.usage_page} << 16) | (data & 0xFFFF);
      }
    } else if (type == kTypeMain) {
      if (tag == kMainCollection) {
        if (depth == kMaxDepth) return std::nullopt;
        if (depth == 0) {
          const std::uint32_t usage =
              has_usage ? first_usage : std::uint32_t{globals.usage_page} << 16;
          current = descriptor.collections.size();
          descriptor.collections.push_back(
              {static_cast<std::uint16_t>(usage >> 16), static_cast<std::uint16_t>(usage), {}});
        }
        ++depth;
      } else if (tag == kMainEndCollection) {
        if (depth > 0 && --depth == 0) current = kNone;
      } else if (tag == kMainInput && current != kNone) {
        auto& ids = descriptor.collections[current].input_report_ids;
        if (std::find(ids.begin(), ids.end(), globals.report_id) == ids.end()) {
          ids.push_back(globals.report_id);
        }
      }
      has_usage = false;  // locals end with every main item
    }
  }
  return descriptor;
}

}  // namespace talon::bridge
