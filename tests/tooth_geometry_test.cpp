#include "model/tooth_geometry.h"

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "model/drive_model.h"
#include "tests/test_support.h"
#include "text/messages.h"

namespace kv5 {
namespace {

using ToothGeometryTest = testing::ProgramTest;

// Chain 08B of ISO 606: p 12.7, d1 8.51, b1 7.75, h2 11.81.
void UseChain08B() {
  model.chain.p = 12.7;
  model.chain.d1 = 8.51;
  model.chain.b1 = 7.75;
  model.chain.h2 = 11.81;
}

std::vector<std::string> Messages() {
  std::vector<std::string> texts;
  for (int i = 1; i <= MessageCount(); ++i) texts.push_back(MessageText(i));
  return texts;
}

struct Expected {
  const char* name;
  Real actual;
  Real expected;
  Real tolerance;  // half a unit of the last digit given
};

void ExpectAll(const std::vector<Expected>& values) {
  for (const Expected& e : values)
    EXPECT_NEAR(static_cast<double>(e.actual), static_cast<double>(e.expected),
                static_cast<double>(e.tolerance))
        << e.name;
}

// Hand values for p = 12.7, d1 = 8.51, h2 = 11.81:
//   z = 17: tau = 2π/17 = 0.36960 rad; d = 12.7 / sin(10.588°) = 69.116
//     df = 69.116 − 8.51 = 60.606, dfMin = df − 0.25 = 60.356
//     daMax = d + 15.875 − 8.51 = 76.481, daMin = d + 12.7·(1 − 1.6/17) − 8.51 = 72.111
//     c = 12.7 / tan(10.588°) = 67.939: dgMax = c − 12.4005 − 0.6 − 1 = 53.9385,
//     dgMin = c − 12.4005 − 3.2 − 1 = 51.3385
//     riMin = 0.505·8.51 = 4.2976, riMax = riMin + 0.069·2.0418 = 4.4384
//     reMin = 0.12·8.51·19 = 19.403, reMax = 0.008·8.51·469 = 31.930
//     alpha = 120 − 5.294 = 114.706 .. 134.706; gamma = 90 − alpha/2 − 10.588
//     haMax = 7.9375 − 4.255 + 0.5976 = 4.2801, haMin = 0.5·4.19 = 2.095
//     MR = 69.116·cos(5.294°) + 8.51 = 77.331
//   z = 18: d = 12.7 / sin(10°) = 73.136, MR = d + 8.51 = 81.646, c = 72.025,
//     reMin = 0.12·8.51·20 = 20.424, reMax = 0.008·8.51·504 = 34.312,
//     alpha 115 .. 135, gamma 12.5 .. 22.5, haMax = 3.6825 + 0.56444 = 4.2469
void ExpectWheel17(int k) {
  const DriveModel& m = model;
  ExpectAll({
      {"tau", m.tau[k], 0.36960L, 5e-6L},
      {"d", m.d[k], 69.116L, 5e-4L},
      {"df", m.df[k], 60.606L, 5e-4L},
      {"dfTol", m.dfTol[k], -0.25L, 1e-12L},
      {"dfMin", m.dfMin[k], 60.356L, 5e-4L},
      {"dfMean", m.dfMean[k], 60.481L, 5e-4L},
      {"daMax", m.daMax[k], 76.481L, 5e-4L},
      {"daMin", m.daMin[k], 72.111L, 5e-4L},
      {"dgMax", m.dgMax[k], 53.9385L, 5e-5L},
      {"dgMin", m.dgMin[k], 51.3385L, 5e-5L},
      {"riMin", m.riMin[k], 4.2976L, 5e-5L},
      {"riMax", m.riMax[k], 4.4384L, 5e-5L},
      {"riMean", m.riMean[k], 4.3680L, 5e-5L},
      {"reMin", m.reMin[k], 19.403L, 5e-4L},
      {"reMax", m.reMax[k], 31.930L, 5e-4L},
      {"reMean", m.reMean[k], 25.666L, 5e-4L},
      {"alphaMin", m.alphaMin[k], 114.706L, 5e-4L},
      {"alphaMax", m.alphaMax[k], 134.706L, 5e-4L},
      {"alphaMean", m.alphaMean[k], 124.706L, 5e-4L},
      {"gammaMin", m.gammaMin[k], 12.059L, 5e-4L},
      {"gammaMax", m.gammaMax[k], 22.059L, 5e-4L},
      {"gammaMean", m.gammaMean[k], 17.059L, 5e-4L},
      {"haMax", m.haMax[k], 4.2801L, 5e-5L},
      {"haMin", m.haMin[k], 2.095L, 5e-4L},
      {"MR", m.MR[k], 77.331L, 5e-4L},
  });
}

void ExpectWheel18(int k) {
  const DriveModel& m = model;
  ExpectAll({
      {"tau", m.tau[k], 0.34907L, 5e-6L},
      {"d", m.d[k], 73.136L, 5e-4L},
      {"df", m.df[k], 64.626L, 5e-4L},
      {"dgMax", m.dgMax[k], 58.0248L, 5e-5L},
      {"reMin", m.reMin[k], 20.424L, 5e-4L},
      {"reMax", m.reMax[k], 34.312L, 5e-4L},
      {"alphaMin", m.alphaMin[k], 115.0L, 1e-9L},
      {"alphaMax", m.alphaMax[k], 135.0L, 1e-9L},
      {"gammaMin", m.gammaMin[k], 12.5L, 1e-9L},
      {"gammaMax", m.gammaMax[k], 22.5L, 1e-9L},
      {"haMax", m.haMax[k], 4.2469L, 5e-5L},
      {"MR", m.MR[k], 81.646L, 5e-4L},
  });
}

TEST_F(ToothGeometryTest, BothWheelsFollowTheSprocketRulesWithTheirOwnToothNumber) {
  struct Case {
    int z1, z2;
  };
  for (const Case c : {Case{17, 18}, Case{18, 17}}) {
    SCOPED_TRACE("z1 = " + std::to_string(c.z1) + ", z2 = " + std::to_string(c.z2));
    ResetProgramState();
    UseChain08B();
    model.z1 = c.z1;
    model.z2 = c.z2;
    ComputeToothGeometry();
    ASSERT_FALSE(calcFailed);
    EXPECT_EQ(MessageCount(), 0);
    if (c.z1 == 17) {
      ExpectWheel17(1);
      ExpectWheel18(2);
    } else {
      ExpectWheel18(1);
      ExpectWheel17(2);
    }
    const DriveModel& m = model;
    ExpectAll({
        {"ba", m.ba, 1.5875L, 1e-12L},
        {"dR", m.dR, 8.51L, 1e-12L},
        {"raMin", m.raMin, 0.3L, 1e-12L},
        {"raMax", m.raMax, 1.6L, 1e-12L},
        {"u", m.u, static_cast<Real>(c.z2) / c.z1, 1e-15L},
        // (69.116 + 73.136) / 2
        {"a", m.a, 71.126L, 5e-4L},
    });
  }
}

TEST_F(ToothGeometryTest, PitchOnABandLimitAsTypedUsesTheLowerBand) {
  struct Case {
    double p;
    Real raMin, raMax;
  };
  const Case cases[] = {
      {0.5, 0.2L, 1.0L},  {9.525, 0.2L, 1.0L},  {9.526, 0.3L, 1.6L},
      {12.7, 0.3L, 1.6L}, {19.05, 0.3L, 1.6L},  {19.051, 0.4L, 2.6L},
      {38.1, 0.4L, 2.6L}, {38.101, 0.5L, 6.0L}, {50.8, 0.5L, 6.0L},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("p = " + std::to_string(c.p));
    ResetProgramState();
    UseChain08B();
    model.chain.p = c.p;
    model.chain.d1 = 0.67 * c.p;
    ComputeToothGeometry();
    ASSERT_FALSE(calcFailed);
    EXPECT_EQ(model.raMin, c.raMin);
    EXPECT_EQ(model.raMax, c.raMax);
    // The relief diameters use the same radii.
    EXPECT_NEAR(static_cast<double>(model.dgMax[1] - model.dgMin[1]),
                static_cast<double>(2 * (c.raMax - c.raMin)), 1e-12);
  }
}

TEST_F(ToothGeometryTest, RootDiameterOnABandLimitUsesTheLowerBand) {
  struct Case {
    Real df;
    Real dfTol;
  };
  const Case cases[] = {
      {60.606L, -0.25L},
      {127, -0.25L},
      // Noise of the extended arithmetic far below what 64-bit inputs can
      // express: still 127 to the user.
      {127 + 1e-17L, -0.25L},
      {127 + 1e-12L, -0.30L},
      {127.001L, -0.30L},
      {250, -0.30L},
      {250.001L, -0.32L},  // h11, 250..315 mm: IT11 = 320 µm
      {400, -0.36L},       // h11, 315..400 mm
      {400.001L, -0.40L},  // h11, 400..500 mm
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("df = " + std::to_string(static_cast<double>(c.df)));
    EXPECT_NEAR(static_cast<double>(RootDiameterLowerDeviation(c.df)), static_cast<double>(c.dfTol),
                1e-12);
  }
  EXPECT_EQ(MessageCount(), 0);
  EXPECT_FALSE(abortFlag);
}

TEST_F(ToothGeometryTest, RootDiameterBandsInTheWheel) {
  // z = 6: d = p / sin 30° = 2p; p = 67.75, d1 = 8.5 give df = 127 exactly.
  struct Case {
    double p;
    Real df, dfMin;
  };
  const Case cases[] = {
      {67.75, 127, 126.75L},
      {67.7505, 127.001L, 126.701L},
      {129.25, 250, 249.70L},
      {129.3, 250.1L, 249.78L},  // h11, 250..315 mm: IT11 = 320 µm
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("p = " + std::to_string(c.p));
    ResetProgramState();
    UseChain08B();
    model.chain.p = c.p;
    model.chain.d1 = 8.5;
    model.z1 = 6;
    model.z2 = 6;
    ComputeToothGeometry();
    EXPECT_NEAR(static_cast<double>(model.df[1]), static_cast<double>(c.df), 1e-9);
    EXPECT_NEAR(static_cast<double>(model.dfMin[1]), static_cast<double>(c.dfMin), 1e-9);
    EXPECT_NEAR(static_cast<double>(model.dfMean[1]), static_cast<double>((c.df + c.dfMin) / 2),
                1e-9);
  }
}

TEST_F(ToothGeometryTest, RootDiameterBeyondTheIsoRangeReportsAndCompletesTheGeometry) {
  UseChain08B();
  model.chain.p = 2000;  // z = 6: d = 4000, df = 3991.5 > 3150 mm
  model.chain.d1 = 8.5;
  model.z1 = 6;
  model.z2 = 6;
  ComputeToothGeometry();
  EXPECT_FALSE(calcFailed);
  EXPECT_TRUE(abortFlag);
  EXPECT_EQ(Messages(), std::vector<std::string>{"Undefinierter Nennmassbereich"});
  EXPECT_EQ(model.dfTol[1], 0);
  EXPECT_EQ(model.dfMin[1], model.df[1]);
  EXPECT_NEAR(static_cast<double>(model.MR[2]), 4000 + 8.5, 1e-9);
}

TEST_F(ToothGeometryTest, ZeroWidthAndPinDiameterTakeTheirDefaultsEnteredOnesStay) {
  struct Case {
    Real bf1, d2;
    Real bf1After, d2After, bf1Min;
  };
  const Case cases[] = {
      // 0.9·7.75 = 6.975; h14 for 6..10 mm: IT14 = 360 µm; 0.5·8.51 = 4.255
      {0, 0, 6.975L, 4.255L, 6.615L},
      // h14 for 3..6 mm: IT14 = 300 µm
      {5, 4, 5, 4, 4.7L},
  };
  for (const Case& c : cases) {
    ResetProgramState();
    UseChain08B();
    model.bf1 = c.bf1;
    model.d2 = c.d2;
    model.strands = 3;  // always one strand: the transverse pitch must not count
    model.chain.pt = 13.92;
    ComputeToothGeometry();
    EXPECT_NEAR(static_cast<double>(model.bf1), static_cast<double>(c.bf1After), 1e-12);
    EXPECT_NEAR(static_cast<double>(model.d2), static_cast<double>(c.d2After), 1e-12);
    EXPECT_NEAR(static_cast<double>(model.bf1Min), static_cast<double>(c.bf1Min), 1e-12);
    EXPECT_EQ(model.strands, 1);
    EXPECT_EQ(model.bf, model.bf1);
  }
}

TEST_F(ToothGeometryTest, FatalInputStopsWithOneMessageAndKeepsEarlierResults) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  struct Case {
    const char* message;
    std::function<void(DriveModel&)> change;
  };
  const std::vector<Case> cases = {
      // the zero cases in their order: an earlier one hides the later ones
      {"Fatal  : z1 = 0 !", [](DriveModel& m) { m.z1 = 0, m.z2 = 0, m.chain.p = 0; }},
      {"Fatal  : z2 = 0 !", [](DriveModel& m) { m.z2 = 0, m.chain.p = 0; }},
      {"Fatal  : p = 0 !", [](DriveModel& m) { m.chain.p = 0, m.chain.d1 = 0; }},
      {"Fatal  : dR = 0 !", [](DriveModel& m) { m.chain.d1 = 0; }},
      {"Fatal  : z1 < 2 !", [](DriveModel& m) { m.z1 = 1; }},
      {"Fatal  : z1 < 2 !", [](DriveModel& m) { m.z1 = -17; }},
      {"Fatal  : z2 < 2 !", [](DriveModel& m) { m.z2 = 1; }},
      {"Fatal  : z2 < 2 !", [](DriveModel& m) { m.z2 = -3; }},
      {"Fatal  : p < 0 !", [](DriveModel& m) { m.chain.p = -12.7; }},
      {"Fatal  : p ungültig !", [nan](DriveModel& m) { m.chain.p = nan; }},
      {"Fatal  : p ungültig !", [inf](DriveModel& m) { m.chain.p = inf; }},
      {"Fatal  : p ungültig !", [inf](DriveModel& m) { m.chain.p = -inf; }},
      {"Fatal  : dR < 0 !", [](DriveModel& m) { m.chain.d1 = -8.51; }},
      {"Fatal  : b1 < 0 !", [](DriveModel& m) { m.chain.b1 = -1; }},
      {"Fatal  : h2 < 0 !", [](DriveModel& m) { m.chain.h2 = -1; }},
      {"Fatal  : pt ungültig !", [nan](DriveModel& m) { m.chain.pt = nan; }},
      {"Fatal  : bf1 < 0 !", [](DriveModel& m) { m.bf1 = -0.1L; }},
      {"Fatal  : d2 ungültig !",
       [](DriveModel& m) { m.d2 = std::numeric_limits<Real>::infinity(); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    ResetProgramState();
    UseChain08B();
    model.z2 = 40;
    ComputeToothGeometry();
    ASSERT_FALSE(calcFailed);
    const DriveModel before = model;
    c.change(model);
    const DriveModel changed = model;
    ComputeToothGeometry();
    EXPECT_TRUE(calcFailed);
    EXPECT_EQ(Messages(), std::vector<std::string>{c.message});
    // Nothing was computed: results and the defaulted inputs are as before.
    EXPECT_EQ(model.u, before.u);
    EXPECT_EQ(model.d, before.d);
    EXPECT_EQ(model.MR, before.MR);
    EXPECT_EQ(model.bf1Min, before.bf1Min);
    EXPECT_EQ(model.a, before.a);
    EXPECT_EQ(model.z2, changed.z2);
  }
}

TEST_F(ToothGeometryTest, ToothNumberAbove120WarnsOnceForBothWheels) {
  struct Case {
    int z1, z2;
    int warnings;
  };
  for (const Case c : {Case{120, 120, 0}, Case{121, 17, 1}, Case{17, 121, 1}, Case{121, 130, 1}}) {
    SCOPED_TRACE(std::to_string(c.z1) + " / " + std::to_string(c.z2));
    ResetProgramState();
    UseChain08B();
    model.z1 = c.z1;
    model.z2 = c.z2;
    ComputeToothGeometry();
    EXPECT_FALSE(calcFailed);
    std::vector<std::string> expected;
    if (c.warnings) expected.push_back("Warnung: z > 120 !");
    EXPECT_EQ(Messages(), expected);
  }
}

TEST_F(ToothGeometryTest, LargeToothNumbersKeepTheFlankRadiusExact) {
  // z² + 180 in integers: 50000² alone exceeds 32 bits.
  UseChain08B();
  model.z1 = 50000;
  model.z2 = 2;
  ComputeToothGeometry();
  ASSERT_FALSE(calcFailed);
  EXPECT_NEAR(static_cast<double>(model.reMax[1]), 0.008 * 8.51 * 2500000180.0, 1e-3);
  // z = 2: the pitch diameter is the pitch, an even number measures straight across.
  EXPECT_NEAR(static_cast<double>(model.d[2]), 12.7, 1e-12);
  EXPECT_NEAR(static_cast<double>(model.MR[2]), 12.7 + 8.51, 1e-12);
  EXPECT_TRUE(std::isfinite(model.dgMax[2]));
}

}  // namespace
}  // namespace kv5
