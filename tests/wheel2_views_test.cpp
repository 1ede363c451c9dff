#include "graphics/wheel2_views.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <vector>

#include "cad/cad_channel.h"
#include "cad/cad_settings.h"
#include "graphics/geometry.h"
#include "graphics/spoke_cutouts.h"
#include "tests/cad_test_support.h"
#include "tests/recording_cad_backend.h"
#include "text/numeric.h"

namespace kv5 {
namespace {

using testing::CadCall;
using testing::CadCalls;
using testing::CallsOf;
using testing::RecordCadRun;

constexpr Real kTol = 1e-9L;

struct Vertex {
  Real x, y, sweep;
};
using Polyline = std::vector<Vertex>;

// The polylines a true-polyline back end received, in order.
std::vector<Polyline> Polylines(const CadCalls& calls) {
  std::vector<Polyline> lines;
  for (const CadCall& call : calls) {
    if (call.op == "poly") lines.emplace_back();
    if (call.op == "vertex" && !lines.empty())
      lines.back().push_back({call.values[0], call.values[1], call.values[2]});
  }
  return lines;
}

// Signed area of a chain of recorded lines (positive: counter-clockwise).
Real SignedArea(const CadCalls& lines) {
  Real area = 0;
  for (const CadCall& l : lines) area += l.values[0] * l.values[3] - l.values[2] * l.values[1];
  return area / 2;
}

// Plate data of chain 08B with a 2 mm plate.
class Wheel2ViewsTest : public testing::CadTest {
 protected:
  void SetUp() override {
    CadTest::SetUp();
    model.chain.p = 12.7;
    model.chain.b1 = 7.75;
    model.chain.d1 = 8.51;
    model.chain.h2 = 11.8;
    model.d2 = 4.45L;
    model.s = 2;
    model.z2 = 17;
    model.pinRack = true;
    model.dB[2] = 10;
  }
  // A pin wheel of 12 pins: pin circle p/sin(π/z2), plates h2 larger.
  void UsePinWheel() {
    model.pinRack = false;
    model.z2 = 12;
    model.d[2] = model.chain.p / std::sin(kPi / 12);
    model.daMax[2] = model.d[2] + model.chain.h2;
  }
  Real p() const { return model.chain.p; }
};

// --- Rack front view ---

TEST_F(Wheel2ViewsTest, RackFrontHasAnOddNumberOfPinsCentredOnTheOriginAndAPlateToMatch) {
  struct Case {
    int z2;
    int pins;
    Real x0, y0;
  };
  for (const Case c : {Case{16, 17, 0, 0}, Case{17, 17, 0, 0}, Case{4, 5, 3, -5}}) {
    SCOPED_TRACE(c.z2);
    model.z2 = c.z2;
    auto calls = RecordCadRun(kCadDxf, true);
    DrawRackFront(1, false, c.x0, c.y0, model.chain.b1, model.s);
    CadCalls holes = CallsOf(*calls, "hole");
    ASSERT_EQ(holes.size(), 2u * c.pins) << "roller and pin of every pin";
    std::set<long> steps;
    for (const CadCall& h : holes) {
      EXPECT_NEAR(h.values[0], c.x0, kTol);
      const Real k = (h.values[1] - c.y0) / p();
      EXPECT_NEAR(k, std::round(k), 1e-12) << "pins one pitch apart";
      steps.insert(std::lround(k));
    }
    EXPECT_EQ(steps.size(), static_cast<size_t>(c.pins));
    EXPECT_EQ(*steps.begin(), -*steps.rbegin()) << "symmetric about y0";

    std::vector<Polyline> plates = Polylines(*calls);
    ASSERT_EQ(plates.size(), 1u);
    Real ymin = 1e30L, ymax = -1e30L, xmin = 1e30L, xmax = -1e30L;
    for (const Vertex& v : plates[0]) {
      ymin = std::min(ymin, v.y), ymax = std::max(ymax, v.y);
      xmin = std::min(xmin, v.x), xmax = std::max(xmax, v.x);
    }
    EXPECT_NEAR(ymax - ymin, p() * c.pins, kTol) << "plate p·n long";
    EXPECT_NEAR((ymax + ymin) / 2, c.y0, kTol);
    EXPECT_NEAR(xmax - xmin, model.chain.h2, kTol);
    EXPECT_NEAR((xmax + xmin) / 2, c.x0, kTol);
    // The ends are half circles: a straight flank between two quarter arcs.
    EXPECT_NEAR(plates[0][1].sweep, kPi / 2, kTol);
  }
}

TEST_F(Wheel2ViewsTest, RackFrontDrawsHiddenRollersWithTheDashedPen) {
  for (bool hidden : {false, true}) {
    SCOPED_TRACE(hidden);
    auto calls = RecordCadRun(kCadDxf, true);
    DrawRackFront(1, hidden, 0, 0, model.chain.b1, model.s);
    for (const CadCall& h : CallsOf(*calls, "hole")) {
      const bool roller = std::fabs(h.values[2] - model.chain.d1 / 2) < kTol;
      EXPECT_TRUE(roller || std::fabs(h.values[2] - model.d2 / 2) < kTol);
      EXPECT_EQ(h.pen, roller && hidden ? 2 : 5);
    }
  }
}

TEST_F(Wheel2ViewsTest, RackFrontInsertedOnTheScreenShowsEveryPin) {
  model.z2 = 16;
  CadBegin(kCadScreen);
  CadSetLimits(-100, -100, 100, 100, 0);
  CadBeginBlocks();
  CadBeginBlock("RAD2VA");
  DrawRackFront(1, false, 0, 0, model.chain.b1, model.s);
  CadEndBlock();
  CadEndSection();
  CadBeginEntities();
  CadInsert("RAD2VA", 0, 40, 90, 1, 1);
  CadEndSection();
  const auto circles = testing::RecordsWithCode(kRecordCircle);
  CadEnd();
  ASSERT_FALSE(abortFlag);
  ASSERT_EQ(circles.size(), 2u * 17u);
  for (const auto& c : circles) {
    // Turned by 90°: the rack runs along x at y = 40.
    EXPECT_NEAR(c[1], 40, 1e-6);
    const double k = c[0] / static_cast<double>(p());
    EXPECT_NEAR(k, std::round(k), 1e-6);
    EXPECT_LE(std::fabs(k), 8.0 + 1e-9);
  }
}

TEST_F(Wheel2ViewsTest, SolidRackWithHolesHasPinHolesWithTheBoreClearanceInThePlate) {
  stlFitClearanceBore = 0.1L;
  auto calls = RecordCadRun(kCadStl, true);
  ASSERT_TRUE(CadIsSolidOpen());
  DrawRackFront(1, false, 0, 0, model.chain.b1, 3);
  CadCalls holes = CallsOf(*calls, "hole");
  ASSERT_EQ(holes.size(), 17u) << "one hole per pin, no roller circles";
  for (const CadCall& h : holes) {
    EXPECT_NEAR(h.values[2], model.d2 / 2 + 0.1L, kTol);
    EXPECT_EQ(h.zBottom, 0);
    EXPECT_EQ(h.zTop, 3);
  }
  EXPECT_TRUE(CallsOf(*calls, "circle").empty());
}

TEST_F(Wheel2ViewsTest, SolidRackWithPegsStandsRollersAndPinStubsOnThePlate) {
  stlFitClearanceShaft = 0.05L;
  const Real t = 3, b1 = model.chain.b1;
  auto calls = RecordCadRun(kCadStl, true);
  DrawRackFront(2, false, 0, 0, b1, t);
  // Plate first, at 0..t.
  ASSERT_FALSE(calls->empty());
  EXPECT_EQ(calls->front().op, "z");
  EXPECT_EQ(calls->front().values, (std::vector<Real>{0, t}));
  CadCalls circles = CallsOf(*calls, "circle");
  CadCalls holes = CallsOf(*calls, "hole");
  ASSERT_EQ(circles.size(), 2u * 17u);
  ASSERT_EQ(holes.size(), 2u * 17u);
  for (size_t i = 0; i < circles.size(); i += 2) {
    const CadCall& roller = circles[i];
    const CadCall& stub = circles[i + 1];
    EXPECT_NEAR(roller.values[2], model.chain.d1 / 2 - 0.05L, kTol);
    EXPECT_NEAR(roller.zBottom, t, kTol);
    EXPECT_NEAR(roller.zTop, t + b1, kTol);
    EXPECT_NEAR(stub.values[2], model.d2 / 2 - 0.05L, kTol);
    EXPECT_NEAR(stub.zBottom, t + b1, kTol);
    EXPECT_NEAR(stub.zTop, 2 * t + b1, kTol);
    for (const CadCall* hole : {&holes[i], &holes[i + 1]}) {
      EXPECT_NEAR(hole->values[2], 0.33L * model.d2, kTol);
      EXPECT_EQ(hole->values[1], roller.values[1]);
    }
    EXPECT_EQ(holes[i].zTop, roller.zTop);
    EXPECT_EQ(holes[i + 1].zTop, stub.zTop);
  }
  EXPECT_EQ(CallsOf(*calls, "zthickness").size(), 17u);
}

// --- Pin wheel front view ---

TEST_F(Wheel2ViewsTest, PinWheelPinsLieOnThePinCircleWithTheLastOnTheNegativeXAxis) {
  UsePinWheel();
  auto calls = RecordCadRun(kCadDxf, true);
  DrawPinWheelFront(1, false, model.chain.b1, model.s);
  const Real r = model.d[2] / 2;
  // The 2D view draws each pin once with d2/2 before the plate's own holes.
  CadCalls pins;
  for (const CadCall& h : CallsOf(*calls, "hole"))
    if (std::fabs(h.values[2] - model.d2 / 2) < kTol && pins.size() < 12u) pins.push_back(h);
  ASSERT_EQ(pins.size(), 12u);
  for (size_t i = 0; i < pins.size(); ++i) {
    EXPECT_NEAR(std::hypot(pins[i].values[0], pins[i].values[1]), r, 1e-9);
    const Real expected = kPi + (i + 1) * 2 * kPi / 12;
    EXPECT_NEAR(pins[i].values[0], r * std::cos(expected), 1e-9);
    EXPECT_NEAR(pins[i].values[1], r * std::sin(expected), 1e-9);
  }
  EXPECT_NEAR(pins.back().values[0], -r, 1e-9) << "pin z2 faces wheel 1";
  EXPECT_NEAR(pins.back().values[1], 0, 1e-9);
  // Centre lines and pin circle with the dash-dot pen.
  bool pitchCircle = false;
  for (const CadCall& c : CallsOf(*calls, "circle"))
    pitchCircle |= c.pen == 1 && std::fabs(c.values[2] - r) < kTol;
  EXPECT_TRUE(pitchCircle);
  EXPECT_EQ(CallsOf(*calls, "line").size(), 2u);
}

TEST_F(Wheel2ViewsTest, SolidSpokedPinWheelWithPegsHasSixCutoutsAndRollerCylinders) {
  UsePinWheel();
  stlFitClearanceBore = 0.1L;
  const Real t = 2.5L, b1 = model.chain.b1;
  auto calls = RecordCadRun(kCadStl, true);
  DrawPinWheelFront(2, true, b1, t);
  EXPECT_TRUE(CallsOf(*calls, "line").empty()) << "no centre lines in a solid";
  std::vector<Polyline> cutouts = Polylines(*calls);
  ASSERT_EQ(cutouts.size(), 6u);
  for (const CadCall& v : CallsOf(*calls, "vertex")) {
    EXPECT_EQ(v.zBottom, 0);
    EXPECT_EQ(v.zTop, t);
  }
  // Plate and bore at 0..t, the bore with its clearance.
  CadCalls holes = CallsOf(*calls, "hole");
  ASSERT_EQ(holes.size(), 1u) << "pegs leave no pin holes";
  EXPECT_NEAR(holes[0].values[2], model.dB[2] / 2 + 0.1L, kTol);
  EXPECT_EQ(holes[0].zTop, t);
  CadCalls circles = CallsOf(*calls, "circle");
  ASSERT_EQ(circles.size(), 1u + 12u);
  EXPECT_NEAR(circles[0].values[2], model.daMax[2] / 2, kTol);
  EXPECT_EQ(circles[0].zTop, t);
  for (size_t i = 1; i < circles.size(); ++i) {
    EXPECT_NEAR(circles[i].values[2], model.chain.d1 / 2, kTol);
    EXPECT_NEAR(circles[i].zBottom, t, kTol);
    EXPECT_NEAR(circles[i].zTop, t + b1, kTol);
  }
}

TEST_F(Wheel2ViewsTest, SolidPinWheelWithHolesAndWithoutSpokes) {
  UsePinWheel();
  stlFitClearanceBore = 0.2L;
  auto calls = RecordCadRun(kCadStl, true);
  DrawPinWheelFront(1, false, model.chain.b1, 3);
  EXPECT_TRUE(Polylines(*calls).empty());
  CadCalls holes = CallsOf(*calls, "hole");
  ASSERT_EQ(holes.size(), 1u + 12u);
  for (size_t i = 1; i < holes.size(); ++i) {
    EXPECT_NEAR(holes[i].values[2], model.d2 / 2 + 0.1L, kTol);
    EXPECT_EQ(holes[i].zTop, 3);
  }
}

TEST_F(Wheel2ViewsTest, PinWheelWithoutBoreHasNoBoreHole) {
  UsePinWheel();
  model.dB[2] = 0;
  stlFitClearanceBore = 0.2L;
  auto calls = RecordCadRun(kCadStl, true);
  DrawPinWheelFront(2, false, model.chain.b1, 3);
  EXPECT_TRUE(CallsOf(*calls, "hole").empty());
}

// --- Spoke cut-outs ---

struct SpokeCase {
  int count;
  Real outerD, innerD, spokeWidth;
};

// The spoke width the cut-outs use.
Real SpokeWidthOf(const SpokeCase& c) {
  const int n = c.count == 0 ? 6 : c.count;
  return c.spokeWidth == 0 ? 1.5L * c.innerD / n : c.spokeWidth;
}

constexpr SpokeCase kSpokeCases[] = {
    {6, 40, 10, 0},
    {0, 40, 10, 0},
    {3, 100, 20, 5},
    {8, 30, 12, 1},
    {1, 50, 10, 2},
    // Just narrower than the spokes that touch on the inner circle.
    {6, 40, 10, 0.999L * 10 * 0.5L},
};

TEST_F(Wheel2ViewsTest, SpokeCutoutsAreClosedAndTheirArcsEndOnTheNextVertex) {
  for (const SpokeCase& c : kSpokeCases) {
    SCOPED_TRACE(::testing::Message() << c.count << " " << static_cast<double>(c.spokeWidth));
    auto calls = RecordCadRun(kCadDxf, true);
    DrawSpokeCutouts(c.count, c.outerD, c.innerD, c.spokeWidth);
    const int n = c.count == 0 ? 6 : c.count;
    const Real half = SpokeWidthOf(c) / 2;
    std::vector<Polyline> cutouts = Polylines(*calls);
    ASSERT_EQ(cutouts.size(), static_cast<size_t>(n));
    EXPECT_EQ(CallsOf(*calls, "poly").front().values[0], 1) << "closed polylines";
    for (size_t j = 0; j < cutouts.size(); ++j) {
      const Polyline& v = cutouts[j];
      ASSERT_EQ(v.size(), 5u);
      EXPECT_EQ(v[0].x, v[4].x) << "first vertex repeated at the end";
      EXPECT_EQ(v[0].y, v[4].y);
      EXPECT_EQ(v[4].sweep, 0);
      // Arcs about the centre: the vertex turned by its sweep is the next.
      for (int k : {0, 2}) {
        const Real c0 = std::cos(v[k].sweep), s0 = std::sin(v[k].sweep);
        EXPECT_NEAR(v[k].x * c0 - v[k].y * s0, v[k + 1].x, 1e-9);
        EXPECT_NEAR(v[k].x * s0 + v[k].y * c0, v[k + 1].y, 1e-9);
      }
      EXPECT_LT(v[0].sweep, 0) << "outer arc clockwise";
      EXPECT_GT(v[2].sweep, 0) << "inner arc counter-clockwise";
      EXPECT_NEAR(std::hypot(v[0].x, v[0].y), c.outerD / 2, 1e-9);
      EXPECT_NEAR(std::hypot(v[2].x, v[2].y), c.innerD / 2, 1e-9);
      // Straight sides: half a spoke width beside the radial line of the
      // spoke before (vertices 1, 2) and of the spoke after (3, 4).
      EXPECT_EQ(v[1].sweep, 0);
      EXPECT_EQ(v[3].sweep, 0);
      const Real before = j * 2 * kPi / n, after = (j + 1) * 2 * kPi / n;
      for (int k : {1, 2}) {
        EXPECT_NEAR(-v[k].x * std::sin(before) + v[k].y * std::cos(before), half, 1e-9);
      }
      for (int k : {3, 4}) {
        EXPECT_NEAR(-v[k].x * std::sin(after) + v[k].y * std::cos(after), -half, 1e-9);
      }
    }
  }
}

// Whether the segments p1-p2 and q1-q2 cross or touch.
bool SegmentsMeet(const CadCall& a, const CadCall& b) {
  auto cross = [](Real ox, Real oy, Real ax, Real ay, Real bx, Real by) {
    return (ax - ox) * (by - oy) - (ay - oy) * (bx - ox);
  };
  const Real* p = a.values.data();
  const Real* q = b.values.data();
  const Real d1 = cross(q[0], q[1], q[2], q[3], p[0], p[1]);
  const Real d2 = cross(q[0], q[1], q[2], q[3], p[2], p[3]);
  const Real d3 = cross(p[0], p[1], p[2], p[3], q[0], q[1]);
  const Real d4 = cross(p[0], p[1], p[2], p[3], q[2], q[3]);
  return ((d1 > 0) != (d2 > 0)) && ((d3 > 0) != (d4 > 0)) && d1 != 0 && d2 != 0 && d3 != 0 &&
         d4 != 0;
}

TEST_F(Wheel2ViewsTest, SolidSpokeCutoutsRunClockwiseAndDoNotCrossThemselves) {
  for (const SpokeCase& c : kSpokeCases) {
    SCOPED_TRACE(::testing::Message() << c.count << " " << static_cast<double>(c.spokeWidth));
    auto calls = RecordCadRun(kCadStl, false);
    ASSERT_TRUE(CadIsSolidOpen());
    DrawSpokeCutouts(c.count, c.outerD, c.innerD, c.spokeWidth);
    // Replayed as walls; split them into the cut-outs where a line does
    // not start at the end of the one before.
    std::vector<CadCalls> outlines;
    for (const CadCall& l : CallsOf(*calls, "line")) {
      // The zero-length first chord of each arc is no wall.
      if (std::hypot(l.values[2] - l.values[0], l.values[3] - l.values[1]) < 1e-12) continue;
      if (outlines.empty() || std::fabs(outlines.back().back().values[2] - l.values[0]) > 1e-9 ||
          std::fabs(outlines.back().back().values[3] - l.values[1]) > 1e-9)
        outlines.emplace_back();
      outlines.back().push_back(l);
    }
    const size_t n = c.count == 0 ? 6 : c.count;
    ASSERT_EQ(outlines.size(), n);
    for (const CadCalls& outline : outlines) {
      EXPECT_NEAR(outline.front().values[0], outline.back().values[2], 1e-9) << "closed";
      EXPECT_NEAR(outline.front().values[1], outline.back().values[3], 1e-9);
      EXPECT_LT(SignedArea(outline), 0) << "holes run clockwise";
      int crossings = 0;
      for (size_t i = 0; i < outline.size(); ++i)
        for (size_t k = i + 2; k < outline.size(); ++k)
          if (!(i == 0 && k == outline.size() - 1))
            crossings += SegmentsMeet(outline[i], outline[k]);
      EXPECT_EQ(crossings, 0);
    }
  }
}

TEST_F(Wheel2ViewsTest, SpokeCutoutsThatCannotExistAreNotDrawn) {
  const SpokeCase impossible[] = {
      {6, 40, 10, 5},   // spokes meet on the inner circle (2·5·sin 30° = 5)
      {6, 40, 10, 12},  // wider than the inner circle
      {6, 10, 10, 1},   // no ring between the circles
      {6, 8, 10, 1},    // inner above outer
      {6, 40, 0, 0},    // no inner circle
      {6, 40, -4, 1},   // negative inner diameter
      {-1, 40, 10, 1},  // negative count
      {6, 40, 10, -1},  // negative spoke width
  };
  for (const SpokeCase& c : impossible) {
    SCOPED_TRACE(::testing::Message()
                 << c.count << " " << static_cast<double>(c.outerD) << " "
                 << static_cast<double>(c.innerD) << " " << static_cast<double>(c.spokeWidth));
    EXPECT_TRUE(ComputeSpokeCutouts(c.count, c.outerD, c.innerD, c.spokeWidth).empty());
    auto calls = RecordCadRun(kCadStl, false);
    DrawSpokeCutouts(c.count, c.outerD, c.innerD, c.spokeWidth);
    EXPECT_TRUE(calls->empty());
  }
}

// --- Side views ---

// Hatch lines (pen 3) with both ends inside the x range.
CadCalls HatchLinesBetween(const CadCalls& calls, Real xLeft, Real xRight) {
  CadCalls found;
  for (const CadCall& l : CallsOf(calls, "line")) {
    if (l.pen != 3) continue;
    if (std::min(l.values[0], l.values[2]) >= xLeft - 1e-9 &&
        std::max(l.values[0], l.values[2]) <= xRight + 1e-9)
      found.push_back(l);
  }
  return found;
}

TEST_F(Wheel2ViewsTest, RackSideHatchesThePlatesBetweenThePinsAt45DegreesAndHalfThePlate) {
  auto calls = RecordCadRun(kCadDxf, true);
  DrawRackSide();
  const Real b1 = model.chain.b1, s = model.s, d2 = model.d2;
  const Real y1 = d2 / 2, y2 = p() - d2 / 2;  // between pins 0 and 1
  for (Real xLeft : {-b1 / 2 - s, b1 / 2}) {
    SCOPED_TRACE(static_cast<double>(xLeft));
    std::vector<Real> intercepts;
    for (const CadCall& l : HatchLinesBetween(*calls, xLeft, xLeft + s)) {
      const Real ylo = std::min(l.values[1], l.values[3]), yhi = std::max(l.values[1], l.values[3]);
      if (ylo < y1 - 1e-9 || yhi > y2 + 1e-9) continue;
      EXPECT_NEAR(l.values[2] - l.values[0], l.values[3] - l.values[1], 1e-9) << "45°";
      intercepts.push_back(l.values[1] - l.values[0]);
    }
    ASSERT_GE(intercepts.size(), 5u);
    std::sort(intercepts.begin(), intercepts.end());
    for (size_t i = 1; i < intercepts.size(); ++i)
      EXPECT_NEAR((intercepts[i] - intercepts[i - 1]) / std::sqrt(2.0L), s / 2, 1e-9)
          << "lines s/2 apart";
    // No hatch line runs through a pin.
    for (const CadCall& l : HatchLinesBetween(*calls, xLeft, xLeft + s)) {
      for (Real y : {l.values[1], l.values[3]}) {
        const Real k = std::round(y / p());
        EXPECT_GE(std::fabs(y - k * p()), d2 / 2 - 1e-9);
      }
    }
  }
  // Three rectangles per pin: roller and the pin in both plates.
  EXPECT_GE(CallsOf(*calls, "line").size(), 17u * 3u * 4u);
}

TEST_F(Wheel2ViewsTest, RackSidePlatesEndWhereTheFrontViewEndsThem) {
  for (int z2 : {16, 17}) {
    SCOPED_TRACE(z2);
    model.z2 = z2;
    model.rackLength = z2 * p();  // as the calculation leaves it for an odd z2
    auto calls = RecordCadRun(kCadDxf, true);
    DrawRackSide();
    // The section outlines are polylines; their extent is the plate's.
    Real ymin = 1e30L, ymax = -1e30L;
    for (const Polyline& outline : Polylines(*calls))
      for (const Vertex& v : outline) ymin = std::min(ymin, v.y), ymax = std::max(ymax, v.y);
    EXPECT_NEAR(ymax, 17 * p() / 2, 1e-9);
    EXPECT_NEAR(ymin, -17 * p() / 2, 1e-9);
    // Every section is a proper rectangle, none turned inside out.
    for (const Polyline& outline : Polylines(*calls)) {
      ASSERT_EQ(outline.size(), 5u);
      EXPECT_LT(outline[0].y, outline[2].y);
    }
  }
}

TEST_F(Wheel2ViewsTest, PinWheelSideLeavesTheBoreOpenOnlyWhenThereIsOne) {
  UsePinWheel();
  const Real b1 = model.chain.b1, s = model.s;
  for (Real bore : {Real(0), Real(10)}) {
    SCOPED_TRACE(static_cast<double>(bore));
    model.dB[2] = bore;
    auto calls = RecordCadRun(kCadDxf, true);
    DrawPinWheelSide();
    bool crossesCentre = false;
    for (const CadCall& l : HatchLinesBetween(*calls, -b1 / 2 - s, -b1 / 2)) {
      const Real ylo = std::min(l.values[1], l.values[3]), yhi = std::max(l.values[1], l.values[3]);
      if (bore > 0) {
        EXPECT_TRUE(yhi <= -bore / 2 + 1e-9 || ylo >= bore / 2 - 1e-9) << "no hatch in the bore";
      }
      crossesCentre |= ylo < 0 && yhi > 0;
    }
    EXPECT_EQ(crossesCentre, bore == 0);
    // The bore edges: one vertical line per plate face, only with a bore.
    size_t verticals = 0;
    for (const CadCall& l : CallsOf(*calls, "line"))
      if (l.pen == 5 && l.values[0] == l.values[2] && std::fabs(l.values[1] + l.values[3]) < 1e-9 &&
          std::fabs(l.values[3] - l.values[1] - bore) < 1e-9)
        ++verticals;
    EXPECT_EQ(verticals, bore > 0 ? 4u : 0u);
  }
}

// --- Ring parts ---

TEST_F(Wheel2ViewsTest, RingPartIsAnOutlineAndABoreOverItsLength) {
  auto calls = RecordCadRun(kCadStl, true);
  DrawRingPart(20, 8, 5);
  ASSERT_EQ(calls->size(), 3u);
  EXPECT_EQ((*calls)[0].op, "z");
  EXPECT_EQ((*calls)[0].values, (std::vector<Real>{0, 5}));
  EXPECT_EQ((*calls)[1].op, "circle");
  EXPECT_EQ((*calls)[1].values[2], 10);
  EXPECT_EQ((*calls)[2].op, "hole");
  EXPECT_EQ((*calls)[2].values[2], 4);
  EXPECT_EQ((*calls)[2].pen, 5);
}

TEST_F(Wheel2ViewsTest, RingPartWithoutWallOrLengthIsNotDrawn) {
  struct Case {
    Real outerD, innerD, length;
  };
  for (const Case c : {Case{8, 8, 5}, Case{6, 8, 5}, Case{20, 8, 0}, Case{20, 8, -1}}) {
    auto calls = RecordCadRun(kCadStl, true);
    DrawRingPart(c.outerD, c.innerD, c.length);
    EXPECT_TRUE(calls->empty());
  }
}

}  // namespace
}  // namespace kv5
