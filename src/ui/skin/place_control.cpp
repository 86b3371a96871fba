#include "ui/skin/place_control.h"

#include <QWidget>

#include "ui/skin/png_button.h"

namespace talon {

namespace {

void MoveAndSize(QWidget& control, const ButtonInfo& info) {
  // Placed before the window shows, so no repaint is asked for.
  control.setGeometry(info.x, info.y, info.w, info.h);
}

void GiveFaces(CPngButton& button, int x, int y, const FaceSet& faces) {
  button.SetFaces(x, y, faces.normal, faces.hover, faces.pressed, faces.disabled, faces.other,
                  false);
}

}  // namespace

void PlaceImageButton(CPngButton& button, const ButtonInfo& info, const FaceSet& faces) {
  MoveAndSize(button, info);
  GiveFaces(button, info.x, info.y, faces);
  if (info.IsLeftOut()) button.setEnabled(false);
}

void PlaceImageButton(CPngButton& button, const CIniFile& skin, std::string_view key,
                      const FaceSet& faces) {
  PlaceImageButton(button, skin.GetButtonInfo(key), faces);
}

void PlaceControl(QWidget& control, const ButtonInfo& info) {
  MoveAndSize(control, info);
}

void PlaceControl(QWidget& control, const CIniFile& skin, std::string_view key) {
  PlaceControl(control, skin.GetButtonInfo(key));
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
