#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <clocale>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <locale>
#include <map>
#include <regex>
#include <set>

#include "cad/cad_channel.h"
#include "cad/step_backend.h"
#include "cad/step_writer.h"
#include "dialogs/file_checks.h"
#include "tests/cad_test_support.h"
#include "text/messages.h"
#include "text/numeric.h"
#include "text/string_routines.h"

namespace kv5 {
namespace {

using testing::CadTest;
using testing::FileLines;
using testing::ReadFileBytes;
using testing::StringSink;
using testing::TempFolder;
using testing::WriteFileBytes;

// The entities of the DATA section of a file, by number, each as one text
// without its number and closing ";" (continuation lines joined by a blank).
struct StepData {
  std::map<long, std::string> entities;
  std::vector<std::string> problems;  // structural faults found
  int dataSections = 0;
};

// Removes the string literals of an entity text (so that "#1" inside
// 'Context #1' is not taken for a reference).
std::string WithoutStrings(const std::string& text) {
  std::string out;
  bool inString = false;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\'') {
      if (inString && i + 1 < text.size() && text[i + 1] == '\'') {
        ++i;
        continue;
      }
      inString = !inString;
      out += '\'';
      continue;
    }
    if (!inString) out += text[i];
  }
  return out;
}

std::vector<long> References(const std::string& text) {
  std::vector<long> refs;
  const std::string plain = WithoutStrings(text);
  static const std::regex ref("#([0-9]+)");
  for (std::sregex_iterator it(plain.begin(), plain.end(), ref), end; it != end; ++it)
    refs.push_back(std::stol((*it)[1]));
  return refs;
}

// Parses the file and checks what a reader relies on: entities numbered
// 1, 2, 3 … without gaps, every reference naming an entity of the file.
StepData ParseStep(const std::vector<std::string>& lines) {
  StepData data;
  bool inData = false;
  std::string pending;
  for (const std::string& line : lines) {
    if (line == "DATA;") {
      ++data.dataSections;
      inData = true;
      continue;
    }
    if (!inData) continue;
    if (line == "ENDSEC;") {
      inData = false;
      continue;
    }
    pending += pending.empty() ? line : " " + line;
    if (WithoutStrings(pending).back() != ';') continue;
    static const std::regex entity("#([0-9]+) = (.*);");
    std::smatch match;
    if (!std::regex_match(pending, match, entity)) {
      data.problems.push_back("not an entity: " + pending);
    } else {
      long number = std::stol(match[1]);
      if (number != static_cast<long>(data.entities.size()) + 1)
        data.problems.push_back("entity out of order: #" + std::to_string(number));
      data.entities[number] = match[2];
    }
    pending.clear();
  }
  if (!pending.empty()) data.problems.push_back("unfinished entity: " + pending);
  for (const auto& [number, text] : data.entities)
    for (long ref : References(text))
      if (!data.entities.count(ref))
        data.problems.push_back("#" + std::to_string(number) + " refers to missing #" +
                                std::to_string(ref));
  return data;
}

std::vector<long> EntitiesOfType(const StepData& data, const std::string& type) {
  std::vector<long> numbers;
  for (const auto& [number, text] : data.entities)
    if (text.rfind(type + "(", 0) == 0) numbers.push_back(number);
  return numbers;
}

class StepTest : public CadTest {
 protected:
  // A whole output run of kind 7 into `file` with both passes; `draw`
  // draws the blocks (between CadBeginBlocks and CadEndSection) and
  // `entities` the entities of each pass.
  template <typename Blocks, typename Entities>
  void Export(const std::string& file, Blocks blocks, Entities entities) {
    AnswerSaveDialog(folder_.File(file));
    CadBegin(kCadStep);
    ASSERT_FALSE(abortFlag) << file;
    CadSetLimits(0, 0, 297, 210, 0);
    CadTables(0);
    CadBeginBlocks();
    blocks();
    CadEndSection();
    int pass = 0;
    do {
      CadBeginEntities();
      entities(pass++);
      CadEndSection();
    } while (!CadPassDone());
    CadEnd();
  }
  template <typename Entities>
  void Export(const std::string& file, Entities entities) {
    Export(
        file, [] {}, entities);
  }
  StepData Data(const std::string& file) {
    StepData data = ParseStep(Lines(file));
    for (const std::string& problem : data.problems) ADD_FAILURE() << file << ": " << problem;
    return data;
  }
  size_t FilesInFolder() const {
    size_t n = 0;
    for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(folder_.path())) ++n;
    return n;
  }
};

