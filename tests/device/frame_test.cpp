// Known frames, worked out by hand from the check table: if the table, the checksum or the
// covered arguments drift, the library refuses every call, so these are pinned.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "device/check_value.h"
#include "device/config_report.h"
#include "device/keyboard_commands.h"

namespace talon {
namespace {

TEST(CheckTable, IsAPermutationWithThePublishedCorners) {
  std::set<int> seen(std::begin(kKbCheckTable), std::end(kKbCheckTable));
  EXPECT_EQ(seen.size(), 256u);
  EXPECT_EQ(kKbCheckTable[0x00], 0xFD);
  EXPECT_EQ(kKbCheckTable[0x0F], 0xA8);
  EXPECT_EQ(kKbCheckTable[0x1E], 0x00);
  EXPECT_EQ(kKbCheckTable[0xF0], 0x27);
  EXPECT_EQ(kKbCheckTable[0xFF], 0xDE);
}

TEST(ConfigReport, BeginConfigFrameAndItsCheckValue) {
  ConfigReport request(command::kBeginConfig);
  request.Seal();
  std::vector<std::uint8_t> expected(64, 0);
  expected[0] = 4;
  expected[1] = 1;  // checksum: only byte 3 is non-zero
  expected[3] = 1;
  EXPECT_EQ(std::vector<std::uint8_t>(request.bytes().begin(), request.bytes().end()), expected);
  EXPECT_EQ(CountCheckValue(kConfigChannel), 0x146Cu);
  EXPECT_EQ(WriteCheckValue(kConfigChannel, request.bytes()), 0x529Cu);
}

TEST(ConfigReport, BankChunkOffsetAndChecksum) {
  // WriteKeyBank, bank 1, the chunk at position 56 carrying bytes 0..55.
  ConfigReport request(command::kWriteKeyBank);
  std::vector<std::uint8_t> payload(56);
  for (std::size_t i = 0; i < payload.size(); ++i) payload[i] = static_cast<std::uint8_t>(i);
  request.SetLength(56);
  request.SetOffset(512 + 56);
  request.SetPayload(payload);
  request.Seal();
  const auto bytes = request.bytes();
  EXPECT_EQ(bytes[5], 0x38);  // low byte of the position
  EXPECT_EQ(bytes[6], 0x02);  // (bank * 512 + position) >> 8
  EXPECT_EQ(bytes[1], 0x7E);
  EXPECT_EQ(bytes[2], 0x06);
  EXPECT_EQ(WriteCheckValue(kConfigChannel, bytes), 0x3567u);
}

TEST(ConfigReport, ChecksumDropsCarries) {
  ConfigReport request(0xFF);
  std::vector<std::uint8_t> payload(56, 0xFF);
  request.SetLength(0xFF);
  request.SetOffset(0xFFFF);
  request.SetPayload(payload);
  request.Seal();
  // bytes 3-6 and 56 payload bytes of 0xFF: 60 * 255 = 15300 = 0x3BC4
  EXPECT_EQ(ReportChecksum(request.bytes()), 0x3BC4);
}

}  // namespace
}  // namespace talon
