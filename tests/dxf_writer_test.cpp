#include "cad/dxf_writer.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <utility>

#include "cad/cad_channel.h"
#include "cad/cad_settings.h"
#include "dialogs/file_checks.h"
#include "tests/cad_test_support.h"
#include "text/configuration.h"
#include "text/numeric.h"
#include "text/string_routines.h"
#include "text/text_conversion.h"

namespace kv5 {
namespace {

using testing::CadTest;
using testing::FileLines;
using testing::ReadFileBytes;
using testing::StringSink;
using testing::WriteFileBytes;

using Pair = std::pair<const char*, const char*>;

// The lines of group code / value pairs.
std::vector<std::string> Pairs(std::initializer_list<Pair> pairs) {
  std::vector<std::string> lines;
  for (const Pair& p : pairs) {
    lines.push_back(p.first);
    lines.push_back(p.second);
  }
  return lines;
}

class DxfWriterTest : public CadTest {
 protected:
  DxfFormat Format(int decimals = 6, Real scale = 1) {
    DxfFormat format;
    format.decimals = decimals;
    format.scale = scale;
    return format;
  }
};

TEST_F(DxfWriterTest, GroupCodesAreRightAlignedInThreeColumns) {
  const std::pair<int, const char*> cases[] = {{0, "  0"},  {8, "  8"},   {10, " 10"},
                                               {42, " 42"}, {230, "230"}, {1000, "1000"}};
  for (const auto& [code, text] : cases) EXPECT_EQ(DxfGroupCode(code), text) << code;
}

TEST_F(DxfWriterTest, EntitiesHaveTheirExactGroups) {
  StringSink sink;
  DxfWriter w(sink, Format());
  CadTextStyle style;
  style.height = 3.5L;
  style.widthFactor = 0.7L;
  style.angle = 0;
  style.obliqueAngle = 15;
  w.Line("0", 0, 0, 12.5L, -3);
  w.Circle("KONTUR", 1, 2, 5);
  w.Arc("2", 0, 0, 10, 350, 10, 0);
  w.Arc("2", 0, 0, 10, 350, 10, -340);
  w.Arc("2", 0, 0, 10, 0, 90, 0.000001L);
  w.Text("3", "M 1:1", 5, 6, style);
  w.Solid("4", 0, 0, 1, 0, 0, 1, 1, 1);
  w.Insert("5", "RAD1VA", 10, 5, 2, 3, 30);
  EXPECT_EQ(sink.lines, Pairs({{"  0", "LINE"},      {"  8", "0"},           {" 10", "0.000000"},
                               {" 20", "0.000000"},  {" 11", "12.500000"},   {" 21", "-3.000000"},
                               {"  0", "CIRCLE"},    {"  8", "KONTUR"},      {" 10", "1.000000"},
                               {" 20", "2.000000"},  {" 40", "5.000000"},    {"  0", "ARC"},
                               {"  8", "2"},         {" 10", "0.000000"},    {" 20", "0.000000"},
                               {" 40", "10.000000"}, {" 50", "350.000000"},  {" 51", "10.000000"},
                               {"  0", "ARC"},       {"  8", "2"},           {" 10", "0.000000"},
                               {" 20", "0.000000"},  {" 40", "10.000000"},   {" 50", "350.000000"},
                               {" 51", "10.000000"}, {"230", "-340.000000"}, {"  0", "ARC"},
                               {"  8", "2"},         {" 10", "0.000000"},    {" 20", "0.000000"},
                               {" 40", "10.000000"}, {" 50", "0.000000"},    {" 51", "90.000000"},
                               {"  0", "TEXT"},      {"  8", "3"},           {" 10", "5.000000"},
                               {" 20", "6.000000"},  {" 40", "3.500000"},    {"  1", "M 1:1"},
                               {"  7", "STANDARD"},  {" 41", "0.7"},         {" 50", "0"},
                               {" 51", "15"},        {"  0", "SOLID"},       {"  8", "4"},
                               {" 10", "0.000000"},  {" 20", "0.000000"},    {" 11", "1.000000"},
                               {" 21", "0.000000"},  {" 12", "0.000000"},    {" 22", "1.000000"},
                               {" 13", "1.000000"},  {" 23", "1.000000"},    {"  0", "INSERT"},
                               {"  8", "5"},         {"  2", "RAD1VA"},      {" 10", "10.000000"},
                               {" 20", "5.000000"},  {" 41", "2.000000"},    {" 42", "3.000000"},
                               {" 50", "30.000000"}}));
}

TEST_F(DxfWriterTest, PolylineWritesBulgesOnlyForCurvedSegments) {
  StringSink sink;
  DxfWriter w(sink, Format(3));
  w.Polyline("1", true);
  w.Vertex("1", 0, 0, kPi / 2);  // bulge tan(22.5°)
  w.Vertex("1", 10, 0, 0);
  w.Vertex("1", 10, 10, -kPi);  // half circle clockwise: bulge -1
  w.SeqEnd("1");
  w.Polyline("1", false);
  w.SeqEnd("1");
  EXPECT_EQ(sink.lines,
            Pairs({{"  0", "POLYLINE"}, {"  8", "1"},      {" 66", "1"},      {" 70", "1"},
                   {"  0", "VERTEX"},   {"  8", "1"},      {" 10", "0.000"},  {" 20", "0.000"},
                   {" 42", "0.414"},    {"  0", "VERTEX"}, {"  8", "1"},      {" 10", "10.000"},
                   {" 20", "0.000"},    {"  0", "VERTEX"}, {"  8", "1"},      {" 10", "10.000"},
                   {" 20", "10.000"},   {" 42", "-1.000"}, {"  0", "SEQEND"}, {"  8", "1"},
                   {"  0", "POLYLINE"}, {"  8", "1"},      {" 66", "1"},      {"  0", "SEQEND"},
                   {"  8", "1"}}));
}

TEST_F(DxfWriterTest, BlocksAndSections) {
  StringSink sink;
  DxfWriter w(sink, Format());
  w.BeginBlocksSection();
  w.Block("0", "TOOTH1");
  w.EndBlock();
  w.EndSection();
  w.BeginEntitiesSection();
  w.EndSection();
  w.EndOfFile();
  EXPECT_EQ(sink.lines, Pairs({{"  0", "SECTION"},
                               {"  2", "BLOCKS"},
                               {"  0", "BLOCK"},
                               {"  8", "0"},
                               {"  2", "TOOTH1"},
                               {" 70", "0"},
                               {" 10", "0.0"},
                               {" 20", "0.0"},
                               {"  0", "ENDBLK"},
                               {"  0", "ENDSEC"},
                               {"  0", "SECTION"},
                               {"  2", "ENTITIES"},
                               {"  0", "ENDSEC"},
                               {"  0", "EOF"}}));
}

TEST_F(DxfWriterTest, HeaderCarriesTheLimitsScaled) {
  StringSink sink;
  DxfWriter w(sink, Format(3, 2));
  w.Header(-5, 0, 210, 148.5L);
  EXPECT_EQ(sink.lines, Pairs({{"  0", "SECTION"},
                               {"  2", "HEADER"},
                               {"  9", "$EXTMIN"},
                               {" 10", "-10.000"},
                               {" 20", "0.000"},
                               {"  9", "$EXTMAX"},
                               {" 10", "420.000"},
                               {" 20", "297.000"},
                               {"  9", "$LIMMIN"},
                               {" 10", "-10.000"},
                               {" 20", "0.000"},
                               {"  9", "$LIMMAX"},
                               {" 10", "420.000"},
                               {" 20", "297.000"},
                               {"  9", "$LTSCALE"},
                               {" 40", "15"},
                               {"  0", "ENDSEC"}}));
}

// The line types and the start of the layer table, the same in every scheme
// but for the count of line types.
std::vector<std::string> TablesStart(const char* lineTypeCount) {
  return Pairs({{"  0", "SECTION"},      {"  2", "TABLES"},      {"  0", "TABLE"},
                {"  2", "LTYPE"},        {" 70", lineTypeCount}, {"  0", "LTYPE"},
                {"  2", "CONTINUOUS"},   {" 70", "64"},          {"  3", "Ausgezogene Linie"},
                {" 72", "65"},           {" 73", "0"},           {" 40", "0.0"},
                {"  0", "LTYPE"},        {"  2", "DASHDOT"},     {" 70", "64"},
                {"  3", "--. --. --.-"}, {" 72", "65"},          {" 73", "4"},
                {" 40", "1.0"},          {" 49", "0.5"},         {" 49", "-0.25"},
                {" 49", "0.0"},          {" 49", "-0.25"},       {"  0", "LTYPE"},
                {"  2", "DASHED"},       {" 70", "64"},          {"  3", "- - - - - - "},
                {" 72", "65"},           {" 73", "2"},           {" 40", "0.375"},
                {" 49", "0.25"},         {" 49", "-0.125"},      {"  0", "ENDTAB"},
                {"  0", "TABLE"},        {"  2", "LAYER"},       {" 70", "24"}});
}

std::vector<std::string> TablesEnd(const char* style) {
  std::vector<std::string> lines = Pairs({{"  0", "ENDTAB"},
                                          {"  0", "TABLE"},
                                          {"  2", "STYLE"},
                                          {" 70", "1"},
                                          {"  0", "STYLE"},
                                          {"  2", "STANDARD"},
                                          {" 70", "0"},
                                          {" 40", "0.0"},
                                          {" 41", "1.0"},
                                          {" 50", "0.0"},
                                          {" 71", "0"},
                                          {" 42", "3.5"},
                                          {"  3", style},
                                          {"  4", ""}});
  // The style table ends with an unpadded "0".
  lines.push_back("0");
  lines.push_back("ENDTAB");
  lines.push_back("  0");
  lines.push_back("ENDSEC");
  return lines;
}

std::vector<std::string> LayerPairs(const std::string& name, int colour, const char* type) {
  std::string colourText = std::to_string(colour);
  return {"  0", "LAYER", "  2", name, " 70", "0", " 62", colourText, "  6", type};
}

std::vector<std::string> Concat(std::initializer_list<std::vector<std::string>> parts) {
  std::vector<std::string> all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

TEST_F(DxfWriterTest, TablesOfTheThreeLayerSchemes) {
  storedSettings.pens[1].layerName = "MITTE";
  storedSettings.pens[3].layerName = "KONTUR";
  storedSettings.pens[5].colour = 7;
  storedSettings.pens[16].colour = 4;
  storedSettings.pens[31].colour = 9;
  storedSettings.cadTextStyle = "txt8";

  std::vector<std::string> named = Concat({
      LayerPairs("0", 1, "CONTINUOUS"),
      LayerPairs("MITTE", 2, "DASHDOT"),
      LayerPairs("2", 2, "DASHED"),
      LayerPairs("KONTUR", 2, "CONTINUOUS"),
      LayerPairs("4", 3, "CONTINUOUS"),
      LayerPairs("5", 7, "CONTINUOUS"),
  });
  std::vector<std::string> numbered;
  for (int n = 0; n <= 15; ++n)
    numbered = Concat({numbered, LayerPairs(std::to_string(n), n + 1, "CONTINUOUS")});
  std::vector<std::string> upper;
  for (int n = 16; n <= 31; ++n)
    upper = Concat(
        {upper, LayerPairs(std::to_string(n), n == 16 ? 4 : (n == 31 ? 9 : 1), "CONTINUOUS")});

  struct Case {
    int scheme;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {0, Concat({TablesStart("6"), named, TablesEnd("TXT8")})},
      {1, Concat({TablesStart("17"), numbered, TablesEnd("TXT8")})},
      {2, Concat({TablesStart("23"), named, upper, TablesEnd("TXT8")})},
  };
  for (const Case& c : cases) {
    StringSink sink;
    DxfWriter(sink, Format()).Tables(c.scheme);
    EXPECT_EQ(sink.lines, c.expected) << "scheme " << c.scheme;
  }
}

TEST_F(DxfWriterTest, MonochromeLayersAllGetColourOne) {
  storedSettings.layersMonochrome = true;
  StringSink sink;
  DxfWriter(sink, Format()).Tables(2);
  int layers = 0;
  for (size_t i = 0; i + 1 < sink.lines.size(); ++i) {
    if (sink.lines[i] == "  0" && sink.lines[i + 1] == "LAYER") ++layers;
    if (sink.lines[i] == " 62") {
      EXPECT_EQ(sink.lines[i + 1], "1");
    }
  }
  EXPECT_EQ(layers, 22);
}

TEST_F(DxfWriterTest, ScaleFactorAppliesToLengthsOnlyAndNeverToBlockFiles) {
  storedSettings.cadDecimals = 3;
  cadScaleFactor = 2;
  StringSink file, block;
  DxfWriter(file, CurrentDxfFormat()).Circle("0", 1, 1, 5);
  DxfWriter(file, CurrentDxfFormat()).Insert("0", "B", 10, 5, 1.5L, 1, 30);
  DxfWriter(block, BlockFileFormat()).Circle("0", 1, 1, 5);
  EXPECT_EQ(file.lines, Pairs({{"  0", "CIRCLE"},
                               {"  8", "0"},
                               {" 10", "2.000"},
                               {" 20", "2.000"},
                               {" 40", "10.000"},
                               {"  0", "INSERT"},
                               {"  8", "0"},
                               {"  2", "B"},
                               {" 10", "20.000"},
                               {" 20", "10.000"},
                               {" 41", "1.500"},
                               {" 42", "1.000"},
                               {" 50", "30.000"}}));
  EXPECT_EQ(
      block.lines,
      Pairs(
          {{"  0", "CIRCLE"}, {"  8", "0"}, {" 10", "1.000"}, {" 20", "1.000"}, {" 40", "5.000"}}));
}

TEST_F(DxfWriterTest, NumbersIgnoreTheDisplayDecimalsSetting) {
  decimalsSetting = 7;  // the screen shows more decimals; CAD files keep their own
  StringSink sink;
  DxfWriter(sink, Format(2)).Line("0", 1.005L, -0.0001L, 2, 3);
  EXPECT_EQ(sink.lines[5], "1.00");  // 1.005 is below the tie in binary
  EXPECT_EQ(sink.lines[7], "0.00") << "no minus sign on a value that rounds to 0";
}

TEST_F(DxfWriterTest, TextsGoOutInCodePage1252OnOneLine) {
  CadTextStyle style;
  struct Case {
    short mode;
    bool blockFile;
    std::string text;
    std::string expected;
  };
  const Case cases[] = {
      {2, false, "Maß Ø20 ±0,1°",
       "Ma\xdf \xd8"
       "20 \xb1"
       "0,1\xb0"},
      {3, false, "Maß ±0,1°", "Mass +/-0,1deg"},
      {3, true, "Maß", "Ma\xdf"},  // block files take the text unchanged
      {2, false, "zwei\r\nZeilen", "zwei  Zeilen"},
  };
  for (const Case& c : cases) {
    cadTextMode = c.mode;
    StringSink sink;
    DxfFormat format = Format();
    format.blockFile = c.blockFile;
    DxfWriter(sink, format).Text("0", c.text, 0, 0, style);
    ASSERT_EQ(sink.lines.size(), 20u);
    EXPECT_EQ(sink.lines[11], c.expected) << c.text;
  }
}

// --- Whole exports through the channel ---

// A small drawing: one block inserted twice, with a shifted origin.
void DrawSmallDrawing() {
  CadSetLimits(0, 0, 420, 297, 0);
  CadTables(0);
  CadBeginBlocks();
  CadBeginBlock("TOOTH1");
  CadSetPen(3);
  CadLine(0, 0, 10, 0);
  CadEndBlock();
  CadEndSection();
  do {
    CadBeginEntities();
    CadSetOrigin(100, 50);
    CadSetPen(1);
    CadLine(0, 0, 1, 1);
    CadInsert("TOOTH1", 5, 5, 0, 1, 1);
    CadInsertShifted("TOOTH1", 5, 5, 90, 1, 1);
    CadEndSection();
  } while (!CadPassDone());
  CadEnd();
}

// The values of all pairs with the code after an entity name.
std::vector<std::string> SectionsOf(const std::vector<std::string>& lines) {
  std::vector<std::string> sections;
  for (size_t i = 0; i + 3 < lines.size(); i += 2)
    if (lines[i] == "  0" && lines[i + 1] == "SECTION") sections.push_back(lines[i + 3]);
  return sections;
}

TEST_F(DxfWriterTest, ExportWritesTheFullSectionLayout) {
  AnswerSaveDialog(folder_.File("zeichnung.txt"));
  CadBegin(kCadDxf);
  ASSERT_FALSE(abortFlag);
  DrawSmallDrawing();
  EXPECT_FALSE(abortFlag);
  const std::string written = ReadFileBytes(folder_.File("zeichnung.dxf"));
  CadEnd();  // once more: nothing left to do
  EXPECT_FALSE(abortFlag);
  EXPECT_EQ(ReadFileBytes(folder_.File("zeichnung.dxf")), written);
  ASSERT_EQ(recorder_.saveRequests.size(), 1u);
  EXPECT_EQ(recorder_.saveRequests[0].filter, "*.dxf|*.dxf|*.*|*.*");
  EXPECT_EQ(recorder_.saveRequests[0].initialFolder, cadFolder);
  EXPECT_EQ(recorder_.saveRequests[0].initialName, "test");
  EXPECT_FALSE(std::filesystem::exists(folder_.File("zeichnung.txt")));
  std::vector<std::string> lines = Lines("zeichnung.dxf");
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(SectionsOf(lines),
            (std::vector<std::string>{"HEADER", "TABLES", "BLOCKS", "ENTITIES"}));
  EXPECT_EQ(lines[lines.size() - 2], "  0");
  EXPECT_EQ(lines.back(), "EOF");
  for (const std::string& line : lines) EXPECT_NE(line.rfind("<bad line end>", 0), 0u);

  // Lines get the origin shift, plain inserts do not, shifted inserts do.
  std::string text = testing::ReadFileBytes(folder_.File("zeichnung.dxf"));
  EXPECT_NE(text.find("LINE\r\n  8\r\n1\r\n 10\r\n100.000000\r\n 20\r\n50.000000\r\n"),
            std::string::npos);
  EXPECT_NE(text.find("INSERT\r\n  8\r\n1\r\n  2\r\nTOOTH1\r\n 10\r\n5.000000\r\n 20\r\n5.000000"),
            std::string::npos);
  EXPECT_NE(text.find("TOOTH1\r\n 10\r\n105.000000\r\n 20\r\n55.000000\r\n 41\r\n1.000000\r\n 42"
                      "\r\n1.000000\r\n 50\r\n90.000000"),
            std::string::npos);
  // The block body is in the BLOCKS section with the pen's layer.
  EXPECT_NE(text.find("BLOCK\r\n  8\r\n0\r\n  2\r\nTOOTH1\r\n 70\r\n0\r\n 10\r\n0.0\r\n 20\r\n0.0"
                      "\r\n  0\r\nLINE\r\n  8\r\n3\r\n"),
            std::string::npos);
}

TEST_F(DxfWriterTest, RoundRectWithoutRadiusIsFourLinesAndWithRadiusOnePolyline) {
  AnswerSaveDialog(folder_.File("rr.dxf"));
  CadBegin(kCadDxf);
  CadBeginEntities();
  CadRoundRect(false, 10, 10, 0, 0, 0);
  CadEndSection();
  CadEnd();
  std::vector<std::string> lines = Lines("rr.dxf");
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "LINE"), 4);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "POLYLINE"), 0);

  AnswerSaveDialog(folder_.File("rr2.dxf"));
  CadBegin(kCadDxf);
  CadBeginEntities();
  CadRoundRect(true, 0, 0, 10, 6, 2);
  CadEndSection();
  CadEnd();
  lines = Lines("rr2.dxf");
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "LINE"), 0);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "POLYLINE"), 1);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "VERTEX"), 9);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), " 42"), 4);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "-0.414214"), 4) << "clockwise corners";
}

