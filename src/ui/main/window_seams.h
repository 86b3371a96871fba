#pragma once
// What the main window asks of the parts that plug into it: the lighting panel with its preview,
// the key assignment dialog and the profile manager. Each is made by a factory the program hands
// the window (tests may leave one out: the window then simply lacks that part), and each gets the
// window itself to reach its controls, faces and state through its public calls.
#include <cstdint>

#include "ui/skin/window_message.h"

class QMenu;
class QWidget;

namespace talon {

class CVexmoDlg;

// The lighting panel (controls 1146-1221), its user colour group and the key picture's preview.
class LightingPanelSeam {
 public:
  virtual ~LightingPanelSeam() = default;
  // Creates and places the panel's controls from the main skin, once, while the window
  // initialises (after the key picture is placed).
  virtual void Create() = 0;
  // The panel's texts in the language with this index ('LANG').
  virtual void LoadTexts(int language_index) = 0;
  // Commands of the panel's controls, and the sliders' 0x28D1 (control id, new position).
  virtual void OnCommand(int control_id, Notification code) = 0;
  virtual void OnSliderMoved(int control_id, int position) = 0;
  // 'PROF': the keyboard (re)attached and the key maps were reloaded. Re-read the lighting
  // blocks and the effect list for `current_profile`, refresh the panel, and recompute the
  // painted flags when the keyboard offers the user colour effect.
  virtual void OnKeyboardAttached(int current_profile) = 0;
  // Timer 1051: the keyboard changed its lighting with its own keys.
  virtual void OnKeyboardLightingChanged() = 0;
  // Steps of selecting an on-board profile that concern lighting: read the blocks again, the
  // user colour modes of the profile, refresh, and leave lighting mode if it is on.
  virtual void SelectProfile(int profile) = 0;
  // Lighting mode: the key picture previews the lighting and key clicks paint.
  virtual bool LightingMode() const = 0;
  // A click on a key button, G1-G5 or Fn while in lighting mode.
  virtual void OnKeyClicked(int control_id) = 0;
  // The lighting half of restoring defaults (only called in lighting mode).
  virtual void RestoreDefaults() = 0;
  // Timer 1052, every 50 ms while the window is shown: one step of the preview.
  virtual void PreviewStep() = 0;
  // The effect list: it takes the focus when the keyboard leaves, and the arrow keys never
  // change it.
  virtual QWidget* EffectCombo() = 0;
};

// The key assignment dialog, opened only for a key button or G button.
class KeyEditorSeam {
 public:
  virtual ~KeyEditorSeam() = default;
  // Runs the dialog modally for the clicked control; -1 for an id that is no key or G button.
  virtual int OpenForKey(int control_id) = 0;
  virtual bool IsOpen() const = 0;
  // Closes it as if cancelled (the keyboard left, or the program exits); false if it stays.
  virtual bool CloseAsCancelled() = 0;
  // 'LANG' forwarded while the dialog has a window.
  virtual void LoadTexts(int language_index) = 0;
};

// The profile manager dialog, the profile menu and switching the active profile.
class ProfileEditorSeam {
 public:
  virtual ~ProfileEditorSeam() = default;
  // Runs the manager modally (control 1005).
  virtual void OpenManager() = 0;
  virtual bool IsOpen() const = 0;
  virtual bool CloseAsCancelled() = 0;
  // The profile menu (commands 9000-9004): made with `create`, refilled without.
  virtual void BuildProfileMenu(bool create) = 0;
  virtual QMenu* ProfileMenu() = 0;
  // Makes `index` the keyboard's active profile, with the questions this may need; 1 when
  // handled, 0 when refused.
  virtual int SwitchProfile(int index) = 0;
};

}  // namespace talon
