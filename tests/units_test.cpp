#include "text/units.h"

#include "tests/test_support.h"
#include "text/number_format.h"
#include "text/text_conversion.h"

namespace kv5 {
namespace {

using UnitsTest = testing::ProgramTest;

TEST_F(UnitsTest, SelectionListNamesTheFiveSystemsInOrder) {
  const std::vector<std::string> expected = {
      "metrisch (mm, N, MPa, Nmm, °C)", "englisch (in, lbf, psi, lbfin, degF)",
      "metrisch (mm, kN, MPa, Nm, °C)", "metrisch (mm, N, N/mm², Nmm, °C)",
      "metrisch (mm, kN, N/mm², Nm, °C)"};
  EXPECT_EQ(UnitSystemNames(), expected);
  EXPECT_EQ(static_cast<int>(UnitSystemNames().size()), kUnitSystemCount);
}

TEST_F(UnitsTest, UnitLabelsOfEverySystem) {
  struct Case {
    short system;
    const char* length;
    const char* force;
    const char* stress;
    const char* moment;
  };
  const Case cases[] = {
      {0, "mm", "N", "MPa", "Nm"},    {1, "in", "lbf", "psi", "lbfin"},
      {2, "mm", "kN", "MPa", "Nm"},   {3, "mm", "N", "N/mm²", "Nm"},
      {4, "mm", "kN", "N/mm²", "Nm"}, {7, "mm", "N", "MPa", "Nm"},  // unknown: as system 0
  };
  for (const Case& c : cases) {
    unitSystem = c.system;
    EXPECT_EQ(LengthUnit(), c.length) << c.system;
    EXPECT_EQ(ForceUnit(), c.force) << c.system;
    EXPECT_EQ(StressUnit(), c.stress) << c.system;
    EXPECT_EQ(MomentUnit(), c.moment) << c.system;
    EXPECT_EQ(DegreeUnit(), "°");
  }
  transliterate = 1;
  EXPECT_EQ(DegreeUnit(), "deg");
}

// Every unit-aware format in every system, for the same internal values:
// 25.4 mm, 12000 N, 100 MPa and 1 Nm.
TEST_F(UnitsTest, FormatsConvertFromInternalUnits) {
  struct Case {
    short system;
    const char* length;      // FormatLength(6, 1, 25.4)
    const char* lengthDec;   // FormatLengthDec(2, 25.4)
    const char* lengthAuto;  // FormatLengthAuto(25.4)
    const char* force;       // FormatForce(8, 0, 12000)
    const char* forceAuto;   // FormatForceAuto(12000)
    const char* stress;      // FormatStress(6, 3, 100)
    const char* moment;      // FormatMoment(6, 2, 1)
    const char* momentAuto;  // FormatMomentAuto(1)
  };
  const Case cases[] = {
      {0, "    25.4", "25.40", "25.4", "   12000", "12000", "   100.000", "     1.00", "1"},
      {1, "    1.00", "1.000", "1.0000", "   2697.7", "2698", "   14503.7", "      8.9", "8.85"},
      {2, "    25.4", "25.40", "25.4", "     12.0", "12", "   100.000", "     1.00", "1"},
      {3, "    25.4", "25.40", "25.4", "   12000", "12000", "   100.000", "     1.00", "1"},
      {4, "    25.4", "25.40", "25.4", "     12.0", "12", "   100.000", "     1.00", "1"},
  };
  for (const Case& c : cases) {
    unitSystem = c.system;
    EXPECT_EQ(FormatLength(6, 1, 25.4L), c.length) << c.system;
    EXPECT_EQ(FormatLengthDec(2, 25.4L), c.lengthDec) << c.system;
    EXPECT_EQ(FormatLengthAuto(25.4L), c.lengthAuto) << c.system;
    EXPECT_EQ(FormatForce(8, 0, 12000), c.force) << c.system;
    EXPECT_EQ(FormatForceAuto(12000), c.forceAuto) << c.system;
    EXPECT_EQ(FormatStress(6, 3, 100), c.stress) << c.system;
    EXPECT_EQ(FormatMoment(6, 2, 1), c.moment) << c.system;
    EXPECT_EQ(FormatMomentAuto(1), c.momentAuto) << c.system;
  }
}

TEST_F(UnitsTest, ConvertedFormatsKeepAFieldOfAtLeastOneCharacter) {
  unitSystem = 1;
  EXPECT_EQ(FormatLength(1, 0, 25.4L), FormatFixed(1, 1, 1));
  EXPECT_EQ(FormatLength(0, 0, 25.4L), FormatFixed(1, 1, 1));
  EXPECT_EQ(FormatStress(4, 1, 1), FormatFixed(6, 0, 145.037L));  // decimals not below 0
  EXPECT_EQ(FormatMoment(4, 0, 0.112984788L), FormatFixed(5, 0, 1));
  unitSystem = 2;
  EXPECT_EQ(FormatForce(1, 0, 12000), FormatFixed(1, 1, 12));
}

TEST_F(UnitsTest, ForceToDisplay) {
  const std::pair<short, Real> cases[] = {
      {0, 4448.22L}, {1, 1000}, {2, 4.44822L}, {3, 4448.22L}, {4, 4.44822L}};
  for (auto [system, expected] : cases) {
    unitSystem = system;
    EXPECT_NEAR(static_cast<double>(ForceToDisplay(4448.22L)), static_cast<double>(expected), 1e-9)
        << system;
  }
}

TEST_F(UnitsTest, ParsersGiveInternalUnits) {
  struct Case {
    short system;
    Real length;  // ParseLength("2,5")
    Real force;   // ParseForce("2,5")
    Real moment;  // ParseMoment("2,5")
  };
  const Case cases[] = {
      {0, 2.5L, 2.5L, 2.5L}, {1, 63.5L, 11.12055L, 0.28246197L},
      {2, 2.5L, 2500, 2.5L}, {3, 2.5L, 2.5L, 2.5L},
      {4, 2.5L, 2500, 2.5L},
  };
  for (const Case& c : cases) {
    unitSystem = c.system;
    EXPECT_NEAR(static_cast<double>(ParseLength("2,5")), static_cast<double>(c.length), 1e-9);
    EXPECT_NEAR(static_cast<double>(ParseForce("2,5")), static_cast<double>(c.force), 1e-9);
    EXPECT_NEAR(static_cast<double>(ParseMoment("2,5")), static_cast<double>(c.moment), 1e-9);
    EXPECT_EQ(ParseLength("abc"), 0);
  }
}

TEST_F(UnitsTest, ShownValuesReadBackToTheInternalValue) {
  for (short system = 0; system < kUnitSystemCount; ++system) {
    unitSystem = system;
    EXPECT_NEAR(static_cast<double>(ParseLength(FormatLength(0, 6, 38.1L))), 38.1, 1e-5);
    EXPECT_NEAR(static_cast<double>(ParseForce(FormatForce(0, 6, 1234.5L))), 1234.5, 1e-3);
    EXPECT_NEAR(static_cast<double>(ParseMoment(FormatMoment(0, 6, 56.75L))), 56.75, 1e-4);
  }
}

}  // namespace
}  // namespace kv5
