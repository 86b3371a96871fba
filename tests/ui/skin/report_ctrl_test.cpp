// CReportCtrl: ticks, clicks that select and edit, edit keys and callbacks, owner editors,
// rows and colours.
#include <QLineEdit>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTest>
#include <QValidator>

#include <gtest/gtest.h>

#include <vector>

#include "qt_test_app.h"
#include "ui/skin/combo_box_4_list_ctrl.h"
#include "ui/skin/message_dialog.h"
#include "ui/skin/report_ctrl.h"

namespace talon {
namespace {

class ReportCtrlTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { test::QtApp(); }

  ReportCtrlTest() {
    list.resize(300, 200);
    list.InsertColumn(0, "Key", Qt::AlignLeft, 80);
    list.InsertColumn(1, "Action", Qt::AlignCenter, 80);
    list.InsertColumn(2, "Delay", Qt::AlignRight, 80);
    for (int row = 0; row < 4; ++row) {
      list.InsertItem(row, QString("key%1").arg(row));
      list.SetItemText(row, 1, QString("down%1").arg(row));
      list.SetItemText(row, 2, QString::number(row * 10));
    }
    list.SetEditable(true);
    list.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&list));
  }

  QPoint CellCentre(int row, int column) { return list.CellRect(row, column).center(); }
  QPoint TickBox(int row) {
    QStyleOptionViewItem option;
    option.initFrom(&list);
    option.rect = list.CellRect(row, 0);
    option.features = QStyleOptionViewItem::HasCheckIndicator;
    return list.style()
        ->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, &list)
        .center();
  }
  void Click(QPoint at) { QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, at); }
  void Edit(int row, int column, const QString& text) {
    ASSERT_TRUE(list.BeginEdit(row, column));
    list.EditBox().setText(text);
  }

  CReportCtrl list;
};

TEST_F(ReportCtrlTest, SingleTickModeKeepsOneTickAndReportsEveryChange) {
  std::vector<std::pair<int, bool>> ticks;
  list.SetTickCallback([&](int row, CReportCtrl& l) {
    ticks.emplace_back(row, l.ItemHasStates(row, CReportCtrl::kTick));
  });
  list.SetTickMode(CReportCtrl::TickMode::kSingle);

  Click(TickBox(0));
  Click(TickBox(2));
  EXPECT_EQ(ticks, (std::vector<std::pair<int, bool>>{{0, true}, {0, false}, {2, true}}));
  EXPECT_EQ(list.GetItemStatesCount(CReportCtrl::kTick), 1);
  EXPECT_EQ(list.GetNextItem(-1, CReportCtrl::kTick), 2);
  // The newly ticked row is the only selected one and has the focus.
  EXPECT_EQ(list.GetItemStatesCount(CReportCtrl::kSelect), 1);
  EXPECT_TRUE(list.ItemHasStates(2, CReportCtrl::kSelect | CReportCtrl::kFocus));
  EXPECT_FALSE(list.IsEditing());

  ticks.clear();
  Click(TickBox(2));  // an untick stays
  EXPECT_EQ(ticks, (std::vector<std::pair<int, bool>>{{2, false}}));
  EXPECT_EQ(list.GetItemStatesCount(CReportCtrl::kTick), 0);

  list.SetItemStates(1, CReportCtrl::kSelect | CReportCtrl::kFocus);
  QTest::keyClick(&list, Qt::Key_Space);  // ticks change by mouse only
  EXPECT_EQ(list.GetItemStatesCount(CReportCtrl::kTick), 0);

  list.SetItemStates(3, CReportCtrl::kTick);
  list.SetTickMode(CReportCtrl::TickMode::kSingle);  // turning the mode on clears every tick
  EXPECT_EQ(list.GetItemStatesCount(CReportCtrl::kTick), 0);
}

