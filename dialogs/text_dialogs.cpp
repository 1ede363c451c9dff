#include "dialogs/text_dialogs.h"

#include "model/drive_model.h"
#include "platform/platform.h"
#include "text/codepage.h"
#include "text/text_conversion.h"

namespace kv5 {

void AskText(const std::string& prompt, int maxLength, std::string& text) {
  auto answer = CurrentPlatform().AskText(DosToDisplay(prompt), maxLength, DosToDisplay(text));
  if (!answer) {
    abortFlag = true;
    return;
  }
  abortFlag = false;
  // The edit field holds at most maxLength characters, whatever the window
  // layer lets through.
  std::string edited = *answer;
  if (maxLength > 0) edited = Utf8Left(edited, static_cast<size_t>(maxLength));
  text = DisplayToDos(edited);
}

}  // namespace kv5
