#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include "model/drive_model.h"
#include "platform/platform.h"
#include "tests/dialog_test_platform.h"
#include "text/codepage.h"
#include "text/configuration.h"
#include "text/message_explanations.h"
#include "text/messages.h"
#include "text/output_channel.h"

namespace kv5 {
namespace {

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find("\r\n", start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

class MessageReportTest : public testing::DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    savedFolder_ = CurrentFolder();
    ASSERT_EQ(chdir(work_.path().c_str()), 0);
    tempFolder = temp_.path();
    pltFolder = plt_.path();
    projectName = "demo";
    outputChannel.headerTime = DateTime{2026, 12, 10, 9, 5, 0};
  }
  void TearDown() override {
    DialogTest::TearDown();
    EXPECT_EQ(chdir(savedFolder_.c_str()), 0);
  }
  void WriteExplanations(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) bytes += Utf8ToCp850(line) + "\r\n";
    testing::WriteFileBytes(ExplanationFileName(), bytes);
  }
  // The section written alone on `kind`; the lines of its file.
  std::vector<std::string> Section(int kind, const std::string& file) {
    OpenOutput(kind, "");
    StartOutputFile();
    WriteMessageSection();
    CloseOutput();
    return SplitLines(testing::ReadFileBytes(file));
  }
  testing::TempFolder temp_, work_, plt_;
  std::string savedFolder_;
};

const std::string kIndent(7, ' ');
const std::string kRule = kIndent + std::string(70, '-');
const std::string kDoubleRule = kIndent + std::string(70, '=');

TEST_F(MessageReportTest, SectionListsEveryMessageWithCauseAndRemedy) {
  WriteExplanations({"Warnung: a", "Ursache a", "Abhilfe a", "Fehler : b", "Ursache b", ""});
  EXPECT_EQ(Section(kChannelScreen, temp_.File("outwin.txt")), std::vector<std::string>{});
  AddMessage("Warnung: a");
  AddMessage("Fehler : b");
  AddMessage("Warnung: c");
  const std::vector<std::string> expected = {
      "",
      "",
      kIndent + "BEMERKUNGEN, WARNUNGEN, FEHLERMELDUNGEN",
      kDoubleRule,
      "",
      kRule,
      kIndent + "Warnung: a",
      kIndent + "Ursache a",
      kIndent + "Abhilfe a",
      kRule,
      kIndent + "Fehler : b",
      kIndent + "Ursache b",  // an empty remedy writes no line
      kRule,
      kIndent + "Warnung: c",
      kIndent + kNoExplanation,
      kRule,
  };
  EXPECT_EQ(Section(kChannelScreen, temp_.File("outwin.txt")), expected);

  // Without the explanation file only the messages remain.
  pltFolder = temp_.File("fehlt/");
  std::vector<std::string> bare = Section(kChannelScreen, temp_.File("outwin.txt"));
  ASSERT_EQ(bare.size(), 12u);
  EXPECT_EQ(bare[6], kIndent + "Warnung: a");
  EXPECT_EQ(bare[7], kRule);
}

TEST_F(MessageReportTest, LongTextsAreWrappedAt64AndWrittenWhole) {
  const std::string cause72 = std::string(40, 'a') + " " + std::string(31, 'b');
  const std::string cause73 = std::string(40, 'a') + " " + std::string(32, 'b');
  // Eight pieces: more than the wrap buffer's five lines.
  std::string remedy;
  for (int i = 0; i < 8; ++i) remedy += std::string(60, static_cast<char>('k' + i)) + " ";
  WriteExplanations({"M 72", cause72, "", "M 73", cause73, remedy});
  AddMessage("M 72");
  AddMessage("M 73");
  std::vector<std::string> lines = Section(kChannelScreen, temp_.File("outwin.txt"));
  std::vector<std::string> expected = {kIndent + "M 72",
                                       kIndent + cause72,
                                       kRule,
                                       kIndent + "M 73",
                                       kIndent + std::string(40, 'a') + " ",
                                       kIndent + std::string(32, 'b')};
  for (int i = 0; i < 8; ++i)
    expected.push_back(kIndent + std::string(60, static_cast<char>('k' + i)) + " ");
  expected.push_back(kRule);
  EXPECT_EQ(std::vector<std::string>(lines.begin() + 6, lines.end()), expected);
}

