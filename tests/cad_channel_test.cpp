#include "cad/cad_channel.h"

#include <cmath>
#include <filesystem>

#include "cad/block_files.h"
#include "cad/cad_settings.h"
#include "dialogs/file_checks.h"
#include "tests/cad_test_support.h"
#include "text/configuration.h"
#include "text/messages.h"
#include "text/numeric.h"

namespace kv5 {
namespace {

using testing::CadTest;
using testing::RecordsWithCode;

class CadChannelTest : public CadTest {
 protected:
  void BeginScreen() {
    CadBegin(kCadScreen);
    CadSetLimits(0, 0, 160, 120, 0);
    CadBeginEntities();
  }
  // Records of the display list after the last one with the code.
  static std::vector<std::string> RecordsAfter(size_t first) {
    return std::vector<std::string>(graphicsWindow.displayList.begin() + static_cast<long>(first),
                                    graphicsWindow.displayList.end());
  }
};

TEST_F(CadChannelTest, PensAboveThirtyOneAreFolded) {
  const std::pair<int, int> cases[] = {{40, 24}, {37, 21}, {31, 31}, {32, 16},
                                       {63, 31}, {0, 0},   {5, 5},   {-3, 0}};
  for (const auto& [given, used] : cases) {
    CadSetPen(given);
    EXPECT_EQ(cadState.pen, used) << given;
  }
}

TEST_F(CadChannelTest, LayerNameRule) {
  storedSettings.pens[1].layerName = "MITTE";
  storedSettings.pens[5].layerName = "";  // an empty configured name gives the number
  struct Case {
    int pen, mode;
    const char* layer;
  };
  const Case cases[] = {{0, 0, "0"},   {1, 0, "MITTE"}, {2, 0, "2"}, {5, 0, "5"},  {6, 0, "6"},
                        {19, 0, "19"}, {1, 1, "1"},     {0, 2, "0"}, {40, 0, "24"}};
  for (const Case& c : cases) {
    CadSetPenMode(c.mode);
    CadSetPen(c.pen);
    EXPECT_EQ(cadState.layer, c.layer) << c.pen << " mode " << c.mode;
  }
  CadSetPenMode(0);
  CadSetPen(1);
  CadSavePen();
  CadSetPen(7);
  CadRestorePen();
  EXPECT_EQ(cadState.pen, 1);
  EXPECT_EQ(cadState.layer, "MITTE");
}

TEST_F(CadChannelTest, TextStyleHeightZeroKeepsThePreviousStyle) {
  storedSettings.cadTextWidthFactor = 1.25L;
  storedSettings.cadTextObliqueAngle = 15;
  CadSetTextStyle(2, 0, 3.5L, 2.8L);
  const CadTextStyle before = cadState.text;
  EXPECT_NEAR(static_cast<double>(before.widthFactor), 1.25 * 2.8 / 3.5, 1e-12);
  EXPECT_EQ(before.obliqueAngle, 15);
  CadSetTextStyle(0, 30, 0, 5);
  EXPECT_EQ(cadState.text, before);
  CadSetTextStyle(1, 0, 5, 0);
  EXPECT_NEAR(static_cast<double>(cadState.text.widthFactor), 0.7 * 1.25, 1e-12);
  EXPECT_EQ(cadState.text.height, 5);
  EXPECT_EQ(cadState.text.font, 1);
}

TEST_F(CadChannelTest, TextAngleIsCorrectedForThePixelAspect) {
  // Square pixels: no correction on any screen shape.
  storedSettings.mainWindowWidth = 1920;
  storedSettings.mainWindowHeight = 1080;
  CadSetTextStyle(2, 45, 3.5L, 0);
  EXPECT_NEAR(static_cast<double>(cadState.text.angle), 45, 1e-9);
  // 1280 × 1024 pixels on a 4:3 display.
  displayAspect = 4.0L / 3;
  storedSettings.mainWindowWidth = 1280;
  storedSettings.mainWindowHeight = 1024;
  struct Case {
    Real angle;
    double expected;
  };
  const Case cases[] = {
      {45, std::atan2(1024 * std::sin(M_PI / 4), 960 * std::cos(M_PI / 4)) * 180 / M_PI},
      {3, 3},
      {90, 90},
      {4.4L, 4.4},  // rounds to 4: not corrected
      {85.4L, std::atan2(1024 * std::sin(85.4 * M_PI / 180), 960 * std::cos(85.4 * M_PI / 180)) *
                  180 / M_PI},
  };
  for (const Case& c : cases) {
    CadSetTextStyle(2, c.angle, 3.5L, 0);
    EXPECT_NEAR(static_cast<double>(cadState.text.angle), c.expected, 1e-9)
        << static_cast<double>(c.angle);
  }
  CadSetTextStyle(2, 45, 3.5L, 0);
  EXPECT_NEAR(static_cast<double>(cadState.text.angle), 46.85, 0.005);
  // A 4:3 screen changes nothing.
  storedSettings.mainWindowWidth = 1024;
  storedSettings.mainWindowHeight = 768;
  CadSetTextStyle(2, 45, 3.5L, 0);
  EXPECT_NEAR(static_cast<double>(cadState.text.angle), 45, 1e-9);
}

TEST_F(CadChannelTest, FitTextStyleShrinksTextsThatDoNotFit) {
  storedSettings.graphicsTextWidthFactor = 0.7L;        // needed = width × length
  CadFitTextStyle(2, "  Kettenrad  ", 0, 3.5L, 2, 20);  // 9 characters: 18 ≤ 20
  EXPECT_EQ(cadState.text.height, 3.5L);
  CadFitTextStyle(2, "Triebstockrad", 0, 3.5L, 2, 13);  // needs 26: g = 13 / 26 × 0.9
  EXPECT_NEAR(static_cast<double>(cadState.text.height), 3.5 * 0.45, 1e-12);
  EXPECT_NEAR(static_cast<double>(cadState.text.charWidth), 2 * 0.45, 1e-12);
  CadFitTextStyle(2, "Rad", 0, 3.5L, 2, 3);  // short texts shrink once more
  EXPECT_NEAR(static_cast<double>(cadState.text.height), 3.5 * 0.5 * 0.9 * 0.9, 1e-12);
}

TEST_F(CadChannelTest, TextLineMovesDownOneLinePerpendicularToTheText) {
  BeginScreen();
  CadSetTextStyle(2, 0, 2, 0);
  CadMoveTo(10, 50);
  CadTextLine("a");
  CadTextLine("b");
  EXPECT_NEAR(static_cast<double>(cadState.currentX), 10, 1e-12);
  EXPECT_NEAR(static_cast<double>(cadState.currentY), 50 - 2 * 3.2, 1e-12);
  CadSetTextStyle(2, 90, 2, 0);
  CadTextLine("c");
  EXPECT_NEAR(static_cast<double>(cadState.currentX), 10 + 3.2, 1e-12);
  auto texts = RecordsWithCode(kRecordText);
  ASSERT_GE(texts.size(), 3u);
  EXPECT_NEAR(texts[texts.size() - 2][1], 50 - 3.2, 1e-9);
}

TEST_F(CadChannelTest, ScreenPensSetLineStyleColourAndWidth) {
  storedSettings.pens[1].lineWidth = 2;
  storedSettings.pens[20].colour = 6;
  storedSettings.pens[20].lineWidth = 60;  // outside 2..50: width 1
  BeginScreen();
  struct Case {
    int pen;
    const char* style;
    const char* colour;  // nullptr: unchanged
    const char* width;   // nullptr: unchanged
  };
  const Case cases[] = {
      {1, "11;2", "8;14", "12;2"},    // DASHDOT, colour 2 → screen 14
      {2, "11;3", nullptr, "12;1"},   // DASHED, colour 2 again
      {4, "11;0", "8;10", "12;2"},    // colour 3 → screen 10, width 2
      {20, nullptr, "8;13", "12;1"},  // colour 6 → screen 13
  };
  for (const Case& c : cases) {
    size_t first = graphicsWindow.displayList.size();
    CadSetPen(c.pen);
    std::vector<std::string> records = RecordsAfter(first);
    auto has = [&](const char* r) {
      return std::find(records.begin(), records.end(), r) != records.end();
    };
    if (c.style) {
      EXPECT_TRUE(has(c.style)) << c.pen << " " << c.style;
    }
    if (c.colour) {
      EXPECT_TRUE(has(c.colour)) << c.pen << " " << c.colour;
    }
    if (c.width) {
      EXPECT_TRUE(has(c.width)) << c.pen << " " << c.width;
    }
  }
  // Erase mode: pen 0 draws in the background colour, others keep theirs.
  CadSetPenMode(2);
  size_t first = graphicsWindow.displayList.size();
  CadSetPen(0);
  std::vector<std::string> records = RecordsAfter(first);
  EXPECT_NE(std::find(records.begin(), records.end(), "8;0"), records.end());
}

TEST_F(CadChannelTest, ScreenPrimitivesReachTheDisplayList) {
  BeginScreen();
  CadSetOrigin(1, 2);
  CadArc(0, 0, 0, 3, 10);   // 3° sweep: a chord
  CadArc(0, 0, 0, 90, 10);  // an arc
  CadSolid(0, 0, 1, 0, 0, 1, 1, 1);
  CadDelay(40);
  auto solids = RecordsWithCode(kRecordSolid);
  ASSERT_EQ(solids.size(), 1u);
  // The window gets the corners in the order P1, P2, P4, P3.
  EXPECT_EQ(solids[0], (std::vector<double>{1, 2, 2, 2, 2, 3, 1, 3}));
  EXPECT_EQ(RecordsWithCode(kRecordArc).size(), 1u);
  EXPECT_EQ(RecordsWithCode(kRecordLine).size(), 1u);
  EXPECT_EQ(graphicsWindow.displayList.back(), "13;40");
}

TEST_F(CadChannelTest, FooterAndFrameOnScreen) {
  cadFrameAroundLimits = true;
  BeginScreen();
  auto lines = RecordsWithCode(kRecordLine);
  EXPECT_EQ(lines.size(), 4u) << "frame around the limits";
  const std::string& footer =
      *std::find_if(graphicsWindow.displayList.begin(), graphicsWindow.displayList.end(),
                    [](const std::string& r) { return r.rfind("6;", 0) == 0; });
  EXPECT_NE(footer.find(" - KELMARO KV5 V"), std::string::npos) << footer;
  EXPECT_NE(footer.find("test.kv5"), std::string::npos) << footer;
  cadDrawingFooter = false;
  BeginScreen();
  EXPECT_NE(std::find(graphicsWindow.displayList.begin(), graphicsWindow.displayList.end(),
                      "6;0.8;0.24;KELMARO KV5 V1.1"),
            graphicsWindow.displayList.end());
}

TEST_F(CadChannelTest, RoundPolygonIsOneClosedOutlineOfFillets) {
  cadPolylineArcsAsChords = false;
  BeginScreen();
  // A triangle across flats 20 (circumradius 20) with corners rounded by 2.
  CadRoundPolygon(3, 0, 0, 20, 2, 90);
  auto arcs = RecordsWithCode(kRecordArc);
  auto lines = RecordsWithCode(kRecordLine);
  ASSERT_EQ(arcs.size(), 4u) << "corner 1 is rounded twice and closes the outline";
  EXPECT_EQ(lines.size(), 3u);
  // (The display list keeps 8 significant digits.)
  for (const auto& arc : arcs) EXPECT_NEAR(arc[2] - arc[0], 4, 1e-5) << "radius 2";
  // Each edge joins the fillets of its two corners.
  const double tangent = 2 / std::tan(M_PI / 6);
  for (const auto& line : lines)
    EXPECT_NEAR(Hypot(line[2] - line[0], line[3] - line[1]), 20 * std::sqrt(3.0) - 2 * tangent,
                1e-5);
}

TEST_F(CadChannelTest, EndBlockClearsAnInterruptionButEndsTheBlock) {
  confirmOverwrite = false;
  AnswerSaveDialog(folder_.File("b.dxf"));
  CadBegin(kCadDxf);
  CadBeginBlocks();
  CadBeginBlock("tab1");
  abortFlag = true;  // e.g. a cancelled question inside the block
  CadEndBlock();
  EXPECT_FALSE(abortFlag);
  CadEndSection();
  CadEnd();
  std::vector<std::string> lines = Lines("b.dxf");
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "BLOCK"), 1);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "ENDBLK"), 1);

  // A block begun while the flag is set is skipped altogether.
  AnswerSaveDialog(folder_.File("b.dxf"));
  CadBegin(kCadDxf);
  CadBeginBlocks();
  abortFlag = true;
  CadBeginBlock("tab2");
  CadEndBlock();
  EXPECT_FALSE(abortFlag);
  CadEndSection();
  CadEnd();
  lines = Lines("b.dxf");
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "BLOCK"), 0);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "ENDBLK"), 0);
}

