#pragma once
// Where the user picks the active on-board profile: the profile manager dialog, the profile
// menu (on the main window's profile button and in the tray menu) and the switch that a menu
// choice or a main-window profile button runs.
#include <memory>

#include "ui/editors/profile_dialog.h"
#include "ui/main/window_seams.h"

class QAction;
class QMenu;

namespace talon {

class CVexmoDlg;

class ProfileEditor : public ProfileEditorSeam {
 public:
  // Menu commands: 9000 the keyboard's default, 9001-9004 profiles 0-3.
  static constexpr int kMenuDefault = 9000;
  static constexpr int kMenuFirstProfile = 9001;

  explicit ProfileEditor(CVexmoDlg& window);
  ~ProfileEditor() override;

  void OpenManager() override;
  bool IsOpen() const override { return open_count_ > 0; }
  bool CloseAsCancelled() override;
  void BuildProfileMenu(bool create) override;
  QMenu* ProfileMenu() override { return menu_.get(); }
  // 0 while the key assignment dialog is open (the user is told), else 1. Unapplied changes
  // are applied or dropped first, as the user answers.
  int SwitchProfile(int index) override;

  // The open manager; null while none is open.
  CVexmo_DlgProfile* Manager() const { return dialog_.get(); }

 private:
  void AttachMenu();

  CVexmoDlg& window_;
  ProfileFaces faces_;
  std::unique_ptr<CVexmo_DlgProfile> dialog_;
  std::unique_ptr<QMenu> menu_;
  int open_count_ = 0;
  bool asking_ = false;  // the switch question is on screen
  bool attached_ = false;
};

std::unique_ptr<ProfileEditorSeam> MakeProfileEditor(CVexmoDlg& window);

}  // namespace talon
