// The program as a user meets it, on the virtual keyboard under the display in DISPLAY (a tray
// host there makes the tray icon shown):
// - how long a start takes until the INIT handling has shown the tray icon ("ready") and until
//   the opened window is first painted;
// - the resident memory with the window open and the pointer over a key, and after the key
//   dialog has been opened on that key and cancelled (pointer and clicks through xdotool);
// - the CPU used over a stretch of time while hidden in the tray, while the window is shown, and
//   while it is shown in lighting mode with the effect 1 preview running.
// Prints figure lines (figures.h).
//
//   program_bench [--build DIR] [--work DIR] [--starts N] [--cpu-seconds S] [--cpu-runs R]
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "figures.h"
#include "program_instance.h"
#include "x_driver.h"

namespace talon::bench {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Milliseconds = std::chrono::duration<double, std::milli>;

constexpr auto kMomentLimit = 30s;
// Time for the work that follows an opening or a closing (the keyboard's capture, paints,
// freed memory given back) to end before memory or CPU is read.
constexpr auto kSettle = 1500ms;
// The key the pointer rests on and whose dialog is opened: F5.
constexpr char kKeySkinName[] = "KEY_03F";

struct Options {
  fs::path build;
  fs::path work;
  int starts = 20;
  int cpu_seconds = 60;
  int cpu_runs = 3;
};

bool ParseOptions(int argc, char** argv, Options& options) {
  options.build = fs::canonical("/proc/self/exe").parent_path().parent_path();
  options.work = fs::temp_directory_path() / ("talon7x-program-bench-" + std::to_string(getpid()));
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string name = argv[i];
    const std::string value = argv[i + 1];
    if (name == "--build") {
      options.build = value;
    } else if (name == "--work") {
      options.work = value;
    } else if (name == "--starts") {
      options.starts = std::max(1, std::atoi(value.c_str()));
    } else if (name == "--cpu-seconds") {
      options.cpu_seconds = std::max(1, std::atoi(value.c_str()));
    } else if (name == "--cpu-runs") {
      options.cpu_runs = std::max(1, std::atoi(value.c_str()));
    } else {
      return false;
    }
  }
  return argc % 2 == 1;
}

double Ms(std::chrono::nanoseconds d) {
  return std::chrono::duration_cast<Milliseconds>(d).count();
}

double MiB(long kib) {
  return kib / 1024.0;
}

// Waits until the process shows `count` windows larger than a tray icon; the largest first.
std::vector<XWindow> WaitForWindows(pid_t pid, std::size_t count) {
  const auto end = std::chrono::steady_clock::now() + 10s;
  while (std::chrono::steady_clock::now() < end) {
    std::vector<XWindow> windows = VisibleWindows(pid);
    std::erase_if(windows, [](const XWindow& w) { return w.geometry.width < 100; });
    if (windows.size() == count) return windows;
    std::this_thread::sleep_for(50ms);
  }
  return {};
}

// The key dialog opened on F5 and cancelled, in the running instance whose main window is
// shown; false when a window did not come or go as it should.
bool OpenAndCancelKeyDialog(const fs::path& skins, ProgramInstance& instance) {
  const std::optional<Rect> key = SkinButton(skins / "Main.ini", kKeySkinName);
  const std::optional<Rect> cancel = SkinButton(skins / "Composite.ini", "CONTROL_CANCEL");
  const std::vector<XWindow> main = WaitForWindows(instance.pid(), 1);
  if (!key || !cancel || main.empty()) return false;
  PointAt(main[0], key->x + key->width / 2, key->y + key->height / 2, true);
  const std::vector<XWindow> both = WaitForWindows(instance.pid(), 2);
  if (both.size() != 2) return false;
  std::this_thread::sleep_for(kSettle);
  PointAt(both[1], cancel->x + cancel->width / 2, cancel->y + cancel->height / 2, true);
  return WaitForWindows(instance.pid(), 1).size() == 1;
}

