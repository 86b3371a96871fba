#include "virtual_keyboard_control.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

namespace talon::test {

namespace {

template <typename Fn>
void Bind(void* handle, const char* name, Fn& out) {
  out = reinterpret_cast<Fn>(dlsym(handle, name));
  if (out == nullptr) ADD_FAILURE() << "libKbBridge.so lacks " << name;
}

}  // namespace

VirtualKeyboardControl::VirtualKeyboardControl() {
  handle_ = dlopen("libKbBridge.so", RTLD_NOW);
  if (handle_ == nullptr) {
    ADD_FAILURE() << "cannot load libKbBridge.so: " << dlerror();
    return;
  }
  Bind(handle_, "KbSimReset", reset_);
  Bind(handle_, "KbSimPlug", plug_);
  Bind(handle_, "KbSimUnplug", unplug_);
  Bind(handle_, "KbSimRaiseConsumer", raise_);
  Bind(handle_, "KbSimInjectFault", inject_);
  Bind(handle_, "KbSimClearFaults", clear_faults_);
  Bind(handle_, "KbSimSetLatency", latency_);
  Bind(handle_, "KbSimReadMemory", read_);
  Bind(handle_, "KbSimWriteMemory", write_);
  Bind(handle_, "KbSimFrameCount", frame_count_);
  Bind(handle_, "KbSimGetFrame", get_frame_);
  Bind(handle_, "KbSimClearLog", clear_log_);
  Bind(handle_, "KbSimKeyActionAt", key_action_);
  Bind(handle_, "KbSimAnswerTimes", answer_times_);
}

VirtualKeyboardControl::~VirtualKeyboardControl() {
  if (handle_ != nullptr) dlclose(handle_);
}

std::vector<std::uint8_t> VirtualKeyboardControl::ReadMemory(std::uint32_t area,
                                                             std::uint32_t offset,
                                                             std::uint32_t length) const {
  std::vector<std::uint8_t> bytes(length);
  if (read_(area, offset, bytes.data(), length) != 1) bytes.clear();
  return bytes;
}

bool VirtualKeyboardControl::WriteMemory(std::uint32_t area, std::uint32_t offset,
                                         const std::vector<std::uint8_t>& bytes) const {
  return write_(area, offset, bytes.data(), static_cast<std::uint32_t>(bytes.size())) == 1;
}

std::vector<std::vector<std::uint8_t>> VirtualKeyboardControl::Frames() const {
  std::vector<std::vector<std::uint8_t>> frames;
  const std::uint32_t n = frame_count_();
  for (std::uint32_t i = 0; i < n; ++i) {
    std::vector<std::uint8_t> frame(KB_REPORT_SIZE);
    if (get_frame_(i, frame.data()) == 1) frames.push_back(std::move(frame));
  }
  return frames;
}

std::vector<std::uint8_t> VirtualKeyboardControl::Commands() const {
  std::vector<std::uint8_t> commands;
  for (const auto& frame : Frames()) commands.push_back(frame[3]);
  return commands;
}

std::optional<KbSimKeyAction> VirtualKeyboardControl::KeyActionAt(std::uint32_t position) const {
  KbSimKeyAction action{};
  if (key_action_(position, &action) != 1) return std::nullopt;
  return action;
}

VirtualKeyboardControl::AnswerTimes VirtualKeyboardControl::Answers() const {
  std::uint64_t waited = 0;
  std::uint64_t held = 0;
  answer_times_(&waited, &held);
  return {std::chrono::nanoseconds(waited), std::chrono::nanoseconds(held)};
}

}  // namespace talon::test
