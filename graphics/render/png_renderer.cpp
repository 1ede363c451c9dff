#include "graphics/render/png_renderer.h"

#include <QGuiApplication>
#include <QPainter>
#include <algorithm>
#include <cstdlib>
#include <memory>

#include "graphics/render/qt_display_list_painter.h"
#include "text/number_format.h"

namespace kv5 {

void EnsureOffscreenGuiApplication() {
  if (QCoreApplication::instance()) return;
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 0);
  static int argc = 1;
  static char name[] = "kv5png";
  static char* argv[] = {name, nullptr};
  static std::unique_ptr<QGuiApplication> application =
      std::make_unique<QGuiApplication>(argc, argv);
}

namespace {

// The viewport of the first window record, if there is one.
std::optional<Viewport> FirstViewport(const DisplayList& list) {
  for (const std::string& record : list) {
    if (record.rfind("10;", 0) != 0) continue;
    int v[4];
    size_t pos = 3;
    bool ok = true;
    for (int& value : v) {
      size_t end = record.find(';', pos);
      if (end == std::string::npos) {
        ok = false;
        break;
      }
      if (!TryParseInt(record.substr(pos, end - pos), value)) {
        ok = false;
        break;
      }
      pos = end + 1;
    }
    if (ok && v[2] > v[0] && v[3] > v[1]) return Viewport{v[0], v[1], v[2], v[3]};
  }
  return std::nullopt;
}

}  // namespace

std::pair<int, int> AreaOfDisplayList(const DisplayList& list) {
  std::optional<Viewport> v = FirstViewport(list);
  if (!v || v->x1 < 0 || v->y1 < 0) return {640, 480};
  return {v->x1 + v->x2, v->y1 + v->y2};
}

ImageRenderResult RenderDisplayList(const DisplayList& list, const ImageRenderRequest& request) {
  EnsureOffscreenGuiApplication();
  ImageRenderResult result;
  auto [areaWidth, areaHeight] = AreaOfDisplayList(list);
  if (request.areaWidth > 0 && request.areaHeight > 0) {
    areaWidth = request.areaWidth;
    areaHeight = request.areaHeight;
  }
  result.areaWidth = areaWidth;
  result.areaHeight = areaHeight;
  const int imageWidth = request.imageWidth > 0 ? request.imageWidth : areaWidth;
  const int imageHeight = request.imageHeight > 0 ? request.imageHeight : areaHeight;

  ReplayOptions options;
  options.mapping.areaWidth = areaWidth;
  options.mapping.areaHeight = areaHeight;
  // The whole picture: the zoom rectangle is the first window's viewport.
  Viewport first = FirstViewport(list).value_or(Viewport{0, 0, areaWidth, areaHeight});
  options.mapping.zoom = {first.x1, first.y1, first.x2, first.y2};
  options.background = request.background;
  options.colourDisplay = request.colourDisplay;
  options.textFont = request.textFont;
  options.textStyleFlags = request.textStyleFlags;
  if (imageWidth != areaWidth || imageHeight != areaHeight) {
    const double f = std::min(double(imageWidth) / areaWidth, double(imageHeight) / areaHeight);
    options.screenScale.pageWidth = imageWidth;
    options.screenScale.pageHeight = imageHeight;
    options.screenScale.scaleX = f * areaWidth / imageWidth;
    options.screenScale.scaleY = f * areaHeight / imageHeight;
  }

  result.image = QImage(imageWidth, imageHeight, QImage::Format_RGB32);
  result.image.fill(QColor(request.background.r, request.background.g, request.background.b));
  QPainter painter(&result.image);
  QtDisplayListPainter canvas(painter);
  result.replay = ReplayDisplayList(list, canvas, options);
  painter.end();
  return result;
}

bool RenderDisplayListToPng(const DisplayList& list, const ImageRenderRequest& request,
                            const std::string& pngFile, ReplayResult* replay) {
  ImageRenderResult result = RenderDisplayList(list, request);
  if (replay) *replay = result.replay;
  return result.image.save(QString::fromStdString(pngFile), "PNG");
}

}  // namespace kv5
