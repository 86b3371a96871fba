// The command set against the virtual keyboard: chunking, offsets, statuses and the
// active-profile cache, checked on the frames the keyboard received and in its memory.
#include <gtest/gtest.h>

#include <array>
#include <numeric>
#include <vector>

#include "device/result_codes.h"
#include "keyboard_session.h"

namespace talon {
namespace {

using test::KeyboardSession;

std::vector<std::uint8_t> Pattern(std::size_t n, std::uint8_t seed) {
  std::vector<std::uint8_t> bytes(n);
  for (std::size_t i = 0; i < n; ++i) bytes[i] = static_cast<std::uint8_t>(seed + i * 7);
  return bytes;
}

std::uint16_t OffsetOf(const std::vector<std::uint8_t>& frame) {
  return static_cast<std::uint16_t>(frame[5] | (frame[6] << 8));
}

class CommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(s.start_result, StartResult::kStarted) << s.link.error();
    s.vkb.ClearLog();
  }
  KeyboardSession s;
};

TEST_F(CommandsTest, DeviceInfoOfAFactoryKeyboard) {
  DeviceInfoBlock block;
  ASSERT_EQ(s.commands.ReadDeviceInfo(block), kDone);
  EXPECT_EQ(block.firmware_version(), 0x0104);
  EXPECT_EQ(block.active_profile(), 0);
  EXPECT_EQ(block.macro_capacity(), 4096u);
  for (std::size_t i = 0; i < 20; ++i) EXPECT_EQ(block.effects()[i], i + 1);
  EXPECT_EQ(block.effects()[20], 0);
}

TEST_F(CommandsTest, BankIndexAboveThreeIsRefusedWithoutSending) {
  std::array<std::uint8_t, kKeyBankSize> bank{};
  EXPECT_EQ(s.commands.ReadKeyBank(bank, 4), kBadBank);
  EXPECT_EQ(s.commands.WriteKeyBank(bank, 0xFFFFFFFFu), kBadBank);
  EXPECT_TRUE(s.vkb.Frames().empty());
}

TEST_F(CommandsTest, KeyBankGoesInSevenChunksOf56AndOneOf28) {
  const auto source = Pattern(kKeyBankSize, 3);
  ASSERT_EQ(s.commands.WriteKeyBank(std::span<const std::uint8_t, kKeyBankSize>(source), 2), kDone);
  const auto frames = s.vkb.Frames();
  ASSERT_EQ(frames.size(), 8u);
  for (std::size_t i = 0; i < frames.size(); ++i) {
    EXPECT_EQ(frames[i][3], command::kWriteKeyBank);
    EXPECT_EQ(frames[i][4], i < 7 ? 56 : 28);
    EXPECT_EQ(OffsetOf(frames[i]), 2 * 512 + i * 56);
  }
  // The request is zeroed once per operation: the last chunk's unused payload keeps the tail
  // of the chunk before it.
  for (std::size_t b = 28; b < 56; ++b) EXPECT_EQ(frames[7][8 + b], source[336 + b]);
  EXPECT_EQ(s.vkb.ReadMemory(KBSIM_AREA_KEY_BANKS, 2 * 512, kKeyBankSize), source);

  std::array<std::uint8_t, kKeyBankSize> read_back{};
  ASSERT_EQ(s.commands.ReadKeyBank(read_back, 2), kDone);
  EXPECT_TRUE(std::equal(read_back.begin(), read_back.end(), source.begin()));
}

TEST_F(CommandsTest, MacroAreaOfZeroBytesSendsNothingAnd57SendsTwoChunks) {
  EXPECT_EQ(s.commands.WriteMacroArea({}), kDone);
  EXPECT_TRUE(s.vkb.Frames().empty());

  const auto area = Pattern(57, 11);
  ASSERT_EQ(s.commands.WriteMacroArea(area), kDone);
  const auto frames = s.vkb.Frames();
  ASSERT_EQ(frames.size(), 2u);
  EXPECT_EQ(frames[0][4], 56);
  EXPECT_EQ(OffsetOf(frames[0]), 0);
  EXPECT_EQ(frames[1][4], 1);
  EXPECT_EQ(OffsetOf(frames[1]), 56);
  EXPECT_EQ(s.vkb.ReadMemory(KBSIM_AREA_MACROS, 0, 57), area);
}

