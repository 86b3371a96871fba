#pragma once
// Vexmo_DlgComposite: the key assignment dialog, the one editor that changes what a key does.
// It opens beside the key button that was clicked, on the record of that key (or G key) in the
// active profile, with four pages: Key (a key captured from the keyboard, or a mouse button or
// wheel step), Macro (a macro and the macro editor, see MacroPage), Media and Function. Clear
// returns the key to its default. Apply and OK commit the edited macro list and write the key's
// record into the profile store; the main window's Apply sends them to the keyboard. G9 is a
// macro-only key: its other pages are locked.
#include <QString>

#include <cstdint>
#include <memory>
#include <string>

#include "model/key_table.h"
#include "ui/editors/composite_faces.h"
#include "ui/skin/base_dialog.h"

class QComboBox;
class QLineEdit;
class QRadioButton;

namespace talon {

class CKeyPicker;
class CPngButton;
class CVexmoDlg;
class ColorStatic;
class MacroPage;

class Vexmo_DlgComposite : public CBaseDialog {
 public:
  // `faces` are made at the first opening of the run and kept by the caller.
  Vexmo_DlgComposite(CVexmoDlg& window, CompositeFaces& faces);
  ~Vexmo_DlgComposite() override;

  // The key button or G button the dialog edits (the first steps of opening it); false for any
  // other id.
  bool SetKey(int control_id);

  bool OnInitDialog() override;
  // OK commits, then closes; Cancel closes. Both run the closing steps once.
  void OnOK() override;
  void OnCancel() override;
  void OnHelp() override;
  // Enter and Escape never close the dialog or reach a field (the key page captures them
  // through its hook, which sees them first).
  bool PreTranslateKey(const KeyMessage& key) override;

  // Writes the page's assignment (and the edited macro list) into the profile store.
  void ApplyAssignment();
  // The texts in the language with this index ('LANG').
  void LoadTexts(int language_index);
  // A keystroke from the key picker, taken by the dialog's hooks as a real one would be.
  void TakePickedKeystroke(std::uint8_t vk, std::uint32_t flags);

  // Where the first picture that could not be read is, after OnInitDialog failed.
  const std::string& FailedPicture() const { return failed_picture_; }

  // State, for the macro page and for tests.
  CVexmoDlg& Window() { return window_; }
  std::string Text(std::string_view key) const;
  int Page() const { return page_; }
  KeySlot EditedSlot() const { return edited_slot_; }
  int ControlId() const { return control_id_; }
  bool IsG9() const { return g9_; }
  KeyId CapturedKey() const { return captured_; }
  bool IsCapturing() const { return capture_hook_ != 0; }
  bool ApplyEnabled() const { return apply_enabled_; }
  void SetApplyEnabled(bool enabled);
  MacroPage& Macros() { return *macro_page_; }
  CKeyPicker* Picker() const { return picker_; }
  CompositeFaces& Faces() { return faces_; }

 protected:
  static const MessageMap& ClassMessageMap();
  const MessageMap& GetMessageMap() const override { return ClassMessageMap(); }

 private:
  struct KeyPageControls;
  struct FrameControls;

  void PlaceFrame();
  void PlaceKeyPage();
  void PlaceMediaAndFunctionPages();
  void PlaceWindow();
  void ShowPage(bool first_time);
  void ShowPageControls();
  void SetKeyboardMode(bool keyboard);
  void InstallCaptureHook();
  void RemoveCaptureHook();
  bool OnCaptureKeystroke(std::uint8_t vk, std::uint32_t flags);
  void Capture(KeyId key);
  void SwitchPage(int page);
  void RunClosingSteps();

  // Handlers.
  LResult OnLang(WParam w, LParam index);
  LResult OnCellChanged(WParam row, LParam column);
  void OnApply();
  void OnKeyPageButton();
  void OnMacroPageButton();
  void OnMediaPageButton();
  void OnFunctionPageButton();
  void OnClear();
  void OnKeyPicker();
  void OnKeyboardChoice();
  void OnMouseChoice();
  void OnMacroCommand(int control_id);
  void OnMacroSelected();
  void OnMacroNameTyped();
  void OnPlayCountChanged();

  CVexmoDlg& window_;
  CompositeFaces& faces_;
  std::unique_ptr<FrameControls> frame_;
  std::unique_ptr<KeyPageControls> key_page_;
  std::unique_ptr<MacroPage> macro_page_;
  QComboBox* media_combo_ = nullptr;
  QComboBox* function_combo_ = nullptr;
  ColorStatic* media_label_ = nullptr;
  ColorStatic* function_label_ = nullptr;
  CKeyPicker* picker_ = nullptr;

  KeySlot edited_slot_ = 0;
  int control_id_ = 0;
  bool g9_ = false;
  int page_ = 0;
  std::uint32_t value_ = 0;
  std::uint16_t extra_ = 0;
  KeyId captured_ = 0;
  bool apply_enabled_ = false;
  bool open_ = false;
  int capture_hook_ = 0;
  std::string failed_picture_;
};

}  // namespace talon
