// Vexmo_DlgComposite: committing the pages into the profile store, and closing.
#include <QComboBox>
#include <QRadioButton>

#include "model/macro_list.h"
#include "ui/editors/assignment.h"
#include "ui/editors/composite_controls.h"
#include "ui/editors/composite_dialog.h"
#include "ui/editors/key_picker.h"
#include "ui/editors/macro_page.h"
#include "ui/main/main_window.h"

namespace talon {

using namespace composite;

void Vexmo_DlgComposite::SetApplyEnabled(bool enabled) {
  apply_enabled_ = enabled;
  if (frame_->apply != nullptr) frame_->apply->setEnabled(enabled);
}

void Vexmo_DlgComposite::OnApply() {
  ApplyAssignment();
}

void Vexmo_DlgComposite::ApplyAssignment() {
  macro_page_->FinishEditing();
  const ModelContext model = window_.Model();
  CommitMacroList(model.store, macro_page_->WorkingList(), window_);
  macro_page_->MarkCommitted();

  AssignmentPages pages;
  pages.page = page_;
  pages.mouse_choice = key_page_->mouse->isChecked();
  pages.captured = captured_;
  pages.mouse_entry = key_page_->mouse_combo->currentIndex();
  pages.media = media_combo_->currentIndex();
  pages.function = function_combo_->currentIndex();
  pages.no_macros = macro_page_->WorkingList().empty();
  const int current = macro_page_->CurrentMacro();
  {
    auto store = model.store.Lock();
    if (current >= 0 && current < static_cast<int>(store->macros.size())) {
      pages.macro_id = store->macros[static_cast<std::size_t>(current)].id;
    }
  }
  pages.play_count = static_cast<std::uint16_t>(macro_page_->PlayCount());
  const Assignment assignment = BuildAssignment(edited_slot_, pages);

  if (CPngButton* button = window_.ButtonById(control_id_)) {
    button->SetOtherState(assignment.type != AssignmentKind::kDefault);
  }
  const int active = window_.Services().commands.GetActiveProfile();
  if (active >= 0) {
    auto store = model.store.Lock();
    const std::size_t index = RecordIndex(static_cast<std::size_t>(active), edited_slot_);
    // The string a launch or text record owned goes with the value it had.
    store->launch_strings.Release(index);
    KeyRecord& record = store->key_block.records[index];
    record.type = assignment.type;
    record.extra = assignment.extra;
    record.value = assignment.value;
  }
  window_.RefreshKeyButtons();
  SetApplyEnabled(false);
  window_.SetApplyEnabled(true);
}

void Vexmo_DlgComposite::OnOK() {
  if (!open_) return CBaseDialog::OnOK();
  ApplyAssignment();
  RunClosingSteps();
  CBaseDialog::OnOK();
}

void Vexmo_DlgComposite::OnCancel() {
  RunClosingSteps();
  CBaseDialog::OnCancel();
}

void Vexmo_DlgComposite::RunClosingSteps() {
  if (!open_) return;
  open_ = false;
  RemoveCaptureHook();
  macro_page_->StopRecording();
  macro_page_->Clear();
  SetApplyEnabled(false);
  if (picker_ != nullptr) picker_->hide();
  if (CPngButton* button = window_.ButtonById(control_id_)) ShowPressed(*button, nullptr);
}

}  // namespace talon
