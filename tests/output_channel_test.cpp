#include "text/output_channel.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <vector>

#include "dialogs/choice_dialogs.h"
#include "model/drive_model.h"
#include "model/line_file.h"
#include "platform/platform.h"
#include "tests/test_support.h"
#include "text/codepage.h"
#include "text/configuration.h"
#include "text/text_conversion.h"

namespace kv5 {
namespace {

using testing::ReadFileBytes;
using testing::TempFolder;
using testing::WriteFileBytes;

const std::string kIndent(7, ' ');

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

std::vector<std::string> FilesIn(const std::string& folder) {
  std::vector<std::string> names;
  for (auto& entry : std::filesystem::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// 1-based character column of `piece` in `line` (0 when absent).
size_t ColumnOf(const std::string& line, const std::string& piece) {
  size_t at = line.find(piece);
  return at == std::string::npos ? 0 : Utf8Length(line.substr(0, at)) + 1;
}

class OutputChannelTest : public testing::ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    savedFolder_ = CurrentFolder();
    ASSERT_EQ(chdir(work_.path().c_str()), 0);
    unsetenv("KV5_PRINTER_DEVICE");
    tempFolder = temp_.path();
    projectName = "demo";
    projectFolder = "/p/";
    outputChannel.headerTime = DateTime{2026, 12, 10, 9, 5, 0};
  }
  void TearDown() override {
    ProgramTest::TearDown();
    unsetenv("KV5_PRINTER_DEVICE");
    EXPECT_EQ(chdir(savedFolder_.c_str()), 0);
  }

  void Begin(int kind, const std::string& fileName = "") {
    OpenOutput(kind, fileName);
    ASSERT_FALSE(abortFlag);
    StartOutputFile();
    ASSERT_FALSE(abortFlag);
  }
  std::string Screen() const { return ReadFileBytes(temp_.File("outwin.txt")); }
  std::vector<std::string> ScreenLines() const { return SplitLines(Screen()); }
  std::string Pid() const { return std::to_string(getpid()); }
  // The small fixture page: header, one value row, one plain line.
  void WriteSmallPage() {
    SetPageHeader("Titel", "Zeile 1", "Zeile 2", "Zeile 3", "", 0);
    Begin(kChannelScreen);
    WritePageHeader(0, 0);
    WriteValueRow("achsabstand", "a", "mm", "   100.0");
    WriteLine("Ende");
    CloseOutput();
  }

  TempFolder temp_;  // tempFolder
  TempFolder work_;  // the current folder
  std::string savedFolder_;
};

TEST_F(OutputChannelTest, EachFrameStyleLaysOutTheSmallPage) {
  struct Case {
    int style;
    std::vector<std::string> lines;
    const char* end;  // after the last line
  };
  const std::vector<Case> cases = {
      {1,
       {"       **********************************************************************",
        "       *  Titel                                                       Bl. 1 *",
        "       *                                                   2026-12-10 9:05  *",
        "       *  /p/demo.kv5                                                       *",
        "       **********************************************************************",
        "       *  Zeile 1                                                           *",
        "       *  Zeile 2                                                           *",
        "       *  Zeile 3                                                           *",
        "       **********************************************************************",
        "       Achsabstand                       a        mm             100.0       ",
        "       ----------------------------------------------------------------------",
        "       Ende"},
       ""},
      {2,
       {"       ╔════════════════════════════════════════════════════════════════════╗",
        "       ║  Titel                                                       Bl. 1 ║",
        "       ║                                                   2026-12-10 9:05  ║",
        "       ║  /p/demo.kv5                                                       ║",
        "       ╠════════════════════════════════════════════════════════════════════╣",
        "       ║  Zeile 1                                                           ║",
        "       ║  Zeile 2                                                           ║",
        "       ║  Zeile 3                                                           ║",
        "       ╚════════════════════════════════════════════════════════════════════╝",
        "       Achsabstand                       a        mm             100.0       ",
        "       ──────────────────────────────────────────────────────────────────────",
        "       Ende"},
       ""},
      {3,
       {"                                                                             ",
        "          Titel                                                       Bl. 1  ",
        "                                                           2026-12-10 9:05   ",
        "          /p/demo.kv5                                                        ",
        "                                                                             ",
        "          Zeile 1                                                            ",
        "          Zeile 2                                                            ",
        "          Zeile 3                                                            ",
        "                                                                             ",
        "       Achsabstand                       a        mm             100.0       ",
        "                                                                             ",
        "       Ende"},
       ""},
      // No frames and no rules; the page ends in a form feed.
      {4,
       {"       ", "          Titel                                                       Bl. 1  ",
        "                                                           2026-12-10 9:05   ",
        "          /p/demo.kv5                                                        ",
        "          Zeile 1                                                            ",
        "          Zeile 2                                                            ",
        "          Zeile 3                                                            ",
        "       Achsabstand                       a        mm             100.0       ",
        "       Ende"},
       "\f"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.style);
    abortFlag = false;
    frameStyle = c.style;
    WriteSmallPage();
    EXPECT_FALSE(abortFlag);
    EXPECT_EQ(Screen(), JoinLines(c.lines) + c.end);
  }
}

TEST_F(OutputChannelTest, ValueRowsPlaceTheirTextsInTheColumns) {
  frameStyle = 4;
  struct Case {
    std::string value;
    std::string shown;
    size_t start;  // column in the 70-column body line
  };
  const std::vector<Case> cases = {
      {"12345678901234", "12345678901234", 56},              // 14 characters start at 56
      {"12345678901234567890", "12345678901234567890", 50},  // 20 end at 69
      {"    1234567890  ", "1234567890", 56},                // trimmed to fit again
      {"  Größe 123456789012 ", "Größe 123456789012", 52},   // characters, not bytes
  };
  Begin(kChannelScreen);
  for (const Case& c : cases) WriteValueRow("x", "s", "u", c.value);
  CloseOutput();
  std::vector<std::string> lines = ScreenLines();
  ASSERT_EQ(lines.size(), cases.size() + 1);  // and the closing form feed
  for (size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(cases[i].value);
    std::string body = lines[i].substr(kIndent.size());
    EXPECT_EQ(ColumnOf(body, cases[i].shown), cases[i].start);
    EXPECT_EQ(ColumnOf(body, "s"), 35u);
    EXPECT_EQ(ColumnOf(body, "u"), 44u);
  }
  EXPECT_EQ(Utf8Length(lines[1]), 7u + 70u);
  EXPECT_EQ(lines[1].back(), ' ');  // column 70 stays free
}

TEST_F(OutputChannelTest, RowsCapitalizeLabelsAndDropLabelsLongerThanTheLine) {
  frameStyle = 1;
  Begin(kChannelScreen);
  WriteValueRow(std::string(71, 'l'), "sym", "mm", "1.0");
  WriteValueRow("über", "sym", "mm", "1.0");
  WriteTwoValueRow("kopfkreis", "da", "mm", "  10.00", "  12.00");
  CloseOutput();
  std::vector<std::string> lines = ScreenLines();
  ASSERT_EQ(lines.size(), 6u);  // every row is followed by its rule
  EXPECT_EQ(lines[0].find('l'), std::string::npos);
  EXPECT_EQ(ColumnOf(lines[0], "sym"), 7u + 35u);
  EXPECT_EQ(lines[1], kIndent + std::string(70, '-'));
  EXPECT_EQ(lines[2].substr(7, 5), "Über");
  std::string two = lines[4].substr(7);
  EXPECT_EQ(ColumnOf(two, "Kopfkreis"), 1u);
  EXPECT_EQ(ColumnOf(two, "  10.00"), 51u);
  EXPECT_EQ(ColumnOf(two, "  12.00"), 62u);
  EXPECT_EQ(two.size(), 71u);
}

TEST_F(OutputChannelTest, NothingMarkerIsNeitherWrittenNorCounted) {
  Begin(kChannelScreen);
  WriteLine("a");
  WriteLine(kNothingMarker);
  EXPECT_EQ(outputChannel.lineCount, 1);
  WriteLine("b");
  CloseOutput();
  EXPECT_EQ(Screen(), kIndent + "a\r\n" + kIndent + "b\r\n");
}

TEST_F(OutputChannelTest, TitleLineNumbersPagesWithAndWithoutTotal) {
  struct Case {
    int pageTotal;
    int page;
    std::string number;
    size_t column;
  };
  const std::vector<Case> cases = {
      {0, 0, "Bl. 1", 64}, {0, 7, "Bl. 7", 64}, {3, 0, "Bl. 1/ 3", 60}, {12, 10, "Bl.10/12", 60}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.number);
    SetPageHeader("", "", "", "", "", c.pageTotal);
    Begin(kChannelScreen);
    WritePageHeader(c.page, 0);
    CloseOutput();
    std::string title = ScreenLines().at(1).substr(7);
    EXPECT_EQ(ColumnOf(title, c.number), c.column);
    EXPECT_EQ(ColumnOf(title, "KV5   Triebstockverzahnung  V1.1"), 4u);
  }
}

TEST_F(OutputChannelTest, FileLineNamesTheProjectFileWhenItFits) {
  const std::string folder58 = "/" + std::string(56, 'f') + "/";
  const std::string folder59 = "/" + std::string(57, 'f') + "/";
  struct Case {
    std::string name, folder, shown;
  };
  const std::vector<Case> cases = {
      {"demo", "/p/", "/p/demo.kv5"},
      {" demo ", "/p", "/p/demo.kv5"},
      {"/daten/alt/demo", "/p/", "/daten/alt/demo"},  // a whole path stays as it is
      {"demo", folder58, folder58 + "demo.kv5"},      // 66 characters end at column 69
      {"demo", folder59, "demo.kv5"},                 // longer ones lose their folder
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.folder);
    projectName = c.name;
    projectFolder = c.folder;
    Begin(kChannelScreen);
    WritePageHeader(0, 0);
    CloseOutput();
    std::string fileLine = ScreenLines().at(3).substr(7);
    EXPECT_EQ(fileLine, "*  " + c.shown + std::string(66 - c.shown.size(), ' ') + "*");
  }
}

