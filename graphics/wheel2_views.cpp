#include "graphics/wheel2_views.h"

#include <algorithm>
#include <cmath>

#include "cad/cad_channel.h"
#include "cad/cad_settings.h"
#include "graphics/hatching.h"
#include "text/numeric.h"

namespace kv5 {
namespace {

// Section hatching of the plates: 45° lines half a plate thickness apart.
constexpr Real kHatchAngle = 45;

// Number of pins of a rack: always odd, so that one pin sits on the
// origin and the rack is symmetric about it.
int RackPinCount(int z2) {
  return IsEven(z2) ? z2 + 1 : z2;
}

// Hatches both plate sections (left and right of the rollers) between y1
// and y2; an empty or inverted range (pins wider than their gap) is left
// out rather than drawn inside out.
void HatchPlateSections(Real y1, Real y2) {
  if (!(y2 > y1)) return;
  const Real b1 = model.chain.b1, s = model.s;
  HatchRectangle(-b1 / 2 - s, y1, -b1 / 2, y2, s / 2, kHatchAngle);
  HatchRectangle(b1 / 2, y1, b1 / 2 + s, y2, s / 2, kHatchAngle);
}

}  // namespace

void DrawRackFront(int pegs, bool rollersHidden, Real x0, Real y0, Real b1, Real thickness) {
  const Real p = model.chain.p, d1 = model.chain.d1, h2 = model.chain.h2, d2 = model.d2;
  const Real cb = stlFitClearanceBore, cs = stlFitClearanceShaft;
  const int n = RackPinCount(model.z2);
  const Real length = p * n;
  const bool solid = CadIsSolidOpen();
  CadSetPen(5);
  CadSetZ(0, thickness);
  // Ends fully rounded; a rack shorter than it is high gets round ends of
  // its own length instead of overlapping arcs.
  CadRoundRectCentered(false, x0, y0, h2, length, std::min(h2, length) / 2);
  for (int k = -(n / 2); k <= n / 2; ++k) {
    const Real y = y0 + k * p;
    if (!solid) {
      if (rollersHidden) {
        CadSetPen(5);
        CadCircleHole(x0, y, d2 / 2);
        CadSetPen(2);
        CadCircleHole(x0, y, d1 / 2);
      } else {
        CadSetPen(5);
        CadCircleHole(x0, y, d1 / 2);
        CadCircleHole(x0, y, d2 / 2);
      }
    } else if (pegs == 2) {
      // The roller stands on the plate, hollow for a screw, and the pin
      // stub above it fits the hole of the other plate.
      CadSetZ(thickness, thickness + b1);
      CadCircle(x0, y, d1 / 2 - cs);
      CadCircleHole(x0, y, 0.33L * d2);
      CadSetZThickness(thickness + b1, thickness);
      CadCircle(x0, y, d2 / 2 - cs);
      CadCircleHole(x0, y, 0.33L * d2);
    } else {
      CadCircleHole(x0, y, d2 / 2 + cb);
    }
  }
  CadSetPen(5);
}

void DrawPinWheelFront(int pegs, bool spoked, Real b1, Real thickness) {
  const Real d1 = model.chain.d1, d2 = model.d2, s = model.s, dB = model.dB[2];
  const Real cb = stlFitClearanceBore, cs = stlFitClearanceShaft;
  const Real r = std::fabs(model.d[2]) / 2, ro = std::fabs(model.daMax[2]) / 2;
  const int z2 = model.z2;
  // Pin i at π + i·2π/z2: pin z2 lies on the negative x axis, facing wheel 1.
  auto pinX = [&](int i) { return r * std::cos(kPi + i * 2 * kPi / z2); };
  auto pinY = [&](int i) { return r * std::sin(kPi + i * 2 * kPi / z2); };
  if (z2 < 1) return;
  if (!CadIsSolidOpen()) {
    CadSetPen(1);
    CadCircle(0, 0, r);
    CadHLine(-ro, 0, 2 * ro);
    CadVLine(0, -ro, 2 * ro);
    CadSetPen(5);
    CadCircle(0, 0, ro);
    if (dB > 0) CadCircleHole(0, 0, dB / 2 + cb);
    for (int i = 1; i <= z2; ++i) {
      CadCircleHole(pinX(i), pinY(i), d1 / 2);
      CadCircleHole(pinX(i), pinY(i), d2 / 2);
    }
  }
  CadSetPen(5);
  CadSetZ(0, thickness);
  CadCircle(0, 0, ro);
  // The bore of the solid gets the fit clearance of bores.
  if (dB > 0) CadCircleHole(0, 0, dB / 2 + cb);
  if (spoked) DrawSpokeCutouts(6, 2 * r - d1 - 2 * s, std::fabs(dB) + 2 * s, 0);
  if (pegs == 2) {
    // The rollers stand on the plate as pegs.
    CadSetZ(thickness, thickness + b1);
    for (int i = 1; i <= z2; ++i) CadCircle(pinX(i), pinY(i), d1 / 2 - cs);
  } else {
    for (int i = 1; i <= z2; ++i) CadCircleHole(pinX(i), pinY(i), d2 / 2 + cb / 2);
  }
}

void DrawPinSide(Real x, Real y) {
  const Real b1 = model.chain.b1, d1 = model.chain.d1, d2 = model.d2, s = model.s;
  CadSetPen(5);
  CadRectCentered(false, x, y, b1, d1);
  CadRectCentered(false, x - (b1 / 2 + s / 2), y, s, d2);
  CadRectCentered(false, x + (b1 / 2 + s / 2), y, s, d2);
}

void DrawRackSide() {
  const Real p = model.chain.p, b1 = model.chain.b1, d2 = model.d2, s = model.s;
  const int n = RackPinCount(model.z2);
  const int m = n / 2;
  // The plates end where the front view ends them: n·p long, centred.
  const Real halfLength = n * p / 2;
  for (int k = -m; k <= m; ++k) {
    CadSetPen(1);
    CadHLineCentered(0, k * p, 1.1L * (2 * s + b1));
    CadSetPen(5);
    DrawPinSide(0, k * p);
  }
  for (int k = -m; k < m; ++k) HatchPlateSections(k * p + d2 / 2, (k + 1) * p - d2 / 2);
  HatchPlateSections(-halfLength, -m * p - d2 / 2);
  HatchPlateSections(m * p + d2 / 2, halfLength);
}

void DrawPinWheelSide() {
  const Real b1 = model.chain.b1, d1 = model.chain.d1, d2 = model.d2, s = model.s;
  const Real dB = model.dB[2];
  const Real r = std::fabs(model.d[2]) / 2, ro = std::fabs(model.daMax[2]) / 2;
  const int z2 = model.z2;
  CadSetPen(1);
  CadHLineCentered(0, 0, 2.2L * (b1 / 2 + s));
  CadHLineCentered(0, r, 2.4L * (b1 / 2 + s));
  CadHLineCentered(0, -r, 2.4L * (b1 / 2 + s));
  DrawPinSide(0, r);
  DrawPinSide(0, -r);
  HatchPlateSections(-ro, -r - d2 / 2);
  HatchPlateSections(r + d2 / 2, ro);
  if (dB > 0) {
    HatchPlateSections(-r + d2 / 2, -dB / 2);
    HatchPlateSections(dB / 2, r - d2 / 2);
  } else {
    HatchPlateSections(-r + d2 / 2, r - d2 / 2);
  }
  CadSetPen(5);
  if (dB > 0) {
    for (Real x : {-(b1 / 2 + s), -b1 / 2, b1 / 2, b1 / 2 + s}) CadVLineCentered(x, 0, dB);
  }
  CadHLineCentered(0, d1 / 2, b1);
  CadHLineCentered(0, -d1 / 2, b1);
  CadSetPen(1);
  if (z2 > 0) {
    for (int k = -(z2 / 4); k <= z2 / 4; ++k)
      CadHLineCentered(0, r * std::sin(2 * kPi * k / z2), 2.4L * (b1 / 2 + s));
  }
  CadSetPen(5);
}

void DrawRingPart(Real outerD, Real innerD, Real length) {
  // A ring whose bore is not inside its outline, or that has no length,
  // is no part; nothing is drawn rather than a solid turned inside out.
  if (!(outerD > innerD) || !(length > 0)) return;
  CadSetZ(0, length);
  CadSetPen(5);
  CadCircle(0, 0, outerD / 2);
  if (innerD > 0) CadCircleHole(0, 0, innerD / 2);
}

}  // namespace kv5
