#include "text/configuration.h"

#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <random>

#include "dialogs/file_checks.h"
#include "model/line_file.h"
#include "tests/test_support.h"
#include "text/codepage.h"
#include "text/messages.h"
#include "text/number_format.h"
#include "text/string_routines.h"
#include "text/text_conversion.h"
#include "text/units.h"

namespace kv5 {
namespace {

using testing::ReadFileBytes;
using testing::TempFolder;
using testing::WriteFileBytes;

std::vector<std::string> SplitLines(const std::string& bytes) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < bytes.size()) {
    size_t end = bytes.find("\r\n", start);
    if (end == std::string::npos) end = bytes.size();
    lines.push_back(bytes.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

std::string JoinLines(const std::vector<std::string>& lines, size_t count) {
  std::string bytes;
  for (size_t i = 0; i < count && i < lines.size(); ++i) bytes += lines[i] + "\r\n";
  return bytes;
}

size_t CountEntries(const std::string& folder) {
  size_t entries = 0;
  for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(folder)) ++entries;
  return entries;
}

// One labelled entry of the file: its label as stored (code page 850),
// the number of value lines with the default settings, and whether an
// end-of-file check point follows it.
struct Entry {
  std::string label;
  size_t values;
  bool checkPoint;
};

std::vector<Entry> ExpectedEntries() {
  std::vector<Entry> entries;
  for (int pen = 1; pen <= 5; ++pen) {
    entries.push_back({"Layer", 1, false});
    entries.push_back({"Farbe", 1, false});
  }
  const Entry fixed[] = {
      {"Textstil CAD", 1, false},
      {"Textbreitenfaktor CAD", 1, false},
      {"Textwinkel", 1, false},
      {"CAD Ordner", 1, false},
      {"DBF Ordner", 1, false},
      {"Hilfegrad", 1, false},
      {"Druckerschnittstelle", 1, true},
      {"Druckertyp", 1, true},
      {"Druckdichte", 1, false},
      {"Hardcopy um 90\xF8 gedreht ?", 1, false},
      {"Dezimalstellen", 1, false},
      {"Druckdicke vertikal", 1, true},
      {"Farbgrafik", 1, false},
      {"GrafikKorrekturFaktor horizontal", 1, false},
      {"Grafik-Mode", 1, false},
      {"Grafik-Treiber", 1, false},
      {"Aufl\x94sung horizontal", 1, false},
      {"Aufl\x94sung vertikal", 1, false},
      {"Ordner f\x81r tempor\x84re Dateien", 1, false},
      {"Druckerschnittstelle Hardcopy", 1, true},
      {"EDI Ordner", 1, false},
      {"PLT Ordner", 1, false},
      {"Mode f\x81r Textausdruck 1:* 2:-", 1, false},
      {"Zeilen pro Seite f\x81r Drucker", 1, false},
      {"Zoomfaktor", 1, false},
      {"Pan-Faktor", 1, false},
      {"KELMARO-Programmverzeichnis", 1, true},
      {"LINPLOT-Kommandozeile", 1, true},
      {"Hintergrundfarbe", 1, true},
      {"Windows-Druckmodus (1=mono 2=color)", 1, true},
      {"Layer Monochrom", 1, true},
      {"Textbreitenfaktor Grafik", 1, false},
      {"Textstil Grafik", 1, true},
  };
  entries.insert(entries.end(), std::begin(fixed), std::end(fixed));
  for (int n = 16; n <= 31; ++n) entries.push_back({"Color Layer " + std::to_string(n), 1, true});
  const Entry rest[] = {
      {"Textprogramm", 1, false},
      {"Datenbank mode", 1, false},
      {"externe Datenbank", 1, true},
      {"Windows Screendump Origin X", 1, false},
      {"Windows Screendump Origin Y", 1, false},
      {"Windows Screendump Scale", 1, false},
      {"Windows Screendump Border ?", 1, true},
      {"LINPLOT Command lines (n, line 2 .. line n)", 1, false},
      {"Archive Flag ?", 1, false},
      {"Date Code", 1, false},
      {"Header Space Lines", 1, false},
      {"Text Device", 1, false},
      {"Text Device Window ?", 1, false},
      {"Small Online Window ?", 1, false},
      {"Enter Diagram Limits ?", 1, false},
      {"Dot=1 Komma=2", 1, false},
      {"Default Data Directory", 1, false},
      {"Text Height Factor", 1, false},
      {"Input Window Scale %", 1, false},
      {"HTML Browser", 1, true},
      {"Print Scale Vertical", 1, false},
      {"Line thickness Layer 0..5", 6, false},
      {"Graphic Printout Dialog Box ?", 1, false},
      {"Text window left/top/width/height", 1, false},
      {"Metric Units=0,  English units=1", 1, false},
      {"printout with header=1, header page 1 only=2", 1, false},
      {"Text Font Printout", 1, false},
      {"Text Size Printout", 1, false},
      {"Text Style Printout", 1, false},
      {"Text Style Graphics", 1, false},
      {"Printer: Portrait=1, Landscape=2", 1, false},
      {"Edit 3D x,y,z ?", 1, false},
      {"3D - Default x,y,z", 6, false},
      {"Decimals DXF,TXT", 1, false},
      {"CAD Text Mode", 1, false},
      {"Strichst\x84rke Layer 16..31", 16, false},
  };
  entries.insert(entries.end(), std::begin(rest), std::end(rest));
  return entries;
}

constexpr size_t kUnlabelledLines = 60;

class ConfigurationTest : public testing::ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    SaveEnvironment("KV5_HOME", savedHome_);
    SaveEnvironment("TMPDIR", savedTmp_);
    setenv("KV5_HOME", install_.path().c_str(), 1);
    configFolder = folder_.path();
  }
  void TearDown() override {
    RestoreEnvironment("KV5_HOME", savedHome_);
    RestoreEnvironment("TMPDIR", savedTmp_);
    ProgramTest::TearDown();
  }

