// The system seam on Linux: report descriptors from sysfs, hot-plug word from udev.
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <libudev.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "system_seam.h"

namespace talon::bridge {

namespace {

// The kernel keeps descriptors of at most this size (HID_MAX_DESCRIPTOR_SIZE).
constexpr std::size_t kMaxDescriptorSize = 4096;

// Hot-plug word from udev: hidraw nodes added or removed, once udev has set them up (so their
// permissions are in place by the time they are opened).
class UdevHotplugMonitor : public HotplugMonitor {
 public:
  UdevHotplugMonitor() {
    wake_fd_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    udev_ = udev_new();
    if (udev_ != nullptr) monitor_ = udev_monitor_new_from_netlink(udev_, "udev");
    if (monitor_ != nullptr &&
        (udev_monitor_filter_add_match_subsystem_devtype(monitor_, "hidraw", nullptr) < 0 ||
         udev_monitor_enable_receiving(monitor_) < 0)) {
      monitor_ = udev_monitor_unref(monitor_);
    }
  }
  ~UdevHotplugMonitor() override {
    if (monitor_ != nullptr) udev_monitor_unref(monitor_);
    if (udev_ != nullptr) udev_unref(udev_);
    if (wake_fd_ >= 0) close(wake_fd_);
  }
  UdevHotplugMonitor(const UdevHotplugMonitor&) = delete;
  UdevHotplugMonitor& operator=(const UdevHotplugMonitor&) = delete;

  // Without a running udev daemon (some containers) no word ever comes: poll instead.
  bool live() const override {
    return monitor_ != nullptr && wake_fd_ >= 0 && access("/run/udev/control", F_OK) == 0;
  }

  void Wait(std::chrono::milliseconds timeout) override {
    pollfd fds[2] = {{wake_fd_, POLLIN, 0}, {-1, POLLIN, 0}};
    if (monitor_ != nullptr) fds[1].fd = udev_monitor_get_fd(monitor_);
    const int ready = poll(fds, 2, static_cast<int>(timeout.count()));
    if (ready <= 0) return;
    if (fds[0].revents & POLLIN) {
      eventfd_t ignored = 0;
      eventfd_read(wake_fd_, &ignored);
    }
    // Several nodes come and go together (one per interface): take every pending word.
    if (fds[1].revents & POLLIN) {
      while (udev_device* device = udev_monitor_receive_device(monitor_)) {
        udev_device_unref(device);
      }
    }
  }

  void Wake() override {
    if (wake_fd_ >= 0) eventfd_write(wake_fd_, 1);
  }

 private:
  int wake_fd_ = -1;
  udev* udev_ = nullptr;
  udev_monitor* monitor_ = nullptr;
};

}  // namespace

std::optional<std::vector<std::uint8_t>> ReadReportDescriptor(const std::string& path) {
  // /dev/hidraw3 -> /sys/class/hidraw/hidraw3/device/report_descriptor
  const std::filesystem::path node(path);
  if (node.parent_path() != "/dev" || node.filename().string().rfind("hidraw", 0) != 0) {
    return std::nullopt;
  }
  std::ifstream in(
      std::filesystem::path("/sys/class/hidraw") / node.filename() / "device" / "report_descriptor",
      std::ios::binary);
  if (!in) return std::nullopt;
  std::vector<std::uint8_t> bytes;
  bytes.reserve(kMaxDescriptorSize);
  char c = 0;
  while (bytes.size() <= kMaxDescriptorSize && in.get(c))
    bytes.push_back(static_cast<std::uint8_t>(c));
  if (bytes.empty() || bytes.size() > kMaxDescriptorSize) return std::nullopt;
  return bytes;
}

std::unique_ptr<HotplugMonitor> MakeHotplugMonitor() {
  return std::make_unique<UdevHotplugMonitor>();
}

}  // namespace talon::bridge
