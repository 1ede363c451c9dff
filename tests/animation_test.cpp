// The meshing animation: the order of the CAD channel calls frame by frame
// (recorded on a back end with native blocks), and the display list that
// the screen run leaves with its pauses, erase colours and step dialogs.
#include "graphics/animation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "cad/cad_channel.h"
#include "graphics/graphics_window.h"
#include "model/drive_calculation.h"
#include "model/drive_model.h"
#include "tests/drive_fixtures.h"
#include "tests/test_support.h"
#include "text/configuration.h"
#include "text/messages.h"
#include "text/number_format.h"

namespace kv5 {
namespace {

// One call that reached the back end, outside the block bodies.
struct Call {
  std::string op;  // "limits", "tables", "block", "entities", "pen", "delay", "insert", "finish"
  std::string name;
  std::vector<double> values;
  int penMode = 0;
};

class SequenceBackend : public CadBackend {
 public:
  explicit SequenceBackend(std::vector<Call>& calls) : calls_(calls) {}
  bool NativeBlocks() const override { return true; }
  void Limits(const CadLimits& l) override {
    Add("limits", "", {double(l.xmin), double(l.ymin), double(l.xmax), double(l.ymax)});
  }
  void Tables(int scheme) override { Add("tables", "", {double(scheme)}); }
  void BeginBlock(const std::string& name) override {
    Add("block", name, {});
    inBlock_ = true;
  }
  void EndBlock() override { inBlock_ = false; }
  void BeginEntities() override { Add("entities", "", {}); }
  bool Finish() override {
    Add("finish", "", {});
    return true;
  }
  void SetPen(int pen, const std::string&) override {
    if (!inBlock_) Add("pen", "", {double(pen)});
  }
  void Delay(int ms) override { Add("delay", "", {double(ms)}); }
  void Line(Real, Real, Real, Real) override {
    if (inBlock_) ++bodyPrimitives;
  }
  void Circle(Real, Real, Real, bool) override {
    if (inBlock_) ++bodyPrimitives;
  }
  void Insert(const std::string& name, Real x, Real y, Real angle, Real, Real) override {
    if (!inBlock_) Add("insert", name, {double(x), double(y), double(angle)});
  }
  int bodyPrimitives = 0;

 private:
  void Add(const std::string& op, const std::string& name, std::vector<double> values) {
    calls_.push_back({op, name, std::move(values), cadState.penMode});
  }
  std::vector<Call>& calls_;
  bool inBlock_ = false;
};

// One position of the wheels as the inserts give it.
struct Position {
  double phi1 = 0;
  double x2 = 0, y2 = 0, phi2 = 0;
  bool erase = false;  // drawn in erase mode with pen 0
};

class AnimationTest : public testing::ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    tempFolder = temp_.path();
  }
  void Calculate() {
    CalculateDrive();
    ASSERT_FALSE(calcFailed);
  }
  void Record(const AnimationParameters& p) {
    calls_.clear();
    auto backend = std::make_unique<SequenceBackend>(calls_);
    backend_ = backend.get();
    CadBeginOn(kCadScreen, std::move(backend));
    DrawAnimationFrames(p);
  }
  // The calls after CadBeginEntities.
  std::vector<Call> EntityCalls() const {
    std::vector<Call> out;
    bool in = false;
    for (const Call& c : calls_) {
      if (in) out.push_back(c);
      if (c.op == "entities") in = true;
    }
    return out;
  }
  // Each frame must be: pen 0, insert rad1va, insert rad2va, all in the
  // same pen mode; pauses stand between a drawn frame and its erasure.
  std::vector<Position> Positions(std::vector<int>* pauses = nullptr) const {
    std::vector<Position> out;
    const std::vector<Call> calls = EntityCalls();
    for (size_t i = 0; i < calls.size(); ++i) {
      const Call& c = calls[i];
      if (c.op == "delay" && pauses) pauses->push_back(int(c.values[0]));
      if (c.op != "insert") continue;
      EXPECT_EQ(c.name, "rad1va");
      EXPECT_GE(i, 1u);
      EXPECT_EQ(calls[i - 1].op, "pen");
      EXPECT_EQ(calls[i - 1].values[0], 0);
      EXPECT_EQ(calls[i - 1].penMode, c.penMode);
      EXPECT_LT(i + 1, calls.size());
      const Call& w2 = calls[i + 1];
      EXPECT_EQ(w2.name, "rad2va");
      EXPECT_EQ(w2.penMode, c.penMode);
      EXPECT_EQ(c.values[0], 0);
      EXPECT_EQ(c.values[1], 0);
      out.push_back({c.values[2], w2.values[0], w2.values[1], w2.values[2], c.penMode == 2});
      if (c.penMode == 2) {
        EXPECT_EQ(calls[i - 2].op, "delay") << "an erase follows the pause of its frame";
      }
      ++i;
    }
    return out;
  }

