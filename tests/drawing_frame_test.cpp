#include "graphics/drawing_frame.h"

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "cad/block_files.h"
#include "cad/cad_channel.h"
#include "dialogs/file_checks.h"
#include "graphics/drawing_info.h"
#include "graphics/frame_settings.h"
#include "model/project_file.h"
#include "tests/cad_test_support.h"
#include "text/codepage.h"
#include "text/configuration.h"
#include "text/string_routines.h"

namespace kv5 {
namespace {

using testing::CadTest;
using testing::SplitFields;
using testing::WriteFileBytes;

// One drawn primitive of the display list with the pen and text style in
// force when it was drawn.
struct Shape {
  int code = 0;
  int pen = -1;  // pens 3, 4, 5 (recognised by their colours), else -1
  std::vector<double> v;
  std::string text;
  double height = 0, width = 0, angle = 0;
  int font = -1;
};

// Display list records keep 8 significant digits.
constexpr double kTol = 2e-5;
constexpr int kAnyPen = -2;

bool Near(double a, double b) {
  return std::fabs(a - b) < kTol;
}

// A hand-made snippet: one line from (0, 0) to (1, 0).
const std::string kUnitLineSnippet =
    "  0\r\nLINE\r\n  8\r\n0\r\n 10\r\n0\r\n 20\r\n0\r\n 11\r\n1\r\n 21\r\n0\r\n  0\r\nEOF\r\n";

class DrawingFrameTest : public CadTest {
 protected:
  void SetUp() override {
    CadTest::SetUp();
    // Distinct colours, so that the display list shows the pen.
    storedSettings.pens[3].colour = 3;
    storedSettings.pens[4].colour = 4;
    storedSettings.pens[5].colour = 5;
    storedSettings.unlabelled.titleFlags[2] = true;  // no clock in the footer: runs compare
  }
  static UnlabelledValues& U() { return storedSettings.unlabelled; }
  static void UseStyle(int style, int border) {
    U().titleBlockStyle = style;
    U().isoBorder = border;
  }
  void Snippet(const std::string& name) {
    WriteFileBytes(folder_.File("$" + name + ".dx$"), kUnitLineSnippet);
  }
  void BeginScreen() {
    CadBegin(kCadScreen);
    SetSheetLimits(4);
    CadBeginEntities();
    first_ = graphicsWindow.displayList.size();
  }
  // The frame drawn straight into a screen run.
  std::vector<Shape> DrawOnScreen(const std::string& name = "Rad 1", const std::string& name2 = "Z",
                                  const std::string& number = "N-1") {
    BeginScreen();
    DrawFrame(4, name, name2, number);
    return Shapes();
  }
  // The frame as the production drawings make it: the body of FRAME_1,
  // inserted at (0, 0).
  std::vector<Shape> DrawAsBlock() {
    CadBegin(kCadScreen);
    SetSheetLimits(4);
    CadBeginBlocks();
    CadBeginBlock("FRAME_1");
    DrawFrame(4, "Rad 1", "Z", "N-1");
    CadEndBlock();
    CadEndSection();
    CadBeginEntities();
    first_ = graphicsWindow.displayList.size();
    CadInsert("FRAME_1", 0, 0, 0, 1, 1);
    return Shapes();
  }
  std::vector<Shape> Shapes() const {
    std::vector<Shape> shapes;
    int colour = -1;
    double height = 0, width = 0, angle = 0;
    int font = -1;
    const DisplayList& list = graphicsWindow.displayList;
    for (size_t i = 0; i < list.size(); ++i) {
      std::vector<std::string> f = SplitFields(list[i], ';');
      const int code = ParseInt(f[0]);
      if (code == kRecordColour) colour = ParseInt(f[1]);
      if (code == kRecordTextStyle) {
        height = static_cast<double>(ParseNumber(f[1]));
        width = static_cast<double>(ParseNumber(f[2]));
        font = ParseInt(f[3]);
        angle = static_cast<double>(ParseNumber(f[4]));
      }
      if (i < first_ || (code != kRecordLine && code != kRecordText)) continue;
      Shape s;
      s.code = code;
      s.pen = colour == 10 ? 3 : colour == 11 ? 4 : colour == 9 ? 5 : -1;
      const size_t numbers = code == kRecordText ? 3 : f.size();
      for (size_t k = 1; k < numbers; ++k) s.v.push_back(static_cast<double>(ParseNumber(f[k])));
      if (code == kRecordText) {
        const size_t at = list[i].find(';', list[i].find(';', list[i].find(';') + 1) + 1);
        s.text = list[i].substr(at + 1);
        s.height = height;
        s.width = width;
        s.angle = angle;
        s.font = font;
      }
      shapes.push_back(s);
    }
    return shapes;
  }
  size_t first_ = 0;
};

bool HasLine(const std::vector<Shape>& shapes, int pen, double x1, double y1, double x2,
             double y2) {
  for (const Shape& s : shapes) {
    if (s.code != kRecordLine || (pen != kAnyPen && s.pen != pen)) continue;
    const bool forward =
        Near(s.v[0], x1) && Near(s.v[1], y1) && Near(s.v[2], x2) && Near(s.v[3], y2);
    const bool backward =
        Near(s.v[0], x2) && Near(s.v[1], y2) && Near(s.v[2], x1) && Near(s.v[3], y1);
    if (forward || backward) return true;
  }
  return false;
}

bool HasRectangle(const std::vector<Shape>& shapes, int pen, double x1, double y1, double x2,
                  double y2) {
  return HasLine(shapes, pen, x1, y1, x2, y1) && HasLine(shapes, pen, x2, y1, x2, y2) &&
         HasLine(shapes, pen, x2, y2, x1, y2) && HasLine(shapes, pen, x1, y2, x1, y1);
}

const Shape* FindText(const std::vector<Shape>& shapes, const std::string& text) {
  for (const Shape& s : shapes)
    if (s.code == kRecordText && s.text == text) return &s;
  return nullptr;
}

int CountTexts(const std::vector<Shape>& shapes, const std::string& text) {
  int n = 0;
  for (const Shape& s : shapes) n += s.code == kRecordText && s.text == text;
  return n;
}

const Shape* TextAt(const std::vector<Shape>& shapes, double x, double y) {
  for (const Shape& s : shapes)
    if (s.code == kRecordText && Near(s.v[0], x) && Near(s.v[1], y)) return &s;
  return nullptr;
}

bool HasTextAt(const std::vector<Shape>& shapes, const std::string& text, double x, double y) {
  for (const Shape& s : shapes)
    if (s.code == kRecordText && s.text == text && Near(s.v[0], x) && Near(s.v[1], y)) return true;
  return false;
}

void SetChanges(int count) {
  documentData.changeCount = static_cast<short>(count);
  for (int n = 1; n <= count; ++n) {
    AendRecord& c = documentData.changes[n];
    c.changeText = "C" + std::to_string(n);
    c.changeDate = "D" + std::to_string(n);
    c.changeBy = "B" + std::to_string(n);
    c.description = "Zeile 1\r\nZeile " + std::to_string(n);
  }
}

TEST_F(DrawingFrameTest, EachStyleHasItsOutlineOriginAndBorders) {
  struct Case {
    int style, border;
    double ox, oy, w, h;
    bool wideIsoBorder;
    double numberX, numberY;  // drawing number in title block coordinates
  };
  const Case cases[] = {
      {1, 1, 20, 10, 180, 27, true, 130, 12},
      {1, 0, 25, 5, 180, 27, false, 130, 12},
      {2, 1, 20, 10, 180, 36, true, 130, 12},
      {2, 0, 25, 5, 180, 36, false, 130, 12},
      {0, 1, 17.9, 5, 187.2, 38.25, false, 100.8, 7.375},
      {0, 0, 17.9, 5, 187.2, 38.25, false, 100.8, 7.375},
      {3, 1, 17.9, 5, 187.2, 55.25, false, 100.8, 7.375},
      {3, 0, 17.9, 5, 187.2, 55.25, false, 100.8, 7.375},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("style " + std::to_string(c.style) + " border " + std::to_string(c.border));
    UseStyle(c.style, c.border);
    const std::vector<Shape> shapes = DrawOnScreen();
    EXPECT_TRUE(HasRectangle(shapes, 5, c.ox, c.oy, c.ox + c.w, c.oy + c.h));
    EXPECT_TRUE(HasRectangle(shapes, 3, 0, 0, 210, 297));
    EXPECT_EQ(HasRectangle(shapes, 5, 20, 10, 200, 287), c.wideIsoBorder);
    EXPECT_EQ(HasRectangle(shapes, 5, 17.9, 5, 205.1, 292), !c.wideIsoBorder);
    const Shape* number = FindText(shapes, "N-1");
    ASSERT_NE(number, nullptr);
    EXPECT_NEAR(number->v[0], c.ox + c.numberX, kTol);
    EXPECT_NEAR(number->v[1], c.oy + c.numberY, kTol);
    EXPECT_EQ(number->pen, 5);
    const Shape* name2 = FindText(shapes, "Z");
    ASSERT_NE(name2, nullptr);
    EXPECT_EQ(name2->pen, 4);
    EXPECT_EQ(cadState.originX, 0);
    EXPECT_EQ(cadState.originY, 0);
  }
}

TEST_F(DrawingFrameTest, IsoLayoutsPlaceTheirFields) {
  DrawingInfo& info = documentData.drawingInfo;
  info.createdBy = "Erst";
  info.approvedBy = "Gen";
  info.standardBy = "TRef";
  info.responsibleDept = "Abt";
  info.documentType = "Art";
  info.documentStatus = "Stat";
  struct Case {
    int style;
    double createdX, createdY, approvedX, approvedY, standardX, standardY, statusX, statusY;
    double statusLabelX, statusLabelY;
  };
  const Case cases[] = {
      {1, 33, 11, 33, 2, 33, 20, 138, 20, 136, 24.5},
      {2, 76, 29, 118, 29, 33, 29, 130, 20, 129, 24.5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("style " + std::to_string(c.style));
    UseStyle(c.style, 1);
    const std::vector<Shape> s = DrawOnScreen();
    EXPECT_TRUE(HasTextAt(s, "Erst", 20 + c.createdX, 10 + c.createdY));
    EXPECT_TRUE(HasTextAt(s, "Gen", 20 + c.approvedX, 10 + c.approvedY));
    EXPECT_TRUE(HasTextAt(s, "TRef", 20 + c.standardX, 10 + c.standardY));
    EXPECT_TRUE(HasTextAt(s, "Stat", 20 + c.statusX, 10 + c.statusY));
    EXPECT_TRUE(HasTextAt(s, "Dokumentenstatus", 20 + c.statusLabelX, 10 + c.statusLabelY));
    EXPECT_TRUE(HasTextAt(s, "Titel, Zusätzlicher Titel", 95, 25.5));
    EXPECT_TRUE(HasTextAt(s, FormatIsoDate(), 158, 12));
    EXPECT_TRUE(HasTextAt(s, "de", 182, 12));
    const Shape* label = FindText(s, "Ausgabedatum");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->pen, 3);
    EXPECT_NEAR(label->height, 1.6, kTol);
    EXPECT_EQ(FindText(s, "Stat")->pen, 4);
  }
}

TEST_F(DrawingFrameTest, DinLayoutFieldsAndReplacementNotes) {
  DrawingInfo& info = documentData.drawingInfo;
  info.createdDate = "01.02.2024";
  info.releaseBy = "Frei";
  info.replacementFor = "";
  info.replacedBy = "X-2";
  storedSettings.defaults3d.approvalLabel = "Freig.";
  ownerName = "Muster GmbH";
  UseStyle(3, 1);
  const std::vector<Shape> s = DrawOnScreen();
  const double ox = 17.9, oy = 5;
  EXPECT_TRUE(HasTextAt(s, "01.02.2024", ox + 66, oy + 30.75));
  EXPECT_TRUE(HasTextAt(s, "Frei", ox + 81.6, oy + 18));
  EXPECT_TRUE(HasTextAt(s, "Freig.", ox + 55.6, oy + 18));
  EXPECT_TRUE(HasTextAt(s, "Bearb.", ox + 55.6, oy + 30.75));
  EXPECT_TRUE(HasTextAt(s, "Ersetzt durch X-2", ox + 144, oy + 1));
  EXPECT_EQ(TextAt(s, ox + 99.8, oy + 1), nullptr);  // empty "Ersatz für" is left out
  EXPECT_TRUE(HasTextAt(s, "Muster GmbH", ox + 55.6, oy + 1));
  // The full layout's extra rows and the lines every DIN block has.
  EXPECT_TRUE(HasLine(s, 4, ox, oy + 38.25, ox + 187.2, oy + 38.25));
  EXPECT_TRUE(HasLine(s, 3, ox + 150.8, oy + 48.875, ox + 150.8, oy + 55.25));
  EXPECT_TRUE(HasLine(s, 3, ox + 174.2, oy + 4.25, ox + 174.2, oy + 17));
  EXPECT_TRUE(HasLine(s, 3, ox, oy + 34, ox + 54.6, oy + 34));
  EXPECT_TRUE(HasLine(s, 3, ox + 54.6, oy + 21.25, ox + 98.8, oy + 21.25));

  UseStyle(0, 1);
  const std::vector<Shape> minimal = DrawOnScreen();
  EXPECT_FALSE(HasLine(minimal, 4, ox, oy + 38.25, ox + 187.2, oy + 38.25));
  EXPECT_TRUE(HasLine(minimal, 3, ox + 80.6, oy + 17, ox + 80.6, oy + 38.25));
}

TEST_F(DrawingFrameTest, DinStylesIgnoreTheIsoBorderSetting) {
  for (int style : {0, 3}) {
    UseStyle(style, 0);
    DrawOnScreen();
    const DisplayList narrow = graphicsWindow.displayList;
    UseStyle(style, 1);
    DrawOnScreen();
    EXPECT_EQ(graphicsWindow.displayList, narrow) << style;
  }
}

TEST_F(DrawingFrameTest, FrameOffGivesAnEmptyBlockButStillSuppressesTheCornerLogos) {
  Snippet("LOGO_2");
  // Without the frame the entity section replays the corner logo ...
  CadBegin(kCadScreen);
  SetSheetLimits(4);
  size_t before = graphicsWindow.displayList.size();
  CadBeginEntities();
  EXPECT_GT(graphicsWindow.displayList.size(), before);

  U().titleFlags[5] = true;
  // ... with a frame block whose frame is switched off it does not.
  CadBegin(kCadScreen);
  SetSheetLimits(4);
  CadBeginBlocks();
  CadBeginBlock("FRAME_1");
  DrawFrame(4, "Rad 1", "Z", "N-1");
  CadEndBlock();
  CadEndSection();
  EXPECT_EQ(cadState.logoMode, 2);
  before = graphicsWindow.displayList.size();
  CadBeginEntities();
  first_ = graphicsWindow.displayList.size();
  CadInsert("FRAME_1", 0, 0, 0, 1, 1);
  EXPECT_TRUE(Shapes().empty());
  for (size_t i = before; i < graphicsWindow.displayList.size(); ++i)
    EXPECT_NE(ParseInt(SplitFields(graphicsWindow.displayList[i], ';')[0]), kRecordLine);
}

TEST_F(DrawingFrameTest, SlashStandsForAnEmptyDocumentText) {
  UseStyle(2, 1);
  std::vector<Shape> s = DrawOnScreen(" / ", "/", "/ ");
  for (const Shape& shape : s)
    if (shape.code == kRecordText) {
      EXPECT_NE(TrimBlanks(shape.text), "/");
    }
  EXPECT_EQ(TextAt(s, 96, 18.5), nullptr);
  s = DrawOnScreen("a/b", "/", "/");
  EXPECT_TRUE(HasTextAt(s, "a/b", 96, 18.5));
}

TEST_F(DrawingFrameTest, NineChangesShowChangesTwoToNine) {
  SetChanges(9);
  UseStyle(0, 1);
  std::vector<Shape> din = DrawOnScreen();
  EXPECT_EQ(FindText(din, "C1"), nullptr);
  for (int n = 2; n <= 9; ++n) {
    const double y = 5 + 4.25 * (n - 1) + 1;
    EXPECT_TRUE(HasTextAt(din, "C" + std::to_string(n), 17.9 + 8.8, y)) << n;
    EXPECT_TRUE(HasTextAt(din, std::string(1, static_cast<char>('a' + n - 1)), 18.9, y)) << n;
    EXPECT_TRUE(HasTextAt(din, "B" + std::to_string(n), 17.9 + 47.8, y)) << n;
  }

  U().frameFlags[2] = true;  // the ISO revision table
  UseStyle(2, 1);
  std::vector<Shape> iso = DrawOnScreen();
  const double b = 10 + 36;
  for (int i = 1; i <= 9; ++i) EXPECT_TRUE(HasLine(iso, 3, 20, b + 3.5 * i, 200, b + 3.5 * i)) << i;
  EXPECT_FALSE(HasLine(iso, 3, 20, b + 35, 200, b + 35));
  for (double x : {0.0, 8.0, 25.0, 40.0, 70.0})
    EXPECT_TRUE(HasLine(iso, 3, 20 + x, b, 20 + x, b + 31.5)) << x;
  EXPECT_FALSE(HasLine(iso, 3, 200, b, 200, b + 31.5));  // the right end stays open
  EXPECT_TRUE(HasTextAt(iso, "Beschreibung", 91, b + 0.9));
  EXPECT_EQ(FindText(iso, "C1"), nullptr);
  EXPECT_TRUE(HasTextAt(iso, "C2", 61, b + 3.5 + 0.9));
  EXPECT_TRUE(HasTextAt(iso, "C9", 61, b + 3.5 * 8 + 0.9));
  EXPECT_TRUE(HasTextAt(iso, "i", 21, b + 3.5 * 8 + 0.9));
  EXPECT_TRUE(HasTextAt(iso, "Zeile 1  Zeile 9", 91, b + 3.5 * 8 + 0.9));
  const Shape* header = FindText(iso, "Index");
  ASSERT_NE(header, nullptr);
  EXPECT_NEAR(header->height, 1.75, kTol);
  EXPECT_NEAR(header->width, 0.95 * 1.3125, kTol);
}

TEST_F(DrawingFrameTest, HeadSnippetsSitOnTopOfTitleBlockAndRevisionTable) {
  Snippet("head_0");
  Snippet("head_4");
  Snippet("insert_0");
  U().frameFlags[3] = true;
  U().frameFlags[4] = true;
  struct Case {
    int style, changes;
    bool table;
    double ox, oy, h;
  };
  const Case cases[] = {
      {2, 9, true, 20, 10, 67.5}, {2, 9, false, 20, 10, 36},    {1, 3, true, 20, 10, 41},
      {1, 0, true, 20, 10, 27},   {0, 9, true, 17.9, 5, 38.25}, {3, 2, true, 17.9, 5, 55.25},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("style " + std::to_string(c.style) + " changes " + std::to_string(c.changes));
    SetChanges(c.changes);
    U().frameFlags[2] = c.table;
    UseStyle(c.style, 1);
    const std::vector<Shape> s = DrawAsBlock();
    int heads = 0, inserts = 0;
    for (const Shape& shape : s) {
      if (shape.code != kRecordLine) continue;  // the snippet's own layer
      if (Near(shape.v[0], c.ox) && Near(shape.v[1], c.oy + c.h) && Near(shape.v[2], c.ox + 1))
        ++heads;
      if (Near(shape.v[0], c.ox) && Near(shape.v[1], c.oy) && Near(shape.v[2], c.ox + 1) &&
          Near(shape.v[3], c.oy))
        ++inserts;
    }
    EXPECT_EQ(heads, 2);  // head_0 and head_4
    EXPECT_EQ(inserts, 1);
  }
}

TEST_F(DrawingFrameTest, SnippetsAreOnlyReplayedOnScreen) {
  Snippet("head_0");
  Snippet("logo_1");
  U().frameFlags[3] = true;
  ownerName = "Muster GmbH";
  UseStyle(2, 1);
  AnswerSaveDialog(folder_.File("frame.dxf"));
  CadBegin(kCadDxf);
  SetSheetLimits(4);
  CadTables(0);
  CadBeginEntities();
  DrawFrame(4, "Rad 1", "Z", "N-1");
  CadEndSection();
  CadEnd();
  ASSERT_FALSE(abortFlag);
  const std::vector<std::string> lines = Lines("frame.dxf");
  bool ownerWritten = false;
  for (const std::string& line : lines) {
    ownerWritten = ownerWritten || line == "Muster GmbH";
    EXPECT_NE(LowerCase(line), "logo_1");
    EXPECT_NE(LowerCase(line), "head_0");
  }
  EXPECT_TRUE(ownerWritten);
}

TEST_F(DrawingFrameTest, LogoSnippetReplacesTheOwnerNameOnScreen) {
  ownerName = "Muster GmbH";
  struct Case {
    int style;
    double x, y, xscale, yscale;
  };
  const Case cases[] = {{1, 22, 14, 0.7, 0.9}, {2, 23, 14, 1.75, 1.75}, {0, 74.9, 10, 1, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE("style " + std::to_string(c.style));
    UseStyle(c.style, 1);
    std::filesystem::remove(folder_.File("$logo_1.dx$"));
    std::vector<Shape> s = DrawOnScreen();
    const Shape* owner = TextAt(s, c.style == 0 ? 73.5 : 21.5, c.style == 0 ? 6 : 14);
    ASSERT_NE(owner, nullptr);
    EXPECT_EQ(owner->text, "Muster GmbH");
    if (c.style != 0) {
      EXPECT_EQ(owner->font, 0);
      EXPECT_EQ(owner->pen, 4);
      EXPECT_LT(owner->height, c.style == 1 ? 8 : 16);  // fitted into its field
    }

    Snippet("logo_1");
    s = DrawAsBlock();
    EXPECT_TRUE(HasLine(s, kAnyPen, c.x, c.y, c.x + c.xscale, c.y));
    EXPECT_EQ(CountTexts(s, "Muster GmbH"), c.style == 0 ? 1 : 0);
  }
  // Logo switched off: neither snippet nor name.
  U().titleFlags[3] = true;
  UseStyle(2, 1);
  std::vector<Shape> s = DrawAsBlock();
  EXPECT_FALSE(HasLine(s, kAnyPen, 23, 14, 24.75, 14));
  EXPECT_EQ(FindText(s, "Muster GmbH"), nullptr);
}

TEST_F(DrawingFrameTest, RevisionLabels) {
  struct Case {
    int style, n;
    const char* label;
  };
  const Case cases[] = {{0, 1, "a"}, {0, 25, "y"}, {1, 1, "1"}, {1, 12, "12"},
                        {2, 1, "A"}, {2, 3, "C"},  {3, 1, ""},  {-1, 1, ""}};
  for (const Case& c : cases) EXPECT_EQ(RevisionLabel(c.style, c.n), c.label) << c.style << c.n;
}

TEST_F(DrawingFrameTest, CurrentRevisionLabelFollowsTheRule) {
  struct Case {
    bool zeroBased;
    int changes, index;
    const char* label;
  };
  const Case cases[] = {{false, 0, 0, "A"}, {false, 1, 0, "B"}, {false, 3, 1, "D"},
                        {true, 0, 0, " "},  {true, 0, 1, " "},  {true, 3, 0, "c"},
                        {true, 3, 1, "3"},  {true, 3, 2, "C"},  {true, 3, 3, ""}};
  for (const Case& c : cases) {
    U().lastFlags[0] = c.zeroBased;
    SetChanges(c.changes);
    storedSettings.defaults3d.indexStyle = c.index;
    EXPECT_EQ(CurrentRevisionLabel(), c.label) << c.zeroBased << " " << c.changes << " " << c.index;
  }
  // The "Änd." field of the ISO block shows it.
  U().lastFlags[0] = false;
  SetChanges(0);
  UseStyle(1, 1);
  EXPECT_TRUE(HasTextAt(DrawOnScreen(), "A", 150, 12));
}

TEST_F(DrawingFrameTest, IndexStyleThreeWritesNoLabels) {
  SetChanges(2);
  U().frameFlags[2] = true;
  storedSettings.defaults3d.indexStyle = 3;
  UseStyle(0, 1);
  std::vector<Shape> din = DrawOnScreen();
  EXPECT_TRUE(HasTextAt(din, "C1", 26.7, 10.25));
  EXPECT_EQ(TextAt(din, 18.9, 10.25), nullptr);
  EXPECT_EQ(TextAt(din, 18.9, 14.5), nullptr);
  UseStyle(2, 1);
  std::vector<Shape> iso = DrawOnScreen();
  EXPECT_TRUE(HasTextAt(iso, "C2", 61, 46 + 7 + 0.9));
  EXPECT_EQ(TextAt(iso, 21, 46 + 7 + 0.9), nullptr);

  storedSettings.defaults3d.indexStyle = 0;
  UseStyle(0, 1);
  EXPECT_TRUE(HasTextAt(DrawOnScreen(), "b", 18.9, 14.5));
}

TEST_F(DrawingFrameTest, DrawingTextWithHeightZeroKeepsTheStyleInForce) {
  documentData.drawingTextCount = 3;
  documentData.drawingTexts[0] = {50, 60, 0, 0, "erst", 4};
  documentData.drawingTexts[1] = {50, 70, 5, 0, "zwei", 5};
  documentData.drawingTexts[2] = {50, 80, 0, 45, "drei", 3};
  UseStyle(2, 1);
  struct Case {
    int sheets;
    bool drawn;
  };
  for (const Case& c : {Case{kSheetsA4, true}, Case{kSheetsA3, false}, Case{kSheetsA4A3, true},
                        Case{kSheetsNone, false}}) {
    documentData.drawingTextSheets = c.sheets;
    const std::vector<Shape> s = DrawOnScreen();
    const Shape* first = FindText(s, "erst");
    const Shape* second = FindText(s, "zwei");
    const Shape* third = FindText(s, "drei");
    ASSERT_EQ(first != nullptr, c.drawn) << c.sheets;
    if (!c.drawn) continue;
    ASSERT_NE(second, nullptr);
    ASSERT_NE(third, nullptr);
    // The first keeps the vertical style of the protection note.
    EXPECT_NEAR(first->height, 1.8, kTol);
    EXPECT_NEAR(first->angle, 90, kTol);
    EXPECT_EQ(first->pen, 4);
    EXPECT_NEAR(second->height, 5, kTol);
    EXPECT_NEAR(second->width, 0.95 * 4, kTol);
    EXPECT_NEAR(second->angle, 0, kTol);
    EXPECT_EQ(second->pen, 5);
    EXPECT_NEAR(third->height, 5, kTol);
    EXPECT_NEAR(third->angle, 0, kTol);  // its own angle is not used either
    EXPECT_EQ(third->pen, 3);
    EXPECT_NEAR(third->v[1], 80, kTol);
  }
}

TEST_F(DrawingFrameTest, ProtectionNoteInTheLeftMargin) {
  const std::string english = "Copying of this document and giving it to other and the use";
  const std::string german = "Weitergabe sowie Vervielfältigung dieser Unterlage, Ver-";
  const std::string lastEnglish = "of a patent or the registration of a utility model or design.";
  struct Case {
    int style, border;
    bool zones;
    double x;
  };
  const Case cases[] = {{2, 1, true, 3}, {2, 1, false, 4}, {1, 0, true, 4}, {0, 1, true, 4}};
  for (const Case& c : cases) {
    SCOPED_TRACE("style " + std::to_string(c.style) + " border " + std::to_string(c.border));
    UseStyle(c.style, c.border);
    U().frameFlags[0] = !c.zones;
    const std::vector<Shape> s = DrawOnScreen();
    EXPECT_TRUE(HasTextAt(s, english, c.x, 10));
    EXPECT_TRUE(HasTextAt(s, german, c.x, 190));
    EXPECT_TRUE(HasTextAt(s, lastEnglish, c.x + 4 * 2.7, 10));
    const Shape* note = FindText(s, english);
    ASSERT_NE(note, nullptr);
    EXPECT_NEAR(note->angle, 90, kTol);
    EXPECT_NEAR(note->height, 1.8, kTol);
    EXPECT_EQ(note->pen, 3);
  }
  U().noCopyrightNote = true;
  EXPECT_EQ(FindText(DrawOnScreen(), english), nullptr);
}

TEST_F(DrawingFrameTest, ZoneBorderAndScalesOnlyForIsoWithTheWideBorder) {
  struct Case {
    int style, border;
    bool shown;
  };
  const Case cases[] = {{1, 1, true},  {2, 1, true},  {1, 0, false}, {2, 0, false},
                        {0, 1, false}, {3, 1, false}, {0, 0, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE("style " + std::to_string(c.style) + " border " + std::to_string(c.border));
    UseStyle(c.style, c.border);
    const std::vector<Shape> s = DrawOnScreen();
    EXPECT_EQ(HasRectangle(s, 3, 16, 6, 204, 291), c.shown);
    EXPECT_EQ(CountTexts(s, "F"), c.shown ? 2 : 0);
    EXPECT_EQ(HasTextAt(s, "180", 200 - 3 * 0.5625, 294.6), c.shown);
  }
}

TEST_F(DrawingFrameTest, ZoneBorderDetails) {
  UseStyle(2, 1);
  std::vector<Shape> s = DrawOnScreen();
  const double dy = 277.0 / 6;
  for (int i = 0; i <= 4; ++i) {
    EXPECT_TRUE(HasLine(s, 3, 20 + 45 * i, 287, 20 + 45 * i, 291)) << i;
    EXPECT_TRUE(HasLine(s, 3, 20 + 45 * i, 10, 20 + 45 * i, 6)) << i;
  }
  EXPECT_TRUE(HasTextAt(s, "1", 42.5, 288));
  EXPECT_TRUE(HasTextAt(s, "4", 177.5, 7));
  EXPECT_TRUE(HasTextAt(s, "A", 17, 10 + dy / 2));
  EXPECT_TRUE(HasTextAt(s, "F", 201, 10 + 5 * dy + dy / 2));
  for (int j = 0; j <= 6; ++j) {
    EXPECT_TRUE(HasLine(s, 3, 20, 10 + j * dy, 16, 10 + j * dy)) << j;
    EXPECT_TRUE(HasLine(s, 3, 200, 10 + j * dy, 204, 10 + j * dy)) << j;
  }
  // Millimetre scale: a tick per millimetre above and right of the zones,
  // longer at 5 and 10.
  int across = 0, up = 0;
  for (const Shape& shape : s) {
    if (shape.code != kRecordLine) continue;
    if (Near(shape.v[1], 291) && Near(shape.v[0], shape.v[2]) && shape.v[3] > 291) ++across;
    if (Near(shape.v[0], 204) && Near(shape.v[1], shape.v[3]) && shape.v[2] > 204) ++up;
  }
  EXPECT_EQ(across, 181);
  EXPECT_EQ(up, 278);
  EXPECT_TRUE(HasLine(s, 3, 20, 291, 20, 294));
  EXPECT_TRUE(HasLine(s, 3, 25, 291, 25, 293.25));
  EXPECT_TRUE(HasLine(s, 3, 21, 291, 21, 292.5));
  EXPECT_TRUE(HasLine(s, 3, 204, 287, 205.5, 287));  // 277 mm
  EXPECT_TRUE(HasTextAt(s, "0", 20 - 0.5625, 294.6));
  const Shape* side = TextAt(s, 208.8, 280 - 3 * 0.5625);
  ASSERT_NE(side, nullptr);
  EXPECT_EQ(side->text, "270");
  EXPECT_NEAR(side->angle, 90, kTol);
  EXPECT_NEAR(side->height, 1.5, kTol);

  U().frameFlags[0] = true;  // no zones, scale stays
  s = DrawOnScreen();
  EXPECT_FALSE(HasRectangle(s, 3, 16, 6, 204, 291));
  EXPECT_EQ(FindText(s, "A"), nullptr);
  EXPECT_TRUE(HasTextAt(s, "180", 200 - 3 * 0.5625, 294.6));
  U().frameFlags[1] = true;  // nor the scale
  s = DrawOnScreen();
  EXPECT_EQ(FindText(s, "180"), nullptr);
  EXPECT_FALSE(HasLine(s, 3, 21, 291, 21, 292.5));
}

TEST_F(DrawingFrameTest, FooterAndProgramTitleLine) {
  U().titleFlags[2] = false;
  UseStyle(2, 1);
  std::vector<Shape> s = DrawOnScreen();
  const Shape* title = TextAt(s, 1, 300);
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->text, "KELMARO   KV5  V1.1");
  EXPECT_EQ(title->pen, 5);
  EXPECT_NEAR(title->height, 3.5, kTol);
  EXPECT_GE(static_cast<double>(cadState.limits.ymax), 300 + 3.5);
  EXPECT_NEAR(static_cast<double>(cadState.limits.xmin), -5, kTol);
  EXPECT_NEAR(static_cast<double>(cadState.limits.xmax), 215, kTol);
  const Shape* path = TextAt(s, 20, 1);
  ASSERT_NE(path, nullptr);
  EXPECT_EQ(path->text, ProjectFileName());
  EXPECT_EQ(path->pen, 3);
  EXPECT_NEAR(path->height, 1.5, kTol);
  const Shape* date = TextAt(s, 186, 1);
  ASSERT_NE(date, nullptr);
  EXPECT_EQ(date->text.substr(0, FormatDate().size() + 1), FormatDate() + " ");

  U().titleFlags[0] = true;
  U().titleFlags[1] = true;
  U().titleFlags[2] = true;
  s = DrawOnScreen();
  EXPECT_EQ(TextAt(s, 1, 300), nullptr);
  EXPECT_EQ(TextAt(s, 20, 1), nullptr);
  EXPECT_EQ(TextAt(s, 186, 1), nullptr);
}

TEST_F(DrawingFrameTest, LongProjectPathIsShortenedInTheFooter) {
  openedFromCommandLine = true;  // the project file name is the name as given
  const std::string umlauts = "/Projekte/Zahnräder/Übersicht/";
  struct Case {
    std::string path;
    std::string shown;
  };
  const std::string p150 = "/" + std::string(145, 'x') + ".kv5";
  const std::string p151 = "/" + std::string(146, 'x') + ".kv5";
  std::string pUml = umlauts;
  while (Utf8Length(pUml) < 151 - 4) pUml += "ö";
  pUml += ".kv5";
  ASSERT_EQ(Utf8Length(pUml), 151u);
  const Case cases[] = {
      {p150, p150},
      {p151, LeftStr(p151, 72) + " ... " + RightStr(p151, 73)},
      {pUml, LeftStr(pUml, 72) + " ... " + RightStr(pUml, 73)},
  };
  UseStyle(2, 1);
  for (const Case& c : cases) {
    projectName = c.path;
    const std::vector<Shape> s = DrawOnScreen();
    const Shape* path = TextAt(s, 20, 1);
    ASSERT_NE(path, nullptr);
    EXPECT_EQ(path->text, c.shown);
    EXPECT_LE(Utf8Length(path->text), 150u);
  }
  EXPECT_EQ(Utf8Length(cases[2].shown), 150u);
  EXPECT_EQ(cases[2].shown.substr(0, umlauts.size()), umlauts);
}

}  // namespace
}  // namespace kv5