TEST_F(DxfWriterTest, CancelledChoiceOrDialogSetsAbortAndWritesNothing) {
  CadBegin(kCadAsk);  // no answer queued: the "CAD-Code" choice is cancelled
  EXPECT_TRUE(abortFlag);
  ASSERT_FALSE(recorder_.Questions().empty());
  EXPECT_EQ(recorder_.Questions()[0], "CAD-Code");
  abortFlag = false;
  recorder_.QueueAnswer(0);  // "DXF"
  CadBegin(kCadAsk);         // then the save dialog is cancelled
  EXPECT_TRUE(abortFlag);
  EXPECT_EQ(cadKind, kCadDxf);
  EXPECT_EQ(recorder_.saveRequests.size(), 1u);
  EXPECT_TRUE(std::filesystem::is_empty(folder_.path()));
}

TEST_F(DxfWriterTest, FailedWriteKeepsTheExistingFile) {
  const std::string name = folder_.File("alt.dxf");
  const std::string old(20000, 'x');
  WriteFileBytes(name, old);
  recorder_.QueueAnswer(name);
  recorder_.QueueAnswer(YesNoCancel::Yes);  // overwrite
  const int code = testing::ExitCodeUnderFileSizeLimit(4000, [&] {
    CadBegin(kCadDxf);
    bool begun = !abortFlag;
    CadSetDefaultLimits();
    CadTables(2);
    CadBeginEntities();
    for (int i = 0; i < 200; ++i) CadLine(i, 0, i, 10);
    CadEndSection();
    CadEnd();
    bool reported =
        !recorder_.Messages().empty() && recorder_.Messages().back().text.find("I/O-Error") == 0;
    return begun && abortFlag && reported;
  });
  EXPECT_EQ(code, 0) << "the write must fail and say so";
  EXPECT_EQ(ReadFileBytes(name), old);
  int entries = 0;
  for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(folder_.path())) ++entries;
  EXPECT_EQ(entries, 1) << "no half-written file left behind";
}

