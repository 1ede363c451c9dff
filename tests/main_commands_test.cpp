#include "app/core/main_commands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/core/project_table.h"
#include "app/core/recent_files.h"
#include "dialogs/file_checks.h"
#include "model/drive_model.h"
#include "model/project_file.h"
#include "tests/drive_fixtures.h"
#include "tests/recording_platform.h"
#include "tests/test_support.h"
#include "text/messages.h"

namespace kv5 {
namespace {

class MainCommandsTest : public testing::RecordingTest {
 protected:
  void SetUp() override {
    RecordingTest::SetUp();
    projectFolder = folder_.path();
  }
  // Model defaults; the project stays in the test's folder.
  void FreshModel() {
    InitDriveModel();
    projectFolder = folder_.path();
  }
  // Writes the rack drive as a project file of the folder.
  std::string SaveRackProject(const std::string& name) {
    testing::SetUpRackDrive();
    EXPECT_TRUE(WriteProjectFile(folder_.File(name + ".kv5")));
    return folder_.File(name + ".kv5");
  }
  // Dialog hooks that record their calls and cancel where told.
  MainWindowHooks RecordingHooks(std::vector<std::string>& calls, const std::string& cancelAt) {
    auto dialog = [&calls, cancelAt](const char* name) {
      return [&calls, cancelAt, name] {
        calls.push_back(name);
        if (cancelAt == name) abortFlag = true;
      };
    };
    MainWindowHooks h;
    h.documentTexts = dialog("texts");
    h.preDesign = dialog("predesign");
    h.geometry = dialog("geometry");
    h.load = dialog("load");
    return h;
  }
  testing::TempFolder folder_;
};

TEST_F(MainCommandsTest, SaveQuestionBeforeDiscarding) {
  struct Case {
    const char* name;  // projectName
    bool fromCommandLineInArchive;
    ScriptedAnswer answer;
    const char* question;  // empty: none asked
    bool modifiedAfter, abortAfter, saved;
  };
  const std::string file = folder_.File("p.kv5");
  const std::string saveQuestion = "Datei speichern (" + file + ") ?";
  const Case cases[] = {
      {"p", false, YesNoCancel::Yes, saveQuestion.c_str(), false, false, true},
      {"p", false, YesNoCancel::No, saveQuestion.c_str(), false, false, false},
      {"p", false, YesNoCancel::Cancel, saveQuestion.c_str(), true, true, false},
      {"", false, YesNoCancel::Yes, "Bisherige Eingaben verwerfen ?", false, false, false},
      {"", false, YesNoCancel::No, "Bisherige Eingaben verwerfen ?", true, true, false},
      {"", false, YesNoCancel::Cancel, "Bisherige Eingaben verwerfen ?", true, true, false},
      {"p", true, YesNoCancel::Yes, "", false, false, false},  // archive: no question
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name) + " " + c.question);
    std::filesystem::remove(file);
    recorder_.questions.clear();
    recorder_.ClearAnswers();
    projectName = c.name;
    projectFolder = folder_.path();
    openedFromCommandLine = archiveMode = c.fromCommandLineInArchive;
    modified = true;
    abortFlag = false;
    recorder_.QueueAnswer(c.answer);
    ConfirmDiscardOrSave();
    if (*c.question)
      EXPECT_EQ(recorder_.questions, std::vector<std::string>{c.question});
    else
      EXPECT_TRUE(recorder_.questions.empty());
    EXPECT_EQ(modified, c.modifiedAfter);
    EXPECT_EQ(abortFlag, c.abortAfter);
    EXPECT_EQ(std::filesystem::exists(file), c.saved);
  }
}

TEST_F(MainCommandsTest, FailedSaveStopsTheCommandInsteadOfDiscarding) {
  // The project's folder is a file: the save must fail.
  testing::WriteFileBytes(folder_.File("blocker"), "x");
  projectFolder = folder_.File("blocker/");
  projectName = "p";
  modified = true;
  model.z1 = 23;
  recorder_.QueueAnswer(YesNoCancel::Yes);
  FileNew();
  EXPECT_TRUE(abortFlag);
  EXPECT_TRUE(modified) << "the next exit asks again";
  EXPECT_EQ(model.z1, 23) << "nothing discarded";
  EXPECT_EQ(projectName, "p");
}

TEST_F(MainCommandsTest, ExitAsksForAnUnnamedModifiedProject) {
  modified = true;
  recorder_.QueueAnswer(YesNoCancel::No);
  EXPECT_FALSE(MainWindowMayClose()) << "No keeps the window open";
  recorder_.QueueAnswer(YesNoCancel::Yes);
  EXPECT_TRUE(MainWindowMayClose());
  EXPECT_EQ(recorder_.statusTexts.front(), "Lösche temporäre Dateien ...");
  modified = false;
  recorder_.questions.clear();
  EXPECT_TRUE(MainWindowMayClose());
  EXPECT_TRUE(recorder_.questions.empty());
}

