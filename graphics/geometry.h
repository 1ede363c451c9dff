// Plane geometry helpers shared by the drawings and the CAD channel
// (extended precision, angles in radians).
#pragma once

#include "model/drive_model.h"

namespace kv5 {

struct Point {
  Real x = 0;
  Real y = 0;
};

// The angle a mirrored at the direction m.
Real MirrorAngle(Real a, Real m);

// The two intersection points of two circles; false (points zero) when the
// circles do not meet or share their centre.
bool CircleCircleIntersect(Point c1, Real r1, Point c2, Real r2, Point& p1, Point& p2);

// Centre and radius of the arc from P1 to P2 with the signed included angle
// phi (rad). A sweep of exactly ±2π gives centre P1 and radius 0. False for
// any other sweep with sin(phi/2) = 0 (the message "Fehler in GetArcCenter
// (dphi = <phi> ! " is added unless warnings are hidden).
bool ArcFromChord(Real x1, Real y1, Real x2, Real y2, Real phi, Real& cx, Real& cy, Real& r);

}  // namespace kv5
