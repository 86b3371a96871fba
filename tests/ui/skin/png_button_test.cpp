// CPngButton: face choice, where faces are cut, tint, text, tooltip and clicks.
#include <QMouseEvent>
#include <QPainter>
#include <QTest>
#include <QToolTip>
#include <QWidget>

#include <gtest/gtest.h>

#include "qt_test_app.h"
#include "ui/skin/button_text_layout.h"
#include "ui/skin/png_button.h"

namespace talon {
namespace {

constexpr QSize kWindow(120, 80);

FaceSheet Solid(QColor colour) {
  QImage picture(kWindow, QImage::Format_RGB32);
  picture.fill(colour);
  return FaceSheet::Create(picture, kWindow);
}

class PngButtonTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { test::QtApp(); }

  PngButtonTest() {
    window.resize(kWindow);
    window.setAutoFillBackground(true);
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, Qt::white);
    window.setPalette(palette);
    button = new CPngButton(&window);
    button->setGeometry(20, 10, 40, 30);
    button->SetFaces(20, 10, &normal, &hover, &pressed, &disabled, &other);
    button->SetAlternateFaces(&alternate_a, &alternate_b, false, false);
    window.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
  }

  void Hover() {
    const QPoint at(5, 5);
    QMouseEvent move(QEvent::MouseMove, at, button->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(button, &move);
    test::SpinUntil([this] { return button->IsHovered(); }, 200);
  }
  void Leave() {
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(button, &leave);
  }
  QColor Shown(QPoint at = QPoint(20, 15)) { return button->grab().toImage().pixelColor(at); }

  FaceSheet normal = Solid(Qt::red), hover = Solid(Qt::green), pressed = Solid(Qt::blue),
            disabled = Solid(Qt::gray), other = Solid(Qt::yellow), alternate_a = Solid(Qt::cyan),
            alternate_b = Solid(Qt::magenta);
  QWidget window;
  CPngButton* button;
};

TEST_F(PngButtonTest, FaceChoiceFirstMatchWins) {
  struct Case {
    bool enabled, alternate, selector, down, hovered, other_state;
    const FaceSheet* expected;
    const char* what;
  };
  const Case cases[] = {
      {true, false, false, false, false, false, &normal, "normal"},
      {true, false, false, false, false, true, &other, "other"},
      {true, false, false, false, true, true, &hover, "hover over other"},
      {true, false, false, true, true, true, &pressed, "pressed over hover"},
      {true, true, false, true, true, true, &alternate_a, "alternate ignores press and hover"},
      {true, true, true, false, true, false, &alternate_b, "alternate selector"},
      {false, true, true, true, true, true, &disabled, "disabled over everything"},
      {false, false, false, false, true, false, &disabled, "disabled while hovered"},
  };
  for (const Case& c : cases) {
    button->setEnabled(true);
    button->SetAlternateFaces(&alternate_a, &alternate_b, c.alternate, c.selector);
    button->SetOtherState(c.other_state, true);
    if (c.hovered) {
      Hover();
    } else {
      Leave();
    }
    ASSERT_EQ(button->IsHovered(), c.hovered) << c.what;
    button->setEnabled(c.enabled);
    button->setDown(c.down);
    button->Redraw();
    EXPECT_EQ(Shown(), c.expected->Image().pixelColor(0, 0)) << c.what;
    EXPECT_EQ(button->CurrentFace(), c.expected) << c.what;
    button->setDown(false);
  }
}

TEST_F(PngButtonTest, FacesAreCutOnePixelUpAndLeftOfTheSkinPosition) {
  QImage picture(kWindow, QImage::Format_RGB32);
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) picture.setPixelColor(x, y, QColor(x, y, 99));
  }
  const FaceSheet sheet = FaceSheet::Create(picture, kWindow);
  EXPECT_EQ(sheet.Size(), kWindow + QSize(100, 100));
  button->SetFaces(30, 40, &sheet, &sheet, &sheet, &sheet, &sheet);
  const QImage shown = button->grab().toImage();
  EXPECT_EQ(shown.pixelColor(0, 0), QColor(29, 39, 99));
  EXPECT_EQ(shown.pixelColor(39, 29), QColor(68, 68, 99));
}

