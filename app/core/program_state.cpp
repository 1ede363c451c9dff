#include "app/core/program_state.h"

#include "dialogs/file_checks.h"
#include "model/drive_model.h"
#include "text/messages.h"
#include "text/number_format.h"

namespace kv5 {

void ResetProgramState() {
  InitDriveModel();
  ClearMessages();
  hideWarnings = false;
  decimalsSetting = 3;
  InitFileChecks();
}

}  // namespace kv5
