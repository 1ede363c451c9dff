#include "dialogs/message_boxes.h"

#include "app/core/identity.h"
#include "model/drive_model.h"
#include "platform/platform.h"

namespace kv5 {

void ShowInfo(const std::string& text) {
  CurrentPlatform().MessageBox("Meldung:", text);
}

void ShowError(const std::string& text) {
  CurrentPlatform().MessageBox("Fehler : ", text);
}

void ReportError(const std::string& text) {
  if (showErrorBoxes) ShowError(text);
}

void ShowTitled(const std::string& title, const std::string& text) {
  CurrentPlatform().MessageBox(title, text);
}

bool AskYesNo(const std::string& question) {
  switch (CurrentPlatform().AskYesNoCancel(programTitle, question)) {
    case YesNoCancel::Yes:
      return true;
    case YesNoCancel::No:
      return false;
    case YesNoCancel::Cancel:
      break;
  }
  abortFlag = true;
  return false;
}

}  // namespace kv5
