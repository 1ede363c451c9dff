#include "model/iso_fits.h"

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "model/drive_model.h"
#include "model/iso_286_tables.h"
#include "tests/test_support.h"
#include "text/messages.h"

namespace kv5 {
namespace {

using IsoFitsTest = testing::ProgramTest;

struct DeviationCase {
  const char* classText;
  Real size;
  Real lower;  // µm
  Real upper;  // µm
};

void ExpectDeviations(const std::vector<DeviationCase>& cases) {
  for (const DeviationCase& c : cases) {
    SCOPED_TRACE(std::string(c.classText) + " at " + std::to_string(static_cast<double>(c.size)));
    const IsoDeviation d = IsoDeviations(c.classText, c.size);
    EXPECT_EQ(d.errorText, "");
    EXPECT_DOUBLE_EQ(static_cast<double>(d.lower), static_cast<double>(c.lower));
    EXPECT_DOUBLE_EQ(static_cast<double>(d.upper), static_cast<double>(c.upper));
  }
}

TEST_F(IsoFitsTest, BasicShaftAndHoleFollowTheStandardTolerance) {
  ExpectDeviations({
      {"h11", 300, -320, 0},
      {"H11", 300, 0, 320},
      {"h14", 7, -360, 0},
      {"H7", 25, 0, 21},
      {"h6", 25, -13, 0},
      {"h9", 10, -36, 0},
      {"H8", 40, 0, 39},
      {"h1", 0.5L, -0.8L, 0},
      {"H2", 200, 0, 7},
      {"h3", 140, -8, 0},
      {"H5", 100, 0, 15},
      {"h10", 450, -250, 0},
      {"H12", 18, 0, 180},
      {"h13", 60, -460, 0},
      {"H15", 120, 0, 1400},
      {"h16", 2, -600, 0},
      {"H17", 350, 0, 5700},
      {"h18", 3000, -33000, 0},
      // above 500 mm, including the trial grades IT1..IT5
      {"h1", 600, -9, 0},
      {"h5", 900, -40, 0},
      {"H7", 1000, 0, 90},
      {"h11", 1100, -660, 0},
      {"H4", 1500, 0, 39},
      {"h9", 1800, -370, 0},
      {"H13", 2200, 0, 2800},
      {"h6", 2600, -135, 0},
  });
}

TEST_F(IsoFitsTest, SizeOnARangeLimitBelongsToTheLowerRange) {
  ExpectDeviations({
      {"h7", 3, -10, 0},      // up to 3 mm
      {"h7", 3.5L, -12, 0},   // 3..6
      {"h7", 6, -12, 0},      // still 3..6
      {"h7", 6.01L, -15, 0},  // 6..10
      {"h11", 250, -290, 0},
      {"h11", 250.5L, -320, 0},
      {"h11", 315, -320, 0},
      {"h7", 500, -63, 0},
      {"h7", 501, -70, 0},
      {"h7", 3150, -210, 0},  // the last range includes its upper limit
  });
}

TEST_F(IsoFitsTest, ClassTextWithOrWithoutBlankGivesTheSameResult) {
  const IsoDeviation joined = IsoDeviations("h14", 7);
  const IsoDeviation spaced = IsoDeviations("h 14", 7);
  EXPECT_EQ(spaced.errorText, "");
  EXPECT_EQ(spaced.lower, joined.lower);
  EXPECT_EQ(spaced.upper, joined.upper);
  EXPECT_EQ(IsoDeviations("H 7", 25).upper, 21);
}

TEST_F(IsoFitsTest, MalformedClassTextsAreInvalid) {
  for (const char* text : {"", "h", "H", "14", " 7", "h0", "h 0", "hx", "h x", "h1a", "h 1a",
                           "h  7", "h-7", "q7", "hh7", "1 7", "h99999999999999999999"}) {
    SCOPED_TRACE(text);
    const IsoDeviation d = IsoDeviations(text, 25);
    EXPECT_EQ(d.errorText, "ungültige ISO-Toleranz");
    EXPECT_EQ(d.lower, 0);
    EXPECT_EQ(d.upper, 0);
  }
}

TEST_F(IsoFitsTest, GradeAboveEighteenIsNotDefined) {
  EXPECT_EQ(IsoDeviations("h19", 25).errorText, "Toleranzgrad 19 nicht definiert für Lage h");
  EXPECT_EQ(IsoDeviations("H 25", 25).errorText, "Toleranzgrad 25 nicht definiert für Lage H");
}

TEST_F(IsoFitsTest, SizesOutsideAllRanges) {
  const Real inf = std::numeric_limits<Real>::infinity();
  for (Real size : {Real(3150.5L), Real(4000), Real(1e30L), inf, -inf,
                    std::numeric_limits<Real>::quiet_NaN()}) {
    SCOPED_TRACE(static_cast<double>(size));
    const IsoDeviation d = IsoDeviations("h7", size);
    EXPECT_EQ(d.errorText, "Undefinierter Nennmassbereich");
    EXPECT_EQ(d.lower, 0);
    EXPECT_EQ(d.upper, 0);
  }
}

TEST_F(IsoFitsTest, ZeroAndNegativeSizesUseTheSmallestRange) {
  ExpectDeviations({{"h7", 0, -10, 0}, {"h7", -5, -10, 0}, {"H11", -1e30L, 0, 60}});
}

TEST_F(IsoFitsTest, LimitsInMillimetreAndLimitSizes) {
  const IsoLimits mm = IsoLimitsMm("h11", 300);
  EXPECT_NEAR(static_cast<double>(mm.lower), -0.32, 1e-12);
  EXPECT_EQ(mm.upper, 0);
  const IsoLimits sizes = IsoLimitSizes("h 14", 7);
  EXPECT_NEAR(static_cast<double>(sizes.lower), 6.64, 1e-12);
  EXPECT_NEAR(static_cast<double>(sizes.upper), 7, 1e-12);
  EXPECT_EQ(MessageCount(), 0);
  EXPECT_FALSE(abortFlag);
}

TEST_F(IsoFitsTest, ErrorsGoToTheMessageListAndSetAbort) {
  const IsoLimits mm = IsoLimitsMm("h7", 4000);
  EXPECT_EQ(mm.lower, 0);
  EXPECT_EQ(mm.upper, 0);
  EXPECT_TRUE(abortFlag);
  ASSERT_EQ(MessageCount(), 1);
  EXPECT_EQ(MessageText(1), "Undefinierter Nennmassbereich");

  abortFlag = false;
  const IsoLimits sizes = IsoLimitSizes("x", 12);
  EXPECT_TRUE(abortFlag);
  EXPECT_EQ(sizes.lower, 12);  // invalid class: deviations 0
  EXPECT_EQ(sizes.upper, 12);
  ASSERT_EQ(MessageCount(), 2);
  EXPECT_EQ(MessageText(2), "ungültige ISO-Toleranz");
}

// Table 1 is built so that IT(n+5) = 10 IT(n) from IT7 on (IT6 -> IT11
// has the one exception 8 -> 75 for 3..6 mm); a typing error in either
// column breaks the relation.
TEST(Iso286TableTest, StandardTolerancesGrowTenfoldEveryFiveGrades) {
  for (int range = 0; range < iso286::kMainRangeCount; ++range)
    for (int grade = 7; grade <= 13; ++grade) {
      SCOPED_TRACE("range " + std::to_string(range) + " IT" + std::to_string(grade));
      EXPECT_EQ(iso286::StandardToleranceUm(grade + 5, range),
                10 * iso286::StandardToleranceUm(grade, range));
    }
}

TEST(Iso286TableTest, StandardTolerancesRiseWithGradeAndSize) {
  for (int range = 0; range < iso286::kMainRangeCount; ++range)
    for (int grade = 1; grade <= 18; ++grade) {
      SCOPED_TRACE("range " + std::to_string(range) + " IT" + std::to_string(grade));
      if (grade > 1) {
        EXPECT_GT(iso286::StandardToleranceUm(grade, range),
                  iso286::StandardToleranceUm(grade - 1, range));
      }
      if (range > 0) {
        EXPECT_GE(iso286::StandardToleranceUm(grade, range),
                  iso286::StandardToleranceUm(grade, range - 1));
      }
    }
}

}  // namespace
}  // namespace kv5
