#pragma once
// The hot-plug watcher: re-enumerates whenever the system says a HID device came or went (or,
// where it says nothing, every presence_poll), publishes what it found to the inventory and
// tells every registered stream how many collections match its record now; the streams turn
// changes into kind-0 events.
#include <atomic>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "bridge_timings.h"
#include "device_inventory.h"
#include "stream_reader.h"
#include "system_seam.h"

namespace talon::bridge {

class PresenceWatcher {
 public:
  using Snapshot = std::function<std::vector<std::shared_ptr<StreamReader>>()>;

  // Publishes a first enumeration before it returns, then starts the thread. `streams` gives
  // the current registrations.
  PresenceWatcher(Snapshot streams, DeviceInventory& inventory, const BridgeTimings& timings);
  ~PresenceWatcher();
  PresenceWatcher(const PresenceWatcher&) = delete;
  PresenceWatcher& operator=(const PresenceWatcher&) = delete;

 private:
  void Run();
  void Refresh();

  const Snapshot streams_;
  DeviceInventory& inventory_;
  const BridgeTimings timings_;
  const std::unique_ptr<HotplugMonitor> monitor_;
  std::atomic<bool> stopping_{false};
  std::thread thread_;  // last: starts once everything above is set up
};

}  // namespace talon::bridge
