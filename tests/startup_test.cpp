#include "app/core/startup.h"

#include <unistd.h>

#include <string>
#include <vector>

#include "app/core/batch_runs.h"
#include "app/core/command_line.h"
#include "dialogs/file_checks.h"
#include "model/drive_model.h"
#include "model/project_file.h"
#include "tests/test_support.h"
#include "text/configuration.h"
#include "text/messages.h"

namespace kv5 {
namespace {

// Each test runs in a fresh current folder (batch runs write there) with
// the configuration looked for in it.
class StartupTest : public testing::ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    char buffer[4096];
    previous_ = getcwd(buffer, sizeof buffer) ? buffer : "/";
    ASSERT_EQ(chdir(folder_.path().c_str()), 0);
    InitConfiguration();
    setenv("KV5_HOME", folder_.File("home/").c_str(), 1);
  }
  void TearDown() override {
    unsetenv("KV5_HOME");
    if (chdir(previous_.c_str()) != 0) ADD_FAILURE() << "cannot return to " << previous_;
    ProgramTest::TearDown();
  }
  // A calculable pin rack saved as `name` in the current folder.
  void SaveProject(const std::string& name, int z2 = 41) {
    model.chain.p = 12.7;
    model.chain.d1 = 8.51;
    model.chain.b1 = 7.75;
    model.chain.h2 = 11.8;
    model.z2 = z2;
    model.P = 1.5L;
    model.n[1] = 100;
    confirmOverwrite = false;
    ASSERT_TRUE(WriteProjectFile(folder_.File(name)));
    confirmOverwrite = true;
    InitDriveModel();
  }
  bool Exists(const std::string& name) { return testing::ReadFileBytes(folder_.File(name)) != ""; }

  testing::TempFolder folder_;
  std::string previous_;
};

TEST_F(StartupTest, HelpScreenWhateverFollows) {
  for (const std::vector<std::string>& params :
       {std::vector<std::string>{"?"}, {"/?"}, {"/?", "/I"}, {"?", "/CAD1:1", "/NOGUI"}}) {
    StartOutcome outcome = StartProgram(params);
    EXPECT_TRUE(outcome.endProcess);
    EXPECT_EQ(outcome.exitCode, 0);
  }
  std::vector<std::string> lines = HelpScreenLines();
  ASSERT_EQ(lines.size(), 19u);
  EXPECT_EQ(lines[1], "wkv5 Filename [/I] [/CADi:j] [/NOGUI]");
  EXPECT_EQ(lines[6], "            i: 1=DXF, 2=IGS, 5=TXT");
  EXPECT_EQ(lines[9], "/NOGUI  -> No GUI, exit on fatal error");
  EXPECT_EQ(lines[13], "/?       -> Help");
  EXPECT_EQ(lines[18], "Example: wkv5 test.kv5 /CAD1:01 ->  test.dxf");
  EXPECT_EQ(HelpScreenTitle(), "KV5 Command Line Mode");
}

TEST_F(StartupTest, ProjectWithoutExtensionIsRefused) {
  StartOutcome outcome = StartProgram({"test"});
  EXPECT_TRUE(outcome.endProcess);
  EXPECT_EQ(outcome.exitCode, 0);
  ASSERT_FALSE(platform_.Messages().empty());
  EXPECT_EQ(platform_.Messages().back().text, "Erweiterung .kv5 muß mit angegeben werden");
}

TEST_F(StartupTest, OptionEStartsInteractiveWithoutOpening) {
  SaveProject("test.kv5", 25);
  StartOutcome outcome = StartProgram({"test.kv5", "/E"});
  EXPECT_FALSE(outcome.endProcess);
  EXPECT_EQ(projectName, "test.kv5");
  EXPECT_EQ(model.z2, 17);  // the defaults, not the file
  EXPECT_FALSE(modified);
}

TEST_F(StartupTest, InteractiveRunOpensTheNamedProject) {
  SaveProject("test.kv5", 25);
  StartOutcome outcome = StartProgram({"test.kv5"});
  EXPECT_FALSE(outcome.endProcess);
  EXPECT_TRUE(openedFromCommandLine);
  EXPECT_EQ(model.z2, 25);
  EXPECT_TRUE(showErrorBoxes);
  EXPECT_FALSE(modified);
}

TEST_F(StartupTest, StartUpProjectsInitReadAfterNull) {
  SaveProject("null.kv5", 23);
  EXPECT_FALSE(StartProgram({}).endProcess);
  EXPECT_EQ(model.z2, 23);
  EXPECT_EQ(projectName, "");

  ResetProgramState();
  InitConfiguration();
  programFolder = folder_.File("prog/");
  ASSERT_EQ(system(("mkdir -p " + programFolder).c_str()), 0);
  SaveProject("prog/init.kv5", 29);
  EXPECT_FALSE(StartProgram({}).endProcess);
  EXPECT_EQ(model.z2, 29);
  EXPECT_EQ(projectName, "");
}

TEST_F(StartupTest, DefaultsWithoutAnyProject) {
  EXPECT_FALSE(StartProgram({}).endProcess);
  EXPECT_EQ(model.z1, 17);
  EXPECT_EQ(model.z2, 17);
  EXPECT_TRUE(model.pinRack);
  EXPECT_EQ(model.P, 1);
  EXPECT_TRUE(calcFailed);  // no profile yet: p = 0
  EXPECT_FALSE(abortFlag);
}

TEST_F(StartupTest, TextBatchRun) {
  SaveProject("test.kv5");
  for (const char* option : {"/I", "/i", "-I", "-i"}) {
    unlink(folder_.File("test.txt").c_str());
    StartOutcome outcome = StartProgram({"test.kv5", option});
    EXPECT_TRUE(outcome.endProcess) << option;
    EXPECT_EQ(outcome.exitCode, kExitOk) << option;
    EXPECT_TRUE(Exists("test.txt")) << option;
  }
}

