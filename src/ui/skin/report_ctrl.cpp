#include "ui/skin/report_ctrl.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>

namespace talon {

namespace {

constexpr int kOwnerRole = Qt::UserRole;
constexpr int kImageRole = Qt::UserRole + 1;

Qt::ItemFlags CellFlags() {
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

}  // namespace

CReportCtrl::CReportCtrl(QWidget* parent) : QTableWidget(parent), edit_(new QLineEdit(viewport())) {
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setShowGrid(false);
  setWordWrap(false);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  verticalHeader()->hide();
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  horizontalHeader()->setSortIndicatorShown(false);

  edit_->hide();
  edit_->setMaxLength(kMaxEditChars);
  edit_->installEventFilter(this);
  viewport()->installEventFilter(this);
  connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this] {
    if (IsEditing()) EndEdit(false);
  });
}

CReportCtrl::~CReportCtrl() = default;

int CReportCtrl::InsertColumn(int index, const QString& header, Qt::Alignment alignment,
                              int width) {
  index = std::clamp(index, 0, columnCount());
  insertColumn(index);
  new_row_text_.insert(new_row_text_.begin() + index, QVariant());
  new_row_back_.insert(new_row_back_.begin() + index, QVariant());
  auto* head = new QTableWidgetItem(header);
  head->setTextAlignment(alignment | Qt::AlignVCenter);
  setHorizontalHeaderItem(index, head);
  setColumnWidth(index, width);
  for (int row = 0; row < rowCount(); ++row) FillRow(row);
  return index;
}

int CReportCtrl::InsertItem(int index, const QString& text) {
  index = std::clamp(index, 0, rowCount());
  insertRow(index);
  FillRow(index);
  Cell(index, 0)->setText(text);
  if (tick_mode_ == TickMode::kSingle) SetTicked(index, false);
  return index;
}

void CReportCtrl::FillRow(int row) {
  for (int column = 0; column < columnCount(); ++column) {
    if (item(row, column) != nullptr) continue;
    auto* cell = new QTableWidgetItem;
    cell->setFlags(CellFlags());
    cell->setData(Qt::ForegroundRole, new_row_text_[column]);
    cell->setData(Qt::BackgroundRole, new_row_back_[column]);
    if (QTableWidgetItem* head = horizontalHeaderItem(column)) {
      cell->setTextAlignment(Qt::Alignment(head->textAlignment()));
    }
    setItem(row, column, cell);
  }
}

QTableWidgetItem* CReportCtrl::Cell(int row, int column) const {
  if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) return nullptr;
  return item(row, column);
}

bool CReportCtrl::DeleteItem(int row, bool select_neighbour) {
  if (row < 0 || row >= rowCount()) return false;
  EndEdit(edit_row_ != row);
  removeRow(row);
  if (select_neighbour && rowCount() > 0) SelectOnly(std::min(row, rowCount() - 1));
  return true;
}

void CReportCtrl::DeleteAllItems() {
  EndEdit(false);
  setRowCount(0);
}

bool CReportCtrl::SetItemText(int row, int column, const QString& text) {
  QTableWidgetItem* cell = Cell(row, column);
  if (cell == nullptr) return false;
  cell->setText(text);
  return true;
}

QString CReportCtrl::GetItemText(int row, int column) const {
  const QTableWidgetItem* cell = Cell(row, column);
  return cell != nullptr ? cell->text() : QString();
}

void CReportCtrl::SetItemData(int row, void* owner_record) {
  if (QTableWidgetItem* cell = Cell(row, 0)) {
    cell->setData(kOwnerRole, QVariant::fromValue(owner_record));
  }
}

void* CReportCtrl::GetItemData(int row) const {
  const QTableWidgetItem* cell = Cell(row, 0);
  return cell != nullptr ? cell->data(kOwnerRole).value<void*>() : nullptr;
}

bool CReportCtrl::MoveItem(int from, int to) {
  if (from < 0 || from >= rowCount() || to < 0 || to >= rowCount()) return false;
  if (from == to) return true;
  EndEdit(true);
  const bool selected = IsSelected(from);
  const bool focused = currentRow() == from;
  std::vector<QTableWidgetItem*> cells;
  for (int column = 0; column < columnCount(); ++column) cells.push_back(takeItem(from, column));
  removeRow(from);
  insertRow(to);
  for (int column = 0; column < columnCount(); ++column) setItem(to, column, cells[column]);
  SetItemStates(to, (selected ? kSelect : kUnselect) | (focused ? kFocus : 0));
  return true;
}

void CReportCtrl::ForEachCell(int row, int column,
                              const std::function<void(QTableWidgetItem&)>& act) {
  const int first_row = row < 0 ? 0 : row;
  const int last_row = row < 0 ? rowCount() - 1 : row;
  const int first_column = column < 0 ? 0 : column;
  const int last_column = column < 0 ? columnCount() - 1 : column;
  for (int r = first_row; r <= last_row; ++r) {
    for (int c = first_column; c <= last_column; ++c) {
      if (QTableWidgetItem* cell = Cell(r, c)) act(*cell);
    }
  }
}

void CReportCtrl::SetCellColours(int row, int column, int role, ColorRef colour,
                                 std::vector<QVariant>& new_rows) {
  const QVariant value = colour == kNoColor ? QVariant() : QVariant(QBrush(ToQColor(colour)));
  ForEachCell(row, column, [&](QTableWidgetItem& cell) { cell.setData(role, value); });
  if (row >= 0) return;
  for (int c = 0; c < static_cast<int>(new_rows.size()); ++c) {
    if (column < 0 || column == c) new_rows[c] = value;
  }
}

