// MacroPage: its controls, the working list, and the macro and action commands.
#include "ui/editors/macro_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QRegularExpressionValidator>

#include <algorithm>

#include "model/macro_list.h"
#include "shell/record_delay.h"
#include "ui/editors/composite_dialog.h"
#include "ui/editors/composite_ids.h"
#include "ui/editors/editor_style.h"
#include "ui/main/main_window.h"
#include "ui/skin/color_static.h"
#include "ui/skin/combo_box_4_list_ctrl.h"
#include "ui/skin/control_binding.h"
#include "ui/skin/png_button.h"
#include "ui/skin/report_ctrl.h"

namespace talon {

using namespace composite;

namespace {

constexpr int kColumnWidth = 63;
constexpr int kMaxPlayCount = 255;
constexpr int kMaxNameTries = 100000;
constexpr ColorRef kCaption = Rgb(200, 206, 214);
constexpr ColorRef kCaptionHover = Rgb(255, 255, 255);
constexpr ColorRef kCaptionPressed = Rgb(45, 212, 255);
constexpr ColorRef kCaptionDisabled = Rgb(74, 80, 91);

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

void MacroPage::PlaceButton(CPngButton*& button, const CIniFile& skin, std::string_view key,
                            const FaceSet& faces, int id, bool caption) {
  button = new CPngButton(&dialog_);
  PlaceImageButton(*button, skin, key, faces, id);
  if (caption) {
    button->SetTextStyle(true, 10, QStringLiteral("Arial Unicode MS"), kCaption, kCaptionHover,
                         kCaptionPressed, kCaptionDisabled, kCaption);
  }
  controls_.push_back(button);
}

void MacroPage::Create(const CIniFile& skin, const FaceSet& faces) {
  auto label = [&](std::string_view key, int id, const char* text_key, double points) {
    auto* l = new ColorStatic(&dialog_);
    PlaceControl(*l, skin, key);
    SetControlId(*l, id);
    StyleLabel(*l, points);
    labels_.emplace_back(l, text_key);
    controls_.push_back(l);
  };
  label("MARCO_NAME_SETTING", kMacroNameLabel, "MACRO_NAME_SETTING", 10.8);
  macro_combo_ = new QComboBox(&dialog_);
  PlaceControl(*macro_combo_, skin, "FUNC_MACRO_LIST", kMacroCombo);
  macro_combo_->setEditable(true);
  macro_combo_->setInsertPolicy(QComboBox::NoInsert);
  macro_combo_->lineEdit()->setMaxLength(static_cast<int>(kMaxMacroNameLength));
  macro_combo_->setFont(EditorFont(12));
  controls_.push_back(macro_combo_);
  PlaceButton(add_, skin, "FUNC_MACRO_ADD", faces, kAddMacro, false);
  PlaceButton(delete_, skin, "FUNC_MACRO_DELETE", faces, kDeleteMacro, false);

  actions_ = new CReportCtrl(&dialog_);
  PlaceControl(*actions_, skin, "FUNC_MACRO_LIST2");
  SetControlId(*actions_, kActionList);
  actions_->setFont(EditorFont(8));
  actions_->InsertColumn(kKeyColumn, QString(), Qt::AlignLeft, kColumnWidth);
  actions_->InsertColumn(kStateColumn, QString(), Qt::AlignLeft, kColumnWidth);
  actions_->InsertColumn(kPauseColumn, QString(), Qt::AlignLeft, kColumnWidth);
  actions_->SetItemTextColor(-1, -1, kEditorGreyText);
  actions_->SetHeaderClickable(false);
  // The pause column takes what the list has beyond the three columns' width.
  actions_->horizontalHeader()->setStretchLastSection(true);
  actions_->SetOwner(&dialog_);
  actions_->SetEditable(true);
  actions_->SetBeginEditCallback(
      [this](CReportCtrl& list, unsigned& styles) { return BeginCellEdit(list, styles); });
  actions_->SetEndEditCallback([this](CReportCtrl& list, bool commit, int& result) {
    return EndCellEdit(list, commit, result);
  });
  controls_.push_back(actions_);

  const std::pair<std::string_view, const char*> buttons[] = {
      {"FUNC_MACRO_RECORD", "A_RECORD"},
      {"FUNC_MACRO_DELETE2", "A_DELETE"},
      {"FUNC_MACRO_CLEAR", "A_CLEAR"},
      {"FUNC_MACRO_UP_TOP", "A_TOP"},
      {"FUNC_MACRO_UP", "A_UP"},
      {"FUNC_MACRO_DOWN", "A_DOWN"},
      {"FUNC_MACRO_DOWN_BOTTOM", "A_BOTTOM"}};
  for (int i = 0; i < static_cast<int>(std::size(buttons)); ++i) {
    CPngButton* button = nullptr;
    PlaceButton(button, skin, buttons[i].first, faces, kRecord + i, true);
    action_buttons_.push_back(button);
    captions_.emplace_back(button, buttons[i].second);
  }
  record_ = action_buttons_.front();

  record_delay_box_ = new QCheckBox(&dialog_);
  PlaceControl(*record_delay_box_, skin, "FUNC_MACRO_RECORD_DELAY", kRecordDelay);
  controls_.push_back(record_delay_box_);
  label("FUNC_MACRO_RECORD_DELAY2", kRecordDelayLabel, "RECORD_DELAY", 10);
  label("FUNC_MACRO_CYCLES_PROMPT", kPlayCountLabel, "MACRO_CYCLES", 10);
  play_count_ = new QLineEdit(&dialog_);
  PlaceControl(*play_count_, skin, "FUNC_MACRO_CYCLES", kPlayCount);
  play_count_->setValidator(
      new QRegularExpressionValidator(QRegularExpression("[0-9]{0,3}"), play_count_));
  play_count_->setFont(EditorFont(10));
  controls_.push_back(play_count_);
  loading_ = true;
  play_count_->setText(QStringLiteral("1"));
  loading_ = false;

  // The stored choice, written back so that a value other than 0 or 1 becomes 0.
  MainWindowServices& services = dialog_.Window().Services();
  record_delay_ = WriteRecordDelayPreference(
      services.preferences, services.language,
      ReadRecordDelayPreference(services.preferences, services.language));
  record_delay_box_->setChecked(record_delay_ != 0);
  EnableActionButtons(false);
}

void MacroPage::SetVisible(bool visible) {
  for (QWidget* control : controls_) control->setVisible(visible);
  if (!visible && cell_drop_down_ != nullptr) actions_->EndEdit(false);
}

void MacroPage::LoadTexts(int index) {
  const Language& language = dialog_.Window().Services().language;
  auto text = [&](const char* key) {
    return QString::fromStdString(language.LoadText(key, index));
  };
  for (const auto& [label, key] : labels_) label->setText(text(key));
  for (const auto& [button, key] : captions_) button->setText(text(key));
  if (IsRecording()) record_->setText(text("MACRO_ACTION_STOP_RECORD"));
  const char* const headers[] = {"MACRO_KEYS_TISHI", "MACRO_ACTION_TISHI", "MACRO_DELAY_MS"};
  for (int column = 0; column < 3; ++column) {
    actions_->horizontalHeaderItem(column)->setText(text(headers[column]));
  }
  for (int row = 0; row < actions_->GetItemCount(); ++row) ShowRow(row);
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
