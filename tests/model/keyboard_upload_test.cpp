// Uploads to the virtual keyboard: the frames it receives, what its keys then do, and the macro
// area size rule.
#include "model/keyboard_upload.h"

#include <gtest/gtest.h>

#include <vector>

#include "device/result_codes.h"
#include "fake_texts.h"
#include "keyboard_session.h"
#include "model/macro_area.h"
#include "platform/little_endian.h"
#include "recording_port.h"

namespace talon {
namespace {

constexpr std::size_t kF5Position = 48;  // of the keyboard's default key map
constexpr KeySlot kF5 = 0x03F;

std::vector<std::uint8_t> Repeat(std::uint8_t command, std::size_t n) {
  return std::vector<std::uint8_t>(n, command);
}

std::vector<std::uint8_t> Concat(std::initializer_list<std::vector<std::uint8_t>> parts) {
  std::vector<std::uint8_t> all;
  for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

MacroRecord NamedMacro(std::uint16_t id, std::u16string name, std::size_t actions) {
  MacroRecord m;
  m.id = id;
  m.name = std::move(name);
  m.repeat_count = 1;
  for (std::size_t i = 0; i < actions; ++i) {
    m.actions.push_back({10, 0x01E, static_cast<std::uint16_t>(i % 2)});
  }
  return m;
}

class UploadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(s.start_result, StartResult::kStarted) << s.link.error();
    DeviceInfoBlock info;
    ASSERT_EQ(s.commands.ReadDeviceInfo(info), kDone);
    model.macro_capacity.Set(info.macro_capacity());
    ASSERT_EQ(s.commands.GetActiveProfile(), 0);  // cached from here on
  }

  // The keyboard's bank of a profile, straight from its memory.
  std::vector<std::uint8_t> Bank(unsigned profile) const {
    return s.vkb.ReadMemory(KBSIM_AREA_KEY_BANKS, profile * 512, kKeyBankSize);
  }

