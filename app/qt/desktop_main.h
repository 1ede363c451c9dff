// The interactive run: the Qt application, its platform, the start-up and
// the main window until it is closed.
#pragma once

#include <string>
#include <vector>

namespace kv5 {

// Returns the exit code of the process.
int RunDesktop(int& argc, char** argv, const std::vector<std::string>& parameters);

}  // namespace kv5
