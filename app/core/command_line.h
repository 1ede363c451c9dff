// The parameters the program was started with.
#pragma once

#include <string>
#include <vector>

namespace kv5 {

// Parameters 1..n as given (index 0 = parameter 1).
extern std::vector<std::string> commandLineParameters;

// Whether any parameter is "/NOGUI" (without regard to case): no message
// window is ever shown.
bool NoGuiRequested();

}  // namespace kv5
