#pragma once
// The key assignment dialog as the main window plugs it in: opened modally for a key or G
// button, closed when the keyboard leaves or the program exits. The dialog's pictures are made
// at its first opening and kept for the rest of the run.
#include <memory>

#include "ui/editors/composite_faces.h"
#include "ui/main/window_seams.h"

namespace talon {

class CVexmoDlg;
class Vexmo_DlgComposite;

class KeyEditor : public KeyEditorSeam {
 public:
  explicit KeyEditor(CVexmoDlg& window);
  ~KeyEditor() override;

  // The modal result, or -1 for an id that is no key or G button (and while it is open).
  // A picture of the dialog's skin that cannot be read ends the program.
  int OpenForKey(int control_id) override;
  bool IsOpen() const override { return open_count_ > 0; }
  bool CloseAsCancelled() override;
  void LoadTexts(int language_index) override;

  // The open dialog; null while none is open.
  Vexmo_DlgComposite* Dialog() const { return dialog_.get(); }

 private:
  CVexmoDlg& window_;
  CompositeFaces faces_;
  std::unique_ptr<Vexmo_DlgComposite> dialog_;
  int open_count_ = 0;
};

// The factory the program hands the main window.
std::unique_ptr<KeyEditorSeam> MakeKeyEditor(CVexmoDlg& window);

}  // namespace talon
