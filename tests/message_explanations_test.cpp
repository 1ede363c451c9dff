#include "text/message_explanations.h"

#include <vector>

#include "app/core/command_line.h"
#include "dialogs/choice_dialogs.h"
#include "model/drive_model.h"
#include "tests/dialog_test_platform.h"
#include "text/codepage.h"
#include "text/configuration.h"
#include "text/messages.h"

namespace kv5 {
namespace {

// An explanation file as the program keeps it: code page 850, CR LF.
std::string FileBytes(const std::vector<std::string>& lines) {
  std::string bytes;
  for (const std::string& line : lines) bytes += Utf8ToCp850(line) + "\r\n";
  return bytes;
}

// A stray first line (records need not start at line 1), two records whose
// messages agree in 14 characters, a short message, an umlaut, and a
// message on the very last line.
const std::vector<std::string> kFixture = {
    "KV5 Erklärungen",     "Fehler : SB < 7 ! (<v>)", "Bruchsicherheit zu klein.",
    "d2 vergrößern.",      "Fehler : DXF: MTEXT",     "Absatztext im Block.",
    "Text auflösen.",      "Fehler : DXF: HATCH",     "Schraffur im Block.",
    "Schraffur auflösen.", "Fatal  : pg=0!",          "Keine Last.",
    "P eintragen.",        "ungültige ISO-Toleranz",  "Klasse falsch.",
    "h11 angeben.",        "Warnung: am Ende",
};

class ExplanationTest : public testing::DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    pltFolder = folder_.path();
    WriteFixture(kFixture);
  }
  void WriteFixture(const std::vector<std::string>& lines) {
    testing::WriteFileBytes(ExplanationFileName(), FileBytes(lines));
  }
  std::string FileNow() const { return testing::ReadFileBytes(ExplanationFileName()); }
  // kFixture with line `at` (0-based) replaced.
  static std::vector<std::string> FixtureWith(
      std::initializer_list<std::pair<size_t, std::string>> changes) {
    std::vector<std::string> lines = kFixture;
    for (const auto& [at, text] : changes) lines[at] = text;
    return lines;
  }
  testing::TempFolder folder_;
};

TEST_F(ExplanationTest, FileNameIsInThePlotFolder) {
  pltFolder = "/opt/kv5/plt";
  EXPECT_EQ(ExplanationFileName(), "/opt/kv5/plt/kv5.err");
  pltFolder = "/opt/kv5/plt/";
  EXPECT_EQ(ExplanationFileName(), "/opt/kv5/plt/kv5.err");
  pltFolder = "";
  EXPECT_EQ(ExplanationFileName(), "kv5.err");
}

TEST_F(ExplanationTest, LookUpComparesTheFirstFifteenCharacters) {
  struct Case {
    const char* message;
    const char* cause;
    const char* remedy;
  };
  const Case cases[] = {
      {"Fehler : SB < 7 ! (6.8)", "Bruchsicherheit zu klein.", "d2 vergrößern."},
      {"Fehler : SB < 7", "Bruchsicherheit zu klein.", "d2 vergrößern."},
      {"Fehler : SB < 8 ! (6.8)", kNoExplanation, ""},
      {"fehler : SB < 7 ! (6.8)", kNoExplanation, ""},  // case counts
      {"Fatal  : pg=0!", "Keine Last.", "P eintragen."},
      {"Fatal  : pg=0", kNoExplanation, ""},  // shorter texts compare whole
      {"Fehler : DXF: HATCH", "Schraffur im Block.", "Schraffur auflösen."},
      {"Fehler : DXF: MULTILEADER", "Absatztext im Block.", "Text auflösen."},
      {"ungültige ISO-Toleranz", "Klasse falsch.", "h11 angeben."},
      {"Warnung: am Ende", kNoExplanation, ""},  // the last line has no cause
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    ClearMessages();
    AddMessage(c.message);
    EXPECT_EQ(MessageCause(1), c.cause);
    EXPECT_EQ(MessageRemedy(1), c.remedy);
  }
}

TEST_F(ExplanationTest, MissingFileOrMessageGivesEmptyTexts) {
  AddMessage("Fehler : SB < 7 ! (6.8)");
  EXPECT_EQ(MessageCause(2), "");  // no second message
  EXPECT_EQ(MessageCause(0), "");
  ResetMessages();  // the text stays behind but is not listed
  EXPECT_EQ(MessageCause(1), "");
  AddMessage("Fehler : SB < 7 ! (6.8)");
  pltFolder = folder_.File("missing/");
  EXPECT_EQ(MessageCause(1), "");
  EXPECT_EQ(MessageRemedy(1), "");
  EXPECT_FALSE(abortFlag);
}

