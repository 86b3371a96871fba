#include "model/macro_list.h"

#include <gtest/gtest.h>

#include "fake_texts.h"
#include "recording_port.h"

namespace talon {
namespace {

MacroRecord Macro(std::uint16_t id, std::uint16_t new_flag = 0) {
  MacroRecord m;
  m.id = id;
  m.new_flag = new_flag;
  m.name = u"m" + std::u16string(1, static_cast<char16_t>(u'0' + id % 10));
  return m;
}

TEST(MacroList, IndexOfTheFirstMacroWithTheId) {
  const MacroRecord macros[] = {Macro(3), Macro(7), Macro(7)};
  EXPECT_EQ(MacroIndexOf(macros, 7), 1);
  EXPECT_EQ(MacroIndexOf(macros, 3), 0);
  EXPECT_EQ(MacroIndexOf(macros, 9), 0);
  EXPECT_EQ(MacroIndexOf({}, 1), 0);

  ProfileStore store;
  store.Lock()->macros = {Macro(5), Macro(2)};
  EXPECT_EQ(MacroIndexOf(store, 2), 1);
}

TEST(MacroList, CreateTakesTheSmallestFreeId) {
  test::RecordingPort port;
  std::vector<MacroRecord> list = {Macro(1), Macro(2), Macro(4)};
  const auto at = CreateMacro(list, u"New", port);
  ASSERT_EQ(at, 3u);
  EXPECT_EQ(list[3].id, 3);
  EXPECT_EQ(list[3].name, u"New");
  EXPECT_EQ(list[3].repeat_count, 1);
  EXPECT_EQ(list[3].new_flag, 1);
  EXPECT_TRUE(list[3].actions.empty());
  EXPECT_TRUE(port.messages.empty());
}

TEST(MacroList, CreateRefusesTheHundredAndFirst) {
  test::RecordingPort port;
  std::vector<MacroRecord> list;
  for (std::uint16_t id = 1; id <= 100; ++id) list.push_back(Macro(id));
  EXPECT_FALSE(CreateMacro(list, u"One too many", port).has_value());
  EXPECT_EQ(list.size(), 100u);
  ASSERT_EQ(port.messages.size(), 1u);
  EXPECT_EQ(port.messages[0].text_key, "MACRO_ERR_MAX");
  EXPECT_EQ(port.messages[0].arguments, (std::vector<TextArgument>{std::int64_t{100}}));
  const test::FakeTexts texts{{"MACRO_ERR_MAX", "At most %d macros."}};
  EXPECT_EQ(MessageText(port.messages[0], texts), "At most 100 macros.");
}

TEST(MacroList, CommitFixesUpTheKeysOfEveryProfile) {
  ProfileStore store;
  {
    auto held = store.Lock();
    held->macros = {Macro(1), Macro(3), Macro(5)};
    held->key_block.record(0, 0x1E) = {AssignmentKind::kMacro, 2, 3};  // macro 3 was deleted...
    held->key_block.record(1, 0x30) = {AssignmentKind::kMacro, 1, 5};  // still there
    held->key_block.record(2, 0x2E) = {AssignmentKind::kMacro, 1, 0};  // the first macro
    held->key_block.record(3, 257) = {AssignmentKind::kMacro, 4, 9};   // never existed
    held->key_block.record(3, 0x20) = {AssignmentKind::kMedia, 0, 3};  // not a macro key
  }
  // ...and a new macro took its id; the list is reordered.
  std::vector<MacroRecord> edited = {Macro(5), Macro(3, 1), Macro(1)};
  test::RecordingPort port;
  CommitMacroList(store, edited, port);

  auto held = store.Lock();
  EXPECT_EQ(held->key_block.record(0, 0x1E).type, AssignmentKind::kDefault);
  EXPECT_EQ(held->key_block.record(1, 0x30), (KeyRecord{AssignmentKind::kMacro, 1, 5}));
  EXPECT_EQ(held->key_block.record(2, 0x2E), (KeyRecord{AssignmentKind::kMacro, 1, 5}));
  EXPECT_EQ(held->key_block.record(3, 257).type, AssignmentKind::kDefault);
  EXPECT_EQ(held->key_block.record(3, 0x20).type, AssignmentKind::kMedia);
  EXPECT_EQ(port.redrawn, (std::vector<std::pair<KeySlot, int>>{{0x1E, 0}, {257, 3}}));
  EXPECT_EQ(port.apply, (std::vector<bool>{true, true, true}));
  ASSERT_EQ(held->macros.size(), 3u);
  EXPECT_EQ(held->macros[0].id, 5);
  EXPECT_EQ(held->macros[1].id, 3);
  EXPECT_EQ(held->macros[1].new_flag, 0);
}

TEST(MacroList, CommittingAnEmptyListLeavesIdZeroAlone) {
  ProfileStore store;
  {
    auto held = store.Lock();
    held->macros = {Macro(1)};
    held->key_block.record(0, 0x1E) = {AssignmentKind::kMacro, 1, 0};
    held->key_block.record(0, 0x30) = {AssignmentKind::kMacro, 1, 1};
  }
  test::RecordingPort port;
  CommitMacroList(store, {}, port);
  auto held = store.Lock();
  EXPECT_EQ(held->key_block.record(0, 0x1E).type, AssignmentKind::kMacro);
  EXPECT_EQ(held->key_block.record(0, 0x30).type, AssignmentKind::kDefault);
  EXPECT_TRUE(held->macros.empty());
}

}  // namespace
}  // namespace talon