TEST_F(OutputChannelTest, HeaderWithColumnTitlesAndLabelWithNumber) {
  SetColumnTitles("Größe", "Zeichen", "Einheit", "  min ", " max");
  SetPageHeader("T", LabelWithNumber("Kettenrad", "4711"), "", "", "vier", 0);
  Begin(kChannelScreen);
  WritePageHeader(0, 1);
  CloseOutput();
  std::vector<std::string> lines = ScreenLines();
  ASSERT_EQ(lines.size(), 13u);
  EXPECT_EQ(lines[5].substr(7),
            "*  Kettenrad" + std::string(30, ' ') + "Nr.: 4711" + std::string(18, ' ') + "*");
  EXPECT_EQ(lines[8].substr(7), "*  vier" + std::string(62, ' ') + "*");
  EXPECT_EQ(lines[9], kIndent + std::string(70, '*'));  // middle frame
  std::string titles = lines[10].substr(7);
  EXPECT_EQ(ColumnOf(titles, "Größe"), 3u);
  EXPECT_EQ(ColumnOf(titles, "Zeichen"), 35u);
  EXPECT_EQ(ColumnOf(titles, "Einheit"), 44u);
  EXPECT_EQ(ColumnOf(titles, "  min "), 51u);
  EXPECT_EQ(ColumnOf(titles, " max"), 62u);
  EXPECT_EQ(Utf8Length(titles), 70u);
  EXPECT_EQ(lines[11], kIndent + std::string(70, '*'));  // bottom frame
  EXPECT_EQ(lines[12], kIndent);
  EXPECT_EQ(outputChannel.headerKind, 1);
  EXPECT_EQ(LabelWithNumber("Rad", "12").size(), 64u);
  EXPECT_EQ(LabelWithNumber(std::string(65, 'x'), "1"),
            std::string(39, ' ') + "Nr.: 1" + std::string(19, ' '));
}