TEST_F(PngButtonTest, WhereThePictureEndsTheSheetIsBlackAndBeyondTheSheetNothingIsDrawn) {
  QImage picture(QSize(50, 40), QImage::Format_RGB32);
  picture.fill(Qt::red);
  const FaceSheet sheet = FaceSheet::Create(picture, kWindow);  // 220 x 180
  struct Case {
    QPoint skin_position;
    QPoint at;  // in the button
    QColor expected;
  };
  const Case cases[] = {
      {{30, 20}, {5, 5}, Qt::red},                // picture
      {{30, 20}, {30, 5}, Qt::black},             // right of the picture, inside the sheet
      {{30, 30}, {5, 25}, Qt::black},             // below the picture
      {{200, 160}, {5, 5}, Qt::black},            // the sheet's last pixels
      {{200, 160}, {35, 25}, QColor(Qt::white)},  // outside the sheet: the window shows
  };
  for (const Case& c : cases) {
    button->SetFaces(c.skin_position.x(), c.skin_position.y(), &sheet, &sheet, &sheet, &sheet,
                     &sheet);
    const QImage shown = window.grab(button->geometry()).toImage();
    EXPECT_EQ(shown.pixelColor(c.at), c.expected) << c.skin_position.x() << "," << c.at.x();
  }
  EXPECT_EQ(sheet.Image().cacheKey(), picture.cacheKey()) << "the picture is shared, not copied";
}

TEST_F(PngButtonTest, TintWashesTheFaceAndKeepsALightLegendLight) {
  // A dark key cap with a white legend in the middle, as every state's face.
  QImage picture(kWindow, QImage::Format_RGB32);
  picture.fill(QColor(40, 40, 40));
  for (int y = 20; y < 26; ++y) {
    for (int x = 35; x < 41; ++x) picture.setPixelColor(x, y, Qt::white);
  }
  const FaceSheet key = FaceSheet::Create(picture, kWindow);
  button->SetFaces(20, 10, &key, &key, &key, &key, &key);
  button->SetOutline(Rgb(0, 0, 255), 250, true);
  EXPECT_EQ(button->OutlineLevel(), 100);
  button->SetOutline(Rgb(0, 0, 255), 50, true);
  for (bool down : {false, true}) {
    button->setDown(down);
    const QImage shown = button->grab().toImage();
    // Half of the brighter of face and tint in each channel, half the face.
    EXPECT_NEAR(shown.pixelColor(5, 15).blue(), (255 + 40) / 2, 2);
    EXPECT_EQ(shown.pixelColor(5, 15).red(), 40);
    EXPECT_EQ(shown.pixelColor(16, 12), QColor(Qt::white));  // the legend
    // The corner outside the cap's rounded edge keeps its face.
    EXPECT_EQ(shown.pixelColor(0, 0), QColor(40, 40, 40));
  }
  button->setDown(false);
  button->SetOutline(Rgb(0, 0, 255), 250, false);
  EXPECT_EQ(button->OutlineLevel(), 250);
  EXPECT_EQ(Shown(QPoint(5, 15)), QColor(40, 40, 40));
}

TEST_F(PngButtonTest, DoubleClickGivesTwoClicks) {
  int clicks = 0;
  QObject::connect(button, &QAbstractButton::clicked, button, [&] { ++clicks; });
  const QPoint at(10, 10);
  auto send = [&](QEvent::Type type) {
    QMouseEvent e(type, at, button->mapToGlobal(at), Qt::LeftButton,
                  type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                  Qt::NoModifier);
    QCoreApplication::sendEvent(button, &e);
  };
  send(QEvent::MouseButtonPress);
  send(QEvent::MouseButtonRelease);
  send(QEvent::MouseButtonDblClick);
  send(QEvent::MouseButtonRelease);
  EXPECT_EQ(clicks, 2);
}

TEST_F(PngButtonTest, TextIsDrawnOnlyWithTheTextFlag) {
  button->setText("OK");
  const QImage plain = button->grab().toImage();
  button->SetTextStyle(false, 12, "Sans", Rgb(0, 0, 0), 0, 0, 0, 0);
  EXPECT_EQ(button->grab().toImage(), plain);
  button->SetTextStyle(true, 12, "Sans", Rgb(255, 255, 255), 0, 0, 0, 0);
  const QImage with_text = button->grab().toImage();
  int white = 0;
  for (int y = 0; y < with_text.height(); ++y) {
    for (int x = 0; x < with_text.width(); ++x) white += with_text.pixelColor(x, y) == Qt::white;
  }
  EXPECT_GT(white, 10);
  EXPECT_EQ(with_text.pixelColor(1, 1), QColor(Qt::red));  // the face stays under the text
}