TEST_F(ReportCtrlTest, FirstClickSelectsSecondClickEditsThatCell) {
  Click(CellCentre(1, 1));
  EXPECT_TRUE(list.ItemHasStates(1, CReportCtrl::kSelect | CReportCtrl::kFocus));
  EXPECT_FALSE(list.IsEditing());
  Click(CellCentre(1, 2));
  ASSERT_TRUE(list.IsEditing());
  EXPECT_EQ(list.EditRow(), 1);
  EXPECT_EQ(list.EditColumn(), 2);
  EXPECT_TRUE(list.EditBox().isVisible());
  EXPECT_EQ(list.EditBox().text(), "10");
  EXPECT_EQ(list.EditBox().selectedText(), "10");
  EXPECT_EQ(list.EditBox().maxLength(), CReportCtrl::kMaxEditChars);
  EXPECT_TRUE(list.EditBox().alignment() & Qt::AlignRight);  // like its column

  // A click elsewhere commits and starts nothing new (an edit was active).
  list.EditBox().setText("15");
  Click(CellCentre(1, 0));
  EXPECT_FALSE(list.IsEditing());
  EXPECT_EQ(list.GetItemText(1, 2), "15");

  list.SetEditable(false);
  Click(CellCentre(1, 0));
  EXPECT_FALSE(list.IsEditing());
}

TEST_F(ReportCtrlTest, EditKeysCommitCancelAndSwallowTab) {
  struct Case {
    Qt::Key key;
    bool still_editing;
    QString cell;
  };
  const Case cases[] = {
      {Qt::Key_Escape, false, "down2"},
      {Qt::Key_Return, false, "typed"},
      {Qt::Key_Enter, false, "typed"},
      {Qt::Key_Tab, true, "down2"},
  };
  for (const Case& c : cases) {
    list.SetItemText(2, 1, "down2");
    Edit(2, 1, "typed");
    QTest::keyClick(&list.EditBox(), c.key);
    EXPECT_EQ(list.IsEditing(), c.still_editing) << c.key;
    EXPECT_EQ(list.GetItemText(2, 1), c.cell) << c.key;
    list.EndEdit(false);
  }
}

// Keeps Enter and Escape from closing it, as the editors' dialogs do.
class KeepOpenDialog : public MessageDialog {
 public:
  bool PreTranslateKey(const KeyMessage& key) override { return key.vk == 0x0D || key.vk == 0x1B; }
};

TEST_F(ReportCtrlTest, EditKeysReachTheEditBeforeTheDialogsFilter) {
  KeepOpenDialog dialog;
  auto* actions = new CReportCtrl(&dialog);
  actions->resize(200, 100);
  actions->InsertColumn(0, "Delay", Qt::AlignLeft, 80);
  actions->InsertItem(0, "50");
  actions->SetEditable(true);
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  struct Case {
    Qt::Key key;
    bool still_editing;
    QString cell;
  };
  for (const Case& c : {Case{Qt::Key_Escape, false, "50"}, Case{Qt::Key_Tab, true, "50"},
                        Case{Qt::Key_Return, false, "70"}}) {
    ASSERT_TRUE(actions->BeginEdit(0, 0));
    actions->EditBox().setText("70");
    QTest::keyClick(dialog.windowHandle(), c.key);
    EXPECT_EQ(actions->IsEditing(), c.still_editing) << c.key;
    EXPECT_EQ(actions->GetItemText(0, 0), c.cell) << c.key;
    actions->EndEdit(false);
  }
  QTest::keyClick(dialog.windowHandle(), Qt::Key_Escape);  // no edit: the dialog's filter
  EXPECT_TRUE(dialog.isVisible());
}

TEST_F(ReportCtrlTest, ValidateDecidesAndMayRewrite) {
  int validations = 0;
  bool accept = false;
  list.SetValidateCallback([&](QLineEdit& edit, CReportCtrl&) {
    ++validations;
    if (accept) edit.setText(edit.text() + "0");
    return accept;
  });
  Edit(0, 2, "45");
  EXPECT_EQ(list.EndEdit(true), 1);
  EXPECT_EQ(list.GetItemText(0, 2), "0");  // refused: the old text stays
  EXPECT_EQ(validations, 1);

  accept = true;
  Edit(0, 2, "45");
  list.EndEdit(true);
  EXPECT_EQ(list.GetItemText(0, 2), "450");  // the callback's rewrite is what the cell takes

  Edit(0, 2, "450");  // the same text: no validation
  list.EndEdit(true);
  EXPECT_EQ(validations, 2);
  EXPECT_EQ(list.EndEdit(true), 0);  // nothing being edited
}

