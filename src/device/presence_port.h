#pragma once
// What the presence and keyboard-event handling needs from the rest of the program. The main
// window and the shell implement it; the model stores what is read at each attach. Calls come
// from the presence worker and the service library's threads.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "device/keyboard_commands.h"

namespace talon {

// Tray pictures, by their icon numbers.
inline constexpr int kTrayNoKeyboard = 128;
inline constexpr int kTrayKeyboardPresent = 141;
inline constexpr int kTrayPlaying = 142;

class PresencePort {
 public:
  virtual ~PresencePort() = default;

  // Read from the keyboard at every attach.
  virtual void StoreDefaultKeyMap(std::span<const std::uint8_t, kKeyBankSize> map) = 0;
  virtual void StoreMacroCapacity(std::size_t bytes) = 0;

  // Sent to the main window and waited for (messages 0x4753, 0x5452 'PROF', 0x5045 'LED').
  virtual void KeyboardRemoved() = 0;  // closes the secondary windows, focus to the effects
  virtual void HideMainWindow() = 0;
  virtual void RefreshProfile() = 0;  // re-reads profile, key map and lighting
  virtual void RedrawGKeys() = 0;     // the G keys of the now selected bank
  // Posted, not waited for (0x5350 'OPEN'): show the window and check the firmware.
  virtual void PostOpen() = 0;
  // The main window's timer 1051 with 0 ms: re-read the lighting when it fires.
  virtual void StartLightingReloadTimer() = 0;

  // Flips the G-bank state (kept with the key records it selects) and returns the new second
  // byte of the indicator word: bit 0 set while bank B is selected.
  virtual std::uint8_t FlipGBank() = 0;

  virtual bool MainWindowReady() const = 0;
  virtual void SetTrayPicture(int picture) = 0;
  // The "LOCK_AB" indicator: bank B selected or not.
  virtual void ShowGBank(bool bank_b) = 0;
  // A message box with an OK button showing the language text of `text_key`.
  virtual void ShowMessage(std::string_view text_key) = 0;

  // Called every few milliseconds on the thread that takes the presence handling down, while a
  // handler still runs: deliver the calls sent to the window that the handler waits for. The
  // window's thread is usually the one waiting; without this it would never serve them.
  virtual void ServeWaitingCalls() {}
};

}  // namespace talon
