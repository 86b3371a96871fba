// The three windows of the default skin, each as one table of control rectangles. Pictures and
// INI files are both drawn from these tables, so they always agree.
#pragma once

#include "geometry.h"

namespace talon::skingen {

// Main window: header, keyboard plate, lighting panel, footer.
WindowLayout MainLayout();
// [BUTTONINFO2] of the main skin: where each arrow picture lies inside Arrow.jpg.
std::vector<Control> MainArrowOrigins();
// Size of Arrow.jpg and the four arrow cells in it (left/up, left/down, right/up, right/down).
inline constexpr int kArrowCellW = 20;
inline constexpr int kArrowCellH = 24;
inline constexpr int kArrowSheetW = 4 * (kArrowCellW + 2) + 2;
inline constexpr int kArrowSheetH = kArrowCellH + 2;
Rect ArrowCell(int index);

// Areas of the main window that the pictures decorate.
Rect MainHeader();
Rect MainPlate();
Rect MainPanel();
Rect MainFooter();

// Key assignment dialog and profile manager.
WindowLayout CompositeLayout();
WindowLayout ProfileLayout();
Rect CompositePage();  // the page picture's rectangle

// Keys named by the skin files that the default skin adds beyond the ones every skin must have.
std::vector<std::string> AddedMainKeys();
std::vector<std::string> AddedCompositeKeys();

}  // namespace talon::skingen
