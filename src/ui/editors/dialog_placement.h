#pragma once
// Where the key assignment dialog opens: beside the key button that was clicked, so the key
// stays in sight, on whichever side of it the screen has room for the dialog.
#include <QPoint>
#include <QRect>
#include <QSize>

namespace talon {

// The dialog's top-left corner for a key button at `key` (global coordinates) on `screen`:
// below and right of the key when it fits there, else above and right, else left below, else
// left above; when nothing fits, below and right.
QPoint PlaceBesideKey(const QRect& key, const QRect& screen, QSize dialog);
// Centred on the screen (the macro key G9).
QPoint CentreOnScreen(const QRect& screen, QSize dialog);

}  // namespace talon
