// The main window on the virtual keyboard: opening and the tray, marks and tooltips, the G bank,
// Flip, Apply, defaults, restore and backup, the firmware prompt, the keyboard leaving and coming
// back, the keyboard filter, the exit sequence and the seams the editors plug into.
#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "device/result_codes.h"
#include "main_window_harness.h"
#include "model/profile_file.h"
#include "shell/tray_icon.h"
#include "ui/editors/key_editor.h"
#include "ui/editors/profile_editor.h"
#include "ui/main/about_dialog.h"
#include "ui/main/busy_indicator.h"
#include "ui/main/control_ids.h"
#include "ui/main/lighting_panel.h"
#include "ui/skin/png_button.h"

namespace talon {
namespace {

using test::MainWindowHarness;

constexpr KeyId kF5 = 0x03F;
constexpr KeyId kA = 0x01E;
constexpr std::size_t kF5Position = 48;  // of the keyboard's default key map
constexpr std::uint8_t kBegin = 1, kEnd = 2, kWriteBank = 8, kWriteMacros = 10;

int IdOf(KeyId key) {
  for (std::size_t i = 0; i < kKeyButtonCount; ++i) {
    if (KeyOfButton(i) == key) return ctl::ControlIdOfButton(i);
  }
  return 0;
}

KeyRecord Media(std::uint32_t index) {
  return {AssignmentKind::kMedia, 0, index, 0, 0};
}

// A key editor that records what the window asks of it.
class FakeKeyEditor : public KeyEditorSeam {
 public:
  int OpenForKey(int control_id) override {
    opened.push_back(control_id);
    return 1;
  }
  bool IsOpen() const override { return open; }
  bool CloseAsCancelled() override {
    ++close_requests;
    if (!refuse_close) open = false;
    return !refuse_close;
  }
  void LoadTexts(int) override {}

  std::vector<int> opened;
  bool open = false;
  bool refuse_close = false;
  int close_requests = 0;
};

class MainWindowTest : public testing::Test {
 protected:
  // The window writes its per-user files where the test process's folders say.
  static std::filesystem::path TestFile(const std::string& name) {
    return std::filesystem::path(std::getenv("TALON7X_TEST_ROOT")) / name;
  }

