#include "graphics/hatching.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "app/core/program_state.h"
#include "tests/cad_test_support.h"
#include "text/messages.h"
#include "text/numeric.h"

namespace kv5 {
namespace {

using testing::CadTest;
using testing::RecordsWithCode;
using Segment = std::vector<double>;  // x1, y1, x2, y2

// Draws on screen, where every line (outline segments replayed as lines,
// then the hatch) becomes one line record of the display list.
class HatchingTest : public CadTest {
 protected:
  void SetUp() override {
    CadTest::SetUp();
    cadFrameAroundLimits = false;
    cadDrawingFooter = false;
    CadBegin(kCadScreen);
    CadSetLimits(0, 0, 160, 120, 0);
    CadBeginEntities();
    CadSetPen(7);
  }
  // The hatch lines: the line records after the `outline` segments.
  static std::vector<Segment> HatchLines(size_t outline) {
    std::vector<Segment> lines = RecordsWithCode(kRecordLine);
    EXPECT_GE(lines.size(), outline);
    if (lines.size() < outline) return {};
    return std::vector<Segment>(lines.begin() + static_cast<long>(outline), lines.end());
  }
  static bool OnRectangleSide(double x, double y, double x1, double y1, double x2, double y2) {
    const double eps = 1e-5;
    const bool inside = x > x1 - eps && x < x2 + eps && y > y1 - eps && y < y2 + eps;
    const bool onSide = std::fabs(x - x1) < eps || std::fabs(x - x2) < eps ||
                        std::fabs(y - y1) < eps || std::fabs(y - y2) < eps;
    return inside && onSide;
  }
};

TEST_F(HatchingTest, RectangleAtFortyFiveDegrees) {
  HatchRectangle(0, 0, 20, 10, 2, 45);
  const std::vector<Segment> all = RecordsWithCode(kRecordLine);
  ASSERT_GE(all.size(), 4u);
  const std::vector<Segment> outline(all.begin(), all.begin() + 4);
  EXPECT_EQ(outline,
            (std::vector<Segment>{{0, 0, 20, 0}, {20, 0, 20, 10}, {20, 10, 0, 10}, {0, 10, 0, 0}}))
      << "closed through five points";
  // Hatch lines y = x + c, c = −20 + k·2√2 for k = 1..10 (c = 11.1 misses
  // the rectangle), each from its left end to its right end.
  const std::vector<Segment> hatch = HatchLines(4);
  ASSERT_EQ(hatch.size(), 10u);
  for (size_t k = 0; k < hatch.size(); ++k) {
    const double c = -20 + static_cast<double>(k + 1) * 2 * std::sqrt(2.0);
    Segment expected;
    if (c < -10)
      expected = {-c, 0, 20, 20 + c};
    else if (c < 0)
      expected = {-c, 0, 10 - c, 10};
    else
      expected = {0, c, 10 - c, 10};
    for (size_t i = 0; i < 4; ++i) EXPECT_NEAR(hatch[k][i], expected[i], 1e-5) << k << " " << i;
  }
  // 2 apart measured perpendicular to the lines; no line through a corner.
  for (size_t k = 1; k < hatch.size(); ++k) {
    const double c0 = hatch[k - 1][1] - hatch[k - 1][0];
    const double c1 = hatch[k][1] - hatch[k][0];
    EXPECT_NEAR((c1 - c0) * std::cos(M_PI / 4), 2, 1e-5);
  }
  EXPECT_EQ(cadState.pen, 7) << "the pen is restored";
}

TEST_F(HatchingTest, SpacingZeroTakesAnEighthOfTheLongerSide) {
  HatchRectangle(0, 0, 40, 10, 5, 45);
  const std::vector<Segment> explicitFive = HatchLines(4);
  graphicsWindow.displayList.clear();
  HatchRectangle(0, 0, 40, 10, 0, 45);
  const std::vector<Segment> automatic = HatchLines(4);
  // c = −40 + k·5√2 below cmax = 10: k = 1..7.
  EXPECT_EQ(automatic.size(), 7u);
  EXPECT_EQ(automatic, explicitFive);
  for (const Segment& s : automatic) {
    EXPECT_TRUE(OnRectangleSide(s[0], s[1], 0, 0, 40, 10)) << s[0] << " " << s[1];
    EXPECT_TRUE(OnRectangleSide(s[2], s[3], 0, 0, 40, 10)) << s[2] << " " << s[3];
  }
}

TEST_F(HatchingTest, AnglesThatGiveTheOutlineOnly) {
  struct Case {
    Real spacing, angle;
  };
  // 135° with spacing 2 has a negative intercept step, which must not sweep
  // forever; with spacing 0 every segment fails the direction test.
  const Case cases[] = {{2, 0}, {0, 0}, {2, 135}, {0, 135}, {2, -120}};
  for (const Case& c : cases) {
    graphicsWindow.displayList.clear();
    HatchRectangle(0, 0, 20, 10, c.spacing, c.angle);
    EXPECT_EQ(RecordsWithCode(kRecordLine).size(), 4u)
        << "spacing " << static_cast<double>(c.spacing) << " angle "
        << static_cast<double>(c.angle);
    EXPECT_EQ(cadState.pen, 7);
  }
}

TEST_F(HatchingTest, DegenerateRectangles) {
  // A flat rectangle already ends on its first vertex: four vertices, no
  // closing copy, and no crossings since all of them are strict.
  HatchRectangle(0, 5, 20, 5, 2, 45);
  const std::vector<Segment> flat = RecordsWithCode(kRecordLine);
  EXPECT_EQ(flat.size(), 3u) << "four vertices, not closed by an extra one";
  for (const Segment& s : flat) {
    EXPECT_NEAR(s[1], 5, 1e-9);
    EXPECT_NEAR(s[3], 5, 1e-9);
  }
  // A point: spacing round(0/8) = 0 and no extent across the hatch, so the
  // intercept step is 0; the sweep must end with no hatch line.
  graphicsWindow.displayList.clear();
  HatchRectangle(3, 3, 3, 3, 0, 45);
  for (const Segment& s : RecordsWithCode(kRecordLine))
    EXPECT_EQ(s, (Segment{3, 3, 3, 3})) << "outline only";
  // A negative spacing would move away from cmax.
  graphicsWindow.displayList.clear();
  HatchRectangle(0, 0, 20, 10, -2, 45);
  EXPECT_EQ(RecordsWithCode(kRecordLine).size(), 4u);
}

TEST_F(HatchingTest, HugeSectionGetsAtMostTheLineLimitAtEvenSpacing) {
  // 10 × 1e6 at spacing 1 would need about 1.4 million lines.
  HatchRectangle(0, 0, 10, 1e6L, 1, 45);
  const std::vector<Segment> hatch = HatchLines(4);
  ASSERT_GT(hatch.size(), static_cast<size_t>(kMaxHatchLines) - 10);
  EXPECT_LE(hatch.size(), static_cast<size_t>(kMaxHatchLines));
  // The intercepts −10 .. 1e6 in equal steps (the display list keeps 8
  // significant digits).
  const double step = (1e6 + 10) / kMaxHatchLines;
  for (size_t k = 1; k < hatch.size(); k += 997) {
    const double c0 = hatch[k - 1][1] - hatch[k - 1][0];
    const double c1 = hatch[k][1] - hatch[k][0];
    EXPECT_NEAR(c1 - c0, step, 0.05) << k;
  }
  // A section that needs fewer lines keeps its spacing (the first test).
}

TEST_F(HatchingTest, TinyRectangleHatchesInTenthsOfItsInterceptRange) {
  // 3 × 2: round(3/8) = 0, so the intercepts −3..2 are stepped by 0.5.
  HatchRectangle(0, 0, 3, 2, 0, 45);
  const std::vector<Segment> hatch = HatchLines(4);
  // c = −1 and c = 0 pass through a corner and keep a single crossing, c = 2
  // touches the last corner only: 10 steps give 7 lines.
  EXPECT_EQ(hatch.size(), 7u);
  for (const Segment& s : hatch) {
    EXPECT_TRUE(OnRectangleSide(s[0], s[1], 0, 0, 3, 2));
    EXPECT_TRUE(OnRectangleSide(s[2], s[3], 0, 0, 3, 2));
    const double c = s[1] - s[0];
    EXPECT_NEAR(std::fmod(c + 3, 0.5), 0, 1e-6) << c;
  }
}

TEST_F(HatchingTest, VertexLimit) {
  // 99 vertices of a regular polygon: the closing copy still fits.
  const int n = kMaxHatchVertices;
  for (int k = 0; k < n; ++k) {
    const Real phi = 2 * kPi * k / n;
    hatchVertices[static_cast<size_t>(k)] = {10 * std::cos(phi), 10 * std::sin(phi)};
  }
  schraff(n, 1, 45);
  const std::vector<Segment> hatch = HatchLines(static_cast<size_t>(n));
  EXPECT_EQ(hatch.size(), 19u) << "chords 1 apart across a diameter of 20";
  for (const Segment& s : hatch) {
    EXPECT_NEAR(std::hypot(s[0], s[1]), 10, 0.02);
    EXPECT_NEAR(std::hypot(s[2], s[3]), 10, 0.02);
  }
  EXPECT_EQ(MessageCount(), 0);

  graphicsWindow.displayList.clear();
  schraff(kHatchVertexCount, 1, 45);
  EXPECT_TRUE(RecordsWithCode(kRecordLine).empty()) << "nothing drawn";
  ASSERT_EQ(MessageCount(), 1);
  EXPECT_EQ(MessageText(1), "Fatal  : n schraff !");
  EXPECT_EQ(cadState.pen, 7);

  graphicsWindow.displayList.clear();
  schraff(0, 1, 45);
  EXPECT_TRUE(RecordsWithCode(kRecordLine).empty());
}

TEST_F(HatchingTest, ConcavePolygonPairsTheCrossingsInOrder) {
  // A U shape: a hatch line through both arms crosses four edges, and the
  // pairs must bridge each arm, not the gap between them.
  const HatchVertex u[] = {{0, 0},   {30, 0},  {30, 20}, {20, 20},
                           {20, 10}, {10, 10}, {10, 20}, {0, 20}};
  std::copy(std::begin(u), std::end(u), hatchVertices.begin());
  schraff(8, 1, 45);
  const std::vector<Segment> hatch = HatchLines(8);
  ASSERT_FALSE(hatch.empty());
  for (const Segment& s : hatch) {
    const double mx = (s[0] + s[2]) / 2;
    const double my = (s[1] + s[3]) / 2;
    EXPECT_FALSE(mx > 10 && mx < 20 && my > 10) << "segment through the gap at " << mx << " " << my;
  }
}

TEST_F(HatchingTest, QuickSortCarriesThePermutation) {
  const std::vector<std::vector<double>> cases = {
      {3, 1, 2}, {5, 4, 3, 2, 1}, {1, 2, 3, 4}, {2, 2, 1, 2, 1}, {7}, {-1.5, 0, -3, 8, 0.25, -3}};
  for (const auto& input : cases) {
    SortValues values{};
    std::copy(input.begin(), input.end(), values.begin());
    SortIndex index{};
    QSORT2(values, index, static_cast<int>(input.size()));
    std::vector<double> sorted = input;
    std::sort(sorted.begin(), sorted.end());
    std::vector<int> seen;
    for (size_t k = 0; k < input.size(); ++k) {
      EXPECT_EQ(values[k], sorted[k]);
      EXPECT_EQ(input[static_cast<size_t>(index[k])], values[k]) << "index of the k-th smallest";
      seen.push_back(index[k]);
    }
    std::sort(seen.begin(), seen.end());
    for (size_t k = 0; k < seen.size(); ++k) EXPECT_EQ(seen[k], static_cast<int>(k));
    for (size_t k = input.size(); k < index.size(); ++k) EXPECT_EQ(index[k], static_cast<int>(k));
  }
}

TEST_F(HatchingTest, QuickSortLimits) {
  SortValues values{};
  for (size_t k = 0; k < values.size(); ++k) values[k] = static_cast<double>(values.size() - k);
  SortIndex index{};
  index.fill(-1);
  QSORT2(values, index, 0);
  EXPECT_EQ(values[0], 100) << "n = 0 sorts nothing";
  EXPECT_EQ(index[99], 99);

  QSORT2(values, index, kMaxSortValues + 1);
  EXPECT_TRUE(abortFlag);
  ASSERT_EQ(MessageCount(), 1);
  EXPECT_EQ(MessageText(1), "Fatal  : QSORT2 error");
  EXPECT_EQ(values[0], 100) << "nothing sorted";
  EXPECT_EQ(index[5], 5);

  abortFlag = false;
  QSORT2(values, index, kMaxSortValues);
  EXPECT_FALSE(abortFlag);
  for (size_t k = 0; k < values.size(); ++k) {
    EXPECT_EQ(values[k], static_cast<double>(k + 1));
    EXPECT_EQ(index[k], static_cast<int>(values.size() - 1 - k));
  }
}

TEST_F(HatchingTest, ResetClearsTheVertices) {
  hatchVertices[3] = {1, 2};
  ResetProgramState();
  EXPECT_EQ(hatchVertices[3].x, 0);
  EXPECT_EQ(hatchVertices[3].y, 0);
}

}  // namespace
}  // namespace kv5
