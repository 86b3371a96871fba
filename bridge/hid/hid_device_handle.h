#pragma once
// Ownership of hidapi device handles and copies of hidapi's error strings.
#include <memory>
#include <mutex>
#include <string>

#include <hidapi.h>

namespace talon::bridge {

struct HidDeviceCloser {
  void operator()(hid_device* device) const {
    if (device != nullptr) hid_close(device);
  }
};
using HidDeviceHandle = std::unique_ptr<hid_device, HidDeviceCloser>;

// hidapi keeps the error of hid_init, hid_enumerate and hid_open_path in one process-wide
// string that each call frees and replaces, so those calls (and the reads of that string) are
// made under this lock. Calls on an open handle only touch that handle's own error.
std::mutex& HidapiGlobalLock();

// Copies the handle's last error message (the global one for a null handle, under
// HidapiGlobalLock). Must be called before the handle is closed: hid_close frees the string.
std::string CopyHidError(hid_device* device);

}  // namespace talon::bridge
