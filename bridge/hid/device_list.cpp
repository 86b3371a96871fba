#include "device_list.h"

namespace talon::bridge {

DeviceList DeviceList::Enumerate(std::uint16_t vendor_id, std::uint16_t product_id) {
  DeviceList list;
  std::lock_guard lock(HidapiGlobalLock());
  hid_device_info* devices = hid_enumerate(vendor_id, product_id);
  for (const hid_device_info* d = devices; d != nullptr; d = d->next) {
    list.entries_.push_back(
        DeviceEntry{d->path != nullptr ? d->path : "",
                    DeviceIds{d->vendor_id, d->product_id, d->usage_page, d->usage}});
  }
  hid_free_enumeration(devices);
  return list;
}

std::size_t DeviceList::Count(const MatchRecord& record) const {
  std::size_t count = 0;
  for (const DeviceEntry& entry : entries_) {
    if (record.Matches(entry.ids)) ++count;
  }
  return count;
}

std::optional<DeviceEntry> DeviceList::FirstMatching(const MatchRecord& record) const {
  for (const DeviceEntry& entry : entries_) {
    if (record.Matches(entry.ids) && !entry.path.empty()) return entry;
  }
  return std::nullopt;
}

HidDeviceHandle OpenPath(const std::string& path, std::string& error) {
  std::lock_guard lock(HidapiGlobalLock());
  HidDeviceHandle device(hid_open_path(path.c_str()));
  if (!device) error = "cannot open " + path + ": " + CopyHidError(nullptr);
  return device;
}

}  // namespace talon::bridge
