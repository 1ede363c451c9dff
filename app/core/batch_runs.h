// Batch runs: calculate a saved project and write one output file without
// any window (/I: the report as a text file, /CADi:j: one drawing as a CAD
// file).
#pragma once

#include <functional>
#include <string>

namespace kv5 {

// Set while a CAD batch run draws: the CAD channel then writes
// projectName + extension in the current folder without asking.
extern bool batchCad;

// Exit codes of the batch runs.
inline constexpr int kExitOk = 0;
inline constexpr int kExitUnreadableProject = 1;

// Draws entry `drawing` (1..11) of the drawing list with output kind
// `kind`. Without one set, the batch run uses the drawing list itself
// (DrawDriveMenu); tests set their own to watch the calls.
using CadBatchDrawer = std::function<void(int drawing, int kind)>;
void SetCadBatchDrawer(CadBatchDrawer drawer);

// Both take parameter 1 (the project file) and return the exit code.
int RunTextBatch(const std::string& projectParameter);
int RunCadBatch(const std::string& projectParameter, const std::string& option);

// projectName of a batch run: the parameter without folder (after the
// last "\", "/" or ":") and without extension (from the last ".").
std::string BatchProjectName(const std::string& parameter);

// The kind digit (position 5) and the drawing number (position 7 on) of a
// "/CADi:j" option; a character that is not a digit gives 0.
int CadOptionKind(const std::string& option);
int CadOptionDrawing(const std::string& option);

}  // namespace kv5
