#pragma once
// A fake hidapi for testing the hidapi build of the service library: the hid_* functions the
// library calls and its system seam (report descriptors, hot-plug word), over keyboards laid
// out as a TALON7X-DUO is, each backed by the firmware model.
//
// As with hidraw, a keyboard shows one node per USB interface and every collection of an
// interface shares its node: interface 0 is the boot keyboard, interface 1 holds the keyboard's
// own key reports (report 1), the consumer collection (report 3), the configuration channel
// (report 4 both ways) and the indicator output (report 5). Every handle open on a node gets
// every input report of every collection on it, in its own queue; a report arriving while no
// handle is open is lost; writes go to the collection their report id names; a handle opened
// before an unplug fails every later read and write (a replugged keyboard comes back under new
// paths). Configuration reports are answered by the firmware on the node's input queues.
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include <hidapi.h>

#include "firmware.h"

namespace talon::test {

enum class FakeCollection { kBootKeyboard, kKeys, kConsumer, kConfig, kIndicator };

// Report ids of the keyboard's second interface.
inline constexpr std::uint8_t kKeysReportId = 1;
inline constexpr std::uint8_t kConsumerReportId = 3;
inline constexpr std::uint8_t kConfigReportId = 4;
inline constexpr std::uint8_t kIndicatorReportId = 5;

class FakeHidBus {
 public:
  static FakeHidBus& Instance();

  // No keyboards, no failures, every knob back to its default, counters cleared. Every handle
  // must be closed by then.
  void Reset();

  // Adds a plugged-in keyboard; returns its index.
  std::size_t AddKeyboard();
  void Plug(std::size_t keyboard);
  void Unplug(std::size_t keyboard);

  // An input report arriving on one collection of a keyboard, as hidraw hands it over (byte 0
  // the report id on the numbered interface): a key press, a consumer report...
  void SendInput(std::size_t keyboard, FakeCollection collection, std::vector<std::uint8_t> report);

  // Whether reads on a handle of an unplugged keyboard fail (hidraw does) or just time out, as
  // with kernels that do not report the disconnection through read().
  void SetReadsReportUnplug(bool report);
  // The next `count` writes (to any collection) fail as a vanished device's would.
  void FailWrites(int count);
  // Whether report descriptors can be read (they can by default).
  void SetDescriptorsReadable(bool readable);
  // Whether the system gives word of devices coming and going (it does by default).
  void SetHotplugLive(bool live);
  // Opening a node takes this long, as with a slow kernel.
  void SetOpenDelay(std::chrono::milliseconds delay);

  // Output reports a collection received, oldest first.
  std::vector<std::vector<std::uint8_t>> Written(std::size_t keyboard,
                                                 FakeCollection collection) const;
  // Handles open on the node holding a collection, or on all devices.
  int OpenHandles(std::size_t keyboard, FakeCollection collection) const;
  int OpenHandles() const;
  int init_calls() const;
  int enumerations() const;

  // Runs `use` on a keyboard's firmware under the bus lock.
  void WithFirmware(std::size_t keyboard, const std::function<void(vkb::Firmware&)>& use);

  // The hidapi side, called by the fake hid_* functions.
  int Init();
  hid_device_info* Enumerate(unsigned short vendor_id, unsigned short product_id);
  hid_device* Open(const char* path);
  void Close(hid_device* handle);
  int Write(hid_device* handle, const unsigned char* data, std::size_t length);
  int Read(hid_device* handle, unsigned char* data, std::size_t length, int milliseconds);
  const wchar_t* Error(hid_device* handle);

  // The system seam's side.
  std::optional<std::vector<std::uint8_t>> Descriptor(const std::string& path) const;
  bool hotplug_live() const;
  // What a hot-plug watcher has seen: changes of the devices and wake-ups.
  struct Seen {
    std::uint64_t changes = 0;
    std::uint64_t wakes = 0;
  };
  void WatchFrom(Seen& seen) const;
  // Waits until the devices changed (when word is given) or a wake-up came since `seen`, or the
  // timeout passed; `seen` is brought up to date.
  void WaitForChange(Seen& seen, std::chrono::milliseconds timeout);
  void WakeWaiters();

 private:
  struct Keyboard;

  FakeHidBus() = default;
  bool Stale(const hid_device& handle) const;
  void Broadcast(std::size_t keyboard, std::size_t node, const std::vector<std::uint8_t>& report);
  void NoteChange();

  mutable std::mutex mutex_;
  // Readers wait for input, the hot-plug watcher for plugging: apart, so that an answer wakes
  // only the readers, as with hidraw.
  std::condition_variable input_changed_;
  std::condition_variable plugging_changed_;
  std::vector<std::unique_ptr<Keyboard>> keyboards_;
  std::vector<hid_device*> handles_;
  int fail_writes_ = 0;
  bool reads_report_unplug_ = true;
  bool descriptors_readable_ = true;
  bool hotplug_live_ = true;
  std::chrono::milliseconds open_delay_{0};
  int init_calls_ = 0;
  int enumerations_ = 0;
  std::uint64_t changes_ = 0;
  std::uint64_t wakes_ = 0;
  std::wstring global_error_;
};

}  // namespace talon::test
