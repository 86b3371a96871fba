#include "ui/skin/place_control.h"

#include <QWidget>

#include "ui/skin/control_binding.h"
#include "ui/skin/png_button.h"

namespace talon {

namespace {

void MoveAndSize(QWidget& control, const ButtonInfo& info) {
  // Placed before the window shows, so no repaint is asked for.
  control.setGeometry(info.x, info.y, info.w, info.h);
}

void Bind(QWidget& control, int control_id) {
  if (control_id != 0) BindControl(control, control_id);
}

void GiveFaces(CPngButton& button, int x, int y, const FaceSet& faces) {
  button.SetFaces(x, y, faces.normal, faces.hover, faces.pressed, faces.disabled, faces.other,
                  false);
}

}  // namespace

void PlaceImageButton(CPngButton& button, const ButtonInfo& info, const FaceSet& faces,
                      int control_id) {
  MoveAndSize(button, info);
  GiveFaces(button, info.x, info.y, faces);
  if (info.IsLeftOut()) button.setEnabled(false);
  Bind(button, control_id);
}

void PlaceImageButton(CPngButton& button, const CIniFile& skin, std::string_view key,
                      const FaceSet& faces, int control_id) {
  PlaceImageButton(button, skin.GetButtonInfo(key), faces, control_id);
}

void PlaceControl(QWidget& control, const ButtonInfo& info, int control_id) {
  MoveAndSize(control, info);
  Bind(control, control_id);
}

void PlaceControl(QWidget& control, const CIniFile& skin, std::string_view key, int control_id) {
  PlaceControl(control, skin.GetButtonInfo(key), control_id);
}

void PlaceControlAt(QWidget& control, const ButtonInfo& info) {
  control.move(info.x, info.y);
  control.update();
}

void PlaceControlAt(QWidget& control, const CIniFile& skin, std::string_view key) {
  PlaceControlAt(control, skin.GetButtonInfo(key));
}

void PlaceImageButtonWithFaceKey(CPngButton& button, const ButtonInfo& info,
                                 const ButtonInfo& face_origin, const FaceSet& faces) {
  MoveAndSize(button, info);
  GiveFaces(button, face_origin.x, face_origin.y, faces);
}

void PlaceImageButtonWithFaceKey(CPngButton& button, const CIniFile& skin, std::string_view key,
                                 std::string_view face_key, const FaceSet& faces,
                                 std::string_view face_section) {
  PlaceImageButtonWithFaceKey(button, skin.GetButtonInfo(key),
                              skin.GetButtonInfo(face_key, face_section), faces);
}

}  // namespace talon
