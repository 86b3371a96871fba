// The exported C entry points of the virtual keyboard build of libKbBridge.so.
//
// Every request verifies its check value: the CheckTable sum over the match record's 16
// bytes, then the 32-bit arguments before the data as 4 little-endian bytes each (the
// callback address as its sizeof(void*) bytes), then the data bytes. A wrong value makes the
// call return 0 and do nothing.
#include <cstdint>
#include <span>
#include <type_traits>

#include "collection.h"
#include "kb_bridge_abi.h"
#include "virtual_device.h"

#define KB_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

using talon::vkb::Collection;
using talon::vkb::IdentifyRecord;
using talon::vkb::VirtualDevice;

VirtualDevice& Device() {
  static VirtualDevice device;
  return device;
}

std::uint32_t AddU32(std::uint32_t sum, std::uint32_t value) {
  const std::uint8_t bytes[4] = {
      static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
      static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
  return KbCheckAdd(sum, bytes, sizeof bytes);
}

std::uint32_t AddPointer(std::uint32_t sum, KbBridgeCallback callback) {
  const auto value = reinterpret_cast<std::uintptr_t>(callback);
  std::uint8_t bytes[sizeof(void*)];
  for (std::size_t i = 0; i < sizeof bytes; ++i)
    bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
  return KbCheckAdd(sum, bytes, sizeof bytes);
}

std::uint32_t RecordSum(const std::uint8_t* record) {
  return KbCheckAdd(0, record, KB_MATCH_RECORD_SIZE);
}

}  // namespace

KB_EXPORT int Init(int /*zero*/) {
  Device().Start();
  return 1;
}

KB_EXPORT int RequestGetDeviceCount(const std::uint8_t* record, std::uint32_t zero1,
                                    std::uint32_t zero2, std::uint32_t check,
                                    std::uint32_t /*zero3*/) {
  if (record == nullptr) return 0;
  if (AddU32(AddU32(RecordSum(record), zero1), zero2) != check) return 0;
  return Device().DeviceCount(IdentifyRecord(record));
}

// Only the configuration channel takes output reports, and only whole 64-byte ones.
KB_EXPORT int RequestWriteOne(const std::uint8_t* record, std::uint32_t zero1, std::uint32_t zero2,
                              const std::uint8_t* report, std::uint32_t length, std::uint32_t check,
                              std::uint32_t /*zero3*/) {
  if (record == nullptr || report == nullptr || length != KB_REPORT_SIZE) return 0;
  const std::uint32_t sum = AddU32(AddU32(RecordSum(record), zero1), zero2);
  if (KbCheckAdd(sum, report, length) != check) return 0;
  if (IdentifyRecord(record) != Collection::kConfig) return 0;
  return Device().WriteReport(std::span<const std::uint8_t, KB_REPORT_SIZE>(report, length)) ? 1
                                                                                             : 0;
}

// Streams stay registered across unplugging; events arrive while a keyboard is there.
KB_EXPORT int RequestAsyncRead(const std::uint8_t* record, KbBridgeCallback callback,
                               std::uint32_t tag, std::uint32_t check, std::uint32_t* unit_id) {
  if (record == nullptr || callback == nullptr || unit_id == nullptr) return 0;
  if (AddU32(AddPointer(RecordSum(record), callback), tag) != check) return 0;
  const Collection collection = IdentifyRecord(record);
  if (collection == Collection::kNone) return 0;
  *unit_id = Device().Register(collection, callback, tag);
  return 1;
}

// Status data goes to the indicator output only; the registration receives no events.
KB_EXPORT int RequestStatusWrite(const std::uint8_t* record, KbBridgeCallback callback,
                                 std::uint32_t tag, const std::uint8_t* data, std::uint32_t length,
                                 std::uint32_t check, std::uint32_t* unit_id) {
  if (record == nullptr || data == nullptr || length == 0 || length > KB_REPORT_SIZE) return 0;
  const std::uint32_t sum = AddU32(AddPointer(RecordSum(record), callback), tag);
  if (KbCheckAdd(sum, data, length) != check) return 0;
  const std::uint32_t id = Device().WriteStatus(IdentifyRecord(record), std::span(data, length));
  if (id == 0) return 0;
  if (unit_id != nullptr) *unit_id = id;
  return 1;
}

KB_EXPORT int DeleteRequestFromUnitId(std::uint32_t unit_id) {
  return Device().Unregister(unit_id) ? 1 : 0;
}

// Ends the library's work: the device thread stops and the registrations are gone. The next
// call starts again from the memory file.
KB_EXPORT int End(void) {
  Device().Stop();
  return 1;
}

