#include "text/report.h"

#include <string>

#include "app/core/identity.h"
#include "model/drive_model.h"
#include "model/profile_designation.h"
#include "text/message_explanations.h"
#include "text/messages.h"
#include "text/number_format.h"
#include "text/numeric.h"
#include "text/output_channel.h"
#include "text/string_routines.h"
#include "text/units.h"

namespace kv5 {

namespace {

// Short names for the formats of the report rows.
std::string L(int width, int decimals, Real mm) {
  return FormatLength(width, decimals, mm);
}
std::string F(int width, int decimals, Real x) {
  return FormatFixed(width, decimals, x);
}
std::string W8(Real x) {
  return FormatWidth(8, x);
}
std::string I8(int n) {
  return PadLeft(n, 8);
}

// Pitch and the roller and pin diameters are catalogue sizes: always mm,
// with inches in brackets.
const char* const kMmAndInchesUnit = "mm(\")";

// Page 1: the pin rack or pin wheel (wheel 2).
void WriteWheel2Rows() {
  const DriveModel& m = model;
  const std::string len = LengthUnit();
  WriteValueRow("Achsabstand", "a", len, L(6, 1, m.a));
  WriteValueRow("Teilung", "p", kMmAndInchesUnit, FormatMmAndInches(m.chain.p));
  WriteValueRow("Rollendurchmesser", StandardSymbol(SymbolKind::RollerDiameter), kMmAndInchesUnit,
                FormatMmAndInches(m.chain.d1));
  WriteValueRow("Bolzendurchmesser", "d2", kMmAndInchesUnit, FormatMmAndInches(m.d2));
  WriteValueRow("Anzahl Bolzen", "z2", "", I8(m.z2));
  if (m.pinRack) {
    WriteValueRow("Breite Triebstock innen", "b1", len, L(6, 1, m.chain.b1));
    WriteValueRow("Breite Triebstock außen", "bts", len, L(6, 1, m.bts));
    WriteValueRow("Höhe Triebstock", StandardSymbol(SymbolKind::PlateHeight), len,
                  L(6, 1, m.chain.h2));
    WriteValueRow("Länge Triebstock", "L", len, L(6, 1, m.rackLength));
  } else {
    WriteValueRow("Breite Triebstockrad innen", "b1", len, L(6, 1, m.chain.b1));
    WriteValueRow("Breite Triebstockrad außen", "bts", len, L(6, 1, m.bts));
    WriteValueRow("Zähnezahlverhältnis", "u", "", W8(m.u));
  }
}

// Page 2: the toothed wheel 1 with the limits of its tooth form (min | max).
void WriteWheel1Rows() {
  const DriveModel& m = model;
  const std::string len = LengthUnit();
  const std::string deg = DegreeUnit();
  WriteValueRow("Zähnezahl", "z", "", I8(m.z1));
  WriteValueRow("Zahnbreite", StandardSymbol(SymbolKind::ToothWidth), len, L(6, 1, m.bf1));
  WriteValueRow("Teilkreisdurchmesser", "d", len, L(5, 3, m.d[1]));
  WriteTwoValueRow("Fußkreisdurchmesser", "df", len, L(5, 2, m.dfMin[1]), L(5, 2, m.df[1]));
  WriteValueRow("Teilungswinkel", "tau", deg, F(6, 1, RadToDeg(m.tau[1])));
  WriteTwoValueRow("Kopfkreisdurchmesser", "da", len, L(5, 2, m.daMin[1]), L(5, 2, m.daMax[1]));
  WriteTwoValueRow("Durchmesser Freidrehung", StandardSymbol(SymbolKind::ReliefDiameter), len,
                   L(5, 1, m.dgMin[1]), L(5, 1, m.dgMax[1]));
  WriteTwoValueRow("Rollenbettradius", StandardSymbol(SymbolKind::RollerSeatingRadius), len,
                   L(6, 1, m.riMin[1]), L(6, 1, m.riMax[1]));
  WriteTwoValueRow("Zahnflankenradius", StandardSymbol(SymbolKind::ToothFlankRadius), len,
                   L(6, 1, m.reMin[1]), L(6, 1, m.reMax[1]));
  WriteValueRow("Zahnfasenradius", StandardSymbol(SymbolKind::ToothChamferRadius), len,
                ">= " + FormatLengthAuto(m.chain.p));
  WriteValueRow("Abfasung", StandardSymbol(SymbolKind::ToothSideChamfer), len, L(6, 1, m.ba));
  WriteTwoValueRow("Zahnfasenradius", StandardSymbol(SymbolKind::ShroudFilletRadius), len,
                   L(6, 1, m.raMin), L(6, 1, m.raMax));
  WriteTwoValueRow("Rollenbettwinkel", "alpha", deg, F(6, 1, m.alphaMin[1]),
                   F(6, 1, m.alphaMax[1]));
  WriteTwoValueRow("Flankenwinkel", "gamma", deg, F(6, 1, m.gammaMin[1]), F(6, 1, m.gammaMax[1]));
  WriteTwoValueRow("Zahnkopfhöhe über Polygon", StandardSymbol(SymbolKind::ToothHeightAbovePolygon),
                   len, L(6, 1, m.haMin[1]), L(6, 1, m.haMax[1]));
  // The test pin gauge: nominal roller diameter, +0.01 mm upper limit.
  WriteTwoValueRow("Prüfstiftdurchmesser", "dR", len, L(5, 2, m.dR), L(5, 2, m.dR + 0.01L));
  // Measurement over pins, lower limit from the root diameter deviation.
  WriteTwoValueRow("Prüfmaß Fußkreisdurchmesser", "MR", len, L(5, 2, m.MR[1] + m.dfTol[1]),
                   L(5, 2, m.MR[1]));
}

// Page 3: load, forces and strength; a pin wheel shows torque and speed of
// both wheels (wheel 1 first).
void WriteDriveRows() {
  const DriveModel& m = model;
  const std::string force = ForceUnit();
  const std::string stress = StressUnit();
  const std::string breaking = StandardSymbol(SymbolKind::BreakingForce);
  WriteValueRow("Nennleistung", "P", "kW", F(4, 3, m.P));
  if (m.pinRack) {
    WriteValueRow("Nenndrehmoment", "T", MomentUnit(), FormatMoment(8, 0, m.T[1]));
    WriteValueRow("Drehzahl", "n", "1/min", W8(m.n[1]));
  } else {
    WriteTwoValueRow("Nenndrehmoment", "T", MomentUnit(), FormatMoment(8, 0, m.T[1]),
                     FormatMoment(8, 0, m.T[2]));
    WriteTwoValueRow("Drehzahl", "n", "1/min", W8(m.n[1]), W8(m.n[2]));
  }
  WriteValueRow("Geschwindigkeit", "v", "m/min", W8(m.v * 60));
  WriteValueRow("Betriebsfaktor", "KA", "", W8(m.KA));
  WriteValueRow("Zähnezahlfaktor", "fz", "", W8(m.fz));
  WriteValueRow("Bruchkraft Kette", breaking, force, W8(ForceToDisplay(m.FB)));
  WriteValueRow("Tangentialkraft (nom)", "Ft", force, FormatForce(8, 0, m.Ft));
  WriteValueRow("Normalkraft", "Fn", force, FormatForce(8, 0, m.Fn));
  WriteValueRow("Radialkraft", "Fr", force, FormatForce(8, 0, m.Fr));
  WriteValueRow("Druckwinkel", "al.p", DegreeUnit(), F(8, 0, RadToDeg(m.alphaP)));
  WriteValueRow("Tangentialkraft max", "Ft max", force, FormatForce(8, 0, m.FtMax));
  WriteValueRow("Hertz'sche Pressung", "Sig.Hz", stress, FormatStress(8, 0, m.pHertz));
  WriteValueRow("Lochleibung", "Sig.l", stress, FormatStress(8, 0, m.sigmaL));
  WriteValueRow("Scherspannung Bolzen", "tau d2", stress, FormatStress(8, 0, m.tauD2));
  // Without a bore there is no shaft stress to show.
  if (m.dB[1] > 0) {
    WriteValueRow("Schubspannung Welle", "taudB1", stress, FormatStress(8, 0, m.tauShaft));
  }
  WriteValueRow("Bruchsicherheit " + breaking + "/Ft", "SB", "", F(6, 1, m.SB));
  WriteValueRow("Bruchsicherheit " + breaking + "/Ftmax", "SD", "", F(6, 1, m.SD));
}

// Page 1 body: the profile line and the pin rack or pin wheel.
void WritePinPage() {
  WriteLine("");
  WriteLine(Rule());
  WriteLine("Profil  " + ProfileText());
  WriteLine(Rule());
  WriteLine("");
  WriteLine(model.pinRack ? "Triebstock" : "Triebstockrad");
  WriteLine(DoubleRule());
  WriteWheel2Rows();
}

void WriteToothedWheelPage() {
  WriteLine("");
  WriteLine("Kettenrad");
  WriteLine(DoubleRule());
  WriteWheel1Rows();
}

void WriteDrivePage() {
  WriteLine("");
  WriteDriveRows();
}

// The closing section with the calculation messages, their causes and
// remedies, on a page of its own when the current one is nearly full.
void WriteMessages() {
  if (MessageCount() == 0) return;
  PagePrompt();
  if (abortFlag) return;
  EnsureSpace(0);
  if (abortFlag) return;
  WriteMessageSection();
  if (abortFlag) return;
  EndPage();
}

// The pages of the report in order; false when one of them was cancelled
// or failed.
bool WritePages() {
  struct Page {
    int headerKind;  // 1: with the column titles min / max
    void (*body)();
  };
  static constexpr Page kPages[] = {
      {0, WritePinPage},
      {1, WriteToothedWheelPage},
      {0, WriteDrivePage},
  };
  for (const Page& page : kPages) {
    WritePageHeader(0, page.headerKind);
    if (abortFlag) return false;
    page.body();
    if (abortFlag) return false;
    EndPage();
    if (abortFlag) return false;
  }
  WriteMessages();
  return !abortFlag;
}

}  // namespace

std::string ProfileText() {
  return ProfileDesignation(false);
}

void WriteReport(int channelKind) {
  if (calcFailed) {
    ShowMessageList();
    return;
  }
  const DriveModel& m = model;
  SetPageHeader(std::string(programName) + " V" + programVersion + "  " + "Triebstockverzahnung",
                LabelWithNumber(m.drawingName[1], m.drawingNumber[1]),
                LabelWithNumber(m.drawingName[2], m.drawingNumber[2]), m.infoText[0], m.infoText[1],
                0);
  SetColumnTitles("", "Zeichen", "Einheit", "  min ", " max");
  OpenOutput(channelKind, projectName);
  if (!abortFlag) StartOutputFile();
  // A cancelled or failed report delivers nothing: its working file is
  // closed and removed, every destination file stays as it was.
  if (abortFlag || !WritePages()) {
    DiscardOutput();
    return;
  }
  CloseOutput();  // also sets the normal mouse cursor
}

}  // namespace kv5
