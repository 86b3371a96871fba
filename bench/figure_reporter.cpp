#include "figure_reporter.h"

#include <cstring>

#include "figures.h"

namespace talon::bench {

bool FigureReporter::ReportContext(const Context&) {
  return true;
}

void FigureReporter::ReportRuns(const std::vector<Run>& runs) {
  for (const Run& run : runs) {
    // Aggregates are recomputed from the repetitions; a failed run yields no sample.
    if (run.run_type != Run::RT_Iteration) continue;
    std::string name = run.run_name.function_name;
    if (name.rfind("BM_", 0) == 0) name.erase(0, 3);
    if (run.error_occurred) {
      PrintNote(prefix_ + "." + name + " failed: " + run.error_message);
      continue;
    }
    auto add = [this](const std::string& key, const std::string& unit, double value) {
      if (samples_.find(key) == samples_.end()) order_.push_back(key);
      Samples& s = samples_[key];
      s.unit = unit;
      s.values.push_back(value);
    };
    add(prefix_ + "." + name, benchmark::GetTimeUnitString(run.time_unit),
        run.GetAdjustedRealTime());
    for (const auto& [counter, value] : run.counters) {
      std::string key = counter;
      std::string unit;
      for (const char* time_unit : {"us", "ms"}) {
        const std::string ending = std::string("_") + time_unit;
        if (key.size() > ending.size() && key.ends_with(ending)) {
          key.erase(key.size() - ending.size());
          unit = time_unit;
        }
      }
      add(prefix_ + "." + name + "." + key, unit, value.value);
    }
  }
}

void FigureReporter::Finalize() {
  for (const std::string& key : order_) {
    const Samples& s = samples_[key];
    PrintFigure(key, s.values, s.unit.empty() ? "-" : s.unit);
  }
}

int RunWithFigures(int argc, char** argv, const std::string& prefix) {
  bool own_format = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], "--benchmark_format", 18) == 0) own_format = true;
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  if (own_format) {
    benchmark::RunSpecifiedBenchmarks();
  } else {
    FigureReporter reporter(prefix);
    benchmark::RunSpecifiedBenchmarks(&reporter);
  }
  benchmark::Shutdown();
  return 0;
}

}  // namespace talon::bench