TEST(StepRealTest, ExponentFormWithSixDigitsAndThreeExponentDigits) {
  const std::pair<Real, const char*> cases[] = {
      {100, "1.00000E+002"},
      {0, "0.00000E+000"},
      {-0.0L, "0.00000E+000"},
      {1, "1.00000E+000"},
      {-2.5L, "-2.50000E+000"},
      {0.1L, "1.00000E-001"},
      {123456.7L, "1.23457E+005"},
      {9.999996L, "1.00000E+001"},  // rounding carries into the exponent
      {1e-20L, "1.00000E-020"},
      {1.5e300L, "1.50000E+300"},
      {1e-1000L, "1.00000E-1000"},  // extended range: four digits
      {std::numeric_limits<Real>::quiet_NaN(), "0.00000E+000"},
      {std::numeric_limits<Real>::infinity(), "0.00000E+000"},
  };
  for (const auto& [value, text] : cases) EXPECT_EQ(FormatStepReal(value), text) << text;
}

TEST(StepStringTest, ApostrophesBackslashesAndNonAsciiAreEncoded) {
  const std::pair<const char*, const char*> cases[] = {
      {"", "''"},
      {"Rad 1", "'Rad 1'"},
      {"O'Neil's", "'O''Neil''s'"},
      {"C:\\kv5\\x.stp", "'C:\\\\kv5\\\\x.stp'"},
      {"Zähne", "'Z\\X2\\00E4\\X0\\hne'"},
      {"äöüß", "'\\X2\\00E400F600FC00DF\\X0\\'"},  // one run for neighbours
      {"Ø 20 ±0,1°", "'\\X2\\00D8\\X0\\ 20 \\X2\\00B1\\X0\\0,1\\X2\\00B0\\X0\\'"},
      {"5 €", "'5 \\X2\\20AC\\X0\\'"},
      {"a😀€", "'a\\X4\\0001F600\\X0\\\\X2\\20AC\\X0\\'"},
      {"tab\there", "'tab\\X2\\0009\\X0\\here'"},
      {"M\xE4rz", "'M\\X2\\00E4\\X0\\rz'"},            // a stray Latin-1 byte
      {"\xC3", "'\\X2\\00C3\\X0\\'"},                  // a sequence cut off
      {"\xED\xA0\x80", "'\\X2\\00ED00A00080\\X0\\'"},  // no surrogates
  };
  for (const auto& [text, encoded] : cases) EXPECT_EQ(StepString(text), encoded) << text;
}

TEST(StepWriterTest, HeaderFieldsAndNumbering) {
  StringSink sink;
  StepWriter writer(sink);
  DateTime when;
  when.year = 2026, when.month = 3, when.day = 7, when.hour = 9, when.minute = 5, when.second = 4;
  writer.Header("/cad/Rad'1 Müller.stp", when, "Jörg");
  const std::vector<std::string> expected = {
      "ISO-10303-21;",
      "HEADER;",
      "FILE_DESCRIPTION(('KELMARO Software'),'2;1');",
      "FILE_NAME('/cad/Rad''1 M\\X2\\00FC\\X0\\ller.stp','2026-03-07T09:05:04',('J\\X2\\00F6\\X0\\"
      "rg'),(''),'KELMARO STEP processor 1.0','KV5','');",
      "FILE_SCHEMA(('AUTOMOTIVE_DESIGN'));",
      "ENDSEC;",
      ""};
  EXPECT_EQ(sink.lines, expected);

  // Output is off after the header: entities are counted, not written.
  EXPECT_EQ(writer.Entity("A();"), 1);
  writer.Plain("DATA;");
  EXPECT_EQ(sink.lines.size(), expected.size());
  writer.SetOutput(true);
  EXPECT_EQ(writer.Entity("B();"), 2);
  writer.RestartNumbering();
  EXPECT_EQ(writer.Entity("C();"), 1);
  EXPECT_EQ(sink.lines.back(), "#1 = C();");
  EXPECT_EQ(sink.lines[sink.lines.size() - 2], "#2 = B();");
}