  std::string ConfigFile() const { return folder_.File("kv5.cfg"); }

  // Saves the settings in force and returns the file's lines.
  std::vector<std::string> SavedLines() {
    abortFlag = false;
    SaveConfiguration();
    EXPECT_FALSE(abortFlag);
    return SplitLines(ReadFileBytes(ConfigFile()));
  }

  // Back to the start-up state, then reads the given file from the
  // configuration folder.
  void LoadBytes(const std::string& bytes) {
    ResetProgramState();
    configFolder = folder_.path();
    WriteFileBytes(ConfigFile(), bytes);
    LoadConfiguration();
  }

  // Every setting away from its initial value, each one valid as read.
  void SetDistinctValues() {
    StoredSettings& s = storedSettings;
    // Stored: layer and colour of pens 1..5, colour of pens 16..31, line
    // widths of pens 0..5 and 16..31.
    for (size_t pen = 0; pen < 32; ++pen) {
      bool named = pen >= 1 && pen <= 5;
      if (named) s.pens[pen].layerName = "Lage" + std::to_string(pen);
      if (named || pen >= 16) s.pens[pen].colour = static_cast<int>(pen) + 40;
      if (pen <= 5 || pen >= 16) s.pens[pen].lineWidth = static_cast<int>(pen) + 2;
    }
    s.cadTextStyle = "ROMANS";
    s.cadTextWidthFactor = 0.85L;
    s.cadTextObliqueAngle = 12.5L;
    cadFolder = "/cad/";
    tableFolder = "/dbf/";
    helpLevel = 2;
    printerPort = 3;
    s.printerType = 4;
    s.printDensity = 5;
    s.hardcopyRotated = "J";
    decimalsSetting = 5;
    s.printThicknessVertical = 2;
    s.colourGraphics = false;
    s.graphicsCorrectionX = 1.0375L;
    s.graphicsMode = 6;
    s.graphicsDriver = 7;
    s.mainWindowWidth = 1000;
    s.mainWindowHeight = 700;
    tempFolder = "/temp/";
    s.hardcopyPrinterPort = 2;
    ediFolder = "/edi/";
    pltFolder = "/plt/";
    frameStyle = 2;
    linesPerPage = 72;
    s.zoomStep = 1.5L;
    s.panStep = 0.25L;
    programFolder = "/prog/";
    s.linplotCommandLines = {"linplot eins", "linplot zwei", "linplot drei"};
    s.linplotCommandCount = 3;
    s.backgroundColour = 8;
    s.printMode = 2;
    s.layersMonochrome = true;
    s.graphicsTextWidthFactor = 0.75L;
    s.graphicsTextFont = "Verdana";
    textProgram = "/usr/bin/editor";
    s.tableMode = 1;
    s.externalTable = "extern.dbf";
    s.screenDumpOriginX = 11;
    s.screenDumpOriginY = -12;
    s.screenDumpScale = 2.5L;
    s.screenDumpBorder = true;
    archiveMode = true;
    dateFormat = 4;
    headerSpaceLines = 3;
    defaultChannel = 7;
    askChannel = true;
    s.smallOnlineWindow = true;
    s.askDiagramLimits = true;
    s.plotDecimalMark = 2;
    dataFolder = "/data/";
    s.graphicsTextHeightFactor = 1.25L;
    s.inputWindowScale = 120;
    htmlBrowser = "/usr/bin/browser";
    s.printScaleVertical = 0.5L;
    s.askGraphicPrintout = true;
    textWindowBounds = {30, 50, 640, 480};
    unitSystem = 1;
    pageMode = 2;
    textFont = "DejaVu Sans Mono";
    textFontSize = 12;
    textFontStyle = 5;
    s.graphicsTextStyle = 6;
    s.printerOrientation = 2;
    s.edit3dDefaults = false;
    s.defaults3d = {10.5L, -2.25L, 3, 1, 4, "Freigabe"};
    s.cadDecimals = 8;
    cadTextMode = 3;
    UnlabelledValues& u = s.unlabelled;
    transliterate = 1;
    u.windowScalePercent = 150;
    u.oneOrTwo = 1;
    u.factor = 1.75L;
    u.integerBeforeLanguage = 21;
    menuLanguage = 2;
    u.integerAfterLanguage = 23;
    u.titleFlags = {true, false, true, false, true, false, true, true};
    u.titleBlockStyle = 3;
    for (size_t i = 0; i < 16; ++i) u.integers16[i] = static_cast<int>(i) + 100;
    u.invertedFlag = true;
    u.noCopyrightNote = true;
    u.text = "ein Text";
    u.isoBorder = 0;
    u.frameFlags = {true, true, false, true, false, false, true, false};
    hideWarnings = true;
    u.positiveReal = 0.75L;
    u.windowIntegers = {31, 2, 33, 0};
    u.workOnTableCopies = false;
    u.flagAfterTableCopies = true;
    u.chordLength = 0.05L;
    u.flagsAfterChord = {true, false};
    u.reals3 = {1.5L, -4, 6.25L};
    u.lastFlags = {false, true, true};
  }

  TempFolder folder_;
  TempFolder install_;

 private:
  static void SaveEnvironment(const char* name, std::optional<std::string>& saved) {
    const char* value = getenv(name);
    saved = value ? std::optional<std::string>(value) : std::nullopt;
  }
  static void RestoreEnvironment(const char* name, const std::optional<std::string>& saved) {
    if (saved)
      setenv(name, saved->c_str(), 1);
    else
      unsetenv(name);
  }
  std::optional<std::string> savedHome_;
  std::optional<std::string> savedTmp_;
};

// Index of the line equal to `label` at or after `from`.
size_t FindLine(const std::vector<std::string>& lines, const std::string& label, size_t from) {
  for (size_t i = from; i < lines.size(); ++i)
    if (lines[i] == label) return i;
  return lines.size();
}

