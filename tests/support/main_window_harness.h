#pragma once
// The main window as the program builds it, on the virtual keyboard through the real loader,
// with scripted message boxes and file dialogs and a desktop that records what it was asked to
// open; plus a small driver that clicks controls by id and reads what they show. The virtual
// keyboard is reset to its factory state first.
#include <QImage>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "device/device_link.h"
#include "device/keyboard_commands.h"
#include "model/model_context.h"
#include "platform/desktop_port.h"
#include "scripted_dialogs.h"
#include "shell/language.h"
#include "shell/preferences.h"
#include "shell/skin_paths.h"
#include "ui/main/main_window.h"
#include "virtual_keyboard_control.h"

namespace talon {
class CPngButton;
}

namespace talon::test {

class RecordingDesktop : public DesktopPort {
 public:
  bool Open(const std::string& file_or_url) override;
  bool StartProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                    const std::filesystem::path& working_folder) override;

  std::vector<std::string> opened;
  struct Start {
    std::filesystem::path program;
    std::vector<std::string> arguments;
    std::filesystem::path folder;
  };
  std::vector<Start> started;
};

class MainWindowHarness {
 public:
  // `before_start` runs on the fresh virtual keyboard before the window starts (unplug it, write
  // its memory...).
  explicit MainWindowHarness(CVexmoDlg::Parts parts = {}, bool quiet_start = false);
  ~MainWindowHarness();

  // Initialises the window and runs its event loop until it is ready and the keyboard's arrival
  // has been handled (tray picture set). False when the window could not start.
  bool Start();
  CVexmoDlg& window() { return *window_; }

  // Driver.
  CPngButton& Button(int control_id);
  // A left click at the control's centre, through Qt's mouse events.
  void Click(int control_id);
  // Sends a command as a control of the window would.
  void Command(int control_id);
  // A key pressed and released on the window, through the application's keyboard filter.
  void Key(int qt_key);
  // Runs the event loop until `done` (true) or the time is up (false).
  static bool WaitFor(const std::function<bool()>& done, int timeout_ms = 3000);
  static void Spin(int ms);
  // The window rendered offscreen, saved to <build>/screens/<name>.
  QImage SaveScreen(const std::string& name);

  VirtualKeyboardControl vkb;
  SkinPaths paths;
  Preferences preferences;
  Language language;
  DeviceLink link;
  KeyboardCommands commands;
  KeyboardModel model;
  ScriptedMessageBox boxes;
  ScriptedFileDialog files;
  RecordingDesktop desktop;
  std::vector<int> ended;  // exit codes the window asked the program to end with

 private:
  std::unique_ptr<CVexmoDlg> window_;
};

// <build>/screens/<name>, the folder made when missing.
std::filesystem::path ScreenPath(const std::string& name);

}  // namespace talon::test
