// Micro-benchmarks of the conversion's inner work: the two-decimal formatter
// and one full recording's rows. Run by bench/run.
#include <benchmark/benchmark.h>

#include <array>
#include <vector>

#include "logger_files.hpp"
#include "sample_rows.hpp"
#include "two_decimals.hpp"

namespace {

using namespace logger2csv;

// Time per item when each iteration handles `items` of them (shown as e.g. 6.8n: ns).
benchmark::Counter per_item(std::size_t items) {
  return benchmark::Counter(static_cast<double>(items),
                            benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// Elapsed times as the converter makes them: running sums of one interval.
std::vector<double> elapsed_times() {
  std::vector<double> values;
  for (const double interval : {0.1, 0.25, 1.0 / 3, 2.5, 32.1428571428571, 385.71428571428572}) {
    double elapsed = 0;
    for (std::size_t i = 0; i < samples_capacity; ++i, elapsed += interval) values.push_back(elapsed);
  }
  return values;
}

void two_decimals(benchmark::State& state, char* (*format)(char*, double) noexcept) {
  const std::vector<double> values = elapsed_times();
  char text[two_decimals_max_chars];
  for (auto _ : state) {
    for (const double v : values) {
      benchmark::DoNotOptimize(format(text, v));
      benchmark::ClobberMemory();
    }
  }
  state.counters["per_value"] = per_item(values.size());
}
BENCHMARK_CAPTURE(two_decimals, fast, write_two_decimals);
BENCHMARK_CAPTURE(two_decimals, slow_reference, write_two_decimals_slow);

// One full recording (224 rows) per iteration; items are rows.
void recording_rows(benchmark::State& state) {
  const std::vector<std::uint8_t> file = builder::random_recordings(1, 20261211);
  const recording record{file.data(), block_size};
  static std::array<char, rows_max_chars> rows;
  for (auto _ : state) {
    benchmark::DoNotOptimize(write_sample_rows(rows, record));
    benchmark::ClobberMemory();
  }
  state.counters["per_row"] = per_item(row_count(record));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          (write_sample_rows(rows, record) - rows.data()));
}
BENCHMARK(recording_rows);

}  // namespace

BENCHMARK_MAIN();
