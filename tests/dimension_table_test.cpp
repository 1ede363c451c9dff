#include "graphics/dimension_table.h"

#include <cmath>
#include <string>
#include <vector>

#include "tests/drawing_test_support.h"
#include "text/configuration.h"
#include "text/number_format.h"
#include "text/units.h"

namespace kv5 {
namespace {

using testing::Drawing;
using testing::DrawnEntity;
using Kind = BlockItem::Kind;

class DimensionTableTest : public testing::CadTest {
 protected:
  void SetUp() override {
    CadTest::SetUp();
    storedSettings.cadDecimals = 8;
  }
  static bool IsLine(const DrawnEntity& e, Real x1, Real y1, Real x2, Real y2) {
    const Real tol = 1e-6L;
    return e.kind == Kind::Line && std::fabs(e.v[0] - x1) < tol && std::fabs(e.v[1] - y1) < tol &&
           std::fabs(e.v[2] - x2) < tol && std::fabs(e.v[3] - y2) < tol;
  }
  static int CountLines(const Drawing& drawing, Real x1, Real y1, Real x2, Real y2) {
    int n = 0;
    for (const DrawnEntity& e : drawing) n += IsLine(e, x1, y1, x2, y2) ? 1 : 0;
    return n;
  }
};

// Four columns of 25, 7, 5 and 12 characters at h = 2.5: the boundaries lie
// 0.9·2.5 = 2.25 mm per character apart, 10, 66.25, 82, 93.25 and
// 120.25 = 10 + 2.25·49; the unused columns collapse onto the last one.
TEST_F(DimensionTableTest, FourColumnsHaveFiveBoundariesAndAHeaderBoxOverAll) {
  TAusTabelle table;
  const Drawing drawing = testing::DrawBlockBody("tab", [&] {
    table.Init(10, 100, 2.5L, 25, 7, 5, 12, 0, 0, 0, "abcdefghij");
    table.Done();
  });
  const Real expected[9] = {0, 10, 66.25L, 82, 93.25L, 120.25L, 120.25L, 120.25L, 120.25L};
  for (int k = 1; k <= 8; ++k) EXPECT_NEAR(table.colX[k], expected[k], 1e-12L) << k;
  EXPECT_EQ(table.lastBoundary, 5);
  EXPECT_EQ(table.firstBoundary, 1);
  EXPECT_EQ(table.top, 100);
  EXPECT_EQ(table.rowHeight, 5);
  EXPECT_TRUE(table.ruleRows && table.allSeparators && table.capitalizeFirst);

  // The header box: four sides in pen 17 from y0 to y0 − 2h, no separator.
  const Drawing lines = testing::OfKind(drawing, Kind::Line);
  ASSERT_EQ(lines.size(), 4u);
  for (const DrawnEntity& e : lines) EXPECT_EQ(e.pen, 17);
  EXPECT_EQ(CountLines(lines, 10, 100, 120.25L, 100), 1);
  EXPECT_EQ(CountLines(lines, 120.25L, 100, 120.25L, 95), 1);
  EXPECT_EQ(CountLines(lines, 120.25L, 95, 10, 95), 1);
  EXPECT_EQ(CountLines(lines, 10, 95, 10, 100), 1);

  // The header texts: one per column in pen 18 at y0 − 1.5h, the title
  // capitalised (more than 8 characters), the empty cells a single blank.
  const Drawing texts = testing::Texts(drawing);
  ASSERT_EQ(texts.size(), 4u);
  const char* const cells[] = {" Abcdefghij", " ", " ", " "};
  const Real xs[] = {10, 66.25L, 82, 93.25L};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(texts[i].pen, 18);
    EXPECT_EQ(texts[i].text, cells[i]);
    EXPECT_NEAR(texts[i].v[0], xs[i], 1e-6L);
    EXPECT_NEAR(texts[i].v[1], 96.25L, 1e-6L);
    EXPECT_NEAR(texts[i].v[2], 2.5L, 1e-6L) << "character height h";
    EXPECT_NEAR(texts[i].v[3], 0.75L, 1e-6L) << "width 0.75·h";
  }
  // The next row's rule lies 2h below the header.
  EXPECT_NEAR(table.rowBottom, 90, 1e-12L);
  EXPECT_NEAR(table.baseline, 91.25L, 1e-12L);
  EXPECT_EQ(cadState.pen, 18);
}

TEST_F(DimensionTableTest, LastBoundaryFollowsTheFirstUnusedColumn) {
  struct Case {
    int w[7];
    int last;
  };
  const Case cases[] = {
      {{25, 7, 5, 12, 0, 0, 0}, 5}, {{5, 6, 7, 8, 9, 10, 11}, 8}, {{42, 0, 0, 0, 0, 0, 0}, 2},
      {{9, 9, 10, 0, 0, 0, 0}, 4},  {{3, 0, 4, 0, 0, 0, 0}, 2},
  };
  for (const Case& c : cases) {
    TAusTabelle table;
    testing::DrawBlockBody("tab", [&] {
      table.Init(0, 0, 2, c.w[0], c.w[1], c.w[2], c.w[3], c.w[4], c.w[5], c.w[6], "");
    });
    EXPECT_EQ(table.lastBoundary, c.last) << c.w[0] << " " << c.w[1];
  }
}

// Rows stack downwards at 2h; each row has its rule at the bottom, a
// separator at every boundary and its texts 0.5h above the rule.
TEST_F(DimensionTableTest, RowsStackAtTwiceTheHeightWithTextsHalfAHeightAboveTheRule) {
  TAusTabelle table;
  const Drawing drawing = testing::DrawBlockBody("tab", [&] {
    table.Init(0, 0, 2, 10, 5, 0, 0, 0, 0, 0, "Titel");
    table.AddRow("abcdefgh", "", "ignored");  // 8 characters: not capitalised
    table.AddValueRow("über alles", "zweite spalte", "u", "v");
    table.Done();
  });
  // Boundaries 0, 18, 27; header 0 .. −4, row 1 −4 .. −8, row 2 −8 .. −12.
  const Drawing lines = testing::OfKind(drawing, Kind::Line, 17);
  EXPECT_EQ(lines.size(), 4u + 2 * 4u) << "box, then per row one rule and three separators";
  for (Real bottom : {-8.0L, -12.0L}) {
    EXPECT_EQ(CountLines(lines, 0, bottom, 27, bottom), 1) << bottom;
    for (Real x : {0.0L, 18.0L, 27.0L}) EXPECT_EQ(CountLines(lines, x, bottom, x, bottom + 4), 1);
  }
  const std::vector<std::vector<std::string>> rows = testing::TableRows(drawing);
  const std::vector<std::vector<std::string>> expected = {
      {"Titel", ""}, {"abcdefgh", ""}, {"Über alles", "zweite spalte"}};
  EXPECT_EQ(rows, expected) << "only the columns in use are written";
  const Drawing texts = testing::Texts(drawing);
  ASSERT_EQ(texts.size(), 6u);
  EXPECT_NEAR(texts[2].v[1], -7, 1e-6L) << "row 1: 0.5·h above its rule at −8";
  EXPECT_NEAR(texts[4].v[1], -11, 1e-6L);
  EXPECT_NEAR(texts[5].v[0], 18, 1e-6L);
  EXPECT_NEAR(table.rowBottom, -16, 1e-12L);
}

TEST_F(DimensionTableTest, FlagsTurnOffRulesInnerSeparatorsAndCapitals) {
  TAusTabelle table;
  const Drawing drawing = testing::DrawBlockBody("tab", [&] {
    table.Init(0, 0, 1, 10, 10, 10, 0, 0, 0, 0, "");
    table.ruleRows = false;
    table.allSeparators = false;
    table.capitalizeFirst = false;
    table.AddLabelRow("kleingeschrieben", "b", "c");
  });
  // No header text: the first row takes the header's place (−2 .. 0).
  const Drawing lines = testing::OfKind(drawing, Kind::Line);
  ASSERT_EQ(lines.size(), 4u + 2u) << "box and the two outer separators only";
  EXPECT_EQ(CountLines(lines, 0, -2, 0, 0), 2) << "box side and separator";
  EXPECT_EQ(CountLines(lines, 27, -2, 27, 0), 1);
  EXPECT_EQ(CountLines(lines, 9, -2, 9, 0), 0);
  const Drawing texts = testing::Texts(drawing);
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[0].text, " kleingeschrieben");
  EXPECT_NEAR(texts[0].v[1], -1.5L, 1e-6L);
}

TEST_F(DimensionTableTest, ShortLengthAndRangeTexts) {
  struct Case {
    short units;
    Real lo, hi;
    const char* length;
    const char* range;
    const char* angles;
  };
  const Case cases[] = {
      // In mm 3 − exponent decimals, trailing zeros dropped; "0" below
      // 0.00001.
      {0, 6.64L, 7, "6.64", "6.64 .. 7", "6.64 .. 7"},
      {0, 0.000009L, 123.456L, "0", "0 .. 123.5", "0 .. 123.5"},
      {2, 51.3385L, 53.9385L, "51.34", "51.34 .. 53.94", "51.34 .. 53.94"},
      // Inch units: the inch value with four decimals; angles stay.
      {1, 12.7L, 25.4L, "0.5000", "0.5000 .. 1.0000", "12.7 .. 25.4"},
  };
  for (const Case& c : cases) {
    unitSystem = c.units;
    EXPECT_EQ(FormatShortLength(c.lo), c.length) << c.units;
    EXPECT_EQ(FormatRange(c.lo, c.hi), c.range) << c.units;
    EXPECT_EQ(FormatAngleRange(c.lo, c.hi), c.angles) << c.units;
  }
}

}  // namespace
}  // namespace kv5
