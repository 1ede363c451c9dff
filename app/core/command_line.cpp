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

bool IsTextBatchOption(const std::string& p) {
  return p == "/I" || p == "/i" || p == "-I" || p == "-i";
}

bool IsCadBatchOption(const std::string& p) {
  std::string head = p.substr(0, 4);
  for (char& c : head) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return head == "/CAD" || head == "-CAD";
}

bool NeedsWindow(const std::vector<std::string>& parameters) {
  if (parameters.empty()) return true;
  if (parameters[0] == "?" || parameters[0] == "/?") return false;
  if (parameters.size() < 2) return true;
  return !IsTextBatchOption(parameters[1]) && !IsCadBatchOption(parameters[1]);
}

}  // namespace kv5
