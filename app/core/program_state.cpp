#include "app/core/program_state.h"

#include "app/core/batch_runs.h"
#include "app/core/command_line.h"
#include "app/core/main_commands.h"
#include "app/core/recent_files.h"
#include "cad/block_files.h"
#include "cad/cad_channel.h"
#include "cad/cad_settings.h"
#include "cad/linplot.h"
#include "dialogs/choice_dialogs.h"
#include "dialogs/file_checks.h"
#include "graphics/drawing_info.h"
#include "graphics/drive_drawings.h"
#include "graphics/frame_settings.h"
#include "graphics/graphics_window.h"
#include "graphics/hatching.h"
#include "graphics/help_picture.h"
#include "model/chain_tables.h"
#include "model/drive_model.h"
#include "text/configuration.h"
#include "text/interface_texts.h"
#include "text/messages.h"
#include "text/number_format.h"
#include "text/output_channel.h"
#include "text/string_routines.h"
#include "text/text_conversion.h"
#include "text/units.h"

namespace kv5 {

void ResetProgramState() {
  InitDriveModel();
  stlFitClearanceBore = 0;
  commandLineParameters.clear();
  batchCad = false;
  InitRecentFiles();
  ClearMessages();
  hideWarnings = false;
  decimalsSetting = 3;
  InitUnits();
  InitTextConversion();
  InitStringRoutines();
  InitConfiguration();
  InitInterfaceTexts();
  InitFileChecks();
  InitDrawingInfo();
  InitFrameSettings();
  InitChoiceDialogs();
  InitOutputChannel();
  InitGraphicsWindow();
  InitHelpPicture();
  InitHatching();
  InitCadSettings();
  InitCadChannel();
  InitBlockFiles();
  InitLinplot();
  InitDriveDrawings();
  InitChainTables();
  SetMainWindowHooks({});
}

}  // namespace kv5
