// CSkinColorBtn, ColorStatic and CComboBox4ListCtrl.
#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <vector>

#include "qt_test_app.h"
#include "ui/skin/color_static.h"
#include "ui/skin/combo_box_4_list_ctrl.h"
#include "ui/skin/control_binding.h"
#include "ui/skin/message_dialog.h"
#include "ui/skin/skin_color_btn.h"

namespace talon {
namespace {

constexpr QColor kArrowBox(148, 146, 139);

class ColourOwner : public MessageDialog {
 public:
  std::vector<int> chosen;

  static const MessageMap& ClassMessageMap() {
    static constexpr CommandEntry kCommands[] = {OnCommand<&ColourOwner::OnColour>(1155)};
    static const MessageMap kMap{{}, kCommands, &MessageDialog::ClassMessageMap()};
    return kMap;
  }
  const MessageMap& GetMessageMap() const override { return ClassMessageMap(); }

 private:
  void OnColour(int id) { chosen.push_back(id); }
};

class SmallControlsTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { test::QtApp(); }

  SmallControlsTest() : button(new CSkinColorBtn(&owner)) {
    owner.resize(200, 100);
    button->setGeometry(10, 10, 60, 24);
    BindControl(*button, 1155);
    button->EnableAutomaticButton("Automatic", Rgb(0, 255, 0));
    button->EnableOtherButton("other");
    owner.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&owner));
  }

  QImage Face() { return button->grab().toImage(); }

  ColourOwner owner;
  CSkinColorBtn* button;
};

TEST_F(SmallControlsTest, SwatchShowsTheChosenOrAutomaticColour) {
  EXPECT_EQ(button->GetColor(), kNoColor);
  EXPECT_EQ(Face().pixelColor(10, 12), QColor(Qt::green));  // automatic
  button->SetColor(Rgb(255, 0, 0));
  QImage face = Face();
  EXPECT_EQ(face.pixelColor(10, 12), QColor(Qt::red));
  EXPECT_EQ(face.pixelColor(45, 4), kArrowBox);
  EXPECT_EQ(face.pixelColor(51, 10), QColor(Qt::black));  // the arrow

  button->setEnabled(false);
  face = Face();
  EXPECT_NE(face.pixelColor(10, 12), QColor(Qt::red));  // an empty swatch frame
  EXPECT_EQ(face.pixelColor(10, 12), button->palette().color(QPalette::Button));
  EXPECT_EQ(face.pixelColor(1, 12), button->palette().color(QPalette::Dark));
  EXPECT_EQ(face.pixelColor(45, 4), kArrowBox);
  EXPECT_EQ(face.pixelColor(51, 10), QColor(Qt::black));
}

TEST_F(SmallControlsTest, PopupChoicesReachTheDialog) {
  button->click();
  ASSERT_NE(button->Popup(), nullptr);
  ASSERT_TRUE(button->Popup()->isVisible());
  ASSERT_NE(button->Popup()->Swatch(16), nullptr);
  button->Popup()->Swatch(16)->click();  // red in the default palette
  EXPECT_EQ(button->GetColor(), Rgb(255, 0, 0));
  EXPECT_EQ(owner.chosen, std::vector<int>{1155});
  EXPECT_TRUE(test::SpinUntil([&] { return button->Popup() == nullptr; }));

  button->click();
  button->Popup()->AutomaticEntry()->click();
  EXPECT_EQ(button->GetColor(), kNoColor);
  EXPECT_EQ(button->ShownColor(), Rgb(0, 255, 0));

  // "other" opens the full colour dialog.
  QTimer::singleShot(0, [] {
    test::SpinUntil([] { return qobject_cast<QColorDialog*>(QApplication::activeModalWidget()); });
    auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    dialog->setCurrentColor(QColor(1, 2, 3));
    dialog->accept();
  });
  button->click();
  button->Popup()->OtherEntry()->click();
  EXPECT_EQ(button->GetColor(), Rgb(1, 2, 3));
  EXPECT_EQ(owner.chosen.size(), 3u);
}

TEST_F(SmallControlsTest, LosingFocusOrTheMouseRestoresTheNormalLook) {
  button->clearFocus();
  const QImage normal = Face();
  QApplication::setActiveWindow(&owner);
  button->setFocus();
  ASSERT_TRUE(button->hasFocus());
  const QImage focused = Face();
  EXPECT_NE(focused, normal);  // the focus frame
  button->setDown(true);
  QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
  QCoreApplication::sendEvent(button, &enter);
  EXPECT_TRUE(button->IsHovered());
  EXPECT_NE(Face(), focused);

  button->clearFocus();  // the focus goes to another window
  EXPECT_FALSE(button->isDown());
  EXPECT_FALSE(button->IsHovered());
  EXPECT_EQ(Face(), normal);

  QCoreApplication::sendEvent(button, &enter);
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(button, &leave);
  EXPECT_FALSE(button->IsHovered());
  EXPECT_EQ(Face(), normal);
}

TEST_F(SmallControlsTest, ColorStaticIsWhiteUntilTheOwnerSetsAColour) {
  QWidget back;
  back.resize(120, 40);
  back.setAutoFillBackground(true);
  QPalette p = back.palette();
  p.setColor(QPalette::Window, Qt::black);
  back.setPalette(p);
  auto* label = new ColorStatic(&back);
  label->setGeometry(0, 0, 120, 40);
  label->SetFontHeight(24);
  label->setText("MMMM");
  auto count = [&](QColor colour) {
    const QImage shown = back.grab().toImage();
    int n = 0;
    for (int y = 0; y < shown.height(); ++y) {
      for (int x = 0; x < shown.width(); ++x) n += shown.pixelColor(x, y) == colour;
    }
    return n;
  };
  EXPECT_GT(count(Qt::white), 20);
  EXPECT_GT(count(Qt::black), 1000);  // the background shows around the letters
  label->SetTextColor(Rgb(255, 0, 0));
  EXPECT_EQ(count(Qt::white), 0);
  EXPECT_GT(count(Qt::red), 20);
}

TEST_F(SmallControlsTest, CellDropDownPostsItsMessageOnlyForTheUsersChoice) {
  CComboBox4ListCtrl combo(&owner);
  combo.addItems({"a", "b", "c"});
  combo.SetStoredMessage(msg::kKeyDown, 0x0D, 3);
  int enters = 0;
  struct Counter : QObject {
    int* n;
    explicit Counter(int* count) : n(count) {}
    bool eventFilter(QObject*, QEvent* e) override {
      if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Return) {
        ++*n;
        return true;
      }
      return false;
    }
  } counter(&enters);
  combo.installEventFilter(&counter);
  combo.setCurrentIndex(2);  // the owner's preset
  QCoreApplication::processEvents();
  EXPECT_EQ(enters, 0);
  combo.showPopup();
  emit combo.activated(2);  // the user picks the entry that was already there
  combo.hidePopup();
  QCoreApplication::processEvents();
  EXPECT_EQ(enters, 0);
  QTest::keyClick(&combo, Qt::Key_Up);  // a real change
  QCoreApplication::processEvents();
  EXPECT_EQ(enters, 1);
  EXPECT_EQ(combo.StoredLParam(), 3);
}

}  // namespace
}  // namespace talon
