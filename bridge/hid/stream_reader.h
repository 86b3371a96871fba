#pragma once
// One registered stream: a thread that keeps the stream's collection open, reads the input
// reports of its hidraw node, keeps those of the stream's collection and hands them to the
// registration's callback (kind 1). It also delivers the presence changes that the hot-plug
// watcher notes for the collection (kind 0), so that every event of a registration comes from
// one thread, in order, and stops when the thread stops.
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <span>
#include <thread>

#include "bridge_timings.h"
#include "device_inventory.h"
#include "hid_device_handle.h"
#include "input_filter.h"
#include "kb_bridge_abi.h"
#include "last_error.h"
#include "match_record.h"

namespace talon::bridge {

class StreamReader {
 public:
  // Opens the collection, when present, before it returns (hidraw keeps nothing for a handle
  // not yet open, so an answer to a report written next would be lost), then starts the
  // thread. `present` is the number of matching collections now, the baseline for changes.
  StreamReader(const MatchRecord& record, KbBridgeCallback callback, std::uint32_t tag,
               std::size_t present, const DeviceInventory& inventory, const BridgeTimings& timings,
               LastError& errors);
  // Stops and joins the thread.
  ~StreamReader();
  StreamReader(const StreamReader&) = delete;
  StreamReader& operator=(const StreamReader&) = delete;

  const MatchRecord& record() const { return record_; }

  // The watcher's latest count of matching collections. A change queues a kind-0 event and
  // makes the reader reopen, since the collection it holds may be the one that went away.
  void NotePresence(std::size_t count);

  // Asks the thread to end after the event it may be delivering; Join waits for it.
  void RequestStop();
  void Join();
  bool OnOwnThread() const { return std::this_thread::get_id() == thread_.get_id(); }

 private:
  struct OpenCollection {
    HidDeviceHandle device;
    InputFilter filter;
  };

  // The first matching collection, with the filter read from its node's descriptor; no device
  // when none is present or opening failed.
  OpenCollection Open();
  void Run();
  // Waits until `delay` passed or something needs the thread; false once stopping.
  bool Pause(std::chrono::milliseconds delay);
  // Takes the queued presence counts and the reopen request; false once stopping.
  bool TakeWork(std::deque<std::uint32_t>& presence, bool& reopen);
  void Deliver(std::uint32_t kind, std::uint32_t count, std::span<const std::uint8_t> data,
               std::uint16_t code = 0);
  void DeliverReport(const OpenCollection& open, std::span<const std::uint8_t> report);

  const MatchRecord record_;
  const KbBridgeCallback callback_;
  const std::uint32_t tag_;
  const bool consumer_;
  const DeviceInventory& inventory_;
  const BridgeTimings timings_;
  LastError& errors_;

  std::mutex mutex_;
  std::condition_variable wake_;
  bool stopping_ = false;
  bool reopen_ = false;
  std::size_t known_count_;
  std::deque<std::uint32_t> presence_;

  OpenCollection first_;  // opened by the constructor, handed to the thread
  std::thread thread_;    // last: starts once everything above is set up
};

}  // namespace talon::bridge
