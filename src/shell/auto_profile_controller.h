// Automatic profiles in the running program: the active-window watcher feeds the switcher on
// the window thread, a timer settles its waits, and the rules file is followed on disk, so edits
// made with "talon7x-ctl auto" take effect without a restart.
//
// The tray's "Automatic profiles" check item shows enabled() and calls SetEnabled().
#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>
#include <filesystem>
#include <string>

#include "platform/active_window.h"
#include "shell/auto_profile_file.h"
#include "shell/auto_profile_port.h"
#include "shell/auto_profile_switcher.h"

namespace talon {

class AutoProfileController : public QObject {
  Q_OBJECT

 public:
  explicit AutoProfileController(AutoProfilePort& port,
                                 std::filesystem::path rules_file = AutoProfilesPath(),
                                 QObject* parent = nullptr);
  ~AutoProfileController() override;

  // Reads the rules, starts following the file and the window in front (`display`, or
  // $DISPLAY when empty). The watcher's note says why nothing will happen, or what cannot be
  // seen; show it once.
  ActiveWindowWatcher::StartResult Start(const std::string& display = {});

  bool enabled() const { return switcher_.settings().enabled; }
  // Switches automatic profiles on or off in the rules file. False, with nothing changed, when
  // the file is broken (it is never overwritten) or cannot be written; problem() says why.
  bool SetEnabled(bool on);
  // What is wrong with the rules file, or "".
  const std::string& problem() const { return problem_; }

 signals:
  // The rules file switched automatic profiles on or off (or became broken: off).
  void EnabledChanged(bool on);
  // The rules file cannot be used; `text` names it and says why. Once per new problem.
  void ProblemFound(const QString& text);

 private:
  void ReloadRules();
  void Apply(const AutoProfileSettings& settings, std::string problem);
  void OnActiveWindow(const ActiveWindowInfo& window);
  void Settle();
  void ArmTimer(std::optional<std::chrono::milliseconds> wait);
  void WatchFiles();

  std::filesystem::path rules_file_;
  AutoProfileSwitcher switcher_;
  ActiveWindowWatcher watcher_;
  QTimer settle_timer_;
  QFileSystemWatcher files_;
  std::string problem_;
};

}  // namespace talon