  test::KeyboardSession s;
  KeyboardModel model;
  test::RecordingPort port;
  test::FakeTexts texts;
  ModelContext context = MakeContext(model, s.commands, port, texts);
};

TEST_F(UploadTest, ApplySendsTheMacroAreaAndTheActiveBankOnly) {
  s.commands.SetActiveProfile(1);
  ASSERT_EQ(s.commands.GetActiveProfile(), 1);
  const auto bank0_before = Bank(0);
  {
    auto held = model.store.Lock();
    held->key_block.record(1, kF5) = {AssignmentKind::kMedia, 0, 7};     // Mute
    held->key_block.record(0, kF5) = {AssignmentKind::kDisabled, 0, 0};  // not sent
  }
  s.vkb.ClearLog();

  EXPECT_EQ(UploadToKeyboard(context, false), 1);

  EXPECT_EQ(s.vkb.Commands(), Concat({{command::kBeginConfig, command::kWriteMacroArea},
                                      Repeat(command::kWriteKeyBank, 8),
                                      {command::kEndConfig}}));
  const auto frames = s.vkb.Frames();
  EXPECT_EQ(frames[2][6], 2);  // bank 1 starts at offset 512
  const auto action = s.vkb.KeyActionAt(kF5Position);
  ASSERT_TRUE(action.has_value());
  EXPECT_EQ(action->kind, KBSIM_ACTION_CONSUMER);
  EXPECT_EQ(action->value, 0xE2u);
  EXPECT_EQ(Bank(0), bank0_before);
  EXPECT_TRUE(port.messages.empty());
}

TEST_F(UploadTest, ImportSendsAllFourBanks) {
  for (unsigned p = 0; p < 4; ++p) {
    model.store.Lock()->key_block.record(p, kF5) = {AssignmentKind::kFunction, 0, p + 1};
  }
  s.vkb.ClearLog();
  EXPECT_EQ(UploadToKeyboard(context, true), 1);
  EXPECT_EQ(s.vkb.Commands(), Concat({{command::kBeginConfig, command::kWriteMacroArea},
                                      Repeat(command::kWriteKeyBank, 32),
                                      {command::kEndConfig}}));
  for (unsigned p = 0; p < 4; ++p) {
    const auto bank = Bank(p);
    EXPECT_EQ(bank[3 * kF5Position], 5);
    EXPECT_EQ(bank[3 * kF5Position + 2], p + 1);
  }
}

TEST_F(UploadTest, MacroKeysPointAtTheMacrosPosition) {
  {
    auto held = model.store.Lock();
    held->macros = {NamedMacro(4, u"Four", 2), NamedMacro(9, u"Nine", 4)};
    held->key_block.record(0, kF5) = {AssignmentKind::kMacro, 3, 9};
  }
  EXPECT_EQ(UploadToKeyboard(context, false), 1);
  const auto action = s.vkb.KeyActionAt(kF5Position);
  ASSERT_TRUE(action.has_value());
  EXPECT_EQ(action->kind, KBSIM_ACTION_MACRO);
  EXPECT_EQ(action->value, 1u);
  const auto head = s.vkb.ReadMemory(KBSIM_AREA_MACROS, 0, 16);
  EXPECT_EQ(GetU16(head, 0), kMacroAreaMagic);
  EXPECT_EQ(GetU16(head, 4), 2);
}

TEST_F(UploadTest, SizeRuleAtTheEdgeOfTheCapacity) {
  const std::vector<MacroRecord> macros = {NamedMacro(1, u"Build", 10), NamedMacro(2, u"Go", 3)};
  model.store.Lock()->macros = macros;
  const MacroAreaSizes sizes = MeasureMacroArea(macros);
  struct Case {
    std::size_t capacity;
    int result;
    std::uint16_t names_flag;
    std::vector<std::string> messages;
  } const cases[] = {
      {sizes.full, 1, 1, {}},
      {sizes.full - 1, 1, 0, {"EXTRA_PROFILE_SPACE_TIGHT"}},
      {sizes.minimum, 1, 0, {"EXTRA_PROFILE_SPACE_TIGHT"}},
      {sizes.minimum - 1, 0, 0xFFFF, {"EXTRA_MACRO_TOO_LONG"}},
  };
  ASSERT_GT(sizes.minimum, 56u);  // the area goes in two chunks either way
  const auto sent = Concat({{command::kBeginConfig},
                            Repeat(command::kWriteMacroArea, 2),
                            Repeat(command::kWriteKeyBank, 8),
                            {command::kEndConfig}});
  for (const Case& c : cases) {
    s.vkb.Reset();
    s.vkb.ClearLog();
    port.messages.clear();
    model.macro_capacity.Set(c.capacity);
    EXPECT_EQ(UploadToKeyboard(context, false), c.result) << c.capacity;
    EXPECT_EQ(port.MessageKeys(), c.messages) << c.capacity;
    for (const MessageRequest& m : port.messages) EXPECT_TRUE(m.topmost);
    EXPECT_EQ(s.vkb.Commands(), c.result == 1 ? sent : std::vector<std::uint8_t>{}) << c.capacity;
    const auto head = s.vkb.ReadMemory(KBSIM_AREA_MACROS, 0, 16);
    if (c.names_flag != 0xFFFF) {
      EXPECT_EQ(GetU16(head, 0), kMacroAreaMagic) << c.capacity;
      EXPECT_EQ(GetU16(head, 6), c.names_flag) << c.capacity;
    } else {
      EXPECT_NE(GetU16(head, 0), kMacroAreaMagic) << c.capacity;  // still factory: nothing sent
    }
  }
}

TEST_F(UploadTest, NothingIsSentBeforeTheCapacityIsKnownOrWithoutAProfile) {
  model.macro_capacity.Set(0);
  s.vkb.ClearLog();
  EXPECT_EQ(UploadToKeyboard(context, false), 0);
  EXPECT_EQ(port.MessageKeys(), std::vector<std::string>{"EXTRA_MACRO_TOO_LONG"});
  EXPECT_TRUE(s.vkb.Frames().empty());

  // The keyboard still answers, but not with its active profile: nothing else may follow.
  model.macro_capacity.Set(4096);
  s.commands.ForgetActiveProfile();
  s.vkb.ClearLog();
  s.vkb.InjectFault(KBSIM_FAULT_STATUS_255, 0, 3);
  EXPECT_EQ(UploadToKeyboard(context, false), 0);
  const auto sent = s.vkb.Commands();
  ASSERT_FALSE(sent.empty());
  for (std::uint8_t c : sent) EXPECT_EQ(c, command::kReadDeviceInfo);
}

TEST_F(UploadTest, ARefusedLastBankFailsTheUpload) {
  s.vkb.ClearLog();
  // Begin, the area and seven chunks pass; every try of the bank's last chunk is answered with
  // status 255.
  s.vkb.InjectFault(KBSIM_FAULT_STATUS_255, 9, 3);
  EXPECT_EQ(UploadToKeyboard(context, false), 0);
  EXPECT_EQ(s.vkb.Commands().back(), command::kEndConfig);
}

}  // namespace
}  // namespace talon
