// Faces of the skinned controls: how each kind of control looks in each state.
#pragma once

#include <QPainter>

#include "geometry.h"
#include "theme.h"

namespace talon::skingen {

// Draws the control's face at its own rectangle in window coordinates. Controls without a face
// (Face::None) draw nothing.
void DrawFace(QPainter& p, const Control& c, State s);

// A keycap labelled from a key's English name ("Num 7" shows "7", "Page Up" two lines); used by
// the keyboard picture and by the dialogs' illustrations.
void DrawKeycap(QPainter& p, const QRectF& r, State s, const QString& name, Face kind);

}  // namespace talon::skingen
