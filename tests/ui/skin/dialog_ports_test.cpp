// Message boxes and file dialogs: the Qt implementations of the ports, the filter conversion,
// and the scripted doubles other tests use.
#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <thread>

#include "qt_test_app.h"
#include "scripted_dialogs.h"
#include "ui/skin/file_filter.h"
#include "ui/skin/message_dialog.h"
#include "ui/skin/qt_file_dialog.h"
#include "ui/skin/qt_message_box.h"

namespace talon {
namespace {

class DialogPortsTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { test::QtApp(); }

  // Runs `act` on the next modal dialog of type T as soon as it is shown.
  template <class T>
  static void WhenShown(std::function<void(T&)> act) {
    auto* poll = new QTimer(QCoreApplication::instance());
    QObject::connect(poll, &QTimer::timeout, poll, [poll, act] {
      if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
        poll->stop();
        poll->deleteLater();
        act(*dialog);
      }
    });
    poll->start(5);
  }
};

TEST_F(DialogPortsTest, FiltersConvertToQtForm) {
  const auto entries = ParseFileFilter("(*.vxp)|*.vxp|(*.*)|*.*||ignored|*.x");
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0], (FileFilterEntry{"(*.vxp)", {"*.vxp"}}));
  struct Case {
    FileFilterEntry entry;
    std::string qt;
  };
  const Case cases[] = {
      {{"(*.vxp)", {"*.vxp"}}, "(*.vxp)"},
      {{"(*.*)", {"*.*"}}, "(*)"},  // every file, dotted or not
      {{"Profiles", {"*.vxp", "*.bak"}}, "Profiles (*.vxp *.bak)"},
      {{"Profiles (*.vxp;*.bak)", {"*.vxp", "*.bak"}}, "Profiles (*.vxp *.bak)"},
  };
  for (const Case& c : cases) EXPECT_EQ(QtFilterOf(c.entry), c.qt);
  EXPECT_TRUE(ParseFileFilter("no patterns").empty());
  EXPECT_TRUE(ParseFileFilter("").empty());
  EXPECT_EQ(ParseFileFilter("Two|*.a; *.b||")[0].patterns,
            (std::vector<std::string>{"*.a", "*.b"}));
}

TEST_F(DialogPortsTest, DefaultExtensionOnlyWhenTheNameHasNone) {
  struct Case {
    const char* path;
    const char* ext;
    const char* expected;
  };
  const Case cases[] = {
      {"/tmp/profile", "vxp", "/tmp/profile.vxp"},
      {"/tmp/profile.vxp", "vxp", "/tmp/profile.vxp"},
      {"/tmp/profile.bak", "vxp", "/tmp/profile.bak"},
      {"/tmp/my.dir/profile", "vxp", "/tmp/my.dir/profile.vxp"},
      {"/tmp/profile", "", "/tmp/profile"},
      {"/tmp/", "vxp", "/tmp/"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AddDefaultExtension(c.path, c.ext), std::filesystem::path(c.expected)) << c.path;
  }
}

TEST_F(DialogPortsTest, QtMessageBoxShowsTheRequestAndReturnsTheChosenButton) {
  struct Seen {
    QString text, title;
    QMessageBox::StandardButtons buttons;
    bool no_is_default = false;
    bool topmost = false;
  };
  QtMessageBox port;
  Seen seen;
  WhenShown<QMessageBox>([&](QMessageBox& box) {
    seen = {box.text(), box.windowTitle(), box.standardButtons(),
            box.defaultButton() == box.button(QMessageBox::No),
            box.windowFlags().testFlag(Qt::WindowStaysOnTopHint)};
    box.button(QMessageBox::Yes)->click();
  });
  const MessageBoxResult result =
      port.Show({"Delete it?", "Macro", MessageBoxButtons::kYesNo, MessageBoxResult::kNo, true});
  EXPECT_EQ(result, MessageBoxResult::kYes);
  EXPECT_EQ(seen.text, "Delete it?");
  EXPECT_EQ(seen.title, "Macro");
  EXPECT_EQ(seen.buttons, QMessageBox::Yes | QMessageBox::No);
  EXPECT_TRUE(seen.no_is_default);
  EXPECT_TRUE(seen.topmost);
}

TEST_F(DialogPortsTest, QtMessageBoxClosedCountsAsCancelOrNo) {
  QtMessageBox port;
  for (auto [buttons, expected] :
       {std::pair{MessageBoxButtons::kOkCancel, MessageBoxResult::kCancel},
        std::pair{MessageBoxButtons::kYesNo, MessageBoxResult::kNo},
        std::pair{MessageBoxButtons::kOk, MessageBoxResult::kOk}}) {
    WhenShown<QMessageBox>([](QMessageBox& box) { box.reject(); });
    EXPECT_EQ(port.Show({"text", "", buttons, MessageBoxResult::kNone, false}), expected);
  }
}

