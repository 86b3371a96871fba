// Capturing the virtual keyboard into profile files, reloading the store from it, and the round
// trip keyboard -> file -> store -> fresh keyboard.
#include "model/keyboard_capture.h"

#include <gtest/gtest.h>

#include "device/result_codes.h"
#include "fake_texts.h"
#include "keyboard_session.h"
#include "model/keyboard_upload.h"
#include "model/macro_area.h"
#include "platform/little_endian.h"
#include "profile_files.h"
#include "recording_port.h"

namespace talon {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

struct RawAction {
  std::uint8_t kind, byte2, byte3;
};

// Actions that mean the same after a trip through the program: keys, modifiers, mouse buttons,
// wheel steps and system controls.
constexpr RawAction kActionKinds[] = {{2, 2, 0x04}, {2, 1, 0x02}, {1, 1, 0x01}, {1, 5, 0xFF},
                                      {4, 0x81, 0}, {2, 2, 0x28}, {2, 1, 0x80}, {1, 1, 0x04},
                                      {2, 2, 0x3E}, {1, 5, 0x01}, {2, 2, 0x65}, {4, 0x83, 0}};

struct RawMacro {
  std::u16string name;
  std::uint8_t repeat;
  std::size_t actions;
};

// A macro area written out by hand (not by the program's encoder), names included.
Bytes RawMacroArea(const std::vector<RawMacro>& macros) {
  Bytes area(16 + 2 * macros.size(), 0);
  PutU16(area, 0, 0x55AA);
  PutU16(area, 4, static_cast<std::uint16_t>(macros.size()));
  PutU16(area, 6, 1);
  for (std::size_t m = 0; m < macros.size(); ++m) {
    PutU16(area, 16 + 2 * m, static_cast<std::uint16_t>(area.size()));
    const RawMacro& macro = macros[m];
    area.push_back(static_cast<std::uint8_t>(macro.actions));
    area.push_back(static_cast<std::uint8_t>(macro.actions >> 8));
    area.push_back(macro.repeat);
    area.push_back(static_cast<std::uint8_t>(macro.name.size()));
    for (std::size_t a = 0; a < macro.actions; ++a) {
      const RawAction& kind = kActionKinds[(a + m) % std::size(kActionKinds)];
      const unsigned pause = (a * 37 + m) % 4001;  // units of 10 ms
      const unsigned word = pause | (kind.kind << 12) | (a % 2 == 0 ? 0x8000u : 0u);
      area.push_back(static_cast<std::uint8_t>(word));
      area.push_back(static_cast<std::uint8_t>(word >> 8));
      area.push_back(kind.byte2);
      area.push_back(kind.byte3);
    }
    for (char16_t c : macro.name) {
      area.push_back(static_cast<std::uint8_t>(c));
      area.push_back(static_cast<std::uint8_t>(c >> 8));
    }
  }
  PutU16(area, 2, static_cast<std::uint16_t>(area.size()));
  return area;
}

class CaptureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(s.start_result, StartResult::kStarted) << s.link.error();
    KeyBank map{};
    ASSERT_EQ(s.commands.ReadDefaultKeyMap(map), kDone);
    model.default_key_map.Replace(map);
    DeviceInfoBlock info;
    ASSERT_EQ(s.commands.ReadDeviceInfo(info), kDone);
    model.macro_capacity.Set(info.macro_capacity());
  }

  // The position of a key in the keyboard's default key map.
  std::size_t PositionOf(KeyId key) const {
    const KeyBank map = model.default_key_map.Copy();
    for (std::size_t i = 0; i < kKeyBankEntries; ++i) {
      if (EntryToKey(EntryAt(map, i)) == key) return i;
    }
    ADD_FAILURE() << "no position for key " << key;
    return 0;
  }

  Bytes KeyboardBank(unsigned p) const {
    return s.vkb.ReadMemory(KBSIM_AREA_KEY_BANKS, p * 512, kKeyBankSize);
  }

  test::KeyboardSession s;
  KeyboardModel model;
  test::RecordingPort port;
  test::FakeTexts texts{{"MACRO_NEW_PREFIX", "Macro "}};
  ModelContext context = MakeContext(model, s.commands, port, texts);
  fs::path folder = test::CaseFolder();
};

