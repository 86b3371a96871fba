#include "fake_keyboard_layout.h"

#include <algorithm>

#include "kb_bridge_abi.h"

namespace talon::test {

namespace {

constexpr std::array<CollectionLayout, 5> kCollections = {{
    {FakeCollection::kBootKeyboard, 0, 0x0001, 0x0006},
    {FakeCollection::kKeys, 1, 0x0001, 0x0006},
    {FakeCollection::kConsumer, 1, KB_CONSUMER_USAGE_PAGE, KB_CONSUMER_USAGE},
    {FakeCollection::kConfig, 1, KB_CONFIG_USAGE_PAGE, KB_CONFIG_USAGE},
    {FakeCollection::kIndicator, 1, KB_INDICATOR_USAGE_PAGE, KB_INDICATOR_USAGE},
}};

// The descriptors are laid out one item (or a few short ones) a line.
// clang-format off

// Interface 0: a boot keyboard, reports unnumbered (modifiers, reserved, six keys).
constexpr std::uint8_t kBootDescriptor[] = {
    0x05, 0x01, 0x09, 0x06, 0xA1, 0x01,              // Generic Desktop, Keyboard, Application
    0x05, 0x07, 0x19, 0xE0, 0x29, 0xE7,              // modifiers E0-E7
    0x15, 0x00, 0x25, 0x01, 0x75, 0x01, 0x95, 0x08,  //   8 bits
    0x81, 0x02,                                      //   Input
    0x95, 0x01, 0x75, 0x08, 0x81, 0x01,              // reserved byte
    0x95, 0x06, 0x75, 0x08, 0x15, 0x00, 0x25, 0x65,  // six keys
    0x19, 0x00, 0x29, 0x65, 0x81, 0x00,              //   Input
    0xC0,
};

// Interface 1: every collection numbers its reports.
constexpr std::uint8_t kSharedDescriptor[] = {
    // Keyboard keys, input report 1: modifiers and a 15-byte key bitmap.
    0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0x85, kKeysReportId,
    0x05, 0x07, 0x19, 0xE0, 0x29, 0xE7, 0x15, 0x00, 0x25, 0x01, 0x75, 0x01, 0x95, 0x08,
    0x81, 0x02,
    0x19, 0x00, 0x29, 0x77, 0x95, 0x78, 0x81, 0x02,
    0xC0,
    // Consumer control, input report 3: one 16-bit usage.
    0x05, 0x0C, 0x09, 0x01, 0xA1, 0x01, 0x85, kConsumerReportId,
    0x15, 0x00, 0x26, 0xFF, 0x0F, 0x19, 0x00, 0x2A, 0xFF, 0x0F, 0x75, 0x10, 0x95, 0x01,
    0x81, 0x00,
    0xC0,
    // Vendor configuration channel, report 4 both ways: 63 bytes.
    0x06, 0x1C, 0xFF, 0x09, 0x92, 0xA1, 0x01, 0x85, kConfigReportId,
    0x15, 0x00, 0x26, 0xFF, 0x00, 0x75, 0x08, 0x95, 0x3F,
    0x09, 0x01, 0x81, 0x02,
    0x09, 0x02, 0x91, 0x02,
    0xC0,
    // Indicator output, report 5: one byte.
    0x05, 0x08, 0x09, 0x89, 0xA1, 0x01, 0x85, kIndicatorReportId,
    0x15, 0x00, 0x26, 0xFF, 0x00, 0x75, 0x08, 0x95, 0x01,
    0x09, 0x01, 0x91, 0x02,
    0xC0,
};

// clang-format on

}  // namespace

const std::array<CollectionLayout, 5>& KeyboardCollections() {
  return kCollections;
}

std::size_t NodeOf(FakeCollection collection) {
  return std::find_if(kCollections.begin(), kCollections.end(),
                      [&](const CollectionLayout& c) { return c.collection == collection; })
      ->node;
}

std::span<const std::uint8_t> NodeDescriptor(std::size_t node) {
  if (node == 0) return kBootDescriptor;
  return kSharedDescriptor;
}

std::optional<FakeCollection> WriteTarget(std::size_t node, std::span<const std::uint8_t> report) {
  if (node != 1 || report.empty()) return std::nullopt;
  if (report[0] == kConfigReportId) return FakeCollection::kConfig;
  if (report[0] == kIndicatorReportId) return FakeCollection::kIndicator;
  return std::nullopt;
}

}  // namespace talon::test
