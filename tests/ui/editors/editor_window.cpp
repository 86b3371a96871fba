#include "editor_window.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>

#include "../skin/qt_test_app.h"
#include "ui/main/control_ids.h"

namespace talon::test {
namespace {

std::filesystem::path FreshRoot() {
  static std::atomic<int> next{0};
  const char* base = std::getenv("TALON7X_TEST_ROOT");
  const std::filesystem::path root = std::filesystem::path(base != nullptr ? base : "/tmp") /
                                     ("editor-window-" + std::to_string(next++));
  std::filesystem::remove_all(root);
  std::filesystem::create_directories(root / "data");
  std::filesystem::create_directories(root / "config");
  return root;
}

SkinPaths PathsUnder(const std::filesystem::path& root) {
  const char* program = std::getenv("TALON7X_PROGRAM_DIR");
  const std::filesystem::path folder = program != nullptr ? program : ".";
  return ComputeSkinPaths({folder / "talon7x", folder, root / "data"});
}

}  // namespace

bool RecordingDesktop::Open(const std::string& file_or_url) {
  opened.push_back(file_or_url);
  return true;
}

bool RecordingDesktop::StartProgram(const std::filesystem::path&, const std::vector<std::string>&,
                                    const std::filesystem::path&) {
  return false;
}

EditorWindow::EditorWindow(EditorWindowOptions options)
    : root(FreshRoot()),
      paths(PathsUnder(root)),
      preferences(std::make_unique<Preferences>(root / "config" / "registry.ini")),
      link(FastTimings()),
      commands(link, FastTimings()) {
  QtApp();
  preferences->WriteDword(Preferences::kProgramKey, "dwLanguageId", 0x0409);
  language = std::make_unique<Language>(paths, *preferences);
  vkb.Reset();
  if (options.macro_capacity_units != 0) {
    vkb.WriteMemory(KBSIM_AREA_DEVICE_INFO, 11, {options.macro_capacity_units});
  }
  services_ = std::make_unique<MainWindowServices>(MainWindowServices{
      paths,
      *preferences,
      *language,
      link,
      commands,
      keyboard_model,
      ProfilePaths{paths.working_profile_file,
                   [this] { std::filesystem::create_directories(paths.user_folder); }},
      boxes,
      files,
      desktop,
      [](int) {},
      {}});
  CVexmoDlg::Parts parts;
  parts.key_editor = MakeKeyEditor;
  parts.profile_editor = MakeProfileEditor;
  window_ = std::make_unique<CVexmoDlg>(*services_, std::move(parts), true);
  EXPECT_TRUE(window_->OnInitDialog());
  // The keyboard's arrival reads it into the working profile file and the store.
  EXPECT_TRUE(SpinUntil(
      [this] { return window_->IsReady() && std::filesystem::exists(paths.working_profile_file); },
      5000));
  EXPECT_EQ(commands.GetActiveProfile(), 0);
}

EditorWindow::~EditorWindow() {
  window_.reset();
  std::error_code ignored;
  std::filesystem::remove_all(root, ignored);
}

KeyEditor& EditorWindow::keys() {
  return *dynamic_cast<KeyEditor*>(window_->KeyEditor());
}

ProfileEditor& EditorWindow::profiles() {
  return *dynamic_cast<ProfileEditor*>(window_->ProfileEditor());
}

const KeyRecord& EditorWindow::Record(int profile, KeySlot slot) {
  return keyboard_model.store.Lock()->key_block.record(static_cast<std::size_t>(profile), slot);
}

void EditorWindow::Click(int control_id) {
  window_->Send(msg::kCommand, MakeCommandWParam(control_id, Notification::kClicked));
}

int EditorWindow::Edit(int control_id, const std::function<void(Vexmo_DlgComposite&)>& body) {
  KeyEditor& editor = keys();
  QTimer::singleShot(0, [&editor, &body] {
    Vexmo_DlgComposite* dialog = editor.Dialog();
    if (dialog == nullptr) return;
    SpinUntil([dialog] { return dialog->isVisible(); });
    body(*dialog);
    if (editor.Dialog() == dialog && dialog->isVisible()) dialog->OnCancel();
  });
  return editor.OpenForKey(control_id);
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
  ASSERT_TRUE(SpinUntil([view] { return view->isVisible(); }));
  const QModelIndex item = combo.model()->index(index, combo.modelColumn());
  view->scrollTo(item);
  // An item's rectangle may reach past a narrow list; the part in view is what gets the click.
  const QRect shown = view->visualRect(item) & view->viewport()->rect();
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, shown.center());
  SpinUntil([view] { return !view->isVisible(); });
  Spin(20);
}

void Choose(QComboBox& combo, const QString& text) {
  const int index = combo.findText(text, Qt::MatchExactly);
  ASSERT_GE(index, 0) << text.toStdString();
  Choose(combo, index);
}

void ClickOn(QWidget& widget, QPoint at) {
  if (at.x() < 0) at = widget.rect().center();
  QTest::mouseClick(&widget, Qt::LeftButton, {}, at);
  Spin(5);
}

std::vector<std::string> ShownTexts(const ScriptedMessageBox& boxes) {
  std::vector<std::string> texts;
  for (const MessageBoxRequest& request : boxes.Shown()) texts.push_back(request.text);
  return texts;
}

void SaveScreen(QWidget& widget, const std::string& name) {
  const char* program = std::getenv("TALON7X_PROGRAM_DIR");
  const std::filesystem::path folder =
      std::filesystem::path(program != nullptr ? program : ".") / "screens";
  std::filesystem::create_directories(folder);
  Spin(30);
  EXPECT_TRUE(widget.grab().save(QString::fromStdString((folder / name).string())));
}

}  // namespace talon::test
