// Benchmarks of the STL output: the front view of a large pin wheel drawn
// through the CAD channel into a binary (and an ASCII) STL file.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "app/core/program_state.h"
#include "cad/cad_channel.h"
#include "cad/cad_settings.h"
#include "dialogs/file_checks.h"
#include "model/drive_model.h"
#include "platform/headless_platform.h"
#include "text/configuration.h"
#include "text/numeric.h"

namespace {

// A pin wheel of 200 pins on pitch 12.7 (roller 8.51, pin 4.45): plate,
// bore and one hole per pin, as the STL front view draws it; with pegs the
// rollers stand on the plate as cylinders.
constexpr int kPins = 200;
constexpr kv5::Real kPitch = 12.7L;
constexpr kv5::Real kRoller = 8.51L;
constexpr kv5::Real kPin = 4.45L;
constexpr kv5::Real kThickness = 6;

void DrawPinWheelFront(bool pegs) {
  using namespace kv5;
  const Real pinCircle = kPitch / std::sin(kPi / kPins) / 2;
  const Real plate = pinCircle + 0.6L * kRoller;
  CadSetLimits(-plate, -plate, plate, plate, 0);
  CadTables(0);
  CadBeginEntities();
  CadSetPen(5);
  CadSetZ(0, kThickness);
  CadCircle(0, 0, plate);
  CadCircleHole(0, 0, 50);
  if (pegs) CadSetZ(kThickness, kThickness + 7.75L);
  for (int i = 1; i <= kPins; ++i) {
    const Real a = kPi + i * 2 * kPi / kPins;
    const Real x = pinCircle * std::cos(a), y = pinCircle * std::sin(a);
    if (pegs)
      CadCircle(x, y, kRoller / 2);
    else
      CadCircleHole(x, y, kPin / 2);
  }
  CadEndSection();
}

void BM_StlPinWheelFront(benchmark::State& state) {
  const bool ascii = state.range(0) != 0;
  const bool pegs = state.range(1) != 0;
  kv5::ResetProgramState();
  kv5::HeadlessPlatform& platform = kv5::DefaultHeadlessPlatform();
  platform.SetEcho(false);
  kv5::confirmOverwrite = false;
  kv5::cadOpenAfterExport = false;
  kv5::stlType = ascii ? "ASCII" : "Binary";
  char pattern[] = "/tmp/kv5_stl_bench.XXXXXX";
  if (!mkdtemp(pattern)) {
    state.SkipWithError("no temporary folder");
    return;
  }
  const std::string folder = pattern;
  const std::string file = folder + "/pinwheel.stl";
  kv5::tempFolder = folder + "/";
  for (auto _ : state) {
    platform.QueueAnswer(file);
    kv5::CadBegin(kv5::kCadStl);
    DrawPinWheelFront(pegs);
    kv5::CadEnd();
    if (kv5::abortFlag) {
      state.SkipWithError("STL export failed");
      break;
    }
  }
  std::error_code error;
  const auto bytes = std::filesystem::file_size(file, error);
  state.counters["file_MB"] = error ? 0 : static_cast<double>(bytes) / 1e6;
  state.counters["MB_per_s"] = benchmark::Counter(error ? 0 : static_cast<double>(bytes) / 1e6,
                                                  benchmark::Counter::kIsIterationInvariantRate);
  std::filesystem::remove_all(folder, error);
}
BENCHMARK(BM_StlPinWheelFront)
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->ArgNames({"ascii", "pegs"})
    ->Unit(benchmark::kMillisecond);

}  // namespace
