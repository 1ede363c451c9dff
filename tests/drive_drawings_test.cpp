// The drawing list: which blocks each drawing defines, where they are
// inserted, the drawing limits, the questions of the menu and the CAD batch
// runs. The drawings are written as plot files, whose records show blocks,
// inserts and limits as they are.
#include "graphics/drive_drawings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "app/core/startup.h"
#include "cad/cad_channel.h"
#include "cad/cad_settings.h"
#include "dialogs/file_checks.h"
#include "graphics/graphics_window.h"
#include "model/drive_model.h"
#include "model/project_file.h"
#include "tests/cad_test_support.h"
#include "text/configuration.h"
#include "text/messages.h"
#include "text/number_format.h"

namespace kv5 {
namespace {

using testing::SplitFields;

const std::string kProjects = std::string(KV5_TEST_DATA_DIR) + "/projects/";

struct Insert {
  std::string name;
  double x = 0, y = 0, angle = 0, xscale = 1, yscale = 1;
};

// The parts of a plot file that the drawing list decides.
struct PlotDrawing {
  std::vector<double> limits;
  std::vector<std::string> blocks;
  std::vector<Insert> entityInserts;
  std::vector<Insert> blockInserts;  // inserts inside block bodies
  int entityRecords = 0;
};

class DriveDrawingsTest : public testing::CadTest {
 protected:
  void SetUp() override {
    CadTest::SetUp();
    storedSettings.cadDecimals = 6;
    confirmOverwrite = false;
  }
  void Load(const std::string& project) {
    ASSERT_TRUE(ReadProjectFile(kProjects + project)) << project;
    ASSERT_FALSE(calcFailed);
    abortFlag = false;
  }
  // Draws `item` into a plot file and reads it back. The bearing plate
  // (item 11) first asks for the play and the centre distance: both keep
  // their proposals (no play, the drive's centre distance).
  PlotDrawing Draw(int item) {
    recorder_.ClearAnswers();
    if (item == kDrawBearingPlate) {
      recorder_.QueueAnswer(std::string("0"));
      recorder_.QueueAnswer(FormatRecordReal(model.a));
    }
    AnswerSaveDialog(folder_.File("drawing.txt"));
    EXPECT_FALSE(DrawDriveMenu(item, kCadPlotFile));
    return Parse(Lines("drawing.txt"));
  }
  static PlotDrawing Parse(const std::vector<std::string>& lines) {
    PlotDrawing d;
    bool entities = false;
    for (const std::string& line : lines) {
      std::vector<std::string> f = SplitFields(line, '\t');
      if (f.empty()) continue;
      if (f[0] == "MINMAX") {
        for (size_t i = 1; i < f.size(); ++i) d.limits.push_back(ParseNumber(f[i]));
      } else if (f[0] == "BLOCK" && f.size() > 1) {
        d.blocks.push_back(f[1]);
      } else if (f[0] == "SECTION ENTITIES" || line == "SECTION ENTITIES") {
        entities = true;
      } else if (f[0] == "INSERT" && f.size() >= 7) {
        Insert in{f[1],
                  static_cast<double>(ParseNumber(f[2])),
                  static_cast<double>(ParseNumber(f[3])),
                  static_cast<double>(ParseNumber(f[4])),
                  static_cast<double>(ParseNumber(f[5])),
                  static_cast<double>(ParseNumber(f[6]))};
        (entities ? d.entityInserts : d.blockInserts).push_back(in);
      }
      if (entities && f[0] != "SECTION ENTITIES" && f[0] != "EOF") ++d.entityRecords;
    }
    return d;
  }
  static void ExpectLimits(const std::vector<double>& limits, std::vector<double> expected,
                           int item) {
    ASSERT_EQ(limits.size(), 4u) << "item " << item;
    for (size_t i = 0; i < 4; ++i) EXPECT_NEAR(limits[i], expected[i], 1e-5) << "item " << item;
  }
  static int Count(const std::vector<Insert>& inserts, const std::string& name) {
    return static_cast<int>(std::count_if(inserts.begin(), inserts.end(),
                                          [&](const Insert& i) { return i.name == name; }));
  }
};

// The blocks every drawing defines, in their order.
TEST_F(DriveDrawingsTest, EachItemDefinesItsBlocksInOrder) {
  Load("rack_iso_bore.kv5");
  struct Case {
    int item;
    std::vector<std::string> blocks;
  };
  const std::vector<Case> cases = {
      {1, {"TOOTH1", "RAD1VA", "RAD2VA"}},
      {2, {"TOOTH1"}},
      {3, {}},
      {4, {}},
      {5, {}},
      {6, {"TOOTH1", "RAD1VA", "RAD1SA", "FRAME_1"}},
      {7, {"RAD2VA", "RAD2SA", "FRAME_1"}},
      {8, {"TOOTH1", "RAD1VA", "RAD1SA", "RAD2VA", "RAD2SA", "FRAME_1", "FRAME_2"}},
      {9, {}},
      {10, {"TOOTH1", "RAD1VA", "RAD1SA", "RAD2VA", "RAD2SA", "CHDRIVE", "tab1", "tab2", "quick"}},
      {11, {}},
      {12, {}},
      {13, {}},
  };
  for (const Case& c : cases) {
    PlotDrawing d = Draw(c.item);
    EXPECT_EQ(d.blocks, c.blocks) << "item " << c.item;
    EXPECT_GT(d.entityRecords, 0) << "item " << c.item;
  }
}

TEST_F(DriveDrawingsTest, LimitsFollowTheItemAndTheKindOfWheel2) {
  Load("rack_iso_bore.kv5");
  const double da1 = static_cast<double>(model.daMax[1]);
  const double p = static_cast<double>(model.chain.p);
  const double z2 = model.z2;
  ExpectLimits(Draw(1).limits, {-0.6 * da1, -0.6 * da1, 0.6 * da1, 0.8 * da1}, 1);
  std::vector<double> rack = Draw(3).limits;
  ASSERT_EQ(rack.size(), 4u);
  EXPECT_NEAR(rack[0], -2 * p, 1e-6);
  EXPECT_NEAR(rack[3], 0.55 * p * z2, 1e-6);
  ExpectLimits(Draw(6).limits, {-5, -5, 215, 307}, 6);
  // Item 8: one A3 sheet for the two A4 frames side by side.
  ExpectLimits(Draw(8).limits, {-5, -5, 432, 310}, 8);

  Load("pinwheel_iso_bores.kv5");
  const double a = static_cast<double>(model.a);
  const double da2 = static_cast<double>(model.daMax[2]);
  const double big = std::max(static_cast<double>(model.daMax[1]), da2);
  std::vector<double> drive = Draw(1).limits;
  ASSERT_EQ(drive.size(), 4u);
  EXPECT_NEAR(drive[0], -0.6 * model.daMax[1], 1e-6);
  EXPECT_NEAR(drive[1], -0.6 * big, 1e-6);
  EXPECT_NEAR(drive[2], a + 0.6 * da2, 1e-6);
  EXPECT_NEAR(drive[3], 0.6 * big, 1e-6);
  std::vector<double> plate = Draw(11).limits;
  const double r = std::max(model.dB[1], model.dB[2]) / 2 + model.s;
  ASSERT_EQ(plate.size(), 4u);
  EXPECT_NEAR(plate[0], -r, 1e-6);
  EXPECT_NEAR(plate[2], std::fabs(a) + r, 1e-6);
}

TEST_F(DriveDrawingsTest, AssemblyTurnsARackDriveButNotAPinWheelDrive) {
  Load("rack_iso_bore.kv5");
  PlotDrawing rack = Draw(1);
  ASSERT_EQ(rack.entityInserts.size(), 2u);
  EXPECT_EQ(rack.entityInserts[0].name, "RAD1VA");
  EXPECT_EQ(rack.entityInserts[0].angle, 90);
  EXPECT_EQ(rack.entityInserts[1].name, "RAD2VA");
  EXPECT_EQ(rack.entityInserts[1].angle, 90);
  EXPECT_NEAR(rack.entityInserts[1].y, model.d[1] / 2, 1e-6);

  Load("pinwheel_iso_bores.kv5");
  PlotDrawing wheel = Draw(1);
  ASSERT_EQ(wheel.entityInserts.size(), 2u);
  EXPECT_EQ(wheel.entityInserts[1].name, "RAD2VA");
  EXPECT_EQ(wheel.entityInserts[1].angle, 0);
  EXPECT_NEAR(wheel.entityInserts[1].x, model.a, 1e-6);
  EXPECT_EQ(wheel.entityInserts[1].y, 0);
}

TEST_F(DriveDrawingsTest, BothProductionDrawingsShareOneSheet) {
  Load("pinwheel_iso_bores.kv5");
  PlotDrawing d = Draw(8);
  const double k1 = 100 / static_cast<double>(model.daMax[1]);
  const double k2 = 120 / static_cast<double>(model.daMax[2]);
  struct Expected {
    const char* name;
    double x, y, angle, scale;
  };
  const Expected expected[] = {{"FRAME_1", 0, 0, 0, 1},       {"FRAME_2", 220, 0, 0, 1},
                               {"RAD1VA", 80, 225, 0, k1},    {"RAD1SA", 170, 225, 0, k1},
                               {"RAD2VA", 300, 200, 180, k2}, {"RAD2SA", 390, 200, 0, k2}};
  ASSERT_EQ(d.entityInserts.size(), std::size(expected));
  for (size_t i = 0; i < std::size(expected); ++i) {
    const Insert& in = d.entityInserts[i];
    EXPECT_EQ(in.name, expected[i].name);
    EXPECT_NEAR(in.x, expected[i].x, 1e-6) << in.name;
    EXPECT_NEAR(in.y, expected[i].y, 1e-6) << in.name;
    EXPECT_NEAR(in.angle, expected[i].angle, 1e-9) << in.name;
    EXPECT_NEAR(in.xscale, expected[i].scale, 1e-6) << in.name;
    EXPECT_NEAR(in.yscale, expected[i].scale, 1e-6) << in.name;
  }
  // The rack of a rack drive is scaled to 150 mm of sheet.
  Load("rack_iso_bore.kv5");
  PlotDrawing rack = Draw(7);
  ASSERT_GE(rack.entityInserts.size(), 2u);
  EXPECT_EQ(rack.entityInserts[1].name, "RAD2VA");
  EXPECT_NEAR(rack.entityInserts[1].xscale, 150 / model.rackLength, 1e-6);
  EXPECT_NEAR(rack.entityInserts[1].x, 80, 1e-6);
}

TEST_F(DriveDrawingsTest, Quick3ScalesTheAssemblyToTheSheet) {
  Load("pinwheel_iso_bores.kv5");
  // Make the example of the scale rule: da1 = da2 = 100, a = 100 gives
  // g = min(160/220, 58/100) = 0.58.
  model.daMax[1] = 100;
  model.daMax[2] = 100;
  model.a = 100;
  PlotDrawing d = Draw(10);
  ASSERT_FALSE(d.entityInserts.empty());
  const Insert& drive = d.entityInserts[0];
  EXPECT_EQ(drive.name, "chdrive");
  EXPECT_NEAR(drive.x, 50, 1e-9);
  EXPECT_NEAR(drive.y, 85, 1e-9);
  EXPECT_NEAR(drive.xscale, 0.58, 1e-9);
  EXPECT_NEAR(drive.yscale, 0.58, 1e-9);
  EXPECT_EQ(Count(d.entityInserts, "tab1"), 1);
  EXPECT_EQ(Count(d.entityInserts, "tab2"), 1);
}

TEST_F(DriveDrawingsTest, MenuOffersTheListAndStopsAtBackOrCancel) {
  Load("rack_iso_bore.kv5");
  // Item 2 (index 1 of the list), its save dialog, then "zurück".
  recorder_.QueueAnswer(1);
  recorder_.QueueAnswer(folder_.File("front.txt"));
  recorder_.QueueAnswer(kDrawBack - 1);
  EXPECT_FALSE(DrawDriveMenu(0, kCadPlotFile));
  PlotDrawing d = Parse(Lines("front.txt"));
  EXPECT_EQ(d.blocks, (std::vector<std::string>{"TOOTH1"}));
  EXPECT_EQ(Count(d.entityInserts, "TOOTH1"), model.z1);

  // Cancel in the list sets the abort flag and draws nothing.
  abortFlag = false;
  recorder_.ClearAnswers();
  EXPECT_TRUE(DrawDriveMenu(0, kCadPlotFile));
}

TEST_F(DriveDrawingsTest, BearingPlateAsksPlayAndCentreDistance) {
  Load("pinwheel_iso_bores.kv5");
  recorder_.QueueAnswer(std::string("0.5"));
  recorder_.QueueAnswer(std::string("-80"));
  recorder_.QueueAnswer(folder_.File("plate.txt"));
  EXPECT_FALSE(DrawDriveMenu(kDrawBearingPlate, kCadPlotFile));
  std::vector<std::string> circles;
  for (const std::string& line : Lines("plate.txt"))
    if (line.rfind("CIRCLE\t", 0) == 0) circles.push_back(line);
  // A negative centre distance puts wheel 2's bore at the origin and
  // wheel 1's at 80 mm, both widened by the play.
  ASSERT_EQ(circles.size(), 2u);
  std::vector<std::string> first = SplitFields(circles[0], '\t');
  std::vector<std::string> second = SplitFields(circles[1], '\t');
  EXPECT_NEAR(ParseNumber(first[3]), model.dB[2] / 2 + 0.5, 1e-6);
  EXPECT_NEAR(ParseNumber(second[1]), 80, 1e-6);
  EXPECT_NEAR(ParseNumber(second[3]), model.dB[1] / 2 + 0.5, 1e-6);

  // Cancel at the first question ends quietly without a file.
  abortFlag = false;
  recorder_.ClearAnswers();
  std::filesystem::remove(folder_.File("plate.txt"));
  const size_t requests = recorder_.saveRequests.size();
  EXPECT_TRUE(DrawDriveMenu(kDrawBearingPlate, kCadPlotFile));
  EXPECT_EQ(recorder_.saveRequests.size(), requests);
  EXPECT_FALSE(std::filesystem::exists(folder_.File("plate.txt")));
}

TEST_F(DriveDrawingsTest, FailedCalculationShowsTheMessageListInsteadOfDrawing) {
  Load("rack_iso_bore.kv5");
  calcFailed = true;
  AddMessage("Fatal  : test");
  DrawDriveMenu(kDrawAssembly, kCadPlotFile);
  EXPECT_TRUE(recorder_.saveRequests.empty());
  EXPECT_FALSE(std::filesystem::exists(folder_.File("test.txt")));
}

TEST_F(DriveDrawingsTest, PartsMenuNeedsABoreOfWheel1) {
  Load("rack_din.kv5");
  ASSERT_EQ(model.dB[1], 0);
  DrawPartsMenu(kCadPlotFile);
  ASSERT_FALSE(recorder_.Messages().empty());
  EXPECT_EQ(recorder_.Messages().back().text, "dB1 = 0 !");
}

// The display list without its texts (the footer holds the time).
std::vector<std::string> ScreenGeometry() {
  std::vector<std::string> records;
  for (const std::string& r : graphicsWindow.displayList)
    if (r.rfind("6;", 0) != 0) records.push_back(r);
  return records;
}

TEST_F(DriveDrawingsTest, DefaultResultDrawsTheChosenItemOnScreen) {
  Load("rack_iso_bore.kv5");
  helpLevel = 1;
  // "Quick 3" (2) shows "Quick 3", not the bearing plate.
  for (auto [setting, item] :
       {std::pair{0, 10}, {1, 9}, {2, 10}, {3, 8}, {4, 10}, {5, 1}, {6, 10}, {42, 10}}) {
    resultDrawing = setting;
    InitGraphicsWindow();
    DrawDefaultResult();
    std::vector<std::string> shown = ScreenGeometry();
    InitGraphicsWindow();
    DrawDriveMenu(item, kCadScreen);
    EXPECT_FALSE(shown.empty()) << setting;
    EXPECT_EQ(shown, ScreenGeometry()) << "setting " << setting << ", item " << item;
  }
  helpLevel = 0;
  InitGraphicsWindow();
  const DisplayList before = graphicsWindow.displayList;
  DrawDefaultResult();
  EXPECT_EQ(graphicsWindow.displayList, before);
}

TEST_F(DriveDrawingsTest, BatchRunsWriteEveryDrawingWithoutAsking) {
  const std::string project = folder_.File("drive.kv5");
  std::filesystem::copy_file(kProjects + "pinwheel_iso_bores.kv5", project);
  std::filesystem::current_path(folder_.path());
  for (int j = 1; j <= 11; ++j) {
    for (const char* kind : {"1", "5"}) {
      const std::string option = std::string("/CAD") + kind + ":" + std::to_string(j);
      EXPECT_EQ(StartProgram({"drive.kv5", option}).exitCode, 0) << option;
      const std::string file =
          folder_.File(std::string("drive.") + (kind[0] == '1' ? "dxf" : "txt"));
      EXPECT_TRUE(std::filesystem::exists(file)) << option;
      std::filesystem::remove(file);
    }
  }
  EXPECT_TRUE(recorder_.saveRequests.empty());
  std::filesystem::current_path("/");
}

}  // namespace
}  // namespace kv5
