#include "graphics/drive_parts.h"

#include <cmath>
#include <vector>

#include "cad/cad_channel.h"
#include "cad/cad_settings.h"
#include "graphics/geometry.h"
#include "tests/cad_test_support.h"
#include "tests/recording_cad_backend.h"
#include "text/numeric.h"

namespace kv5 {
namespace {

using testing::CadCall;
using testing::CadCalls;
using testing::CallsOf;
using testing::RecordCadRun;

struct Vertex {
  Real x, y, sweep;
};

std::vector<Vertex> Vertices(const CadCalls& calls) {
  std::vector<Vertex> vertices;
  for (const CadCall& v : CallsOf(calls, "vertex"))
    vertices.push_back({v.values[0], v.values[1], v.values[2]});
  return vertices;
}

// The distinct centres of the arcs of a polyline.
std::vector<Point> ArcCentres(const std::vector<Vertex>& v) {
  std::vector<Point> centres;
  for (size_t i = 0; i + 1 < v.size(); ++i) {
    if (v[i].sweep == 0) continue;
    Point c;
    Real r = 0;
    EXPECT_TRUE(ArcFromChord(v[i].x, v[i].y, v[i + 1].x, v[i + 1].y, v[i].sweep, c.x, c.y, r));
    bool known = false;
    for (const Point& k : centres) known |= std::hypot(k.x - c.x, k.y - c.y) < 1e-9;
    if (!known) centres.push_back(c);
  }
  return centres;
}

class DrivePartsTest : public testing::CadTest {
 protected:
  void SetUp() override {
    CadTest::SetUp();
    model.chain.p = 12.7;
    model.chain.d1 = 8.51;
    model.chain.h2 = 11.8;
    model.d2 = 4.45L;
    model.s = 3;
    model.dB[1] = 20;
    model.dB[2] = 12;
    model.a = 60;
  }
};

// --- Bearing plate ---

TEST_F(DrivePartsTest, BearingPlateHolesSitOnTheCentresOfTheSlotEnds) {
  struct Case {
    Real play, centreDistance;
    Real boreAtOrigin, boreAway;  // the wheel whose hole is at the origin and the other
  };
  const Case cases[] = {
      {0, 60, 20, 12},                         // A′ = a + play, play 0
      {0.5L, 60.5L, 20, 12}, {0, 75, 20, 12},  // a centre distance other than the calculated one
      {0, -60, 12, 20},  // wheel 2 on the left: drawn with wheel 2 at the origin
      {0.25L, -40, 12, 20},
  };
  const Real r = 20 / 2 + 3;  // larger bore radius plus the plate thickness
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<double>(c.centreDistance));
    auto calls = RecordCadRun(kCadDxf, true);
    DrawBearingPlate(c.play, c.centreDistance);
    std::vector<Vertex> outline = Vertices(*calls);
    ASSERT_EQ(outline.size(), 9u);
    EXPECT_EQ(outline.front().x, outline.back().x);
    EXPECT_EQ(outline.front().y, outline.back().y);
    const std::vector<Point> centres = ArcCentres(outline);
    ASSERT_EQ(centres.size(), 2u) << "a slot has two half circles";
    const Real span = std::fabs(c.centreDistance);
    CadCalls holes = CallsOf(*calls, "hole");
    ASSERT_EQ(holes.size(), 2u);
    EXPECT_EQ(holes[0].values[0], 0);
    EXPECT_EQ(holes[0].values[1], 0);
    EXPECT_NEAR(holes[0].values[2], c.boreAtOrigin / 2 + c.play, 1e-12);
    EXPECT_NEAR(holes[1].values[0], span, 1e-12);
    EXPECT_EQ(holes[1].values[1], 0);
    EXPECT_NEAR(holes[1].values[2], c.boreAway / 2 + c.play, 1e-12);
    for (const CadCall& hole : holes) {
      bool onCentre = false;
      for (const Point& centre : centres)
        onCentre |= std::hypot(centre.x - hole.values[0], centre.y - hole.values[1]) < 1e-9;
      EXPECT_TRUE(onCentre) << "hole at " << static_cast<double>(hole.values[0]);
      EXPECT_LT(hole.values[2], r) << "material left around the hole";
      EXPECT_EQ(hole.pen, 5);
    }
  }
}

