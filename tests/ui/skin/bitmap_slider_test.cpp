// CBitmapSlider: position arithmetic, mouse, keys, wheel and its notifications.
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "qt_test_app.h"
#include "ui/skin/bitmap_slider.h"
#include "ui/skin/control_binding.h"
#include "ui/skin/message_dialog.h"

namespace talon {
namespace {

class SliderOwner : public MessageDialog {
 public:
  std::vector<std::pair<WParam, LParam>> notes;

  static const MessageMap& ClassMessageMap() {
    static constexpr MessageEntry kMessages[] = {OnMessage<&SliderOwner::OnSlider>(kSliderMessage)};
    static const MessageMap kMap{kMessages, {}, &MessageDialog::ClassMessageMap()};
    return kMap;
  }
  const MessageMap& GetMessageMap() const override { return ClassMessageMap(); }

 private:
  LResult OnSlider(WParam w, LParam l) {
    notes.emplace_back(w, l);
    return 0;
  }
};

class BitmapSliderTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { test::QtApp(); }

  BitmapSliderTest() : slider(new CBitmapSlider(&owner)) {
    SetControlId(*slider, 1178);
    QImage picture(60, 12, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    slider->SetRange(0, 5);
    slider->SetPageSize(10);
    slider->SetBitmap(picture);
    owner.show();
  }

  void Mouse(QEvent::Type type, int x) {
    const QPointF at(x, 5);
    QMouseEvent e(type, at, slider->mapToGlobal(at), Qt::LeftButton,
                  type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                  Qt::NoModifier);
    QCoreApplication::sendEvent(slider, &e);
  }
  void Key(int key) {
    QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(slider, &e);
  }
  void Wheel(int delta) {
    const QPointF at(10, 5);
    QWheelEvent e(at, slider->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                  Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(slider, &e);
  }
  // The positions posted since the last call.
  std::vector<LParam> Posted() {
    QCoreApplication::processEvents();
    std::vector<LParam> positions;
    for (auto [id, position] : owner.notes) {
      EXPECT_EQ(id, 1178u);
      positions.push_back(position);
    }
    owner.notes.clear();
    return positions;
  }

  SliderOwner owner;
  CBitmapSlider* slider;
};

TEST_F(BitmapSliderTest, PositionArithmetic) {
  struct Case {
    int x, position;
  };
  // Range 0-5 over 60 pixels: (x + 10) / 60 * 5, truncated and kept in range.
  for (Case c : {Case{0, 0}, {5, 1}, {50, 5}, {26, 3}, {-40, 0}, {200, 5}}) {
    EXPECT_EQ(SliderPositionFromX(c.x, 60, 0, 5), c.position) << c.x;
  }
  EXPECT_EQ(SliderPixelOfPosition(3, 60, 0, 5), 36);
  EXPECT_EQ(SliderPixelOfPosition(5, 60, 0, 5), 60);
  EXPECT_EQ(SliderPositionFromX(30, 60, 2, 2), 2);  // empty range
  EXPECT_EQ(SliderPixelOfPosition(2, 60, 2, 2), 0);
}

TEST_F(BitmapSliderTest, PressSetsThePositionUnderTheMouseAndPostsIt) {
  EXPECT_EQ(slider->size(), QSize(60, 12));
  for (auto [x, position] : {std::pair{0, 0}, {5, 1}, {50, 5}}) {
    slider->SetPos(3);
    Mouse(QEvent::MouseButtonPress, x);
    EXPECT_EQ(slider->GetPos(), position) << x;
    EXPECT_EQ(Posted(), std::vector<LParam>{position}) << x;
    Mouse(QEvent::MouseButtonRelease, x);
    EXPECT_EQ(Posted(), std::vector<LParam>{position}) << "release at " << x;
  }
}

TEST_F(BitmapSliderTest, DragFollowsTheMouseAndReleasePostsEvenWithoutChange) {
  slider->SetPos(3);
  Mouse(QEvent::MouseButtonPress, 36);  // the pixel of position 3: no change, no post
  EXPECT_EQ(Posted(), std::vector<LParam>{});
  Mouse(QEvent::MouseMove, 5);
  Mouse(QEvent::MouseMove, -30);  // outside: kept in range
  Mouse(QEvent::MouseButtonRelease, -30);
  EXPECT_EQ(Posted(), (std::vector<LParam>{1, 0, 0}));
  Mouse(QEvent::MouseMove, 50);  // no longer dragging
  EXPECT_EQ(slider->GetPos(), 0);
  EXPECT_EQ(Posted(), std::vector<LParam>{});
}

TEST_F(BitmapSliderTest, AReleaseItNeverSawEndsTheDrag) {
  Mouse(QEvent::MouseButtonPress, 30);
  slider->setEnabled(false);  // the panel changed under the mouse: the release goes elsewhere
  Mouse(QEvent::MouseButtonRelease, 30);
  slider->setEnabled(true);
  Posted();
  const QPointF at(50, 5);
  QMouseEvent hover(QEvent::MouseMove, at, slider->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                    Qt::NoModifier);
  QCoreApplication::sendEvent(slider, &hover);
  EXPECT_EQ(slider->GetPos(), 3);  // passing over it moves nothing
  EXPECT_EQ(Posted(), std::vector<LParam>{});
}

TEST_F(BitmapSliderTest, KeysStepAndClamp) {
  struct Case {
    int start, key, position;
  };
  const Case cases[] = {
      {0, Qt::Key_PageDown, 5},  // page 10 on a range of 0-5
      {4, Qt::Key_PageUp, 0},   {2, Qt::Key_End, 5},  {2, Qt::Key_Home, 0}, {2, Qt::Key_Right, 3},
      {2, Qt::Key_Down, 3},     {2, Qt::Key_Left, 1}, {2, Qt::Key_Up, 1},   {5, Qt::Key_Right, 5},
  };
  for (const Case& c : cases) {
    slider->SetPos(c.start);
    Key(c.key);
    EXPECT_EQ(slider->GetPos(), c.position) << c.key;
    EXPECT_EQ(Posted(), std::vector<LParam>{c.position}) << c.key;
  }
  Key(Qt::Key_A);
  EXPECT_EQ(Posted(), std::vector<LParam>{});
}

TEST_F(BitmapSliderTest, WheelMovesOneStepPerNotchOnlyWhileActive) {
  slider->SetPos(2);
  Wheel(-120);  // not pressed yet: the wheel is not the slider's
  EXPECT_EQ(slider->GetPos(), 2);
  EXPECT_EQ(Posted(), std::vector<LParam>{});

  Mouse(QEvent::MouseButtonPress, 30);  // position 3
  Mouse(QEvent::MouseButtonRelease, 30);
  Posted();
  EXPECT_TRUE(slider->IsActive());
  Wheel(-120);  // towards the user
  EXPECT_EQ(slider->GetPos(), 4);
  Wheel(240);  // two notches away from the user
  EXPECT_EQ(slider->GetPos(), 2);
  Wheel(60);  // half a notch: posted, not moved
  EXPECT_EQ(slider->GetPos(), 2);
  Wheel(60);
  EXPECT_EQ(slider->GetPos(), 1);
  EXPECT_EQ(Posted(), (std::vector<LParam>{4, 2, 2, 1}));

  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(slider, &leave);
  Wheel(-120);
  EXPECT_EQ(slider->GetPos(), 1);
}

}  // namespace
}  // namespace talon
