#include "text/number_format.h"

#include <clocale>
#include <limits>

#include "tests/test_support.h"

namespace kv5 {
namespace {

using NumberFormatTest = testing::ProgramTest;

struct FixedCase {
  int width;
  int decimals;
  Real x;
  int setting;  // decimalsSetting
  const char* expected;
};

TEST_F(NumberFormatTest, FormatFixedCases) {
  const FixedCase cases[] = {
      {6, 1, 12.34L, 3, "    12.3"},            // width 6, point, 1 decimal
      {6, 1, 12.34L, 5, "    12.340"},          // two decimals more, field grows too
      {6, 1, 12.34L, 0, "    12"},              // shifted below 0: clamped to 0
      {6, 1, 12.34L, 20, "    12.3400000000"},  // shifted above 10: clamped to 10
      {0, 3, 1.23456L, 2, "1.23"},
      {2, 0, 12345, 3, "12345"},       // integer digits are never dropped
      {6, 1, -1e-16L, 3, "     0.0"},  // below 1e-15 counts as zero
      {1, 1, -0.04L, 3, "0.0"},        // rounds to zero: no minus sign
      {0, 0, -0.4L, 3, "0"},
      {1, 1, 0.25L, 3, "0.3"},  // exact ties round away from zero
      {1, 1, -0.25L, 3, "-0.3"},
      {0, 2, 0.125L, 3, "0.13"},
      {0, 2, -0.125L, 3, "-0.13"},
      {0, 0, 0.5L, 3, "1"},
      {0, 0, -0.5L, 3, "-1"},
      {1, 0, 9.5L, 3, "10"},
      {1, 2, 2.675L, 3, "2.67"},  // 2.675L lies just below the tie
      {1, 2, 1.005L, 3, "1.00"},
      {1, 2, 2.345L, 3, "2.35"},  // ... and 2.345L just above it
      {5, 2, -3.14159L, 3, "   -3.14"},
      {0, 0, 123456789012345678.0L, 3, "123456789012345678"},  // 18 digits: still fixed
      {4, 0, 1e18L, 3, "1.000E+18"},                           // 19 digits: exponent, precision 4
      {2, 0, -1.5e19L, 3, "-1.5E+19"},
      {-5, 0, 7, 3, "7"},  // a negative width only means no padding
  };
  for (const FixedCase& c : cases) {
    decimalsSetting = c.setting;
    EXPECT_EQ(FormatFixed(c.width, c.decimals, c.x), c.expected)
        << c.width << "," << c.decimals << "," << static_cast<double>(c.x) << " setting "
        << c.setting;
  }
}

TEST_F(NumberFormatTest, FormatFixedOfNonFiniteValuesDoesNotFail) {
  EXPECT_EQ(FormatFixed(5, 0, std::numeric_limits<Real>::infinity()), "  Inf");
  EXPECT_EQ(FormatFixed(0, 0, -std::numeric_limits<Real>::infinity()), "-Inf");
  EXPECT_EQ(FormatFixed(0, 0, std::numeric_limits<Real>::quiet_NaN()), "NaN");
}

TEST_F(NumberFormatTest, AutoWidthGivesSignificantDigitsWithoutTrailingZeros) {
  struct Case {
    int significant;
    Real x;
    int width;
    int decimals;
  };
  const Case cases[] = {
      {3, 12.5L, 2, 1},    {3, 12, 2, 0},   {3, 0.012345L, 0, 4}, {3, 1234.5L, 4, 0},
      {3, 0, 0, 1},        {3, 1, 1, 0},    {3, 999, 3, 0},       {3, -3.14159L, 1, 3},
      {3, 100, 3, 0},      {3, 0.1L, 0, 1}, {6, 1.5L, 1, 1},      {6, 3.14159265L, 1, 6},
      {2, 3.14159L, 1, 2}, {3, 5e6L, 7, 0},
  };
  for (const Case& c : cases) {
    FieldSize size = AutoWidth(c.significant, c.x);
    EXPECT_EQ(size.width, c.width) << c.significant << " " << static_cast<double>(c.x);
    EXPECT_EQ(size.decimals, c.decimals) << c.significant << " " << static_cast<double>(c.x);
  }
  FieldSize infinite = AutoWidth(3, std::numeric_limits<Real>::infinity());
  EXPECT_EQ(infinite.decimals, 0);
}

TEST_F(NumberFormatTest, AutomaticFormats) {
  struct Case {
    std::string text;
    const char* expected;
  };
  const Case cases[] = {
      {FormatAuto(12.5L), "12.5"},
      {FormatAuto(12), "12"},
      {FormatAuto(0.012345L), "0.0123"},
      {FormatAuto(1234.5L), "1235"},
      {FormatAuto(3.14159L), "3.142"},
      {FormatAuto(-12.5L), "-12.5"},
      {FormatAuto(0.000009L), "0"},
      {FormatAuto(-0.000009L), "0"},
      {FormatAutoN(1, 3.14159L), "3.14"},
      {FormatAuto6(3.14159265L), "3.141593"},
      {FormatDecimals(2, 12.3456L), "12.35"},
      {FormatDecimals(2, 7), "7.00"},
      {FormatDecimals(0, 0), "0"},
      {FormatWidth(8, 0.0000001L), "       0"},
      {FormatWidth(8, 12.5L), "    12.5"},
      {FormatWidth(8, 1234.5L), "    1235"},
      {FormatWidth(2, 0.012345L), "0.0123"},  // too narrow: the number stays whole
      {FormatInches(25.4L), "1.000\""},
      {FormatMmAndInches(25.4L), "25.4 (1.000\")"},
      {FormatInt(-42), "-42"},
      {PadLeft(42, 5), "   42"},
      {PadLeft(123456, 3), "123456"},
      {ZeroPad(7, 3), "007"},
      {ZeroPad(-7, 3), "-07"},
      {ZeroPad(1234, 2), "1234"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.text, c.expected);
}

TEST_F(NumberFormatTest, DecimalsSettingShiftsEveryFixedPointFormat) {
  decimalsSetting = 5;
  EXPECT_EQ(FormatAuto(12.5L), "12.500");
  EXPECT_EQ(FormatDecimals(2, 7), "7.0000");
  EXPECT_EQ(FormatFixedDot(0, 1, 0.25L), "0.250");
  decimalsSetting = 1;
  EXPECT_EQ(FormatDecimals(1, 7.25L), "7");
}

TEST_F(NumberFormatTest, DotVariantsMatchTheScreenFormats) {
  const Real values[] = {0.25L, -1234.5678L, 12.5L, 1e-7L};
  for (Real x : values) {
    EXPECT_EQ(FormatFixedDot(6, 3, x), FormatFixed(6, 3, x));
    EXPECT_EQ(FormatDecimalsDot(2, x), FormatDecimals(2, x));
    EXPECT_EQ(FormatAutoDot(x), FormatAuto(x));
    EXPECT_EQ(FormatFixed(6, 3, x).find(','), std::string::npos);
  }
}

TEST_F(NumberFormatTest, ParseNumberAcceptsDecimalNumbersOnly) {
  struct Case {
    const char* text;
    Real expected;
    bool isNumber;
  };
  const Case cases[] = {
      {"12,5", 12.5L, true}, {"1,2,3", 0, false},  // only the first comma is a point
      {"", 0, false},        {"1e3", 1000, true},   {" 7 ", 7, true},     {"abc", 0, false},
      {"nan", 0, false},     {"inf", 0, false},     {"1e5000", 0, false}, {"-3.5", -3.5L, true},
      {"+2", 2, true},       {".5", 0.5L, true},    {"5.", 5, true},      {"1E-2", 0.01L, true},
      {"1.5.2", 0, false},   {"12.5abc", 0, false}, {"1e", 0, false},     {"--1", 0, false},
      {"0x10", 0, false},    {"-", 0, false},       {"1,5e2", 150, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParseNumber(c.text), c.expected) << '"' << c.text << '"';
    Real value = -99;
    EXPECT_EQ(TryParseNumber(c.text, value), c.isNumber) << '"' << c.text << '"';
  }
}

TEST_F(NumberFormatTest, ParseIntAcceptsDecimalIntegersInRange) {
  struct Case {
    const char* text;
    int expected;
  };
  const Case cases[] = {{"42", 42},
                        {" -7 ", -7},
                        {"+3", 3},
                        {"4.5", 0},
                        {"99999999999", 0},
                        {"", 0},
                        {"2147483647", 2147483647},
                        {"12a", 0}};
  for (const Case& c : cases) EXPECT_EQ(ParseInt(c.text), c.expected) << '"' << c.text << '"';
}

TEST_F(NumberFormatTest, FormattedNumbersReadBackToTheirValue) {
  const Real values[] = {0.001L, 12.345L, -987.654321L, 1e17L};
  for (Real x : values) {
    Real back = ParseNumber(FormatFixed(0, 6, x));
    EXPECT_NEAR(static_cast<double>(back), static_cast<double>(x), 1e-6);
  }
}

// The program's window layer takes the user's locale; a German one must
// neither change the decimal mark nor break the readers.
TEST_F(NumberFormatTest, GermanNumericLocaleChangesNothing) {
  std::string previous = std::setlocale(LC_NUMERIC, nullptr);
  if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) GTEST_SKIP() << "no de_DE locale";
  std::string fixed = FormatFixed(6, 2, 12.345L);
  std::string exponent = FormatFixed(2, 0, 1.5e19L);
  Real parsed = ParseNumber("2.5");
  std::setlocale(LC_NUMERIC, previous.c_str());
  EXPECT_EQ(fixed, "    12.35");
  EXPECT_EQ(exponent, "1.5E+19");
  EXPECT_EQ(parsed, 2.5L);
}

}  // namespace
}  // namespace kv5
