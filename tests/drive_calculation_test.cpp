#include "model/drive_calculation.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "model/drive_model.h"
#include "model/tooth_geometry.h"
#include "tests/test_support.h"
#include "text/messages.h"
#include "text/number_format.h"
#include "text/numeric.h"

namespace kv5 {
namespace {

class DriveCalculationTest : public testing::ProgramTest {
 protected:
  // ISO 606 08B: p 12.7, d1 8.51, b1 7.75, h2 11.8.
  void SetUp() override {
    ProgramTest::SetUp();
    model.chain.p = 12.7;
    model.chain.d1 = 8.51;
    model.chain.b1 = 7.75;
    model.chain.h2 = 11.8;
    model.z1 = 17;
    model.z2 = 41;
    model.P = 1.5L;
    model.n[1] = 100;
    model.KA = 1.25L;
  }
  static std::vector<std::string> Messages() {
    std::vector<std::string> texts;
    for (int i = 1; i <= MessageCount(); ++i) texts.push_back(MessageText(i));
    return texts;
  }
};

// Tooth form of p = 12.7, d1 = 8.51 against the values worked out by hand
// from the sprocket formulas (ISO 606).
TEST_F(DriveCalculationTest, ToothFormOfSeventeenTeeth) {
  ComputeToothGeometry();
  ASSERT_FALSE(calcFailed);
  const DriveModel& m = model;
  struct Expect {
    const char* name;
    Real value, expected, tolerance;
  };
  const Expect cases[] = {
      {"tau", m.tau[1], 0.369599L, 5e-6L},
      {"d", m.d[1], 69.116L, 5e-4L},
      {"df", m.df[1], 60.606L, 5e-4L},
      {"dfMin", m.dfMin[1], 60.356L, 5e-4L},
      {"daMax", m.daMax[1], 76.481L, 5e-4L},
      {"daMin", m.daMin[1], 72.111L, 5e-4L},
      {"riMin", m.riMin[1], 4.2976L, 5e-5L},
      {"riMax", m.riMax[1], 4.4384L, 5e-5L},
      {"reMin", m.reMin[1], 19.403L, 5e-4L},
      {"reMax", m.reMax[1], 31.930L, 5e-4L},
      {"alphaMin", m.alphaMin[1], 114.706L, 5e-4L},
      {"alphaMax", m.alphaMax[1], 134.706L, 5e-4L},
      {"gammaMin", m.gammaMin[1], 12.059L, 5e-4L},
      {"gammaMax", m.gammaMax[1], 22.059L, 5e-4L},
      {"haMax", m.haMax[1], 4.2801L, 5e-5L},
      {"haMin", m.haMin[1], 2.095L, 5e-5L},
      {"ba", m.ba, 1.5875L, 5e-6L},
      {"MR odd", m.MR[1], 77.331L, 5e-4L},
      {"raMin", m.raMin, 0.3L, 1e-12L},
      {"raMax", m.raMax, 1.6L, 1e-12L},
      {"bf1 default 0.9 b1", m.bf1, 6.975L, 1e-12L},
      {"d2 default 0.5 d1", m.d2, 4.255L, 1e-12L},
      {"bf1Min = bf1 - IT14", m.bf1Min, 6.975L - 0.36L, 1e-12L},
  };
  for (const Expect& c : cases) EXPECT_NEAR(c.value, c.expected, c.tolerance) << c.name;

  model.z1 = 18;
  ComputeToothGeometry();
  EXPECT_NEAR(model.d[1], 73.136L, 5e-4L);
  EXPECT_NEAR(model.MR[1], 81.646L, 5e-4L);  // even: d + dR
}

// Bands keyed on a decimal limit: a value equal to the limit as typed falls
// in the lower band.
TEST_F(DriveCalculationTest, BandLimitsBelongToTheLowerBand) {
  struct Case {
    double p;
    Real raMin, raMax;
  };
  for (const Case& c : {Case{9.525, 0.2L, 1.0L}, Case{9.526, 0.3L, 1.6L}, Case{19.05, 0.3L, 1.6L},
                        Case{38.1, 0.4L, 2.6L}, Case{38.2, 0.5L, 6.0L}}) {
    model.chain.p = c.p;
    model.chain.d1 = 0.5 * c.p;
    ComputeToothGeometry();
    EXPECT_EQ(model.raMin, c.raMin) << c.p;
    EXPECT_EQ(model.raMax, c.raMax) << c.p;
  }
  // Root diameter bands: choose d1 so that df = d - d1 hits the limit.
  model.chain.p = 12.7;
  model.z1 = 40;
  ComputeToothGeometry();
  const Real d40 = model.d[1];
  struct DfCase {
    Real df, tol;
  };
  for (const DfCase& c : {DfCase{127, -0.25L}, DfCase{127.001L, -0.30L}, DfCase{250, -0.30L}}) {
    model.chain.d1 = static_cast<double>(d40 - c.df);
    ComputeToothGeometry();
    EXPECT_EQ(model.dfTol[1], c.tol) << static_cast<double>(c.df);
  }
}

TEST_F(DriveCalculationTest, LargeRootDiameterUsesIsoH11) {
  model.chain.p = 50.8;
  model.chain.d1 = 29.21;
  model.z1 = 17;
  ComputeToothGeometry();
  // d = 50.8 / sin(π/17) = 276.46, df = 247.25: still -0.30.
  EXPECT_EQ(model.dfTol[1], -0.30L);
  model.z1 = 19;  // d = 308.64, df = 279.43: h11 for 250..315 is 320 µm
  ComputeToothGeometry();
  EXPECT_NEAR(model.dfTol[1], -0.320L, 1e-12L);
}

TEST_F(DriveCalculationTest, PinRackRaisesEvenPinNumberAndUsesHalfPitchDiameter) {
  model.z2 = 40;
  CalculateDrive();
  ASSERT_FALSE(calcFailed);
  EXPECT_EQ(model.z2, 41);
  EXPECT_NEAR(model.rackLength, 520.7L, 1e-9L);
  EXPECT_NEAR(model.a, 34.558L, 5e-4L);
  EXPECT_NEAR(model.rollerD, 17.02L, 1e-9L);
  // The first calculation still used 40 pins for wheel 2.
  EXPECT_NEAR(model.u, 40.0L / 17, 1e-15L);
}

TEST_F(DriveCalculationTest, PinWheelCentreDistanceAndPlateDiameter) {
  model.pinRack = false;
  model.z2 = 40;
  CalculateDrive();
  ASSERT_FALSE(calcFailed);
  EXPECT_EQ(model.z2, 40);
  EXPECT_NEAR(model.a, (69.116L + 161.868L) / 2, 1e-3L);
  EXPECT_NEAR(model.daMax[2], model.d[2] + 11.8L, 1e-9L);
}

// The pin cross-section times 200 N/mm² gives the breaking force, from the
// second calculation on when d2 was defaulted in the first.
TEST_F(DriveCalculationTest, BreakingForceFromPinDiameter) {
  model.d2 = 5;
  CalculateDrive();
  EXPECT_NEAR(model.FB, 3926.99L, 0.01L);
  model.FB = 0;
  model.d2 = 0;
  CalculateDrive();
  EXPECT_EQ(model.FB, 0);  // d2 was 0 when FB was derived
  EXPECT_NEAR(model.d2, 4.255L, 1e-12L);
  CalculateDrive();
  EXPECT_NEAR(model.FB, 50 * 3.14159265358979L * 4.255L * 4.255L, 1e-6L);
}

// A whole drive against an independent hand calculation.
// P = 1.5 kW, n1 = 100/min: T1 = 1500·60/(2π·100) = 143.239 Nm;
// d1 = 69.1156 mm: Ft = 143.239/69.1156·2000 = 4144.9 N; FtMax = 5181.1 N;
// v = 2π·100/60·69.1156/2000 = 0.36189 m/s; Fc = 0.01·v² = 0.0013 N;
// alphaP = gammaMean + 90/17 = 17.0588 + 5.2941 = 22.353°;
// Fr = tan(22.353°)·Ft = 0.41120·4144.9 = 1704.4 N; Fn = √(Ft² + Fr²) = 4481.7 N;
// ρ = 1/(2/8.51 + 1/19.4028) = 3.4889 mm; bf1Min = 6.975 − 0.36 = 6.615;
// pHertz = √(4481.7·210000/(0.91·2π·3.4889·6.615)) = √(9.4116e8/131.96) = 2670 N/mm²;
// d2 = 4.255, s = 2.1275: tauD2 = 5181.1/(π/4·4.255²) = 364.4 N/mm²;
// sigmaL = 5181.1/(2·4.255·2.1275) = 286.2 N/mm²;
// FB (second calculation) = 50π·4.255²= 2843.9 N: SB = 0.686, SD = 0.549;
// joint area A = 6.975·8.51/100 = 0.59357 cm², pressure 5181.1/A/100 =
// 87.29 N/mm²; allowed (z 17, v 0.362 between 0.2 and 0.4 m/s) =
// (3030 − 120·0.8094)/100 = 29.33 N/mm²: Sp = 0.336.
TEST_F(DriveCalculationTest, WholeDriveAgainstHandCalculation) {
  CalculateDrive();
  CalculateDrive();  // FB from the defaulted pin diameter
  ASSERT_FALSE(calcFailed);
  const DriveModel& m = model;
  EXPECT_NEAR(m.T[1], 143.239L, 1e-3L);
  EXPECT_NEAR(m.Ft, 4144.9L, 0.1L);
  EXPECT_NEAR(m.FtMax, 5181.1L, 0.1L);
  EXPECT_NEAR(m.v, 0.36189L, 1e-5L);
  EXPECT_NEAR(RadToDeg(m.alphaP), 22.353L, 1e-3L);
  EXPECT_NEAR(m.Fr, 1704.4L, 0.1L);
  EXPECT_NEAR(m.Fn, 4481.7L, 0.1L);
  EXPECT_NEAR(m.pHertz, 2670.3L, 0.5L);
  EXPECT_NEAR(m.jointPressure, 87.29L, 0.01L);
  EXPECT_NEAR(m.jointPressureAllowed, 29.33L, 0.01L);
  EXPECT_NEAR(m.Sp, 0.336L, 1e-3L);
  EXPECT_NEAR(m.tauD2, 364.4L, 0.1L);
  EXPECT_NEAR(m.sigmaL, 286.2L, 0.1L);
  EXPECT_NEAR(m.FB, 2843.9L, 0.1L);
  EXPECT_NEAR(m.SB, 0.686L, 1e-3L);
  EXPECT_NEAR(m.SD, 0.549L, 1e-3L);
  EXPECT_NEAR(m.n[2], 100.0L * 17 / 41, 1e-9L);
  // eta: K = 0.15·π·8.51/17000, i = 41/17, R = K·(i+1)/i·(FtMax + 2Fc),
  // L = R·v/p.
  const Real K = 0.15L * 3.14159265358979323846L * 8.51L / 17000;
  const Real i = 41.0L / 17;
  const Real L = K * (i + 1) / i * (m.FtMax + 2 * m.Fc) * m.v / 12.7L;
  EXPECT_NEAR(m.eta, (1.5L - L) / 1.5L, 1e-12L);
  EXPECT_GT(m.eta, 0.9L);
  EXPECT_NEAR(m.wheelPower[2], 1.5L * m.eta, 1e-12L);
  const std::vector<std::string> expected = {
      "Fehler : SB < 7 ! (0.7)", "Fehler : SD < 5 ! (0.5)", "Fehler : Sp < 0.5 ! (0.336)",
      "Warnung: tau d2 > 300 MPa ! (364)", "Warnung: p Hertz > 1500 MPa ! (2670)"};
  EXPECT_EQ(Messages(), expected);
}

TEST_F(DriveCalculationTest, JointPressureTable) {
  EXPECT_NEAR(AllowedJointPressure(11, 0.15L), 29.45L, 1e-12L);
  EXPECT_NEAR(AllowedJointPressure(25, 0.05L), 35.50L, 1e-12L);
  EXPECT_NEAR(AllowedJointPressure(30, 18), 13.00L, 1e-12L);  // row 25, last column
  EXPECT_NEAR(AllowedJointPressure(17, 100), 0.0L, 1e-12L);
  EXPECT_NEAR(AllowedJointPressure(17, 1.0L), 25.60L, 1e-12L);  // on a column
  EXPECT_EQ(MessageCount(), 0);
  EXPECT_NEAR(AllowedJointPressure(9, 0.1L), 30.80L, 1e-12L);
  EXPECT_EQ(Messages(), std::vector<std::string>{"Fehler : z < 11 !"});
}

TEST_F(DriveCalculationTest, JointPressureOfDefaultedToothWidth) {
  // bf1 = 6.975, d1 = 8.51: A = 0.593573 cm²; with Ftotal = 800 N the
  // pressure is 800 / A / 100 = 13.478 N/mm².
  model.loadMode = 1;
  model.n[1] = 100;
  model.KA = 1;
  model.T[1] = 800.0L * 69.11559L / 2000;  // Ft ≈ 800 N
  CalculateDrive();
  ASSERT_FALSE(calcFailed);
  EXPECT_NEAR(model.jointPressure, model.Ftotal / 0.5935725L / 100, 1e-9L);
  EXPECT_NEAR(model.jointPressure, 13.478L, 2e-3L);
}

TEST_F(DriveCalculationTest, MessagesAndTheirOrder) {
  model.z1 = 9;
  model.z2 = 9;
  model.d2 = 9;
  model.dB[1] = 5;
  CalculateDrive();
  ASSERT_FALSE(calcFailed);
  std::vector<std::string> texts = Messages();
  ASSERT_GE(texts.size(), 3u);
  EXPECT_EQ(texts.front(), "Fehler : z < 11 !");
  EXPECT_EQ(std::count(texts.begin(), texts.end(), "Fehler : z < 11 !"), 1);
  EXPECT_EQ(texts.back(), "Fehler : d2 > d1 !");
  EXPECT_NE(
      std::find_if(texts.begin(), texts.end(),
                   [](const std::string& t) { return t.rfind("Warnung: tau shaft", 0) == 0; }),
      texts.end());

  model.dB[1] = 0;
  model.z1 = 130;
  model.z2 = 131;
  model.d2 = 0;
  CalculateDrive();
  texts = Messages();
  EXPECT_EQ(std::count(texts.begin(), texts.end(), "Warnung: z > 120 !"), 1);
  EXPECT_EQ(model.tauShaft, 0);
  for (const auto& t : texts) EXPECT_EQ(t.find("tau shaft"), std::string::npos);
}

TEST_F(DriveCalculationTest, SafetyMessageShowsOneDecimal) {
  model.d2 = 8;
  model.FB = 6.84L * 4144.9L;  // SB just below 7
  CalculateDrive();
  ASSERT_FALSE(calcFailed);
  EXPECT_NEAR(model.SB, 6.84L, 1e-3L);
  EXPECT_EQ(MessageText(1), "Fehler : SB < 7 ! (6.8)");
}

// Fatal inputs stop the calculation with one message; the specified texts
// for zero inputs and the guards of this program for the rest.
TEST_F(DriveCalculationTest, FatalInputs) {
  struct Case {
    const char* message;
    void (*set)(DriveModel&);
  };
  const Case cases[] = {
      {"Fatal  : z1 = 0 !", [](DriveModel& m) { m.z1 = 0, m.z2 = 0; }},
      {"Fatal  : z2 = 0 !", [](DriveModel& m) { m.z2 = 0; }},
      {"Fatal  : p = 0 !", [](DriveModel& m) { m.chain.p = 0; }},
      {"Fatal  : dR = 0 !", [](DriveModel& m) { m.chain.d1 = 0; }},
      {"Fatal  : z1 < 2 !", [](DriveModel& m) { m.z1 = 1; }},
      {"Fatal  : z2 < 2 !", [](DriveModel& m) { m.z2 = -5; }},
      {"Fatal  : p < 0 !", [](DriveModel& m) { m.chain.p = -12.7; }},
      {"Fatal  : dR < 0 !", [](DriveModel& m) { m.chain.d1 = -1; }},
      {"Fatal  : b1 < 0 !", [](DriveModel& m) { m.chain.b1 = -1; }},
      {"Fatal  : d2 < 0 !", [](DriveModel& m) { m.d2 = -1; }},
      {"Fatal  : dB1 < 0 !", [](DriveModel& m) { m.dB[1] = -30; }},
      {"Fatal  : p ungültig !", [](DriveModel& m) { m.chain.p = INFINITY; }},
      {"Fatal  : n1 = 0 !", [](DriveModel& m) { m.n[1] = 0; }},
      {"Fatal  : n1 < 0 !", [](DriveModel& m) { m.n[1] = -100; }},
      {"Fatal  : P = 0 !", [](DriveModel& m) { m.P = 0; }},
      {"Fatal  : P < 0 !", [](DriveModel& m) { m.P = -1; }},
      {"Fatal  : T1 = 0 !", [](DriveModel& m) { m.loadMode = 1, m.T[1] = 0; }},
      {"Fatal  : T1 = 0 !", [](DriveModel& m) { m.loadMode = 2, m.T[1] = 0; }},
      {"Fatal  : KA = 0 !", [](DriveModel& m) { m.KA = 0; }},
      {"Fatal  : A chain = 0 !", [](DriveModel& m) { m.chain.b1 = 0; }},
      {"Fatal  : Ergebnis nicht darstellbar !", [](DriveModel& m) { m.P = 1e4900L; }},
  };
  for (const Case& c : cases) {
    SetUp();
    c.set(model);
    CalculateDrive();
    EXPECT_TRUE(calcFailed) << c.message;
    ASSERT_GE(MessageCount(), 1) << c.message;
    EXPECT_EQ(MessageText(MessageCount()), c.message);
    const std::string text = c.message;
    if (text.find("A chain") == std::string::npos &&
        text.find("darstellbar") == std::string::npos) {
      EXPECT_EQ(MessageCount(), 1) << c.message;
    }
  }
}

// Whatever valid drive is entered, every result a report shows is finite.
TEST_F(DriveCalculationTest, ExtremeButValidDrivesGiveFiniteResults) {
  struct Case {
    int z1, z2;
    double p, d1;
    Real P, n1;
  };
  const Case cases[] = {{2, 2, 12.7, 8.51, 1, 1},
                        {500, 501, 12.7, 8.51, 1, 1},
                        {17, 41, 0.01, 0.005, 1e-6L, 1},
                        {17, 41, 5000, 3000, 1e6L, 1e5L},
                        {11, 200, 50.8, 29.21, 200, 1450}};
  for (const Case& c : cases) {
    SetUp();
    model.z1 = c.z1, model.z2 = c.z2, model.chain.p = c.p, model.chain.d1 = c.d1;
    model.chain.b1 = c.d1;
    model.P = c.P, model.n[1] = c.n1;
    for (bool rack : {true, false}) {
      model.pinRack = rack;
      CalculateDrive();
      CalculateDrive();
      EXPECT_FALSE(calcFailed) << c.z1 << " " << c.p;
      const DriveModel& m = model;
      for (Real x : {m.d[1],  m.d[2], m.df[1], m.daMax[1], m.dgMin[1], m.MR[1], m.a,      m.T[1],
                     m.T[2],  m.n[2], m.v,     m.Ft,       m.Fn,       m.Fr,    m.pHertz, m.sigmaL,
                     m.tauD2, m.SB,   m.SD,    m.Sp,       m.eta,      m.fz})
        EXPECT_TRUE(std::isfinite(x)) << c.z1 << " " << c.p;
    }
  }
}

}  // namespace
}  // namespace kv5
