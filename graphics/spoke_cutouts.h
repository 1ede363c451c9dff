// The cut-outs between the spokes of a pin wheel plate: each one a closed
// outline of two arcs about the wheel centre and two straight sides that
// run parallel to the radial lines of its two spokes, half a spoke width
// off them.
#pragma once

#include <array>
#include <vector>

#include "model/drive_model.h"

namespace kv5 {

// One vertex of a cut-out polyline with the signed sweep (rad, positive
// counter-clockwise) of the segment from it to the next vertex.
struct SpokeCutoutVertex {
  Real x = 0;
  Real y = 0;
  Real sweep = 0;
};

// The five vertices of one cut-out, the last repeating the first. The
// outline runs clockwise, as hole outlines of a solid must: from the outer
// corner at the next spoke clockwise along the outer arc, in along the side
// of the spoke before, counter-clockwise along the inner arc and out again.
using SpokeCutout = std::array<SpokeCutoutVertex, 5>;

// The cut-outs of a plate with `count` spokes (0 means 6) of the width
// spokeWidth (0 means 1.5·innerD/count) between the diameters innerD and
// outerD; cut-out j lies between the spokes at j·2π/count and
// (j + 1)·2π/count. Empty when no cut-out fits: count below 0, innerD not
// above 0, outerD not above innerD, a negative spoke width, or spokes so
// wide that they meet on the inner circle.
std::vector<SpokeCutout> ComputeSpokeCutouts(int count, Real outerD, Real innerD, Real spokeWidth);

}  // namespace kv5
