#include "ui/skin/png_button.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QTimer>
#include <QToolTip>

#include <algorithm>
#include <array>
#include <cmath>

#include "ui/skin/button_text_layout.h"

namespace talon {

namespace {

constexpr int kHoverTimeMs = 1;
constexpr int kMaxTextChars = 259;
constexpr int kMaxOutlineLevel = 100;
constexpr int kTintCornerSteps = 3;  // the key caps' rounded corners
constexpr int kNormalWeight = 400;
constexpr int kRotatedWeight = 956;

}  // namespace

CPngButton::CPngButton(QWidget* parent) : QAbstractButton(parent), hover_timer_(new QTimer(this)) {
  setMouseTracking(true);
  hover_timer_->setSingleShot(true);
  connect(hover_timer_, &QTimer::timeout, this, [this] { OnMouseHover(); });
}

CPngButton::~CPngButton() = default;

void CPngButton::SetFaces(int x, int y, const FaceSheet* normal, const FaceSheet* hover,
                          const FaceSheet* pressed, const FaceSheet* disabled,
                          const FaceSheet* other, bool redraw) {
  face_x_ = x;
  face_y_ = y;
  ReplaceFaces(normal, hover, pressed, disabled, other, redraw);
}

void CPngButton::ReplaceFaces(const FaceSheet* normal, const FaceSheet* hover,
                              const FaceSheet* pressed, const FaceSheet* disabled,
                              const FaceSheet* other, bool redraw) {
  normal_face_ = normal;
  hover_face_ = hover;
  pressed_face_ = pressed;
  disabled_face_ = disabled;
  other_face_ = other;
  ClearMouseFlags();
  Draw(redraw);
}

void CPngButton::SetAlternateFaces(const FaceSheet* a, const FaceSheet* b, bool mode, bool selector,
                                   bool redraw) {
  alternate_a_ = a;
  alternate_b_ = b;
  alternate_mode_ = mode;
  alternate_selector_ = selector;
  ClearMouseFlags();
  Draw(redraw);
}

void CPngButton::SetOtherState(bool on, bool redraw) {
  if (on == other_state_) return;
  other_state_ = on;
  Draw(redraw);
}

void CPngButton::SetTextStyle(bool text, int size, const QString& face_name, ColorRef normal,
                              ColorRef hover, ColorRef pressed, ColorRef disabled, ColorRef other,
                              std::uint32_t format) {
  text_ = text;
  font_size_ = size;
  font_face_ = face_name;
  normal_colour_ = normal;
  hover_colour_ = hover;
  pressed_colour_ = pressed;
  disabled_colour_ = disabled;
  other_colour_ = other;
  text_format_ = format;
  update();
}

void CPngButton::SetTextAngle(int tenths_of_degree, bool rotated) {
  text_angle_ = tenths_of_degree;
  rotated_ = rotated;
  update();
}

bool CPngButton::SetOutline(ColorRef colour, int level, bool on, bool redraw) {
  const int capped = on ? std::min(level, kMaxOutlineLevel) : level;
  // An untinted button looks the same whatever colour and level it keeps.
  const bool looks_changed =
      on != outline_ || (on && (colour != outline_colour_ || capped != outline_level_));
  outline_colour_ = colour;
  outline_level_ = capped;
  outline_ = on;
  if (looks_changed && redraw) update();
  return looks_changed;
}

void CPngButton::SetTooltip(const QString& text, bool activate) {
  if (text.isEmpty()) return;
  tooltip_text_ = text;
  tooltip_active_ = activate;
  if (!activate && QToolTip::isVisible() && QToolTip::text() == text) QToolTip::hideText();
}

void CPngButton::Redraw() {
  update();
}

void CPngButton::Draw(bool) {
  // Painting is always scheduled, never done at once: Qt then paints every button that changed
  // in one pass. The flag of the setters only said whether to paint now or later.
  update();
}

CPngButton::FaceChoice CPngButton::ChooseFace() const {
  if (!isEnabled()) return {disabled_face_, disabled_colour_, false};
  if (alternate_mode_) {
    return {alternate_selector_ ? alternate_b_ : alternate_a_, normal_colour_, false};
  }
  if (pressed_) return {pressed_face_, pressed_colour_, false};
  if (hover_) return {hover_face_, hover_colour_, false};
  if (other_state_) return {other_face_, other_colour_, false};
  return {normal_face_, normal_colour_, true};
}

void CPngButton::paintEvent(QPaintEvent*) {
  pressed_ = isDown();
  const FaceChoice choice = ChooseFace();
  QPainter painter(this);
  if (choice.face != nullptr && !choice.face->IsNull()) {
    // Faces are cut one pixel up and left of the button's skin position: the skins are drawn
    // that way.
    const QRect source(face_x_ - 1, face_y_ - 1, width(), height());
    if (outline_) {
      painter.drawImage(QPoint(0, 0), TintedFace(*choice.face, source));
    } else {
      choice.face->Draw(painter, QPoint(0, 0), source);
    }
  }
  current_face_ = choice.face;
  if (text_) DrawText(painter, choice.text_colour);
  painter.end();
  if (draw_callback_) draw_callback_(*this, choice.normal);
}

// The tint washes the key cap: each channel becomes face + level% of (max(face, tint) - face).
// Taking the brighter of face and tint, a dark cap takes the colour while a light legend stays
// light, so the legend reads on any colour. The cap's rounded corners are cut in steps. Worked
// out here on the button's own copy of its face: the key picture repaints up to 110 tinted keys
// twenty times a second, and a painter's blend modes cost several times more.
const QImage& CPngButton::TintedFace(const FaceSheet& sheet, const QRect& source) {
  if (tinted_.size() != source.size()) tinted_ = QImage(source.size(), QImage::Format_RGB32);
  {
    QPainter copy(&tinted_);
    copy.setCompositionMode(QPainter::CompositionMode_Source);
    sheet.Draw(copy, QPoint(0, 0), source);
  }
  // One table per channel: the washed value of every face value.
  const int share = std::clamp(outline_level_, 0, kMaxOutlineLevel) * 256 / kMaxOutlineLevel;
  const int tint[3] = {RedOf(outline_colour_), GreenOf(outline_colour_), BlueOf(outline_colour_)};
  std::array<std::array<std::uint8_t, 256>, 3> washed;
  for (int c = 0; c < 3; ++c) {
    for (int face = 0; face < 256; ++face) {
      washed[c][face] =
          static_cast<std::uint8_t>(face + (((std::max(face, tint[c]) - face) * share) >> 8));
    }
  }
  const QRect cap = tinted_.rect().adjusted(1, 1, -1, -1);
  const int steps = std::min({kTintCornerSteps, cap.height() / 2, cap.width() / 2});
  for (int y = cap.top(); y <= cap.bottom(); ++y) {
    const int from_edge = std::min(y - cap.top(), cap.bottom() - y);
    const int inset = from_edge < steps ? steps - from_edge : 0;
    auto* line = reinterpret_cast<QRgb*>(tinted_.scanLine(y));
    for (int x = cap.left() + inset; x <= cap.right() - inset; ++x) {
      const QRgb face = line[x];
      line[x] = qRgb(washed[0][qRed(face)], washed[1][qGreen(face)], washed[2][qBlue(face)]);
    }
  }
  return tinted_;
}

void CPngButton::DrawText(QPainter& painter, ColorRef colour) {
  const QString caption = text().left(kMaxTextChars);
  QFont font(font_face_);
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(font_size_ * logicalDpiY() / 72.0))));
  font.setWeight(static_cast<QFont::Weight>(rotated_ ? kRotatedWeight : kNormalWeight));
  painter.setFont(font);
  painter.setPen(ToQColor(colour));
  const QRect client = rect();
  if (text_angle_ == 0) {
    painter.drawText(client, QtTextFlags(text_format_), caption);
    return;
  }
  const QFontMetrics metrics(font);
  const int w = metrics.horizontalAdvance(caption);
  const int h = metrics.height();
  QPoint origin;
  if (rotated_) {
    const EdgeRect moved =
        RotatedTextRect({client.left(), client.top(), client.left() + client.width(),
                         client.top() + client.height()},
                        w, h, text_angle_);
    origin = RotatedTextOrigin(moved, h, text_angle_);
  } else {
    // Angled but not re-centred: the text starts where the format would put it unrotated.
    origin = QStyle::alignedRect(
                 Qt::LeftToRight,
                 static_cast<Qt::Alignment>(QtTextFlags(text_format_) &
                                            (Qt::AlignHorizontal_Mask | Qt::AlignVertical_Mask)),
                 QSize(w, h), client)
                 .topLeft();
  }
  painter.save();
  painter.translate(origin);
  painter.rotate(-text_angle_ / 10.0);
  painter.drawText(QRect(0, 0, w, h), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, caption);
  painter.restore();
}

