#include "ui/editors/editor_style.h"

#include "ui/skin/color_static.h"
#include "ui/skin/png_button.h"

// The pictures the style sheet names live in this library's resources, which a static library
// must register itself (outside any namespace).
static void InitEditorResources() {
  Q_INIT_RESOURCE(editors);
}

namespace talon {

QString EditorStyleSheet() {
  static const bool registered = (InitEditorResources(), true);
  (void)registered;
  return QStringLiteral(R"(
    QLineEdit, QComboBox {
      background: #101217; color: #e8ebf1; border: 1px solid #343a45; border-radius: 5px;
      padding: 1px 6px; selection-background-color: #149ccf; selection-color: #ffffff; }
    QComboBox { combobox-popup: 0; }
    QLineEdit:focus, QComboBox:focus, QComboBox:on { border-color: #2dd4ff; }
    QLineEdit:disabled, QComboBox:disabled { color: #4a505b; border-color: #262a33; }
    QLineEdit[readOnly="true"] { background: transparent; border: none; color: #ffffff; }
    QComboBox::drop-down { border: none; width: 22px; }
    QComboBox::down-arrow { image: url(:/editors/combo_arrow.xpm); }
    QComboBox::down-arrow:disabled { image: url(:/editors/combo_arrow_off.xpm); }
    QComboBox QAbstractItemView { background: #191c23; color: #e8ebf1; border: 1px solid #343a45;
      selection-background-color: #149ccf; selection-color: #ffffff; outline: 0; }
    QTableWidget { background: #101217; color: #a4abb8; border: 1px solid #272c36;
      gridline-color: #272c36; selection-background-color: #1d4f63; selection-color: #ffffff;
      outline: 0; }
    QTableWidget QLineEdit { border-radius: 0; padding: 0 2px; }
    QTableWidget QComboBox { border-radius: 0; padding: 0 2px; }
    QHeaderView { background: #1d2128; }
    QHeaderView::section { background: #1d2128; color: #c9ced6; border: none;
      border-right: 1px solid #272c36; border-bottom: 1px solid #272c36; padding: 2px 4px; }
    QTableCornerButton::section { background: #1d2128; border: none; }
    QScrollBar:vertical { background: #14171c; width: 10px; margin: 0; }
    QScrollBar:horizontal { background: #14171c; height: 10px; margin: 0; }
    QScrollBar::handle { background: #343a45; border-radius: 4px; min-height: 20px;
      min-width: 20px; }
    QScrollBar::add-line, QScrollBar::sub-line { width: 0; height: 0; }
    QScrollBar::add-page, QScrollBar::sub-page { background: none; }
    QTableView::indicator { width: 12px; height: 12px; border: 1px solid #4a505b;
      border-radius: 3px; background: #101217; }
    QTableView::indicator:checked { background: #2dd4ff; border-color: #2dd4ff; }
    QCheckBox::indicator, QRadioButton::indicator { width: 14px; height: 14px;
      border: 1px solid #4a505b; background: #101217; }
    QCheckBox::indicator { border-radius: 3px; }
    QRadioButton::indicator { border-radius: 8px; }
    QCheckBox::indicator:checked, QRadioButton::indicator:checked { background: #2dd4ff;
      border-color: #2dd4ff; }
    QCheckBox::indicator:hover, QRadioButton::indicator:hover { border-color: #2dd4ff; }
  )");
}

QFont EditorFont(double points) {
  QFont font(QStringLiteral("Arial Unicode MS"));
  font.setPointSizeF(points);
  font.setWeight(QFont::Normal);
  return font;
}

void GiveCaption(CPngButton& button, int points) {
  constexpr ColorRef kCaption = Rgb(200, 206, 214);
  constexpr ColorRef kCaptionHover = Rgb(255, 255, 255);
  constexpr ColorRef kCaptionPressed = Rgb(45, 212, 255);
  constexpr ColorRef kCaptionDisabled = Rgb(74, 80, 91);
  button.SetTextStyle(true, points, QStringLiteral("Arial Unicode MS"), kCaption, kCaptionHover,
                      kCaptionPressed, kCaptionDisabled, kCaption);
}

void StyleLabel(ColorStatic& label, double points) {
  label.setFont(EditorFont(points));
  label.SetTextColor(kEditorLabelColour);
  label.setAttribute(Qt::WA_TranslucentBackground);
}

}  // namespace talon
