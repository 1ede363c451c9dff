// Project files of any content: reading never crashes or hangs, and a
// project that was read saves to a file that reads back to the same file.
#include "dialogs/file_checks.h"
#include "model/drive_model.h"
#include "model/project_file.h"
#include "tests/fuzz/fuzz_support.h"

using namespace kv5;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::StartRun();
  const std::string& folder = fuzz::ScratchFolder();
  const std::string input = folder + "input.kv5";
  fuzz::WriteFile(input, fuzz::Bytes(data, size));
  confirmOverwrite = false;
  if (!ReadProjectFile(input)) return 0;

  // Saving what was read and reading it again must settle at once.
  const std::string first = folder + "first.kv5";
  const std::string second = folder + "second.kv5";
  abortFlag = false;
  if (!WriteProjectFile(first)) fuzz::Fail("a project that was read cannot be saved");
  if (!ReadProjectFile(first)) fuzz::Fail("a saved project cannot be read");
  abortFlag = false;
  if (!WriteProjectFile(second)) fuzz::Fail("a read-back project cannot be saved");
  if (fuzz::ReadFile(first) != fuzz::ReadFile(second))
    fuzz::Fail("saving a read-back project changes the file");
  return 0;
}
