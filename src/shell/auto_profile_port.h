#pragma once

namespace talon {

// What automatic profile switching needs from the program. Called on the thread that drives
// the switcher (the program's window thread).
class AutoProfilePort {
 public:
  virtual ~AutoProfilePort() = default;
  // The keyboard's active on-board profile, or -1 when it is not known.
  virtual int ActiveProfile() = 0;
  // True while the user is busy in our windows (unapplied changes, an editor open): a switch
  // then would take their work away from under them, and a question would interrupt them.
  virtual bool UserBusy() = 0;
  // Makes `profile` the active one without asking anything.
  virtual void SwitchTo(int profile) = 0;
};

}  // namespace talon
