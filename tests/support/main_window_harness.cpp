#include "main_window_harness.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>

#include "keyboard_session.h"
#include "platform/standard_folders.h"
#include "shell/tray_icon.h"
#include "shell/user_folder.h"
#include "ui/skin/png_button.h"

namespace talon::test {

bool RecordingDesktop::Open(const std::string& file_or_url) {
  opened.push_back(file_or_url);
  return true;
}

bool RecordingDesktop::StartProgram(const std::filesystem::path& program,
                                    const std::vector<std::string>& arguments,
                                    const std::filesystem::path& working_folder) {
  started.push_back({program, arguments, working_folder});
  return true;
}

namespace {

QApplication& App() {
  static int argc = 1;
  static char name[] = "talon-main-window-test";
  static char* argv[] = {name, nullptr};
  static auto* app = new QApplication(argc, argv);
  return *app;
}

}  // namespace

MainWindowHarness::MainWindowHarness(CVexmoDlg::Parts parts, bool quiet_start)
    : paths((App(), SkinPathsFromEnvironment())),
      language(paths, preferences),
      link(FastTimings()),
      commands(link, FastTimings()) {
  vkb.Reset();
  MainWindowServices services{
      paths,
      preferences,
      language,
      link,
      commands,
      model,
      ProfilePaths{paths.working_profile_file, [this] { EnsureUserFolder(paths); }},
      boxes,
      files,
      desktop,
      [this](int code) { ended.push_back(code); },
      {}};
  window_ = std::make_unique<CVexmoDlg>(services, std::move(parts), quiet_start);
}

MainWindowHarness::~MainWindowHarness() {
  window_.reset();
  vkb.Reset();
}

bool MainWindowHarness::Start() {
  if (!window_->OnInitDialog()) return false;
  const int expected = link.start_count() > 0 ? kTrayKeyboardPresent : kTrayNoKeyboard;
  return WaitFor([&] { return window_->IsReady() && window_->TrayPicture() == expected; });
}

CPngButton& MainWindowHarness::Button(int control_id) {
  CPngButton* button = window_->ButtonById(control_id);
  if (button == nullptr) throw std::runtime_error("no image button " + std::to_string(control_id));
  return *button;
}

void MainWindowHarness::Click(int control_id) {
  CPngButton& button = Button(control_id);
  QTest::mouseClick(&button, Qt::LeftButton, Qt::NoModifier, button.rect().center());
}

void MainWindowHarness::Command(int control_id) {
  window_->Send(msg::kCommand, MakeCommandWParam(control_id, Notification::kClicked));
}

void MainWindowHarness::Key(int qt_key) {
  QTest::keyClick(window_->windowHandle(), static_cast<Qt::Key>(qt_key));
}

bool MainWindowHarness::WaitFor(const std::function<bool()>& done, int timeout_ms) {
  QElapsedTimer clock;
  clock.start();
  while (!done() && clock.elapsed() < timeout_ms) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  return done();
}

void MainWindowHarness::Spin(int ms) {
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

std::filesystem::path ScreenPath(const std::string& name) {
  const std::filesystem::path folder = ProgramFolder() / "screens";
  std::filesystem::create_directories(folder);
  return folder / name;
}

QImage MainWindowHarness::SaveScreen(const std::string& name) {
  Spin(30);
  const QImage picture = window_->grab().toImage();
  picture.save(QString::fromStdString(ScreenPath(name).string()));
  return picture;
}

}  // namespace talon::test
