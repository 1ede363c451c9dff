#include "graphics/help_picture.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "graphics/graphics_window.h"
#include "graphics/hpgl_reader.h"
#include "model/drive_model.h"
#include "tests/test_support.h"

namespace kv5 {
namespace {

using HelpPictureTest = testing::ProgramTest;

// The records a picture adds to a cleared window.
DisplayList Plot(const std::string& bytes) {
  GrClear();
  PlotHelpPictureBytes(bytes);
  return graphicsWindow.displayList;
}

std::vector<std::string> Split(const std::string& record) {
  std::vector<std::string> fields;
  size_t start = 0;
  for (;;) {
    size_t end = record.find(';', start);
    fields.push_back(record.substr(start, end - start));
    if (end == std::string::npos) return fields;
    start = end + 1;
  }
}

// The numbers of a record after its code (a text record: x and y only).
std::vector<double> Numbers(const std::string& record) {
  std::vector<std::string> fields = Split(record);
  std::vector<double> numbers;
  const size_t count = fields[0] == "6" ? 3 : fields.size();
  for (size_t i = 1; i < count; ++i) numbers.push_back(std::strtod(fields[i].c_str(), nullptr));
  return numbers;
}

int Code(const std::string& record) {
  return std::atoi(record.c_str());
}

std::vector<std::string> RecordsOf(const DisplayList& list, int code) {
  std::vector<std::string> found;
  for (const std::string& r : list)
    if (Code(r) == code) found.push_back(r);
  return found;
}

void ExpectNumbers(const std::string& record, const std::vector<double>& expected) {
  const std::vector<double> actual = Numbers(record);
  ASSERT_EQ(actual.size(), expected.size()) << record;
  for (size_t i = 0; i < expected.size(); ++i)
    // Records keep 8 significant digits.
    EXPECT_NEAR(actual[i], expected[i], std::max(1e-5, 1e-7 * std::fabs(expected[i])))
        << record << " field " << i + 1;
}

void ExpectWithinLimits(const DisplayList& list) {
  for (const std::string& record : list)
    for (double v : Numbers(record)) {
      EXPECT_TRUE(std::isfinite(v)) << record;
      EXPECT_LE(std::fabs(v), static_cast<double>(kHelpPictureRecordLimit)) << record;
    }
}

TEST_F(HelpPictureTest, PenUpDownAndAbsoluteMovesInPlotterUnits) {
  const DisplayList list = Plot("SP1;PU400,800;PD800,800,800,1200;PU0,0;PA40,40;");
  EXPECT_EQ(list, (DisplayList{"8;12", "4;10;20;20;20", "4;20;20;20;30"}));
  // Pen up without parameters only lifts the pen; the position stays.
  const DisplayList lifted = Plot("SP1;PU400,400;PD;PU;PA800,800;PD;PA800,400;");
  EXPECT_EQ(lifted, (DisplayList{"8;12", "4;20;20;20;10"}));
}

TEST_F(HelpPictureTest, FirstLineOfAPictureStartsAtMinus999) {
  helpPictureState.penDown = true;
  EXPECT_EQ(Plot("SP1;PA40,40;"), (DisplayList{"8;12", "4;-999;-999;1;1"}));
}

TEST_F(HelpPictureTest, LoneCoordinateAndLettersPAInsideParameters) {
  // A first parameter closed by ";" ends PA without a move; "P" and "A"
  // inside coordinates are left out.
  EXPECT_EQ(Plot("SP1;PU0,0;PD40;PA40,PA80;"), (DisplayList{"8;12", "4;0;0;1;2"}));
}

TEST_F(HelpPictureTest, PenColours) {
  const struct {
    const char* command;
    int colour;
  } cases[] = {{"SP;", 12}, {"SP1;", 12}, {"SP2;", 14}, {"SP3;", 10}, {"SP4;", 11},
               {"SP5;", 9}, {"SP6;", 13}, {"SP7;", 15}, {"SP8;", 8},  {"SP16;", 16}};
  for (const auto& c : cases) {
    const DisplayList list = Plot(std::string(c.command) + "PU0,0;PD40,0;");
    ASSERT_EQ(list.size(), 2u) << c.command;
    EXPECT_EQ(list[0], "8;" + std::to_string(c.colour)) << c.command;
  }
  EXPECT_EQ(HelpPenColour(0), 0);
  EXPECT_EQ(HelpPenColour(44), 44);
}

TEST_F(HelpPictureTest, CircleAtThePositionWhichStays) {
  const DisplayList list = Plot("SP2;PU400,200;CI120;PD;PA800,200;");
  EXPECT_EQ(list, (DisplayList{"8;14", "3;10;5;3", "4;10;5;20;5"}));
}

TEST_F(HelpPictureTest, LabelWithSizeDirectionAndEtx) {
  const DisplayList list = Plot("SP3;PU400,800;SI0.2,0.3;DI0,1;LBHal\r\nlo\x03;PD;PA400,1200;");
  ASSERT_EQ(list.size(), 4u);
  EXPECT_EQ(list[0], "8;10");
  ExpectNumbers(list[1], {3, 2, 2, 90});  // height 10·0.3, width 10·0.2, font 2, 90°
  EXPECT_EQ(list[2], "6;10;20;Hallo");
  EXPECT_EQ(list[3], "4;10;20;10;30");  // the label leaves the position
}

TEST_F(HelpPictureTest, CharacterSet3Umlauts) {
  EXPECT_EQ(RecordsOf(Plot("CS3;LBGro}sse A}U}u}a}O}l}\x03"), kRecordText).at(0),
            "6;-999;-999;Grösse ÄÜüäÖl");
  // A "}" at the start has no letter before it; set 1 keeps it.
  EXPECT_EQ(RecordsOf(Plot("CS3;LB}x\x03"), kRecordText).at(0), "6;-999;-999;x");
  EXPECT_EQ(RecordsOf(Plot("CS1;LBGro}sse\x03"), kRecordText).at(0), "6;-999;-999;Gro}sse");
}

TEST_F(HelpPictureTest, LabelTextsInCodePage850) {
  EXPECT_EQ(RecordsOf(Plot("LBMa\xE1 \xF8\x03"), kRecordText).at(0), "6;-999;-999;Maß °");
}

TEST_F(HelpPictureTest, OverlongLabelIsCutAndItsRestIsNoCommand) {
  const std::string text(300, 'x');
  const DisplayList list = Plot("SP1;PU0,0;PD;LB" + text + "PA400,400;" + "\x03PA40,0;");
  const std::vector<std::string> texts = RecordsOf(list, kRecordText);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0], "6;0;0;" + std::string(HpglReader::kMaxLabel, 'x'));
  EXPECT_EQ(RecordsOf(list, kRecordLine), (std::vector<std::string>{"4;0;0;1;0"}));
}

