#include "dialogs/text_dialogs.h"

#include "model/drive_model.h"
#include "platform/platform.h"

namespace kv5 {

void AskText(const std::string& prompt, int maxLength, std::string& text) {
  auto answer = CurrentPlatform().AskText(prompt, maxLength, text);
  if (!answer) {
    abortFlag = true;
    return;
  }
  abortFlag = false;
  text = *answer;
}

}  // namespace kv5
