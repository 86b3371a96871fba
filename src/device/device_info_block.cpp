#include "device/device_info_block.h"

#include "platform/little_endian.h"

namespace talon {

std::uint16_t DeviceInfoBlock::firmware_version() const {
  return GetU16(bytes_, 8);
}

}  // namespace talon
