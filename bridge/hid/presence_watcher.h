#pragma once
// The hot-plug watcher: re-enumerates periodically and tells every registered stream how many
// collections match its record now. hidapi has no arrival or removal notification, so polling
// is the portable way; the streams turn changes into kind-0 events.
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "stream_reader.h"

namespace talon::bridge {

class PresenceWatcher {
 public:
  using Snapshot = std::function<std::vector<std::shared_ptr<StreamReader>>()>;

  // Starts the thread; `streams` is called once per period for the current registrations.
  PresenceWatcher(Snapshot streams, std::chrono::milliseconds period);
  ~PresenceWatcher();
  PresenceWatcher(const PresenceWatcher&) = delete;
  PresenceWatcher& operator=(const PresenceWatcher&) = delete;

 private:
  void Run();
  void Poll();

  const Snapshot streams_;
  const std::chrono::milliseconds period_;
  std::mutex mutex_;
  std::condition_variable wake_;
  bool stopping_ = false;
  std::thread thread_;  // last: starts once everything above is set up
};

}  // namespace talon::bridge
