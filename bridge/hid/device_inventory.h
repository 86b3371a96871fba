#pragma once
// The HID collections present, as last enumerated. The hot-plug watcher refreshes it whenever a
// device comes or goes, so that counting keyboards before every exchange costs a look-up, not an
// enumeration of every HID device. Until the watcher's first snapshot every question enumerates.
#include <cstddef>
#include <mutex>
#include <optional>

#include "device_list.h"

namespace talon::bridge {

class DeviceInventory {
 public:
  void Publish(DeviceList list);

  std::size_t Count(const MatchRecord& record) const;
  std::optional<DeviceEntry> FirstMatching(const MatchRecord& record) const;

 private:
  mutable std::mutex mutex_;
  std::optional<DeviceList> snapshot_;
};

}  // namespace talon::bridge
