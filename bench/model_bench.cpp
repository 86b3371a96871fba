// The model's costs: saving and loading the largest profile file (100 macros of 2000 actions),
// and how many reports an apply of one key change and an import send, counted in the virtual
// keyboard's log, against the least the encoded sizes need (BeginConfig, the macro area and each
// bank in 56-byte chunks, EndConfig).
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <algorithm>
#include <filesystem>
#include <string>

#include "device/device_info_block.h"
#include "device/keyboard_commands.h"
#include "device/result_codes.h"
#include "figure_reporter.h"
#include "model/keyboard_upload.h"
#include "model/macro_area.h"
#include "model/model_context.h"
#include "model/profile_file.h"
#include "virtual_keyboard.h"

namespace talon::bench {
namespace {

namespace fs = std::filesystem;

constexpr KeySlot kF5 = 0x03F;

class SilentPort : public ModelPort {
 public:
  MessageAnswer ShowMessage(const MessageRequest&) override { return MessageAnswer::kOk; }
  void RedrawKeyButton(KeySlot, int) override {}
  void ReloadKeyButtons() override {}
  void SetApplyEnabled(bool) override {}
};

class NoTexts : public TextLookup {
 public:
  std::string Text(std::string_view) const override { return "#Error"; }
};

MacroRecord Macro(std::uint16_t id, std::size_t actions) {
  MacroRecord m;
  m.id = id;
  m.name = u"Macro " + std::u16string(1, static_cast<char16_t>(u'A' + id % 26));
  m.repeat_count = 1;
  for (std::size_t i = 0; i < actions; ++i) {
    m.actions.push_back({static_cast<std::uint32_t>(i * 10 % 40000),
                         static_cast<KeyId>(i % 3 ? 0x01E : 0x171),
                         static_cast<std::uint16_t>(i % 2)});
  }
  return m;
}

fs::path ScratchFolder() {
  const char* tmp = std::getenv("TMPDIR");
  fs::path folder = fs::path(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") /
                    ("talon7x-model-bench-" + std::to_string(getpid()));
  fs::create_directories(folder);
  return folder;
}

void BM_ProfileLoadSave(benchmark::State& state) {
  ProfileStore store;
  for (std::uint16_t id = 1; id <= kMaxMacros; ++id) {
    store.Lock()->macros.push_back(Macro(id, kMaxMacroActions));
  }
  const fs::path folder = ScratchFolder();
  const fs::path path = folder / "largest.vxp";
  ProfileStore back;
  std::uint32_t generation = 0;
  for (auto _ : state) {
    // A file that already holds what is saved is left alone: each save must differ.
    store.Lock()->macros.back().actions.back().pause_ms = ++generation % kMaxPauseMs;
    if (WriteProfileFile(store, path) != 1 || ReadProfileFile(back, path) != 1) {
      state.SkipWithError("the profile file could not be saved or loaded");
      break;
    }
  }
  if (back.Lock()->macros != store.Lock()->macros)
    state.SkipWithError("the file read back differs");
  state.counters["bytes"] = static_cast<double>(fs::file_size(path));
  fs::remove_all(folder);
}
BENCHMARK(BM_ProfileLoadSave)->Unit(benchmark::kMillisecond);

// One upload of a store that holds 10 macros of 40 actions and one changed key.
void CountUpload(benchmark::State& state, bool all_banks) {
  DeviceLink& link = StartedLink();
  KeyboardCommands commands(link);
  VirtualKeyboard& keyboard = VirtualKeyboard::Get();
  keyboard.SetLatency(0);
  KeyboardModel model;
  DeviceInfoBlock info;
  if (commands.ReadDeviceInfo(info) != kDone) {
    state.SkipWithError("no device information");
    return;
  }
  model.macro_capacity.Set(info.macro_capacity());
  for (std::uint16_t id = 1; id <= 10; ++id) model.store.Lock()->macros.push_back(Macro(id, 40));
  SilentPort port;
  NoTexts texts;
  const ModelContext context = MakeContext(model, commands, port, texts);
  // The area as the upload encodes it: with the names when they fit.
  const auto& macros = model.store.Lock()->macros;
  const bool names_fit =
      std::min(info.macro_capacity(), kMaxMacroAreaSize) >= MeasureMacroArea(macros).full;
  const std::size_t area = EncodeMacroArea(macros, names_fit).size();
  const auto chunks = [](std::size_t bytes) {
    return (bytes + kDeviceDataChunk - 1) / kDeviceDataChunk;
  };
  const std::size_t least = 2 + chunks(area) + (all_banks ? 4 : 1) * chunks(kKeyBankSize);
  std::uint32_t sent = 0;
  std::uint16_t value = 0;
  for (auto _ : state) {
    model.store.Lock()->key_block.record(0, kF5) = {AssignmentKind::kMedia, 0, ++value % 17u};
    keyboard.ClearLog();
    if (UploadToKeyboard(context, all_banks) != 1) {
      state.SkipWithError("the keyboard did not take the upload");
      break;
    }
    sent = keyboard.FrameCount();
  }
  state.counters["reports"] = sent;
  state.counters["least"] = static_cast<double>(least);
}

void BM_ApplyReports(benchmark::State& state) {
  CountUpload(state, false);
}
BENCHMARK(BM_ApplyReports)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_ImportReports(benchmark::State& state) {
  CountUpload(state, true);
}
BENCHMARK(BM_ImportReports)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace talon::bench

int main(int argc, char** argv) {
  return talon::bench::RunWithFigures(argc, argv, "model");
}
