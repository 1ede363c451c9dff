// The documentation menu: the change log commands and their protocol, the
// storing rules of the drawing information and document links dialogs, and
// the project file round trip of all that the dialogs enter.
#include "graphics/documentation_commands.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "graphics/drawing_info.h"
#include "graphics/frame_settings.h"
#include "model/drive_model.h"
#include "model/project_file.h"
#include "tests/drive_fixtures.h"
#include "tests/test_support.h"
#include "text/configuration.h"
#include "text/output_channel.h"
#include "text/string_routines.h"

namespace kv5 {
namespace {

using testing::ReadFileBytes;
using testing::TempFolder;

const std::string kIndent(7, ' ');

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find("\r\n", start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (line.rfind(kIndent, 0) == 0) line = line.substr(kIndent.size());
    lines.push_back(line);
    start = end + 2;
  }
  return lines;
}

class DocumentationTest : public testing::ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    tempFolder = temp_.path();
    projectName = "demo";
    outputChannel.headerTime = DateTime{2026, 12, 10, 9, 5, 0};
    SetDocumentationHooks({[this](ChangeDialog& d) {
                             ++changeDialogs_;
                             shownChange_ = d.fields();
                             shownCaption_ = d.Caption();
                             if (change_) change_(d);
                           },
                           [this](DrawingInfoDialog& d) {
                             if (info_) info_(d);
                           },
                           [this](DocumentLinksDialog& d) {
                             if (links_) links_(d);
                           }});
  }
  void TearDown() override {
    SetDocumentationHooks({});
    ProgramTest::TearDown();
  }
  // The text window's last protocol, lines without the indent.
  std::vector<std::string> Screen() const { return Lines(ReadFileBytes(temp_.File("outwin.txt"))); }
  // Answers of the change dialog: texts typed, then OK; nothing: Cancel.
  void TypeChange(std::string text, std::string by, std::string description) {
    change_ = [=](ChangeDialog& d) {
      d.SetChangeText(text);
      d.SetChangeBy(by);
      d.SetDescription(description);
      d.Ok();
    };
  }
  void CancelChange() {
    change_ = [](ChangeDialog& d) { d.Cancel(); };
  }
  // The lines of entry i in the protocol.
  static std::vector<std::string> EntryLines(const std::string& label, const std::string& date,
                                             const std::string& by, const std::string& text,
                                             const std::string& description) {
    return {"  " + label + "     " + PadRight(date, 10) + "   " + PadRight(by, 6) + "   " +
                PadRight(text, 20),
            " " + description, Rule()};
  }

  TempFolder temp_;
  std::function<void(ChangeDialog&)> change_;
  std::function<void(DrawingInfoDialog&)> info_;
  std::function<void(DocumentLinksDialog&)> links_;
  int changeDialogs_ = 0;
  ChangeDialog::Fields shownChange_;
  std::string shownCaption_;
};

TEST_F(DocumentationTest, ProtocolLaysOutTheHeadTheReplacementsAndEachChange) {
  DrawingInfo& i = documentData.drawingInfo;
  i.createdDate = "01.02.2026";
  i.createdBy = "Kr";
  i.replacementFor = "KV-7";
  i.replacedBy = "KV-9 mit langem Namen";
  documentData.changeCount = 2;
  documentData.changes[1] = {"Zähnezahl", "02.02.2026", "Mü", "z1 17 statt 15"};
  documentData.changes[2] = {"Bohrung", "03.02.2026", "Kr", ""};
  ChangeCommand(kChangeShow);
  std::vector<std::string> expected = {
      "",           "Erstellungsdatum: 01.02.2026     Erstellt von: Kr",
      "",           "Ersatz für: KV-7           ",
      "",           "Ersetzt durch: KV-9 mit langem",
      "",           "Index   Datum        Bearb.   Änderung            ",
      DoubleRule(),
  };
  for (const auto& l : EntryLines("a", "02.02.2026", "Mü", "Zähnezahl", "z1 17 statt 15"))
    expected.push_back(l);
  for (const auto& l : EntryLines("b", "03.02.2026", "Kr", "Bohrung", "")) expected.push_back(l);
  EXPECT_EQ(Screen(), expected);
  ASSERT_EQ(platform_.ShownTextFiles().size(), 1u);
}