  testing::TempFolder temp_;
  std::vector<Call> calls_;
  SequenceBackend* backend_ = nullptr;
};

TEST_F(AnimationTest, RackRunDefinesTheThreeBlocksThenDrawsPauseEraseFrames) {
  testing::SetUpRackDrive();
  Calculate();
  const DriveModel& m = model;
  AnimationParameters p;
  p.startAngle = 0;
  p.rotationAngle = 90;
  p.frames = 2;
  p.pauseMs = 7;
  Record(p);

  const double da1 = double(m.daMax[1]);
  ASSERT_GE(calls_.size(), 5u);
  EXPECT_EQ(calls_[0].op, "limits");
  EXPECT_NEAR(calls_[0].values[0], -0.6 * da1, 1e-9);
  EXPECT_NEAR(calls_[0].values[1], -0.6 * da1, 1e-9);
  EXPECT_NEAR(calls_[0].values[2], 0.6 * da1, 1e-9);
  EXPECT_NEAR(calls_[0].values[3], 0.6 * da1, 1e-9);
  // The screen limits write the footer with a pen of their own; then the tables.
  size_t tables = 1;
  while (tables < calls_.size() && calls_[tables].op == "pen") ++tables;
  ASSERT_LT(tables, calls_.size());
  EXPECT_EQ(calls_[tables].op, "tables");
  EXPECT_EQ(calls_[tables].values[0], 2);
  std::vector<std::string> blocks;
  for (const Call& c : calls_)
    if (c.op == "block") blocks.push_back(c.name);
  EXPECT_EQ(blocks, (std::vector<std::string>{"TOOTH1", "RAD1VA", "RAD2VA"}));
  EXPECT_GT(backend_->bodyPrimitives, 10) << "the block bodies are drawn";

  const std::vector<Call> entities = EntityCalls();
  ASSERT_GE(entities.size(), 3u);
  EXPECT_EQ(entities.front().op, "pen");
  EXPECT_EQ(entities.front().values[0], 5);
  EXPECT_EQ(entities[entities.size() - 2].op, "pen");
  EXPECT_EQ(entities[entities.size() - 2].values[0], 0);
  EXPECT_EQ(entities.back().op, "finish");

  // K = p·z1/π; y = φ1·π/180·K/2 − (17 div 2)·12.7: −101.6 at 0°, one
  // eighth of a turn (z1/8 pitches = 26.9875) higher at 45°.
  std::vector<int> pauses;
  const std::vector<Position> positions = Positions(&pauses);
  const std::vector<Position> expected = {
      {0, 0, -101.6, 0, false},   {0, 0, -101.6, 0, true},    {45, 0, -74.6125, 0, false},
      {45, 0, -74.6125, 0, true}, {90, 0, -47.625, 0, false},
  };
  ASSERT_EQ(positions.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_NEAR(positions[i].phi1, expected[i].phi1, 1e-9);
    EXPECT_NEAR(positions[i].x2, double(m.a), 1e-9);
    EXPECT_NEAR(positions[i].y2, expected[i].y2, 1e-9);
    EXPECT_EQ(positions[i].phi2, 0) << "the rack is not rotated";
    EXPECT_EQ(positions[i].erase, expected[i].erase);
  }
  EXPECT_EQ(pauses, (std::vector<int>{7, 7}));
  // Pen mode is back to normal after each erase.
  EXPECT_EQ(cadState.penMode, 0);
}

