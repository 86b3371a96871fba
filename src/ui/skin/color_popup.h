#pragma once
// The colour button's pop-up: an optional automatic entry, a palette of swatches and an optional
// "other" entry that opens the full colour dialog. It closes on a choice (or a click outside)
// and reports the chosen colour, kNoColor standing for the automatic entry.
#include <QFrame>

#include <functional>
#include <vector>

#include "ui/skin/color_ref.h"

class QAbstractButton;

namespace talon {

class CColorPopup : public QFrame {
 public:
  using ChosenCallback = std::function<void(ColorRef colour)>;

  struct Options {
    std::vector<ColorRef> palette;
    int columns = 8;
    QString automatic_label;  // empty: no automatic entry
    ColorRef automatic_colour = 0;
    QString other_label;  // empty: no entry to the full colour dialog
    ColorRef current = kNoColor;
  };

  CColorPopup(QWidget* parent, const Options& options, ChosenCallback chosen);

  // The entries, for keyboard-less use and tests: the swatch of palette index i, the automatic
  // entry and the "other" entry (null when absent).
  QAbstractButton* Swatch(int index) const;
  QAbstractButton* AutomaticEntry() const { return automatic_; }
  QAbstractButton* OtherEntry() const { return other_; }

 private:
  void Choose(ColorRef colour);
  void ChooseOther();

  Options options_;
  ChosenCallback chosen_;
  std::vector<QAbstractButton*> swatches_;
  QAbstractButton* automatic_ = nullptr;
  QAbstractButton* other_ = nullptr;
};

// The 40 colours the pop-up offers unless the owner gives others.
std::vector<ColorRef> DefaultColourPalette();

}  // namespace talon
