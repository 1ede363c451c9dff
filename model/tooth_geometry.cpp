#include "model/tooth_geometry.h"

#include <cmath>
#include <string>

#include "model/drive_model.h"
#include "model/iso_fits.h"
#include "text/messages.h"
#include "text/numeric.h"

namespace kv5 {

namespace {

// Adds a fatal finding and marks the calculation as failed.
bool Fatal(const std::string& what) {
  AddMessage(std::string(kFatalTag) + what);
  calcFailed = true;
  return false;
}

// A tooth or pin number: 0 keeps the catalogue text; 1 and below cannot
// form a wheel (sin(π/z) would vanish or change sign).
bool CheckToothNumber(const char* name, int z) {
  if (z == 0) return Fatal(std::string(name) + " = 0 !");
  if (z < 2) return Fatal(std::string(name) + " < 2 !");
  return true;
}

// A length that must be positive (pitch, roller diameter).
bool CheckPositiveLength(const char* name, Real value) {
  if (value == 0) return Fatal(std::string(name) + " = 0 !");
  if (!std::isfinite(value)) return Fatal(std::string(name) + " ungültig !");
  if (value < 0) return Fatal(std::string(name) + " < 0 !");
  return true;
}

// A length where 0 means "use the default" but a negative value is wrong.
bool CheckOptionalLength(const char* name, Real value) {
  if (!std::isfinite(value)) return Fatal(std::string(name) + " ungültig !");
  if (value < 0) return Fatal(std::string(name) + " < 0 !");
  return true;
}

// Pitch band of the shroud fillet radius. The pitch is compared in the
// precision it is stored in (the 64-bit profile value), so a pitch typed as
// exactly 9.525 falls into the lower band.
void ShroudFilletRadius(double pitch, Real& raMin, Real& raMax) {
  if (pitch <= 9.525) {
    raMin = 0.2L, raMax = 1.0L;
  } else if (pitch <= 19.05) {
    raMin = 0.3L, raMax = 1.6L;
  } else if (pitch <= 38.1) {
    raMin = 0.4L, raMax = 2.6L;
  } else {
    raMin = 0.5L, raMax = 6.0L;
  }
}

// Lower deviation of the root diameter. The root diameter is computed in
// extended precision from 64-bit inputs; it is compared after rounding to
// 64 bits so that a diameter that works out to a limit exactly (127 mm from
// a typed pitch and roller) falls into the lower band and not into the
// next because of digits beyond the inputs' precision.
Real RootDiameterTolerance(Real df) {
  double rounded = static_cast<double>(df);
  if (rounded <= 127.0) return -0.25L;
  if (rounded <= 250.0) return -0.30L;
  return IsoLimitsMm("h11", df).lower;
}

void WheelGeometry(int k, int z) {
  DriveModel& m = model;
  const Real p = m.chain.p;
  const Real d1 = m.chain.d1;
  const Real h2 = m.chain.h2;
  const Real zr = z;
  m.tau[k] = 2 * kPi / zr;
  m.d[k] = p / std::sin(m.tau[k] / 2);
  m.df[k] = m.d[k] - d1;
  m.dfTol[k] = RootDiameterTolerance(m.df[k]);
  m.dfMin[k] = m.df[k] + m.dfTol[k];
  m.dfMean[k] = (m.df[k] + m.dfMin[k]) / 2;
  m.daMax[k] = m.d[k] + 1.25L * p - d1;
  m.daMin[k] = m.d[k] + p * (1 - 1.6L / zr) - d1;
  const Real c = p / std::tan(m.tau[k] / 2);
  m.dgMax[k] = c - 1.05L * h2 - 2 * m.raMin - 1;
  m.dgMin[k] = c - 1.05L * h2 - 2 * m.raMax - 1;
  m.riMin[k] = 0.505L * d1;
  m.riMax[k] = 0.505L * d1 + 0.069L * Power("", d1, 1.0L / 3);
  m.riMean[k] = (m.riMin[k] + m.riMax[k]) / 2;
  const long long zz = static_cast<long long>(z) * z + 180;
  m.reMin[k] = 0.12L * d1 * (zr + 2);
  m.reMax[k] = 0.008L * d1 * static_cast<Real>(zz);
  m.reMean[k] = (m.reMin[k] + m.reMax[k]) / 2;
  m.ba = 0.125L * p;
  m.alphaMax[k] = 140 - 90 / zr;
  m.alphaMin[k] = 120 - 90 / zr;
  m.alphaMean[k] = (m.alphaMin[k] + m.alphaMax[k]) / 2;
  const Real t = 360 / zr;
  m.gammaMax[k] = 90 - m.alphaMin[k] / 2 - t / 2;
  m.gammaMin[k] = 90 - m.alphaMax[k] / 2 - t / 2;
  m.gammaMean[k] = (m.gammaMin[k] + m.gammaMax[k]) / 2;
  m.haMax[k] = 0.625L * p - 0.5L * d1 + 0.8L * p / zr;
  m.haMin[k] = 0.5L * (p - d1);
  if (z % 2 == 0)
    m.MR[k] = m.d[k] + m.dR;
  else
    m.MR[k] = m.d[k] * std::cos(DegToRad(90 / zr)) + m.dR;
  if (z > 120) AddMessage(std::string(kWarningTag) + "z > 120 !");
}

}  // namespace

bool CheckGeometryInputs() {
  DriveModel& m = model;
  if (!CheckToothNumber("z1", m.z1)) return false;
  if (!CheckToothNumber("z2", m.z2)) return false;
  if (!CheckPositiveLength("p", m.chain.p)) return false;
  if (!CheckPositiveLength("dR", m.chain.d1)) return false;
  // The other lengths: 0 asks for a default, a negative value is an error.
  if (!CheckOptionalLength("b1", m.chain.b1)) return false;
  if (!CheckOptionalLength("h2", m.chain.h2)) return false;
  if (!CheckOptionalLength("pt", m.chain.pt)) return false;
  if (!CheckOptionalLength("d2", m.d2)) return false;
  if (!CheckOptionalLength("bf1", m.bf1)) return false;
  if (!CheckOptionalLength("s", m.s)) return false;
  if (!CheckOptionalLength("FB", m.FB)) return false;
  if (!CheckOptionalLength("dB1", m.dB[1])) return false;
  if (!CheckOptionalLength("dB2", m.dB[2])) return false;
  m.u = static_cast<Real>(m.z2) / m.z1;
  return true;
}

void ComputeToothScalars() {
  DriveModel& m = model;
  m.strands = 1;
  ShroudFilletRadius(m.chain.p, m.raMin, m.raMax);
  if (m.bf1 == 0) m.bf1 = 0.9L * m.chain.b1;
  m.bf1Min = IsoLimitSizes("h 14", m.bf1).lower;
  if (m.d2 == 0) m.d2 = 0.5L * m.chain.d1;
  m.dR = m.chain.d1;
  m.bf = (m.strands - 1) * static_cast<Real>(m.chain.pt) + m.bf1;
}

void ComputeWheelGeometry() {
  WheelGeometry(1, model.z1);
  WheelGeometry(2, model.z2);
  model.a = (model.d[1] + model.d[2]) / 2;
}

void ComputeToothGeometry() {
  if (!CheckGeometryInputs()) return;
  ComputeToothScalars();
  ComputeWheelGeometry();
}

}  // namespace kv5
