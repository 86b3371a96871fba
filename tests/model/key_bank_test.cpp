#include "model/key_bank.h"

#include <gtest/gtest.h>

#include "model/default_key_map.h"
#include "model/g_bank.h"
#include "model/key_block.h"

namespace talon {

std::ostream& operator<<(std::ostream& out, const KeyBankEntry& e) {
  return out << "(" << +e.type << ", " << std::hex << +e.byte1 << ", " << +e.byte2 << ")";
}

namespace {

// In the compiled-in default map, position 48 holds F5 and position 13 left Ctrl (fixed).
constexpr std::size_t kF5Position = 48;
constexpr KeySlot kF5 = 0x03F;

MacroRecord Macro(std::uint16_t id) {
  MacroRecord m;
  m.id = id;
  return m;
}

TEST(KeyBank, EntryToKeyByEntryType) {
  struct Case {
    KeyBankEntry entry;
    KeyId key;
  } const cases[] = {
      {{1, 1, 0x01}, 0x171},    {{1, 1, 0x04}, 0x173},    {{1, 5, 0x01}, 0x161},
      {{1, 5, 0xFF}, 0x162},    {{1, 1, 0x08}, 0},        {{1, 2, 0x01}, 0},
      {{2, 2, 0x04}, 0x01E},    {{2, 2, 0x48}, 0x045},    {{2, 1, 0x20}, 0x036},
      {{2, 1, 0x06}, 0x02A},  // lowest bit of the mask
      {{2, 1, 0x00}, 0},        {{2, 7, 0x80}, 0x15C},    {{3, 0xE2, 0x00}, 0x120},
      {{3, 0x92, 0x01}, 0x121},  // 16-bit consumer usage
      {{3, 0xE8, 0x00}, 0},     {{4, 0x82, 0x00}, 0x15F}, {{6, 0xA2, 3}, 0x202},
      {{6, 0xA1, 3}, 0},        {{5, 1, 0}, 0},           {{0, 0, 0}, 0},
      {{9, 2, 4}, 0},           {{6, 0xA2, 9}, 0x208},    {{6, 0xA2, 0}, 0},
      {{6, 0xA2, 10}, 0},  // G1-G9 only
  };
  for (const Case& c : cases) EXPECT_EQ(EntryToKey(c.entry), c.key) << c.entry;
}

TEST(KeyBank, EncodesEachAssignmentKindAtTheKeysPosition) {
  const MacroRecord macros[] = {Macro(3), Macro(7)};
  struct Case {
    KeyRecord record;
    KeyBankEntry entry;
  } const cases[] = {
      {{AssignmentKind::kDefault, 0, 0}, {2, 2, 0x3E}},
      {{AssignmentKind::kDisabled, 0, 0}, {0, 0, 0}},
      {{AssignmentKind::kKey, 0, 0x036}, {2, 1, 0x20}},  // right Shift as a mask, not 0xE5
      {{AssignmentKind::kKey, 0, 0x15B}, {2, 1, 0x08}},
      {{AssignmentKind::kKey, 0, 0x136}, {2, 2, 0xE5}},
      {{AssignmentKind::kKey, 0, 0x01E}, {2, 2, 0x04}},
      {{AssignmentKind::kKey, 0, 0x172}, {1, 1, 0x02}},
      {{AssignmentKind::kKey, 0, 0x161}, {1, 5, 0x01}},
      {{AssignmentKind::kKey, 0, 0x162}, {1, 5, 0xFF}},
      {{AssignmentKind::kKey, 0, 0x15E}, {2, 2, 0x00}},  // not a keyboard-page key
      {{AssignmentKind::kLaunch, 0, 0x40}, {2, 2, 0x3E}},
      {{AssignmentKind::kText, 0, 0x40}, {0, 0, 0}},
      {{AssignmentKind::kMacro, 1, 0}, {5, 1, 0}},
      {{AssignmentKind::kMacro, 1, 7}, {5, 1, 1}},
      {{AssignmentKind::kMacro, 1, 9}, {5, 1, 0}},  // no macro has the id
      {{AssignmentKind::kMacro, 1, 0x10007}, {5, 1, 1}},
      {{AssignmentKind::kStopMacro, 0, 0}, {5, 2, 0}},
      {{AssignmentKind::kMedia, 0, 6}, {3, 0xE9, 0x00}},
      {{AssignmentKind::kMedia, 0, 16}, {3, 0x92, 0x01}},
      {{AssignmentKind::kMedia, 0, 18}, {2, 2, 0x3E}},  // past the list: keeps its default
      {{AssignmentKind::kFunction, 0, 3}, {5, 5, 3}},
      {{AssignmentKind::kFunction, 0, 0x1FF}, {5, 5, 0xFF}},
      {{static_cast<AssignmentKind>(9), 0, 1}, {2, 2, 0x3E}},
  };
  const KeyBank defaults = DefaultKeyMap::CompiledIn();
  for (const Case& c : cases) {
    KeyBlock block = FreshKeyBlock();
    block.record(0, kF5) = c.record;
    block.record(1, kF5) = {AssignmentKind::kDisabled, 0, 0};  // another profile
    const KeyBank bank = EncodeKeyBank(block.profile(0), macros, defaults);
    EXPECT_EQ(EntryAt(bank, kF5Position), c.entry)
        << static_cast<int>(c.record.type) << " " << c.record.value;
    for (std::size_t i = 0; i < kKeyBankEntries; ++i) {
      if (i != kF5Position) {
        ASSERT_EQ(EntryAt(bank, i), EntryAt(defaults, i)) << i;
      }
    }
  }
}

TEST(KeyBank, FixedPositionsAndUnmappedPositionsKeepTheDefault) {
  KeyBlock block = FreshKeyBlock();
  for (KeyRecord& r : block.profile(0)) r = {AssignmentKind::kDisabled, 0, 0};
  const KeyBank defaults = DefaultKeyMap::CompiledIn();
  const KeyBank bank = EncodeKeyBank(block.profile(0), {}, defaults);
  EXPECT_EQ(EntryAt(bank, 13), (KeyBankEntry{2, 1, 0x01}));  // left Ctrl sits on a fixed position
  EXPECT_EQ(EntryAt(bank, 0), (KeyBankEntry{5, 0, 0}));      // maps to no key
  EXPECT_EQ(EntryAt(bank, 53), (KeyBankEntry{5, 2, 2}));
  EXPECT_EQ(EntryAt(bank, 12), (KeyBankEntry{0, 0, 0}));
  EXPECT_EQ(EntryAt(bank, kF5Position), (KeyBankEntry{0, 0, 0}));
}

TEST(KeyBank, GKeysAreEncodedFromBankAAndAKeyAtEveryPositionItHas) {
  KeyBank defaults{};
  SetEntry(defaults, 70, {6, 0xA2, 2});
  SetEntry(defaults, 80, {2, 2, 0x3E});
  SetEntry(defaults, 90, {2, 2, 0x3E});
  KeyBlock block = FreshKeyBlock();
  block.record(0, 257) = {AssignmentKind::kMedia, 0x0302, 7};     // G2 of bank A
  block.record(0, 266) = {AssignmentKind::kDisabled, 0x1302, 0};  // G2 of bank B: never sent
  block.record(0, kF5) = {AssignmentKind::kFunction, 0, 2};
  const KeyBank bank = EncodeKeyBank(block.profile(0), {}, defaults);
  EXPECT_EQ(EntryAt(bank, 70), (KeyBankEntry{3, 0xE2, 0}));
  EXPECT_EQ(EntryAt(bank, 80), (KeyBankEntry{5, 5, 2}));
  EXPECT_EQ(EntryAt(bank, 90), (KeyBankEntry{5, 5, 2}));
}

TEST(KeyBank, DecodesEntriesThatDifferFromTheDefault) {
  struct Case {
    KeyBankEntry entry;
    AssignmentKind type;
    std::uint32_t value;
  } const cases[] = {
      {{2, 2, 0x3E}, AssignmentKind::kDefault, 0},  // equal to the default
      {{0, 0, 0}, AssignmentKind::kDisabled, 0},
      {{2, 1, 0x20}, AssignmentKind::kKey, 0x036},
      {{2, 1, 0x06}, AssignmentKind::kKey, 0x02A},
      {{2, 1, 0x00}, AssignmentKind::kKey, 0},
      {{2, 2, 0x04}, AssignmentKind::kKey, 0x01E},
      {{2, 2, 0xF0}, AssignmentKind::kDisabled, 0},  // usage no key has
      {{2, 3, 0x04}, AssignmentKind::kDisabled, 0},
      {{1, 1, 0x02}, AssignmentKind::kKey, 0x172},
      {{1, 5, 0xFF}, AssignmentKind::kKey, 0x162},
      {{1, 1, 0x08}, AssignmentKind::kDisabled, 0},
      {{3, 0xE9, 0x00}, AssignmentKind::kMedia, 6},
      {{3, 0x83, 0x01}, AssignmentKind::kMedia, 0},
      {{3, 0x01, 0x00}, AssignmentKind::kDisabled, 0},
      {{5, 1, 4}, AssignmentKind::kMacro, 5},  // macro ids read back are positions + 1
      {{5, 2, 0}, AssignmentKind::kStopMacro, 0},
      {{5, 5, 12}, AssignmentKind::kFunction, 12},
      {{5, 9, 0}, AssignmentKind::kDisabled, 0},
      {{4, 0x81, 0}, AssignmentKind::kDisabled, 0},
      {{6, 0xA2, 1}, AssignmentKind::kDisabled, 0},
      {{9, 9, 9}, AssignmentKind::kDisabled, 0},
  };
  const KeyBank defaults = DefaultKeyMap::CompiledIn();
  for (const Case& c : cases) {
    KeyBank bank = defaults;
    SetEntry(bank, kF5Position, c.entry);
    SetEntry(bank, 13, {0, 0, 0});  // fixed: not looked at
    KeyBlock block = FreshKeyBlock();
    block.record(0, 0x1E) = {AssignmentKind::kLaunch, 0, 4};
    DecodeKeyBank(bank, block.profile(0), defaults);
    EXPECT_EQ(block.record(0, kF5).type, c.type) << c.entry;
    EXPECT_EQ(block.record(0, kF5).value, c.value) << c.entry;
    EXPECT_EQ(block.record(0, 0x1D).type, AssignmentKind::kDefault);
    EXPECT_EQ(block.record(0, 0x1E), KeyRecord{});  // reset first
    EXPECT_EQ(block.record(0, 273).extra, 0x1309);
  }
}

TEST(KeyBank, WhatTheEncoderSendsDecodesToTheSameAssignment) {
  const MacroRecord macros[] = {Macro(1), Macro(2), Macro(3)};
  const KeyRecord records[] = {
      {AssignmentKind::kDisabled, 0, 0}, {AssignmentKind::kKey, 0, 0x036},
      {AssignmentKind::kKey, 0, 0x138},  {AssignmentKind::kKey, 0, 0x014},
      {AssignmentKind::kKey, 0, 0x173},  {AssignmentKind::kKey, 0, 0x161},
      {AssignmentKind::kMacro, 0, 3},    {AssignmentKind::kStopMacro, 0, 0},
      {AssignmentKind::kMedia, 0, 17},   {AssignmentKind::kFunction, 0, 10},
  };
  const KeyBank defaults = DefaultKeyMap::CompiledIn();
  for (const KeyRecord& record : records) {
    KeyBlock block = FreshKeyBlock();
    block.record(2, kF5) = record;
    const KeyBank bank = EncodeKeyBank(block.profile(2), macros, defaults);
    KeyBlock back = FreshKeyBlock();
    DecodeKeyBank(bank, back.profile(2), defaults);
    EXPECT_EQ(back.record(2, kF5), record) << static_cast<int>(record.type) << " " << record.value;
  }
}

TEST(KeyBank, ResetAndFreshBlocksCarryGKeyCodes) {
  KeyBlock block;
  for (KeyRecord& r : block.records) r = {AssignmentKind::kKey, 5, 6, 7, 8};
  ResetProfileRecords(block.profile(3));
  EXPECT_EQ(block.record(3, 0), KeyRecord{});
  EXPECT_EQ(block.record(3, 256).extra, 0x0301);
  EXPECT_EQ(block.record(3, 264).extra, 0x0309);
  EXPECT_EQ(block.record(3, 265).extra, 0x1301);
  EXPECT_EQ(block.record(3, 274), KeyRecord{});
  EXPECT_EQ(block.record(2, 0).mark, 7u);  // other profiles untouched

  const KeyBlock fresh = FreshKeyBlock();
  EXPECT_EQ(fresh.record(0, 265).extra, 0x1301);
  EXPECT_EQ(fresh.record(1, 256), KeyRecord{});
  EXPECT_EQ(fresh.header.macro_count, 0);
  EXPECT_TRUE(ProfileHeaderIsValid(fresh.header));
}

TEST(KeyBank, GBankFlipsByteOneBitZero) {
  GBank bank;
  EXPECT_EQ(bank.word(), 0x0205);
  EXPECT_FALSE(bank.bank_b());
  EXPECT_EQ(bank.SlotOfGButton(1), 256);
  EXPECT_EQ(bank.Flip(), 0x0305);
  EXPECT_TRUE(bank.bank_b());
  EXPECT_EQ(bank.SlotOfGButton(9), 273);
  EXPECT_EQ(bank.StatusBytes(), (std::array<std::uint8_t, 2>{0x05, 0x03}));
  EXPECT_EQ(bank.Flip(), 0x0205);
}

TEST(KeyBank, DefaultKeyMapIsReplacedWhole) {
  DefaultKeyMap map;
  EXPECT_EQ(EntryAt(map.Copy(), kF5Position), (KeyBankEntry{2, 2, 0x3E}));
  KeyBank read{};
  SetEntry(read, 3, {2, 2, 0x04});
  map.Replace(read);
  EXPECT_EQ(map.Copy(), read);
}

}  // namespace
}  // namespace talon
