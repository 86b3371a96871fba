#include "model/profile_file.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <functional>

#include "model/macro_list.h"
#include "platform/little_endian.h"
#include "profile_files.h"
#include "recording_port.h"

namespace talon {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

constexpr std::size_t kRecords = 64;  // where the key records start in a file

std::size_t RecordAt(std::size_t profile, KeySlot slot) {
  return kRecords + RecordIndex(profile, slot) * kKeyRecordSize;
}

MacroRecord Macro(std::uint16_t id, std::u16string name, std::size_t actions) {
  MacroRecord m;
  m.id = id;
  m.name = std::move(name);
  m.repeat_count = static_cast<std::uint8_t>(id);
  for (std::size_t i = 0; i < actions; ++i) {
    m.actions.push_back({static_cast<std::uint32_t>(i * 10 % 40000),
                         static_cast<KeyId>(i % 3 ? 0x01E : 0x171), std::uint16_t(i % 2)});
  }
  return m;
}

// Rewrites the header checksum after a test changed header fields.
void FixChecksum(Bytes& file) {
  ProfileFileHeader h = ParseProfileHeader(file);
  h.checksum = ProfileHeaderChecksum(h);
  SerializeProfileHeader(h, file);
}

class ProfileFileTest : public ::testing::Test {
 protected:
  fs::path folder = test::CaseFolder();
  test::RecordingPort port;
};

TEST_F(ProfileFileTest, AnEmptyProfileIsAKeyBlockThatLoadsAsFourBanks) {
  const fs::path path = folder / "empty.vxp";
  ASSERT_EQ(CreateEmptyProfile(path), 1);
  EXPECT_EQ(fs::file_size(path), kKeyBlockSize);
  EXPECT_EQ(CheckProfileFile(path, port), 1);

  ProfileStore store;
  store.Lock()->macros = {Macro(1, u"gone", 1)};
  ASSERT_EQ(ReadProfileFile(store, path), 1);
  const auto held = store.Lock();
  EXPECT_TRUE(held->macros.empty());
  EXPECT_EQ(held->key_block.record(0, 256).extra, 0x0301);
  EXPECT_EQ(held->key_block.record(1, 256).extra, 0);
  const Bytes file = test::FileBytes(path);
  EXPECT_EQ(GetU16(file, 32), 0x484B);
  EXPECT_EQ(GetU16(file, 48), 0x0C45);
  EXPECT_EQ(GetU16(file, 50), 0x5D27);
}

TEST_F(ProfileFileTest, HeaderCheck) {
  const fs::path good = folder / "good.vxp";
  ASSERT_EQ(CreateEmptyProfile(good), 1);
  struct Case {
    const char* what;
    std::function<void(Bytes&)> change;
    int result;
    bool message;
  } const cases[] = {
      {"as written", [](Bytes&) {}, 1, false},
      {"longer than its header says", [](Bytes& f) { f.resize(f.size() + 100); }, 1, false},
      {"checksum off by one", [](Bytes& f) { ++f[31]; }, 0, true},
      {"magic",
       [](Bytes& f) {
         f[0] = 0x47;
         FixChecksum(f);
       },
       0, true},
      {"header size",
       [](Bytes& f) {
         f[2] = 31;
         FixChecksum(f);
       },
       0, true},
      {"version",
       [](Bytes& f) {
         f[4] = 2;
         FixChecksum(f);
       },
       0, true},
      {"field at 6",
       [](Bytes& f) {
         f[6] = 0;
         FixChecksum(f);
       },
       0, true},
      {"record count",
       [](Bytes& f) {
         PutU16(f, 12, 2047);
         FixChecksum(f);
       },
       0, true},
      {"flag 2",
       [](Bytes& f) {
         f[30] = 2;
         FixChecksum(f);
       },
       0, true},
      {"flag 1",
       [](Bytes& f) {
         f[30] = 1;
         FixChecksum(f);
       },
       1, false},
      {"file size field off its counts",
       [](Bytes& f) {
         PutU32(f, 8, 40000);
         FixChecksum(f);
       },
       0, true},
      {"101 macros, sizes agreeing",
       [](Bytes& f) {
         PutU16(f, 14, 101);
         PutU32(f, 8, static_cast<std::uint32_t>(ExpectedFileSize(101, 0)));
         FixChecksum(f);
         f.resize(ExpectedFileSize(101, 0));
       },
       0, true},
      {"shorter than its header says",
       [](Bytes& f) {
         PutU16(f, 14, 1);
         PutU32(f, 8, static_cast<std::uint32_t>(ExpectedFileSize(1, 0)));
         FixChecksum(f);
       },
       0, true},
      {"shorter than a key block", [](Bytes& f) { f.resize(kKeyBlockSize - 1); }, 0, false},
  };
  for (const Case& c : cases) {
    Bytes file = test::FileBytes(good);
    c.change(file);
    const fs::path path = folder / "case.vxp";
    test::WriteBytes(path, file);
    port.messages.clear();
    EXPECT_EQ(CheckProfileFile(path, port), c.result) << c.what;
    if (c.message) {
      ASSERT_EQ(port.MessageKeys(), std::vector<std::string>{"PROFILE_FORMAT_ERROR"}) << c.what;
      EXPECT_EQ(port.messages[0].arguments, std::vector<TextArgument>{path.string()});
    } else {
      EXPECT_TRUE(port.messages.empty()) << c.what;
    }
  }
  EXPECT_EQ(CheckProfileFile(folder / "missing.vxp", port), 0);
  EXPECT_EQ(CheckProfileFile(folder, port), 0);
}

TEST_F(ProfileFileTest, StringsArePooledInRecordOrder) {
  ProfileStore store;
  {
    auto held = store.Lock();
    held->key_block.record(2, 0x30) = {AssignmentKind::kText, 0, 999};
    held->launch_strings.Set(RecordIndex(2, 0x30), u"abcdef");
    held->key_block.record(0, 0x1E) = {AssignmentKind::kLaunch, 0, 999};
    held->launch_strings.Set(RecordIndex(0, 0x1E), u"/usr/bin/a");
  }
  const fs::path path = folder / "strings.vxp";
  ASSERT_EQ(WriteProfileFile(store, path), 1);
  const Bytes file = test::FileBytes(path);
  ASSERT_EQ(file.size(), kKeyBlockSize + 36);
  EXPECT_EQ(GetU32(file, 16), 36u);  // pool size
  EXPECT_EQ(GetU32(file, 8), kKeyBlockSize + 36);
  EXPECT_EQ(GetU32(file, RecordAt(0, 0x1E) + 4), 0u);
  EXPECT_EQ(GetU32(file, RecordAt(2, 0x30) + 4), 22u);
  EXPECT_EQ(GetU16(file, kKeyBlockSize), u'/');
  EXPECT_EQ(GetU16(file, kKeyBlockSize + 20), 0);  // terminator
  EXPECT_EQ(GetU16(file, kKeyBlockSize + 22), u'a');
  EXPECT_EQ(store.Lock()->key_block.header.pool_size, 36u);  // the store carries what it wrote

  ProfileStore back;
  ASSERT_EQ(ReadProfileFile(back, path), 1);
  const auto held = back.Lock();
  EXPECT_EQ(*held->launch_strings.Get(RecordIndex(0, 0x1E)), u"/usr/bin/a");
  EXPECT_EQ(*held->launch_strings.Get(RecordIndex(2, 0x30)), u"abcdef");
  EXPECT_EQ(held->launch_strings.total_bytes(), 36u);
}

TEST_F(ProfileFileTest, WhatIsWrittenReadsBackTheSame) {
  ProfileStore store;
  {
    auto held = store.Lock();
    held->macros = {Macro(3, u"Build", 40), Macro(1, u"", 0), Macro(7, u"Ünïcode ✓", 2000)};
    held->key_block.record(0, 0x3F) = {AssignmentKind::kMedia, 0, 7, 0x12345678, 0};
    held->key_block.record(1, 0x3A) = {AssignmentKind::kKey, 0, 0x01D};
    held->key_block.record(2, 257) = {AssignmentKind::kMacro, 3, 7};
    held->key_block.record(3, 0x01) = {AssignmentKind::kDisabled, 0, 0};
    held->key_block.record(3, 0x02) = {AssignmentKind::kLaunch, 0, 0};
    held->launch_strings.Set(RecordIndex(3, 0x02), u"C:\\tools\\x.exe");
  }
  const fs::path first = folder / "first.vxp";
  const fs::path second = folder / "second.vxp";
  ASSERT_EQ(WriteProfileFile(store, first), 1);
  EXPECT_EQ(CheckProfileFile(first, port), 1);
  ProfileStore back;
  ASSERT_EQ(ReadProfileFile(back, first), 1);
  {
    auto a = store.Lock();
    auto b = back.Lock();
    EXPECT_EQ(b->key_block.records, a->key_block.records);
    EXPECT_EQ(b->key_block.header, a->key_block.header);
    EXPECT_EQ(b->macros, a->macros);
  }
  ASSERT_EQ(WriteProfileFile(back, second), 1);
  EXPECT_EQ(test::FileBytes(second), test::FileBytes(first));

  // The same bytes from memory (a capture of the keyboard) load the same.
  ProfileStore from_memory;
  ASSERT_EQ(ReadProfileBytes(from_memory, test::FileBytes(first)), 1);
  EXPECT_EQ(from_memory.Lock()->key_block.records, store.Lock()->key_block.records);
  EXPECT_EQ(from_memory.Lock()->macros, store.Lock()->macros);
}

// A file with one macro and one launch string, then broken in one place per case.
Bytes SampleFile(const fs::path& folder) {
  ProfileStore store;
  {
    auto held = store.Lock();
    held->macros = {Macro(1, u"Name", 3)};
    held->key_block.record(0, 0x1E) = {AssignmentKind::kLaunch, 0, 0};
    held->launch_strings.Set(RecordIndex(0, 0x1E), u"abc");
  }
  WriteProfileFile(store, folder / "sample.vxp");
  return test::FileBytes(folder / "sample.vxp");
}

TEST_F(ProfileFileTest, MalformedFilesNeverReadOutsideTheirBytes) {
  const std::size_t macro = kKeyBlockSize;
  const std::size_t pool = kKeyBlockSize + kMacroRecordSize;
  const std::size_t launch_value = RecordAt(0, 0x1E) + 4;
  struct Case {
    const char* what;
    std::function<void(Bytes&)> change;
    int result;
    std::u16string launch;  // the launch string loaded
    std::size_t actions;
    std::size_t name_length;
  } const cases[] = {
      {"intact", [](Bytes&) {}, 1, u"abc", 3, 4},
      {"pool offset past the pool", [&](Bytes& f) { PutU32(f, launch_value, 8); }, 1, u"", 3, 4},
      {"pool offset far past the file", [&](Bytes& f) { PutU32(f, launch_value, 0xFFFFFFF0); }, 1,
       u"", 3, 4},
      {"odd pool offset", [&](Bytes& f) { PutU32(f, launch_value, 3); }, 1, u"bc", 3, 4},
      {"string without terminator", [&](Bytes& f) { PutU16(f, pool + 6, u'd'); }, 1, u"abcd", 3, 4},
      {"action count above 2000", [&](Bytes& f) { PutU16(f, macro + 508, 0xFFFF); }, 1, u"abc",
       2000, 4},
      {"name without terminator",
       [&](Bytes& f) {
         for (std::size_t i = 0; i < 250; ++i) PutU16(f, macro + 2 * i, u'x');
       },
       1, u"abc", 3, 249},
      {"shorter than its header says", [](Bytes& f) { f.resize(f.size() - 1); }, 0, u"", 0, 0},
      {"bad checksum", [](Bytes& f) { ++f[31]; }, 0, u"", 0, 0},
      {"cut inside the key block", [](Bytes& f) { f.resize(1000); }, 0, u"", 0, 0},
  };
  for (const Case& c : cases) {
    Bytes file = SampleFile(folder);
    c.change(file);
    const fs::path path = folder / "case.vxp";
    test::WriteBytes(path, file);
    ProfileStore store;
    store.Lock()->key_block.record(1, 5) = {AssignmentKind::kDisabled, 0,
                                            0};  // replaced either way
    EXPECT_EQ(ReadProfileFile(store, path), c.result) << c.what;
    auto held = store.Lock();
    EXPECT_EQ(held->key_block.record(1, 5).type, AssignmentKind::kDefault) << c.what;
    if (c.result == 0) {
      EXPECT_TRUE(held->macros.empty()) << c.what;
      EXPECT_EQ(held->launch_strings.total_bytes(), 0u) << c.what;
      EXPECT_EQ(held->key_block.record(0, 256).extra, 0x0301) << c.what;  // a fresh block
      continue;
    }
    ASSERT_EQ(held->macros.size(), 1u) << c.what;
    EXPECT_EQ(held->macros[0].actions.size(), c.actions) << c.what;
    EXPECT_EQ(held->macros[0].name.size(), c.name_length) << c.what;
    ASSERT_NE(held->launch_strings.Get(RecordIndex(0, 0x1E)), nullptr) << c.what;
    EXPECT_EQ(*held->launch_strings.Get(RecordIndex(0, 0x1E)), c.launch) << c.what;
  }
}

TEST_F(ProfileFileTest, MacrosFromAFileAreNeverNew) {
  // Only an editor's own, uncommitted macros are new; a loaded one that claimed to be would lose
  // its keys at the next commit.
  Bytes file = SampleFile(folder);
  PutU16(file, kKeyBlockSize + 502, 1);
  const fs::path path = folder / "flagged.vxp";
  test::WriteBytes(path, file);
  ProfileStore store;
  ASSERT_EQ(ReadProfileFile(store, path), 1);
  store.Lock()->key_block.record(0, 0x3F) = {AssignmentKind::kMacro, 1, 1};
  std::vector<MacroRecord> unchanged = store.Lock()->macros;
  ASSERT_EQ(unchanged.size(), 1u);
  EXPECT_EQ(unchanged[0].new_flag, 0);
  CommitMacroList(store, std::move(unchanged), port);
  EXPECT_EQ(store.Lock()->key_block.record(0, 0x3F).type, AssignmentKind::kMacro);
}

TEST_F(ProfileFileTest, AFailedReadLeavesAUsableStore) {
  ProfileStore store;
  EXPECT_EQ(ReadProfileFile(store, folder / "missing.vxp"), 0);
  store.Lock()->key_block.record(0, 0x1E) = {AssignmentKind::kKey, 0, 0x030};
  ASSERT_EQ(WriteProfileFile(store, folder / "after.vxp"), 1);
  EXPECT_EQ(CheckProfileFile(folder / "after.vxp", port), 1);
}

TEST_F(ProfileFileTest, AFailedWriteLeavesThePreviousFile) {
  ProfileStore store;
  store.Lock()->macros = {Macro(1, u"big", 2000)};
  const fs::path path = folder / "kept.vxp";
  ASSERT_EQ(WriteProfileFile(store, path), 1);
  const Bytes before = test::FileBytes(path);

  // A folder in the file's place cannot be replaced: the write fails and leaves no litter.
  fs::create_directories(folder / "taken.vxp" / "inside");
  EXPECT_EQ(WriteProfileFile(store, folder / "taken.vxp"), 0);
  EXPECT_TRUE(fs::is_directory(folder / "taken.vxp" / "inside"));
  EXPECT_EQ(WriteProfileFile(store, folder / "no" / "such" / "folder.vxp"), 0);
  std::size_t entries = 0;
  for ([[maybe_unused]] const auto& e : fs::directory_iterator(folder)) ++entries;
  EXPECT_EQ(entries, 2u);

  // A smaller store replaces the file whole.
  store.Lock()->macros.clear();
  ASSERT_EQ(WriteProfileFile(store, path), 1);
  EXPECT_EQ(fs::file_size(path), kKeyBlockSize);
  EXPECT_NE(test::FileBytes(path), before);
}

TEST_F(ProfileFileTest, TheWorkingFileIsOnlySavedWhenItExists) {
  int folder_made = 0;
  const ProfilePaths paths{folder / "$Profile0.vxp", [&] { ++folder_made; }};
  ProfileStore store;
  EXPECT_EQ(SaveWorkingProfile(store, paths), 0);
  EXPECT_FALSE(fs::exists(paths.working_profile));
  ASSERT_EQ(CreateEmptyProfile(paths.working_profile), 1);
  store.Lock()->macros = {Macro(1, u"m", 1)};
  EXPECT_EQ(SaveWorkingProfile(store, paths), 1);
  EXPECT_EQ(fs::file_size(paths.working_profile), kKeyBlockSize + kMacroRecordSize);
  EXPECT_EQ(folder_made, 2);
}

// Prints how long the largest possible file (100 macros of 2000 actions) takes to save and load.
TEST_F(ProfileFileTest, LargestFileTimings) {
  ProfileStore store;
  {
    auto held = store.Lock();
    for (std::uint16_t id = 1; id <= kMaxMacros; ++id) {
      held->macros.push_back(Macro(id, u"Macro with a long name", kMaxMacroActions));
    }
  }
  const fs::path path = folder / "largest.vxp";
  using Clock = std::chrono::steady_clock;
  constexpr int kRounds = 5;
  Clock::duration save{}, load{};
  ProfileStore back;
  for (int i = 0; i < kRounds; ++i) {
    const auto t0 = Clock::now();
    ASSERT_EQ(WriteProfileFile(store, path), 1);
    const auto t1 = Clock::now();
    ASSERT_EQ(ReadProfileFile(back, path), 1);
    save += t1 - t0;
    load += Clock::now() - t1;
  }
  EXPECT_EQ(fs::file_size(path), kKeyBlockSize + kMaxMacros * kMacroRecordSize);
  EXPECT_EQ(back.Lock()->macros, store.Lock()->macros);
  const auto ms = [](Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count() / kRounds;
  };
  std::printf("largest profile file (%ju bytes): save %.2f ms, load %.2f ms (mean of %d)\n",
              static_cast<std::uintmax_t>(fs::file_size(path)), ms(save), ms(load), kRounds);
}

}  // namespace
}  // namespace talon