// Splits the screen text at its form-feed lines.
std::vector<std::vector<std::string>> Pages(const std::vector<std::string>& lines) {
  std::vector<std::vector<std::string>> pages(1);
  for (const std::string& line : lines) {
    if (line == "\f") {
      pages.emplace_back();
    } else {
      pages.back().push_back(line);
    }
  }
  if (pages.back().empty()) pages.pop_back();
  return pages;
}

TEST_F(OutputChannelTest, HeadersRepeatEvery66LinesWithFormFeedPageEnds) {
  ASSERT_EQ(linesPerPage, 66);
  SetPageHeader("Titel", "1", "2", "3", "", 0);
  Begin(kChannelScreen);
  WritePageHeader(0, 0);
  for (int i = 1; i <= 200; ++i) WriteLine("Zeile " + std::to_string(i));
  EndPage();
  CloseOutput();
  std::vector<std::string> lines = ScreenLines();
  auto pages = Pages(lines);
  ASSERT_EQ(pages.size(), 4u);
  int body = 0;
  for (size_t p = 0; p < pages.size(); ++p) {
    SCOPED_TRACE(p);
    const auto& page = pages[p];
    EXPECT_EQ(page[0], kIndent + std::string(70, '*'));
    EXPECT_EQ(ColumnOf(page[1], "Bl. " + std::to_string(p + 1)), 7u + 64u);
    if (p + 1 < pages.size()) {
      EXPECT_EQ(page.size(), 65u);  // plus its form-feed line
    }
    for (const std::string& line : page) {
      if (line.rfind(kIndent + "Zeile ", 0) == 0) {
        EXPECT_EQ(line, kIndent + "Zeile " + std::to_string(++body));
      }
    }
  }
  EXPECT_EQ(body, 200);
  EXPECT_EQ(lines.back(), "\f");
}

TEST_F(OutputChannelTest, PageMode2FramesOnlyTheFirstPage) {
  pageMode = 2;
  linesPerPage = 20;
  SetPageHeader("Titel", "1", "2", "3", "", 0);
  Begin(kChannelScreen);
  WritePageHeader(0, 0);
  for (int i = 0; i < 50; ++i) WriteLine("x");
  WritePageHeader(0, 0);
  WriteLine("y");
  CloseOutput();
  std::string text = Screen();
  EXPECT_EQ(text.find("Bl."), std::string::npos);
  std::vector<std::string> lines = SplitLines(text);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), kIndent + std::string(70, '*')), 3);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "\f"), 4);  // three breaks and the end
  EXPECT_EQ(lines[lines.size() - 3], " ");                     // the later header
  EXPECT_EQ(lines.back(), "\f");
  EXPECT_EQ(ColumnOf(lines[1], "Titel"), 7u + 4u);
}

