// Build step: turns the UTF-8 source of the explanation file into kv5.err
// (code page 850, CR LF). Any fault of the source fails the build, so the
// delivered file always parses.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "text/explanation_source.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s source.txt kv5.err\n", argv[0]);
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "%s: cannot be read\n", argv[1]);
    return 1;
  }
  std::ostringstream text;
  text << in.rdbuf();
  kv5::ExplanationSource source = kv5::ParseExplanationSource(text.str());
  for (const std::string& error : source.errors)
    std::fprintf(stderr, "%s:%s\n", argv[1], error.c_str());
  if (!source.errors.empty()) return 1;
  // Written beside the target and renamed, so that a failed run leaves no
  // half file that a later build would take as up to date.
  std::string temporary = std::string(argv[2]) + ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out << kv5::ExplanationFileBytes(source.records);
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
