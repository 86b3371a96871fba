#include "ui/editors/key_editor.h"

#include <cstdio>

#include "ui/editors/composite_dialog.h"
#include "ui/main/main_window.h"

namespace talon {

KeyEditor::KeyEditor(CVexmoDlg& window) : window_(window) {}

KeyEditor::~KeyEditor() = default;

int KeyEditor::OpenForKey(int control_id) {
  if (dialog_ != nullptr) return -1;
  auto dialog = std::make_unique<Vexmo_DlgComposite>(window_, faces_);
  if (!dialog->SetKey(control_id)) return -1;
  dialog_ = std::move(dialog);
  ++open_count_;
  const int result = dialog_->DoModal();
  --open_count_;
  if (result == CBaseDialog::kInitFailed) {
    // The program cannot show its editor: it ends, as it does for the main window's pictures.
    std::fprintf(stderr, "talon7x: cannot read the skin picture %s\n",
                 dialog_->FailedPicture().c_str());
    dialog_.reset();
    window_.ExitSequence();
    return -1;
  }
  dialog_.reset();
  return result;
}

bool KeyEditor::CloseAsCancelled() {
  if (dialog_ != nullptr && dialog_->isVisible()) dialog_->OnCancel();
  return true;
}

void KeyEditor::LoadTexts(int language_index) {
  if (dialog_ != nullptr) dialog_->LoadTexts(language_index);
}

std::unique_ptr<KeyEditorSeam> MakeKeyEditor(CVexmoDlg& window) {
  return std::make_unique<KeyEditor>(window);
}

}  // namespace talon
