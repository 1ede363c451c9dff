// The outline of one tooth pitch of wheel 1 (block "TOOTH1"): from the
// middle of one tooth tip over the right flank, around the roller seat and
// up the left flank to the middle of the next tooth tip. The roller seat is
// centred on the positive y axis; the wheel centre is the origin.
#pragma once

#include "model/drive_model.h"

namespace kv5 {

// The six vertices of the outline polyline with the signed sweep (rad,
// positive counter-clockwise) of the arc from each vertex to the next.
struct ToothOutlineVertex {
  Real x = 0;
  Real y = 0;
  Real sweep = 0;
};
struct ToothOutline {
  ToothOutlineVertex vertex[6];
  // False when the flank circle does not reach the tip circle; the flank
  // then ends at the seat tangent point and the tip runs straight to it.
  bool flankMeetsTip = true;
};

// The outline for z teeth, seating angle alphaDeg (degrees), roller seating
// radius ri, flank radius re, mean root diameter dfMean and tip diameter
// daTip.
ToothOutline ComputeToothOutline(int z, Real alphaDeg, Real ri, Real re, Real dfMean, Real daTip);

// Writes the outline as one open polyline with pen 5 into the current block
// (the caller has opened "TOOTH1"). z rotated inserts at 360/z apart close
// into the whole wheel outline.
void DrawToothOutline(int z, Real alphaDeg, Real ri, Real re, Real dfMean, Real daTip);

// Body of the front view "RAD1VA": pitch circle and centre lines (not in a
// solid), z rotated inserts of "TOOTH" + blockNo with the first gap on the
// positive x axis, and the bore circle when dBore > 0.
void DrawWheel1Front(int blockNo, int z, Real d, Real daMax, Real dBore);

}  // namespace kv5
