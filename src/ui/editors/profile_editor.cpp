#include "ui/editors/profile_editor.h"

#include <QMenu>

#include "model/keyboard_capture.h"
#include "model/profile_file.h"
#include "shell/tray_icon.h"
#include "ui/editors/missing_picture.h"
#include "ui/main/control_ids.h"
#include "ui/main/main_window.h"
#include "ui/skin/png_button.h"

namespace talon {

ProfileEditor::ProfileEditor(CVexmoDlg& window) : window_(window) {}

ProfileEditor::~ProfileEditor() = default;

void ProfileEditor::OpenManager() {
  if (dialog_ != nullptr) return;
  dialog_ = std::make_unique<CVexmo_DlgProfile>(window_, *this, faces_);
  ++open_count_;
  const int result = dialog_->DoModal();
  --open_count_;
  const std::string failed = dialog_->FailedPicture();
  dialog_.reset();
  if (result == CBaseDialog::kInitFailed) EndForMissingPicture(window_, failed);
}

bool ProfileEditor::CloseAsCancelled() {
  if (dialog_ != nullptr && dialog_->isVisible()) dialog_->OnCancel();
  return true;
}

void ProfileEditor::BuildProfileMenu(bool create) {
  if (menu_ == nullptr) {
    menu_ = std::make_unique<QMenu>();
  } else {
    menu_->clear();
  }
  auto add = [this](const QString& text, int command) {
    QAction* item = menu_->addAction(text);
    item->setData(command);
    item->setCheckable(true);
    QObject::connect(item, &QAction::triggered, menu_.get(), [this, command] {
      window_.Send(msg::kCommand, MakeCommandWParam(command, Notification::kClicked));
    });
  };
  const Language& language = window_.Services().language;
  add(QString::fromStdString(language.Text("DEFAULT_PROFILE_NAME")), kMenuDefault);
  menu_->addSeparator();
  // Every profile's working copy is the one working profile file, so they share its name.
  const QString name =
      QString::fromStdString(WorkingProfilePath(window_.Services().profile_paths).stem().string());
  for (int i = 0; i < CVexmo_DlgProfile::kProfileCount; ++i) add(name, kMenuFirstProfile + i);

  const int active = window_.Services().commands.GetActiveProfile();
  const QList<QAction*> items = menu_->actions();
  const int position = active < 0 ? 0 : active + 2;
  QAction* marked = position < items.size() ? items[position] : items.front();
  marked->setChecked(true);
  const QString tip = QString::fromStdString(language.Text("PROFILE_TIP")) + marked->text();
  menu_->setTitle(tip);
  if (CPngButton* button = window_.ButtonById(ctl::kProfiles)) {
    button->setText(marked->text());
    button->SetTooltip(tip);
  }
  if (create) AttachMenu();
}

void ProfileEditor::AttachMenu() {
  if (attached_) return;
  attached_ = true;
  // The profile button opens the manager; its context menu is the profile menu.
  if (CPngButton* button = window_.ButtonById(ctl::kProfiles)) {
    button->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(button, &QWidget::customContextMenuRequested, button,
                     [this, button](const QPoint& at) { menu_->exec(button->mapToGlobal(at)); });
  }
  if (CTrayIcon* tray = window_.Tray()) {
    QMenu* tray_menu = tray->Menu();
    QAction* first = tray_menu->actions().isEmpty() ? nullptr : tray_menu->actions().front();
    tray_menu->insertMenu(first, menu_.get());
    tray_menu->insertSeparator(first);
  }
}

int ProfileEditor::SwitchProfile(int index) {
  if (index >= CVexmo_DlgProfile::kProfileCount) index = 0;
  if (index < 0) index = -1;
  if (window_.KeyEditor() != nullptr && window_.KeyEditor()->IsOpen()) {
    window_.ShowMessage({"PROFILE_SEELCT_PROMPT2", {}, MessageButtons::kOk});
    return 0;
  }
  KeyboardCommands& commands = window_.Services().commands;
  const bool pending = (dialog_ != nullptr && dialog_->ApplyPending()) || window_.ApplyPending();
  if (pending) {
    if (!asking_) {
      asking_ = true;
      const MessageAnswer answer =
          window_.ShowMessage({"PROFILE_SELECT_PROMPT", {}, MessageButtons::kYesNo});
      asking_ = false;
      if (answer == MessageAnswer::kYes) {
        window_.RunApply();
      } else {
        window_.SetApplyEnabled(false);
        if (commands.GetActiveProfile() >= 0) {
          const ModelContext model = window_.Model();
          const ProfilePaths& paths = window_.Services().profile_paths;
          bool restored = false;
          {
            auto store = model.store.Lock();
            ReleaseContents(*store);
            restored = ReadProfileFile(model.store, WorkingProfilePath(paths)) == 1;
          }
          // Without a readable working file the keyboard itself is what the changes are
          // dropped for; an empty store would wipe it at the next Apply.
          if (!restored) ReloadFromKeyboard(model, paths, false);
        }
      }
    }
    commands.SetActiveProfile(index);
  } else {
    commands.SetActiveProfile(index);
    if (dialog_ != nullptr) dialog_->ShowSwitched(index);
  }
  {
    auto store = window_.Model().store.Lock();
    window_.ReloadKeyButtons();
  }
  BuildProfileMenu(false);
  return 1;
}

std::unique_ptr<ProfileEditorSeam> MakeProfileEditor(CVexmoDlg& window) {
  return std::make_unique<ProfileEditor>(window);
}

}  // namespace talon
