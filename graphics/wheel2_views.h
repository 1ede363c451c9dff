// Views of wheel 2, the pin rack or the pin wheel (blocks "RAD2VA" and
// "RAD2SA"), and the round loose parts. Lengths in mm; the centre of the
// rack or wheel is the origin.
#pragma once

#include "model/drive_model.h"

namespace kv5 {

// pegs: 1 holes, 2 pegs (STL only). rollersHidden draws the rollers of a
// 2D view with the hidden pen.
void DrawRackFront(int pegs, bool rollersHidden, Real x0, Real y0, Real b1, Real thickness);
void DrawPinWheelFront(int pegs, bool spoked, Real b1, Real thickness);
void DrawRackSide();
void DrawPinWheelSide();
// One pin with its roller seen from the side, centred on (x, y).
void DrawPinSide(Real x, Real y);
// count 0 means 6; spokeWidth 0 means 1.5·innerD/count.
void DrawSpokeCutouts(int count, Real outerD, Real innerD, Real spokeWidth);
// A ring (sleeve, roller, disc) of the given length along z.
void DrawRingPart(Real outerD, Real innerD, Real length);

}  // namespace kv5
