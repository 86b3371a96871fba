#include "virtual_keyboard.h"

#include <cstdio>
#include <cstdlib>

#include <dlfcn.h>

namespace talon::bench {
namespace {

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "the benchmarks need the virtual keyboard build of libKbBridge.so: %s\n",
               what);
  std::exit(1);
}

template <typename Fn>
void Bind(void* library, const char* name, Fn& out) {
  out = reinterpret_cast<Fn>(dlsym(library, name));
  if (out == nullptr) Fail(name);
}

void UseOwnStateFile() {
  setenv("TALON7X_VKB_STATE", "/tmp/talon7x-bench-virtual-keyboard.state", 0);
}

}  // namespace

VirtualKeyboard& VirtualKeyboard::Get() {
  static VirtualKeyboard* keyboard = new VirtualKeyboard;
  return *keyboard;
}

VirtualKeyboard::VirtualKeyboard() {
  UseOwnStateFile();
  void* library = dlopen("libKbBridge.so", RTLD_NOW);
  if (library == nullptr) Fail(dlerror());
  Bind(library, "KbSimSetLatency", set_latency_);
  Bind(library, "KbSimFrameCount", frame_count_);
  Bind(library, "KbSimClearLog", clear_log_);
  Bind(library, "KbSimAnswerTimes", answer_times_);
}

std::chrono::nanoseconds VirtualKeyboard::Waited() const {
  std::uint64_t waited = 0;
  answer_times_(&waited, nullptr);
  return std::chrono::nanoseconds(waited);
}

std::chrono::nanoseconds VirtualKeyboard::Held() const {
  std::uint64_t held = 0;
  answer_times_(nullptr, &held);
  return std::chrono::nanoseconds(held);
}

DeviceLink& StartedLink() {
  static DeviceLink* link = [] {
    VirtualKeyboard::Get();
    auto* started = new DeviceLink;
    if (started->Start(nullptr) != StartResult::kStarted || started->start_count() == 0) {
      std::fprintf(stderr, "no virtual keyboard: %s\n", started->error().c_str());
      std::exit(1);
    }
    return started;
  }();
  return *link;
}

}  // namespace talon::bench
