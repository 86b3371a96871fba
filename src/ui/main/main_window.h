#pragma once
// CVexmoDlg: the program's one top-level window. It shows the keyboard picture with a button per
// key, the profile buttons, the lighting panel and its own function buttons; it lives hidden in
// the notification area between openings, receives every private message of the program (from
// the presence thread, a second instance, the controls) and runs the exit sequence. The lighting
// panel, the key assignment dialog and the profile manager plug in through window_seams.h.
#include <QString>

#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "device/presence.h"
#include "model/model_port.h"
#include "ui/main/keyboard_view.h"
#include "ui/main/main_faces.h"
#include "ui/main/main_window_services.h"
#include "ui/main/window_seams.h"
#include "ui/skin/base_dialog.h"

class QMenu;

namespace talon {

class CAboutDlg;
class CPngButton;
class CTrayIcon;
class ColorStatic;
class MainWindowCommands;
class WindowPresencePort;

// Why the window could not start; the program prints it and ends with a code of its own.
enum class StartFailure { kNone, kLibraryNotLoadable, kLibraryUnusable, kSkinPicture };

class CVexmoDlg : public CBaseDialog, public ModelPort {
 public:
  static constexpr int kTemplateId = 102;

  // Private messages (the wParam of most is a four-letter tag).
  static constexpr MessageId kMsgKill = 0x4D4B;
  static constexpr MessageId kMsgOpen = 0x5350;
  static constexpr MessageId kMsgInit = 0x4D4E;
  static constexpr MessageId kMsgProf = 0x5452;
  static constexpr MessageId kMsgLed = 0x5045;
  static constexpr MessageId kMsgLang = 0x5041;
  static constexpr MessageId kMsgSlider = 0x28D1;
  static constexpr MessageId kMsgRemoved = 0x4753;
  static constexpr MessageId kMsgSysCommand = 0x0112;
  static constexpr std::uint32_t kTagKill = MessageTag("KILL");
  static constexpr std::uint32_t kTagOpen = MessageTag("OPEN");
  static constexpr std::uint32_t kTagInit = MessageTag("INIT");
  static constexpr std::uint32_t kTagProf = MessageTag("PROF");
  static constexpr std::uint32_t kTagLed = MessageTag("LED");
  static constexpr std::uint32_t kTagLang = MessageTag("LANG");

  // Timers.
  static constexpr std::uint32_t kTimerBusy = 1050;
  static constexpr std::uint32_t kTimerLightingReload = 1051;
  static constexpr std::uint32_t kTimerPreview = 1052;

  using PanelFactory = std::function<std::unique_ptr<LightingPanelSeam>(CVexmoDlg&)>;
  using KeyEditorFactory = std::function<std::unique_ptr<KeyEditorSeam>(CVexmoDlg&)>;
  using ProfileEditorFactory = std::function<std::unique_ptr<ProfileEditorSeam>(CVexmoDlg&)>;
  struct Parts {
    PanelFactory lighting_panel;
    KeyEditorFactory key_editor;
    ProfileEditorFactory profile_editor;
  };

  // `quiet_start`: "/Start" was given; the window does not open by itself.
  CVexmoDlg(MainWindowServices services, Parts parts, bool quiet_start);
  ~CVexmoDlg() override;

  // Binds the keyboard library, starts following the keyboard, loads the skin, places every
  // control and posts itself 'INIT'. False when the program cannot run: start_failure() says
  // why and start_failure_detail() names the library or picture.
  bool OnInitDialog() override;
  StartFailure start_failure() const { return start_failure_; }
  const std::string& start_failure_detail() const { return start_failure_detail_; }

  // OK applies, then hides; Cancel hides. The window never ends on them.
  void OnOK() override;
  void OnCancel() override;
  void OnHelp() override;
  bool PreTranslateKey(const KeyMessage& key) override;

  // The exit sequence: hides, asks the secondary windows to close (a refusal ends it there),
  // releases what the program holds and ends the program. False when it was abandoned.
  bool ExitSequence();

  // ModelPort: what the model needs of the window (on the window's thread).
  MessageAnswer ShowMessage(const MessageRequest& request) override;
  void RedrawKeyButton(KeySlot slot, int profile) override;
  void ReloadKeyButtons() override;
  void SetApplyEnabled(bool enabled) override;

  // For the parts plugged in, and for tests.
  MainWindowServices& Services() { return services_; }
  ModelContext Model();
  const MainFaces& Faces() const { return faces_; }
  KeyboardView& Keys() { return keys_; }
  CPngButton* ButtonById(int control_id) const;
  int CurrentProfile() const { return current_profile_; }
  bool ApplyPending() const { return apply_pending_; }
  // The Apply command (control 1006), as the Yes of the profile question runs it.
  void RunApply();
  // Marks and tooltips of every key from the active profile's records (after an edit).
  void RefreshKeyButtons();
  // Every key and G key of the active profile back to Default; Apply enabled.
  void ResetKeyMapToDefaults();
  // The window's help page (F1, the help button and the editors' help).
  void OpenHelpPage();
  int Flip() const { return flip_; }
  bool IsReady() const { return ready_.load(); }
  bool IsQuietStart() const;
  CTrayIcon* Tray() const { return tray_.get(); }
  int TrayPicture() const { return tray_picture_; }
  // Null until the about box is first asked for.
  CAboutDlg* About() const { return about_.get(); }
  LightingPanelSeam* LightingPanel() const { return lighting_panel_.get(); }
  KeyEditorSeam* KeyEditor() const { return key_editor_.get(); }
  ProfileEditorSeam* ProfileEditor() const { return profile_editor_.get(); }
  // Runs a tray menu command (32771 open, 32773 about, 32774 exit).
  void OnTrayCommand(int command);
  // What a profile button does: shows profile 0-2 and makes it the keyboard's active one (with
  // the profile manager's questions). Automatic profiles switch this way too.
  void SelectProfile(int profile);
  // Runs `step` once the window is ready (its 'INIT' handled: tray icon made, presence free to
  // reach it); at once when it is already.
  void WhenReady(std::function<void()> step);
  // The restore/backup menu of control 1139, with its texts in the current language.
  QMenu* RestoreBackupMenu();

