#include "app/automatic_profiles.h"

#include <QMenu>

#include <cstdio>

#include "shell/auto_profile_controller.h"
#include "shell/auto_profile_menu_item.h"
#include "shell/tray_icon.h"
#include "ui/main/main_window.h"

namespace talon {

AutomaticProfiles::AutomaticProfiles(CVexmoDlg& window)
    : window_(window), controller_(std::make_unique<AutoProfileController>(*this)) {
  QObject::connect(
      controller_.get(), &AutoProfileController::ProblemFound,
      [](const QString& text) { std::fprintf(stderr, "talon7x: %s\n", qPrintable(text)); });
}

AutomaticProfiles::~AutomaticProfiles() = default;

void AutomaticProfiles::Start() {
  const ActiveWindowWatcher::StartResult started = controller_->Start();
  if (!started.note.empty()) std::fprintf(stderr, "talon7x: %s\n", started.note.c_str());
  window_.WhenReady([this] { AddTrayItem(); });
}

void AutomaticProfiles::AddTrayItem() {
  CTrayIcon* tray = window_.Tray();
  if (tray == nullptr) return;
  QMenu* menu = tray->Menu();
  QAction* exit = menu->actions().value(menu->actions().size() - 1);
  QAction* item = AddAutoProfileMenuItem(*menu, *controller_, [this] {
    return QString::fromStdString(window_.Services().language.Text("MENU_AUTO_PROFILES"));
  });
  // Above Exit, set apart from the window's own items.
  menu->removeAction(item);
  menu->insertAction(exit, item);
  menu->insertSeparator(item);
}

int AutomaticProfiles::ActiveProfile() {
  return window_.Services().commands.GetActiveProfile();
}

bool AutomaticProfiles::UserBusy() {
  const KeyEditorSeam* keys = window_.KeyEditor();
  const ProfileEditorSeam* profiles = window_.ProfileEditor();
  return window_.ApplyPending() || (keys != nullptr && keys->IsOpen()) ||
         (profiles != nullptr && profiles->IsOpen());
}

void AutomaticProfiles::SwitchTo(int profile) {
  window_.SelectProfile(profile);
}

}  // namespace talon