TEST_F(OutputChannelTest, FrameStyle4WritesNoRulesAndKeepsHalfEmptyPages) {
  frameStyle = 4;
  linesPerPage = 20;
  SetPageHeader("Titel", "1", "2", "3", "", 0);
  Begin(kChannelScreen);
  WritePageHeader(0, 0);  // 7 lines: empty, title, date, file, three header lines
  WriteValueRow("wert", "w", "mm", "1");
  WriteLine(Rule());
  WriteLine(DoubleRule());
  EXPECT_EQ(outputChannel.lineCount, 8);
  EndPage();  // less than half a page: no break, no new header
  WritePageHeader(0, 0);
  EXPECT_EQ(outputChannel.lineCount, 8);
  EXPECT_EQ(outputChannel.pageCount, 1);
  for (int i = 0; i < 5; ++i) WriteLine("z");
  EndPage();  // 13 lines: the page ends
  EXPECT_EQ(outputChannel.lineCount, 0);
  WriteLine("danach");
  CloseOutput();
  std::string text = Screen();
  EXPECT_EQ(text.find("--"), std::string::npos);
  EXPECT_EQ(text.find(kNothingMarker), std::string::npos);
  EXPECT_EQ(text.find("*"), std::string::npos);
  std::vector<std::string> lines = SplitLines(text);
  ASSERT_EQ(lines.size(), 7u + 1u + 5u + 1u + 1u + 1u);
  EXPECT_EQ(lines[13], "\f");
  EXPECT_EQ(lines[14], kIndent + "danach");
  EXPECT_EQ(lines[15], "\f");  // the output ends with a form feed
}

TEST_F(OutputChannelTest, PagesShorterThanTheirHeaderStillEnd) {
  linesPerPage = 5;
  headerSpaceLines = 2;
  SetPageHeader("Titel", "1", "2", "3", "4", 0);
  Begin(kChannelScreen);
  WritePageHeader(0, 1);
  for (int i = 1; i <= 3; ++i) WriteLine("Zeile " + std::to_string(i));
  CloseOutput();
  EXPECT_FALSE(abortFlag);
  std::string text = Screen();
  for (int i = 1; i <= 3; ++i)
    EXPECT_NE(text.find("Zeile " + std::to_string(i)), std::string::npos);
  EXPECT_EQ(outputChannel.pageCount, 4);  // each line forces a page of its own
}

TEST_F(OutputChannelTest, EnsureSpaceBreaksOnlyNearThePageEnd) {
  linesPerPage = 30;
  SetPageHeader("Titel", "1", "2", "3", "", 0);
  Begin(kChannelScreen);
  WritePageHeader(0, 0);
  while (outputChannel.lineCount < 20) WriteLine("x");
  EnsureSpace(0);
  EXPECT_EQ(outputChannel.pageCount, 1);
  WriteLine("x");
  EnsureSpace(0);
  EXPECT_EQ(outputChannel.pageCount, 2);
  EXPECT_EQ(outputChannel.lineCount, 10);  // 9 header lines and the empty line
  CloseOutput();
  EXPECT_EQ(Pages(ScreenLines()).size(), 2u);
}

TEST_F(OutputChannelTest, TabSeparatedOutputSkipsFramesAndCountsItsFiles) {
  model.infoText = {"Info 1", "Info 2", "Info 3"};
  SetColumnTitles("", "Zeichen", "Einheit", "min", "max");
  for (int run = 1; run <= 2; ++run) {
    SCOPED_TRACE(run);
    const std::string tab = "$$$" + std::to_string(run) + "_" + Pid() + ".txt";
    const std::string copy = "$$" + std::to_string(run) + "_" + Pid() + ".txt";
    Begin(kChannelTabFile);
    EXPECT_EQ(outputChannel.outputFile, temp_.File(tab));
    WritePageHeader(0, 0);
    WriteLine(DoubleRule());
    WriteLine("Kettenrad");
    WriteColumnTitles();
    WriteValueRow("zähnezahl", "z", "", "17");
    WriteTwoValueRow("da", "da", "mm", "1.0", "2.0");
    WritePageHeader(0, 1);  // headers only once
    CloseOutput();
    const std::string expected =
        "KV5   Triebstockverzahnung V1.1\t2026-12-10\t9:05\r\n" +
        RemoveBlanks(temp_.File("$$$" + std::to_string(run) + ".txt")) +
        "\r\nInfo 1\r\nInfo 2\r\nInfo 3\r\n \r\nKettenrad\r\n"
        "\tZeichen\tEinheit\tmin\tmax\r\nZähnezahl\tz\t\t17\r\nDa\tda\tmm\t1.0\t2.0\r\n";
    EXPECT_EQ(ReadFileBytes(temp_.File(tab)), expected);
    EXPECT_EQ(ReadFileBytes(temp_.File(copy)), expected);
    EXPECT_EQ(outputChannel.tabFileCounter, run);
  }
  EXPECT_EQ(FilesIn(temp_.path()).size(), 4u);
}