TEST_F(DocumentationTest, IndexStylesLabelChangesByLetterUnlessNumbered) {
  documentData.changeCount = 3;
  struct Case {
    int style;
    const char* labels[3];
  };
  const Case cases[] = {{0, {"a", "b", "c"}}, {1, {"1", "2", "3"}}, {2, {"a", "b", "c"}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.style);
    indexStyle = c.style;
    WriteChangeProtocol(1);
    const std::vector<std::string> lines = Screen();
    ASSERT_GE(lines.size(), 9u);
    for (int k = 0; k < 3; ++k)
      EXPECT_EQ(lines[lines.size() - 9 + 3 * k].substr(0, 3), std::string("  ") + c.labels[k]);
  }
}

TEST_F(DocumentationTest, NewChangeCancelledStaysCountedWithTodayAndTheReusedTexts) {
  documentData.changes[1] = {"alt", "01.01.2020", "Xy", "alte Beschreibung"};
  CancelChange();
  ChangeCommand(kChangeNew);
  EXPECT_EQ(documentData.changeCount, 1);
  EXPECT_EQ(changeDialogs_, 1);
  EXPECT_EQ(shownCaption_, "Änderung 1");
  EXPECT_EQ(shownChange_.changeDate, FormatDate()) << "the dialog opens with today";
  EXPECT_EQ(shownChange_.changeText, "alt");
  EXPECT_TRUE(platform_.ShownTextFiles().empty()) << "a cancelled dialog shows no protocol";
  ChangeCommand(kChangeShow);
  const std::vector<std::string> lines = Screen();
  ASSERT_GE(lines.size(), 3u);
  const auto entry = EntryLines("a", FormatDate(), "Xy", "alt", "alte Beschreibung");
  EXPECT_EQ(std::vector<std::string>(lines.end() - 3, lines.end()), entry);
}

TEST_F(DocumentationTest, DeleteThenNewReusesTheDeletedTextsWithToday) {
  TypeChange("Erste", "Ab", "eins");
  ChangeCommand(kChangeNew);
  TypeChange("Zweite", "Cd", "zwei");
  ChangeCommand(kChangeNew);
  ASSERT_EQ(documentData.changeCount, 2);
  EXPECT_EQ(documentData.changes[2].changeText, "Zweite");
  ChangeCommand(kChangeDelete);
  EXPECT_EQ(documentData.changeCount, 1);
  std::vector<std::string> lines = Screen();
  EXPECT_EQ(lines.back(), Rule());
  EXPECT_EQ(lines[lines.size() - 2], " eins") << "only the first entry is listed";

  change_ = [](ChangeDialog& d) { d.Ok(); };  // OK without typing
  ChangeCommand(kChangeNew);
  EXPECT_EQ(documentData.changeCount, 2);
  EXPECT_EQ(documentData.changes[2], (AendRecord{"Zweite", FormatDate(), "Cd", "zwei"}));
  lines = Screen();
  const auto entry = EntryLines("b", FormatDate(), "Cd", "Zweite", "zwei");
  EXPECT_EQ(std::vector<std::string>(lines.end() - 3, lines.end()), entry);
}

TEST_F(DocumentationTest, ModifyEditsTheNewestAndEmptyLogsStillShowTheProtocol) {
  ChangeCommand(kChangeModify);
  ChangeCommand(kChangeDelete);
  EXPECT_EQ(changeDialogs_, 0);
  EXPECT_EQ(documentData.changeCount, 0);
  EXPECT_EQ(platform_.ShownTextFiles().size(), 2u);
  EXPECT_EQ(Screen().back(), DoubleRule());

  documentData.changeCount = 2;
  TypeChange("neu", "Ef", "geändert");
  ChangeCommand(kChangeModify);
  EXPECT_EQ(shownCaption_, "Änderung 2");
  EXPECT_EQ(documentData.changes[2].changeText, "neu");
  EXPECT_EQ(documentData.changes[2].description, "geändert");
}

TEST_F(DocumentationTest, TheTwentySixthChangeIsRefused) {
  change_ = [](ChangeDialog& d) { d.Ok(); };
  for (int k = 0; k < 25; ++k) ChangeCommand(kChangeNew);
  ASSERT_EQ(documentData.changeCount, 25);
  platform_.ClearLog();
  ChangeCommand(kChangeNew);
  EXPECT_EQ(documentData.changeCount, 25);
  EXPECT_EQ(changeDialogs_, 25);
  ASSERT_EQ(platform_.Messages().size(), 1u);
  EXPECT_EQ(platform_.Messages()[0].text, "Max. Änderungen = 25 !");
  EXPECT_TRUE(platform_.ShownTextFiles().empty());
}

