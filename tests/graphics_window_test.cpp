#include "graphics/graphics_window.h"

#include <cmath>
#include <sstream>

#include "model/drive_model.h"
#include "tests/test_support.h"
#include "text/configuration.h"
#include "text/text_conversion.h"

namespace kv5 {

// Readable failure messages.
void PrintTo(const ZoomRect& z, std::ostream* os) {
  *os << "(" << z.x1 << ", " << z.y1 << ", " << z.x2 << ", " << z.y2 << ")";
}
void PrintTo(const Viewport& v, std::ostream* os) {
  *os << "(" << v.x1 << ", " << v.y1 << ", " << v.x2 << ", " << v.y2 << ")";
}

namespace {

using testing::ReadFileBytes;
using testing::TempFolder;
using testing::WriteFileBytes;
using GraphicsWindowTest = testing::ProgramTest;

GraphicsWindow& Window() {
  return graphicsWindow;
}

void SetArea(int w, int h) {
  storedSettings.mainWindowWidth = w;
  storedSettings.mainWindowHeight = h;
}

// Every call of the replay as one line of text.
class RecordingPainter : public DisplayListPainter {
 public:
  std::vector<std::string> calls;

  void SetPenColour(RgbColour c) override { Log("pen " + Rgb(c)); }
  void SetPenStyle(PenStyle s) override {
    static const char* kNames[] = {"solid", "dotted", "dashdot", "dashed"};
    Log(std::string("style ") + kNames[static_cast<int>(s)]);
  }
  void SetPenWidth(int w) override { Log("width " + std::to_string(w)); }
  void SetBrushColour(RgbColour c) override { Log("brush " + Rgb(c)); }
  void MoveTo(ScreenPoint p) override { Log("move " + Pt(p)); }
  void LineTo(ScreenPoint p) override { Log("line " + Pt(p)); }
  void Ellipse(ScreenPoint a, ScreenPoint b) override { Log("ellipse " + Pt(a) + " " + Pt(b)); }
  void Arc(ScreenPoint a, ScreenPoint b, ScreenPoint s, ScreenPoint e) override {
    Log("arc " + Pt(a) + " " + Pt(b) + " " + Pt(s) + " " + Pt(e));
  }
  void Polygon(const std::array<ScreenPoint, 4>& c) override {
    Log("polygon " + Pt(c[0]) + " " + Pt(c[1]) + " " + Pt(c[2]) + " " + Pt(c[3]));
  }
  void Text(ScreenPoint p, const TextFont& f, RgbColour c, const std::string& text) override {
    std::ostringstream s;
    s << "text " << Pt(p) << " " << f.name << " h" << f.height << " w" << f.width << " e"
      << f.escapement << " " << f.weight << (f.italic ? " i" : "") << (f.underline ? " u" : "")
      << (f.strikeOut ? " s" : "") << " " << Rgb(c) << " '" << text << "'";
    Log(s.str());
  }
  void Pause(int ms) override { Log("pause " + std::to_string(ms)); }

  size_t Count(const std::string& prefix) const {
    size_t n = 0;
    for (const std::string& c : calls) n += c.rfind(prefix, 0) == 0;
    return n;
  }
  std::string Joined() const {
    std::string all;
    for (const std::string& c : calls) all += c + "\n";
    return all;
  }

