#include "model/project_file.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <functional>
#include <sstream>
#include <vector>

#include "dialogs/file_checks.h"
#include "graphics/drawing_info.h"
#include "model/drive_calculation.h"
#include "model/drive_model.h"
#include "tests/recording_platform.h"
#include "text/codepage.h"

namespace kv5 {
namespace {

using testing::ReadFileBytes;
using testing::TempFolder;
using testing::WriteFileBytes;

// The example drive: ISO 606 chain 08B on a pin rack.
void SetExampleDrive() {
  DriveModel& m = model;
  m.infoText = {"Beispielprojekt", "Hubwerk Förderband", "Zeile 3"};
  m.drawingName[1] = "Kettenrad z17";
  m.drawingNumber[1] = "KV5-100";
  m.drawingName[2] = "Triebstock z41";
  m.drawingNumber[2] = "KV5-200";
  m.drawingName2[1] = "gehärtet";
  m.drawingName2[2] = "/";
  m.chain.designation = "08B";
  m.chain.standardNote = "ISO 606 B";
  m.chain.p = 12.7;
  m.chain.d1 = 8.51;
  m.chain.b1 = 7.75;
  m.chain.h2 = 11.8;
  m.chainStandard = 1;
  m.chainRecordNo = 10;
  m.z1 = 17;
  m.z2 = 41;
  m.pinRack = true;
  m.P = 1.5L;
  m.n[1] = 100;
  m.T[1] = 143.25L;
  m.KA = 1.25L;
  m.loadMode = 0;
  m.dB[1] = 20;
  m.dB[2] = 0;
  m.s = 2.5L;
  m.bf1 = 7;
  m.d2 = 4.45L;
  m.FB = 17800;
  m.u = 41.0L / 17.0L;
  m.a = 35.5L;
  m.editable = true;

  DocumentData& doc = documentData;
  doc.drawingInfo.createdDate = "2024-03-01";
  doc.drawingInfo.createdBy = "Müller";
  doc.drawingInfo.approvedBy = "Weiß";
  doc.drawingInfo.responsibleDept = "Konstruktion";
  doc.drawingInfo.documentType = "Zeichnung";
  doc.drawingInfo.documentStatus = "frei";
  doc.changeCount = 1;
  doc.changes[1] = {"Bohrung größer", "2024-04-01", "Mü", "dB1 20 statt 18 für Welle Ø20"};
  doc.drawingTextCount = 1;
  doc.drawingTexts[0] = {25, 40.5L, 3.5L, 0, "Härte 55 HRC", 4};
  doc.drawingTextSheets = kSheetsA4A3;
  doc.documentLinks[1].file = "notiz.txt";
  titleBlockStyle = 1;
}

// A "current" state that differs from the example in every field that the
// damaged-file tests look at.
void SetOtherDrive() {
  DriveModel& m = model;
  m.infoText = {"alt 1", "alt 2", "alt 3"};
  m.drawingName[1] = "alt";
  m.drawingNumber[2] = "alt";
  m.drawingName2[1] = "alt";
  m.z1 = 5;
  m.z2 = 7;
  m.chainRecordNo = 3;
  m.P = 9;
  m.KA = 3;
  m.mu = 0.5L;
  m.dB[1] = 33;
  m.chain.d1 = 1;
  m.chainStandard = 0;
  m.pinRack = false;
  m.chain.designation = "alt";
  m.editable = false;
  DocumentData& doc = documentData;
  doc.changeCount = 3;
  doc.changes[1].changeText = "alt";
  doc.drawingInfo.approvedBy = "alt";
  doc.drawingInfo.createdBy = "alt";
  doc.drawingTextCount = 2;
  doc.drawingTexts[0].text = "alt";
  doc.documentLinks[1].file = "alt.txt";
  doc.drawingInfo.documentStatus = "alt";
  doc.drawingTextSheets = kSheetsNone;
  titleBlockStyle = 0;
}

std::vector<std::string> SplitCrLf(const std::string& bytes) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(bytes.substr(start, end - start));
  return lines;
}

std::string JoinCrLf(const std::vector<std::string>& lines, size_t count) {
  std::string bytes;
  for (size_t i = 0; i < count && i < lines.size(); ++i) bytes += lines[i] + "\r\n";
  return bytes;
}

size_t IndexOf(const std::vector<std::string>& lines, const std::string& line) {
  for (size_t i = 0; i < lines.size(); ++i)
    if (lines[i] == line) return i;
  ADD_FAILURE() << "no line " << line;
  return 0;
}

class ProjectFileTest : public testing::RecordingTest {
 protected:
  // The example written to a file; its bytes.
  std::string WriteExample(const std::string& name) {
    SetExampleDrive();
    EXPECT_TRUE(WriteProjectFile(name));
    EXPECT_FALSE(abortFlag);
    return ReadFileBytes(name);
  }
  TempFolder folder_;
};

TEST_F(ProjectFileTest, LinesFollowTheFixedOrder) {
  std::string bytes = WriteExample(folder_.File("test.kv5"));
  std::vector<std::string> lines = SplitCrLf(bytes);
  ASSERT_EQ(JoinCrLf(lines, lines.size()), bytes);  // CR LF after every line, nothing else
  ASSERT_EQ(lines.size(), 80u);
  EXPECT_EQ(lines[0], std::string(65, '-'));
  EXPECT_EQ(lines[1].rfind("KV5   Triebstockverzahnung", 0), 0u);
  EXPECT_EQ(lines[2], "Version 1.1");
  EXPECT_EQ(lines[4], std::string(65, '-'));
  const std::vector<std::string> fixed = {"Beispielprojekt",
                                          "Hubwerk F\x94rderband",
                                          "Zeile 3",
                                          "Kettenrad z17",
                                          "KV5-100",
                                          "Triebstock z41",
                                          "KV5-200",
                                          "17",
                                          "41",
                                          "1",
                                          "10",
                                          "1.5000000",
                                          "2.4117647",
                                          "100.0000000",
                                          "35.5000000",
                                          "1.2500000",
                                          "0.1500000",
                                          "\x8eNDERUNGEN"};
  for (size_t i = 0; i < fixed.size(); ++i) EXPECT_EQ(lines[5 + i], fixed[i]) << "line " << 6 + i;
  size_t documents = IndexOf(lines, "Dokumente");
  EXPECT_EQ(lines[documents + 18], "geh\x84rtet");
  EXPECT_EQ(lines[documents + 19], "/");
  EXPECT_EQ(lines[documents + 20], "ISO 7200 Header");
  const std::vector<std::string> tail = {
      "20.0000000", "0",   "8.5100000",     "12.7000000", "7.7500000", "2.5000000",
      "1",          "0",   "143.2500000",   "TRUE",       "7.0000000", "11.8000000",
      "4.4500000",  "08B", "17800.0000000", "ISO 606 B",  "TRUE"};
  for (size_t i = 0; i < tail.size(); ++i)
    EXPECT_EQ(lines[lines.size() - tail.size() + i], tail[i]) << "tail line " << i;
}

TEST_F(ProjectFileTest, ShippedExampleReadsAndWritesBackUnchanged) {
  std::string shipped = ReadFileBytes(std::string(KV5_SOURCE_DATA_DIR) + "/example.kv5");
  ASSERT_FALSE(shipped.empty());
  EXPECT_FALSE(IsValidUtf8(shipped));  // code page 850 on disk
  ASSERT_TRUE(ReadProjectFile(std::string(KV5_SOURCE_DATA_DIR) + "/example.kv5"));
  EXPECT_FALSE(calcFailed);
  EXPECT_EQ(model.infoText[0], "Beispielprojekt");
  EXPECT_EQ(model.chain.designation, "08B");
  EXPECT_EQ(model.chain.p, 12.7);
  EXPECT_EQ(model.chain.d1, 8.51);
  EXPECT_EQ(model.chain.b1, 7.75);
  EXPECT_EQ(model.chain.h2, 11.8);
  EXPECT_EQ(model.z1, 17);
  EXPECT_EQ(model.z2, 41);
  EXPECT_TRUE(model.pinRack);
  EXPECT_EQ(model.P, 1.5L);
  EXPECT_EQ(model.n[1], 100);
  EXPECT_EQ(model.KA, 1.25L);
  ASSERT_EQ(documentData.changeCount, 1);
  EXPECT_EQ(documentData.changes[1].changeText, "Zähnezahl geändert");

  // Written again: the same file, but for the program date in line 2.
  ASSERT_TRUE(WriteProjectFile(folder_.File("example.kv5")));
  std::vector<std::string> again = SplitCrLf(ReadFileBytes(folder_.File("example.kv5")));
  std::vector<std::string> lines = SplitCrLf(shipped);
  ASSERT_EQ(again.size(), lines.size());
  again[1] = lines[1];
  EXPECT_EQ(JoinCrLf(again, again.size()), shipped);
}

TEST_F(ProjectFileTest, RealLinesForSmallWholeAndNegativeValues) {
  struct Case {
    Real p;
    const char* line;
  };
  const Case cases[] = {{0.15L, "0.1500000"},  {0, "0"},      {-1, "-1"},
                        {-2.5L, "-2.5000000"}, {1e-12L, "0"}, {1e-7L, "0.0000001"},
                        {2, "2.0000000"}};
  confirmOverwrite = false;
  for (const Case& c : cases) {
    SetExampleDrive();
    model.P = c.p;
    ASSERT_TRUE(WriteProjectFile(folder_.File("p.kv5")));
    EXPECT_EQ(SplitCrLf(ReadFileBytes(folder_.File("p.kv5")))[16], c.line) << c.line;
  }
}

TEST_F(ProjectFileTest, WriteReadWriteGivesTheSameBytes) {
  // A calculated drive, as the program saves it: reading recalculates the
  // ratio, centre distance and torque stored with it.
  SetExampleDrive();
  CalculateDrive();
  ASSERT_FALSE(calcFailed);
  ASSERT_TRUE(WriteProjectFile(folder_.File("a.kv5")));
  std::string first = ReadFileBytes(folder_.File("a.kv5"));
  DriveModel written = model;
  DocumentData writtenDocument = documentData;
  ResetProgramState();
  SetPlatform(&recorder_);
  SetOtherDrive();
  ASSERT_TRUE(ReadProjectFile(folder_.File("a.kv5")));
  EXPECT_FALSE(abortFlag);
  // The inputs come back (results belong to the calculation).
  EXPECT_EQ(model.infoText, written.infoText);
  EXPECT_EQ(model.drawingName, written.drawingName);
  EXPECT_EQ(model.drawingName2, written.drawingName2);
  EXPECT_EQ(model.drawingNumber, written.drawingNumber);
  EXPECT_EQ(model.chain.designation, "08B");
  EXPECT_EQ(model.chain.d1, 8.51);
  EXPECT_EQ(model.chain.h2, 11.8);
  EXPECT_EQ(model.z2, 41);
  EXPECT_TRUE(model.pinRack);
  EXPECT_TRUE(model.editable);
  EXPECT_EQ(model.FB, 17800);
  EXPECT_EQ(documentData, writtenDocument);
  EXPECT_EQ(titleBlockStyle, 1);

  ASSERT_TRUE(WriteProjectFile(folder_.File("b.kv5")));
  EXPECT_EQ(ReadFileBytes(folder_.File("b.kv5")), first);
}

TEST_F(ProjectFileTest, LongTextsAndLineBreaksSurviveOnOneLine) {
  SetExampleDrive();
  std::string longText(400, 'x');
  longText += "äöü";
  model.infoText[0] = longText;
  documentData.changes[1].description = std::string(300, 'd');
  model.infoText[1] = "erste\r\nzweite\ndritte\rvierte";
  ASSERT_TRUE(WriteProjectFile(folder_.File("l.kv5")));
  EXPECT_EQ(SplitCrLf(ReadFileBytes(folder_.File("l.kv5"))).size(), 80u);
  SetOtherDrive();
  ASSERT_TRUE(ReadProjectFile(folder_.File("l.kv5")));
  EXPECT_EQ(model.infoText[0], longText);
  EXPECT_EQ(model.infoText[1], "erste|zweite|dritte|vierte");
  EXPECT_EQ(documentData.changes[1].description, std::string(300, 'd'));
  EXPECT_EQ(model.z1, 17);
}

TEST_F(ProjectFileTest, TextsTooLongForDisplayAreKeptAndReportedOnce) {
  struct Case {
    const char* replaced;  // the line of the example that gets the long text
    size_t length;
    bool reported;
  };
  const Case cases[] = {
      {"Beispielprojekt", 254, false},
      {"Beispielprojekt", 255, true},
      {"Triebstock z41", 300, true},
      {"dB1 20 statt 18 für Welle Ø20", 255, true},
      {"08B", 65536, true},
  };
  const std::vector<std::string> written = SplitCrLf(WriteExample(folder_.File("voll.kv5")));
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.replaced) + " " + std::to_string(c.length));
    std::vector<std::string> lines = written;
    const size_t line = IndexOf(lines, Utf8ToCp850(c.replaced)) + 1;
    // Umlauts count as one character each.
    lines[line - 1] = Utf8ToCp850("ä" + std::string(c.length - 1, 't'));
    lines[IndexOf(lines, "Zeile 3")] = std::string(254, 'k');  // never reported
    const std::string file = folder_.File("lang.kv5");
    WriteFileBytes(file, JoinCrLf(lines, lines.size()));
    recorder_.ClearLog();
    ASSERT_TRUE(ReadProjectFile(file));
    std::filesystem::remove(folder_.File("wieder.kv5"));
    ASSERT_TRUE(WriteProjectFile(folder_.File("wieder.kv5")));
    EXPECT_EQ(SplitCrLf(ReadFileBytes(folder_.File("wieder.kv5")))[line - 1], lines[line - 1])
        << "the text is saved back whole";
    if (!c.reported) {
      EXPECT_TRUE(recorder_.Messages().empty());
      continue;
    }
    ASSERT_EQ(recorder_.Messages().size(), 1u);
    EXPECT_EQ(
        recorder_.Messages()[0].text,
        "Datei " + file + ", Zeile " + std::to_string(line) + ": Text mit " +
            std::to_string(c.length) +
            " Zeichen; Texte ab 255 Zeichen bleiben in Zeichnungen und Eingabefeldern leer !");
  }
}

