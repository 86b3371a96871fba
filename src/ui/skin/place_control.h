#pragma once
// Placing controls from a skin file's rectangles ("x,y,w,h" in the window's client pixels), in
// the four ways the dialogs use. A missing key places the control at 1,1 with size 1 x 1, the
// mark of a control the skin leaves out.
#include <string_view>

#include "shell/button_info.h"
#include "shell/skin_ini_file.h"
#include "ui/skin/face_sheet.h"

class QWidget;

namespace talon {

class CPngButton;

// The five faces an image button takes from its dialog.
struct FaceSet {
  const FaceSheet* normal = nullptr;
  const FaceSheet* hover = nullptr;
  const FaceSheet* pressed = nullptr;
  const FaceSheet* disabled = nullptr;
  const FaceSheet* other = nullptr;
};

// Every placing function takes an optional control id: when given (not 0), the control gets it
// and its clicks, choices and edits are bound to the dialog as commands (BindControl), so a
// control is wired where it is placed.

// Image button: moved and sized to the rectangle (no repaint), its faces cut from the sheets at
// x, y; disabled when the skin leaves it out (x = 1 and y = 1).
void PlaceImageButton(CPngButton& button, const ButtonInfo& info, const FaceSet& faces,
                      int control_id = 0);
void PlaceImageButton(CPngButton& button, const CIniFile& skin, std::string_view key,
                      const FaceSet& faces, int control_id = 0);

// Plain control: moved and sized (no repaint).
void PlaceControl(QWidget& control, const ButtonInfo& info, int control_id = 0);
void PlaceControl(QWidget& control, const CIniFile& skin, std::string_view key, int control_id = 0);

// Position only: moved to x, y keeping its size, and repainted.
void PlaceControlAt(QWidget& control, const ButtonInfo& info);
void PlaceControlAt(QWidget& control, const CIniFile& skin, std::string_view key);

// Two keys: moved and sized from the first rectangle, its faces cut at the second one's x, y
// (the arrow buttons take theirs from "BUTTONINFO2").
void PlaceImageButtonWithFaceKey(CPngButton& button, const ButtonInfo& info,
                                 const ButtonInfo& face_origin, const FaceSet& faces);
void PlaceImageButtonWithFaceKey(CPngButton& button, const CIniFile& skin, std::string_view key,
                                 std::string_view face_key, const FaceSet& faces,
                                 std::string_view face_section = "BUTTONINFO2");

}  // namespace talon
