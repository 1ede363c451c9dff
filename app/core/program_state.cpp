#include "app/core/program_state.h"

#include "model/drive_model.h"
#include "text/configuration.h"
#include "text/messages.h"
#include "text/number_format.h"

namespace kv5 {

void ResetProgramState() {
  InitDriveModel();
  InitConfiguration();
  ClearMessages();
  hideWarnings = false;
  decimalsSetting = 3;
}

}  // namespace kv5