TEST_F(CommandsTest, RefusedThirdChunkStopsTheTransferAfterTwo) {
  const auto source = Pattern(kKeyBankSize, 90);
  const auto before = s.vkb.ReadMemory(KBSIM_AREA_KEY_BANKS, 512, kKeyBankSize);
  s.vkb.InjectFault(KBSIM_FAULT_STATUS_255, 2, 3);  // every try of the third chunk
  EXPECT_EQ(s.commands.WriteKeyBank(std::span<const std::uint8_t, kKeyBankSize>(source), 1),
            kKeyboardStatus255);
  EXPECT_EQ(s.vkb.Frames().size(), 5u);
  const auto after = s.vkb.ReadMemory(KBSIM_AREA_KEY_BANKS, 512, kKeyBankSize);
  EXPECT_TRUE(std::equal(after.begin(), after.begin() + 112, source.begin()));
  EXPECT_TRUE(std::equal(after.begin() + 112, after.end(), before.begin() + 112));
}

TEST_F(CommandsTest, ErrorStatusesMapToTheirCodes) {
  s.vkb.InjectFault(KBSIM_FAULT_STATUS_254, 0, 3);
  EXPECT_EQ(s.commands.BeginConfig(), kKeyboardStatus254);
  s.vkb.InjectFault(KBSIM_FAULT_STATUS_255, 0, 3);
  EXPECT_EQ(s.commands.EndConfig(), kKeyboardStatus255);
  s.vkb.Unplug();
  EXPECT_EQ(s.commands.BeginConfig(), kNoKeyboard);
}

TEST_F(CommandsTest, DeviceDataAnswerAlwaysCarries56Bytes) {
  std::array<std::uint8_t, kDeviceDataChunk> data{};
  data.fill(0xEE);
  ASSERT_EQ(s.commands.ReadDeviceData(data, 10, 0), kDone);
  const auto memory = s.vkb.ReadMemory(KBSIM_AREA_SETTINGS, 0, 56);
  EXPECT_TRUE(std::equal(data.begin(), data.end(), memory.begin()));
  EXPECT_EQ(data[0], 1);  // the factory lighting block starts with effect 1
}

TEST_F(CommandsTest, KeyColourOffsetCarriesTheSlot) {
  const std::vector<std::uint8_t> rgb{0x10, 0x20, 0x30};
  ASSERT_EQ(s.commands.WriteKeyColour(3, rgb, 100), kDone);
  const auto frames = s.vkb.Frames();
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0][4], 3);
  EXPECT_EQ(frames[0][5], (100 * 3) & 0xFF);
  EXPECT_EQ(frames[0][6], ((100 * 3) >> 8) + 3 * 2);
  EXPECT_EQ(s.vkb.ReadMemory(KBSIM_AREA_COLOURS, 3 * 512 + 300, 3), rgb);
}

TEST_F(CommandsTest, ActiveProfileIsReadOnceAndFollowsSwitches) {
  EXPECT_EQ(s.commands.GetActiveProfile(), 0);
  EXPECT_EQ(s.commands.GetActiveProfile(), 0);
  EXPECT_EQ(s.vkb.Frames().size(), 1u);

  s.commands.SetActiveProfile(2);
  EXPECT_EQ(s.vkb.ReadMemory(KBSIM_AREA_DEVICE_INFO, 10, 1), std::vector<std::uint8_t>{2});
  s.vkb.ClearLog();
  EXPECT_EQ(s.commands.GetActiveProfile(), 2);
  EXPECT_TRUE(s.vkb.Frames().empty());

  // A failed switch forgets the profile, so the next question goes to the keyboard.
  s.vkb.InjectFault(KBSIM_FAULT_STATUS_255, 1, 3);  // the write, after the read passed
  s.commands.SetActiveProfile(1);
  s.vkb.ClearLog();
  EXPECT_EQ(s.commands.GetActiveProfile(), 2);
  EXPECT_EQ(s.vkb.Commands(), std::vector<std::uint8_t>{command::kReadDeviceInfo});

  s.commands.ForgetActiveProfile();
  s.vkb.Unplug();
  EXPECT_EQ(s.commands.GetActiveProfile(), -1);
  s.commands.SetActiveProfile(-1);
}

TEST_F(CommandsTest, DefaultKeyMapComesInChunksLikeABank) {
  std::array<std::uint8_t, kKeyBankSize> map{};
  ASSERT_EQ(s.commands.ReadDefaultKeyMap(map), kDone);
  EXPECT_EQ(s.vkb.Frames().size(), 8u);
  EXPECT_EQ(std::vector<std::uint8_t>(map.begin(), map.end()),
            s.vkb.ReadMemory(KBSIM_AREA_DEFAULT_MAP, 0, kKeyBankSize));
  // Position 48 of the factory map is F5 (keyboard usage 0x3E).
  EXPECT_EQ(map[48 * 3 + 2], 0x3E);
}

}  // namespace
}  // namespace talon
