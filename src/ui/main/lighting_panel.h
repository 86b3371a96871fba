#pragma once
// LightingPanel: the main window's lighting panel. It owns the lighting state of the keyboard's
// profiles, the user colour modes and the key picture's preview; it turns each control change
// into one exchange with the keyboard (nothing when nothing changed), shows what the keyboard
// holds after every read of the lighting blocks, and paints keys with the user colour effect.
#include <memory>
#include <string>
#include <vector>

#include "model/lighting.h"
#include "model/user_colours.h"
#include "ui/main/lighting_controls.h"
#include "ui/main/lighting_pictures.h"
#include "ui/main/preview.h"
#include "ui/main/window_seams.h"

namespace talon {

class CVexmoDlg;

class LightingPanel : public LightingPanelSeam, public LightingPort, public UserColourPort {
 public:
  // The factory the program hands the main window.
  static std::unique_ptr<LightingPanelSeam> Make(CVexmoDlg& window);

  explicit LightingPanel(CVexmoDlg& window);

  // LightingPanelSeam.
  void Create() override;
  void LoadTexts(int language_index) override;
  void OnCommand(int control_id, Notification code) override;
  void OnSliderMoved(int control_id, int position) override;
  void OnKeyboardAttached(int current_profile) override;
  void OnKeyboardLightingChanged() override;
  void SelectProfile(int profile) override;
  bool LightingMode() const override { return lighting_.lighting_mode(); }
  void OnKeyClicked(int control_id) override;
  void RestoreDefaults() override;
  void PreviewStep() override;
  QWidget* EffectCombo() override;

  // For tests and the screenshots.
  const LightingModel& lighting() const { return lighting_; }
  const UserColourModes& user_modes() const { return user_modes_; }
  const LightingControls& controls() const { return controls_; }
  const LightingPreview& preview() const { return preview_; }
  const std::vector<int>& effect_combo_map() const { return effect_combo_map_; }

 private:
  // LightingPort.
  void EffectListCleared() override;
  void ReloadUserColourModes(int profile) override;
  // UserColourPort.
  void SetModeNames(const std::array<std::string, kUserModes>& names) override;
  void SetModeName(int mode, const std::string& name) override;
  void ShowMode(int mode, Colour paint, Colour base, int tool) override;
  void TintKey(int led, Colour colour) override;
  void ShowKeyColours(int profile) override;

  void Refresh();
  void ShowState();
  void ShowVisibility();
  void OnEffectChosen();
  void ChangeEffect(int effect);
  void OnLightingToggle();
  void LeaveLightingMode();
  void OnColourChosen(CSkinColorBtn& button);
  void OnColourfulToggle();
  void OnUserModeCommand(Notification code);
  void ClampRgb(int control_id);
  void WriteDengCheck(bool on);
  int SelectedEffect() const;

  CVexmoDlg& window_;
  LightingPictures pictures_;
  LightingControls controls_;
  LightingModel lighting_;
  UserColourModes user_modes_;
  LightingPreview preview_;
  std::vector<int> effect_combo_map_;  // combobox position -> effect number
};

}  // namespace talon
