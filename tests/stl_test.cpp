#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <bit>
#include <charconv>
#include <clocale>
#include <cmath>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <locale>
#include <sstream>

#include "app/core/batch_runs.h"
#include "cad/cad_channel.h"
#include "cad/cad_settings.h"
#include "cad/stl_backend.h"
#include "cad/stl_segment_font.h"
#include "cad/stl_writer.h"
#include "dialogs/file_checks.h"
#include "graphics/drive_parts.h"
#include "graphics/wheel2_views.h"
#include "model/drive_calculation.h"
#include "tests/cad_test_support.h"
#include "tests/drive_fixtures.h"
#include "text/messages.h"
#include "text/numeric.h"
#include "text/string_routines.h"

namespace kv5 {
namespace {

using testing::CadTest;
using testing::FileLines;
using testing::ReadFileBytes;
using testing::WriteFileBytes;

using Vec = std::array<double, 3>;

struct Facet {
  Vec normal;
  std::array<Vec, 3> v;
};

struct BinaryStl {
  std::string header;
  std::uint32_t count = 0;
  std::vector<Facet> facets;
  std::vector<std::uint16_t> attributes;
};

std::uint32_t LittleEndian32(const std::string& bytes, size_t offset) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i)
    value = value << 8 | static_cast<unsigned char>(bytes[offset + static_cast<size_t>(i)]);
  return value;
}

// Decodes the file byte by byte, so that the test does not depend on the
// byte order of the machine.
BinaryStl ParseBinary(const std::string& bytes) {
  BinaryStl stl;
  if (bytes.size() < 84) {
    ADD_FAILURE() << "binary STL shorter than header and count: " << bytes.size();
    return stl;
  }
  stl.header = bytes.substr(0, 80);
  stl.count = LittleEndian32(bytes, 80);
  for (size_t offset = 84; offset + 50 <= bytes.size(); offset += 50) {
    float values[12];
    for (size_t k = 0; k < 12; ++k)
      values[k] = std::bit_cast<float>(LittleEndian32(bytes, offset + 4 * k));
    Facet f;
    f.normal = {values[0], values[1], values[2]};
    for (size_t i = 0; i < 3; ++i)
      f.v[i] = {values[3 + 3 * i], values[4 + 3 * i], values[5 + 3 * i]};
    stl.facets.push_back(f);
    stl.attributes.push_back(
        static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[offset + 48]) |
                                   static_cast<unsigned char>(bytes[offset + 49]) << 8));
  }
  return stl;
}

// The three numbers after `prefix` on a line; a parse error fails the test.
Vec NumbersAfter(const std::string& line, const std::string& prefix) {
  Vec values{};
  if (line.rfind(prefix, 0) != 0) {
    ADD_FAILURE() << "expected \"" << prefix << "\": " << line;
    return values;
  }
  std::vector<std::string> fields = testing::SplitFields(line.substr(prefix.size()), ' ');
  if (fields.size() != 3) {
    ADD_FAILURE() << "three numbers expected: " << line;
    return values;
  }
  for (size_t i = 0; i < 3; ++i) {
    const std::string& f = fields[i];
    auto result = std::from_chars(f.data(), f.data() + f.size(), values[i]);
    if (result.ec != std::errc() || result.ptr != f.data() + f.size())
      ADD_FAILURE() << "not a number: \"" << f << "\" in " << line;
  }
  return values;
}

std::vector<Facet> ParseAscii(const std::vector<std::string>& lines) {
  std::vector<Facet> facets;
  if (lines.size() < 2 || lines.front() != "solid KELMSOLID" ||
      lines.back() != "endsolid KELMSOLID") {
    ADD_FAILURE() << "solid / endsolid lines missing";
    return facets;
  }
  for (size_t i = 1; i + 1 < lines.size(); i += 7) {
    if (i + 7 > lines.size() - 1) {
      ADD_FAILURE() << "incomplete facet at line " << i;
      break;
    }
    Facet f;
    f.normal = NumbersAfter(lines[i], "  facet normal ");
    EXPECT_EQ(lines[i + 1], "    outer loop");
    for (size_t k = 0; k < 3; ++k) f.v[k] = NumbersAfter(lines[i + 2 + k], "      vertex ");
    EXPECT_EQ(lines[i + 5], "    endloop");
    EXPECT_EQ(lines[i + 6], "  endfacet");
    facets.push_back(f);
  }
  return facets;
}

