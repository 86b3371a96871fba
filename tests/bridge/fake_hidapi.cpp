#include "fake_hidapi.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <thread>

#include "fake_keyboard_layout.h"
#include "kb_bridge_abi.h"

// An open handle: which node of which keyboard, from which plug-in, and its own queue.
struct hid_device_ {
  std::size_t keyboard = 0;
  std::size_t node = 0;
  unsigned generation = 0;
  std::deque<std::vector<std::uint8_t>> input;
  std::wstring error;
};

namespace talon::test {

namespace {

// hidraw keeps this many unread reports per handle and drops the oldest beyond.
constexpr std::size_t kInputQueueLimit = 64;

// Devices that are always present and must never be taken for the keyboard: another product
// of the same maker with a vendor collection of the same usage, and another maker's device.
struct ForeignDevice {
  const char* path;
  unsigned short vendor_id;
  unsigned short product_id;
  unsigned short usage_page;
  unsigned short usage;
};
constexpr std::array<ForeignDevice, 2> kForeignDevices = {{
    {"fake-hidraw/other-product", KB_VENDOR_ID, 0x5D28, KB_CONFIG_USAGE_PAGE, KB_CONFIG_USAGE},
    {"fake-hidraw/other-vendor", 0x046D, KB_PRODUCT_ID, KB_CONSUMER_USAGE_PAGE, KB_CONSUMER_USAGE},
}};

std::size_t IndexOf(FakeCollection collection) {
  return static_cast<std::size_t>(collection);
}

std::string PathOf(std::size_t keyboard, unsigned generation, std::size_t node) {
  return "fake-hidraw/kb" + std::to_string(keyboard) + "/g" + std::to_string(generation) + "/if" +
         std::to_string(node);
}

hid_device_info* NewInfo(const std::string& path, unsigned short vendor_id,
                         unsigned short product_id, unsigned short usage_page,
                         unsigned short usage) {
  auto* info = static_cast<hid_device_info*>(std::calloc(1, sizeof(hid_device_info)));
  info->path = strdup(path.c_str());
  info->vendor_id = vendor_id;
  info->product_id = product_id;
  info->usage_page = usage_page;
  info->usage = usage;
  info->interface_number = -1;
  return info;
}

}  // namespace

struct FakeHidBus::Keyboard {
  bool plugged = true;
  unsigned generation = 0;
  vkb::Firmware firmware;
  std::array<std::vector<std::vector<std::uint8_t>>, 5> written;
};

FakeHidBus& FakeHidBus::Instance() {
  static FakeHidBus bus;
  return bus;
}

void FakeHidBus::Reset() {
  std::lock_guard lock(mutex_);
  keyboards_.clear();
  fail_writes_ = 0;
  reads_report_unplug_ = true;
  descriptors_readable_ = true;
  hotplug_live_ = true;
  open_delay_ = std::chrono::milliseconds(0);
  init_calls_ = 0;
  enumerations_ = 0;
  global_error_.clear();
  NoteChange();
}

std::size_t FakeHidBus::AddKeyboard() {
  std::lock_guard lock(mutex_);
  keyboards_.push_back(std::make_unique<Keyboard>());
  NoteChange();
  return keyboards_.size() - 1;
}

void FakeHidBus::Plug(std::size_t keyboard) {
  std::lock_guard lock(mutex_);
  Keyboard& k = *keyboards_.at(keyboard);
  if (!k.plugged) ++k.generation;
  k.plugged = true;
  NoteChange();
}

void FakeHidBus::Unplug(std::size_t keyboard) {
  std::lock_guard lock(mutex_);
  keyboards_.at(keyboard)->plugged = false;
  NoteChange();
}

void FakeHidBus::SendInput(std::size_t keyboard, FakeCollection collection,
                           std::vector<std::uint8_t> report) {
  std::lock_guard lock(mutex_);
  Broadcast(keyboard, NodeOf(collection), report);
}

void FakeHidBus::SetReadsReportUnplug(bool report) {
  std::lock_guard lock(mutex_);
  reads_report_unplug_ = report;
}

void FakeHidBus::FailWrites(int count) {
  std::lock_guard lock(mutex_);
  fail_writes_ = count;
}

void FakeHidBus::SetDescriptorsReadable(bool readable) {
  std::lock_guard lock(mutex_);
  descriptors_readable_ = readable;
}

void FakeHidBus::SetHotplugLive(bool live) {
  std::lock_guard lock(mutex_);
  hotplug_live_ = live;
}

void FakeHidBus::SetOpenDelay(std::chrono::milliseconds delay) {
  std::lock_guard lock(mutex_);
  open_delay_ = delay;
}

std::vector<std::vector<std::uint8_t>> FakeHidBus::Written(std::size_t keyboard,
                                                           FakeCollection collection) const {
  std::lock_guard lock(mutex_);
  return keyboards_.at(keyboard)->written[IndexOf(collection)];
}

int FakeHidBus::OpenHandles(std::size_t keyboard, FakeCollection collection) const {
  std::lock_guard lock(mutex_);
  const std::size_t node = NodeOf(collection);
  return static_cast<int>(std::count_if(handles_.begin(), handles_.end(), [&](hid_device* h) {
    return h->keyboard == keyboard && h->node == node;
  }));
}

int FakeHidBus::OpenHandles() const {
  std::lock_guard lock(mutex_);
  return static_cast<int>(handles_.size());
}

int FakeHidBus::init_calls() const {
  std::lock_guard lock(mutex_);
  return init_calls_;
}

int FakeHidBus::enumerations() const {
  std::lock_guard lock(mutex_);
  return enumerations_;
}

void FakeHidBus::WithFirmware(std::size_t keyboard,
                              const std::function<void(vkb::Firmware&)>& use) {
  std::lock_guard lock(mutex_);
  use(keyboards_.at(keyboard)->firmware);
}

int FakeHidBus::Init() {
  std::lock_guard lock(mutex_);
  ++init_calls_;
  return 0;
}

hid_device_info* FakeHidBus::Enumerate(unsigned short vendor_id, unsigned short product_id) {
  std::lock_guard lock(mutex_);
  ++enumerations_;
  const auto wanted = [&](unsigned short vendor, unsigned short product) {
    return (vendor_id == 0 || vendor == vendor_id) && (product_id == 0 || product == product_id);
  };
  hid_device_info* first = nullptr;
  hid_device_info** next = &first;
  const auto append = [&](hid_device_info* info) {
    *next = info;
    next = &info->next;
  };
  for (std::size_t k = 0; k < keyboards_.size(); ++k) {
    if (!keyboards_[k]->plugged || !wanted(KB_VENDOR_ID, KB_PRODUCT_ID)) continue;
    for (const CollectionLayout& c : KeyboardCollections()) {
      append(NewInfo(PathOf(k, keyboards_[k]->generation, c.node), KB_VENDOR_ID, KB_PRODUCT_ID,
                     c.usage_page, c.usage));
    }
  }
  for (const ForeignDevice& d : kForeignDevices) {
    if (wanted(d.vendor_id, d.product_id)) {
      append(NewInfo(d.path, d.vendor_id, d.product_id, d.usage_page, d.usage));
    }
  }
  return first;
}

hid_device* FakeHidBus::Open(const char* path) {
  std::chrono::milliseconds delay{};
  {
    std::lock_guard lock(mutex_);
    delay = open_delay_;
  }
  std::this_thread::sleep_for(delay);
  std::lock_guard lock(mutex_);
  for (std::size_t k = 0; k < keyboards_.size(); ++k) {
    for (std::size_t node = 0; node < kNodeCount; ++node) {
      if (!keyboards_[k]->plugged || PathOf(k, keyboards_[k]->generation, node) != path) {
        continue;
      }
      auto* handle = new hid_device{k, node, keyboards_[k]->generation, {}, {}};
      handles_.push_back(handle);
      return handle;
    }
  }
  global_error_ = L"No such device";
  return nullptr;
}

void FakeHidBus::Close(hid_device* handle) {
  std::lock_guard lock(mutex_);
  std::erase(handles_, handle);
  delete handle;
}

int FakeHidBus::Write(hid_device* handle, const unsigned char* data, std::size_t length) {
  std::lock_guard lock(mutex_);
  if (Stale(*handle)) {
    handle->error = L"No such device";
    return -1;
  }
  if (fail_writes_ > 0) {
    --fail_writes_;
    handle->error = L"fake write failure";
    return -1;
  }
  const std::vector<std::uint8_t> report(data, data + length);
  const std::optional<FakeCollection> target = WriteTarget(handle->node, report);
  if (!target) {
    handle->error = L"no output report of that id";  // the device stalls it
    return -1;
  }
  Keyboard& keyboard = *keyboards_[handle->keyboard];
  keyboard.written[IndexOf(*target)].push_back(report);
  if (*target == FakeCollection::kConfig) {
    vkb::Report request{};
    std::copy_n(data, std::min(length, request.size()), request.begin());
    const vkb::Report answer = keyboard.firmware.Handle(request);
    Broadcast(handle->keyboard, handle->node, {answer.begin(), answer.end()});
  } else {
    keyboard.firmware.SetIndicator(report);
  }
  return static_cast<int>(length);
}

int FakeHidBus::Read(hid_device* handle, unsigned char* data, std::size_t length,
                     int milliseconds) {
  std::unique_lock lock(mutex_);
  const auto ready = [&] {
    return (reads_report_unplug_ && Stale(*handle)) || !handle->input.empty();
  };
  if (milliseconds < 0) {
    input_changed_.wait(lock, ready);
  } else {
    input_changed_.wait_for(lock, std::chrono::milliseconds(milliseconds), ready);
  }
  if (Stale(*handle)) {
    if (!reads_report_unplug_) return 0;
    handle->error = L"device disconnected";
    return -1;
  }
  if (handle->input.empty()) return 0;
  const std::vector<std::uint8_t> report = std::move(handle->input.front());
  handle->input.pop_front();
  const std::size_t size = std::min(length, report.size());
  std::copy_n(report.begin(), size, data);
  return static_cast<int>(size);
}

const wchar_t* FakeHidBus::Error(hid_device* handle) {
  std::lock_guard lock(mutex_);
  return handle != nullptr ? handle->error.c_str() : global_error_.c_str();
}

std::optional<std::vector<std::uint8_t>> FakeHidBus::Descriptor(const std::string& path) const {
  std::lock_guard lock(mutex_);
  if (!descriptors_readable_) return std::nullopt;
  for (std::size_t k = 0; k < keyboards_.size(); ++k) {
    for (std::size_t node = 0; node < kNodeCount; ++node) {
      if (keyboards_[k]->plugged && PathOf(k, keyboards_[k]->generation, node) == path) {
        const auto bytes = NodeDescriptor(node);
        return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
      }
    }
  }
  return std::nullopt;
}

bool FakeHidBus::hotplug_live() const {
  std::lock_guard lock(mutex_);
  return hotplug_live_;
}

void FakeHidBus::WatchFrom(Seen& seen) const {
  std::lock_guard lock(mutex_);
  seen = {changes_, wakes_};
}

void FakeHidBus::WaitForChange(Seen& seen, std::chrono::milliseconds timeout) {
  std::unique_lock lock(mutex_);
  plugging_changed_.wait_for(lock, timeout, [&] {
    return wakes_ != seen.wakes || (hotplug_live_ && changes_ != seen.changes);
  });
  seen.wakes = wakes_;
  if (hotplug_live_) seen.changes = changes_;
}

void FakeHidBus::WakeWaiters() {
  std::lock_guard lock(mutex_);
  ++wakes_;
  plugging_changed_.notify_all();
}

bool FakeHidBus::Stale(const hid_device& handle) const {
  const Keyboard& keyboard = *keyboards_.at(handle.keyboard);
  return !keyboard.plugged || keyboard.generation != handle.generation;
}

void FakeHidBus::Broadcast(std::size_t keyboard, std::size_t node,
                           const std::vector<std::uint8_t>& report) {
  for (hid_device* handle : handles_) {
    if (handle->keyboard != keyboard || handle->node != node || Stale(*handle)) continue;
    if (handle->input.size() == kInputQueueLimit) handle->input.pop_front();
    handle->input.push_back(report);
  }
  input_changed_.notify_all();
}

void FakeHidBus::NoteChange() {
  ++changes_;
  input_changed_.notify_all();  // a reader of an unplugged keyboard's node ends its read
  plugging_changed_.notify_all();
}

}  // namespace talon::test

