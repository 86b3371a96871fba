#pragma once
// The 32-bit check value every service library request carries: the sum of the check table's
// entries for each byte of the request's covered arguments.
#include <cstdint>
#include <span>

#include "device/device_match_record.h"
#include "kb_bridge_abi.h"

namespace talon {

// "RequestGetDeviceCount": the record and its two zero arguments.
std::uint32_t CountCheckValue(const DeviceMatchRecord& record);
// "RequestWriteOne": the record, its two zero arguments and the report bytes.
std::uint32_t WriteCheckValue(const DeviceMatchRecord& record,
                              std::span<const std::uint8_t> report);
// "RequestAsyncRead": the record, the callback's address and the tag.
std::uint32_t RegistrationCheckValue(const DeviceMatchRecord& record, KbBridgeCallback callback,
                                     std::uint32_t tag);
// "RequestStatusWrite": as a registration, then the data bytes.
std::uint32_t StatusWriteCheckValue(const DeviceMatchRecord& record, KbBridgeCallback callback,
                                    std::uint32_t tag, std::span<const std::uint8_t> data);

}  // namespace talon
