#include "model/drive_calculation.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "cad/cad_settings.h"
#include "model/input_checks.h"
#include "model/tooth_geometry.h"
#include "text/messages.h"
#include "text/number_format.h"
#include "text/numeric.h"

namespace kv5 {

namespace {

// Steel roller against steel wheel.
constexpr Real kElasticModulus = 210000;  // N/mm²
constexpr Real kPoisson = 0.3L;
// Mass per metre of the pin row, kg/m.
constexpr double kPinRowMass = 0.01;

// Fixed-point text without leading blanks, for the limit messages.
std::string Fixed(int decimals, Real x) {
  return FormatFixed(0, decimals, x);
}

// The pin rack is calculated as a roller chain: its profile row gets the
// pin-drive values first. Returns the joint area (cm²) from the tooth width
// as entered, before its default is applied.
Real PrepareProfileRow() {
  DriveModel& m = model;
  const Real d1 = m.chain.d1;
  // Pin cross-section times 200 N/mm², in kN, of the pin the calculation
  // uses: an unset d2 (0) would give a breaking force of 0 N and safeties
  // of 0 until the project is calculated a second time.
  const Real pin = PinDiameterOrDefault(m);
  const double breakingForce = static_cast<double>(50 * kPi * pin * pin / 1000);
  const double jointArea = static_cast<double>(m.bf1 * d1 / 100);
  const double width = static_cast<double>(3 * m.s + m.chain.b1);
  // A non-finite input is rejected after the message reset; it must not
  // reach the profile row or the breaking force meanwhile.
  if (std::isfinite(breakingForce) && std::isfinite(jointArea) && std::isfinite(width)) {
    m.chain.breakingForce1 = breakingForce;
    m.chain.jointArea1 = jointArea;
    m.chain.mass1 = kPinRowMass;
    m.chain.width1 = width;
    if (m.FB == 0) m.FB = 1000 * static_cast<Real>(m.chain.breakingForce1);
  }
  return m.bf1 * d1 / 100;
}

// The load values the calculation divides by, in the order the load
// relations use them. T1 is derived in loadMode 0 and n1 in loadMode 2;
// P divides the efficiency in every mode.
bool CheckLoadInputs() {
  const DriveModel& m = model;
  switch (m.loadMode) {
    case 1:
      if (!CheckPositive("T1", m.T[1])) return false;
      if (!CheckPositive("n1", m.n[1])) return false;
      break;
    case 2:
      if (!CheckPositive("P", m.P)) return false;
      if (!CheckPositive("T1", m.T[1])) return false;
      break;
    default:
      if (!CheckPositive("P", m.P)) return false;
      if (!CheckPositive("n1", m.n[1])) return false;
      break;
  }
  if (!CheckPositive("KA", m.KA)) return false;
  if (!CheckNotNegative("mu", m.mu)) return false;
  return true;
}

bool CheckDriveLengths() {
  const DriveModel& m = model;
  if (!CheckNotNegative("s", m.s)) return false;
  if (!CheckNotNegative("FB", m.FB)) return false;
  if (!CheckNotNegative("b2", m.b2)) return false;
  if (!CheckNotNegative("dB1", m.dB[1])) return false;
  if (!CheckNotNegative("dB2", m.dB[2])) return false;
  return true;
}

void ApplyLoadRelations() {
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

// Joint area of the chain check when the tooth width was 0 as entered.
Real CompleteJointArea(Real area) {
  DriveModel& m = model;
  const Real strands = m.strands;
  if (area == 0) area = m.b2 * m.d2 * strands / 100;
  if (area == 0) area = m.bf1 * m.chain.d1 * strands / 100;
  if (m.chainStandard == 0) m.b2 = 100 * area / (strands * m.d2);
  return area;
}

void ComputeSpeedsAndForces(Real q) {
  DriveModel& m = model;
  m.u = static_cast<Real>(m.z2) / static_cast<Real>(m.z1);
  m.n[2] = m.n[1] / m.u;
  for (int k = 1; k <= 2; ++k) {
    m.omega[k] = 2 * kPi * m.n[k] / 60;
    m.T[k] = m.P * 1000 / m.omega[k];
  }
  m.v = m.omega[1] * m.d[1] / 2000;
  const Real zMin = std::min(m.z1, m.z2);
  m.fz = Power("fz", 19 / zMin, 1.085L);
  m.Ft = m.T[1] / m.d[1] * 2000;
  m.FtMax = m.Ft * m.KA;
  m.Fc = q * m.v * m.v;
  m.Ftotal = m.FtMax + m.Fc;
  m.SB = m.FB / m.Ft;
  m.SD = m.FB / m.Ftotal;
}

void ComputeEfficiency() {
  DriveModel& m = model;
  const Real ratio = (m.u >= 1 || m.u == 0) ? m.u : 1 / m.u;
  const Real zMin = std::min(m.z1, m.z2);
  const Real k = m.mu * kPi * m.chain.d1 / (1000 * zMin);
  const Real frictionForce = k * (ratio + 1) / ratio * (m.FtMax + 2 * m.Fc);
  const Real powerLoss = frictionForce * m.v / m.chain.p;
  m.eta = (m.P - powerLoss) / m.P;
  m.wheelPower[1] = m.P;
  m.wheelPower[2] = m.P * m.eta;
  m.T[2] = m.T[2] * m.eta;
}

void AddChainLimitMessages() {
  const DriveModel& m = model;
  const std::string error = kErrorTag;
  if (m.SB < 7) AddMessage(error + "SB < 7 ! (" + Fixed(1, m.SB) + ")");
  if (m.SD < 5) AddMessage(error + "SD < 5 ! (" + Fixed(1, m.SD) + ")");
  if (m.Sp < 0.5L)
    AddMessage(error + "Sp < 0.5 ! (" + FormatAuto(m.Sp) + ")");
  else if (m.Sp < 1)
    AddMessage(std::string(kWarningTag) + "Sp < 1 ! (" + FormatAuto(m.Sp) + ")");
}

void ComputePinDrive() {
  DriveModel& m = model;
  const Real d1 = m.chain.d1;
  m.a = m.pinRack ? m.d[1] / 2 : (m.d[1] + m.d[2]) / 2;
  if (m.s == 0) m.s = 0.25L * d1;
  if (m.chain.h2 == 0) m.chain.h2 = static_cast<double>(1.5L * d1);

  // Pressure angle: mean flank angle plus a quarter of the pitch angle.
  const Real tauDeg = RadToDeg(m.tau[1]);
  m.alphaP = DegToRad(m.gammaMean[1] + tauDeg / 4);
  m.Fr = std::tan(m.alphaP) * m.Ft;
  m.Fn = std::sqrt(m.Ft * m.Ft + m.Fr * m.Fr);

  // Roller against the smaller flank radius.
  const Real rho = 1 / (2 / d1 + 1 / m.reMin[1]);
  if (m.bf1Min > 0)
    m.pHertz =
        std::sqrt(m.Fn * kElasticModulus / ((1 - kPoisson * kPoisson) * 2 * kPi * rho * m.bf1Min));
  else
    m.pHertz = 0;

  m.bts = 2 * m.s + m.chain.b1;
  if (m.pinRack) {
    // A rack needs an odd number of pins.
    if (IsEven(m.z2)) m.z2 = m.z2 + 1;
    m.rackLength = m.z2 * static_cast<Real>(m.chain.p);
    m.yokeWidth = 1.05L * m.bts + 0.3L + 2 * stlFitClearanceBore;
    m.rollerD = 2 * d1;
  } else {
    // Outer diameter of the pin-wheel plates.
    m.daMax[2] = std::fabs(m.d[2]) + m.chain.h2;
  }

  m.tauD2 = m.Ftotal / (kPi / 4 * m.d2 * m.d2);
  m.sigmaL = m.Ftotal / (2 * m.d2 * m.s);
  const Real bore = m.dB[1];
  m.tauShaft = bore > 0 ? m.T[1] * m.KA * 1000 / (kPi / 16 * bore * bore * bore) : 0;
}

void AddPinDriveMessages() {
  const DriveModel& m = model;
  const std::string warning = kWarningTag;
  if (m.tauShaft > 300)
    AddMessage(warning + "tau shaft > 300 MPa ! (" + Fixed(0, m.tauShaft) + ")");
  if (m.tauD2 > 300) AddMessage(warning + "tau d2 > 300 MPa ! (" + Fixed(0, m.tauD2) + ")");
  if (m.pHertz > 1500) AddMessage(warning + "p Hertz > 1500 MPa ! (" + Fixed(0, m.pHertz) + ")");
  // In the 64-bit precision of the stored roller diameter: a pin typed as
  // thick as the roller is not thicker.
  if (static_cast<double>(m.d2) > m.chain.d1) AddMessage(std::string(kErrorTag) + "d2 > d1 !");
}

// Every value the calculation writes.
bool AllResultsFinite(const DriveModel& m) {
  const PerWheel<Real>* perWheel[] = {
      &m.tau,       &m.d,        &m.df,         &m.dfTol,     &m.dfMin,    &m.dfMean,
      &m.daMax,     &m.daMin,    &m.dgMax,      &m.dgMin,     &m.riMin,    &m.riMax,
      &m.riMean,    &m.reMin,    &m.reMax,      &m.reMean,    &m.alphaMin, &m.alphaMax,
      &m.alphaMean, &m.gammaMin, &m.gammaMax,   &m.gammaMean, &m.haMin,    &m.haMax,
      &m.MR,        &m.omega,    &m.wheelPower, &m.T,         &m.n};
  for (const PerWheel<Real>* w : perWheel)
    if (!std::isfinite((*w)[1]) || !std::isfinite((*w)[2])) return false;
  const Real scalars[] = {m.P,
                          m.raMin,
                          m.raMax,
                          m.ba,
                          m.bf,
                          m.bf1Min,
                          m.dR,
                          m.u,
                          m.a,
                          m.v,
                          m.fz,
                          m.Ft,
                          m.FtMax,
                          m.Fc,
                          m.Ftotal,
                          m.Fr,
                          m.Fn,
                          m.alphaP,
                          m.pHertz,
                          m.sigmaL,
                          m.tauD2,
                          m.tauShaft,
                          m.SB,
                          m.SD,
                          m.jointPressure,
                          m.jointPressureAllowed,
                          m.Sp,
                          m.eta,
                          m.rackLength,
                          m.bts,
                          m.rollerD,
                          m.yokeWidth,
                          m.FB,
                          m.bf1,
                          m.d2,
                          m.s,
                          m.b2,
                          m.chain.breakingForce1,
                          m.chain.jointArea1,
                          m.chain.width1,
                          m.chain.h2};
  for (Real x : scalars)
    if (!std::isfinite(x)) return false;
  return true;
}

void RunCalculation() {
  DriveModel& m = model;
  m.strands = 1;
  Real jointArea = PrepareProfileRow();
  const Real q = m.chain.mass1;

  ResetMessages();
  if (!CheckGeometryInputs()) return;
  if (!CheckLoadInputs() || !CheckDriveLengths()) return;

  ApplyLoadRelations();
  // The derived load value must be usable as a divisor as well.
  if (!CheckPositive("P", m.P) || !CheckPositive("n1", m.n[1])) return;

  ApplyToothDefaults();
  jointArea = CompleteJointArea(jointArea);
  ComputeTestPinAndTotalWidth();
  ComputeWheelGeometry();

  ComputeSpeedsAndForces(q);
  if (jointArea == 0) return StopCalculation("A chain = 0 !");
  m.jointPressure = m.Ftotal / jointArea / 100;
  m.jointPressureAllowed = AllowedJointPressure(std::min(m.z1, m.z2), m.v);
  if (m.jointPressure == 0) return StopCalculation("pg=0!");
  m.Sp = m.jointPressureAllowed / m.jointPressure;
  ComputeEfficiency();
  AddChainLimitMessages();

  if (calcFailed) return;
  ComputePinDrive();
  AddPinDriveMessages();
}

}  // namespace

void CalculateDrive() {
  const DriveModel before = model;
  RunCalculation();
  if (AllResultsFinite(model)) return;
  // Inputs far beyond any real drive (a power of 1e4900 kW) overflow even
  // the extended range: no result of this run may be shown or kept.
  model = before;
  if (calcFailed) return;  // its own fatal message says why
  const bool aborted = abortFlag;
  ResetMessages();
  abortFlag = aborted;
  StopCalculation("Ergebnis nicht darstellbar !");
}

}  // namespace kv5
