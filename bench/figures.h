#pragma once
// Figures as scripts/bench reads them: one line per figure on standard output,
//
//   figure <TAB> key <TAB> median <TAB> min <TAB> max <TAB> unit <TAB> samples
//   note <TAB> text
//
// from repeated samples. The benchmarks only measure and print; whether a figure meets its
// budget is decided by scripts/bench.
#include <string>
#include <vector>

namespace talon::bench {

struct Spread {
  double median = 0;
  double min = 0;
  double max = 0;
};

// Median (the mean of the middle two for an even count), minimum and maximum; zeros when empty.
Spread SpreadOf(std::vector<double> samples);

void PrintFigure(const std::string& key, const std::vector<double>& samples,
                 const std::string& unit);
void PrintNote(const std::string& text);

}  // namespace talon::bench
