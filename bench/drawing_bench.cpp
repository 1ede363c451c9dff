// Benchmarks of the drive drawings: the DXF export of both production
// drawings (item 8) and the screen recording of the "Quick 3" sheet (item
// 10), whose block inserts replay block files.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "app/core/batch_runs.h"
#include "app/core/program_state.h"
#include "cad/cad_backend.h"
#include "cad/cad_settings.h"
#include "graphics/drive_drawings.h"
#include "graphics/graphics_window.h"
#include "model/drive_model.h"
#include "model/project_file.h"
#include "platform/headless_platform.h"
#include "platform/platform.h"
#include "text/configuration.h"

namespace {

const std::string kProjects = std::string(KV5_SOURCE_DATA_DIR) + "/../tests/data/projects/";

bool LoadProject(benchmark::State& state, const std::string& name) {
  kv5::ResetProgramState();
  kv5::DefaultHeadlessPlatform().SetEcho(false);
  if (!kv5::ReadProjectFile(kProjects + name)) {
    state.SkipWithError("project not read");
    return false;
  }
  kv5::abortFlag = false;
  return true;
}

void BM_DxfExportBothProductionDrawings(benchmark::State& state) {
  if (!LoadProject(state, state.range(0) ? "pinwheel_iso_bores.kv5" : "rack_iso_bore.kv5")) return;
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "kv5_bench_dxf";
  std::filesystem::create_directories(folder);
  std::filesystem::current_path(folder);
  kv5::projectName = "bench";
  kv5::batchCad = true;  // no save dialog: bench.dxf in the current folder
  kv5::cadOpenAfterExport = false;
  for (auto _ : state) {
    kv5::DrawDriveMenu(kv5::kDrawBothProduction, kv5::kCadDxf);
    if (kv5::abortFlag) state.SkipWithError("DXF export failed");
  }
  state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(folder / "bench.dxf"));
  kv5::batchCad = false;
  std::filesystem::current_path("/");
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_DxfExportBothProductionDrawings)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_ScreenRecordingQuick3(benchmark::State& state) {
  if (!LoadProject(state, state.range(0) ? "pinwheel_iso_bores.kv5" : "rack_iso_bore.kv5")) return;
  size_t records = 0;
  for (auto _ : state) {
    kv5::InitGraphicsWindow();
    kv5::DrawDriveMenu(kv5::kDrawQuick3, kv5::kCadScreen);
    records = kv5::graphicsWindow.displayList.size();
  }
  state.counters["records"] = static_cast<double>(records);
}
BENCHMARK(BM_ScreenRecordingQuick3)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
