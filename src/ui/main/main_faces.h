#pragma once
// The main window's pictures: four full-window face sheets (normal, hover, pressed, disabled),
// the two lit sheets (assigned keys and bank A; bank B and selections) and the arrow sheet of the
// Flip toggles. Each file is decoded once, when a button first shows it, and its sheet shared by
// every button that wears it.
#include <QSize>

#include <filesystem>
#include <string>

#include "ui/skin/face_sheet.h"
#include "ui/skin/place_control.h"

namespace talon {

struct MainFaces {
  FaceSheet normal;
  FaceSheet over;
  FaceSheet down;
  FaceSheet disabled;
  FaceSheet colour0;  // the other state: keys with an assignment, G keys of bank A
  FaceSheet colour1;  // G keys and the bank indicator while bank B is selected
  FaceSheet arrow;    // the Flip toggles' arrow pictures

  // Loads the pictures from the skin folder for a window of `client` size. The four state
  // sheets are needed; a lit sheet or the arrow picture that is missing only leaves those looks
  // out. False with the path of the first needed picture that could not be read.
  bool Load(const std::filesystem::path& skin_folder, QSize client, std::string& failed);

  // Keys: the four states and the assigned look as the other state.
  FaceSet Keys() const { return {&normal, &over, &down, &disabled, &colour0}; }
  // The same faces with `other` as the other state.
  FaceSet With(const FaceSheet& other) const { return {&normal, &over, &down, &disabled, &other}; }
};

}  // namespace talon
