// The program as a user meets it, on the virtual keyboard under the display in DISPLAY (a tray
// host there makes the tray icon shown): how long a start takes until the INIT handling has shown
// the tray icon ("ready") and until the opened window is first painted, the resident memory with
// the window open, and the CPU used over a stretch of time while hidden in the tray and while
// the window is shown. Prints figure lines (figures.h).
//
//   program_bench [--build DIR] [--work DIR] [--starts N] [--cpu-seconds S] [--cpu-runs R]
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "figures.h"
#include "program_instance.h"

namespace talon::bench {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Milliseconds = std::chrono::duration<double, std::milli>;

constexpr auto kMomentLimit = 30s;
// Time for the work that follows the window's opening (capture of the keyboard, first paints)
// to end before memory or CPU is read.
constexpr auto kSettle = 2s;

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

// Starts one after another, each ended before the next; the first is a warm-up not counted.
bool MeasureStarts(const Options& options) {
  ProgramInstance instance(options.build, options.work / "starts");
  std::vector<double> ready;
  std::vector<double> painted;
  std::vector<double> resident;
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
      std::this_thread::sleep_for(kSettle);
      if (const auto kib = instance.ResidentKiB()) resident.push_back(*kib / 1024.0);
    }
    instance.Stop();
  }
  if (!tray) PrintNote("no tray host on the display: the start figures are without a tray icon");
  PrintFigure("program.ready", ready, "ms");
  PrintFigure("program.painted", painted, "ms");
  PrintFigure("program.rss_window", resident, "MiB");
  return true;
}

// Runs side by side, each over the same stretch of time: CPU time is what each process used,
// which the others hardly change.
bool MeasureCpu(const Options& options) {
  struct Run {
    std::unique_ptr<ProgramInstance> instance;
    bool hidden;
    ProcessCpu before;
  };
  std::vector<Run> runs;
  for (int i = 0; i < options.cpu_runs; ++i) {
    for (bool hidden : {true, false}) {
      const std::string name = (hidden ? "hidden-" : "shown-") + std::to_string(i);
      auto instance = std::make_unique<ProgramInstance>(options.build, options.work / name);
      if (!instance->Start(hidden ? std::vector<std::string>{"/Start"}
                                  : std::vector<std::string>{}) ||
          !instance->WaitFor(hidden ? "ready" : "painted", kMomentLimit)) {
        PrintNote("talon7x did not start for the CPU figures");
        return false;
      }
      runs.push_back({std::move(instance), hidden, {}});
    }
  }
  std::this_thread::sleep_for(kSettle);
  for (Run& run : runs) run.before = run.instance->Cpu().value_or(ProcessCpu{});
  std::this_thread::sleep_for(std::chrono::seconds(options.cpu_seconds));
  const double ticks_per_second = static_cast<double>(sysconf(_SC_CLK_TCK));
  std::vector<double> hidden;
  std::vector<double> shown;
  for (Run& run : runs) {
    const auto after = run.instance->Cpu();
    if (!after) continue;
    const double percent = static_cast<double>(after->ticks - run.before.ticks) / ticks_per_second /
                           options.cpu_seconds * 100.0;
    (run.hidden ? hidden : shown).push_back(percent);
  }
  PrintFigure("program.cpu_hidden", hidden, "%");
  PrintFigure("program.cpu_shown", shown, "%");
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
