#include "graphics/wheel1_views.h"

#include <cmath>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "model/drive_calculation.h"
#include "tests/drawing_test_support.h"
#include "text/configuration.h"
#include "text/messages.h"
#include "text/numeric.h"
#include "text/units.h"

namespace kv5 {
namespace {

using testing::Drawing;
using testing::DrawnEntity;
using Kind = BlockItem::Kind;

class Wheel1ViewsTest : public testing::CadTest {
 protected:
  void SetUp() override {
    CadTest::SetUp();
    storedSettings.cadDecimals = 8;
    testing::SetUpRackDrive();
  }
  void Calculate() {
    CalculateDrive();
    ASSERT_FALSE(calcFailed);
    ASSERT_EQ(MessageCount(), 0);
  }
};

struct XY {
  Real x, y;
};

XY ArcPoint(const DrawnEntity& arc, Real angleDeg) {
  const Real a = DegToRad(angleDeg);
  return {arc.v[0] + arc.v[2] * std::cos(a), arc.v[1] + arc.v[2] * std::sin(a)};
}

// Start and end point of a line or an arc.
std::pair<XY, XY> EndPoints(const DrawnEntity& e) {
  if (e.kind == Kind::Arc) return {ArcPoint(e, e.v[3]), ArcPoint(e, e.v[4])};
  return {{e.v[0], e.v[1]}, {e.v[2], e.v[3]}};
}

bool Near(XY a, XY b, Real tol = 1e-6L) {
  return std::fabs(a.x - b.x) < tol && std::fabs(a.y - b.y) < tol;
}

// ---------------------------------------------------------------------------
// ChordAngle

TEST_F(Wheel1ViewsTest, ChordAngleOfRadiusAndSagitta) {
  struct Case {
    Real r, h, angle;
    const char* message;  // "" when none
  };
  const Case cases[] = {
      // The chamfer of every wheel: ba/R = 0.125p / 1.5p = 1/12, so the
      // included angle is 2·arccos(11/12) = 0.822276 rad (47.113°).
      {19.05L, 1.5875L, 0.8222757246L, ""},
      {10, 0, 0, ""},                             // no sagitta: no arc
      {10, 10, kPi, ""},                          // half circle
      {10, 20, 2 * kPi, ""},                      // whole circle
      {19.05L, 40, 0, "Error: ArcCos -1.09974"},  // (19.05 − 40) / 19.05
      {10, -1, 0, "Error: ArcCos 1.1"},
      {0, 0, 0, "Error: ArcCos nan"},
  };
  for (const Case& c : cases) {
    ClearMessages();
    EXPECT_NEAR(ChordAngle(c.r, c.h), c.angle, 1e-9L) << c.r << " " << c.h;
    if (*c.message) {
      ASSERT_EQ(MessageCount(), 1) << c.r << " " << c.h;
      EXPECT_EQ(MessageText(1), c.message);
    } else {
      EXPECT_EQ(MessageCount(), 0) << c.r << " " << c.h;
    }
  }
  ClearMessages();
  hideWarnings = true;
  EXPECT_EQ(ChordAngle(19.05L, 40), 0);
  EXPECT_EQ(MessageCount(), 0) << "no message while warnings are hidden";
}

// ---------------------------------------------------------------------------
// Side view

// Hand values of the calculated 08B drive (README drive 1): d = 69.11583,
// da 72.1105 .. 76.4808 (mean 74.29568), dg 51.3385 .. 53.9385 (mean
// 52.63850), df 60.3558 .. 60.6058 (mean 60.48083), bf1 6.615 .. 6.975
// (mean bm 6.795), ra 0.3 .. 1.6 (mean 0.95), so B = bm + 2·ra = 8.695;
// ba = 1.5875.
constexpr Real kD = 69.11583L, kDam = 74.29568L, kDgm = 52.63850L, kDfm = 60.48083L;
constexpr Real kBm = 6.795L, kRa = 0.95L, kB = 8.695L, kBa = 1.5875L;

TEST_F(Wheel1ViewsTest, SideViewCentreLinesAndHiddenRootLines) {
  Calculate();
  const Drawing drawing = testing::DrawBlockBody("RAD1SA", [] { DrawWheel1Side(1); });
  EXPECT_EQ(cadState.pen, 5);
  // Pen 1: the axis 0.7·B to each side, the pitch lines at ±d/2 as long,
  // the row's centre line to 0.55·dam.
  const Drawing centre = testing::OfKind(drawing, Kind::Line, 1);
  ASSERT_EQ(centre.size(), 4u);
  const Real expected[4][4] = {{-0.7L * kB, 0, 0.7L * kB, 0},
                               {-0.7L * kB, kD / 2, 0.7L * kB, kD / 2},
                               {-0.7L * kB, -kD / 2, 0.7L * kB, -kD / 2},
                               {0, -0.55L * kDam, 0, 0.55L * kDam}};
  for (int i = 0; i < 4; ++i)
    for (int k = 0; k < 4; ++k) EXPECT_NEAR(centre[i].v[k], expected[i][k], 2e-5L) << i << k;
  // Pen 2 (hidden): the root lines over the tooth width.
  const Drawing hidden = testing::OfKind(drawing, Kind::Line, 2);
  ASSERT_EQ(hidden.size(), 2u);
  for (int i = 0; i < 2; ++i) {
    const Real y = (i == 0 ? 1 : -1) * kDfm / 2;
    EXPECT_NEAR(hidden[i].v[0], -kBm / 2, 1e-6L);
    EXPECT_NEAR(hidden[i].v[2], kBm / 2, 1e-6L);
    EXPECT_NEAR(hidden[i].v[1], y, 2e-5L);
    EXPECT_NEAR(hidden[i].v[3], y, 2e-5L);
  }
}

// Every end of the pen 5 outline meets exactly one other end: faces,
// fillets, tooth sides, chamfers and tips form one closed contour.
void ExpectClosedOutline(const Drawing& drawing) {
  std::vector<XY> ends;
  for (const DrawnEntity& e : drawing) {
    if (e.pen != 5 || (e.kind != Kind::Line && e.kind != Kind::Arc)) continue;
    auto [a, b] = EndPoints(e);
    ASSERT_TRUE(std::isfinite(a.x) && std::isfinite(a.y) && std::isfinite(b.x) &&
                std::isfinite(b.y));
    ends.push_back(a);
    ends.push_back(b);
  }
  EXPECT_EQ(ends.size(), 2u * 16u) << "2 faces, 4 fillets, 4 sides, 4 chamfers, 2 tips";
  for (size_t i = 0; i < ends.size(); ++i) {
    int meets = 0;
    for (size_t k = 0; k < ends.size(); ++k)
      if (k != i && Near(ends[i], ends[k], 1e-5L)) ++meets;
    EXPECT_EQ(meets, 1) << "end " << i << " at " << ends[i].x << ", " << ends[i].y;
  }
}

TEST_F(Wheel1ViewsTest, SideViewOutlineIsClosedWithFilletsAtTheReliefDiameter) {
  Calculate();
  const Drawing drawing = testing::DrawBlockBody("RAD1SA", [] { DrawWheel1Side(1); });
  ExpectClosedOutline(drawing);
  // The faces of the body at ±B/2 span the relief diameter.
  const Drawing lines = testing::OfKind(drawing, Kind::Line, 5);
  ASSERT_GE(lines.size(), 2u);
  EXPECT_NEAR(lines[0].v[0], -kB / 2, 1e-6L);
  EXPECT_NEAR(lines[0].v[1], -kDgm / 2, 2e-5L);
  EXPECT_NEAR(lines[0].v[3], kDgm / 2, 2e-5L);
  // Fillets of radius ra about (±B/2, ±(dg/2 + ra)), quarter circles.
  int fillets = 0;
  for (const DrawnEntity& arc : testing::OfKind(drawing, Kind::Arc, 5)) {
    if (std::fabs(arc.v[2] - kRa) > 1e-6L) continue;
    ++fillets;
    EXPECT_NEAR(std::fabs(arc.v[0]), kB / 2, 1e-6L);
    EXPECT_NEAR(std::fabs(arc.v[1]), kDgm / 2 + kRa, 2e-5L);
    EXPECT_NEAR(arc.v[5], 90, 1e-6L);
  }
  EXPECT_EQ(fillets, 4);
}

// The chamfer arcs run from the tooth side at the pitch circle,
// (∓bm/2, ±d/2), to the tip point set back by ba, (∓(bm/2 − ba), ±dam/2).
// Their included angle is 2·arccos(11/12) = 47.1129°; the chord is
// √(ba² + ((dam − d)/2)²) = 3.037742, so the radius is
// chord / (2·sin(φ/2)) = 3.037742 / (2·√23/12) = 3.800478.
TEST_F(Wheel1ViewsTest, ChamferArcsPassThroughTheSideAtThePitchCircleAndTheSetBackTip) {
  Calculate();
  const Drawing drawing = testing::DrawBlockBody("RAD1SA", [] { DrawWheel1Side(1); });
  Drawing chamfers;
  for (const DrawnEntity& arc : testing::OfKind(drawing, Kind::Arc, 5))
    if (std::fabs(arc.v[2] - kRa) > 1e-6L) chamfers.push_back(arc);
  ASSERT_EQ(chamfers.size(), 4u);
  const XY side[4] = {
      {-kBm / 2, kD / 2}, {kBm / 2, kD / 2}, {-kBm / 2, -kD / 2}, {kBm / 2, -kD / 2}};
  const XY tip[4] = {{-kBm / 2 + kBa, kDam / 2},
                     {kBm / 2 - kBa, kDam / 2},
                     {-kBm / 2 + kBa, -kDam / 2},
                     {kBm / 2 - kBa, -kDam / 2}};
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE("chamfer " + std::to_string(i + 1));
    const DrawnEntity& arc = chamfers[static_cast<size_t>(i)];
    EXPECT_NEAR(arc.v[2], 3.800478L, 2e-5L);
    EXPECT_NEAR(arc.v[5], 47.11293L, 1e-4L) << "counter-clockwise sweep from start to end";
    auto [a, b] = EndPoints(arc);
    const bool forward = Near(a, side[i], 3e-5L) && Near(b, tip[i], 3e-5L);
    const bool backward = Near(b, side[i], 3e-5L) && Near(a, tip[i], 3e-5L);
    EXPECT_TRUE(forward || backward) << a.x << ", " << a.y << " / " << b.x << ", " << b.y;
    // The arc bulges away from the wheel body: its middle lies outside the
    // chord, towards the corner of side and tip.
    const XY mid = ArcPoint(arc, arc.v[3] + arc.v[5] / 2);
    const XY chordMid{(side[i].x + tip[i].x) / 2, (side[i].y + tip[i].y) / 2};
    EXPECT_GT(std::fabs(mid.x), std::fabs(chordMid.x));
    EXPECT_GT(std::fabs(mid.y), std::fabs(chordMid.y));
  }
}

// Without an arc to construct (ba = 0 gives an included angle of 0; a
// chamfer deeper than 2·R gives the ArcCos error) the chamfers are drawn
// straight from the side to the tip and the outline stays closed.
TEST_F(Wheel1ViewsTest, ChamferWithoutAnArcIsDrawnStraight) {
  struct Case {
    Real ba;
    std::vector<std::string> messages;
  };
  const Case cases[] = {
      {0, {"Fehler in GetArcCenter (dphi = 0 ! "}},
      {40, {"Error: ArcCos -1.09974", "Fehler in GetArcCenter (dphi = 0 ! "}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(static_cast<double>(c.ba)));
    Calculate();
    model.ba = c.ba;
    ClearMessages();
    const Drawing drawing = testing::DrawBlockBody("RAD1SA", [] { DrawWheel1Side(1); });
    std::vector<std::string> messages;
    for (int i = 1; i <= MessageCount(); ++i) messages.push_back(MessageText(i));
    EXPECT_EQ(messages, c.messages);
    for (const DrawnEntity& arc : testing::OfKind(drawing, Kind::Arc, 5))
      EXPECT_NEAR(arc.v[2], kRa, 1e-6L) << "only the fillets are arcs";
    int chamferLines = 0;
    for (const DrawnEntity& line : testing::OfKind(drawing, Kind::Line, 5)) {
      auto [a, b] = EndPoints(line);
      if (Near(a, {-kBm / 2, kD / 2}, 3e-5L) && Near(b, {-kBm / 2 + c.ba, kDam / 2}, 3e-5L))
        ++chamferLines;
    }
    EXPECT_EQ(chamferLines, 1) << "upper left chamfer as a line";
    ExpectClosedOutline(drawing);
  }
}

// ---------------------------------------------------------------------------
// Dimension table

class Wheel1TableTest : public Wheel1ViewsTest {
 protected:
  void SetUp() override {
    Wheel1ViewsTest::SetUp();
    // A tooth width of 7 mm (h14: 6.64 .. 7) keeps the texts clear of
    // rounding ties.
    model.bf1 = 7;
  }
  std::vector<std::vector<std::string>> Rows() {
    return testing::TableRows(
        testing::DrawBlockBody("tab1", [] { DrawWheel1Table(1, 0, 0, 2.5L); }));
  }
  static std::vector<std::string> Column(const std::vector<std::vector<std::string>>& rows,
                                         size_t k) {
    std::vector<std::string> column;
    for (size_t i = 1; i < rows.size(); ++i) column.push_back(rows[i].at(k));
    return column;
  }
};

// Values from the hand calculation of drive 1: tau 21.1765°, d 69.116,
// df 60.3558 .. 60.6058, da 72.1105 .. 76.4808, dg 51.3385 .. 53.9385,
// ri 4.2976 .. 4.4384, re 19.4028 .. 31.9295, ba 1.5875, ra 0.3 .. 1.6,
// alpha 114.706 .. 134.706, gamma 12.059 .. 22.059. The ranges show
// 3 − exponent decimals and drop a trailing zero of the digits cut off at
// the next place (60.6058: 6060|6 -> "60.6", 31.9295 -> "31.93"); ba is
// 0.125 · 12.7 just below 1.5875 (12.7 is not exact in binary) -> "1.587".
TEST_F(Wheel1TableTest, IsoTableOfTheCalculatedDrive) {
  Calculate();
  const std::vector<std::vector<std::string>> rows = Rows();
  const std::vector<std::vector<std::string>> expected = {
      {"Kettenrad  KV-100  08B-1-1 - ISO 606   bf1= 7", "", "", ""},
      {"Zähnezahl", "z", "", "   17"},
      {"Teilung", "p", "in.", "0.500\""},
      {"Rollendurchmesser", "d1", "in.", "0.335\""},
      {"Zahnbreite", "bf1", "mm", "6.64 .. 7"},
      {"Teilkreisdurchmesser", "d", "mm", "   69.116"},
      {"Fußkreisdurchmesser", "df", "mm", "60.36 .. 60.6"},
      {"Teilungswinkel", "tau", "°", "  21.18"},
      {"Kopfkreisdurchmesser", "da", "mm", "72.11 .. 76.48"},
      {"Durchmesser Freidrehung", "dg", "mm", "51.34 .. 53.94"},
      {"Rollenbettradius", "ri", "mm", "4.298 .. 4.438"},
      {"Zahnflankenradius", "re", "mm", "19.4 .. 31.93"},
      {"Zahnfasenradius", "rx", "mm", ">=12.7"},
      {"Abfasung", "ba", "mm", "1.587"},
      {"Zahnfasenradius", "ra", "mm", "0.3 .. 1.6"},
      {"Rollenbettwinkel", "alpha", "°", "114.7 .. 134.7"},
      {"Flankenwinkel", "gamma", "°", "12.06 .. 22.06"},
  };
  EXPECT_EQ(rows, expected);
  EXPECT_EQ(cadState.pen, 18);
}

TEST_F(Wheel1TableTest, TableLayoutAtTheGivenCorner) {
  Calculate();
  const Drawing drawing = testing::DrawBlockBody("tab", [] { DrawWheel1Table(1, 50, 150, 2.5L); });
  const Drawing texts = testing::Texts(drawing);
  ASSERT_EQ(texts.size(), 17u * 4u) << "title row and 16 rows of four cells";
  // Columns at 50, 50 + 2.25·25, + 2.25·7, + 2.25·5; the last baseline
  // 150 − 1.5·2.5 − 16·5 = 66.25, the lowest rule at 150 − 17·5 = 65.
  const Real xs[4] = {50, 106.25L, 122, 133.25L};
  for (size_t i = 0; i < 4; ++i) EXPECT_NEAR(texts[64 + i].v[0], xs[i], 1e-6L);
  EXPECT_NEAR(texts.back().v[1], 66.25L, 1e-6L);
  Real lowest = 1e9L, right = -1e9L;
  for (const DrawnEntity& line : testing::OfKind(drawing, Kind::Line, 17)) {
    lowest = std::min({lowest, line.v[1], line.v[3]});
    right = std::max({right, line.v[0], line.v[2]});
  }
  EXPECT_NEAR(lowest, 65, 1e-6L);
  EXPECT_NEAR(right, 50 + 2.25L * 49, 1e-6L);
}

TEST_F(Wheel1TableTest, SymbolsFollowTheChainStandard) {
  Calculate();
  const std::vector<std::string> iso = {"z",  "p",  "d1", "bf1", "d",  "df", "tau",   "da",
                                        "dg", "ri", "re", "rx",  "ba", "ra", "alpha", "gamma"};
  EXPECT_EQ(Column(Rows(), 1), iso);
  model.chainStandard = 0;
  model.chain.standardNote = " DIN 8187 ";
  const std::vector<std::vector<std::string>> rows = Rows();
  const std::vector<std::string> din = {"z",  "p",  "dR", "B1", "d", "df", "tau",   "da",
                                        "ds", "r1", "r2", "r3", "c", "r4", "kappa", "gamma"};
  EXPECT_EQ(Column(rows, 1), din);
  EXPECT_EQ(rows[0][0], "Kettenrad  KV-100  08B-1-1 - DIN 8187   bf1= 7");
}

TEST_F(Wheel1TableTest, TitleVariants) {
  Calculate();
  model.strands = 2;
  EXPECT_EQ(Rows()[0][0], "Kettenrad  KV-100  08B-1-2 - ISO 606   bf1= 7");
  // Chain dimensions entered by hand: no designation and no tooth width.
  model.editable = true;
  EXPECT_EQ(Rows()[0][0], "Kettenrad  KV-100");
  // A title of more than 8 characters gets an upper-case first letter.
  model.drawingName[1] = "zahnrad";
  model.drawingNumber[1] = "";
  EXPECT_EQ(Rows()[0][0], "Zahnrad  ");
}

// In inch units the ranges are inches with four decimals (6.64 / 25.4 =
// 0.26142, 7 / 25.4 = 0.27559); pitch and roller stay in "in." as before.
TEST_F(Wheel1TableTest, InchUnits) {
  Calculate();
  unitSystem = 1;
  const std::vector<std::vector<std::string>> rows = Rows();
  EXPECT_EQ(rows[0][0], "Kettenrad  KV-100  08B-1-1 - ISO 606   bf1= 0.2756");
  const std::vector<std::string> width = {"Zahnbreite", "bf1", "in", "0.2614 .. 0.2756"};
  EXPECT_EQ(rows[4], width);
  const std::vector<std::string> pitch = {"Teilung", "p", "in.", "0.500\""};
  EXPECT_EQ(rows[2], pitch);
  EXPECT_EQ(rows[15][3], "114.7 .. 134.7") << "angles are not converted";
}

}  // namespace
}  // namespace kv5
