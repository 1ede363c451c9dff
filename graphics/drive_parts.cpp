#include "graphics/drive_parts.h"

#include <algorithm>
#include <cmath>

#include "cad/cad_channel.h"
#include "cad/cad_settings.h"

namespace kv5 {

void DrawYokePlate() {
  const Real h2 = model.chain.h2, d2 = model.d2, s = model.s, dB1 = model.dB[1];
  const Real cs = stlFitClearanceShaft;
  // Height of the guide roller axles above the wheel centre; the axles sit
  // at (±h/2, b), so that they and the wheel centre form an equilateral
  // triangle (h = 2b/√3).
  const Real b = h2 / 2 + model.a + model.rollerD / 2;
  const Real h = 2 * b / std::sqrt(3.0L);
  CadSetPen(5);
  CadSetZ(0, s);
  CadRoundPolygon(3, 0, 0.58L * (b + d2), b + d2, 2 * std::min(dB1, d2), -90);
  if (dB1 > 0) CadCircleHole(0, 0, dB1 / 2 + cs);
  CadCircleHole(-h / 2, b, d2 / 2 + cs);
  CadCircleHole(h / 2, b, d2 / 2 + cs);
}

void DrawBearingPlate(Real play, Real centreDistance) {
  const Real dB1 = model.dB[1], dB2 = model.dB[2];
  const Real r = std::max(dB1, dB2) / 2 + model.s;
  // The plate reaches r beyond both holes; a negative centre distance puts
  // wheel 2 on the left, so the plate is drawn mirrored with wheel 2 at
  // the origin.
  const Real span = std::fabs(centreDistance);
  const Real leftBore = centreDistance >= 0 ? dB1 : dB2;
  const Real rightBore = centreDistance >= 0 ? dB2 : dB1;
  CadSetPen(5);
  CadSlotRect(false, -r, -r, span + r, r);
  if (leftBore > 0) CadCircleHole(0, 0, leftBore / 2 + play);
  if (rightBore > 0) CadCircleHole(span, 0, rightBore / 2 + play);
}

}  // namespace kv5
