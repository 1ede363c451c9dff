#include "cad/dxf_reader.h"

#include <chrono>
#include <cmath>
#include <filesystem>
#include <initializer_list>
#include <random>
#include <utility>

#include "cad/block_files.h"
#include "cad/cad_channel.h"
#include "cad/cad_settings.h"
#include "dialogs/file_checks.h"
#include "tests/cad_test_support.h"
#include "text/configuration.h"
#include "text/messages.h"

namespace kv5 {
namespace {

using testing::CadTest;
using testing::ReadFileBytes;
using testing::RecordsWithCode;
using testing::WriteFileBytes;

using Group = std::pair<int, std::string>;

// A block file: pairs of a right-aligned code line and a value line.
std::string Dxf(std::initializer_list<Group> groups) {
  std::string text;
  for (const Group& g : groups) {
    std::string code = std::to_string(g.first);
    if (code.size() < 3) code.insert(0, 3 - code.size(), ' ');
    text += code + "\r\n" + g.second + "\r\n";
  }
  return text;
}

class DxfReaderTest : public CadTest {
 protected:
  // A hand-made snippet in the temporary folder.
  void Snippet(const std::string& name, const std::string& bytes) {
    WriteFileBytes(folder_.File("$" + name + ".dx$"), bytes);
  }
  // A screen run up to the entity section.
  void BeginScreen() {
    CadBegin(kCadScreen);
    CadSetLimits(0, 0, 160, 120, 0);
    CadBeginEntities();
    abortFlag = false;
  }
  // Lines drawn since the run began.
  static std::vector<std::vector<double>> Lines() { return RecordsWithCode(kRecordLine); }
  static bool ShownError(const testing::RecordingPlatform& p, const std::string& text) {
    for (const ShownMessage& m : p.Messages())
      if (m.text == text) return true;
    return false;
  }
};

void ExpectLine(const std::vector<double>& line, double x1, double y1, double x2, double y2) {
  ASSERT_EQ(line.size(), 4u);
  EXPECT_NEAR(line[0], x1, 1e-6);
  EXPECT_NEAR(line[1], y1, 1e-6);
  EXPECT_NEAR(line[2], x2, 1e-6);
  EXPECT_NEAR(line[3], y2, 1e-6);
}

const std::string kUnitLine =
    Dxf({{0, "LINE"}, {8, "0"}, {10, "0"}, {20, "0"}, {11, "1"}, {21, "0"}, {0, "EOF"}});

TEST_F(DxfReaderTest, BlockWithOnlyEofDrawsNothing) {
  Snippet("leer", Dxf({{0, "EOF"}}));
  BeginScreen();
  size_t records = graphicsWindow.displayList.size();
  CadInsert("leer", 0, 0, 0, 1, 1);
  EXPECT_EQ(graphicsWindow.displayList.size(), records);
  EXPECT_FALSE(abortFlag);
  EXPECT_EQ(MessageCount(), 0);
}

TEST_F(DxfReaderTest, InsertTransformRotatesScalesAndMoves) {
  Snippet("RAD1VA", kUnitLine);
  struct Case {
    Real x, y, angle, xs, ys;
    double x1, y1, x2, y2;
  };
  const Case cases[] = {
      {10, 0, 90, 1, 1, 10, 0, 10, 1},
      {0, 0, 0, 2, 1, 0, 0, 2, 0},
      {5, 5, 180, 3, 1, 5, 5, 2, 5},
      {0, 0, 30, 2, 2, 0, 0, 2 * std::cos(M_PI / 6), 2 * std::sin(M_PI / 6)},
  };
  for (const Case& c : cases) {
    BeginScreen();
    CadInsert("RAD1VA", c.x, c.y, c.angle, c.xs, c.ys);
    auto lines = Lines();
    ASSERT_EQ(lines.size(), 1u);
    ExpectLine(lines[0], c.x1, c.y1, c.x2, c.y2);
    EXPECT_EQ(cadState.transform, CadTransform{}) << "the transform is restored";
  }
}

TEST_F(DxfReaderTest, ArcSweepFollowsTheSignOfGroup230) {
  struct Case {
    std::string z;          // "" = no group 230
    double xs, ys, xe, ye;  // start and end point as the window records them
  };
  const double c10 = std::cos(10 * M_PI / 180), s10 = std::sin(10 * M_PI / 180);
  const Case cases[] = {
      {"", c10, -s10, c10, s10},  // +20°: counter-clockwise from 350° to 10°
      {"-1", c10, s10, c10, -s10},  // −340°: clockwise from 350° to 10°, drawn from 10° to 350°
  };
  for (const Case& c : cases) {
    std::string bytes = c.z.empty() ? Dxf({{0, "ARC"},
                                           {10, "0"},
                                           {20, "0"},
                                           {40, "1"},
                                           {50, "350"},
                                           {51, "10"},
                                           {0, "EOF"}})
                                    : Dxf({{0, "ARC"},
                                           {10, "0"},
                                           {20, "0"},
                                           {40, "1"},
                                           {50, "350"},
                                           {51, "10"},
                                           {230, c.z},
                                           {0, "EOF"}});
    Snippet("bogen", bytes);
    BeginScreen();
    CadInsert("bogen", 0, 0, 0, 1, 1);
    auto arcs = RecordsWithCode(kRecordArc);
    ASSERT_EQ(arcs.size(), 1u) << c.z;
    EXPECT_NEAR(arcs[0][4], c.xs, 1e-6);
    EXPECT_NEAR(arcs[0][5], c.ys, 1e-6);
    EXPECT_NEAR(arcs[0][6], c.xe, 1e-6);
    EXPECT_NEAR(arcs[0][7], c.ye, 1e-6);
  }
}

TEST_F(DxfReaderTest, ParsedArcSweeps) {
  struct Case {
    const char *start, *end, *z;
    double sweep;
  };
  const Case cases[] = {
      {"350", "10", nullptr, 20}, {"350", "10", "-1", -340},   {"0", "90", "1", 90},
      {"90", "0", nullptr, 270},  {"-90", "90", nullptr, 180}, {"45", "45", nullptr, 0},
  };
  for (const Case& c : cases) {
    std::string bytes = "  0\r\nARC\r\n 50\r\n" + std::string(c.start) + "\r\n 51\r\n" + c.end +
                        "\r\n" + (c.z ? std::string("230\r\n") + c.z + "\r\n" : "") +
                        "  0\r\nEOF\r\n";
    ParsedBlock block = ParseBlockFile(bytes);
    ASSERT_EQ(block.items.size(), 1u);
    EXPECT_EQ(block.items[0].kind, BlockItem::Kind::Arc);
    EXPECT_NEAR(static_cast<double>(block.items[0].v[5]), c.sweep, 1e-9) << c.start << " " << c.end;
  }
}

TEST_F(DxfReaderTest, NestedBlocksComposeScaleRotationAndTextAngle) {
  Snippet("aussen", Dxf({{0, "INSERT"},
                         {2, "innen"},
                         {10, "1"},
                         {20, "0"},
                         {41, "2"},
                         {42, "2"},
                         {50, "30"},
                         {0, "EOF"}}));
  Snippet("innen", Dxf({{0, "CIRCLE"},
                        {10, "0"},
                        {20, "0"},
                        {40, "1"},
                        {0, "TEXT"},
                        {1, "Z\xe4hne"},
                        {10, "0"},
                        {20, "0"},
                        {40, "2"},
                        {41, "0.5"},
                        {50, "15"},
                        {0, "EOF"}}));
  BeginScreen();
  CadInsert("aussen", 10, 10, 60, 3, 3);
  auto circles = RecordsWithCode(kRecordCircle);
  ASSERT_EQ(circles.size(), 1u);
  // (1, 0) of the outer block at 60° and scale 3 from (10, 10).
  EXPECT_NEAR(circles[0][0], 10 + 3 * std::cos(M_PI / 3), 1e-6);
  EXPECT_NEAR(circles[0][1], 10 + 3 * std::sin(M_PI / 3), 1e-6);
  EXPECT_NEAR(circles[0][2], 6, 1e-9) << "radius × 2 × 3";
  auto styles = RecordsWithCode(kRecordTextStyle);
  ASSERT_FALSE(styles.empty());
  const auto& style = styles.back();  // height; width; font; angle
  EXPECT_NEAR(style[0], 2 * 6, 1e-9);
  EXPECT_EQ(style[2], 2);
  EXPECT_NEAR(style[3], 60 + 30 + 15, 1e-9);
  const std::string& text = graphicsWindow.displayList.back();
  EXPECT_EQ(text.substr(text.rfind(';') + 1), "Zähne") << "code page 1252 read as such";
}

TEST_F(DxfReaderTest, LayerNamesSelectPens) {
  storedSettings.pens[5].layerName = "TEXT";
  struct Case {
    const char* layer;
    int pen;
  };
  const Case cases[] = {{"TEXT", 5}, {"17", 17}, {"XYZ", 0}, {"0", 0}, {"40", 24}};
  for (const Case& c : cases) {
    Snippet("pen", Dxf({{0, "CIRCLE"}, {8, c.layer}, {40, "1"}, {0, "EOF"}}));
    BeginScreen();
    CadSetPen(3);
    CadInsert("pen", 0, 0, 0, 1, 1);
    EXPECT_EQ(cadState.pen, c.pen) << c.layer << ": the last entity's pen stays current";
  }
}

TEST_F(DxfReaderTest, NestedInsertKeepsThePenOfItsLevel) {
  Snippet(
      "aussen",
      Dxf({{0, "LINE"}, {8, "2"}, {11, "1"}, {0, "INSERT"}, {8, "9"}, {2, "innen"}, {0, "EOF"}}));
  Snippet("innen", Dxf({{0, "LINE"}, {8, "4"}, {11, "1"}, {0, "EOF"}}));
  BeginScreen();
  CadInsert("aussen", 0, 0, 0, 1, 1);
  EXPECT_EQ(cadState.pen, 2);
}

TEST_F(DxfReaderTest, ClosedPolylineOfThreeVerticesDrawsThreeSegments) {
  Snippet("dreieck", Dxf({{0, "POLYLINE"},
                          {8, "0"},
                          {66, "1"},
                          {70, "1"},
                          {0, "VERTEX"},
                          {10, "0"},
                          {20, "0"},
                          {0, "VERTEX"},
                          {10, "4"},
                          {20, "0"},
                          {0, "VERTEX"},
                          {10, "0"},
                          {20, "3"},
                          {0, "SEQEND"},
                          {8, "0"},
                          {0, "EOF"}}));
  BeginScreen();
  CadInsert("dreieck", 0, 0, 0, 1, 1);
  auto lines = Lines();
  ASSERT_EQ(lines.size(), 3u);
  ExpectLine(lines[0], 0, 0, 4, 0);
  ExpectLine(lines[1], 4, 0, 0, 3);
  ExpectLine(lines[2], 0, 3, 0, 0);
}

TEST_F(DxfReaderTest, PolylineBulgesReplayAsArcs) {
  // (0,0) → (10,0) a half circle counter-clockwise (bulge 1) about (5, 0),
  // then straight back.
  Snippet("halb", Dxf({{0, "POLYLINE"},
                       {70, "1"},
                       {0, "VERTEX"},
                       {10, "0"},
                       {20, "0"},
                       {42, "1"},
                       {0, "VERTEX"},
                       {10, "10"},
                       {20, "0"},
                       {0, "SEQEND"},
                       {0, "EOF"}}));
  BeginScreen();
  CadInsert("halb", 100, 0, 0, 1, 1);
  auto arcs = RecordsWithCode(kRecordArc);
  ASSERT_EQ(arcs.size(), 1u);
  EXPECT_NEAR(arcs[0][0], 100, 1e-6);  // box of the circle about (105, 0), radius 5
  EXPECT_NEAR(arcs[0][2], 110, 1e-6);
  EXPECT_NEAR(arcs[0][4], 100, 1e-6);  // from (100, 0) …
  EXPECT_NEAR(arcs[0][6], 110, 1e-6);  // … counter-clockwise to (110, 0)
  EXPECT_NEAR(arcs[0][7], 0, 1e-6);
  auto lines = Lines();
  ASSERT_EQ(lines.size(), 1u);
  ExpectLine(lines[0], 110, 0, 100, 0);
}

TEST_F(DxfReaderTest, PolylineWithoutVertexIsReportedAndSkipped) {
  Snippet("kaputt", Dxf({{0, "POLYLINE"}, {70, "1"}, {0, "LINE"}, {11, "1"}, {0, "EOF"}}));
  BeginScreen();
  CadInsert("kaputt", 0, 0, 0, 1, 1);
  EXPECT_TRUE(ShownError(recorder_, "Error in DXF File"));
  EXPECT_EQ(Lines().size(), 1u) << "the entity after it is still drawn";
}

// An LWPOLYLINE as other CAD programs write it: subclass markers, layer
// before the polyline marker, count, closed flag, a bulge on one vertex.
const std::string kLwPolyline = Dxf({{0, "LWPOLYLINE"},
                                     {5, "2F"},
                                     {100, "AcDbEntity"},
                                     {8, "KONTUR"},
                                     {100, "AcDbPolyline"},
                                     {90, "3"},
                                     {70, "1"},
                                     {43, "0.0"},
                                     {10, "0.0"},
                                     {20, "0.0"},
                                     {10, "10.0"},
                                     {20, "0.0"},
                                     {42, "1.0"},
                                     {10, "10.0"},
                                     {20, "10.0"},
                                     {0, "LINE"},
                                     {11, "1"},
                                     {0, "EOF"}});

TEST_F(DxfReaderTest, LwPolylineIsReadBack) {
  storedSettings.pens[3].layerName = "KONTUR";
  Snippet("lw", kLwPolyline);
  BeginScreen();
  CadInsert("lw", 0, 0, 0, 1, 1);
  auto lines = Lines();
  auto arcs = RecordsWithCode(kRecordArc);
  // (0,0)-(10,0) straight, (10,0)-(10,10) a half circle about (10, 5),
  // the closing edge (10,10)-(0,0), then the LINE after the polyline.
  ASSERT_EQ(lines.size(), 3u);
  ExpectLine(lines[0], 0, 0, 10, 0);
  ExpectLine(lines[1], 10, 10, 0, 0);
  ExpectLine(lines[2], 0, 0, 1, 0);
  ASSERT_EQ(arcs.size(), 1u);
  EXPECT_NEAR(arcs[0][0], 5, 1e-6);  // box x1 = 10 − 5
  EXPECT_NEAR(arcs[0][1], 0, 1e-6);  // box y1 = 5 − 5
  EXPECT_EQ(MessageCount(), 0);
}

TEST_F(DxfReaderTest, LwPolylineWithoutSubclassMarkerStopsAtTheEnd) {
  Snippet("lw", Dxf({{0, "LWPOLYLINE"}, {10, "0"}, {20, "0"}, {10, "5"}, {20, "5"}}));
  BeginScreen();
  CadInsert("lw", 0, 0, 0, 1, 1);
  EXPECT_TRUE(Lines().empty());
  EXPECT_FALSE(abortFlag);
}

TEST_F(DxfReaderTest, TooManyLwPolylineVerticesAbort) {
  std::string bytes = "  0\r\nLWPOLYLINE\r\n100\r\nAcDbPolyline\r\n";
  for (int i = 0; i <= 100000; ++i) bytes += " 10\r\n" + std::to_string(i % 7) + "\r\n 20\r\n0\r\n";
  bytes += "  0\r\nEOF\r\n";
  Snippet("viel", bytes);
  BeginScreen();
  CadInsert("viel", 0, 0, 0, 1, 1);
  EXPECT_TRUE(abortFlag);
  EXPECT_TRUE(ShownError(recorder_, "Elements > 100000 !"));
  EXPECT_EQ(Lines().size(), 99999u) << "the segments up to the limit are drawn";
}

TEST_F(DxfReaderTest, UnknownEntityEndsTheFileWithAMessage) {
  Snippet("hatch", Dxf({{0, "LINE"}, {11, "1"}, {0, "HATCH"}, {0, "LINE"}, {11, "2"}, {0, "EOF"}}));
  BeginScreen();
  CadInsert("hatch", 0, 0, 0, 1, 1);
  EXPECT_EQ(Lines().size(), 1u);
  EXPECT_EQ(MessageText(1), "Fehler : DXF: HATCH");
}

TEST_F(DxfReaderTest, MissingBlockFileIsReported) {
  BeginScreen();
  CadInsert("fehlt", 0, 0, 0, 1, 1);
  EXPECT_TRUE(abortFlag);
  EXPECT_EQ(MessageText(1), "Invalid temp directory");
  abortFlag = false;
  CadInsert("../fehlt", 0, 0, 0, 1, 1);  // never a path outside the folders
  EXPECT_TRUE(abortFlag);
}

TEST_F(DxfReaderTest, NestingEndsAtLevelFour) {
  Snippet("b1", Dxf({{0, "LINE"}, {11, "1"}, {0, "INSERT"}, {2, "b2"}, {0, "EOF"}}));
  Snippet("b2", Dxf({{0, "LINE"}, {11, "2"}, {0, "INSERT"}, {2, "b3"}, {0, "EOF"}}));
  Snippet("b3", Dxf({{0, "LINE"}, {11, "3"}, {0, "INSERT"}, {2, "b4"}, {0, "EOF"}}));
  Snippet("b4", Dxf({{0, "LINE"}, {11, "4"}, {0, "EOF"}}));
  BeginScreen();
  CadInsert("b1", 0, 0, 0, 1, 1);
  EXPECT_FALSE(abortFlag);
  EXPECT_EQ(Lines().size(), 4u);

  Snippet("b4", Dxf({{0, "LINE"}, {11, "4"}, {0, "INSERT"}, {2, "b5"}, {0, "EOF"}}));
  Snippet("b5", Dxf({{0, "LINE"}, {11, "5"}, {0, "EOF"}}));
  BeginScreen();
  CadInsert("b1", 0, 0, 0, 1, 1);
  EXPECT_TRUE(abortFlag);
  EXPECT_TRUE(ShownError(recorder_, "error blockno.5"));
  EXPECT_EQ(Lines().size(), 4u);
  EXPECT_EQ(cadState.transform, CadTransform{});
}

TEST_F(DxfReaderTest, SelfInsertingBlockStopsWithTheNestingError) {
  Snippet("selbst", Dxf({{0, "INSERT"}, {2, "selbst"}, {0, "EOF"}}));
  BeginScreen();
  CadInsert("selbst", 0, 0, 0, 1, 1);
  EXPECT_TRUE(abortFlag);
  EXPECT_TRUE(ShownError(recorder_, "error blockno.5"));
}

// Every cut of a valid block file, and random garbage, is read without a
// crash and without drawing more than the whole file.
TEST_F(DxfReaderTest, TruncatedAndGarbageFilesNeverCrashOrHang) {
  const std::string whole = Dxf({{0, "LINE"},       {8, "1"},
                                 {10, "0"},         {20, "0"},
                                 {11, "1"},         {21, "0"},
                                 {0, "ARC"},        {40, "2"},
                                 {50, "0"},         {51, "90"},
                                 {0, "POLYLINE"},   {70, "1"},
                                 {0, "VERTEX"},     {10, "0"},
                                 {20, "0"},         {42, "0.5"},
                                 {0, "VERTEX"},     {10, "1"},
                                 {20, "1"},         {0, "SEQEND"},
                                 {0, "LWPOLYLINE"}, {100, "AcDbPolyline"},
                                 {10, "0"},         {20, "0"},
                                 {10, "3"},         {20, "4"},
                                 {0, "TEXT"},       {1, "abc"},
                                 {0, "INSERT"},     {2, "leer"},
                                 {0, "EOF"}});
  Snippet("leer", Dxf({{0, "EOF"}}));
  auto start = std::chrono::steady_clock::now();
  for (size_t cut = 0; cut <= whole.size(); ++cut) {
    Snippet("cut", whole.substr(0, cut));
    BeginScreen();
    CadInsert("cut", 0, 0, 0, 1, 1);
    EXPECT_LE(Lines().size(), 3u) << cut;
  }
  std::mt19937 random(606);
  for (int round = 0; round < 300; ++round) {
    std::string garbage(static_cast<size_t>(random() % 400), '\0');
    for (char& c : garbage) {
      // Mostly the characters of real files, so that the reader gets deep.
      const char alphabet[] = " 0123456789-.,\r\n\r\nLINEARCTXVOPYWSQDF\0\xff";
      c = random() % 4 == 0 ? static_cast<char>(random())
                            : alphabet[random() % (sizeof alphabet - 1)];
    }
    Snippet("garbage", garbage);
    BeginScreen();
    CadInsert("garbage", 0, 0, 0, 1, 1);
  }
  // Text that is no DXF at all: a code line that is not a number reads as
  // 0, so its value is taken as an unknown entity.
  ClearMessages();
  Snippet("text", "Unsinn\r\nxyz\r\nmehr\r\n");
  BeginScreen();
  CadInsert("text", 0, 0, 0, 1, 1);
  EXPECT_EQ(MessageText(1), "Fehler : DXF: xyz");
  Snippet("binary", std::string(100000, '\x01'));
  BeginScreen();
  CadInsert("binary", 0, 0, 0, 1, 1);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
}

TEST_F(DxfReaderTest, SameUnchangedFileIsParsedOncePerRun) {
  Snippet("RAD1VA", kUnitLine);
  BeginScreen();
  for (int i = 0; i < 1000; ++i) CadInsert("RAD1VA", i, 0, 0, 1, 1);
  EXPECT_EQ(Lines().size(), 1000u);
  EXPECT_EQ(BlockParseCount(), 1);
  // A changed file is read again at the next insert.
  Snippet("RAD1VA", Dxf({{0, "LINE"}, {11, "1"}, {0, "LINE"}, {11, "2"}, {0, "EOF"}}));
  CadInsert("RAD1VA", 0, 0, 0, 1, 1);
  EXPECT_EQ(BlockParseCount(), 2);
  EXPECT_EQ(Lines().size(), 1002u);
  // The next run starts with an empty cache.
  BeginScreen();
  CadInsert("RAD1VA", 0, 0, 0, 1, 1);
  EXPECT_EQ(BlockParseCount(), 1);
}

TEST_F(DxfReaderTest, ScreenRunKeepsItsBlocksInItsOwnFolderAndRemovesThem) {
  Snippet("logo_1", kUnitLine);  // the user's snippet
  CadBegin(kCadScreen);
  CadSetLimits(0, 0, 160, 120, 0);
  CadBeginBlocks();
  CadBeginBlock("RAD1VA");
  CadSetPen(3);
  CadCircle(0, 0, 2);
  CadPolyBegin(true);
  CadPolyVertex(0, 0, 0);
  CadPolyVertex(4, 0, 0);
  CadPolyVertex(4, 4, 0);
  CadPolyVertex(0, 0, 0);
  CadPolyEnd();
  CadEndBlock();
  CadEndSection();
  const std::string own = BlockFolder();
  ASSERT_FALSE(own.empty());
  EXPECT_EQ(own.rfind(folder_.path(), 0), 0u) << "inside the temporary folder";
  EXPECT_NE(own, folder_.path());
  EXPECT_TRUE(std::filesystem::exists(own + "$rad1va.dx$"));
  EXPECT_FALSE(std::filesystem::exists(folder_.File("$RAD1VA.dx$")));
  EXPECT_TRUE(RecordsWithCode(kRecordCircle).empty()) << "block bodies are not drawn";

  CadBeginEntities();
  CadInsert("rad1va", 10, 0, 0, 1, 1);  // names compare without regard to case
  CadInsert("RAD1VA", 20, 0, 0, 1, 1);
  CadInsertShifted("logo_1", 0, 0, 0, 1, 1);
  CadEndSection();
  CadEnd();
  EXPECT_FALSE(abortFlag);
  EXPECT_EQ(RecordsWithCode(kRecordCircle).size(), 2u);
  EXPECT_EQ(Lines().size(), 2u * 3u + 1u);
  EXPECT_FALSE(std::filesystem::exists(own + "$rad1va.dx$")) << "no block file remains";
  EXPECT_EQ(ReadFileBytes(folder_.File("$logo_1.dx$")), kUnitLine) << "snippets stay";
  RemoveBlockFolder();
  EXPECT_FALSE(std::filesystem::exists(own));
}

TEST_F(DxfReaderTest, LogoSnippetsAreInsertedAtTheStartOfTheEntities) {
  Snippet("LOGO_2", kUnitLine);
  CadBegin(kCadScreen);
  CadSetLimits(0, 0, 480, 360, 0);
  CadBeginEntities();
  auto lines = Lines();
  ASSERT_EQ(lines.size(), 1u);
  ExpectLine(lines[0], 0.91 * 480, 0.01 * 360, 0.91 * 480 + 1, 0.01 * 360);

  CadBegin(kCadScreen);
  CadSetLimits(0, 0, 480, 360, 0);
  CadSetLogoMode(2);
  CadBeginEntities();
  EXPECT_TRUE(Lines().empty());
}

}  // namespace
}  // namespace kv5
