// CBaseDialog: the outline region, loading and releasing the skin, painting, dragging; and the
// placement of controls from a skin file.
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>

#include "qt_test_app.h"
#include "test_skin.h"
#include "ui/skin/base_dialog.h"
#include "ui/skin/outline_region.h"
#include "ui/skin/place_control.h"
#include "ui/skin/png_button.h"

namespace talon {
namespace {

// True when the region holds exactly the pixels `inside` says.
template <class Inside>
void ExpectRegionIs(const QRegion& region, QSize size, Inside inside) {
  int wrong = 0;
  for (int y = 0; y < size.height(); ++y) {
    for (int x = 0; x < size.width(); ++x) wrong += region.contains(QPoint(x, y)) != inside(x, y);
  }
  EXPECT_EQ(wrong, 0);
}

class BaseDialogTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { test::QtApp(); }
  std::filesystem::path Folder() const { return dir.path().toStdString(); }
  QTemporaryDir dir;
};

TEST_F(BaseDialogTest, OutlineOfAWhiteBorderedRoundedShape) {
  const QImage mask = test::DrawMask();
  const std::optional<QRegion> region = OutlineRegion(mask, Rgb(255, 255, 255), 0);
  ASSERT_TRUE(region.has_value());
  ExpectRegionIs(*region, mask.size(),
                 [&](int x, int y) { return mask.pixelColor(x, y) != Qt::white; });
  EXPECT_FALSE(region->contains(QPoint(test::kSkinBorder - 1, 50)));             // the border
  EXPECT_FALSE(region->contains(QPoint(test::kSkinBorder, test::kSkinBorder)));  // a round corner
  EXPECT_TRUE(region->contains(QPoint(test::kSkinBorder, 50)));
  EXPECT_TRUE(region->contains(QPoint(80, 50)));
}

TEST_F(BaseDialogTest, OutlineKeyToleranceIsPerChannelAndCapped) {
  struct Case {
    ColorRef key;
    int tolerance;
    QColor pixel;
    bool in_window;
  };
  const Case cases[] = {
      {Rgb(100, 100, 100), 20, QColor(120, 100, 110), false},
      {Rgb(100, 100, 100), 20, QColor(121, 100, 110), true},
      {Rgb(100, 100, 100), 20, QColor(99, 100, 100), true},  // below the key
      {Rgb(100, 100, 100), 0, QColor(100, 100, 100), false},
      {Rgb(250, 250, 250), 20, QColor(255, 255, 255), false},  // bound capped at 255
      {Rgb(255, 255, 255), 0, QColor(254, 255, 255), true},
  };
  for (const Case& c : cases) {
    QImage picture(3, 1, QImage::Format_RGB32);
    picture.fill(ToQColor(c.key));
    picture.setPixelColor(1, 0, c.pixel);
    const std::optional<QRegion> region = OutlineRegion(picture, c.key, c.tolerance);
    EXPECT_EQ(region.has_value() && region->contains(QPoint(1, 0)), c.in_window)
        << c.pixel.name().toStdString() << " tolerance " << c.tolerance;
  }
  QImage white(10, 10, QImage::Format_RGB32);
  white.fill(Qt::white);
  EXPECT_FALSE(OutlineRegion(white, Rgb(255, 255, 255), 0).has_value());
}

TEST_F(BaseDialogTest, OutlineWithManyRunsIsMergedInBatches) {
  // 100 runs a row, 10000 in all: five batches.
  QImage stripes(200, 100, QImage::Format_RGB32);
  for (int y = 0; y < 100; ++y) {
    for (int x = 0; x < 200; ++x) stripes.setPixelColor(x, y, (x + y) % 2 ? Qt::white : Qt::red);
  }
  const std::optional<QRegion> region = OutlineRegion(stripes, Rgb(255, 255, 255), 0);
  ASSERT_TRUE(region.has_value());
  ExpectRegionIs(*region, stripes.size(), [](int x, int y) { return (x + y) % 2 == 0; });
}

TEST_F(BaseDialogTest, OpeningLoadsTheSkinShapesAndPaintsTheWindow) {
  const test::TestSkin skin = test::WriteTestSkin(Folder());
  CBaseDialog dialog(131, nullptr, skin.ini, skin.folder);
  ASSERT_TRUE(dialog.Open());
  EXPECT_FALSE(dialog.IsLoadingSkin());
  EXPECT_EQ(dialog.size(), test::kSkinSize);
  EXPECT_TRUE(dialog.windowFlags().testFlag(Qt::FramelessWindowHint));
  EXPECT_EQ(dialog.mask(), *OutlineRegion(skin.mask, Rgb(255, 255, 255), 0));
  const QImage shown = dialog.grab().toImage();
  EXPECT_EQ(shown.pixelColor(80, 50), QColor(60, 90, 160));
  EXPECT_EQ(shown.pixelColor(30, 25), QColor(Qt::black));
  dialog.OnOK();
  EXPECT_TRUE(dialog.Background().isNull());
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(BaseDialogTest, MaskMissingUsesTheMainPicture) {
  const test::TestSkin skin = test::WriteTestSkin(Folder(), false);
  QImage main = skin.background;
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 10; ++x) main.setPixelColor(x, y, Qt::white);
  }
  main.save(QString::fromStdString((skin.folder / "bg.bmp").string()));
  CBaseDialog dialog(131, nullptr, skin.ini, skin.folder);
  ASSERT_TRUE(dialog.Open());
  EXPECT_FALSE(dialog.mask().contains(QPoint(5, 5)));
  EXPECT_TRUE(dialog.mask().contains(QPoint(10, 5)));
}

