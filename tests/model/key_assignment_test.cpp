// What applying an assignment stores in a key record.
#include "model/key_assignment.h"

#include <gtest/gtest.h>

namespace talon {
namespace {

constexpr KeySlot kF5 = 0x03F;
constexpr KeySlot kG2 = kGSlotBankA + 1;
constexpr KeySlot kG2BankB = kGSlotBankB + 1;

TEST(KeyAssignment, RecordsAsTheDialogWritesThem) {
  const KeyRecord marked{AssignmentKind::kDisabled, 0x55, 9, 0xAABBCCDD, 0x11};
  const struct {
    const char* what;
    KeySlot slot;
    KeyAssignment assignment;
    bool have_macros;
    AssignmentKind type;
    std::uint16_t extra;
    std::uint32_t value;
  } cases[] = {
      {"key", kF5, {AssignmentKind::kKey, 0x03A}, false, AssignmentKind::kKey, 0, 0x03A},
      {"the key itself",
       kF5,
       {AssignmentKind::kKey, 0x03F},
       false,
       AssignmentKind::kDefault,
       0,
       0x03F},
      {"no key", kF5, {AssignmentKind::kKey, 0}, false, AssignmentKind::kDefault, 0, 0},
      {"media on a G key",
       kG2,
       {AssignmentKind::kMedia, 7},
       false,
       AssignmentKind::kMedia,
       0x0302,
       7},
      {"bank B G key",
       kG2BankB,
       {AssignmentKind::kDefault},
       false,
       AssignmentKind::kDefault,
       0x1302,
       0},
      {"macro", kF5, {AssignmentKind::kMacro, 4, 3}, true, AssignmentKind::kMacro, 3, 4},
      {"macro on a G key keeps its play count",
       kG2,
       {AssignmentKind::kMacro, 4, 200},
       true,
       AssignmentKind::kMacro,
       200,
       4},
      {"macro without macros",
       kG2,
       {AssignmentKind::kMacro, 4, 3},
       false,
       AssignmentKind::kDefault,
       0x0302,
       0},
      {"function", kF5, {AssignmentKind::kFunction, 10}, false, AssignmentKind::kFunction, 0, 10},
      {"stop macro", kF5, {AssignmentKind::kStopMacro}, false, AssignmentKind::kStopMacro, 0, 0},
  };
  for (const auto& c : cases) {
    const KeyRecord r = AssignedRecord(marked, c.slot, c.assignment, c.have_macros);
    EXPECT_EQ(r.type, c.type) << c.what;
    EXPECT_EQ(r.extra, c.extra) << c.what;
    EXPECT_EQ(r.value, c.value) << c.what;
    EXPECT_EQ(r.mark, marked.mark) << c.what;
    EXPECT_EQ(r.reserved, marked.reserved) << c.what;
  }
}

TEST(KeyAssignment, AssigningReleasesTheLaunchString) {
  ProfileContents contents;
  contents.key_block.record(2, kF5) = {AssignmentKind::kLaunch, 0, 0};
  contents.launch_strings.Set(RecordIndex(2, kF5), u"/usr/bin/xterm");
  contents.launch_strings.Set(RecordIndex(1, kF5), u"kept");
  AssignKey(contents, 2, kF5, {AssignmentKind::kMedia, 7});
  EXPECT_EQ(contents.key_block.record(2, kF5).type, AssignmentKind::kMedia);
  EXPECT_EQ(contents.launch_strings.Get(RecordIndex(2, kF5)), nullptr);
  EXPECT_EQ(contents.launch_strings.total_bytes(), 10u);  // "kept" and its terminator
  EXPECT_EQ(contents.key_block.record(0, kF5), KeyRecord{});

  const auto before = contents.key_block.records;
  AssignKey(contents, kProfileCount, kF5, {AssignmentKind::kMedia, 7});  // no such profile
  AssignKey(contents, 0, kSlotsPerProfile, {AssignmentKind::kMedia, 7});
  EXPECT_EQ(contents.key_block.records, before);
}

TEST(KeyAssignment, G9PlaysMacrosOnly) {
  EXPECT_TRUE(IsMacroOnlySlot(kGSlotBankA + 8));
  EXPECT_TRUE(IsMacroOnlySlot(kGSlotBankB + 8));
  EXPECT_FALSE(IsMacroOnlySlot(kGSlotBankA + 7));
  EXPECT_FALSE(IsMacroOnlySlot(kF5));
}

}  // namespace
}  // namespace talon
