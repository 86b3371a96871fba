#pragma once
// The main window as the presence handling sees it. Calls come from the presence worker and the
// library's callback threads: what must be waited for is sent to the window's thread (and given
// up when the window closes), what nobody waits for is posted.
#include "device/presence_port.h"

namespace talon {

class CVexmoDlg;

class WindowPresencePort : public PresencePort {
 public:
  // The window's own messages for what has no message of the design's (wParam tags).
  static constexpr std::uint32_t kTagHide = 0x48494445;  // 'HIDE'
  static constexpr std::uint32_t kTagTray = 0x54524159;  // 'TRAY', lParam the picture
  static constexpr std::uint32_t kTagBank = 0x42414E4B;  // 'BANK', lParam 1 for bank B
  static constexpr std::uint32_t kTagText = 0x54455854;  // 'TEXT', lParam a const char* key

  explicit WindowPresencePort(CVexmoDlg& window) : window_(window) {}

  void StoreDefaultKeyMap(std::span<const std::uint8_t, kKeyBankSize> map) override;
  void StoreMacroCapacity(std::size_t bytes) override;
  void KeyboardRemoved() override;
  void HideMainWindow() override;
  void RefreshProfile() override;
  void RedrawGKeys() override;
  void PostOpen() override;
  void StartLightingReloadTimer() override;
  std::uint8_t FlipGBank() override;
  bool MainWindowReady() const override;
  void SetTrayPicture(int picture) override;
  void ShowGBank(bool bank_b) override;
  void ShowMessage(std::string_view text_key) override;

 private:
  CVexmoDlg& window_;
};

}  // namespace talon
