#include "graphics/spoke_cutouts.h"

#include <cmath>

#include "cad/cad_channel.h"
#include "graphics/wheel2_views.h"
#include "text/numeric.h"

namespace kv5 {

std::vector<SpokeCutout> ComputeSpokeCutouts(int count, Real outerD, Real innerD, Real spokeWidth) {
  std::vector<SpokeCutout> cutouts;
  if (count < 0) return cutouts;
  if (count == 0) count = 6;
  if (spokeWidth == 0) spokeWidth = 1.5L * innerD / count;
  const Real ri = innerD / 2, ro = outerD / 2, half = spokeWidth / 2;
  if (!(ri > 0) || !(ro > ri) || !(half > 0) || !(half < ri)) return cutouts;
  const Real pitch = 2 * kPi / count;
  // A side line at the distance `half` from the spoke's radial line meets a
  // circle of radius r at asin(half/r) beside the spoke.
  const Real outerOffset = std::asin(half / ro), innerOffset = std::asin(half / ri);
  const Real outerSweep = pitch - 2 * outerOffset, innerSweep = pitch - 2 * innerOffset;
  // Spokes touching on the inner circle leave nothing to cut (the margin
  // keeps rounding from turning a touching pair into a sliver).
  if (!(innerSweep > 1e-9L)) return cutouts;
  auto at = [](Real r, Real angle, Real sweep) {
    return SpokeCutoutVertex{r * std::cos(angle), r * std::sin(angle), sweep};
  };
  for (int j = 0; j < count; ++j) {
    const Real spoke = j * pitch, nextSpoke = (j + 1) * pitch;
    SpokeCutout c;
    c[0] = at(ro, nextSpoke - outerOffset, -outerSweep);
    c[1] = at(ro, spoke + outerOffset, 0);
    c[2] = at(ri, spoke + innerOffset, innerSweep);
    c[3] = at(ri, nextSpoke - innerOffset, 0);
    c[4] = c[0];
    c[4].sweep = 0;
    cutouts.push_back(c);
  }
  return cutouts;
}

void DrawSpokeCutouts(int count, Real outerD, Real innerD, Real spokeWidth) {
  for (const SpokeCutout& cutout : ComputeSpokeCutouts(count, outerD, innerD, spokeWidth)) {
    CadPolyBegin(true);
    for (const SpokeCutoutVertex& v : cutout) CadPolyVertex(v.x, v.y, v.sweep);
    CadPolyEnd();
  }
}

}  // namespace kv5
