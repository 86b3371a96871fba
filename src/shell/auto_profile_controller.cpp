#include "shell/auto_profile_controller.h"

#include <system_error>
#include <utility>

namespace talon {

AutoProfileController::AutoProfileController(AutoProfilePort& port,
                                             std::filesystem::path rules_file, QObject* parent)
    : QObject(parent), rules_file_(std::move(rules_file)), switcher_(port) {
  settle_timer_.setSingleShot(true);
  connect(&settle_timer_, &QTimer::timeout, this, &AutoProfileController::Settle);
  // The tool saves through a temporary file renamed over the old one: the folder sees that,
  // while a watch on the file itself ends with the old file.
  connect(&files_, &QFileSystemWatcher::directoryChanged, this,
          &AutoProfileController::ReloadRules);
  connect(&files_, &QFileSystemWatcher::fileChanged, this, &AutoProfileController::ReloadRules);
}

AutoProfileController::~AutoProfileController() {
  // No window change may arrive once the object is going.
  watcher_.Stop();
}

ActiveWindowWatcher::StartResult AutoProfileController::Start(const std::string& display) {
  std::error_code ec;
  std::filesystem::create_directories(rules_file_.parent_path(), ec);
  WatchFiles();
  ReloadRules();
  return watcher_.Start(
      [this](const ActiveWindowInfo& window) {
        // From the watcher's thread to the window thread, where the switcher lives.
        QMetaObject::invokeMethod(
            this, [this, window] { OnActiveWindow(window); }, Qt::QueuedConnection);
      },
      display);
}

bool AutoProfileController::SetEnabled(bool on) {
  const AutoProfilesEdit edit = EditAutoProfiles(rules_file_, [on](AutoProfileSettings& s) {
    s.enabled = on;
    return true;
  });
  if (edit.status != AutoProfilesEdit::Status::kDone) {
    problem_ = edit.problem;
    emit ProblemFound(QString::fromStdString(problem_));
    return false;
  }
  Apply(edit.settings, {});
  return true;
}

void AutoProfileController::WatchFiles() {
  const QString folder = QString::fromStdString(rules_file_.parent_path().string());
  const QString file = QString::fromStdString(rules_file_.string());
  if (!files_.directories().contains(folder)) files_.addPath(folder);
  if (!files_.files().contains(file) && std::filesystem::exists(rules_file_)) files_.addPath(file);
}

void AutoProfileController::ReloadRules() {
  WatchFiles();
  AutoProfilesRead read = ReadAutoProfiles(rules_file_);
  Apply(read.settings, std::move(read.problem));
}

void AutoProfileController::Apply(const AutoProfileSettings& settings, std::string problem) {
  if (problem != problem_) {
    problem_ = std::move(problem);
    if (!problem_.empty()) emit ProblemFound(QString::fromStdString(problem_));
  }
  // The folder also changes when other settings are saved: a switch waiting for its program to
  // settle is dropped only when the rules really changed.
  if (settings == switcher_.settings()) return;
  const bool was_enabled = enabled();
  switcher_.SetSettings(settings);
  settle_timer_.stop();
  if (enabled() != was_enabled) emit EnabledChanged(enabled());
}

void AutoProfileController::OnActiveWindow(const ActiveWindowInfo& window) {
  ArmTimer(switcher_.OnActiveWindow(window));
}

void AutoProfileController::Settle() {
  ArmTimer(switcher_.Settle());
}

void AutoProfileController::ArmTimer(std::optional<std::chrono::milliseconds> wait) {
  if (wait) {
    settle_timer_.start(*wait);
  } else {
    settle_timer_.stop();
  }
}

}  // namespace talon
