#pragma once
// A fake hidapi for testing the hidapi build of the service library: the hid_* functions the
// library calls, over keyboards made of the three collections a TALON7X-DUO shows, each backed
// by the firmware model. Configuration reports written to a keyboard are answered by its
// firmware on the configuration collection's input queue, as the keyboard does over USB.
//
// Like hidraw, every open handle has its own input queue, a report arriving while no handle is
// open is lost, and a handle opened before an unplug fails every later read and write (a
// replugged keyboard comes back under new paths).
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include <hidapi.h>

#include "firmware.h"

namespace talon::test {

enum class FakeCollection { kConfig, kConsumer, kIndicator };

class FakeHidBus {
 public:
  static FakeHidBus& Instance();

  // No keyboards, no failures, counters cleared. Every handle must be closed by then.
  void Reset();

  // Adds a plugged-in keyboard; returns its index.
  std::size_t AddKeyboard();
  void Plug(std::size_t keyboard);
  void Unplug(std::size_t keyboard);

  // An input report arriving on one collection of a keyboard (e.g. a consumer report).
  void SendInput(std::size_t keyboard, FakeCollection collection, std::vector<std::uint8_t> report);

  // Whether reads on a handle of an unplugged keyboard fail (hidraw does) or just time out, as
  // with kernels that do not report the disconnection through read().
  void SetReadsReportUnplug(bool report);

  // The next `count` writes (to any collection) fail as a vanished device's would.
  void FailWrites(int count);

  // Output reports a collection received, oldest first.
  std::vector<std::vector<std::uint8_t>> Written(std::size_t keyboard,
                                                 FakeCollection collection) const;
  // Handles open on one collection, or on all devices.
  int OpenHandles(std::size_t keyboard, FakeCollection collection) const;
  int OpenHandles() const;
  int init_calls() const;

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

 private:
  struct Keyboard;

  FakeHidBus() = default;
  bool Stale(const hid_device& handle) const;
  void Broadcast(std::size_t keyboard, FakeCollection collection,
                 const std::vector<std::uint8_t>& report);

  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<std::unique_ptr<Keyboard>> keyboards_;
  std::vector<hid_device*> handles_;
  int fail_writes_ = 0;
  bool reads_report_unplug_ = true;
  int init_calls_ = 0;
  std::wstring global_error_;
};

}  // namespace talon::test