TEST_F(DxfWriterTest, RefusedOverwriteKeepsTheFile) {
  const std::string name = folder_.File("alt.dxf");
  WriteFileBytes(name, "alt");
  recorder_.QueueAnswer(name);
  recorder_.QueueAnswer(YesNoCancel::No);
  CadBegin(kCadDxf);
  EXPECT_TRUE(abortFlag);
  CadEnd();
  EXPECT_EQ(ReadFileBytes(name), "alt");
}

TEST_F(DxfWriterTest, BatchRunWritesProjectNameInTheCurrentFolderAndOpensNothing) {
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(folder_.path());
  cadOpenAfterExport = true;
  batchCad = true;
  WriteFileBytes(folder_.File("test.dxf"), "alt");  // overwritten without a question
  CadBegin(kCadDxf);
  DrawSmallDrawing();
  batchCad = false;
  std::filesystem::current_path(before);
  EXPECT_FALSE(abortFlag);
  EXPECT_TRUE(recorder_.saveRequests.empty());
  EXPECT_TRUE(recorder_.Questions().empty());
  EXPECT_TRUE(recorder_.StartedPrograms().empty());
  EXPECT_EQ(Lines("test.dxf").back(), "EOF");
}

TEST_F(DxfWriterTest, InteractiveExportOpensTheFileUnlessCancelled) {
  cadOpenAfterExport = true;
  AnswerSaveDialog(folder_.File("auf.dxf"));
  CadBegin(kCadDxf);
  DrawSmallDrawing();
  ASSERT_EQ(recorder_.StartedPrograms().size(), 1u);
  EXPECT_EQ(recorder_.StartedPrograms()[0], "open " + folder_.File("auf.dxf"));
}