  // A profile file whose profile 0 gives F5 the media function "Mute" (index 7).
  static std::filesystem::path ProfileWithMutedF5(const std::string& name) {
    ProfileStore store;
    store.Lock()->key_block.record(0, SlotOfKey(kF5)) = Media(7);
    const auto path = TestFile(name);
    EXPECT_EQ(WriteProfileFile(store, path), 1);
    return path;
  }
};

TEST_F(MainWindowTest, OpensWhenTheKeyboardArrivesWithTextsFromTheLanguageFile) {
  MainWindowHarness h;
  ASSERT_TRUE(h.Start());
  EXPECT_TRUE(MainWindowHarness::WaitFor([&] { return h.window().isVisible(); }));
  EXPECT_TRUE(h.boxes.Shown().empty());  // factory firmware: no update prompt
  EXPECT_EQ(h.window().windowTitle().toStdString(), h.language.Text("MAIN_CAPTION"));
  EXPECT_EQ(h.Button(ctl::kApply).text().toStdString(), h.language.Text("PROFILE_APPLY"));
  EXPECT_EQ(h.Button(ctl::kMinimize).Tooltip().toStdString(),
            h.language.Text("MAIN_MINIMIZE_PROMPT"));
  EXPECT_FALSE(h.Button(ctl::kApply).isEnabled());
  ASSERT_NE(h.window().Tray(), nullptr);
  EXPECT_EQ(h.window().Tray()->Tip().toStdString(), h.language.Text("KEYBOARD_TRAY_DESC"));
  const QMenu* menu = h.window().Tray()->Menu();
  ASSERT_EQ(menu->actions().size(), 3);
  EXPECT_EQ(menu->actions()[2]->text().toStdString(), h.language.Text("MENU_33"));

  // The about box opens once; a second request while it is open changes nothing.
  h.window().OnTrayCommand(CTrayIcon::kCommandAbout);
  CAboutDlg* about = h.window().About();
  ASSERT_TRUE(about->IsOpen());
  EXPECT_FALSE(about->Create());
  EXPECT_EQ(about->windowTitle().toStdString(), h.language.Text("LANG_ABOUT_TITLE"));
  MainWindowHarness::Spin(50);
  about->grab().toImage().save(QString::fromStdString(test::ScreenPath("about.png").string()));
  about->Close();
  EXPECT_FALSE(about->isVisible());
}

TEST_F(MainWindowTest, AQuietStartStaysInTheTray) {
  MainWindowHarness h({}, true);
  ASSERT_TRUE(h.Start());
  MainWindowHarness::Spin(100);
  EXPECT_FALSE(h.window().isVisible());
  EXPECT_EQ(h.window().TrayPicture(), kTrayKeyboardPresent);
  // Opening from the tray (or a second start) shows it.
  h.window().OnTrayCommand(CTrayIcon::kCommandOpen);
  EXPECT_TRUE(h.window().isVisible());
}

TEST_F(MainWindowTest, RestoreLoadsAFileUploadsAllBanksAndMarksItsKeys) {
  MainWindowHarness h({}, true);
  ASSERT_TRUE(h.Start());
  h.files.Answer(ProfileWithMutedF5("muted.vxp"));
  h.vkb.ClearLog();
  h.Command(ctl::kMenuRestore);

  CPngButton& f5 = h.Button(IdOf(kF5));
  EXPECT_TRUE(f5.OtherState());
  EXPECT_EQ(f5.Tooltip().toStdString(), "F5" + h.language.Text("KEY_PROMPT_SET") +
                                            h.language.Text("KEY_PROMPT_MEDIA") +
                                            KeyName(MediaList()[7].key, h.language) + ")");
  EXPECT_FALSE(h.Button(IdOf(kA)).OtherState());
  EXPECT_FALSE(h.Button(ctl::kApply).isEnabled());
  const std::vector<std::uint8_t> sent = h.vkb.Commands();
  EXPECT_EQ(std::count(sent.begin(), sent.end(), kWriteBank), 4 * 8);  // four banks of 8 chunks
  const auto action = h.vkb.KeyActionAt(kF5Position);
  ASSERT_TRUE(action.has_value());
  EXPECT_EQ(action->kind, static_cast<std::uint32_t>(KBSIM_ACTION_CONSUMER));
  EXPECT_EQ(action->value, 0xE2u);

  // The keyboard read back on 'PROF' (an arrival) keeps showing the same marks.
  {
    auto store = h.model.store.Lock();
    ReleaseContents(*store);
  }
  h.window().RefreshKeyButtons();
  ASSERT_FALSE(f5.OtherState());
  h.window().Send(CVexmoDlg::kMsgProf, CVexmoDlg::kTagProf, 0);
  EXPECT_TRUE(f5.OtherState());

  // Backup writes the store, and a failed backup says so.
  const auto copy = TestFile("backup.vxp");
  h.files.Answer(copy);
  h.Command(ctl::kMenuBackup);
  EXPECT_EQ(CheckProfileFile(copy, h.window()), kProfileUsable);
  h.files.Answer(TestFile("no-such-folder/backup.vxp"));
  h.Command(ctl::kMenuBackup);
  ASSERT_EQ(h.boxes.Shown().size(), 1u);
  EXPECT_NE(h.boxes.Shown()[0].text.find("no-such-folder"), std::string::npos);
}

// The window as the program shows it, with its lighting panel and editors, some keys assigned.
TEST_F(MainWindowTest, TheWholeWindowInKeyModeShowsItsAssignments) {
  CVexmoDlg::Parts parts;
  parts.lighting_panel = &LightingPanel::Make;
  parts.key_editor = MakeKeyEditor;
  parts.profile_editor = MakeProfileEditor;
  MainWindowHarness h(std::move(parts), true);
  ASSERT_TRUE(h.Start());
  {
    auto store = h.model.store.Lock();
    store->key_block.record(0, SlotOfKey(kF5)) = Media(7);
    store->key_block.record(0, SlotOfKey(kA)) = {AssignmentKind::kKey, 0, 0x03A, 0, 0};
    store->key_block.record(0, kGSlotBankA) = {AssignmentKind::kDisabled, 0, 0, 0, 0};
  }
  h.window().RefreshKeyButtons();
  h.window().SetApplyEnabled(true);
  h.window().show();
  ASSERT_FALSE(h.window().LightingPanel()->LightingMode());
  EXPECT_TRUE(h.Button(IdOf(kA)).OtherState());
  EXPECT_EQ(h.Button(IdOf(kA)).Tooltip().toStdString(), "A" + h.language.Text("KEY_PROMPT_SET") +
                                                            h.language.Text("KEY_PROMPT_SINGLE") +
                                                            "Caps Lock)");
  EXPECT_FALSE(h.Button(ctl::kProfiles).text().isEmpty());  // the profile's name
  h.SaveScreen("main-key-mode.png");
}

TEST_F(MainWindowTest, ARestoredFileThatFailsItsCheckChangesNothing) {
  MainWindowHarness h({}, true);
  ASSERT_TRUE(h.Start());
  const auto path = ProfileWithMutedF5("broken.vxp");
  std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
  file.seekg(31);
  const char checksum = static_cast<char>(file.get());
  file.seekp(31);
  file.put(static_cast<char>(checksum + 1));
  file.close();
  const KeyBlock before = h.model.store.Lock()->key_block;
  const auto bank_before = h.vkb.ReadMemory(KBSIM_AREA_KEY_BANKS, 0, kKeyBankSize);
  h.vkb.ClearLog();

  h.files.Answer(path);
  h.Command(ctl::kMenuRestore);
  const auto shown = h.boxes.Shown();
  ASSERT_FALSE(shown.empty());
  EXPECT_EQ(shown.back().text, h.language.Text("MAIN_PROMPT_INPORT"));
  EXPECT_EQ(h.model.store.Lock()->key_block.records, before.records);
  EXPECT_TRUE(h.vkb.Commands().empty());
  EXPECT_EQ(h.vkb.ReadMemory(KBSIM_AREA_KEY_BANKS, 0, kKeyBankSize), bank_before);
  EXPECT_FALSE(h.Button(IdOf(kF5)).OtherState());
}

TEST_F(MainWindowTest, ApplySendsOnlyWhatIsPendingAndStaysEnabledWhenItFails) {
  MainWindowHarness h({}, true);
  ASSERT_TRUE(h.Start());
  auto* busy = h.window().ControlAs<BusyIndicator>(ctl::kBusy);
  ASSERT_NE(busy, nullptr);
  h.window().show();

  // Nothing pending: the busy picture flashes, the keyboard hears nothing.
  h.vkb.ClearLog();
  h.Command(ctl::kApply);
  EXPECT_TRUE(busy->isVisible());
  EXPECT_TRUE(MainWindowHarness::WaitFor([&] { return !busy->isVisible(); }, 1000));
  EXPECT_TRUE(h.vkb.Commands().empty());

  // A change: BeginConfig, the macro area, the active profile's bank only, EndConfig.
  h.model.store.Lock()->key_block.record(0, SlotOfKey(kF5)) = Media(7);
  h.window().SetApplyEnabled(true);
  h.vkb.ClearLog();
  h.Click(ctl::kApply);
  const std::vector<std::uint8_t> sent = h.vkb.Commands();
  ASSERT_GE(sent.size(), 4u);
  EXPECT_EQ(sent.front(), kBegin);
  EXPECT_EQ(sent.back(), kEnd);
  const auto banks = std::count(sent.begin(), sent.end(), kWriteBank);
  const auto macros = std::count(sent.begin(), sent.end(), kWriteMacros);
  EXPECT_EQ(banks, 8);  // 420 bytes in 56-byte chunks
  EXPECT_GE(macros, 1);
  EXPECT_EQ(static_cast<std::size_t>(banks + macros + 2), sent.size());
  for (const auto& frame : h.vkb.Frames()) {
    if (frame[3] == kWriteBank) {
      EXPECT_LT(frame[5] | (frame[6] << 8), 512) << "only profile 0's bank";
    }
  }
  EXPECT_FALSE(h.Button(ctl::kApply).isEnabled());
  EXPECT_EQ(h.vkb.KeyActionAt(kF5Position)->value, 0xE2u);

  // The keyboard gone: the change stays pending.
  h.vkb.Unplug();
  ASSERT_TRUE(
      MainWindowHarness::WaitFor([&] { return h.window().TrayPicture() == kTrayNoKeyboard; }));
  h.model.store.Lock()->key_block.record(0, SlotOfKey(kA)) = Media(2);
  h.window().SetApplyEnabled(true);
  h.Command(ctl::kApply);
  EXPECT_TRUE(h.window().ApplyPending());
  EXPECT_TRUE(h.Button(ctl::kApply).isEnabled());
}

TEST_F(MainWindowTest, DefaultResetsOnlyTheActiveProfilesKeysAfterAYes) {
  MainWindowHarness h({}, true);
  ASSERT_TRUE(h.Start());
  {
    auto store = h.model.store.Lock();
    store->key_block.record(0, SlotOfKey(kF5)) = Media(7);
    store->key_block.record(0, kGSlotBankA + 2) = Media(3);
    store->key_block.record(1, SlotOfKey(kF5)) = Media(4);
  }
  h.window().RefreshKeyButtons();
  ASSERT_TRUE(h.Button(IdOf(kF5)).OtherState());

  h.boxes.Answer(MessageBoxResult::kNo);
  h.Click(ctl::kDefault);
  EXPECT_EQ(h.model.store.Lock()->key_block.record(0, SlotOfKey(kF5)), Media(7));
  ASSERT_EQ(h.boxes.Shown().size(), 1u);
  EXPECT_EQ(h.boxes.Shown()[0].default_button, MessageBoxResult::kNo);

  h.boxes.Answer(MessageBoxResult::kYes);
  h.vkb.ClearLog();
  h.Click(ctl::kDefault);
  {
    auto store = h.model.store.Lock();
    EXPECT_EQ(store->key_block.record(0, SlotOfKey(kF5)), KeyRecord{});
    EXPECT_EQ(store->key_block.record(0, kGSlotBankA + 2), KeyRecord{});  // extra 0, not its code
    EXPECT_EQ(store->key_block.record(1, SlotOfKey(kF5)), Media(4));
  }
  EXPECT_FALSE(h.Button(IdOf(kF5)).OtherState());
  // Applied at once: the keyboard got profile 0's bank.
  const std::vector<std::uint8_t> sent = h.vkb.Commands();
  EXPECT_EQ(std::count(sent.begin(), sent.end(), kWriteBank), 8);
}

TEST_F(MainWindowTest, TheGBankKeySwitchesTheBankShownOnTheGKeys) {
  MainWindowHarness h({}, true);
  ASSERT_TRUE(h.Start());
  {
    auto store = h.model.store.Lock();
    store->key_block.record(0, kGSlotBankA) = KeyRecord{};  // G1 of bank A: default
    store->key_block.record(0, kGSlotBankB) = Media(1);     // G1 of bank B: assigned
  }
  h.window().RefreshKeyButtons();
  CPngButton& g1 = h.Button(ctl::kG1);
  CPngButton& bank = h.Button(ctl::kLockBank);
  ASSERT_FALSE(g1.OtherState());
  const FaceSheet* bank_a_face = bank.ChooseFace().face;

  h.vkb.RaiseConsumer(0x02FF);
  ASSERT_TRUE(MainWindowHarness::WaitFor([&] { return g1.OtherState(); }));
  EXPECT_TRUE(h.model.g_bank.bank_b());
  EXPECT_NE(bank.ChooseFace().face, bank_a_face);
  EXPECT_EQ(h.vkb.ReadMemory(KBSIM_AREA_INDICATOR, 0, 2), (std::vector<std::uint8_t>{5, 0x03}));

  h.vkb.RaiseConsumer(0x02FF);
  ASSERT_TRUE(MainWindowHarness::WaitFor([&] { return !g1.OtherState(); }));
  EXPECT_FALSE(h.model.g_bank.bank_b());
  EXPECT_TRUE(MainWindowHarness::WaitFor([&] { return bank.ChooseFace().face == bank_a_face; }));
}

TEST_F(MainWindowTest, FlipSwapsF1ToF4ForTheDKeysAndIsRemembered) {
  {
    MainWindowHarness h({}, true);
    ASSERT_TRUE(h.Start());
    EXPECT_TRUE(h.Button(ctl::kF1).isEnabled());
    EXPECT_FALSE(h.Button(ctl::kD1).isEnabled());
    h.Click(ctl::kFlipLeft);
    for (int i = 0; i < 4; ++i) EXPECT_FALSE(h.Button(ctl::kF1 + i).isEnabled()) << i;
    for (int i = 0; i < 6; ++i) EXPECT_TRUE(h.Button(ctl::kD1 + i).isEnabled()) << i;
    EXPECT_TRUE(h.Button(ctl::kF5).isEnabled());
    // Pointing at a toggle shows its arrow.
    h.window().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&h.window()));
    QTest::mouseMove(&h.Button(ctl::kFlipRight));
    EXPECT_TRUE(MainWindowHarness::WaitFor(
        [&] { return h.window().ButtonById(ctl::kRightArrow)->isVisibleTo(&h.window()); }, 500));
    h.desktop.opened.clear();
    h.Click(ctl::kD1);  // no key stands behind a D key
  }
  {
    MainWindowHarness h({}, true);  // a restart
    ASSERT_TRUE(h.Start());
    EXPECT_EQ(h.window().Flip(), 1);
    EXPECT_FALSE(h.Button(ctl::kF1).isEnabled());
    EXPECT_TRUE(h.Button(ctl::kD1 + 5).isEnabled());
    h.Click(ctl::kFlipRight);
  }
  // A stored value that is neither 0 nor 1 disables both groups and is written back as 0.
  Preferences().WriteProfileString("PROFILES", "Flip", "7");
  MainWindowHarness h({}, true);
  ASSERT_TRUE(h.Start());
  EXPECT_FALSE(h.Button(ctl::kF1).isEnabled());
  EXPECT_FALSE(h.Button(ctl::kD1).isEnabled());
  h.Click(ctl::kFlipLeft);
  EXPECT_EQ(h.preferences.GetProfileString("PROFILES", "Flip", "?"), "0");
  EXPECT_TRUE(h.Button(ctl::kF1).isEnabled());
}