TEST_F(DocumentationTest, ChangeDialogCutsTypedTextsAndTakesToday) {
  ChangeDialog d(3);
  d.SetChangeText(std::string(30, 'x'));
  d.SetChangeDate("2026-12-10-extra");
  d.SetChangeBy("Müller");
  d.SetDescription(std::string(300, 'y'));
  EXPECT_EQ(d.fields().changeText, std::string(20, 'x'));
  EXPECT_EQ(d.fields().changeDate, "2026-12-10");
  EXPECT_EQ(d.fields().changeBy, "Mülle");
  EXPECT_EQ(d.fields().description.size(), 255u);
  EXPECT_EQ(ChangeDialog::DateButtonCaption(), "<" + FormatDate());
  d.TakeToday();
  EXPECT_EQ(d.fields().changeDate, FormatDate());
  d.Cancel();
  EXPECT_TRUE(abortFlag);
  EXPECT_EQ(documentData.changes[3], AendRecord{}) << "cancel stores nothing";
  d.Ok();
  EXPECT_FALSE(abortFlag);
  EXPECT_EQ(documentData.changes[3].changeBy, "Mülle");
  EXPECT_EQ(documentData.changes[3].description, std::string(255, 'y'))
      << "a description of full length is kept";
}

TEST_F(DocumentationTest, PrintingWritesThePageHeadFirst) {
  defaultChannel = kChannelScreen;
  askChannel = false;
  ChangeCommand(kChangePrint);
  const std::string all = ReadFileBytes(temp_.File("outwin.txt"));
  EXPECT_NE(all.find("Änderungsprotokoll"), std::string::npos);
  ChangeCommand(kChangeShow);
  EXPECT_EQ(ReadFileBytes(temp_.File("outwin.txt")).find("Änderungsprotokoll"), std::string::npos);
}

// --- Drawing information ---

TEST_F(DocumentationTest, DrawingInfoDinLayoutStoresFourRowsAndTheReplacements) {
  titleBlockStyle = kDinFull;
  DrawingInfo& i = documentData.drawingInfo;
  i.createdBy = "Kr";
  i.releaseDate = "05.05.2025";
  i.replacementFor = "alt";
  documentData.drawingTextCount = 1;
  documentData.drawingTexts[0] = {12.5L, 100, 3.5L, 45, "Hinweis", 3};
  info_ = [](DrawingInfoDialog& d) {
    EXPECT_FALSE(d.iso());
    EXPECT_EQ(d.Caption(), "Zeichnungsinfo DIN 6771");
    EXPECT_EQ(d.SignatureRowCount(), 4);
    EXPECT_EQ(d.SignatureRowLabel(1), "Bearb.");
    EXPECT_EQ(d.SignatureRowLabel(3), "Norm");
    EXPECT_EQ(d.DateHeader(), "Datum");
    EXPECT_EQ(d.signature(1).name, "Kr");
    EXPECT_EQ(d.signature(4).date, "05.05.2025");
    EXPECT_EQ(d.replacementFor, "alt");
    EXPECT_EQ(d.textCell(1, DrawingInfoDialog::kX), "12.5");
    EXPECT_EQ(d.textCell(1, DrawingInfoDialog::kText), "Hinweis");
    EXPECT_EQ(d.textCell(1, DrawingInfoDialog::kLayer), "3");
    EXPECT_EQ(d.textCell(2, DrawingInfoDialog::kText), "");
    d.signature(4).name = "Fg";
    d.TakeToday(2);
    d.replacedBy = "neu";
    d.isoField(1) = "nicht im DIN-Kopf";
    d.Ok();
  };
  ShowDrawingInfo();
  EXPECT_FALSE(abortFlag);
  EXPECT_EQ(i.releaseBy, "Fg");
  EXPECT_EQ(i.approvedDate, FormatDate());
  EXPECT_EQ(i.replacedBy, "neu");
  EXPECT_EQ(i.responsibleDept, "") << "the ISO fields are left in the DIN layout";
  EXPECT_FALSE(modified) << "the drawing information does not mark the project";
}