TEST_F(StepTest, OneSegmentGivesShapeRepresentationCurveSetAndTrailerNumbers) {
  Export("one.stp", [](int) { CadLine(0, 0, 10, 0); });
  ASSERT_FALSE(abortFlag);
  std::vector<std::string> lines = Lines("one.stp");
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "DATA;"), 1) << "counting pass writes nothing";
  EXPECT_EQ(lines.front(), "ISO-10303-21;");
  EXPECT_EQ(lines.back(), "END-ISO-10303-21;");
  StepData data = Data("one.stp");
  ASSERT_EQ(data.entities.size(), 33u + 29u);
  EXPECT_EQ(data.entities[1],
            "APPLICATION_PROTOCOL_DEFINITION('committee draft','automotive_design',1997,#2)");
  EXPECT_EQ(data.entities[24], "PRODUCT_TYPE('part',$,(#7))");
  EXPECT_EQ(data.entities[25], "SHAPE_REPRESENTATION('',(#11,#26),#34)");
  EXPECT_EQ(data.entities[26], "GEOMETRIC_CURVE_SET('',(#27))");
  EXPECT_EQ(data.entities[27],
            "TRIMMED_CURVE('',#28,(#32,PARAMETER_VALUE(0.E+000)),(#33,PARAMETER_VALUE(1.00000E+"
            "001)),.T.,.PARAMETER.)");
  EXPECT_EQ(data.entities[28], "LINE('',#29,#30)");
  EXPECT_EQ(data.entities[29], "CARTESIAN_POINT('',(0.00000E+000,0.00000E+000,0.00000E+000))");
  EXPECT_EQ(data.entities[30], "VECTOR('',#31,1.)");
  EXPECT_EQ(data.entities[31], "DIRECTION('',(1.00000E+000,0.00000E+000,0.00000E+000))");
  EXPECT_EQ(data.entities[32], "CARTESIAN_POINT('',(0.00000E+000,0.00000E+000,0.E+000))");
  EXPECT_EQ(data.entities[33], "CARTESIAN_POINT('',(1.00000E+001,0.00000E+000,0.E+000))");
  EXPECT_EQ(data.entities[34].rfind("( GEOMETRIC_REPRESENTATION_CONTEXT(3)  "
                                    "GLOBAL_UNCERTAINTY_ASSIGNED_CONTEXT((#38)) "
                                    "GLOBAL_UNIT_ASSIGNED_CONTEXT((#35,#36,#37))",
                                    0),
            0u);
  EXPECT_EQ(data.entities[39], "SHAPE_DEFINITION_REPRESENTATION(#40,#25)");
  EXPECT_EQ(data.entities[43], "PRODUCT('one','one','',(#44))");
  EXPECT_EQ(data.entities[47],
            "( REPRESENTATION_RELATIONSHIP('','',#25,#10) "
            "REPRESENTATION_RELATIONSHIP_WITH_TRANSFORMATION(#48) "
            "SHAPE_REPRESENTATION_RELATIONSHIP() )");
  EXPECT_EQ(data.entities[53], "STYLED_ITEM('color',(#54),#26)");
  EXPECT_EQ(data.entities[62], "DRAUGHTING_PRE_DEFINED_CURVE_FONT('continuous')");
}

