#include "ui/main/window_presence_port.h"

#include <string>

#include "ui/main/main_window.h"

namespace talon {

namespace {
constexpr MessageId kMsgOwn = 0x574E;  // the window's own messages, see the tags
}  // namespace

void WindowPresencePort::StoreDefaultKeyMap(std::span<const std::uint8_t, kKeyBankSize> map) {
  window_.Services().model.default_key_map.Replace(map);
}

void WindowPresencePort::StoreMacroCapacity(std::size_t bytes) {
  window_.Services().model.macro_capacity.Set(bytes);
}

void WindowPresencePort::KeyboardRemoved() {
  window_.Send(CVexmoDlg::kMsgRemoved, 0, 0);
}

void WindowPresencePort::HideMainWindow() {
  window_.Post(kMsgOwn, kTagHide, 0);
}

void WindowPresencePort::RefreshProfile() {
  window_.Send(CVexmoDlg::kMsgProf, CVexmoDlg::kTagProf, 0);
}

void WindowPresencePort::RedrawGKeys() {
  // Posted: the callback thread must never wait for a window that may be waiting for an answer
  // from the keyboard on that same thread.
  window_.Post(CVexmoDlg::kMsgLed, CVexmoDlg::kTagLed, 0);
}

void WindowPresencePort::PostOpen() {
  window_.Post(CVexmoDlg::kMsgOpen, CVexmoDlg::kTagOpen, 0);
}

void WindowPresencePort::StartLightingReloadTimer() {
  window_.SetTimer(CVexmoDlg::kTimerLightingReload, 0);
}

std::uint8_t WindowPresencePort::FlipGBank() {
  return static_cast<std::uint8_t>(window_.Services().model.g_bank.Flip() >> 8);
}

bool WindowPresencePort::MainWindowReady() const {
  return window_.IsReady();
}

void WindowPresencePort::SetTrayPicture(int picture) {
  window_.Post(kMsgOwn, kTagTray, picture);
}

void WindowPresencePort::ShowGBank(bool bank_b) {
  window_.Post(kMsgOwn, kTagBank, bank_b ? 1 : 0);
}

void WindowPresencePort::ShowMessage(std::string_view text_key) {
  // Shown on the window's thread; the key lives until Send returns.
  const std::string key(text_key);
  window_.Send(kMsgOwn, kTagText, reinterpret_cast<LParam>(key.c_str()));
}

}  // namespace talon
