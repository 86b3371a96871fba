#pragma once
// One registered stream: a thread that keeps the stream's collection open, reads its input
// reports and hands them to the registration's callback (kind 1). It also delivers the
// presence changes that the hot-plug watcher notes for the collection (kind 0), so that every
// event of a registration comes from one thread, in order, and stops when the thread stops.
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <span>
#include <thread>

#include "bridge_timings.h"
#include "hid_device_handle.h"
#include "kb_bridge_abi.h"
#include "last_error.h"
#include "match_record.h"

namespace talon::bridge {

class StreamReader {
 public:
  // Starts the thread. `present` is the number of matching collections now, the baseline for
  // presence changes.
  StreamReader(const MatchRecord& record, KbBridgeCallback callback, std::uint32_t tag,
               std::size_t present, const BridgeTimings& timings, LastError& errors);
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
  void Run();
  // Waits until `delay` passed or something needs the thread; false once stopping.
  bool Pause(std::chrono::milliseconds delay);
  // Takes the queued presence counts and the reopen request; false once stopping.
  bool TakeWork(std::deque<std::uint32_t>& presence, bool& reopen);
  void Deliver(std::uint32_t kind, std::uint32_t count, std::span<const std::uint8_t> data);

  const MatchRecord record_;
  const KbBridgeCallback callback_;
  const std::uint32_t tag_;
  const bool consumer_;
  const BridgeTimings timings_;
  LastError& errors_;

  std::mutex mutex_;
  std::condition_variable wake_;
  bool stopping_ = false;
  bool reopen_ = false;
  std::size_t known_count_;
  std::deque<std::uint32_t> presence_;

  std::thread thread_;  // last: starts once everything above is set up
};

}  // namespace talon::bridge
