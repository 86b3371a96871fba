// MacroPage: the working list, and the macro and action commands.
#include "ui/editors/macro_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include <algorithm>

#include "model/macro_list.h"
#include "shell/record_delay.h"
#include "ui/editors/composite_dialog.h"
#include "ui/editors/composite_ids.h"
#include "ui/main/main_window.h"
#include "ui/skin/combo_box_4_list_ctrl.h"
#include "ui/skin/png_button.h"
#include "ui/skin/report_ctrl.h"

namespace talon {

using namespace composite;

namespace {

constexpr int kMaxPlayCount = 255;
constexpr int kMaxNameTries = 100000;

}  // namespace

long MacroPage::LeadingNumber(const QString& text) {
  long value = 0;
  for (QChar c : text.trimmed()) {
    if (!c.isDigit()) break;
    value = std::min(value * 10 + c.digitValue(), 1000000L);
  }
  return value;
}

MacroPage::MacroPage(Vexmo_DlgComposite& dialog) : dialog_(dialog) {}

MacroPage::~MacroPage() {
  StopRecording();
}

// ---- the working list ----

void MacroPage::LoadWorkingList() {
  {
    auto store = dialog_.Window().Model().store.Lock();
    working_ = store->macros;
  }
  loading_ = true;
  macro_combo_->clear();
  for (MacroRecord& macro : working_) {
    macro.new_flag = 0;
    macro_combo_->addItem(QString::fromStdU16String(macro.name));
  }
  macro_combo_->setCurrentIndex(-1);
  loading_ = false;
  current_ = -1;
  macro_page_shown_ = false;
  LoadMacroEdits();
}

void MacroPage::SelectMacro(int index) {
  loading_ = true;
  macro_combo_->setCurrentIndex(index);
  loading_ = false;
  current_ = index;
}

void MacroPage::SelectForOpening(std::uint32_t macro_id) {
  macro_page_shown_ = true;
  int index = 0;
  for (std::size_t i = 0; i < working_.size(); ++i) {
    if (macro_id != 0 && working_[i].id == macro_id) {
      index = static_cast<int>(i);
      break;
    }
  }
  SelectMacro(working_.empty() ? -1 : index);
  LoadMacroEdits();
}

void MacroPage::SelectFirstOnce(std::uint32_t macro_id) {
  if (macro_page_shown_) return;
  macro_page_shown_ = true;
  if (macro_id != 0) return;
  SaveMacroEdits();
  SelectMacro(working_.empty() ? -1 : 0);
  LoadMacroEdits();
}

void MacroPage::LoadMacroEdits() {
  loading_ = true;
  RemoveAllRows();
  if (current_ >= 0) {
    const MacroRecord& macro = working_[static_cast<std::size_t>(current_)];
    play_count_->setText(QString::number(macro.repeat_count));
    for (const MacroAction& action : macro.actions) {
      AddRow(actions_->GetItemCount(), action);
    }
  }
  loading_ = false;
  EnableActionButtons(current_ >= 0);
}

void MacroPage::SaveMacroEdits() {
  if (current_ < 0 || current_ >= static_cast<int>(working_.size())) return;
  MacroRecord& macro = working_[static_cast<std::size_t>(current_)];
  macro.repeat_count = static_cast<std::uint8_t>(std::clamp(PlayCount(), 0, kMaxPlayCount));
  macro.actions = ShownActions();
}

int MacroPage::PlayCount() const {
  return static_cast<int>(std::min<long>(LeadingNumber(play_count_->text()), 0xFFFF));
}

void MacroPage::FinishEditing() {
  actions_->EndEdit(true);
  StopRecording();
  SaveMacroEdits();
}

void MacroPage::MarkCommitted() {
  for (MacroRecord& macro : working_) macro.new_flag = 0;
}

void MacroPage::Clear() {
  actions_->EndEdit(false);
  RemoveAllRows();
  loading_ = true;
  macro_combo_->clear();
  loading_ = false;
  working_.clear();
  current_ = -1;
}

void MacroPage::EnableActionButtons(bool enabled) {
  for (CPngButton* button : action_buttons_) button->setEnabled(enabled);
}

void MacroPage::EnableApply() {
  dialog_.SetApplyEnabled(true);
}

// ---- macro commands ----

void MacroPage::OnMacroSelected() {
  SaveMacroEdits();
  current_ = macro_combo_->currentIndex();
  LoadMacroEdits();
}

void MacroPage::OnNameTyped() {
  if (loading_) return;
  const std::u16string name =
      macro_combo_->currentText().left(static_cast<int>(kMaxMacroNameLength)).toStdU16String();
  if (!working_.empty()) {
    if (current_ < 0) return;
    working_[static_cast<std::size_t>(current_)].name = name;
    macro_combo_->setItemText(current_, QString::fromStdU16String(name));
  } else {
    if (!CreateMacro(working_, name, dialog_.Window())) return;
    loading_ = true;
    macro_combo_->addItem(QString::fromStdU16String(name));
    loading_ = false;
    SelectMacro(0);
    LoadMacroEdits();
  }
  EnableApply();
}

std::u16string MacroPage::NextMacroName() {
  if (working_.empty()) name_counter_ = 0;
  const QString prefix = QString::fromStdString(dialog_.Text("MACRO_NEW_PREFIX"));
  QString name;
  for (int tries = 0; tries < kMaxNameTries; ++tries) {
    name = prefix + QString::number(++name_counter_);
    // A longer name that starts with this one (Macro 10 for Macro 1) counts as taken.
    if (macro_combo_->findText(name, Qt::MatchStartsWith) < 0) break;
  }
  return name.left(static_cast<int>(kMaxMacroNameLength)).toStdU16String();
}

void MacroPage::OnAdd() {
  const std::u16string name = working_.size() < kMaxMacros ? NextMacroName() : std::u16string();
  SaveMacroEdits();
  const std::optional<std::size_t> added = CreateMacro(working_, name, dialog_.Window());
  if (!added) return;
  loading_ = true;
  macro_combo_->addItem(QString::fromStdU16String(name));
  loading_ = false;
  SelectMacro(static_cast<int>(*added));
  LoadMacroEdits();
  EnableApply();
}

bool MacroPage::MayDelete(const MacroRecord& macro) {
  if (macro.new_flag != 0) return true;
  bool used = false;
  {
    auto store = dialog_.Window().Model().store.Lock();
    for (const KeyRecord& record : store->key_block.records) {
      if (record.type == AssignmentKind::kMacro && (record.value & 0xFFFF) == macro.id) {
        used = true;
        break;
      }
    }
  }
  if (!used) return true;
  const MessageRequest question{"MACRO_DELETE_CONFIRM_OF_KEYS", {}, MessageButtons::kYesNo};
  return dialog_.Window().ShowMessage(question) == MessageAnswer::kYes;
}

void MacroPage::OnDelete() {
  if (working_.empty() || current_ < 0) return;
  if (!MayDelete(working_[static_cast<std::size_t>(current_)])) return;
  const int removed = current_;
  working_.erase(working_.begin() + removed);
  loading_ = true;
  macro_combo_->removeItem(removed);
  loading_ = false;
  current_ = -1;
  if (working_.empty()) {
    SelectMacro(-1);
    macro_combo_->clearEditText();
  } else {
    SelectMacro(removed == 0 ? 0 : removed - 1);
  }
  LoadMacroEdits();
  EnableApply();
}

void MacroPage::OnPlayCountChanged() {
  if (loading_) return;
  const int count = std::clamp(PlayCount(), 1, kMaxPlayCount);
  if (QString::number(count) != play_count_->text()) {
    loading_ = true;
    play_count_->setText(QString::number(count));
    loading_ = false;
  }
  EnableApply();
}

void MacroPage::OnRecordDelay() {
  MainWindowServices& services = dialog_.Window().Services();
  record_delay_ =
      WriteRecordDelayPreference(services.preferences, services.language, record_delay_ ? 0 : 1);
  record_delay_box_->setChecked(record_delay_ != 0);
}

// ---- action commands ----

void MacroPage::OnDeleteAction() {
  const int row = actions_->GetNextItem(-1, CReportCtrl::kSelect);
  if (row >= 0) RemoveRow(row);
  EnableApply();
}

void MacroPage::OnClearActions() {
  if (actions_->GetItemCount() > 0) {
    const MessageRequest question{"MACRO_ACTION_CLEAR_CONFIRM", {}, MessageButtons::kYesNo};
    if (dialog_.Window().ShowMessage(question) == MessageAnswer::kYes) RemoveAllRows();
  }
  EnableApply();
}

void MacroPage::OnMove(int control_id) {
  const int row = actions_->GetNextItem(-1, CReportCtrl::kSelect);
  const int last = actions_->GetItemCount() - 1;
  if (row >= 0) {
    int to = row;
    switch (control_id) {
      case kMoveTop:
        to = 0;
        break;
      case kMoveUp:
        to = std::max(row - 1, 0);
        break;
      case kMoveDown:
        to = std::min(row + 1, last);
        break;
      default:
        to = last;
        break;
    }
    actions_->MoveItem(row, to);
    actions_->SetAllItemStates(0, CReportCtrl::kUnselect);
    actions_->SetItemStates(to, CReportCtrl::kSelect | CReportCtrl::kFocus);
    actions_->scrollToItem(actions_->item(to, 0));
    actions_->setFocus();
  }
  EnableApply();
}

// ---- rows ----

std::vector<MacroAction> MacroPage::ShownActions() const {
  std::vector<MacroAction> shown;
  for (int row = 0; row < actions_->GetItemCount(); ++row) shown.push_back(*RowAction(row));
  return shown;
}

MacroAction* MacroPage::RowAction(int row) const {
  return static_cast<MacroAction*>(actions_->GetItemData(row));
}

void MacroPage::AddRow(int row, const MacroAction& action) {
  auto owned = std::make_unique<MacroAction>(action);
  // A list shows any state above 1 as a press.
  if (owned->state > action_state::kRelease) owned->state = action_state::kPress;
  row = actions_->InsertItem(row, QString());
  actions_->SetItemData(row, owned.get());
  row_actions_.push_back(std::move(owned));
  ShowRow(row);
}

void MacroPage::ShowRow(int row) {
  const MacroAction* action = RowAction(row);
  if (action == nullptr) return;
  const Language& language = dialog_.Window().Services().language;
  actions_->SetItemText(row, kKeyColumn, QString::fromStdString(KeyName(action->key, language)));
  actions_->SetItemText(row, kStateColumn,
                        action->state == action_state::kRelease ? QStringLiteral("  \u2191")
                                                                : QStringLiteral("\u2193"));
  actions_->SetItemText(row, kPauseColumn, QString::number(action->pause_ms));
}

void MacroPage::RemoveRow(int row) {
  MacroAction* action = RowAction(row);
  actions_->DeleteItem(row, true);
  std::erase_if(row_actions_, [action](const auto& owned) { return owned.get() == action; });
}

void MacroPage::RemoveAllRows() {
  actions_->DeleteAllItems();
  row_actions_.clear();
}

}  // namespace talon
