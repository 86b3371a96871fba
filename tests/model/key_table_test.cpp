#include "model/key_table.h"

#include <gtest/gtest.h>

#include <set>

#include "fake_texts.h"

namespace talon {
namespace {

TEST(KeyTable, SlotsAndKeysFollowTheFormulas) {
  struct Case {
    KeyId key;
    KeySlot slot;
  } const cases[] = {
      {0x01E, 0x01E}, {0x147, 199}, {0x11D, 0x09D},
      {0x136, 0x0B6}, {0x201, 257},  // G2: no table row, bank A record in the key block
      {0x200, 256},   {0x208, 264},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SlotOfKey(c.key), c.slot) << std::hex << c.key;
    if (c.slot < kKeyTableRows) {
      EXPECT_EQ(KeyOfSlot(c.slot), c.key) << std::hex << c.key;
    }
  }
}

TEST(KeyTable, RowsCarryTheirDataAndEmptyRowsNothing) {
  EXPECT_EQ(RowOfKey(0x047).vk, 0x67);
  EXPECT_EQ(RowOfKey(0x047).vk2, 0x24);
  EXPECT_EQ(RowOfKey(0x147).vk2, 0x24);
  EXPECT_EQ(KeyEnglishName(0x029), "`");
  EXPECT_EQ(KeyEnglishName(0x148), "↑");
  EXPECT_EQ(KeyNameKey(0x120), "MEDIA_MUTE_8");
  EXPECT_EQ(KeyNameKey(0x064), "");
  EXPECT_EQ(RowOfKey(0x055).key, 0);
  EXPECT_EQ(ListCodeOfKey(0x055), kNoListCode);
  EXPECT_EQ(ListCodeOfKey(0x201), kNoListCode);
  EXPECT_EQ(UsageOfKey(0x201), (UsageRef{0, 0}));
}

TEST(KeyTable, KeyNameFallsBackToTheUnknownKeyFormat) {
  test::FakeTexts texts{{"IDS_KEYBOARD_A", "A"},
                        {"IDS_KEYBOARD_UP", "Up ↑"},
                        {"IDS_KEYBOARD_B", ""},
                        {"UNKNOWN_KEY", "Key %04X"}};
  struct Case {
    KeyId key;
    std::size_t capacity;
    const char* name;
  } const cases[] = {
      {0x01E, kKeyNameCapacity, "A"},
      {0x064, kKeyNameCapacity, "Key 0064"},  // F13 has no name key
      {0x030, kKeyNameCapacity, "Key 0030"},  // empty text
      {0x02E, kKeyNameCapacity, "Key 002E"},  // name key missing from the file
      {0x201, kKeyNameCapacity, "Key 0201"},  // G keys have no row
      {0x064, 4, "Key"},                      // cut to capacity - 1 characters
      {0x148, 4, "Up "},
      {0x148, 5, "Up ↑"},  // counted in characters, never cut inside one
  };
  for (const Case& c : cases) EXPECT_EQ(KeyName(c.key, texts, c.capacity), c.name);
}

TEST(KeyTable, KeyNameSurvivesAHostileUnknownKeyFormat) {
  test::FakeTexts texts{{"UNKNOWN_KEY", "%s%n%s (%d)"}};
  EXPECT_EQ(KeyName(0x064, texts), "%s%n%s (%d) 100");  // shown, never handed to printf
}

TEST(KeyTable, ListCodesResolveToTheFirstRow) {
  test::FakeTexts texts{{"IDS_KEYBOARD_RSHIFT", "Right Shift"}, {"IDS_KEYBOARD_A", "A"}};
  EXPECT_EQ(KeyOfListCode(96), 0);
  EXPECT_EQ(ListName(96, texts), "");
  EXPECT_EQ(KeyOfListCode(103), 0x036);
  EXPECT_EQ(ListCodeOfKey(0x136), 103);
  EXPECT_EQ(ListName(103, texts), "Right Shift");
  EXPECT_EQ(ListName(0, texts), "A");
  EXPECT_EQ(KeyOfListCode(106), 0);
  EXPECT_EQ(KeyOfListCode(kNoListCode), 0);

  // Every code but 96 has a row, whose list code is that code.
  for (std::uint16_t code = 0; code < kKeyListSize; ++code) {
    if (code == 96) continue;
    const KeyId key = KeyOfListCode(code);
    ASSERT_NE(key, 0) << code;
    EXPECT_EQ(ListCodeOfKey(key), code);
  }
  const KeyId some[][2] = {{36, 0x01C}, {37, 0x001},  {51, 0x035}, {64, 0x137}, {65, 0x045},
                           {66, 0x146}, {79, 0x145},  {84, 0x11C}, {95, 0x053}, {97, 0x15D},
                           {98, 0x01D}, {104, 0x138}, {105, 0x15C}};
  for (const auto& pair : some) EXPECT_EQ(KeyOfListCode(pair[0]), pair[1]) << pair[0];
}

TEST(KeyTable, UsageOfKeyByDeviceUsageRange) {
  struct Case {
    KeyId key;
    UsageRef usage;
  } const cases[] = {
      {0x01E, {7, 0x04}}, {0x16D, {7, 0xC2}},  // media rows are keyboard-page indices
      {0x15E, {1, 0x81}}, {0x163, {1, 0x83}}, {0x171, {2, 0xF1}},
      {0x162, {2, 0xF5}}, {0x054, {0, 0}},    {0x070, {7, 0x88}},
  };
  for (const Case& c : cases) EXPECT_EQ(UsageOfKey(c.key), c.usage) << std::hex << c.key;
}

TEST(KeyTable, KeyOfUsageTakesTheFirstMatchingRow) {
  struct Case {
    UsageRef usage;
    KeyId key;
  } const cases[] = {
      {{12, 0x0E9}, 0x130},                  // V+
      {{12, 0x0E2}, 0x120},                  // Mute
      {{12, 0x0E8}, 0},     {{2, 0xF1}, 0},  // mouse codes are decoded by the key map
      {{7, 0x48}, 0x045},                    // Pause, not Break
      {{7, 0xE5}, 0x036},   {{7, 0x04}, 0x01E}, {{7, 0x104}, 0x01E}, {{1, 0x82}, 0x15F},
      {{1, 0x84}, 0},       {{7, 0}, 0},        {{3, 0x04}, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(KeyOfUsage(c.usage), c.key) << c.usage.page << "/" << std::hex << c.usage.usage;
  }
}

TEST(KeyTable, VirtualKeyTableInvertsTheVkColumn) {
  struct Case {
    std::uint8_t vk;
    KeySlot slot;
  } const cases[] = {
      {0x41, 0x1E},
      {0x10, 0x2A},
      {0x11, 0x1D},
      {0x12, 0x38},
      {0x2C, 0xB7},  // Print Screen, not
                     // Sys Req
      {0xE2, 0x56},  // an empty row
      {0x24, 0xC7},  // Home before keypad 7's second code
      {0x0D, 0x1C},
      {0x21, 0xC9},
      {0x67, 0x47},
      {0xA1, 0x36},
      {0x90, 0xC5},
      {0x01, 0},
      {0x02, 0},
      {0x04, 0},
      {0x0C, 0},
      {0x88, 0},
      {0x9F, 0},
      {0xFF, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(SlotOfVirtualKey(c.vk), c.slot) << std::hex << +c.vk;
}

TEST(KeyTable, KeystrokesPreferAScanCodeThatAgrees) {
  struct Case {
    std::uint8_t vk;
    std::uint32_t scan;  // bits 16-24 of the flags
    KeyId key;
  } const cases[] = {
      {0x2C, 0x137, 0x137},  // Print Screen
      {0x41, 0x000, 0x01E},  // no scan code: the table
      {0x41, 0x030, 0x01E},  // scan code of another key: the table
      {0xA1, 0x036, 0x036}, {0xA1, 0x136, 0x136}, {0xFF, 0x070, 0x070},
      {0x24, 0x047, 0x047},  // keypad 7 with Num Lock off
      {0x24, 0x147, 0x147}, {0x0D, 0x11C, 0x11C}, {0x0D, 0x01C, 0x01C},
      {0x2D, 0x052, 0x052}, {0x5B, 0x15B, 0x15B}, {0x01, 0x000, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(KeyOfKeystroke(c.vk, c.scan << 16), c.key) << std::hex << +c.vk << " " << c.scan;
  }
}

TEST(KeyTable, KeyButtonsCoverTheKeyListButBreakAndTheEmptyCode) {
  std::set<std::uint16_t> codes;
  for (std::size_t i = 0; i < kKeyButtonCount; ++i) codes.insert(ListCodeOfKey(KeyOfButton(i)));
  EXPECT_EQ(codes.size(), kKeyButtonCount);
  EXPECT_FALSE(codes.contains(66));
  EXPECT_FALSE(codes.contains(96));
  EXPECT_FALSE(codes.contains(kNoListCode));
  EXPECT_EQ(KeyOfButton(0), 0x01E);
  EXPECT_EQ(KeyOfButton(103), 0x04E);
  EXPECT_EQ(KeyOfButton(104), 0);
  for (unsigned n = 1; n <= kGKeyCount; ++n) EXPECT_EQ(SlotOfKey(KeyOfGButton(n)), 255 + n);
  EXPECT_EQ(KeyOfGButton(0), 0);
  EXPECT_EQ(KeyOfGButton(10), 0);
}

TEST(KeyTable, MediaListAgreesWithTheRowsConsumerUsages) {
  for (const MediaEntry& entry : MediaList()) {
    EXPECT_EQ(ConsumerUsageOf(RowOfKey(entry.key).device_usage), entry.consumer_usage)
        << std::hex << entry.key;
    EXPECT_TRUE(IsCaptureExcluded(entry.key));
  }
  EXPECT_EQ(MediaList()[7].key, 0x120);
  EXPECT_EQ(MediaIndexOfUsage(0x0E2), 7);
  EXPECT_EQ(MediaIndexOfUsage(0x0E8), -1);
  EXPECT_EQ(ConsumerUsageOf(RowOfKey(0x174).device_usage), 0);  // Zoom- points at nothing
  EXPECT_FALSE(IsCaptureExcluded(0x01E));
  EXPECT_FALSE(IsCaptureExcluded(0x15E));
}

}  // namespace
}  // namespace talon