// The writing pass must number as the counting pass did: #25 lists every
// curve set and names the context after the last segment, whatever the
// drawing holds (inserts replayed from block files, polylines as chords).
TEST_F(StepTest, BothPassesNumberAlikeForBlocksPolylinesAndSkippedPrimitives) {
  auto blocks = [] {
    CadBeginBlock("INNER");
    CadSetPen(3);
    CadLine(0, 0, 10, 0);
    CadCircle(0, 0, 3);
    CadEndBlock();
    CadBeginBlock("OUTER");
    CadInsert("INNER", 5, 0, 90, 2, 2);
    CadLine(0, 0, 0, 1);
    CadEndBlock();
  };
  auto entities = [](int) {
    CadLine(1, 1, 2, 2);
    CadCircle(50, 50, 10);
    CadArc(50, 50, 0, 90, 10);
    CadSetTextStyle(2, 0, 3.5L, 2.5L);
    CadText("Zähnezahl", 10, 10);
    CadSolid(0, 0, 1, 0, 0, 1, 1, 1);
    CadRoundRect(false, 100, 100, 140, 130, 5);
    CadInsert("OUTER", 200, 100, 90, 1, 1);
    CadLine(3, 3, 3, 3);  // no length: no segment
  };
  Export("blocks.stp", blocks, entities);
  ASSERT_FALSE(abortFlag);
  StepData data = Data("blocks.stp");
  const std::vector<long> curveSets = EntitiesOfType(data, "GEOMETRIC_CURVE_SET");
  std::string list;
  for (long n : curveSets) list += ",#" + std::to_string(n);
  const long context = curveSets.back() + 8;
  EXPECT_EQ(data.entities[25],
            "SHAPE_REPRESENTATION('',(#11" + list + "),#" + std::to_string(context) + ")");
  EXPECT_EQ(data.entities[context].rfind("( GEOMETRIC_REPRESENTATION_CONTEXT(3)", 0), 0u);
  // 1 line, the round rectangle's 4 edges and 4 corners as chords, and
  // the two lines of the nested insert; circles, arcs, texts, solids none.
  EXPECT_GT(curveSets.size(), 1u + 4 + 4 + 2);
  EXPECT_TRUE(EntitiesOfType(data, "CIRCLE").empty());
  EXPECT_EQ(EntitiesOfType(data, "TRIMMED_CURVE").size(), curveSets.size());
  // INNER's line (0,0)-(10,0) at (5,0) turned 90° and doubled, inside OUTER
  // at (200,100) turned 90° again: from (200,105) to (180,105).
  bool nestedLine = false;
  for (const auto& [n, text] : data.entities)
    if (text == "CARTESIAN_POINT('',(2.00000E+002,1.05000E+002,0.E+000))" &&
        data.entities[n + 1] == "CARTESIAN_POINT('',(1.80000E+002,1.05000E+002,0.E+000))")
      nestedLine = true;
  EXPECT_TRUE(nestedLine);
  // Nothing of the block definitions reached the file untransformed.
  for (const auto& [n, text] : data.entities)
    EXPECT_NE(text, "CARTESIAN_POINT('',(1.00000E+001,0.00000E+000,0.E+000))") << n;
}

TEST_F(StepTest, DrawingOfOnlyCirclesHasNoGeometry) {
  Export("circles.stp", [](int) {
    for (int i = 1; i <= 5; ++i) CadCircle(10 * i, 10, i);
    CadCircleHole(0, 0, 2);
  });
  ASSERT_FALSE(abortFlag);
  StepData data = Data("circles.stp");
  for (const char* type : {"GEOMETRIC_CURVE_SET", "TRIMMED_CURVE", "LINE", "CIRCLE", "VECTOR",
                           "STYLED_ITEM", "CURVE_STYLE"})
    EXPECT_TRUE(EntitiesOfType(data, type).empty()) << type;
  EXPECT_EQ(data.entities[25], "SHAPE_REPRESENTATION('',(#11),#26)");
  EXPECT_EQ(data.entities[26].rfind("( GEOMETRIC_REPRESENTATION_CONTEXT(3)", 0), 0u);
  EXPECT_EQ(data.entities[31], "SHAPE_DEFINITION_REPRESENTATION(#32,#25)");
  EXPECT_EQ(data.entities.size(), 25u + 18u);
}

// Another thread or library may have switched the process to a locale
// with a decimal comma; the file must not follow it.
class GermanLocale {
 public:
  explicit GermanLocale(const std::string& folder) {
    // Made in the test's folder when the system has none installed.
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8") &&
        std::system(
            ("localedef -i de_DE -f UTF-8 '" + folder + "de_DE.UTF-8' 2>/dev/null").c_str()) == 0) {
      setenv("LOCPATH", folder.c_str(), 1);
      std::setlocale(LC_ALL, "de_DE.UTF-8");
      unsetenv("LOCPATH");
    }
    cLocale_ = std::localeconv()->decimal_point[0] == ',';
    struct Comma : std::numpunct<char> {
      char do_decimal_point() const override { return ','; }
    };
    previous_ = std::locale::global(std::locale(std::locale::classic(), new Comma));
  }
  ~GermanLocale() {
    std::setlocale(LC_ALL, "C");
    std::locale::global(previous_);
  }
  bool CLocaleHasComma() const { return cLocale_; }

 private:
  std::locale previous_;
  bool cLocale_ = false;
};