TEST_F(CadChannelTest, BeginResetsTheRunStateOnly) {
  BeginScreen();
  CadSetOrigin(5, 5);
  CadSetLogoMode(3);
  CadSetPenMode(2);
  CadSetPen(4);
  CadSetTextStyle(2, 0, 7, 0);
  CadBeginBlocks();
  CadBegin(kCadScreen);
  EXPECT_EQ(cadState.originX, 0);
  EXPECT_EQ(cadState.logoMode, 0);
  EXPECT_EQ(cadState.penMode, 0);
  EXPECT_FALSE(cadState.definingBlocks);
  EXPECT_EQ(cadState.pen, 4) << "the pen persists between runs";
  EXPECT_EQ(cadState.text.height, 7) << "and so does the text style";
}

TEST_F(CadChannelTest, ContourListingWritesPolylinesAndZOnly) {
  AnswerSaveDialog(folder_.File("kontur.txt"));
  CadBegin(kCadContourList);
  ASSERT_FALSE(abortFlag);
  CadSetLimits(0, 0, 100, 100, 8);
  CadBeginEntities();
  CadSetOrigin(50, 50);
  CadLine(0, 0, 1, 1);
  CadCircle(0, 0, 5);
  CadText("x", 0, 0);
  CadSetZThickness(2, 3);
  CadPolyBegin(true);
  CadPolyVertex(1.5L, 0, 0);
  CadPolyVertex(0, 2, kPi / 2);
  CadPolyEnd();
  CadEndSection();
  CadEnd();
  EXPECT_EQ(
      Lines("kontur.pas"),
      (std::vector<std::string>{"  c_setz(0,8);", "  c_setzb(2,3);", "  c_polyline_begin(1);",
                                "  c_poly(1.5,0,0);", "  c_poly(0,2,1.57);", "  c_polyline_end;"}));
  EXPECT_EQ(cadState.zTop, 5);
}