TEST_F(ConfigurationTest, WritesHeaderEveryLabelInOrderAndTheUnlabelledValues) {
  std::vector<std::string> lines = SavedLines();
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[0], "kv5 Konfiguration");
  EXPECT_EQ(lines[1], "Version 1.1");
  size_t position = 2;
  std::vector<Entry> entries = ExpectedEntries();
  ASSERT_EQ(entries.size(), 95u);
  for (const Entry& entry : entries) {
    SCOPED_TRACE(Cp850ToUtf8(entry.label));
    ASSERT_LT(position, lines.size());
    EXPECT_EQ(lines[position], entry.label);
    position += 1 + entry.values;
  }
  EXPECT_EQ(lines.size(), position + kUnlabelledLines);
  // The degree sign is the code page 850 byte F8.
  EXPECT_NE(ReadFileBytes(ConfigFile()).find("Hardcopy um 90\xF8 gedreht ?\r\n"),
            std::string::npos);
}

TEST_F(ConfigurationTest, UnlabelledValuesHaveTheirPlaces) {
  SetDistinctValues();
  std::vector<std::string> lines = SavedLines();
  ASSERT_GE(lines.size(), kUnlabelledLines);
  std::vector<std::string> tail(lines.end() - kUnlabelledLines, lines.end());
  std::vector<std::string> expected = {"1", "150", "1", "1.7500000", "21", "2", "23"};
  for (const char* flag : {"TRUE", "FALSE", "TRUE", "FALSE", "TRUE", "FALSE", "TRUE", "TRUE"})
    expected.push_back(flag);
  expected.push_back("3");
  for (int i = 0; i < 16; ++i) expected.push_back(std::to_string(100 + i));
  expected.push_back("FALSE");  // held true, stored inverted
  expected.push_back("TRUE");
  expected.push_back("ein Text");
  expected.push_back("0");
  // The sixth of these is hideWarnings.
  for (const char* flag : {"TRUE", "TRUE", "FALSE", "TRUE", "FALSE", "TRUE", "TRUE", "FALSE"})
    expected.push_back(flag);
  for (const char* value : {"0.7500000", "31", "2", "33", "0", "FALSE", "TRUE", "0.0500000", "TRUE",
                            "FALSE", "1.5000000", "-4", "6.2500000", "FALSE", "TRUE", "TRUE"})
    expected.push_back(value);
  EXPECT_EQ(tail, expected);
}

TEST_F(ConfigurationTest, SaveLoadSaveGivesIdenticalBytesAndValues) {
  SetDistinctValues();
  const StoredSettings expected = storedSettings;
  SavedLines();
  const std::string first = ReadFileBytes(ConfigFile());

  LoadBytes(first);
  EXPECT_FALSE(abortFlag);
  EXPECT_EQ(storedSettings, expected);
  EXPECT_EQ(helpLevel, 2);
  EXPECT_EQ(decimalsSetting, 5);
  EXPECT_EQ(textWindowBounds, (WindowBounds{30, 50, 640, 480}));
  EXPECT_EQ(menuLanguage, 2);
  EXPECT_TRUE(hideWarnings);
  EXPECT_TRUE(archiveMode);
  EXPECT_EQ(unitSystem, 1);
  EXPECT_EQ(cadTextMode, 3);
  EXPECT_EQ(transliterate, 1);
  EXPECT_EQ(dateFormat, 4);
  EXPECT_EQ(cadFolder, "/cad/");
  EXPECT_EQ(dataFolder, "/data/");
  EXPECT_EQ(textFont, "DejaVu Sans Mono");

  SaveConfiguration();
  EXPECT_EQ(ReadFileBytes(ConfigFile()), first);

  // The start-up values make the same round trip.
  ResetProgramState();
  configFolder = folder_.path();
  storedSettings.mainWindowWidth = 1271;
  storedSettings.mainWindowHeight = 933;
  SaveConfiguration();
  const std::string defaults = ReadFileBytes(ConfigFile());
  LoadBytes(defaults);
  SaveConfiguration();
  EXPECT_EQ(ReadFileBytes(ConfigFile()), defaults);
}

