// Explanation files of any content: looking up cause and remedy never
// crashes or hangs, and an explanation that was saved is the one found
// afterwards. The same bytes also go through the reader of the source file
// that the build turns into the explanation file.
#include <vector>

#include "model/drive_model.h"
#include "model/line_file.h"
#include "tests/fuzz/fuzz_support.h"
#include "text/configuration.h"
#include "text/explanation_source.h"
#include "text/message_explanations.h"
#include "text/messages.h"

using namespace kv5;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  HeadlessPlatform& platform = fuzz::StartRun();
  const std::string bytes = fuzz::Bytes(data, size);

  ExplanationSource source = ParseExplanationSource(bytes);
  (void)ExplanationFileBytes(source.records);

  pltFolder = fuzz::ScratchFolder();
  fuzz::WriteFile(ExplanationFileName(), bytes);
  // Messages that the file may hold: its first and fourth line, as the
  // program reads them, and one it will rarely hold.
  LineReader lines;
  lines.OpenText(bytes);
  std::string line;
  for (size_t i = 0; i < 4 && lines.ReadTextLine(line); ++i)
    if (i == 0 || i == 3) AddMessage(line);
  AddMessage("Fehler : SB < 7 ! (6.8)");
  for (int i = 1; i <= MessageCount(); ++i) {
    (void)MessageCause(i);
    (void)MessageRemedy(i);
  }

  const std::string cause = "Ursache \xC3\xA4nderung";  // "Ursache änderung"
  const std::string remedy = "Abhilfe";
  platform.ClearLog();
  abortFlag = false;
  SaveExplanation(MessageText(1), cause, remedy);
  if (abortFlag || !platform.Messages().empty()) return 0;  // refused or failed, with a box
  if (MessageCause(1) != cause || MessageRemedy(1) != remedy)
    fuzz::Fail("a saved explanation is not found afterwards");
  return 0;
}
