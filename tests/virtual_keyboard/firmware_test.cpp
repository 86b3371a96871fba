// The firmware model: its command set, what it refuses, its factory key map, what a key
// position does, and its memory file.
#include "firmware.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <fstream>
#include <map>
#include <vector>

#include "kb_bridge_abi.h"
#include "request_frame.h"

namespace talon::vkb {
namespace {

using Bytes = std::vector<std::uint8_t>;

Report MakeRequest(std::uint8_t command, std::uint8_t length, std::uint16_t offset,
                   const Bytes& payload = {}) {
  return test::RequestFrame(command, length, offset, payload);
}

Bytes ReadArea(const Firmware& fw, std::uint32_t area, std::size_t offset, std::size_t length) {
  Bytes out(length);
  EXPECT_TRUE(fw.Read(area, offset, out));
  return out;
}

// Every area as one byte string, to see that a refused request changed nothing.
Bytes Snapshot(const Firmware& fw) {
  const std::pair<std::uint32_t, std::size_t> areas[] = {{KBSIM_AREA_DEVICE_INFO, kDeviceInfoSize},
                                                         {KBSIM_AREA_SETTINGS, kSettingsSize},
                                                         {KBSIM_AREA_KEY_BANKS, 2048},
                                                         {KBSIM_AREA_DEFAULT_MAP, kKeyBankSize},
                                                         {KBSIM_AREA_MACROS, fw.macro_capacity()},
                                                         {KBSIM_AREA_COLOURS, 2048},
                                                         {KBSIM_AREA_INDICATOR, 2}};
  Bytes all;
  for (const auto& [area, size] : areas) {
    const Bytes part = ReadArea(fw, area, 0, size);
    all.insert(all.end(), part.begin(), part.end());
  }
  return all;
}

Bytes Pattern(std::size_t n, std::uint8_t seed) {
  Bytes b(n);
  for (std::size_t i = 0; i < n; ++i) b[i] = static_cast<std::uint8_t>(seed + 7 * i);
  return b;
}

TEST(FirmwareCommands, AnswersEchoTheRequestAndCarryReadData) {
  Firmware fw;
  const Report request = MakeRequest(3, 44, 0);
  const Report answer = fw.Handle(request);
  EXPECT_TRUE(std::equal(request.begin(), request.begin() + 7, answer.begin()));
  EXPECT_EQ(answer[7], 0);
  const Bytes info(answer.begin() + 8, answer.begin() + 8 + 44);
  EXPECT_EQ(info[8], 0x04);
  EXPECT_EQ(info[9], 0x01);
  EXPECT_EQ(info[10], 0);
  EXPECT_EQ(info[11], 32);
  for (std::size_t e = 0; e < 20; ++e) EXPECT_EQ(info[12 + e], e + 1);
  for (std::size_t i = 32; i < 44; ++i) EXPECT_EQ(info[i], 0);
  EXPECT_EQ(fw.macro_capacity(), 4096u);
}

TEST(FirmwareCommands, KeyBankTravelsInChunksAtBankOffsets) {
  Firmware fw;
  const Bytes bank = Pattern(kKeyBankSize, 3);
  for (std::size_t pos = 0; pos < kKeyBankSize; pos += 56) {
    const std::size_t n = std::min<std::size_t>(56, kKeyBankSize - pos);
    const Bytes chunk(bank.begin() + pos, bank.begin() + pos + n);
    const auto offset = static_cast<std::uint16_t>(2 * 512 + pos);
    EXPECT_EQ(fw.Handle(MakeRequest(8, static_cast<std::uint8_t>(n), offset, chunk))[7], 0);
  }
  EXPECT_EQ(ReadArea(fw, KBSIM_AREA_KEY_BANKS, 1024, kKeyBankSize), bank);
  EXPECT_EQ(ReadArea(fw, KBSIM_AREA_KEY_BANKS, 512, kKeyBankSize),
            ReadArea(fw, KBSIM_AREA_DEFAULT_MAP, 0, kKeyBankSize));

  const Report last = fw.Handle(MakeRequest(7, 28, 2 * 512 + 392));
  EXPECT_EQ(last[7], 0);
  EXPECT_TRUE(std::equal(bank.begin() + 392, bank.end(), last.begin() + 8));
  EXPECT_TRUE(std::all_of(last.begin() + 8 + 28, last.end(), [](auto b) { return b == 0; }));
}

TEST(FirmwareCommands, EachAreaIsReachedByItsCommands) {
  Firmware fw;
  const Bytes data = Pattern(56, 40);
  ASSERT_EQ(fw.Handle(MakeRequest(10, 1, 56, {0xAB}))[7], 0);
  EXPECT_EQ(ReadArea(fw, KBSIM_AREA_MACROS, 55, 3), (Bytes{0, 0xAB, 0}));
  EXPECT_EQ(fw.Handle(MakeRequest(9, 2, 56))[8], 0xAB);

  ASSERT_EQ(fw.Handle(MakeRequest(6, 3, 42 + 5, {1, 2, 3}))[7], 0);
  EXPECT_EQ(ReadArea(fw, KBSIM_AREA_SETTINGS, 47, 3), (Bytes{1, 2, 3}));

  ASSERT_EQ(fw.Handle(MakeRequest(17, 54, 2 * 512 + 18 * 3, data))[7], 0);
  EXPECT_EQ(ReadArea(fw, KBSIM_AREA_COLOURS, 1024 + 54, 54),
            Bytes(data.begin(), data.begin() + 54));
  ASSERT_EQ(fw.Handle(MakeRequest(17, 3, 3 * 512 + 139 * 3, {9, 8, 7}))[7], 0);
  EXPECT_EQ(ReadArea(fw, KBSIM_AREA_COLOURS, 1536 + 417, 3), (Bytes{9, 8, 7}));

  const auto map = ReadArea(fw, KBSIM_AREA_DEFAULT_MAP, 0, kKeyBankSize);
  const Report chunk = fw.Handle(MakeRequest(15, 56, 112));
  EXPECT_TRUE(std::equal(map.begin() + 112, map.begin() + 168, chunk.begin() + 8));
}

TEST(FirmwareCommands, SettingsReadAlwaysAnswersFiftySixBytes) {
  Firmware fw;
  const Report answer = fw.Handle(MakeRequest(5, 8, 84));
  ASSERT_EQ(answer[7], 0);
  const Bytes expected_block = {1, 5, 3, 0, 255, 255, 255, 255};
  EXPECT_TRUE(std::equal(expected_block.begin(), expected_block.end(), answer.begin() + 8));
  EXPECT_TRUE(std::all_of(answer.begin() + 16, answer.end(), [](auto b) { return b == 0; }));
  ASSERT_EQ(fw.Handle(MakeRequest(6, 1, 84 + 55, {0x5A}))[7], 0);
  EXPECT_EQ(fw.Handle(MakeRequest(5, 8, 84))[8 + 55], 0x5A);
  // Near the end of the area the bytes past it read as zero.
  ASSERT_EQ(fw.Handle(MakeRequest(6, 1, 255, {0x77}))[7], 0);
  const Report tail = fw.Handle(MakeRequest(5, 1, 255));
  EXPECT_EQ(tail[7], 0);
  EXPECT_EQ(tail[8], 0x77);
}

TEST(FirmwareCommands, OnlyEndConfigAndDeviceInfoWritesCommit) {
  Firmware fw;
  fw.Handle(MakeRequest(1, 0, 0));
  fw.Handle(MakeRequest(6, 1, 0, {7}));
  EXPECT_FALSE(fw.TakeCommitted());
  fw.Handle(MakeRequest(2, 0, 0));
  EXPECT_TRUE(fw.TakeCommitted());
  EXPECT_FALSE(fw.TakeCommitted());

  Bytes info = ReadArea(fw, KBSIM_AREA_DEVICE_INFO, 0, 44);
  info[10] = 2;
  ASSERT_EQ(fw.Handle(MakeRequest(4, 44, 0, info))[7], 0);
  EXPECT_TRUE(fw.TakeCommitted());
}

TEST(FirmwareCommands, DeviceInfoWriteKeepsTheFirmwaresOwnFields) {
  Firmware fw;
  const Bytes before = ReadArea(fw, KBSIM_AREA_DEVICE_INFO, 0, 44);
  Bytes info(44, 0x11);
  info[10] = 1;
  ASSERT_EQ(fw.Handle(MakeRequest(4, 44, 0, info))[7], 0);
  const Bytes after = ReadArea(fw, KBSIM_AREA_DEVICE_INFO, 0, 44);
  EXPECT_EQ(Bytes(after.begin(), after.begin() + 8), Bytes(8, 0x11));
  EXPECT_EQ(after[10], 1);
  EXPECT_EQ(Bytes(after.begin() + 8, after.begin() + 10),
            Bytes(before.begin() + 8, before.begin() + 10));
  EXPECT_EQ(Bytes(after.begin() + 11, after.end()), Bytes(before.begin() + 11, before.end()));
}

struct RefusalCase {
  const char* what;
  Report request;
};

Report WithByte(Report r, std::size_t at, std::uint8_t value) {
  r[at] = value;
  return r;
}

TEST(FirmwareCommands, RefusedRequestsAnswer255AndChangeNothing) {
  Bytes bad_profile(44, 0);
  bad_profile[10] = 3;
  const RefusalCase cases[] = {
      {"report id 5", WithByte(MakeRequest(6, 1, 0, {9}), 0, 5)},
      {"checksum off by one",
       WithByte(MakeRequest(6, 1, 0, {9}), 1, MakeRequest(6, 1, 0, {9})[1] + 1)},
      {"payload changed after the checksum", WithByte(MakeRequest(6, 1, 0, {9}), 8, 10)},
      {"command 0", MakeRequest(0, 0, 0)},
      {"command 11", MakeRequest(11, 1, 0, {9})},
      {"command 12", MakeRequest(12, 1, 0, {9})},
      {"command 13", MakeRequest(13, 1, 0, {9})},
      {"command 14", MakeRequest(14, 1, 0, {9})},
      {"command 16", MakeRequest(16, 1, 0, {9})},
      {"command 18", MakeRequest(18, 1, 0, {9})},
      {"command 255", MakeRequest(255, 1, 0, {9})},
      {"settings write of 57 bytes", MakeRequest(6, 57, 0, Bytes(56, 9))},
      {"colour write of 200 bytes", MakeRequest(17, 200, 0, Bytes(56, 9))},
      {"settings write past the area", MakeRequest(6, 7, 250, Bytes(7, 9))},
      {"settings read past the area", MakeRequest(5, 56, 201)},
      {"key bank 4", MakeRequest(8, 3, 4 * 512, {9, 9, 9})},
      {"key bank write past 420", MakeRequest(8, 21, 400, Bytes(21, 9))},
      {"key bank read in the gap", MakeRequest(7, 4, 1 * 512 + 430)},
      {"macro write past capacity", MakeRequest(10, 11, 4096 - 10, Bytes(11, 9))},
      {"colour write past 2048", MakeRequest(17, 9, 2040, Bytes(9, 9))},
      {"default map read past 420", MakeRequest(15, 56, 392)},
      {"device info read past 44", MakeRequest(3, 5, 40)},
      {"device info write with profile 3", MakeRequest(4, 44, 0, bad_profile)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Firmware fw;
    const Bytes before = Snapshot(fw);
    const Report answer = fw.Handle(c.request);
    EXPECT_EQ(answer[7], 255);
    EXPECT_TRUE(std::equal(c.request.begin(), c.request.begin() + 7, answer.begin()));
    EXPECT_TRUE(std::all_of(answer.begin() + 8, answer.end(), [](auto b) { return b == 0; }));
    EXPECT_EQ(Snapshot(fw), before);
    EXPECT_FALSE(fw.TakeCommitted());
  }
}

TEST(FirmwareCommands, EdgesInsideTheAreasAreAccepted) {
  Firmware fw;
  EXPECT_EQ(fw.Handle(MakeRequest(8, 28, 3 * 512 + 392, Bytes(28, 1)))[7], 0);
  EXPECT_EQ(fw.Handle(MakeRequest(10, 56, 4096 - 56, Bytes(56, 1)))[7], 0);
  EXPECT_EQ(fw.Handle(MakeRequest(17, 2, 2046, {1, 2}))[7], 0);
  EXPECT_EQ(fw.Handle(MakeRequest(9, 0, 4096))[7], 0);

  Firmware small({.firmware_version = 0x0103, .capacity_units = 1});
  EXPECT_EQ(small.Handle(MakeRequest(10, 56, 72, Bytes(56, 1)))[7], 0);
  EXPECT_EQ(small.Handle(MakeRequest(10, 56, 73, Bytes(56, 1)))[7], 255);
}

// The compiled-in default content that the configurator falls back on; the keyboard must
// agree with it at these positions.
const std::map<std::size_t, std::array<std::uint8_t, 3>> kCompiledIn = {
    {0, {5, 0, 0}},     {1, {5, 0, 0}},     {2, {5, 0, 0}},     {3, {5, 0, 0}},
    {4, {5, 0, 0}},     {5, {5, 0, 0}},     {8, {2, 2, 0x29}},  {9, {2, 2, 0x35}},
    {10, {2, 2, 0x2B}}, {11, {2, 2, 0x39}}, {12, {2, 1, 0x02}}, {13, {2, 1, 0x01}},
    {16, {2, 2, 0x3A}}, {17, {2, 2, 0x1E}}, {18, {2, 2, 0x14}}, {19, {2, 2, 0x04}},
    {20, {2, 2, 0x1D}}, {21, {2, 1, 0x08}}, {24, {2, 2, 0x3B}}, {25, {2, 2, 0x1F}},
    {26, {2, 2, 0x1A}}, {27, {2, 2, 0x16}}, {28, {2, 2, 0x1B}}, {29, {2, 1, 0x04}},
    {32, {2, 2, 0x3C}}, {33, {2, 2, 0x20}}, {34, {2, 2, 0x08}}, {35, {2, 2, 0x07}},
    {36, {2, 2, 0x06}}, {37, {2, 2, 0x2C}}, {38, {2, 2, 0x46}}, {40, {2, 2, 0x3D}},
    {41, {2, 2, 0x21}}, {42, {2, 2, 0x15}}, {43, {2, 2, 0x09}}, {44, {2, 2, 0x19}},
    {45, {2, 1, 0x40}}, {46, {2, 2, 0x47}}, {48, {2, 2, 0x3E}}, {49, {2, 2, 0x22}},
    {50, {2, 2, 0x17}}, {51, {2, 2, 0x0A}}, {52, {2, 2, 0x05}}, {53, {5, 2, 2}},
    {54, {2, 2, 0x2E}}, {56, {2, 2, 0x3F}}, {57, {2, 2, 0x23}}, {58, {2, 2, 0x1C}},
    {59, {2, 2, 0x0B}}, {60, {2, 2, 0x11}}, {61, {2, 2, 0x65}}, {62, {2, 2, 0x48}},
};

// The entries of the main window's 104 key buttons and the nine G keys.
std::vector<std::array<std::uint8_t, 3>> KeyButtonEntries() {
  std::vector<std::array<std::uint8_t, 3>> keys;
  const auto key = [&](std::uint8_t u) { keys.push_back({2, 2, u}); };
  for (std::uint8_t u = 0x04; u <= 0x1D; ++u) key(u);  // A-Z
  for (std::uint8_t u = 0x1E; u <= 0x27; ++u) key(u);  // 1-9, 0
  for (std::uint8_t u = 0x28; u <= 0x38; ++u)          // Enter ... slash
    if (u != 0x32) key(u);                             // (no non-US hash key)
  for (std::uint8_t u = 0x3A; u <= 0x45; ++u) key(u);  // F1-F12
  for (std::uint8_t u :
       {0x46, 0x48, 0x49, 0x4C, 0x4A, 0x4D, 0x4B, 0x4E, 0x52, 0x51, 0x50, 0x4F, 0x47, 0x39, 0x65})
    key(u);
  for (std::uint8_t m = 1; m != 0; m = static_cast<std::uint8_t>(m << 1)) keys.push_back({2, 1, m});
  for (std::uint8_t u = 0x53; u <= 0x63; ++u) key(u);  // keypad
  for (std::uint8_t g = 1; g <= 9; ++g) keys.push_back({6, 0xA2, g});
  return keys;
}

TEST(FactoryKeyMap, KeepsTheCompiledInContentAndHoldsEveryKeyOnce) {
  Firmware fw;
  const Bytes map = ReadArea(fw, KBSIM_AREA_DEFAULT_MAP, 0, kKeyBankSize);
  const auto entry = [&](std::size_t i) {
    return std::array<std::uint8_t, 3>{map[3 * i], map[3 * i + 1], map[3 * i + 2]};
  };
  for (std::size_t i = 0; i <= 62; ++i) {
    const auto it = kCompiledIn.find(i);
    const std::array<std::uint8_t, 3> expected =
        it == kCompiledIn.end() ? std::array<std::uint8_t, 3>{0, 0, 0} : it->second;
    EXPECT_EQ(entry(i), expected) << "position " << i;
  }

  const auto keys = KeyButtonEntries();
  ASSERT_EQ(keys.size(), 104u + 9u);
  for (const auto& k : keys) {
    int count = 0;
    for (std::size_t i = 0; i < 140; ++i) count += entry(i) == k;
    EXPECT_EQ(count, 1) << int(k[0]) << "," << int(k[1]) << "," << std::hex << int(k[2]);
  }
  // Everything else is empty or one of the firmware's own entries.
  for (std::size_t i = 0; i < 140; ++i) {
    const auto e = entry(i);
    const bool known = std::find(keys.begin(), keys.end(), e) != keys.end() ||
                       e == std::array<std::uint8_t, 3>{0, 0, 0} ||
                       e == std::array<std::uint8_t, 3>{5, 0, 0} ||
                       e == std::array<std::uint8_t, 3>{5, 2, 2};
    EXPECT_TRUE(known) << "position " << i;
  }
  for (std::size_t fixed : {101, 102, 108, 115, 116})
    EXPECT_EQ(entry(fixed), (std::array<std::uint8_t, 3>{0, 0, 0}));
  for (std::size_t b = 0; b < 4; ++b)
    EXPECT_EQ(ReadArea(fw, KBSIM_AREA_KEY_BANKS, b * 512, kKeyBankSize), map);
}

TEST(KeyActions, InterpretTheActiveProfilesEntry) {
  struct Case {
    std::array<std::uint8_t, 3> entry;
    std::uint32_t kind;
    std::uint32_t value;
  };
  const Case cases[] = {
      {{0, 0, 0}, KBSIM_ACTION_NONE, 0},
      {{2, 2, 0x04}, KBSIM_ACTION_KEY, 0x04},
      {{2, 1, 0x20}, KBSIM_ACTION_MODIFIER, 0x20},
      {{3, 0xE9, 0x00}, KBSIM_ACTION_CONSUMER, 0xE9},
      {{3, 0x23, 0x02}, KBSIM_ACTION_CONSUMER, 0x223},
      {{4, 0x82, 0x00}, KBSIM_ACTION_SYSTEM, 0x82},
      {{1, 1, 0x02}, KBSIM_ACTION_MOUSE, 0x0102},
      {{1, 5, 0xFF}, KBSIM_ACTION_MOUSE, 0x05FF},
      {{1, 3, 0x01}, KBSIM_ACTION_OTHER, 0x010301},
      {{5, 1, 7}, KBSIM_ACTION_MACRO, 7},
      {{5, 2, 0}, KBSIM_ACTION_STOP_MACRO, 0},
      {{5, 5, 10}, KBSIM_ACTION_FUNCTION, 10},
      {{5, 2, 2}, KBSIM_ACTION_OTHER, 0x050202},
      {{6, 0xA2, 9}, KBSIM_ACTION_GKEY, 9},
      {{9, 1, 2}, KBSIM_ACTION_OTHER, 0x090102},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << int(c.entry[0]) << "," << int(c.entry[1]) << "," << int(c.entry[2]));
    Firmware fw;
    ASSERT_TRUE(fw.Write(KBSIM_AREA_KEY_BANKS, 3 * 77, c.entry));
    EXPECT_EQ(fw.ActionAt(77).kind, c.kind);
    EXPECT_EQ(fw.ActionAt(77).value, c.value);
  }
}

TEST(KeyActions, FollowTheActiveProfileAndTheFactoryMap) {
  Firmware fw;
  EXPECT_EQ(fw.ActionAt(19).kind, KBSIM_ACTION_KEY);  // A
  EXPECT_EQ(fw.ActionAt(19).value, 0x04u);
  EXPECT_EQ(fw.ActionAt(135).kind, KBSIM_ACTION_GKEY);
  EXPECT_EQ(fw.ActionAt(140).kind, KBSIM_ACTION_NONE);

  const Bytes mute = {3, 0xE2, 0x00};
  ASSERT_EQ(fw.Handle(MakeRequest(8, 3, 1 * 512 + 3 * 19, mute))[7], 0);
  EXPECT_EQ(fw.ActionAt(19).kind, KBSIM_ACTION_KEY);
  Bytes info = ReadArea(fw, KBSIM_AREA_DEVICE_INFO, 0, 44);
  info[10] = 1;
  ASSERT_EQ(fw.Handle(MakeRequest(4, 44, 0, info))[7], 0);
  EXPECT_EQ(fw.ActionAt(19).kind, KBSIM_ACTION_CONSUMER);
  EXPECT_EQ(fw.ActionAt(19).value, 0xE2u);
}

class FirmwareFile : public testing::Test {
 protected:
  std::filesystem::path folder_ =
      std::filesystem::path(std::getenv("TALON7X_TEST_ROOT")) / "firmware_file";
  std::filesystem::path file_ = folder_ / "nested" / "keyboard.state";

