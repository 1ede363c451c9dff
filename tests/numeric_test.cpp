#include "text/numeric.h"

#include <cmath>

#include "tests/test_support.h"
#include "text/messages.h"

namespace kv5 {
namespace {

using NumericTest = testing::ProgramTest;

double D(Real x) {
  return static_cast<double>(x);
}

TEST_F(NumericTest, PowerCases) {
  struct Case {
    const char* label;
    Real base;
    Real exponent;
    Real expected;
    const char* message;  // "" = no message
  };
  const Case cases[] = {
      {"x", -8, 1.0L / 3, 2, "x (pow)"},  // sign of the base ignored, reported
      {"", -8, 1.0L / 3, 2, ""},          // no label: no message
      {"p", 0, 2, 0, ""},
      {"p", 0, -1, 0, ""},
      {"p", 2, 10, 1024, ""},
      {"p", 2, -2, 0.25L, ""},
      {"p", 10, 5000, 1e3000L, ""},  // overflow clamped
      {"p", 10, -5000, 0, ""},
  };
  for (const Case& c : cases) {
    ClearMessages();
    Real result = Power(c.label, c.base, c.exponent);
    EXPECT_NEAR(D(result / (c.expected == 0 ? 1 : c.expected)), c.expected == 0 ? 0 : 1, 1e-15)
        << c.label << " " << D(c.base) << "^" << D(c.exponent);
    if (*c.message) {
      ASSERT_EQ(MessageCount(), 1);
      EXPECT_EQ(MessageText(1), c.message);
    } else {
      EXPECT_EQ(MessageCount(), 0);
    }
  }
  hideWarnings = true;
  ClearMessages();
  EXPECT_NEAR(D(Power("x", -8, 1.0L / 3)), 2, 1e-15);
  EXPECT_EQ(MessageCount(), 0);
}

TEST_F(NumericTest, IntPower) {
  EXPECT_EQ(IntPower(2, 10), 1024);
  EXPECT_EQ(IntPower(2, -2), 0.25L);
  EXPECT_EQ(IntPower(5, 0), 1);
  EXPECT_EQ(IntPower(-3, 3), -27);
  EXPECT_EQ(IntPower(1, -2147483647 - 1), 1);  // the most negative exponent is safe
  EXPECT_EQ(IntPower(2, -2147483647 - 1), 0);
  EXPECT_NEAR(D(IntPower(1.1L, 25) / std::pow(1.1L, 25)), 1, 1e-17);
}

TEST_F(NumericTest, SafeArcCosReportsArgumentsOutsideTheRange) {
  EXPECT_NEAR(D(SafeArcCos(0.5L)), D(kPi / 3), 1e-15);
  EXPECT_EQ(SafeArcCos(1), 0);
  EXPECT_EQ(MessageCount(), 0);
  EXPECT_EQ(SafeArcCos(1.5L), 0);
  EXPECT_EQ(SafeArcCos(-2), 0);
  ASSERT_EQ(MessageCount(), 2);
  EXPECT_EQ(MessageText(1), "Error: ArcCos 1.5");
  EXPECT_EQ(MessageText(2), "Error: ArcCos -2");
  ClearMessages();
  hideWarnings = true;
  EXPECT_EQ(SafeArcCos(3), 0);
  EXPECT_EQ(MessageCount(), 0);
}

TEST_F(NumericTest, AngleOfCoversEveryQuadrantAndTheAxes) {
  struct Case {
    Real x, y, angle;
  };
  const Case cases[] = {
      {1, 1, kPi / 4},   {-1, 1, 3 * kPi / 4}, {-1, -1, 5 * kPi / 4},
      {1, -1, -kPi / 4}, {0, 1, kPi / 2},      {0, 0, kPi / 2},
      {0, -1, -kPi / 2}, {-1, 0, kPi},         {1, 0, 0},
  };
  for (const Case& c : cases)
    EXPECT_NEAR(D(AngleOf(c.x, c.y)), D(c.angle), 1e-15) << D(c.x) << "," << D(c.y);
  auto [r, a] = XyToPolar(0, -2);
  EXPECT_EQ(r, 2);
  EXPECT_NEAR(D(a), D(-kPi / 2), 1e-15);
}

TEST_F(NumericTest, SweepDegInBothTurningSenses) {
  struct Case {
    Real a, b;
    int direction;
    Real sweep;
  };
  const Case cases[] = {
      {10, 350, 1, 340}, {10, 350, -1, -20}, {350, 10, 1, 20}, {350, 10, -1, -340},
      {0, 720, 1, 0},    {-90, 90, 1, 180},  {370, 20, 1, 10}, {20, 20, -1, 0},
  };
  for (const Case& c : cases)
    EXPECT_NEAR(D(SweepDeg(c.a, c.b, c.direction)), D(c.sweep), 1e-12)
        << D(c.a) << " -> " << D(c.b) << " dir " << c.direction;
}

TEST_F(NumericTest, DecimalExponent) {
  const std::pair<Real, int> cases[] = {
      {0, 0},      {1, 0},     {9.99L, 0},
      {10, 1},     {12345, 4}, {0.5L, -1},
      {0.05L, -2}, {-250, 2},  {std::numeric_limits<Real>::infinity(), 0}};
  for (auto [x, e] : cases) EXPECT_EQ(DecimalExponent(x), e) << D(x);
}

TEST_F(NumericTest, SmallHelpers) {
  EXPECT_NEAR(D(NormAngle(-kPi / 2)), D(3 * kPi / 2), 1e-15);
  EXPECT_NEAR(D(NormAngle(5 * kPi)), D(kPi), 1e-15);
  EXPECT_EQ(Log10(0), 0);
  EXPECT_EQ(Log10(-1), 0);
  EXPECT_NEAR(D(Log10(1000)), 3, 1e-15);
  EXPECT_NEAR(D(Exp10(-2)), 0.01, 1e-17);
  EXPECT_EQ(Hypot(3, 4), 5);
  auto [rx, ry] = Rotate(1, 0, kPi / 2);
  EXPECT_NEAR(D(rx), 0, 1e-15);
  EXPECT_NEAR(D(ry), 1, 1e-15);
  auto [mx, my] = RotateMove(1, 0, 90, 2, 3);
  EXPECT_NEAR(D(mx), 2, 1e-15);
  EXPECT_NEAR(D(my), 4, 1e-15);
  auto [sx, sy] = ScaleRotateMove(1, 1, 2, 3, 180, 1, 1);
  EXPECT_NEAR(D(sx), -1, 1e-15);
  EXPECT_NEAR(D(sy), -2, 1e-15);
  EXPECT_NEAR(D(RadToDeg(DegToRad(123.4L))), 123.4, 1e-13);
  EXPECT_TRUE(NearlyEqual(1, 1 + 5e-6L));
  EXPECT_FALSE(NearlyEqual(1, 1 + 2e-5L));
  EXPECT_EQ(ClampInt(0, 10, -5), 0);
  EXPECT_EQ(ClampInt(0, 10, 15), 10);
  EXPECT_EQ(ClampInt(0, 10, 7), 7);
  EXPECT_TRUE(IsEven(-4));
  EXPECT_FALSE(IsEven(-3));
  EXPECT_EQ(Mean2(2, 5), 3.5L);
}

}  // namespace
}  // namespace kv5
