#include "editor_window.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>

#include "ui/main/control_ids.h"

namespace talon::test {
namespace {

CVexmoDlg::Parts EditorParts() {
  CVexmoDlg::Parts parts;
  parts.key_editor = MakeKeyEditor;
  parts.profile_editor = MakeProfileEditor;
  return parts;
}

}  // namespace

EditorWindow::EditorWindow(EditorWindowOptions options) : MainWindowHarness(EditorParts()) {
  const char* root = std::getenv("TALON7X_TEST_ROOT");
  scratch = std::filesystem::path(root != nullptr ? root : "/tmp") / "scratch";
  std::filesystem::create_directories(scratch);
  preferences.WriteDword(Preferences::kProgramKey, "dwLanguageId", 0x0409);
  if (options.macro_capacity_units != 0) {
    vkb.WriteMemory(KBSIM_AREA_DEVICE_INFO, 11, {options.macro_capacity_units});
  }
  std::filesystem::remove(paths.working_profile_file);
  EXPECT_TRUE(Start());
  // The keyboard's arrival reads it into the working profile file and the store.
  EXPECT_TRUE(WaitFor([this] { return std::filesystem::exists(paths.working_profile_file); }));
  EXPECT_EQ(commands.GetActiveProfile(), 0);
}

KeyEditor& EditorWindow::keys() {
  return *dynamic_cast<KeyEditor*>(window().KeyEditor());
}

ProfileEditor& EditorWindow::profiles() {
  return *dynamic_cast<ProfileEditor*>(window().ProfileEditor());
}

const KeyRecord& EditorWindow::Record(int profile, KeySlot slot) {
  return model.store.Lock()->key_block.record(static_cast<std::size_t>(profile), slot);
}

void EditorWindow::RunInDialog(const std::function<void(Vexmo_DlgComposite&)>& body) {
  KeyEditor& editor = keys();
  QTimer::singleShot(0, [&editor, &body] {
    Vexmo_DlgComposite* dialog = editor.Dialog();
    if (dialog == nullptr) return;
    WaitFor([dialog] { return dialog->isVisible(); });
    body(*dialog);
    if (editor.Dialog() == dialog && dialog->isVisible()) dialog->OnCancel();
  });
}

int EditorWindow::Edit(int control_id, const std::function<void(Vexmo_DlgComposite&)>& body) {
  RunInDialog(body);
  return keys().OpenForKey(control_id);
}

void EditorWindow::EditByClick(int control_id,
                               const std::function<void(Vexmo_DlgComposite&)>& body) {
  RunInDialog(body);
  Click(control_id);
}

int KeyButtonOf(KeyId key) {
  for (std::size_t i = 0; i < kKeyButtonCount; ++i) {
    if (KeyOfButton(i) == key) return ctl::ControlIdOfButton(i);
  }
  return 0;
}

void SendKey(QWidget& window, QEvent::Type type, int qt_key, unsigned linux_code,
             Qt::KeyboardModifiers modifiers, bool repeat) {
  QKeyEvent event(type, qt_key, modifiers, linux_code + 8, 0, 0, QString(), repeat);
  QCoreApplication::sendEvent(window.windowHandle(), &event);
}

void TapKey(QWidget& window, int qt_key, unsigned linux_code, Qt::KeyboardModifiers modifiers) {
  SendKey(window, QEvent::KeyPress, qt_key, linux_code, modifiers);
  SendKey(window, QEvent::KeyRelease, qt_key, linux_code, modifiers);
}

void Choose(QComboBox& combo, int index) {
  ASSERT_GE(index, 0);
  combo.showPopup();
  QAbstractItemView* view = combo.view();
  ASSERT_TRUE(MainWindowHarness::WaitFor([view] { return view->isVisible(); }));
  const QModelIndex item = combo.model()->index(index, combo.modelColumn());
  view->scrollTo(item);
  // An item's rectangle may reach past a narrow list; the part in view is what gets the click.
  const QRect shown = view->visualRect(item) & view->viewport()->rect();
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, shown.center());
  MainWindowHarness::WaitFor([view] { return !view->isVisible(); });
  MainWindowHarness::Spin(20);
}

void Choose(QComboBox& combo, const QString& text) {
  const int index = combo.findText(text, Qt::MatchExactly);
  ASSERT_GE(index, 0) << text.toStdString();
  Choose(combo, index);
}

void ClickOn(QWidget& widget, QPoint at) {
  if (at.x() < 0) at = widget.rect().center();
  QTest::mouseClick(&widget, Qt::LeftButton, {}, at);
  MainWindowHarness::Spin(5);
}

std::vector<std::string> ShownTexts(const ScriptedMessageBox& boxes) {
  std::vector<std::string> texts;
  for (const MessageBoxRequest& request : boxes.Shown()) texts.push_back(request.text);
  return texts;
}

void SaveScreen(QWidget& widget, const std::string& name) {
  MainWindowHarness::Spin(30);
  EXPECT_TRUE(widget.grab().save(QString::fromStdString(ScreenPath(name).string())));
}

}  // namespace talon::test
