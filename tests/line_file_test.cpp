#include "model/line_file.h"

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include "tests/test_support.h"

namespace kv5 {
namespace {

using LineFileTest = testing::ProgramTest;
using testing::ReadFileBytes;
using testing::TempFolder;
using testing::WriteFileBytes;

TEST_F(LineFileTest, WritesEachKindOnItsOwnCrLfLineInCodePage850) {
  TempFolder folder;
  std::string name = folder.File("a.kv5");
  LineWriter writer;
  ASSERT_TRUE(writer.Open(name));
  writer.WriteTextLine("Größe ä°");
  writer.WriteIntegerLine(-17);
  writer.WriteRealLine(0.15L);
  writer.WriteRealLine(0);
  writer.WriteRealLine(-3);
  writer.WriteRealLine(17800);
  writer.WriteBoolLine(true);
  writer.WriteBoolLine(false);
  ASSERT_TRUE(writer.Close());
  EXPECT_FALSE(abortFlag);
  EXPECT_EQ(ReadFileBytes(name),
            "Gr\x94\xe1"
            "e \x84\xf8\r\n-17\r\n0.1500000\r\n0\r\n-3\r\n17800.0000000\r\n"
            "TRUE\r\nFALSE\r\n");
  // Nothing is left behind beside the file.
  int entries = 0;
  for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(folder.path())) ++entries;
  EXPECT_EQ(entries, 1);
}

TEST_F(LineFileTest, ReaderAcceptsEveryLineEndAndBothCodePages) {
  struct Case {
    const char* name;
    std::string bytes;
  };
  const Case cases[] = {
      {"crlf cp850",
       "Gr\x94\xe1"
       "e\r\n12,5\r\ntrue\r\n"},
      {"lf utf8", "Größe\n12.5\nTRUE\n"},
      {"cr only",
       "Gr\x94\xe1"
       "e\r12.5\rTrUe\r"},
      {"no final line end", "Größe\n12,5\ntrue"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    LineReader reader;
    reader.OpenText(c.bytes);
    std::string text;
    Real value = 0;
    bool flag = false;
    ASSERT_TRUE(reader.ReadTextLine(text));
    ASSERT_TRUE(reader.ReadRealLine(value));
    ASSERT_TRUE(reader.ReadBoolLine(flag));
    EXPECT_EQ(text, "Größe");
    EXPECT_EQ(value, 12.5L);
    EXPECT_TRUE(flag);
    EXPECT_TRUE(reader.AtEnd());
    // Beyond the end nothing is read and the value stays.
    EXPECT_FALSE(reader.ReadRealLine(value));
    EXPECT_EQ(value, 12.5L);
  }
}

TEST_F(LineFileTest, ValuesThatDoNotConvertReadAsZero) {
  LineReader reader;
  reader.OpenText("abc\n1,2,3\n12x\nyes\n\n");
  Real r = 5;
  int i = 5;
  bool b = true;
  std::string t = "x";
  ASSERT_TRUE(reader.ReadRealLine(r));
  EXPECT_EQ(r, 0);
  ASSERT_TRUE(reader.ReadRealLine(r));
  EXPECT_EQ(r, 0);
  ASSERT_TRUE(reader.ReadIntegerLine(i));
  EXPECT_EQ(i, 0);
  ASSERT_TRUE(reader.ReadBoolLine(b));
  EXPECT_FALSE(b);
  ASSERT_TRUE(reader.ReadTextLine(t));
  EXPECT_EQ(t, "");
}

TEST_F(LineFileTest, OpenFailsForMissingFileAndFolder) {
  TempFolder folder;
  LineReader reader;
  EXPECT_FALSE(reader.Open(folder.File("missing.kv5")));
  EXPECT_FALSE(reader.ErrorText().empty());
  EXPECT_FALSE(reader.Open(folder.path()));
  LineWriter writer;
  EXPECT_FALSE(writer.Open(folder.File("no/such/folder/a.kv5")));
  EXPECT_FALSE(writer.ErrorText().empty());
}

// A FIFO would block the open and a device never end: neither is read.
TEST_F(LineFileTest, OnlyRegularFilesAreRead) {
  TempFolder folder;
  const std::string fifo = folder.File("pipe.kv5");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  std::string bytes;
  for (const std::string& name : {fifo, std::string("/dev/zero")}) {
    LineReader reader;
    EXPECT_FALSE(reader.Open(name)) << name;
    EXPECT_FALSE(reader.ErrorText().empty()) << name;
    EXPECT_FALSE(ReadWholeFile(name, bytes)) << name;
  }
}

// A write that fails part-way (file size limit in a child process) leaves
// the previous file exactly as it was and no stray file behind.
TEST_F(LineFileTest, FailedWriteKeepsThePreviousFile) {
  TempFolder folder;
  std::string name = folder.File("keep.kv5");
  const std::string previous = "previous content\r\n";
  WriteFileBytes(name, previous);
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{100, 100};
    setrlimit(RLIMIT_FSIZE, &limit);
    LineWriter writer;
    if (!writer.Open(name)) _exit(3);
    for (int i = 0; i < 1000; ++i) writer.WriteTextLine("a line that goes beyond the limit");
    bool closed = writer.Close();
    _exit(closed ? 0 : (abortFlag ? 1 : 2));
  }
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 1);  // reported as failed, abortFlag set
  EXPECT_EQ(ReadFileBytes(name), previous);
  int entries = 0;
  for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(folder.path())) ++entries;
  EXPECT_EQ(entries, 1);
}

TEST_F(LineFileTest, DiscardedWriterLeavesOldFile) {
  TempFolder folder;
  std::string name = folder.File("keep.kv5");
  WriteFileBytes(name, "old\r\n");
  {
    LineWriter writer;
    ASSERT_TRUE(writer.Open(name));
    writer.WriteTextLine("new");
  }  // destroyed without Close
  EXPECT_EQ(ReadFileBytes(name), "old\r\n");
}

}  // namespace
}  // namespace kv5
