#include "device/transaction_slot.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace talon {
namespace {

TEST(TransactionSlot, AnswerIsCutToCapacityAndOnlyTheFirstIsTaken) {
  TransactionSlot slot;
  std::array<std::uint8_t, 8> buffer{};
  slot.Arm(buffer);
  std::vector<std::uint8_t> answer(64, 0xAB);
  EXPECT_TRUE(slot.Complete(answer));
  EXPECT_TRUE(slot.WaitForAnswer(std::chrono::milliseconds(0)));
  EXPECT_EQ(slot.received(), 8);
  std::vector<std::uint8_t> second(64, 0xCD);
  EXPECT_FALSE(slot.Complete(second));
  EXPECT_EQ(buffer[0], 0xAB);
  slot.Disarm();
}

TEST(TransactionSlot, AnswerWhileIdleIsDroppedAndTouchesNothing) {
  TransactionSlot slot;
  std::array<std::uint8_t, 64> buffer{};
  slot.Arm(buffer);
  slot.Disarm();  // the wait timed out
  std::vector<std::uint8_t> late(64, 0x77);
  EXPECT_FALSE(slot.Complete(late));
  EXPECT_EQ(buffer[0], 0);
  slot.Arm(buffer);
  EXPECT_FALSE(slot.WaitForAnswer(std::chrono::milliseconds(0)));  // the next try starts clean
  slot.Disarm();
}

TEST(TransactionSlot, ShortAnswerLeavesTheRestZero) {
  TransactionSlot slot;
  std::array<std::uint8_t, 64> buffer{};
  buffer.fill(0x55);
  slot.Arm(buffer);
  std::vector<std::uint8_t> answer{4, 0, 0, 3};
  ASSERT_TRUE(slot.Complete(answer));
  EXPECT_EQ(slot.received(), 4);
  EXPECT_EQ(buffer[3], 3);
  EXPECT_EQ(buffer[7], 0);
  EXPECT_EQ(buffer[63], 0);
  slot.Disarm();
}

}  // namespace
}  // namespace talon
