// Block files of any content: parsing and the replay of an insert into a
// screen drawing never crash or hang.
#include "cad/cad_channel.h"
#include "cad/dxf_reader.h"
#include "model/drive_model.h"
#include "tests/fuzz/fuzz_support.h"
#include "text/configuration.h"

using namespace kv5;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::StartRun();
  const std::string bytes = fuzz::Bytes(data, size);
  (void)ParseBlockFile(bytes);

  // The block "fuzz" may insert itself or "fuzz2"; both are the input.
  tempFolder = fuzz::ScratchFolder();
  cadFolder = fuzz::ScratchFolder();
  projectName = "fuzz";
  projectFolder = fuzz::ScratchFolder();
  fuzz::WriteFile(tempFolder + "$fuzz.dx$", bytes);
  fuzz::WriteFile(tempFolder + "$fuzz2.dx$", bytes);
  CadBegin(kCadScreen);
  CadSetLimits(0, 0, 160, 120, 0);
  CadBeginEntities();
  abortFlag = false;
  CadInsert("fuzz", 10, 20, 30, 2, 0.5L);
  abortFlag = false;
  CadInsert("fuzz", 0, 0, 0, 1, 1);
  return 0;
}
