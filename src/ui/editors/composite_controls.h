#pragma once
// The key assignment dialog's own controls, shared by the files that make up the dialog.
#include "ui/editors/composite_dialog.h"
#include "ui/skin/face_sheet.h"
#include "ui/skin/png_button.h"

class QComboBox;
class QLineEdit;
class QRadioButton;

namespace talon {

class ColorStatic;

namespace composite {

inline constexpr int kPageCount = 4;

// Shows an image button pressed (its pressed face whatever the mouse does), or normally again.
inline void ShowPressed(CPngButton& button, const FaceSheet* pressed) {
  button.SetAlternateFaces(pressed, pressed, pressed != nullptr, false);
}

}  // namespace composite

struct Vexmo_DlgComposite::FrameControls {
  CPngButton* page_picture = nullptr;
  CPngButton* title_image = nullptr;
  ColorStatic* title = nullptr;
  CPngButton* tabs[composite::kPageCount] = {};
  CPngButton* clear = nullptr;
  CPngButton* picker = nullptr;
  CPngButton* ok = nullptr;
  CPngButton* cancel = nullptr;
  CPngButton* apply = nullptr;
};

struct Vexmo_DlgComposite::KeyPageControls {
  QLineEdit* key_field = nullptr;
  QRadioButton* keyboard = nullptr;
  QRadioButton* mouse = nullptr;
  ColorStatic* keyboard_label = nullptr;
  ColorStatic* mouse_label = nullptr;
  ColorStatic* hint = nullptr;
  QComboBox* mouse_combo = nullptr;
};

}  // namespace talon