void CPngButton::mouseMoveEvent(QMouseEvent* event) {
  if (!tracking_) {
    tracking_ = true;
    hover_timer_->start(kHoverTimeMs);
  }
  QAbstractButton::mouseMoveEvent(event);
}

void CPngButton::mouseDoubleClickEvent(QMouseEvent* event) {
  // Two quick clicks are two clicks, not a click and a double-click.
  mousePressEvent(event);
}

void CPngButton::leaveEvent(QEvent* event) {
  OnMouseLeave();
  QAbstractButton::leaveEvent(event);
}

void CPngButton::OnMouseHover() {
  if (!tracking_ || hover_) return;
  hover_ = true;
  update();
  PopTooltip();
  if (hover_callback_) hover_callback_(*this, true);
}

void CPngButton::OnMouseLeave() {
  hover_timer_->stop();
  const bool was_hovered = hover_;
  tracking_ = false;
  hover_ = false;
  update();
  if (was_hovered && hover_callback_) hover_callback_(*this, false);
}

void CPngButton::ClearMouseFlags() {
  hover_timer_->stop();
  hover_ = false;
  tracking_ = false;
  pressed_ = false;
}

void CPngButton::PopTooltip() {
  if (!tooltip_active_ || tooltip_text_.isEmpty()) return;
  // Shown at once, and hidden by Qt when the mouse leaves the button.
  QToolTip::showText(mapToGlobal(QPoint(0, height())), tooltip_text_, this, rect());
}

}  // namespace talon