TEST_F(OutputChannelTest, HtmlOutputIsEscapedAndClosesItsTables) {
  htmlBrowser = "/bin/sh";
  SetPageHeader("T", "Rad <1> & Rad 2", "b", "c", "", 0);
  SetColumnTitles("", "Zeichen", "Einheit", "min", "max");
  Begin(kChannelHtml);
  const std::string file = temp_.File("kv5.htm");
  EXPECT_EQ(outputChannel.outputFile, file);
  WritePageHeader(0, 0);
  WriteValueRow("achsabstand", "a", "mm", "100.0");
  WriteLine("Fehler : z < 11 !");
  WriteLine(Rule());
  WriteTwoValueRow("da", "da", "mm", "1", "2");
  WriteColumnTitles();
  WriteTableLine("x > y");
  WriteRawLine("<p>markup</p>");
  CloseOutput();
  EXPECT_FALSE(abortFlag);
  const std::string expected =
      "<!-- " + RemoveBlanks(file) +
      " -->\r\n"
      "<HTML>\r\n"
      "<head><meta charset=\"utf-8\"><title>KV5   Triebstockverzahnung V1.1</title></head>\r\n"
      "<BODY BGCOLOR=\"C0C0C0\">\r\n"
      "<hr>\r\n"
      "<br><h4>KV5   Triebstockverzahnung V1.1</h4>\r\n"
      "<hr>\r\n"
      "<h5>Rad &lt;1&gt; &amp; Rad 2</h5>\r\n<h5>b</h5>\r\n<h5>c</h5>\r\n<h5></h5>\r\n"
      "<hr>\r\n"
      "<TABLE BORDER = \"2\" WIDTH= \"100%\">\r\n"
      "<TR><TD>Achsabstand</TD><TD>a</TD><TD>mm</TD><TD><DIV ALIGN=RIGHT>100.0</DIV></TD></TR>\r\n"
      "</TABLE>\r\n"
      "<br>Fehler : z &lt; 11 !\r\n"
      "<TABLE BORDER = \"2\" WIDTH= \"100%\">\r\n"
      "<TR><TD><CENTER></CENTER></TD><TD>Zeichen</TD><TD>Einheit</TD><TD>min</TD><TD>max</TD></"
      "TR>\r\n"
      "<TR><TD>Da</TD><TD>da</TD><TD>mm</TD><TD>1</TD><TD>2</TD></TR>\r\n"
      "</TABLE>\r\n"
      "<TABLE BORDER = \"2\" WIDTH= \"100%\">\r\n"
      "<TR><TD><CENTER></CENTER></TD><TD>Zeichen</TD><TD>Einheit</TD><TD>min</TD><TD>max</TD></"
      "TR>\r\n"
      "<TR><TD>x &gt; y</TD></TR>\r\n"
      "<p>markup</p>\r\n"
      "</TABLE>\r\n"
      "</BODY>\r\n"
      "</HTML>\r\n";
  EXPECT_EQ(ReadFileBytes(file), expected);
  ASSERT_EQ(platform_.StartedPrograms().size(), 1u);
  EXPECT_EQ(platform_.StartedPrograms()[0], "open " + file);
}

TEST_F(OutputChannelTest, HtmlLinesLongerThanTheConversionLimitSurvive) {
  transliterate = 1;
  const std::string label = "1" + std::string(300, 'x') + "ä";
  OpenOutput(kChannelHtml, "");  // save dialog: no browser configured
  ASSERT_TRUE(abortFlag);        // nobody answered
  abortFlag = false;
  platform_.QueueAnswer(work_.File("bericht.htm"));
  Begin(kChannelHtml);
  WriteValueRow(label, "", "", "");
  CloseOutput();
  EXPECT_NE(ReadFileBytes(work_.File("bericht.htm"))
                .find("<TR><TD>1" + std::string(300, 'x') + "ae</TD>"),
            std::string::npos);
  EXPECT_EQ(projectName, "demo");  // the dialog does not rename the project
  EXPECT_EQ(projectFolder, "/p/");
}

TEST_F(OutputChannelTest, ScreenChannelShowsOutwinAndRemovesItsWorkingFile) {
  Begin(kChannelScreen);
  EXPECT_EQ(outputChannel.outputFile, outputChannel.workingFile);
  EXPECT_EQ(outputChannel.outputFile, temp_.File("$OUT1_" + Pid() + ".TMP"));
  WriteLine("Größe");
  CloseOutput();
  EXPECT_EQ(Screen(), kIndent + "Größe\r\n");
  ASSERT_EQ(platform_.ShownTextFiles().size(), 1u);
  EXPECT_EQ(platform_.ShownTextFiles()[0].fileName, temp_.File("outwin.txt"));
  EXPECT_EQ(platform_.ShownTextFiles()[0].caption, "KV5    " + temp_.File("outwin.txt"));
  EXPECT_EQ(FilesIn(temp_.path()), std::vector<std::string>{"outwin.txt"});
}

TEST_F(OutputChannelTest, TextPrinterGetsSetupCodesAndCodePage850) {
  WriteFileBytes(work_.File("TEXT.HXP"), std::string("\x1b@\x00\xff", 4));
  printerPort = 2;
  platform_.QueueAnswer(false);  // no pause after each page
  Begin(kChannelTextPrinter);
  EXPECT_EQ(outputChannel.outputFile, temp_.File("LPT2.prn"));
  WriteLine("Größe");
  EndPage();
  WriteLine("b");
  CloseOutput();
  EXPECT_EQ(
      ReadFileBytes(temp_.File("LPT2.prn")),
      std::string("\x1b@\x00\xff", 4) + kIndent + "Gr\x94\xe1" + "e\r\n\f" + kIndent + "b\r\n");
  EXPECT_EQ(FilesIn(temp_.path()), std::vector<std::string>{"LPT2.prn"});

  setenv("KV5_PRINTER_DEVICE", work_.File("drucker").c_str(), 1);
  platform_.QueueAnswer(false);
  Begin(kChannelTextPrinter);
  WriteLine("c");
  CloseOutput();
  EXPECT_EQ(ReadFileBytes(work_.File("drucker")),
            std::string("\x1b@\x00\xff", 4) + kIndent + "c\r\n");
}

