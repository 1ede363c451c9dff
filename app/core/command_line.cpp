#include "app/core/command_line.h"

#include <algorithm>
#include <cctype>

namespace kv5 {

std::vector<std::string> commandLineParameters;

bool NoGuiRequested() {
  return std::any_of(commandLineParameters.begin(), commandLineParameters.end(),
                     [](const std::string& p) {
                       if (p.size() != 6) return false;
                       std::string upper = p;
                       for (char& c : upper) c = static_cast<char>(std::toupper(c));
                       return upper == "/NOGUI";
                     });
}

}  // namespace kv5
