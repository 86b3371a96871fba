// The lighting panel in the real main window on the virtual keyboard: what each control writes,
// the refresh after the keyboard's own lighting keys, lighting mode and the profile question,
// painting keys with the user colour effect, restoring defaults, and the preview's cost.
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include "device/keyboard_commands.h"
#include "main_window_harness.h"
#include "platform/ini_file.h"
#include "run_tool.h"
#include "ui/main/control_ids.h"
#include "ui/main/lighting_image.h"
#include "ui/main/lighting_panel.h"
#include "ui/skin/bitmap_slider.h"
#include "ui/skin/color_popup.h"
#include "ui/skin/color_static.h"
#include "ui/skin/png_button.h"
#include "ui/skin/skin_color_btn.h"

namespace talon {
namespace {

using Bytes = std::vector<std::uint8_t>;
using test::MainWindowHarness;
using namespace lighting_id;
using namespace command;

constexpr KeyId kA = 0x01E, kS = 0x01F;
constexpr int kLedA = 61, kLedS = 62;
constexpr std::uint16_t kLightingKey = 0x0401;  // the keyboard changed its lighting itself

int IdOf(KeyId key) {
  for (std::size_t i = 0; i < kKeyButtonCount; ++i) {
    if (KeyOfButton(i) == key) return ctl::ControlIdOfButton(i);
  }
  return 0;
}

// A frame the keyboard received: command, offset (the two bytes as sent) and payload.
struct Frame {
  std::uint8_t command;
  std::uint16_t offset;
  Bytes payload;
  friend bool operator==(const Frame&, const Frame&) = default;
  friend std::ostream& operator<<(std::ostream& out, const Frame& f) {
    out << "{cmd " << int(f.command) << " at " << f.offset << ":";
    for (auto b : f.payload) out << ' ' << int(b);
    return out << '}';
  }
};
Frame Begin() {
  return {kBeginConfig, 0, {}};
}
Frame End() {
  return {kEndConfig, 0, {}};
}
Frame Write(std::uint16_t offset, Bytes bytes) {
  return {kWriteDeviceData, offset, std::move(bytes)};
}

// Settles unapplied key changes as the profile manager does: the question, then apply on Yes.
class FakeProfileEditor : public ProfileEditorSeam {
 public:
  explicit FakeProfileEditor(CVexmoDlg& window) : window_(window) {}
  void OpenManager() override {}
  bool IsOpen() const override { return false; }
  bool CloseAsCancelled() override { return true; }
  void BuildProfileMenu(bool) override {}
  QMenu* ProfileMenu() override { return nullptr; }
  int SwitchProfile(int index) override {
    switched.push_back(index);
    lighting_mode_when_asked = window_.LightingPanel()->LightingMode();
    if (refuse) return 0;
    if (window_.ApplyPending()) {
      const MessageRequest question{"PROFILE_SELECT_PROMPT", {}, MessageButtons::kYesNo};
      if (window_.ShowMessage(question) == MessageAnswer::kYes) window_.RunApply();
    }
    return 1;
  }

  std::vector<int> switched;
  bool lighting_mode_when_asked = false;
  bool refuse = false;

 private:
  CVexmoDlg& window_;
};

class LightingPanelTest : public testing::Test {
 protected:
  void SetUp() override {
    // Each test starts without the per-user files a previous one left.
    std::filesystem::remove_all(SkinPathsFromEnvironment().user_folder);
    StartWindow();
  }

  void StartWindow() {
    CVexmoDlg::Parts parts;
    parts.lighting_panel = &LightingPanel::Make;
    parts.profile_editor = [this](CVexmoDlg& window) {
      auto editor = std::make_unique<FakeProfileEditor>(window);
      profiles = editor.get();
      return editor;
    };
    h.reset();
    h = std::make_unique<MainWindowHarness>(std::move(parts));
    ASSERT_TRUE(h->Start());
    panel = dynamic_cast<LightingPanel*>(h->window().LightingPanel());
    ASSERT_NE(panel, nullptr);
    // Arrived, read and opened (the opening reads the keyboard's information once more).
    ASSERT_TRUE(MainWindowHarness::WaitFor(
        [&] { return c().effect_combo->count() == 20 && h->window().isVisible(); }));
  }

  const LightingControls& c() const { return panel->controls(); }
  // Shown by the panel, whether or not the window is open yet.
  bool Shown(const QWidget* control) const { return control->isVisibleTo(&h->window()); }
  std::filesystem::path ColourFile() const { return h->paths.UserColourFile(0); }
  Bytes Block() const { return h->vkb.ReadMemory(KBSIM_AREA_SETTINGS, 0, 42); }

