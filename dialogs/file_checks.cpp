#include "dialogs/file_checks.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "dialogs/message_boxes.h"
#include "model/line_file.h"
#include "platform/platform.h"
#include "text/string_routines.h"

namespace kv5 {

bool confirmOverwrite = true;
bool archiveMode = false;
bool openedFromCommandLine = false;

void InitFileChecks() {
  confirmOverwrite = true;
  archiveMode = false;
  openedFromCommandLine = false;
}

namespace {

constexpr const char* kArchiveRefusal =
    "File- und User- Befehle sind im Archivierungsmodus nicht möglich.";

bool IsFolder(const std::string& name) {
  struct stat info;
  return stat(name.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// Whether the file could be written without touching what it holds now: an
// existing file is opened for writing without truncating it; a new one is
// created and removed again. The folder must take the new file that
// replaces an existing one.
bool CanWriteWithoutHarm(const std::string& name, bool exists) {
  if (exists) {
    int fd = open(name.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    close(fd);
    std::string folder = FolderPart(name);
    return access(folder.empty() ? "." : folder.c_str(), W_OK | X_OK) == 0;
  }
  int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  close(fd);
  return unlink(name.c_str()) == 0;
}

}  // namespace

std::string FolderPart(const std::string& fileName) {
  size_t separator = fileName.find_last_of("/\\");
  return separator == std::string::npos ? std::string() : fileName.substr(0, separator + 1);
}

std::string FilePart(const std::string& fileName) {
  size_t separator = fileName.find_last_of("/\\");
  return separator == std::string::npos ? fileName : fileName.substr(separator + 1);
}

std::string BaseNamePart(const std::string& fileName) {
  std::string file = FilePart(fileName);
  size_t dot = file.rfind('.');
  return dot == std::string::npos ? file : file.substr(0, dot);
}

bool CheckFileReadable(const std::string& name) {
  if (!IsFolder(name)) {
    if (std::FILE* file = std::fopen(name.c_str(), "rb")) {
      std::fclose(file);
      return true;
    }
  }
  ReportError("Datei " + TrimBlanks(name) + " nicht gefunden oder kein Zugriffsrecht !");
  abortFlag = true;
  return false;
}

bool CheckNewFileName(const std::string& name) {
  std::string file = FilePart(name);
  if (std::count(file.begin(), file.end(), '.') >= 2) {
    ReportError(name + " not allowed (too many dots)!");
    abortFlag = true;
    return false;
  }
  bool exists = FileExists(name);
  if (exists && confirmOverwrite && name.find("aktuell") == std::string::npos) {
    if (!AskYesNo(name + " existiert bereits.   Überschreiben ?")) {
      abortFlag = true;
      return false;
    }
  }
  if (!CanWriteWithoutHarm(name, exists)) {
    ReportError("Ungültiger Dateiname \"" + name + "\" !");
    abortFlag = true;
    return false;
  }
  return true;
}

std::string CreateErrorText(int errorNumber) {
  switch (errorNumber) {
    case EROFS:
    case EACCES:
    case EPERM:
      return "Schreibschutz entfernen !";
    case ENOMEDIUM:
    case ENXIO:
    case ENODEV:
      return "Programmdiskette einlegen !";
    default:
      return "I/O-Error " + std::to_string(errorNumber);
  }
}

bool OfferRetryAfterCreateError(int errorNumber) {
  ReportError(CreateErrorText(errorNumber));
  // Without a person to fix the cause, trying again would never end.
  if (!showErrorBoxes || !CurrentPlatform().Interactive()) return false;
  return AskYesNo("Nochmals versuchen ?");
}

bool CreateFileRetrying(const std::string& name) {
  for (;;) {
    int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd >= 0) {
      close(fd);
      return true;
    }
    if (!OfferRetryAfterCreateError(errno)) break;
  }
  abortFlag = true;
  return false;
}

bool AskSaveFileName(const std::string& name, std::string& result, const std::string& extension) {
  if (archiveMode && openedFromCommandLine && name != "aktuell") {
    ReportError(kArchiveRefusal);
    abortFlag = true;
    return false;
  }
  if (!name.empty()) {
    std::string file = name.find('.') == std::string::npos
                           ? AddBackslash(projectFolder) + name + "." + extension
                           : name;
    if (!CheckNewFileName(file)) return false;
    result = file;
    return true;
  }
  FileDialogRequest request;
  request.filter = "*." + extension + "|*." + extension;
  request.initialFolder = projectFolder;
  request.initialName = projectName;
  request.defaultExtension = extension;
  std::optional<std::string> chosen = CurrentPlatform().AskSaveFile(request);
  if (!chosen || BaseNamePart(TrimBlanks(*chosen)).empty()) {
    abortFlag = true;
    return false;
  }
  std::string folder = FolderPart(TrimBlanks(*chosen));
  std::string base = BaseNamePart(TrimBlanks(*chosen));
  std::string file = AddBackslash(folder) + base + "." + extension;
  if (!CheckNewFileName(file)) return false;
  // Folder and name change together, and only for a name that was
  // accepted, so that the project keeps naming a file it can be saved to.
  projectFolder = folder;
  projectName = base;
  result = file;
  return true;
}

bool AskOpenFileName(const std::string& folder, const std::string& pattern, std::string& name) {
  FileDialogRequest request;
  request.filter = pattern + "|" + pattern;
  request.initialFolder = folder;
  std::optional<std::string> chosen = CurrentPlatform().AskOpenFile(request);
  if (!chosen || TrimBlanks(*chosen).empty()) {
    abortFlag = true;
    name.clear();
    return false;
  }
  name = *chosen;
  return true;
}

}  // namespace kv5
