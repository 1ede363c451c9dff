#include "cad/plot_file.h"

#include <algorithm>
#include <cmath>

#include "cad/cad_channel.h"
#include "cad/cad_settings.h"
#include "dialogs/file_checks.h"
#include "tests/cad_test_support.h"
#include "text/configuration.h"
#include "text/messages.h"
#include "text/numeric.h"
#include "text/text_conversion.h"

namespace kv5 {
namespace {

using testing::CadTest;
using testing::SplitFields;

class PlotFileTest : public CadTest {
 protected:
  // Begins a plot-file run into `name` and its entity section.
  void Begin(const std::string& name = "plot.txt") {
    confirmOverwrite = false;  // the tests write the same file again and again
    AnswerSaveDialog(folder_.File(name));
    CadBegin(kCadPlotFile);
    ASSERT_FALSE(abortFlag);
  }
  // Ends the run and gives the lines between "SECTION ENTITIES" and "EOF".
  std::vector<std::string> EntityLines(const std::string& name = "plot.txt") {
    CadEndSection();
    CadEnd();
    std::vector<std::string> lines = Lines(name);
    auto start = std::find(lines.begin(), lines.end(), "SECTION ENTITIES");
    auto end = std::find(lines.begin(), lines.end(), "EOF");
    if (start == lines.end() || end == lines.end() || start > end) return {};
    return std::vector<std::string>(start + 1, end);
  }
  static std::vector<std::string> WithKeyword(const std::vector<std::string>& lines,
                                              const std::string& keyword) {
    std::vector<std::string> found;
    for (const std::string& line : lines)
      if (line.rfind(keyword + "\t", 0) == 0) found.push_back(line);
    return found;
  }
};

TEST_F(PlotFileTest, WholeFileHasItsRecordsInOrder) {
  storedSettings.cadDecimals = 2;
  Begin();
  CadSetLimits(0, 0, 160, 120, 0);
  CadTables(0);
  CadBeginBlocks();
  CadBeginBlock("tab1");
  CadSetPen(4);  // pens and text styles are not recorded
  CadSetTextStyle(2, 0, 3.5L, 3);
  CadText("Zähne\t17", 1, 2);
  CadEndBlock();
  CadEndSection();
  CadBeginEntities();
  CadLine(0, 0, 1.5L, 2);
  CadArc(0, 0, 0, 360, 5);
  CadArc(1, 1, 30, 120, 2);
  CadSolid(0, 0, 1, 0, 0, 1, 1, 1);
  CadInsert("tab1", 10, 5, 90, 1, 2);
  CadEndSection();
  CadEnd();
  EXPECT_FALSE(abortFlag);
  const std::vector<std::string> expected = {
      "MINMAX\t0.00\t0.00\t160.00\t120.00",
      "SECTION BLOCKS",
      "BLOCK\ttab1",
      "TEXT\t1.00\t2.00\tZ\xe4hne 17",
      "END OF BLOCK",
      "SECTION ENTITIES",
      "LINE\t0.00\t0.00\t1.50\t2.00",
      "CIRCLE\t0.00\t0.00\t5.00",
      "ARC\t1.00\t1.00\t2.00\t30.00\t120.00",
      "SOLID\t0.00\t0.00\t1.00\t0.00\t0.00\t1.00\t1.00\t1.00",
      "INSERT\ttab1\t10.00\t5.00\t90.00\t1.00\t2.00",
      "EOF",
  };
  EXPECT_EQ(Lines("plot.txt"), expected);
}

TEST_F(PlotFileTest, DecimalCommaAndScaleFactor) {
  struct Case {
    int decimalMark;
    Real scale;
    int decimals;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {2, 1, 2, {"LINE\t0,00\t0,00\t1,50\t2,00", "INSERT\tB\t10,00\t5,00\t90,00\t1,00\t1,00"}},
      {1, 2, 2, {"LINE\t0.00\t0.00\t3.00\t4.00", "INSERT\tB\t20.00\t10.00\t90.00\t1.00\t1.00"}},
      // without decimals each number fills a field of three characters
      {1, 1, 0, {"LINE\t  0\t  0\t  2\t  2", "INSERT\tB\t 10\t  5\t 90\t  1\t  1"}},
  };
  for (const Case& c : cases) {
    storedSettings.plotDecimalMark = c.decimalMark;
    storedSettings.cadDecimals = c.decimals;
    cadScaleFactor = c.scale;
    Begin();
    CadBeginEntities();
    CadLine(0, 0, 1.5L, 2);
    CadInsert("B", 10, 5, 90, 1, 1);
    EXPECT_EQ(EntityLines(), c.expected) << c.decimalMark << " " << c.scale;
  }
}

TEST_F(PlotFileTest, FullArcsBecomeCirclesAndClockwiseArcsRunFromTheirEnd) {
  storedSettings.cadDecimals = 1;
  Begin();
  CadBeginEntities();
  CadArc(0, 0, 360, 0, 1);
  CadArc(0, 0, 0.000001L, 359.999999L, 1);
  CadArc(0, 0, 45, 45, 1);
  CadArcSweep(0, 0, 90, 0, 1, -90);  // clockwise from 90° to 0°
  CadArcSweep(0, 0, 0, 90, 1, 90);
  CadArc(0, 0, 0, 90, 0);  // radius 0 draws nothing
  EXPECT_EQ(EntityLines(),
            (std::vector<std::string>{"CIRCLE\t0.0\t0.0\t1.0", "CIRCLE\t0.0\t0.0\t1.0",
                                      "CIRCLE\t0.0\t0.0\t1.0", "ARC\t0.0\t0.0\t1.0\t0.0\t90.0",
                                      "ARC\t0.0\t0.0\t1.0\t0.0\t90.0"}));
}

TEST_F(PlotFileTest, DrawingWithoutBlocksStillHasTheBlockSection) {
  Begin();
  CadSetDefaultLimits();
  CadBeginBlocks();
  CadEndSection();
  CadBeginEntities();
  CadEndSection();
  CadEnd();
  std::vector<std::string> lines = Lines("plot.txt");
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[1], "SECTION BLOCKS");
  EXPECT_EQ(lines[2], "SECTION ENTITIES");
  EXPECT_EQ(lines[3], "EOF");
}

TEST_F(PlotFileTest, OriginShiftReachesPrimitivesButNotInserts) {
  storedSettings.cadDecimals = 0;
  Begin();
  CadBeginEntities();
  CadSetOrigin(100, 200);
  CadLine(1, 2, 3, 4);
  CadCircle(1, 1, 5);
  CadText("a", 1, 1);
  CadText("", 1, 1);  // empty texts are not written
  CadInsert("B", 1, 1, 0, 1, 1);
  CadInsertShifted("B", 1, 1, 0, 1, 1);
  EXPECT_EQ(EntityLines(),
            (std::vector<std::string>{"LINE\t101\t202\t103\t204", "CIRCLE\t101\t201\t  5",
                                      "TEXT\t101\t201\ta", "INSERT\tB\t  1\t  1\t  0\t  1\t  1",
                                      "INSERT\tB\t101\t201\t  0\t  1\t  1"}));
}

// A closed polyline of a straight edge and a half circle (radius 5), drawn
// by the replay rule: chords when configured, else one arc.
void DrawHalfDisc() {
  CadPolyBegin(true);
  CadPolyVertex(0, 0, 0);
  CadPolyVertex(10, 0, kPi);
  CadPolyVertex(0, 0, 0);
  CadPolyEnd();
}

TEST_F(PlotFileTest, PolylineArcsAsChordsCloseTheOutline) {
  Begin();
  CadBeginEntities();
  DrawHalfDisc();
  std::vector<std::string> lines = WithKeyword(EntityLines(), "LINE");
  // The straight edge, then the half circle: s = 5π ≈ 15.71 with the
  // default chord 0.1 and c / R = 0.02 ≤ 0.1 gives n = round(s / c) = 157
  // chords after a zero-length one at the arc's first point.
  ASSERT_EQ(lines.size(), 1u + 1u + 157u);
  EXPECT_EQ(lines[0], "LINE\t0.000000\t0.000000\t10.000000\t0.000000");
  EXPECT_EQ(lines[1], "LINE\t10.000000\t0.000000\t10.000000\t0.000000");
  std::vector<std::string> last = SplitFields(lines.back(), '\t');
  EXPECT_EQ(last[3], "0.000000");
  EXPECT_EQ(last[4], "0.000000") << "the last chord ends where the outline started";
  for (size_t i = 2; i < lines.size(); ++i) {
    std::vector<std::string> f = SplitFields(lines[i], '\t');
    Real x = ParseNumber(f[3]) - 5, y = ParseNumber(f[4]);
    EXPECT_NEAR(static_cast<double>(Hypot(x, y)), 5.0, 1e-6) << lines[i];
    EXPECT_GE(static_cast<double>(y), -1e-9) << "counter-clockwise from (10, 0) over the top";
  }
}

TEST_F(PlotFileTest, PolylineArcsWithoutChordsAreArcsWithTheirSweep) {
  cadPolylineArcsAsChords = false;
  Begin();
  CadBeginEntities();
  DrawHalfDisc();
  CadPolyBegin(false);
  CadPolyVertex(0, 0, -kPi / 2);  // a clockwise quarter to (5, 5) about (5, 0)
  CadPolyVertex(5, 5, 0);
  CadPolyEnd();
  std::vector<std::string> lines = EntityLines();
  EXPECT_EQ(lines, (std::vector<std::string>{
                       "LINE\t0.000000\t0.000000\t10.000000\t0.000000",
                       "ARC\t5.000000\t0.000000\t5.000000\t0.000000\t180.000000",
                       "ARC\t5.000000\t0.000000\t5.000000\t90.000000\t180.000000",
                   }));
}

TEST_F(PlotFileTest, ArcChordCountsFollowTheChordRule) {
  // Chords after the first, zero-length one (0: one straight chord): a
  // short flat arc is one chord; otherwise n = round(s / c) while c / R is
  // at most 0.1, else n = round(|φ| / 0.1).
  struct Exact {
    Real r, sweepDeg, chord;
    long n;  // chords after the first zero-length one; 0 = one straight chord
  };
  const Exact exact[] = {
      {100, 2, 0.2L, 17}, {1, 5, 0.2L, 0}, {1, 90, 0.2L, 16},
      {10, 90, 0.2L, 79}, {10, 90, 0, 79}, {10, -90, 0.5L, 31},
  };
  for (const Exact& c : exact) {
    storedSettings.unlabelled.chordLength = c.chord;
    Begin();
    CadBeginEntities();
    Real phi = DegToRad(c.sweepDeg);
    CadArcAsChords(c.r, 0, c.r * std::cos(phi), c.r * std::sin(phi), phi);
    size_t expected = c.n == 0 ? 1 : static_cast<size_t>(c.n) + 1;
    EXPECT_EQ(WithKeyword(EntityLines(), "LINE").size(), expected)
        << "r " << static_cast<double>(c.r) << " sweep " << static_cast<double>(c.sweepDeg);
  }
}

TEST_F(PlotFileTest, ArcOfZeroSweepIsReportedAndOfFullTurnDrawsNothing) {
  Begin();
  CadBeginEntities();
  CadArcAsChords(0, 0, 1, 0, 0);
  CadArcAsChords(0, 0, 1, 0, 2 * kPi);
  EXPECT_TRUE(EntityLines().empty());
  EXPECT_EQ(MessageText(1), "Fehler in GetArcCenter (dphi = 0 ! ");
  hideWarnings = true;
  ClearMessages();
  Begin();
  CadBeginEntities();
  CadArcAsChords(0, 0, 1, 0, 0);
  EntityLines();
  EXPECT_EQ(MessageCount(), 0);
}

}  // namespace
}  // namespace kv5
