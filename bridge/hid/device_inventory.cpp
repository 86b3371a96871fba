#include "device_inventory.h"

namespace talon::bridge {

void DeviceInventory::Publish(DeviceList list) {
  std::lock_guard lock(mutex_);
  snapshot_ = std::move(list);
}

std::size_t DeviceInventory::Count(const MatchRecord& record) const {
  {
    std::lock_guard lock(mutex_);
    if (snapshot_) return snapshot_->Count(record);
  }
  return DeviceList::EnumerateFor(record).Count(record);
}

std::optional<DeviceEntry> DeviceInventory::FirstMatching(const MatchRecord& record) const {
  {
    std::lock_guard lock(mutex_);
    if (snapshot_) return snapshot_->FirstMatching(record);
  }
  return DeviceList::EnumerateFor(record).FirstMatching(record);
}

}  // namespace talon::bridge
