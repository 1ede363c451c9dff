#include "app/core/main_commands.h"

#include "app/core/identity.h"
#include "app/core/recent_files.h"
#include "cad/block_files.h"
#include "cad/cad_channel.h"
#include "dialogs/file_checks.h"
#include "dialogs/message_boxes.h"
#include "graphics/drawing_info.h"
#include "graphics/drive_drawings.h"
#include "graphics/graphics_window.h"
#include "model/drive_calculation.h"
#include "model/drive_model.h"
#include "model/line_file.h"
#include "model/project_file.h"
#include "platform/platform.h"
#include "text/message_explanations.h"
#include "text/messages.h"
#include "text/report.h"
#include "text/string_routines.h"

namespace kv5 {

namespace {

MainWindowHooks hooks;

void Run(const std::function<void()>& dialog) {
  if (dialog) dialog();
}

void RefreshWindow() {
  if (hooks.refreshWindow) hooks.refreshWindow();
}

// The recent-files entry of the current project.
std::string CurrentProjectPath() {
  if (projectName.find('.') != std::string::npos) return projectName;
  return AddBackslash(projectFolder) + projectName + "." + kProjectExtension;
}

// Saves under the current name; an existing file is replaced without the
// overwrite question (it is the project's own file).
bool SaveUnderCurrentName() {
  const bool confirmBefore = confirmOverwrite;
  confirmOverwrite = false;
  const bool saved = WriteProjectFile(projectName);
  confirmOverwrite = confirmBefore;
  return saved;
}

// Edit commands: the dialog, and on OK the calculation and the new view.
void EditWith(const std::function<void()>& dialog) {
  abortFlag = false;
  Run(dialog);
  if (abortFlag) return;
  CalculateDrive();
  RefreshView();
  modified = true;
  RefreshWindow();
}

}  // namespace

void SetMainWindowHooks(MainWindowHooks newHooks) {
  hooks = std::move(newHooks);
}
const MainWindowHooks& mainWindowHooks() {
  return hooks;
}

MenuState CurrentMenuState() {
  MenuState state;
  const int count = MessageCount();
  state.errorMessagesCaption = "&Fehlermeldungen (" + std::to_string(count) + ")";
  state.errorMessagesEnabled = count > 0;
  state.carrierVisible = !model.pinRack;
  state.yokeVisible = model.pinRack;
  return state;
}

std::string MainWindowCaption() {
  if (projectName.empty()) return std::string(programTitle) + "   V " + programVersion;
  if (projectName.find('.') == std::string::npos)
    return std::string(programTitle) + "  -  " + projectName + "." + kProjectExtension;
  return std::string(programTitle) + "  -  " + projectName;
}

// An absolute path keeps its first folder where a drive letter would stand:
// "/home/.../test.kv5".
std::string ShownRecentPath(const std::string& path) {
  const size_t start = !path.empty() && path[0] == '/' ? 1 : 0;
  const size_t first = path.find('/', start);
  const size_t last = path.rfind('/');
  if (path.size() < 50 || first == std::string::npos || first == last) return path;
  return path.substr(0, first + 1) + "..." + path.substr(last);
}

void ConfirmDiscardOrSave() {
  if (openedFromCommandLine && archiveMode) {
    modified = false;
    return;
  }
  if (!projectName.empty() && modified) {
    if (AskYesNo("Datei speichern (" + ProjectFileName() + ") ?")) {
      // A failed save leaves abortFlag set, so the command stops and the
      // changes are not discarded.
      if (SaveUnderCurrentName()) modified = false;
    } else if (!abortFlag) {
      modified = false;
    }
  } else if (modified) {
    if (AskYesNo("Bisherige Eingaben verwerfen ?"))
      modified = false;
    else
      abortFlag = true;
  }
}

void InputSequence(bool withPreDesign) {
  Run(hooks.documentTexts);
  if (abortFlag) return;
  if (withPreDesign) {
    Run(hooks.preDesign);
    if (abortFlag) return;
  }
  Run(hooks.geometry);
  if (abortFlag) return;
  Run(hooks.load);
  if (abortFlag) {
    abortFlag = false;
    CalculateDrive();
    return;
  }
  CalculateDrive();
  modified = true;
  ShowMessageList();
}

void RefreshView() {
  RefreshWindow();  // menu state
  DrawDefaultResult();
  RefreshWindow();
}

void FileNew() {
  abortFlag = false;
  ConfirmDiscardOrSave();
  if (abortFlag) return;
  for (int i = 0; i < 3; ++i) model.infoText[static_cast<size_t>(i)].clear();
  model.chainRecordNo = 0;
  if (FileExists(AddBackslash(projectFolder) + "null." + kProjectExtension))
    ReadProjectFile("null");
  abortFlag = false;
  projectName.clear();
  RefreshWindow();
  ResetDrawingInfo();
  GrClear();
  InputSequence(true);
  abortFlag = false;
  RefreshView();
  modified = true;
  RefreshWindow();
}

void FileOpen() {
  abortFlag = false;
  ConfirmDiscardOrSave();
  if (abortFlag) return;
  if (!ReadProjectFile("") || abortFlag) return;
  CalculateDrive();
  modified = false;
  AddRecentFile(CurrentProjectPath());
  RefreshView();
}

void FileOpenTable() {
  abortFlag = false;
  ConfirmDiscardOrSave();
  if (abortFlag) return;
  projectName.clear();
  GrClear();
  const ProjectTable table = BuildProjectTable([](const std::string& file) {
    CurrentPlatform().SetStatusText(std::string(programTitle) + " -> " + file);
  });
  while (true) {
    abortFlag = false;
    std::optional<int> chosen = hooks.projectTable ? hooks.projectTable(table) : std::nullopt;
    if (!chosen || *chosen < 0 || *chosen >= static_cast<int>(table.files.size())) break;
    const std::string& file = table.files[static_cast<size_t>(*chosen)];
    projectName = BaseNamePart(file);
    ReadProjectFile(AddBackslash(projectFolder) + file);
    if (!abortFlag) {
      modified = false;
      RefreshView();
    }
  }
  abortFlag = false;
  RefreshWindow();
}

void FileSave() {
  abortFlag = false;
  if (SaveUnderCurrentName()) modified = false;
  RefreshWindow();
}

void FileSaveAs() {
  abortFlag = false;
  const bool confirmBefore = confirmOverwrite;
  confirmOverwrite = true;
  const bool saved = WriteProjectFile("");
  confirmOverwrite = confirmBefore;
  if (saved) {
    modified = false;
    AddRecentFile(CurrentProjectPath());
  }
  RefreshWindow();
}

void FileOpenRecent(int index) {
  abortFlag = false;
  if (index < 0 || index >= kRecentFileCount) return;
  ConfirmDiscardOrSave();
  if (abortFlag) return;
  const std::string path = recentFiles[static_cast<size_t>(index)];
  if (path.empty()) return;
  if (!FileExists(path)) {
    RemoveRecentFile(index);
    RefreshWindow();
    ShowInfo("File " + path + " not found !");
    return;
  }
  // The project keeps its folder and bare name, so that Save writes it
  // back where it came from.
  if (ReadProjectFile(path)) {
    projectFolder = FolderPart(path);
    projectName = BaseNamePart(path);
    AddRecentFile(CurrentProjectPath());
    modified = false;
    RefreshView();
  }
  RefreshWindow();
}

void EditQuick() {
  abortFlag = false;
  InputSequence(false);
  abortFlag = false;
  RefreshView();
  modified = true;
  RefreshWindow();
}

void EditText() {
  abortFlag = false;
  Run(hooks.documentTexts);
  if (!abortFlag) modified = true;
  RefreshWindow();
}

void EditGeometry() {
  EditWith(hooks.geometry);
}

void EditLoad() {
  EditWith(hooks.load);
}

void EditPreDesign() {
  abortFlag = false;
  Run(hooks.preDesign);
  if (!abortFlag) modified = true;
  abortFlag = false;
  CalculateDrive();
  RefreshView();
}

void ViewReport() {
  abortFlag = false;
  WriteReport();
}

void ViewDrawing(int item) {
  abortFlag = false;
  DrawDriveMenu(item, kCadScreen);
  RefreshWindow();
}

void CadDrawing(int item) {
  abortFlag = false;
  DrawDriveMenu(item, 0);
}

void CadYoke() {
  abortFlag = false;
  DrawPartsMenu(0);
}

void ShowMessages() {
  abortFlag = false;
  ShowMessageList();
}

bool MainWindowMayClose() {
  abortFlag = false;
  ConfirmDiscardOrSave();
  if (abortFlag) return false;
  CurrentPlatform().SetStatusText("Lösche temporäre Dateien ...");
  DeleteBlockFiles();
  CurrentPlatform().SetStatusText("");
  return true;
}

void MainWindowDestroyed() {
  WriteRecentFiles();
}

}  // namespace kv5