TEST_F(ProjectFileTest, CommaDecimalsAndOtherLineEndsReadTheSame) {
  std::string bytes = WriteExample(folder_.File("a.kv5"));
  DriveModel reference;
  DocumentData referenceDocument;
  SetOtherDrive();
  ASSERT_TRUE(ReadProjectFile(folder_.File("a.kv5")));
  reference = model;
  referenceDocument = documentData;

  std::vector<std::string> lines = SplitCrLf(bytes);
  std::string comma, lf, cr;
  for (std::string line : lines) {
    lf += line + "\n";
    cr += line + "\r";
    if (line.find_first_not_of("-0123456789.") == std::string::npos)
      for (char& c : line)
        if (c == '.') c = ',';
    comma += line + "\r\n";
  }
  ASSERT_NE(comma, bytes);
  // Edited on this platform: UTF-8 with a byte order mark.
  std::string utf8 = "\xEF\xBB\xBF" + Cp850ToUtf8(bytes);
  for (const std::string& variant : {comma, lf, cr, utf8}) {
    WriteFileBytes(folder_.File("v.kv5"), variant);
    SetOtherDrive();
    ASSERT_TRUE(ReadProjectFile(folder_.File("v.kv5")));
    EXPECT_EQ(model.P, reference.P);
    EXPECT_EQ(model.KA, reference.KA);
    EXPECT_EQ(model.chain.p, reference.chain.p);
    EXPECT_EQ(model.dB[1], reference.dB[1]);
    EXPECT_EQ(model.infoText, reference.infoText);
    EXPECT_EQ(model.chain.standardNote, reference.chain.standardNote);
    EXPECT_EQ(model.editable, reference.editable);
    EXPECT_EQ(documentData, referenceDocument);
  }
}

