// The fast conversions of display-list numbers must give exactly what the
// general conversions give: the same text for every real, the same value
// (or the same refusal) for every field.
#include "graphics/record_numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>

#include "text/number_format.h"

namespace kv5 {
namespace {

// Values next to the places where a fast path could go wrong: powers of
// ten, roundings that carry into the next decade, exact halves of the
// eighth digit and the ends of the fast range.
TEST(RecordNumbersTest, FormatAgreesWithTheGeneralConversionAtTheEdges) {
  std::vector<Real> values = {1,           10,
                              0.1L,        1e7L,
                              1e8L,        99999999.5L,
                              9.99999995L, 9.999999949L,
                              1.00000005L, 1.000000050001L,
                              12.345678L,  123456785.0L,
                              0.5L,        2.5e-7L,
                              1e-20L,      9.99e-21L,
                              1e20L,       9.9999999e19L,
                              123.0L / 7,  -0.0625L,
                              0.015625L,   1.0L / 3,
                              2.0L / 3,    3.14159265358979323846L,
                              1e-5L,       1e-6L,
                              12345678,    123456789,
                              1e300L,      4.9e-324L};
  for (int e = -25; e <= 25; ++e) {
    const Real p = std::pow(10.0L, e);
    values.insert(values.end(), {p, std::nextafter(p, Real(0)), std::nextafter(p, Real(1e30L)),
                                 p * 9.99999995L, p * 1.00000005L, p * 5.55555555L});
  }
  for (Real v : values) {
    for (Real signed_ : {v, -v}) {
      EXPECT_EQ(FormatRecordReal(signed_), FormatRecordRealGeneral(signed_))
          << std::scientific << static_cast<double>(signed_);
    }
  }
  EXPECT_EQ(FormatRecordReal(0), "0");
  EXPECT_EQ(FormatRecordReal(std::numeric_limits<Real>::quiet_NaN()), "NAN");
  EXPECT_EQ(FormatRecordReal(-std::numeric_limits<Real>::infinity()), "-INF");
  EXPECT_EQ(FormatRecordReal(12.3456789L), "12.345679");
  EXPECT_EQ(FormatRecordReal(1.5e-7L), "1.5E-7");
  EXPECT_EQ(FormatRecordReal(1e20L), "1E20");
}

TEST(RecordNumbersTest, FormatAgreesWithTheGeneralConversionOnRandomReals) {
  std::mt19937_64 random(20261211);
  std::uniform_real_distribution<double> exponent(-24, 24);
  std::uniform_int_distribution<int> digits(1, 9);
  for (int i = 0; i < 200000; ++i) {
    Real v = std::pow(10.0L, static_cast<Real>(exponent(random)));
    // Also values with few digits, as drawings have them (pitches, angles).
    if (i % 4 == 0) v = std::round(v * 1000) / 1000 + digits(random) * 0.5L;
    if (i % 2) v = -v;
    ASSERT_EQ(FormatRecordReal(v), FormatRecordRealGeneral(v))
        << std::scientific << static_cast<double>(v);
  }
}

// What the number reader accepts and refuses, field by field.
TEST(RecordNumbersTest, ParseAgreesWithTheNumberReader) {
  const char* fields[] = {"0",
                          "-0",
                          "1",
                          "1.",
                          ".5",
                          "-.5",
                          "12.345679",
                          "1.5E-7",
                          "1E20",
                          "1e-30",
                          "2E27",
                          "1E28",
                          "1E-28",
                          "1E99999",
                          "1E-99999",
                          "1E+5",
                          "+1",
                          " 1",
                          "1 ",
                          "1,5",
                          "",
                          "-",
                          ".",
                          "E5",
                          "1E",
                          "1E-",
                          "NAN",
                          "INF",
                          "-INF",
                          "1x",
                          "0.000000000000000000000001",
                          "12345678901234567890",
                          "1234567890123456789",
                          "0.1234567890123456789012",
                          "00012.500",
                          "1..2",
                          "--1",
                          "1e5e5",
                          "99999999999999999999999999999999E-20"};
  for (const char* field : fields) {
    Real fast = -7, general = -7;
    const bool fastOk = ParseRecordNumber(field, fast);
    const bool generalOk = TryParseNumber(field, general);
    EXPECT_EQ(fastOk, generalOk) << '"' << field << '"';
    if (fastOk && generalOk) {
      EXPECT_EQ(fast, general) << '"' << field << '"';
      EXPECT_EQ(std::signbit(fast), std::signbit(general)) << '"' << field << '"';
    }
  }
}

TEST(RecordNumbersTest, ParseReadsBackWhatFormatWrites) {
  std::mt19937_64 random(11122026);
  std::uniform_real_distribution<double> exponent(-24, 24);
  for (int i = 0; i < 200000; ++i) {
    Real v = std::pow(10.0L, static_cast<Real>(exponent(random)));
    if (i % 2) v = -v;
    const std::string text = FormatRecordReal(v);
    Real fast = 0, general = 0;
    ASSERT_TRUE(ParseRecordNumber(text, fast)) << text;
    ASSERT_TRUE(TryParseNumber(text, general)) << text;
    ASSERT_EQ(fast, general) << text;
  }
}

}  // namespace
}  // namespace kv5