 private:
  void Log(const std::string& s) { calls.push_back(s); }
  static std::string Pt(ScreenPoint p) { return std::to_string(p.x) + "," + std::to_string(p.y); }
  static std::string Rgb(RgbColour c) {
    return std::to_string(c.r) + "/" + std::to_string(c.g) + "/" + std::to_string(c.b);
  }
};

std::string Joined(const DisplayList& list) {
  std::string all;
  for (const std::string& r : list) all += r + "\n";
  return all;
}

// ---------------------------------------------------------------------------

TEST(RecordRealTest, GeneralFormatWithEightSignificantDigits) {
  struct Case {
    Real value;
    const char* text;
  };
  const Case cases[] = {
      {0, "0"},
      {-0.0L, "0"},
      {0.5L, "0.5"},
      {-2.5L, "-2.5"},
      {160, "160"},
      {1.0L / 3, "0.33333333"},
      {12.3456789L, "12.345679"},
      {12345678.9L, "12345679"},
      {99999999.4L, "99999999"},
      {99999999.5L, "1E8"},
      {123456789, "1.2345679E8"},
      {1e20L, "1E20"},
      {0.00001L, "0.00001"},
      {0.000012345L, "0.000012345"},
      {1.5e-7L, "1.5E-7"},
      {-6.25e-9L, "-6.25E-9"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatRecordReal(c.value), c.text) << double(c.value);
}

TEST_F(GraphicsWindowTest, RecordsInTheDisplayListFormat) {
  GrClear();
  GrHeader(0, 0, 160, 120);
  GrSetColor(4);
  GrSetColor(4);
  GrLine(0, 0, 12.3456789L, 1e-7L);
  GrCircle(80, 60, 2.5L);
  GrArc(10, 20, 0, 90, 5, 90);
  GrOutText("M 1:2; Blatt 1", 5, 7.25L);
  GrSetTextStyle(2, 90, 3.5L, 2.45L);
  GrSolid(0, 0, 1, 0, 1, 1, 0, 1);
  GrSetLineStyle(3);
  GrSetLineStyle(3);
  GrSetLineWidth(2);
  GrSetLineWidth(2);
  GrSleepMs(40);
  GrSleepMs(40);
  GrSetColor(17);  // above the highest colour index
  GrSetPenColor(1);
  EXPECT_EQ(Joined(Window().displayList),
            "10;1;1;639;479;0;0;160;120\n"
            "11;0\n"
            "8;4\n"
            "4;0;0;12.345679;1E-7\n"
            "3;80;60;2.5\n"
            "5;5;15;15;25;15;20;10;25\n"
            "6;5;7.25;M 1:2; Blatt 1\n"
            "9;3.5;2.45;2;90\n"
            "7;0;0;1;0;1;1;0;1\n"
            "11;3\n"
            "12;2\n"
            "13;40\n"
            "13;40\n"
            "8;12\n");
}

TEST_F(GraphicsWindowTest, ArcsBelowFourDegreesBecomeChords) {
  struct Case {
    Real start, end, sweep;
    int code;
  };
  const Case cases[] = {{10, 13.9L, 3.9L, kRecordLine},
                        {10, 14, 4, kRecordArc},
                        {13.9L, 10, -3.9L, kRecordLine},
                        {14, 10, -4, kRecordArc}};
  for (const Case& c : cases) {
    Window().displayList.clear();
    GrArc(0, 0, c.start, c.end, 100, c.sweep);
    ASSERT_EQ(Window().displayList.size(), 1u);
    EXPECT_EQ(Window().displayList[0].substr(0, 2), std::to_string(c.code) + ";")
        << double(c.sweep);
  }
  // A negative sweep swaps start and end, so the arc still runs
  // counter-clockwise from 10° to 14°.
  Window().displayList.clear();
  GrArc(0, 0, 14, 10, 100, -4);
  GrArc(0, 0, 10, 14, 100, 4);
  EXPECT_EQ(Window().displayList[0], Window().displayList[1]);
  EXPECT_EQ(Window().displayList[0], "5;-100;-100;100;100;98.480775;17.364818;97.029573;24.19219");
}

TEST_F(GraphicsWindowTest, UnchangedSettingsAreNotRecordedAgainUntilClear) {
  GrSetColor(5);
  GrSetColor(5);
  GrSetColor(16);
  GrSetColor(17);
  GrSetColor(5);
  EXPECT_EQ(Joined(Window().displayList), "8;5\n8;16\n8;5\n");
  // A new drawing starts from the replay's defaults, so its first
  // settings must be recorded even when they equal the old ones.
  GrClear();
  GrSetColor(5);
  GrSetLineStyle(0);
  GrSetLineWidth(3);
  GrSetLineWidth(1);
  EXPECT_EQ(Joined(Window().displayList), "8;5\n11;0\n12;3\n12;1\n");
}

TEST(PenColourTest, CadPenColoursMapToScreenColours) {
  const int expected[17] = {0, 12, 14, 10, 11, 9, 13, 15, 1, 2, 3, 4, 5, 6, 7, 8, 16};
  for (int n = 0; n <= 16; ++n) EXPECT_EQ(ScreenColourOfPen(n), expected[n]) << n;
  EXPECT_EQ(ScreenColourOfPen(17), 12);  // low four bits: 1
  EXPECT_EQ(ScreenColourOfPen(32), 0);
  EXPECT_EQ(ScreenColourOfPen(39), 15);  // 7
  EXPECT_EQ(ScreenColourOfPen(255), 8);  // 15
}

TEST(PaletteTest, DefaultPaletteAndStoredColourValues) {
  Palette p = DefaultPalette();
  EXPECT_EQ(p[1], (RgbColour{0, 0, 128}));
  EXPECT_EQ(p[8], (RgbColour{176, 176, 176}));
  EXPECT_EQ(p[13], (RgbColour{255, 0, 255}));
  EXPECT_EQ(p[16], kBlack);
  EXPECT_EQ(ColourFromStoredValue(0x00FF8040), (RgbColour{0x40, 0x80, 0xFF}));
  EXPECT_EQ(ColourFromStoredValue(0xFFFFFF), kWhite);
}

// ---------------------------------------------------------------------------
// Mapping.

TEST_F(GraphicsWindowTest, AspectLockTiesTheScalesToTheScreenShape) {
  struct Case {
    int w, h;
    Real xmax, ymax;
    Real ratio;
  };
  const Case cases[] = {
      {1024, 768, 160, 120, 1.0L},     {1024, 768, 100, 300, 1.0L},
      {1280, 1024, 160, 120, 0.9375L}, {1280, 1024, 200, 100, 0.9375L},
      {0, 0, 160, 120, 1.0L},          {800, 0, 160, 120, 1.0L},  // 640 × 480
  };
  // The areas on a 4:3 display; with square pixels every area keeps circles
  // round with equal scales.
  for (Real aspect : {4.0L / 3, 0.0L})
    for (const Case& c : cases) {
      displayAspect = aspect;
      SetArea(c.w, c.h);
      GrHeader(0, 0, c.xmax, c.ymax);
      const WindowMapping& m = Window().mapping;
      const double ratio = aspect > 0 ? double(c.ratio) : 1.0;
      EXPECT_NEAR(double(m.sx / m.sy), ratio, 1e-12) << c.w << "x" << c.h;
      // The smaller scale wins: the whole world window stays visible.
      EXPECT_LE(m.ScreenX(c.xmax), m.viewport.x2);
      EXPECT_GE(m.ScreenY(c.ymax), m.viewport.y1);
    }
  // Without the lock each axis keeps its own scale.
  SetArea(1280, 1024);
  GrSetWindow(false, false, 0, 0, 1, 1, 0, 0, 160, 120);
  EXPECT_NEAR(double(Window().mapping.sx), 8.0, 1e-12);
  EXPECT_NEAR(double(Window().mapping.sy), 1024.0 / 120, 1e-12);
}

TEST_F(GraphicsWindowTest, WorldToScreenNumbers) {
  GrHeader(0, 0, 160, 120);  // 640 × 480: viewport 1, 1, 639, 479
  const WindowMapping& m = Window().mapping;
  EXPECT_EQ(m.viewport, (Viewport{1, 1, 639, 479}));
  EXPECT_EQ(m.zoom, (ZoomRect{1, 1, 639, 479}));
  EXPECT_NEAR(double(m.sx), 478.0 / 120, 1e-12);
  EXPECT_NEAR(double(m.sy), 478.0 / 120, 1e-12);
  EXPECT_EQ(m.ScreenX(0), 1);
  EXPECT_EQ(m.ScreenY(0), 479);
  EXPECT_EQ(m.ScreenX(80), 320);
  EXPECT_EQ(m.ScreenY(60), 240);
  EXPECT_EQ(m.ScreenX(160), 638);
  EXPECT_EQ(m.ScreenY(120), 1);

  // Zooming to the lower left quarter doubles the scale.
  GraphicsWindow& w = Window();
  w.SetScale(1, 1, 320, 240);
  EXPECT_NEAR(double(w.mapping.wx2), 80, 1e-12);
  EXPECT_NEAR(double(w.mapping.wy2), 60, 1e-12);
  EXPECT_EQ(w.mapping.ScreenX(40), 320);
  EXPECT_EQ(w.mapping.ScreenY(30), 240);

  // Inset and fractions: the right half of the area, the top third.
  GrSetWindow(false, false, 0.5L, 2.0L / 3, 1, 1, 0, 0, 10, 10);
  EXPECT_EQ(w.mapping.viewport, (Viewport{320, 0, 640, 160}));
  EXPECT_EQ(w.displayList.back(), "10;320;0;640;160;0;0;10;10");
}

TEST_F(GraphicsWindowTest, FarPointsAreClampedInsteadOfOverflowing) {
  GrHeader(0, 0, 160, 120);
  const WindowMapping& m = Window().mapping;
  EXPECT_GT(m.ScreenX(1e300L), 100000000);
  EXPECT_LT(m.ScreenX(-1e300L), -100000000);
  EXPECT_EQ(m.ScreenX(std::nanl("")), 1);
}

TEST_F(GraphicsWindowTest, WindowWithoutExtentAbortsAndKeepsTheMapping) {
  GrHeader(0, 0, 160, 120);
  const WindowMapping before = Window().mapping;
  const size_t records = Window().displayList.size();
  for (auto [xmax, ymax] : {std::pair<Real, Real>{0, 120}, {160, 0}, {std::nanl(""), 120}}) {
    abortFlag = false;
    GrSetWindow(true, true, 0, 0, 1, 1, 0, 0, xmax, ymax);
    EXPECT_TRUE(abortFlag);
    EXPECT_EQ(Window().mapping.limits, before.limits);
    EXPECT_EQ(Window().mapping.sx, before.sx);
    EXPECT_EQ(Window().mapping.sy, before.sy);
    EXPECT_EQ(Window().displayList.size(), records);
  }
  // Header stops as well and keeps the saved limits.
  abortFlag = false;
  GrHeader(5, 5, 5, 9);
  EXPECT_TRUE(abortFlag);
  EXPECT_EQ(Window().savedLimits, (WorldRect{0, 0, 160, 120}));
}

TEST_F(GraphicsWindowTest, ZoomRectangleWithoutAreaIsIgnored) {
  GrHeader(0, 0, 160, 120);
  const WindowMapping before = Window().mapping;
  Window().SetScale(10, 10, 10, 200);
  Window().SetScale(10, 10, 200, 10);
  EXPECT_EQ(Window().mapping.zoom, before.zoom);
  EXPECT_EQ(Window().mapping.sx, before.sx);
}

TEST_F(GraphicsWindowTest, LimitsAreSavedRestoredAndReset) {
  GrHeader(-10, -5, 150, 115);
  GrSetWindow(true, true, 0, 0, 1, 1, 0, 0, 1000, 1000);
  Window().RestoreLimit();
  EXPECT_EQ(Window().mapping.limits, (WorldRect{-10, -5, 150, 115}));
  Window().ReSetWindow();
  EXPECT_EQ(Window().mapping.limits, (WorldRect{0, 0, 1, 1}));
  EXPECT_FALSE(Window().mapping.aspectLock);
  EXPECT_EQ(Window().mapping.viewport, (Viewport{0, 0, 640, 480}));
  EXPECT_EQ(Window().mapping.zoom, (ZoomRect{0, 0, 640, 480}));
  EXPECT_EQ(Window().displayList.back(), "10;0;0;640;480;0;0;1;1");

  // A flag left set by an earlier step does not keep Header from saving.
  abortFlag = true;
  GrHeader(0, 0, 50, 40);
  EXPECT_EQ(Window().savedLimits, (WorldRect{0, 0, 50, 40}));
}

// ---------------------------------------------------------------------------
// Zoom and pan.

TEST(ZoomRectTest, KeysMoveAndScaleTheRectangle) {
  const ZoomRect z{1, 1, 639, 479};
  struct Case {
    GraphicsKey key;
    ZoomRect expected;
  };
  const Case cases[] = {
      {GraphicsKey::Escape, z},
      {GraphicsKey::Up, {1, -47, 639, 431}},  // dy = round(47.8)
      {GraphicsKey::Down, {1, 49, 639, 527}},
      {GraphicsKey::Left, {65, 1, 703, 479}},  // dx = round(63.8)
      {GraphicsKey::Right, {-63, 1, 575, 479}},
      {GraphicsKey::PageUp, {1, -238, 639, 240}},  // D = 239
      {GraphicsKey::PageDown, {1, 240, 639, 718}},
      {GraphicsKey::NumPlus, {54, 41, 586, 439}},  // 532 × 398 about (320, 240)
      {GraphicsKey::NumMinus, {-63, -47, 703, 527}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ZoomRectAfterKey(z, c.key, 1.2L, 0.1L), c.expected) << static_cast<int>(c.key);
}

TEST(ZoomRectTest, OppositeKeysReturnToTheRectangle) {
  for (ZoomRect z :
       {ZoomRect{1, 1, 639, 479}, ZoomRect{-37, 12, 1001, 777}, ZoomRect{0, 0, 5, 3}}) {
    ZoomRect down = ZoomRectAfterKey(z, GraphicsKey::PageDown, 1.2L, 0.1L);
    EXPECT_EQ(ZoomRectAfterKey(down, GraphicsKey::PageUp, 1.2L, 0.1L), z);
    ZoomRect left = ZoomRectAfterKey(z, GraphicsKey::Left, 1.2L, 0.1L);
    EXPECT_EQ(ZoomRectAfterKey(left, GraphicsKey::Right, 1.2L, 0.1L), z);
    ZoomRect in = ZoomRectAfterKey(z, GraphicsKey::NumPlus, 1.2L, 0.1L);
    ZoomRect back = ZoomRectAfterKey(in, GraphicsKey::NumMinus, 1.2L, 0.1L);
    EXPECT_NEAR(back.x1, z.x1, 2);
    EXPECT_NEAR(back.y1, z.y1, 2);
    EXPECT_NEAR(back.x2, z.x2, 2);
    EXPECT_NEAR(back.y2, z.y2, 2);
  }
  EXPECT_EQ(ZoomRectAfterKey(ZoomRectAfterKey({1, 1, 639, 479}, GraphicsKey::NumPlus, 1.2L, 0.1L),
                             GraphicsKey::NumMinus, 1.2L, 0.1L),
            (ZoomRect{1, 1, 639, 479}));
}

TEST(ZoomRectTest, MouseBandAndWheel) {
  const ZoomRect z{1, 1, 639, 479};
  EXPECT_EQ(ZoomRectOfBand(z, {100, 50, 300, 250}, 638, 478, 1), (ZoomRect{101, 229, 301, 429}));
  // Corners in any order; the aspect factor scales x.
  EXPECT_EQ(ZoomRectOfBand(z, {301, 250, 101, 50}, 638, 478, 0.5L), (ZoomRect{51, 229, 151, 429}));
  EXPECT_FALSE(ZoomRectOfBand(z, {100, 50, 100, 250}, 638, 478, 1));
  EXPECT_FALSE(ZoomRectOfBand(z, {100, 50, 300, 50}, 638, 478, 1));
  EXPECT_FALSE(ZoomRectOfBand(z, {100, 50, 300, 250}, 0, 478, 1));

  EXPECT_EQ(ZoomRectAfterWheel(z, -120, 1.2L), (ZoomRect{54, 41, 586, 439}));
  EXPECT_EQ(ZoomRectAfterWheel(z, -30, 1.2L), (ZoomRect{54, 41, 586, 439}));  // at least one step
  EXPECT_EQ(ZoomRectAfterWheel(z, 240, 1.2L), (ZoomRect{-445, -333, 1085, 813}));  // 2.4
}

TEST_F(GraphicsWindowTest, KeysAndMouseActOnTheWindow) {
  GrHeader(0, 0, 160, 120);
  GraphicsWindow& w = Window();
  EXPECT_TRUE(w.ProcessKey(GraphicsKey::PageDown));
  EXPECT_EQ(w.mapping.zoom, (ZoomRect{1, 240, 639, 718}));
  EXPECT_NEAR(double(w.mapping.wy1), 60, 1e-9);  // 239/478 of the height
  w.ProcessKey(GraphicsKey::F5);
  EXPECT_EQ(w.mapping.zoom, (ZoomRect{1, 1, 639, 479}));

  // The configured pan step is used.
  storedSettings.panStep = 0.25L;
  w.ProcessKey(GraphicsKey::Left);
  EXPECT_EQ(w.mapping.zoom, (ZoomRect{161, 1, 799, 479}));  // round(159.5)

  w.MouseRightDown();
  EXPECT_EQ(w.mapping.zoom, (ZoomRect{1, 1, 639, 479}));
  w.MouseLeftDown(100, 50);
  w.MouseMove(200, 100);
  EXPECT_TRUE(w.dragging);
  EXPECT_EQ(w.band, (PixelBand{100, 50, 200, 100}));
  EXPECT_TRUE(w.MouseLeftUp(300, 250, 638, 478));
  EXPECT_FALSE(w.dragging);
  EXPECT_EQ(w.mapping.zoom, (ZoomRect{101, 229, 301, 429}));
  // A click without a band changes nothing.
  w.MouseLeftDown(10, 10);
  EXPECT_FALSE(w.MouseLeftUp(10, 10, 638, 478));
  EXPECT_EQ(w.mapping.zoom, (ZoomRect{101, 229, 301, 429}));

  w.mouseWheelZoom = false;
  EXPECT_FALSE(w.MouseWheel(-120));
  EXPECT_EQ(w.mapping.zoom, (ZoomRect{101, 229, 301, 429}));

  // Double click, then the left button: back to the whole picture.
  w.MouseDoubleClick();
  w.MouseLeftDown(5, 5);
  EXPECT_FALSE(w.dragging);
  EXPECT_EQ(w.mapping.zoom, (ZoomRect{0, 0, 640, 480}));
}

// ---------------------------------------------------------------------------
// Replay.

ReplayOptions OptionsAfterHeader() {
  ReplayOptions o = graphicsWindow.MakeReplayOptions();
  return o;
}

TEST_F(GraphicsWindowTest, ReplayDrawsEveryRecordOnThePainter) {
  GrHeader(0, 0, 160, 120);
  GrSetColor(4);
  GrLine(0, 0, 160, 120);
  GrCircle(80, 60, 12);
  GrArc(80, 60, 0, 90, 12, 90);
  GrSolid(10, 10, 20, 10, 20, 20, 10, 20);
  GrSetTextStyle(2, 0, 3.5L, 2.45L);
  GrOutText("Kettenrad", 20, 30);
  GrSetTextStyle(2, 90, 3.5L, 2.45L);
  GrOutText("z = 17", 20, 31);
  GrSetLineStyle(1);
  GrSetLineWidth(3);
  GrSleepMs(40);
  RecordingPainter painter;
  ReplayResult result = ReplayDisplayList(Window().displayList, painter, OptionsAfterHeader());
  EXPECT_EQ(result.recordsSkipped, 0u);
  EXPECT_EQ(result.recordsReplayed, Window().displayList.size());
  EXPECT_EQ(painter.Joined(),
            "style solid\nwidth 1\npen 0/0/128\nbrush 0/0/128\n"  // colour index 1 at start
            "style solid\n"                                       // 11;0 of the header
            "pen 255/0/0\nbrush 255/0/0\n"
            "move 1,479\nline 638,1\n"
            "ellipse 272,192 367,288\n"
            "arc 272,192 367,288 367,240 320,192\n"
            "polygon 41,439 81,439 81,399 41,399\n"
            "text 81,343 Arial h22 w4 e0 700 i 255/0/0 'Kettenrad'\n"
            "text 65,356 Arial h22 w4 e900 700 i 255/0/0 'z = 17'\n"
            "style dotted\nwidth 3\npause 40\n");
}

TEST_F(GraphicsWindowTest, ReplayAppliesTheCurrentZoomAtWindowRecords) {
  GrHeader(0, 0, 160, 120);
  GrLine(40, 30, 80, 60);
  Window().SetScale(1, 1, 320, 240);  // zoom after recording
  RecordingPainter painter;
  ReplayResult result = ReplayDisplayList(Window().displayList, painter, OptionsAfterHeader());
  EXPECT_EQ(result.mapping.zoom, (ZoomRect{1, 1, 320, 240}));
  EXPECT_NE(painter.Joined().find("move 320,240\nline 638,1\n"), std::string::npos)
      << painter.Joined();
}

TEST_F(GraphicsWindowTest, ReplayTextStyleFlagsAndFactors) {
  struct Case {
    int flags;
    const char* style;
  };
  const Case cases[] = {{0, " 100 "},        {1, " 700 "},  {6, " 100 i u "},
                        {15, " 700 i u s "}, {16, " 100 "}, {-1, " 100 "}};
  GrHeader(0, 0, 160, 120);
  GrOutText("x", 0, 0);  // default size 3.5 × 3.5
  for (const Case& c : cases) {
    ReplayOptions o = OptionsAfterHeader();
    o.textStyleFlags = c.flags;
    o.textFont = "Courier";
    RecordingPainter painter;
    ReplayDisplayList(Window().displayList, painter, o);
    EXPECT_NE(painter.Joined().find(std::string("Courier h14 w14 e0") + c.style), std::string::npos)
        << c.flags << painter.Joined();
  }
  // The configured height factor scales the glyphs, not the positions.
  storedSettings.graphicsTextHeightFactor = 2;
  RecordingPainter painter;
  Window().displayList = {"10;1;1;639;479;0;0;160;120", "9;3.5;2.45;2;0", "6;0;0;x"};
  ReplayDisplayList(Window().displayList, painter, OptionsAfterHeader());
  EXPECT_NE(painter.Joined().find("text 1,446 Arial h45 w4 e0 700 i"), std::string::npos)
      << painter.Joined();
}

TEST_F(GraphicsWindowTest, ColourZeroErasesAndMonochromeDrawsBlack) {
  ReplayOptions o = OptionsAfterHeader();
  o.background = {10, 20, 30};
  DisplayList list = {"8;0",  "7;0;0;1;0;1;1;0;1", "6;0;0;t", "8;9", "6;0;0;u",
                      "8;16", "6;0;0;v",           "8;42"};
  RecordingPainter colour;
  ReplayDisplayList(list, colour, o);
  EXPECT_EQ(colour.Count("pen 10/20/30"), 1u);
  EXPECT_EQ(colour.Count("brush 10/20/30"), 1u);
  EXPECT_NE(colour.Joined().find("10/20/30 't'"), std::string::npos);
  EXPECT_NE(colour.Joined().find("0/0/255 'u'"), std::string::npos);
  EXPECT_NE(colour.Joined().find("pen 0/0/0\nbrush 0/0/0\n"), std::string::npos);  // index 16
  // An unknown index changes nothing: no pen after "8;42".
  EXPECT_EQ(colour.calls.back().rfind("text", 0), 0u);

  o.colourDisplay = false;
  RecordingPainter mono;
  ReplayDisplayList({"8;9", "7;0;0;1;0;1;1;0;1", "6;0;0;u", "8;0", "6;0;0;t"}, mono, o);
  EXPECT_EQ(mono.Joined(),
            "style solid\nwidth 1\npen 0/0/0\nbrush 10/20/30\n"
            "pen 0/0/0\nbrush 10/20/30\n"
            "brush 0/0/0\npolygon 0,480 1,480 1,479 0,479\n"
            "text 0,477 Arial h4 w4 e0 700 i 0/0/0 'u'\n"
            "pen 10/20/30\nbrush 10/20/30\n"
            "text 0,477 Arial h4 w4 e0 700 i 10/20/30 't'\n");
}

TEST_F(GraphicsWindowTest, SingleStepShowsTheStepDialogOncePerColourZeroRecord) {
  DisplayList list = {"8;0", "4;0;0;1;1", "8;0", "8;3", "8;0"};
  int shown = 0;
  ReplayOptions o = OptionsAfterHeader();
  o.singleStep = true;
  o.stepDialog = [&] {
    ++shown;
    return true;
  };
  RecordingPainter painter;
  ReplayResult result = ReplayDisplayList(list, painter, o);
  EXPECT_EQ(shown, 3);
  EXPECT_TRUE(result.singleStep);

  // The dialog's end button switches single-stepping off for the rest.
  shown = 0;
  o.stepDialog = [&] {
    ++shown;
    return false;
  };
  result = ReplayDisplayList(list, painter, o);
  EXPECT_EQ(shown, 1);
  EXPECT_FALSE(result.singleStep);

  o.singleStep = false;
  shown = 0;
  ReplayDisplayList(list, painter, o);
  EXPECT_EQ(shown, 0);

  // Through the window: the mode is kept in the window state.
  Window().displayList = list;
  Window().singleStep = true;
  Window().stepDialog = [&] {
    ++shown;
    return false;
  };
  Window().Paint(painter);
  EXPECT_EQ(shown, 1);
  EXPECT_FALSE(Window().singleStep);
}

TEST_F(GraphicsWindowTest, PrintingSkipsPausesAndMapsToThePage) {
  GrHeader(0, 0, 160, 120);
  GrLine(0, 0, 160, 120);
  GrSleepMs(250);
  GrSetLineWidth(2);
  GrOutText("Blatt", 0, 0);
  RecordingPainter screen, printer;
  ReplayOptions o = OptionsAfterHeader();
  ReplayDisplayList(Window().displayList, screen, o);
  EXPECT_EQ(screen.Count("pause 250"), 1u);

  screen.calls.clear();
  o.printer = &printer;
  o.printScale = {2100, 2970, 10, 20, 1, 1};
  o.printFrame = true;
  o.printerColourMode = 1;
  ReplayDisplayList(Window().displayList, screen, o);
  EXPECT_EQ(screen.Count("pause"), 0u);
  EXPECT_EQ(printer.Count("pause"), 0u);
  // Texts go to the paper only while printing.
  EXPECT_EQ(screen.Count("text"), 0u);
  EXPECT_EQ(printer.Count("text"), 1u);
  EXPECT_EQ(screen.Count("width 2"), 1u);
  EXPECT_EQ(printer.Count("width 8"), 1u);
  // X = 100 + round(2100·X'/640), Y = 200 + round(2970·Y'/480).
  EXPECT_NE(printer.Joined().find("move 103,3164\nline 2195,206\n"), std::string::npos)
      << printer.Joined();
  // The frame around the limits comes first, in colour 11; mono printing
  // then draws black on the background.
  EXPECT_EQ(printer.calls[4], "pen 0/255/255");
  EXPECT_EQ(printer.calls[5], "move 103,3164");
  EXPECT_EQ(printer.Count("pen 0/0/0"), 2u);
}

TEST_F(GraphicsWindowTest, DamagedRecordsAreSkipped) {
  DisplayList list = {
      "",
      "4",
      "4;1;2;3",  // one field short
      "4;1;2;3;x",
      "4;1e5000;0;0;0",  // not a finite number
      "3;nan;1;1",
      "6;1;2",               // text record without its text
      "10;0;0;0;0;0;0;1;1",  // window without area
      "10;1;1;639;479;5;5;5;9",
      "99;1;2",
      "abc;1",
      "\x01\xff;;;",
      "4;1e300;-1e300;0;0",  // far off, but numbers
      "13;1e30",
      "12;-5",
      "6;1;2;",  // empty text is fine
  };
  RecordingPainter painter;
  ReplayResult result = ReplayDisplayList(list, painter, OptionsAfterHeader());
  EXPECT_EQ(result.recordsSkipped, 12u);
  EXPECT_EQ(result.recordsReplayed, 4u);
  EXPECT_EQ(result.mapping.limits, (WorldRect{}));
  EXPECT_EQ(painter.Count("pause 1073741824"), 1u);
  EXPECT_EQ(painter.Count("width 0"), 1u);
}

TEST_F(GraphicsWindowTest, MessagesArePumpedOnLongLists) {
  DisplayList list(120000, "4;0;0;1;1");
  int pumped = 0;
  ReplayOptions o = OptionsAfterHeader();
  o.processMessages = [&] { ++pumped; };
  RecordingPainter painter;
  ReplayDisplayList(list, painter, o);
  EXPECT_EQ(pumped, 2);
}

// ---------------------------------------------------------------------------
// Logo, texts, files.

TEST_F(GraphicsWindowTest, LogoIsSixtyQuadsInTheLogoWindow) {
  GrLogo();
  const DisplayList& list = Window().displayList;
  ASSERT_FALSE(list.empty());
  EXPECT_EQ(list[0], "10;1;1;639;479;-1;-1;38;33");
  int quads = 0;
  std::vector<std::string> colours;
  for (const std::string& r : list) {
    if (r.rfind("8;", 0) == 0) colours.push_back(r);
    if (r.rfind("7;", 0) != 0) continue;
    ++quads;
    std::stringstream fields(r.substr(2));
    std::string f;
    for (int i = 0; std::getline(fields, f, ';'); ++i) {
      const double v = std::stod(f);
      EXPECT_GE(v, -1) << r;
      EXPECT_LE(v, i % 2 == 0 ? 38 : 33) << r;
    }
  }
  EXPECT_EQ(quads, 60);
  EXPECT_EQ(colours, (std::vector<std::string>{"8;9", "8;13"}));
}

TEST_F(GraphicsWindowTest, OutTextConvertsForDisplayAndKeepsOneLine) {
  transliterate = 1;
  GrOutText("Zähnezahl 17°", 1, 2);
  Window().OutTextXY("zwei\nZeilen", 1, 2);
  EXPECT_EQ(Window().displayList[0], "6;1;2;Zaehnezahl 17deg");
  EXPECT_EQ(Window().displayList[1], "6;1;2;zwei Zeilen");
}

TEST_F(GraphicsWindowTest, CheckFileReportsAMissingFile) {
  TempFolder folder;
  WriteFileBytes(folder.File("da.dx$"), "0\nEOF\n");
  EXPECT_TRUE(GrCheckFile(folder.File("da.dx$")));
  EXPECT_FALSE(abortFlag);
  EXPECT_TRUE(platform_.Messages().empty());

  EXPECT_FALSE(GrCheckFile(folder.File("weg.dx$")));
  EXPECT_TRUE(abortFlag);
  ASSERT_EQ(platform_.Messages().size(), 1u);
  EXPECT_EQ(platform_.Messages()[0].text, folder.File("weg.dx$") + " nicht gefunden !");

  abortFlag = false;
  EXPECT_FALSE(GrCheckFile(folder.path()));  // a folder cannot be read as a file
  EXPECT_TRUE(abortFlag);
}

TEST_F(GraphicsWindowTest, DisplayListFileRoundTrip) {
  TempFolder folder;
  GrHeader(0, 0, 160, 120);
  GrSetColor(3);
  GrOutText("Teilung p = 12,7; z1 = 17", 10, 20);
  GrArc(0, 0, 0, 270, 5, 270);
  ASSERT_TRUE(SaveDisplayList(folder.File("bild.kdl"), Window().displayList, 1280, 1024));
  EXPECT_EQ(ReadFileBytes(folder.File("bild.kdl")).substr(0, 38),
            "KV5 display list;1280;1024\n10;1;1;639;");
  std::optional<DisplayListFile> file = LoadDisplayList(folder.File("bild.kdl"));
  ASSERT_TRUE(file);
  EXPECT_EQ(file->areaWidth, 1280);
  EXPECT_EQ(file->areaHeight, 1024);
  EXPECT_EQ(file->records, Window().displayList);

  // Files of plain records (CR LF too) load without an area.
  WriteFileBytes(folder.File("roh.kdl"), "8;4\r\n4;0;0;1;1\r\n");
  file = LoadDisplayList(folder.File("roh.kdl"));
  ASSERT_TRUE(file);
  EXPECT_EQ(file->areaWidth, 0);
  EXPECT_EQ(file->records, (DisplayList{"8;4", "4;0;0;1;1"}));

  EXPECT_FALSE(LoadDisplayList(folder.File("fehlt.kdl")));
  EXPECT_FALSE(SaveDisplayList(folder.File("kein/ordner.kdl"), {}, 0, 0));
}

TEST_F(GraphicsWindowTest, TruncatedOrGarbageFilesReplayWithoutCrash) {
  TempFolder folder;
  GrLogo();
  ASSERT_TRUE(SaveDisplayList(folder.File("logo.kdl"), Window().displayList, 640, 480));
  const std::string whole = ReadFileBytes(folder.File("logo.kdl"));
  std::string garbage;
  for (int i = 0; i < 4000; ++i) garbage += static_cast<char>((i * 7919 + 13) % 256);
  const std::string contents[] = {whole.substr(0, whole.size() / 2), whole.substr(0, 20),
                                  "KV5 display list;x", garbage, whole.substr(100) + garbage};
  for (const std::string& bytes : contents) {
    WriteFileBytes(folder.File("kaputt.kdl"), bytes);
    std::optional<DisplayListFile> file = LoadDisplayList(folder.File("kaputt.kdl"));
    ASSERT_TRUE(file);
    RecordingPainter painter;
    ReplayResult result = ReplayDisplayList(file->records, painter, OptionsAfterHeader());
    EXPECT_EQ(result.recordsReplayed + result.recordsSkipped, file->records.size());
  }
  // Half the logo still draws its first quads.
  WriteFileBytes(folder.File("halb.kdl"), whole.substr(0, whole.size() / 2));
  RecordingPainter painter;
  ReplayDisplayList(LoadDisplayList(folder.File("halb.kdl"))->records, painter,
                    OptionsAfterHeader());
  EXPECT_GT(painter.Count("polygon"), 20u);
}

}  // namespace
}  // namespace kv5
