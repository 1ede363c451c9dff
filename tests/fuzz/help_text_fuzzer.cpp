// Help text files of any content: looking up a topic ends, gives five lines
// and the missing-topic text when nothing matches, and the build's source
// check never crashes. The first two bytes choose the topic.
#include <string>

#include "graphics/help_file_source.h"
#include "graphics/help_texts.h"
#include "tests/fuzz/fuzz_support.h"

using namespace kv5;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::StartRun();
  if (size < 2) return 0;
  const int topic = (data[0] << 8 | data[1]) % 10000;
  const std::string bytes = fuzz::Bytes(data + 2, size - 2);
  const HelpTopic help = LookUpHelpTopicInText(bytes, topic);
  if (!help.found &&
      help.lines[0] != "Hilfetext Nr " + std::to_string(topic) + ": keine Hilfe vorhanden.")
    fuzz::Fail("a missing topic without its text");
  (void)HelpMessageText(help);
  const HelpSource source = ParseHelpSource(bytes);
  (void)HelpFileBytes(bytes);
  (void)source;
  return 0;
}
