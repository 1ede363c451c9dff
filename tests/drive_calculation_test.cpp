#include "model/drive_calculation.h"

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "cad/cad_settings.h"
#include "model/drive_model.h"
#include "tests/test_support.h"
#include "text/messages.h"
#include "text/number_format.h"

namespace kv5 {
namespace {

using DriveCalculationTest = testing::ProgramTest;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

std::vector<std::string> Messages() {
  std::vector<std::string> texts;
  for (int i = 1; i <= MessageCount(); ++i) texts.push_back(MessageText(i));
  return texts;
}

int CountOf(const std::string& text) {
  int count = 0;
  for (const std::string& m : Messages()) count += m == text;
  return count;
}

// Chain 08B (p 12.7, d1 8.51, b1 7.75, h2 11.81) as a pin rack of 41 pins
// under wheel 1 with 17 teeth; 2 kW at 100 1/min, KA 1.5, bore 20, pins 5.
void UseReferenceDrive() {
  DriveModel& m = model;
  m.chain.p = 12.7;
  m.chain.d1 = 8.51;
  m.chain.b1 = 7.75;
  m.chain.h2 = 11.81;
  m.z1 = 17;
  m.z2 = 41;
  m.pinRack = true;
  m.d2 = 5;
  m.P = 2;
  m.n[1] = 100;
  m.KA = 1.5L;
  m.dB[1] = 20;
  m.loadMode = 0;
}

// Every value the calculation writes, by name (inputs it only reads are
// left out; the load values are named so a case can skip the one it sets).
std::vector<std::pair<std::string, Real>> CalculatedValues(const DriveModel& m) {
  std::vector<std::pair<std::string, Real>> values;
  auto wheels = [&](const char* name, const PerWheel<Real>& w) {
    values.emplace_back(std::string(name) + "(1)", w[1]);
    values.emplace_back(std::string(name) + "(2)", w[2]);
  };
  wheels("tau", m.tau), wheels("d", m.d), wheels("df", m.df), wheels("dfTol", m.dfTol);
  wheels("dfMin", m.dfMin), wheels("dfMean", m.dfMean), wheels("daMax", m.daMax);
  wheels("daMin", m.daMin), wheels("dgMax", m.dgMax), wheels("dgMin", m.dgMin);
  wheels("riMin", m.riMin), wheels("riMax", m.riMax), wheels("riMean", m.riMean);
  wheels("reMin", m.reMin), wheels("reMax", m.reMax), wheels("reMean", m.reMean);
  wheels("alphaMin", m.alphaMin), wheels("alphaMax", m.alphaMax);
  wheels("alphaMean", m.alphaMean), wheels("gammaMin", m.gammaMin);
  wheels("gammaMax", m.gammaMax), wheels("gammaMean", m.gammaMean);
  wheels("haMin", m.haMin), wheels("haMax", m.haMax), wheels("MR", m.MR);
  wheels("omega", m.omega), wheels("wheelPower", m.wheelPower);
  values.insert(values.end(), {{"T1", m.T[1]},
                               {"T2", m.T[2]},
                               {"n1", m.n[1]},
                               {"n2", m.n[2]},
                               {"P", m.P},
                               {"raMin", m.raMin},
                               {"raMax", m.raMax},
                               {"ba", m.ba},
                               {"bf", m.bf},
                               {"bf1Min", m.bf1Min},
                               {"dR", m.dR},
                               {"u", m.u},
                               {"a", m.a},
                               {"v", m.v},
                               {"fz", m.fz},
                               {"Ft", m.Ft},
                               {"FtMax", m.FtMax},
                               {"Fc", m.Fc},
                               {"Ftotal", m.Ftotal},
                               {"Fr", m.Fr},
                               {"Fn", m.Fn},
                               {"alphaP", m.alphaP},
                               {"pHertz", m.pHertz},
                               {"sigmaL", m.sigmaL},
                               {"tauD2", m.tauD2},
                               {"tauShaft", m.tauShaft},
                               {"SB", m.SB},
                               {"SD", m.SD},
                               {"jointPressure", m.jointPressure},
                               {"jointPressureAllowed", m.jointPressureAllowed},
                               {"Sp", m.Sp},
                               {"eta", m.eta},
                               {"rackLength", m.rackLength},
                               {"bts", m.bts},
                               {"rollerD", m.rollerD},
                               {"yokeWidth", m.yokeWidth},
                               {"FB", m.FB},
                               {"breakingForce1", m.chain.breakingForce1},
                               {"jointArea1", m.chain.jointArea1},
                               {"width1", m.chain.width1},
                               {"mass1", m.chain.mass1}});
  return values;
}

void ExpectAllFinite(const std::string& skip = "") {
  for (const auto& [name, value] : CalculatedValues(model))
    if (name != skip) {
      EXPECT_TRUE(std::isfinite(value)) << name << " = " << value;
    }
}

struct Expected {
  const char* name;
  Real actual;
  Real expected;
  Real tolerance;
};

void ExpectAll(const std::vector<Expected>& values) {
  for (const Expected& e : values)
    EXPECT_NEAR(static_cast<double>(e.actual), static_cast<double>(e.expected),
                static_cast<double>(e.tolerance))
        << e.name;
}

class ClearanceGuard {
 public:
  explicit ClearanceGuard(Real value) : saved_(stlFitClearanceBore) { stlFitClearanceBore = value; }
  ~ClearanceGuard() { stlFitClearanceBore = saved_; }