// The virtual keyboard has no debug output, no handles and no feature or input reports; the
// configurator never calls these, and they refuse.
KB_EXPORT int Debug(int /*level*/) {
  return 0;
}
KB_EXPORT int DeleteRequestFromHandle(void* /*handle*/) {
  return 0;
}
KB_EXPORT int RequestWrite(const std::uint8_t* /*record*/, const std::uint8_t* /*data*/,
                           std::uint32_t /*length*/, std::uint32_t /*check*/) {
  return 0;
}
KB_EXPORT int RequestStatusGet(const std::uint8_t* /*record*/, std::uint8_t* /*data*/,
                               std::uint32_t /*length*/, std::uint32_t /*check*/) {
  return 0;
}
KB_EXPORT int RequestStatusSetFeature(const std::uint8_t* /*record*/, const std::uint8_t* /*data*/,
                                      std::uint32_t /*length*/, std::uint32_t /*check*/) {
  return 0;
}

// ---- Control of the virtual keyboard ------------------------------------------------------

KB_EXPORT void KbSimReset(void) {
  Device().Reset();
}
KB_EXPORT void KbSimPlug(void) {
  Device().SetPlugged(true);
}
KB_EXPORT void KbSimUnplug(void) {
  Device().SetPlugged(false);
}
KB_EXPORT void KbSimRaiseConsumer(std::uint16_t code) {
  Device().RaiseConsumer(code);
}
KB_EXPORT void KbSimInjectFault(std::uint32_t kind, std::uint32_t skip, std::uint32_t count,
                                std::uint32_t param) {
  Device().InjectFault(kind, skip, count, param);
}
KB_EXPORT void KbSimClearFaults(void) {
  Device().ClearFaults();
}
KB_EXPORT void KbSimSetLatency(std::uint32_t microseconds) {
  Device().SetLatency(microseconds);
}

KB_EXPORT int KbSimReadMemory(std::uint32_t area, std::uint32_t offset, std::uint8_t* out,
                              std::uint32_t length) {
  if (out == nullptr && length > 0) return 0;
  return Device().ReadMemory(area, offset, std::span(out, length)) ? 1 : 0;
}

KB_EXPORT int KbSimWriteMemory(std::uint32_t area, std::uint32_t offset, const std::uint8_t* data,
                               std::uint32_t length) {
  if (data == nullptr && length > 0) return 0;
  return Device().WriteMemory(area, offset, std::span(data, length)) ? 1 : 0;
}

KB_EXPORT std::uint32_t KbSimFrameCount(void) {
  return Device().FrameCount();
}

KB_EXPORT int KbSimGetFrame(std::uint32_t index, std::uint8_t* out64) {
  if (out64 == nullptr) return 0;
  return Device().GetFrame(index, std::span<std::uint8_t, KB_REPORT_SIZE>(out64, KB_REPORT_SIZE))
             ? 1
             : 0;
}

KB_EXPORT void KbSimClearLog(void) {
  Device().ClearLog();
}

KB_EXPORT int KbSimKeyActionAt(std::uint32_t position, KbSimKeyAction* out) {
  if (out == nullptr) return 0;
  return Device().KeyActionAt(position, *out) ? 1 : 0;
}

KB_EXPORT void KbSimAnswerTimes(std::uint64_t* waited_ns, std::uint64_t* held_ns) {
  if (waited_ns != nullptr) *waited_ns = Device().Answers().waited_ns();
  if (held_ns != nullptr) *held_ns = Device().Answers().held_ns();
}

// The exports keep the contract's signatures, the control entry points too.
KB_ASSERT_ENTRY_POINT_SIGNATURES();
static_assert(std::is_same_v<decltype(&KbSimReset), KbSimResetFn>);
static_assert(std::is_same_v<decltype(&KbSimPlug), KbSimPlugFn>);
static_assert(std::is_same_v<decltype(&KbSimUnplug), KbSimUnplugFn>);
static_assert(std::is_same_v<decltype(&KbSimRaiseConsumer), KbSimRaiseConsumerFn>);
static_assert(std::is_same_v<decltype(&KbSimInjectFault), KbSimInjectFaultFn>);
static_assert(std::is_same_v<decltype(&KbSimClearFaults), KbSimClearFaultsFn>);
static_assert(std::is_same_v<decltype(&KbSimSetLatency), KbSimSetLatencyFn>);
static_assert(std::is_same_v<decltype(&KbSimReadMemory), KbSimReadMemoryFn>);
static_assert(std::is_same_v<decltype(&KbSimWriteMemory), KbSimWriteMemoryFn>);
static_assert(std::is_same_v<decltype(&KbSimFrameCount), KbSimFrameCountFn>);
static_assert(std::is_same_v<decltype(&KbSimGetFrame), KbSimGetFrameFn>);
static_assert(std::is_same_v<decltype(&KbSimClearLog), KbSimClearLogFn>);
static_assert(std::is_same_v<decltype(&KbSimKeyActionAt), KbSimKeyActionAtFn>);
static_assert(std::is_same_v<decltype(&KbSimAnswerTimes), KbSimAnswerTimesFn>);