TEST_F(ProjectFileTest, ReadsCodePage850TextsBuiltByHand) {
  std::string rule(65, '-');
  std::string text = rule + "\r\nKV5\r\nVersion 1.0\r\n\r\n" + rule +
                     "\r\n"
                     "Getriebe f\x81r F\x94rderband\r\nGro\xe1"
                     "e \x8e"
                     "nderung\r\n\r\n"
                     "Rad\r\n1\r\nStock\r\n2\r\n19\r\n43\r\n1\r\n0\r\n2,2\r\n1\r\n50\r\n0\r\n1\r\n"
                     "0,15\r\n"
                     "\x8eNDERUNGEN\r\n1\r\n--------------------\r\n"
                     "Z\x84hne\r\n01.02.2023\r\n\x9a"
                     "b\r\nneu gez\x84hlt\r\n--------------\r\n"
                     "|||||||0||\r\nheute\r\n\r\n\r\nJ\x81rgen\r\n";
  WriteFileBytes(folder_.File("dos.kv5"), text);
  ASSERT_TRUE(ReadProjectFile(folder_.File("dos.kv5")));
  EXPECT_EQ(model.infoText[0], "Getriebe für Förderband");
  EXPECT_EQ(model.infoText[1], "Große Änderung");
  EXPECT_EQ(model.z1, 19);
  EXPECT_EQ(model.P, 2.2L);
  EXPECT_EQ(documentData.changeCount, 1);
  EXPECT_EQ(documentData.changes[1].changeText, "Zähne");
  EXPECT_EQ(documentData.changes[1].changeBy, "Üb");
  EXPECT_EQ(documentData.changes[1].description, "neu gezählt");
  EXPECT_EQ(documentData.drawingInfo.createdBy, "Jürgen");
}

