// Files that cannot be written, forced from outside: a target below a
// regular file (fails for root too), a missing folder, a read-only folder
// (written by a child process without root's rights) and a full disk (a
// file size limit in a forked child, SIGXFSZ ignored so that the write
// returns an error). Each time the failure is reported, nothing
// half-written is left and an earlier file of the same name survives.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/core/batch_runs.h"
#include "app/core/startup.h"
#include "cad/block_files.h"
#include "cad/cad_channel.h"
#include "cad/cad_settings.h"
#include "dialogs/file_checks.h"
#include "model/drive_model.h"
#include "model/project_file.h"
#include "platform/platform.h"
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

// Runs `work` in a child process without the rights of root (as "nobody"
// when the tests run as root), so that file permissions hold for it.
// Returns the child's exit code, -1 when it did not exit, 99 when the
// rights could not be given up.
int RunUnprivileged(const std::function<int()>& work) {
  pid_t child = fork();
  if (child < 0) return -1;
  if (child == 0) {
    constexpr uid_t kNobody = 65534;
    if (geteuid() == 0 && (setgid(kNobody) != 0 || setuid(kNobody) != 0)) _exit(99);
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
  do {  // STEP counts in a first pass and writes in a second
    CadBeginEntities();
    for (int i = 0; i < 2000; ++i) CadLine(i, 0, i, 10);
    CadEndSection();
  } while (!CadPassDone());
  CadEnd();
}

struct BatchCase {
  const char* option;
  const char* output;
  // Start of the last message box on a full disk.
  const char* fullDiskMessage;
  // The last message box when the current folder is read-only; empty: the
  // file-name test refuses the name, as a CAD batch run's test does.
  const char* readOnlyMessage;
  std::string ReadOnlyMessage() const {
    if (*readOnlyMessage) return readOnlyMessage;
    return "Ungültiger Dateiname \"" + CurrentFolder() + output + "\" !";
  }
};
const BatchCase kBatchCases[] = {
    {"/I", "test.txt", "Diskette/Platte voll", "file write error"},
    {"/CAD1:01", "test.dxf", "I/O-Error", ""},
    {"/CAD2:01", "test.igs", "I/O-Error", ""},
    {"/CAD5:01", "test.txt", "I/O-Error", ""},
    {"/CAD6:01", "test.stl", "I/O-Error", ""},
    {"/CAD7:01", "test.stp", "I/O-Error", ""},
};

// The drawings a CAD batch run makes: the many lines above, or the
// program's own drawing of the drive (blocks, inserts, texts).
struct Drawer {
  const char* name;
  CadBatchDrawer draw;
};
const Drawer kDrawers[] = {
    {"many lines", [](int, int kind) { DrawManyLines(kind); }},
    {"drawing of the drive", nullptr},
};

// What a batch run in a child process found, as its exit code: the run's
// own exit code, +10 when the last message box does not start with
// `messageStart`, +20 when the run did not end the process, +40 when its
// private folder holds anything but block files (a spool, a partial file).
int BatchRunResult(const std::string& option, const std::string& messageStart,
                   const testing::RecordingPlatform& recorder) {
  StartOutcome outcome = StartProgram({"test.kv5", option, "/NOGUI"});
  const auto& shown = recorder.Messages();
  bool reported = !shown.empty() && shown.back().text.rfind(messageStart, 0) == 0;
  bool privateClean = true;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(BlockFolder(), error)) {
    const std::string file = entry.path().filename().string();
    if (!(file.starts_with("$") && file.ends_with(".dx$"))) privateClean = false;
  }
  RemoveBlockFolder();  // as the end of the process does
  return outcome.exitCode + (reported ? 0 : 10) + (outcome.endProcess ? 0 : 20) +
         (privateClean ? 0 : 40);
}

