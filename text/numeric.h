// Numeric routines shared by the whole program (80-bit reals, radians).
#pragma once

#include <string>
#include <utility>

#include "model/drive_model.h"

namespace kv5 {

inline constexpr Real kPi = 3.14159265358979323846264338327950288L;

// 0 when |x| > 1 (and the message "Error: ArcCos <x>" unless warnings are
// hidden); otherwise the arc cosine.
Real SafeArcCos(Real x);
Real ArcSin(Real x);
// base^exponent; a negative base uses its magnitude and adds the message
// label + " (pow)" (unless warnings are hidden or the label is empty).
Real Power(const std::string& label, Real base, Real exponent);
Real IntPower(Real x, int n);  // x^n by products; 1 for n = 0, 1 / x^|n| for n < 0
Real Hypot(Real x, Real y);
Real AngleOf(Real x, Real y);  // −π/2 .. 3π/2
std::pair<Real, Real> PolarToXY(Real r, Real angle);
std::pair<Real, Real> XyToPolar(Real x, Real y);  // (radius, angle)
std::pair<Real, Real> Rotate(Real x, Real y, Real angle);
std::pair<Real, Real> RotateMove(Real x, Real y, Real angleDeg, Real dx, Real dy);
std::pair<Real, Real> ScaleRotateMove(Real x, Real y, Real fx, Real fy, Real angleDeg, Real dx,
                                      Real dy);
Real RadToDeg(Real a);
Real DegToRad(Real a);
Real NormAngle(Real a);  // 0 .. 2π
Real SweepDeg(Real a, Real b, int direction);
bool NearlyEqual(Real a, Real b);  // |b − a| < 1e-5
Real Log10(Real x);                // 0 for x ≤ 0
Real Exp10(Real x);
int DecimalExponent(Real x);  // 0 for 0 and for non-finite values
int MaxInt(int a, int b);
int MinInt(int a, int b);
int ClampInt(int lo, int hi, int v);
Real MaxReal(Real a, Real b);
Real MinReal(Real a, Real b);
Real Mean2(Real a, Real b);
bool IsEven(long long n);

}  // namespace kv5
