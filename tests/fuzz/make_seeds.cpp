// Writes the binary seeds of the fuzz corpora with the program's own encoders, so that the
// fuzzers start from well-formed inputs. Run by hand when a format changes:
//   build/tests/fuzz_make_seeds tests/fuzz/corpus
// The text seeds (INI, skin values, language formats) are written by hand.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "../bridge/fake_keyboard_layout.h"
#include "model/default_key_map.h"
#include "model/key_bank.h"
#include "model/key_block.h"
#include "model/macro_area.h"
#include "model/profile_file.h"

namespace {

namespace fs = std::filesystem;
using namespace talon;
using Bytes = std::vector<std::uint8_t>;

void Save(const fs::path& file, const Bytes& bytes) {
  fs::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

Bytes Load(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

MacroRecord Macro(std::uint16_t id, std::u16string name, std::size_t actions) {
  MacroRecord m;
  m.id = id;
  m.name = std::move(name);
  m.repeat_count = 2;
  for (std::size_t i = 0; i < actions; ++i) {
    m.actions.push_back({static_cast<std::uint16_t>(5 + i),
                         static_cast<std::uint16_t>(0x1E + i % 4),
                         static_cast<std::uint16_t>(i % 2)});
  }
  return m;
}

// A 64-byte configuration report as the program builds it.
Bytes Frame(std::uint8_t command, std::uint8_t length, std::uint16_t offset, const Bytes& payload) {
  Bytes f(64, 0);
  f[0] = 4;
  f[3] = command;
  f[4] = length;
  f[5] = static_cast<std::uint8_t>(offset);
  f[6] = static_cast<std::uint8_t>(offset >> 8);
  std::copy(payload.begin(), payload.end(), f.begin() + 8);
  unsigned sum = 0;
  for (std::size_t i = 3; i < 64; ++i) sum += f[i];
  f[1] = static_cast<std::uint8_t>(sum);
  f[2] = static_cast<std::uint8_t>(sum >> 8);
  return f;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const fs::path corpus = argv[1];

  // Profile files: a fresh one, and one with macros, launch strings and assignments.
  ProfileStore store;
  fs::create_directories(corpus / "profile_file");
  WriteProfileFile(store, corpus / "profile_file/fresh.vxp");
  {
    auto held = store.Lock();
    held->key_block.record(0, 0x03F) = {AssignmentKind::kMedia, 0, 7};
    held->key_block.record(1, 0x01E) = {AssignmentKind::kLaunch, 0, 0};
    held->launch_strings.Set(RecordIndex(1, 0x01E), u"/usr/bin/true");
    held->macros = {Macro(1, u"One", 3), Macro(2, u"Two", 1)};
  }
  WriteProfileFile(store, corpus / "profile_file/macros.vxp");

  // Macro areas: with names, without, and empty.
  const std::vector<MacroRecord> macros = {Macro(1, u"Ab", 1), Macro(2, u"Copy", 6)};
  Save(corpus / "macro_area/named", EncodeMacroArea(macros, true));
  Save(corpus / "macro_area/unnamed", EncodeMacroArea(macros, false));
  Save(corpus / "macro_area/empty", EncodeMacroArea({}, true));

  // Key banks: the factory map as its own bank, and a bank with assignments, each followed by
  // the default map.
  const KeyBank defaults = DefaultKeyMap::CompiledIn();
  Bytes factory(defaults.begin(), defaults.end());
  factory.insert(factory.end(), defaults.begin(), defaults.end());
  Save(corpus / "key_bank/factory", factory);
  KeyBlock block = FreshKeyBlock();
  block.record(0, 0x03F) = {AssignmentKind::kMedia, 0, 7};
  block.record(0, 0x03B) = {AssignmentKind::kDisabled, 0, 0};
  const KeyBank assigned = EncodeKeyBank(
      std::span<const KeyRecord, kSlotsPerProfile>(block.records.data(), kSlotsPerProfile), macros,
      defaults);
  Bytes with_map(assigned.begin(), assigned.end());
  with_map.insert(with_map.end(), defaults.begin(), defaults.end());
  Save(corpus / "key_bank/assigned", with_map);

  // The hidapi library's input: the keyboard's shared interface descriptor and a consumer
  // report; the boot keyboard's descriptor and a key report.
  for (std::size_t node = 0; node < test::kNodeCount; ++node) {
    const auto descriptor = test::NodeDescriptor(node);
    const Bytes report = node == 1 ? Bytes{3, 0xFF, 0x02} : Bytes{0, 0, 4, 0, 0, 0, 0, 0};
    Bytes input{static_cast<std::uint8_t>(report.size())};
    input.insert(input.end(), descriptor.begin(), descriptor.end());
    input.insert(input.end(), report.begin(), report.end());
    Save(corpus / ("consumer_report/node" + std::to_string(node)), input);
  }

  // Command frames: a read of the information block; a configuration group writing a key bank
  // chunk and a lighting block; a macro area write and read.
  auto frames = [](std::initializer_list<Bytes> list) {
    Bytes all;
    for (const Bytes& f : list) all.insert(all.end(), f.begin(), f.end());
    return all;
  };
  Save(corpus / "vkb_commands/read_info", frames({Frame(3, 44, 0, {})}));
  Save(corpus / "vkb_commands/write_group",
       frames({Frame(1, 0, 0, {}), Frame(8, 56, 512, Bytes(56, 0x02)), Frame(6, 3, 42, {1, 2, 3}),
               Frame(2, 0, 0, {})}));
  Save(corpus / "vkb_commands/macros",
       frames({Frame(10, 16, 0, Bytes{0xAA, 0x55, 16, 0}), Frame(9, 16, 0, {}),
               Frame(15, 56, 0, {}), Frame(17, 3, 5, {0xFF, 0, 0})}));

  std::printf("seeds written to %s\n", corpus.c_str());
  return Load(corpus / "profile_file/fresh.vxp").empty() ? 1 : 0;
}
