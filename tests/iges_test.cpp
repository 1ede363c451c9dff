#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>

#include "cad/cad_channel.h"
#include "cad/iges_writer.h"
#include "dialogs/file_checks.h"
#include "tests/cad_test_support.h"
#include "text/messages.h"
#include "text/numeric.h"
#include "text/string_routines.h"

namespace kv5 {
namespace {

using testing::CadTest;
using testing::ReadFileBytes;
using testing::WriteFileBytes;

// The records of one section, without their columns 73..80.
std::vector<std::string> Section(const std::vector<std::string>& lines, char letter) {
  std::vector<std::string> records;
  for (const std::string& line : lines)
    if (line.size() == 80 && line[72] == letter) records.push_back(line.substr(0, 72));
  return records;
}

// The parameter text of the entity whose D record is `pointer`.
std::string ParametersOf(const std::vector<std::string>& lines, int pointer) {
  std::string text;
  for (const std::string& p : Section(lines, 'P'))
    if (std::stoi(p.substr(64, 8)) == pointer) text += TrimBlanks(p.substr(0, 64));
  return text;
}

class IgesTest : public CadTest {
 protected:
  std::vector<std::string> Draw(const std::string& file, void (*body)()) {
    AnswerSaveDialog(folder_.File(file));
    CadBegin(kCadIges);
    EXPECT_FALSE(abortFlag);
    CadSetLimits(0, 0, 297, 210, 0);
    body();
    CadEnd();
    return Lines(file);
  }
};

TEST_F(IgesTest, RecordsAreEightyColumnsWithLetterAndSequence) {
  EXPECT_EQ(IgesRecord("abc", 'S', 1), "abc" + std::string(69, ' ') + "S0000001");
  EXPECT_EQ(IgesRecord("110,1.0;", 'P', 42, "17"),
            "110,1.0;" + std::string(62, ' ') + "17P0000042");
  EXPECT_EQ(IgesRecord(std::string(90, 'x'), 'G', 1234567).size(), 80u);
  EXPECT_EQ(IgesTerminateRecord(2, 5, 2, 1),
            "S0000002G0000005D0000002P0000001" + std::string(40, ' ') + "T0000001");
}

TEST_F(IgesTest, OneLineDrawingHasTheExactSectionsAndCounts) {
  std::vector<std::string> lines = Draw("line.igs", [] {
    CadBeginEntities();
    CadSetPen(0);
    CadLine(0, 0, 12.5L, -3);
    CadEndSection();
  });
  ASSERT_EQ(lines.size(), 11u);
  std::string letters;
  for (size_t i = 0; i < lines.size(); ++i) {
    ASSERT_EQ(lines[i].size(), 80u) << i;
    letters += lines[i][72];
  }
  EXPECT_EQ(letters, "SSGGGGGDDPT");
  // Sequence numbers count per section, right-aligned with zeros.
  EXPECT_EQ(lines[1].substr(73), "0000002");
  EXPECT_EQ(lines[6].substr(73), "0000005");
  EXPECT_EQ(lines[8].substr(72), "D0000002");
  EXPECT_EQ(lines[9], IgesRecord("110,0.0000,0.0000,0.0,12.5000,-3.0000,0.0;", 'P', 1, "1"));
  EXPECT_EQ(lines[7].substr(0, 72),
            "     110       1       1       1       0" + std::string(24, ' ') + "00000000");
  EXPECT_EQ(lines[8].substr(0, 32), "     110               0       1");
  EXPECT_EQ(lines[10], IgesTerminateRecord(2, 5, 2, 1));
  EXPECT_NE(lines[2].find("4HFILE,4Hline,8HKV5 V1.1"), std::string::npos);
}

TEST_F(IgesTest, HollerithCountsTheBytesOfCodePage1252) {
  EXPECT_EQ(IgesHollerith("FILE"), "4HFILE");
  EXPECT_EQ(IgesHollerith("Zähne, Öl; ß"), "12HZ\xe4hne, \xd6l; \xdf");
  EXPECT_EQ(IgesHollerith("a\nb"), "3Ha b") << "a line break would break the record";
}

TEST_F(IgesTest, SplitsParametersOnlyAtDelimitersOutsideStrings) {
  struct Case {
    std::string parameters;
    std::vector<std::string> pieces;
  } cases[] = {
      {"1,2,3;", {"1,2,", "3;"}},
      {"12345678;", {"1234", "5678", ";"}},        // no delimiter: cut at the width
      {"1,5Ha,b,c;", {"1,", "5Ha,", "b,c;"}},      // never inside the string
      {"9Habcdefghi;", {"9Hab", "cdef", "ghi;"}},  // a long string fills its records
      {"7,2,1.5D3,", {"7,2,", "1.5D", "3,"}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(SplitIgesParameters(c.parameters, 4), c.pieces) << c.parameters;
}

TEST_F(IgesTest, NoteWithCommaAndUmlautsSurvivesContinuation) {
  std::vector<std::string> lines = Draw("note.igs", [] {
    CadBeginEntities();
    CadSetTextStyle(2, 90, 2.5L, 1.75L);
    CadText("Zähnezahl z1 = 17, Ø 20 ±0,1° und ein langer Text über die Zeile hinaus", 10, 20);
    CadEndSection();
  });
  const std::string p = ParametersOf(lines, 1);
  const std::string text =
      IgesHollerith("Zähnezahl z1 = 17, Ø 20 ±0,1° und ein langer Text über die Zeile hinaus");
  EXPECT_EQ(p.substr(0, 9), "212,1," + text.substr(0, text.find('H')) + ",");
  EXPECT_NE(p.find(",2.5000,1,,1.570796,0,0,10.0000,20.0000,0.0,"), std::string::npos) << p;
  // The string fills its records to column 64: joined without trimming.
  std::string joined;
  for (const std::string& r : Section(lines, 'P')) joined += r.substr(0, 64);
  EXPECT_NE(joined.find(text + ";"), std::string::npos);
  EXPECT_GE(Section(lines, 'P').size(), 3u);
  for (const std::string& r : Section(lines, 'P')) EXPECT_EQ(TrimBlanks(r.substr(64)), "1");
}

TEST_F(IgesTest, NestedBlockIsASubfigureOfItsMembers) {
  std::vector<std::string> lines = Draw("nested.igs", [] {
    CadBeginBlocks();
    CadBeginBlock("TOOTH1");
    CadLine(0, 0, 1, 0);
    CadCircle(0, 0, 1);
    CadEndBlock();
    CadBeginBlock("RAD1VA");
    CadInsert("TOOTH1", 5, 0, 30, 1, 1);
    CadLine(0, 0, 0, 1);
    CadEndBlock();
    CadEndSection();
    CadBeginEntities();
    CadInsert("RAD1VA", 100, 50, 0, 1, 1);
    CadInsert("chdrive", 0, 0, 0, 1, 1);
    CadEndSection();
  });
  std::vector<std::string> d = Section(lines, 'D');
  ASSERT_EQ(d.size(), 16u);  // 110 100 308 | 124 408 110 308 | 408
  auto type = [&](int pointer) { return std::stoi(d[pointer - 1].substr(0, 8)); };
  auto status = [&](int pointer) { return d[pointer - 1].substr(64, 8); };
  EXPECT_EQ(ParametersOf(lines, 5), "308,0,6HTOOTH1,2,1,3;");
  EXPECT_EQ(TrimBlanks(d[5].substr(56, 8)), "TOOTH1") << "label";
  EXPECT_EQ(type(7), 124);
  EXPECT_EQ(ParametersOf(lines, 7),
            "124,0.866025,-0.500000,0.0,5.0000,0.500000,0.866025,0.0,0.0000,0.0,0.0,1.0,0.0;");
  EXPECT_EQ(type(9), 408);
  EXPECT_EQ(TrimBlanks(d[8].substr(48, 8)), "7") << "instance points to its matrix";
  EXPECT_EQ(ParametersOf(lines, 9), "408,5,0.0,0.0,0.0,1.000000;");
  // Depth 1: RAD1VA holds instances of a definition without instances.
  EXPECT_EQ(ParametersOf(lines, 13), "308,1,6HRAD1VA,2,9,11;") << "the matrix is no member";
  for (int member : {1, 3, 7, 9, 11}) EXPECT_EQ(status(member), "00010000") << member;
  // Definitions are blanked: a reader draws them only through instances.
  for (int definition : {5, 13}) EXPECT_EQ(status(definition), "01000200") << definition;
  EXPECT_EQ(status(15), "00000000");
  EXPECT_EQ(ParametersOf(lines, 15), "408,13,100.0000,50.0000,0.0,1.000000;");
  ASSERT_GE(MessageCount(), 1);
  EXPECT_EQ(MessageText(MessageCount()), "Blockname chdrive not found !");
  EXPECT_EQ(lines.back(), IgesTerminateRecord(2, 5, 16, Section(lines, 'P').size()));
}

// Readers place an instance by moving its definition and cannot scale it:
// an instance at another scale was lost with the whole nested subfigure.
// It now points to a copy written at its scale, nested instances included.
TEST_F(IgesTest, ScaledInstanceOfANestedBlockPointsToAScaledCopy) {
  std::vector<std::string> lines = Draw("scaled.igs", [] {
    CadBeginBlocks();
    CadBeginBlock("TOOTH1");
    CadLine(0, 0, 1, 0);
    CadCircle(0, 0, 1);
    CadEndBlock();
    CadBeginBlock("RAD1VA");
    CadInsert("TOOTH1", 4, 0, 0, 1, 1);
    CadInsert("TOOTH1", -4, 0, 0, 1, 1);
    CadEndBlock();
    CadEndSection();
    CadBeginEntities();
    CadInsert("RAD1VA", 100, 50, 0, 0.5L, 0.5L);
    CadInsert("RAD1VA", 0, 0, 0, 0.5L, 0.5L);  // the same copy again
    CadInsert("RAD1VA", 10, 10, 0, 1, 1);      // the definition itself
    CadEndSection();
  });
  std::vector<std::string> d = Section(lines, 'D');
  ASSERT_EQ(d.size(), 30u);
  auto status = [&](int pointer) { return d[pointer - 1].substr(64, 8); };
  struct Record {
    int pointer;
    const char* parameters;
    const char* status;
  };
  const Record expected[] = {
      {7, "408,5,4.0000,0.0000,0.0,1.000000;", "00010000"},
      {9, "408,5,-4.0000,0.0000,0.0,1.000000;", "00010000"},
      {11, "308,1,6HRAD1VA,2,7,9;", "01000200"},
      // The copy of TOOTH1 at half size, then RAD1VA's copy pointing to it.
      {13, "110,0.0000,0.0000,0.0,0.5000,0.0000,0.0;", "00010000"},
      {15, "100,0.0,0.0000,0.0000,0.5000,0.0000,0.5000,0.0000;", "00010000"},
      {17, "308,0,6HTOOTH1,2,13,15;", "01000200"},
      {19, "408,17,2.0000,0.0000,0.0,1.000000;", "00010000"},
      {21, "408,17,-2.0000,0.0000,0.0,1.000000;", "00010000"},
      {23, "308,1,6HRAD1VA,2,19,21;", "01000200"},
      {25, "408,23,100.0000,50.0000,0.0,1.000000;", "00000000"},
      {27, "408,23,0.0000,0.0000,0.0,1.000000;", "00000000"},
      {29, "408,11,10.0000,10.0000,0.0,1.000000;", "00000000"},
  };
  for (const Record& r : expected) {
    EXPECT_EQ(ParametersOf(lines, r.pointer), r.parameters) << r.pointer;
    EXPECT_EQ(status(r.pointer), r.status) << r.pointer;
  }
  EXPECT_EQ(TrimBlanks(d[23].substr(56, 8)), "RAD1VA") << "the copy keeps the label";
  EXPECT_EQ(MessageCount(), 0);
}

TEST_F(IgesTest, LineWithoutLengthInTheFileIsNotWritten) {
  std::vector<std::string> lines = Draw("points.igs", [] {
    CadBeginEntities();
    CadLine(3, 3, 3, 3);
    CadLine(3, 3, 3.00001L, 3);  // the same point with 4 decimals
    CadLine(3, 3, 3.0001L, 3);
    CadEndSection();
  });
  std::vector<std::string> d = Section(lines, 'D');
  ASSERT_EQ(d.size(), 2u);
  EXPECT_EQ(ParametersOf(lines, 1), "110,3.0000,3.0000,0.0,3.0001,3.0000,0.0;");
}

TEST_F(IgesTest, FortyMembersAreListedTwelvePerRecord) {
  std::vector<std::string> lines = Draw("members.igs", [] {
    CadBeginBlocks();
    CadBeginBlock("tab1");
    for (int i = 0; i < 40; ++i) CadLine(i, 0, i, 1);
    CadEndBlock();
    CadEndSection();
  });
  std::vector<std::string> p = Section(lines, 'P');
  ASSERT_EQ(p.size(), 45u);
  EXPECT_EQ(TrimBlanks(p[40].substr(0, 64)), "308,0,4Htab1,40,");
  EXPECT_EQ(TrimBlanks(p[41].substr(0, 64)), "1,3,5,7,9,11,13,15,17,19,21,23,");
  EXPECT_EQ(TrimBlanks(p[44].substr(0, 64)), "73,75,77,79;");
  EXPECT_EQ(TrimBlanks(p[44].substr(64, 8)), "81");
}

TEST_F(IgesTest, PenGivesColourLevelAndLineFont) {
  storedSettings.pens[3].colour = 5;     // blue
  storedSettings.pens[20].colour = 130;  // a cyan of the DXF palette
  std::vector<std::string> lines = Draw("pens.igs", [] {
    CadBeginEntities();
    for (int pen : {0, 1, 2, 3, 7, 20}) {
      CadSetPen(pen);
      CadLine(0, 0, 1, 1);
    }
    CadSetPenMode(1);
    CadSetPen(3);
    CadLine(0, 0, 1, 1);
    CadEndSection();
  });
  std::vector<std::string> d = Section(lines, 'D');
  struct Expected {
    int font, colour;
  } expected[] = {{1, 0},
                  {4, IgesColourNumber(CadPenColour(1))},
                  {2, IgesColourNumber(CadPenColour(2))},
                  {1, 4},
                  {1, 8},
                  {1, 7},
                  {1, 7}};
  for (size_t i = 0; i < std::size(expected); ++i) {
    const std::string& first = d[2 * i];
    EXPECT_EQ(std::stoi(first.substr(24, 8)), expected[i].font) << i;
    EXPECT_EQ(std::stoi(first.substr(32, 8)), expected[i].colour) << i;
    EXPECT_EQ(std::stoi(d[2 * i + 1].substr(16, 8)), expected[i].colour) << i;
  }
}

TEST_F(IgesTest, EmptyDrawingHasNoEmptyRecordAndSolidOutlineIsNotCrossed) {
  std::vector<std::string> lines = Draw("empty.igs", [] {});
  for (const std::string& line : lines) EXPECT_EQ(line.size(), 80u);
  EXPECT_EQ(lines.back(), IgesTerminateRecord(2, 5, 0, 0));

  lines = Draw("solid.igs", [] {
    CadBeginEntities();
    CadSolid(0, 0, 10, 0, 0, 5, 10, 5);
    CadEndSection();
  });
  EXPECT_EQ(ParametersOf(lines, 1),
            "106,1,5,0.0,0.0000,0.0000,10.0000,0.0000,10.0000,5.0000,0.0000,5.0000,0.0000,"
            "0.0000;");
  EXPECT_EQ(std::stoi(Section(lines, 'D')[1].substr(32, 8)), 11) << "form";
}

TEST_F(IgesTest, LongFileNameIsShortenedInTheGlobalSection) {
  std::vector<std::string> lines = Draw("abcdefghijklmnopqrstuvwxyz0123456789ABCD.igs", [] {});
  EXPECT_NE(Section(lines, 'G')[0].find("28Habcdefghijklm__123456789ABCD,"), std::string::npos);
}

TEST_F(IgesTest, FailedWriteKeepsTheExistingFileAndLeavesNoSpool) {
  const std::string name = folder_.File("alt.igs");
  const std::string old(20000, 'x');
  WriteFileBytes(name, old);
  recorder_.QueueAnswer(name);
  recorder_.QueueAnswer(YesNoCancel::Yes);
  const int code = testing::ExitCodeUnderFileSizeLimit(4000, [&] {
    CadBegin(kCadIges);
    bool begun = !abortFlag;
    CadSetDefaultLimits();
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
  for (auto& e : std::filesystem::directory_iterator(folder_.path())) {
    if (e.path().filename().string().starts_with("kv5blocks."))
      EXPECT_TRUE(std::filesystem::is_empty(e.path())) << "the parameter spool is removed";
    else
      ++entries;
  }
  EXPECT_EQ(entries, 1) << "no half-written file left behind";
}

// Sample exports for an outside IGES reader (tests/scripts/check_iges.sh):
// written only when KV5_IGES_SAMPLE_DIR names a folder.
class IgesSampleTest : public CadTest {};

TEST_F(IgesSampleTest, WritesSamplesForAnOutsideReader) {
  const char* folder = std::getenv("KV5_IGES_SAMPLE_DIR");
  if (!folder || !*folder) GTEST_SKIP() << "KV5_IGES_SAMPLE_DIR not set";
  std::filesystem::create_directories(folder);
  confirmOverwrite = false;
  const std::string base = AddBackslash(folder);
  AnswerSaveDialog(base + "geometry.igs");
  CadBegin(kCadIges);
  ASSERT_FALSE(abortFlag);
  CadSetLimits(0, 0, 297, 210, 0);
  CadBeginEntities();
  for (int pen : {0, 1, 2, 3, 4, 5, 7, 20}) {
    CadSetPen(pen);
    CadLine(pen, 0, pen + 10, 20);
  }
  CadCircle(50, 50, 20);
  CadArc(50, 50, 350, 10, 25);
  CadArcSweep(50, 50, 90, 0, 30, -90);
  CadSolid(200, 10, 210, 10, 200, 20, 210, 20);
  CadRoundRect(false, 150, 100, 200, 140, 5);
  cadPolylineArcsAsChords = false;
  CadRoundRect(true, 150, 150, 200, 190, 8);
  cadPolylineArcsAsChords = true;
  CadEndSection();
  CadEnd();
  EXPECT_FALSE(abortFlag);

  AnswerSaveDialog(base + "blocks.igs");
  CadBegin(kCadIges);
  ASSERT_FALSE(abortFlag);
  CadSetLimits(0, 0, 297, 210, 0);
  CadBeginBlocks();
  CadBeginBlock("TOOTH1");
  CadSetPen(3);
  CadLine(0, 0, 10, 0);
  CadArc(0, 0, 0, 90, 5);
  CadEndBlock();
  CadBeginBlock("RAD1VA");
  for (int i = 0; i < 6; ++i) CadInsert("TOOTH1", 0, 0, i * 60, 1, 1);
  CadCircle(0, 0, 12);
  CadEndBlock();
  CadEndSection();
  CadBeginEntities();
  CadInsert("RAD1VA", 100, 100, 15, 2, 2);
  CadInsert("RAD1VA", 200, 100, 0, 0.5L, 0.5L);
  CadEndSection();
  CadEnd();
  EXPECT_FALSE(abortFlag);
}

}  // namespace
}  // namespace kv5