TEST_F(HelpPictureTest, FullArcIsACircleAndLeavesThePositionAtTheCentre) {
  const DisplayList list = Plot("SP1;PU400,0;PD;AA0,0,360;PA400,400;");
  const std::vector<std::string> arcs = RecordsOf(list, kRecordArc);
  ASSERT_EQ(arcs.size(), 1u);
  // Box of the circle; start and end point on the same ray.
  ExpectNumbers(arcs[0], {-10, -10, 10, 10, 10, 0, 10, 0});
  EXPECT_EQ(RecordsOf(list, kRecordLine), (std::vector<std::string>{"4;0;0;10;10"}));
}

TEST_F(HelpPictureTest, ArcSweeps) {
  const double c3 = 10 * std::cos(3 * M_PI / 180), s3 = 10 * std::sin(3 * M_PI / 180);
  // Below 4° the arc is its chord.
  const DisplayList small = Plot("SP1;PU400,0;PD;AA0,0,3;");
  ASSERT_EQ(RecordsOf(small, kRecordLine).size(), 1u);
  ExpectNumbers(RecordsOf(small, kRecordLine)[0], {10, 0, c3, s3});
  // A positive quarter: counter-clockwise from (10, 0) to (0, 10).
  ExpectNumbers(RecordsOf(Plot("SP1;PU400,0;PD;AA0,0,90;"), kRecordArc).at(0),
                {-10, -10, 10, 10, 10, 0, 0, 10});
  // A negative quarter runs clockwise to (0, −10): recorded counter-clockwise
  // from (0, −10) to (10, 0).
  ExpectNumbers(RecordsOf(Plot("SP1;PU400,0;PD;AA0,0,-90;"), kRecordArc).at(0),
                {-10, -10, 10, 10, 0, -10, 10, 0});
  // With the pen up nothing is drawn, but the position moves to the centre.
  EXPECT_EQ(Plot("SP1;PU400,0;AA80,80,90;PD;PA80,40;"), (DisplayList{"8;12", "4;2;2;2;1"}));
}

