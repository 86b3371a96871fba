#pragma once
// The moments of the program's start that scripts/bench times. When TALON7X_TIMING_LOG names a
// file, one line is appended to it for each moment: its name, the monotonic clock in
// nanoseconds (the clock std::chrono::steady_clock reads in every process) and, for "ready",
// whether the tray icon is shown:
//
//   ready 81234567890123 tray=1      the INIT handling is done: tray icon shown, window made
//   painted 81234612345678           the main window's first paint after it was opened
//
// Without the variable nothing is watched or written.
#include <QObject>

#include <string>

namespace talon {

class CVexmoDlg;

class StartupTiming : public QObject {
 public:
  // Reads the variable; watches `window` only when it is set.
  explicit StartupTiming(CVexmoDlg& window);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Note(const std::string& line) const;

  CVexmoDlg& window_;
  std::string log_path_;
};

}  // namespace talon
