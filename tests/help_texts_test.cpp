#include "graphics/help_texts.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/core/help_menu.h"
#include "dialogs/choice_dialogs.h"
#include "dialogs/geometry_dialog.h"
#include "dialogs/load_dialog.h"
#include "graphics/graphics_window.h"
#include "graphics/help_file_source.h"
#include "model/drive_model.h"
#include "tests/test_support.h"
#include "text/configuration.h"

namespace kv5 {
namespace {

using testing::TempFolder;
using testing::WriteFileBytes;

class HelpTextsTest : public testing::ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    pltFolder = folder_.path();
  }
  void WriteHelp(const std::string& name, const std::string& lines) {
    WriteFileBytes(folder_.File(name), lines);
  }
  bool HasLine(const std::string& record) const {
    for (const std::string& r : graphicsWindow.displayList)
      if (r == record) return true;
    return false;
  }
  TempFolder folder_;
};

// The topic of the example: header with picture, two numbered pairs, and
// the next topic's header at 3005.
const char* const kChangeTopic =
    "2995\r\nVorher\r\n"
    "3000:bild\r\nErste Zeile\r\n3001\r\nZweite Zeile\r\n3002\r\nDritte Zeile\r\n"
    "3005\r\nNicht mehr\r\n";

TEST_F(HelpTextsTest, HeaderWithPictureAndNumberedPairs) {
  WriteHelp("kelmaro.hlp", kChangeTopic);
  WriteHelp("bild.plt", "SP1;PU0,0;PD400,400;");
  const HelpTopic topic = LookUpHelpTopic(3000);
  EXPECT_TRUE(topic.found);
  EXPECT_TRUE(topic.endedAtNextTopic);
  EXPECT_EQ(topic.picture, "bild");
  EXPECT_EQ(topic.lines,
            (std::array<std::string, 5>{"Erste Zeile", "Zweite Zeile", "Dritte Zeile", "", ""}));

  graphicsWindow.displayList = {"4;1;1;2;2"};
  abortFlag = true;
  ShowHelp(3000, 0);
  ASSERT_EQ(platform_.Messages().size(), 1u);
  EXPECT_EQ(platform_.Messages()[0].caption, "HILFETEXT Nr.3000");
  EXPECT_EQ(platform_.Messages()[0].text, "Erste Zeile Zweite Zeile Dritte Zeile   ");
  // The window was cleared, set to the picture area and shows the picture.
  EXPECT_FALSE(HasLine("4;1;1;2;2"));
  EXPECT_TRUE(HasLine("4;0;0;10;10"));
  EXPECT_EQ(graphicsWindow.mapping.limits, (WorldRect{0, 0, 160, 120}));
  EXPECT_FALSE(abortFlag);
}

TEST_F(HelpTextsTest, PairsOfOtherNumbersAndPlainLines) {
  WriteHelp("kelmaro.hlp",
            "1050\nText\nweiter ohne Nummer\n1053\nfalsche Stelle\nnoch eine\n"
            "1055:x\nNächstes Thema\n");
  const HelpTopic topic = LookUpHelpTopic(1050);
  // The plain line is line 2; the pair 1053 sits where 1052 is read and
  // stays empty; the last plain line fills line 4.
  EXPECT_EQ(topic.lines,
            (std::array<std::string, 5>{"Text", "weiter ohne Nummer", "", "noch eine", ""}));
  EXPECT_EQ(topic.picture, "NULL");
  EXPECT_TRUE(topic.endedAtNextTopic);
  // A negative topic finds no plain line.
  EXPECT_FALSE(LookUpHelpTopic(-1).found);
  // A numbered line's text is never taken as a header while searching.
  WriteHelp("kelmaro.hlp", "1000\n1005 ist kein Thema\n1010\nZehn\n");
  EXPECT_EQ(LookUpHelpTopic(1005).lines[0], "Hilfetext Nr 1005: keine Hilfe vorhanden.");
  EXPECT_EQ(LookUpHelpTopic(1010).lines[0], "Zehn");
  // Leading blanks of a number are allowed.
  WriteHelp("kelmaro.hlp", "  20:p\nZwanzig\n");
  EXPECT_EQ(LookUpHelpTopic(20).lines[0], "Zwanzig");
  EXPECT_EQ(LookUpHelpTopic(20).picture, "p");
}