TEST_F(MainWindowTest, FirmwarePromptOnlyForVersionsOneTo0x0103) {
  struct Case {
    std::uint16_t version;
    MessageBoxResult answer;
    bool prompt;
    bool ends;
    bool updater;
  };
  const Case cases[] = {
      {0x0103, MessageBoxResult::kCancel, true, true, false},
      {0x0001, MessageBoxResult::kOk, true, false, true},
      {0x0104, MessageBoxResult::kOk, false, false, false},
      {0x0000, MessageBoxResult::kOk, false, false, false},
  };
  for (const Case& c : cases) {
    MainWindowHarness h;
    h.vkb.WriteMemory(
        KBSIM_AREA_DEVICE_INFO, 8,
        {static_cast<std::uint8_t>(c.version), static_cast<std::uint8_t>(c.version >> 8)});
    h.boxes.Answer(c.answer);
    ASSERT_TRUE(h.Start());
    ASSERT_TRUE(MainWindowHarness::WaitFor([&] { return h.window().isVisible(); }));
    MainWindowHarness::Spin(50);
    const auto shown = h.boxes.Shown();
    ASSERT_EQ(shown.size(), c.prompt ? 1u : 0u) << std::hex << c.version;
    if (c.prompt) {
      EXPECT_EQ(shown[0].text, "The current version is too low!");
      EXPECT_EQ(shown[0].caption, "Version update");
      EXPECT_EQ(shown[0].buttons, MessageBoxButtons::kOkCancel);
    }
    EXPECT_EQ(h.ended, c.ends ? std::vector<int>{0} : std::vector<int>{}) << std::hex << c.version;
    ASSERT_EQ(h.desktop.started.size(), c.updater ? 1u : 0u);
    if (c.updater) {
      EXPECT_EQ(h.desktop.started[0].program, h.paths.firmware_updater);
      EXPECT_EQ(h.desktop.started[0].folder, h.paths.help_folder);
    }
  }
}