TEST_F(HelpPictureTest, EncodedPolyline8Bit) {
  // "<=" then x = 10 mm (s = 800 = 32 + 12·64: '_' then 191 + 12) and
  // y = 5 mm (s = 400 = 16 + 6·64: 'O' then 191 + 6), moved to with the pen
  // up; then relative +2 mm (s = 160: '_', 191 + 2) and −1 mm (s = 81, odd:
  // 'P', 191 + 1).
  const std::string pe = "PE<=_\xCBO\xC5_\xC1P\xC0;";
  EXPECT_EQ(Plot("SP1;" + pe), (DisplayList{"8;12", "4;10;5;12;4"}));
  // One-character numbers: 191 + 4 is s = 4, 0.05 mm; 191 + 5 is odd,
  // −0.05 mm.
  EXPECT_EQ(Plot("SP1;PU0,0;PE\xC3\xC4;"), (DisplayList{"8;12", "4;0;0;0.05;-0.05"}));
  // ":" selects the pen by the byte after it (limited to 1 … 15).
  EXPECT_EQ(Plot("SP1;PU0,0;PE:\x02\xC3\xC3;"), (DisplayList{"8;14", "4;0;0;0.05;0.05"}));
  EXPECT_EQ(helpPictureState.pen, 2);
  Plot("PE:\x7F;");
  EXPECT_EQ(helpPictureState.pen, 15);
}

TEST_F(HelpPictureTest, EncodedPolyline7BitAndIgnoredCharacter) {
  // 7-bit: x = 10 mm (s = 800 = 0 + 25·32: '?' then 95 + 25 = 'x'),
  // y = 5 mm (s = 400 = 16 + 12·32: 'O', 'k'); then +1 mm, +1 mm (s = 80 =
  // 16 + 2·32: 'O', 'a'). ">" skips the character after it.
  EXPECT_EQ(Plot("SP1;PE7<=?xOk>zOaOa;"), (DisplayList{"8;12", "4;10;5;11;6"}));
}

TEST_F(HelpPictureTest, UnknownCommandsAreSkippedToTheirSemicolon) {
  EXPECT_EQ(Plot("IN;IP0,0,4000,4000;XX1,2,PD3;\x1b.(;RO90;SP1;PU0,0;PD40,40;"),
            (DisplayList{"8;12", "4;0;0;1;1"}));
  // Extra parameters of known commands are skipped as well.
  EXPECT_EQ(Plot("SP1,9;PU0,0;CI40,5;PD40,0;"), (DisplayList{"8;12", "3;0;0;1", "4;0;0;1;0"}));
}

TEST_F(HelpPictureTest, TruncatedFilesDropTheUnfinishedCommand) {
  const struct {
    const char* bytes;
    size_t lines;
  } cases[] = {
      {"SP1;PU0,0;PD40,40;PD80,8", 1},
      {"SP1;PU0,0;PD40,40;PE<=_", 1},
      {"SP1;PU0,0;PD40,40;AA0,0", 1},
      {"SP1;PU0,0;PD40,40;", 1},  // the closing ";" as the last byte still counts
      {"SP1;PU0,0;PD40,40,80,80", 1},
      {"S", 0},
      {"", 0},
  };
  for (const auto& c : cases) {
    const DisplayList list = Plot(c.bytes);
    EXPECT_EQ(RecordsOf(list, kRecordLine).size(), c.lines) << c.bytes;
    EXPECT_FALSE(abortFlag) << c.bytes;
  }
}