TEST_F(HelpTextsTest, TopicAtTheEndOfTheFile) {
  WriteHelp("kelmaro.hlp", "3020\nBlätter\n3021");
  const HelpTopic topic = LookUpHelpTopic(3020);
  EXPECT_EQ(topic.lines[0], "Blätter");
  EXPECT_FALSE(topic.endedAtNextTopic);
  // A header as the very last line has no text: the topic is missing.
  WriteHelp("kelmaro.hlp", "3020");
  EXPECT_FALSE(LookUpHelpTopic(3020).found);
}

TEST_F(HelpTextsTest, MissingFileAndMissingTopic) {
  ShowHelp(1090, 1);
  ASSERT_EQ(platform_.Messages().size(), 1u);
  EXPECT_EQ(platform_.Messages()[0].text,
            "Datei " + folder_.File("kelmaro.hlp") + " nicht gefunden ! " + "    ");

  WriteHelp("kelmaro.hlp", kChangeTopic);
  platform_.ClearLog();
  ShowHelp(1090, 0);
  // The text of the missing topic, then the picture "null", which is not there.
  ASSERT_EQ(platform_.Messages().size(), 2u);
  EXPECT_EQ(platform_.Messages()[0].text, "Hilfetext Nr 1090: keine Hilfe vorhanden.     ");
  EXPECT_EQ(platform_.Messages()[1].text, folder_.File("null.plt") + " nicht gefunden !");
  EXPECT_FALSE(abortFlag);

  WriteHelp("null.plt", "SP1;PU0,0;PD40,0;");
  platform_.ClearLog();
  ShowHelp(1090, 0);
  EXPECT_EQ(platform_.Messages().size(), 1u);
  EXPECT_TRUE(HasLine("4;0;0;1;0"));
}

TEST_F(HelpTextsTest, TopicZeroAndModes) {
  WriteHelp("kelmaro.hlp", kChangeTopic);
  WriteHelp("bild.plt", "SP1;PU0,0;PD400,400;");
  SetHelpTopic(3000);
  const struct {
    int mode;
    bool box;
    bool picture;
  } cases[] = {{0, true, true}, {1, true, false}, {2, false, true},
               {3, true, true}, {7, true, true},  {-1, true, true}};
  for (const auto& c : cases) {
    platform_.ClearLog();
    GrClear();
    ShowHelp(0, c.mode);
    EXPECT_EQ(platform_.Messages().size(), c.box ? 1u : 0u) << c.mode;
    if (c.box) {
      EXPECT_EQ(platform_.Messages()[0].caption, "HILFETEXT Nr.3000") << c.mode;
    }
    EXPECT_EQ(HasLine("4;0;0;10;10"), c.picture) << c.mode;
  }
}

TEST_F(HelpTextsTest, HintTexts) {
  WriteHelp("kelmaro.hlp",
            "2710\nProgramm des Dokuments\n2715\nAnderes\n2720\nDatei\nzweite Zeile\n");
  EXPECT_EQ(HintText(2710), "Programm des Dokuments    ");
  helpLevel = 2;
  EXPECT_EQ(HintText(2710), "Programm des Dokuments (2710)    ");
  // The last topic of the file does not end at a next header.
  EXPECT_EQ(HintText(2720), "Datei zweite Zeile   ");
  EXPECT_EQ(HintText(2730), "Hilfetext Nr 2730: keine Hilfe vorhanden.    ");
  SetHelpTopic(2715);
  EXPECT_EQ(HintText(0), "Anderes (2715)    ");
}

TEST_F(HelpTextsTest, TopicsFrom4000AreTheProgramsOwnFile) {
  EXPECT_EQ(HelpFileName(3999), folder_.File("kelmaro.hlp"));
  EXPECT_EQ(HelpFileName(4000), folder_.File("kv5.hlp"));
  WriteHelp("kelmaro.hlp", "4120\nfalsche Datei\n");
  WriteHelp("kv5.hlp", "4120\nAnwendungsfaktor\n");
  EXPECT_EQ(LookUpHelpTopic(4120).lines[0], "Anwendungsfaktor");
}

TEST_F(HelpTextsTest, TextsInCodePage850) {
  WriteHelp("kelmaro.hlp", "1060\nDruckerpause f\x81r Bl\x84tter, 90\xF8\n");
  EXPECT_EQ(LookUpHelpTopic(1060).lines[0], "Druckerpause für Blätter, 90°");
}