TEST_F(DrivePartsTest, BearingPlateWithoutABoreHasOnlyTheOtherHole) {
  model.dB[2] = 0;
  auto calls = RecordCadRun(kCadDxf, true);
  DrawBearingPlate(0.5L, 60);
  CadCalls holes = CallsOf(*calls, "hole");
  ASSERT_EQ(holes.size(), 1u);
  EXPECT_EQ(holes[0].values[0], 0);
  EXPECT_NEAR(holes[0].values[2], 10.5L, 1e-12);
}

// --- Yoke plate ---

class YokePlateTest : public DrivePartsTest {
 protected:
  void SetUp() override {
    DrivePartsTest::SetUp();
    model.a = 34.55L;  // half the pitch diameter of 17 teeth of 12.7 mm
    model.rollerD = 2 * model.chain.d1;
    model.dB[1] = 20;
  }
};

TEST_F(YokePlateTest, RollerAxlesAndWheelCentreFormAnEquilateralTriangle) {
  stlFitClearanceShaft = 0.05L;
  auto calls = RecordCadRun(kCadStl, true);
  DrawYokePlate();
  CadCalls holes = CallsOf(*calls, "hole");
  ASSERT_EQ(holes.size(), 3u);
  EXPECT_EQ(holes[0].values[0], 0);
  EXPECT_EQ(holes[0].values[1], 0);
  EXPECT_NEAR(holes[0].values[2], 10.05L, 1e-12);
  const Real b = model.chain.h2 / 2 + model.a + model.rollerD / 2;
  for (int i : {1, 2}) {
    EXPECT_NEAR(holes[i].values[1], b, 1e-12) << "axles at the roller height";
    EXPECT_NEAR(holes[i].values[2], model.d2 / 2 + 0.05L, 1e-12);
    EXPECT_EQ(holes[i].zBottom, 0);
    EXPECT_EQ(holes[i].zTop, model.s);
  }
  auto distance = [&](int i, int k) {
    return std::hypot(holes[i].values[0] - holes[k].values[0],
                      holes[i].values[1] - holes[k].values[1]);
  };
  EXPECT_NEAR(distance(0, 1), distance(1, 2), 1e-12);
  EXPECT_NEAR(distance(0, 2), distance(1, 2), 1e-12);
}

TEST_F(YokePlateTest, EveryHoleLiesInsideTheRoundedTriangle) {
  auto calls = RecordCadRun(kCadDxf, true);
  DrawYokePlate();
  std::vector<Vertex> outline = Vertices(*calls);
  ASSERT_EQ(outline.size(), 8u) << "two tangent points at each of four corner steps";
  // The straight edges run counter-clockwise; every hole must lie to their
  // left by more than its radius.
  int edges = 0;
  for (size_t i = 0; i + 1 < outline.size(); ++i) {
    if (outline[i].sweep != 0) {
      EXPECT_NEAR(outline[i].sweep, 2 * kPi / 3, 1e-12) << "each corner turns by 120°";
      continue;
    }
    ++edges;
    const Real dx = outline[i + 1].x - outline[i].x, dy = outline[i + 1].y - outline[i].y;
    const Real length = std::hypot(dx, dy);
    for (const CadCall& hole : CallsOf(*calls, "hole")) {
      const Real left =
          (dx * (hole.values[1] - outline[i].y) - dy * (hole.values[0] - outline[i].x)) / length;
      EXPECT_GT(left, hole.values[2]) << "edge " << i;
    }
  }
  EXPECT_EQ(edges, 3);
  // The outline closes where it began (the fourth corner step repeats the
  // first fillet).
  EXPECT_NEAR(outline[6].x, outline[0].x, 1e-12);
  EXPECT_NEAR(outline[6].y, outline[0].y, 1e-12);
}

}  // namespace
}  // namespace kv5
