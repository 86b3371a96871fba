#pragma once
// The look the editors give the platform controls they place over their skins (drop-downs,
// edit fields, the lists, check and choice boxes), matching the skin's dark pictures, and the
// fonts and label colours of their texts.
#include <QFont>
#include <QString>

#include "ui/skin/color_ref.h"

class QWidget;

namespace talon {

class CPngButton;
class ColorStatic;

// The labels' colour on the dark skins.
inline constexpr ColorRef kEditorLabelColour = Rgb(228, 228, 228);
// Text of the lists' rows: a grey that reads on the dark panels.
inline constexpr ColorRef kEditorGreyText = Rgb(164, 171, 184);

// Style sheet for an editor dialog and everything inside it.
QString EditorStyleSheet();
// "Arial Unicode MS" (or the desktop's fallback) at a point size, weight 400.
QFont EditorFont(double points);
// An image button's caption over its face, in the captions' colours for each state.
void GiveCaption(CPngButton& button, int points = 10);
// A transparent label in the labels' colour and font.
void StyleLabel(ColorStatic& label, double points);

}  // namespace talon
