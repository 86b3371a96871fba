#include "report_writer.h"

#include <algorithm>

namespace talon::bridge {

bool ReportWriter::Write(const MatchRecord& record, std::span<const std::uint8_t> report) {
  std::lock_guard lock(mutex_);
  auto cached = std::find_if(open_.begin(), open_.end(),
                             [&](const OpenCollection& c) { return c.record == record; });
  if (cached != open_.end()) {
    if (WriteOn(cached->device.get(), report)) return true;
    // A cached handle goes stale when the keyboard is unplugged and plugged back in: open the
    // collection afresh and try once more. hidapi reports a failed write as nothing sent.
    open_.erase(cached);
  }
  HidDeviceHandle device = Open(record);
  if (!device) return false;
  if (!WriteOn(device.get(), report)) return false;
  open_.push_back(OpenCollection{record, std::move(device)});
  return true;
}

void ReportWriter::CloseAll() {
  std::lock_guard lock(mutex_);
  open_.clear();
}

HidDeviceHandle ReportWriter::Open(const MatchRecord& record) {
  const std::optional<DeviceEntry> entry = inventory_.FirstMatching(record);
  if (!entry) {
    errors_.Set("no matching device");
    return nullptr;
  }
  std::string error;
  HidDeviceHandle device = OpenPath(entry->path, error);
  if (!device) errors_.Set(error);
  return device;
}

bool ReportWriter::WriteOn(hid_device* device, std::span<const std::uint8_t> report) {
  const int written = hid_write(device, report.data(), report.size());
  if (written >= static_cast<int>(report.size())) return true;
  errors_.Set(written < 0 ? CopyHidError(device) : std::string("short write"));
  return false;
}

}  // namespace talon::bridge
