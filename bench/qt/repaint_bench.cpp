// One full repaint of the graphics window: both production drawings
// (drawing item 8) recorded into the display list by the screen output,
// then replayed onto a 1920 × 1080 image as the window paints it.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <cstdlib>
#include <string>

#include "app/core/program_state.h"
#include "app/qt/graphics_view.h"
#include "cad/cad_backend.h"
#include "graphics/drive_drawings.h"
#include "graphics/graphics_window.h"
#include "model/drive_model.h"
#include "model/project_file.h"
#include "platform/headless_platform.h"
#include "text/configuration.h"

namespace {

const std::string kProjects = std::string(KV5_SOURCE_DATA_DIR) + "/../tests/data/projects/";

bool RecordDrawing(benchmark::State& state, const std::string& project) {
  kv5::ResetProgramState();
  kv5::DefaultHeadlessPlatform().SetEcho(false);
  kv5::storedSettings.mainWindowWidth = 1920;
  kv5::storedSettings.mainWindowHeight = 1080;
  if (!kv5::ReadProjectFile(kProjects + project)) {
    state.SkipWithError("project not read");
    return false;
  }
  kv5::abortFlag = false;
  kv5::InitGraphicsWindow();
  kv5::DrawDriveMenu(kv5::kDrawBothProduction, kv5::kCadScreen);
  if (kv5::abortFlag || kv5::graphicsWindow.displayList.empty()) {
    state.SkipWithError("drawing not recorded");
    return false;
  }
  return true;
}

void BM_RepaintBothProductionDrawings(benchmark::State& state) {
  if (!RecordDrawing(state, state.range(0) ? "pinwheel_iso_bores.kv5" : "rack_iso_bore.kv5"))
    return;
  QImage image(1920, 1080, QImage::Format_RGB32);
  for (auto _ : state) {
    kv5::PaintGraphicsWindow(kv5::graphicsWindow, image);
    benchmark::DoNotOptimize(image.constBits());
  }
  state.counters["records"] = static_cast<double>(kv5::graphicsWindow.displayList.size());
}
BENCHMARK(BM_RepaintBothProductionDrawings)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QGuiApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