TEST_F(DialogPortsTest, BoxesOverADialogThatSwallowsEnterAndEscapeStillTakeThem) {
  // The main window and the editors keep Enter and Escape from closing them; a box they own is
  // not theirs to filter.
  struct KeepOpenDialog : MessageDialog {
    bool PreTranslateKey(const KeyMessage& key) override {
      return key.vk == 0x0D || key.vk == 0x1B;
    }
  } owner;
  owner.show();
  QtMessageBox port(&owner);
  for (auto [key, expected] : {std::pair{Qt::Key_Escape, MessageBoxResult::kCancel},
                               std::pair{Qt::Key_Return, MessageBoxResult::kYes}}) {
    WhenShown<QMessageBox>([key](QMessageBox& box) {
      QTest::keyClick(box.windowHandle(), key);
      if (box.isVisible()) box.button(QMessageBox::No)->click();  // the key did nothing
    });
    EXPECT_EQ(port.Show({"text", "", MessageBoxButtons::kYesNoCancel}), expected) << key;
  }
}

TEST_F(DialogPortsTest, QtMessageBoxFromAnotherThreadRunsOnTheInterfaceThread) {
  QtMessageBox port;
  bool on_ui_thread = false;
  WhenShown<QMessageBox>([&](QMessageBox& box) {
    on_ui_thread = box.thread() == QThread::currentThread() &&
                   QThread::currentThread() == QCoreApplication::instance()->thread();
    box.button(QMessageBox::Ok)->click();
  });
  MessageBoxResult result = MessageBoxResult::kNone;
  std::thread worker([&] { result = port.Show({"Too long", "", MessageBoxButtons::kOk}); });
  ASSERT_TRUE(test::SpinUntil([&] { return result != MessageBoxResult::kNone; }, 5000));
  worker.join();
  EXPECT_EQ(result, MessageBoxResult::kOk);
  EXPECT_TRUE(on_ui_thread);
}

TEST_F(DialogPortsTest, QtSaveDialogUsesFilterFolderAndAddsTheExtension) {
  QTemporaryDir folder;
  QtFileDialog port;
  QStringList filters;
  QString directory, suffix;
  bool confirms_overwrite = false;
  WhenShown<QFileDialog>([&](QFileDialog& dialog) {
    filters = dialog.nameFilters();
    directory = dialog.directory().absolutePath();
    suffix = dialog.defaultSuffix();
    confirms_overwrite = !dialog.testOption(QFileDialog::DontConfirmOverwrite);
    dialog.selectFile(QDir(folder.path()).filePath("mine"));
    QMetaObject::invokeMethod(&dialog, "accept");
  });
  FileDialogRequest request{FileDialogMode::kSave, "(*.vxp)|*.vxp|(*.*)|*.*||", "vxp",
                            folder.path().toStdString() + "/*.vxp", true};
  const auto chosen = port.Ask(request);
  ASSERT_TRUE(chosen.has_value());
  EXPECT_EQ(*chosen, std::filesystem::path(folder.path().toStdString()) / "mine.vxp");
  EXPECT_EQ(filters, (QStringList{"(*.vxp)", "(*)"}));
  EXPECT_EQ(directory, QDir(folder.path()).absolutePath());
  EXPECT_EQ(suffix, "vxp");
  EXPECT_TRUE(confirms_overwrite);

  WhenShown<QFileDialog>([](QFileDialog& dialog) { dialog.reject(); });
  EXPECT_FALSE(port.Ask(request).has_value());
}

TEST_F(DialogPortsTest, ScriptedDoublesAnswerInOrderAndRecord) {
  test::ScriptedMessageBox boxes;
  boxes.Answer(MessageBoxResult::kNo);
  const MessageBoxRequest ask{"Switch?", "", MessageBoxButtons::kYesNo, MessageBoxResult::kNo};
  const MessageBoxRequest tell{"Too many", "", MessageBoxButtons::kOkCancel};
  EXPECT_EQ(boxes.Show(ask), MessageBoxResult::kNo);
  EXPECT_EQ(boxes.Show(ask), MessageBoxResult::kNo);   // unscripted: the default button
  EXPECT_EQ(boxes.Show(tell), MessageBoxResult::kOk);  // unscripted, no default: the first
  EXPECT_EQ(boxes.Shown(), (std::vector<MessageBoxRequest>{ask, ask, tell}));

  test::ScriptedFileDialog files;
  files.Answer("/tmp/a.vxp");
  const FileDialogRequest open{FileDialogMode::kOpen, "(*.vxp)|*.vxp||", "vxp", "*.vxp", false};
  EXPECT_EQ(files.Ask(open), std::filesystem::path("/tmp/a.vxp"));
  EXPECT_EQ(files.Ask(open), std::nullopt);
  EXPECT_EQ(files.Shown().size(), 2u);
}

}  // namespace
}  // namespace talon
