#include "ui/editors/key_editor.h"

#include "ui/editors/composite_dialog.h"
#include "ui/editors/missing_picture.h"
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
  const std::string failed = dialog_->FailedPicture();
  dialog_.reset();
  if (result == CBaseDialog::kInitFailed) {
    EndForMissingPicture(window_, failed);
    return -1;
  }
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
