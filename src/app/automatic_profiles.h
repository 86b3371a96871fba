#pragma once
// Automatic profiles in the running configurator: the keyboard's profile follows the program in
// front, through the main window's own profile selection, never while the user is busy in our
// windows; the tray menu gets its "Automatic profiles" check item.
#include <memory>

#include "shell/auto_profile_port.h"

namespace talon {

class AutoProfileController;
class CVexmoDlg;

class AutomaticProfiles : public AutoProfilePort {
 public:
  explicit AutomaticProfiles(CVexmoDlg& window);
  ~AutomaticProfiles() override;

  // Starts following the window in front and adds the tray item once the window is ready. A
  // desktop where nothing can be followed is said once on standard error.
  void Start();

  int ActiveProfile() override;
  bool UserBusy() override;
  void SwitchTo(int profile) override;

  AutoProfileController& controller() { return *controller_; }

 private:
  void AddTrayItem();

  CVexmoDlg& window_;
  std::unique_ptr<AutoProfileController> controller_;
};

}  // namespace talon
