// wkv5: the program entry. Batch runs (/I, /CADi:j) and the help screen
// end here; an interactive run needs the window layer.
#include <cstdio>
#include <string>
#include <vector>

#include "app/core/program_state.h"
#include "app/core/startup.h"

int main(int argc, char** argv) {
  kv5::ResetProgramState();
  std::vector<std::string> parameters(argv + 1, argv + argc);
  kv5::StartOutcome outcome = kv5::StartProgram(parameters);
  if (!outcome.endProcess) {
    std::fprintf(stderr,
                 "wkv5: this build has no window; use /I or /CADi:j (wkv5 /? shows the "
                 "command line)\n");
  }
  kv5::FinishProgram();
  return outcome.exitCode;
}