TEST_F(BaseDialogTest, AMissingOrBrokenPictureFailsTheOpening) {
  const test::TestSkin skin = test::WriteTestSkin(Folder());
  struct Case {
    const char* what;
    std::function<void()> spoil;
  };
  const Case cases[] = {
      {"mask missing", [&] { std::filesystem::remove(skin.folder / "mask.bmp"); }},
      {"not a picture", [&] { std::ofstream(skin.folder / "bg.bmp") << "no picture here"; }},
      {"no Main key", [&] { std::ofstream(skin.ini) << "[SCREEN]\nMask=mask.bmp\n"; }},
  };
  for (const Case& c : cases) {
    test::WriteTestSkin(Folder());
    c.spoil();
    CBaseDialog dialog(131, nullptr, skin.ini, skin.folder);
    EXPECT_FALSE(dialog.Open()) << c.what;
    EXPECT_FALSE(dialog.isVisible()) << c.what;
    EXPECT_EQ(dialog.DoModal(), CBaseDialog::kInitFailed) << c.what;
  }
}

TEST_F(BaseDialogTest, ReopeningReloadsTheBackgroundFromDisk) {
  const test::TestSkin skin = test::WriteTestSkin(Folder());
  CBaseDialog dialog(131, nullptr, skin.ini, skin.folder);
  ASSERT_TRUE(dialog.Open());
  const FaceSheet faces = CBaseDialog::CreateFaceSheet(dialog.Background(), dialog);
  dialog.OnCancel();
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  EXPECT_TRUE(dialog.Background().isNull());
  test::DrawBackground(QColor(10, 150, 20))
      .save(QString::fromStdString((skin.folder / "bg.bmp").string()));
  ASSERT_TRUE(dialog.Open());
  EXPECT_EQ(dialog.grab().toImage().pixelColor(80, 50), QColor(10, 150, 20));
  EXPECT_EQ(faces.Image().pixelColor(80, 50), QColor(60, 90, 160));  // faces stay as made
  EXPECT_EQ(faces.Size(), test::kSkinSize + QSize(100, 100));
}

