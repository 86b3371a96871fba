#pragma once
// A snapshot of the HID collections present, as hid_enumerate reports them: one entry per
// top-level collection (usage page and usage), several entries may share one device path.
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
  static DeviceList Enumerate(std::uint16_t vendor_id, std::uint16_t product_id);
  static DeviceList EnumerateFor(const MatchRecord& record) {
    return Enumerate(record.enumerate_vendor(), record.enumerate_product());
  }

  std::size_t Count(const MatchRecord& record) const;
  std::optional<std::string> FirstPath(const MatchRecord& record) const;

 private:
  std::vector<DeviceEntry> entries_;
};

// Opens the first collection matching the record. Null when none is present (`error` left
// empty) or when opening failed (`error` says why).
HidDeviceHandle OpenFirstMatching(const MatchRecord& record, std::string& error);

}  // namespace talon::bridge