TEST_F(StepTest, RealsKeepTheDecimalPointUnderAGermanLocale) {
  TempFolder localeFolder;
  GermanLocale german(localeFolder.path());
  if (!german.CLocaleHasComma())
    std::cout << "no German C locale here; the C++ locale is switched only\n";
  Export("locale.stp", [](int) { CadLine(0.5L, -1.25L, 10.75L, 3); });
  ASSERT_FALSE(abortFlag);
  StepData data = Data("locale.stp");
  EXPECT_EQ(data.entities[29], "CARTESIAN_POINT('',(5.00000E-001,-1.25000E+000,0.00000E+000))");
  EXPECT_EQ(data.entities[33], "CARTESIAN_POINT('',(1.07500E+001,3.00000E+000,0.E+000))");
  EXPECT_EQ(FormatStepReal(1.5L), "1.50000E+000");
}

TEST_F(StepTest, FileAndProductNamesAreEncoded) {
  Export("Rad'1 Größe.stp", [](int) { CadLine(0, 0, 1, 1); });
  ASSERT_FALSE(abortFlag);
  std::vector<std::string> lines = Lines("Rad'1 Größe.stp");
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(
      lines[3].rfind("FILE_NAME('" + folder_.path() + "Rad''1 Gr\\X2\\00F600DF\\X0\\e.stp','", 0),
      0u)
      << lines[3];
  EXPECT_TRUE(
      std::regex_search(lines[3], std::regex("','[0-9]{4}-[0-9]{2}-[0-9]{2}T[0-9]{2}:[0-9]{2}:"
                                             "[0-9]{2}',\\('[^']*'\\),\\(''\\),")))
      << lines[3];
  StepData data = Data("Rad'1 Größe.stp");
  EXPECT_EQ(data.entities[43],
            "PRODUCT('Rad''1 Gr\\X2\\00F600DF\\X0\\e','Rad''1 Gr\\X2\\00F600DF\\X0\\e','',(#44))");
}

TEST_F(StepTest, FailedWriteKeepsTheOlderFile) {
  const std::string name = folder_.File("alt.stp");
  const std::string old(30000, 'x');
  WriteFileBytes(name, old);
  recorder_.QueueAnswer(name);
  recorder_.QueueAnswer(YesNoCancel::Yes);  // overwrite
  const int code = testing::ExitCodeUnderFileSizeLimit(8000, [&] {
    CadBegin(kCadStep);
    bool begun = !abortFlag;
    CadSetDefaultLimits();
    do {
      CadBeginEntities();
      for (int i = 0; i < 200 && !abortFlag; ++i) CadLine(i, 0, i, 10);
      CadEndSection();
    } while (!CadPassDone() && !abortFlag);
    CadEnd();
    bool reported =
        !recorder_.Messages().empty() && recorder_.Messages().back().text.find("I/O-Error") == 0;
    return begun && abortFlag && reported;
  });
  EXPECT_EQ(code, 0) << "the write must fail and say so";
  EXPECT_EQ(ReadFileBytes(name), old);
  EXPECT_EQ(FilesInFolder(), 1u) << "no half-written file left behind";
}