Vec Minus(const Vec& a, const Vec& b) {
  return {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}
Vec Cross(const Vec& a, const Vec& b) {
  return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
double Dot(const Vec& a, const Vec& b) {
  return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}
double Norm(const Vec& a) {
  return std::sqrt(Dot(a, a));
}

// Every facet's normal is a unit vector that agrees with its vertex order
// (right-hand rule), as STL readers expect.
void ExpectNormalsAgreeWithWinding(const std::vector<Facet>& facets) {
  for (size_t i = 0; i < facets.size(); ++i) {
    const Facet& f = facets[i];
    Vec n = Cross(Minus(f.v[1], f.v[0]), Minus(f.v[2], f.v[0]));
    ASSERT_GT(Norm(n), 0) << "degenerate facet " << i;
    EXPECT_NEAR(Norm(f.normal), 1, 1e-5) << "facet " << i;
    EXPECT_GT(Dot(n, f.normal) / Norm(n), 0.999) << "facet " << i;
  }
}

void ExpectVec(const Vec& actual, const Vec& expected, const std::string& what) {
  for (size_t i = 0; i < 3; ++i)
    EXPECT_NEAR(actual[i], expected[i], 1e-5) << what << " [" << i << "]";
}

// A value of the extended precision as the Vec of a facet holds it.
double D(Real x) {
  return static_cast<double>(x);
}

class StlTest : public CadTest {
 protected:
  void SetUp() override {
    CadTest::SetUp();
    confirmOverwrite = false;  // the runs of a test reuse their file names
  }
  // One STL run of `draw` into `file` with the Z range 0..height.
  void Run(const std::string& file, const std::function<void()>& draw, Real height = 5) {
    AnswerSaveDialog(folder_.File(file));
    CadBegin(kCadStl);
    ASSERT_FALSE(abortFlag);
    CadSetLimits(0, 0, 160, 120, 0);
    CadTables(0);
    CadSetZ(0, height);
    CadBeginEntities();
    draw();
    CadEndSection();
    CadEnd();
    ASSERT_FALSE(abortFlag);
  }
  std::vector<Facet> BinaryFacets(const std::function<void()>& draw, Real height = 5) {
    stlType = "Binary";
    Run("b.stl", draw, height);
    BinaryStl stl = ParseBinary(ReadFileBytes(folder_.File("b.stl")));
    EXPECT_EQ(stl.count, stl.facets.size());
    return stl.facets;
  }
  std::vector<Facet> AsciiFacets(const std::function<void()>& draw) {
    stlType = "ASCII";
    Run("a.stl", draw);
    return ParseAscii(Lines("a.stl"));
  }
};

TEST_F(StlTest, SingleLineIsAWallOfTwoFacetsFacingRight) {
  for (bool ascii : {false, true}) {
    SCOPED_TRACE(ascii ? "ASCII" : "binary");
    auto draw = [] { CadLine(0, 0, 10, 0); };
    std::vector<Facet> facets = ascii ? AsciiFacets(draw) : BinaryFacets(draw);
    ASSERT_EQ(facets.size(), 2u);
    for (const Facet& f : facets) ExpectVec(f.normal, {0, -1, 0}, "normal");
    ExpectVec(facets[0].v[0], {0, 0, 0}, "facet 1 vertex 1");
    ExpectVec(facets[0].v[1], {10, 0, 0}, "facet 1 vertex 2");
    ExpectVec(facets[0].v[2], {0, 0, 5}, "facet 1 vertex 3");
    ExpectVec(facets[1].v[0], {0, 0, 5}, "facet 2 vertex 1");
    ExpectVec(facets[1].v[1], {10, 0, 0}, "facet 2 vertex 2");
    ExpectVec(facets[1].v[2], {10, 0, 5}, "facet 2 vertex 3");
    ExpectNormalsAgreeWithWinding(facets);
  }
}

TEST_F(StlTest, OriginShiftAndZRangeMoveTheWall) {
  std::vector<Facet> facets = BinaryFacets([] {
    CadSetOrigin(100, 50);
    CadSetZThickness(2, 3);
    CadLine(0, 0, 0, -4);  // downwards: faces -x
  });
  ASSERT_EQ(facets.size(), 2u);
  ExpectVec(facets[0].normal, {-1, 0, 0}, "normal");
  ExpectVec(facets[0].v[0], {100, 50, 2}, "bottom start");
  ExpectVec(facets[1].v[2], {100, 46, 5}, "top end");
}

TEST_F(StlTest, ZeroLengthSegmentsGiveNoFacet) {
  EXPECT_TRUE(BinaryFacets([] { CadLine(3, 3, 3, 3); }).empty());
  // 63 chords on a circle of radius 1 (chord 0.1): the first of the 64
  // line segments has zero length.
  storedSettings.unlabelled.chordLength = 0.1L;
  EXPECT_EQ(BinaryFacets([] { CadCircle(0, 0, 1); }).size(), 126u);
  // Not longer than one chord: a single zero-length segment.
  EXPECT_TRUE(BinaryFacets([] { CadCircle(0, 0, 0.01L); }).empty());
  // A polyline arc drawn as chords begins with a segment from its start to
  // the start computed once more: the rounding residue gives no facet.
  std::vector<Facet> slot = BinaryFacets([] {
    CadPolyBegin(false);
    CadPolyVertex(12, 4, -0.4L);
    CadPolyVertex(24, 4, 0);
    CadPolyEnd();
  });
  EXPECT_FALSE(slot.empty());
  ExpectNormalsAgreeWithWinding(slot);
}

TEST_F(StlTest, HoleRunsClockwiseAndOuterCircleCounterClockwise) {
  storedSettings.unlabelled.chordLength = 0.1L;
  struct Case {
    bool hole;
    double normalTowardsCentre;  // sign of normal · (centre − wall)
    double firstStepY;           // sign of the first chord's y step
  };
  // The outer wall faces away from the part's centre, the hole's wall into
  // the hole: both out of the material.
  for (const Case& c : {Case{false, -1, 1}, Case{true, 1, -1}}) {
    SCOPED_TRACE(c.hole ? "hole" : "outer");
    std::vector<Facet> facets = BinaryFacets([&] {
      if (c.hole)
        CadCircleHole(20, 30, 5);
      else
        CadCircle(20, 30, 5);
    });
    ASSERT_EQ(facets.size(), 2u * 314);  // round(2π·5 / 0.1) chords
    ExpectVec(facets[0].v[0], {25, 30, 0}, "start");
    EXPECT_GT(c.firstStepY * (facets[0].v[1][1] - 30), 0);
    for (const Facet& f : facets) {
      Vec toCentre = Minus({20, 30, 0}, {f.v[0][0], f.v[0][1], 0});
      ASSERT_GT(c.normalTowardsCentre * Dot(f.normal, toCentre), 0);
    }
    ExpectNormalsAgreeWithWinding(facets);
  }
}

TEST_F(StlTest, ArcsAreSplitIntoChords) {
  storedSettings.unlabelled.chordLength = 0.1L;
  struct Case {
    const char* what;
    std::function<void()> draw;
    size_t facets;
    Vec end;  // bottom end of the last wall
  };
  const Case cases[] = {
      {"quarter, chords of 0.1", [] { CadArc(0, 0, 0, 90, 10); }, 2 * 157, {0, 10, 0}},
      {"end below start",
       [] { CadArc(0, 0, 350, 10, 10); },
       2 * 35,
       {D(10 * std::cos(DegToRad(10))), D(10 * std::sin(DegToRad(10))), 0}},
      {"full circle", [] { CadArc(0, 0, 0, 360, 1); }, 2 * 63, {1, 0, 0}},
      {"clockwise sweep", [] { CadArcSweep(0, 0, 90, 0, 10, -90); }, 2 * 157, {10, 0, 0}},
      {"short flat arc: one chord",
       [] { CadArc(0, 0, 0, 0.5L, 10); },
       2,
       {D(10 * std::cos(DegToRad(0.5L))), D(10 * std::sin(DegToRad(0.5L))), 0}},
      {"few long chords: steps of 0.1 rad", [] { CadArc(0, 0, 0, 90, 0.5L); }, 2 * 16, {0, 0.5, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<Facet> facets = BinaryFacets(c.draw);
    ASSERT_EQ(facets.size(), c.facets);
    ExpectVec(facets.back().v[1], c.end, "end");
    ExpectNormalsAgreeWithWinding(facets);
  }
}

TEST_F(StlTest, ArcWithoutSweepIsReportedAndDrawsNothing) {
  EXPECT_TRUE(BinaryFacets([] { CadArc(0, 0, 30, 30, 5); }).empty());
  ASSERT_EQ(MessageCount(), 1);
  EXPECT_EQ(MessageText(1).rfind("Fehler in GetArcCenter (dphi = ", 0), 0u) << MessageText(1);
}

TEST_F(StlTest, FilledQuadrilateralGetsItsOutlineNotADiagonal) {
  // Corners in DXF order: the outline runs 1, 2, 4, 3.
  std::vector<Facet> facets = BinaryFacets([] { CadSolid(0, 0, 10, 0, 0, 10, 10, 10); });
  ASSERT_EQ(facets.size(), 8u);
  for (const Facet& f : facets) {
    Vec bottom = Minus(f.v[1], f.v[0]);
    EXPECT_NEAR(std::hypot(bottom[0], bottom[1]), 10, 1e-5) << "a wall across the quadrilateral";
  }
}

TEST_F(StlTest, InsertedBlocksBecomeWallsThroughTheTransform) {
  std::vector<Facet> facets = BinaryFacets([] {
    CadEndSection();
    CadBeginBlocks();
    CadBeginBlock("PART");
    CadLine(0, 0, 10, 0);
    CadEndBlock();
    CadEndSection();
    CadBeginEntities();
    CadInsert("PART", 100, 0, 90, 1, 1);
    CadInsert("PART", 0, 0, 0, 2, 2);
  });
  ASSERT_EQ(facets.size(), 4u) << "the block body itself draws no wall";
  ExpectVec(facets[0].normal, {1, 0, 0}, "rotated wall");
  ExpectVec(facets[0].v[0], {100, 0, 0}, "rotated start");
  ExpectVec(facets[0].v[1], {100, 10, 0}, "rotated end");
  ExpectVec(facets[2].v[1], {20, 0, 0}, "scaled end");
}

TEST_F(StlTest, SegmentFontCharactersAndTheirWalls) {
  struct Case {
    const char* text;
    size_t segments;
  };
  const Case cases[] = {
      {"8", 7}, {" ", 0}, {"1", 2}, {"-", 1}, {"a", 1},   {"h", 4},
      {"H", 5}, {"b", 5}, {"ä", 0}, {".", 1}, {"88", 14}, {"Ø", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    std::vector<Facet> facets = BinaryFacets([&] {
      CadSetTextStyle(0, 0, 10, 7);
      CadText(c.text, 0, 0);
    });
    EXPECT_EQ(facets.size(), c.segments * 6 * 2);
  }
  // "b" has no shape of its own: it is drawn as "B".
  auto text = [](const char* s) {
    return [s] {
      CadSetTextStyle(0, 0, 10, 7);
      CadText(s, 0, 0);
    };
  };
  stlType = "Binary";
  Run("lower.stl", text("b"));
  Run("upper.stl", text("B"));
  EXPECT_EQ(ReadFileBytes(folder_.File("lower.stl")), ReadFileBytes(folder_.File("upper.stl")));
}

TEST_F(StlTest, SegmentOutlinesFaceOutwardsWithinTheCharacterCell) {
  // Height 10, width factor 0.7: cell width 7, horizontal segments 3.5 long.
  std::vector<Facet> facets = BinaryFacets([] {
    CadSetTextStyle(0, 0, 10, 7);
    CadText("ä8", 10, 20);  // "ä" has no segments but takes its place
  });
  ASSERT_EQ(facets.size(), 84u);
  double minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9;
  for (const Facet& f : facets)
    for (const Vec& v : f.v) {
      minX = std::min(minX, v[0]), maxX = std::max(maxX, v[0]);
      minY = std::min(minY, v[1]), maxY = std::max(maxY, v[1]);
    }
  // Segments 0.9 thick (corners 0.45 off their line), uprights at 80°.
  const double half = 0.45, c80 = D(std::cos(DegToRad(80))), s80 = D(std::sin(DegToRad(80)));
  // Left: the upper corner of the lower-left segment, at the second place.
  EXPECT_NEAR(minX, 17 + half * (c80 - s80), 1e-4) << "second place";
  EXPECT_NEAR(minY, 20 - half, 1e-4);  // the bottom segment
  EXPECT_NEAR(maxY, 30 + half, 1e-4);  // the top segment
  // Right: the lower corner at the far end of the upper-right segment.
  EXPECT_NEAR(maxX, 17 + 3.5 + 5 * c80 + (5 - half) * c80 + half * s80, 1e-4);
  // Each segment is one closed outline of six walls (12 facets); its walls
  // face away from its centre.
  for (size_t segment = 0; segment < 7; ++segment) {
    Vec centre{0, 0, 0};
    for (size_t k = 0; k < 12; ++k)
      for (const Vec& v : facets[segment * 12 + k].v)
        for (size_t i = 0; i < 2; ++i) centre[i] += v[i] / 36;
    for (size_t k = 0; k < 12; ++k) {
      const Facet& f = facets[segment * 12 + k];
      Vec out = Minus({(f.v[0][0] + f.v[2][0]) / 2, (f.v[0][1] + f.v[2][1]) / 2, 0}, centre);
      EXPECT_GT(Dot(f.normal, out), 0) << "segment " << segment << " facet " << k;
    }
  }
  ExpectNormalsAgreeWithWinding(facets);
}

TEST(StlSegmentFontTest, EightShowsEverySegmentAndBlankNone) {
  for (int s = 0; s < kFontSegmentCount; ++s) {
    EXPECT_TRUE(SegmentFontShows(U'8', static_cast<FontSegment>(s)));
    EXPECT_FALSE(SegmentFontShows(U' ', static_cast<FontSegment>(s)));
  }
  EXPECT_EQ(SegmentFontCharacter(U'b'), U'B');
  EXPECT_EQ(SegmentFontCharacter(U'h'), U'h');
  EXPECT_EQ(SegmentFontCharacter(U'z'), U'Z');
}

TEST(StlNumberTest, ExponentFormatWithPointAndTwoExponentDigits) {
  struct Case {
    Real value;
    const char* text;
  };
  for (const Case& c :
       {Case{1.5L, "1.500000E+00"}, Case{123.456L, "1.234560E+02"}, Case{0, "0.000000E+00"},
        Case{-0.0L, "0.000000E+00"}, Case{-2.5e-7L, "-2.500000E-07"}, Case{1e100L, "1.000000E+100"},
        Case{0.1L, "1.000000E-01"}, Case{-49.99995L, "-4.999995E+01"}})
    EXPECT_EQ(FormatStlNumber(c.value), c.text) << static_cast<double>(c.value);
}

// A locale with "," as decimal mark, as a German desktop would have.
struct CommaNumpunct : std::numpunct<char> {
  char do_decimal_point() const override { return ','; }
};

TEST_F(StlTest, AsciiFileUnderACommaLocaleKeepsTheDecimalPoint) {
  const std::locale previous = std::locale::global(std::locale(std::locale(), new CommaNumpunct));
  std::string previousC = std::setlocale(LC_NUMERIC, nullptr);
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE"})
    if (std::setlocale(LC_NUMERIC, name)) break;
  std::vector<Facet> facets = AsciiFacets([] { CadLine(0.5L, 1.25L, 123.456L, -7.5L); });
  std::locale::global(previous);
  std::setlocale(LC_NUMERIC, previousC.c_str());
  ASSERT_EQ(facets.size(), 2u);
  EXPECT_EQ(ReadFileBytes(folder_.File("a.stl")).find(','), std::string::npos);
  ExpectVec(facets[0].v[1], {123.456, -7.5, 0}, "vertex written in full");
  std::vector<std::string> lines = Lines("a.stl");
  EXPECT_EQ(lines[4], "      vertex 1.234560E+02 -7.500000E+00 0.000000E+00");
}

TEST_F(StlTest, AsciiFileLayout) {
  AsciiFacets([] {});
  std::vector<std::string> empty = Lines("a.stl");
  EXPECT_EQ(empty, (std::vector<std::string>{"solid KELMSOLID", "endsolid KELMSOLID"}));
  AsciiFacets([] { CadLine(0, 0, 10, 0); });
  const std::vector<std::string> expected = {
      "solid KELMSOLID",
      "  facet normal 0.000000E+00 -1.000000E+00 0.000000E+00",
      "    outer loop",
      "      vertex 0.000000E+00 0.000000E+00 0.000000E+00",
      "      vertex 1.000000E+01 0.000000E+00 0.000000E+00",
      "      vertex 0.000000E+00 0.000000E+00 5.000000E+00",
      "    endloop",
      "  endfacet",
  };
  std::vector<std::string> lines = Lines("a.stl");  // CR LF checked by FileLines
  ASSERT_EQ(lines.size(), 16u);
  EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 8), expected);
  EXPECT_EQ(lines.back(), "endsolid KELMSOLID");
}

TEST_F(StlTest, BinaryLayoutHeaderCountAndLittleEndianRecords) {
  stlType = "Binary";
  Run("b.stl", [] {});
  std::string empty = ReadFileBytes(folder_.File("b.stl"));
  ASSERT_EQ(empty.size(), 84u);
  EXPECT_EQ(LittleEndian32(empty, 80), 0u);

  Run("b.stl", [] { CadLine(0, 0, 10, 0); });
  std::string bytes = ReadFileBytes(folder_.File("b.stl"));
  ASSERT_EQ(bytes.size(), 84u + 2 * 50);
  const std::string header = bytes.substr(0, 80);
  EXPECT_NE(header.rfind("solid", 0), 0u) << "readers would take the file for ASCII";
  EXPECT_NE(header.find("KV5"), std::string::npos);
  EXPECT_EQ(header.back(), ' ') << "blank-padded";
  EXPECT_EQ(header.find('\0'), std::string::npos);
  EXPECT_EQ(bytes.substr(80, 4), std::string("\x02\x00\x00\x00", 4));
  // Facet 1: normal (0, -1, 0), then vertex 2 = (10, 0, 0); 10.0f is 0x41200000.
  EXPECT_EQ(bytes.substr(84, 12), std::string("\0\0\0\0\0\0\x80\xbf\0\0\0\0", 12));
  EXPECT_EQ(bytes.substr(84 + 24, 4), std::string("\x00\x00\x20\x41", 4));
  BinaryStl stl = ParseBinary(bytes);
  ASSERT_EQ(stl.attributes.size(), 2u);
  for (std::uint16_t attribute : stl.attributes) EXPECT_EQ(attribute, 0x5858);
  EXPECT_EQ(bytes.substr(132, 2), "XX");
}

// Sum of the signed volumes of the tetrahedra from the origin to every
// facet. For walls between z = 0 and h around closed contours it is
// 2/3 · h · (area inside the outer contours − area of the holes): positive
// when every wall faces out of the material, negative when the part is
// inside out.
double SignedVolume(const std::vector<Facet>& facets) {
  double volume = 0;
  for (const Facet& f : facets) volume += Dot(f.v[0], Cross(f.v[1], f.v[2])) / 6;
  return volume;
}

TEST_F(StlTest, ClosedContoursFaceOutOfTheMaterial) {
  storedSettings.unlabelled.chordLength = 0.1L;
  const double pi = D(kPi);
  struct Case {
    const char* name;
    std::function<void()> draw;
    double area;  // of the material, 0: only its sign is known
  };
  const Case cases[] = {
      {"circle", [] { CadCircle(3, 4, 5); }, pi * 25},
      {"ring", [] { DrawRingPart(20, 8, 5); }, pi * (100 - 16)},
      {"rounded rectangle with hole",
       [] {
         CadRoundRect(false, 0, 0, 20, 10, 2);
         CadCircleHole(10, 5, 3);
       },
       200 - (4 - pi) * 4 - pi * 9},
      {"slot", [] { CadSlotRect(false, 0, -3, 20, 3); }, 120 - (4 - pi) * 9},
      {"rack plate with pin holes",
       [] {
         testing::SetUpRackDrive();
         CalculateDrive();
         DrawRackFront(1, true, 0, 0, model.chain.b1, model.s);
       },
       0},
      {"bearing plate",
       [] {
         testing::SetUpRackDrive();
         CalculateDrive();
         DrawBearingPlate(0.5L, model.a);
       },
       0},
      {"yoke plate",
       [] {
         testing::SetUpRackDrive();
         CalculateDrive();
         DrawYokePlate();
       },
       0},
      {"spoked pin wheel",
       [] {
         testing::SetUpWheelDrive();
         CalculateDrive();
         DrawPinWheelFront(1, true, model.chain.b1, model.s);
       },
       0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (bool inverted : {false, true}) {
      stlDirInverted = inverted;
      std::vector<Facet> facets = BinaryFacets([&] {
        CadSetZ(0, 5);
        c.draw();
      });
      ASSERT_FALSE(facets.empty());
      ExpectNormalsAgreeWithWinding(facets);
      const double volume = SignedVolume(facets);
      // "STL Dir invers" turns every wall inwards.
      EXPECT_GT(inverted ? -volume : volume, 0) << (inverted ? "inverted" : "as drawn");
      if (c.area > 0) {
        EXPECT_NEAR(std::fabs(volume), 2.0 / 3 * 5 * c.area, 1e-3 * std::fabs(volume));
      }
    }
  }
  stlDirInverted = false;
}

TEST_F(StlTest, InvertedDirectionTurnsVertexOrderAndNormalTogether) {
  stlDirInverted = true;
  for (bool ascii : {false, true}) {
    SCOPED_TRACE(ascii ? "ASCII" : "binary");
    auto draw = [] { CadLine(0, 0, 10, 0); };
    std::vector<Facet> facets = ascii ? AsciiFacets(draw) : BinaryFacets(draw);
    ASSERT_EQ(facets.size(), 2u);
    ExpectVec(facets[0].v[0], {0, 0, 0}, "vertex 1");
    ExpectVec(facets[0].v[1], {0, 0, 5}, "vertex 2");
    ExpectVec(facets[0].v[2], {10, 0, 0}, "vertex 3");
    ExpectVec(facets[0].normal, {0, 1, 0}, "normal");
    ExpectNormalsAgreeWithWinding(facets);
  }
  // A hole then faces into the material around it.
  storedSettings.unlabelled.chordLength = 0.1L;
  std::vector<Facet> hole = BinaryFacets([] { CadCircleHole(0, 0, 2); });
  ASSERT_FALSE(hole.empty());
  for (const Facet& f : hole) ASSERT_GT(Dot(f.normal, {f.v[0][0], f.v[0][1], 0}), 0);
}

TEST_F(StlTest, HeightQuestionSetsTheZRange) {
  struct Case {
    const char* what;
    bool batch;
    const char* answer;  // nullptr: cancelled
    double top;
    bool asked;
    bool opened;
  };
  for (const Case& c : {Case{"answered", false, "12", 12, true, true},
                        Case{"cancelled", false, nullptr, 8, true, false},
                        Case{"batch run", true, nullptr, 8, false, false}}) {
    SCOPED_TRACE(c.what);
    recorder_.ClearLog();
    cadOpenAfterExport = true;
    batchCad = c.batch;
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(folder_.path());
    std::string file = folder_.File("test.stl");
    if (!c.batch) AnswerSaveDialog(file);
    confirmOverwrite = false;
    CadBegin(kCadStl);
    ASSERT_FALSE(abortFlag);
    if (c.answer) recorder_.QueueAnswer(std::string(c.answer));
    CadSetLimits(0, 0, 100, 100, 8);
    EXPECT_FALSE(abortFlag) << "a cancelled height question does not stop the drawing";
    CadBeginEntities();
    CadLine(0, 0, 10, 0);
    CadEndSection();
    CadEnd();
    batchCad = false;
    std::filesystem::current_path(before);
    EXPECT_FALSE(abortFlag);
    int heightQuestions = 0;
    for (const std::string& q : recorder_.Questions())
      if (q.find("Höhe [mm]") != std::string::npos) ++heightQuestions;
    EXPECT_EQ(heightQuestions, c.asked ? 1 : 0);
    if (c.batch) {
      EXPECT_TRUE(recorder_.Questions().empty());
    }
    EXPECT_EQ(!recorder_.StartedPrograms().empty(), c.opened);
    BinaryStl stl = ParseBinary(ReadFileBytes(file));
    ASSERT_EQ(stl.facets.size(), 2u);
    EXPECT_NEAR(stl.facets[1].v[2][2], c.top, 1e-6);
  }
}

TEST_F(StlTest, SolidIsOpenOnlyWhileTheFileIsWritten) {
  EXPECT_FALSE(CadIsSolidOpen());
  CadBegin(kCadStl);  // save dialog cancelled
  EXPECT_TRUE(abortFlag);
  EXPECT_FALSE(CadIsSolidOpen());
  abortFlag = false;
  AnswerSaveDialog(folder_.File("o.stl"));
  CadBegin(kCadStl);
  EXPECT_TRUE(CadIsSolidOpen());
  CadSetDefaultLimits();  // height 1: asked, and cancelled here
  CadBeginEntities();
  EXPECT_TRUE(CadIsSolidOpen());
  CadEndSection();
  CadEnd();
  EXPECT_FALSE(CadIsSolidOpen());
  EXPECT_TRUE(std::filesystem::exists(folder_.File("o.stl")));
  CadBegin(kCadScreen);
  EXPECT_FALSE(CadIsSolidOpen());
}

TEST_F(StlTest, EmptyFileNameIsRefused) {
  StlWriter writer;
  EXPECT_FALSE(writer.Start("", "KELMSOLID", StlFormat::Binary));
  EXPECT_TRUE(abortFlag);
  EXPECT_FALSE(writer.IsOpen());
  ASSERT_EQ(recorder_.Messages().size(), 1u);
  EXPECT_EQ(recorder_.Messages()[0].text, "invalid File name");
}

TEST_F(StlTest, AbandonedRunLeavesNoFile) {
  for (const char* type : {"Binary", "ASCII"}) {
    stlType = type;
    AnswerSaveDialog(folder_.File("weg.stl"));
    CadBegin(kCadStl);
    CadSetLimits(0, 0, 160, 120, 0);
    CadBeginEntities();
    CadLine(0, 0, 10, 0);
    CadBegin(kCadScreen);  // the STL run is given up
    EXPECT_FALSE(std::filesystem::exists(folder_.File("weg.stl"))) << type;
  }
  int entries = 0;
  for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(folder_.path())) ++entries;
  EXPECT_EQ(entries, 0);
}

TEST_F(StlTest, FailedWriteKeepsTheOlderFile) {
  for (const char* type : {"Binary", "ASCII"}) {
    SCOPED_TRACE(type);
    stlType = type;
    const std::string name = folder_.File("alt.stl");
    const std::string old(3000, 'x');
    WriteFileBytes(name, old);
    recorder_.ClearAnswers();
    recorder_.QueueAnswer(name);
    recorder_.QueueAnswer(YesNoCancel::Yes);  // overwrite
    const int code = testing::ExitCodeUnderFileSizeLimit(4000, [&] {
      CadBegin(kCadStl);
      bool begun = !abortFlag;
      CadSetLimits(0, 0, 160, 120, 0);
      CadSetZ(0, 5);
      CadBeginEntities();
      for (int i = 0; i < 200; ++i) CadLine(i, 0, i, 10);
      CadEndSection();
      CadEnd();
      int errors = 0;
      for (const ShownMessage& m : recorder_.Messages())
        if (m.text.rfind("I/O-Error", 0) == 0) ++errors;
      return begun && abortFlag && errors == 1;
    });
    EXPECT_EQ(code, 0) << "the write must fail and say so once";
    EXPECT_EQ(ReadFileBytes(name), old);
    int entries = 0;
    for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(folder_.path())) ++entries;
    EXPECT_EQ(entries, 1) << "no half-written file left behind";
  }
}

TEST_F(StlTest, CoordinatesBeyondSinglePrecisionFailTheRunAndKeepTheOlderFile) {
  // 1e300 is finite in the drawing's reals but infinite as a float.
  const std::function<void()> draws[] = {
      [] { CadLine(0, 0, 1e300L, 0); },
      [] {
        CadCircle(0, 0, 5);
        CadLine(-1e39L, 0, 0, 0);
      },
  };
  for (const char* type : {"Binary", "ASCII"}) {
    for (size_t i = 0; i < std::size(draws); ++i) {
      SCOPED_TRACE(std::string(type) + " drawing " + std::to_string(i));
      stlType = type;
      abortFlag = false;
      recorder_.ClearLog();
      const std::string name = folder_.File("gross.stl");
      const std::string old = "die alte Datei";
      WriteFileBytes(name, old);
      AnswerSaveDialog(name);
      CadBegin(kCadStl);
      ASSERT_FALSE(abortFlag);
      CadSetLimits(0, 0, 160, 120, 0);
      CadSetZ(0, 5);
      CadBeginEntities();
      draws[i]();
      CadEndSection();
      CadEnd();
      EXPECT_TRUE(abortFlag);
      ASSERT_EQ(recorder_.Messages().size(), 1u);
      EXPECT_EQ(recorder_.Messages()[0].text.rfind("I/O-Error 34 ", 0), 0u)
          << recorder_.Messages()[0].text;
      EXPECT_EQ(ReadFileBytes(name), old);
      int entries = 0;
      for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(folder_.path()))
        ++entries;
      EXPECT_EQ(entries, 1) << "no half-written file left behind";
    }
  }
}

// Sample solids for an outside reader (tests/scripts/check_stl.sh): written
// only when KV5_STL_SAMPLE_DIR names a folder.
class StlSampleTest : public CadTest {};

// A small pin wheel plate: outer contour, bore and pin holes, a spoke
// cut-out of arcs and lines, a text and a block inserted twice.
void DrawSamplePlate() {
  CadBeginBlocks();
  CadBeginBlock("PEG");
  CadCircle(0, 0, 3);
  CadCircleHole(0, 0, 1.5L);
  CadEndBlock();
  CadEndSection();
  CadBeginEntities();
  CadSetZ(0, 4);
  CadCircle(0, 0, 40);
  CadCircleHole(0, 0, 8);
  for (int i = 0; i < 12; ++i) {
    const Real a = 2 * kPi * i / 12;
    CadCircleHole(32 * std::cos(a), 32 * std::sin(a), 2.5L);
  }
  CadPolyBegin(true);
  CadPolyVertex(12, -4, 0);
  CadPolyVertex(12, 4, -0.4L);
  CadPolyVertex(24, 4, 0);
  CadPolyVertex(24, -4, 0.4L);
  CadPolyVertex(12, -4, 0);
  CadPolyEnd();
  CadArcSweep(-18, 0, 0, 180, 4, 180);
  CadLine(-22, 0, -14, 0);
  CadRectangleCW(-30, -30, -20, -25);
  CadSetTextStyle(2, 0, 5, 3.5L);
  CadText("KV5 z2=12 b8", -20, -18);
  CadSetZ(4, 10);
  CadInsert("PEG", 0, 20, 0, 1, 1);
  CadInsert("PEG", 0, -20, 45, 1.5L, 1.5L);
  CadEndSection();
  CadEnd();
}

TEST_F(StlSampleTest, WritesSamplesForAnOutsideReader) {
  const char* folder = std::getenv("KV5_STL_SAMPLE_DIR");
  if (!folder || !*folder) GTEST_SKIP() << "KV5_STL_SAMPLE_DIR not set";
  std::filesystem::create_directories(folder);
  confirmOverwrite = false;
  for (const char* type : {"Binary", "ASCII"})
    for (bool inverted : {false, true}) {
      stlType = type;
      stlDirInverted = inverted;
      std::string name = AddBackslash(folder) + "sample_" + LowerCase(type) +
                         (inverted ? "_inverted" : "") + ".stl";
      AnswerSaveDialog(name);
      CadBegin(kCadStl);
      ASSERT_FALSE(abortFlag);
      CadSetLimits(-50, -50, 50, 50, 0);
      DrawSamplePlate();
      EXPECT_FALSE(abortFlag);
      EXPECT_TRUE(std::filesystem::exists(name));
    }
}

}  // namespace
}  // namespace kv5
