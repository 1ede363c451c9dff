#include "text/string_routines.h"

namespace kv5 {

short dateFormat = 3;

std::string AddBackslash(const std::string& folder) {
  if (folder.empty() || folder.back() == '/' || folder.back() == '\\') return folder;
  return folder + "/";
}

}  // namespace kv5