TEST_F(CaptureTest, AKeyboardWithoutMacrosGivesAKeyBlockOnly) {
  const fs::path path = folder / "factory.vxp";
  ASSERT_EQ(CaptureKeyboardToFile(s.commands, model.default_key_map, texts, path), 1);
  EXPECT_EQ(fs::file_size(path), kKeyBlockSize);
  EXPECT_EQ(CheckProfileFile(path, port), 1);
  const Bytes file = test::FileBytes(path);
  EXPECT_EQ(GetU16(file, 14), 0);  // macro count
  // A factory keyboard holds its defaults: every record Default, G codes in every profile.
  ProfileStore store;
  ASSERT_EQ(ReadProfileFile(store, path), 1);
  const auto held = store.Lock();
  for (const KeyRecord& r : held->key_block.records) EXPECT_EQ(r.type, AssignmentKind::kDefault);
  EXPECT_EQ(held->key_block.record(3, 273).extra, 0x1309);
}

TEST_F(CaptureTest, AKeyboardThatStopsAnsweringLeavesTheFileAlone) {
  const fs::path path = folder / "kept.vxp";
  ASSERT_EQ(CreateEmptyProfile(path), 1);
  const Bytes before = test::FileBytes(path);
  ASSERT_EQ(s.commands.GetActiveProfile(), 0);
  s.vkb.InjectFault(KBSIM_FAULT_STATUS_255, 12, 3);  // inside the second bank
  EXPECT_EQ(CaptureKeyboardToFile(s.commands, model.default_key_map, texts, path), 0);
  EXPECT_EQ(test::FileBytes(path), before);
}

TEST_F(CaptureTest, KeyboardFileStoreFreshKeyboardRoundTrip) {
  const KeyBank defaults = model.default_key_map.Copy();
  std::array<KeyBank, 4> banks = {defaults, defaults, defaults, defaults};
  SetEntry(banks[0], PositionOf(0x03F), {3, 0xE2, 0x00});  // F5: media Mute
  SetEntry(banks[0], PositionOf(0x03A), {2, 1, 0x01});     // Caps Lock: Ctrl
  SetEntry(banks[0], PositionOf(0x01E), {1, 1, 0x02});     // A: right button
  SetEntry(banks[0], PositionOf(0x200), {5, 1, 1});        // G1: the second macro
  SetEntry(banks[0], PositionOf(0x03B), {0, 0, 0});        // F1: disabled
  SetEntry(banks[1], PositionOf(0x010), {5, 5, 4});        // Q: keyboard function 4
  SetEntry(banks[1], PositionOf(0x03C), {1, 5, 0xFF});     // F2: wheel down
  SetEntry(banks[1], PositionOf(0x011), {5, 2, 0});        // W: stop macro
  SetEntry(banks[1], PositionOf(0x020), {2, 2, 0x04});     // D: A
  SetEntry(banks[2], PositionOf(0x208), {5, 1, 0});        // G9: the first macro
  SetEntry(banks[2], PositionOf(0x01C), {2, 2, 0x29});     // Enter: Esc
  SetEntry(banks[2], PositionOf(0x14D), {3, 0x23, 0x02});  // Right: WWW Home
  const Bytes area =
      RawMacroArea({{u"Build", 3, 300}, {u"Déploy ✓", 1, 50}, {u"Long name of a macro", 255, 180}});
  ASSERT_LT(area.size(), model.macro_capacity.bytes());
  for (unsigned p = 0; p < 4; ++p) {
    ASSERT_TRUE(
        s.vkb.WriteMemory(KBSIM_AREA_KEY_BANKS, p * 512, Bytes(banks[p].begin(), banks[p].end())));
  }
  ASSERT_TRUE(s.vkb.WriteMemory(KBSIM_AREA_MACROS, 0, area));

  const fs::path first = folder / "first.vxp";
  ASSERT_EQ(CaptureKeyboardToFile(s.commands, model.default_key_map, texts, first), 1);
  EXPECT_EQ(CheckProfileFile(first, port), 1);
  ASSERT_EQ(ReadProfileFile(model.store, first), 1);
  {
    auto held = model.store.Lock();
    EXPECT_EQ(held->key_block.record(0, 0x03F), (KeyRecord{AssignmentKind::kMedia, 0, 7}));
    EXPECT_EQ(held->key_block.record(0, 0x03A), (KeyRecord{AssignmentKind::kKey, 0, 0x01D}));
    EXPECT_EQ(held->key_block.record(0, 256), (KeyRecord{AssignmentKind::kMacro, 0x0301, 2}));
    EXPECT_EQ(held->key_block.record(1, 0x010), (KeyRecord{AssignmentKind::kFunction, 0, 4}));
    ASSERT_EQ(held->macros.size(), 3u);
    EXPECT_EQ(held->macros[1].name, u"Déploy ✓");
    EXPECT_EQ(held->macros[2].actions.size(), 180u);
    EXPECT_EQ(held->macros[2].repeat_count, 255);
  }

  s.vkb.Reset();
  ASSERT_NE(KeyboardBank(0), Bytes(banks[0].begin(), banks[0].end()));
  ASSERT_EQ(UploadToKeyboard(context, true), 1);
  EXPECT_TRUE(port.messages.empty());
  for (unsigned p = 0; p < 4; ++p) {
    EXPECT_EQ(KeyboardBank(p), Bytes(banks[p].begin(), banks[p].end())) << "bank " << p;
  }
  EXPECT_EQ(s.vkb.ReadMemory(KBSIM_AREA_MACROS, 0, static_cast<std::uint32_t>(area.size())), area);

  const fs::path second = folder / "second.vxp";
  ASSERT_EQ(CaptureKeyboardToFile(s.commands, model.default_key_map, texts, second), 1);
  EXPECT_EQ(test::FileBytes(second), test::FileBytes(first));
}

