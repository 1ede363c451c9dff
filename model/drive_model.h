// The one drive the program works on: inputs, document texts and the
// results of the last calculation, plus the global flags by which every
// operation signals cancellation and failure.
//
// Units inside the model: mm, N, Nm, kW, 1/min, N/mm², m/s. Angles in
// degrees except `tau` and `alphaP` (radians).
#pragma once

#include <array>
#include <cassert>
#include <string>

namespace kv5 {

// Reals of the model are 80-bit extended precision.
using Real = long double;

// A value per wheel, indexed 1 = wheel 1 (toothed wheel), 2 = wheel 2 (pins).
template <typename T>
struct PerWheel {
  std::array<T, 2> values{};
  T& operator[](int wheel) {
    assert(wheel == 1 || wheel == 2);
    return values[static_cast<size_t>(wheel - 1)];
  }
  const T& operator[](int wheel) const {
    assert(wheel == 1 || wheel == 2);
    return values[static_cast<size_t>(wheel - 1)];
  }
  bool operator==(const PerWheel&) const = default;
};

// One row of a chain dimension table; reals are 64-bit as in the tables.
struct KV1CHAIN_Record {
  std::string designation;
  double p = 0;               // pitch, mm
  double b1 = 0;              // inner width between the plates, mm
  double d1 = 0;              // roller diameter, mm
  double pt = 0;              // transverse pitch of multi-strand chains, mm
  double h2 = 0;              // plate height (rack height), mm
  double width1 = 0;          // overall width, single strand, mm
  double breakingForce1 = 0;  // kN
  double jointArea1 = 0;      // cm²
  double mass1 = 0;           // kg/m
  double width2 = 0, breakingForce2 = 0, jointArea2 = 0, mass2 = 0;
  double width3 = 0, breakingForce3 = 0, jointArea3 = 0, mass3 = 0;
  std::string standardNote;
  bool operator==(const KV1CHAIN_Record&) const = default;
};

struct DriveModel {
  // Identity and document texts.
  PerWheel<std::string> drawingName;
  PerWheel<std::string> drawingNumber;
  PerWheel<std::string> drawingName2;
  std::array<std::string, 3> infoText;  // infoText[0] is "Text 1"

  // Geometry inputs.
  KV1CHAIN_Record chain;
  int chainStandard = 1;  // 0 = DIN 8187/8188 table, 1 = ISO 606 table
  int chainRecordNo = 0;
  int z1 = 17;
  int z2 = 17;
  bool pinRack = true;
  Real d2 = 0;        // pin diameter; 0 = 0.5·d1
  Real bf1 = 0;       // tooth width of wheel 1; 0 = 0.9·b1
  Real s = 0;         // wall / plate thickness; 0 = 0.25·d1
  Real FB = 0;        // breaking force of the pin rack or pin wheel, N; 0 = from d2
  PerWheel<Real> dB;  // bore diameters; 0 = no bore
  Real b2 = 0;        // inner-link outer width from the ISO table
  bool editable = false;
  short strands = 1;

  // Load inputs.
  Real P = 1;        // kW
  PerWheel<Real> n;  // 1/min; n[1] input
  PerWheel<Real> T;  // Nm
  Real KA = 1;
  int loadMode = 0;  // 0: T1 from P, n1; 1: P from T1, n1; 2: n1 from P, T1
  Real mu = 0.15;

  // Results of the wheel geometry.
  PerWheel<Real> tau, d, df, dfTol, dfMin, dfMean, daMax, daMin, dgMax, dgMin;
  PerWheel<Real> riMin, riMax, riMean, reMin, reMax, reMean;
  PerWheel<Real> alphaMin, alphaMax, alphaMean, gammaMin, gammaMax, gammaMean;
  PerWheel<Real> haMin, haMax, MR;
  Real raMin = 0, raMax = 0, ba = 0, bf = 0, bf1Min = 0, dR = 0;
  Real u = 1;
  Real a = 2000;

  // Results of the drive calculation.
  PerWheel<Real> omega;
  Real v = 0, fz = 0, Ft = 0, FtMax = 0, Fc = 0, Ftotal = 0, Fr = 0, Fn = 0;
  Real alphaP = 0, pHertz = 0, sigmaL = 0, tauD2 = 0, tauShaft = 0;
  Real SB = 0, SD = 0, jointPressure = 0, jointPressureAllowed = 0, Sp = 0;
  Real eta = 1;
  PerWheel<Real> wheelPower;
  Real rackLength = 0, bts = 0, rollerD = 0, yokeWidth = 0;
};

// The current drive (exactly one per process).
extern DriveModel model;

// Global flags shared by the whole program.
extern bool abortFlag;             // stop the current operation quietly
extern bool calcFailed;            // the last calculation met a fatal input
extern bool showErrorBoxes;        // error boxes are shown only while set
extern bool modified;              // inputs changed since the last save or load
extern std::string projectName;    // without folder and extension
extern std::string projectFolder;  // folder of the current project file

// The fixed project file extension.
inline constexpr const char* kProjectExtension = "kv5";

// Sets every field of the model to its default; resets the flags above.
void InitDriveModel();

enum class SymbolKind {
  StandardName,
  RollerDiameter,
  BreakingForce,
  RollerSeatingRadius,
  ToothFlankRadius,
  ToothChamferRadius,
  ShroudFilletRadius,
  ToothWidth,
  TotalToothWidth,
  TransversePitch,
  PlateHeight,
  ToothSideChamfer,
  ToothHeightAbovePolygon,
  ReliefDiameter,
  RollerSeatingAngle,
};

// The DIN or ISO symbol of a quantity according to `model.chainStandard`
// (0 DIN, 1 ISO, anything else: empty).
std::string StandardSymbol(SymbolKind kind);

}  // namespace kv5
