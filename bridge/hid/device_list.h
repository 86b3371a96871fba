#pragma once
// A snapshot of the HID collections present, as hid_enumerate reports them: one entry per
// top-level collection (usage page and usage); the collections of one interface share a path.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "hid_device_handle.h"
#include "match_record.h"

namespace talon::bridge {

struct DeviceEntry {
  std::string path;
  DeviceIds ids;
};

class DeviceList {
 public:
  // Enumerates the collections with these ids; 0 matches any vendor or product. An empty list
  // when nothing is present or enumeration failed (hidapi does not tell the two apart).
  static DeviceList Enumerate(std::uint16_t vendor_id = 0, std::uint16_t product_id = 0);
  static DeviceList EnumerateFor(const MatchRecord& record) {
    return Enumerate(record.enumerate_vendor(), record.enumerate_product());
  }

  std::size_t Count(const MatchRecord& record) const;
  std::optional<DeviceEntry> FirstMatching(const MatchRecord& record) const;

 private:
  std::vector<DeviceEntry> entries_;
};

// Opens a hidraw node. Null when opening failed (`error` says why).
HidDeviceHandle OpenPath(const std::string& path, std::string& error);

}  // namespace talon::bridge
