// What the exact formatter costs per number, against printf: a large model
// writes a few numbers per vertex and face.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>
#include <vector>

#include "exportlib/number_format.h"

namespace {

std::vector<double> Coordinates() {
  std::mt19937 random(7);
  std::uniform_real_distribution<double> spread(-2000.0, 2000.0);
  std::vector<double> values(4096);
  for (double& value : values) {
    value = spread(random);
  }
  return values;
}

void BM_FormatFixedFourDecimals(benchmark::State& state) {
  const std::vector<double> values = Coordinates();
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(exportlib::FormatFixed(values[i++ % values.size()], 4));
  }
}
BENCHMARK(BM_FormatFixedFourDecimals);

void BM_FormatGeneral(benchmark::State& state) {
  const std::vector<double> values = Coordinates();
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(exportlib::FormatGeneral(values[i++ % values.size()]));
  }
}
BENCHMARK(BM_FormatGeneral);

void BM_FormatFixedTinyValue(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(exportlib::FormatFixed(1e-300, 4));
  }
}
BENCHMARK(BM_FormatFixedTinyValue);

void BM_SnprintfFourDecimals(benchmark::State& state) {
  const std::vector<double> values = Coordinates();
  std::size_t i = 0;
  char buffer[64];
  for (auto _ : state) {
    std::snprintf(buffer, sizeof buffer, "%.4f", values[i++ % values.size()]);
    benchmark::DoNotOptimize(buffer);
  }
}
BENCHMARK(BM_SnprintfFourDecimals);

}  // namespace