  static void Scribble(Firmware& fw) {
    fw.Write(KBSIM_AREA_SETTINGS, 10, Pattern(100, 1));
    fw.Write(KBSIM_AREA_KEY_BANKS, 600, Pattern(300, 2));
    fw.Write(KBSIM_AREA_MACROS, 4000, Pattern(96, 3));
    fw.Write(KBSIM_AREA_COLOURS, 1500, Pattern(500, 4));
    fw.Write(KBSIM_AREA_DEFAULT_MAP, 400, Pattern(20, 5));
    fw.Write(KBSIM_AREA_DEVICE_INFO, 0, Bytes{1, 2, 3, 4, 5, 6, 7, 8});
    fw.Write(KBSIM_AREA_DEVICE_INFO, 10, Bytes{2});
  }
};

TEST_F(FirmwareFile, RoundTripKeepsMemoryButNotTheIndicatorOrFirmwareFields) {
  Firmware saved;
  Scribble(saved);
  saved.SetIndicator(Bytes{5, 0x03});
  ASSERT_TRUE(saved.Save(file_));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(file_.parent_path()),
                          std::filesystem::directory_iterator()),
            1);  // no temporary file left behind

  Firmware loaded;
  ASSERT_TRUE(loaded.Load(file_));
  Firmware expected;
  Scribble(expected);
  EXPECT_EQ(Snapshot(loaded), Snapshot(expected));
  EXPECT_EQ(ReadArea(loaded, KBSIM_AREA_INDICATOR, 0, 2), (Bytes{5, 0x02}));

