#include "ui/editors/key_picker.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>

#include "ui/editors/key_picker_layout.h"

namespace talon {
namespace {

constexpr int kUnit = 38;  // a key width in pixels
constexpr int kMargin = 14;
constexpr int kTitleHeight = 34;
constexpr int kCapInset = 2;  // space between neighbouring caps
constexpr double kLabelPoints = 7.5;
constexpr double kMinLabelPoints = 5.5;
const QColor kWindow(0x12, 0x14, 0x19);
const QColor kWindowEdge(0x2c, 0x31, 0x3b);
const QColor kCapTop(0x2c, 0x31, 0x3b);
const QColor kCapSide(0x1d, 0x21, 0x28);
const QColor kCapEdge(0x3c, 0x43, 0x50);
const QColor kText(0xe8, 0xeb, 0xf1);
const QColor kTextSoft(0xa4, 0xab, 0xb8);
const QColor kAccent(0x2d, 0xd4, 0xff);
const QColor kAccentInk(0x04, 0x16, 0x1e);

}  // namespace

Keystroke KeystrokeOfKey(KeyId key, bool release) {
  KeystrokeContext context;
  context.release = release;
  return {RowOfKey(key).vk, MakeKeystrokeFlags(key, context)};
}

CKeyPicker::CKeyPicker(QWidget& owner, const TextLookup& texts, Deliver deliver)
    : QWidget(&owner, Qt::Tool | Qt::FramelessWindowHint),
      texts_(texts),
      deliver_(std::move(deliver)) {
  setMouseTracking(true);
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_ShowWithoutActivating);
  resize(kMargin * 2 + static_cast<int>(PickerLayoutWidth() * kUnit),
         kTitleHeight + kMargin + static_cast<int>(PickerLayoutHeight() * kUnit));
  LoadTexts();
}

void CKeyPicker::LoadTexts() {
  title_ = QString::fromStdString(texts_.Text("COMPOSITE_PROMPT_OSK"));
  setWindowTitle(title_);
  names_.clear();
  for (const PickerKey& key : PickerLayout()) {
    names_.push_back(QString::fromStdString(ListName(key.list_code, texts_)));
  }
  update();
}

void CKeyPicker::ShowBeside(const QRect& owner_frame) {
  QScreen* screen = QGuiApplication::screenAt(owner_frame.center());
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  const QRect area = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1920, 1080);
  int x = owner_frame.center().x() - width() / 2;
  int y = owner_frame.bottom() + 8;
  if (y + height() > area.bottom()) y = owner_frame.top() - height() - 8;
  x = std::clamp(x, area.left(), std::max(area.left(), area.right() - width()));
  y = std::clamp(y, area.top(), std::max(area.top(), area.bottom() - height()));
  move(x, y);
  show();
  raise();
}

QRect CKeyPicker::KeyArea(std::size_t index) const {
  const PickerKey& key = PickerLayout()[index];
  const QRectF r(kMargin + key.x * kUnit, kTitleHeight + key.y * kUnit, key.w * kUnit,
                 key.h * kUnit);
  return r.toRect().adjusted(kCapInset, kCapInset, -kCapInset, -kCapInset);
}

QRect CKeyPicker::KeyRect(KeyId key) const {
  const std::uint16_t code = ListCodeOfKey(key);
  const auto layout = PickerLayout();
  for (std::size_t i = 0; i < layout.size(); ++i) {
    if (layout[i].list_code == code) return KeyArea(i);
  }
  return {};
}

std::optional<std::size_t> CKeyPicker::KeyAt(QPoint at) const {
  for (std::size_t i = 0; i < PickerLayout().size(); ++i) {
    if (KeyArea(i).contains(at)) return i;
  }
  return std::nullopt;
}

QRect CKeyPicker::CloseBox() const {
  return QRect(width() - kMargin - 22, 6, 22, 22);
}

void CKeyPicker::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(kWindowEdge, 1));
  p.setBrush(kWindow);
  p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 10, 10);

  QFont title = font();
  title.setPointSizeF(10);
  title.setBold(true);
  p.setFont(title);
  p.setPen(kText);
  p.drawText(QRect(kMargin, 0, width() - 2 * kMargin - 30, kTitleHeight),
             Qt::AlignLeft | Qt::AlignVCenter, title_);
  p.setPen(QPen(kTextSoft, 1.6));
  const QRectF x = QRectF(CloseBox()).adjusted(6, 6, -6, -6);
  p.drawLine(x.topLeft(), x.bottomRight());
  p.drawLine(x.topRight(), x.bottomLeft());

  QFont label = font();
  label.setPointSizeF(kLabelPoints);
  p.setFont(label);
  for (std::size_t i = 0; i < PickerLayout().size(); ++i) {
    const QRectF cap = KeyArea(i);
    const bool held = held_ == i;
    const bool hover = hover_ == i;
    p.setPen(QPen(hover || held ? kAccent : kCapEdge, 1));
    p.setBrush(held ? kAccent : kCapSide);
    p.drawRoundedRect(cap.adjusted(0.5, 0.5, -0.5, -0.5), 5, 5);
    if (!held) {
      p.setPen(Qt::NoPen);
      p.setBrush(kCapTop);
      p.drawRoundedRect(cap.adjusted(2.5, 2, -2.5, -4), 4, 4);
    }
    p.setPen(held ? kAccentInk : kText);
    const QRectF text_box = cap.adjusted(3, 2, -3, -4);
    const int flags = Qt::AlignCenter | Qt::TextWordWrap;
    // Long names shrink until they fit their cap.
    QFont fitted = label;
    while (fitted.pointSizeF() > kMinLabelPoints &&
           !text_box.contains(QFontMetricsF(fitted).boundingRect(text_box, flags, names_[i]))) {
      fitted.setPointSizeF(fitted.pointSizeF() - 0.5);
    }
    p.setFont(fitted);
    p.drawText(text_box, flags, names_[i]);
  }
}

void CKeyPicker::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const QPoint at = event->position().toPoint();
  if (CloseBox().contains(at)) {
    hide();
    return;
  }
  held_ = KeyAt(at);
  if (!held_) {
    // The rest of the window moves it.
    drag_from_ = event->globalPosition().toPoint() - pos();
    return;
  }
  update();
  const KeyId key = KeyOfListCode(PickerLayout()[*held_].list_code);
  const Keystroke press = KeystrokeOfKey(key, false);
  if (deliver_) deliver_(press.vk, press.flags);
}

void CKeyPicker::mouseMoveEvent(QMouseEvent* event) {
  if (drag_from_ && (event->buttons() & Qt::LeftButton)) {
    move(event->globalPosition().toPoint() - *drag_from_);
    return;
  }
  const std::optional<std::size_t> now = KeyAt(event->position().toPoint());
  if (now != hover_) {
    hover_ = now;
    update();
  }
}

void CKeyPicker::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  drag_from_.reset();
  Release();
}

void CKeyPicker::leaveEvent(QEvent*) {
  hover_.reset();
  update();
}

void CKeyPicker::Release() {
  if (!held_) return;
  const KeyId key = KeyOfListCode(PickerLayout()[*held_].list_code);
  held_.reset();
  update();
  const Keystroke release = KeystrokeOfKey(key, true);
  if (deliver_) deliver_(release.vk, release.flags);
}

}  // namespace talon