TEST_F(AnimationTest, RackOffsetTruncatesHalfTheToothNumber) {
  testing::SetUpRackDrive();
  model.z1 = 15;  // 15 div 2 = 7 pitches below the axis at 0°
  Calculate();
  AnimationParameters p;
  p.startAngle = 0;
  p.rotationAngle = 0;
  p.frames = 1;
  Record(p);
  const std::vector<Position> positions = Positions();
  ASSERT_FALSE(positions.empty());
  EXPECT_NEAR(positions[0].y2, -7 * 12.7, 1e-9);
}

TEST_F(AnimationTest, PinWheelTurnsBackByTheToothRatio) {
  testing::SetUpWheelDrive();
  model.z2 = 18;  // 2·z1
  Calculate();
  const DriveModel& m = model;
  AnimationParameters p;
  p.startAngle = 0;
  p.rotationAngle = 90;
  p.frames = 4;
  Record(p);
  const double da1 = double(m.daMax[1]), da2 = double(m.daMax[2]);
  ASSERT_EQ(calls_[0].op, "limits");
  EXPECT_NEAR(calls_[0].values[1], -0.6 * std::max(da1, da2), 1e-9);
  EXPECT_NEAR(calls_[0].values[2], double(m.a) + 0.6 * da2, 1e-9);
  const std::vector<Position> positions = Positions();
  ASSERT_EQ(positions.size(), 9u);  // 5 positions, 4 erased
  for (const Position& pos : positions) {
    EXPECT_NEAR(pos.phi2, -pos.phi1 / 2, 1e-9);
    EXPECT_NEAR(pos.x2, double(m.a), 1e-9);
    EXPECT_EQ(pos.y2, 0);
  }
  EXPECT_NEAR(positions.back().phi1, 90, 1e-9);
  EXPECT_NEAR(positions.back().phi2, -45, 1e-9);
  EXPECT_FALSE(positions.back().erase);
}

