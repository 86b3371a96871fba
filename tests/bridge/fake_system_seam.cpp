// The library's system seam over the fake bus: descriptors of the fake nodes, and word of
// changes whenever a keyboard is added, plugged or unplugged.
#include "fake_hidapi.h"
#include "system_seam.h"

namespace talon::bridge {

namespace {

class FakeHotplugMonitor : public HotplugMonitor {
 public:
  FakeHotplugMonitor() : live_(Bus().hotplug_live()) { Bus().WatchFrom(seen_); }

  bool live() const override { return live_; }
  void Wait(std::chrono::milliseconds timeout) override { Bus().WaitForChange(seen_, timeout); }
  void Wake() override { Bus().WakeWaiters(); }

 private:
  static test::FakeHidBus& Bus() { return test::FakeHidBus::Instance(); }
  const bool live_;
  test::FakeHidBus::Seen seen_;
};

}  // namespace

std::optional<std::vector<std::uint8_t>> ReadReportDescriptor(const std::string& path) {
  return test::FakeHidBus::Instance().Descriptor(path);
}

std::unique_ptr<HotplugMonitor> MakeHotplugMonitor() {
  return std::make_unique<FakeHotplugMonitor>();
}

}  // namespace talon::bridge
