#pragma once
// CReportCtrl: the editors' list. A report view with per-cell text and background colours, an
// owner's pointer behind each row, optional tick boxes of which at most one is ticked, and
// in-place editing of a cell with hooks through which the owner validates the typed text or puts
// its own editor (for example a CComboBox4ListCtrl) over the cell.
//
// Mouse: a press first ends any edit (committing it); a first click on a row selects it and a
// second click on a cell of the selected, focused row starts editing that cell. Keys during an
// edit: Enter commits, Esc cancels, Tab is swallowed; without an edit, Space is swallowed (ticks
// change only by mouse). Scrolling vertically during an edit cancels it.
#include <QTableWidget>

#include <functional>
#include <vector>

#include "ui/skin/color_ref.h"
#include "ui/skin/key_message.h"

class QLineEdit;

namespace talon {

class CReportCtrl : public QTableWidget, public KeyPreTranslator {
 public:
  enum class TickMode { kNone = 1, kSingle = 2 };

  // Item state flags, combinable.
  static constexpr unsigned kAllRows = 1;  // for GetItemStatesCount: every row
  static constexpr unsigned kSelect = 2;
  static constexpr unsigned kUnselect = 4;
  static constexpr unsigned kTick = 8;
  static constexpr unsigned kUntick = 16;
  static constexpr unsigned kFocus = 32;
  static constexpr unsigned kUnfocus = 64;

  // Extra edit styles a begin-edit callback may ask for.
  static constexpr unsigned kNumbersOnly = 0x2000;

  static constexpr int kMaxEditChars = 100;

  // False refuses the typed text (the cell keeps its old text); it may rewrite the edit's text.
  using ValidateCallback = std::function<bool(QLineEdit& edit, CReportCtrl& list)>;
  // False when the owner has put its own editor over EditRow()/EditColumn().
  using BeginEditCallback = std::function<bool(CReportCtrl& list, unsigned& extra_styles)>;
  // False when the owner has ended its own editor; `result` is then EndEdit's result.
  using EndEditCallback = std::function<bool(CReportCtrl& list, bool commit, int& result)>;
  using TickCallback = std::function<void(int row, CReportCtrl& list)>;

  explicit CReportCtrl(QWidget* parent = nullptr);
  ~CReportCtrl() override;

  // Columns and rows.
  int InsertColumn(int index, const QString& header, Qt::Alignment alignment, int width);
  int InsertItem(int index, const QString& text);
  // Ends any edit first: committed, or cancelled when it is in the deleted row. With
  // `select_neighbour` the next row (the previous one when the last row went) is selected.
  bool DeleteItem(int row, bool select_neighbour);
  void DeleteAllItems();
  bool SetItemText(int row, int column, const QString& text);
  QString GetItemText(int row, int column) const;
  void SetItemData(int row, void* owner_record);
  void* GetItemData(int row) const;
  // Re-creates the row at `to` (its index afterwards) with texts, images, colours, state and
  // owner pointer.
  bool MoveItem(int from, int to);
  int GetItemCount() const { return rowCount(); }

  // Colours; row or column -1 means all, colour kNoColor the system default. A colour set for
  // all rows is also what rows inserted later start with.
  void SetItemTextColor(int row, int column, ColorRef colour, bool redraw = true);
  void SetItemBkColor(int row, int column, ColorRef colour, bool redraw = true);
  ColorRef GetItemTextColor(int row, int column) const;
  ColorRef GetItemBkColor(int row, int column) const;

  // Images from the row image list, shown at the cell's left; -1 for none.
  void SetImageList(std::vector<QPixmap> images);
  void SetItemImage(int row, int column, int image);
  // Images from the header image list, shown in a column's header; -1 for none.
  void SetHeaderImageList(std::vector<QPixmap> images) { header_images_ = std::move(images); }
  void SetHeaderImage(int column, int image);

  // States.
  void SetItemStates(int row, unsigned flags);
  // Sets `set_flags` on every row that has all of `test_flags`.
  void SetAllItemStates(unsigned test_flags, unsigned set_flags);
  bool ItemHasStates(int row, unsigned flags) const;
  // Rows having all of `flags`; kAllRows counts every row.
  int GetItemStatesCount(unsigned flags) const;
  // The first row after `after` (-1: from the start) having all of `flags`, or -1.
  int GetNextItem(int after, unsigned flags) const;

  // Modes and hooks.
  void SetTickMode(TickMode mode);  // single-tick turns tick boxes on and clears every tick
  TickMode GetTickMode() const { return tick_mode_; }
  void SetEditable(bool editable);  // turning editing off commits any edit
  bool IsEditable() const { return editable_; }
  void SetGridLines(bool on) { setShowGrid(on); }
  void SetHeaderClickable(bool clickable);
  void SetOwner(QWidget* owner) { owner_ = owner; }
  QWidget* Owner() const { return owner_; }
  void SetValidateCallback(ValidateCallback callback) { validate_ = std::move(callback); }
  void SetBeginEditCallback(BeginEditCallback callback) { begin_edit_ = std::move(callback); }
  void SetEndEditCallback(EndEditCallback callback) { end_edit_ = std::move(callback); }
  void SetTickCallback(TickCallback callback) { tick_ = std::move(callback); }

  // Editing.
  bool BeginEdit(int row, int column);
  // 1 when an edit box was closed, 0 when none was showing, or the end-edit callback's result.
  int EndEdit(bool commit);
  bool IsEditing() const { return edit_row_ >= 0; }
  int EditRow() const { return edit_row_; }
  int EditColumn() const { return edit_column_; }
  QLineEdit& EditBox() const { return *edit_; }
  // Where a cell is, in the coordinates of viewport(), the parent of any editor over it.
  QRect CellRect(int row, int column) const;

  // During an edit, Enter, Esc and Tab pressed in the cell's editor are the list's, before its
  // dialog's filter (which may swallow them to stay open) sees them.
  bool PreTranslateKey(const KeyMessage& key) override;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QTableWidgetItem* Cell(int row, int column) const;
  void FillRow(int row);
  void ForEachCell(int row, int column, const std::function<void(QTableWidgetItem&)>& act);
  void SetCellColours(int row, int column, int role, ColorRef colour,
                      std::vector<QVariant>& new_rows);
  bool IsTicked(int row) const;
  void SetTicked(int row, bool ticked);
  bool IsSelected(int row) const;
  void SelectOnly(int row);
  bool InTickBox(const QModelIndex& index, QPoint at) const;
  void HandlePress(QMouseEvent* event, bool double_click);
  void ApplySingleTick(int row);
  bool HandleEditKey(int key);

  QLineEdit* edit_;
  bool editable_ = false;
  int edit_row_ = -1;
  int edit_column_ = -1;
  TickMode tick_mode_ = TickMode::kNone;
  Qt::Alignment edit_alignment_ = Qt::AlignLeft;
  // Per column: what rows inserted later take (an invalid value: the system default).
  std::vector<QVariant> new_row_text_;
  std::vector<QVariant> new_row_back_;
  std::vector<QPixmap> images_;
  std::vector<QPixmap> header_images_;
  QWidget* owner_ = nullptr;
  ValidateCallback validate_;
  BeginEditCallback begin_edit_;
  EndEditCallback end_edit_;
  TickCallback tick_;
};

}  // namespace talon
