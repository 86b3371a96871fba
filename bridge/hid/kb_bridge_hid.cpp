// libKbBridge.so for real keyboards, over hidapi (hidraw backend).
//
// How devices are found
//   Every request names a HID collection with a 16-byte match record: flags, vendor id,
//   product id, usage page, usage (see kb_bridge_abi.h). Flag bit 0 makes the vendor
//   significant, bit 1 the product, bit 2 the usage page, bit 3 the usage; the configurator
//   sets all four. hid_enumerate lists one entry per top-level collection, and a collection
//   matches when every significant field is equal. Counts are numbers of matching entries;
//   reads and writes use the first matching entry's device path.
//
//   The TALON7X-DUO (vendor 0x0C45, product 0x5D27) shows three collections that matter here:
//     0xFF1C / 0x0092  vendor configuration channel: device count, RequestWriteOne, 'CTRL'
//     0x000C / 0x0001  consumer control: the 'CONS' stream
//     0x0008 / 0x0089  indicator output: the 'LED' status write
//   The collections of one USB interface share one hidraw node (one path), and every handle
//   open on it reads every input report of all of them, key presses included.
//
// What goes where
//   RequestWriteOne   the 64-byte configuration report is written with hid_write as it stands:
//                     64 bytes, byte 0 the report id 4. Example, "read device information":
//                       04 2F 00 03 2C 00 00 00 00 ... 00   (checksum 0x002F over bytes 3-63)
//   'CTRL' stream     the input reports of the configuration channel, handed over whole
//                     (normally the 64-byte answer: 04 .. .. 03 2C 00 00 00 <44 bytes> ...).
//   'CONS' stream     the consumer collection's reports, handed over whole, with the 16-bit
//                     usage parsed into the event's consumer code: 03 FF 02 -> 0x02FF.
//   'LED' status      the status data is written with hid_write as it stands, its byte 0 being
//                     the report id: 05 02 is output report 5 carrying the G-bank state 0x02.
//   Which reports of a shared node are a stream's is read from the node's report descriptor
//   (sysfs): its Report ID items tell the collections' reports apart by their first byte.
//   Without a readable descriptor a stream takes every report of its node.
//
// Events
//   One thread per registered stream keeps its collection open (opened before
//   RequestAsyncRead returns, so the answer to the next write is not lost), reads with a short
//   timeout and calls the callback with kind 1 for every report of its collection. A watcher
//   thread, started by Init, re-enumerates whenever udev says a hidraw node came or went (every
//   250 ms where udev says nothing), keeps that list for RequestGetDeviceCount, and when the
//   number of collections matching a stream's record changes, that stream's thread reopens its
//   collection and delivers kind 0 with the new count (for 'CTRL', the number of keyboards), so
//   streams survive unplugging and plugging back in. The records handed to the callback live
//   only for the call.
//
// Every request verifies its check value and does nothing, returning 0, when it is wrong.
// Everything stops, and every handle is closed, when the library is unloaded.

#include "bridge.h"
#include "kb_bridge_abi.h"

#define KB_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

// Built on first use and destroyed when the library is unloaded (or the process ends).
talon::bridge::Bridge& TheBridge() {
  static talon::bridge::Bridge bridge;
  return bridge;
}

}  // namespace

KB_EXPORT int Init(int zero) {
  return TheBridge().Init(zero);
}

KB_EXPORT int RequestGetDeviceCount(const uint8_t* record, uint32_t zero1, uint32_t zero2,
                                    uint32_t check, uint32_t zero3) {
  return TheBridge().RequestGetDeviceCount(record, zero1, zero2, check, zero3);
}

KB_EXPORT int RequestWriteOne(const uint8_t* record, uint32_t zero1, uint32_t zero2,
                              const uint8_t* report, uint32_t length, uint32_t check,
                              uint32_t zero3) {
  return TheBridge().RequestWriteOne(record, zero1, zero2, report, length, check, zero3);
}

KB_EXPORT int RequestAsyncRead(const uint8_t* record, KbBridgeCallback callback, uint32_t tag,
                               uint32_t check, uint32_t* unit_id) {
  return TheBridge().RequestAsyncRead(record, callback, tag, check, unit_id);
}

KB_EXPORT int RequestStatusWrite(const uint8_t* record, KbBridgeCallback callback, uint32_t tag,
                                 const uint8_t* data, uint32_t length, uint32_t check,
                                 uint32_t* unit_id) {
  return TheBridge().RequestStatusWrite(record, callback, tag, data, length, check, unit_id);
}

KB_EXPORT int DeleteRequestFromUnitId(uint32_t unit_id) {
  return TheBridge().DeleteRequestFromUnitId(unit_id);
}

// The configurator never calls these; they exist so that binding all twelve names succeeds.
KB_EXPORT int End(void) {
  return 0;
}
KB_EXPORT int Debug(int /*level*/) {
  return 0;
}
KB_EXPORT int DeleteRequestFromHandle(void* /*handle*/) {
  return 0;
}
KB_EXPORT int RequestWrite(const uint8_t* /*record*/, const uint8_t* /*data*/, uint32_t /*length*/,
                           uint32_t /*check*/) {
  return 0;
}
KB_EXPORT int RequestStatusGet(const uint8_t* /*record*/, uint8_t* /*data*/, uint32_t /*length*/,
                               uint32_t /*check*/) {
  return 0;
}
KB_EXPORT int RequestStatusSetFeature(const uint8_t* /*record*/, const uint8_t* /*data*/,
                                      uint32_t /*length*/, uint32_t /*check*/) {
  return 0;
}

KB_ASSERT_ENTRY_POINT_SIGNATURES();