// Batch runs in a fresh current folder holding the example project, with
// temporary files in a folder of their own.
class BatchFailureTest : public testing::RecordingTest {
 protected:
  void SetUp() override {
    RecordingTest::SetUp();
    char buffer[4096];
    previous_ = getcwd(buffer, sizeof buffer) ? buffer : "/";
    ASSERT_EQ(chdir(folder_.path().c_str()), 0);
    setenv("KV5_HOME", home_.path().c_str(), 1);
    const char* tmpdir = std::getenv("TMPDIR");
    previousTmpdir_ = tmpdir ? tmpdir : "";
    hadTmpdir_ = tmpdir != nullptr;
    setenv("TMPDIR", temp_.path().c_str(), 1);
    WriteFileBytes(folder_.File("test.kv5"), ReadFileBytes(KV5_SOURCE_DATA_DIR "/example.kv5"));
  }
  void TearDown() override {
    unsetenv("KV5_HOME");
    if (hadTmpdir_)
      setenv("TMPDIR", previousTmpdir_.c_str(), 1);
    else
      unsetenv("TMPDIR");
    SetCadBatchDrawer(nullptr);
    if (chdir(previous_.c_str()) != 0) ADD_FAILURE() << "cannot return to " << previous_;
    RecordingTest::TearDown();
  }
  // The size of the file the run writes without any failure (in a child,
  // so that this process keeps its state); 0 when it wrote none.
  size_t UnhinderedSize(const BatchCase& c) {
    std::filesystem::remove(folder_.File(c.output));
    RunWithFileSizeLimit(RLIM_INFINITY, [&] { return BatchRunResult(c.option, "", recorder_); });
    const size_t size = ReadFileBytes(folder_.File(c.output)).size();
    std::filesystem::remove(folder_.File(c.output));
    return size;
  }
  TempFolder folder_;
  TempFolder home_;
  TempFolder temp_;
  std::string previous_;
  std::string previousTmpdir_;
  bool hadTmpdir_ = false;
};

TEST_F(BatchFailureTest, FullDiskKeepsTheEarlierOutputAndEndsWithZero) {
  for (const Drawer& drawer : kDrawers) {
    SetCadBatchDrawer(drawer.draw);
    for (const BatchCase& c : kBatchCases) {
      if (!drawer.draw && std::string(c.option) == "/I") continue;  // no drawing
      // A disk that is full at once, and one that fills up half-way through
      // the file.
      const size_t size = UnhinderedSize(c);
      ASSERT_GT(size, 1000u) << c.option << ": the run writes a file when it can";
      for (rlim_t limit : {rlim_t{1000}, static_cast<rlim_t>(size / 2)}) {
        SCOPED_TRACE(std::string(drawer.name) + " " + c.option + " limit " + std::to_string(limit));
        const std::string earlier(30000, 'a');
        WriteFileBytes(folder_.File(c.output), earlier);
        const std::set<std::string> before = FilesIn(folder_.path());
        int code = RunWithFileSizeLimit(
            limit, [&] { return BatchRunResult(c.option, c.fullDiskMessage, recorder_); });
        EXPECT_EQ(code, kExitOk) << "exit code 0, the failure reported (+10 when not), the "
                                    "process ended (+20), the private folder clean (+40)";
        EXPECT_EQ(ReadFileBytes(folder_.File(c.output)), earlier);
        EXPECT_EQ(FilesIn(folder_.path()), before) << "no half-written file left";
        EXPECT_EQ(FilesIn(temp_.path()), std::set<std::string>{}) << "temporary folder";
      }
    }
  }
}

TEST_F(BatchFailureTest, ReadOnlyFolderKeepsTheEarlierOutputAndEndsWithZero) {
  for (const Drawer& drawer : kDrawers) {
    SetCadBatchDrawer(drawer.draw);
    for (const BatchCase& c : kBatchCases) {
      SCOPED_TRACE(std::string(drawer.name) + " " + c.option);
      const std::string earlier = "die alte Datei\r\n";
      WriteFileBytes(folder_.File(c.output), earlier);
      const std::set<std::string> before = FilesIn(folder_.path());
      // The run may read its project and use the temporary and
      // configuration folders, but not write in the current folder.
      std::filesystem::permissions(folder_.path(), std::filesystem::perms(0555));
      std::filesystem::permissions(temp_.path(), std::filesystem::perms(0777));
      std::filesystem::permissions(home_.path(), std::filesystem::perms(0777));
      int code = RunUnprivileged([&] {
        const std::string message = c.ReadOnlyMessage();
        const int result = BatchRunResult(c.option, message, recorder_);
        const auto& shown = recorder_.Messages();
        return result + (!shown.empty() && shown.back().text == message ? 0 : 10);
      });
      std::filesystem::permissions(folder_.path(), std::filesystem::perms(0700));
      ASSERT_NE(code, 99) << "cannot give up root's rights";
      EXPECT_EQ(code, kExitOk) << "exit code 0, the failure reported (+10 when not), the "
                                  "process ended (+20), the private folder clean (+40)";
      EXPECT_EQ(ReadFileBytes(folder_.File(c.output)), earlier);
      EXPECT_EQ(FilesIn(folder_.path()), before) << "no half-written file left";
      EXPECT_EQ(FilesIn(temp_.path()), std::set<std::string>{}) << "temporary folder";
    }
  }
}

