#include "device/device_match_record.h"

#include "kb_bridge_abi.h"
#include "platform/little_endian.h"

namespace talon {

const DeviceMatchRecord kConfigChannel{KB_MATCH_ALL_FIELDS, KB_VENDOR_ID, KB_PRODUCT_ID,
                                       KB_CONFIG_USAGE_PAGE, KB_CONFIG_USAGE};
const DeviceMatchRecord kConsumerCollection{KB_MATCH_ALL_FIELDS, KB_VENDOR_ID, KB_PRODUCT_ID,
                                            KB_CONSUMER_USAGE_PAGE, KB_CONSUMER_USAGE};
const DeviceMatchRecord kIndicatorOutput{KB_MATCH_ALL_FIELDS, KB_VENDOR_ID, KB_PRODUCT_ID,
                                         KB_INDICATOR_USAGE_PAGE, KB_INDICATOR_USAGE};

std::array<std::uint8_t, 16> DeviceMatchRecord::Encode() const {
  std::array<std::uint8_t, 16> bytes{};
  PutU32(bytes, 0, flags);
  PutU16(bytes, 4, vendor);
  PutU16(bytes, 6, product);
  PutU16(bytes, 8, usage_page);
  PutU16(bytes, 10, usage);
  return bytes;
}

}  // namespace talon