 protected:
  static const MessageMap& ClassMessageMap();
  const MessageMap& GetMessageMap() const override { return ClassMessageMap(); }
  void closeEvent(QCloseEvent* event) override;

 private:
  friend class WindowPresencePort;

  bool StartDevice();
  bool LoadPictures();
  void PlaceControls();
  void PlaceFunctionButton(CPngButton*& button, std::string_view skin_key, int id);
  void StopFollowingKeyboard();

  // Private messages.
  LResult OnKill(WParam w, LParam l);
  LResult OnOpen(WParam w, LParam l);
  LResult OnInit(WParam w, LParam l);
  LResult OnProf(WParam w, LParam l);
  LResult OnLed(WParam w, LParam l);
  LResult OnLang(WParam w, LParam l);
  LResult OnSlider(WParam w, LParam l);
  LResult OnRemoved(WParam w, LParam l);
  LResult OnTimer(WParam w, LParam l);
  LResult OnSysCommand(WParam w, LParam l);
  LResult OnOwnMessage(WParam w, LParam l);

  // Commands.
  void OnKeyButton(int control_id);
  void OnGKey(int control_id);
  void OnKeyEditorButton(int control_id);
  void OnProfiles();
  void OnApply();
  void OnLink();
  void OnSocialLink(int control_id);
  void OnMinimize();
  void OnClose();
  void OnFlip();
  void OnProfileButton(int control_id);
  void OnDefault();
  void OnMenu();
  void OnPanelCommand(int control_id);
  void OnPanelSelChange(int control_id);
  void OnPanelEditChange(int control_id);
  void OnPanelTextChange(int control_id);
  void OnRestore();
  void OnBackup();
  void OnProfileMenu(int command);
  void OnTrayOpen();
  void OnTrayAbout();
  void OnTrayExit();

  void OpenMainWindow();
  void CheckFirmwareVersion();
  void ShowAbout();
  void ShowProfileSelected(int profile);
  void ShowApplyEnabled();
  void SetTrayPicture(int picture);
  void ShowGBank(bool bank_b);
  void ApplyFlip();
  void OnFlipHover(CPngButton& button, bool entered);
  void OnBankHover(bool entered);
  void LoadTexts(int language_index);
  std::string Text(std::string_view key) const;
  bool CloseSecondaryWindows();
  void UpdatePreviewTimer();
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void changeEvent(QEvent* event) override;

  MainWindowServices services_;
  Parts parts_;
  StartFailure start_failure_ = StartFailure::kNone;
  std::string start_failure_detail_;
  bool quiet_start_requested_;

  MainFaces faces_;
  KeyboardView keys_;
  std::string link_;

  // The window's own buttons, by role.
  CPngButton* ok_ = nullptr;
  CPngButton* cancel_ = nullptr;
  CPngButton* profiles_ = nullptr;
  CPngButton* apply_ = nullptr;
  CPngButton* macro_ = nullptr;
  CPngButton* link_button_ = nullptr;
  CPngButton* help_ = nullptr;
  CPngButton* minimize_ = nullptr;
  CPngButton* close_ = nullptr;
  CPngButton* menu_button_ = nullptr;
  CPngButton* default_ = nullptr;
  CPngButton* bank_ = nullptr;
  std::array<CPngButton*, 3> locks_{};
  std::array<CPngButton*, 3> flip_buttons_{};  // indicator, left toggle, right toggle
  std::array<CPngButton*, 2> arrows_{};
  std::array<CPngButton*, 3> profile_buttons_{};
  std::array<CPngButton*, 3> social_{};
  ColorStatic* version_text_ = nullptr;

  int current_profile_ = 0;
  bool apply_pending_ = false;
  int flip_ = 0;
  int tray_picture_ = 0;
  std::atomic<bool> ready_{false};
  std::vector<std::function<void()>> when_ready_;
  bool exiting_ = false;
  bool exited_ = false;

  std::unique_ptr<MainWindowCommands> commands_;
  std::unique_ptr<WindowPresencePort> presence_port_;
  std::unique_ptr<KeyboardPresence> presence_;
  std::unique_ptr<CTrayIcon> tray_;
  std::unique_ptr<CAboutDlg> about_;
  std::unique_ptr<QMenu> restore_backup_menu_;
  std::unique_ptr<LightingPanelSeam> lighting_panel_;
  std::unique_ptr<KeyEditorSeam> key_editor_;
  std::unique_ptr<ProfileEditorSeam> profile_editor_;
};

}  // namespace talon