// A file that ends right after an entry with a check point loads that
// entry and everything before it; every later setting keeps its start-up
// value. Compared through a second save: the lines before the cut are the
// full file's, those after it the start-up file's.
TEST_F(ConfigurationTest, FileEndingAtEachCheckPointKeepsLaterInitialValues) {
  // The start-up state as it stands after any load (window size completed).
  storedSettings.mainWindowWidth = 1280 - 9;
  storedSettings.mainWindowHeight = 1024 - 91;
  const std::vector<std::string> initial = SavedLines();
  SetDistinctValues();
  const std::vector<std::string> full = SavedLines();
  const size_t linplotCount = FindLine(full, "LINPLOT Command lines (n, line 2 .. line n)", 0);
  ASSERT_LT(linplotCount, full.size());

  int checkPoints = 0;
  size_t from = 2;
  for (const Entry& entry : ExpectedEntries()) {
    size_t labelLine = FindLine(full, entry.label, from);
    ASSERT_LT(labelLine, full.size());
    from = labelLine + 1;
    if (!entry.checkPoint) continue;
    ++checkPoints;
    SCOPED_TRACE(Cp850ToUtf8(entry.label));
    const size_t cut = labelLine + 2;
    LoadBytes(JoinLines(full, cut));
    EXPECT_FALSE(abortFlag);
    if (entry.label == "Druckerschnittstelle") {
      EXPECT_EQ(printerPort, 3);
      EXPECT_EQ(helpLevel, 2);
      EXPECT_EQ(decimalsSetting, 3);
      EXPECT_EQ(linesPerPage, 66);
      EXPECT_EQ(textFont, "Courier New");
      EXPECT_EQ(storedSettings.mainWindowWidth, 1271);
    }
    std::vector<std::string> resaved = SavedLines();
    const std::vector<std::string>& sameShape = cut <= linplotCount ? initial : full;
    ASSERT_EQ(resaved.size(), sameShape.size());
    std::vector<std::string> expected(full.begin(), full.begin() + cut);
    for (size_t k = cut; k < resaved.size(); ++k)
      expected.push_back(initial[initial.size() - (resaved.size() - k)]);
    if (entry.label == "Layer Monochrom") {
      // Such a file predates the graphics text settings: they follow the CAD ones.
      size_t factor = FindLine(expected, "Textbreitenfaktor Grafik", 0);
      size_t font = FindLine(expected, "Textstil Grafik", 0);
      ASSERT_LT(font, expected.size());
      expected[factor + 1] = RealLineText(0.85L);
      expected[font + 1] = "Arial";
      EXPECT_EQ(storedSettings.graphicsTextFont, "Arial");
    }
    // The unlabelled text, not read, stands for the program folder as far
    // as the file gave it.
    expected[resaved.size() - kUnlabelledLines + 34] = programFolder;
    for (size_t k = 0; k < resaved.size(); ++k) {
      if (resaved[k] == expected[k]) continue;
      ADD_FAILURE() << "line " << k << ": " << resaved[k] << " instead of " << expected[k];
      break;
    }
    // What was saved from a file that ended early loads back the same.
    LoadBytes(JoinLines(resaved, resaved.size()));
    EXPECT_EQ(SavedLines(), resaved);
  }
  EXPECT_EQ(checkPoints, 29);

  // The rule at "Layer Monochrom" overrides the current values, whatever they are.
  size_t monochrome = FindLine(full, "Layer Monochrom", 2);
  ResetProgramState();
  configFolder = folder_.path();
  storedSettings.graphicsTextFont = "Verdana";
  storedSettings.graphicsTextWidthFactor = 0.3L;
  WriteFileBytes(ConfigFile(), JoinLines(full, monochrome + 2));
  LoadConfiguration();
  EXPECT_EQ(storedSettings.graphicsTextFont, "Arial");
  EXPECT_EQ(storedSettings.graphicsTextWidthFactor, 0.85L);
  EXPECT_TRUE(storedSettings.layersMonochrome);
}

// After "Archive Flag ?" a file that ends early leaves a few settings at
// their current values; every other one reads an empty line (0, false or
// empty) and then gets the replacement of its entry.
TEST_F(ConfigurationTest, FileEndingAfterArchiveFlagKeepsOnlyTheGuardedSettings) {
  SetDistinctValues();
  const std::vector<std::string> full = SavedLines();
  const size_t archive = FindLine(full, "Archive Flag ?", 2);
  ASSERT_LT(archive, full.size());
  ResetProgramState();
  configFolder = folder_.path();
  startFolder = "/start";
  dateFormat = 0;  // replaced in any case
  headerSpaceLines = 40;
  defaultChannel = 4;
  askChannel = true;
  storedSettings.smallOnlineWindow = true;
  storedSettings.askDiagramLimits = true;
  storedSettings.graphicsTextHeightFactor = 2;
  storedSettings.inputWindowScale = 150;
  textWindowBounds = {1, 2, 3, 4};
  storedSettings.plotDecimalMark = 2;
  textFontStyle = 5;
  htmlBrowser = "/usr/bin/browser";
  WriteFileBytes(ConfigFile(), JoinLines(full, archive + 2));
  LoadConfiguration();
  EXPECT_FALSE(abortFlag);
  EXPECT_TRUE(archiveMode);
  EXPECT_EQ(dateFormat, 3);
  EXPECT_EQ(headerSpaceLines, 0);  // kept, then replaced as above 30
  EXPECT_EQ(defaultChannel, 4);
  EXPECT_TRUE(askChannel);
  EXPECT_TRUE(storedSettings.smallOnlineWindow);
  EXPECT_TRUE(storedSettings.askDiagramLimits);
  EXPECT_EQ(storedSettings.graphicsTextHeightFactor, 2);
  EXPECT_EQ(storedSettings.inputWindowScale, 150);
  EXPECT_EQ(textWindowBounds, (WindowBounds{1, 2, 3, 4}));
  // Read as empty lines:
  EXPECT_EQ(storedSettings.plotDecimalMark, 1);
  EXPECT_EQ(dataFolder, "/start/");
  EXPECT_EQ(htmlBrowser, "");
  // The check point after "HTML Browser" stops the reading.
  EXPECT_EQ(textFontStyle, 5);

  // "Text Device" and "Text Device Window ?" go together.
  const size_t device = FindLine(full, "Text Device", archive);
  WriteFileBytes(ConfigFile(), JoinLines(full, device + 2));
  askChannel = true;
  LoadConfiguration();
  EXPECT_EQ(defaultChannel, 7);
  EXPECT_FALSE(askChannel);
}

// One change to a value line of a file saved with the start-up values.
struct Change {
  std::string label;  // UTF-8
  size_t valueLine;   // 0 = the first value line after the label
  std::string text;
};

struct ReadCase {
  const char* name;
  std::vector<Change> changes;
  std::function<void()> check;
  std::function<void()> before = [] {};  // runs after the reset, before loading
};