TEST_F(OutputChannelTest, TextPrinterPausesBeforeEachPage) {
  platform_.QueueAnswer(true);  // pause after each page
  platform_.QueueAnswer(true);  // first sheet inserted
  platform_.QueueAnswer(YesNoCancel::Cancel);
  Begin(kChannelTextPrinter);
  WritePageHeader(0, 0);
  EXPECT_FALSE(abortFlag);
  EndPage();
  WritePageHeader(0, 0);
  EXPECT_TRUE(abortFlag);
  CloseOutput();
  EXPECT_EQ(platform_.Questions().back(),
            "KV5   Triebstockverzahnung Blatt in Drucker einlegen.  Fortfahren ?");
  EXPECT_TRUE(FilesIn(temp_.path()).empty());  // nothing printed, nothing left
}

TEST_F(OutputChannelTest, TextFileChannelWritesTheChosenFileAndItsCopy) {
  showErrorBoxes = false;
  transliterate = 1;
  platform_.QueueAnswer(work_.File("bericht"));
  Begin(kChannelTextFile, "vorschlag.txt");
  EXPECT_EQ(outputChannel.outputFile, work_.File("bericht.txt"));
  WriteLine("Größe");
  CloseOutput();
  EXPECT_EQ(ReadFileBytes(work_.File("bericht.txt")), kIndent + "Größe\r\n");
  EXPECT_EQ(Screen(), kIndent + "Groesse\r\n");
  EXPECT_TRUE(showErrorBoxes);
  EXPECT_EQ(projectName, "demo");
  EXPECT_EQ(projectFolder, "/p/");
  EXPECT_EQ(FilesIn(temp_.path()), std::vector<std::string>{"outwin.txt"});
}

int PdfPages(const std::string& pdf) {
  std::regex page("/Type\\s*/Page[^s]");
  return static_cast<int>(
      std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), page), std::sregex_iterator()));
}

TEST_F(OutputChannelTest, PrinterChannelPrintsThePagesAsPdf) {
  linesPerPage = 20;
  SetPageHeader("Titel", "1", "2", "3", "", 0);
  Begin(kChannelPrinter);
  WritePageHeader(0, 0);
  for (int i = 0; i < 25; ++i) WriteLine("x");
  EndPage();
  CloseOutput();
  EXPECT_FALSE(abortFlag);
  std::string pdf = ReadFileBytes(temp_.File("demo.pdf"));
  ASSERT_EQ(pdf.rfind("%PDF", 0), 0u);
  EXPECT_EQ(PdfPages(pdf), 3);
  EXPECT_EQ(FilesIn(temp_.path()), std::vector<std::string>{"demo.pdf"});
}

TEST_F(OutputChannelTest, PrintTextFileCountsPagesAndPrintsTheRange) {
  const std::string file = work_.File("text.txt");
  WriteFileBytes(file, "a\r\n\f\r\nb\r\n\f       c\r\nd\r\n");
  EXPECT_EQ(CountPrintPages(file), 3);
  WriteFileBytes(work_.File("ende.txt"), "a\r\n\f");
  EXPECT_EQ(CountPrintPages(work_.File("ende.txt")), 1);
  EXPECT_TRUE(PrintTextFile(file, PrintOptions{2, 3, work_.File("teil.pdf")}));
  EXPECT_EQ(PdfPages(ReadFileBytes(work_.File("teil.pdf"))), 2);
  PrintTextFile(file);
  EXPECT_EQ(PdfPages(ReadFileBytes(work_.File("text.pdf"))), 3);
  EXPECT_FALSE(abortFlag);

  EXPECT_FALSE(PrintTextFile(work_.File("fehlt.txt"), PrintOptions{}));
  EXPECT_TRUE(abortFlag);
  ASSERT_EQ(platform_.Messages().size(), 1u);
  EXPECT_EQ(platform_.Messages()[0].text, work_.File("fehlt.txt") + " not found !");
}

TEST_F(OutputChannelTest, TextProgramChannelNeedsTheConfiguredProgram) {
  textProgram = work_.File("WRITE.EXE");
  Begin(kChannelTextProgram);
  WriteLine("a");
  CloseOutput();
  EXPECT_TRUE(abortFlag);
  ASSERT_EQ(platform_.Messages().size(), 1u);
  EXPECT_EQ(platform_.Messages()[0].text, work_.File("WRITE.EXE") + " not found");
  EXPECT_TRUE(FilesIn(temp_.path()).empty());

  abortFlag = false;
  textProgram = "sh";  // found on the search path
  Begin(kChannelTextProgram);
  WriteLine("a");
  CloseOutput();
  EXPECT_FALSE(abortFlag);
  EXPECT_EQ(Screen(), kIndent + "a\r\n");
  ASSERT_EQ(platform_.StartedPrograms().size(), 1u);
  EXPECT_EQ(platform_.StartedPrograms()[0], "open " + temp_.File("outwin.txt"));
  EXPECT_EQ(FilesIn(temp_.path()), std::vector<std::string>{"outwin.txt"});
}

