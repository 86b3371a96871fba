#include "ui/skin/color_popup.h"

#include <QColorDialog>
#include <QGridLayout>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace talon {

namespace {

constexpr int kSwatchSize = 18;

QIcon SwatchIcon(ColorRef colour) {
  QPixmap pixmap(kSwatchSize - 6, kSwatchSize - 6);
  pixmap.fill(ToQColor(colour));
  QPainter painter(&pixmap);
  painter.setPen(Qt::darkGray);
  painter.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
  return QIcon(pixmap);
}

}  // namespace

std::vector<ColorRef> DefaultColourPalette() {
  // Rows from dark to light: black and greys, reds, oranges and yellows, greens, blues, purples.
  return {Rgb(0, 0, 0),       Rgb(153, 51, 0),    Rgb(51, 51, 0),     Rgb(0, 51, 0),
          Rgb(0, 51, 102),    Rgb(0, 0, 128),     Rgb(51, 51, 153),   Rgb(51, 51, 51),
          Rgb(128, 0, 0),     Rgb(255, 102, 0),   Rgb(128, 128, 0),   Rgb(0, 128, 0),
          Rgb(0, 128, 128),   Rgb(0, 0, 255),     Rgb(102, 102, 153), Rgb(128, 128, 128),
          Rgb(255, 0, 0),     Rgb(255, 153, 0),   Rgb(153, 204, 0),   Rgb(51, 153, 102),
          Rgb(51, 204, 204),  Rgb(51, 102, 255),  Rgb(128, 0, 128),   Rgb(153, 153, 153),
          Rgb(255, 0, 255),   Rgb(255, 204, 0),   Rgb(255, 255, 0),   Rgb(0, 255, 0),
          Rgb(0, 255, 255),   Rgb(0, 204, 255),   Rgb(153, 51, 102),  Rgb(192, 192, 192),
          Rgb(255, 153, 204), Rgb(255, 204, 153), Rgb(255, 255, 153), Rgb(204, 255, 204),
          Rgb(204, 255, 255), Rgb(153, 204, 255), Rgb(204, 153, 255), Rgb(255, 255, 255)};
}

CColorPopup::CColorPopup(QWidget* parent, const Options& options, ChosenCallback chosen)
    : QFrame(parent, Qt::Popup), options_(options), chosen_(std::move(chosen)) {
  setAttribute(Qt::WA_DeleteOnClose);
  setFrameShape(QFrame::StyledPanel);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->setSpacing(4);

  if (!options_.automatic_label.isEmpty()) {
    auto* automatic =
        new QPushButton(SwatchIcon(options_.automatic_colour), options_.automatic_label, this);
    automatic->setCheckable(true);
    automatic->setChecked(options_.current == kNoColor);
    connect(automatic, &QPushButton::clicked, this, [this] { Choose(kNoColor); });
    layout->addWidget(automatic);
    automatic_ = automatic;
  }

  auto* grid = new QGridLayout;
  grid->setSpacing(1);
  const int columns = std::max(1, options_.columns);
  for (std::size_t i = 0; i < options_.palette.size(); ++i) {
    const ColorRef colour = options_.palette[i];
    auto* swatch = new QToolButton(this);
    swatch->setIcon(SwatchIcon(colour));
    swatch->setFixedSize(kSwatchSize, kSwatchSize);
    swatch->setAutoRaise(true);
    swatch->setCheckable(true);
    swatch->setChecked(colour == options_.current);
    connect(swatch, &QToolButton::clicked, this, [this, colour] { Choose(colour); });
    grid->addWidget(swatch, static_cast<int>(i) / columns, static_cast<int>(i) % columns);
    swatches_.push_back(swatch);
  }
  layout->addLayout(grid);

  if (!options_.other_label.isEmpty()) {
    auto* other = new QPushButton(options_.other_label, this);
    connect(other, &QPushButton::clicked, this, [this] { ChooseOther(); });
    layout->addWidget(other);
    other_ = other;
  }
}

QAbstractButton* CColorPopup::Swatch(int index) const {
  return index >= 0 && index < static_cast<int>(swatches_.size()) ? swatches_[index] : nullptr;
}

void CColorPopup::Choose(ColorRef colour) {
  const ChosenCallback chosen = chosen_;
  close();
  chosen(colour);
}

void CColorPopup::ChooseOther() {
  const ChosenCallback chosen = chosen_;
  const ColorRef start =
      options_.current == kNoColor ? options_.automatic_colour : options_.current;
  QWidget* owner = parentWidget();
  hide();
  const QColor picked = QColorDialog::getColor(ToQColor(start), owner);
  close();
  if (picked.isValid()) chosen(ToColorRef(picked));
}

}  // namespace talon
