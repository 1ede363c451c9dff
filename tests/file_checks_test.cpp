#include "dialogs/file_checks.h"

#include <sys/stat.h>

#include <filesystem>

#include "model/drive_model.h"
#include "tests/recording_platform.h"

namespace kv5 {
namespace {

using testing::ReadFileBytes;
using testing::TempFolder;
using testing::WriteFileBytes;
using FileChecksTest = testing::RecordingTest;

int EntriesIn(const std::string& folder) {
  int entries = 0;
  for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(folder)) ++entries;
  return entries;
}

TEST_F(FileChecksTest, NamePartsSplitAtSlashAndBackslash) {
  struct Case {
    const char* name;
    const char* folder;
    const char* file;
    const char* base;
  };
  const Case cases[] = {
      {"/data/test.kv5", "/data/", "test.kv5", "test"},
      {"C:\\data\\test.kv5", "C:\\data\\", "test.kv5", "test"},
      {"a/b\\c.d.kv5", "a/b\\", "c.d.kv5", "c.d"},
      {"test", "", "test", "test"},
      {"dir.v2/test", "dir.v2/", "test", "test"},
      {"/", "/", "", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FolderPart(c.name), c.folder) << c.name;
    EXPECT_EQ(FilePart(c.name), c.file) << c.name;
    EXPECT_EQ(BaseNamePart(c.name), c.base) << c.name;
  }
}

TEST_F(FileChecksTest, ReadableCheckReportsMissingFilesAndFolders) {
  TempFolder folder;
  WriteFileBytes(folder.File("da.kv5"), "x");
  EXPECT_TRUE(CheckFileReadable(folder.File("da.kv5")));
  EXPECT_FALSE(abortFlag);
  EXPECT_TRUE(recorder_.Messages().empty());

  EXPECT_FALSE(CheckFileReadable("  " + folder.File("fehlt.kv5") + " "));
  EXPECT_TRUE(abortFlag);
  ASSERT_EQ(recorder_.Messages().size(), 1u);
  EXPECT_EQ(recorder_.Messages()[0].caption, "Fehler : ");
  EXPECT_EQ(recorder_.Messages()[0].text,
            "Datei " + folder.File("fehlt.kv5") + " nicht gefunden oder kein Zugriffsrecht !");

  abortFlag = false;
  EXPECT_FALSE(CheckFileReadable(folder.path()));
  EXPECT_TRUE(abortFlag);
  EXPECT_EQ(recorder_.Messages().size(), 2u);

  // Without error boxes the refusal is silent but still sets the flag.
  abortFlag = false;
  showErrorBoxes = false;
  EXPECT_FALSE(CheckFileReadable(folder.File("fehlt.kv5")));
  EXPECT_TRUE(abortFlag);
  EXPECT_EQ(recorder_.Messages().size(), 2u);
}

TEST_F(FileChecksTest, NewNameWithTwoDotsInItsFilePartIsRefused) {
  TempFolder folder;
  EXPECT_FALSE(CheckNewFileName(folder.File("a.b.txt")));
  EXPECT_TRUE(abortFlag);
  ASSERT_EQ(recorder_.Messages().size(), 1u);
  EXPECT_EQ(recorder_.Messages()[0].text, folder.File("a.b.txt") + " not allowed (too many dots)!");
  EXPECT_EQ(EntriesIn(folder.path()), 0);

  // Dots in the folder do not count.
  abortFlag = false;
  std::filesystem::create_directory(folder.File("v1.2"));
  EXPECT_TRUE(CheckNewFileName(folder.File("v1.2/test.kv5")));
  EXPECT_FALSE(abortFlag);
}

TEST_F(FileChecksTest, NewNameIsTestedWithoutLeavingAFile) {
  TempFolder folder;
  EXPECT_TRUE(CheckNewFileName(folder.File("neu.kv5")));
  EXPECT_FALSE(abortFlag);
  EXPECT_EQ(EntriesIn(folder.path()), 0);
  EXPECT_TRUE(recorder_.Questions().empty());

  std::string impossible = folder.File("fehlt/neu.kv5");
  EXPECT_FALSE(CheckNewFileName(impossible));
  EXPECT_TRUE(abortFlag);
  ASSERT_EQ(recorder_.Messages().size(), 1u);
  EXPECT_EQ(recorder_.Messages()[0].text, "Ungültiger Dateiname \"" + impossible + "\" !");
}

TEST_F(FileChecksTest, OverwriteQuestionDecidesAndNeverChangesTheFile) {
  TempFolder folder;
  std::string name = folder.File("alt.kv5");
  WriteFileBytes(name, "alter Inhalt");
  struct Case {
    const char* label;
    ScriptedAnswer answer;
    bool accepted;
  };
  const Case cases[] = {
      {"yes", YesNoCancel::Yes, true},
      {"no", YesNoCancel::No, false},
      {"cancel", YesNoCancel::Cancel, false},
      {"nobody answers", ScriptedCancel{}, false},
  };
  for (const Case& c : cases) {
    abortFlag = false;
    recorder_.ClearLog();
    recorder_.ClearAnswers();
    if (c.answer.index() != 0) recorder_.QueueAnswer(c.answer);
    EXPECT_EQ(CheckNewFileName(name), c.accepted) << c.label;
    EXPECT_EQ(abortFlag, !c.accepted) << c.label;
    ASSERT_EQ(recorder_.Questions().size(), 1u) << c.label;
    EXPECT_EQ(recorder_.Questions()[0],
              "KV5   Triebstockverzahnung " + name + " existiert bereits.   Überschreiben ?");
    EXPECT_EQ(ReadFileBytes(name), "alter Inhalt") << c.label;
  }
}

TEST_F(FileChecksTest, NoQuestionForAktuellOrWithConfirmationOff) {
  TempFolder folder;
  WriteFileBytes(folder.File("aktuell.kv5"), "a");
  WriteFileBytes(folder.File("test.kv5"), "t");
  EXPECT_TRUE(CheckNewFileName(folder.File("aktuell.kv5")));
  confirmOverwrite = false;
  EXPECT_TRUE(CheckNewFileName(folder.File("test.kv5")));
  EXPECT_FALSE(abortFlag);
  EXPECT_TRUE(recorder_.Questions().empty());
  EXPECT_EQ(ReadFileBytes(folder.File("test.kv5")), "t");
}

TEST_F(FileChecksTest, CreateFileKeepsAnExistingFileAndMakesAMissingOne) {
  TempFolder folder;
  WriteFileBytes(folder.File("kv5.cfg"), "Inhalt");
  EXPECT_TRUE(CreateFileRetrying(folder.File("kv5.cfg")));
  EXPECT_EQ(ReadFileBytes(folder.File("kv5.cfg")), "Inhalt");
  EXPECT_TRUE(CreateFileRetrying(folder.File("neu.cfg")));
  EXPECT_TRUE(std::filesystem::exists(folder.File("neu.cfg")));
  EXPECT_FALSE(abortFlag);
  EXPECT_TRUE(recorder_.Messages().empty());
}

TEST_F(FileChecksTest, CreateFileGivesUpAtOnceWhenNobodyCanAnswer) {
  TempFolder folder;
  // Headless: one report, no question, no endless loop.
  EXPECT_FALSE(CreateFileRetrying(folder.File("fehlt/kv5.cfg")));
  EXPECT_TRUE(abortFlag);
  ASSERT_EQ(recorder_.Messages().size(), 1u);
  EXPECT_EQ(recorder_.Messages()[0].text, "I/O-Error " + std::to_string(ENOENT));
  EXPECT_TRUE(recorder_.Questions().empty());

  // A folder in place of the file.
  abortFlag = false;
  recorder_.ClearLog();
  EXPECT_FALSE(CreateFileRetrying(folder.path()));
  EXPECT_TRUE(abortFlag);
  ASSERT_EQ(recorder_.Messages().size(), 1u);
  EXPECT_EQ(recorder_.Messages()[0].text, "I/O-Error " + std::to_string(EISDIR));

  // A person is there but error boxes are off: nobody sees the failure.
  abortFlag = false;
  recorder_.ClearLog();
  recorder_.interactive = true;
  showErrorBoxes = false;
  recorder_.QueueAnswer(YesNoCancel::Yes);
  EXPECT_FALSE(CreateFileRetrying(folder.File("fehlt/kv5.cfg")));
  EXPECT_TRUE(abortFlag);
  EXPECT_TRUE(recorder_.Questions().empty());
}

TEST_F(FileChecksTest, CreateFileTriesAgainUntilThePersonDeclines) {
  TempFolder folder;
  recorder_.interactive = true;
  std::string name = folder.File("sub/kv5.cfg");

  // Declined: one attempt, then the flag.
  recorder_.QueueAnswer(YesNoCancel::No);
  EXPECT_FALSE(CreateFileRetrying(name));
  EXPECT_TRUE(abortFlag);
  EXPECT_EQ(recorder_.Questions().size(), 1u);

  // The person removes the cause while the question is open: the next
  // attempt succeeds.
  abortFlag = false;
  recorder_.ClearLog();
  recorder_.QueueAnswer(YesNoCancel::Yes);
  recorder_.QueueAnswer(YesNoCancel::Yes);
  int asked = 0;
  recorder_.beforeQuestion = [&] {
    if (++asked == 2) std::filesystem::create_directory(folder.File("sub"));
  };
  EXPECT_TRUE(CreateFileRetrying(name));
  EXPECT_FALSE(abortFlag);
  EXPECT_EQ(asked, 2);
  EXPECT_EQ(recorder_.Messages().size(), 2u);
  EXPECT_TRUE(std::filesystem::exists(name));
}

TEST_F(FileChecksTest, SaveNameRulesForBareDottedAndEmptyNames) {
  TempFolder folder;
  projectFolder = folder.path();
  projectName = "alt";
  std::string result;

  EXPECT_TRUE(AskSaveFileName("test", result));
  EXPECT_EQ(result, folder.File("test.kv5"));
  EXPECT_TRUE(AskSaveFileName("test", result, "txt"));
  EXPECT_EQ(result, folder.File("test.txt"));
  EXPECT_TRUE(AskSaveFileName(folder.File("x.dat"), result));
  EXPECT_EQ(result, folder.File("x.dat"));
  EXPECT_EQ(projectName, "alt");
  EXPECT_TRUE(recorder_.saveRequests.empty());

  // Empty name: the dialog; whatever extension is typed, the project
  // extension is used, and folder and name follow the choice.
  std::filesystem::create_directory(folder.File("neu"));
  recorder_.QueueAnswer(folder.File("neu/anlage.txt"));
  EXPECT_TRUE(AskSaveFileName("", result));
  EXPECT_EQ(result, folder.File("neu/anlage.kv5"));
  EXPECT_EQ(projectFolder, folder.File("neu/"));
  EXPECT_EQ(projectName, "anlage");
  ASSERT_EQ(recorder_.saveRequests.size(), 1u);
  EXPECT_EQ(recorder_.saveRequests[0].filter, "*.kv5|*.kv5");
  EXPECT_EQ(recorder_.saveRequests[0].initialFolder, folder.path());
  EXPECT_EQ(recorder_.saveRequests[0].initialName, "alt");
  EXPECT_FALSE(abortFlag);
}

TEST_F(FileChecksTest, SaveDialogRefusalsLeaveTheProjectNamed) {
  TempFolder folder;
  projectFolder = folder.path();
  projectName = "alt";
  WriteFileBytes(folder.File("da.kv5"), "da");
  std::string result = "unverändert";
  struct Case {
    const char* label;
    std::vector<ScriptedAnswer> answers;
  };
  const Case cases[] = {
      {"cancelled", {}},
      {"no name", {std::string("")}},
      {"folder only", {folder.path()}},
      {"too many dots", {folder.File("a.b.kv5")}},
      {"overwrite declined", {folder.File("da.kv5"), YesNoCancel::No}},
  };
  for (const Case& c : cases) {
    abortFlag = false;
    recorder_.ClearAnswers();
    for (const auto& a : c.answers) recorder_.QueueAnswer(a);
    EXPECT_FALSE(AskSaveFileName("", result)) << c.label;
    EXPECT_TRUE(abortFlag) << c.label;
    EXPECT_EQ(result, "unverändert") << c.label;
    EXPECT_EQ(projectName, "alt") << c.label;
    EXPECT_EQ(projectFolder, folder.path()) << c.label;
  }
  EXPECT_EQ(ReadFileBytes(folder.File("da.kv5")), "da");
}

TEST_F(FileChecksTest, ArchiveModeRefusesEveryNameButAktuell) {
  TempFolder folder;
  projectFolder = folder.path();
  archiveMode = true;
  openedFromCommandLine = true;
  std::string result;
  for (const char* name : {"test", "", "x.kv5"}) {
    abortFlag = false;
    recorder_.ClearLog();
    EXPECT_FALSE(AskSaveFileName(name, result)) << name;
    EXPECT_TRUE(abortFlag);
    ASSERT_EQ(recorder_.Messages().size(), 1u);
    EXPECT_EQ(recorder_.Messages()[0].text,
              "File- und User- Befehle sind im Archivierungsmodus nicht möglich.");
  }
  EXPECT_TRUE(recorder_.saveRequests.empty());
  abortFlag = false;
  EXPECT_TRUE(AskSaveFileName("aktuell", result));
  EXPECT_EQ(result, folder.File("aktuell.kv5"));

  // Archive mode alone, without a command-line project, refuses nothing.
  openedFromCommandLine = false;
  EXPECT_TRUE(AskSaveFileName("test", result));
}

TEST_F(FileChecksTest, OpenDialogUsesThePatternAndEmptiesTheNameOnCancel) {
  std::string name = "vorher";
  EXPECT_FALSE(AskOpenFileName("/daten/", "*.kv5", name));
  EXPECT_TRUE(abortFlag);
  EXPECT_EQ(name, "");
  ASSERT_EQ(recorder_.openRequests.size(), 1u);
  EXPECT_EQ(recorder_.openRequests[0].filter, "*.kv5|*.kv5");
  EXPECT_EQ(recorder_.openRequests[0].initialFolder, "/daten/");

  abortFlag = false;
  recorder_.QueueAnswer(std::string("/daten/a.kv5"));
  EXPECT_TRUE(AskOpenFileName("/daten/", "*.kv5", name));
  EXPECT_EQ(name, "/daten/a.kv5");
  EXPECT_FALSE(abortFlag);
}

}  // namespace
}  // namespace kv5