// The hid_* functions the library calls, in place of hidapi's.
extern "C" {

int hid_init(void) {
  return talon::test::FakeHidBus::Instance().Init();
}

int hid_exit(void) {
  return 0;
}

hid_device_info* hid_enumerate(unsigned short vendor_id, unsigned short product_id) {
  return talon::test::FakeHidBus::Instance().Enumerate(vendor_id, product_id);
}

void hid_free_enumeration(hid_device_info* devices) {
  while (devices != nullptr) {
    hid_device_info* next = devices->next;
    std::free(devices->path);
    std::free(devices);
    devices = next;
  }
}

hid_device* hid_open_path(const char* path) {
  return talon::test::FakeHidBus::Instance().Open(path);
}

void hid_close(hid_device* device) {
  if (device != nullptr) talon::test::FakeHidBus::Instance().Close(device);
}

int hid_write(hid_device* device, const unsigned char* data, size_t length) {
  return talon::test::FakeHidBus::Instance().Write(device, data, length);
}

int hid_read_timeout(hid_device* device, unsigned char* data, size_t length, int milliseconds) {
  return talon::test::FakeHidBus::Instance().Read(device, data, length, milliseconds);
}

const wchar_t* hid_error(hid_device* device) {
  return talon::test::FakeHidBus::Instance().Error(device);
}

}  // extern "C"