TEST_F(MainCommandsTest, SaveOfAnUnnamedProjectAsksForANameButNotToOverwrite) {
  const std::string existing = folder_.File("alt.kv5");
  testing::WriteFileBytes(existing, "alt");
  modified = true;
  recorder_.QueueAnswer(existing);
  FileSave();
  EXPECT_EQ(recorder_.saveRequests.size(), 1u);
  EXPECT_TRUE(recorder_.questions.empty());
  EXPECT_FALSE(modified);
  EXPECT_EQ(projectName, "alt");
  EXPECT_NE(testing::ReadFileBytes(existing), "alt");

  // Save As asks before replacing; No keeps the file and the flag.
  modified = true;
  const std::string before = testing::ReadFileBytes(existing);
  model.z1 = 31;
  recorder_.QueueAnswer(existing);
  recorder_.QueueAnswer(YesNoCancel::No);
  FileSaveAs();
  EXPECT_EQ(recorder_.questions.size(), 1u);
  EXPECT_TRUE(modified);
  EXPECT_EQ(testing::ReadFileBytes(existing), before);
}

TEST_F(MainCommandsTest, RecentFiles) {
  const std::string path = SaveRackProject("rack");
  FreshModel();
  recentFiles = {folder_.File("gone.kv5"), path, "", ""};
  FileOpenRecent(0);
  ASSERT_FALSE(recorder_.Messages().empty());
  EXPECT_EQ(recorder_.Messages().back().text, "File " + folder_.File("gone.kv5") + " not found !");
  EXPECT_EQ(recentFiles[0], path) << "the missing file left the list";
  EXPECT_EQ(recentFiles[1], "");

  projectFolder = "/";
  modified = false;
  FileOpenRecent(0);
  EXPECT_EQ(projectName, "rack");
  EXPECT_EQ(projectFolder, folder_.path());
  EXPECT_EQ(model.z2, 41);  // read and calculated
  EXPECT_FALSE(modified);
  EXPECT_EQ(ProjectFileName(), path);
  EXPECT_EQ(recentFiles[0], path);
  EXPECT_EQ(recentFiles[1], "") << "no duplicate entry";
}

TEST_F(MainCommandsTest, RecentPathsLongerThanTheMenuAreShortened) {
  const std::string longPath = "/home/ingenieur/projekte/antriebe/foerderband/test.kv5";
  ASSERT_GE(longPath.size(), 50u);
  EXPECT_EQ(ShownRecentPath(longPath), "/home/.../test.kv5");
  EXPECT_EQ(ShownRecentPath("/tmp/test.kv5"), "/tmp/test.kv5");
  const std::string flat = "/" + std::string(60, 'a') + ".kv5";
  EXPECT_EQ(ShownRecentPath(flat), flat) << "only one separator: nothing to leave out";
}

TEST_F(MainCommandsTest, CaptionAndMenuStateFollowTheDrive) {
  EXPECT_EQ(MainWindowCaption(), "KV5   Triebstockverzahnung   V 1.1");
  projectName = "band";
  EXPECT_EQ(MainWindowCaption(), "KV5   Triebstockverzahnung  -  band.kv5");
  projectName = "test.kv5";
  EXPECT_EQ(MainWindowCaption(), "KV5   Triebstockverzahnung  -  test.kv5");

  // The geometry dialog switches to a pin wheel: carrier in, yoke out.
  int refreshes = 0;
  MainWindowHooks h;
  h.geometry = [] { model.pinRack = false; };
  h.refreshWindow = [&] { ++refreshes; };
  SetMainWindowHooks(h);
  model.pinRack = true;
  EXPECT_TRUE(CurrentMenuState().yokeVisible);
  EditGeometry();
  EXPECT_TRUE(modified);
  EXPECT_GT(refreshes, 0);
  const MenuState state = CurrentMenuState();
  EXPECT_TRUE(state.carrierVisible);
  EXPECT_FALSE(state.yokeVisible);
  EXPECT_EQ(state.errorMessagesCaption,
            "&Fehlermeldungen (" + std::to_string(MessageCount()) + ")");
  EXPECT_EQ(state.errorMessagesEnabled, MessageCount() > 0);
}

TEST_F(MainCommandsTest, CancelledEditLeavesTheProjectUnmodified) {
  std::vector<std::string> calls;
  SetMainWindowHooks(RecordingHooks(calls, "geometry"));
  EditGeometry();
  EXPECT_FALSE(modified);
  EditLoad();
  EXPECT_TRUE(modified);
  EXPECT_EQ(calls, (std::vector<std::string>{"geometry", "load"}));
}

