// Hand-off of drawings to the separate LINPLOT plotting program (output
// kind 4): the channel writes the DXF file "linplot.dxf" into the temporary
// folder and, at CadEnd, starts a LINPLOT command line without waiting for
// it. LINPLOT returns nothing to the program.
#pragma once

#include <string>

namespace kv5 {

// The command line chosen for the LINPLOT runs (empty: not chosen yet).
extern std::string linplotCommandLine;

// Start-up state: nothing chosen.
void InitLinplot();

// Options of a command line built from parameters.
struct LinplotParameters {
  std::string program = "linplot";  // LINPLOT program path
  std::string outputCode = "HPL";   // "HPL", "PS", "PLT", "PL2" or "ART"
  int interfaceNumber = 0;          // 0: the parallel port (no /D)
  int port = 1;                     // 0: no /P
  std::string outputFile;           // empty: no /F
  std::string scale = "*";          // "*" fits the sheet; empty: no /M
  std::string xOffset, yOffset;     // empty: no /X, /Y
  std::string textWidthFactor;      // empty: no /B
  bool rotate = false;              // /R: turned by 90°
  std::string postScriptFont;       // empty: no /T
};

// program + " " + temporary folder + "linplot" + " /C" + code, then as
// needed " /D", " /P", " /F", " /M", " /X", " /Y", " /B", " /R", " /T".
std::string BuildLinplotCommandLine(const LinplotParameters& parameters);

// The hand-off settings when LINPLOT is chosen in the "CAD-Code" menu: a
// choice among the configured command lines when there are several
// ("LINPLOT Command Line"), then "LINPLOT-Kommandozeile (0=Parameter)" (at
// most 60 characters); "0" or an empty answer builds the command line from
// the parameters. Cancelling sets abortFlag.
void ChooseLinplotCommandLine();

// The command line of a LINPLOT run: the chosen one, else the first
// configured one, else one built from the default parameters.
std::string LinplotCommandLineForRun();

// Starts the command line (hidden, not waited for). A failure shows
// "file not found".
void StartLinplot(const std::string& commandLine);

}  // namespace kv5