TEST_F(MainWindowTest, TheKeyboardLeavingHidesTheWindowAndClosesTheOthers) {
  auto editor = std::make_shared<FakeKeyEditor*>(nullptr);
  CVexmoDlg::Parts parts;
  parts.key_editor = [editor](CVexmoDlg&) {
    auto made = std::make_unique<FakeKeyEditor>();
    *editor = made.get();
    return made;
  };
  MainWindowHarness h(std::move(parts));
  ASSERT_TRUE(h.Start());
  ASSERT_TRUE(MainWindowHarness::WaitFor([&] { return h.window().isVisible(); }));
  h.window().OnTrayCommand(CTrayIcon::kCommandAbout);
  (*editor)->open = true;

  h.vkb.Unplug();
  ASSERT_TRUE(MainWindowHarness::WaitFor(
      [&] { return h.window().TrayPicture() == kTrayNoKeyboard && !h.window().isVisible(); }));
  EXPECT_FALSE(h.window().About()->IsOpen());
  EXPECT_FALSE((*editor)->open);
  EXPECT_EQ(h.commands.GetActiveProfile(), -1);

  // Back again: the tray says so, and the window waits to be opened.
  h.vkb.Plug();
  ASSERT_TRUE(
      MainWindowHarness::WaitFor([&] { return h.window().TrayPicture() == kTrayKeyboardPresent; }));
  MainWindowHarness::Spin(50);
  EXPECT_FALSE(h.window().isVisible());
  EXPECT_EQ(h.commands.GetActiveProfile(), 0);
}

