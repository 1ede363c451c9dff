#include "cad/linplot.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "cad/block_files.h"
#include "dialogs/choice_dialogs.h"
#include "dialogs/message_boxes.h"
#include "model/drive_model.h"
#include "platform/platform.h"
#include "text/configuration.h"
#include "text/string_routines.h"

namespace kv5 {

std::string linplotCommandLine;

void InitLinplot() {
  linplotCommandLine.clear();
}

std::string BuildLinplotCommandLine(const LinplotParameters& p) {
  std::string line = p.program + " " + TemporaryFolder() + "linplot" + " /C" + p.outputCode;
  if (p.interfaceNumber != 0) line += " /D" + std::to_string(p.interfaceNumber);
  if (p.port != 0) line += " /P" + std::to_string(p.port);
  if (!p.outputFile.empty()) line += " /F" + p.outputFile;
  if (!p.scale.empty()) line += " /M" + p.scale;
  if (!p.xOffset.empty()) line += " /X" + p.xOffset;
  if (!p.yOffset.empty()) line += " /Y" + p.yOffset;
  if (!p.textWidthFactor.empty()) line += " /B" + p.textWidthFactor;
  if (p.rotate) line += " /R";
  if (!p.postScriptFont.empty()) line += " /T" + p.postScriptFont;
  return line;
}

void ChooseLinplotCommandLine() {
  const std::vector<std::string>& lines = storedSettings.linplotCommandLines;
  std::string current = lines.empty() ? std::string() : lines.front();
  if (lines.size() > 1) {
    const int count = static_cast<int>(std::min<size_t>(lines.size(), kChoiceItemCount));
    for (int i = 1; i <= count; ++i) choiceItems[i] = lines[static_cast<size_t>(i - 1)];
    int index = 1;
    AskChoice("LINPLOT Command Line", count, index);
    if (abortFlag) return;
    current = lines[static_cast<size_t>(index - 1)];
  }
  std::optional<std::string> answer =
      CurrentPlatform().AskText("LINPLOT-Kommandozeile (0=Parameter)", 60, current);
  if (!answer) {
    abortFlag = true;
    return;
  }
  std::string line = TrimBlanks(*answer);
  linplotCommandLine =
      line.empty() || line == "0" ? BuildLinplotCommandLine(LinplotParameters{}) : line;
}

std::string LinplotCommandLineForRun() {
  if (!TrimBlanks(linplotCommandLine).empty()) return linplotCommandLine;
  const std::vector<std::string>& lines = storedSettings.linplotCommandLines;
  if (!lines.empty() && !TrimBlanks(lines.front()).empty()) return lines.front();
  return BuildLinplotCommandLine(LinplotParameters{});
}

void StartLinplot(const std::string& commandLine) {
  if (TrimBlanks(commandLine).empty() || !CurrentPlatform().StartProgram(commandLine))
    ShowError("file not found");
}

}  // namespace kv5