TEST_F(ConfigurationTest, ValuesAreReplacedOnReading) {
  storedSettings.linplotCommandLines.front() = "";
  const std::vector<std::string> defaults = SavedLines();
  const ReadCase cases[] = {
      {"decimals 0", {{"Dezimalstellen", 0, "0"}}, [] { EXPECT_EQ(decimalsSetting, 3); }},
      {"decimals 10", {{"Dezimalstellen", 0, "10"}}, [] { EXPECT_EQ(decimalsSetting, 3); }},
      {"decimals 9", {{"Dezimalstellen", 0, "9"}}, [] { EXPECT_EQ(decimalsSetting, 9); }},
      {"lines 4", {{"Zeilen pro Seite für Drucker", 0, "4"}}, [] { EXPECT_EQ(linesPerPage, 66); }},
      {"lines 5", {{"Zeilen pro Seite für Drucker", 0, "5"}}, [] { EXPECT_EQ(linesPerPage, 5); }},
      {"header 31", {{"Header Space Lines", 0, "31"}}, [] { EXPECT_EQ(headerSpaceLines, 0); }},
      {"header 30", {{"Header Space Lines", 0, "30"}}, [] { EXPECT_EQ(headerSpaceLines, 30); }},
      {"device 10", {{"Text Device", 0, "10"}}, [] { EXPECT_EQ(defaultChannel, 1); }},
      {"device 0", {{"Text Device", 0, "0"}}, [] { EXPECT_EQ(defaultChannel, 1); }},
      {"device 9", {{"Text Device", 0, "9"}}, [] { EXPECT_EQ(defaultChannel, 9); }},
      {"comma decimal",
       {{"Zoomfaktor", 0, "1,25"}, {"GrafikKorrekturFaktor horizontal", 0, "0,5"}},
       [] {
         EXPECT_EQ(storedSettings.zoomStep, 1.25L);
         EXPECT_EQ(storedSettings.graphicsCorrectionX, 0.5L);
       }},
      {"pan not a number",
       {{"Pan-Faktor", 0, "abc"}},
       [] { EXPECT_EQ(storedSettings.panStep, 0.01L); }},
      {"zoom 0", {{"Zoomfaktor", 0, "0"}}, [] { EXPECT_EQ(storedSettings.zoomStep, 1.02L); }},
      {"port 0", {{"Druckerschnittstelle", 0, "x"}}, [] { EXPECT_EQ(printerPort, 1); }},
      {"font empty", {{"Text Font Printout", 0, ""}}, [] { EXPECT_EQ(textFont, "Courier New"); }},
      {"font size 0", {{"Text Size Printout", 0, "0"}}, [] { EXPECT_EQ(textFontSize, 10); }},
      {"font size 12", {{"Text Size Printout", 0, "12"}}, [] { EXPECT_EQ(textFontSize, 12); }},
      {"hardcopy empty",
       {{"Hardcopy um 90° gedreht ?", 0, ""}},
       [] { EXPECT_EQ(storedSettings.hardcopyRotated, "N"); }},
      {"hardcopy first letter",
       {{"Hardcopy um 90° gedreht ?", 0, "Jein"}},
       [] { EXPECT_EQ(storedSettings.hardcopyRotated, "J"); }},
      {"booleans any case",
       {{"Archive Flag ?", 0, "tRuE"}, {"Farbgrafik", 0, "yes"}},
       [] {
         EXPECT_TRUE(archiveMode);
         EXPECT_FALSE(storedSettings.colourGraphics);
       }},
      {"edit 3D unless FALSE",
       {{"Edit 3D x,y,z ?", 0, "yes"}},
       [] { EXPECT_TRUE(storedSettings.edit3dDefaults); }},
      {"edit 3D false",
       {{"Edit 3D x,y,z ?", 0, "false"}},
       [] { EXPECT_FALSE(storedSettings.edit3dDefaults); }},
      {"window size from screen",
       {{"Auflösung horizontal", 0, "-1"}, {"Auflösung vertikal", 0, "0"}},
       [] {
         EXPECT_EQ(storedSettings.mainWindowWidth, 1271);
         EXPECT_EQ(storedSettings.mainWindowHeight, 933);
       }},
      {"cad decimals 33",
       {{"Decimals DXF,TXT", 0, "33"}},
       [] { EXPECT_EQ(storedSettings.cadDecimals, 6); }},
      {"cad decimals 32",
       {{"Decimals DXF,TXT", 0, "32"}},
       [] { EXPECT_EQ(storedSettings.cadDecimals, 32); }},
      {"data folder empty",
       {{"Default Data Directory", 0, ""}},
       [] { EXPECT_EQ(dataFolder, "/start/"); },
       [] { startFolder = "/start"; }},
      {"backslash folders",
       {{"CAD Ordner", 0, "C:\\kelmaro\\cad"}, {"PLT Ordner", 0, "/srv/plt"}},
       [] {
         EXPECT_EQ(cadFolder, "C:/kelmaro/cad/");
         EXPECT_EQ(pltFolder, "/srv/plt/");
       }},
      {"text window zero width kept",
       {{"Text window left/top/width/height", 0, "1|2|0|4|"}},
       [] { EXPECT_EQ(textWindowBounds, WindowBounds{}); }},
      {"text window taken",
       {{"Text window left/top/width/height", 0, "1|2|3|4|"}},
       [] {
         EXPECT_EQ(textWindowBounds, (WindowBounds{1, 2, 3, 4}));
       }},
      {"print scale from screen dump",
       {{"Print Scale Vertical", 0, "0"}, {"Windows Screendump Scale", 0, "2,5"}},
       [] { EXPECT_EQ(storedSettings.printScaleVertical, 2.5L); }},
      {"line widths",
       {{"Line thickness Layer 0..5", 2, "256"}, {"Line thickness Layer 0..5", 0, "255"}},
       [] {
         EXPECT_EQ(storedSettings.pens[2].lineWidth, 1);
         EXPECT_EQ(storedSettings.pens[0].lineWidth, 255);
       }},
      {"pen colours",
       {{"Color Layer 20", 0, "0"}, {"Color Layer 21", 0, "7"}},
       [] {
         EXPECT_EQ(storedSettings.pens[20].colour, 1);
         EXPECT_EQ(storedSettings.pens[21].colour, 7);
       }},
      {"empty LINPLOT line keeps the current one",
       {{"LINPLOT-Kommandozeile", 0, ""}},
       [] { EXPECT_EQ(storedSettings.linplotCommandLines.front(), "current"); }},
      {"3D second integer",
       {{"3D - Default x,y,z", 4, "0"}},
       [] { EXPECT_EQ(storedSettings.defaults3d.second, 2); }},
      {"cad text mode 0", {{"CAD Text Mode", 0, "0"}}, [] { EXPECT_EQ(cadTextMode, 1); }},
  };
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::string> lines = defaults;
    for (const Change& change : c.changes) {
      size_t label = FindLine(lines, Utf8ToCp850(change.label), 2);
      ASSERT_LT(label + 1 + change.valueLine, lines.size());
      lines[label + 1 + change.valueLine] = Utf8ToCp850(change.text);
    }
    ResetProgramState();
    storedSettings.linplotCommandLines.front() = "current";
    configFolder = folder_.path();
    c.before();
    WriteFileBytes(ConfigFile(), JoinLines(lines, lines.size()));
    LoadConfiguration();
    EXPECT_FALSE(abortFlag);
    c.check();
  }
}