  std::vector<Frame> Frames() const {
    std::vector<Frame> frames;
    for (const auto& f : h->vkb.Frames()) {
      const bool carries = f[3] == kWriteDeviceData || f[3] == kWriteKeyColour;
      frames.push_back({f[3], static_cast<std::uint16_t>(f[5] | (f[6] << 8)),
                        carries ? Bytes(f.begin() + 8, f.begin() + 8 + f[4]) : Bytes{}});
    }
    return frames;
  }
  std::size_t Count(std::uint8_t command) const {
    const auto sent = h->vkb.Commands();
    return static_cast<std::size_t>(std::count(sent.begin(), sent.end(), command));
  }

  void TurnLightingOn() {
    h->Command(kLightingToggle);
    ASSERT_TRUE(panel->LightingMode());
  }
  // As the user picks an entry of the effect list.
  void ChooseEffect(int effect) {
    const auto& map = panel->effect_combo_map();
    const int position = static_cast<int>(std::find(map.begin(), map.end(), effect) - map.begin());
    ASSERT_LT(position, static_cast<int>(map.size()));
    c().effect_combo->setCurrentIndex(position);
    emit c().effect_combo->activated(position);
  }
  // As the user picks swatch `index` of a colour button's pop-up; returns the colour.
  static Colour PickColour(CSkinColorBtn& button, int index) {
    button.OnShowColorPopup();
    button.Popup()->Swatch(index)->click();
    return button.GetColor();
  }
  // A press and release at `x` on a slider, as a drag that ends there.
  static void Drag(CBitmapSlider& slider, int x) {
    const QPoint at(x, slider.height() / 2);
    QTest::mousePress(&slider, Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseRelease(&slider, Qt::LeftButton, Qt::NoModifier, at);
    MainWindowHarness::Spin(30);  // the slider posts its positions
  }
  QPoint SkinPosition(const char* key) const {
    const ButtonInfo info = h->window().SkinFile().GetButtonInfo(key);
    return {info.x, info.y};
  }

  FakeProfileEditor* profiles = nullptr;
  std::unique_ptr<MainWindowHarness> h;
  LightingPanel* panel = nullptr;
};

TEST_F(LightingPanelTest, WithLightingModeOffOnlyTheSwitchShowsAndKeysOpenTheEditor) {
  EXPECT_FALSE(panel->LightingMode());
  EXPECT_TRUE(Shown(c().lighting_toggle));
  EXPECT_TRUE(Shown(c().lighting_label));
  const QWidget* hidden[] = {c().effect_combo, c().brightness_slider,
                             c().colour,       c().report_rate[0],
                             c().rgb[0],       c().user_mode_combo};
  for (const QWidget* w : hidden) {
    EXPECT_FALSE(Shown(w));
  }
  EXPECT_EQ(c().lighting_label->text().toStdString(), h->language.LightText("Deng"));
  EXPECT_EQ(c().effect_combo->itemText(6).toStdString(), h->language.ModeText(7));
  h->vkb.ClearLog();
  h->Click(IdOf(kA));
  EXPECT_TRUE(h->vkb.Frames().empty());
}

TEST_F(LightingPanelTest, ChoosingAnEffectWritesTheRuleAndPlacesItsDirectionGroup) {
  TurnLightingOn();
  h->vkb.ClearLog();
  ChooseEffect(12);
  EXPECT_EQ(Frames(), (std::vector<Frame>{Begin(), Write(0, {12}), End()}));
  EXPECT_EQ(c().direction_label->pos(), SkinPosition("CONTROL_BLFXStatic3"));
  EXPECT_EQ(c().direction_left->pos(), SkinPosition("CONTROL_BLFXLStaPic3"));
  EXPECT_EQ(c().direction_right->pos(), SkinPosition("CONTROL_BLFXRStaPic3"));
  EXPECT_TRUE(Shown(c().direction_left));
  EXPECT_TRUE(Shown(c().speed_slider));
  EXPECT_FALSE(Shown(c().colour));
  // Direction 0 of effect 12: "up" unselected, "down" selected.
  const auto skins = SkinPaths::SkinFolderOf(h->paths.main_skin);
  EXPECT_EQ(c().direction_left->Picture(),
            QImage(QString::fromStdString((skins / "upup.bmp").string()))
                .convertToFormat(c().direction_left->Picture().format()));

  h->vkb.ClearLog();
  ChooseEffect(1);  // writes the colourful flag as the toggle shows it (on)
  EXPECT_EQ(Frames(), (std::vector<Frame>{Begin(), Write(0, {1}), Write(4, {1}), End()}));
  EXPECT_EQ(c().direction_label->pos(), SkinPosition("CONTROL_BLFXStatic2"));
  h->vkb.ClearLog();
  h->Command(kDirectionLeftImage);
  EXPECT_EQ(Frames(), (std::vector<Frame>{Begin(), Write(3, {255}), End()}));

  h->vkb.ClearLog();
  ChooseEffect(19);  // known, but nothing to write or show
  EXPECT_TRUE(h->vkb.Frames().empty());
  EXPECT_TRUE(Shown(c().effect_combo));
  EXPECT_FALSE(Shown(c().brightness_slider));
}

TEST_F(LightingPanelTest, SlidersWriteOnlyWhatChanges) {
  TurnLightingOn();
  ASSERT_EQ(c().brightness_slider->GetPos(), 5);
  h->vkb.ClearLog();
  Drag(*c().brightness_slider, c().brightness_slider->width() - 1);
  EXPECT_TRUE(h->vkb.Frames().empty());

  // Speed 3 shows as position 2; a drag to position 1 writes speed 4 once, press and release.
  ASSERT_EQ(c().speed_slider->GetPos(), 2);
  Drag(*c().speed_slider, 30);
  EXPECT_EQ(c().speed_slider->GetPos(), 1);
  EXPECT_EQ(Frames(), (std::vector<Frame>{Begin(), Write(2, {4}), End()}));
  EXPECT_EQ(Block()[2], 4);
}

TEST_F(LightingPanelTest, RgbFieldsHoldAByteAndWriteNothing) {
  TurnLightingOn();
  h->vkb.ClearLog();
  QTest::keyClicks(c().rgb[1], "300");
  EXPECT_EQ(c().rgb[1]->text(), "255");
  c().rgb[2]->clear();
  EXPECT_EQ(c().rgb[2]->text(), "0");
  QTest::keyClicks(c().rgb[2], "42");
  EXPECT_EQ(c().rgb[2]->text(), "42");
  EXPECT_TRUE(h->vkb.Frames().empty());
}

TEST_F(LightingPanelTest, AColourTurnsColourfulOffAndAnotherProcessReadsItBack) {
  TurnLightingOn();
  ChooseEffect(5);
  h->vkb.ClearLog();
  const Colour colour = PickColour(*c().colour, 3);
  const auto rgb = RgbBytes(colour);
  EXPECT_EQ(Frames(), (std::vector<Frame>{Begin(), Write(4, {0}),
                                          Write(5, Bytes(rgb.begin(), rgb.end())), End()}));
  const Bytes block = Block();
  EXPECT_EQ(Bytes(block.begin() + 4, block.begin() + 8), (Bytes{0, rgb[0], rgb[1], rgb[2]}));
  EXPECT_EQ(c().colourful->Picture(), c().reactive_colourful->Picture());
  EXPECT_EQ(c().reactive_colour->GetColor(), colour);
  h->Command(kColourful);
  EXPECT_EQ(Block()[4], 1);
  h->Command(kReactiveColourful);
  EXPECT_EQ(Block()[4], 0);
  h->Command(ReportRateId(2));
  EXPECT_TRUE(c().report_rate[2]->OtherState());
  EXPECT_FALSE(c().report_rate[0]->OtherState());

  char expected[64];
  std::snprintf(expected, sizeof expected, "colourful: off\ncolour: #%02x%02x%02x\nreport rate: 2",
                rgb[0], rgb[1], rgb[2]);
  const test::ToolRun run = test::RunTool(test::CtlPath(), {"lighting", "0"});
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_NE(run.out.find("effect: 5 "), std::string::npos) << run.out;
  EXPECT_NE(run.out.find(expected), std::string::npos) << run.out;
}

TEST_F(LightingPanelTest, TheKeyboardsOwnLightingKeyRefreshesThePanelOnce) {
  TurnLightingOn();
  ASSERT_TRUE(h->vkb.WriteMemory(KBSIM_AREA_SETTINGS, 0, {17, 2}));
  ASSERT_TRUE(h->vkb.WriteMemory(KBSIM_AREA_SETTINGS, 17, {3}));
  h->vkb.ClearLog();
  h->vkb.RaiseConsumer(kLightingKey);
  ASSERT_TRUE(MainWindowHarness::WaitFor([&] { return c().effect_combo->currentIndex() == 16; }));
  MainWindowHarness::Spin(200);
  EXPECT_EQ(Count(kReadDeviceInfo), 1u);
  EXPECT_EQ(Count(kReadDeviceData), 3u);
  EXPECT_EQ(c().brightness_slider->GetPos(), 2);
  EXPECT_TRUE(Shown(c().effect17[3]));
  EXPECT_FALSE(Shown(c().speed_slider));

  h->Command(kEffect17Red + 1);
  EXPECT_EQ(Block()[17], 1);
  h->window().show();
  h->SaveScreen("main-lighting-effect17.png");
}

TEST_F(LightingPanelTest, LightingModeSettlesUnappliedKeyChangesFirst) {
  const std::filesystem::path settings = h->paths.user_settings_file;
  h->window().SetApplyEnabled(true);
  profiles->refuse = true;
  h->Command(kLightingToggle);
  EXPECT_FALSE(panel->LightingMode());
  EXPECT_FALSE(Shown(c().effect_combo));
  EXPECT_EQ(ReadIniInt(settings, "KEYCOLOR", "DengCheck", 0), 0);

  profiles->refuse = false;
  h->boxes.Answer(MessageBoxResult::kYes);
  h->Command(kLightingToggle);
  ASSERT_EQ(h->boxes.Shown().size(), 1u);
  EXPECT_EQ(h->boxes.Shown()[0].text, h->language.Text("PROFILE_SELECT_PROMPT"));
  EXPECT_FALSE(profiles->lighting_mode_when_asked);
  EXPECT_EQ(profiles->switched, (std::vector<int>{0, 0}));  // the keyboard's active profile
  EXPECT_FALSE(h->window().ApplyPending());
  EXPECT_TRUE(panel->LightingMode());
  EXPECT_TRUE(Shown(c().effect_combo));
  EXPECT_EQ(ReadIniInt(settings, "KEYCOLOR", "DengCheck", 0), 1);

  // Lighting mode survives a restart; turning it off clears every tint.
  StartWindow();
  EXPECT_TRUE(panel->LightingMode());
  panel->PreviewStep();
  EXPECT_TRUE(h->Button(IdOf(kA)).IsOutlined());
  h->Command(kLightingToggle);
  EXPECT_FALSE(panel->LightingMode());
  EXPECT_FALSE(h->Button(IdOf(kA)).IsOutlined());
  EXPECT_EQ(ReadIniInt(settings, "KEYCOLOR", "DengCheck", 1), 0);
}

TEST_F(LightingPanelTest, PaintingWithTheUserColourEffectSendsOneKeyAndKeepsItInTheFile) {
  TurnLightingOn();
  ChooseEffect(20);
  CPngButton& a = h->Button(IdOf(kA));
  CPngButton& s = h->Button(IdOf(kS));
  EXPECT_TRUE(a.IsOutlined());
  EXPECT_EQ(a.OutlineColour(), panel->lighting().key_colours().Get(0, kLedA));

  const Colour paint = PickColour(*c().user_paint, 5);
  h->vkb.ClearLog();
  h->Click(IdOf(kA));
  const auto rgb = RgbBytes(paint);
  const Bytes sent(rgb.begin(), rgb.end());
  EXPECT_EQ(Frames(),
            (std::vector<Frame>{Begin(), Frame{kWriteKeyColour, kLedA * 3, sent}, End()}));
  EXPECT_EQ(h->vkb.ReadMemory(KBSIM_AREA_COLOURS, kLedA * 3, 3), sent);
  EXPECT_EQ(a.OutlineColour(), paint);
  char entry[32];
  std::snprintf(entry, sizeof entry, "%d,%d,%d,0", rgb[0], rgb[1], rgb[2]);
  EXPECT_EQ(ReadIniString(ColourFile(), "Mode0", std::to_string(kLedA), ""), entry);

  // Fn has a light of its own (111); G1 too (74).
  h->vkb.ClearLog();
  h->Click(ctl::kFn);
  h->Click(ctl::kG1);
  EXPECT_EQ(Frames(), (std::vector<Frame>{Begin(), Frame{kWriteKeyColour, kFnLed * 3, sent}, End(),
                                          Begin(), Frame{kWriteKeyColour, 74 * 3, sent}, End()}));

  // Painted with the base tool, S follows the base colour; A, painted with its own, does not.
  h->Command(kUserTool1);
  h->Click(IdOf(kS));
  EXPECT_TRUE(panel->user_modes().base_flag(0, kLedS));
  const Colour base = PickColour(*c().user_base, 9);
  EXPECT_EQ(s.OutlineColour(), base);
  EXPECT_EQ(a.OutlineColour(), paint);
  h->window().show();
  h->SaveScreen("main-lighting-user-colours.png");

  StartWindow();  // the keyboard comes back factory-fresh; the file still has the colours
  EXPECT_EQ(panel->lighting().key_colours().Get(0, kLedA), paint);
  EXPECT_EQ(h->vkb.ReadMemory(KBSIM_AREA_COLOURS, kLedA * 3, 3), sent);
}

TEST_F(LightingPanelTest, RenamingAModeWritesAtEveryKeystroke) {
  TurnLightingOn();
  ChooseEffect(20);
  QComboBox* modes = c().user_mode_combo;
  ASSERT_EQ(modes->count(), 4);
  ASSERT_EQ(modes->currentText(), "Aurora");
  modes->lineEdit()->setCursorPosition(1);
  QTest::keyClicks(modes->lineEdit(), "xy");
  EXPECT_EQ(modes->itemText(0), "Axyurora");
  EXPECT_EQ(modes->count(), 4);
  EXPECT_EQ(ReadIniString(ColourFile(), "MODENAME", "0", ""), "Axyurora");

  // Choosing another mode writes its number into the block and sends its colours.
  h->vkb.ClearLog();
  modes->setCurrentIndex(2);
  emit modes->activated(2);
  EXPECT_EQ(Block()[23], 2);
  EXPECT_EQ(Count(kWriteKeyColour), 8u);
  EXPECT_EQ(ReadIniString(ColourFile(), "PRESENTMODE", "mode", ""), "2");
}

TEST_F(LightingPanelTest, RestoringDefaultsResetsTheLightingAndTheColourModes) {
  TurnLightingOn();
  ChooseEffect(12);
  Drag(*c().brightness_slider, 30);
  ChooseEffect(20);
  QTest::keyClicks(c().user_mode_combo->lineEdit(), "!");
  ASSERT_EQ(ReadIniString(ColourFile(), "MODENAME", "0", ""), "Aurora!");

  h->boxes.Answer(MessageBoxResult::kYes);
  h->Command(ctl::kDefault);
  Bytes expected{1, 5, 3, 0, 255, 255, 255, 255};
  expected.resize(35, 0);
  const Bytes block = Block();
  EXPECT_EQ(Bytes(block.begin(), block.begin() + 35), expected);
  EXPECT_EQ(c().effect_combo->currentText().toStdString(), h->language.ModeText(1));
  EXPECT_EQ(c().brightness_slider->GetPos(), 5);
  EXPECT_EQ(c().speed_slider->GetPos(), 2);
  EXPECT_TRUE(c().report_rate[0]->OtherState());
  EXPECT_EQ(ReadIniString(ColourFile(), "MODENAME", "0", ""), "Aurora");
  EXPECT_EQ(c().user_mode_combo->itemText(0), "Aurora");
}

// Counts the paints of the key buttons.
class PaintCounter : public QObject {
 public:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
  int paints = 0;
};

TEST_F(LightingPanelTest, ThePreviewRepaintsOnlyChangedKeysAndOnlyWhileShown) {
  TurnLightingOn();
  h->window().show();
  ASSERT_TRUE(h->window().IsTimerRunning(CVexmoDlg::kTimerPreview));
  PaintCounter counter;
  for (std::size_t i = 0; i < kKeyButtonCount; ++i) {
    h->window().Keys().KeyButton(i).installEventFilter(&counter);
  }
  for (int still : {6, 7, 17}) {
    ChooseEffect(still);
    // The first steps draw the effect: wait until three steps pass without a paint (a slow,
    // instrumented build may take longer than a step for the first drawing).
    for (int waited = 0; waited < 3000; waited += 150) {
      counter.paints = 0;
      MainWindowHarness::Spin(150);
      if (counter.paints == 0) break;
    }
    counter.paints = 0;
    MainWindowHarness::Spin(300);  // several more steps
    EXPECT_EQ(counter.paints, 0) << "effect " << still;
  }
  ChooseEffect(1);
  MainWindowHarness::Spin(300);
  EXPECT_GT(counter.paints, 0);
  h->SaveScreen("main-lighting-effect1.png");

  h->window().showMinimized();
  EXPECT_FALSE(h->window().IsTimerRunning(CVexmoDlg::kTimerPreview));
  h->window().hide();
  EXPECT_FALSE(h->window().IsTimerRunning(CVexmoDlg::kTimerPreview));
}

}  // namespace
}  // namespace talon
