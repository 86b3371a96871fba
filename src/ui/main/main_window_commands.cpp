#include "ui/main/main_window_commands.h"

#include "model/keyboard_upload.h"
#include "model/profile_file.h"
#include "ui/main/busy_indicator.h"
#include "ui/main/main_window.h"

namespace talon {

MainWindowCommands::MainWindowCommands(CVexmoDlg& window, BusyIndicator& busy)
    : window_(window), busy_(busy) {}

void MainWindowCommands::Apply() {
  busy_.Begin();
  if (window_.ApplyPending()) {
    const ModelContext model = window_.Model();
    auto store = model.store.Lock();
    const bool saved = SaveWorkingProfile(model.store, window_.Services().profile_paths) == 1;
    const bool sent = UploadToKeyboard(model, false) == 1;
    if (saved && sent) window_.SetApplyEnabled(false);
  }
  busy_.End();
}

void MainWindowCommands::RestoreDefaults() {
  MessageRequest question{"MAIN_PROMPT_DEFAULT", {}, MessageButtons::kYesNo};
  if (window_.ShowMessage(question) != MessageAnswer::kYes) return;
  window_.ResetKeyMapToDefaults();
  LightingPanelSeam* panel = window_.LightingPanel();
  if (panel != nullptr && panel->LightingMode()) panel->RestoreDefaults();
  Apply();
}

void MainWindowCommands::Import() {
  FileDialogRequest request;
  request.mode = FileDialogMode::kOpen;
  request.filter = kFilter;
  request.default_extension = "vxp";
  request.initial_name = "*.vxp";
  const std::optional<std::filesystem::path> file = window_.Services().file_dialog.Ask(request);
  if (!file) return;
  if (CheckProfileFile(*file, window_) <= 0) {
    window_.ShowMessage({"MAIN_PROMPT_INPORT", {}, MessageButtons::kOk});
    return;
  }
  ImportFile(*file);
}

void MainWindowCommands::ImportFile(const std::filesystem::path& file) {
  const ModelContext model = window_.Model();
  {
    auto store = model.store.Lock();
    ReleaseContents(*store);
    ReadProfileFile(model.store, file);
    SaveWorkingProfile(model.store, window_.Services().profile_paths);
    UploadToKeyboard(model, true);
    window_.ReloadKeyButtons();
  }
  // Whatever the upload gave: the file is the new state and its working copy is saved.
  window_.SetApplyEnabled(false);
}

void MainWindowCommands::Export() {
  FileDialogRequest request;
  request.mode = FileDialogMode::kSave;
  request.filter = kFilter;
  request.default_extension = "vxp";
  request.initial_name = "*.vxp";
  request.overwrite_prompt = true;
  const std::optional<std::filesystem::path> file = window_.Services().file_dialog.Ask(request);
  if (!file) return;
  const ModelContext model = window_.Model();
  int written = 0;
  {
    auto store = model.store.Lock();
    written = WriteProfileFile(model.store, *file);
  }
  // A backup that silently failed would be found missing only when it is needed.
  if (written != 1) {
    window_.ShowMessage({"MAIN_PROMPT_EXPORT", {file->string()}, MessageButtons::kOk});
  }
}

}  // namespace talon