TEST_F(ConfigurationTest, UnlabelledValuesAreReplacedOnReading) {
  SetDistinctValues();
  std::vector<std::string> lines = SavedLines();
  const size_t tail = lines.size() - kUnlabelledLines;
  lines[tail + 1] = "5";       // percentage outside 10..1000
  lines[tail + 2] = "3";       // 1..2
  lines[tail + 3] = "0";       // real 0
  lines[tail + 14] = "FALSE";  // "Save Menu Language ?"
  lines[tail + 16] = "0";      // keeps the current value
  lines[tail + 17] = "-5";
  lines[tail + 34] = "";  // empty text
  lines[tail + 44] = "-1";
  lines[tail + 48] = "1";     // resets the text window
  lines[tail + 49] = "TRUE";  // work on table copies
  lines[tail + 51] = "0";
  lines[tail + 56] = "0";
  ResetProgramState();
  configFolder = folder_.path();
  programFolder = "not read yet";
  storedSettings.unlabelled.integers16[0] = 77;
  WriteFileBytes(ConfigFile(), JoinLines(lines, lines.size()));
  LoadConfiguration();
  const UnlabelledValues& u = storedSettings.unlabelled;
  EXPECT_EQ(u.windowScalePercent, 100);
  EXPECT_EQ(u.oneOrTwo, 2);
  EXPECT_EQ(u.factor, 1);
  EXPECT_EQ(menuLanguage, 0);
  EXPECT_EQ(u.integers16[0], 77);
  EXPECT_EQ(u.integers16[1], 0);  // start-up value kept
  EXPECT_EQ(u.integers16[2], 102);
  EXPECT_EQ(u.text, "/prog/");
  EXPECT_EQ(u.positiveReal, 0.5L);
  EXPECT_EQ(textWindowBounds, (WindowBounds{20, 40, 12 * 70, 933}));
  EXPECT_FALSE(u.workOnTableCopies);
  EXPECT_EQ(u.chordLength, 0.1L);
  EXPECT_EQ(u.reals3[2], 1);
  EXPECT_TRUE(u.invertedFlag);
  EXPECT_TRUE(hideWarnings);
}

TEST_F(ConfigurationTest, RealsAreWrittenWithSevenDecimalsOrCompactly) {
  storedSettings.zoomStep = 0.5L;
  storedSettings.panStep = 0;
  storedSettings.screenDumpScale = -3;
  storedSettings.cadTextWidthFactor = 0.85L;
  storedSettings.cadTextObliqueAngle = 12.5L;
  auto valueAfter = [](const std::vector<std::string>& lines, const char* label) {
    size_t at = FindLine(lines, label, 2);
    return at + 1 < lines.size() ? lines[at + 1] : std::string("missing");
  };
  for (int decimals : {3, 1, 9}) {
    SCOPED_TRACE(decimals);
    decimalsSetting = decimals;
    std::vector<std::string> lines = SavedLines();
    // The display's decimals setting never changes what the file keeps.
    EXPECT_EQ(valueAfter(lines, "Zoomfaktor"), "0.5000000");
    EXPECT_EQ(valueAfter(lines, "Pan-Faktor"), "0");
    EXPECT_EQ(valueAfter(lines, "Windows Screendump Scale"), "-3");
    EXPECT_EQ(valueAfter(lines, "Textbreitenfaktor CAD"), "0.85");
    EXPECT_EQ(valueAfter(lines, "Textwinkel"), "12.5");
    EXPECT_EQ(valueAfter(lines, "Hintergrundfarbe"), "0");
  }
  decimalsSetting = 3;
  EXPECT_EQ(FormatDecimals(7, 0.5L), "0.5000000");
  EXPECT_EQ(FormatAuto(0), "0");
}

TEST_F(ConfigurationTest, NoFileKeepsDefaultsCompletesTheScreenAndSetsAbortFlag) {
  helpLevel = 7;  // nothing but the screen-dependent values changes
  LoadConfiguration();
  EXPECT_TRUE(abortFlag);
  EXPECT_EQ(configFolder, install_.path() + "kv5/");
  EXPECT_EQ(helpLevel, 7);
  EXPECT_EQ(printerPort, 1);
  EXPECT_EQ(linesPerPage, 66);
  EXPECT_EQ(textFont, "Courier New");
  EXPECT_EQ(textProgram, "/usr/bin/xdg-open");
  EXPECT_EQ(storedSettings.mainWindowWidth, 1271);
  EXPECT_EQ(storedSettings.mainWindowHeight, 933);
  EXPECT_EQ(textWindowBounds, (WindowBounds{20, 40, 700, 933}));
  EXPECT_EQ(storedSettings.inputWindowScale, 100);
  EXPECT_EQ(storedSettings.unlabelled.windowScalePercent, 100);
  EXPECT_EQ(storedSettings.unlabelled.windowIntegers[kMainWindowModeIndex], 1);
  EXPECT_EQ(storedSettings.graphicsCorrectionX, 1);
}

