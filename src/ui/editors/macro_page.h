#pragma once
// MacroPage: the macro page of the key assignment dialog, the program's macro editor. It works
// on private copies of the committed macro list (the WorkingMacroList: one copy per entry of the
// macro drop-down) and of the current macro's actions (one per row of the action list): naming,
// adding and deleting macros, recording keystrokes, editing, reordering and deleting actions,
// and the play count. Nothing reaches the profile store until the dialog commits the list.
#include <QString>

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/macro_record.h"
#include "ui/editors/keystroke_rules.h"
#include "ui/skin/place_control.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QWidget;

namespace talon {

class CComboBox4ListCtrl;
class CIniFile;
class CPngButton;
class CReportCtrl;
class ColorStatic;
class Vexmo_DlgComposite;

class MacroPage {
 public:
  static constexpr std::uint32_t kFixedPauseMs = 50;
  static constexpr std::uint32_t kPauseStepMs = 10;
  static constexpr int kKeyColumn = 0;
  static constexpr int kStateColumn = 1;
  static constexpr int kPauseColumn = 2;

  // The leading decimal digits of a text (at most 1000000); 0 when it starts with none.
  static long LeadingNumber(const QString& text);

  explicit MacroPage(Vexmo_DlgComposite& dialog);
  ~MacroPage();

  // Makes and places the page's controls from the dialog's skin file.
  void Create(const CIniFile& skin, const FaceSet& faces);
  void SetVisible(bool visible);
  void LoadTexts(int language_index);

  // The committed list copied into the drop-down, new flags cleared; no current macro.
  void LoadWorkingList();
  // The first showing of the page: the macro with the record's id, else the first one.
  void SelectForOpening(std::uint32_t macro_id);
  // A later showing: the first macro, once per opening, when the key had no macro.
  void SelectFirstOnce(std::uint32_t macro_id);

  // The current macro's actions and play count shown, and its buttons enabled; or none.
  void LoadMacroEdits();
  // The shown actions and play count written back into the current macro's copy.
  void SaveMacroEdits();

  // Before a commit: any edit of a cell ended (kept), the recording stopped, edits saved.
  void FinishEditing();
  // The edited list, in drop-down order, and the position of the current macro (-1: none).
  const std::vector<MacroRecord>& WorkingList() const { return working_; }
  int CurrentMacro() const { return current_; }
  int PlayCount() const;
  // The closing steps: the action list and the drop-down emptied, their copies freed.
  void Clear();

  // Commands of the page's controls.
  void OnMacroSelected();
  void OnNameTyped();
  void OnAdd();
  void OnDelete();
  void OnPlayCountChanged();
  void OnRecordDelay();
  void OnRecord();
  void OnDeleteAction();
  void OnClearActions();
  void OnMove(int control_id);
  // After a commit: the copies are the committed macros now, none of them new.
  void MarkCommitted();

  // Recording.
  bool IsRecording() const { return record_hook_ != 0; }
  void StartRecording();
  void StopRecording();
  // A keystroke while recording; true swallows it.
  bool OnRecordKeystroke(std::uint8_t vk, std::uint32_t flags);
  // Adds an action after the selected row (recording form, see the .cpp).
  void InsertAction(std::uint32_t pause_ms, KeyId key, std::uint16_t state);
  bool RecordDelays() const { return record_delay_ != 0; }

  // The action list's rows as actions, in row order.
  std::vector<MacroAction> ShownActions() const;
  CReportCtrl& Actions() const { return *actions_; }
  QComboBox& MacroCombo() const { return *macro_combo_; }
  QLineEdit& PlayCountEdit() const { return *play_count_; }
  CComboBox4ListCtrl* CellDropDown() const { return cell_drop_down_; }

 private:
  void PlaceButton(CPngButton*& button, const CIniFile& skin, std::string_view key,
                   const FaceSet& faces, int id, bool caption);
  void AddRow(int row, const MacroAction& action);
  void ShowRow(int row);
  MacroAction* RowAction(int row) const;
  void RemoveRow(int row);
  void RemoveAllRows();
  void EnableActionButtons(bool enabled);
  void SelectMacro(int index);
  std::u16string NextMacroName();
  bool MayDelete(const MacroRecord& macro);
  void EnableApply();
  std::uint64_t Now() const;
  // In-place editing of the action list.
  bool BeginCellEdit(CReportCtrl& list, unsigned& extra_styles);
  bool EndCellEdit(CReportCtrl& list, bool commit, int& result);
  void OpenCellDropDown(int row, int column);
  void EndPauseEdit(int row, bool commit);

  Vexmo_DlgComposite& dialog_;
  std::vector<QWidget*> controls_;  // everything shown only on this page
  QComboBox* macro_combo_ = nullptr;
  CReportCtrl* actions_ = nullptr;
  QLineEdit* play_count_ = nullptr;
  QCheckBox* record_delay_box_ = nullptr;
  CPngButton* add_ = nullptr;
  CPngButton* delete_ = nullptr;
  CPngButton* record_ = nullptr;
  std::vector<CPngButton*> action_buttons_;  // 1020-1026
  std::vector<std::pair<CPngButton*, const char*>> captions_;
  std::vector<std::pair<ColorStatic*, const char*>> labels_;
  CComboBox4ListCtrl* cell_drop_down_ = nullptr;

  std::vector<MacroRecord> working_;
  std::vector<std::unique_ptr<MacroAction>> row_actions_;  // behind the rows, by address
  int current_ = -1;
  int name_counter_ = 0;
  int record_delay_ = 0;
  bool macro_page_shown_ = false;
  bool loading_ = false;  // the program itself fills the controls: no user edit
  int record_hook_ = 0;
  KeystrokeRecorder recorder_;
  std::chrono::steady_clock::time_point clock_start_ = std::chrono::steady_clock::now();
};

}  // namespace talon