TEST_F(MainWindowTest, WithoutAKeyboardOrTrayItSaysSoAndOpensWhenOneArrives) {
  MainWindowHarness h;
  h.vkb.Unplug();
  ASSERT_TRUE(h.Start());
  // Offscreen there is no notification area: the user is told at once.
  ASSERT_TRUE(MainWindowHarness::WaitFor([&] { return !h.boxes.Shown().empty(); }));
  EXPECT_EQ(h.boxes.Shown()[0].text, h.language.Text("MAIN_NO_DEVICE_PROMPT"));
  EXPECT_FALSE(h.window().isVisible());
  h.vkb.Plug();
  EXPECT_TRUE(MainWindowHarness::WaitFor([&] { return h.window().isVisible(); }));
}

TEST_F(MainWindowTest, EnterAndEscapeNeverCloseTheWindowAndF1OpensTheHelp) {
  MainWindowHarness h;
  ASSERT_TRUE(h.Start());
  ASSERT_TRUE(MainWindowHarness::WaitFor([&] { return h.window().isVisible(); }));
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&h.window()));
  h.Key(Qt::Key_Return);
  h.Key(Qt::Key_Escape);
  MainWindowHarness::Spin(30);
  EXPECT_TRUE(h.window().isVisible());
  h.Key(Qt::Key_F1);
  ASSERT_TRUE(MainWindowHarness::WaitFor([&] { return !h.desktop.opened.empty(); }, 500));
  EXPECT_EQ(h.desktop.opened[0], (h.paths.help_folder / "index.html").string());
  // Cancel hides; it never ends the program.
  h.Click(ctl::kCancel);
  EXPECT_FALSE(h.window().isVisible());
  EXPECT_TRUE(h.ended.empty());
}

