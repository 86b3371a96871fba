// The editors' rules that need no window: what a keystroke does while capturing or recording,
// where the key dialog opens, and the record its pages make.
#include <gtest/gtest.h>

#include "platform/keystroke.h"
#include "ui/editors/assignment.h"
#include "ui/editors/dialog_placement.h"
#include "ui/editors/keystroke_rules.h"

namespace talon {
namespace {

Keystroke Stroke(KeyId key, std::uint8_t vk, bool release = false, bool repeat = false) {
  KeystrokeContext context;
  context.release = release;
  context.repeat = repeat;
  return {vk, MakeKeystrokeFlags(key, context)};
}

TEST(KeystrokeRulesTest, CaptureTakesFirstPressesOfKeysAndTheDesktopsKeysAlways) {
  struct Case {
    const char* what;
    Keystroke stroke;
    bool keyboard_choice;
    CaptureOutcome expected;
  };
  const Case cases[] = {
      {"A pressed", Stroke(0x01E, 0x41), true, {true, 0x01E}},
      {"A released", Stroke(0x01E, 0x41, true), true, {true, 0}},
      {"A repeated", Stroke(0x01E, 0x41, false, true), true, {true, 0}},
      {"A with the mouse choice", Stroke(0x01E, 0x41), false, {true, 0}},
      {"Mute passes", Stroke(0x120, 0xAD), true, {false, 0}},
      {"an unknown code passes", {0xFF, 0}, true, {false, 0}},
      {"Print Screen released", Stroke(0x137, 0x2C, true), false, {true, 0x137}},
      {"left Win released, mouse choice", Stroke(0x15B, 0x5B, true), false, {true, 0x15B}},
      {"right Win", Stroke(0x15C, 0x5C), true, {true, 0x15C}},
      {"App", Stroke(0x15D, 0x5D, true), false, {true, 0x15D}},
      {"Enter", Stroke(0x01C, 0x0D), true, {true, 0x01C}},
  };
  for (const Case& c : cases) {
    const CaptureOutcome got = CaptureKeystroke(c.stroke.vk, c.stroke.flags, c.keyboard_choice);
    EXPECT_EQ(got.swallow, c.expected.swallow) << c.what;
    EXPECT_EQ(got.captured, c.expected.captured) << c.what;
  }
}

TEST(KeystrokeRulesTest, RecordingIgnoresRepeatsAndPressesSpecialKeysFirst) {
  KeystrokeRecorder recorder;
  struct Step {
    const char* what;
    Keystroke stroke;
    RecordOutcome expected;
  };
  const Step steps[] = {
      {"A down", Stroke(0x01E, 0x41), {true, 0x01E, false, false}},
      {"A repeat", Stroke(0x01E, 0x41, false, true), {true, 0, false, false}},
      {"A up", Stroke(0x01E, 0x41, true), {true, 0x01E, true, false}},
      {"Mute", Stroke(0x120, 0xAD), {false, 0, false, false}},
      {"Print Screen up", Stroke(0x137, 0x2C, true), {true, 0x137, true, true}},
      {"Sys Req down", Stroke(0x054, 0x2C), {true, 0x054, false, true}},
      // Win repeats are told apart by the recorder itself.
      {"Win down", Stroke(0x15B, 0x5B), {true, 0x15B, false, false}},
      {"Win down again", Stroke(0x15B, 0x5B), {true, 0, false, false}},
      {"Win up", Stroke(0x15B, 0x5B, true), {true, 0x15B, true, false}},
      {"Win down after up", Stroke(0x15B, 0x5B), {true, 0x15B, false, false}},
  };
  for (const Step& s : steps) {
    const RecordOutcome got = recorder.Take(s.stroke.vk, s.stroke.flags);
    EXPECT_EQ(got.swallow, s.expected.swallow) << s.what;
    EXPECT_EQ(got.key, s.expected.key) << s.what;
    EXPECT_EQ(got.release, s.expected.release) << s.what;
    EXPECT_EQ(got.press_first, s.expected.press_first) << s.what;
  }
}

TEST(DialogPlacementTest, BesideTheKeyWhereTheScreenHasRoom) {
  const QSize dialog(600, 440);
  struct Case {
    const char* what;
    QRect screen;
    QRect key;
    QPoint expected;
  };
  const QRect full(0, 0, 1920, 1080);
  const QRect small(0, 0, 700, 500);
  const Case cases[] = {
      {"below right", full, {100, 100, 40, 40}, {140, 140}},
      {"above right", full, {100, 900, 40, 40}, {140, 460}},
      {"below left", full, {1500, 100, 40, 40}, {900, 140}},
      {"above left", full, {1500, 900, 40, 40}, {900, 460}},
      {"a key near the left edge stays right of it", small, {50, 50, 40, 40}, {90, 90}},
      {"nothing fits", small, {610, 200, 40, 40}, {650, 240}},
      {"a second screen", QRect(1920, 0, 1920, 1080), {2020, 100, 40, 40}, {2060, 140}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PlaceBesideKey(c.key, c.screen, dialog), c.expected) << c.what;
  }
  EXPECT_EQ(CentreOnScreen(QRect(1920, 0, 1920, 1080), dialog), QPoint(1920 + 660, 320));
}

TEST(AssignmentTest, ThePagesMakeTheRecord) {
  constexpr KeySlot kA = 0x01E;
  constexpr KeySlot kG1 = kGSlotBankA;
  struct Case {
    const char* what;
    KeySlot slot;
    AssignmentPages pages;
    Assignment expected;
  };
  auto pages = [](int page) {
    AssignmentPages p;
    p.page = page;
    return p;
  };
  auto key = [&](KeyId captured) {
    AssignmentPages p = pages(2);
    p.captured = captured;
    return p;
  };
  auto mouse = [&](int entry) {
    AssignmentPages p = pages(2);
    p.mouse_choice = true;
    p.captured = 0x030;
    p.mouse_entry = entry;
    return p;
  };
  auto macro = [&](bool none, std::uint16_t id, std::uint16_t count) {
    AssignmentPages p = pages(4);
    p.no_macros = none;
    p.macro_id = id;
    p.play_count = count;
    return p;
  };
  AssignmentPages media = pages(7);
  media.media = 6;
  AssignmentPages function = pages(8);
  function.function = 10;
  const Case cases[] = {
      {"nothing captured", kA, key(0), {}},
      {"the key itself", kA, key(0x01E), {}},
      {"another key", kA, key(0x03A), {AssignmentKind::kKey, 0, 0x03A}},
      {"Roll Down", kA, mouse(4), {AssignmentKind::kKey, 0, 0x162}},
      {"left button on a G key", kG1, mouse(0), {AssignmentKind::kKey, 0x0301, 0x171}},
      {"a macro with its play count", kG1, macro(false, 3, 7), {AssignmentKind::kMacro, 7, 3}},
      {"the macro page without macros", kA, macro(true, 0, 1), {}},
      {"media", kA, media, {AssignmentKind::kMedia, 0, 6}},
      {"a function on bank B's G9",
       kGSlotBankB + 8,
       function,
       {AssignmentKind::kFunction, 0x1309, 10}},
      {"Default on a G key keeps its code", kG1, pages(0), {AssignmentKind::kDefault, 0x0301, 0}},
      {"launch keeps its type", kA, pages(3), {AssignmentKind::kLaunch, 0, 0}},
      {"disabled keeps its type", kA, pages(1), {AssignmentKind::kDisabled, 0, 0}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(BuildAssignment(c.slot, c.pages), c.expected) << c.what;
  }
}

}  // namespace
}  // namespace talon
