#include "shell/qt_desktop.h"

#include <QDesktopServices>
#include <QUrl>

#include "platform/process_launch.h"

namespace talon {

bool QtDesktop::Open(const std::string& file_or_url) {
  const QString text = QString::fromStdString(file_or_url);
  const QUrl url = text.startsWith('/') ? QUrl::fromLocalFile(text) : QUrl(text);
  return QDesktopServices::openUrl(url);
}

bool QtDesktop::StartProgram(const std::filesystem::path& program,
                             const std::vector<std::string>& arguments,
                             const std::filesystem::path& working_folder) {
  return StartDetached(program, arguments, working_folder);
}

}  // namespace talon
