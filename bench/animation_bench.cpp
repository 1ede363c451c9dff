// Benchmarks of the meshing animation: recording one whole animation into
// the display list (screen output run with block files), and replaying the
// recorded list onto a painter that draws nothing, with the pauses counted
// but not waited. The replay of one frame must cost far less than the pause
// that follows it, or the animation runs slower than the pauses set.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "app/core/program_state.h"
#include "cad/cad_channel.h"
#include "graphics/animation.h"
#include "graphics/graphics_window.h"
#include "model/drive_model.h"
#include "model/project_file.h"
#include "platform/headless_platform.h"
#include "text/configuration.h"

namespace {

const std::string kProjects = std::string(KV5_SOURCE_DATA_DIR) + "/../tests/data/projects/";

class NullPainter : public kv5::DisplayListPainter {
 public:
  void SetPenColour(kv5::RgbColour) override {}
  void SetPenStyle(kv5::PenStyle) override {}
  void SetPenWidth(int) override {}
  void SetBrushColour(kv5::RgbColour) override {}
  void MoveTo(kv5::ScreenPoint p) override { sink_ += p.x; }
  void LineTo(kv5::ScreenPoint p) override { sink_ += p.y; }
  void Ellipse(kv5::ScreenPoint, kv5::ScreenPoint) override {}
  void Arc(kv5::ScreenPoint, kv5::ScreenPoint, kv5::ScreenPoint, kv5::ScreenPoint) override {}
  void Polygon(const std::array<kv5::ScreenPoint, 4>&) override {}
  void Text(kv5::ScreenPoint, const kv5::TextFont&, kv5::RgbColour, const std::string&) override {}
  void Pause(int ms) override {
    ++pauses;
    pausedMs += ms;
  }
  long long sink_ = 0;
  int pauses = 0;
  long long pausedMs = 0;
};

bool Prepare(benchmark::State& state, bool pinWheel) {
  kv5::ResetProgramState();
  kv5::DefaultHeadlessPlatform().SetEcho(false);
  if (!kv5::ReadProjectFile(kProjects +
                            (pinWheel ? "pinwheel_iso_bores.kv5" : "rack_iso_bore.kv5"))) {
    state.SkipWithError("project not read");
    return false;
  }
  kv5::abortFlag = false;
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "kv5_bench_anim";
  std::filesystem::create_directories(folder);
  kv5::tempFolder = folder.string() + "/";
  return true;
}

kv5::AnimationParameters Frames(int frames) {
  kv5::AnimationParameters p;
  p.frames = frames;
  p.rotationAngle = 360;
  p.pauseMs = 10;
  return p;
}

void Record(const kv5::AnimationParameters& p) {
  kv5::CadBegin(kv5::kCadScreen);
  kv5::DrawAnimationFrames(p);
}

// range(0): 0 pin rack, 1 pin wheel; range(1): frames.
void BM_RecordAnimation(benchmark::State& state) {
  if (!Prepare(state, state.range(0) != 0)) return;
  const kv5::AnimationParameters p = Frames(static_cast<int>(state.range(1)));
  for (auto _ : state) Record(p);
  state.counters["records"] = static_cast<double>(kv5::graphicsWindow.displayList.size());
  state.counters["per_frame"] = benchmark::Counter(
      static_cast<double>(state.range(1) + 1) * static_cast<double>(state.iterations()),
      benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_RecordAnimation)
    ->Args({0, 20})
    ->Args({1, 20})
    ->Args({0, 360})
    ->Args({1, 360})
    ->Unit(benchmark::kMillisecond);

void BM_ReplayAnimation(benchmark::State& state) {
  if (!Prepare(state, state.range(0) != 0)) return;
  const int frames = static_cast<int>(state.range(1));
  Record(Frames(frames));
  int pauses = 0;
  for (auto _ : state) {
    NullPainter painter;
    kv5::graphicsWindow.Paint(painter);
    pauses = painter.pauses;
    benchmark::DoNotOptimize(painter.sink_);
  }
  if (pauses != frames) state.SkipWithError("pauses missing from the list");
  state.counters["records"] = static_cast<double>(kv5::graphicsWindow.displayList.size());
  // Replay time of one frame (drawn and erased), to set against its pause.
  state.counters["per_frame"] =
      benchmark::Counter(static_cast<double>(frames + 1) * static_cast<double>(state.iterations()),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ReplayAnimation)
    ->Args({0, 20})
    ->Args({1, 20})
    ->Args({0, 360})
    ->Args({1, 360})
    ->Unit(benchmark::kMillisecond);

}  // namespace
