// MacroPage: editing the cells of the action list in place. The key and action columns get a
// drop-down over the cell, the pause column a number-only edit.
#include <QAbstractItemView>
#include <QLineEdit>

#include "ui/editors/composite_dialog.h"
#include "ui/editors/composite_ids.h"
#include "ui/editors/macro_page.h"
#include "ui/main/main_window.h"
#include "ui/skin/combo_box_4_list_ctrl.h"
#include "ui/skin/report_ctrl.h"

namespace talon {

namespace {
constexpr std::uint8_t kVkReturn = 0x0D;
constexpr int kMinDropDownHeight = 22;
constexpr int kDropDownListWidth = 150;
}  // namespace

bool MacroPage::BeginCellEdit(CReportCtrl& list, unsigned& extra_styles) {
  switch (list.EditColumn()) {
    case kKeyColumn:
    case kStateColumn:
      OpenCellDropDown(list.EditRow(), list.EditColumn());
      return false;
    case kPauseColumn:
      StopRecording();
      extra_styles |= CReportCtrl::kNumbersOnly;
      return true;
    default:
      dialog_.Window().ShowMessage({"MACRO_ACTION_ERR_MODIFY", {}, MessageButtons::kOk});
      return false;
  }
}

void MacroPage::OpenCellDropDown(int row, int column) {
  const MacroAction* action = RowAction(row);
  if (action == nullptr) return;
  auto* drop_down = new CComboBox4ListCtrl(actions_->viewport());
  drop_down->setFont(actions_->font());
  if (column == kKeyColumn) {
    const Language& language = dialog_.Window().Services().language;
    for (std::uint16_t code = 0; code < kKeyListSize; ++code) {
      drop_down->addItem(QString::fromStdString(ListName(code, language)));
    }
    const std::uint16_t code = ListCodeOfKey(action->key);
    drop_down->setCurrentIndex(code < kKeyListSize ? code : -1);
  } else {
    drop_down->addItem(QStringLiteral("\u2193"));
    drop_down->addItem(QStringLiteral("  \u2191"));
    drop_down->setCurrentIndex(action->state == action_state::kRelease ? 1 : 0);
  }
  QRect cell = actions_->CellRect(row, column);
  if (cell.height() < kMinDropDownHeight) cell.setHeight(kMinDropDownHeight);
  drop_down->setGeometry(cell);
  drop_down->setMaxVisibleItems(16);
  // The cell is narrow; the list of names opens wide enough to read them.
  drop_down->view()->setMinimumWidth(kDropDownListWidth);
  // A choice posts itself Enter, which the list takes as the end of the edit.
  drop_down->SetStoredMessage(msg::kKeyDown, kVkReturn, 0);
  drop_down->SetNotifyWindow(&dialog_);
  cell_drop_down_ = drop_down;
  drop_down->show();
  drop_down->setFocus(Qt::OtherFocusReason);
  drop_down->showPopup();
}

bool MacroPage::EndCellEdit(CReportCtrl& list, bool commit, int& result) {
  const int row = list.EditRow();
  const int column = list.EditColumn();
  if (cell_drop_down_ != nullptr) {
    CComboBox4ListCtrl* drop_down = cell_drop_down_;
    cell_drop_down_ = nullptr;
    MacroAction* action = RowAction(row);
    const int choice = drop_down->currentIndex();
    bool changed = false;
    if (commit && action != nullptr && choice >= 0) {
      if (column == kKeyColumn) {
        const KeyId key = KeyOfListCode(static_cast<std::uint16_t>(choice));
        // The list's one entry without a key is no choice.
        changed = key != 0 && key != action->key;
        if (changed) action->key = key;
      } else {
        const auto state = static_cast<std::uint16_t>(choice);
        changed = state != action->state;
        if (changed) action->state = state;
      }
    }
    if (changed) {
      ShowRow(row);
      dialog_.Post(composite::kMsgCellChanged, static_cast<WParam>(row), column);
    }
    drop_down->hide();
    // It may be deleting itself from one of its own events (the Enter it posted).
    drop_down->deleteLater();
    result = 1;
    return false;
  }
  if (column == kPauseColumn) EndPauseEdit(row, commit);
  if (column != kPauseColumn && column >= 0) {
    result = 0;
    return false;
  }
  return true;
}

void MacroPage::EndPauseEdit(int row, bool commit) {
  MacroAction* action = RowAction(row);
  if (!commit || action == nullptr) return;
  QLineEdit& edit = actions_->EditBox();
  long pause = LeadingNumber(edit.text());
  if (pause > static_cast<long>(kMaxPauseMs)) {
    dialog_.Window().ShowMessage(
        {"MACRO_ACTION_ERR_DELAY_MAX", {static_cast<std::int64_t>(kMaxPauseMs)}});
    pause = kMaxPauseMs;
  }
  pause -= pause % kPauseStepMs;
  edit.setText(QString::number(pause));
  action->pause_ms = static_cast<std::uint32_t>(pause);
  dialog_.SetApplyEnabled(true);
}

}  // namespace talon
