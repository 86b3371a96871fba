#pragma once
// CSkinColorBtn: the lighting panel's colour picker. It shows the chosen colour as a swatch with
// a grey arrow box beside it and, when pressed, opens a palette pop-up (with an automatic entry
// and an "other" entry to the full colour dialog when configured). A choice is reported to the
// dialog as the button's kClicked command.
#include <QAbstractButton>
#include <QPointer>

#include <vector>

#include "ui/skin/color_popup.h"
#include "ui/skin/color_ref.h"

namespace talon {

class CSkinColorBtn : public QAbstractButton {
 public:
  explicit CSkinColorBtn(QWidget* parent = nullptr);

  // kNoColor chooses the automatic colour.
  void SetColor(ColorRef colour);
  ColorRef GetColor() const { return colour_; }
  ColorRef GetAutomaticColor() const { return automatic_colour_; }
  // The colour the swatch shows.
  ColorRef ShownColor() const { return colour_ == kNoColor ? automatic_colour_ : colour_; }

  void EnableAutomaticButton(const QString& label, ColorRef automatic_colour, bool enable = true);
  void EnableOtherButton(const QString& label, bool enable = true);
  void SetPalette(std::vector<ColorRef> colours) { palette_ = std::move(colours); }
  void SetColumnsNumber(int columns) { columns_ = columns; }

  // Opens the pop-up under the button; the button shows the new colour at once.
  virtual void OnShowColorPopup();
  CColorPopup* Popup() const { return popup_; }
  bool IsHovered() const { return hover_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void OnDraw(QPainter& painter, QRect client);
  void OnDrawBorder(QPainter& painter);
  void OnDrawFocusRect(QPainter& painter, QRect r);
  void Chosen(ColorRef colour);

  ColorRef colour_ = kNoColor;
  ColorRef automatic_colour_ = 0;
  QString automatic_label_;
  QString other_label_;
  std::vector<ColorRef> palette_;
  int columns_ = 8;
  bool hover_ = false;
  QPointer<CColorPopup> popup_;
};

}  // namespace talon