TEST_F(PngButtonTest, TooltipPopsAtOnceOnEveryHover) {
  button->SetTooltip("Help", true);
  for (int round = 0; round < 2; ++round) {
    Hover();
    EXPECT_TRUE(QToolTip::isVisible()) << round;
    EXPECT_EQ(QToolTip::text(), "Help");
    Leave();
    QToolTip::hideText();
    test::Spin(5);
  }
  button->SetTooltip("", true);  // an empty text changes nothing
  EXPECT_EQ(button->Tooltip(), "Help");

  // A tooltip switched off stays off on hover, and comes back once switched on again.
  button->SetTooltip("Help", false);
  ASSERT_TRUE(test::SpinUntil([] { return !QToolTip::isVisible(); }));
  Hover();
  EXPECT_FALSE(QToolTip::isVisible());
  Leave();
  test::Spin(5);
  button->SetTooltip("Help again", true);
  Hover();
  EXPECT_TRUE(QToolTip::isVisible());
  EXPECT_EQ(QToolTip::text(), "Help again");
  Leave();
  QToolTip::hideText();
}

TEST_F(PngButtonTest, DrawCallbackLearnsWhetherTheNormalFaceWasDrawn) {
  std::vector<bool> calls;
  button->SetDrawCallback([&](CPngButton&, bool normal_face) { calls.push_back(normal_face); });
  button->Redraw();
  test::Spin(20);
  button->SetOtherState(true, false);
  button->Redraw();
  test::Spin(20);
  EXPECT_EQ(calls, (std::vector<bool>{true, false}));
}

TEST_F(PngButtonTest, RepaintsAreScheduledAndOnlyForChanges) {
  int paints = 0;
  button->SetDrawCallback([&](CPngButton&, bool) { ++paints; });
  test::Spin(20);
  paints = 0;
  // Setting what is already set schedules nothing, nor does recolouring a tint that is off.
  button->SetOtherState(false);
  button->SetOutline(0, 0, false);
  button->SetOutline(Rgb(9, 9, 9), 50, false);
  test::Spin(20);
  EXPECT_EQ(paints, 0);
  // Several changes before the event loop runs cost one paint.
  button->SetOtherState(true);
  button->SetOutline(Rgb(0, 0, 255), 50, true);
  button->Redraw();
  EXPECT_EQ(paints, 0);
  test::Spin(20);
  EXPECT_EQ(paints, 1);
  // The same tint again paints nothing; another colour does.
  button->SetOutline(Rgb(0, 0, 255), 50, true);
  test::Spin(20);
  EXPECT_EQ(paints, 1);
  button->SetOutline(Rgb(0, 255, 0), 50, true);
  test::Spin(20);
  EXPECT_EQ(paints, 2);
}

TEST_F(PngButtonTest, HoverCallbackSeesEnterAndLeaveOnce) {
  std::vector<bool> calls;
  button->SetHoverCallback([&](CPngButton&, bool entered) { calls.push_back(entered); });
  Hover();
  Hover();  // moving about on the button is not a second entry
  Leave();
  Leave();
  EXPECT_EQ(calls, (std::vector<bool>{true, false}));
}

TEST(ButtonTextLayoutTest, RotatedTextIsRecentred) {
  struct Case {
    EdgeRect rect;
    int w, h, angle;
    EdgeRect moved;
    QPoint origin;
  };
  const Case cases[] = {
      // Upright: centred both ways, origin at the text's top-left.
      {{0, 0, 100, 20}, 40, 10, 0, {30, 0, 100, 15}, {30, 5}},
      // A quarter turn: the column of text stands in the middle.
      {{0, 0, 20, 60}, 40, 10, 900, {6, 0, 20, 50}, {6, 50}},  // 10 sin t truncates to 9
      {{0, 0, 60, 60}, 40, 10, 450, {13, 0, 60, 47}, {13, 40}},
      // Too wide to centre: the left edge stays.
      {{0, 0, 30, 20}, 40, 10, 0, {0, 0, 30, 15}, {0, 5}},
  };
  for (const Case& c : cases) {
    const EdgeRect moved = RotatedTextRect(c.rect, c.w, c.h, c.angle);
    EXPECT_EQ(moved, c.moved) << c.angle;
    EXPECT_EQ(RotatedTextOrigin(moved, c.h, c.angle), c.origin) << c.angle;
  }
  EXPECT_EQ(QtTextFlags(text_format::kCentredLine),
            int(Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextSingleLine));
}

}  // namespace
}  // namespace talon