// An insert of a block without block file sets abortFlag in the middle of a
// pass; the drawing code stops there and ends the run.
TEST_F(StepTest, AbortInTheMiddleOfEitherPassLeavesTheOlderFile) {
  for (int abortedPass : {0, 1}) {
    SCOPED_TRACE(abortedPass);
    abortFlag = false;
    recorder_.ClearLog();
    const std::string name = folder_.File("abbruch.stp");
    WriteFileBytes(name, "alt");
    confirmOverwrite = false;
    AnswerSaveDialog(name);
    CadBegin(kCadStep);
    ASSERT_FALSE(abortFlag);
    CadSetDefaultLimits();
    for (int pass = 0; pass < 2 && !abortFlag; ++pass) {
      CadBeginEntities();
      CadLine(0, 0, 5, 5);
      if (pass == abortedPass) CadInsert("FEHLT", 0, 0, 0, 1, 1);
      if (abortFlag) break;
      CadLine(5, 5, 9, 0);
      CadEndSection();
      CadPassDone();
    }
    EXPECT_TRUE(abortFlag);
    CadEnd();
    EXPECT_TRUE(abortFlag);
    EXPECT_EQ(ReadFileBytes(name), "alt");
    EXPECT_EQ(FilesInFolder(), 1u);
    for (const auto& message : recorder_.Messages())
      EXPECT_EQ(message.text.find("STEP-Ausgabe"), std::string::npos) << "a quiet abort";
    EXPECT_TRUE(recorder_.StartedPrograms().empty());
  }
}

TEST_F(StepTest, PassesThatDrawDifferentlyOrAreMissingWriteNoFile) {
  struct Case {
    const char* name;
    int passes;        // passes the drawing code makes
    bool extraInPass;  // one more line in the writing pass
  };
  const Case cases[] = {{"only the counting pass", 1, false},
                        {"the writing pass draws more", 2, true},
                        {"no pass at all", 0, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    abortFlag = false;
    recorder_.ClearLog();
    const std::string name = folder_.File("passes.stp");
    WriteFileBytes(name, "alt");
    confirmOverwrite = false;
    AnswerSaveDialog(name);
    CadBegin(kCadStep);
    ASSERT_FALSE(abortFlag);
    CadSetDefaultLimits();
    for (int pass = 0; pass < c.passes; ++pass) {
      CadBeginEntities();
      CadLine(0, 0, 5, 5);
      if (pass == 1 && c.extraInPass) CadLine(5, 5, 9, 0);
      CadEndSection();
      CadPassDone();
    }
    CadEnd();
    EXPECT_TRUE(abortFlag);
    EXPECT_EQ(ReadFileBytes(name), "alt");
    EXPECT_EQ(FilesInFolder(), 1u);
    ASSERT_EQ(recorder_.Messages().size(), 1u);
    EXPECT_EQ(recorder_.Messages()[0].text.find("STEP-Ausgabe abgebrochen"), 0u);
  }
}

TEST_F(StepTest, SaveDialogNameGetsTheStepExtensionAndTheFileIsOpened) {
  cadOpenAfterExport = true;
  AnswerSaveDialog(folder_.File("zeichnung.txt"));
  CadBegin(kCadStep);
  ASSERT_FALSE(abortFlag);
  ASSERT_EQ(recorder_.saveRequests.size(), 1u);
  EXPECT_EQ(recorder_.saveRequests[0].filter, "*.stp|*.stp|*.*|*.*");
  EXPECT_FALSE(cadState.polylineMode);
  CadSetDefaultLimits();
  do {
    CadBeginEntities();
    CadLine(0, 0, 1, 0);
    CadEndSection();
  } while (!CadPassDone());
  CadEnd();
  EXPECT_FALSE(abortFlag);
  EXPECT_TRUE(std::filesystem::exists(folder_.File("zeichnung.stp")));
  ASSERT_EQ(recorder_.StartedPrograms().size(), 1u);
  EXPECT_EQ(recorder_.StartedPrograms()[0], "open " + folder_.File("zeichnung.stp"));
}

}  // namespace
}  // namespace kv5

