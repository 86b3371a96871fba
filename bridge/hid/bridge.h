#pragma once
// The keyboard service library over hidapi: one object holds every registration, the writer
// and the hot-plug watcher. The exported entry points forward to one process-wide instance;
// tests make their own over a fake hidapi. Each method takes its entry point's arguments.
#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "bridge_timings.h"
#include "device_inventory.h"
#include "kb_bridge_abi.h"
#include "last_error.h"
#include "presence_watcher.h"
#include "report_writer.h"
#include "stream_reader.h"

namespace talon::bridge {

class Bridge {
 public:
  explicit Bridge(BridgeTimings timings = {});
  // Stops every thread and closes every handle; no callback runs once it returns.
  ~Bridge();
  Bridge(const Bridge&) = delete;
  Bridge& operator=(const Bridge&) = delete;

  // Every request below returns 0 and does nothing when its check value is wrong or a pointer
  // it needs is null.

  // Initialises hidapi and starts the hot-plug watcher: 1 when ready, 0 when hid_init failed.
  int Init(int zero);
  // Number of collections matching the record now (0 = none), from the watcher's inventory: a
  // look-up, not an enumeration. Check: record + both zeros.
  int RequestGetDeviceCount(const std::uint8_t* record, std::uint32_t zero1, std::uint32_t zero2,
                            std::uint32_t check, std::uint32_t zero3);
  // Writes the report (at most 64 bytes, byte 0 the report id) to the first matching
  // collection: 1 when sent. Check: record + both zeros + the report bytes.
  int RequestWriteOne(const std::uint8_t* record, std::uint32_t zero1, std::uint32_t zero2,
                      const std::uint8_t* report, std::uint32_t length, std::uint32_t check,
                      std::uint32_t zero3);
  // Registers a stream: stores its unit id and returns 1; from then on `callback` receives the
  // collection's reports (kind 1) and changes in its count (kind 0). Check: record + callback
  // address + tag.
  int RequestAsyncRead(const std::uint8_t* record, KbBridgeCallback callback, std::uint32_t tag,
                       std::uint32_t check, std::uint32_t* unit_id);
  // Writes `data` as it stands (byte 0 the report id) to the first matching collection: stores
  // the request's unit id and returns 1 when sent. The write is done before the call returns, so
  // the callback is never called for it. Check: record + callback address + tag + data.
  int RequestStatusWrite(const std::uint8_t* record, KbBridgeCallback callback, std::uint32_t tag,
                         const std::uint8_t* data, std::uint32_t length, std::uint32_t check,
                         std::uint32_t* unit_id);
  // Ends a registration: its thread is stopped and joined, no event of it follows (unless it
  // is called from that registration's own callback: then the event under way is the last).
  // 1 when the id named a stream, 0 otherwise.
  int DeleteRequestFromUnitId(std::uint32_t unit_id);

  std::string last_error() const { return errors_.Get(); }

 private:
  std::uint32_t NextUnitIdLocked();
  std::vector<std::shared_ptr<StreamReader>> Streams();
  void StartWatcher();
  // Joins streams stopped from their own callback, from any other thread.
  void JoinRetired();

  const BridgeTimings timings_;
  LastError errors_;
  DeviceInventory inventory_;
  ReportWriter writer_{errors_, inventory_};
  std::atomic<bool> initialised_ = false;

  std::mutex mutex_;
  std::uint32_t next_unit_id_ = 1;
  std::map<std::uint32_t, std::shared_ptr<StreamReader>> streams_;
  std::vector<std::shared_ptr<StreamReader>> retired_;

  // Apart from mutex_: the watcher asks for the streams under mutex_ while it starts.
  std::mutex watcher_mutex_;
  std::unique_ptr<PresenceWatcher> watcher_;  // started by Init, or with the first stream
};

}  // namespace talon::bridge
