// File-name checks and checked file creation used before a file is
// written or read.
#pragma once

#include <string>

namespace kv5 {

// Writing over an existing file is asked first while this is set.
extern bool confirmOverwrite;
// "Archive Flag ?": refuses file commands on a project opened by full path.
extern bool archiveMode;
// A project file named on the command line is open in the window.
extern bool openedFromCommandLine;

// Opens and closes the file; failure: ReportError with
// "Datei <name> nicht gefunden oder kein Zugriffsrecht !" and abortFlag.
void CheckFileReadable(const std::string& name);
// Too many dots, overwrite question, creatable test; any refusal sets
// abortFlag.
void CheckNewFileName(const std::string& name);
// Creates or truncates a file, reporting a failure and offering to try
// again; gives up (abortFlag) when the person cancels or nobody can answer.
bool CreateFileRetrying(const std::string& name);

}  // namespace kv5
