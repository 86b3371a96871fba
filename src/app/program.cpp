#include "app/program.h"

#include <QApplication>
#include <QIcon>

#include <chrono>
#include <cstdio>
#include <string>

#include "app/automatic_profiles.h"
#include "app/startup_timing.h"
#include "device/device_link.h"
#include "device/keyboard_commands.h"
#include "model/model_context.h"
#include "platform/standard_folders.h"
#include "shell/language.h"
#include "shell/preferences.h"
#include "shell/qt_desktop.h"
#include "shell/single_instance.h"
#include "shell/skin_paths.h"
#include "shell/user_folder.h"
#include "ui/editors/key_editor.h"
#include "ui/editors/profile_editor.h"
#include "ui/main/lighting_panel.h"
#include "ui/main/main_window.h"
#include "ui/skin/qt_file_dialog.h"
#include "ui/skin/qt_message_box.h"

namespace talon {
namespace {

constexpr std::chrono::milliseconds kHandoverTime(3000);

void PrintError(const std::string& what) {
  std::fprintf(stderr, "talon7x: %s\n", what.c_str());
}

// Nothing but the lock and its socket may decide which process is first; everything else comes
// after. Returns -1 when this process goes on as the first instance, else its exit code.
int EnforceOneInstance(SingleInstance& instance, const CommandLine& line) {
  if (instance.TryAcquire()) return -1;
  const std::uint32_t tag = line.kill ? CVexmoDlg::kTagKill : CVexmoDlg::kTagOpen;
  switch (instance.HandOver(tag, kHandoverTime)) {
    case SingleInstance::Handover::kDelivered:
      return 0;
    case SingleInstance::Handover::kBecameFirst:
      return -1;  // the other one ended meanwhile: start as usual
    case SingleInstance::Handover::kNoAnswer:
      break;
  }
  PrintError("another instance holds " + instance.LockPath().string() + " but does not answer");
  return kExitNoAnswer;
}

int ReportStartFailure(const CVexmoDlg& window) {
  switch (window.start_failure()) {
    case StartFailure::kLibraryNotLoadable:
      PrintError(std::string("cannot load ") + kBridgeLibraryName + ", looked for in " +
                 LibrarySearchDescription() + ": " + window.start_failure_detail());
      return kExitNoLibrary;
    case StartFailure::kLibraryUnusable:
      PrintError(std::string(kBridgeLibraryName) +
                 " is not usable: " + window.start_failure_detail());
      return kExitNoLibrary;
    case StartFailure::kSkinPicture:
      PrintError("cannot read the skin picture " + window.start_failure_detail());
      return kExitMissingFile;
    case StartFailure::kNone:
      break;
  }
  return kExitMissingFile;
}

}  // namespace

int RunProgram(const CommandLine& line) {
  QApplication::setQuitOnLastWindowClosed(false);
  SingleInstance instance(UserRuntimeFolder());
  if (const int code = EnforceOneInstance(instance, line); code >= 0) return code;

  const SkinPaths paths = SkinPathsFromEnvironment();
  QApplication::setWindowIcon(
      QIcon(QString::fromStdString((paths.program_folder / "icons" / "talon7x.svg").string())));
  QtDesktop desktop;
  // The maker's background helper, when it is installed beside us; we never talk to it.
  desktop.StartProgram(paths.background_process, {}, {});

  Preferences preferences;
  Language language(paths, preferences);
  DeviceLink link;
  KeyboardCommands commands(link);
  KeyboardModel model;
  QtMessageBox message_box;
  QtFileDialog file_dialog;
  int exit_code = 0;
  MainWindowServices services{
      paths,
      preferences,
      language,
      link,
      commands,
      model,
      ProfilePaths{paths.working_profile_file, [&paths] { EnsureUserFolder(paths); }},
      message_box,
      file_dialog,
      desktop,
      [&exit_code](int code) {
        exit_code = code;
        QCoreApplication::exit(code);
      },
      [&instance] { instance.Release(); }};

  CVexmoDlg::Parts parts;
  parts.key_editor = MakeKeyEditor;
  parts.profile_editor = MakeProfileEditor;
  parts.lighting_panel = &LightingPanel::Make;
  CVexmoDlg window(services, std::move(parts), line.quiet_start);
  // Messages from later starts wait in the queue until the window runs.
  instance.Listen([&window](std::uint32_t tag) {
    if (tag == CVexmoDlg::kTagKill) {
      window.Post(CVexmoDlg::kMsgKill, CVexmoDlg::kTagKill, 0);
    } else if (tag == CVexmoDlg::kTagOpen) {
      window.Post(CVexmoDlg::kMsgOpen, CVexmoDlg::kTagOpen, 0);
    }
  });
  StartupTiming timing(window);
  if (!window.OnInitDialog()) return ReportStartFailure(window);
  AutomaticProfiles automatic_profiles(window);
  automatic_profiles.Start();
  const int loop_result = QApplication::exec();
  return exit_code != 0 ? exit_code : loop_result;
}

}  // namespace talon
