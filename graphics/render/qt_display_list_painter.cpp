#include "graphics/render/qt_display_list_painter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPolygon>
#include <QString>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace kv5 {

namespace {

QColor ToQColor(RgbColour c) {
  return QColor(c.r, c.g, c.b);
}
QPoint ToQPoint(ScreenPoint p) {
  return QPoint(p.x, p.y);
}

Qt::PenStyle ToQtStyle(PenStyle style) {
  switch (style) {
    case PenStyle::Dotted:
      return Qt::DotLine;
    case PenStyle::DashDot:
      return Qt::DashDotLine;
    case PenStyle::Dashed:
      return Qt::DashLine;
    case PenStyle::Solid:
      break;
  }
  return Qt::SolidLine;
}

// Angle in degrees of point p on the ellipse of the box, as Qt counts it
// (counter-clockwise on the screen, from 3 o'clock), for the ray from the
// centre through p: the ray's point on a non-circular ellipse lies at the
// parametric angle of p scaled to the unit circle.
double EllipseAngle(const QRectF& box, ScreenPoint p) {
  const double rx = box.width() / 2, ry = box.height() / 2;
  const double dx = (p.x - box.center().x()) / (rx > 0 ? rx : 1);
  const double dy = (box.center().y() - p.y) / (ry > 0 ? ry : 1);
  if (dx == 0 && dy == 0) return 0;
  return std::atan2(dy, dx) * 180 / std::numbers::pi;
}

QRectF BoxOf(ScreenPoint topLeft, ScreenPoint bottomRight) {
  return QRectF(QPointF(topLeft.x, topLeft.y), QPointF(bottomRight.x, bottomRight.y));
}

}  // namespace

QtDisplayListPainter::QtDisplayListPainter(QPainter& painter) : painter_(painter) {
  // Without smoothing, drawing a figure again in the background colour
  // erases it completely, as the animation needs.
  painter_.setRenderHint(QPainter::Antialiasing, false);
  ApplyPen();
  painter_.setBrush(Qt::NoBrush);
}

QtDisplayListPainter::~QtDisplayListPainter() {
  if (painter_.isActive()) Flush();
}

void QtDisplayListPainter::Flush() {
  if (lines_.empty()) return;
  painter_.drawLines(lines_.data(), static_cast<int>(lines_.size()));
  lines_.clear();
}

void QtDisplayListPainter::ApplyPen() {
  Flush();
  QPen pen(penColour_);
  pen.setStyle(ToQtStyle(penStyle_));
  pen.setWidth(std::max(1, penWidth_));
  pen.setCapStyle(penWidth_ > 1 ? Qt::RoundCap : Qt::FlatCap);
  pen.setJoinStyle(penWidth_ > 1 ? Qt::RoundJoin : Qt::MiterJoin);
  painter_.setPen(pen);
}

// A list sets the pen before nearly every figure, mostly to what it
// already is; a new QPen for each would cost more than the figure.
void QtDisplayListPainter::SetPenColour(RgbColour colour) {
  const QColor next = ToQColor(colour);
  if (next == penColour_) return;
  penColour_ = next;
  ApplyPen();
}

void QtDisplayListPainter::SetPenStyle(PenStyle style) {
  if (style == penStyle_) return;
  penStyle_ = style;
  ApplyPen();
}

void QtDisplayListPainter::SetPenWidth(int width) {
  if (width == penWidth_) return;
  penWidth_ = width;
  ApplyPen();
}

void QtDisplayListPainter::SetBrushColour(RgbColour colour) {
  brushColour_ = ToQColor(colour);
}

void QtDisplayListPainter::MoveTo(ScreenPoint p) {
  position_ = ToQPoint(p);
}

void QtDisplayListPainter::LineTo(ScreenPoint p) {
  lines_.emplace_back(position_, ToQPoint(p));
  position_ = ToQPoint(p);
}

void QtDisplayListPainter::Ellipse(ScreenPoint topLeft, ScreenPoint bottomRight) {
  Flush();
  painter_.setBrush(Qt::NoBrush);
  painter_.drawEllipse(BoxOf(topLeft, bottomRight));
}

void QtDisplayListPainter::Arc(ScreenPoint topLeft, ScreenPoint bottomRight, ScreenPoint start,
                               ScreenPoint end) {
  Flush();
  const QRectF box = BoxOf(topLeft, bottomRight);
  const double from = EllipseAngle(box, start);
  double span = EllipseAngle(box, end) - from;
  while (span <= 0) span += 360;  // the same ray twice: the whole ellipse
  painter_.setBrush(Qt::NoBrush);
  painter_.drawArc(box, static_cast<int>(std::lround(from * 16)),
                   static_cast<int>(std::lround(span * 16)));
}

void QtDisplayListPainter::Polygon(const std::array<ScreenPoint, 4>& corners) {
  Flush();
  QPolygon polygon;
  for (const ScreenPoint& p : corners) polygon << ToQPoint(p);
  painter_.setBrush(QBrush(brushColour_));
  painter_.drawPolygon(polygon);
  painter_.setBrush(Qt::NoBrush);
}

void QtDisplayListPainter::Text(ScreenPoint topLeft, const TextFont& font, RgbColour colour,
                                const std::string& text) {
  Flush();
  if (font.height <= 0 || text.empty()) return;
  QFont qfont(QString::fromStdString(font.name));
  // The height is that of the whole cell (ascent and descent), as a
  // window system's font height; Qt sizes the em square.
  qfont.setPixelSize(font.height);
  QFontMetricsF probe(qfont);
  const double cell = probe.ascent() + probe.descent();
  if (cell > 0)
    qfont.setPixelSize(
        std::max(1, static_cast<int>(std::lround(font.height * font.height / cell))));
  // Weights below bold show the regular face: the program's light weight
  // asks for a face that its fonts do not have.
  qfont.setWeight(font.weight >= 600 ? QFont::Bold : QFont::Normal);
  qfont.setItalic(font.italic);
  qfont.setUnderline(font.underline);
  qfont.setStrikeOut(font.strikeOut);
  if (font.width > 0) {
    const double natural = QFontMetricsF(qfont).averageCharWidth();
    if (natural > 0)
      qfont.setStretch(
          std::clamp(static_cast<int>(std::lround(100 * font.width / natural)), 1, 4000));
  }
  painter_.save();
  painter_.setFont(qfont);
  painter_.setPen(ToQColor(colour));
  painter_.translate(topLeft.x, topLeft.y);
  painter_.rotate(-font.escapement / 10.0);
  painter_.drawText(QPointF(0, QFontMetricsF(qfont).ascent()), QString::fromStdString(text));
  painter_.restore();
}

void QtDisplayListPainter::Pause(int milliseconds) {
  Flush();
  pausedMilliseconds_ += milliseconds;
}

}  // namespace kv5
