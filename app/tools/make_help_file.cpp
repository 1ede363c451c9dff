// Build step: turns the UTF-8 source of a help text file into the
// delivered file (code page 850, CR LF). A fault of the source, or a
// picture it names that is missing from the picture folder, fails the
// build.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "graphics/help_file_source.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s source.txt target.hlp picture-folder\n", argv[0]);
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "%s: cannot be read\n", argv[1]);
    return 1;
  }
  std::ostringstream text;
  text << in.rdbuf();
  const kv5::HelpSource source = kv5::ParseHelpSource(text.str(), argv[3]);
  for (const std::string& error : source.errors)
    std::fprintf(stderr, "%s:%s\n", argv[1], error.c_str());
  if (!source.errors.empty()) return 1;
  // Written beside the target and renamed: a failed run leaves no half file.
  const std::string temporary = std::string(argv[2]) + ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out << kv5::HelpFileBytes(text.str());
    if (!out.flush()) {
      std::fprintf(stderr, "%s: cannot be written\n", temporary.c_str());
      return 1;
    }
  }
  if (std::rename(temporary.c_str(), argv[2]) != 0) {
    std::fprintf(stderr, "%s: cannot be written\n", argv[2]);
    return 1;
  }
  return 0;
}
