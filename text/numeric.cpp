#include "text/numeric.h"

#include <charconv>
#include <cmath>

#include "text/messages.h"

namespace kv5 {

Real SafeArcCos(Real x) {
  if (std::fabs(x) > 1) {
    if (!hideWarnings) {
      // General format with 6 significant digits, independent of the locale.
      char buffer[64];
      auto result = std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::general, 6);
      AddMessage("Error: ArcCos " + std::string(buffer, result.ptr));
    }
    return 0;
  }
  return std::acos(x);
}

Real ArcSin(Real x) {
  return std::asin(x);
}

Real Power(const std::string& label, Real base, Real exponent) {
  if (base == 0) return 0;
  if (base < 0 && !hideWarnings && !label.empty()) AddMessage(label + " (pow)");
  Real t = exponent * std::log(std::fabs(base));
  if (t > 3000) return 1e3000L;
  if (t < -3000) return 0;
  return std::exp(t);
}

Real IntPower(Real x, int n) {
  Real result = 1;
  // Binary powering: at most 64 products, also for the largest counts.
  unsigned long long count = n < 0 ? -static_cast<long long>(n) : n;
  for (Real factor = x; count != 0; count >>= 1, factor *= factor)
    if (count & 1) result *= factor;
  return n < 0 ? 1 / result : result;
}

Real Hypot(Real x, Real y) {
  return std::sqrt(x * x + y * y);
}

Real AngleOf(Real x, Real y) {
  if (x == 0) return y >= 0 ? kPi / 2 : -kPi / 2;
  Real angle = std::atan(y / x);
  return x < 0 ? angle + kPi : angle;
}

std::pair<Real, Real> PolarToXY(Real r, Real angle) {
  return {r * std::cos(angle), r * std::sin(angle)};
}

std::pair<Real, Real> XyToPolar(Real x, Real y) {
  return {Hypot(x, y), AngleOf(x, y)};
}

std::pair<Real, Real> Rotate(Real x, Real y, Real angle) {
  Real c = std::cos(angle), s = std::sin(angle);
  return {x * c - y * s, y * c + x * s};
}

std::pair<Real, Real> RotateMove(Real x, Real y, Real angleDeg, Real dx, Real dy) {
  auto [rx, ry] = Rotate(x, y, DegToRad(angleDeg));
  return {rx + dx, ry + dy};
}

std::pair<Real, Real> ScaleRotateMove(Real x, Real y, Real fx, Real fy, Real angleDeg, Real dx,
                                      Real dy) {
  return RotateMove(x * fx, y * fy, angleDeg, dx, dy);
}

Real RadToDeg(Real a) {
  return a * 180 / kPi;
}
Real DegToRad(Real a) {
  return a * kPi / 180;
}

Real NormAngle(Real a) {
  Real full = 2 * kPi;
  Real r = std::fmod(a, full);
  if (r < 0) r += full;
  return r;
}

Real SweepDeg(Real a, Real b, int direction) {
  auto frac = [](Real v) { return v - std::trunc(v); };
  Real sweep = (frac(b / 360) - frac(a / 360)) * 360;
  if (direction < 0) sweep = -sweep;
  while (sweep < 0) sweep += 360;
  return direction < 0 ? -sweep : sweep;
}

bool NearlyEqual(Real a, Real b) {
  return std::fabs(b - a) < 1e-5L;
}

Real Log10(Real x) {
  return x <= 0 ? 0 : std::log10(x);
}
Real Exp10(Real x) {
  return std::pow(10.0L, x);
}

int DecimalExponent(Real x) {
  if (x == 0 || !std::isfinite(x)) return 0;
  Real l = std::log10(std::fabs(x));
  Real t = std::trunc(l);
  if (l < 0) t -= 1;
  return static_cast<int>(std::lround(t));
}

int MaxInt(int a, int b) {
  return a > b ? a : b;
}
int MinInt(int a, int b) {
  return a < b ? a : b;
}
int ClampInt(int lo, int hi, int v) {
  return v < lo ? lo : (v > hi ? hi : v);
}
Real MaxReal(Real a, Real b) {
  return a > b ? a : b;
}
Real MinReal(Real a, Real b) {
  return a < b ? a : b;
}
Real Mean2(Real a, Real b) {
  return (a + b) / 2;
}
bool IsEven(long long n) {
  return n % 2 == 0;
}

}  // namespace kv5
