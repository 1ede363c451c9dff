#include "dialogs/confirm_delete.h"

#include <cstdio>

#include "dialogs/choice_dialogs.h"
#include "dialogs/file_checks.h"
#include "dialogs/message_boxes.h"
#include "model/drive_model.h"

namespace kv5 {

namespace {
constexpr int kDeleteHelpTopic = 1090;
}

bool ConfirmDelete(const std::string& extension) {
  std::string name;
  if (!AskOpenFileName(projectFolder, "*." + extension, name)) return false;
  if (!CheckFileReadable(name)) return false;
  SetHelpTopic(kDeleteHelpTopic);
  if (!AskYesNo(name + " wirklich löschen ?")) {
    abortFlag = true;
    return false;
  }
  if (std::remove(name.c_str()) != 0) {
    // Saying nothing would let the person believe the file is gone.
    ReportError(name + " kann nicht gelöscht werden !");
    abortFlag = true;
    return false;
  }
  return true;
}

}  // namespace kv5