TEST_F(StartupTest, TextBatchRunOfMissingProjectEndsWithOne) {
  StartOutcome outcome = StartProgram({"test", "/I"});
  EXPECT_TRUE(outcome.endProcess);
  EXPECT_EQ(outcome.exitCode, kExitUnreadableProject);
  EXPECT_FALSE(Exists("test.txt"));
}

TEST_F(StartupTest, FailedCalculationWritesNoReportAndEndsWithZero) {
  SaveProject("zero.kv5");
  // z2 = 0 in the file: a fatal input.
  std::string bytes = testing::ReadFileBytes(folder_.File("zero.kv5"));
  size_t line14 = 0;
  for (int i = 0; i < 13; ++i) line14 = bytes.find("\r\n", line14) + 2;
  bytes.replace(line14, bytes.find("\r\n", line14) - line14, "0");
  testing::WriteFileBytes(folder_.File("zero.kv5"), bytes);
  StartOutcome outcome = StartProgram({"zero.kv5", "/I", "/NOGUI"});
  EXPECT_EQ(outcome.exitCode, kExitOk);
  EXPECT_TRUE(calcFailed);
  EXPECT_FALSE(Exists("zero.txt"));
}

TEST_F(StartupTest, ReportLandsInCurrentFolderNotBesideTheProject) {
  ASSERT_EQ(system(("mkdir -p " + folder_.File("data")).c_str()), 0);
  SaveProject("data/test.kv5");
  StartOutcome outcome = StartProgram({folder_.File("data/test.kv5"), "/I"});
  EXPECT_EQ(outcome.exitCode, kExitOk);
  EXPECT_TRUE(Exists("test.txt"));
  EXPECT_FALSE(Exists("data/test.txt"));
}

TEST_F(StartupTest, CadOptionParsing) {
  struct Case {
    const char* option;
    int kind, drawing;
  };
  for (const Case& c : {Case{"/CAD1:01", 1, 1}, Case{"/cad2:6", 2, 6}, Case{"-CAD5:11", 5, 11},
                        Case{"/CAD1:12", 1, 12}, Case{"/CADx:3", 0, 3}, Case{"/CAD1:ab", 1, 0},
                        Case{"/CAD", 0, 0}}) {
    EXPECT_EQ(CadOptionKind(c.option), c.kind) << c.option;
    EXPECT_EQ(CadOptionDrawing(c.option), c.drawing) << c.option;
  }
  EXPECT_EQ(BatchProjectName("C:\\data\\test.kv5"), "test");
  EXPECT_EQ(BatchProjectName("/home/x/a.b.kv5"), "a.b");
  EXPECT_EQ(BatchProjectName("d:test"), "test");
}

TEST_F(StartupTest, CadBatchRunDrawsOnlyListEntries) {
  SaveProject("test.kv5");
  std::vector<std::pair<int, int>> drawn;
  SetCadBatchDrawer([&](int drawing, int kind) {
    EXPECT_TRUE(batchCad);
    drawn.push_back({drawing, kind});
  });
  EXPECT_EQ(StartProgram({"test.kv5", "/cad2:6"}).exitCode, kExitOk);
  EXPECT_EQ(StartProgram({"test.kv5", "/CAD1:12"}).exitCode, kExitOk);
  EXPECT_EQ(StartProgram({"test.kv5", "-CAD1:01"}).exitCode, kExitOk);
  EXPECT_EQ(StartProgram({"missing.kv5", "/CAD1:1"}).exitCode, kExitUnreadableProject);
  SetCadBatchDrawer(nullptr);
  EXPECT_FALSE(batchCad);
  std::vector<std::pair<int, int>> expected = {{6, 2}, {1, 1}};
  EXPECT_EQ(drawn, expected);
}

TEST_F(StartupTest, NoGuiIsFoundAnywhere) {
  commandLineParameters = {"a.kv5", "/I", "/nogui"};
  EXPECT_TRUE(NoGuiRequested());
  commandLineParameters = {"/NoGui", "a.kv5"};
  EXPECT_TRUE(NoGuiRequested());
  commandLineParameters = {"a.kv5", "/NOGUIX"};
  EXPECT_FALSE(NoGuiRequested());
}

}  // namespace
}  // namespace kv5

namespace kv5 {
namespace {

// A root diameter beyond the ISO 286 sizes adds the look-up's message and
// sets abortFlag inside the calculation; the file was read all the same, so
// the report is written with the message in its closing section.
TEST_F(StartupTest, UndefinedIsoSizeRangeStillWritesTheReport) {
  model.pinRack = false;
  SaveProject("big.kv5", 0);
  std::string bytes = testing::ReadFileBytes(folder_.File("big.kv5"));
  // Line 14 holds z2.
  size_t line14 = 0;
  for (int i = 0; i < 13; ++i) line14 = bytes.find("\r\n", line14) + 2;
  bytes.replace(line14, bytes.find("\r\n", line14) - line14, "800");
  testing::WriteFileBytes(folder_.File("big.kv5"), bytes);
  StartOutcome outcome = StartProgram({"big.kv5", "/I", "/NOGUI"});
  EXPECT_EQ(outcome.exitCode, kExitOk);
  EXPECT_FALSE(calcFailed);
  const std::string report = testing::ReadFileBytes(folder_.File("big.txt"));
  EXPECT_NE(report.find("Undefinierter Nennmassbereich"), std::string::npos);
  EXPECT_NE(report.find("BEMERKUNGEN, WARNUNGEN, FEHLERMELDUNGEN"), std::string::npos);
}

}  // namespace
}  // namespace kv5