TEST_F(DocumentationTest, DrawingInfoIsoLayoutHasNoFourthRowAndStoresItsFields) {
  titleBlockStyle = kIsoFig1;
  DrawingInfo& i = documentData.drawingInfo;
  i.releaseDate = "05.05.2025";
  i.releaseBy = "Fg";
  i.documentType = "Zeichnung";
  info_ = [](DrawingInfoDialog& d) {
    EXPECT_TRUE(d.iso());
    EXPECT_EQ(d.Caption(), "Zeichnungsinfo ISO 7200");
    EXPECT_EQ(d.SignatureRowCount(), 3);
    EXPECT_EQ(d.SignatureRowLabel(1), "Erstellt durch");
    EXPECT_EQ(d.SignatureRowLabel(3), "Technische Referenz");
    EXPECT_EQ(d.DateHeader(), " (Datum)");
    EXPECT_EQ(d.isoField(2), "Zeichnung");
    d.TakeToday(1);  // no date buttons in the ISO layout
    d.isoField(3) = "freigegeben";
    d.Ok();
  };
  const std::string created = i.createdDate;
  ShowDrawingInfo();
  EXPECT_EQ(i.createdDate, created);
  EXPECT_EQ(i.releaseDate, "");
  EXPECT_EQ(i.releaseBy, "");
  EXPECT_EQ(i.documentType, "Zeichnung");
  EXPECT_EQ(i.documentStatus, "freigegeben");
}

TEST_F(DocumentationTest, DrawingTextRowsAreTakenUpToTheFirstEmptyText) {
  struct Case {
    const char* name;
    std::vector<int> rowsWithText;
    int sheets;
    short count;
  };
  const Case cases[] = {
      {"all empty: row 1 is always taken", {}, kSheetsA3, 1},
      {"rows 1, 2, 4: only 1 and 2", {1, 2, 4}, kSheetsA4A3, 2},
      {"row 1 empty, row 2 filled", {2}, kSheetsA4, 2},
      {"all eight", {1, 2, 3, 4, 5, 6, 7, 8}, kSheetsNone, 8},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    documentData.drawingTextCount = 0;
    info_ = [&](DrawingInfoDialog& d) {
      for (int r : c.rowsWithText) {
        d.textCell(r, DrawingInfoDialog::kText) = "  T" + std::to_string(r);
        d.textCell(r, DrawingInfoDialog::kX) = std::to_string(r) + ",5";
        d.textCell(r, DrawingInfoDialog::kLayer) = "7";
      }
      d.textCell(3, DrawingInfoDialog::kY) = "99";  // a row without text
      d.sheets = c.sheets;
      EXPECT_EQ(d.TextGridVisible(), c.sheets != kSheetsNone);
      d.Ok();
    };
    ShowDrawingInfo();
    EXPECT_EQ(documentData.drawingTextCount, c.count);
    EXPECT_EQ(documentData.drawingTextSheets, c.sheets);
    if (!c.rowsWithText.empty() && c.rowsWithText[0] == 1) {
      EXPECT_EQ(documentData.drawingTexts[0].x, 1.5L);
      EXPECT_EQ(documentData.drawingTexts[0].text, "  T1");
      EXPECT_EQ(documentData.drawingTexts[0].pen, 7);
    }
  }
}

TEST_F(DocumentationTest, CancelledDialogsStoreNothing) {
  const DocumentData before = documentData;
  info_ = [](DrawingInfoDialog& d) {
    d.signature(1).name = "X";
    d.textCell(1, DrawingInfoDialog::kText) = "Y";
    d.sheets = kSheetsNone;
    d.Cancel();
  };
  links_ = [](DocumentLinksDialog& d) {
    d.program(1) = "vi";
    d.Cancel();
  };
  ShowDrawingInfo();
  EXPECT_TRUE(abortFlag);
  ShowDocumentLinks();
  EXPECT_TRUE(abortFlag);
  EXPECT_EQ(documentData, before);
  EXPECT_FALSE(modified);
}

TEST_F(DocumentationTest, DocumentLinksStoreOnOkMarkTheProjectAndStartPrograms) {
  links_ = [](DocumentLinksDialog& d) {
    EXPECT_EQ(DocumentLinksDialog::Caption(),
              "Document Links  -  KV5   Triebstockverzahnung  -  demo.kv5");
    EXPECT_EQ(d.program(2), "write.exe");
    EXPECT_EQ(DocumentLinksDialog::ProgramLabel(5), "Program 5");
    EXPECT_EQ(DocumentLinksDialog::FileLabel(1), "File 1");
    d.program(1) = "gedit";
    d.file(1) = "/tmp/a b.txt";
    d.RunProgram(1);
    d.OpenFile(1);
    d.OpenFile(2);  // no file: nothing
    d.Ok();
  };
  ShowDocumentLinks();
  EXPECT_FALSE(abortFlag);
  EXPECT_TRUE(modified);
  EXPECT_EQ(documentData.documentLinks[1], (DokuRecord{"gedit", "/tmp/a b.txt"}));
  EXPECT_EQ(platform_.StartedPrograms(),
            (std::vector<std::string>{"gedit /tmp/a b.txt", "open /tmp/a b.txt"}));
}

