#include "cad/screen_backend.h"

#include <cmath>

#include "cad/cad_channel.h"
#include "cad/cad_settings.h"
#include "graphics/graphics_window.h"

namespace kv5 {

ScreenBackend::ScreenBackend() {
  GrClear();
}

void ScreenBackend::Limits(const CadLimits& limits) {
  GrHeader(limits.xmin, limits.ymin, limits.xmax, limits.ymax);
}

void ScreenBackend::BeginEntities() {
  GrClearViewPort();
  GrSetLineStyle(0);
}

bool ScreenBackend::Finish() {
  GrClearViewPort();
  return true;
}

void ScreenBackend::SetPen(int pen, const std::string& /*layer*/) {
  if (cadState.penMode == 2) {
    if (pen == 0) GrSetColor(0);
  } else if (pen <= 5) {
    GrSetLineStyle(pen == 1 ? 2 : (pen == 2 ? 3 : 0));
    GrSetPenColor(CadPenColour(pen));
  } else {
    GrSetLineStyle(0);
    if (pen >= 16) GrSetPenColor(CadPenColour(pen));
  }
  int width = 1;
  if (pen >= 1 && pen <= 5) width = CadPenLineWidth(pen);
  if (pen >= 16 && CadPenLineWidth(pen) >= 2 && CadPenLineWidth(pen) <= 50)
    width = CadPenLineWidth(pen);
  GrSetLineWidth(width);
}

void ScreenBackend::SetTextStyle(const CadTextStyle& style) {
  GrSetTextStyle(style.font, style.angle, style.height, 0.95L * style.charWidth);
}

void ScreenBackend::SetLineStyle(int style) {
  GrSetLineStyle(style);
}

void ScreenBackend::Delay(int milliseconds) {
  GrSleepMs(milliseconds);
}

void ScreenBackend::Line(Real x1, Real y1, Real x2, Real y2) {
  GrLine(x1, y1, x2, y2);
}

void ScreenBackend::Circle(Real x, Real y, Real r, bool /*hole*/) {
  GrCircle(x, y, r);
}

void ScreenBackend::Arc(Real x, Real y, Real start, Real end, Real r) {
  GrArc(x, y, start, end, r, std::fabs(end - start));
}

void ScreenBackend::ArcSweep(Real x, Real y, Real start, Real end, Real r, Real sweep) {
  GrArc(x, y, start, end, r, sweep);
}

void ScreenBackend::Text(const std::string& text, Real x, Real y) {
  GrOutText(text, x, y);
}

// The window fills the quadrilateral as a polygon through its corners in
// order; DXF solids list the last two corners the other way round.
void ScreenBackend::Solid(Real x1, Real y1, Real x2, Real y2, Real x3, Real y3, Real x4, Real y4) {
  GrSolid(x1, y1, x2, y2, x4, y4, x3, y3);
}

}  // namespace kv5
