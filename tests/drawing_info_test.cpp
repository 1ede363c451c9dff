#include "graphics/drawing_info.h"

#include <ctime>
#include <regex>

#include "model/line_file.h"
#include "model/project_file.h"
#include "tests/test_support.h"
#include "text/string_routines.h"

namespace kv5 {
namespace {

using testing::ReadFileBytes;
using testing::TempFolder;
using DrawingInfoTest = testing::ProgramTest;

std::string TodayIso() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char buffer[16];
  std::strftime(buffer, sizeof buffer, "%Y-%m-%d", &local);
  return buffer;
}

// A document with every field set, two changes and two drawing texts.
DocumentData SampleDocument() {
  DocumentData doc;
  DrawingInfo& info = doc.drawingInfo;
  info.createdDate = "2024-03-01";
  info.createdBy = "Müller";
  info.approvedDate = "2024-03-04";
  info.approvedBy = "Weiß";
  info.standardDate = "2024-03-05";
  info.standardBy = "Gr";
  info.releaseDate = "2024-03-06";
  info.releaseBy = "Ob";
  info.replacementFor = "KV-0815";
  info.replacedBy = "KV-0816";
  info.responsibleDept = "Konstruktion";
  info.documentType = "Fertigungszeichnung";
  info.documentStatus = "freigegeben";
  doc.changeCount = 2;
  doc.changes[1] = {"Bohrung geändert", "2024-04-01", "Mü", "dB1 20 statt 18"};
  doc.changes[2] = {"Zähnezahl", "2024-05-02", "We", "z1 17\r\nz2 41\nneu\rberechnet"};
  doc.drawingTextCount = 2;
  doc.drawingTexts[0] = {25, 40.5L, 3.5L, 0, "Härte 55 HRC", 4};
  doc.drawingTexts[1] = {100, 12, 2.5L, 90, "geprüft", 3};
  doc.drawingTextSheets = kSheetsA4A3;
  doc.documentLinks[1] = {"notepad.exe", "C:\\Daten\\Notiz.txt"};
  doc.documentLinks[2] = {"write.exe", ""};
  doc.documentLinks[3] = {"mspaint.exe", "/daten/bild.bmp"};
  doc.documentLinks[4] = {"notepad.exe", ""};
  doc.documentLinks[5] = {"kate", "liste.txt"};
  return doc;
}

std::string WriteBlocks() {
  TempFolder folder;
  LineWriter out;
  EXPECT_TRUE(out.Open(folder.File("b.kv5")));
  WriteChangeLogBlock(out);
  WriteDocumentLinksBlock(out);
  WriteTitleHeaderBlock(out);
  EXPECT_TRUE(out.Close());
  return ReadFileBytes(folder.File("b.kv5"));
}

// Reads the three blocks from `text` into `doc` the tolerant way.
void ReadBlocks(const std::string& text, DocumentData& doc, int& style, bool tolerant = true) {
  LineReader lines;
  lines.OpenText(text);
  ProjectLineReader in(lines, tolerant);
  ReadChangeLogBlock(in, doc);
  ReadDocumentLinksBlock(in, doc);
  ReadTitleHeaderBlock(in, doc, style);
}

TEST_F(DrawingInfoTest, StartStateHasTodayAndTheDefaultLinkPrograms) {
  const DocumentData& doc = documentData;
  EXPECT_EQ(doc.changeCount, 0);
  EXPECT_EQ(doc.drawingTextCount, 0);
  EXPECT_EQ(doc.drawingTextSheets, kSheetsA4);
  EXPECT_EQ(doc.drawingInfo.createdDate, TodayIso());
  EXPECT_EQ(doc.drawingInfo.approvedDate, TodayIso());
  EXPECT_EQ(doc.drawingInfo.standardDate, TodayIso());
  DrawingInfo rest = doc.drawingInfo;
  rest.createdDate = rest.approvedDate = rest.standardDate = "";
  EXPECT_EQ(rest, DrawingInfo{});
  const char* programs[] = {"notepad.exe", "write.exe", "mspaint.exe", "notepad.exe",
                            "notepad.exe"};
  for (int i = 1; i <= kDocumentLinkCount; ++i) {
    EXPECT_EQ(doc.documentLinks[i].program, programs[i - 1]);
    EXPECT_EQ(doc.documentLinks[i].file, "");
  }
  EXPECT_EQ(titleBlockStyle, 2);
  EXPECT_EQ(indexStyle, 0);
}

TEST_F(DrawingInfoTest, ResetStartsANewProjectButKeepsLinksAndReusedRecords) {
  documentData = SampleDocument();
  ResetDrawingInfo();
  EXPECT_EQ(documentData.changeCount, 0);
  EXPECT_EQ(documentData.drawingTextCount, 0);
  EXPECT_EQ(documentData.drawingTextSheets, kSheetsA4);
  DrawingInfo expected;
  expected.createdDate = TodayIso();
  EXPECT_EQ(documentData.drawingInfo, expected);
  EXPECT_EQ(documentData.documentLinks, SampleDocument().documentLinks);
  // The records are reused: a new change shows the old texts.
  EXPECT_EQ(documentData.changes[1].changeText, "Bohrung geändert");
}

TEST_F(DrawingInfoTest, LabelTextsAreTheGermanSet) {
  EXPECT_EQ(LabelText(Label::ChangeText), "Änderungstext");
  EXPECT_EQ(LabelText(Label::ChangesHeading), kChangeLogMarker);
  EXPECT_EQ(LabelText(Label::ReplacementFor), "Ersatz für");
  EXPECT_EQ(LabelText(Label::AdditionalTitle), "Zusätzlicher Titel");
  EXPECT_EQ(LabelText(Label::Language), "Spr.");
  EXPECT_EQ(LabelText(Label::ProtectionNote1),
            "Weitergabe sowie Vervielfältigung dieser Unterlage, Ver-");
  EXPECT_EQ(LabelText(Label::ProtectionNote5),
            "erteilung oder Gebrauchsmuster-Eintragung vorbehalten.");
}

TEST_F(DrawingInfoTest, BlocksAreWrittenLineByLineInCodePage850) {
  documentData = SampleDocument();
  titleBlockStyle = 1;
  std::string expected =
      "\x8e"
      "NDERUNGEN\r\n2\r\n--------------------\r\n"
      "Bohrung ge\x84ndert\r\n2024-04-01\r\nM\x81\r\ndB1 20 statt 18\r\n--------------\r\n"
      "Z\x84hnezahl\r\n2024-05-02\r\nWe\r\nz1 17|z2 41|neu|berechnet\r\n--------------\r\n"
      "2024-03-04|Wei\xe1|2024-03-05|Gr|2024-03-06|Ob|2||\r\n"
      "2024-03-01\r\nKV-0815\r\nKV-0816\r\nM\x81ller\r\n"
      "25|40.5|3.5|0|H\x84rte 55 HRC|4|\r\n"
      "100|12|2.5|90|gepr\x81"
      "ft|3|\r\n"
      "Dokumente\r\n5\r\n--------------------\r\n"
      "notepad.exe\r\nC:\\Daten\\Notiz.txt\r\n--------------\r\n"
      "write.exe\r\n\r\n--------------\r\n"
      "mspaint.exe\r\n/daten/bild.bmp\r\n--------------\r\n"
      "notepad.exe\r\n\r\n--------------\r\n"
      "kate\r\nliste.txt\r\n--------------\r\n"
      "ISO 7200 Header\r\n1\r\n2\r\nKonstruktion\r\nFertigungszeichnung\r\nfreigegeben\r\n"
      "---\r\n";
  EXPECT_EQ(WriteBlocks(), expected);
  // The stored description holds the bars from now on.
  EXPECT_EQ(documentData.changes[2].description, "z1 17|z2 41|neu|berechnet");
}

TEST_F(DrawingInfoTest, BlocksReadBackIntoTheSameDocument) {
  documentData = SampleDocument();
  documentData.changes[1].description =
      std::string(300, 'x') + "ä";  // longer than the dialog allows
  titleBlockStyle = 3;
  std::string bytes = WriteBlocks();
  DocumentData written = documentData;
  for (bool tolerant : {false, true}) {
    DocumentData read;
    int style = 0;
    ReadBlocks(bytes, read, style, tolerant);
    EXPECT_EQ(read, written) << tolerant;
    EXPECT_EQ(style, 3);
  }
}

TEST_F(DrawingInfoTest, ReadingDamagedBlocksKeepsTheRestInPlace) {
  const std::string tail =
      "2024-03-04|Wei\xe1|2024-03-05|Gr|2024-03-06|Ob|1||\r\n"
      "2024-03-01\r\nKV-0815\r\nKV-0816\r\nM\x81ller\r\n"
      "1|2|3|0|Text|5|\r\n"
      "Dokumente\r\n5\r\n--------------------\r\nvi\r\na.txt\r\n--------------\r\n"
      "ISO 7200 Header\r\n0\r\n3\r\nAbt\r\nArt\r\nStatus\r\n---\r\n";
  const std::string record = "R\r\n2024-01-01\r\nXY\r\nBeschreibung\r\n--------------\r\n";
  struct Case {
    const char* label;
    std::string text;
    short changes;
  };
  const Case cases[] = {
      {"count as written", "\x8eNDERUNGEN\r\n1\r\n--------------------\r\n" + record + tail, 1},
      {"count far too high", "\x8eNDERUNGEN\r\n99999\r\n--------------------\r\n" + record + tail,
       1},
      {"count not a number", "\x8eNDERUNGEN\r\nviele\r\n--------------------\r\n" + tail, 0},
      {"negative count", "\x8eNDERUNGEN\r\n-3\r\n--------------------\r\n" + tail, 0},
      {"rule missing", "\x8eNDERUNGEN\r\n1\r\n" + record + tail, 1},
      {"garbage before the block",
       "M\x81ll\r\n17\r\n\x8eNDERUNGEN\r\n1\r\n----------\r\n" + record + tail, 1},
  };
  for (const Case& c : cases) {
    DocumentData doc;
    int style = 2;
    ReadBlocks(c.text, doc, style);
    EXPECT_EQ(doc.changeCount, c.changes) << c.label;
    if (c.changes == 1) {
      EXPECT_EQ(doc.changes[1].description, "Beschreibung") << c.label;
    }
    EXPECT_EQ(doc.drawingInfo.approvedBy, "Weiß") << c.label;
    EXPECT_EQ(doc.drawingInfo.createdBy, "Müller") << c.label;
    EXPECT_EQ(doc.drawingTextCount, 1) << c.label;
    EXPECT_EQ(doc.drawingTexts[0].text, "Text") << c.label;
    EXPECT_EQ(doc.drawingTexts[0].pen, 5) << c.label;
    EXPECT_EQ(doc.documentLinks[1].program, "vi") << c.label;
    EXPECT_EQ(doc.documentLinks[2].program, "") << c.label;
    EXPECT_EQ(style, 0) << c.label;
    EXPECT_EQ(doc.drawingTextSheets, kSheetsNone) << c.label;
    EXPECT_EQ(doc.drawingInfo.documentStatus, "Status") << c.label;
  }
}

TEST_F(DrawingInfoTest, MoreRecordsThanKeptArePassedOver) {
  std::string text = "\x8eNDERUNGEN\r\n30\r\n--------------------\r\n";
  for (int i = 1; i <= 30; ++i)
    text += "c" + std::to_string(i) + "\r\nd\r\nb\r\ntext\r\n--------------\r\n";
  text += "|||||Rel|12||\r\nheute\r\n\r\n\r\nIch\r\n";
  for (int i = 0; i < 12; ++i) text += std::to_string(i) + "|0|2,5|0|T|1|\r\n";
  text += "Dokumente\r\n7\r\n--------------------\r\n";
  for (int i = 1; i <= 7; ++i) text += "p" + std::to_string(i) + "\r\nf\r\n--------------\r\n";
  text += "ISO 7200 Header\r\n1\r\n0\r\n\r\n\r\n\r\n---\r\n";
  DocumentData doc;
  int style = 2;
  ReadBlocks(text, doc, style);
  EXPECT_EQ(doc.changeCount, kMaxChanges);
  EXPECT_EQ(doc.changes[25].changeText, "c25");
  EXPECT_EQ(doc.drawingInfo.releaseBy, "Rel");
  EXPECT_EQ(doc.drawingInfo.createdBy, "Ich");
  EXPECT_EQ(doc.drawingTextCount, kMaxDrawingTexts);
  EXPECT_EQ(doc.drawingTexts[7].x, 7);
  EXPECT_EQ(doc.drawingTexts[7].height, 2.5L);  // "," read as decimal mark
  EXPECT_EQ(doc.documentLinks[5].program, "p5");
  EXPECT_EQ(style, 1);
}

TEST_F(DrawingInfoTest, ABarInsideADrawingTextStaysInTheText) {
  std::string text =
      "\x8eNDERUNGEN\r\n0\r\n--------------------\r\n||||||2||\r\n\r\n\r\n\r\n\r\n"
      "1|2|3|45|a|b|7|\r\n5|6|0|0|kurz\r\n";
  DocumentData doc;
  int style = 2;
  ReadBlocks(text, doc, style);
  ASSERT_EQ(doc.drawingTextCount, 1);  // the second line is not a drawing text
  EXPECT_EQ(doc.drawingTexts[0].text, "a|b");
  EXPECT_EQ(doc.drawingTexts[0].pen, 7);
  EXPECT_EQ(doc.drawingTexts[0].angle, 45);
}

TEST_F(DrawingInfoTest, OutOfRangeTitleSettingsKeepTheCurrentOnes) {
  DocumentData doc;
  doc.drawingTextSheets = kSheetsA3;
  int style = 2;
  ReadBlocks("ISO 7200 Header\r\n7\r\n-1\r\nA\r\nB\r\nC\r\n---\r\n", doc, style);
  EXPECT_EQ(style, 2);
  EXPECT_EQ(doc.drawingTextSheets, kSheetsA3);
  EXPECT_EQ(doc.drawingInfo.documentStatus, "C");
}

}  // namespace
}  // namespace kv5
