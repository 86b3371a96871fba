// CReportCtrl: mouse, keys and in-place editing.
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QStyle>
#include <QStyleOptionViewItem>

#include "ui/skin/qt_keystroke.h"
#include "ui/skin/report_ctrl.h"

namespace talon {

namespace {
// An edit over a cell that shows an image starts after it.
constexpr int kImageShift = 8;
}  // namespace

bool CReportCtrl::InTickBox(const QModelIndex& index, QPoint at) const {
  if (tick_mode_ != TickMode::kSingle || !index.isValid() || index.column() != 0) return false;
  QStyleOptionViewItem option;
  initViewItemOption(&option);
  option.rect = visualRect(index);
  option.features |= QStyleOptionViewItem::HasCheckIndicator;
  const QRect box = style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, this);
  return box.contains(at);
}

void CReportCtrl::mousePressEvent(QMouseEvent* event) {
  HandlePress(event, false);
}

void CReportCtrl::mouseDoubleClickEvent(QMouseEvent* event) {
  HandlePress(event, true);
}

void CReportCtrl::HandlePress(QMouseEvent* event, bool double_click) {
  const QPoint at = event->position().toPoint();
  const QModelIndex index = indexAt(at);
  const int row = index.isValid() ? index.row() : -1;
  const bool left = event->button() == Qt::LeftButton;
  const bool was_ticked = IsTicked(row);
  const bool was_editing = IsEditing();
  const bool was_chosen = left && row >= 0 && IsSelected(row) && currentRow() == row;
  const bool on_tick_box = left && InTickBox(index, at);

  EndEdit(true);
  if (double_click) {
    QTableWidget::mouseDoubleClickEvent(event);
  } else {
    QTableWidget::mousePressEvent(event);
  }
  if (on_tick_box) SetTicked(row, !was_ticked);

  const bool tick_changed = row >= 0 && IsTicked(row) != was_ticked;
  if (tick_changed) ApplySingleTick(row);
  if (left && editable_ && !tick_changed && !was_editing && was_chosen) {
    BeginEdit(row, index.column());
  }
}

void CReportCtrl::ApplySingleTick(int row) {
  if (IsTicked(row)) {
    for (int other = 0; other < rowCount(); ++other) {
      if (other == row || !IsTicked(other)) continue;
      SetTicked(other, false);
      if (tick_) tick_(other, *this);
    }
  }
  if (tick_) tick_(row, *this);
  SelectOnly(row);
}

bool CReportCtrl::BeginEdit(int row, int column) {
  if (!editable_ || row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) {
    return false;
  }
  if (row == edit_row_ && column == edit_column_) return true;
  EndEdit(true);
  // Selecting scrolls the row into view, and a scroll cancels an edit: select first.
  SelectOnly(row);
  edit_row_ = row;
  edit_column_ = column;

  unsigned extra_styles = 0;
  if (begin_edit_ && !begin_edit_(*this, extra_styles)) return true;

  QRect cell = CellRect(row, column);
  if (item(row, column)->data(Qt::DecorationRole).isValid())
    cell.setLeft(cell.left() + kImageShift);
  const QTableWidgetItem* head = horizontalHeaderItem(column);
  edit_alignment_ = head != nullptr
                        ? Qt::Alignment(head->textAlignment()) & Qt::AlignHorizontal_Mask
                        : Qt::AlignLeft;
  edit_->setAlignment(edit_alignment_ | Qt::AlignVCenter);
  edit_->setFrame(true);
  if (!(extra_styles & kNumbersOnly)) {
    delete edit_->validator();
    edit_->setValidator(nullptr);
  } else if (edit_->validator() == nullptr) {
    edit_->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), edit_));
  }
  edit_->setGeometry(cell);
  edit_->setText(item(row, column)->text());
  edit_->selectAll();
  edit_->show();
  edit_->setFocus(Qt::OtherFocusReason);
  return true;
}

int CReportCtrl::EndEdit(bool commit) {
  if (!IsEditing()) return 0;
  if (end_edit_) {
    int result = 0;
    if (!end_edit_(*this, commit, result)) {
      edit_row_ = edit_column_ = -1;
      return result;
    }
  }
  if (edit_->isHidden()) {
    edit_row_ = edit_column_ = -1;
    return 0;
  }
  QTableWidgetItem* cell = Cell(edit_row_, edit_column_);
  if (commit && cell != nullptr && edit_->text() != cell->text()) {
    if (!validate_ || validate_(*edit_, *this)) cell->setText(edit_->text());
  }
  const bool had_focus = edit_->hasFocus();
  edit_row_ = edit_column_ = -1;
  edit_->hide();
  if (had_focus) setFocus(Qt::OtherFocusReason);
  return 1;
}

bool CReportCtrl::HandleEditKey(int key) {
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      EndEdit(true);
      return true;
    case Qt::Key_Escape:
      EndEdit(false);
      return true;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return true;
    default:
      return false;
  }
}

bool CReportCtrl::PreTranslateKey(const KeyMessage& key) {
  // An open drop-down is a window of its own: its Enter picks an entry first.
  if (!IsEditing() || key.message != msg::kKeyDown || key.target == nullptr ||
      key.target->window() != window()) {
    return false;
  }
  const int qt_key = QtKeyOfEditingVirtualKey(key.vk);
  return qt_key != 0 && HandleEditKey(qt_key);
}

void CReportCtrl::keyPressEvent(QKeyEvent* event) {
  if (IsEditing() ? HandleEditKey(event->key()) : event->key() == Qt::Key_Space) return;
  QTableWidget::keyPressEvent(event);
}

bool CReportCtrl::eventFilter(QObject* watched, QEvent* event) {
  // Editors over a cell (the edit box, or an owner's drop-down) are children of the viewport;
  // their keys are looked at before they get them.
  if (watched == viewport() && event->type() == QEvent::ChildAdded) {
    QObject* child = static_cast<QChildEvent*>(event)->child();
    if (child != edit_ && child->isWidgetType()) child->installEventFilter(this);
  }
  if (watched != viewport() && event->type() == QEvent::KeyPress && IsEditing()) {
    return HandleEditKey(static_cast<QKeyEvent*>(event)->key());
  }
  return QTableWidget::eventFilter(watched, event);
}

}  // namespace talon
