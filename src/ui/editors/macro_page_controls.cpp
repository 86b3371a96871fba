// MacroPage: making and placing its controls from the dialog's skin, and their texts.
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QRegularExpressionValidator>

#include "shell/record_delay.h"
#include "ui/editors/composite_dialog.h"
#include "ui/editors/composite_ids.h"
#include "ui/editors/editor_style.h"
#include "ui/editors/macro_page.h"
#include "ui/main/main_window.h"
#include "ui/skin/color_static.h"
#include "ui/skin/control_binding.h"
#include "ui/skin/png_button.h"
#include "ui/skin/report_ctrl.h"

namespace talon {

using namespace composite;

namespace {
constexpr int kColumnWidth = 63;
}  // namespace

void MacroPage::PlaceButton(CPngButton*& button, const CIniFile& skin, std::string_view key,
                            const FaceSet& faces, int id, bool caption) {
  button = new CPngButton(&dialog_);
  PlaceImageButton(*button, skin, key, faces, id);
  if (caption) {
    GiveCaption(*button);
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

}  // namespace talon
