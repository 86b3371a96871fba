#include "ui/main/lighting_panel.h"

#include <QComboBox>
#include <QLineEdit>

#include <algorithm>

#include "platform/ini_file.h"
#include "shell/user_folder.h"
#include "ui/main/main_window.h"
#include "ui/skin/bitmap_slider.h"
#include "ui/skin/skin_color_btn.h"

namespace talon {
namespace {

using namespace lighting_id;

constexpr int kSpeedPictures = 10;  // speed position v shows picture 10 + v
constexpr int kMaxRgb = 255;
constexpr int kFirstEffect = 1;

}  // namespace

std::unique_ptr<LightingPanelSeam> LightingPanel::Make(CVexmoDlg& window) {
  return std::make_unique<LightingPanel>(window);
}

LightingPanel::LightingPanel(CVexmoDlg& window)
    : window_(window),
      lighting_(window.Services().commands, *this, window.Services().paths.user_settings_file),
      user_modes_(lighting_, *this, window.Services().paths.user_folder,
                  window.Services().paths.DefaultColourFile()),
      preview_(window.Keys()) {}

void LightingPanel::Create() {
  pictures_.Load(window_.ImageFolder());
  controls_.Create(window_, window_.SkinFile(), window_.Faces(), pictures_);
  controls_.user_mode_combo->setInsertPolicy(QComboBox::NoInsert);
  preview_.Attach();
}

void LightingPanel::LoadTexts(int language_index) {
  controls_.LoadTexts(window_.Services().language, language_index);
}

QWidget* LightingPanel::EffectCombo() {
  return controls_.effect_combo;
}

// ---- reading the keyboard's lighting ----

void LightingPanel::OnKeyboardAttached(int current_profile) {
  lighting_.set_current_profile(current_profile);
  lighting_.ReadLightingBlocks(true);
  Refresh();
  if (lighting_.OffersEffect(kUserColourEffect)) user_modes_.RecomputeBaseFlags();
}

void LightingPanel::OnKeyboardLightingChanged() {
  lighting_.ReadLightingBlocks(false);
  Refresh();
}

void LightingPanel::SelectProfile(int profile) {
  lighting_.set_current_profile(profile);
  lighting_.ReadLightingBlocks(false);
  if (lighting_.OffersEffect(kUserColourEffect)) user_modes_.FillUserModeNames(profile);
  Refresh();
  if (lighting_.lighting_mode()) LeaveLightingMode();
}

void LightingPanel::EffectListCleared() {
  controls_.effect_combo->clear();
  effect_combo_map_.clear();
}

void LightingPanel::ReloadUserColourModes(int profile) {
  user_modes_.FillUserModeNames(profile);
}

// Shows what the last read brought: the effect list, every value, the user group, and the
// controls of the stored effect when lighting mode is on.
void LightingPanel::Refresh() {
  EffectListCleared();
  const Language& language = window_.Services().language;
  for (const std::uint8_t effect : lighting_.device_info().effects()) {
    if (effect == 0) continue;
    controls_.effect_combo->addItem(QString::fromStdString(language.ModeText(effect)), effect);
    effect_combo_map_.push_back(effect);
  }
  ShowState();
  user_modes_.ShowMode();

  const LightingState& state = lighting_.state();
  const auto at = std::find(effect_combo_map_.begin(), effect_combo_map_.end(), state.effect);
  controls_.effect_combo->setCurrentIndex(
      at != effect_combo_map_.end() ? static_cast<int>(at - effect_combo_map_.begin()) : -1);
  controls_.ShowLightingMode(lighting_.lighting_mode());
  // The keyboard's own keys may have changed the effect: the animation starts again.
  preview_.ClearAll();
  preview_.Restart();
  ShowVisibility();

  if (lighting_.OffersEffect(kUserColourEffect) && controls_.user_mode_combo->count() > 0) {
    user_modes_.SelectUserMode(state.user_mode);
  }
  controls_.PlaceDirection(state.effect);
}

void LightingPanel::ShowState() {
  const LightingState& s = lighting_.state();
  controls_.ShowReportRate(s.report_rate);
  controls_.ShowBrightness(s.brightness);
  controls_.ShowSpeed(s.speed);
  controls_.ShowColour(s.colour);
  controls_.ShowColourful(s.colourful);
  controls_.ShowEffect17Colour(s.effect17_colour);
  controls_.ShowDirection(s.effect, s.direction);
}

void LightingPanel::ShowVisibility() {
  const bool on = lighting_.lighting_mode();
  const int effect = lighting_.state().effect;
  controls_.ShowFor(on, effect);
  if (on && effect == kUserColourEffect) ShowKeyColours(lighting_.current_profile());
}

int LightingPanel::SelectedEffect() const {
  const int position = controls_.effect_combo->currentIndex();
  if (position < 0 || position >= static_cast<int>(effect_combo_map_.size())) return 0;
  return effect_combo_map_[static_cast<std::size_t>(position)];
}

// ---- the controls ----

void LightingPanel::OnCommand(int id, Notification code) {
  switch (code) {
    case Notification::kSelChange:
      if (id == kEffectCombo) OnEffectChosen();
      if (id == kUserModeCombo) OnUserModeCommand(code);
      return;
    case Notification::kEditChange:
      if (id == kUserModeCombo) OnUserModeCommand(code);
      return;
    case Notification::kTextChange:
      if (id >= kRed && id < kRed + 3) ClampRgb(id);
      return;
    default:
      break;
  }
  const LightingState& state = lighting_.state();
  if (id == kDirectionLeftImage || id == kDirectionRightImage) {
    const std::uint8_t direction =
        id == kDirectionLeftImage ? talon::kDirectionLeft : talon::kDirectionRight;
    lighting_.SetDirection(direction);
    controls_.ShowDirection(state.effect, direction);
  } else if (id == kColour) {
    OnColourChosen(*controls_.colour);
  } else if (id == kReactiveColour) {
    OnColourChosen(*controls_.reactive_colour);
  } else if (id == kColourful || id == kReactiveColourful) {
    OnColourfulToggle();
  } else if (id >= kEffect17Red && id < kEffect17Red + 4) {
    lighting_.SetEffect17Colour(id - kEffect17Red);
    controls_.ShowEffect17Colour(id - kEffect17Red);
  } else if (id == kLightingToggle) {
    OnLightingToggle();
  } else if (id == kUserPaintColour) {
    user_modes_.SetPaintColour(controls_.user_paint->ShownColor());
  } else if (id == kUserBaseColour) {
    user_modes_.SetBaseColour(controls_.user_base->ShownColor());
  } else if (id == kUserTool0 || id == kUserTool1) {
    user_modes_.SetTool(id == kUserTool1 ? 1 : 0);
  } else {
    for (int k = 0; k < 4; ++k) {
      if (id != ReportRateId(k)) continue;
      lighting_.SetReportRate(k);
      controls_.ShowReportRate(k);
    }
  }
}

void LightingPanel::OnSliderMoved(int control_id, int position) {
  if (control_id == kBrightnessSlider) {
    controls_.brightness_slider->SetPicture(pictures_.Level(position));
    lighting_.SetBrightness(position);
  } else if (control_id == kSpeedSlider) {
    controls_.speed_slider->SetPicture(pictures_.Level(kSpeedPictures + position));
    lighting_.SetSpeedPosition(position);
  }
}

void LightingPanel::OnEffectChosen() {
  const int effect = SelectedEffect();
  if (effect != 0) ChangeEffect(effect);  // nothing chosen from an empty list: no effect
}

void LightingPanel::ChangeEffect(int effect) {
  preview_.ClearAll();
  controls_.PlaceDirection(effect);
  controls_.ShowDirection(effect, lighting_.state().direction);
  lighting_.SelectEffect(effect);
  preview_.Restart();
  ShowVisibility();
}

// A chosen colour turns colourful off: the keyboard lights the colour it was given.
void LightingPanel::OnColourChosen(CSkinColorBtn& button) {
  const Colour colour = button.ShownColor();
  lighting_.SetColour(colour);
  controls_.ShowColour(colour);
  controls_.ShowColourful(false);
}

void LightingPanel::OnColourfulToggle() {
  const bool on = !lighting_.state().colourful;
  lighting_.SetColourful(on);
  controls_.ShowColourful(on);
}

void LightingPanel::ClampRgb(int control_id) {
  QLineEdit* edit = controls_.rgb[static_cast<std::size_t>(control_id - kRed)];
  const QString text = QString::number(std::min(edit->text().toInt(), kMaxRgb));
  if (edit->text() != text) edit->setText(text);
}

// ---- lighting mode ----

void LightingPanel::WriteDengCheck(bool on) {
  // Before any keyboard was seen the per-user folder may not exist yet.
  const SkinPaths& paths = window_.Services().paths;
  EnsureUserFolder(paths);
  WriteIniString(paths.user_settings_file, "KEYCOLOR", "DengCheck", on ? "1" : "0");
}

void LightingPanel::OnLightingToggle() {
  if (lighting_.lighting_mode()) {
    LeaveLightingMode();
    return;
  }
  // Unapplied key changes are settled first (the profile question); a refusal keeps the panel
  // off, in memory as in the settings file.
  if (ProfileEditorSeam* profiles = window_.ProfileEditor()) {
    if (profiles->SwitchProfile(window_.Services().commands.GetActiveProfile()) == 0) return;
  }
  WriteDengCheck(true);
  lighting_.set_lighting_mode(true);
  controls_.ShowLightingMode(true);
  preview_.ClearAll();
  preview_.Restart();
  ShowVisibility();
  controls_.user_base->SetColor(user_modes_.base_colour());
}

void LightingPanel::LeaveLightingMode() {
  WriteDengCheck(false);
  lighting_.set_lighting_mode(false);
  controls_.ShowLightingMode(false);
  preview_.ClearAll();
  window_.ReloadKeyButtons();
  controls_.ShowFor(false, 0);
}

void LightingPanel::PreviewStep() {
  const LightingState& s = lighting_.state();
  preview_.Step({s.effect, s.colourful, s.colour, s.direction});
}

// ---- restoring defaults ----

void LightingPanel::RestoreDefaults() {
  const auto at = std::find(effect_combo_map_.begin(), effect_combo_map_.end(), kFirstEffect);
  if (at != effect_combo_map_.end()) {
    controls_.effect_combo->setCurrentIndex(static_cast<int>(at - effect_combo_map_.begin()));
  }
  ChangeEffect(kFirstEffect);
  if (lighting_.OffersEffect(kUserColourEffect) && user_modes_.RestoreDefaultFile()) {
    user_modes_.ShowMode();
  }
  lighting_.WriteDefaultBlock();
  ShowState();
}

// ---- the user colour group ----

void LightingPanel::OnKeyClicked(int control_id) {
  if (SelectedEffect() != kUserColourEffect) return;
  user_modes_.PaintLed(LightingPreview::LedOfControl(control_id));
}

void LightingPanel::OnUserModeCommand(Notification code) {
  QComboBox* combo = controls_.user_mode_combo;
  if (code == Notification::kSelChange) {
    if (combo->currentIndex() >= 0) user_modes_.SelectUserMode(combo->currentIndex());
  } else {
    user_modes_.RenameUserMode(combo->currentText().toStdString());
  }
}

void LightingPanel::SetModeNames(const std::array<std::string, kUserModes>& names) {
  QComboBox* combo = controls_.user_mode_combo;
  combo->clear();
  for (const std::string& name : names) combo->addItem(QString::fromStdString(name));
}

void LightingPanel::SetModeName(int mode, const std::string& name) {
  QComboBox* combo = controls_.user_mode_combo;
  if (mode < 0 || mode >= combo->count()) return;
  // Renamed in place while the user types: the cursor stays where it was.
  QLineEdit* edit = combo->lineEdit();
  const int cursor = edit != nullptr ? edit->cursorPosition() : 0;
  combo->setItemText(mode, QString::fromStdString(name));
  if (edit != nullptr && combo->currentIndex() == mode) edit->setCursorPosition(cursor);
}

void LightingPanel::ShowMode(int mode, Colour paint, Colour base, int tool) {
  if (mode < controls_.user_mode_combo->count()) controls_.user_mode_combo->setCurrentIndex(mode);
  controls_.user_paint->SetColor(paint);
  controls_.user_base->SetColor(base);
  controls_.ShowTool(tool);
}

void LightingPanel::TintKey(int led, Colour colour) {
  if (lighting_.lighting_mode()) preview_.TintLed(led, colour);
}

void LightingPanel::ShowKeyColours(int profile) {
  if (profile != lighting_.current_profile() || !lighting_.lighting_mode()) return;
  for (int led : UserColourModes::Leds()) {
    preview_.TintLed(led, lighting_.key_colours().Get(profile, led));
  }
}

}  // namespace talon
