#include "graphics/tooth_outline.h"

#include <cmath>
#include <string>
#include <vector>

#include "cad/cad_channel.h"
#include "dialogs/file_checks.h"
#include "model/drive_calculation.h"
#include "tests/cad_test_support.h"
#include "text/messages.h"
#include "text/number_format.h"
#include "text/numeric.h"

namespace kv5 {
namespace {

struct Vertex {
  Real x, y, sweep;
};

// The tooth form of the worked example: 17 teeth of chain 08B.
struct ToothForm {
  int z;
  Real alphaDeg, ri, re, dfMean, daTip;
};
constexpr ToothForm kExample{17, 124.7059L, 8.1061L, 47.8941L, 122.2267L, 150.1422L};

class ToothOutlineTest : public testing::CadTest {
 protected:
  void SetUp() override {
    CadTest::SetUp();
    confirmOverwrite = false;  // each case writes the same file again
  }
  // Draws the outline into block "TOOTH1" of a DXF file, inserts it z times
  // and returns the file's lines.
  std::vector<std::string> DrawIntoDxf(const ToothForm& f) {
    AnswerSaveDialog(folder_.File("zahn.dxf"));
    CadBegin(kCadDxf);
    EXPECT_FALSE(abortFlag);
    CadSetLimits(-100, -100, 100, 100, 0);
    CadTables(0);
    CadBeginBlocks();
    CadBeginBlock("TOOTH1");
    DrawToothOutline(f.z, f.alphaDeg, f.ri, f.re, f.dfMean, f.daTip);
    CadEndBlock();
    CadEndSection();
    CadBeginEntities();
    CadEndSection();
    CadEnd();
    EXPECT_FALSE(abortFlag);
    return Lines("zahn.dxf");
  }

  // The vertices of the polylines in the file, the sweep from the bulge.
  static std::vector<Vertex> Vertices(const std::vector<std::string>& lines) {
    std::vector<Vertex> vertices;
    for (size_t i = 0; i + 1 < lines.size(); i += 2) {
      if (lines[i] == "  0" && lines[i + 1] == "VERTEX") vertices.push_back({0, 0, 0});
      if (vertices.empty()) continue;
      const Real value = ParseNumber(lines[i + 1]);
      if (lines[i] == " 10") vertices.back().x = value;
      if (lines[i] == " 20") vertices.back().y = value;
      if (lines[i] == " 42") vertices.back().sweep = 4 * std::atan(value);
    }
    return vertices;
  }

