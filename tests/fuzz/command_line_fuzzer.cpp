// Command lines of any content (one parameter per input line): the
// start-up with its batch runs never crashes or hangs, ends with one of
// the batch exit codes, and hands the drawing layer only drawings of the
// list.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

#include "app/core/batch_runs.h"
#include "app/core/startup.h"
#include "tests/fuzz/fuzz_support.h"

using namespace kv5;

namespace {

constexpr size_t kMaxParameters = 6;

std::vector<std::string> Parameters(const std::string& bytes) {
  std::vector<std::string> parameters;
  size_t start = 0;
  while (start <= bytes.size() && parameters.size() < kMaxParameters) {
    size_t end = bytes.find('\n', start);
    if (end == std::string::npos) end = bytes.size();
    parameters.push_back(bytes.substr(start, end - start));
    start = end + 1;
  }
  return parameters;
}

void CheckOptionParsing(const std::string& parameter) {
  int kind = CadOptionKind(parameter);
  if (kind < 0 || kind > 9) fuzz::Fail("CAD kind outside 0..9");
  (void)CadOptionDrawing(parameter);
  if (BatchProjectName(parameter).find_first_of("\\/:") != std::string::npos)
    fuzz::Fail("batch project name keeps a folder");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // Runs happen in a folder of their own with the example project in it;
  // the help screen's text goes nowhere.
  const std::string folder = fuzz::ScratchFolder() + "run/";
  if (mkdir(folder.c_str(), 0700) != 0 || chdir(folder.c_str()) != 0) std::abort();
  fuzz::WriteFile(folder + "test.kv5", fuzz::ReadFile(KV5_SOURCE_DATA_DIR "/example.kv5"));
  setenv("KV5_HOME", (fuzz::ScratchFolder() + "home/").c_str(), 1);
  int null = open("/dev/null", O_WRONLY);
  if (null >= 0) dup2(null, STDOUT_FILENO);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::StartRun();
  std::vector<std::string> parameters = Parameters(fuzz::Bytes(data, size));
  for (const std::string& parameter : parameters) CheckOptionParsing(parameter);
  SetCadBatchDrawer([](int drawing, int) {
    if (drawing < 1 || drawing > 11) fuzz::Fail("a drawing outside the list was drawn");
  });
  StartOutcome outcome = StartProgram(parameters);
  SetCadBatchDrawer(nullptr);
  if (outcome.exitCode != kExitOk && outcome.exitCode != kExitUnreadableProject)
    fuzz::Fail("exit code is neither 0 nor 1");
  return 0;
}