TEST_F(MainWindowTest, KeysOpenTheKeyEditorAndTheExitWaitsForIt) {
  auto editor = std::make_shared<FakeKeyEditor*>(nullptr);
  CVexmoDlg::Parts parts;
  parts.key_editor = [editor](CVexmoDlg&) {
    auto made = std::make_unique<FakeKeyEditor>();
    *editor = made.get();
    return made;
  };
  MainWindowHarness h(std::move(parts), true);
  ASSERT_TRUE(h.Start());
  FakeKeyEditor& e = **editor;
  h.Click(IdOf(kF5));
  h.Click(ctl::kG1);  // G1-G5 are remappable too
  h.Click(ctl::kG6);
  h.Click(ctl::kMacro);  // the macro button edits G9
  h.Click(ctl::kFn);     // Fn has no assignment
  EXPECT_EQ(e.opened, (std::vector<int>{IdOf(kF5), ctl::kG1, ctl::kG6, ctl::kG9}));

  e.open = true;
  e.refuse_close = true;
  h.window().OnTrayCommand(CTrayIcon::kCommandExit);
  EXPECT_TRUE(h.ended.empty());  // abandoned: an editor stays open
  EXPECT_EQ(e.close_requests, 1);
  e.refuse_close = false;
  h.Click(ctl::kClose);
  EXPECT_EQ(h.ended, std::vector<int>{0});
  EXPECT_FALSE(h.window().isVisible());
  EXPECT_FALSE(h.window().Tray()->IsShown());
}

}  // namespace
}  // namespace talon
