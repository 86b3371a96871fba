#include "ui/skin/skin_color_btn.h"

#include <qdrawutil.h>
#include <QPainter>

#include "ui/skin/control_binding.h"

namespace talon {

namespace {

constexpr ColorRef kArrowBoxColour = Rgb(148, 146, 139);
constexpr int kBorder = 2;

// A rectangle from its edges, right and bottom exclusive.
QRect FromEdges(int left, int top, int right, int bottom) {
  return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

}  // namespace

CSkinColorBtn::CSkinColorBtn(QWidget* parent)
    : QAbstractButton(parent), palette_(DefaultColourPalette()) {
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true);
  connect(this, &QAbstractButton::clicked, this, [this] { OnShowColorPopup(); });
}

void CSkinColorBtn::SetColor(ColorRef colour) {
  if (colour == colour_) return;
  colour_ = colour;
  update();
}

void CSkinColorBtn::EnableAutomaticButton(const QString& label, ColorRef automatic_colour,
                                          bool enable) {
  automatic_label_ = enable ? label : QString();
  automatic_colour_ = automatic_colour;
  update();
}

void CSkinColorBtn::EnableOtherButton(const QString& label, bool enable) {
  other_label_ = enable ? label : QString();
}

void CSkinColorBtn::OnShowColorPopup() {
  if (popup_ != nullptr) popup_->close();
  CColorPopup::Options options{palette_,          columns_,     automatic_label_,
                               automatic_colour_, other_label_, colour_};
  popup_ = new CColorPopup(this, options, [this](ColorRef c) { Chosen(c); });
  popup_->move(mapToGlobal(QPoint(0, height())));
  popup_->show();
  update();
}

void CSkinColorBtn::Chosen(ColorRef colour) {
  SetColor(colour);
  repaint();
  SendCommandToOwner(*this, Notification::kClicked);
}

void CSkinColorBtn::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  OnDrawBorder(painter);
  const QRect client = rect().adjusted(kBorder, kBorder, -kBorder, -kBorder);
  OnDraw(painter, client);
  if (hasFocus()) OnDrawFocusRect(painter, client.adjusted(1, 1, -1, -1));
}

void CSkinColorBtn::OnDrawBorder(QPainter& painter) {
  qDrawWinButton(&painter, rect(), palette(), isDown(), &palette().brush(QPalette::Button));
  if (hover_ && isEnabled()) {
    painter.setPen(palette().color(QPalette::Highlight));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
  }
}

void CSkinColorBtn::OnDraw(QPainter& painter, QRect client) {
  // Edges of the client rectangle, right and bottom exclusive.
  const int l = client.left();
  const int t = client.top();
  const int r = client.left() + client.width();
  const int b = client.top() + client.height();
  const ColorRef colour = ShownColor();

  // The swatch: grown by a pixel, cut at about half the width.
  const QRect swatch = FromEdges(l - 1, t - 1, (r + 1) / 2 + 5, b + 1);
  painter.setPen(palette().color(QPalette::Dark));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(swatch.adjusted(0, 0, -1, -1));
  if (colour != kNoColor && isEnabled()) {
    painter.fillRect(swatch.adjusted(1, 1, -1, -1), ToQColor(colour));
  }

  // The arrow box, filled grey over its frame.
  const QRect box = FromEdges((r + 1) / 2 + (l - 1) + 3, t - 2, r + 1, b + 2);
  painter.fillRect(box, ToQColor(kArrowBoxColour));

  // The arrow, measured from the grown rectangle's right edge and half its height.
  const int x = r + 1;
  const int m = ((b + 1) - (t - 1)) / 2;
  const QPoint arrow[] = {QPoint(x - 11, m - 2), QPoint(x - 5, m - 2), QPoint(x - 8, m + 1)};
  painter.setPen(Qt::black);
  painter.setBrush(Qt::black);
  painter.drawPolygon(arrow, 3);
}

void CSkinColorBtn::OnDrawFocusRect(QPainter& painter, QRect r) {
  // A dotted frame, 3 pixels outside the rectangle it is given.
  QPen pen(palette().color(QPalette::WindowText), 1, Qt::DotLine);
  painter.setPen(pen);
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(r.adjusted(-3, -3, 2, 2));
}

void CSkinColorBtn::enterEvent(QEnterEvent* event) {
  hover_ = true;
  update();
  QAbstractButton::enterEvent(event);
}

void CSkinColorBtn::leaveEvent(QEvent* event) {
  hover_ = false;
  update();
  QAbstractButton::leaveEvent(event);
}

void CSkinColorBtn::focusOutEvent(QFocusEvent* event) {
  QAbstractButton::focusOutEvent(event);
  if (mouseGrabber() == this) releaseMouse();
  // Back to the normal look at once, however the focus went.
  setDown(false);
  hover_ = false;
  repaint();
}

}  // namespace talon
