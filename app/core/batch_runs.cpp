#include "app/core/batch_runs.h"

#include "dialogs/message_boxes.h"
#include "graphics/drive_drawings.h"
#include "model/drive_model.h"
#include "model/project_file.h"
#include "text/configuration.h"
#include "text/number_format.h"
#include "text/output_channel.h"
#include "text/report.h"

namespace kv5 {

bool batchCad = false;

namespace {
CadBatchDrawer cadBatchDrawer;
}

void SetCadBatchDrawer(CadBatchDrawer drawer) {
  cadBatchDrawer = std::move(drawer);
}

std::string BatchProjectName(const std::string& parameter) {
  size_t cut = parameter.find_last_of("\\/:");
  std::string name = cut == std::string::npos ? parameter : parameter.substr(cut + 1);
  size_t dot = name.find_last_of('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

int CadOptionKind(const std::string& option) {
  if (option.size() < 5) return 0;
  char c = option[4];
  return (c >= '0' && c <= '9') ? c - '0' : 0;
}

int CadOptionDrawing(const std::string& option) {
  return option.size() < 7 ? 0 : ParseInt(option.substr(6));
}

namespace {
// Common first steps: read (and calculate) the project. False when the
// file could not be read.
bool ReadBatchProject(const std::string& parameter) {
  showErrorBoxes = true;
  projectName = parameter;
  projectFolder.clear();
  abortFlag = false;
  if (!ReadProjectFile(parameter)) return false;
  // A calculation finding (such as an undefined ISO size range) may have
  // set abortFlag; the file itself was read.
  abortFlag = false;
  projectName = BatchProjectName(parameter);
  return true;
}
}  // namespace

int RunTextBatch(const std::string& projectParameter) {
  if (!ReadBatchProject(projectParameter)) return kExitUnreadableProject;
  bool savedAsk = askChannel;
  askChannel = false;
  WriteReport(kChannelBatchTabFile);
  askChannel = savedAsk;
  return kExitOk;
}

int RunCadBatch(const std::string& projectParameter, const std::string& option) {
  if (!ReadBatchProject(projectParameter)) return kExitUnreadableProject;
  batchCad = true;
  int drawing = CadOptionDrawing(option);
  int kind = CadOptionKind(option);
  if (drawing >= 1 && drawing <= 11) {
    if (cadBatchDrawer)
      cadBatchDrawer(drawing, kind);
    else
      DrawDriveMenu(drawing, kind);
  }
  batchCad = false;
  return kExitOk;
}

}  // namespace kv5