TEST_F(ReportCtrlTest, VerticalScrollCancelsTheEdit) {
  for (int row = 4; row < 40; ++row) list.InsertItem(row, "more");
  Edit(0, 0, "typed");
  list.verticalScrollBar()->setValue(5);
  EXPECT_FALSE(list.IsEditing());
  EXPECT_EQ(list.GetItemText(0, 0), "key0");
}

TEST_F(ReportCtrlTest, EditingARowOutOfViewIsARealEdit) {
  for (int row = 4; row < 40; ++row) list.InsertItem(row, "more");
  ASSERT_TRUE(list.BeginEdit(35, 0));  // selecting it scrolls the list
  EXPECT_TRUE(list.IsEditing());
  EXPECT_EQ(list.EditRow(), 35);
  ASSERT_TRUE(list.EditBox().isVisible());
  list.EditBox().setText("typed");
  QTest::keyClick(&list.EditBox(), Qt::Key_Return);
  EXPECT_EQ(list.GetItemText(35, 0), "typed");
}

TEST_F(ReportCtrlTest, NumbersOnlyEditTakesDigitsOnly) {
  bool numbers = true;
  list.SetBeginEditCallback([&](CReportCtrl&, unsigned& styles) {
    if (numbers) styles |= CReportCtrl::kNumbersOnly;
    return true;
  });
  for (int row = 0; row < 3; ++row) {
    ASSERT_TRUE(list.BeginEdit(row, 2));
    list.EditBox().clear();
    QTest::keyClicks(&list.EditBox(), "4a2");
    EXPECT_EQ(list.EditBox().text(), "42");
    list.EndEdit(true);
  }
  EXPECT_EQ(list.GetItemText(2, 2), "42");
  // One checker for the edit box however often it is asked for.
  EXPECT_EQ(list.EditBox().findChildren<QValidator*>().size(), 1);
  numbers = false;
  ASSERT_TRUE(list.BeginEdit(3, 2));
  list.EditBox().clear();
  QTest::keyClicks(&list.EditBox(), "4a2");
  EXPECT_EQ(list.EditBox().text(), "4a2");
}

TEST_F(ReportCtrlTest, OwnerDropDownCommitsOnOneChoice) {
  CComboBox4ListCtrl* combo = nullptr;
  std::vector<bool> ends;
  list.SetBeginEditCallback([&](CReportCtrl& l, unsigned&) {
    combo = new CComboBox4ListCtrl(l.viewport());
    combo->addItems({"down", "up", "both"});
    combo->setCurrentIndex(1);  // the owner's preset is no choice
    combo->SetStoredMessage(msg::kKeyDown, 0x0D, 7);
    combo->setGeometry(l.CellRect(l.EditRow(), l.EditColumn()));
    combo->show();
    combo->setFocus();
    return false;
  });
  list.SetEndEditCallback([&](CReportCtrl& l, bool commit, int& result) {
    ends.push_back(commit);
    if (commit) l.SetItemText(l.EditRow(), l.EditColumn(), combo->currentText());
    combo->deleteLater();
    result = 5;
    return false;
  });
  ASSERT_TRUE(list.BeginEdit(3, 1));
  EXPECT_FALSE(list.EditBox().isVisible());
  QCoreApplication::processEvents();
  EXPECT_TRUE(ends.empty());

  QTest::keyClick(combo, Qt::Key_Down);  // the user picks the next entry
  ASSERT_TRUE(test::SpinUntil([&] { return !ends.empty(); }));
  EXPECT_EQ(ends, std::vector<bool>{true});
  EXPECT_FALSE(list.IsEditing());
  EXPECT_EQ(list.GetItemText(3, 1), "both");
}

TEST_F(ReportCtrlTest, DeletingEndsTheEditAndSelectsANeighbour) {
  Edit(1, 0, "kept");
  list.DeleteItem(3, true);  // another row: the edit is committed
  EXPECT_EQ(list.GetItemText(1, 0), "kept");
  EXPECT_TRUE(list.ItemHasStates(2, CReportCtrl::kSelect));  // the last row went: the previous

  Edit(1, 0, "lost");
  list.DeleteItem(1, true);  // the edited row: cancelled
  EXPECT_FALSE(list.IsEditing());
  EXPECT_EQ(list.GetItemCount(), 2);
  EXPECT_EQ(list.GetItemText(1, 0), "key2");
  EXPECT_TRUE(list.ItemHasStates(1, CReportCtrl::kSelect));  // the next row
}

