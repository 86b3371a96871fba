#pragma once
// A Google Benchmark reporter that turns the repetitions of each benchmark into figure lines
// (figures.h): its time per iteration as "<prefix>.<benchmark>" and each user counter as
// "<prefix>.<benchmark>.<counter>", each with the median and spread over the repetitions. A
// counter whose name ends in "_us" or "_ms" is a time in that unit, named without the ending.
#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace talon::bench {

class FigureReporter : public benchmark::BenchmarkReporter {
 public:
  explicit FigureReporter(std::string prefix) : prefix_(std::move(prefix)) {}

  bool ReportContext(const Context& context) override;
  void ReportRuns(const std::vector<Run>& runs) override;
  void Finalize() override;

 private:
  struct Samples {
    std::string unit;
    std::vector<double> values;
  };

  std::string prefix_;
  std::vector<std::string> order_;
  std::map<std::string, Samples> samples_;
};

// Runs the benchmarks selected on the command line with the figure reporter (or with the
// reporter asked for by --benchmark_format, for a look at the raw runs). Returns the exit code.
int RunWithFigures(int argc, char** argv, const std::string& prefix);

}  // namespace talon::bench