TEST_F(ConfigurationTest, FileIsLookedForInThreePlacesFirstMatchWins) {
  TempFolder first;
  const std::string second = install_.path();
  const std::string third = install_.path() + "kv5/";
  std::filesystem::create_directory(third);
  const std::string places[3] = {first.path(), second, third};
  for (int i = 0; i < 3; ++i) {
    configFolder = places[i];
    helpLevel = 11 + i;
    SaveConfiguration();
    ASSERT_FALSE(abortFlag);
  }
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    ResetProgramState();
    configFolder = first.path();
    LoadConfiguration();
    EXPECT_FALSE(abortFlag);
    EXPECT_EQ(helpLevel, 11 + i);
    EXPECT_EQ(configFolder, places[i]);
    std::filesystem::remove(places[i] + "kv5.cfg");
  }
}

TEST_F(ConfigurationTest, SaveDoesNothingWhileAbortFlagIsSet) {
  abortFlag = true;
  SaveConfiguration();
  EXPECT_FALSE(FileExists(ConfigFile()));
}

// The file size limit of a child process makes the write fail part-way.
TEST_F(ConfigurationTest, FailedSaveKeepsThePreviousFile) {
  const std::string previous = "kv5 Konfiguration\r\nVersion 1.0\r\nLayer\r\nalt\r\n";
  WriteFileBytes(ConfigFile(), previous);
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{200, 200};
    setrlimit(RLIMIT_FSIZE, &limit);
    SaveConfiguration();
    _exit(abortFlag ? 1 : 0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 1);
  EXPECT_EQ(ReadFileBytes(ConfigFile()), previous);
  EXPECT_EQ(CountEntries(folder_.path()), 1u);
}

// A headless platform with a person in front of it.
class InteractivePlatform : public HeadlessPlatform {
 public:
  bool Interactive() const override { return true; }
};

TEST_F(ConfigurationTest, CreateFailureIsReportedAndMayBeRetried) {
  configFolder = folder_.File("missing/");
  // Nobody to ask: reported once, given up.
  SaveConfiguration();
  EXPECT_TRUE(abortFlag);
  ASSERT_EQ(platform_.Messages().size(), 1u);
  EXPECT_EQ(platform_.Messages()[0].text, "I/O-Error 2");
  EXPECT_TRUE(platform_.Questions().empty());

  InteractivePlatform person;
  person.SetEcho(false);
  SetPlatform(&person);
  abortFlag = false;
  person.QueueAnswer(YesNoCancel::Yes);  // try once more, then decline
  person.QueueAnswer(YesNoCancel::No);
  SaveConfiguration();
  SetPlatform(&platform_);
  EXPECT_TRUE(abortFlag);
  EXPECT_EQ(person.Messages().size(), 2u);
  EXPECT_EQ(person.Questions().size(), 2u);
  EXPECT_EQ(CountEntries(folder_.path()), 0u);
}

TEST_F(ConfigurationTest, TextsOutsideCodePage850AreKeptAsUtf8) {
  cadFolder = "/home/用户/cad/";
  SavedLines();
  const std::string bytes = ReadFileBytes(ConfigFile());
  EXPECT_TRUE(IsValidUtf8(bytes));
  EXPECT_NE(bytes.find("Hardcopy um 90° gedreht ?"), std::string::npos);
  LoadBytes(bytes);
  EXPECT_EQ(cadFolder, "/home/用户/cad/");
}

TEST_F(ConfigurationTest, LineBreakInATextDoesNotMoveLaterValues) {
  textProgram = "zwei\r\nZeilen";
  htmlBrowser = "/usr/bin/browser";
  const std::string bytes = JoinLines(SavedLines(), 10000);
  LoadBytes(bytes);
  EXPECT_EQ(textProgram, "zwei|Zeilen");
  EXPECT_EQ(htmlBrowser, "/usr/bin/browser");
}

TEST_F(ConfigurationTest, GarbageAndBinaryFilesLoadWithoutHarm) {
  std::vector<std::string> files = {"", std::string(4096, '\0'), "\r\n\r\n\n\r",
                                    "kv5 Konfiguration\r\nVersion 1.1\r\n"};
  std::mt19937 random(5);
  for (int i = 0; i < 8; ++i) {
    std::string bytes(65536, '\0');
    for (char& c : bytes) c = static_cast<char>(random() & 0xFF);
    files.push_back(bytes);
  }
  // A huge count of LINPLOT command lines.
  std::vector<std::string> lines = SavedLines();
  lines[FindLine(lines, "LINPLOT Command lines (n, line 2 .. line n)", 2) + 1] = "2000000000";
  files.push_back(JoinLines(lines, lines.size()));
  for (size_t i = 0; i < files.size(); ++i) {
    SCOPED_TRACE(i);
    LoadBytes(files[i]);
    EXPECT_FALSE(abortFlag);
    EXPECT_GE(decimalsSetting, 1);
    EXPECT_LE(decimalsSetting, 9);
    EXPECT_GE(linesPerPage, 5);
    EXPECT_GE(storedSettings.linplotCommandLines.size(), 1u);
    EXPECT_LE(storedSettings.linplotCommandLines.size(), files[i].size() + 1);
    EXPECT_FALSE(storedSettings.unlabelled.workOnTableCopies);
    EXPECT_NE(storedSettings.mainWindowWidth, 0);
    // Whatever was read can be written again.
    SaveConfiguration();
    EXPECT_FALSE(abortFlag);
  }
}