TEST_F(ProjectFileTest, TextsThatLookLikeBlockLinesStayTextsInAnIntactFile) {
  SetExampleDrive();
  model.infoText[0] = "Dokumente";
  documentData.changes[1].description = "ISO 7200 Header";
  model.chain.standardNote = "ÄNDERUNGEN";
  ASSERT_TRUE(WriteProjectFile(folder_.File("m.kv5")));
  SetOtherDrive();
  ASSERT_TRUE(ReadProjectFile(folder_.File("m.kv5")));
  EXPECT_EQ(model.infoText[0], "Dokumente");
  EXPECT_EQ(documentData.changes[1].description, "ISO 7200 Header");
  EXPECT_EQ(model.chain.standardNote, "ÄNDERUNGEN");
  EXPECT_EQ(model.z1, 17);
}

TEST_F(ProjectFileTest, FilesThatAreNoProjectFilesAreRefusedUnchanged) {
  const std::string cases[] = {"", "\r\n", "Hallo\r\n" + std::string(65, '-') + "\r\n",
                               std::string("\x00\x01\xff\xfe", 4), "- -\r\n17\r\n"};
  for (const std::string& bytes : cases) {
    SetOtherDrive();
    DriveModel before = model;
    DocumentData beforeDocument = documentData;
    abortFlag = false;
    recorder_.ClearLog();
    WriteFileBytes(folder_.File("kaputt.kv5"), bytes);
    EXPECT_FALSE(ReadProjectFile(folder_.File("kaputt.kv5")));
    EXPECT_TRUE(abortFlag);
    ASSERT_EQ(recorder_.Messages().size(), 1u);
    EXPECT_EQ(recorder_.Messages()[0].text,
              "Datei " + folder_.File("kaputt.kv5") + " ist keine KV5-Projektdatei !");
    EXPECT_EQ(model.infoText, before.infoText);
    EXPECT_EQ(model.z1, before.z1);
    EXPECT_EQ(documentData, beforeDocument);
  }
}