// Starts one after another, each ended before the next; the first is a warm-up not counted.
bool MeasureStarts(const Options& options) {
  const fs::path skins = options.build / "Skins";
  const std::optional<Rect> key = SkinButton(skins / "Main.ini", kKeySkinName);
  const bool drive = HaveXdotool() && key.has_value();
  if (!drive) PrintNote("no xdotool: the memory figures are taken without the pointer's help");
  ProgramInstance instance(options.build, options.work / "starts");
  std::vector<double> ready;
  std::vector<double> painted;
  std::vector<double> window_open;
  std::vector<double> after_dialog;
  bool tray = true;
  for (int i = 0; i <= options.starts; ++i) {
    if (!instance.Start({})) {
      PrintNote("talon7x could not be started from " + options.build.string());
      return false;
    }
    const auto r = instance.WaitFor("ready", kMomentLimit);
    const auto p = instance.WaitFor("painted", kMomentLimit);
    if (!r || !p) {
      PrintNote("talon7x did not get ready and open its window; is the display there?");
      return false;
    }
    tray = tray && instance.TrayShown();
    if (i > 0) {
      ready.push_back(Ms(*r));
      painted.push_back(Ms(*p));
      // The pointer rests on a key, as it does when a user opens the window to work in it.
      const std::vector<XWindow> main =
          drive ? WaitForWindows(instance.pid(), 1) : std::vector<XWindow>{};
      if (!main.empty()) PointAt(main[0], key->x + key->width / 2, key->y + key->height / 2, false);
      std::this_thread::sleep_for(kSettle);
      if (const auto kib = instance.ResidentKiB()) window_open.push_back(MiB(*kib));
      if (drive && OpenAndCancelKeyDialog(skins, instance)) {
        std::this_thread::sleep_for(kSettle);
        if (const auto kib = instance.ResidentKiB()) after_dialog.push_back(MiB(*kib));
      }
    }
    instance.Stop();
  }
  if (!tray) PrintNote("no tray host on the display: the start figures are without a tray icon");
  if (drive && after_dialog.size() != window_open.size()) {
    PrintNote("the key dialog did not open and close in every start");
  }
  PrintFigure("program.ready", ready, "ms");
  PrintFigure("program.painted", painted, "ms");
  PrintFigure("program.rss_window", window_open, "MiB");
  if (!after_dialog.empty()) PrintFigure("program.rss_key_dialog", after_dialog, "MiB");
  return true;
}

enum class Looks { kHidden, kShown, kPreview };

// Runs side by side, each over the same stretch of time: CPU time is what each process used,
// which the others hardly change.
bool MeasureCpu(const Options& options) {
  struct Run {
    std::unique_ptr<ProgramInstance> instance;
    Looks looks;
    ProcessCpu before;
  };
  std::vector<Run> runs;
  for (int i = 0; i < options.cpu_runs; ++i) {
    for (Looks looks : {Looks::kHidden, Looks::kShown, Looks::kPreview}) {
      const fs::path root = options.work / ("cpu-" + std::to_string(runs.size()));
      auto instance = std::make_unique<ProgramInstance>(options.build, root);
      // Lighting mode is kept from the last run; effect 1 is the keyboard's own setting.
      instance->SetLightingMode(looks == Looks::kPreview);
      if (looks == Looks::kPreview && !instance->RunCtl({"lighting", "effect=1"})) {
        PrintNote("talon7x-ctl could not set effect 1");
        return false;
      }
      const bool hidden = looks == Looks::kHidden;
      if (!instance->Start(hidden ? std::vector<std::string>{"/Start"}
                                  : std::vector<std::string>{}) ||
          !instance->WaitFor(hidden ? "ready" : "painted", kMomentLimit)) {
        PrintNote("talon7x did not start for the CPU figures");
        return false;
      }
      runs.push_back({std::move(instance), looks, {}});
    }
  }
  std::this_thread::sleep_for(kSettle);
  for (Run& run : runs) run.before = run.instance->Cpu().value_or(ProcessCpu{});
  std::this_thread::sleep_for(std::chrono::seconds(options.cpu_seconds));
  const double ticks_per_second = static_cast<double>(sysconf(_SC_CLK_TCK));
  std::vector<double> percent[3];
  for (Run& run : runs) {
    const auto after = run.instance->Cpu();
    if (!after) continue;
    percent[static_cast<int>(run.looks)].push_back(
        static_cast<double>(after->ticks - run.before.ticks) / ticks_per_second /
        options.cpu_seconds * 100.0);
  }
  PrintFigure("program.cpu_hidden", percent[static_cast<int>(Looks::kHidden)], "%");
  PrintFigure("program.cpu_shown", percent[static_cast<int>(Looks::kShown)], "%");
  PrintFigure("program.cpu_preview", percent[static_cast<int>(Looks::kPreview)], "%");
  return true;
}

}  // namespace
}  // namespace talon::bench

int main(int argc, char** argv) {
  using namespace talon::bench;
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    std::fprintf(stderr,
                 "usage: program_bench [--build DIR] [--work DIR] [--starts N] [--cpu-seconds S] "
                 "[--cpu-runs R]\n");
    return 2;
  }
  if (std::getenv("DISPLAY") == nullptr) {
    std::fprintf(stderr, "program_bench: no DISPLAY (scripts/bench starts one)\n");
    return 2;
  }
  const bool done = MeasureStarts(options) && MeasureCpu(options);
  std::error_code ignored;
  std::filesystem::remove_all(options.work, ignored);
  return done ? 0 : 1;
}