TEST_F(MessageReportTest, TabSeparatedChannelsWriteOneLinePerMessage) {
  WriteExplanations({"Warnung: a", "Ursache a " + std::string(80, 'x'), "Abhilfe a"});
  AddMessage("Warnung: a");
  AddMessage("Warnung: b");
  outputChannel.pageHeader = {};
  std::vector<std::string> lines = Section(kChannelBatchTabFile, work_.File("demo.txt"));
  EXPECT_EQ(lines, (std::vector<std::string>{
                       "",
                       "",
                       "BEMERKUNGEN, WARNUNGEN, FEHLERMELDUNGEN",
                       "Warnung: a\tUrsache a " + std::string(80, 'x') + "\tAbhilfe a",
                       std::string("Warnung: b\t") + kNoExplanation + "\t",
                   }));
}

TEST_F(MessageReportTest, HtmlPutsEachMessageInItsOwnTable) {
  htmlBrowser = "/bin/sh";
  WriteExplanations({"Warnung: a", "Ursache a " + std::string(80, 'x'), "Abhilfe a"});
  AddMessage("Warnung: a");
  AddMessage("Warnung: b");
  std::string html;
  for (const std::string& line : Section(kChannelHtml, temp_.File("kv5.htm"))) html += line + "\n";
  const std::string open = "<TABLE BORDER = \"2\" WIDTH= \"100%\">\n";
  const std::string expected = open + "<TR><TD>Warnung: a</TD></TR>\n<TR><TD>Ursache a " +
                               std::string(80, 'x') +
                               "</TD></TR>\n<TR><TD>Abhilfe a</TD></TR>\n</TABLE>\n<br>\n" + open +
                               "<TR><TD>Warnung: b</TD></TR>\n<TR><TD>" + kNoExplanation +
                               "</TD></TR>\n</TABLE>\n<br>\n" + open + "</TABLE>\n";
  EXPECT_NE(html.find(expected), std::string::npos) << html;
  EXPECT_EQ(html.find(std::string(70, '-')), std::string::npos);
}

TEST_F(MessageReportTest, FrameStyleFourWritesNoRuleBetweenMessages) {
  frameStyle = 4;
  AddMessage("Warnung: a");
  AddMessage("Warnung: b");
  std::vector<std::string> lines = Section(kChannelScreen, temp_.File("outwin.txt"));
  // The messages follow one another without a rule between them.
  auto first = std::find(lines.begin(), lines.end(), kIndent + "Warnung: a");
  ASSERT_NE(first, lines.end());
  ASSERT_NE(first + 1, lines.end());
  EXPECT_EQ(*(first + 1), kIndent + "Warnung: b");
}

TEST_F(MessageReportTest, MessageReportShowsTheSectionOnTheScreen) {
  ShowMessageReport();
  EXPECT_EQ(dialogs_.BoxTexts(), std::vector<std::string>{kNoMessagesText});
  EXPECT_TRUE(dialogs_.ShownTextFiles().empty());

  dialogs_.ClearLog();
  model.infoText = {"Projekt X", "Kunde Y", ""};
  WriteExplanations({"Warnung: a", "Ursache a", "Abhilfe a"});
  AddMessage("Warnung: a");
  abortFlag = true;  // left over from an earlier command
  ShowMessageReport();
  EXPECT_FALSE(abortFlag);
  ASSERT_EQ(dialogs_.ShownTextFiles().size(), 1u);
  const std::string screen = testing::ReadFileBytes(temp_.File("outwin.txt"));
  for (const char* piece : {"KV5 V1.1", "Bl. 1/ 1", "Error Messages", "Projekt X", "Kunde Y",
                            "BEMERKUNGEN, WARNUNGEN, FEHLERMELDUNGEN", "Ursache a", "Abhilfe a"})
    EXPECT_NE(screen.find(piece), std::string::npos) << piece << "\n" << screen;
}

TEST_F(MessageReportTest, AfterAFailedCalculationTheListIsShownInstead) {
  AddMessage("Fatal  : z1 = 0 !");
  calcFailed = true;
  ShowMessageReport();  // no person: the list becomes one box per message
  EXPECT_EQ(dialogs_.BoxTexts(), std::vector<std::string>{"Fatal  : z1 = 0 !"});
  EXPECT_TRUE(dialogs_.ShownTextFiles().empty());
}

}  // namespace
}  // namespace kv5
