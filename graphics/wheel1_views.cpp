#include "graphics/wheel1_views.h"

#include <cmath>
#include <string>

#include "cad/cad_channel.h"
#include "graphics/dimension_table.h"
#include "graphics/geometry.h"
#include "model/profile_designation.h"
#include "text/messages.h"
#include "text/number_format.h"
#include "text/numeric.h"
#include "text/units.h"

namespace kv5 {

Real ChordAngle(Real r, Real h) {
  const Real cosHalf = (r - h) / r;
  if (std::isnan(cosHalf)) {
    // R = 0 and h = 0: no arc at all; reported like any other bad argument.
    if (!hideWarnings) AddMessage("Error: ArcCos nan");
    return 0;
  }
  return 2 * SafeArcCos(cosHalf);
}

namespace {

// The chamfer from the tooth side point P1 to the tip point P2 as the arc
// with the signed included angle phi. When no arc can be constructed (the
// included angle came out 0) the chamfer is drawn straight, which is the
// limit of an ever flatter arc.
void DrawChamfer(Real x1, Real y1, Real x2, Real y2, Real phi) {
  Real cx = 0, cy = 0, r = 0;
  if (!ArcFromChord(x1, y1, x2, y2, phi, cx, cy, r)) {
    CadLine(x1, y1, x2, y2);
    return;
  }
  Real start = AngleOf(x1 - cx, y1 - cy);
  Real end = AngleOf(x2 - cx, y2 - cy);
  // CadArc runs counter-clockwise from start to end.
  if (phi < 0) std::swap(start, end);
  CadArc(cx, cy, RadToDeg(start), RadToDeg(end), r);
}

}  // namespace

void DrawWheel1Side(int /*wheel*/) {
  // The side view is that of wheel 1 whatever the caller passes.
  const DriveModel& m = model;
  const Real bm = (m.bf1 + m.bf1Min) / 2;
  const Real ra = (m.raMin + m.raMax) / 2;
  const Real dgm = (m.dgMin[1] + m.dgMax[1]) / 2;
  const Real dam = (m.daMin[1] + m.daMax[1]) / 2;
  const Real dfm = (m.df[1] + m.dfMin[1]) / 2;
  const Real d = m.d[1];
  const Real ba = m.ba;
  // Width of the body at the relief diameter.
  const Real B = bm + 2 * ra;
  // The chamfer's included angle is that of a circle of radius 1.5·p whose
  // sagitta is ba.
  const Real phi = ChordAngle(1.5L * m.chain.p, ba);
  const Real x0 = 0;

  CadSetPen(1);
  CadLine(-0.7L * B, 0, 0.7L * B, 0);
  CadSetPen(5);
  CadLine(-B / 2, -dgm / 2, -B / 2, dgm / 2);
  CadLine(B / 2, -dgm / 2, B / 2, dgm / 2);

  CadSetPen(1);
  CadLine(x0 - 0.7L * B, d / 2, x0 + 0.7L * B, d / 2);
  CadLine(x0 - 0.7L * B, -d / 2, x0 + 0.7L * B, -d / 2);
  CadLine(x0, -0.55L * dam, x0, 0.55L * dam);
  CadSetPen(2);
  CadLine(x0 - bm / 2, dfm / 2, x0 + bm / 2, dfm / 2);
  CadLine(x0 - bm / 2, -dfm / 2, x0 + bm / 2, -dfm / 2);

  // Upper half of the rim.
  CadSetPen(5);
  CadArc(x0 - B / 2, dgm / 2 + ra, 270, 360, ra);
  CadArc(x0 + B / 2, dgm / 2 + ra, 180, 270, ra);
  CadLine(x0 - bm / 2, dgm / 2 + ra, x0 - bm / 2, d / 2);
  CadLine(x0 + bm / 2, dgm / 2 + ra, x0 + bm / 2, d / 2);
  DrawChamfer(x0 - bm / 2, d / 2, x0 - bm / 2 + ba, dam / 2, -phi);
  DrawChamfer(x0 + bm / 2, d / 2, x0 + bm / 2 - ba, dam / 2, phi);
  CadLine(x0 + bm / 2 - ba, dam / 2, x0 - bm / 2 + ba, dam / 2);

  // Lower half, the mirror image.
  CadArc(x0 - B / 2, -dgm / 2 - ra, 0, 90, ra);
  CadArc(x0 + B / 2, -dgm / 2 - ra, 90, 180, ra);
  CadLine(x0 - bm / 2, -dgm / 2 - ra, x0 - bm / 2, -d / 2);
  CadLine(x0 + bm / 2, -dgm / 2 - ra, x0 + bm / 2, -d / 2);
  DrawChamfer(x0 - bm / 2, -d / 2, x0 - bm / 2 + ba, -dam / 2, phi);
  DrawChamfer(x0 + bm / 2, -d / 2, x0 + bm / 2 - ba, -dam / 2, -phi);
  CadLine(x0 + bm / 2 - ba, -dam / 2, x0 - bm / 2 + ba, -dam / 2);
}

void DrawWheel1Table(int wheel, Real x0, Real y0, Real h) {
  const DriveModel& m = model;
  const int w = wheel == 2 ? 2 : 1;
  std::string title = m.drawingName[w] + "  " + m.drawingNumber[w];
  if (!m.editable) title += "  " + ProfileDesignation(true) + "   bf1= " + FormatShortLength(m.bf1);
  const std::string u = LengthUnit();
  const std::string deg = DegreeUnit();
  const bool iso = m.chainStandard == 1;
  auto symbol = [iso](const char* din, const char* isoSymbol) { return iso ? isoSymbol : din; };

  TAusTabelle table;
  table.Init(x0, y0, h, 25, 7, 5, 12, 0, 0, 0, title);
  table.AddValueRow("Zähnezahl", "z", "", PadLeft(m.z1, 5));
  table.AddValueRow("Teilung", "p", "in.", FormatInches(m.chain.p));
  table.AddValueRow("Rollendurchmesser", symbol("dR", "d1"), "in.", FormatInches(m.chain.d1));
  table.AddValueRow("Zahnbreite", symbol("B1", "bf1"), u, FormatRange(m.bf1Min, m.bf1));
  table.AddValueRow("Teilkreisdurchmesser", "d", u, FormatLength(5, 3, m.d[1]));
  table.AddValueRow("Fußkreisdurchmesser", "df", u, FormatRange(m.dfMin[1], m.df[1]));
  table.AddValueRow("Teilungswinkel", "tau", deg, FormatFixed(4, 2, RadToDeg(m.tau[1])));
  table.AddValueRow("Kopfkreisdurchmesser", "da", u, FormatRange(m.daMin[1], m.daMax[1]));
  table.AddValueRow("Durchmesser Freidrehung", symbol("ds", "dg"), u,
                    FormatRange(m.dgMin[1], m.dgMax[1]));
  table.AddValueRow("Rollenbettradius", symbol("r1", "ri"), u, FormatRange(m.riMin[1], m.riMax[1]));
  table.AddValueRow("Zahnflankenradius", symbol("r2", "re"), u,
                    FormatRange(m.reMin[1], m.reMax[1]));
  table.AddValueRow("Zahnfasenradius", symbol("r3", "rx"), u, ">=" + FormatShortLength(m.chain.p));
  table.AddValueRow("Abfasung", symbol("c", "ba"), u, FormatShortLength(m.ba));
  table.AddValueRow("Zahnfasenradius", symbol("r4", "ra"), u, FormatRange(m.raMin, m.raMax));
  table.AddValueRow("Rollenbettwinkel", symbol("kappa", "alpha"), deg,
                    FormatAngleRange(m.alphaMin[1], m.alphaMax[1]));
  table.AddValueRow("Flankenwinkel", "gamma", deg, FormatAngleRange(m.gammaMin[1], m.gammaMax[1]));
  table.Done();
}

}  // namespace kv5
