#include "graphics/geometry.h"

#include <cmath>

#include "text/messages.h"
#include "text/number_format.h"
#include "text/numeric.h"

namespace kv5 {

Real MirrorAngle(Real a, Real m) {
  return 2 * m - a;
}

bool CircleCircleIntersect(Point c1, Real r1, Point c2, Real r2, Point& p1, Point& p2) {
  p1 = p2 = Point{};
  const Real dx = c2.x - c1.x;
  const Real dy = c2.y - c1.y;
  const Real d = std::sqrt(dx * dx + dy * dy);
  if (d == 0) return false;
  const Real a = (r1 * r1 - r2 * r2 + d * d) / (2 * d);
  const Real h2 = r1 * r1 - a * a;
  if (!(h2 >= 0)) return false;
  const Real h = std::sqrt(h2);
  const Point mid{c1.x + a * dx / d, c1.y + a * dy / d};
  p1 = {mid.x + h * dy / d, mid.y - h * dx / d};
  p2 = {mid.x - h * dy / d, mid.y + h * dx / d};
  return true;
}

bool ArcFromChord(Real x1, Real y1, Real x2, Real y2, Real phi, Real& cx, Real& cy, Real& r) {
  if (std::fabs(std::fabs(phi) - 2 * kPi) < 1e-12L) {
    cx = x1;
    cy = y1;
    r = 0;
    return true;
  }
  const Real half = phi / 2;
  const Real sinHalf = std::sin(half);
  if (sinHalf == 0) {
    if (!hideWarnings) AddMessage("Fehler in GetArcCenter (dphi = " + FormatAuto(phi) + " ! ");
    return false;
  }
  const Real dx = x2 - x1, dy = y2 - y1;
  const Real chord = Hypot(dx, dy);
  r = std::fabs(chord / (2 * sinHalf));
  cx = (x1 + x2) / 2;
  cy = (y1 + y2) / 2;
  if (chord > 0) {
    const Real h = chord / (2 * std::tan(half));
    cx += h * -dy / chord;
    cy += h * dx / chord;
  }
  return true;
}

}  // namespace kv5