TEST_F(HelpTextsTest, SourceChecksOfTheBuild) {
  const struct {
    const char* source;
    const char* fault;  // nullptr: no fault
  } cases[] = {
      {"1050:bild\nText\n1051\nzwei\nplain\n", nullptr},
      {"1051\nText\n", "topic header expected"},
      {"1050\nText\n1052\nzwei\n", "number 1052 where 1051 is read"},
      {"1050\neins\nzwei\ndrei\nvier\nfünf\nsechs\n", "more than five text lines"},
      {"1050\nText\n1050\nwieder\n", "topic 1050 twice"},
      {"1050\n", "topic without text"},
      {"1050:Bild\nText\n", "picture name"},
      {"1050:fehlt\nText\n", "picture fehlt.plt missing"},
      {"1050\nText \xE2\x82\xAC\n", "character outside code page 850"},
  };
  WriteHelp("bild.plt", "SP1;");
  for (const auto& c : cases) {
    const HelpSource source = ParseHelpSource(c.source, folder_.path());
    if (!c.fault) {
      EXPECT_TRUE(source.errors.empty()) << c.source << ": " << source.errors.at(0);
      continue;
    }
    ASSERT_FALSE(source.errors.empty()) << c.source;
    EXPECT_NE(source.errors[0].find(c.fault), std::string::npos) << source.errors[0];
  }
  EXPECT_EQ(HelpFileBytes("1050\nGrö\xC3\x9F"
                          "e\n"),
            "1050\r\nGr\x94\xE1"
            "e\r\n");
}

// Every topic the program asks for, in the delivered files of the build.
TEST_F(HelpTextsTest, DeliveredFilesHoldEveryTopicAndPicture) {
  pltFolder = KV5_BUILD_DATA_DIR;
  const int topics[] = {1050,
                        1060,
                        1070,
                        1090,
                        1210,
                        1970,
                        2070,
                        2710,
                        2720,
                        2730,
                        3000,
                        3010,
                        3020,
                        3055,
                        5600,
                        9030,
                        9510,
                        9520,
                        GeometryDialog::kHelpTopic,
                        LoadDialog::kHelpTopic,
                        LoadDialog::kApplicationFactorHelpTopic};
  for (int number : topics) {
    const HelpTopic topic = LookUpHelpTopic(number);
    EXPECT_TRUE(topic.found) << number << ": " << topic.lines[0];
    EXPECT_FALSE(topic.lines[0].empty()) << number;
    platform_.ClearLog();
    ShowHelp(number, 0);
    EXPECT_EQ(platform_.Messages().size(), 1u) << number << ": only the text box";
  }
  // Every picture plots without a message and inside the picture area.
  const std::vector<std::string> pictures = HelpPictureNames();
  EXPECT_GE(pictures.size(), 7u);
  for (const char* needed : {"start", "null", "zahnform", "last", "animation"})
    EXPECT_NE(std::find(pictures.begin(), pictures.end(), needed), pictures.end()) << needed;
  for (const std::string& name : pictures) {
    platform_.ClearLog();
    ShowHelpPicture(name);
    EXPECT_TRUE(platform_.Messages().empty()) << name;
    size_t lines = 0;
    for (const std::string& record : graphicsWindow.displayList) {
      if (record.rfind("4;", 0) != 0) continue;
      ++lines;
      double x1, y1, x2, y2;
      ASSERT_EQ(std::sscanf(record.c_str(), "4;%lf;%lf;%lf;%lf", &x1, &y1, &x2, &y2), 4);
      for (double x : {x1, x2}) EXPECT_TRUE(x >= 0 && x <= 160) << name << ": " << record;
      for (double y : {y1, y2}) EXPECT_TRUE(y >= 0 && y <= 120) << name << ": " << record;
    }
    EXPECT_GT(lines, 4u) << name;
  }
}

TEST_F(HelpTextsTest, HelpPictureMenuAndStartPicture) {
  WriteHelp("b.plt", "SP1;PU0,0;PD40,0;");
  WriteHelp("a.PLT", "SP1;PU0,0;PD0,40;");
  WriteHelp("c.txt", "");
  EXPECT_EQ(HelpPictureNames(), (std::vector<std::string>{"a", "b"}));
  platform_.QueueAnswer(1);  // the second item
  MenuHelpPicture();
  EXPECT_TRUE(HasLine("4;0;0;1;0"));
  EXPECT_FALSE(abortFlag);
  platform_.QueueAnswer(ScriptedCancel{});
  MenuHelpPicture();
  EXPECT_TRUE(HasLine("4;0;0;1;0"));  // unchanged
  EXPECT_FALSE(abortFlag);

  GrClear();
  ShowStartPicture();  // no start.plt: nothing
  EXPECT_TRUE(graphicsWindow.displayList.empty());
  WriteHelp("start.plt", "SP2;PU0,0;PD40,40;");
  ShowStartPicture();
  EXPECT_TRUE(HasLine("4;0;0;1;1"));
}

}  // namespace
}  // namespace kv5