TEST_F(OutputChannelTest, HtmlBrowserMissingKeepsTheFile) {
  htmlBrowser = work_.File("browser");
  Begin(kChannelHtml);
  WriteLine("a");
  CloseOutput();
  EXPECT_NE(ReadFileBytes(temp_.File("kv5.htm")).find("<br>a\r\n"), std::string::npos);
  ASSERT_EQ(platform_.Messages().size(), 1u);
  EXPECT_EQ(platform_.Messages()[0].text, work_.File("browser") + " not found");
  EXPECT_TRUE(platform_.StartedPrograms().empty());

  OpenOutput(kChannelHtml, "");  // the old file is only replaced when confirmed
  EXPECT_TRUE(abortFlag);
  EXPECT_NE(platform_.Questions().back().find("existiert bereits.   Überschreiben ?"),
            std::string::npos);
  EXPECT_EQ(FilesIn(temp_.path()), std::vector<std::string>{"kv5.htm"});
}

TEST_F(OutputChannelTest, DosFileChannelWritesCodePage850AndTheCopy) {
  showErrorBoxes = false;
  Begin(kChannelDosFile);
  WriteLine("Größe");
  CloseOutput();
  EXPECT_EQ(ReadFileBytes(temp_.File("OUTDOS.TXT")), kIndent + "Gr\x94\xe1" + "e\r\n");
  EXPECT_EQ(Screen(), kIndent + "Größe\r\n");
  EXPECT_TRUE(showErrorBoxes);
  EXPECT_EQ(FilesIn(temp_.path()), (std::vector<std::string>{"OUTDOS.TXT", "outwin.txt"}));
}

TEST_F(OutputChannelTest, BatchChannelWritesTheProjectTextInTheCurrentFolder) {
  Begin(kChannelBatchTabFile);
  WriteValueRow("teilung", "p", "mm", "12.7");
  CloseOutput();
  EXPECT_FALSE(abortFlag);
  EXPECT_EQ(ReadFileBytes(work_.File("demo.txt")), "Teilung\tp\tmm\t12.7\r\n");
  EXPECT_EQ(outputChannel.tabFileCounter, 1);
  EXPECT_TRUE(FilesIn(temp_.path()).empty());

  // A destination that cannot be created is reported; nothing is left.
  projectName = work_.File("fehlt/demo");
  Begin(kChannelBatchTabFile);
  WriteLine("x");
  CloseOutput();
  EXPECT_TRUE(abortFlag);
  ASSERT_EQ(platform_.Messages().size(), 1u);
  EXPECT_EQ(platform_.Messages()[0].text, "file write error");
  EXPECT_TRUE(FilesIn(temp_.path()).empty());
}

TEST_F(OutputChannelTest, ChannelQuestionChoosesTheKind) {
  askChannel = true;
  defaultChannel = 9;  // not offered: item 1 is preselected
  OpenOutput(0, "");
  EXPECT_TRUE(abortFlag);
  EXPECT_EQ(platform_.Questions().back(), "Ausgabe auf ..");
  EXPECT_TRUE(FilesIn(temp_.path()).empty());

  abortFlag = false;
  platform_.QueueAnswer(99);  // out of range: the preselected item
  OpenOutput(0, "");
  EXPECT_EQ(outputChannel.channel, kChannelScreen);
  platform_.QueueAnswer(6);  // the seventh item
  platform_.QueueAnswer(temp_.File("gewaehlt.htm"));
  OpenOutput(0, "");
  EXPECT_FALSE(abortFlag);
  EXPECT_EQ(outputChannel.channel, kChannelHtml);
  EXPECT_EQ(outputChannel.outputFile, temp_.File("gewaehlt.htm"));
  askChannel = false;
  defaultChannel = 6;
  OpenOutput(0, "");
  EXPECT_FALSE(abortFlag);
  EXPECT_EQ(outputChannel.channel, kChannelTabFile);
  DiscardOutput();
  EXPECT_TRUE(FilesIn(temp_.path()).empty());

  OpenOutput(kChannelListOnly, "");
  EXPECT_EQ(choiceItems[1], "Bildschirm");
  EXPECT_EQ(choiceItems[5], "externes Textprogramm");
  EXPECT_EQ(choiceItems[7], "HTML Datei");
  EXPECT_EQ(choiceItems[8], std::string(65, ' '));
  EXPECT_TRUE(FilesIn(temp_.path()).empty());
}

TEST_F(OutputChannelTest, CancelledOutputLeavesTheDestinationAsItWas) {
  WriteFileBytes(work_.File("alt.txt"), "alt\r\n");
  platform_.QueueAnswer(work_.File("alt.txt"));
  platform_.QueueAnswer(YesNoCancel::Yes);  // overwrite
  Begin(kChannelTextFile);
  WriteLine("neu");
  abortFlag = true;  // cancelled somewhere in the listing
  WriteLine("mehr");
  CloseOutput();
  EXPECT_EQ(ReadFileBytes(work_.File("alt.txt")), "alt\r\n");
  EXPECT_TRUE(FilesIn(temp_.path()).empty());
  EXPECT_EQ(FilesIn(work_.path()), std::vector<std::string>{"alt.txt"});

  // An output left unfinished is removed by the next one.
  abortFlag = false;
  Begin(kChannelScreen);
  WriteLine("halb");
  std::string abandoned = outputChannel.workingFile;
  ASSERT_TRUE(FileExists(abandoned));
  OpenOutput(kChannelTextFile, "");  // and its save dialog cancelled
  EXPECT_TRUE(abortFlag);
  EXPECT_FALSE(FileExists(abandoned));
  EXPECT_TRUE(FilesIn(temp_.path()).empty());
}

