// Rendering of a display list into an image without any window: Qt's
// off-screen platform, a QImage and the Qt display list painter.
#pragma once

#include <QImage>
#include <string>

#include "graphics/graphics_window.h"

namespace kv5 {

// Makes sure a Qt GUI application exists (fonts need one). Chooses the
// off-screen platform unless QT_QPA_PLATFORM says otherwise.
void EnsureOffscreenGuiApplication();

struct ImageRenderRequest {
  int areaWidth = 0;  // W × H the list was recorded for; 0: from its first window record
  int areaHeight = 0;
  int imageWidth = 0;  // 0: the area size
  int imageHeight = 0;
  RgbColour background = kBlack;
  bool colourDisplay = true;
  std::string textFont = "Arial";
  int textStyleFlags = 3;
};

struct ImageRenderResult {
  QImage image;
  ReplayResult replay;
  int areaWidth = 0;  // the area used
  int areaHeight = 0;
};

// The drawing area a list was recorded for, from its first window record
// (a full-area window: W = vx1 + vx2, H = vy1 + vy2); 640 × 480 without one.
std::pair<int, int> AreaOfDisplayList(const DisplayList& list);

// Draws the whole list, zoomed to its first window, into an image of the
// requested size; the picture keeps its proportions and sits top left.
ImageRenderResult RenderDisplayList(const DisplayList& list, const ImageRenderRequest& request);

// The same into a PNG file; false when the file cannot be written.
bool RenderDisplayListToPng(const DisplayList& list, const ImageRenderRequest& request,
                            const std::string& pngFile, ReplayResult* replay = nullptr);

}  // namespace kv5
