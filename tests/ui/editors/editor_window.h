#pragma once
// The main window with the key assignment dialog and the profile manager plugged in, on the
// virtual keyboard through the real loader, offscreen (the shared main-window harness): what the
// editors' tests drive, in English, after the keyboard's arrival has been read into the store.
#include <QComboBox>
#include <QKeyEvent>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "main_window_harness.h"
#include "ui/editors/composite_dialog.h"
#include "ui/editors/key_editor.h"
#include "ui/editors/profile_editor.h"

namespace talon::test {

struct EditorWindowOptions {
  // The keyboard's macro room in units of 128 bytes; 0 keeps the factory's.
  std::uint8_t macro_capacity_units = 0;
};

class EditorWindow : public MainWindowHarness {
 public:
  explicit EditorWindow(EditorWindowOptions options = {});

  KeyEditor& keys();
  ProfileEditor& profiles();
  ModelContext context() { return window().Model(); }
  const KeyRecord& Record(int profile, KeySlot slot);

  // Opens the key assignment dialog for a main-window control and runs `body` inside its modal
  // loop; whatever the body leaves open is cancelled. Returns OpenForKey's result.
  int Edit(int control_id, const std::function<void(Vexmo_DlgComposite&)>& body);
  // The same, opened by a mouse click on the main window's button.
  void EditByClick(int control_id, const std::function<void(Vexmo_DlgComposite&)>& body);

  // A folder of this test's own for files it makes.
  std::filesystem::path scratch;

 private:
  void RunInDialog(const std::function<void(Vexmo_DlgComposite&)>& body);
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
// Saves a picture of the widget to <build>/screens/<name>.
void SaveScreen(QWidget& widget, const std::string& name);

}  // namespace talon::test
