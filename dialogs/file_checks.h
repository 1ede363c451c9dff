// File-name checks and checked file creation used before a file is
// written or read, and the open and save dialogs for file names.
#pragma once

#include <string>

#include "model/drive_model.h"

namespace kv5 {

// Writing over an existing file is asked first while this is set.
extern bool confirmOverwrite;
// "Archive Flag ?": refuses file commands on a project opened by full path.
extern bool archiveMode;
// A project file named on the command line is open in the window.
extern bool openedFromCommandLine;

// Start-up values: confirmation on, archive mode off, no command-line file.
void InitFileChecks();

// Parts of a file name; both "/" and "\" separate folders.
// The folder with its closing separator ("" when there is none).
std::string FolderPart(const std::string& fileName);
// The name after the last separator.
std::string FilePart(const std::string& fileName);
// The file part without its extension (from its last ".").
std::string BaseNamePart(const std::string& fileName);

// Opens and closes the file; failure: ReportError with
// "Datei <name> nicht gefunden oder kein Zugriffsrecht !" and abortFlag.
bool CheckFileReadable(const std::string& name);
// Too many dots, overwrite question, whether the file can be written; any
// refusal sets abortFlag. An existing file is never changed by the check.
bool CheckNewFileName(const std::string& name);
// Makes sure the file exists and can be written (an existing file keeps
// its contents: the writers replace it only after a complete write). On
// failure the reason is reported and the person may try again; gives up
// (abortFlag) when the person declines or nobody can answer.
bool CreateFileRetrying(const std::string& name);
// The message for a file that cannot be created, by the system's reason.
std::string CreateErrorText(int errorNumber);
// Reports a failed creation; true when a person asks to try again (never
// in batch runs or while error boxes are off).
bool OfferRetryAfterCreateError(int errorNumber);

// The file name for writing: `name` without "." lies in projectFolder with
// `extension`; with "." it is taken as it is; an empty name opens a save
// dialog (projectFolder and projectName then follow the choice). The
// result passes CheckNewFileName. False and abortFlag on any refusal.
bool AskSaveFileName(const std::string& name, std::string& result,
                     const std::string& extension = kProjectExtension);
// Open dialog in `folder` with the filter pattern + "|" + pattern; Cancel
// sets abortFlag and empties `name`.
bool AskOpenFileName(const std::string& folder, const std::string& pattern, std::string& name);

}  // namespace kv5
