// Project files of any content: reading never crashes or hangs, and a
// project that was read saves to a file that reads back to the same file.
//
// Reals are stored with 7 decimals, so an input with more digits loses
// them in the first save, and values the calculation derives from it (T1
// from P and n1, say) may move in their last digits once. Therefore:
// the first save and the second agree line by line, except that a number
// may change its digits but not between zero and non-zero (a zero that
// stands for "derive it" must not turn into a value, nor back); and from
// the second save on, the file no longer changes at all.
#include <sstream>
#include <vector>

#include "dialogs/file_checks.h"
#include "model/drive_model.h"
#include "model/project_file.h"
#include "tests/fuzz/fuzz_support.h"
#include "text/number_format.h"

using namespace kv5;

namespace {

std::vector<std::string> Lines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::istringstream in(bytes);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// Same line, or two numbers that are both zero or both not.
bool LinesAgree(const std::string& a, const std::string& b) {
  if (a == b) return true;
  Real x = 0, y = 0;
  if (!TryParseNumber(a, x) || !TryParseNumber(b, y)) return false;
  return (x == 0) == (y == 0);
}

void SaveAndReadBack(const std::string& file) {
  abortFlag = false;
  if (!WriteProjectFile(file)) fuzz::Fail("a project that was read cannot be saved");
  if (!ReadProjectFile(file)) fuzz::Fail("a saved project cannot be read");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::StartRun();
  const std::string& folder = fuzz::ScratchFolder();
  const std::string input = folder + "input.kv5";
  fuzz::WriteFile(input, fuzz::Bytes(data, size));
  confirmOverwrite = false;
  if (!ReadProjectFile(input)) return 0;

  const std::string first = folder + "first.kv5";
  const std::string second = folder + "second.kv5";
  const std::string third = folder + "third.kv5";
  SaveAndReadBack(first);
  SaveAndReadBack(second);
  abortFlag = false;
  if (!WriteProjectFile(third)) fuzz::Fail("a read-back project cannot be saved");

  const std::vector<std::string> firstLines = Lines(fuzz::ReadFile(first));
  const std::vector<std::string> secondLines = Lines(fuzz::ReadFile(second));
  if (firstLines.size() != secondLines.size())
    fuzz::Fail("saving a read-back project changes the number of lines");
  for (size_t i = 0; i < firstLines.size(); ++i)
    if (!LinesAgree(firstLines[i], secondLines[i]))
      fuzz::Fail("saving a read-back project changes a line");
  if (fuzz::ReadFile(second) != fuzz::ReadFile(third))
    fuzz::Fail("saving a project in the file's own precision changes the file");
  return 0;
}
