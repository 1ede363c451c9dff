#include "model/tooth_geometry.h"

#include <cmath>

#include "model/input_checks.h"
#include "model/iso_fits.h"
#include "text/messages.h"
#include "text/numeric.h"

namespace kv5 {

namespace {

// Roller seating radius, flank radius, seating and flank angles of ISO 606
// for tooth number z and roller diameter d1.
void ComputeSeatingAndFlank(int k, int z, Real d1) {
  DriveModel& m = model;
  const Real zr = z;
  m.riMin[k] = 0.505L * d1;
  m.riMax[k] = 0.505L * d1 + 0.069L * Power("", d1, 1.0L / 3.0L);
  m.riMean[k] = (m.riMin[k] + m.riMax[k]) / 2;

  // z² + 180 in 64-bit integers: exact, and no overflow for any int z.
  const long long zSquaredPlus180 = static_cast<long long>(z) * z + 180;
  m.reMin[k] = 0.12L * d1 * (zr + 2);
  m.reMax[k] = 0.008L * d1 * static_cast<Real>(zSquaredPlus180);
  m.reMean[k] = (m.reMin[k] + m.reMax[k]) / 2;

  m.alphaMax[k] = 140 - 90 / zr;
  m.alphaMin[k] = 120 - 90 / zr;
  m.alphaMean[k] = (m.alphaMin[k] + m.alphaMax[k]) / 2;

  const Real tauDeg = 360 / zr;
  m.gammaMax[k] = 90 - m.alphaMin[k] / 2 - tauDeg / 2;
  m.gammaMin[k] = 90 - m.alphaMax[k] / 2 - tauDeg / 2;
  m.gammaMean[k] = (m.gammaMin[k] + m.gammaMax[k]) / 2;
}

void ComputeWheel(int k, int z) {
  DriveModel& m = model;
  const Real p = m.chain.p;
  const Real d1 = m.chain.d1;
  const Real h2 = m.chain.h2;
  const Real zr = z;

  m.tau[k] = 2 * kPi / zr;
  m.d[k] = p / std::sin(m.tau[k] / 2);
  m.df[k] = m.d[k] - d1;
  m.dfTol[k] = RootDiameterLowerDeviation(m.df[k]);
  m.dfMin[k] = m.df[k] + m.dfTol[k];
  m.dfMean[k] = (m.df[k] + m.dfMin[k]) / 2;
  m.daMax[k] = m.d[k] + 1.25L * p - d1;
  m.daMin[k] = m.d[k] + p * (1 - 1.6L / zr) - d1;

  const Real cotangentTerm = p / std::tan(m.tau[k] / 2);
  m.dgMax[k] = cotangentTerm - 1.05L * h2 - 2 * m.raMin - 1;
  m.dgMin[k] = cotangentTerm - 1.05L * h2 - 2 * m.raMax - 1;

  ComputeSeatingAndFlank(k, z, d1);
  m.ba = 0.125L * p;

  m.haMax[k] = 0.625L * p - 0.5L * d1 + 0.8L * p / zr;
  m.haMin[k] = 0.5L * (p - d1);

  // Over pins: straight across for an even number, over the pins nearest
  // the opposite gap for an odd one.
  if (IsEven(z))
    m.MR[k] = m.d[k] + m.dR;
  else
    m.MR[k] = m.d[k] * std::cos(kPi / (2 * zr)) + m.dR;

  if (z > 120) AddMessage(std::string(kWarningTag) + "z > 120 !");
}

}  // namespace

ShroudFilletRadii ShroudFilletRadiiForPitch(double p) {
  // double literals on purpose: the limits must round like the stored pitch.
  if (p <= 9.525) return {0.2L, 1.0L};
  if (p <= 19.05) return {0.3L, 1.6L};
  if (p <= 38.1) return {0.4L, 2.6L};
  return {0.5L, 6.0L};
}

Real RootDiameterLowerDeviation(Real df) {
  const double dfAsInput = static_cast<double>(df);
  if (dfAsInput <= 127.0) return -0.25L;
  if (dfAsInput <= 250.0) return -0.30L;
  return IsoLimitsMm("h11", df).lower;
}

bool CheckGeometryInputs() {
  DriveModel& m = model;
  if (!CheckToothNumber("z1", m.z1)) return false;
  if (!CheckToothNumber("z2", m.z2)) return false;
  if (!CheckPositive("p", m.chain.p)) return false;
  if (!CheckPositive("dR", m.chain.d1)) return false;
  if (!CheckNotNegative("b1", m.chain.b1)) return false;
  if (!CheckNotNegative("h2", m.chain.h2)) return false;
  if (!CheckNotNegative("pt", m.chain.pt)) return false;
  if (!CheckNotNegative("bf1", m.bf1)) return false;
  if (!CheckNotNegative("d2", m.d2)) return false;
  m.u = static_cast<Real>(m.z2) / static_cast<Real>(m.z1);
  return true;
}

Real PinDiameterOrDefault(const DriveModel& m) {
  return m.d2 == 0 ? 0.5L * m.chain.d1 : m.d2;
}

void ApplyToothDefaults() {
  DriveModel& m = model;
  m.strands = 1;
  const ShroudFilletRadii ra = ShroudFilletRadiiForPitch(m.chain.p);
  m.raMin = ra.min;
  m.raMax = ra.max;
  if (m.bf1 == 0) m.bf1 = 0.9L * m.chain.b1;
  // h has upper deviation 0: bf1 stays the upper limit.
  m.bf1Min = m.bf1 + IsoLimitsMm("h 14", m.bf1).lower;
  m.d2 = PinDiameterOrDefault(m);
}

void ComputeTestPinAndTotalWidth() {
  DriveModel& m = model;
  m.dR = m.chain.d1;
  m.bf = static_cast<Real>(m.strands - 1) * m.chain.pt + m.bf1;
}

void ComputeToothScalars() {
  ApplyToothDefaults();
  ComputeTestPinAndTotalWidth();
}

void ComputeWheelGeometry() {
  ComputeWheel(1, model.z1);
  ComputeWheel(2, model.z2);
  model.a = (model.d[1] + model.d[2]) / 2;
}

void ComputeToothGeometry() {
  if (!CheckGeometryInputs()) return;
  ComputeToothScalars();
  ComputeWheelGeometry();
}

}  // namespace kv5
