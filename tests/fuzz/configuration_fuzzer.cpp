// Configuration files of any content: loading never crashes or hangs, and
// the settings as loaded save to a file that loads back to the same file.
#include <cstdlib>

#include "model/drive_model.h"
#include "tests/fuzz/fuzz_support.h"
#include "text/configuration.h"

using namespace kv5;

namespace {

// Start-up state, then loads kv5.cfg from the scratch folder.
void LoadFromScratch() {
  fuzz::StartRun();
  configFolder = fuzz::ScratchFolder();
  LoadConfiguration();
  abortFlag = false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // No installation folder: only the scratch folder holds a file.
  static const bool homeSet = setenv("KV5_HOME", (fuzz::ScratchFolder() + "home/").c_str(), 1) == 0;
  (void)homeSet;
  const std::string file = fuzz::ScratchFolder() + "kv5.cfg";
  fuzz::WriteFile(file, fuzz::Bytes(data, size));
  LoadFromScratch();
  SaveConfiguration();
  if (abortFlag) fuzz::Fail("the settings as loaded cannot be saved");
  const std::string first = fuzz::ReadFile(file);
  LoadFromScratch();
  SaveConfiguration();
  if (fuzz::ReadFile(file) != first) {
    // Kept beside the second save (the scratch folder outlives an abort).
    fuzz::WriteFile(fuzz::ScratchFolder() + "first.cfg", first);
    fuzz::Fail("saving loaded settings changes the file");
  }
  return 0;
}