TEST_F(ExplanationTest, RecordWithoutRemedyLineGivesAnEmptyRemedy) {
  WriteFixture({"Warnung: kurz", "nur Ursache"});
  AddMessage("Warnung: kurz");
  EXPECT_EQ(MessageCause(1), "nur Ursache");
  EXPECT_EQ(MessageRemedy(1), "");
}

TEST_F(ExplanationTest, ExplainShowsTheRecordAndLeavesAnUnchangedFileAlone) {
  AddMessage("Fehler : SB < 7 ! (6.8)");
  const std::string before = FileNow();
  dialogs_.QueueAnswer(ScriptedCancel{});  // closed without a change
  ExplainMessage(1);
  ASSERT_EQ(dialogs_.explanations.size(), 1u);
  EXPECT_EQ(dialogs_.explanations[0].message, "Fehler : SB < 7 ! (6.8)");
  EXPECT_EQ(dialogs_.explanations[0].cause, "Bruchsicherheit zu klein.");
  EXPECT_EQ(dialogs_.explanations[0].remedy, "d2 vergrößern.");
  EXPECT_EQ(currentHelpTopic, 1970);
  EXPECT_TRUE(dialogs_.Questions().size() == 1u);  // no "Save Changes ?"
  EXPECT_FALSE(abortFlag);
  EXPECT_EQ(FileNow(), before);
}

TEST_F(ExplanationTest, ExplainWithoutFileOrRecord) {
  AddMessage("Fehler : SB < 8 !");
  ExplainMessage(1);
  EXPECT_TRUE(dialogs_.explanations.empty());
  ASSERT_EQ(dialogs_.Messages().size(), 1u);
  EXPECT_EQ(dialogs_.Messages()[0].caption, "Meldung");
  EXPECT_EQ(dialogs_.Messages()[0].text, kNoExplanation);
  EXPECT_FALSE(abortFlag);

  dialogs_.ClearLog();
  pltFolder = folder_.File("nowhere/");
  ExplainMessage(1);
  EXPECT_TRUE(dialogs_.explanations.empty());
  EXPECT_EQ(dialogs_.BoxTexts(),
            (std::vector<std::string>{"Datei " + folder_.File("nowhere/kv5.err") +
                                      " nicht gefunden oder kein Zugriffsrecht !"}));
  EXPECT_TRUE(abortFlag);
}

TEST_F(ExplanationTest, EditedTextsAreSavedOnlyAfterYes) {
  AddMessage("Fatal  : pg=0!");
  const std::string before = FileNow();
  const ExplanationTexts edit{"Keine Kraft\r\nam Bolzen.", "KA prüfen."};

  dialogs_.QueueAnswer(edit);
  dialogs_.QueueAnswer(YesNoCancel::No);
  ExplainMessage(1);
  EXPECT_EQ(FileNow(), before);
  EXPECT_FALSE(abortFlag);

  dialogs_.QueueAnswer(edit);
  dialogs_.QueueAnswer(YesNoCancel::Cancel);
  ExplainMessage(1);
  EXPECT_EQ(FileNow(), before);
  EXPECT_TRUE(abortFlag);

  abortFlag = false;
  dialogs_.QueueAnswer(edit);
  dialogs_.QueueAnswer(YesNoCancel::Yes);
  ExplainMessage(1);
  EXPECT_FALSE(abortFlag);
  EXPECT_NE(dialogs_.Questions().back().find("Save Changes ?"), std::string::npos);
  // Only the two lines of the record change; the line break became a blank.
  EXPECT_EQ(FileNow(),
            FileBytes(FixtureWith({{11, "Keine Kraft am Bolzen."}, {12, "KA prüfen."}})));
  EXPECT_EQ(MessageCause(1), "Keine Kraft am Bolzen.");
}

TEST_F(ExplanationTest, SaveUpdatesTheRecordTheLookUpFinds) {
  // The two DXF records agree in their first 14 characters.
  SaveExplanation("Fehler : DXF: HATCH", "neu", "neuer");
  EXPECT_EQ(FileNow(), FileBytes(FixtureWith({{8, "neu"}, {9, "neuer"}})));
  SaveExplanation("Fehler : DXF: MTEXT", "alt", "älter");
  EXPECT_EQ(FileNow(),
            FileBytes(FixtureWith({{5, "alt"}, {6, "älter"}, {8, "neu"}, {9, "neuer"}})));
  EXPECT_TRUE(dialogs_.Messages().empty());
}

