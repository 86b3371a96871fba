#include "ui/main/main_window.h"

#include <QCloseEvent>
#include <QCursor>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QThread>

#include <cstdlib>
#include <utility>

#include "device/result_codes.h"
#include "model/keyboard_capture.h"
#include "shell/tray_icon.h"
#include "ui/main/about_dialog.h"
#include "ui/main/busy_indicator.h"
#include "ui/main/control_ids.h"
#include "ui/main/main_window_commands.h"
#include "ui/main/window_presence_port.h"
#include "ui/skin/color_static.h"
#include "ui/skin/control_binding.h"
#include "ui/skin/png_button.h"

namespace talon {
namespace {

constexpr MessageId kMsgOwn = 0x574E;  // see WindowPresencePort's tags
constexpr WParam kScMinimize = 0xF020;
constexpr std::size_t kMaxLinkChars = 260;
constexpr char kDefaultLink[] = "https://www.example.com/talon7x-duo/";
constexpr const char* kSocialLinks[] = {"https://www.example.com/talon7x-duo/",
                                        "https://www.example.com/talon7x-duo/community",
                                        "https://www.example.com/talon7x-duo/news"};
constexpr std::uint16_t kFirstOldFirmware = 1;
constexpr std::uint16_t kLastOldFirmware = 0x0103;
constexpr std::uint8_t kVkReturn = 0x0D;
constexpr std::uint8_t kVkEscape = 0x1B;
constexpr std::uint8_t kVkLeft = 0x25;
constexpr std::uint8_t kVkDown = 0x28;
constexpr ColorRef kApplyText = Rgb(6, 28, 36);
constexpr ColorRef kApplyTextDisabled = Rgb(90, 96, 106);
constexpr ColorRef kFieldText = Rgb(214, 219, 226);

bool Contains(const QWidget* outer, const QWidget* inner) {
  for (const QWidget* w = inner; w != nullptr; w = w->parentWidget()) {
    if (w == outer) return true;
  }
  return false;
}

}  // namespace

const MessageMap& CVexmoDlg::ClassMessageMap() {
  static constexpr MessageEntry kMessages[] = {
      OnTaggedMessage<&CVexmoDlg::OnKill>(kMsgKill, kTagKill),
      OnTaggedMessage<&CVexmoDlg::OnOpen>(kMsgOpen, kTagOpen),
      OnTaggedMessage<&CVexmoDlg::OnInit>(kMsgInit, kTagInit),
      OnTaggedMessage<&CVexmoDlg::OnProf>(kMsgProf, kTagProf),
      OnTaggedMessage<&CVexmoDlg::OnLed>(kMsgLed, kTagLed),
      OnTaggedMessage<&CVexmoDlg::OnLang>(kMsgLang, kTagLang),
      OnMessage<&CVexmoDlg::OnSlider>(kMsgSlider),
      OnMessage<&CVexmoDlg::OnRemoved>(kMsgRemoved),
      OnMessage<&CVexmoDlg::OnTimer>(msg::kTimer),
      OnMessage<&CVexmoDlg::OnSysCommand>(kMsgSysCommand),
      OnMessage<&CVexmoDlg::OnOwnMessage>(kMsgOwn)};
  // First match wins: the single ids inside the key and panel ranges come before the ranges.
  static constexpr CommandEntry kCommands[] = {
      OnCommandRange<&CVexmoDlg::OnGKey>(ctl::kG1, ctl::kG1 + 4),
      OnCommand<&CVexmoDlg::OnProfiles>(ctl::kProfiles),
      OnCommand<&CVexmoDlg::OnApply>(ctl::kApply),
      OnCommand<&CVexmoDlg::OnKeyEditorButton>(ctl::kMacro),
      OnCommandRange<&CVexmoDlg::OnKeyButton>(ctl::kFirstKey, ctl::kLastKey),
      OnCommand<&CVexmoDlg::OnLink>(ctl::kLink),
      OnCommand<&CVexmoDlg::OnHelp>(ctl::kHelp),
      OnCommand<&CVexmoDlg::OnMinimize>(ctl::kMinimize),
      OnCommand<&CVexmoDlg::OnClose>(ctl::kClose),
      OnCommandRange<&CVexmoDlg::OnFlip>(ctl::kFlipLeft, ctl::kFlipRight),
      OnCommandRange<&CVexmoDlg::OnProfileButton>(ctl::kProfile1, ctl::kProfile1 + 2),
      OnCommand<&CVexmoDlg::OnDefault>(ctl::kDefault),
      OnCommand<&CVexmoDlg::OnMenu>(ctl::kMenu),
      OnCommandRange<&CVexmoDlg::OnKeyEditorButton>(ctl::kG6, ctl::kG9),
      OnCommand<&CVexmoDlg::OnGKey>(ctl::kFn),
      OnCommandRange<&CVexmoDlg::OnSocialLink>(ctl::kNetwork, ctl::kTwitter),
      OnCommandRange<&CVexmoDlg::OnPanelCommand>(ctl::kFirstPanel, ctl::kLastPanel),
      OnCommandRange<&CVexmoDlg::OnPanelSelChange>(ctl::kFirstPanel, ctl::kLastPanel,
                                                   Notification::kSelChange),
      OnCommandRange<&CVexmoDlg::OnPanelEditChange>(ctl::kFirstPanel, ctl::kLastPanel,
                                                    Notification::kEditChange),
      OnCommandRange<&CVexmoDlg::OnPanelTextChange>(ctl::kFirstPanel, ctl::kLastPanel,
                                                    Notification::kTextChange),
      OnCommand<&CVexmoDlg::OnTrayOpen>(CTrayIcon::kCommandOpen),
      OnCommand<&CVexmoDlg::OnTrayAbout>(CTrayIcon::kCommandAbout),
      OnCommand<&CVexmoDlg::OnTrayExit>(CTrayIcon::kCommandExit),
      OnCommand<&CVexmoDlg::OnRestore>(ctl::kMenuRestore),
      OnCommand<&CVexmoDlg::OnBackup>(ctl::kMenuBackup),
      OnCommandRange<&CVexmoDlg::OnProfileMenu>(ctl::kProfileMenuFirst, ctl::kProfileMenuLast)};
  static const MessageMap kMap{kMessages, kCommands, &CBaseDialog::ClassMessageMap()};
  return kMap;
}

CVexmoDlg::CVexmoDlg(MainWindowServices services, Parts parts, bool quiet_start)
    : CBaseDialog(kTemplateId, nullptr, services.paths.main_skin,
                  SkinPaths::SkinFolderOf(services.paths.main_skin)),
      services_(std::move(services)),
      parts_(std::move(parts)),
      quiet_start_requested_(quiet_start) {
  // A window of its own (a task-bar entry while shown), without the platform's frame: the
  // skin draws it.
  setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
  SetHelpHandler([this] { OpenHelpPage(); });
}

CVexmoDlg::~CVexmoDlg() {
  // Presence first: its worker may be about to reach this window.
  StopFollowingKeyboard();
  lighting_panel_.reset();
  key_editor_.reset();
  profile_editor_.reset();
}

ModelContext CVexmoDlg::Model() {
  return MakeContext(services_.model, services_.commands, *this, services_.language);
}

std::string CVexmoDlg::Text(std::string_view key) const {
  return services_.language.Text(key);
}

// ---- start-up ----

bool CVexmoDlg::OnInitDialog() {
  if (!CBaseDialog::OnInitDialog()) {
    start_failure_ = StartFailure::kSkinPicture;
    start_failure_detail_ =
        services_.paths.main_skin.string() + " (its [SCREEN] Main or Mask picture)";
    return false;
  }
  if (!StartDevice()) return false;
  {
    auto store = Model().store.Lock();
    store->launch_strings.Clear();
    store->recording = false;
  }
  SetApplyEnabled(false);
  if (!LoadPictures()) {
    StopFollowingKeyboard();
    return false;
  }
  link_ = CutToChars(SkinFile().Get("SCREEN", "Link", kDefaultLink).value_or(kDefaultLink),
                     kMaxLinkChars);
  PlaceControls();
  setWindowTitle(QString::fromStdString(Text("MAIN_CAPTION")));
  Post(kMsgInit, kTagInit, 0);
  Send(kMsgLang, kTagLang, services_.language.Index());
  return true;
}

bool CVexmoDlg::StartDevice() {
  presence_port_ = std::make_unique<WindowPresencePort>(*this);
  presence_ =
      std::make_unique<KeyboardPresence>(services_.link, services_.commands, *presence_port_);
  services_.commands.ForgetActiveProfile();
  switch (services_.link.Start(presence_.get())) {
    case StartResult::kStarted:
      break;
    case StartResult::kLibraryNotLoadable:
      start_failure_ = StartFailure::kLibraryNotLoadable;
      start_failure_detail_ = services_.link.error();
      StopFollowingKeyboard();
      return false;
    case StartResult::kEntryMissing:
    case StartResult::kInitFailed:
      start_failure_ = StartFailure::kLibraryUnusable;
      start_failure_detail_ = services_.link.error();
      StopFollowingKeyboard();
      return false;
  }
  // Without a keyboard at start the first arrival does not open the window, so a start with
  // the session stays in the tray; without a tray it must open, or the program could not be
  // found at all.
  const bool no_keyboard = services_.link.start_count() == 0;
  if (quiet_start_requested_ || (no_keyboard && QSystemTrayIcon::isSystemTrayAvailable())) {
    presence_->SetQuietStart();
  }
  return true;
}

void CVexmoDlg::StopFollowingKeyboard() {
  // The presence worker may be waiting for this window right now, which is about to wait for
  // the worker: release it first.
  AbandonSends();
  presence_.reset();
}

bool CVexmoDlg::LoadPictures() {
  std::string failed;
  if (!faces_.Load(ImageFolder(), Background().size(), failed)) {
    start_failure_ = StartFailure::kSkinPicture;
    start_failure_detail_ = failed;
    return false;
  }
  return true;
}

void CVexmoDlg::PlaceFunctionButton(CPngButton*& button, std::string_view skin_key, int id) {
  button = new CPngButton(this);
  PlaceImageButton(*button, SkinFile(), skin_key, faces_.Keys(), id);
}

void CVexmoDlg::PlaceControls() {
  const CIniFile& skin = SkinFile();
  keys_.Place(*this, skin, faces_);
  PlaceFunctionButton(link_button_, "TORVEL_LINK", ctl::kLink);
  PlaceFunctionButton(profiles_, "FUNC_PROFILES", ctl::kProfiles);
  profiles_->SetTextStyle(true, 10, "Arial Unicode MS", kFieldText, Rgb(255, 255, 255), kFieldText,
                          kApplyTextDisabled, kFieldText);
  PlaceFunctionButton(macro_, "FUNC_MACRO", ctl::kMacro);
  PlaceFunctionButton(ok_, "CONTROL_OK", ctl::kOk);
  PlaceFunctionButton(cancel_, "CONTROL_CANCEL", ctl::kCancel);
  PlaceFunctionButton(help_, "CONTROL_HELP", ctl::kHelp);
  PlaceFunctionButton(close_, "CONTROL_CLOSE", ctl::kClose);
  PlaceFunctionButton(minimize_, "CONTROL_MINIMIZE", ctl::kMinimize);
  PlaceFunctionButton(menu_button_, "CONTROL_MENU", ctl::kMenu);
  PlaceFunctionButton(apply_, "CONTROL2_APPLY", ctl::kApply);
  apply_->SetTextStyle(true, 10, "Arial Unicode MS", kApplyText, kApplyText, kApplyText,
                       kApplyTextDisabled, kApplyText);
  const char* const lock_keys[] = {"LOCK_CAPS", "LOCK_NUM", "LOCK_SCROLL"};
  for (int i = 0; i < 3; ++i) PlaceFunctionButton(locks_[i], lock_keys[i], ctl::kLockCaps + i);
  PlaceFunctionButton(bank_, "LOCK_AB", ctl::kLockBank);
  bank_->SetHoverCallback([this](CPngButton&, bool entered) { OnBankHover(entered); });
  const char* const flip_keys[] = {"FLIP_0", "FLIP_1", "FLIP_2"};
  for (int i = 0; i < 3; ++i) {
    PlaceFunctionButton(flip_buttons_[i], flip_keys[i], ctl::kFlipIndicator + i);
    flip_buttons_[i]->SetHoverCallback(
        [this](CPngButton& button, bool entered) { OnFlipHover(button, entered); });
  }
  const std::string stored = services_.preferences.GetProfileString("PROFILES", "Flip", "0");
  flip_ = std::atoi(stored.c_str());
  ApplyFlip();
  for (int i = 0; i < 2; ++i) {
    arrows_[i] = new CPngButton(this);
    SetControlId(*arrows_[i], ctl::kLeftArrow + i);
    arrows_[i]->hide();
  }
  version_text_ = new ColorStatic(this);
  PlaceControl(*version_text_, skin, "TORVEL_VER");
  SetControlId(*version_text_, ctl::kVersionText);
  version_text_->clear();
  version_text_->setEnabled(false);
  for (int i = 0; i < 3; ++i) {
    PlaceFunctionButton(profile_buttons_[i], "FUNC_PROFILE" + std::to_string(i + 1),
                        ctl::kProfile1 + i);
  }
  PlaceFunctionButton(default_, "FUNC_DEFAULT", ctl::kDefault);
  const char* const social_keys[] = {"CONTROL_Network", "CONTROL_Facebook", "CONTROL_twitter"};
  for (int i = 0; i < 3; ++i) PlaceFunctionButton(social_[i], social_keys[i], ctl::kNetwork + i);

  auto* busy = new BusyIndicator(*this, kTimerBusy, ImageFolder());
  PlaceControl(*busy, skin, "CONTROL_JDTStatic");
  SetControlId(*busy, ctl::kBusy);
  commands_ = std::make_unique<MainWindowCommands>(*this, *busy);

  ShowGBank(services_.model.g_bank.bank_b());
  ShowProfileSelected(current_profile_);

  if (parts_.lighting_panel) lighting_panel_ = parts_.lighting_panel(*this);
  if (lighting_panel_) lighting_panel_->Create();
  if (parts_.key_editor) key_editor_ = parts_.key_editor(*this);
  if (parts_.profile_editor) profile_editor_ = parts_.profile_editor(*this);
}

// ---- private messages ----

LResult CVexmoDlg::OnKill(WParam, LParam) {
  ExitSequence();
  return 0;
}

LResult CVexmoDlg::OnOpen(WParam, LParam) {
  OpenMainWindow();
  CheckFirmwareVersion();
  return 0;
}

LResult CVexmoDlg::OnInit(WParam, LParam) {
  tray_ = std::make_unique<CTrayIcon>(
      services_.paths.program_folder / "icons", [this](int command) { OnTrayCommand(command); },
      [this](int command) {
        const char* key = command == CTrayIcon::kCommandOpen    ? "MENU_11"
                          : command == CTrayIcon::kCommandAbout ? "MENU_22"
                                                                : "MENU_33";
        return QString::fromStdString(Text(key));
      });
  const bool has_tray =
      tray_->Create(QString::fromStdString(Text("KEYBOARD_TRAY_DESC")), kTrayNoKeyboard);
  tray_picture_ = kTrayNoKeyboard;
  if (profile_editor_) profile_editor_->BuildProfileMenu(true);
  ready_ = true;
  hide();
  for (auto& step : std::exchange(when_ready_, {})) step();
  // With no notification area, a start without "/Start" and without a keyboard says so at
  // once; the window opens when the keyboard arrives or the program is started again.
  if (!has_tray && !quiet_start_requested_ && services_.link.start_count() == 0) OpenMainWindow();
  return 0;
}

LResult CVexmoDlg::OnProf(WParam, LParam) {
  ReloadFromKeyboard(Model(), services_.profile_paths, false);
  const int active = services_.commands.GetActiveProfile();
  current_profile_ = active >= 0 && active < 3 ? active : 0;
  ShowProfileSelected(current_profile_);
  if (lighting_panel_) lighting_panel_->OnKeyboardAttached(current_profile_);
  return 0;
}

LResult CVexmoDlg::OnLed(WParam, LParam) {
  const int profile = services_.commands.GetActiveProfile();
  auto store = Model().store.Lock();
  keys_.ShowGRecords(store->key_block.profile(profile >= 0 ? profile : current_profile_),
                     services_.model.g_bank, store->macros, services_.language);
  return 0;
}

LResult CVexmoDlg::OnLang(WParam, LParam index) {
  if (about_ && about_->IsOpen()) about_->Send(CAboutDlg::kMsgLang, kTagLang, index);
  if (key_editor_ && key_editor_->IsOpen()) key_editor_->LoadTexts(static_cast<int>(index));
  LoadTexts(static_cast<int>(index));
  return 0;
}

LResult CVexmoDlg::OnSlider(WParam control_id, LParam position) {
  if (lighting_panel_) {
    lighting_panel_->OnSliderMoved(static_cast<int>(control_id), static_cast<int>(position));
  }
  return 0;
}

LResult CVexmoDlg::OnRemoved(WParam, LParam) {
  CloseSecondaryWindows();
  if (lighting_panel_ && lighting_panel_->EffectCombo() != nullptr) {
    lighting_panel_->EffectCombo()->setFocus();
  }
  return 0;
}

LResult CVexmoDlg::OnTimer(WParam timer, LParam) {
  switch (timer) {
    case kTimerBusy:
      if (auto* busy = ControlAs<BusyIndicator>(ctl::kBusy)) busy->NextFrame();
      break;
    case kTimerLightingReload:
      KillTimer(kTimerLightingReload);
      if (lighting_panel_) lighting_panel_->OnKeyboardLightingChanged();
      break;
    case kTimerPreview:
      if (lighting_panel_ && lighting_panel_->LightingMode()) lighting_panel_->PreviewStep();
      break;
    default:
      break;
  }
  return 0;
}

LResult CVexmoDlg::OnSysCommand(WParam command, LParam) {
  if (command >= 0x10 && command <= 0x1F) {
    ShowAbout();
  } else if (command == kScMinimize) {
    showMinimized();
  }
  return 0;
}

LResult CVexmoDlg::OnOwnMessage(WParam tag, LParam l) {
  switch (tag) {
    case WindowPresencePort::kTagHide:
      hide();
      break;
    case WindowPresencePort::kTagTray:
      SetTrayPicture(static_cast<int>(l));
      break;
    case WindowPresencePort::kTagBank:
      ShowGBank(l != 0);
      break;
    case WindowPresencePort::kTagText:
      ShowMessage({reinterpret_cast<const char*>(l), {}, MessageButtons::kOk});
      break;
    default:
      break;
  }
  return 0;
}

// ---- opening, the firmware check, exit ----

void CVexmoDlg::OpenMainWindow() {
  if (services_.link.CountDevices() == 0) {
    services_.message_box.Show({Text("MAIN_NO_DEVICE_PROMPT"), "", MessageBoxButtons::kOk});
    return;
  }
  if (isMinimized()) showNormal();
  show();
  raise();
  activateWindow();
}

void CVexmoDlg::CheckFirmwareVersion() {
  DeviceInfoBlock block;
  if (services_.commands.ReadDeviceInfo(block) != kDone) return;
  const std::uint16_t version = block.firmware_version();
  if (version < kFirstOldFirmware || version > kLastOldFirmware) return;
  QThread::msleep(10);
  const MessageBoxResult answer = services_.message_box.Show(
      {"The current version is too low!", "Version update", MessageBoxButtons::kOkCancel});
  if (answer != MessageBoxResult::kOk) {
    // Ends at once, as the prompt promises; nothing has been changed that needs saving.
    exited_ = true;
    services_.end_program(0);
    return;
  }
  QThread::msleep(10);
  services_.desktop.StartProgram(services_.paths.firmware_updater, {"In", "the", "upgrade"},
                                 services_.paths.help_folder);
}

bool CVexmoDlg::CloseSecondaryWindows() {
  bool closed = true;
  if (about_ && about_->IsOpen()) about_->Close();
  if (key_editor_ && key_editor_->IsOpen()) closed = key_editor_->CloseAsCancelled() && closed;
  if (profile_editor_ && profile_editor_->IsOpen()) {
    closed = profile_editor_->CloseAsCancelled() && closed;
  }
  return closed;
}

bool CVexmoDlg::ExitSequence() {
  if (exited_) return true;
  hide();
  if (!CloseSecondaryWindows()) return false;
  exiting_ = true;
  if (services_.release_instance) services_.release_instance();
  StopFollowingKeyboard();
  KillTimer(kTimerPreview);
  if (tray_) tray_->Remove();
  tray_picture_ = 0;
  SetApplyEnabled(false);
  {
    auto store = Model().store.Lock();
    ReleaseContents(*store);
  }
  exited_ = true;
  services_.end_program(0);
  return true;
}

void CVexmoDlg::OnOK() {
  RunApply();
  hide();
}

void CVexmoDlg::OnCancel() {
  hide();
}

void CVexmoDlg::closeEvent(QCloseEvent* event) {
  // The window manager's close hides the window, as Cancel does; the program lives on.
  event->ignore();
  hide();
}

// ---- the keyboard filter ----

bool CVexmoDlg::PreTranslateKey(const KeyMessage& key) {
  if (CBaseDialog::PreTranslateKey(key)) return true;
  if (key.message != msg::kKeyDown && key.message != msg::kKeyUp) return false;
  if (key.vk == kVkReturn || key.vk == kVkEscape) return true;
  if (key.vk >= kVkLeft && key.vk <= kVkDown && lighting_panel_ != nullptr) {
    return Contains(lighting_panel_->EffectCombo(), key.target);
  }
  return false;
}

// ---- commands ----

void CVexmoDlg::OnKeyButton(int control_id) {
  if (control_id >= ctl::kD1 && control_id < ctl::kD1 + KeyboardView::kDKeys) return;
  if (control_id == ctl::kSecondEnter) return;
  if (lighting_panel_ && lighting_panel_->LightingMode()) {
    lighting_panel_->OnKeyClicked(control_id);
  } else if (key_editor_) {
    key_editor_->OpenForKey(control_id);
  }
}

void CVexmoDlg::OnGKey(int control_id) {
  if (lighting_panel_ && lighting_panel_->LightingMode()) {
    lighting_panel_->OnKeyClicked(control_id);
  } else if (control_id != ctl::kFn && key_editor_) {
    // G1-G5 are as remappable as G6-G9.
    key_editor_->OpenForKey(control_id);
  }
}

void CVexmoDlg::OnKeyEditorButton(int control_id) {
  if (key_editor_) key_editor_->OpenForKey(control_id == ctl::kMacro ? ctl::kG9 : control_id);
}

void CVexmoDlg::OnProfiles() {
  if (profile_editor_) profile_editor_->OpenManager();
}

void CVexmoDlg::OnApply() {
  commands_->Apply();
}

void CVexmoDlg::RunApply() {
  OnApply();
}

void CVexmoDlg::OnLink() {
  services_.desktop.Open(link_);
}

void CVexmoDlg::OnSocialLink(int control_id) {
  services_.desktop.Open(kSocialLinks[control_id - ctl::kNetwork]);
}

void CVexmoDlg::OpenHelpPage() {
  services_.desktop.Open((services_.paths.help_folder / "index.html").string());
}

void CVexmoDlg::OnHelp() {
  OpenHelpPage();
}

void CVexmoDlg::OnMinimize() {
  Post(kMsgSysCommand, kScMinimize, 0);
}

void CVexmoDlg::OnClose() {
  ExitSequence();
}

void CVexmoDlg::OnFlip() {
  flip_ = 1 - flip_;
  if (flip_ != 0 && flip_ != 1) flip_ = 0;
  services_.preferences.WriteProfileString("PROFILES", "Flip", std::to_string(flip_));
  ApplyFlip();
}

void CVexmoDlg::ApplyFlip() {
  keys_.ApplyFlip(flip_);
  if (flip_buttons_[0] != nullptr) flip_buttons_[0]->Redraw();
}

void CVexmoDlg::OnFlipHover(CPngButton& button, bool entered) {
  const int id = ControlIdOf(button);
  if (id == ctl::kFlipIndicator) {
    for (int i = 0; i < 4; ++i) {
      if (CPngButton* key = keys_.Button(ctl::kF1 + i)) key->Redraw();
    }
    for (int i = 0; i < KeyboardView::kDKeys; ++i) keys_.Button(ctl::kD1 + i)->Redraw();
    keys_.Button(ctl::kF5)->Redraw();
    flip_buttons_[1]->Redraw();
    flip_buttons_[2]->Redraw();
    return;
  }
  if (!entered || faces_.arrow.IsNull()) return;
  const bool left = id == ctl::kFlipLeft;
  CPngButton* arrow = arrows_[left ? 0 : 1];
  const std::string face_key =
      std::string(flip_ == 1 ? "UP_ARROW_" : "DOWN_ARROW_") + (left ? "LEFT" : "RIGHT") + "1";
  const FaceSet faces{&faces_.arrow, &faces_.arrow, &faces_.arrow, &faces_.arrow, &faces_.arrow};
  PlaceImageButtonWithFaceKey(*arrow, SkinFile(), left ? "LEFT_ARROW" : "RIGHT_ARROW", face_key,
                              faces);
  arrow->show();
}

void CVexmoDlg::OnBankHover(bool) {
  for (unsigned n = 1; n <= kGKeyCount; ++n) keys_.GButton(n).Redraw();
}

void CVexmoDlg::WhenReady(std::function<void()> step) {
  if (ready_) {
    step();
  } else {
    when_ready_.push_back(std::move(step));
  }
}

void CVexmoDlg::OnProfileButton(int control_id) {
  SelectProfile(control_id - ctl::kProfile1);
}

void CVexmoDlg::SelectProfile(int profile) {
  if (profile < 0 || profile > 2) return;
  current_profile_ = profile;
  if (lighting_panel_) lighting_panel_->SelectProfile(profile);
  if (services_.commands.GetActiveProfile() != profile) {
    if (!profile_editor_ || profile_editor_->SwitchProfile(profile) == 0) return;
  }
  ShowProfileSelected(profile);
  RefreshKeyButtons();
}

void CVexmoDlg::ShowProfileSelected(int profile) {
  for (int i = 0; i < 3; ++i) {
    if (profile_buttons_[i] == nullptr) continue;
    const FaceSet faces = faces_.With(faces_.colour1);
    profile_buttons_[i]->ReplaceFaces(faces.normal, faces.hover, faces.pressed, faces.disabled,
                                      faces.other);
    profile_buttons_[i]->SetOtherState(i == profile);
  }
}

void CVexmoDlg::OnDefault() {
  commands_->RestoreDefaults();
}

QMenu* CVexmoDlg::RestoreBackupMenu() {
  if (!restore_backup_menu_) {
    restore_backup_menu_ = std::make_unique<QMenu>();
    for (int command : {ctl::kMenuRestore, ctl::kMenuBackup}) {
      QAction* item = restore_backup_menu_->addAction(QString());
      item->setData(command);
      connect(item, &QAction::triggered, this, [this, command] {
        Send(msg::kCommand, MakeCommandWParam(command, Notification::kClicked));
      });
    }
  }
  const QList<QAction*> items = restore_backup_menu_->actions();
  items[0]->setText(QString::fromStdString(Text("MENU_1")));
  items[1]->setText(QString::fromStdString(Text("MENU_2")));
  return restore_backup_menu_.get();
}

void CVexmoDlg::OnMenu() {
  RestoreBackupMenu()->exec(QCursor::pos());
}

void CVexmoDlg::OnRestore() {
  commands_->Import();
}

void CVexmoDlg::OnBackup() {
  commands_->Export();
}

void CVexmoDlg::OnProfileMenu(int command) {
  if (profile_editor_) profile_editor_->SwitchProfile(command - (ctl::kProfileMenuFirst + 1));
}

void CVexmoDlg::OnPanelCommand(int control_id) {
  if (lighting_panel_) lighting_panel_->OnCommand(control_id, Notification::kClicked);
}

void CVexmoDlg::OnPanelSelChange(int control_id) {
  if (lighting_panel_) lighting_panel_->OnCommand(control_id, Notification::kSelChange);
}

void CVexmoDlg::OnPanelEditChange(int control_id) {
  if (lighting_panel_) lighting_panel_->OnCommand(control_id, Notification::kEditChange);
}

void CVexmoDlg::OnPanelTextChange(int control_id) {
  if (lighting_panel_) lighting_panel_->OnCommand(control_id, Notification::kTextChange);
}

void CVexmoDlg::OnTrayCommand(int command) {
  Send(msg::kCommand, MakeCommandWParam(command, Notification::kClicked));
}

void CVexmoDlg::OnTrayOpen() {
  OpenMainWindow();
}

void CVexmoDlg::OnTrayAbout() {
  ShowAbout();
}

void CVexmoDlg::OnTrayExit() {
  ExitSequence();
}

void CVexmoDlg::ShowAbout() {
  // Made at the first request: most runs never show it, and its text layout and style sheet
  // would cost the start.
  if (!about_) {
    about_ = std::make_unique<CAboutDlg>(
        services_.language, link_,
        QString::fromStdString(
            (services_.paths.program_folder / "icons" / "talon7x_64.png").string()),
        [this](const std::string& url) { services_.desktop.Open(url); },
        [this] { OpenHelpPage(); });
  }
  about_->Create();
}

// ---- what the window shows ----

CPngButton* CVexmoDlg::ButtonById(int control_id) const {
  return ControlAs<CPngButton>(control_id);
}

bool CVexmoDlg::IsQuietStart() const {
  return presence_ != nullptr && presence_->quiet_start();
}

void CVexmoDlg::SetTrayPicture(int picture) {
  if (picture == tray_picture_) return;
  tray_picture_ = picture;
  if (tray_) tray_->SetPicture(picture);
}

void CVexmoDlg::ShowGBank(bool bank_b) {
  keys_.ShowGBank(bank_b, faces_);
  if (bank_ != nullptr) {
    const FaceSheet& normal = bank_b && !faces_.colour1.IsNull() ? faces_.colour1 : faces_.normal;
    bank_->ReplaceFaces(&normal, &faces_.over, &faces_.down, &faces_.disabled, &faces_.colour0);
  }
  RefreshKeyButtons();
}

void CVexmoDlg::LoadTexts(int index) {
  const Language& language = services_.language;
  auto text = [&](const char* key) {
    return QString::fromStdString(language.LoadText(key, index));
  };
  minimize_->SetTooltip(text("MAIN_MINIMIZE_PROMPT"));
  menu_button_->SetTooltip(text("MAIN_MENU_PROMPT"));
  close_->SetTooltip(text("MAIN_CLOSE_PROMPT"));
  help_->SetTooltip(text("MAIN_HELP_PROMPT"));
  const std::pair<CPngButton*, const char*> captions[] = {
      {profile_buttons_[0], "PROFILE_1"}, {profile_buttons_[1], "PROFILE_2"},
      {profile_buttons_[2], "PROFILE_3"}, {macro_, "PROFILE_MACRO"},
      {default_, "PROFILE_DEFAULT"},      {ok_, "PROFILE_OK"},
      {cancel_, "PROFILE_CANCLE"},        {apply_, "PROFILE_APPLY"}};
  for (const auto& [button, key] : captions) {
    button->setText(text(key));
    button->SetTooltip(text(key));
  }
  if (lighting_panel_) lighting_panel_->LoadTexts(index);
}

// ---- ModelPort ----

MessageAnswer CVexmoDlg::ShowMessage(const MessageRequest& request) {
  MessageBoxRequest box;
  box.text = MessageText(request, services_.language);
  box.topmost = request.topmost;
  if (request.buttons == MessageButtons::kYesNo) {
    box.buttons = MessageBoxButtons::kYesNo;
    box.default_button = MessageBoxResult::kNo;
  }
  switch (services_.message_box.Show(box)) {
    case MessageBoxResult::kYes:
      return MessageAnswer::kYes;
    case MessageBoxResult::kNo:
    case MessageBoxResult::kCancel:
      return request.buttons == MessageButtons::kYesNo ? MessageAnswer::kNo : MessageAnswer::kOk;
    default:
      return request.buttons == MessageButtons::kYesNo ? MessageAnswer::kNo : MessageAnswer::kOk;
  }
}

void CVexmoDlg::RedrawKeyButton(KeySlot slot, int profile) {
  const int active = services_.commands.GetActiveProfile();
  if (profile != (active >= 0 ? active : current_profile_)) return;
  auto store = Model().store.Lock();
  keys_.ShowRecord(slot, store->key_block.record(static_cast<std::size_t>(profile), slot),
                   services_.model.g_bank, store->macros, services_.language);
}

void CVexmoDlg::ReloadKeyButtons() {
  RefreshKeyButtons();
  keys_.RedrawAll();
}

void CVexmoDlg::RefreshKeyButtons() {
  const int active = services_.commands.GetActiveProfile();
  const int profile = active >= 0 ? active : current_profile_;
  auto store = Model().store.Lock();
  keys_.ShowRecords(store->key_block.profile(static_cast<std::size_t>(profile)),
                    services_.model.g_bank, store->macros, services_.language);
}

void CVexmoDlg::ResetKeyMapToDefaults() {
  const int profile = services_.commands.GetActiveProfile();
  if (profile < 0) return;
  {
    auto store = Model().store.Lock();
    KeyBlock& block = store->key_block;
    for (unsigned n = 1; n <= kGKeyCount; ++n) {
      block.record(static_cast<std::size_t>(profile), services_.model.g_bank.SlotOfGButton(n)) = {};
    }
    for (std::size_t i = 0; i < kKeyButtonCount; ++i) {
      block.record(static_cast<std::size_t>(profile), SlotOfKey(KeyOfButton(i))) = {};
    }
  }
  RefreshKeyButtons();
  SetApplyEnabled(true);
}

void CVexmoDlg::SetApplyEnabled(bool enabled) {
  apply_pending_ = enabled;
  if (apply_ != nullptr) apply_->setEnabled(enabled);
}

// ---- the preview runs only while someone can see it ----

void CVexmoDlg::UpdatePreviewTimer() {
  const bool seen = isVisible() && !isMinimized() && !exiting_;
  if (seen && !IsTimerRunning(kTimerPreview)) {
    SetTimer(kTimerPreview, 50);
  } else if (!seen) {
    KillTimer(kTimerPreview);
  }
}

void CVexmoDlg::showEvent(QShowEvent* event) {
  CBaseDialog::showEvent(event);
  UpdatePreviewTimer();
}

void CVexmoDlg::hideEvent(QHideEvent* event) {
  CBaseDialog::hideEvent(event);
  UpdatePreviewTimer();
}

void CVexmoDlg::changeEvent(QEvent* event) {
  CBaseDialog::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange) UpdatePreviewTimer();
}

}  // namespace talon