  // The layer and the flags group of the polyline, "" when there is none.
  static std::string PolylineGroup(const std::vector<std::string>& lines, const std::string& code) {
    for (size_t i = 0; i + 1 < lines.size(); i += 2) {
      if (lines[i] != "  0" || lines[i + 1] != "POLYLINE") continue;
      for (size_t k = i + 2; k + 1 < lines.size() && lines[k] != "  0"; k += 2)
        if (lines[k] == code) return lines[k + 1];
    }
    return "";
  }
};

TEST_F(ToothOutlineTest, WorkedExampleGivesTheHandComputedVertices) {
  const std::vector<std::string> lines = DrawIntoDxf(kExample);
  EXPECT_EQ(PolylineGroup(lines, "  8"), LayerNameOf(5, 0)) << "pen 5";
  EXPECT_EQ(PolylineGroup(lines, " 70"), "") << "open polyline";
  EXPECT_EQ(cadState.pen, 5);
  const std::vector<Vertex> v = Vertices(lines);
  ASSERT_EQ(v.size(), 6u);
  // Vertices 1 to 3 worked by hand; 4 to 6 are their mirror images in the
  // y axis, taken in reverse order.
  const Real expected[6][2] = {{13.7943L, 73.7929L}, {12.8673L, 73.9602L},  {7.1806L, 65.4580L},
                               {-7.1806L, 65.4580L}, {-12.8673L, 73.9602L}, {-13.7943L, 73.7929L}};
  const Real sweepsDeg[6] = {0.72L, 12.26L, -124.71L, 12.26L, 0.72L, 0};
  for (int i = 0; i < 6; ++i) {
    EXPECT_NEAR(v[i].x, expected[i][0], 2e-4) << "vertex " << i + 1;
    EXPECT_NEAR(v[i].y, expected[i][1], 2e-4) << "vertex " << i + 1;
    EXPECT_NEAR(RadToDeg(v[i].sweep), sweepsDeg[i], 0.006L) << "sweep " << i + 1;
  }
  // The seat arc spans exactly the seating angle.
  EXPECT_NEAR(RadToDeg(v[2].sweep), -kExample.alphaDeg, 1e-4);
}

// The tooth form the calculation gives for chain 08B with z teeth.
ToothForm CalculatedToothForm(int z) {
  DriveModel& m = model;
  m.chain.p = 12.7L;
  m.chain.d1 = 8.51L;
  m.chain.b1 = 7.75L;
  m.chain.h2 = 11.8L;
  m.z1 = z;
  CalculateDrive();
  EXPECT_FALSE(calcFailed) << z;
  return {z, m.alphaMean[1], m.riMean[1], m.reMean[1], m.dfMean[1], m.daMin[1]};
}

// For the worked example and calculated wheels of chain 08B from the
// smallest to a large tooth number: each arc ends on the next vertex about
// its own centre, and z copies rotated by 360/z close into one outline.
TEST_F(ToothOutlineTest, ArcsRunAboutTheirCentresAndPitchesClose) {
  const ToothForm forms[] = {kExample, CalculatedToothForm(11), CalculatedToothForm(17),
                             CalculatedToothForm(60)};
  const int messagesOfTheCalculation = MessageCount();
  for (const ToothForm& f : forms) {
    SCOPED_TRACE("z = " + std::to_string(f.z));
    const ToothOutline outline =
        ComputeToothOutline(f.z, f.alphaDeg, f.ri, f.re, f.dfMean, f.daTip);
    ASSERT_TRUE(outline.flankMeetsTip);
    const ToothOutlineVertex* v = outline.vertex;
    // The file holds these vertices and sweeps.
    const std::vector<Vertex> written = Vertices(DrawIntoDxf(f));
    ASSERT_EQ(written.size(), 6u);
    for (int i = 0; i < 6; ++i) {
      EXPECT_NEAR(written[i].x, v[i].x, 1e-6L) << i + 1;
      EXPECT_NEAR(written[i].y, v[i].y, 1e-6L) << i + 1;
      EXPECT_NEAR(std::tan(written[i].sweep / 4), std::tan(v[i].sweep / 4), 1e-6L) << i + 1;
    }
    const Real m2 = DegToRad(f.alphaDeg) / 2;
    const Real u = f.dfMean / 2 + f.ri;
    const Real xc = (f.re + f.ri) * std::sin(m2), yc = u - (f.re + f.ri) * std::cos(m2);
    const Real centres[5][3] = {
        {0, 0, f.daTip / 2}, {xc, yc, f.re}, {0, u, f.ri}, {-xc, yc, f.re}, {0, 0, f.daTip / 2}};
    for (int i = 0; i < 5; ++i) {
      Real cx = 0, cy = 0, r = 0;
      ASSERT_TRUE(ArcFromChord(v[i].x, v[i].y, v[i + 1].x, v[i + 1].y, v[i].sweep, cx, cy, r));
      EXPECT_NEAR(cx, centres[i][0], 1e-8L) << "arc " << i + 1;
      EXPECT_NEAR(cy, centres[i][1], 1e-8L) << "arc " << i + 1;
      EXPECT_NEAR(r, centres[i][2], 1e-8L) << "arc " << i + 1;
      EXPECT_GT(v[i].sweep * (i == 2 ? -1 : 1), 0) << "direction of arc " << i + 1;
    }
    EXPECT_EQ(v[5].sweep, 0);
    // The next insert is turned by 360/z: its vertex 1 is this vertex 6.
    const auto [nx, ny] = Rotate(v[0].x, v[0].y, 2 * kPi / f.z);
    EXPECT_NEAR(nx, v[5].x, 1e-12L);
    EXPECT_NEAR(ny, v[5].y, 1e-12L);
    EXPECT_EQ(MessageCount(), messagesOfTheCalculation);
  }
}

TEST_F(ToothOutlineTest, FlankShortOfTheTipCircleEndsAtTheSeatTangent) {
  // A flank radius of 1 cannot reach a tip circle of radius 75.
  const ToothOutline outline = ComputeToothOutline(17, 124.7059L, 8.1061L, 1, 122.2267L, 150.1422L);
  EXPECT_FALSE(outline.flankMeetsTip);
  const ToothOutlineVertex* v = outline.vertex;
  for (int i = 0; i < 6; ++i) {
    EXPECT_TRUE(std::isfinite(v[i].x) && std::isfinite(v[i].y)) << i + 1;
  }
  // Straight from the tip to the seat tangent point, the seat, and back.
  EXPECT_EQ(v[0].sweep, 0);
  EXPECT_NEAR(v[1].x, v[2].x, 1e-12L);
  EXPECT_NEAR(v[1].y, v[2].y, 1e-12L);
  EXPECT_EQ(v[1].sweep, 0);
  EXPECT_NEAR(v[2].sweep, -DegToRad(124.7059L), 1e-12L);
  EXPECT_EQ(v[3].sweep, 0);
  EXPECT_NEAR(v[4].x, v[3].x, 1e-12L);
  EXPECT_NEAR(v[4].y, v[3].y, 1e-12L);
  EXPECT_EQ(v[4].sweep, 0);
  EXPECT_NEAR(Hypot(v[0].x, v[0].y), 75.0711L, 1e-4L);
  EXPECT_NEAR(Hypot(v[2].x, v[2].y - 69.21945L), 8.1061L, 1e-4L);
}

// The entities of the ENTITIES section: kind and its groups.
struct Entity {
  std::string kind;
  std::vector<std::pair<std::string, std::string>> groups;
  std::string Group(const std::string& code) const {
    for (const auto& [c, value] : groups)
      if (c == code) return value;
    return "";
  }
};

std::vector<Entity> EntitiesSection(const std::vector<std::string>& lines) {
  std::vector<Entity> entities;
  bool inEntities = false;
  for (size_t i = 0; i + 1 < lines.size(); i += 2) {
    if (lines[i] == "  2" && lines[i + 1] == "ENTITIES") {
      inEntities = true;
      continue;
    }
    if (!inEntities) continue;
    if (lines[i] == "  0") {
      if (lines[i + 1] == "ENDSEC") break;
      entities.push_back({lines[i + 1], {}});
    } else if (!entities.empty()) {
      entities.back().groups.emplace_back(lines[i], lines[i + 1]);
    }
  }
  return entities;
}

TEST_F(ToothOutlineTest, FrontViewInsertsOneToothPerPitchAndTheBore) {
  struct Case {
    int z;
    Real bore;
    int circles;  // pitch circle, and the bore when there is one
  };
  const Case cases[] = {{17, 20, 2}, {11, 0, 1}, {5, -1, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE("z = " + std::to_string(c.z));
    AnswerSaveDialog(folder_.File("rad.dxf"));
    CadBegin(kCadDxf);
    ASSERT_FALSE(abortFlag);
    CadSetLimits(-100, -100, 100, 100, 0);
    CadTables(0);
    CadBeginBlocks();
    CadBeginBlock("TOOTH1");
    DrawToothOutline(17, kExample.alphaDeg, kExample.ri, kExample.re, kExample.dfMean,
                     kExample.daTip);
    CadEndBlock();
    CadEndSection();
    CadBeginEntities();
    DrawWheel1Front(1, c.z, 138.2L, 152.3L, c.bore);
    CadEndSection();
    CadEnd();
    const std::vector<Entity> entities = EntitiesSection(Lines("rad.dxf"));
    std::vector<Real> angles, radii, lineEnds;
    for (const Entity& e : entities) {
      if (e.kind == "INSERT") {
        EXPECT_EQ(e.Group("  2"), "TOOTH1");
        EXPECT_EQ(e.Group("  8"), LayerNameOf(5, 0));
        EXPECT_EQ(ParseNumber(e.Group(" 10")), 0);
        EXPECT_EQ(ParseNumber(e.Group(" 20")), 0);
        angles.push_back(ParseNumber(e.Group(" 50")));
      } else if (e.kind == "CIRCLE") {
        radii.push_back(ParseNumber(e.Group(" 40")));
      } else if (e.kind == "LINE") {
        EXPECT_EQ(e.Group("  8"), LayerNameOf(1, 0));
        for (const char* code : {" 10", " 20", " 11", " 21"})
          lineEnds.push_back(ParseNumber(e.Group(code)));
      }
    }
    ASSERT_EQ(angles.size(), static_cast<size_t>(c.z));
    for (int i = 0; i < c.z; ++i)
      EXPECT_NEAR(angles[i], -90 + 360.0L * i / c.z, 1e-6L) << "insert " << i + 1;
    ASSERT_EQ(radii.size(), static_cast<size_t>(c.circles));
    EXPECT_NEAR(radii[0], 69.1L, 1e-6L) << "pitch circle";
    if (c.circles == 2) {
      EXPECT_NEAR(radii[1], 10, 1e-6L) << "bore";
    }
    const Real half = 0.55L * 152.3L;
    EXPECT_EQ(lineEnds.size(), 8u);
    const Real expected[8] = {-half, 0, half, 0, 0, -half, 0, half};
    for (size_t i = 0; i < lineEnds.size() && i < 8; ++i)
      EXPECT_NEAR(lineEnds[i], expected[i], 1e-6L) << "centre line value " << i;
    EXPECT_EQ(cadState.pen, 5);
  }
}

}  // namespace
}  // namespace kv5
