// The display list painter on a QPainter: what the graphics window's replay
// draws, on a QImage (PNG output) or any other Qt paint device.
#pragma once

#include <QLine>
#include <QPainter>
#include <QPoint>
#include <vector>

#include "graphics/graphics_window.h"

namespace kv5 {

class QtDisplayListPainter : public DisplayListPainter {
 public:
  // The painter must stay active while the replay runs.
  explicit QtDisplayListPainter(QPainter& painter);
  ~QtDisplayListPainter() override;

  void SetPenColour(RgbColour colour) override;
  void SetPenStyle(PenStyle style) override;
  void SetPenWidth(int width) override;
  void SetBrushColour(RgbColour colour) override;
  void MoveTo(ScreenPoint p) override;
  void LineTo(ScreenPoint p) override;
  void Ellipse(ScreenPoint topLeft, ScreenPoint bottomRight) override;
  void Arc(ScreenPoint topLeft, ScreenPoint bottomRight, ScreenPoint start,
           ScreenPoint end) override;
  void Polygon(const std::array<ScreenPoint, 4>& corners) override;
  void Text(ScreenPoint topLeft, const TextFont& font, RgbColour colour,
            const std::string& text) override;
  // An image is not shown while it is drawn, so pauses only count.
  void Pause(int milliseconds) override;
  void Flush() override;

  int pausedMilliseconds() const { return pausedMilliseconds_; }

 private:
  void ApplyPen();

  QPainter& painter_;
  QColor penColour_ = Qt::black;
  QColor brushColour_ = Qt::black;
  PenStyle penStyle_ = PenStyle::Solid;
  int penWidth_ = 1;
  QPoint position_;
  // Lines of the current pen not yet drawn: one call for a run of lines
  // costs far less than one call each.
  std::vector<QLine> lines_;
  int pausedMilliseconds_ = 0;
};

}  // namespace kv5
