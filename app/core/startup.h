// Program start: identity, configuration, recent files, command line,
// start-up projects "null" and "init", and the first calculation. A batch
// run does its whole work here and ends the process.
#pragma once

#include <string>
#include <vector>

namespace kv5 {

// What the caller does after the start-up: go on to the interactive run,
// or end the process with the exit code.
struct StartOutcome {
  bool endProcess = false;
  int exitCode = 0;
};

// The start-up steps of the main window's creation that need no window
// (configuration, recent files, StartUp), for the given parameters.
StartOutcome StartProgram(const std::vector<std::string>& parameters);

// The start-up sequence proper: command line, start-up projects, first
// calculation.
StartOutcome StartUp();

// The lines of the command-line help screen and its title.
std::string HelpScreenTitle();
std::vector<std::string> HelpScreenLines();

// The end-of-process clean-up (recent-files list).
void FinishProgram();

}  // namespace kv5
