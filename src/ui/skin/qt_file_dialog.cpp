#include "ui/skin/qt_file_dialog.h"

#include <QFileDialog>
#include <QStringList>

#include "ui/skin/file_filter.h"

namespace talon {

namespace {

bool HasWildcards(const std::string& name) {
  return name.find_first_of("*?") != std::string::npos;
}

}  // namespace

std::optional<std::filesystem::path> QtFileDialog::Ask(const FileDialogRequest& request) {
  QFileDialog dialog(parent_);
  // Qt's own dialog, so that the default suffix is applied before the overwrite question.
  dialog.setOption(QFileDialog::DontUseNativeDialog, true);
  const bool save = request.mode == FileDialogMode::kSave;
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.overwrite_prompt);

  QStringList filters;
  for (const FileFilterEntry& entry : ParseFileFilter(request.filter)) {
    filters << QString::fromStdString(QtFilterOf(entry));
  }
  if (!filters.isEmpty()) dialog.setNameFilters(filters);
  if (!request.default_extension.empty()) {
    dialog.setDefaultSuffix(QString::fromStdString(request.default_extension));
  }

  const std::filesystem::path initial(request.initial_name);
  if (initial.has_parent_path()) {
    dialog.setDirectory(QString::fromStdString(initial.parent_path().string()));
  }
  if (!initial.filename().empty() && !HasWildcards(initial.filename().string())) {
    dialog.selectFile(QString::fromStdString(initial.filename().string()));
  }

  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  const std::filesystem::path chosen(dialog.selectedFiles().first().toStdString());
  return AddDefaultExtension(chosen, request.default_extension);
}

}  // namespace talon
