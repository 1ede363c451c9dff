#include "graphics/tooth_outline.h"

#include <cmath>
#include <string>

#include "cad/cad_channel.h"
#include "graphics/geometry.h"
#include "text/numeric.h"

namespace kv5 {
namespace {}  // namespace

ToothOutline ComputeToothOutline(int z, Real alphaDeg, Real ri, Real re, Real dfMean, Real daTip) {
  const Real tau = 2 * kPi / z;
  const Real alpha = DegToRad(alphaDeg);
  const Real m = alpha / 2;
  const Real ra = daTip / 2;
  // Seat centre: the bottom of the seat lies on the root circle.
  const Point seat{0, dfMean / 2 + ri};
  // The flank circle touches the seat circle from outside.
  const Point flank{(re + ri) * std::sin(m), seat.y - (re + ri) * std::cos(m)};
  // Tangent point of flank and seat at the end of the seating angle.
  const Point tangent{flank.x + re * std::cos(kPi / 2 + m), flank.y + re * std::sin(kPi / 2 + m)};

  ToothOutline outline;
  Point p1, p2;
  Point q = tangent;
  outline.flankMeetsTip = CircleCircleIntersect(flank, re, Point{}, ra, p1, p2);
  if (outline.flankMeetsTip) q = p1.y > p2.y ? p1 : p2;
  const Real delta = AngleOf(q.x - flank.x, q.y - flank.y);
  const Real g = AngleOf(q.x, q.y);
  const Real tipStart = kPi / 2 - tau / 2;
  const Real tipSweep = outline.flankMeetsTip ? g - tipStart : 0;
  const Real flankSweep = outline.flankMeetsTip ? kPi / 2 + m - delta : 0;
  const Real leftEnd = MirrorAngle(delta, kPi / 2);
  const Point left{-flank.x, flank.y};

  ToothOutlineVertex* v = outline.vertex;
  v[0] = {ra * std::cos(tipStart), ra * std::sin(tipStart), tipSweep};
  v[1] = {q.x, q.y, flankSweep};
  v[2] = {tangent.x, tangent.y, -alpha};
  v[3] = {seat.x + ri * std::cos(3 * kPi / 2 - m), seat.y + ri * std::sin(3 * kPi / 2 - m),
          flankSweep};
  if (outline.flankMeetsTip)
    v[4] = {left.x + re * std::cos(leftEnd), left.y + re * std::sin(leftEnd), tipSweep};
  else
    v[4] = {-q.x, q.y, 0};
  v[5] = {ra * std::cos(kPi / 2 + tau / 2), ra * std::sin(kPi / 2 + tau / 2), 0};
  return outline;
}

void DrawToothOutline(int z, Real alphaDeg, Real ri, Real re, Real dfMean, Real daTip) {
  const ToothOutline outline = ComputeToothOutline(z, alphaDeg, ri, re, dfMean, daTip);
  CadSetPen(5);
  CadPolyBegin(false);
  for (const ToothOutlineVertex& v : outline.vertex) CadPolyVertex(v.x, v.y, v.sweep);
  CadPolyEnd();
}

void DrawWheel1Front(int blockNo, int z, Real d, Real daMax, Real dBore) {
  if (!CadIsSolidOpen()) {
    CadSetPen(1);
    CadCircle(0, 0, d / 2);
    // Centre lines reach 1.1 tip radii on each side.
    CadLine(-0.55L * daMax, 0, 0.55L * daMax, 0);
    CadLine(0, -0.55L * daMax, 0, 0.55L * daMax);
  }
  CadSetPen(5);
  const std::string block = "TOOTH" + std::to_string(blockNo);
  for (int i = 1; i <= z; ++i)
    CadInsert(block, 0, 0, static_cast<Real>(i - 1) / z * 360 - 90, 1, 1);
  if (dBore > 0) CadCircleHole(0, 0, dBore / 2);
}

}  // namespace kv5