TEST_F(DxfWriterTest, LinplotWritesItsFixedFileAndStartsTheCommandLine) {
  storedSettings.linplotCommandLines = {"lp1", "lp2 /CPS"};
  recorder_.QueueAnswer(3);           // "Ausgabe auf Laserprinter/Plotter mit LINPLOT"
  recorder_.QueueAnswer(1);           // the second configured command line
  recorder_.QueueAnswer("lp2 /CPS");  // kept as it stands
  CadBegin(kCadAsk);
  ASSERT_FALSE(abortFlag);
  EXPECT_EQ(cadKind, kCadLinplot);
  DrawSmallDrawing();
  EXPECT_EQ(Lines("linplot.dxf").back(), "EOF");
  ASSERT_EQ(recorder_.StartedPrograms().size(), 1u);
  EXPECT_EQ(recorder_.StartedPrograms()[0], "lp2 /CPS");
  ASSERT_FALSE(recorder_.Messages().empty());
  EXPECT_EQ(recorder_.Messages()[0].text, folder_.File("linplot.dxf") + " wird geplottet..");
}

}  // namespace
}  // namespace kv5

namespace kv5 {
namespace {

// Sample exports for an outside DXF reader (tests/scripts/check_dxf.py):
// written only when KV5_DXF_SAMPLE_DIR names a folder.
class DxfSampleTest : public testing::CadTest {};

// After the limits and tables: blocks, entities and the end of the file.
void DrawEveryEntity() {
  CadBeginBlocks();
  CadBeginBlock("TOOTH1");
  CadSetPen(3);
  CadLine(0, 0, 10, 0);
  CadArc(0, 0, 0, 90, 5);
  CadPolyBegin(true);
  CadPolyVertex(0, 0, 0);
  CadPolyVertex(4, 0, kPi / 2);
  CadPolyVertex(4, 4, 0);
  CadPolyVertex(0, 0, 0);
  CadPolyEnd();
  CadEndBlock();
  CadBeginBlock("tab1");
  CadSetPen(4);
  CadSetTextStyle(2, 0, 2.5L, 1.8L);
  CadText("Zähnezahl z1 = 17, Ø 20 ±0,1°", 1, 1);
  CadEndBlock();
  CadEndSection();
  CadBeginEntities();
  CadSetPen(1);
  CadLine(10, 10, 100, 10);
  CadSetPen(2);
  CadCircle(50, 50, 20);
  CadArc(50, 50, 350, 10, 25);
  CadArcSweep(50, 50, 90, 0, 30, -90);
  CadSetPen(5);
  CadSetTextStyle(2, 45, 3.5L, 0);
  CadText("KV5 Triebstock", 20, 150);
  CadSetPen(20);
  CadSolid(200, 10, 210, 10, 200, 20, 210, 20);
  CadRoundRect(false, 150, 100, 200, 140, 5);
  CadInsert("TOOTH1", 120, 60, 30, 2, 2);
  CadInsert("tab1", 200, 30, 0, 1, 1);
  CadEndSection();
  CadEnd();
}

TEST_F(DxfSampleTest, WritesSamplesForAnOutsideReader) {
  const char* folder = std::getenv("KV5_DXF_SAMPLE_DIR");
  if (!folder || !*folder) GTEST_SKIP() << "KV5_DXF_SAMPLE_DIR not set";
  std::filesystem::create_directories(folder);
  confirmOverwrite = false;
  for (int scheme = 0; scheme <= 2; ++scheme) {
    std::string name = AddBackslash(folder) + "sample_scheme" + std::to_string(scheme) + ".dxf";
    AnswerSaveDialog(name);
    CadBegin(kCadDxf);
    ASSERT_FALSE(abortFlag);
    CadSetLimits(0, 0, 297, 210, 0);
    CadTables(scheme);
    DrawEveryEntity();
    EXPECT_FALSE(abortFlag);
    EXPECT_TRUE(std::filesystem::exists(name));
  }
}

}  // namespace
}  // namespace kv5