TEST_F(CaptureTest, ReloadFillsTheStoreFromTheKeyboard) {
  Bytes bank = KeyboardBank(0);
  SetEntry(std::span<std::uint8_t, kKeyBankSize>(bank.data(), kKeyBankSize), PositionOf(0x03F),
           {0, 0, 0});
  ASSERT_TRUE(s.vkb.WriteMemory(KBSIM_AREA_KEY_BANKS, 0, bank));
  int folder_made = 0;
  const ProfilePaths paths{folder / "$Profile0.vxp", [&] { ++folder_made; }};
  model.store.Lock()->macros.resize(2);

  EXPECT_EQ(ReloadFromKeyboard(context, paths, false), 1);
  EXPECT_EQ(folder_made, 1);
  EXPECT_TRUE(fs::exists(paths.working_profile));
  EXPECT_EQ(model.store.Lock()->key_block.record(0, 0x03F).type, AssignmentKind::kDisabled);
  EXPECT_TRUE(model.store.Lock()->macros.empty());
  EXPECT_EQ(port.reloads, 1);
  EXPECT_EQ(port.apply, std::vector<bool>{false});

  EXPECT_EQ(ReloadFromKeyboard(context, paths, true), 1);
  EXPECT_EQ(port.reloads, 2);
  EXPECT_EQ(port.apply, std::vector<bool>{false});
}

TEST_F(CaptureTest, ReloadWithoutAKeyboardEmptiesTheStore) {
  // A working file left from an earlier keyboard is not what this one holds.
  const ProfilePaths paths{folder / "$Profile0.vxp", {}};
  model.store.Lock()->key_block.record(2, 0x1E) = {AssignmentKind::kDisabled, 0, 0};
  ASSERT_EQ(WriteProfileFile(model.store, paths.working_profile), 1);
  const Bytes before = test::FileBytes(paths.working_profile);
  s.vkb.Unplug();
  s.commands.ForgetActiveProfile();

  EXPECT_EQ(ReloadFromKeyboard(context, paths, false), 1);
  EXPECT_EQ(model.store.Lock()->key_block.record(2, 0x1E).type, AssignmentKind::kDefault);
  EXPECT_EQ(test::FileBytes(paths.working_profile), before);
  EXPECT_EQ(port.reloads, 1);
}

}  // namespace
}  // namespace talon
