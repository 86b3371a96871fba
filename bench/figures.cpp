#include "figures.h"

#include <algorithm>
#include <cstdio>

namespace talon::bench {

Spread SpreadOf(std::vector<double> samples) {
  if (samples.empty()) return {};
  std::sort(samples.begin(), samples.end());
  const std::size_t n = samples.size();
  const double median = n % 2 == 1 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2;
  return {median, samples.front(), samples.back()};
}

void PrintFigure(const std::string& key, const std::vector<double>& samples,
                 const std::string& unit) {
  const Spread s = SpreadOf(samples);
  std::printf("figure\t%s\t%.6g\t%.6g\t%.6g\t%s\t%zu\n", key.c_str(), s.median, s.min, s.max,
              unit.c_str(), samples.size());
  std::fflush(stdout);
}

void PrintNote(const std::string& text) {
  std::printf("note\t%s\n", text.c_str());
  std::fflush(stdout);
}

}  // namespace talon::bench
