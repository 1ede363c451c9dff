// wkv5: the program entry. Batch runs (/I, /CADi:j) and the help screen run
// without any window; an interactive run opens the main window.
#include <cstdio>
#include <string>
#include <vector>

#include "app/core/command_line.h"
#include "app/core/program_state.h"
#include "app/core/startup.h"
#include "platform/platform.h"
#ifdef KV5_HAS_WINDOW
#include "app/qt/desktop_main.h"
#endif

namespace {

constexpr int kExitNoDisplay = 2;

void ExplainHeadlessUse(const char* reason) {
  std::fprintf(stderr,
               "wkv5: %s\n"
               "Without a window, run a batch job in the folder of the project:\n"
               "  wkv5 test.kv5 /I        writes the report test.txt\n"
               "  wkv5 test.kv5 /CAD1:01  writes drawing 1 as test.dxf\n"
               "  wkv5 /?                 shows the command line\n"
               "or open the window off-screen: QT_QPA_PLATFORM=offscreen wkv5 ...\n",
               reason);
}

}  // namespace

int main(int argc, char** argv) {
  kv5::ResetProgramState();
  std::vector<std::string> parameters(argv + 1, argv + argc);
  if (kv5::NeedsWindow(parameters)) {
#ifdef KV5_HAS_WINDOW
    if (!kv5::WindowSystemAvailable()) {
      ExplainHeadlessUse(
          "the window needs a display, and none was found (DISPLAY, "
          "WAYLAND_DISPLAY and QT_QPA_PLATFORM are unset).");
      return kExitNoDisplay;
    }
    return kv5::RunDesktop(argc, argv, parameters);
#else
    ExplainHeadlessUse("this build has no window.");
    return kExitNoDisplay;
#endif
  }
  kv5::StartOutcome outcome = kv5::StartProgram(parameters);
  kv5::FinishProgram();
  return outcome.exitCode;
}
