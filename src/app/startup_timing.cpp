#include "app/startup_timing.h"

#include <QEvent>

#include <chrono>
#include <cstdlib>

#include <fcntl.h>
#include <unistd.h>

#include "shell/tray_icon.h"
#include "ui/main/main_window.h"

namespace talon {
namespace {

std::string Now() {
  const auto since = std::chrono::steady_clock::now().time_since_epoch();
  return std::to_string(std::chrono::duration_cast<std::chrono::nanoseconds>(since).count());
}

}  // namespace

StartupTiming::StartupTiming(CVexmoDlg& window) : window_(window) {
  const char* path = std::getenv("TALON7X_TIMING_LOG");
  if (path == nullptr || *path == '\0') return;
  log_path_ = path;
  window_.WhenReady([this] {
    Note("ready " + Now() +
         " tray=" + (window_.Tray() != nullptr && window_.Tray()->IsShown() ? "1" : "0"));
  });
  window_.installEventFilter(this);
}

bool StartupTiming::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &window_ && event->type() == QEvent::Paint && window_.isVisible()) {
    // Taken before the paint itself: the moment the window is ready to be drawn. One is enough.
    Note("painted " + Now());
    window_.removeEventFilter(this);
  }
  return false;
}

void StartupTiming::Note(const std::string& line) const {
  // One write of one whole line, so the reader never sees half of it.
  const int fd = ::open(log_path_.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
  if (fd < 0) return;
  const std::string text = line + "\n";
  [[maybe_unused]] const ssize_t written = ::write(fd, text.data(), text.size());
  ::close(fd);
}

}  // namespace talon
