// Benchmarks of the drive calculation.
#include <benchmark/benchmark.h>

#include "app/core/program_state.h"
#include "model/drive_calculation.h"
#include "model/drive_model.h"

namespace {

void SetUpExampleDrive() {
  kv5::ResetProgramState();
  kv5::model.chain.p = 12.7;
  kv5::model.chain.d1 = 8.51;
  kv5::model.chain.b1 = 7.75;
  kv5::model.chain.h2 = 11.8;
  kv5::model.z1 = 17;
  kv5::model.z2 = 41;
  kv5::model.P = 1.5L;
  kv5::model.n[1] = 100;
  kv5::model.KA = 1.25L;
}

void BM_CalculateDrive(benchmark::State& state) {
  SetUpExampleDrive();
  for (auto _ : state) {
    kv5::CalculateDrive();
    benchmark::DoNotOptimize(kv5::model.SB);
  }
}
BENCHMARK(BM_CalculateDrive);

}  // namespace

#include <string>

#include "model/project_file.h"
#include "platform/headless_platform.h"

namespace {

// Reading the shipped example project and calculating it (ReadProjectFile
// ends with the calculation).
void BM_ReadAndCalculateProject(benchmark::State& state) {
  kv5::ResetProgramState();
  kv5::DefaultHeadlessPlatform().SetEcho(false);
  const std::string file = std::string(KV5_SOURCE_DATA_DIR) + "/example.kv5";
  for (auto _ : state) {
    bool ok = kv5::ReadProjectFile(file);
    if (!ok) state.SkipWithError("example.kv5 not read");
    benchmark::DoNotOptimize(kv5::model.SB);
  }
}
BENCHMARK(BM_ReadAndCalculateProject);

}  // namespace