TEST_F(ProjectFileTest, ReadingEndsWithTheCalculation) {
  SetExampleDrive();
  model.z2 = 40;  // a pin rack needs an odd pin count: the calculation raises it
  confirmOverwrite = false;
  ASSERT_TRUE(WriteProjectFile(folder_.File("z40.kv5")));
  SetOtherDrive();
  ASSERT_TRUE(ReadProjectFile(folder_.File("z40.kv5")));
  EXPECT_TRUE(model.pinRack);
  EXPECT_EQ(model.z2, 41);
  EXPECT_FALSE(calcFailed);
}

TEST_F(ProjectFileTest, MissingFileGivesTheReadabilityMessage) {
  SetOtherDrive();
  EXPECT_FALSE(ReadProjectFile(folder_.File("fehlt.kv5")));
  EXPECT_TRUE(abortFlag);
  ASSERT_EQ(recorder_.Messages().size(), 1u);
  EXPECT_EQ(recorder_.Messages()[0].text,
            "Datei " + folder_.File("fehlt.kv5") + " nicht gefunden oder kein Zugriffsrecht !");
  EXPECT_EQ(model.z1, 5);
  EXPECT_TRUE(recorder_.statusTexts.empty());
}

// A field of the damaged-file tests: the file line it is on (1-based), and
// whether the model holds the example's value or the "other" one.
struct FieldProbe {
  const char* name;
  size_t line;
  std::function<bool()> isExample;
  std::function<bool()> isOther;
};

std::vector<FieldProbe> Probes(const std::vector<std::string>& lines) {
  size_t changes = IndexOf(lines, "\x8eNDERUNGEN") + 1;
  size_t documents = IndexOf(lines, "Dokumente") + 1;
  size_t header = IndexOf(lines, "ISO 7200 Header") + 1;
  size_t last = lines.size();
  return {
      {"infoText 1", 6, [] { return model.infoText[0] == "Beispielprojekt"; },
       [] { return model.infoText[0] == "alt 1"; }},
      {"infoText 3", 8, [] { return model.infoText[2] == "Zeile 3"; },
       [] { return model.infoText[2] == "alt 3"; }},
      {"drawingName 1", 9, [] { return model.drawingName[1] == "Kettenrad z17"; },
       [] { return model.drawingName[1] == "alt"; }},
      {"drawingNumber 2", 12, [] { return model.drawingNumber[2] == "KV5-200"; },
       [] { return model.drawingNumber[2] == "alt"; }},
      {"z1", 13, [] { return model.z1 == 17; }, [] { return model.z1 == 5; }},
      {"chainRecordNo", 16, [] { return model.chainRecordNo == 10; },
       [] { return model.chainRecordNo == 3; }},
      {"P", 17, [] { return model.P == 1.5L; }, [] { return model.P == 9; }},
      {"KA", 21, [] { return model.KA == 1.25L; }, [] { return model.KA == 3; }},
      {"mu", 22, [] { return model.mu == 0.15L; }, [] { return model.mu == 0.5L; }},
      {"change 1 text", changes + 3,
       [] { return documentData.changes[1].changeText == "Bohrung größer"; },
       [] { return documentData.changes[1].changeText == "alt"; }},
      {"approvedBy", changes + 8, [] { return documentData.drawingInfo.approvedBy == "Weiß"; },
       [] { return documentData.drawingInfo.approvedBy == "alt"; }},
      {"createdBy", changes + 12, [] { return documentData.drawingInfo.createdBy == "Müller"; },
       [] { return documentData.drawingInfo.createdBy == "alt"; }},
      {"drawing text 1", changes + 13,
       [] { return documentData.drawingTexts[0].text == "Härte 55 HRC"; },
       [] { return documentData.drawingTexts[0].text == "alt"; }},
      {"link 1 file", documents + 4,
       [] { return documentData.documentLinks[1].file == "notiz.txt"; },
       [] { return documentData.documentLinks[1].file == "alt.txt"; }},
      {"drawingName2 1", documents + 18, [] { return model.drawingName2[1] == "gehärtet"; },
       [] { return model.drawingName2[1] == "alt"; }},
      {"title block style", header + 1, [] { return titleBlockStyle == 1; },
       [] { return titleBlockStyle == 0; }},
      {"sheets", header + 2, [] { return documentData.drawingTextSheets == kSheetsA4A3; },
       [] { return documentData.drawingTextSheets == kSheetsNone; }},
      {"documentStatus", header + 5,
       [] { return documentData.drawingInfo.documentStatus == "frei"; },
       [] { return documentData.drawingInfo.documentStatus == "alt"; }},
      {"dB1", header + 7, [] { return model.dB[1] == 20; }, [] { return model.dB[1] == 33; }},
      {"d1", header + 9, [] { return model.chain.d1 == 8.51; }, [] { return model.chain.d1 == 1; }},
      {"chainStandard", header + 13, [] { return model.chainStandard == 1; },
       [] { return model.chainStandard == 0; }},
      {"pinRack", header + 16, [] { return model.pinRack; }, [] { return !model.pinRack; }},
      {"designation", last - 3, [] { return model.chain.designation == "08B"; },
       [] { return model.chain.designation == "alt"; }},
      {"editable", last, [] { return model.editable; }, [] { return !model.editable; }},
  };
}