TEST_F(HelpPictureTest, HugeCoordinatesAreClamped) {
  const DisplayList list = Plot(
      "SP1;PU0,0;PD1e308,-1e308;CI1e308;PA nan,inf;SI1e30,1e30;LBx\x03"
      "PU0,0;PD;AA1e300,0,1e300;PE=" +
      std::string(40, '~') + "\xFE\xC0;");
  ASSERT_FALSE(list.empty());
  ExpectWithinLimits(list);
  EXPECT_EQ(RecordsOf(list, kRecordLine).at(0), "4;0;0;10000;-10000");
  EXPECT_EQ(RecordsOf(list, kRecordCircle).at(0), "3;10000;-10000;10000");
  EXPECT_EQ(helpPictureState.charHeight, kHelpPictureSizeLimit);
}

// Inputs the fuzzer found, kept as files of tests/data/help_pictures.
TEST_F(HelpPictureTest, FuzzerFindingsStayWithinTheLimits) {
  // An arc about one clamped corner from the opposite corner: its circle
  // reaches past the coordinate limit (radius up to the diagonal).
  const DisplayList arc = Plot(testing::ReadFileBytes(std::string(KV5_TEST_DATA_DIR) +
                                                      "/help_pictures/arc_across_the_limits.plt"));
  EXPECT_FALSE(RecordsOf(arc, kRecordArc).empty());
  ExpectWithinLimits(arc);
  const DisplayList corner = Plot("SP1;PU1e308,1e308;PD;AA-1e308,-1e308,90;");
  ExpectNumbers(RecordsOf(corner, kRecordArc).at(0),
                {-10000 - 20000 * M_SQRT2, -10000 - 20000 * M_SQRT2, -10000 + 20000 * M_SQRT2,
                 -10000 + 20000 * M_SQRT2, 10000, 10000, -30000, 10000});
  ExpectWithinLimits(corner);
}

TEST_F(HelpPictureTest, GarbageEndsWithoutHarm) {
  std::string garbage;
  unsigned seed = 12345;
  for (int i = 0; i < 20000; ++i) {
    seed = seed * 1103515245u + 12345u;
    garbage += static_cast<char>((seed >> 16) & 0xFF);
  }
  const DisplayList list = Plot(garbage);
  for (const std::string& record : list)
    for (double v : Numbers(record)) EXPECT_TRUE(std::isfinite(v)) << record;
  EXPECT_FALSE(abortFlag);
  EXPECT_TRUE(platform_.Messages().empty());
}

TEST_F(HelpPictureTest, StateCarriesOverButThePositionStartsAgain) {
  Plot("SP5;SI0.1,0.2;DI1,1;CS3;PU400,400;");
  EXPECT_EQ(helpPictureState.x, 10);
  const DisplayList list = Plot("LBo}\x03");
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[0], "8;9");
  ExpectNumbers(list[1], {2, 1, 2, 45});
  EXPECT_EQ(list[2], "6;-999;-999;ö");
  InitHelpPicture();
  EXPECT_EQ(helpPictureState.charHeight, 5);
  EXPECT_EQ(helpPictureState.pen, 0);
  EXPECT_EQ(helpPictureState.characterSet, 1);
}

TEST_F(HelpPictureTest, MissingFileIsReported) {
  testing::TempFolder folder;
  GrClear();
  PlotHelpPicture(folder.File("fehlt.plt"));
  ASSERT_EQ(platform_.Messages().size(), 1u);
  EXPECT_EQ(platform_.Messages()[0].text, folder.File("fehlt.plt") + " nicht gefunden !");
  EXPECT_TRUE(graphicsWindow.displayList.empty());

  EXPECT_TRUE(abortFlag);  // the callers clear it
  abortFlag = false;
  testing::WriteFileBytes(folder.File("da.plt"), "SP1;PU0,0;PD40,0;");
  PlotHelpPicture(folder.File("da.plt"));
  EXPECT_EQ(graphicsWindow.displayList, (DisplayList{"8;12", "4;0;0;1;0"}));
  EXPECT_FALSE(abortFlag);
}

}  // namespace
}  // namespace kv5
