// Files that cannot be written, forced from outside: a target below a
// regular file (fails for root too, unlike a read-only folder) and a full
// disk (a file size limit in a forked child, SIGXFSZ ignored so that the
// write returns an error). Each time the failure is reported, nothing
// half-written is left and an earlier file of the same name survives.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "app/core/batch_runs.h"
#include "app/core/startup.h"
#include "cad/cad_channel.h"
#include "cad/cad_settings.h"
#include "dialogs/file_checks.h"
#include "model/drive_model.h"
#include "model/project_file.h"
#include "tests/recording_platform.h"
#include "text/configuration.h"
#include "text/output_channel.h"

namespace kv5 {
namespace {

using testing::ReadFileBytes;
using testing::TempFolder;
using testing::WriteFileBytes;

std::set<std::string> FilesIn(const std::string& folder) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    names.insert(entry.path().filename().string());
  return names;
}

// Runs `work` in a child process whose files cannot grow beyond `limit`
// bytes; returns the child's exit code (-1 when it did not exit).
int RunWithFileSizeLimit(rlim_t limit, const std::function<int()>& work) {
  pid_t child = fork();
  if (child < 0) return -1;
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit size{limit, limit};
    setrlimit(RLIMIT_FSIZE, &size);
    _exit(work());
  }
  int status = 0;
  if (waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

// A drawing of many lines through the CAD channel, as the drawing layer
// makes one.
void DrawManyLines(int kind) {
  CadBegin(static_cast<CadKind>(kind));
  if (abortFlag) return;
  CadSetDefaultLimits();
  CadTables(2);
  CadBeginEntities();
  for (int i = 0; i < 2000; ++i) CadLine(i, 0, i, 10);
  CadEndSection();
  CadEnd();
}

// Batch runs in a fresh current folder holding the example project.
class BatchFailureTest : public testing::RecordingTest {
 protected:
  void SetUp() override {
    RecordingTest::SetUp();
    char buffer[4096];
    previous_ = getcwd(buffer, sizeof buffer) ? buffer : "/";
    ASSERT_EQ(chdir(folder_.path().c_str()), 0);
    setenv("KV5_HOME", home_.path().c_str(), 1);
    WriteFileBytes(folder_.File("test.kv5"), ReadFileBytes(KV5_SOURCE_DATA_DIR "/example.kv5"));
  }
  void TearDown() override {
    unsetenv("KV5_HOME");
    SetCadBatchDrawer(nullptr);
    if (chdir(previous_.c_str()) != 0) ADD_FAILURE() << "cannot return to " << previous_;
    RecordingTest::TearDown();
  }
  TempFolder folder_;
  TempFolder home_;
  std::string previous_;
};

TEST_F(BatchFailureTest, FullDiskKeepsTheEarlierOutputAndEndsWithZero) {
  struct Case {
    const char* option;
    const char* output;
    const char* messageStart;  // of the last message box
  };
  const Case cases[] = {
      {"/I", "test.txt", "Diskette/Platte voll"},
      {"/CAD1:01", "test.dxf", "I/O-Error"},
      {"/CAD5:01", "test.txt", "I/O-Error"},
  };
  SetCadBatchDrawer([](int, int kind) { DrawManyLines(kind); });
  for (const Case& c : cases) {
    SCOPED_TRACE(c.option);
    const std::string earlier(30000, 'a');
    WriteFileBytes(folder_.File(c.output), earlier);
    const std::set<std::string> before = FilesIn(folder_.path());
    int code = RunWithFileSizeLimit(1000, [&] {
      StartOutcome outcome = StartProgram({"test.kv5", c.option, "/NOGUI"});
      const auto& shown = recorder_.Messages();
      bool reported = !shown.empty() && shown.back().text.rfind(c.messageStart, 0) == 0;
      if (!outcome.endProcess) return 20;
      return outcome.exitCode + (reported ? 0 : 10);
    });
    EXPECT_EQ(code, kExitOk) << "exit code 0, and the failure reported (+10 when not)";
    EXPECT_EQ(ReadFileBytes(folder_.File(c.output)), earlier);
    EXPECT_EQ(FilesIn(folder_.path()), before) << "no half-written file left";
  }
}

TEST_F(BatchFailureTest, WithoutFailureTheSameRunsWriteTheirFiles) {
  // The counterpart of the test above: the runs do write when they can.
  SetCadBatchDrawer([](int, int kind) { DrawManyLines(kind); });
  for (const char* option : {"/I", "/CAD1:01"}) {
    SCOPED_TRACE(option);
    StartOutcome outcome = StartProgram({"test.kv5", option, "/NOGUI"});
    EXPECT_EQ(outcome.exitCode, kExitOk);
  }
  EXPECT_GT(ReadFileBytes(folder_.File("test.txt")).size(), 1000u);
  EXPECT_GT(ReadFileBytes(folder_.File("test.dxf")).size(), 1000u);
}

// Targets below a regular file: no process may create them, root included.
class UncreatableTargetTest : public testing::RecordingTest {
 protected:
  void SetUp() override {
    RecordingTest::SetUp();
    WriteFileBytes(blocker_, kBlockerBytes);
    tempFolder = folder_.path();
    cadFolder = folder_.path();
    projectName = "test";
    projectFolder = folder_.path();
    cadOpenAfterExport = false;
    confirmOverwrite = false;
  }
  void ExpectNothingWritten() {
    EXPECT_TRUE(abortFlag);
    EXPECT_FALSE(recorder_.Messages().empty()) << "the failure is reported";
    EXPECT_EQ(ReadFileBytes(blocker_), kBlockerBytes);
    EXPECT_EQ(FilesIn(folder_.path()), std::set<std::string>{"datei"});
  }
  static constexpr const char* kBlockerBytes = "eine Datei, kein Ordner\r\n";
  TempFolder folder_;
  const std::string blocker_ = folder_.File("datei");
  const std::string below_ = folder_.File("datei/");
};

TEST_F(UncreatableTargetTest, ProjectFile) {
  EXPECT_FALSE(WriteProjectFile(below_ + "x.kv5"));
  ExpectNothingWritten();
}

TEST_F(UncreatableTargetTest, ConfigurationFile) {
  configFolder = below_;
  SaveConfiguration();
  ExpectNothingWritten();
}

TEST_F(UncreatableTargetTest, ReportTextFile) {
  recorder_.QueueAnswer(below_ + "bericht.txt");
  OpenOutput(kChannelTextFile, "");
  StartOutputFile();
  if (!abortFlag) {
    WriteLine("eine Zeile");
    CloseOutput();
  }
  ExpectNothingWritten();
}

TEST_F(UncreatableTargetTest, CadFiles) {
  for (CadKind kind : {kCadDxf, kCadPlotFile}) {
    SCOPED_TRACE(kind);
    abortFlag = false;
    recorder_.ClearLog();
    recorder_.QueueAnswer(below_ + "zeichnung");
    DrawManyLines(kind);
    ExpectNothingWritten();
  }
}

}  // namespace
}  // namespace kv5
