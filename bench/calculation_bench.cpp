// Benchmarks of the drive calculation and of reading a project file.
#include <benchmark/benchmark.h>

#include "app/core/program_state.h"
#include "text/number_format.h"

static void BM_FormatAuto(benchmark::State& state) {
  kv5::ResetProgramState();
  kv5::Real x = 1234.5678L;
  for (auto _ : state) benchmark::DoNotOptimize(kv5::FormatAuto(x));
}
BENCHMARK(BM_FormatAuto);