// A cut file loads every whole line; a line cut in the middle and
// everything after it keep the current values.
void ExpectCutFileLoaded(const std::vector<FieldProbe>& probes, size_t changes, size_t wholeLines,
                         const std::string& where) {
  for (const FieldProbe& p : probes) {
    if (wholeLines >= p.line)
      EXPECT_TRUE(p.isExample()) << p.name << where;
    else
      EXPECT_TRUE(p.isOther()) << p.name << where;
  }
  // Counts: the file's records once its count line is read.
  short expectedChanges = wholeLines < changes + 1 ? 3 : (wholeLines < changes + 6 ? 0 : 1);
  EXPECT_EQ(documentData.changeCount, expectedChanges) << where;
  short expectedTexts = wholeLines < changes + 12 ? 2 : (wholeLines < changes + 13 ? 0 : 1);
  EXPECT_EQ(documentData.drawingTextCount, expectedTexts) << where;
}

TEST_F(ProjectFileTest, FileCutAfterAnyLineLoadsWhatIsThere) {
  std::string bytes = WriteExample(folder_.File("voll.kv5"));
  std::vector<std::string> lines = SplitCrLf(bytes);
  std::vector<FieldProbe> probes = Probes(lines);
  size_t changes = IndexOf(lines, "\x8eNDERUNGEN") + 1;
  for (size_t kept = 1; kept <= lines.size(); ++kept) {
    WriteFileBytes(folder_.File("kurz.kv5"), JoinCrLf(lines, kept));
    SetOtherDrive();
    abortFlag = false;
    ASSERT_TRUE(ReadProjectFile(folder_.File("kurz.kv5"))) << kept;
    ExpectCutFileLoaded(probes, changes, kept, " with " + std::to_string(kept) + " lines");
  }
}

TEST_F(ProjectFileTest, FileCutAtAnyByteLoadsItsWholeLines) {
  std::string bytes = WriteExample(folder_.File("voll.kv5"));
  std::vector<std::string> lines = SplitCrLf(bytes);
  std::vector<FieldProbe> probes = Probes(lines);
  size_t changes = IndexOf(lines, "\x8eNDERUNGEN") + 1;
  for (size_t cut = 1; cut < bytes.size(); ++cut) {
    std::string part = bytes.substr(0, cut);
    size_t wholeLines = static_cast<size_t>(std::count(part.begin(), part.end(), '\r'));
    WriteFileBytes(folder_.File("kurz.kv5"), part);
    SetOtherDrive();
    abortFlag = false;
    // Not even the first line whole: no project file.
    ASSERT_EQ(ReadProjectFile(folder_.File("kurz.kv5")), wholeLines > 0) << cut;
    ExpectCutFileLoaded(probes, changes, wholeLines, " cut at byte " + std::to_string(cut));
  }
}

