#pragma once
// The main window with the key assignment dialog and the profile manager plugged in, on the
// virtual keyboard through the real loader, offscreen: what the editors' tests drive. Every
// window gets its own user folder and settings, the shipped skin and language files, scripted
// message boxes and file dialogs, and a desktop that records what it was asked to open.
#include <QComboBox>
#include <QKeyEvent>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "device/device_link.h"
#include "device/keyboard_commands.h"
#include "keyboard_session.h"
#include "model/model_context.h"
#include "platform/desktop_port.h"
#include "scripted_dialogs.h"
#include "shell/language.h"
#include "shell/preferences.h"
#include "shell/skin_paths.h"
#include "ui/editors/composite_dialog.h"
#include "ui/editors/key_editor.h"
#include "ui/editors/profile_editor.h"
#include "ui/main/main_window.h"
#include "virtual_keyboard_control.h"

namespace talon::test {

class RecordingDesktop : public DesktopPort {
 public:
  bool Open(const std::string& file_or_url) override;
  bool StartProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                    const std::filesystem::path& working_folder) override;
  std::vector<std::string> opened;
};

struct EditorWindowOptions {
  // The keyboard's macro room in units of 128 bytes; 0 keeps the factory's.
  std::uint8_t macro_capacity_units = 0;
};

class EditorWindow {
 public:
  explicit EditorWindow(EditorWindowOptions options = {});
  ~EditorWindow();

  CVexmoDlg& window() { return *window_; }
  KeyEditor& keys();
  ProfileEditor& profiles();
  ModelContext model() { return window_->Model(); }
  const KeyRecord& Record(int profile, KeySlot slot);
  // The command a control of the main window reports when clicked.
  void Click(int control_id);

  // Opens the key assignment dialog for a main-window control and runs `body` inside its modal
  // loop; whatever the body leaves open is cancelled. Returns OpenForKey's result.
  int Edit(int control_id, const std::function<void(Vexmo_DlgComposite&)>& body);

  VirtualKeyboardControl vkb;
  std::filesystem::path root;
  SkinPaths paths;
  std::unique_ptr<Preferences> preferences;
  std::unique_ptr<Language> language;
  DeviceLink link;
  KeyboardCommands commands;
  KeyboardModel keyboard_model;
  ScriptedMessageBox boxes;
  ScriptedFileDialog files;
  RecordingDesktop desktop;

 private:
  std::unique_ptr<MainWindowServices> services_;
  std::unique_ptr<CVexmoDlg> window_;
};

// The control id of the main window's button for `key`; 0 when it has none.
int KeyButtonOf(KeyId key);

// A key press or release as the desktop delivers it to a window: the Qt key and, as on X11 and
// Wayland, the native scan code (the Linux key code + 8).
void SendKey(QWidget& window, QEvent::Type type, int qt_key, unsigned linux_code,
             Qt::KeyboardModifiers modifiers = Qt::NoModifier, bool repeat = false);
void TapKey(QWidget& window, int qt_key, unsigned linux_code,
            Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Picks the entry with `text` in a drop-down as the user does: opens it and clicks the entry.
void Choose(QComboBox& combo, const QString& text);
void Choose(QComboBox& combo, int index);
// A left click in the middle of a widget (or at `at`).
void ClickOn(QWidget& widget, QPoint at = QPoint(-1, -1));
// The texts of every message box shown so far.
std::vector<std::string> ShownTexts(const ScriptedMessageBox& boxes);
// Saves a picture of the widget to build/screens/<name>.
void SaveScreen(QWidget& widget, const std::string& name);

}  // namespace talon::test
