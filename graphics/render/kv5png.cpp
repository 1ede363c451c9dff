// kv5png: draws a display list file of the graphics window into a PNG
// image, without a window.
//
//   kv5png LIST PNG [WIDTH HEIGHT] [--area WxH] [--background RRGGBB] [--mono]
//
// WIDTH × HEIGHT is the image size (default: the drawing area the list was
// recorded for). The picture keeps its proportions.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "graphics/graphics_window.h"
#include "graphics/render/png_renderer.h"
#include "text/number_format.h"

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: kv5png LIST PNG [WIDTH HEIGHT] [--area WxH] [--background RRGGBB] "
               "[--mono]\n");
  return 2;
}

bool ParseSize(const std::string& text, int& w, int& h) {
  size_t x = text.find('x');
  return x != std::string::npos && kv5::TryParseInt(text.substr(0, x), w) &&
         kv5::TryParseInt(text.substr(x + 1), h) && w > 0 && h > 0;
}

bool ParseColour(const std::string& text, kv5::RgbColour& colour) {
  if (text.size() != 6) return false;
  char* end = nullptr;
  unsigned long v = std::strtoul(text.c_str(), &end, 16);
  if (*end != '\0') return false;
  colour = {static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 8),
            static_cast<std::uint8_t>(v)};
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> positional;
  kv5::ImageRenderRequest request;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--area" && i + 1 < argc) {
      if (!ParseSize(argv[++i], request.areaWidth, request.areaHeight)) return Usage();
    } else if (arg == "--background" && i + 1 < argc) {
      if (!ParseColour(argv[++i], request.background)) return Usage();
    } else if (arg == "--mono") {
      request.colourDisplay = false;
    } else if (arg.rfind("--", 0) == 0) {
      return Usage();
    } else {
      positional.push_back(arg);
    }
  }
  if (positional.size() != 2 && positional.size() != 4) return Usage();
  if (positional.size() == 4 &&
      (!kv5::TryParseInt(positional[2], request.imageWidth) ||
       !kv5::TryParseInt(positional[3], request.imageHeight) || request.imageWidth <= 0 ||
       request.imageHeight <= 0 || request.imageWidth > 20000 || request.imageHeight > 20000))
    return Usage();

  std::optional<kv5::DisplayListFile> file = kv5::LoadDisplayList(positional[0]);
  if (!file) {
    std::fprintf(stderr, "kv5png: cannot read %s\n", positional[0].c_str());
    return 1;
  }
  if (request.areaWidth == 0) {
    request.areaWidth = file->areaWidth;
    request.areaHeight = file->areaHeight;
  }
  kv5::ReplayResult replay;
  if (!kv5::RenderDisplayListToPng(file->records, request, positional[1], &replay)) {
    std::fprintf(stderr, "kv5png: cannot write %s\n", positional[1].c_str());
    return 1;
  }
  std::printf("%s: %zu records drawn, %zu skipped\n", positional[1].c_str(), replay.recordsReplayed,
              replay.recordsSkipped);
  return 0;
}