TEST_F(OutputChannelTest, FullDiskKeepsTheExistingFile) {
  const std::string previous = "der alte Bericht\r\n";
  WriteFileBytes(work_.File("bericht.txt"), previous);
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{2000, 2000};
    setrlimit(RLIMIT_FSIZE, &limit);
    platform_.QueueAnswer(work_.File("bericht.txt"));
    platform_.QueueAnswer(YesNoCancel::Yes);
    OpenOutput(kChannelTextFile, "");
    StartOutputFile();
    if (abortFlag) _exit(3);
    for (int i = 0; i < 500; ++i) WriteLine("eine Zeile, die über die Grenze hinausgeht");
    CloseOutput();
    bool reported =
        platform_.Messages().size() == 1 && platform_.Messages()[0].text == "Diskette/Platte voll";
    _exit(abortFlag && reported ? 1 : 2);
  }
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 1);
  EXPECT_EQ(ReadFileBytes(work_.File("bericht.txt")), previous);
  EXPECT_EQ(FilesIn(work_.path()), std::vector<std::string>{"bericht.txt"});
  EXPECT_TRUE(FilesIn(temp_.path()).empty());
}

// The working file is complete, but the destination does not fit: the old
// destination stays and neither new file is left.
TEST_F(OutputChannelTest, FailedDeliveryKeepsTheExistingFile) {
  const std::string previous = "alter Ausdruck\r\n";
  WriteFileBytes(temp_.File("LPT1.prn"), previous);
  WriteFileBytes(work_.File("TEXT.HXP"), std::string(3000, 'h'));
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{4000, 4000};
    setrlimit(RLIMIT_FSIZE, &limit);
    platform_.QueueAnswer(false);
    OpenOutput(kChannelTextPrinter, "");
    StartOutputFile();
    if (abortFlag) _exit(3);
    for (int i = 0; i < 100; ++i) WriteLine("Zeile " + std::to_string(i));  // 1700 bytes
    if (abortFlag) _exit(4);
    CloseOutput();
    bool reported =
        platform_.Messages().size() == 1 && platform_.Messages()[0].text == "Diskette/Platte voll";
    _exit(abortFlag && reported ? 1 : 2);
  }
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 1);
  EXPECT_EQ(ReadFileBytes(temp_.File("LPT1.prn")), previous);
  EXPECT_EQ(FilesIn(temp_.path()), std::vector<std::string>{"LPT1.prn"});
}

TEST_F(OutputChannelTest, WorkingNamesAreUnique) {
  MakeTempOutputName();
  std::string first = outputChannel.outputFile;
  MakeTempOutputName();
  std::string second = outputChannel.outputFile;
  EXPECT_NE(first, second);
  EXPECT_EQ(first, temp_.File("$OUT1_" + Pid() + ".TMP"));
  EXPECT_EQ(second, temp_.File("$OUT2_" + Pid() + ".TMP"));
  EXPECT_TRUE(FileExists(first));
  EXPECT_TRUE(FileExists(second));
  std::filesystem::remove(first);
  std::filesystem::remove(second);
}

// Two batch runs in the same folders at the same time: both wait until
// both have their working files open, then write and deliver.
TEST_F(OutputChannelTest, SimultaneousBatchRunsDoNotDisturbEachOther) {
  int ready[2], go[2];
  ASSERT_EQ(pipe(ready), 0);
  ASSERT_EQ(pipe(go), 0);
  const std::vector<std::string> names = {"eins", "zwei"};
  std::vector<pid_t> children;
  for (const std::string& name : names) {
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      projectName = name;
      OpenOutput(kChannelBatchTabFile, "");
      StartOutputFile();
      char c = 'r';
      if (write(ready[1], &c, 1) != 1 || read(go[0], &c, 1) != 1) _exit(3);
      for (int i = 0; i < 2000; ++i) WriteValueRow(name, "i", "", std::to_string(i));
      CloseOutput();
      _exit(abortFlag ? 1 : 0);
    }
    children.push_back(child);
  }
  char c;
  for (size_t i = 0; i < names.size(); ++i) ASSERT_EQ(read(ready[0], &c, 1), 1);
  ASSERT_EQ(write(go[1], "gg", 2), 2);
  for (pid_t child : children) {
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
  }
  for (int fd : {ready[0], ready[1], go[0], go[1]}) close(fd);
  for (const std::string& name : names) {
    std::string expected;
    for (int i = 0; i < 2000; ++i)
      expected += CapitalizeFirst(name) + "\ti\t\t" + std::to_string(i) + "\r\n";
    EXPECT_EQ(ReadFileBytes(work_.File(name + ".txt")), expected) << name;
  }
  EXPECT_TRUE(FilesIn(temp_.path()).empty());
}

}  // namespace
}  // namespace kv5