namespace kv5 {
namespace {

// Sample exports for an outside STEP reader (tests/scripts/check_step.sh):
// written only when KV5_STEP_SAMPLE_DIR names a folder.
class StepSampleTest : public testing::CadTest {};

// One output run of kind 7 with the drawing code's pass loop.
template <typename Blocks, typename Entities>
void WriteSample(const std::string& name, Blocks blocks, Entities entities) {
  CadBegin(kCadStep);
  ASSERT_FALSE(abortFlag) << name;
  CadSetLimits(0, 0, 297, 210, 0);
  CadTables(2);
  CadBeginBlocks();
  blocks();
  CadEndSection();
  do {
    CadBeginEntities();
    entities();
    CadEndSection();
  } while (!CadPassDone());
  CadEnd();
  EXPECT_FALSE(abortFlag) << name;
  EXPECT_TRUE(std::filesystem::exists(name)) << name;
}

void NoBlocks() {}

void EveryPrimitive() {
  CadSetPen(1);
  CadLine(10, 10, 100, 10);
  CadRectangle(20, 20, 60, 50);
  CadSetPen(2);
  CadCircle(50, 50, 20);
  CadArc(50, 50, 350, 10, 25);
  CadArcSweep(50, 50, 90, 0, 30, -90);
  CadSetPen(5);
  CadSetTextStyle(2, 45, 3.5L, 0);
  CadText("KV5 Triebstock Zähnezahl", 20, 150);
  CadSolid(200, 10, 210, 10, 200, 20, 210, 20);
  CadRoundRect(false, 150, 100, 200, 140, 5);
  CadRoundRect(true, 210, 100, 260, 140, 8);
  CadPolyBegin(false);
  CadPolyVertex(0, 180, 0);
  CadPolyVertex(30, 180, kPi / 3);
  CadPolyVertex(60, 190, -kPi / 2);
  CadPolyVertex(90, 170, 0);
  CadPolyEnd();
  CadRoundPolygon(3, 250, 40, 30, 4, 90);
}

void NestedBlocks() {
  CadBeginBlock("TOOTH1");
  CadSetPen(3);
  CadPolyBegin(false);
  CadPolyVertex(0, 0, 0);
  CadPolyVertex(4, 0, kPi / 2);
  CadPolyVertex(4, 4, 0);
  CadPolyVertex(0, 6, 0);
  CadPolyEnd();
  CadCircle(2, 2, 1);
  CadEndBlock();
  CadBeginBlock("RAD1VA");
  for (int k = 0; k < 12; ++k) CadInsert("TOOTH1", 0, 0, 30 * k, 1.5L, 1.5L);
  CadLine(-2, 0, 2, 0);
  CadEndBlock();
  CadBeginBlock("FRAME_1");
  CadRectangle(0, 0, 297, 210);
  CadInsert("RAD1VA", 250, 180, 15, 0.5L, 0.5L);
  CadEndBlock();
}

void InsertNestedBlocks() {
  CadInsert("FRAME_1", 0, 0, 0, 1, 1);
  CadInsert("RAD1VA", 80, 100, 45, 3, 3);
  CadInsert("RAD1VA", 180, 100, -20, 2, 1);
  CadInsert("TOOTH1", 150, 30, 90, 4, 4);
}

void OnlyCircles() {
  for (int i = 1; i <= 8; ++i) CadCircle(30 * i, 100, 2 * i);
  CadCircleHole(150, 50, 10);
}

void ManyLines() {
  // Long enough that the shape representation fills one very long line.
  for (int i = 0; i < 6000; ++i) {
    Real a = DegToRad(i * 0.06L);
    CadLine(148 + 5 * std::cos(a), 105 + 5 * std::sin(a), 148 + 100 * std::cos(a),
            105 + 100 * std::sin(a));
  }
}

TEST_F(StepSampleTest, WritesSamplesForAnOutsideReader) {
  const char* folder = std::getenv("KV5_STEP_SAMPLE_DIR");
  if (!folder || !*folder) GTEST_SKIP() << "KV5_STEP_SAMPLE_DIR not set";
  std::filesystem::create_directories(folder);
  confirmOverwrite = false;
  const std::string base = AddBackslash(folder);
  struct Sample {
    const char* file;
    void (*blocks)();
    void (*entities)();
  };
  const Sample samples[] = {
      {"primitives.stp", NoBlocks, EveryPrimitive},
      {"nested_inserts.stp", NestedBlocks, InsertNestedBlocks},
      {"only_circles.stp", NoBlocks, OnlyCircles},
      {"many_lines.stp", NoBlocks, ManyLines},
      {"Zahnrad's Größe.stp", NoBlocks, EveryPrimitive},
  };
  for (const Sample& sample : samples) {
    const std::string name = base + sample.file;
    AnswerSaveDialog(name);
    WriteSample(name, sample.blocks, sample.entities);
  }
}

}  // namespace
}  // namespace kv5
