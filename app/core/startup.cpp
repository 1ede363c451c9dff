#include "app/core/startup.h"

#include <cctype>
#include <cstdio>

#include "app/core/batch_runs.h"
#include "app/core/command_line.h"
#include "app/core/help_menu.h"
#include "app/core/identity.h"
#include "app/core/recent_files.h"
#include "dialogs/file_checks.h"
#include "dialogs/message_boxes.h"
#include "model/drive_calculation.h"
#include "model/drive_model.h"
#include "model/line_file.h"
#include "model/project_file.h"
#include "platform/platform.h"
#include "text/configuration.h"
#include "text/string_routines.h"

namespace kv5 {

namespace {

void ShowHelpScreen() {
  std::string text;
  for (const std::string& line : HelpScreenLines()) text += line + "\n";
  Platform& platform = CurrentPlatform();
  if (platform.Interactive()) {
    platform.MessageBox(HelpScreenTitle(), text);
  } else {
    std::printf("%s\n%s", HelpScreenTitle().c_str(), text.c_str());
    std::fflush(stdout);
  }
}

// The start-up projects of an interactive run without a named project.
void ReadStartupProjects() {
  projectFolder = AddBackslash(dataFolder) + projectFolder;
  std::string ext = projectExt;
  if (FileExists(AddBackslash(projectFolder) + "null." + ext)) {
    ReadProjectFile("null");
    projectName.clear();
  }
  if (FileExists(AddBackslash(programFolder) + "init." + ext)) {
    std::string remembered = projectFolder;
    projectFolder = programFolder;
    ReadProjectFile("init");
    projectFolder = remembered;
    projectName.clear();
  }
}

}  // namespace

std::string HelpScreenTitle() {
  return std::string(programName) + " Command Line Mode";
}

std::vector<std::string> HelpScreenLines() {
  std::string base = programFileBase;
  std::string ext = projectExt;
  return {"",
          "w" + base + " Filename [/I] [/CADi:j] [/NOGUI]",
          "",
          "/I       -> TXT file",
          "",
          "/CADi:j  -> CAD File",
          "            i: 1=DXF, 2=IGS, 5=TXT",
          "            j: index (1,2,3, ..)",
          "",
          "/NOGUI  -> No GUI, exit on fatal error",
          "",
          "",
          "",
          "/?       -> Help",
          "",
          "",
          "Example: w" + base + " test." + ext + "          ->  GUI",
          "Example: w" + base + " test." + ext + " /I       ->  test.txt",
          "Example: w" + base + " test." + ext + " /CAD1:01 ->  test.dxf"};
}

StartOutcome StartUp() {
  abortFlag = false;
  showErrorBoxes = true;
  CheckFolders();
  projectFolder.clear();

  const auto& params = commandLineParameters;
  if (!params.empty()) {
    const std::string& first = params[0];
    if (first == "?" || first == "/?") {
      ShowHelpScreen();
      return {true, 0};
    }
    projectName = first;
    projectFolder.clear();
    std::string option = params.size() > 1 ? params[1] : std::string();
    if (option == "/E" || option == "/e" || option == "/G") {
      // Interactive run; the named file is not opened.
    } else if (IsTextBatchOption(option)) {
      return {true, RunTextBatch(first)};
    } else if (IsCadBatchOption(option)) {
      return {true, RunCadBatch(first, option)};
    } else {
      if (first.find('.') == std::string::npos) {
        ShowError(std::string("Erweiterung .") + projectExt + " muß mit angegeben werden");
        return {true, 0};
      }
      showErrorBoxes = false;
      bool read = ReadProjectFile(first);
      openedFromCommandLine = true;
      showErrorBoxes = true;
      if (!read) {
        abortFlag = false;
        CheckNewFileName(first);
        if (abortFlag) return {true, 0};
      }
    }
  }

  if (openedFromCommandLine) {
    projectFolder.clear();
  } else {
    ReadStartupProjects();
  }
  abortFlag = false;
  CalculateDrive();
  abortFlag = false;
  modified = false;
  ShowStartPicture();
  return {};
}

StartOutcome StartProgram(const std::vector<std::string>& parameters) {
  commandLineParameters = parameters;
  LoadConfiguration();
  abortFlag = false;
  ReadRecentFiles();
  abortFlag = false;
  return StartUp();
}

void FinishProgram() {
  WriteRecentFiles();
}

}  // namespace kv5