void CReportCtrl::SetItemTextColor(int row, int column, ColorRef colour, bool redraw) {
  SetCellColours(row, column, Qt::ForegroundRole, colour, new_row_text_);
  if (redraw) viewport()->update();
}

void CReportCtrl::SetItemBkColor(int row, int column, ColorRef colour, bool redraw) {
  SetCellColours(row, column, Qt::BackgroundRole, colour, new_row_back_);
  if (redraw) viewport()->update();
}

ColorRef CReportCtrl::GetItemTextColor(int row, int column) const {
  const QTableWidgetItem* cell = Cell(row, column);
  if (cell == nullptr) return kNoColor;
  const QVariant value = cell->data(Qt::ForegroundRole);
  return value.isValid() ? ToColorRef(value.value<QBrush>().color()) : kNoColor;
}

ColorRef CReportCtrl::GetItemBkColor(int row, int column) const {
  const QTableWidgetItem* cell = Cell(row, column);
  if (cell == nullptr) return kNoColor;
  const QVariant value = cell->data(Qt::BackgroundRole);
  return value.isValid() ? ToColorRef(value.value<QBrush>().color()) : kNoColor;
}

void CReportCtrl::SetImageList(std::vector<QPixmap> images) {
  images_ = std::move(images);
}

void CReportCtrl::SetItemImage(int row, int column, int image) {
  QTableWidgetItem* cell = Cell(row, column);
  if (cell == nullptr) return;
  const bool valid = image >= 0 && image < static_cast<int>(images_.size());
  cell->setData(kImageRole, valid ? QVariant(image) : QVariant());
  cell->setData(Qt::DecorationRole, valid ? QVariant(images_[image]) : QVariant());
}

void CReportCtrl::SetHeaderImage(int column, int image) {
  QTableWidgetItem* head = horizontalHeaderItem(column);
  if (head == nullptr) return;
  const bool valid = image >= 0 && image < static_cast<int>(header_images_.size());
  head->setIcon(valid ? QIcon(header_images_[image]) : QIcon());
}

bool CReportCtrl::IsTicked(int row) const {
  const QTableWidgetItem* cell = Cell(row, 0);
  return cell != nullptr && tick_mode_ == TickMode::kSingle && cell->checkState() == Qt::Checked;
}

void CReportCtrl::SetTicked(int row, bool ticked) {
  if (QTableWidgetItem* cell = Cell(row, 0))
    cell->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
}

bool CReportCtrl::IsSelected(int row) const {
  return selectionModel()->isRowSelected(row, QModelIndex());
}

void CReportCtrl::SelectOnly(int row) {
  selectionModel()->select(model()->index(row, 0),
                           QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  selectionModel()->setCurrentIndex(model()->index(row, 0), QItemSelectionModel::NoUpdate);
}

void CReportCtrl::SetItemStates(int row, unsigned flags) {
  if (row < 0 || row >= rowCount()) return;
  const QModelIndex index = model()->index(row, 0);
  if (flags & kSelect) {
    selectionModel()->select(index, QItemSelectionModel::Select | QItemSelectionModel::Rows);
  }
  if (flags & kUnselect) {
    selectionModel()->select(index, QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
  }
  if (tick_mode_ == TickMode::kSingle) {
    if (flags & kTick) SetTicked(row, true);
    if (flags & kUntick) SetTicked(row, false);
  }
  if (flags & kFocus) selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
  if ((flags & kUnfocus) && currentRow() == row) {
    selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
  }
}

void CReportCtrl::SetAllItemStates(unsigned test_flags, unsigned set_flags) {
  for (int row = 0; row < rowCount(); ++row) {
    if (ItemHasStates(row, test_flags)) SetItemStates(row, set_flags);
  }
}

bool CReportCtrl::ItemHasStates(int row, unsigned flags) const {
  if (row < 0 || row >= rowCount()) return false;
  const bool selected = IsSelected(row);
  const bool ticked = IsTicked(row);
  const bool focused = currentRow() == row;
  return (!(flags & kSelect) || selected) && (!(flags & kUnselect) || !selected) &&
         (!(flags & kTick) || ticked) && (!(flags & kUntick) || !ticked) &&
         (!(flags & kFocus) || focused) && (!(flags & kUnfocus) || !focused);
}

int CReportCtrl::GetItemStatesCount(unsigned flags) const {
  if (flags == kAllRows) return rowCount();
  int count = 0;
  for (int row = 0; row < rowCount(); ++row) count += ItemHasStates(row, flags);
  return count;
}

int CReportCtrl::GetNextItem(int after, unsigned flags) const {
  for (int row = std::max(after + 1, 0); row < rowCount(); ++row) {
    if (ItemHasStates(row, flags)) return row;
  }
  return -1;
}

void CReportCtrl::SetTickMode(TickMode mode) {
  tick_mode_ = mode;
  for (int row = 0; row < rowCount(); ++row) {
    QTableWidgetItem* cell = Cell(row, 0);
    if (cell == nullptr) continue;
    if (mode == TickMode::kSingle) {
      cell->setCheckState(Qt::Unchecked);
    } else {
      cell->setData(Qt::CheckStateRole, QVariant());
    }
  }
}

void CReportCtrl::SetEditable(bool editable) {
  if (!editable) EndEdit(true);
  editable_ = editable;
}

void CReportCtrl::SetHeaderClickable(bool clickable) {
  horizontalHeader()->setSectionsClickable(clickable);
}

QRect CReportCtrl::CellRect(int row, int column) const {
  return visualRect(model()->index(row, column));
}

}  // namespace talon