TEST_F(BatchFailureTest, WithoutFailureTheSameRunsWriteTheirFiles) {
  // The counterpart of the tests above: the runs do write when they can.
  for (const Drawer& drawer : kDrawers) {
    SetCadBatchDrawer(drawer.draw);
    for (const BatchCase& c : kBatchCases) {
      SCOPED_TRACE(std::string(drawer.name) + " " + c.option);
      std::filesystem::remove(folder_.File(c.output));
      StartOutcome outcome = StartProgram({"test.kv5", c.option, "/NOGUI"});
      EXPECT_EQ(outcome.exitCode, kExitOk);
      for (const auto& shown : recorder_.Messages()) ADD_FAILURE() << shown.text;
      EXPECT_GT(ReadFileBytes(folder_.File(c.output)).size(), 1000u);
    }
  }
}

// Targets below a regular file: no process may create them, root included.
class UncreatableTargetTest : public testing::RecordingTest {
 protected:
  void SetUp() override {
    RecordingTest::SetUp();
    WriteFileBytes(blocker_, kBlockerBytes);
    tempFolder = temp_.path();
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
    // Only the private folder of block files may stay until the end.
    RemoveBlockFolder();
    EXPECT_EQ(FilesIn(temp_.path()), std::set<std::string>{});
  }
  static constexpr const char* kBlockerBytes = "eine Datei, kein Ordner\r\n";
  TempFolder folder_;
  TempFolder temp_;
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
  const std::map<CadKind, std::string> kExtensions = {{kCadDxf, "dxf"},
                                                      {kCadIges, "igs"},
                                                      {kCadPlotFile, "txt"},
                                                      {kCadStl, "stl"},
                                                      {kCadStep, "stp"}};
  // Below a regular file, and in a folder that does not exist.
  for (const std::string& target : {below_ + "zeichnung", folder_.File("fehlt/zeichnung")}) {
    for (CadKind kind : {kCadDxf, kCadIges, kCadPlotFile, kCadStl, kCadStep}) {
      SCOPED_TRACE(target + " kind " + std::to_string(kind));
      abortFlag = false;
      recorder_.ClearLog();
      recorder_.QueueAnswer(target);
      DrawManyLines(kind);
      ExpectNothingWritten();
      // The file-name test refuses the target before anything is created.
      ASSERT_EQ(recorder_.Messages().size(), 1u);
      EXPECT_EQ(recorder_.Messages()[0].text,
                "Ungültiger Dateiname \"" + target + "." + kExtensions.at(kind) + "\" !");
    }
  }
}

// STL and STEP runs keep their block bodies in files of the temporary
// folder. When those cannot be made, the drawing would come out without the
// inserted blocks: the run fails like a write error of its own file.
TEST_F(UncreatableTargetTest, BlockFilesOfStlAndStepRuns) {
  tempFolder = below_;
  const std::string earlier = "die alte Zeichnung\r\n";
  for (CadKind kind : {kCadStl, kCadStep}) {
    const std::string target = folder_.File(kind == kCadStl ? "zeichnung.stl" : "zeichnung.stp");
    SCOPED_TRACE(target);
    WriteFileBytes(target, earlier);
    abortFlag = false;
    recorder_.ClearLog();
    recorder_.QueueAnswer(folder_.File("zeichnung"));
    CadBegin(kind);
    ASSERT_FALSE(abortFlag);
    CadSetDefaultLimits();
    CadTables(0);
    CadBeginBlocks();
    CadBeginBlock("bolzen");
    CadCircle(0, 0, 3);
    CadEndBlock();
    CadEndSection();
    do {
      CadBeginEntities();
      for (int i = 0; i < 5; ++i) CadInsert("bolzen", 10 * i, 0, 0, 1, 1);
      CadLine(0, 0, 40, 0);
      CadEndSection();
    } while (!abortFlag && !CadPassDone());
    CadEnd();
    EXPECT_TRUE(abortFlag);
    ASSERT_FALSE(recorder_.Messages().empty());
    EXPECT_EQ(recorder_.Messages()[0].text.rfind("I/O-Error", 0), 0u)
        << recorder_.Messages()[0].text;
    EXPECT_EQ(ReadFileBytes(target), earlier);
    std::filesystem::remove(target);
    EXPECT_EQ(FilesIn(folder_.path()), std::set<std::string>{"datei"});
  }
}

}  // namespace
}  // namespace kv5
