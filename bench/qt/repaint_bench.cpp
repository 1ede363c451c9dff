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
#include "cad/cad_channel.h"
#include "graphics/animation.h"
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

// The meshing animation of 360 frames replayed onto a 1920 × 1080 image,
// its pauses counted, not waited: the time of one frame (drawn and erased)
// against the pause of 10 ms that follows it.
void BM_ReplayAnimationOntoImage(benchmark::State& state) {
  kv5::ResetProgramState();
  kv5::DefaultHeadlessPlatform().SetEcho(false);
  kv5::storedSettings.mainWindowWidth = 1920;
  kv5::storedSettings.mainWindowHeight = 1080;
  if (!kv5::ReadProjectFile(kProjects +
                            (state.range(0) ? "pinwheel_iso_bores.kv5" : "rack_iso_bore.kv5"))) {
    state.SkipWithError("project not read");
    return;
  }
  kv5::abortFlag = false;
  kv5::InitGraphicsWindow();
  kv5::AnimationParameters p;
  p.frames = 360;
  p.rotationAngle = 360;
  kv5::CadBegin(kv5::kCadScreen);
  kv5::DrawAnimationFrames(p);
  QImage image(1920, 1080, QImage::Format_RGB32);
  int pauses = 0;
  for (auto _ : state) {
    pauses = 0;
    kv5::PaintGraphicsWindow(kv5::graphicsWindow, image, [&](int) { ++pauses; });
    benchmark::DoNotOptimize(image.constBits());
  }
  if (pauses != p.frames) state.SkipWithError("pauses missing from the list");
  state.counters["records"] = static_cast<double>(kv5::graphicsWindow.displayList.size());
  state.counters["per_frame"] = benchmark::Counter(
      static_cast<double>(p.frames + 1) * static_cast<double>(state.iterations()),
      benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ReplayAnimationOntoImage)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

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