TEST_F(ExplanationTest, SaveRefusesUnknownMessagesAndOverlongTexts) {
  const std::string before = FileNow();
  SaveExplanation("Fehler : SB < 8 !", "x", "y");
  SaveExplanation("Warnung: am Ende", "x", "y");
  SaveExplanation("Fatal  : pg=0!", std::string(255, 'u'), "y");
  SaveExplanation("Fatal  : pg=0!", "x", std::string(255, 'a'));
  EXPECT_EQ(FileNow(), before);
  EXPECT_EQ(dialogs_.BoxTexts(),
            (std::vector<std::string>{"Fehler : SB < 8 ! not found.", "Warnung: am Ende not found.",
                                      "Ursache und Abhilfe höchstens 254 Zeichen !",
                                      "Ursache und Abhilfe höchstens 254 Zeichen !"}));

  // 254 characters, umlauts counted as one each, still fit.
  std::string longest = std::string(250, 'a') + "äöüß";
  SaveExplanation("Fatal  : pg=0!", longest, "y");
  AddMessage("Fatal  : pg=0!");
  EXPECT_EQ(MessageCause(1), longest);
}

TEST_F(ExplanationTest, SaveKeepsTheFileInTheEncodingItsTextsNeed) {
  // A file edited as UTF-8 keeps its "€" when another record is saved.
  const std::string utf8 =
      "Warnung: Preis\r\nKosten über 100 €\r\nbilliger\r\n"
      "Fatal  : z1 = 0 !\r\nalt\r\nalt\r\n";
  testing::WriteFileBytes(ExplanationFileName(), utf8);
  SaveExplanation("Fatal  : z1 = 0 !", "Zähnezahl fehlt", "z1 eingeben");
  EXPECT_EQ(FileNow(),
            "Warnung: Preis\r\nKosten über 100 €\r\nbilliger\r\n"
            "Fatal  : z1 = 0 !\r\nZähnezahl fehlt\r\nz1 eingeben\r\n");
  // A message that code page 850 cannot hold (found by fuzzing) is found
  // again after its explanation was saved.
  const std::string odd = "# Sour&ce of\xEF\xBB\xBF the message";
  testing::WriteFileBytes(ExplanationFileName(), odd + "\r\n\r\n\r\n");
  SaveExplanation(odd, "Ursache", "Abhilfe");
  AddMessage(odd);
  EXPECT_EQ(MessageCause(1), "Ursache");
  // A typed "€" that code page 850 has no place for turns the file into UTF-8
  // rather than losing it.
  WriteFixture({"Warnung: kurz", "x", "y"});
  SaveExplanation("Warnung: kurz", "Kosten in €", "Abhilfe");
  AddMessage("Warnung: kurz");
  EXPECT_EQ(MessageCause(2), "Kosten in €");
  // A code page 850 file stays one: "ä" is the byte 0x84.
  WriteFixture({"Warnung: kurz", "x", "y"});
  SaveExplanation("Warnung: kurz", "Ursache ä", "Abhilfe");
  EXPECT_EQ(FileNow(), "Warnung: kurz\r\nUrsache \x84\r\nAbhilfe\r\n");
  EXPECT_TRUE(dialogs_.Messages().empty());
}

TEST_F(ExplanationTest, SaveAppendsAMissingRemedyLine) {
  WriteFixture({"Warnung: kurz", "nur Ursache"});
  SaveExplanation("Warnung: kurz", "Ursache", "Abhilfe");
  EXPECT_EQ(FileNow(), FileBytes({"Warnung: kurz", "Ursache", "Abhilfe"}));
}

// --- The message list window ---

class MessageListTest : public ExplanationTest {
 protected:
  void SetUp() override {
    ExplanationTest::SetUp();
    dialogs_.interactive = true;
  }
  void AddMessages(int count) {
    for (int i = 1; i <= count; ++i) AddMessage("Warnung: " + std::to_string(i));
  }
};

