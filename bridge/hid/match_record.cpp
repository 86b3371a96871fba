#include "match_record.h"

#include "byte_order.h"

namespace talon::bridge {

MatchRecord MatchRecord::Parse(std::span<const std::uint8_t, kMatchRecordSize> bytes) {
  MatchRecord record;
  record.flags = ReadLe32(bytes, 0);
  record.vendor_id = ReadLe16(bytes, 4);
  record.product_id = ReadLe16(bytes, 6);
  record.usage_page = ReadLe16(bytes, 8);
  record.usage = ReadLe16(bytes, 10);
  return record;
}

bool MatchRecord::Matches(const DeviceIds& device) const {
  if ((flags & kMatchVendor) && device.vendor_id != vendor_id) return false;
  if ((flags & kMatchProduct) && device.product_id != product_id) return false;
  if ((flags & kMatchUsagePage) && device.usage_page != usage_page) return false;
  if ((flags & kMatchUsage) && device.usage != usage) return false;
  return true;
}

}  // namespace talon::bridge