TEST_F(BaseDialogTest, DraggingTheBodyMovesTheWindow) {
  const test::TestSkin skin = test::WriteTestSkin(Folder());
  CBaseDialog dialog(131, nullptr, skin.ini, skin.folder);
  ASSERT_TRUE(dialog.Open());
  dialog.move(100, 100);
  const QPoint start = dialog.pos();
  auto send = [&](QEvent::Type type, QPoint local, QPoint global, Qt::MouseButtons buttons) {
    QMouseEvent e(type, local, global, Qt::LeftButton, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(&dialog, &e);
  };
  const QPoint grip(80, 50);
  send(QEvent::MouseButtonPress, grip, start + grip, Qt::LeftButton);
  send(QEvent::MouseMove, grip, start + grip + QPoint(30, 20), Qt::LeftButton);
  send(QEvent::MouseButtonRelease, grip, start + grip + QPoint(30, 20), Qt::NoButton);
  EXPECT_EQ(dialog.pos(), start + QPoint(30, 20));
  send(QEvent::MouseMove, grip, start + grip + QPoint(90, 90), Qt::NoButton);
  EXPECT_EQ(dialog.pos(), start + QPoint(30, 20));
}

TEST_F(BaseDialogTest, PlacingControlsFromTheSkinFile) {
  const test::TestSkin skin = test::WriteTestSkin(Folder());
  const CIniFile ini(skin.ini);
  QWidget window;
  FaceSheet normal;
  const FaceSet faces{&normal, &normal, &normal, &normal, &normal};

  CPngButton ok(&window), help(&window), missing(&window), arrow(&window);
  PlaceImageButton(ok, ini, "CONTROL_OK", faces);
  EXPECT_EQ(ok.geometry(), QRect(20, 60, 50, 24));
  EXPECT_EQ(ok.FacePosition(), QPoint(20, 60));
  EXPECT_TRUE(ok.isEnabled());
  PlaceImageButton(help, ini, "CONTROL_HELP", faces);  // at 1,1: left out by the skin
  EXPECT_EQ(help.geometry(), QRect(1, 1, 40, 20));
  EXPECT_FALSE(help.isEnabled());
  PlaceImageButton(missing, ini, "CONTROL_NONE", faces);
  EXPECT_EQ(missing.geometry(), QRect(1, 1, 1, 1));
  EXPECT_FALSE(missing.isEnabled());
  PlaceImageButtonWithFaceKey(arrow, ini, "LEFT_ARROW", "UP_ARROW_LEFT1", faces);
  EXPECT_EQ(arrow.geometry(), QRect(100, 10, 30, 20));
  EXPECT_EQ(arrow.FacePosition(), QPoint(5, 6));

  QPushButton plain(&window);
  PlaceControl(plain, ini, "CONTROL_OK");
  EXPECT_EQ(plain.geometry(), QRect(20, 60, 50, 24));
  plain.resize(70, 30);
  PlaceControlAt(plain, ini, "LEFT_ARROW");
  EXPECT_EQ(plain.geometry(), QRect(100, 10, 70, 30));
}

TEST_F(BaseDialogTest, PlacedButtonsOneAndTwoCloseTheDialogAndF1AsksForHelp) {
  const test::TestSkin skin = test::WriteTestSkin(Folder());
  const CIniFile ini(skin.ini);
  FaceSheet normal;
  const FaceSet faces{&normal, &normal, &normal, &normal, &normal};
  for (const int id : {CBaseDialog::kIdOk, CBaseDialog::kIdCancel}) {
    CBaseDialog dialog(1, nullptr, skin.ini, skin.folder);
    int helped = 0;
    dialog.SetHelpHandler([&] { ++helped; });
    auto* button = new CPngButton(&dialog);
    PlaceImageButton(*button, ini, "CONTROL_OK", faces, id);
    ASSERT_TRUE(dialog.Open());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_EQ(dialog.Control(id), button);

    QTest::keyClick(dialog.windowHandle(), Qt::Key_F1);
    test::Spin(20);
    EXPECT_EQ(helped, 1) << id;
    EXPECT_TRUE(dialog.isVisible());

    button->click();
    EXPECT_FALSE(dialog.isVisible()) << id;
    EXPECT_EQ(dialog.result(), id == CBaseDialog::kIdOk ? QDialog::Accepted : QDialog::Rejected);
    EXPECT_TRUE(dialog.Background().isNull());  // pictures released on closing
  }
}

}  // namespace
}  // namespace talon
