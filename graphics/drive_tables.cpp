#include "graphics/drive_tables.h"

#include <algorithm>
#include <string>

#include "cad/cad_channel.h"
#include "graphics/dimension_table.h"
#include "model/profile_designation.h"
#include "text/messages.h"
#include "text/number_format.h"
#include "text/numeric.h"
#include "text/units.h"

namespace kv5 {

void DrawWheel2Table(int /*wheel*/, Real x0, Real y0, Real h) {
  // The table always describes wheel 2, the pin rack or pin wheel.
  const DriveModel& m = model;
  std::string title;
  if (m.pinRack && m.drawingName[2].empty())
    title = "Triebstock " + ProfileDesignation(false);
  else if (!m.drawingName[2].empty())
    title = m.drawingName[2] + "  " + m.drawingNumber[2];
  else
    title = "Triebstockrad";
  const std::string u = LengthUnit();

  TAusTabelle table;
  table.Init(x0, y0, h, 25, 7, 5, 12, 0, 0, 0, title);
  table.AddValueRow("Zähnezahl", "z", "", PadLeft(m.z2, 8));
  table.AddValueRow("Teilung", "p", u, FormatLength(5, 3, m.chain.p));
  table.AddValueRow("Rollendurchmesser", "d1", u, FormatLength(5, 3, m.chain.d1));
  table.AddValueRow("Bolzendurchmesser", "d2", u, FormatLength(5, 3, m.d2));
  table.AddValueRow("Zahnbreite", "b1", u, FormatLength(5, 2, m.chain.b1));
  table.AddValueRow("Blechdicke", "s", u, FormatLength(5, 2, m.s));
  if (m.pinRack) {
    table.AddValueRow("Triebstock Höhe", "h2", u, FormatLength(5, 2, m.chain.h2));
    table.AddValueRow("Triebstock Länge", "lts", u, FormatLength(6, 1, m.rackLength));
    table.AddValueRow("Triebstock Breite", "bts", u, FormatLength(6, 1, m.bts));
  } else {
    table.AddValueRow("Teilkreisdurchmesser", "d", u, FormatLength(5, 2, m.d[2]));
    table.AddValueRow("Teilungswinkel", "tau", DegreeUnit(), FormatFixed(5, 2, RadToDeg(m.tau[2])));
  }
  table.Done();
}

void DrawDriveTable(Real x0, Real y0, Real h) {
  const DriveModel& m = model;
  const std::string force = ForceUnit();
  const std::string stress = StressUnit();
  const std::string breaking = StandardSymbol(SymbolKind::BreakingForce);
  CadSetPen(19);
  TAusTabelle table;
  table.Init(x0, y0, h, 9, 9, 10, 0, 0, 0, 0, "Antrieb, Last, Sicherheit");
  table.AddLabelRow("P", "kW", FormatFixed(4, 3, m.P));
  table.AddLabelRow("T", "Nm", FormatFixed(8, 0, m.T[1]));
  table.AddLabelRow("n", "1/min", FormatWidth(8, m.n[1]));
  table.AddLabelRow("a", LengthUnit(), FormatLength(5, 2, m.a));
  table.AddLabelRow("v", "m/min", FormatWidth(8, m.v * 60));
  table.AddLabelRow("Ft", force, FormatForce(8, 0, m.Ft));
  table.AddLabelRow("KA", "", FormatWidth(8, m.KA));
  table.AddLabelRow("Ftmax", force, FormatForce(8, 0, m.FtMax));
  table.AddLabelRow(breaking + " chain", force, FormatForce(8, 0, m.FB));
  table.AddLabelRow("tau d2", stress, FormatStress(8, 0, m.tauD2));
  table.AddLabelRow("Lochleibung", stress, FormatStress(8, 0, m.sigmaL));
  table.AddLabelRow("p Hertz", stress, FormatStress(8, 0, m.pHertz));
  table.AddLabelRow("S B", breaking + " / Ft", FormatFixed(5, 2, m.SB));
  table.AddLabelRow("S D", breaking + " / Ftmax", FormatFixed(5, 2, m.SD));
  table.Done();
}

void DrawMessageTable(Real x0, Real y0, Real h, int widthChars, Real maxHeight) {
  const int count = MessageCount();
  if (count == 0) return;
  if (h == 0) h = 2;
  // A width that is not positive would fold the table onto itself.
  if (widthChars <= 0) widthChars = 42;
  // Several messages shrink the text so that the table fits maxHeight.
  if (count > 1 && maxHeight > 0.1L) h = std::min(maxHeight / count / 2, h);
  TAusTabelle table;
  table.Init(x0, y0, h, widthChars, 0, 0, 0, 0, 0, 0, MessageText(1));
  for (int i = 2; i <= count; ++i) table.AddRow(MessageText(i));
  table.Done();
}

}  // namespace kv5
