#include "device/presence.h"

#include <array>
#include <thread>

#include "device/result_codes.h"

namespace talon {

KeyboardPresence::KeyboardPresence(DeviceLink& link, KeyboardCommands& commands, PresencePort& port,
                                   std::chrono::milliseconds ready_poll)
    : link_(link), commands_(commands), port_(port), ready_poll_(ready_poll) {}

KeyboardPresence::~KeyboardPresence() {
  closing_ = true;
  link_.DetachEventPort(this);
  // A task under way may be waiting for the window, whose thread may be this one.
  while (queued_tasks_.load() > 0) {
    port_.ServeWaitingCalls();
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
}

void KeyboardPresence::PostCounted(SerialWorker& worker, std::function<void()> task) {
  ++queued_tasks_;
  worker.Post([this, task = std::move(task)] {
    if (!closing_) task();
    --queued_tasks_;
  });
}

void KeyboardPresence::WaitIdle() {
  presence_worker_.WaitIdle();
  tray_worker_.WaitIdle();
}

void KeyboardPresence::OnPresenceCount(int count) {
  PostCounted(presence_worker_, [this, count] { HandlePresence(count); });
}

void KeyboardPresence::OnConsumerCode(std::uint16_t code) {
  switch (code) {
    case consumer_code::kGBankSwitch:
      SwitchGBank();
      break;
    case consumer_code::kSettingsChanged:
      port_.StartLightingReloadTimer();
      break;
    case consumer_code::kPlayEnded:
    case consumer_code::kPlayStarted:
      PostCounted(tray_worker_, [this, code] { HandleTray(code); });
      break;
    default:  // 0x1801-0x1804 and anything else: nothing
      break;
  }
}

void KeyboardPresence::HandlePresence(int count) {
  if (count == last_count_) return;
  if (count == 0) {
    commands_.ForgetActiveProfile();
    port_.KeyboardRemoved();
    port_.HideMainWindow();
  } else {
    std::array<std::uint8_t, kKeyBankSize> map{};
    if (commands_.ReadDefaultKeyMap(map) == kDone) {
      port_.StoreDefaultKeyMap(map);
    } else {
      port_.ShowMessage("MAIN_DEFAULT_MATRIX_PROMPT");
    }
    DeviceInfoBlock block;
    if (commands_.ReadDeviceInfo(block) == kDone) port_.StoreMacroCapacity(block.macro_capacity());
    port_.RefreshProfile();
  }
  // The window may still be starting; it is waited for as long as it takes, but an exiting
  // program stops waiting.
  while (!port_.MainWindowReady()) {
    if (closing_) return;
    std::this_thread::sleep_for(ready_poll_);
  }
  const int picture = count != 0 ? kTrayKeyboardPresent : kTrayNoKeyboard;
  remembered_picture_ = picture;
  port_.SetTrayPicture(picture);
  last_count_ = count;
  if (!quiet_start_) {
    if (count != 0) port_.PostOpen();
    quiet_start_ = true;
  }
}

void KeyboardPresence::HandleTray(std::uint16_t code) {
  port_.SetTrayPicture(code == consumer_code::kPlayStarted ? kTrayPlaying
                                                           : remembered_picture_.load());
}

void KeyboardPresence::SwitchGBank() {
  std::lock_guard lock(gbank_mutex_);
  const std::uint8_t state = port_.FlipGBank();
  link_.WriteIndicator(state);
  port_.RedrawGKeys();
  port_.ShowGBank((state & 0x01) != 0);
}

}  // namespace talon