 private:
  Real saved_;
};

TEST_F(DriveCalculationTest, ReferenceDriveMatchesTheHandCalculation) {
  const ClearanceGuard clearance(0.05L);
  UseReferenceDrive();
  CalculateDrive();
  ASSERT_FALSE(calcFailed);
  const DriveModel& m = model;
  // d(1) = 12.7 / sin(π/17) = 69.115828, d(2) = 12.7 / sin(π/41) = 165.906257
  // T1 = 2 kW · 60000 / (2π · 100) = 190.98593 Nm; omega1 = 10.471976 1/s
  // u = 41/17, n2 = 41.463415, omega2 = 4.3420386; T2 = 2000 / omega2 · eta
  // v = 10.471976 · 69.115828 / 2000 = 0.36188963 m/s
  // Ft = 190.98593 / 69.115828 · 2000 = 5526.5469 N, FtMax = 1.5 · Ft = 8289.8204
  // Fc = 0.01 · v² = 0.0013096, Ftotal = 8289.8217
  // FB = 50π · 5² = 3926.9908 N: SB = 0.71056862, SD = 0.47371234
  // A = 6.975 · 8.51 / 100 = 0.5935725 cm², jointPressure = 139.65980
  // allowed (z 17, between 0.2 and 0.4 m/s): 30.30 − 1.20 · 0.8094481 = 29.328662
  // eta: K = 0.15π · 8.51 / 17000 = 2.3589665e-4, i = 41/17,
  //   R = K · (i + 1)/i · (FtMax + 2 Fc) = 2.7663757 N, L = R · v / 12.7 = 0.078828557
  //   eta = (2 − L) / 2 = 0.96058572
  // alphaP = gammaMean 17.058824° + 90°/17 = 22.352941° = 0.39013242 rad
  // Fr = tan(alphaP) · Ft = 2272.5698, Fn = 5975.5581
  // rho = 1 / (2/8.51 + 1/19.4028) = 3.4897122, bf1Min = 6.975 − 0.36 = 6.615
  // pHertz = √(Fn · 210000 / (0.91 · 2π · rho · 6.615)) = 3083.3904
  // s = 0.25 · 8.51 = 2.1275: tauD2 = Ftotal / (π/4 · 25) = 422.19715,
  //   sigmaL = Ftotal / (2 · 5 · 2.1275) = 389.65084
  // tauShaft = T1 · 1.5 · 1000 / (π/16 · 20³) = 182.37813
  // bts = 2 · 2.1275 + 7.75 = 12.005, yokeWidth = 1.05 · bts + 0.3 + 2 · 0.05 = 13.00525
  ExpectAll({
      {"T1", m.T[1], 190.98593L, 5e-5L},
      {"omega1", m.omega[1], 10.471976L, 5e-6L},
      {"n2", m.n[2], 41.463415L, 5e-6L},
      {"omega2", m.omega[2], 4.3420386L, 5e-7L},
      {"T2", m.T[2], 442.45840L, 5e-5L},
      {"v", m.v, 0.36188963L, 5e-8L},
      {"fz", m.fz, 1.1282636L, 5e-7L},
      {"Ft", m.Ft, 5526.5469L, 5e-4L},
      {"FtMax", m.FtMax, 8289.8204L, 5e-4L},
      {"Fc", m.Fc, 0.0013096410L, 5e-10L},
      {"Ftotal", m.Ftotal, 8289.8217L, 5e-4L},
      {"FB", m.FB, 3926.9908L, 5e-4L},
      {"SB", m.SB, 0.71056862L, 5e-8L},
      {"SD", m.SD, 0.47371234L, 5e-8L},
      {"jointPressure", m.jointPressure, 139.65980L, 5e-5L},
      {"jointPressureAllowed", m.jointPressureAllowed, 29.328662L, 5e-6L},
      {"Sp", m.Sp, 0.21000075L, 5e-8L},
      {"eta", m.eta, 0.96058572L, 5e-8L},
      {"wheelPower1", m.wheelPower[1], 2, 1e-15L},
      {"wheelPower2", m.wheelPower[2], 1.9211714L, 5e-7L},
      {"alphaP", m.alphaP, 0.39013242L, 5e-8L},
      {"Fr", m.Fr, 2272.5698L, 5e-4L},
      {"Fn", m.Fn, 5975.5581L, 5e-4L},
      {"pHertz", m.pHertz, 3083.3904L, 5e-4L},
      {"tauD2", m.tauD2, 422.19715L, 5e-5L},
      {"sigmaL", m.sigmaL, 389.65084L, 5e-5L},
      {"tauShaft", m.tauShaft, 182.37813L, 5e-5L},
      {"s", m.s, 2.1275L, 1e-12L},
      {"bts", m.bts, 12.005L, 1e-12L},
      {"yokeWidth", m.yokeWidth, 13.00525L, 1e-12L},
      {"rollerD", m.rollerD, 17.02L, 1e-12L},
      {"rackLength", m.rackLength, 520.7L, 1e-9L},
      {"a", m.a, 34.557914L, 5e-6L},
      {"d(2)", m.d[2], 165.90626L, 5e-5L},
  });
  EXPECT_EQ(m.z2, 41);
  EXPECT_DOUBLE_EQ(m.chain.h2, 11.81);  // entered: no default
  EXPECT_EQ(Messages(), (std::vector<std::string>{
                            "Fehler : SB < 7 ! (0.7)",
                            "Fehler : SD < 5 ! (0.5)",
                            "Fehler : Sp < 0.5 ! (0.21)",
                            "Warnung: tau d2 > 300 MPa ! (422)",
                            "Warnung: p Hertz > 1500 MPa ! (3083)",
                        }));
  ExpectAllFinite();
}

TEST_F(DriveCalculationTest, EachLoadModeDerivesTheMissingValue) {
  // The reference load: 2 kW, 100 1/min, 190.98593 Nm.
  struct Case {
    int loadMode;
    Real P, n1, T1;
  };
  const Case cases[] = {
      {0, 2, 100, 0},           // T1 from P and n1
      {1, 0, 100, 190.98593L},  // P from T1 and n1
      {2, 2, 0, 190.98593L},    // n1 from P and T1
      {5, 2, 100, 0},           // nothing derived; T1 from P and n1 all the same
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("loadMode " + std::to_string(c.loadMode));
    ResetProgramState();
    UseReferenceDrive();
    model.loadMode = c.loadMode;
    model.P = c.P;
    model.n[1] = c.n1;
    model.T[1] = c.T1;
    CalculateDrive();
    ASSERT_FALSE(calcFailed) << (MessageCount() ? MessageText(1) : "");
    ExpectAll({
        {"P", model.P, 2, 5e-7L},
        {"n1", model.n[1], 100, 5e-5L},
        {"T1", model.T[1], 190.98593L, 5e-5L},
        {"Ft", model.Ft, 5526.5469L, 2e-3L},
    });
  }
}

// Inputs that the calculation would divide by, or that are not lengths.
struct FatalCase {
  const char* message;
  const char* field;  // calculated value the case sets as input ("" for none)
  std::function<void(DriveModel&)> change;
};

std::vector<FatalCase> FatalCases() {
  return {
      {"Fatal  : z1 = 0 !", "", [](DriveModel& m) { m.z1 = 0, m.z2 = 0, m.P = 0; }},
      {"Fatal  : z2 = 0 !", "", [](DriveModel& m) { m.z2 = 0; }},
      {"Fatal  : p = 0 !", "", [](DriveModel& m) { m.chain.p = 0; }},
      {"Fatal  : dR = 0 !", "", [](DriveModel& m) { m.chain.d1 = 0; }},
      {"Fatal  : z1 < 2 !", "", [](DriveModel& m) { m.z1 = 1; }},
      {"Fatal  : z2 < 2 !", "", [](DriveModel& m) { m.z2 = -40; }},
      {"Fatal  : dR ungültig !", "", [](DriveModel& m) { m.chain.d1 = kNaN; }},
      {"Fatal  : d2 ungültig !", "", [](DriveModel& m) { m.d2 = kNaN; }},
      {"Fatal  : d2 < 0 !", "", [](DriveModel& m) { m.d2 = -5; }},
      {"Fatal  : bf1 ungültig !", "", [](DriveModel& m) { m.bf1 = kInf; }},
      // the geometry checks come first, then the load
      {"Fatal  : p < 0 !", "", [](DriveModel& m) { m.chain.p = -1, m.P = 0; }},
      // loadMode 0: P and n1 divide
      {"Fatal  : P = 0 !", "P", [](DriveModel& m) { m.P = 0; }},
      {"Fatal  : P < 0 !", "P", [](DriveModel& m) { m.P = -2; }},
      {"Fatal  : P ungültig !", "P", [](DriveModel& m) { m.P = kNaN; }},
      {"Fatal  : n1 = 0 !", "n1", [](DriveModel& m) { m.n[1] = 0; }},
      {"Fatal  : n1 < 0 !", "n1", [](DriveModel& m) { m.n[1] = -100; }},
      {"Fatal  : n1 ungültig !", "n1", [](DriveModel& m) { m.n[1] = kInf; }},
      // loadMode 1: T1 and n1 are given, P follows
      {"Fatal  : T1 = 0 !", "T1", [](DriveModel& m) { m.loadMode = 1, m.T[1] = 0; }},
      {"Fatal  : T1 < 0 !", "T1", [](DriveModel& m) { m.loadMode = 1, m.T[1] = -5; }},
      {"Fatal  : n1 = 0 !", "n1", [](DriveModel& m) { m.loadMode = 1, m.T[1] = 5, m.n[1] = 0; }},
      // loadMode 2: P and T1 are given, n1 follows
      {"Fatal  : T1 = 0 !", "T1", [](DriveModel& m) { m.loadMode = 2, m.T[1] = 0; }},
      {"Fatal  : T1 ungültig !", "T1", [](DriveModel& m) { m.loadMode = 2, m.T[1] = kNaN; }},
      {"Fatal  : P = 0 !", "P", [](DriveModel& m) { m.loadMode = 2, m.T[1] = 5, m.P = 0; }},
      // any other mode derives nothing: P and n1 divide
      {"Fatal  : n1 = 0 !", "n1", [](DriveModel& m) { m.loadMode = 3, m.n[1] = 0; }},
      {"Fatal  : KA = 0 !", "", [](DriveModel& m) { m.KA = 0; }},
      {"Fatal  : KA < 0 !", "", [](DriveModel& m) { m.KA = -1; }},
      {"Fatal  : KA ungültig !", "", [](DriveModel& m) { m.KA = kNaN; }},
      {"Fatal  : mu ungültig !", "", [](DriveModel& m) { m.mu = kNaN; }},
      {"Fatal  : s < 0 !", "", [](DriveModel& m) { m.s = -1; }},
      {"Fatal  : FB < 0 !", "FB", [](DriveModel& m) { m.FB = -1; }},
      {"Fatal  : b2 ungültig !", "", [](DriveModel& m) { m.b2 = kInf; }},
      {"Fatal  : dB1 < 0 !", "", [](DriveModel& m) { m.dB[1] = -20; }},
      {"Fatal  : dB2 ungültig !", "", [](DriveModel& m) { m.dB[2] = kNaN; }},
  };
}

TEST_F(DriveCalculationTest, FatalInputStopsWithOneMessageAndLeavesResultsFinite) {
  for (const FatalCase& c : FatalCases()) {
    SCOPED_TRACE(c.message);
    ResetProgramState();
    UseReferenceDrive();
    CalculateDrive();
    ASSERT_FALSE(calcFailed);
    c.change(model);
    const auto before = CalculatedValues(model);
    CalculateDrive();
    EXPECT_TRUE(calcFailed);
    EXPECT_EQ(Messages(), std::vector<std::string>{c.message});
    ExpectAllFinite(c.field);
    // Stopped before any result was written.
    const auto after = CalculatedValues(model);
    for (size_t i = 0; i < before.size(); ++i) {
      const std::string& name = before[i].first;
      if (name == "breakingForce1" || name == "jointArea1" || name == "width1")
        continue;  // the profile row is rewritten from the inputs first
      if (std::isnan(before[i].second)) continue;  // the input the case set
      EXPECT_EQ(after[i].second, before[i].second) << name;
    }
  }
}

TEST_F(DriveCalculationTest, FatalInputOnAFreshModelLeavesEveryResultFinite) {
  for (const FatalCase& c : FatalCases()) {
    SCOPED_TRACE(c.message);
    ResetProgramState();
    UseReferenceDrive();
    c.change(model);
    CalculateDrive();
    EXPECT_TRUE(calcFailed);
    EXPECT_EQ(MessageCount(), 1);
    ExpectAllFinite(c.field);
  }
}

TEST_F(DriveCalculationTest, OverflowingResultsAreFatalAndLeaveTheLastResults) {
  struct Case {
    const char* name;
    std::function<void(DriveModel&)> change;
  };
  const std::vector<Case> cases = {
      // Ft² overflows in the normal force
      {"power 1e4900 kW", [](DriveModel& m) { m.P = 1e4900L; }},
      {"speed 1e4900 1/min", [](DriveModel& m) { m.n[1] = 1e4900L; }},
      {"factor KA 1e4930", [](DriveModel& m) { m.KA = 1e4930L; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ResetProgramState();
    UseReferenceDrive();
    CalculateDrive();
    ASSERT_FALSE(calcFailed);
    const auto results = CalculatedValues(model);
    c.change(model);
    const DriveModel entered = model;
    CalculateDrive();
    EXPECT_TRUE(calcFailed);
    EXPECT_EQ(Messages(), std::vector<std::string>{"Fatal  : Ergebnis nicht darstellbar !"});
    // The inputs stay as entered, the results of the last calculation stay.
    EXPECT_EQ(model.P, entered.P);
    EXPECT_EQ(model.n[1], entered.n[1]);
    EXPECT_EQ(model.d2, entered.d2);
    const auto after = CalculatedValues(model);
    for (size_t i = 0; i < results.size(); ++i) {
      const std::string& name = results[i].first;
      if (name == "P" || name == "n1") continue;  // inputs of the case
      EXPECT_EQ(after[i].second, results[i].second) << name;
    }
  }
}

TEST_F(DriveCalculationTest, ZeroValuesThatAreDerivedAreNotFatal) {
  struct Case {
    int loadMode;
    Real P, n1, T1;
  };
  // T1 is derived in mode 0, P in mode 1, n1 in mode 2.
  for (const Case c : {Case{0, 2, 100, 0}, Case{0, 2, 100, -7}, Case{1, 0, 100, 190.98593L},
                       Case{2, 2, 0, 190.98593L}, Case{2, 2, -3, 190.98593L}}) {
    SCOPED_TRACE("loadMode " + std::to_string(c.loadMode));
    ResetProgramState();
    UseReferenceDrive();
    model.loadMode = c.loadMode;
    model.P = c.P;
    model.n[1] = c.n1;
    model.T[1] = c.T1;
    CalculateDrive();
    EXPECT_FALSE(calcFailed);
    ExpectAllFinite();
  }
}

TEST_F(DriveCalculationTest, NextCalculationAfterAFatalInputStartsClean) {
  UseReferenceDrive();
  model.n[1] = 0;
  CalculateDrive();
  ASSERT_TRUE(calcFailed);
  model.n[1] = 100;
  CalculateDrive();
  EXPECT_FALSE(calcFailed);
  EXPECT_EQ(CountOf("Fatal  : n1 = 0 !"), 0);
  EXPECT_NEAR(static_cast<double>(model.Ft), 5526.5469, 5e-4);
}

TEST_F(DriveCalculationTest, ValidExtremeInputsGiveFiniteResults) {
  struct Case {
    const char* name;
    std::function<void(DriveModel&)> change;
  };
  const std::vector<Case> cases = {
      {"z 2 / 2, rack", [](DriveModel& m) { m.z1 = 2, m.z2 = 2; }},
      {"z 2 / 2, wheel", [](DriveModel& m) { m.z1 = 2, m.z2 = 2, m.pinRack = false; }},
      {"z 500 / 500", [](DriveModel& m) { m.z1 = 500, m.z2 = 500, m.pinRack = false; }},
      {"z 2 / 500", [](DriveModel& m) { m.z1 = 2, m.z2 = 500; }},
      {"z 500 / 2", [](DriveModel& m) { m.z1 = 500, m.z2 = 2, m.pinRack = false; }},
      {"tiny pitch",
       [](DriveModel& m) {
         m.chain.p = 1e-3, m.chain.d1 = 6.7e-4, m.chain.b1 = 6e-4, m.chain.h2 = 9e-4, m.d2 = 0;
       }},
      {"huge pitch",
       [](DriveModel& m) {
         m.chain.p = 5000, m.chain.d1 = 3350, m.chain.b1 = 3000, m.chain.h2 = 4500, m.d2 = 0,
         m.dB[1] = 2000;
       }},
      {"tiny power, high speed", [](DriveModel& m) { m.P = 1e-9L, m.n[1] = 1e6L; }},
      {"huge power, low speed", [](DriveModel& m) { m.P = 1e6L, m.n[1] = 1e-4L; }},
      {"torque given, tiny", [](DriveModel& m) { m.loadMode = 1, m.T[1] = 1e-6L; }},
      {"no widths, table area",
       [](DriveModel& m) { m.chain.b1 = 0, m.b2 = 7, m.bf1 = 0, m.chainStandard = 0; }},
      {"no friction", [](DriveModel& m) { m.mu = 0; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ResetProgramState();
    UseReferenceDrive();
    c.change(model);
    CalculateDrive();
    EXPECT_FALSE(calcFailed) << (MessageCount() ? MessageText(1) : "");
    ExpectAllFinite();
    // A second run works from the defaults the first one filled in.
    CalculateDrive();
    EXPECT_FALSE(calcFailed);
    ExpectAllFinite();
  }
}

TEST_F(DriveCalculationTest, PinRackGetsAnOddPinNumberFromTheNextCalculationOn) {
  UseReferenceDrive();
  model.z2 = 40;
  CalculateDrive();
  ASSERT_FALSE(calcFailed);
  EXPECT_EQ(model.z2, 41);
  EXPECT_NEAR(static_cast<double>(model.rackLength), 520.7, 1e-9);
  EXPECT_NEAR(static_cast<double>(model.a), 34.558, 5e-4);
  // This run still used 40 pins for wheel 2: d(2) = 12.7 / sin(π/40).
  EXPECT_NEAR(static_cast<double>(model.d[2]), 161.868, 5e-4);
  EXPECT_NEAR(static_cast<double>(model.u), 40.0 / 17, 1e-15);
  CalculateDrive();
  EXPECT_EQ(model.z2, 41);
  EXPECT_NEAR(static_cast<double>(model.d[2]), 165.906, 5e-4);
  EXPECT_NEAR(static_cast<double>(model.u), 41.0 / 17, 1e-15);
}

TEST_F(DriveCalculationTest, PinWheelKeepsItsPinsAndGetsCentreDistanceAndPlateDiameter) {
  struct Case {
    double h2;
    Real daMax2;  // 161.868 + h2 (1.5 · 8.51 = 12.765 when not entered)
  };
  for (const Case c : {Case{11.81, 173.678L}, Case{0, 174.633L}}) {
    ResetProgramState();
    UseReferenceDrive();
    model.pinRack = false;
    model.z2 = 40;
    model.chain.h2 = c.h2;
    CalculateDrive();
    ASSERT_FALSE(calcFailed);
    EXPECT_EQ(model.z2, 40);
    // (69.116 + 161.868) / 2
    EXPECT_NEAR(static_cast<double>(model.a), 115.492, 5e-4);
    EXPECT_NEAR(static_cast<double>(model.daMax[2]), static_cast<double>(c.daMax2), 5e-4);
    EXPECT_EQ(model.rackLength, 0);
  }
}

TEST_F(DriveCalculationTest, BreakingForceComesFromThePinTheCalculationUses) {
  struct Case {
    Real d2, FB;
    Real FBFirst, FBSecond;
  };
  const Case cases[] = {
      // 50π · 5² = 3927.0 N
      {5, 0, 3926.9908L, 3926.9908L},
      // an unset d2 is the default pin of 4.255 already for the breaking
      // force: 50π · 4.255² = 2843.93 N, the same in every calculation
      {0, 0, 2843.9307L, 2843.9307L},
      // an entered breaking force stays
      {5, 10000, 10000, 10000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("d2 = " + std::to_string(static_cast<double>(c.d2)));
    ResetProgramState();
    UseReferenceDrive();
    model.d2 = c.d2;
    model.FB = c.FB;
    CalculateDrive();
    EXPECT_NEAR(static_cast<double>(model.FB), static_cast<double>(c.FBFirst), 5e-4);
    CalculateDrive();
    EXPECT_NEAR(static_cast<double>(model.FB), static_cast<double>(c.FBSecond), 5e-4);
  }
}

TEST_F(DriveCalculationTest, ProfileRowIsOverwrittenWithPinDriveValues) {
  UseReferenceDrive();
  model.bf1 = 0;
  model.s = 0;
  CalculateDrive();
  // With the widths as entered (0): area 0, width 3 · 0 + 7.75.
  EXPECT_DOUBLE_EQ(model.chain.breakingForce1, 3.9269908169872414);
  EXPECT_DOUBLE_EQ(model.chain.jointArea1, 0);
  EXPECT_DOUBLE_EQ(model.chain.mass1, 0.01);
  EXPECT_DOUBLE_EQ(model.chain.width1, 7.75);
  CalculateDrive();
  // Now from the defaults: 6.975 · 8.51 / 100 and 3 · 2.1275 + 7.75.
  EXPECT_NEAR(model.chain.jointArea1, 0.5935725, 1e-12);
  EXPECT_NEAR(model.chain.width1, 14.1325, 1e-12);
}

TEST_F(DriveCalculationTest, JointPressureUsesTheAreaOfTheToothWidthOrTheTable) {
  // Ftotal = 800 N: T1 = 800 · 69.115828 / 2000 at 1 1/min, KA 1 (Fc = 1.3e-7 N).
  struct Case {
    const char* name;
    Real bf1;
    Real b2;
    int chainStandard;
    Real jointPressure;
    Real b2After;
  };
  const Case cases[] = {
      // A = 6.975 · 8.51 / 100 = 0.5935725 cm²: 800 / 59.35725 = 13.478
      {"entered", 6.975L, 0, 1, 13.478L, 0},
      {"defaulted from b1", 0, 0, 1, 13.478L, 0},
      // no tooth width entered: the table's b2 · d2 = 7 · 4.255 / 100: 800 / 29.785
      {"from b2", 0, 7, 1, 26.859L, 7},
      // DIN table: b2 follows from the area, 59.35725 / 4.255 = 13.95
      {"DIN", 6.975L, 0, 0, 13.478L, 13.95L},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ResetProgramState();
    UseReferenceDrive();
    model.d2 = 0;
    model.bf1 = c.bf1;
    model.b2 = c.b2;
    model.chainStandard = c.chainStandard;
    model.KA = 1;
    model.loadMode = 1;
    model.n[1] = 1;
    model.T[1] = 27.646331L;
    CalculateDrive();
    ASSERT_FALSE(calcFailed);
    EXPECT_NEAR(static_cast<double>(model.Ftotal), 800, 1e-4);
    EXPECT_NEAR(static_cast<double>(model.jointPressure), static_cast<double>(c.jointPressure),
                5e-4);
    EXPECT_NEAR(static_cast<double>(model.b2), static_cast<double>(c.b2After), 1e-9);
  }
}

TEST_F(DriveCalculationTest, ZeroJointAreaIsFatalAndSkipsThePinDrive) {
  UseReferenceDrive();
  CalculateDrive();
  const Real pHertz = model.pHertz;
  model.chain.b1 = 0;  // tooth width 0.9 · 0, no table width either
  model.bf1 = 0;
  CalculateDrive();
  EXPECT_TRUE(calcFailed);
  EXPECT_EQ(Messages(), std::vector<std::string>{"Fatal  : A chain = 0 !"});
  EXPECT_EQ(model.pHertz, pHertz);
  ExpectAllFinite();
}

TEST_F(DriveCalculationTest, ToothNumberBelow11UsesRow11AndSaysSoOnce) {
  UseReferenceDrive();
  model.z1 = 9;
  model.z2 = 9;
  model.pinRack = false;
  CalculateDrive();
  ASSERT_FALSE(calcFailed);
  EXPECT_EQ(CountOf("Fehler : z < 11 !"), 1);
  // v = 10.471976 · (12.7 / sin 20°) / 2000 = 0.19442435 m/s:
  // row 11 between 0.1 and 0.2 m/s: 30.80 − 2.70 · 0.9442435 = 28.250543
  EXPECT_NEAR(static_cast<double>(model.jointPressureAllowed), 28.250543, 5e-6);
}

TEST_F(DriveCalculationTest, LimitMessagesComeInTheirOrder) {
  // Wheel 1 with 9 teeth, a pin wheel of 121 pins 9 mm thick, 6 kW at 100 1/min,
  // KA 1.5, bore 14. Hand values: v = 0.19442 m/s, SB = 0.41229, SD = 0.27486,
  // allowed 28.2505 / jointPressure 779.86 = Sp 0.036225,
  // tauShaft = 6 · 9549.3 / 100 · 1.5 · 1000 / (π/16 · 14³) = 1595.1,
  // tauD2 = 24870 / (π/4 · 81) = 727.64, pHertz = 7686.7 (rho from reMin 0.12 · 8.51 · 11)
  UseReferenceDrive();
  model.z1 = 9;
  model.z2 = 121;
  model.pinRack = false;
  model.d2 = 9;
  model.P = 6;
  model.dB[1] = 14;
  CalculateDrive();
  ASSERT_FALSE(calcFailed);
  EXPECT_EQ(Messages(), (std::vector<std::string>{
                            "Warnung: z > 120 !",
                            "Fehler : z < 11 !",
                            "Fehler : SB < 7 ! (0.4)",
                            "Fehler : SD < 5 ! (0.3)",
                            "Fehler : Sp < 0.5 ! (0.0362)",
                            "Warnung: tau shaft > 300 MPa ! (1595)",
                            "Warnung: tau d2 > 300 MPa ! (728)",
                            "Warnung: p Hertz > 1500 MPa ! (7687)",
                            "Fehler : d2 > d1 !",
                        }));
  // The plates of the pin wheel: d(2) + h2 = 489.20176 + 11.81
  EXPECT_NEAR(static_cast<double>(model.daMax[2]), 501.01176, 5e-5);
}

TEST_F(DriveCalculationTest, SafetyAndJointPressureMessagesFollowTheirLimits) {
  UseReferenceDrive();
  CalculateDrive();
  const Real Ft = model.Ft;
  const Real Ftotal = model.Ftotal;
  const Real allowed = model.jointPressureAllowed;
  struct Case {
    const char* name;
    Real FB;  // breaking force
    Real Sp;  // wanted joint-pressure safety, through the tooth width
    int decimals;
    std::vector<std::string> expected;
  };
  const std::vector<Case> cases = {
      {"SB 6.84", 6.84L * Ft, 2, 3, {"Fehler : SB < 7 ! (6.8)", "Fehler : SD < 5 ! (4.6)"}},
      {"SB 6.84, 4 decimals",
       6.84L * Ft,
       2,
       4,
       {"Fehler : SB < 7 ! (6.84)", "Fehler : SD < 5 ! (4.56)"}},
      {"SB 7.01, SD 4.67", 7.01L * Ft, 2, 3, {"Fehler : SD < 5 ! (4.7)"}},
      {"SD 5.1", 5.1L * Ftotal, 2, 3, {}},
      {"Sp 0.75", 5.1L * Ftotal, 0.75L, 3, {"Warnung: Sp < 1 ! (0.75)"}},
      {"Sp 0.45", 5.1L * Ftotal, 0.45L, 3, {"Fehler : Sp < 0.5 ! (0.45)"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    decimalsSetting = c.decimals;
    model.FB = c.FB;
    // jointPressure = Ftotal / (bf1 · d1): the tooth width that gives Sp.
    model.bf1 = c.Sp * Ftotal / (allowed * 8.51L);
    model.d2 = 8;      // tauD2 = 8290 / 50.27 = 165 MPa
    model.dB[1] = 30;  // tauShaft = 54 MPa
    model.chain.h2 = 11.81;
    CalculateDrive();
    ASSERT_FALSE(calcFailed);
    std::vector<std::string> found;
    for (const std::string& m : Messages())
      if (m.rfind("Warnung: p Hertz", 0) != 0) found.push_back(m);
    EXPECT_EQ(found, c.expected);
  }
}

TEST_F(DriveCalculationTest, NoBoreMeansNoShaftStress) {
  UseReferenceDrive();
  model.dB[1] = 10;  // 190.98593 · 1.5 · 1000 / (π/16 · 1000) = 1459.0 MPa
  CalculateDrive();
  EXPECT_EQ(CountOf("Warnung: tau shaft > 300 MPa ! (1459)"), 1);
  model.dB[1] = 0;
  CalculateDrive();
  EXPECT_EQ(model.tauShaft, 0);
  for (const std::string& m : Messages()) EXPECT_EQ(m.find("tau shaft"), std::string::npos) << m;
}

TEST_F(DriveCalculationTest, PinNotThickerThanTheRoller) {
  struct Case {
    Real d2;
    bool error;
  };
  for (const Case c : {Case{9, true}, Case{8.51L, false}, Case{8.5L, false}}) {
    ResetProgramState();
    UseReferenceDrive();
    model.d2 = c.d2;
    CalculateDrive();
    ASSERT_FALSE(calcFailed);
    ASSERT_GT(MessageCount(), 0);
    EXPECT_EQ(MessageText(MessageCount()) == "Fehler : d2 > d1 !", c.error)
        << static_cast<double>(c.d2);
  }
}

TEST_F(DriveCalculationTest, AllowedJointPressureTableAndItsEdges) {
  struct Case {
    int z;
    Real v;
    Real allowed;
  };
  const Case cases[] = {
      {11, 0.15L, 29.45L},  // (3080 + (2810 − 3080) · 0.5) / 100
      {11, 0.1L, 30.80L},     {11, 0, 30.80L},
      {11, -1, 30.80L},       {17, 1.0L, 25.60L},  // on a column
      {17, 1.25L, 25.15L},                         // (2560 + 2470) / 2
      {11, 7.5L, 4.25L},                           // 850 .. 0
      {18, 16.5L, 4.85L},                          // 970 .. 0
      {19, 18, 8.80L},        {19, 100, 8.80L},
      {25, 18, 13.00L},       {26, 0.1L, 35.50L},  // above 25: row 25
      {200, 17, 13.3333333L},                      // (1400 + (1300 − 1400) · 2/3) / 100
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.z) + " at " + std::to_string(static_cast<double>(c.v)));
    EXPECT_NEAR(static_cast<double>(AllowedJointPressure(c.z, c.v)), static_cast<double>(c.allowed),
                5e-8);
  }
  EXPECT_EQ(MessageCount(), 0);
  // Below 11: row 11 and the message.
  EXPECT_NEAR(static_cast<double>(AllowedJointPressure(10, 0.15L)), 29.45, 1e-12);
  EXPECT_EQ(Messages(), std::vector<std::string>{"Fehler : z < 11 !"});
}

}  // namespace
}  // namespace kv5