TEST_F(ProjectFileTest, DamagedLinesAndBlocksOutOfPlace) {
  std::string bytes = WriteExample(folder_.File("voll.kv5"));
  const std::vector<std::string> lines = SplitCrLf(bytes);
  size_t changes = IndexOf(lines, "\x8eNDERUNGEN");
  size_t header = IndexOf(lines, "ISO 7200 Header");
  using Edit = std::function<void(std::vector<std::string>&)>;
  struct Case {
    const char* label;
    Edit edit;
    std::vector<const char*> otherFields;  // fields expected to keep the current value
  };
  const Case cases[] = {
      {"garbage in number lines",
       [](auto& l) {
         l[12] = "siebzehn";
         l[16] = "1.5 kW";
       },
       {}},
      {"three lines before the change log missing",
       [&](auto& l) { l.erase(l.begin() + 19, l.begin() + 22); },
       {"KA", "mu"}},
      {"extra lines before the change log",
       [&](auto& l) {
         l.insert(l.begin() + static_cast<long>(changes), {"neu 1", "neu 2"});
       },
       {}},
      {"huge change count", [&](auto& l) { l[changes + 1] = "99999"; }, {}},
      {"change count out of range", [&](auto& l) { l[changes + 1] = "99999999999999999999"; }, {}},
      {"huge drawing text count", [&](auto& l) { l[changes + 8] = "|Wei\xe1|||||1000000||"; }, {}},
      {"change log block missing",
       [&](auto& l) {
         l.erase(l.begin() + static_cast<long>(changes),
                 l.begin() + static_cast<long>(changes) + 14);
       },
       {"change 1 text", "approvedBy", "createdBy", "drawing text 1"}},
      {"title header block missing",
       [&](auto& l) {
         l.erase(l.begin() + static_cast<long>(header), l.begin() + static_cast<long>(header) + 7);
       },
       {"title block style", "sheets", "documentStatus"}},
      {"title header without its end line",
       [&](auto& l) { l.erase(l.begin() + static_cast<long>(header) + 6); },
       {}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> edited = lines;
    c.edit(edited);
    WriteFileBytes(folder_.File("e.kv5"), JoinCrLf(edited, edited.size()));
    SetOtherDrive();
    abortFlag = false;
    ASSERT_TRUE(ReadProjectFile(folder_.File("e.kv5"))) << c.label;
    std::vector<FieldProbe> probes = Probes(lines);
    for (const FieldProbe& p : probes) {
      bool keepsOther = std::find_if(c.otherFields.begin(), c.otherFields.end(),
                                     [&](const char* n) { return std::string(n) == p.name; }) !=
                        c.otherFields.end();
      if (std::string(c.label) == "garbage in number lines" &&
          (std::string(p.name) == "z1" || std::string(p.name) == "P"))
        continue;
      if (keepsOther)
        EXPECT_TRUE(p.isOther()) << p.name << ": " << c.label;
      else
        EXPECT_TRUE(p.isExample()) << p.name << ": " << c.label;
    }
  }
}

TEST_F(ProjectFileTest, GarbageNumbersReadAsZero) {
  std::vector<std::string> lines = SplitCrLf(WriteExample(folder_.File("voll.kv5")));
  lines[12] = "siebzehn";
  lines[16] = "1.5 kW";
  lines[lines.size() - 8] = "ja";  // pinRack
  WriteFileBytes(folder_.File("g.kv5"), JoinCrLf(lines, lines.size()));
  SetOtherDrive();
  model.pinRack = true;
  ASSERT_TRUE(ReadProjectFile(folder_.File("g.kv5")));
  EXPECT_EQ(model.z1, 0);
  EXPECT_EQ(model.P, 0);
  EXPECT_FALSE(model.pinRack);
  EXPECT_EQ(model.z2, 41);
}

TEST_F(ProjectFileTest, ReadNameRulesAndStatusText) {
  WriteExample(folder_.File("test.kv5"));
  std::filesystem::create_directory(folder_.File("sub"));
  WriteExample(folder_.File("sub/anders.kv5"));

  // Bare name: in the project folder, and it becomes the project name.
  projectFolder = folder_.path();
  projectName = "";
  ASSERT_TRUE(ReadProjectFile("test"));
  EXPECT_EQ(projectName, "test");
  ASSERT_FALSE(recorder_.statusTexts.empty());
  EXPECT_EQ(recorder_.statusTexts.back(), "Datei " + folder_.File("test.kv5") + " wird eingelesen");

  // A name with "." is used as it is; the project keeps its name.
  ASSERT_TRUE(ReadProjectFile(folder_.File("sub/anders.kv5")));
  EXPECT_EQ(projectName, "test");
  EXPECT_EQ(projectFolder, folder_.path());

  // Empty name: the open dialog in the project folder; folder and name
  // follow the choice.
  recorder_.QueueAnswer(folder_.File("sub/anders.kv5"));
  ASSERT_TRUE(ReadProjectFile(""));
  ASSERT_EQ(recorder_.openRequests.size(), 1u);
  EXPECT_EQ(recorder_.openRequests[0].filter, "*.kv5|*.kv5");
  EXPECT_EQ(recorder_.openRequests[0].initialFolder, folder_.path());
  EXPECT_EQ(projectFolder, folder_.File("sub/"));
  EXPECT_EQ(projectName, "anders");

  // Cancelled dialog: nothing read, nothing renamed.
  SetOtherDrive();
  EXPECT_FALSE(ReadProjectFile(""));
  EXPECT_TRUE(abortFlag);
  EXPECT_EQ(projectName, "anders");
  EXPECT_EQ(model.z1, 5);
}

TEST_F(ProjectFileTest, SaveReplacesSilentlySaveAsAsks) {
  projectFolder = folder_.path();
  projectName = "test";
  WriteFileBytes(folder_.File("test.kv5"), "alt");

  // Save: confirmation off around the call.
  SetExampleDrive();
  confirmOverwrite = false;
  ASSERT_TRUE(WriteProjectFile(projectName));
  confirmOverwrite = true;
  EXPECT_TRUE(recorder_.Questions().empty());
  std::string saved = ReadFileBytes(folder_.File("test.kv5"));
  EXPECT_EQ(saved.substr(0, 65), std::string(65, '-'));

  // Save As onto the same file: the question; No keeps the file.
  model.z1 = 23;
  recorder_.QueueAnswer(folder_.File("test.kv5"));
  recorder_.QueueAnswer(YesNoCancel::No);
  EXPECT_FALSE(WriteProjectFile(""));
  EXPECT_TRUE(abortFlag);
  ASSERT_EQ(recorder_.Questions().size(), 2u);
  EXPECT_EQ(recorder_.Questions()[1], std::string("KV5   Triebstockverzahnung ") +
                                          folder_.File("test.kv5") +
                                          " existiert bereits.   Überschreiben ?");
  EXPECT_EQ(ReadFileBytes(folder_.File("test.kv5")), saved);

  // Yes replaces it.
  abortFlag = false;
  recorder_.QueueAnswer(folder_.File("test.kv5"));
  recorder_.QueueAnswer(YesNoCancel::Yes);
  ASSERT_TRUE(WriteProjectFile(""));
  EXPECT_EQ(SplitCrLf(ReadFileBytes(folder_.File("test.kv5")))[12], "23");
}

TEST_F(ProjectFileTest, WriteNameRules) {
  projectFolder = folder_.path();
  SetExampleDrive();
  ASSERT_TRUE(WriteProjectFile("bare"));
  EXPECT_TRUE(std::filesystem::exists(folder_.File("bare.kv5")));
  ASSERT_TRUE(WriteProjectFile(folder_.File("mit.endung")));
  EXPECT_TRUE(std::filesystem::exists(folder_.File("mit.endung")));
  EXPECT_EQ(projectName, "");

  // Too many dots, given or chosen in the dialog.
  EXPECT_FALSE(WriteProjectFile(folder_.File("a.b.kv5")));
  EXPECT_TRUE(abortFlag);
  abortFlag = false;
  recorder_.QueueAnswer(folder_.File("a.b.kv5"));
  EXPECT_FALSE(WriteProjectFile(""));
  EXPECT_TRUE(abortFlag);
  EXPECT_FALSE(std::filesystem::exists(folder_.File("a.b.kv5")));
  EXPECT_EQ(projectName, "");

  // Empty name, dialog chosen: the project takes the chosen name.
  abortFlag = false;
  recorder_.QueueAnswer(folder_.File("neu"));
  ASSERT_TRUE(WriteProjectFile(""));
  EXPECT_TRUE(std::filesystem::exists(folder_.File("neu.kv5")));
  EXPECT_EQ(projectName, "neu");
  EXPECT_EQ(ProjectFileName(), folder_.File("neu.kv5"));
}

TEST_F(ProjectFileTest, ProjectFileNameByState) {
  EXPECT_EQ(ProjectFileName(), "");
  projectName = "test";
  EXPECT_EQ(ProjectFileName(), "test.kv5");
  projectFolder = "/daten";
  EXPECT_EQ(ProjectFileName(), "/daten/test.kv5");
  projectName = "../x/test.kv5";
  openedFromCommandLine = true;
  EXPECT_EQ(ProjectFileName(), "../x/test.kv5");
}

TEST_F(ProjectFileTest, ArchiveModeGuardsACommandLineProject) {
  projectFolder = "";
  projectName = folder_.File("cmd.kv5");
  openedFromCommandLine = true;
  archiveMode = true;
  SetExampleDrive();
  EXPECT_FALSE(WriteProjectFile(projectName));
  EXPECT_TRUE(abortFlag);
  ASSERT_EQ(recorder_.Messages().size(), 1u);
  EXPECT_EQ(recorder_.Messages()[0].text,
            "File- und User- Befehle sind im Archivierungsmodus nicht möglich.");
  EXPECT_FALSE(std::filesystem::exists(folder_.File("cmd.kv5")));

  // "aktuell" is still written, and the command-line state stays.
  abortFlag = false;
  projectFolder = folder_.path();
  ASSERT_TRUE(WriteProjectFile("aktuell"));
  EXPECT_TRUE(std::filesystem::exists(folder_.File("aktuell.kv5")));
  EXPECT_TRUE(openedFromCommandLine);

  // Without archive mode the first write ends the command-line state; the
  // project keeps naming the same file.
  archiveMode = false;
  projectFolder = "";
  confirmOverwrite = false;
  ASSERT_TRUE(WriteProjectFile(projectName));
  EXPECT_FALSE(openedFromCommandLine);
  EXPECT_EQ(projectName, "cmd");
  EXPECT_EQ(projectFolder, folder_.path());
  EXPECT_EQ(ProjectFileName(), folder_.File("cmd.kv5"));
}

// Writes the example over an existing file in a child process whose file
// size limit stops the write part-way.
TEST_F(ProjectFileTest, AWriteThatFailsPartWayKeepsTheOldFile) {
  std::string name = folder_.File("alt.kv5");
  std::string old = WriteExample(name);
  confirmOverwrite = false;
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limit = {200, 200};
    setrlimit(RLIMIT_FSIZE, &limit);
    model.infoText[0] = std::string(5000, 'n');
    bool written = WriteProjectFile(name);
    bool reported = !recorder_.Messages().empty();
    _exit(!written && abortFlag && reported ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "the write must fail and say so";
  EXPECT_EQ(ReadFileBytes(name), old);
  int entries = 0;
  for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(folder_.path())) ++entries;
  EXPECT_EQ(entries, 1) << "no half-written file left behind";
}

TEST_F(ProjectFileTest, TargetInAMissingFolderIsRefusedBeforeWriting) {
  SetExampleDrive();
  std::string name = folder_.File("fehlt/x.kv5");
  EXPECT_FALSE(WriteProjectFile(name));
  EXPECT_TRUE(abortFlag);
  ASSERT_EQ(recorder_.Messages().size(), 1u);
  EXPECT_EQ(recorder_.Messages()[0].text, "Ungültiger Dateiname \"" + name + "\" !");
}

}  // namespace
}  // namespace kv5
