#include "collection.h"

#include "kb_bridge_abi.h"

namespace talon::vkb {

namespace {

std::uint32_t U16At(const std::uint8_t* p, int at) {
  return static_cast<std::uint32_t>(p[at] | (p[at + 1] << 8));
}

}  // namespace

Collection IdentifyRecord(const std::uint8_t* record) {
  if (record == nullptr) return Collection::kNone;
  const std::uint32_t flags = U16At(record, 0) | (U16At(record, 2) << 16);
  if (flags != KB_MATCH_ALL_FIELDS || U16At(record, 4) != KB_VENDOR_ID ||
      U16At(record, 6) != KB_PRODUCT_ID)
    return Collection::kNone;
  const std::uint32_t page = U16At(record, 8);
  const std::uint32_t usage = U16At(record, 10);
  if (page == KB_CONFIG_USAGE_PAGE && usage == KB_CONFIG_USAGE) return Collection::kConfig;
  if (page == KB_CONSUMER_USAGE_PAGE && usage == KB_CONSUMER_USAGE) return Collection::kConsumer;
  if (page == KB_INDICATOR_USAGE_PAGE && usage == KB_INDICATOR_USAGE) return Collection::kIndicator;
  return Collection::kNone;
}

}  // namespace talon::vkb
