// kv5drawpng: draws one entry of a project's drawing list as the screen
// would show it and saves the picture as a PNG image, without a window.
//
//   kv5drawpng PROJECT ITEM PNG [WIDTH HEIGHT]
//
// ITEM is the number of the drawing list entry (1 "Getriebe" … 15). The
// drawing is recorded into the display list of the graphics window (output
// kind screen) and rendered at WIDTH × HEIGHT (default 1600 × 1200).
#include <cstdio>
#include <string>

#include "app/core/program_state.h"
#include "cad/cad_backend.h"
#include "graphics/drive_drawings.h"
#include "graphics/graphics_window.h"
#include "graphics/render/png_renderer.h"
#include "model/drive_model.h"
#include "model/project_file.h"
#include "platform/headless_platform.h"
#include "text/number_format.h"

int main(int argc, char** argv) {
  if (argc != 4 && argc != 6) {
    std::fprintf(stderr, "usage: kv5drawpng PROJECT ITEM PNG [WIDTH HEIGHT]\n");
    return 2;
  }
  int item = 0;
  kv5::ImageRenderRequest request;
  request.imageWidth = 1600;
  request.imageHeight = 1200;
  if (!kv5::TryParseInt(argv[2], item) || item < 1 || item > 15 ||
      (argc == 6 &&
       (!kv5::TryParseInt(argv[4], request.imageWidth) ||
        !kv5::TryParseInt(argv[5], request.imageHeight) || request.imageWidth <= 0 ||
        request.imageHeight <= 0 || request.imageWidth > 20000 || request.imageHeight > 20000))) {
    std::fprintf(stderr, "kv5drawpng: bad item or size\n");
    return 2;
  }
  kv5::HeadlessPlatform platform;
  kv5::SetPlatform(&platform);
  kv5::ResetProgramState();
  if (!kv5::ReadProjectFile(argv[1])) {
    std::fprintf(stderr, "kv5drawpng: cannot read %s\n", argv[1]);
    return 1;
  }
  kv5::abortFlag = false;
  kv5::DrawDriveMenu(item, kv5::kCadScreen);
  const kv5::DisplayList& list = kv5::graphicsWindow.displayList;
  auto [areaWidth, areaHeight] = kv5::AreaOfDisplayList(list);
  request.areaWidth = areaWidth;
  request.areaHeight = areaHeight;
  kv5::ReplayResult replay;
  if (!kv5::RenderDisplayListToPng(list, request, argv[3], &replay)) {
    std::fprintf(stderr, "kv5drawpng: cannot write %s\n", argv[3]);
    return 1;
  }
  std::printf("%s: %zu records drawn, %zu skipped\n", argv[3], replay.recordsReplayed,
              replay.recordsSkipped);
  return 0;
}