TEST_F(DocumentationTest, DocumentLinkBrowsingStartsInTheEntrysFolder) {
  struct Requests : HeadlessPlatform {
    std::vector<FileDialogRequest> seen;
    std::optional<std::string> AskOpenFile(const FileDialogRequest& r) override {
      seen.push_back(r);
      return HeadlessPlatform::AskOpenFile(r);
    }
  } files;
  files.SetEcho(false);
  SetPlatform(&files);
  DocumentLinksDialog d;
  d.file(3) = "/daten/zeichnungen/alt.pdf";
  files.QueueAnswer(ScriptedAnswer(std::in_place_type<std::string>, "/daten/neu.pdf"));
  d.BrowseFile(3);
  EXPECT_EQ(d.file(3), "/daten/neu.pdf");
  d.BrowseProgram(3);  // cancelled: unchanged
  EXPECT_EQ(d.program(3), "mspaint.exe");
  ASSERT_EQ(files.seen.size(), 2u);
  EXPECT_EQ(files.seen[0].filter, "*.*|*.*");
  EXPECT_EQ(files.seen[0].initialFolder, "/daten/zeichnungen/");
  EXPECT_EQ(files.seen[1].filter, "*.exe|*.exe");
  EXPECT_EQ(files.seen[1].initialFolder, "") << "a bare program name has no folder";
  SetPlatform(&platform_);
}

// Everything the dialogs enter survives saving and opening the project.
TEST_F(DocumentationTest, ProjectFileKeepsWhatTheDialogsEnter) {
  testing::SetUpRackDrive();
  projectFolder = temp_.path();
  titleBlockStyle = kIsoFig2;
  TypeChange("Zähne", "Kr", "Zeile 1\rZeile 2");
  ChangeCommand(kChangeNew);
  TypeChange("Bohrung", "Ab", "größer");
  ChangeCommand(kChangeNew);
  info_ = [](DrawingInfoDialog& d) {
    d.signature(1) = {"01.01.2026", "Kr"};
    d.signature(2) = {"02.01.2026", "Mü"};
    d.signature(3) = {"03.01.2026", "Ab"};
    d.isoField(1) = "Konstruktion";
    d.isoField(2) = "Zeichnung";
    d.isoField(3) = "freigegeben";
    d.textCell(1, DrawingInfoDialog::kX) = "12,5";
    d.textCell(1, DrawingInfoDialog::kY) = "100";
    d.textCell(1, DrawingInfoDialog::kHeight) = "3,5";
    d.textCell(1, DrawingInfoDialog::kAngle) = "45";
    d.textCell(1, DrawingInfoDialog::kText) = "Hinweis ä";
    d.textCell(1, DrawingInfoDialog::kLayer) = "3";
    d.textCell(2, DrawingInfoDialog::kText) = "zweiter";
    d.sheets = kSheetsA4A3;
    d.Ok();
  };
  ShowDrawingInfo();
  links_ = [](DocumentLinksDialog& d) {
    d.program(4) = "okular";
    d.file(4) = "/daten/plan.pdf";
    d.Ok();
  };
  ShowDocumentLinks();
  ASSERT_TRUE(WriteProjectFile(temp_.File("doku.kv5")));
  EXPECT_EQ(documentData.changes[1].description, "Zeile 1|Zeile 2")
      << "the line break is kept as | in the record too";
  const DocumentData saved = documentData;

  ResetDrawingInfo();
  documentData.documentLinks[4] = {};
  titleBlockStyle = kDinFull;
  ASSERT_NE(documentData, saved);
  ASSERT_TRUE(ReadProjectFile(temp_.File("doku.kv5")));
  EXPECT_EQ(documentData, saved);
  EXPECT_EQ(titleBlockStyle, kIsoFig2);
  EXPECT_EQ(documentData.drawingTexts[0].text, "Hinweis ä");
  EXPECT_EQ(documentData.drawingTextSheets, kSheetsA4A3);
  EXPECT_EQ(documentData.changes[1].description, "Zeile 1|Zeile 2");
}

}  // namespace
}  // namespace kv5
