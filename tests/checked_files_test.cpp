#include "dialogs/checked_files.h"

#include <sys/stat.h>

#include <cerrno>
#include <string>
#include <vector>

#include "dialogs/choice_dialogs.h"
#include "dialogs/confirm_delete.h"
#include "model/drive_model.h"
#include "model/line_file.h"
#include "tests/dialog_test_platform.h"

namespace kv5 {
namespace {

using CheckedFilesTest = testing::DialogTest;

TEST_F(CheckedFilesTest, FailureTextsByTheSystemsReason) {
  struct Case {
    int error;
    const char* write;
    const char* close;
    const char* create;
  };
  const Case cases[] = {
      {ENOSPC, "Diskette/Platte voll", "Diskette/Platte voll", "Diskette/Platte voll"},
      {EDQUOT, "Diskette/Platte voll", "Diskette/Platte voll", "Diskette/Platte voll"},
      {EIO, "Fehler bei Zugriff auf Diskette/Platte", "Fehler beim Schließen einer Datei",
       "file write error"},
      {ENOENT, "Fehler bei Zugriff auf Diskette/Platte", "Fehler beim Schließen einer Datei",
       "file write error"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(WriteFailureText(c.error), c.write) << c.error;
    EXPECT_EQ(CloseFailureText(c.error), c.close) << c.error;
    EXPECT_EQ(CreateFailureText(c.error), c.create) << c.error;
  }
}

TEST_F(CheckedFilesTest, CreateInAMissingFolderIsReported) {
  testing::TempFolder folder;
  LineWriter writer;
  EXPECT_FALSE(CreateChecked(writer, folder.File("missing/a.txt")));
  EXPECT_TRUE(abortFlag);
  EXPECT_EQ(dialogs_.BoxTexts(), (std::vector<std::string>{"file write error"}));

  // Without error boxes the failure still stops the command.
  abortFlag = false;
  showErrorBoxes = false;
  dialogs_.ClearLog();
  EXPECT_FALSE(CreateChecked(writer, folder.File("missing/a.txt")));
  EXPECT_TRUE(abortFlag);
  EXPECT_TRUE(dialogs_.Messages().empty());
}

TEST_F(CheckedFilesTest, OnlyTheFirstFailureOfAFileIsReported) {
  LineWriter never;  // not open: every write fails
  EXPECT_FALSE(WriteChecked(never, "a"));
  EXPECT_FALSE(WriteChecked(never, "b"));
  EXPECT_FALSE(CloseChecked(never));
  EXPECT_TRUE(abortFlag);
  EXPECT_EQ(dialogs_.BoxTexts(),
            (std::vector<std::string>{"Fehler bei Zugriff auf Diskette/Platte"}));
}

TEST_F(CheckedFilesTest, CloseThatCannotReplaceTheTargetKeepsIt) {
  testing::TempFolder folder;
  const std::string target = folder.File("busy");
  ASSERT_EQ(mkdir(target.c_str(), 0755), 0);  // a folder cannot be replaced by a file
  LineWriter writer;
  ASSERT_TRUE(CreateChecked(writer, target));
  EXPECT_TRUE(WriteChecked(writer, "Zeile"));
  EXPECT_FALSE(CloseChecked(writer));
  EXPECT_TRUE(abortFlag);
  EXPECT_EQ(dialogs_.BoxTexts(), (std::vector<std::string>{"Fehler beim Schließen einer Datei"}));
  struct stat info;
  EXPECT_EQ(stat(target.c_str(), &info), 0);
  EXPECT_TRUE(S_ISDIR(info.st_mode));
}

TEST_F(CheckedFilesTest, WrittenFileIsCodePage850WithCrLf) {
  testing::TempFolder folder;
  LineWriter writer;
  ASSERT_TRUE(CreateChecked(writer, folder.File("a.txt")));
  EXPECT_TRUE(WriteChecked(writer, "Größe"));
  EXPECT_TRUE(CloseChecked(writer));
  EXPECT_FALSE(abortFlag);
  EXPECT_EQ(testing::ReadFileBytes(folder.File("a.txt")),
            "Gr\x94\xe1"
            "e\r\n");
}

TEST_F(CheckedFilesTest, ConfirmDeleteAsksAndDeletesOnlyOnYes) {
  testing::TempFolder folder;
  projectFolder = folder.path();
  const std::string file = folder.File("alt.kv5");
  testing::WriteFileBytes(file, "x");

  dialogs_.QueueAnswer(file);
  dialogs_.QueueAnswer(YesNoCancel::No);
  EXPECT_FALSE(ConfirmDelete("kv5"));
  EXPECT_TRUE(abortFlag);
  EXPECT_TRUE(FileExists(file));
  EXPECT_EQ(currentHelpTopic, 1090);
  EXPECT_NE(dialogs_.Questions().back().find(file + " wirklich löschen ?"), std::string::npos);

  abortFlag = false;
  dialogs_.QueueAnswer(file);
  dialogs_.QueueAnswer(YesNoCancel::Yes);
  EXPECT_TRUE(ConfirmDelete("kv5"));
  EXPECT_FALSE(abortFlag);
  EXPECT_FALSE(FileExists(file));

  // The file is gone now: the readability check refuses before the question.
  dialogs_.ClearLog();
  dialogs_.QueueAnswer(file);
  EXPECT_FALSE(ConfirmDelete("kv5"));
  EXPECT_TRUE(abortFlag);
  EXPECT_EQ(dialogs_.Questions().size(), 1u);  // only the open dialog

  // Cancelled file dialog.
  abortFlag = false;
  EXPECT_FALSE(ConfirmDelete("kv5"));
  EXPECT_TRUE(abortFlag);
}

}  // namespace
}  // namespace kv5