TEST_F(ConfigurationTest, ExportAndImportUseTheChosenFileOnly) {
  TempFolder other;
  helpLevel = 4;
  platform_.QueueAnswer(std::string(other.File("werkstatt.cfg")));
  ExportConfiguration();
  EXPECT_FALSE(abortFlag);
  EXPECT_EQ(configFolder, folder_.path());
  std::vector<std::string> lines = SplitLines(ReadFileBytes(other.File("werkstatt.cfg")));
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0], "werkstatt Konfiguration");
  EXPECT_FALSE(FileExists(ConfigFile()));

  helpLevel = 1;
  platform_.QueueAnswer(std::string(other.File("werkstatt.cfg")));
  ImportConfiguration();
  EXPECT_FALSE(abortFlag);
  EXPECT_EQ(helpLevel, 4);
  EXPECT_EQ(configFolder, folder_.path());

  platform_.QueueAnswer(std::string(other.File("fehlt.cfg")));
  ImportConfiguration();
  EXPECT_TRUE(abortFlag);
  ASSERT_EQ(platform_.Messages().size(), 1u);
  EXPECT_EQ(platform_.Messages()[0].text,
            "Datei " + other.File("fehlt.cfg") + " nicht gefunden oder kein Zugriffsrecht !");

  abortFlag = false;
  ExportConfiguration();  // no answer queued: cancelled
  EXPECT_TRUE(abortFlag);
}

TEST_F(ConfigurationTest, CheckFoldersReportsEachInvalidFolderInOrder) {
  TempFolder newTemp;
  const std::string missing = folder_.File("fehlt/");
  cadFolder = missing + "cad/";
  tableFolder = missing + "dbf/";
  pltFolder = missing + "plt/";
  tempFolder = missing + "tmp/";
  ediFolder = missing + "edi/";
  dataFolder = missing + "data/";
  std::string answer = newTemp.path();
  answer.pop_back();  // typed without the closing separator
  platform_.QueueAnswer(answer);
  CheckFolders();
  std::vector<std::string> texts;
  for (const ShownMessage& m : platform_.Messages()) texts.push_back(m.text);
  EXPECT_EQ(texts,
            (std::vector<std::string>{
                "ungültiger CAD Ordner konfiguriert", "ungültiger DBF Ordner konfiguriert",
                "ungültiger PLT Ordner konfiguriert",
                "ungültiger Ordner für temporäre Dateien konfiguriert",
                "ungültiger EDI Ordner konfiguriert", "ungültiger Data Ordner konfiguriert"}));
  EXPECT_EQ(platform_.Questions(), std::vector<std::string>{"Ordner für temporäre Dateien"});
  EXPECT_EQ(tempFolder, newTemp.path());
  EXPECT_FALSE(abortFlag);

  // The new temporary folder is not tested again; a cancel keeps the old one.
  for (bool cancel : {false, true}) {
    SCOPED_TRACE(cancel);
    platform_.ClearLog();
    abortFlag = false;
    tempFolder = missing + "tmp/";
    if (!cancel) platform_.QueueAnswer(std::string(missing + "auch/"));
    CheckFolders();
    EXPECT_EQ(platform_.Messages().size(), 6u);
    EXPECT_EQ(tempFolder, cancel ? missing + "tmp/" : missing + "auch/");
    EXPECT_EQ(abortFlag, cancel);
  }
}

TEST_F(ConfigurationTest, CheckFoldersFillsEmptyFoldersAndTouchesNothing) {
  TempFolder systemTemp, start;
  setenv("TMPDIR", systemTemp.path().c_str(), 1);
  startFolder = start.path().substr(0, start.path().size() - 1);
  tempFolder = "   ";
  cadFolder = tableFolder = pltFolder = ediFolder = dataFolder = "";
  CheckFolders();
  EXPECT_TRUE(platform_.Messages().empty());
  EXPECT_EQ(tempFolder, systemTemp.path());
  EXPECT_EQ(cadFolder, systemTemp.path());
  // The explanation file is then looked for in the start folder.
  EXPECT_EQ(pltFolder, start.path());
  EXPECT_EQ(tableFolder, start.path());
  EXPECT_EQ(ediFolder, start.path());
  EXPECT_EQ(dataFolder, start.path());
  EXPECT_EQ(CountEntries(systemTemp.path()), 0u);
  EXPECT_EQ(CountEntries(start.path()), 0u);
}

TEST_F(ConfigurationTest, CheckFoldersCopiesTheTablesWhenWorkingOnCopies) {
  TempFolder tables, temp;
  WriteFileBytes(tables.File("kv1chain.dbf"), "chain");
  WriteFileBytes(tables.File("ISO606.DBF"), "iso");
  WriteFileBytes(tables.File("notes.txt"), "no table");
  tableFolder = tables.path();
  tempFolder = cadFolder = ediFolder = dataFolder = pltFolder = temp.path();
  storedSettings.unlabelled.workOnTableCopies = true;
  CheckFolders();
  EXPECT_TRUE(platform_.Messages().empty());
  EXPECT_EQ(ReadFileBytes(temp.File("kv1chain.dbf")), "chain");
  EXPECT_EQ(ReadFileBytes(temp.File("ISO606.DBF")), "iso");
  EXPECT_EQ(CountEntries(temp.path()), 2u);
  EXPECT_FALSE(platform_.Busy());
}

TEST_F(ConfigurationTest, InitialValues) {
  helpLevel = 9;
  storedSettings.pens[3].colour = 99;
  cadFolder = "/x/";
  InitConfiguration();
  EXPECT_EQ(helpLevel, 1);
  EXPECT_EQ(cadFolder, "");
  EXPECT_EQ(configFolder, CurrentFolder());
  EXPECT_EQ(dataFolder, CurrentFolder());
  EXPECT_EQ(startFolder, CurrentFolder());
  EXPECT_EQ(textFontStyle, 3);
  EXPECT_EQ(cadTextMode, 2);
  EXPECT_EQ(dateFormat, 3);
  const int colours[6] = {1, 2, 2, 2, 3, 1};
  const int widths[6] = {3, 1, 1, 1, 2, 3};
  for (size_t pen = 0; pen < 6; ++pen) {
    EXPECT_EQ(storedSettings.pens[pen].layerName, std::to_string(pen));
    EXPECT_EQ(storedSettings.pens[pen].colour, colours[pen]);
    EXPECT_EQ(storedSettings.pens[pen].lineWidth, widths[pen]);
  }
}

}  // namespace
}  // namespace kv5