TEST_F(MainCommandsTest, InputSequenceStopsAtACancelledDialog) {
  struct Case {
    bool withPreDesign;
    const char* cancelAt;
    std::vector<std::string> calls;
    bool modifiedAfter;
  };
  const Case cases[] = {
      {true, "", {"texts", "predesign", "geometry", "load"}, true},
      {false, "", {"texts", "geometry", "load"}, true},
      {true, "texts", {"texts"}, false},
      {true, "predesign", {"texts", "predesign"}, false},
      {false, "geometry", {"texts", "geometry"}, false},
      // A cancelled load dialog still calculates with the inputs so far.
      {false, "load", {"texts", "geometry", "load"}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.cancelAt);
    std::vector<std::string> calls;
    SetMainWindowHooks(RecordingHooks(calls, c.cancelAt));
    modified = false;
    abortFlag = false;
    testing::SetUpRackDrive();
    model.d[1] = 0;
    InputSequence(c.withPreDesign);
    EXPECT_EQ(calls, c.calls);
    EXPECT_EQ(modified, c.modifiedAfter);
    const bool calculated = model.d[1] > 0;
    EXPECT_EQ(calculated, std::string(c.cancelAt).empty() || std::string(c.cancelAt) == "load");
    if (std::string(c.cancelAt) == "load") {
      EXPECT_FALSE(abortFlag);
    }
  }
}

TEST_F(MainCommandsTest, NewProjectStartsFromTheNullProject) {
  SaveRackProject("null");
  FreshModel();
  model.infoText[0] = "alt";
  model.chainRecordNo = 5;
  projectName = "vorher";
  std::vector<std::string> calls;
  SetMainWindowHooks(RecordingHooks(calls, ""));
  FileNew();
  EXPECT_EQ(calls, (std::vector<std::string>{"texts", "predesign", "geometry", "load"}));
  EXPECT_EQ(projectName, "");
  EXPECT_EQ(model.z1, 17);
  EXPECT_EQ(model.chain.p, 12.7) << "the inputs of null.kv5";
  EXPECT_TRUE(modified);
}

TEST_F(MainCommandsTest, ProjectTableHasARowPerProjectUnderItsTitles) {
  SaveRackProject("b_rack");
  testing::SetUpWheelDrive();
  model.infoText[0] = "Förderband";
  ASSERT_TRUE(WriteProjectFile(folder_.File("a_wheel.kv5")));
  testing::WriteFileBytes(folder_.File("c_bad.kv5"), "kein Projekt\r\n");
  testing::WriteFileBytes(folder_.File("notes.txt"), "x");
  FreshModel();

  std::vector<std::string> progress;
  const ProjectTable table =
      BuildProjectTable([&](const std::string& f) { progress.push_back(f); });
  ASSERT_EQ(table.titles.size(), 20u);
  EXPECT_EQ(table.files, (std::vector<std::string>{"a_wheel.kv5", "b_rack.kv5", "c_bad.kv5"}));
  EXPECT_EQ(progress, table.files);
  ASSERT_EQ(table.rows.size(), 3u);
  auto column = [&](const std::string& title) {
    for (size_t i = 0; i < table.titles.size(); ++i)
      if (table.titles[i] == title) return i;
    ADD_FAILURE() << "no column " << title;
    return size_t{0};
  };
  const auto& wheel = table.rows[0];
  const auto& rack = table.rows[1];
  ASSERT_EQ(wheel.size(), 20u);
  EXPECT_EQ(wheel[column("No.1")], "TR-1");
  EXPECT_EQ(wheel[column("Type")], "Triebstockrad");
  EXPECT_EQ(rack[column("Type")], "Triebstock");
  EXPECT_EQ(wheel[column("P mm")], "15.88");
  EXPECT_EQ(wheel[column("DRmm")], "10.16");
  EXPECT_EQ(wheel[column("z1")], "9");
  EXPECT_EQ(rack[column("z1")], "17");
  EXPECT_EQ(wheel[column("P  W")], "2000");
  EXPECT_EQ(wheel[column("n1 /min")], "200.0");
  EXPECT_EQ(wheel[column("Text 1")], "Förderband");
  EXPECT_EQ(wheel[column("Date  y/m/d")].size(), 10u);
  // d1 is the pitch diameter: 15.875 / sin(180°/9) = 46.42 mm
  EXPECT_EQ(wheel[column("d1 mm")], "46.4");
  const auto& bad = table.rows[2];
  EXPECT_EQ(bad[0], "c_bad.kv5");
  for (size_t i = 2; i < bad.size(); ++i) EXPECT_EQ(bad[i], "") << table.titles[i];
  EXPECT_TRUE(recorder_.Messages().empty()) << "no box per unreadable file";
}

TEST_F(MainCommandsTest, ProjectTableOpensTheChosenRow) {
  SaveRackProject("b_rack");
  testing::SetUpWheelDrive();
  ASSERT_TRUE(WriteProjectFile(folder_.File("a_wheel.kv5")));
  FreshModel();
  projectFolder = folder_.path();
  int shown = 0;
  MainWindowHooks h;
  h.projectTable = [&](const ProjectTable& table) -> std::optional<int> {
    EXPECT_EQ(table.rows.size(), 2u);
    if (++shown == 1) return 1;  // the rack, then cancel
    return std::nullopt;
  };
  SetMainWindowHooks(h);
  modified = true;
  recorder_.QueueAnswer(YesNoCancel::Yes);  // discard the unnamed inputs
  FileOpenTable();
  EXPECT_EQ(shown, 2) << "the table comes back until cancelled";
  EXPECT_EQ(projectName, "b_rack");
  EXPECT_TRUE(model.pinRack);
  EXPECT_FALSE(modified);
}

}  // namespace
}  // namespace kv5