TEST_F(MessageListTest, NoGuiShowsNothingEvenAfterAFailedCalculation) {
  commandLineParameters = {"test.kv5", "/nogui"};
  AddMessage("Fatal  : z1 = 0 !");
  calcFailed = true;
  for (bool person : {true, false}) {
    dialogs_.interactive = person;
    ShowMessageList();
  }
  EXPECT_TRUE(dialogs_.Messages().empty());
  EXPECT_TRUE(dialogs_.Questions().empty());
}

TEST_F(MessageListTest, WithoutMessagesOrWithoutAPerson) {
  ShowMessageList();
  EXPECT_EQ(dialogs_.BoxTexts(), (std::vector<std::string>{kNoMessagesText}));

  dialogs_.ClearLog();
  dialogs_.interactive = false;  // a batch run
  AddMessage("Fatal  : z1 = 0 !");
  AddMessage("Warnung: z > 120 !");
  ShowMessageList();
  EXPECT_EQ(dialogs_.BoxTexts(),
            (std::vector<std::string>{"Fatal  : z1 = 0 !", "Warnung: z > 120 !"}));
  EXPECT_TRUE(dialogs_.Questions().empty());
}

TEST_F(MessageListTest, SixMessagesAreRadioButtonsSevenAList) {
  AddMessages(6);
  ShowMessageList();
  AddMessage("Warnung: 7");
  ShowMessageList();
  ASSERT_EQ(dialogs_.choices.size(), 2u);
  EXPECT_EQ(dialogs_.choices[0].style, ChoiceStyle::RadioButtons);
  EXPECT_EQ(dialogs_.choices[0].items.size(), 7u);
  EXPECT_EQ(dialogs_.choices[0].title, kMessageListTitle);
  EXPECT_EQ(dialogs_.choices[0].items[0], "Warnung: 1");
  EXPECT_EQ(dialogs_.choices[0].items[6], kMessageListLeave);
  EXPECT_EQ(dialogs_.choices[1].style, ChoiceStyle::List);
  EXPECT_EQ(dialogs_.choices[1].items.size(), 8u);
}

TEST_F(MessageListTest, HelpLevelDecidesTheStartingEntry) {
  AddMessages(3);
  helpLevel = 1;
  dialogs_.QueueAnswer(3);  // Enter on the preselected "Weiter/zurück..."
  ShowMessageList();
  ASSERT_EQ(dialogs_.choices.size(), 1u);
  EXPECT_EQ(dialogs_.choices[0].preselected, 3);
  EXPECT_TRUE(dialogs_.explanations.empty());
  EXPECT_FALSE(abortFlag);

  helpLevel = 2;
  ShowMessageList();
  EXPECT_EQ(dialogs_.choices[1].preselected, 0);
}

TEST_F(MessageListTest, WalksThroughTheExplanationsAndClosesAfterTheLast) {
  WriteFixture({"Warnung: 1", "U1", "A1", "Warnung: 2", "U2", "A2", "Warnung: 3", "U3", "A3"});
  AddMessages(3);
  dialogs_.QueueAnswer(1);                 // pick message 2
  dialogs_.QueueAnswer(ScriptedCancel{});  // its window closed unchanged
  dialogs_.QueueAnswer(2);                 // the list again, now on message 3
  dialogs_.QueueAnswer(ScriptedCancel{});
  ShowMessageList();
  ASSERT_EQ(dialogs_.choices.size(), 2u);
  EXPECT_EQ(dialogs_.choices[1].preselected, 2);
  ASSERT_EQ(dialogs_.explanations.size(), 2u);
  EXPECT_EQ(dialogs_.explanations[0].cause, "U2");
  EXPECT_EQ(dialogs_.explanations[1].remedy, "A3");
  EXPECT_EQ(dialogs_.PendingAnswers(), 0u);  // not shown again after the last
  EXPECT_FALSE(abortFlag);
}

TEST_F(MessageListTest, CancelOrAMissingFileEndsTheList) {
  AddMessages(2);
  ShowMessageList();  // nothing queued: the list is cancelled
  EXPECT_EQ(dialogs_.choices.size(), 1u);
  EXPECT_TRUE(abortFlag);

  pltFolder = folder_.File("nowhere/");
  dialogs_.choices.clear();
  dialogs_.QueueAnswer(0);
  dialogs_.QueueAnswer(1);  // would be the next choice
  ShowMessageList();
  EXPECT_EQ(dialogs_.choices.size(), 1u);
  EXPECT_EQ(dialogs_.PendingAnswers(), 1u);
  EXPECT_TRUE(abortFlag);
}

}  // namespace
}  // namespace kv5
