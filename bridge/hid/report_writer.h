#pragma once
// Writes output reports to the collection a match record names, keeping each collection open
// between writes (a configuration transfer is hundreds of reports).
#include <cstdint>
#include <mutex>
#include <span>
#include <vector>

#include "device_inventory.h"
#include "hid_device_handle.h"
#include "last_error.h"
#include "match_record.h"

namespace talon::bridge {

class ReportWriter {
 public:
  ReportWriter(LastError& errors, const DeviceInventory& inventory)
      : errors_(errors), inventory_(inventory) {}

  // Writes `report` as it stands (byte 0 the report id, as hidapi wants it) to the first
  // collection matching `record`. True when hidapi took the whole report.
  bool Write(const MatchRecord& record, std::span<const std::uint8_t> report);

  void CloseAll();

 private:
  struct OpenCollection {
    MatchRecord record;
    HidDeviceHandle device;
  };

  HidDeviceHandle Open(const MatchRecord& record);
  // Writes on an open handle; on failure copies the error, since the handle is closed next.
  bool WriteOn(hid_device* device, std::span<const std::uint8_t> report);

  LastError& errors_;
  const DeviceInventory& inventory_;
  std::mutex mutex_;  // writes come from the program's interface and presence threads at once
  std::vector<OpenCollection> open_;
};

}  // namespace talon::bridge