// Positions drawn (d) and erased (e) for the repetition and frame counts.
TEST_F(AnimationTest, RepetitionsFramesAndRotationGiveTheirPositions) {
  testing::SetUpRackDrive();
  Calculate();
  struct Case {
    const char* name;
    double start, rotation;
    int frames, repetitions;
    std::vector<double> phi;  // of the drawn positions, in order
  };
  const Case cases[] = {
      {"defaults", 135, 90, 20, 1, {}},
      {"two repetitions", 10, 20, 2, 2, {10, 20, 30, 10, 20, 30}},
      {"no repetition", 10, 20, 2, 0, {}},
      {"negative repetitions", 10, 20, 2, -3, {}},
      {"rotation 0", 30, 0, 3, 1, {30, 30, 30, 30}},
      {"frame count 0: the start position only", 30, 90, 0, 1, {30}},
      {"frame count 0 twice", 30, 90, 0, 2, {30, 30}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    AnimationParameters p;
    p.startAngle = c.start;
    p.rotationAngle = c.rotation;
    p.frames = c.frames;
    p.repetitions = c.repetitions;
    Record(p);
    std::vector<Position> positions = Positions();
    std::vector<double> drawn, erased;
    for (const Position& pos : positions) (pos.erase ? erased : drawn).push_back(pos.phi1);
    std::vector<double> expected = c.phi;
    if (std::string(c.name) == "defaults")
      for (int j = 0; j <= 20; ++j) expected.push_back(135 + 4.5 * j);
    ASSERT_EQ(drawn.size(), expected.size());
    for (size_t i = 0; i < drawn.size(); ++i) EXPECT_NEAR(drawn[i], expected[i], 1e-9);
    // Every position is erased but the very last one, which stays.
    if (expected.empty()) {
      EXPECT_TRUE(erased.empty());
      EXPECT_EQ(EntityCalls().size(), 3u) << "pen 5, pen 0, finish";
    } else {
      ASSERT_EQ(erased.size(), drawn.size() - 1);
      for (size_t i = 0; i < erased.size(); ++i) EXPECT_EQ(erased[i], drawn[i]);
      EXPECT_FALSE(positions.back().erase);
    }
  }
}

// The screen run: the dialog, the display list with its pauses and erase
// colours, and the step dialog at each erase.
class AnimationScreenTest : public AnimationTest {
 protected:
  void SetUp() override {
    AnimationTest::SetUp();
    testing::SetUpRackDrive();
    Calculate();
  }
  // Installs a dialog answer: fills and confirms, or cancels.
  void Answer(std::function<void(AnimationDialog&)> fill, bool ok = true) {
    SetAnimationHooks({[this, fill, ok](AnimationDialog& d) {
      ++dialogs_;
      shown_ = d.fields();
      if (fill) fill(d);
      ok ? d.Ok() : d.Cancel();
    }});
  }
  static int Count(const DisplayList& list, const std::string& record) {
    int n = 0;
    for (const std::string& r : list) n += r == record;
    return n;
  }
  int dialogs_ = 0;
  AnimationDialog::Fields shown_;
};

TEST_F(AnimationScreenTest, DialogOpensWithThePresetValuesAndTheListHoldsTheFrames) {
  Answer([](AnimationDialog& d) {
    d.SetFrames("4");
    d.SetPause("25");
  });
  RunAnimation();
  ASSERT_EQ(dialogs_, 1);
  EXPECT_EQ(shown_.startAngle, "135");
  EXPECT_EQ(shown_.rotationAngle, "90");
  EXPECT_EQ(shown_.frames, "20");
  EXPECT_EQ(shown_.repetitions, "1");
  EXPECT_EQ(shown_.pauseMs, "10");
  EXPECT_FALSE(shown_.singleStep);
  EXPECT_FALSE(abortFlag);
  const DisplayList& list = graphicsWindow.displayList;
  EXPECT_EQ(Count(list, "13;25"), 4) << "one pause after each frame but the last";
  // Each erase that follows a pause first switches to the background colour.
  int erasesAfterPauses = 0;
  for (size_t i = 0; i < list.size(); ++i) {
    if (list[i] != "13;25") continue;
    for (size_t k = i + 1; k < list.size(); ++k) {
      if (list[k].rfind("8;", 0) != 0) continue;
      erasesAfterPauses += list[k] == "8;0";
      break;
    }
  }
  EXPECT_EQ(erasesAfterPauses, 4);
  // The last frame is drawn after the last erase, in a visible colour.
  size_t lastErase = 0, lastLine = 0;
  for (size_t i = 0; i < list.size(); ++i) {
    if (list[i] == "8;0") lastErase = i;
    if (list[i].rfind("4;", 0) == 0 || list[i].rfind("3;", 0) == 0) lastLine = i;
  }
  EXPECT_GT(lastLine, lastErase);
  bool colourBetween = false;
  for (size_t i = lastErase + 1; i < lastLine; ++i)
    colourBetween = colourBetween || (list[i].rfind("8;", 0) == 0 && list[i] != "8;0");
  EXPECT_TRUE(colourBetween);
}

TEST_F(AnimationScreenTest, SingleStepAsksAtEachEraseUntilTheEndButton) {
  Answer([](AnimationDialog& d) {
    d.SetFrames("5");
    d.SetSingleStep(true);
  });
  RunAnimation();
  EXPECT_TRUE(graphicsWindow.singleStep);
  struct NullPainter : DisplayListPainter {
    void SetPenColour(RgbColour) override {}
    void SetPenStyle(PenStyle) override {}
    void SetPenWidth(int) override {}
    void SetBrushColour(RgbColour) override {}
    void MoveTo(ScreenPoint) override {}
    void LineTo(ScreenPoint) override {}
    void Ellipse(ScreenPoint, ScreenPoint) override {}
    void Arc(ScreenPoint, ScreenPoint, ScreenPoint, ScreenPoint) override {}
    void Polygon(const std::array<ScreenPoint, 4>&) override {}
    void Text(ScreenPoint, const TextFont&, RgbColour, const std::string&) override {}
    void Pause(int) override { ++pauses; }
    int pauses = 0;
  };
  int steps = 0;
  graphicsWindow.stepDialog = [&] {
    ++steps;
    return true;  // "+"
  };
  NullPainter painter;
  graphicsWindow.Paint(painter);
  EXPECT_EQ(steps, 5);
  EXPECT_EQ(painter.pauses, 5);
  EXPECT_TRUE(graphicsWindow.singleStep);

  steps = 0;
  graphicsWindow.stepDialog = [&] {
    ++steps;
    return steps < 2;  // "+" once, then "+++++++"
  };
  NullPainter rest;
  graphicsWindow.Paint(rest);
  EXPECT_EQ(steps, 2);
  EXPECT_EQ(rest.pauses, 5) << "the rest plays on";
  EXPECT_FALSE(graphicsWindow.singleStep);
}

TEST_F(AnimationScreenTest, CancelDrawsNothingAndAFailedCalculationShowsTheMessages) {
  graphicsWindow.displayList = {"4;0;0;1;1"};
  Answer({}, false);
  RunAnimation();
  EXPECT_EQ(dialogs_, 1);
  EXPECT_TRUE(abortFlag);
  EXPECT_EQ(graphicsWindow.displayList, DisplayList{"4;0;0;1;1"});

  calcFailed = true;
  AddMessage("Fatal  : kein Eingriff");
  RunAnimation();
  EXPECT_EQ(dialogs_, 1) << "no dialog after a failed calculation";
  EXPECT_EQ(graphicsWindow.displayList, DisplayList{"4;0;0;1;1"});
  bool shown = false;
  for (const ShownMessage& msg : platform_.Messages())
    shown = shown || msg.text.find("Fatal  : kein Eingriff") != std::string::npos;
  EXPECT_TRUE(shown);
}

TEST_F(AnimationScreenTest, DialogProposalsAndUnreadableCounts) {
  AnimationDialog d;
  d.Preset(135, 90, 20);
  d.SetStartAngle("100,0");
  d.ProposeRotationAngle();
  EXPECT_EQ(d.fields().rotationAngle, FormatAuto(260));
  d.ProposeStartAngle();
  d.ProposeFrames();
  d.ProposeRepetitions();
  d.ProposePause();
  EXPECT_EQ(d.fields().startAngle, "0");
  EXPECT_EQ(d.fields().frames, "30");
  EXPECT_EQ(d.fields().repetitions, "1");
  EXPECT_EQ(d.fields().pauseMs, "50");
  d.SetFrames("viele");
  d.SetRepetitions("2");
  const AnimationParameters p = d.Parameters();
  EXPECT_EQ(p.startAngle, 0);
  EXPECT_EQ(p.frames, 0);
  EXPECT_EQ(p.repetitions, 2);
  EXPECT_EQ(p.pauseMs, 50);
  EXPECT_EQ(AnimationDialog::SingleStepCaption(), "Pause nach jedem Einzelbild ?");
  int topic = 0;
  d.showHelp = [&](int t) { topic = t; };
  d.Help();
  EXPECT_EQ(topic, 5600);
}

}  // namespace
}  // namespace kv5
