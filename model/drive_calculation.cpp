#include "model/drive_calculation.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "cad/cad_settings.h"
#include "model/tooth_geometry.h"
#include "text/messages.h"
#include "text/number_format.h"
#include "text/numeric.h"
#include "text/string_routines.h"

namespace kv5 {

namespace {

// Material of roller and wheel, and the mass per metre of the pin row.
constexpr Real kModulusOfElasticity = 210000;  // N/mm²
constexpr Real kPoissonRatio = 0.3L;
constexpr Real kPinRowMass = 0.01L;  // kg/m

// Allowed joint pressure of roller chains in hundredths of N/mm², rows by
// tooth number 11..25, columns by pitch-line speed.
constexpr Real kSpeeds[19] = {0.1L, 0.2L, 0.4L, 0.6L, 0.8L, 1.0L, 1.5L, 2,  2.5L, 3,
                              4,    5,    6,    7,    8,    10,   12,   15, 18};
constexpr int kJointPressure[15][19] = {
    {3080, 2810, 2700, 2580, 2490, 2380, 2290, 2210, 2130, 2050, 1740, 1400, 1050, 850, 0, 0, 0, 0,
     0},
    {3120, 2850, 2740, 2620, 2530, 2420, 2330, 2240, 2160, 2080, 1830, 1550, 1230, 1000, 800, 0, 0,
     0, 0},
    {3170, 2880, 2780, 2650, 2560, 2450, 2360, 2270, 2190, 2110, 1920, 1690, 1410, 1150, 1020, 810,
     0, 0, 0},
    {3220, 2930, 2830, 2700, 2610, 2490, 2400, 2310, 2230, 2140, 2000, 1770, 1540, 1280, 1110, 900,
     0, 0, 0},
    {3270, 2980, 2870, 2740, 2650, 2520, 2430, 2350, 2260, 2170, 2070, 1840, 1640, 1400, 1200, 1020,
     820, 0, 0},
    {3300, 3000, 2890, 2760, 2670, 2540, 2450, 2370, 2280, 2190, 2100, 1910, 1730, 1510, 1310, 1110,
     910, 0, 0},
    {3320, 3030, 2910, 2780, 2680, 2560, 2470, 2380, 2290, 2210, 2130, 1970, 1810, 1620, 1420, 1200,
     1070, 890, 0},
    {3350, 3060, 2950, 2820, 2720, 2590, 2500, 2410, 2320, 2240, 2160, 2010, 1880, 1740, 1560, 1320,
     1170, 970, 0},
    {3400, 3100, 2980, 2850, 2750, 2620, 2530, 2440, 2350, 2260, 2180, 2050, 1950, 1850, 1700, 1430,
     1260, 1050, 880},
    {3430, 3120, 3000, 2870, 2770, 2640, 2550, 2460, 2370, 2290, 2220, 2100, 1990, 1870, 1740, 1460,
     1300, 1100, 960},
    {3450, 3140, 3020, 2890, 2790, 2660, 2570, 2470, 2380, 2320, 2260, 2150, 2040, 1900, 1780, 1500,
     1350, 1150, 1050},
    {3480, 3170, 3050, 2910, 2810, 2680, 2590, 2490, 2400, 2350, 2300, 2180, 2070, 1940, 1820, 1570,
     1410, 1210, 1110},
    {3500, 3190, 3070, 2930, 2830, 2700, 2610, 2510, 2440, 2380, 2340, 2210, 2110, 1980, 1870, 1640,
     1480, 1270, 1180},
    {3530, 3220, 3100, 2960, 2860, 2720, 2630, 2530, 2470, 2420, 2380, 2240, 2140, 2020, 1910, 1700,
     1540, 1330, 1240},
    {3550, 3240, 3120, 2980, 2880, 2740, 2650, 2550, 2500, 2460, 2420, 2280, 2180, 2060, 1960, 1770,
     1600, 1400, 1300},
};

bool Fatal(const std::string& what) {
  AddMessage(std::string(kFatalTag) + what);
  calcFailed = true;
  return false;
}

// A load quantity that divides: it must be a positive finite number.
bool CheckDivisor(const char* name, Real value) {
  if (value == 0) return Fatal(std::string(name) + " = 0 !");
  if (!std::isfinite(value)) return Fatal(std::string(name) + " ungültig !");
  if (value < 0) return Fatal(std::string(name) + " < 0 !");
  return true;
}

// The load inputs that the chosen load mode divides by, then the three
// quantities after the derivation (a derived value can still be zero or
// overflow).
bool CheckLoadInputs() {
  const DriveModel& m = model;
  switch (m.loadMode) {
    case 0:
      if (!CheckDivisor("P", m.P) || !CheckDivisor("n1", m.n[1])) return false;
      break;
    case 1:
      if (!CheckDivisor("T1", m.T[1]) || !CheckDivisor("n1", m.n[1])) return false;
      break;
    case 2:
      if (!CheckDivisor("P", m.P) || !CheckDivisor("T1", m.T[1])) return false;
      break;
    default:
      break;
  }
  if (!CheckDivisor("KA", m.KA)) return false;
  if (!std::isfinite(m.mu) || m.mu < 0) return Fatal("mu < 0 !");
  return true;
}

bool CheckDerivedLoad() {
  const DriveModel& m = model;
  return CheckDivisor("P", m.P) && CheckDivisor("n1", m.n[1]) && CheckDivisor("T1", m.T[1]);
}

void LoadRelations() {
  DriveModel& m = model;
  switch (m.loadMode) {
    case 0:
      if (m.n[1] > 0) m.T[1] = m.P * 60000 / (2 * kPi * m.n[1]);
      break;
    case 1:
      m.P = m.T[1] * m.n[1] * 2 * kPi / 60000;
      break;
    case 2:
      if (m.T[1] != 0) m.n[1] = m.P * 60000 / (m.T[1] * 2 * kPi);
      break;
    default:
      break;
  }
}

// A value of a message: fixed-point with the given decimals, no blanks.
std::string MessageValue(int decimals, Real x) {
  return TrimBlanks(FormatDecimals(decimals, x));
}

// The results a report or drawing shows; none may be infinite or NaN.
bool ResultsFinite() {
  const DriveModel& m = model;
  const Real values[] = {
      m.d[1], m.d[2],   m.a,   m.T[1], m.T[2],     m.n[2],   m.v,        m.Ft,           m.FtMax,
      m.Fc,   m.Ftotal, m.Fr,  m.Fn,   m.pHertz,   m.sigmaL, m.tauD2,    m.tauShaft,     m.SB,
      m.SD,   m.Sp,     m.eta, m.fz,   m.daMax[2], m.MR[1],  m.reMax[1], m.jointPressure};
  return std::all_of(std::begin(values), std::end(values), [](Real x) { return std::isfinite(x); });
}

}  // namespace

Real AllowedJointPressure(int z, Real v) {
  if (z < 11) {
    AddMessage(std::string(kErrorTag) + "z < 11 !");
    z = 11;
  }
  if (z > 25) z = 25;
  const int* row = kJointPressure[z - 11];
  Real value;
  if (!(v > kSpeeds[0])) {
    value = row[0];
  } else if (v >= kSpeeds[18]) {
    value = row[18];
  } else {
    int j = 0;
    while (v > kSpeeds[j + 1]) ++j;
    Real share = (v - kSpeeds[j]) / (kSpeeds[j + 1] - kSpeeds[j]);
    value = row[j] + (row[j + 1] - row[j]) * share;
  }
  return value / 100;
}

void CalculateDrive() {
  DriveModel& m = model;

  // The pin row is treated as a chain whose profile row carries pin-drive
  // values, taken from d2, bf1 and s before their defaults are applied.
  m.strands = 1;
  m.chain.breakingForce1 = static_cast<double>(50 * kPi * m.d2 * m.d2 / 1000);
  m.chain.jointArea1 = static_cast<double>(m.bf1 * m.chain.d1 / 100);
  m.chain.mass1 = 0.01;
  m.chain.width1 = static_cast<double>(3 * m.s + m.chain.b1);
  Real A = m.bf1 * m.chain.d1 / 100;  // joint area, cm²
  if (m.FB == 0) m.FB = 1000 * static_cast<Real>(m.chain.breakingForce1);
  const Real q = m.chain.mass1;

  ResetMessages();
  if (!CheckGeometryInputs()) return;
  if (!CheckLoadInputs()) return;
  LoadRelations();
  if (!CheckDerivedLoad()) return;

  ComputeToothScalars();
  if (A == 0) A = m.b2 * m.d2 * m.strands / 100;
  if (A == 0) A = m.bf1 * m.chain.d1 * m.strands / 100;
  if (m.chainStandard == 0 && m.d2 != 0) m.b2 = 100 * A / (m.strands * m.d2);
  ComputeWheelGeometry();

  m.u = static_cast<Real>(m.z2) / m.z1;
  m.n[2] = m.n[1] / m.u;
  for (int k = 1; k <= 2; ++k) {
    m.omega[k] = 2 * kPi * m.n[k] / 60;
    m.T[k] = m.P * 1000 / m.omega[k];
  }
  m.v = m.omega[1] * m.d[1] / 2000;
  m.fz = Power("fz", 19.0L / std::min(m.z1, m.z2), 1.085L);
  m.Ft = m.T[1] / m.d[1] * 2000;
  m.FtMax = m.Ft * m.KA;
  m.Fc = q * m.v * m.v;
  m.Ftotal = m.FtMax + m.Fc;
  m.SB = m.FB / m.Ft;
  m.SD = m.FB / m.Ftotal;
  if (A == 0) {
    Fatal("A chain = 0 !");
    return;
  }
  m.jointPressure = m.Ftotal / A / 100;
  m.jointPressureAllowed = AllowedJointPressure(std::min(m.z1, m.z2), m.v);
  if (m.jointPressure == 0) {
    Fatal("pg=0!");
    return;
  }
  m.Sp = m.jointPressureAllowed / m.jointPressure;

  // Efficiency of the mesh from the joint friction.
  const Real i = (m.u >= 1 || m.u == 0) ? m.u : 1 / m.u;
  const Real K = m.mu * kPi * m.chain.d1 / (1000 * std::min(m.z1, m.z2));
  const Real R = K * (i + 1) / i * (m.FtMax + 2 * m.Fc);
  const Real L = R * m.v / m.chain.p;
  m.eta = (m.P - L) / m.P;
  m.wheelPower[1] = m.P;
  m.wheelPower[2] = m.P * m.eta;
  m.T[2] = m.T[2] * m.eta;

  if (m.SB < 7) AddMessage(std::string(kErrorTag) + "SB < 7 ! (" + MessageValue(1, m.SB) + ")");
  if (m.SD < 5) AddMessage(std::string(kErrorTag) + "SD < 5 ! (" + MessageValue(1, m.SD) + ")");
  if (m.Sp < 0.5L)
    AddMessage(std::string(kErrorTag) + "Sp < 0.5 ! (" + FormatAuto(m.Sp) + ")");
  else if (m.Sp < 1)
    AddMessage(std::string(kWarningTag) + "Sp < 1 ! (" + FormatAuto(m.Sp) + ")");

  // Pin-drive stage.
  m.a = m.pinRack ? m.d[1] / 2 : (m.d[1] + m.d[2]) / 2;
  if (m.s == 0) m.s = 0.25L * m.chain.d1;
  if (m.chain.h2 == 0) m.chain.h2 = 1.5 * m.chain.d1;
  m.alphaP = DegToRad(m.gammaMean[1] + RadToDeg(m.tau[1]) / 4);
  m.Fr = std::tan(m.alphaP) * m.Ft;
  m.Fn = std::sqrt(m.Ft * m.Ft + m.Fr * m.Fr);
  const Real rho = 1 / (2 / static_cast<Real>(m.chain.d1) + 1 / m.reMin[1]);
  m.pHertz = m.bf1Min > 0
                 ? std::sqrt(m.Fn * kModulusOfElasticity /
                             ((1 - kPoissonRatio * kPoissonRatio) * 2 * kPi * rho * m.bf1Min))
                 : 0;
  m.bts = 2 * m.s + m.chain.b1;
  if (m.pinRack) {
    if (m.z2 % 2 == 0) ++m.z2;
    m.rackLength = m.z2 * static_cast<Real>(m.chain.p);
    m.yokeWidth = 1.05L * m.bts + 0.3L + 2 * stlFitClearanceBore;
    m.rollerD = 2 * static_cast<Real>(m.chain.d1);
  } else {
    m.daMax[2] = std::fabs(m.d[2]) + m.chain.h2;
  }
  m.tauD2 = m.Ftotal / (kPi / 4 * m.d2 * m.d2);
  m.sigmaL = m.Ftotal / (2 * m.d2 * m.s);
  m.tauShaft = m.dB[1] > 0 ? m.T[1] * m.KA * 1000 / (kPi / 16 * m.dB[1] * m.dB[1] * m.dB[1]) : 0;

  if (m.tauShaft > 300)
    AddMessage(std::string(kWarningTag) + "tau shaft > 300 MPa ! (" + MessageValue(0, m.tauShaft) +
               ")");
  if (m.tauD2 > 300)
    AddMessage(std::string(kWarningTag) + "tau d2 > 300 MPa ! (" + MessageValue(0, m.tauD2) + ")");
  if (m.pHertz > 1500)
    AddMessage(std::string(kWarningTag) + "p Hertz > 1500 MPa ! (" + MessageValue(0, m.pHertz) +
               ")");
  if (m.d2 > m.chain.d1) AddMessage(std::string(kErrorTag) + "d2 > d1 !");

  // Inputs far outside any real drive can overflow the extended range.
  if (!ResultsFinite()) Fatal("Ergebnis nicht darstellbar !");
}

}  // namespace kv5