TEST_F(CadChannelTest, KindsWithoutBackEndDoNothing) {
  for (CadKind kind : {CadKind{8}, CadKind{9}, CadKind{10}}) {
    CadBegin(kind);
    EXPECT_FALSE(abortFlag);
    CadSetDefaultLimits();
    CadTables(0);
    CadBeginBlocks();
    CadBeginBlock("x");
    CadLine(0, 0, 1, 1);
    CadEndBlock();
    CadEndSection();
    CadBeginEntities();
    CadInsert("x", 0, 0, 0, 1, 1);
    EXPECT_TRUE(CadPassDone());
    CadEnd();
    EXPECT_FALSE(abortFlag);
  }
  EXPECT_TRUE(std::filesystem::is_empty(folder_.path()));
  EXPECT_TRUE(recorder_.Messages().empty());
}

TEST_F(CadChannelTest, AnUnfinishedRunLeavesNoFileBehind) {
  AnswerSaveDialog(folder_.File("halb.dxf"));
  CadBegin(kCadDxf);
  CadSetDefaultLimits();
  CadBeginEntities();
  CadLine(0, 0, 1, 1);
  // The drawing code returned without CadEnd; the next run begins.
  CadBegin(kCadScreen);
  EXPECT_FALSE(std::filesystem::exists(folder_.File("halb.dxf")));
  int entries = 0;
  for (const auto& e : std::filesystem::directory_iterator(folder_.path()))
    if (e.path().filename().string().rfind("kv5blocks.", 0) != 0) ++entries;
  EXPECT_EQ(entries, 0);
}

}  // namespace
}  // namespace kv5