  Firmware older({.firmware_version = 0x0103, .capacity_units = 32});
  ASSERT_TRUE(older.Load(file_));
  EXPECT_EQ(ReadArea(older, KBSIM_AREA_DEVICE_INFO, 8, 2), (Bytes{0x03, 0x01}));
  EXPECT_EQ(ReadArea(older, KBSIM_AREA_MACROS, 4000, 96), Pattern(96, 3));
}

TEST_F(FirmwareFile, SaveWritesThroughALinkAndKeepsTheFilesPermissions) {
  namespace fs = std::filesystem;
  const fs::path real = folder_ / "kept" / "keyboard.state";
  const fs::path link = folder_ / "linked.state";
  Firmware first;
  ASSERT_TRUE(first.Save(real));
  fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write);
  fs::create_symlink(real, link);

  Firmware changed;
  Scribble(changed);
  ASSERT_TRUE(changed.Save(link));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(fs::status(real).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);
  Firmware loaded;
  ASSERT_TRUE(loaded.Load(real));
  EXPECT_EQ(Snapshot(loaded), Snapshot(changed));
}

TEST_F(FirmwareFile, ForeignShortOrDamagedFilesAreRejectedWithoutTouchingState) {
  Firmware source;
  Scribble(source);
  ASSERT_TRUE(source.Save(file_));
  std::ifstream in(file_, std::ios::binary);
  const Bytes good((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_GT(good.size(), 100u);

  const auto flipped = [&](std::size_t at) {
    Bytes b = good;
    b[at] ^= 0x01;
    return b;
  };
  const std::pair<const char*, Bytes> variants[] = {
      {"empty", {}},
      {"header only", Bytes(good.begin(), good.begin() + 36)},
      {"one byte short", Bytes(good.begin(), good.end() - 1)},
      {"one byte long",
       [&] {
         Bytes b = good;
         b.push_back(0);
         return b;
       }()},
      {"foreign magic", flipped(0)},
      {"version 2",
       [&] {
         Bytes b = good;
         b[8] = 2;
         return b;
       }()},
      {"settings size changed", flipped(16)},
      {"a settings byte damaged", flipped(36 + 44 + 3)},
      {"the hash damaged", flipped(good.size() - 1)},
  };
  const std::filesystem::path bad = folder_ / "bad.state";
  for (const auto& [what, bytes] : variants) {
    SCOPED_TRACE(what);
    std::ofstream(bad, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    Firmware target;
    target.Write(KBSIM_AREA_SETTINGS, 0, Bytes{9, 9, 9});
    const Bytes before = Snapshot(target);
    EXPECT_FALSE(target.Load(bad));
    EXPECT_EQ(Snapshot(target), before);
  }
  Firmware target;
  EXPECT_FALSE(target.Load(folder_ / "missing.state"));
}

}  // namespace
}  // namespace talon::vkb