TEST_F(ReportCtrlTest, MovingARowKeepsEverythingItHas) {
  int record = 42;
  list.SetTickMode(CReportCtrl::TickMode::kSingle);
  list.SetItemData(0, &record);
  list.SetItemBkColor(0, 1, Rgb(10, 20, 30));
  list.SetItemStates(0, CReportCtrl::kTick | CReportCtrl::kSelect);
  ASSERT_TRUE(list.MoveItem(0, 2));
  EXPECT_EQ(list.GetItemText(2, 0), "key0");
  EXPECT_EQ(list.GetItemText(2, 1), "down0");
  EXPECT_EQ(list.GetItemText(0, 0), "key1");
  EXPECT_EQ(list.GetItemData(2), &record);
  EXPECT_EQ(list.GetItemBkColor(2, 1), Rgb(10, 20, 30));
  EXPECT_TRUE(list.ItemHasStates(2, CReportCtrl::kTick | CReportCtrl::kSelect));
  EXPECT_FALSE(list.MoveItem(0, 4));
}

TEST_F(ReportCtrlTest, AnEditOverACellWithAnImageStartsAfterIt) {
  QPixmap image(12, 12);
  image.fill(Qt::green);
  list.SetImageList({image});
  list.SetItemImage(1, 0, 0);
  ASSERT_TRUE(list.BeginEdit(1, 0));
  EXPECT_EQ(list.EditBox().geometry().left(), list.CellRect(1, 0).left() + 8);
  list.EndEdit(false);
  ASSERT_TRUE(list.BeginEdit(2, 0));
  EXPECT_EQ(list.EditBox().geometry().left(), list.CellRect(2, 0).left());
  list.EndEdit(false);
  ASSERT_TRUE(list.MoveItem(1, 3));  // the image moves with its row
  ASSERT_TRUE(list.BeginEdit(3, 0));
  EXPECT_EQ(list.EditBox().geometry().left(), list.CellRect(3, 0).left() + 8);
}

TEST_F(ReportCtrlTest, CellColoursWithAllRowsAndDefaults) {
  list.SetItemBkColor(-1, 1, Rgb(255, 0, 0));
  list.SetItemTextColor(2, -1, Rgb(0, 0, 255));
  for (int row = 0; row < 4; ++row) {
    EXPECT_EQ(list.GetItemBkColor(row, 1), Rgb(255, 0, 0));
    EXPECT_EQ(list.GetItemBkColor(row, 0), kNoColor);
    EXPECT_EQ(list.GetItemTextColor(row, 2), row == 2 ? Rgb(0, 0, 255) : kNoColor);
  }
  const QImage shown = list.viewport()->grab().toImage();
  EXPECT_EQ(shown.pixelColor(list.CellRect(3, 1).topLeft() + QPoint(2, 2)), QColor(Qt::red));
  list.SetItemBkColor(3, 1, kNoColor);
  EXPECT_EQ(list.GetItemBkColor(3, 1), kNoColor);

  // Rows inserted later start with the colours set for all rows, not one set for a single row.
  list.SetItemTextColor(-1, -1, Rgb(128, 128, 128));
  const int added = list.InsertItem(list.GetItemCount(), "later");
  const int first = list.InsertItem(0, "first");
  for (int row : {first, added + 1}) {
    EXPECT_EQ(list.GetItemBkColor(row, 1), Rgb(255, 0, 0)) << row;
    EXPECT_EQ(list.GetItemBkColor(row, 0), kNoColor) << row;
    for (int column = 0; column < 3; ++column) {
      EXPECT_EQ(list.GetItemTextColor(row, column), Rgb(128, 128, 128)) << row;
    }
  }
  list.SetItemTextColor(-1, 0, kNoColor);
  EXPECT_EQ(list.GetItemTextColor(list.InsertItem(0, "plain"), 0), kNoColor);
}

}  // namespace
}  // namespace talon
