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

// The batch options of parameter 2: "/I" (also "/i", "-I", "-i") and
// "/CADi:j" (also "-CAD", any case).
bool IsTextBatchOption(const std::string& parameter);
bool IsCadBatchOption(const std::string& parameter);

// Whether a start with these parameters runs interactively and so needs a
// window: false for the help screen and the batch runs (/I, /CADi:j),
// which end without ever showing one.
bool NeedsWindow(const std::vector<std::string>& parameters);

}  // namespace kv5
