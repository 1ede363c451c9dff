// Destinations of the text output channel: choosing the channel and the
// file names, the working file the lines are collected in, and what
// CloseOutput does with it for each kind.
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "app/core/identity.h"
#include "dialogs/choice_dialogs.h"
#include "dialogs/file_checks.h"
#include "dialogs/message_boxes.h"
#include "model/drive_model.h"
#include "model/line_file.h"
#include "platform/platform.h"
#include "text/codepage.h"
#include "text/configuration.h"
#include "text/output_channel.h"
#include "text/output_files.h"
#include "text/string_routines.h"

namespace kv5 {

namespace {

// The open working file, and whether this output created it (only then is
// it ours to write and remove).
std::FILE* workingHandle = nullptr;
bool workingReserved = false;
// Printer set-up codes ("TEXT.HXP") sent before the text printer output.
std::string printerSetupCodes;

constexpr int kTempNameTries = 11;
constexpr const char* kLineEnd = "\r\n";

std::string ProcessTag() {
  return "_" + std::to_string(static_cast<long>(getpid()));
}

}  // namespace

std::string OutputFileForDisplay() {
  // The process tag only keeps parallel runs apart; listings name the file
  // as the program always has, so that equal runs give equal listings.
  std::string name = outputChannel.outputFile;
  const std::string tag = ProcessTag();
  size_t dot = name.find_last_of('.');
  if (dot != std::string::npos && dot >= tag.size() &&
      name.compare(dot - tag.size(), tag.size(), tag) == 0)
    name.erase(dot - tag.size(), tag.size());
  return name;
}

namespace {

std::string TempFile(const std::string& name) {
  return AddBackslash(tempFolder) + name;
}

std::string ScreenFile() {
  return TempFile("outwin.txt");
}

void Report(FileFailure::Stage stage, int errorNumber) {
  ReportError(FileFailureText(FileFailure{stage, errorNumber ? errorNumber : EIO}));
  abortFlag = true;
}

// A save dialog for `extension` proposing `proposal`; the project's name
// and folder are the same afterwards, whatever the dialog chose.
bool AskOutputFileName(const std::string& proposal, const std::string& extension,
                       std::string& result) {
  const std::string savedName = projectName;
  const std::string savedFolder = projectFolder;
  projectName = BaseNamePart(proposal);
  bool ok = AskSaveFileName("", result, extension);
  projectName = savedName;
  projectFolder = savedFolder;
  if (!ok) abortFlag = true;
  return ok;
}

// Creates this output's working file under a name no other output uses.
// 0, or the reason why none could be created.
int ReserveWorkingFile() {
  int error = 0;
  std::string name;
  for (int n = 1; n <= kTempNameTries; ++n) {
    name = TempFile("$OUT" + std::to_string(n) + ProcessTag() + ".TMP");
    if (CreateExclusive(name, error)) {
      outputChannel.workingFile = name;
      workingReserved = true;
      return 0;
    }
    if (error != EEXIST) break;
  }
  outputChannel.workingFile = name;
  workingReserved = false;
  return error;
}

bool ReserveOrReport() {
  int error = ReserveWorkingFile();
  if (error == 0) return true;
  Report(FileFailure::Stage::Create, error);
  return false;
}

// Whether a configured program exists: a path as it stands; a bare name
// also on the search path.
bool ProgramExists(const std::string& program) {
  std::string name = TrimBlanks(program);
  if (name.empty()) return false;
  if (FileExists(name)) return true;
  if (name.find('/') != std::string::npos) return false;
  std::string path = EnvironmentVariable("PATH");
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find(':', start);
    if (end == std::string::npos) end = path.size();
    std::string folder = path.substr(start, end - start);
    if (!folder.empty() && access((AddBackslash(folder) + name).c_str(), X_OK) == 0) return true;
    start = end + 1;
  }
  return false;
}

// Each step stops the delivery at the first failure.
bool Deliver(const std::string& destination, const std::string& bytes) {
  if (abortFlag) return false;
  FileFailure failure = ReplaceFile(destination, bytes);
  if (!failure.Failed()) return true;
  Report(failure.stage, failure.errorNumber);
  return false;
}

std::string DisplayCopy(const std::string& bytes) {
  return ConvertLines(bytes, DisplayLine);
}

void RemoveWorkingFile() {
  if (workingReserved && !outputChannel.workingFile.empty())
    unlink(outputChannel.workingFile.c_str());
  workingReserved = false;
}

// Flushes the file to the disk; any failure is reported.
bool FinishWorkingFile() {
  if (!workingHandle) return true;
  int error = 0;
  if (std::fflush(workingHandle) != 0) error = errno;
  if (!error && fsync(fileno(workingHandle)) != 0 && errno != EINVAL) error = errno;
  if (std::fclose(workingHandle) != 0 && !error) error = errno;
  workingHandle = nullptr;
  if (error && !abortFlag) Report(FileFailure::Stage::Close, error);
  return !error;
}

void DeliverOutput(const std::string& bytes) {
  OutputChannelState& c = outputChannel;
  switch (c.channel) {
    case kChannelScreen:
      if (Deliver(ScreenFile(), DisplayCopy(bytes)))
        CurrentPlatform().ShowTextFile(ScreenFile(),
                                       std::string(programName) + "    " + ScreenFile());
      break;
    case kChannelTextPrinter:
      Deliver(c.outputFile, printerSetupCodes + Utf8ToCp850(bytes));
      break;
    case kChannelTextFile:
      if (Deliver(c.outputFile, bytes)) Deliver(ScreenFile(), DisplayCopy(bytes));
      showErrorBoxes = true;
      break;
    case kChannelPrinter: {
      if (CurrentPlatform().PrintTextFile(c.workingFile)) break;
      PrintOptions options;
      std::string base =
          TrimBlanks(projectName).empty() ? programFileBase : BaseNamePart(projectName);
      options.pdfFile = TempFile(base + ".pdf");
      PrintTextFile(c.workingFile, options);
      break;
    }
    case kChannelTextProgram:
      if (!ProgramExists(textProgram)) {
        ReportError(textProgram + " not found");
        abortFlag = true;
      } else if (Deliver(ScreenFile(), DisplayCopy(bytes))) {
        CurrentPlatform().OpenWithAssociatedProgram(ScreenFile());
      }
      break;
    case kChannelTabFile:
      ++c.tabFileCounter;
      if (Deliver(c.outputFile, bytes))
        Deliver(TempFile("$$" + std::to_string(c.tabFileCounter) + ProcessTag() + ".txt"),
                DisplayCopy(bytes));
      break;
    case kChannelBatchTabFile: {
      ++c.tabFileCounter;
      // The generated "$$$" name only names the run; a chosen file is kept.
      bool chosen = c.outputFile !=
                    TempFile("$$$" + std::to_string(c.tabFileCounter) + ProcessTag() + ".txt");
      if (!chosen || Deliver(c.outputFile, bytes))
        Deliver(projectName + ".txt", DisplayCopy(bytes));
      break;
    }
    case kChannelHtml:
      if (Deliver(c.outputFile, bytes) && !htmlBrowser.empty()) {
        if (!ProgramExists(htmlBrowser))
          ReportError(htmlBrowser + " not found");
        else
          CurrentPlatform().OpenWithAssociatedProgram(c.outputFile);
      }
      break;
    case kChannelDosFile:
      if (Deliver(c.outputFile, Utf8ToCp850(bytes))) Deliver(ScreenFile(), DisplayCopy(bytes));
      showErrorBoxes = true;
      break;
    default:
      break;
  }
}

void WriteWorkingBytes(const std::string& bytes) {
  if (abortFlag) return;
  if (!workingHandle) {
    // Channels without a destination write nowhere; the others must have
    // been started.
    if (outputChannel.channel >= 1 && outputChannel.channel <= 9)
      Report(FileFailure::Stage::Write, EBADF);
    return;
  }
  if (std::fwrite(bytes.data(), 1, bytes.size(), workingHandle) != bytes.size())
    Report(FileFailure::Stage::Write, errno);
}

std::string ForChannel(const std::string& text) {
  return outputChannel.channel == kChannelHtml ? DisplayLine(text) : text;
}

}  // namespace

void InitOutputChannel() {
  DiscardOutput();
  printerSetupCodes.clear();
  outputChannel = OutputChannelState{};
}

void MakeTempOutputName() {
  ReserveWorkingFile();
  outputChannel.outputFile = outputChannel.workingFile;
}

std::string PrinterDeviceName() {
  std::string device = EnvironmentVariable("KV5_PRINTER_DEVICE");
  if (!TrimBlanks(device).empty()) return device;
  return TempFile("LPT" + std::to_string(printerPort) + ".prn");
}

void OpenOutput(int kind, const std::string& fileName) {
  OutputChannelState& c = outputChannel;
  std::string proposal = fileName.empty() ? projectName : fileName;
  if (FilePart(proposal).find('.') == std::string::npos) proposal += ".txt";
  const auto& names = OutputChannelNames();
  for (size_t i = 0; i < names.size(); ++i) choiceItems[static_cast<int>(i) + 1] = names[i];
  if (kind == kChannelListOnly) return;

  DiscardOutput();  // an output its writer left unfinished
  c.channel = static_cast<short>(defaultChannel);
  SetHelpTopic(1050);
  if (kind == 0) {
    if (askChannel) {
      int index = c.channel;
      AskChoice("Ausgabe auf ..", static_cast<int>(names.size()), index);
      if (abortFlag) return;
      c.channel = static_cast<short>(index);
    }
  } else {
    c.channel = static_cast<short>(kind);
  }
  c.pausePerPage = false;
  c.htmlTableOpen = false;
  printerSetupCodes.clear();

  switch (c.channel) {
    case kChannelScreen:
    case kChannelPrinter:
    case kChannelTextProgram:
      ReserveOrReport();
      c.outputFile = c.workingFile;
      break;
    case kChannelTextPrinter: {
      c.outputFile = PrinterDeviceName();
      SetHelpTopic(1060);
      c.pausePerPage = AskYesNo("Pause nach jeder Seite ?");
      if (abortFlag) return;
      if (FileExists("TEXT.HXP") && !ReadWholeFile("TEXT.HXP", printerSetupCodes)) {
        Report(FileFailure::Stage::Write, EIO);
        return;
      }
      ReserveOrReport();
      break;
    }
    case kChannelTextFile: {
      SetHelpTopic(1070);
      std::string chosen;
      if (!AskOutputFileName(proposal, "txt", chosen)) return;
      c.outputFile = chosen;
      ReserveOrReport();
      break;
    }
    case kChannelTabFile:
    case kChannelBatchTabFile:
      SetHelpTopic(1070);
      if (askChannel) {
        std::string chosen;
        if (!AskOutputFileName(proposal, "txt", chosen)) return;
        c.outputFile = chosen;
      } else {
        c.outputFile =
            TempFile("$$$" + std::to_string(c.tabFileCounter + 1) + ProcessTag() + ".txt");
      }
      ReserveOrReport();
      break;
    case kChannelHtml:
      SetHelpTopic(1070);
      if (htmlBrowser.empty()) {
        std::string chosen;
        if (!AskOutputFileName(proposal, "htm", chosen)) return;
        c.outputFile = chosen;
      } else {
        c.outputFile = TempFile(std::string(programFileBase) + ".htm");
        if (!CheckNewFileName(c.outputFile)) {
          abortFlag = true;
          return;
        }
      }
      ReserveOrReport();
      break;
    case kChannelDosFile:
      c.outputFile = TempFile("OUTDOS.TXT");
      ReserveOrReport();
      break;
    default:
      break;  // no destination
  }
  c.lineCount = 0;
  c.pageCount = 0;
}

void StartOutputFile() {
  if (abortFlag || workingHandle) return;
  OutputChannelState& c = outputChannel;
  if (c.channel < 1 || c.channel > 9) return;
  if (!workingReserved) {
    Report(FileFailure::Stage::Create, EEXIST);
    return;
  }
  workingHandle = std::fopen(c.workingFile.c_str(), "wb");
  if (!workingHandle) Report(FileFailure::Stage::Create, errno);
}

void WriteRawLine(const std::string& text) {
  WriteWorkingBytes(ForChannel(text) + kLineEnd);
}

void WriteRaw(const std::string& text) {
  WriteWorkingBytes(ForChannel(text));
}

void CloseOutput() {
  OutputChannelState& c = outputChannel;
  if (!abortFlag) {
    bool paged = c.channel == kChannelScreen || c.channel == kChannelTextPrinter ||
                 c.channel == kChannelPrinter;
    if (paged && c.lineCount > 0 && (pageMode == 2 || frameStyle == 4)) WriteRaw("\f");
    if (c.channel == kChannelHtml) {
      CloseHtmlTable();
      WriteRawLine("</BODY>");
      WriteRawLine("</HTML>");
    }
  }
  bool hadFile = workingHandle != nullptr;
  FinishWorkingFile();
  if (hadFile && !abortFlag) {
    std::string bytes;
    if (!ReadWholeFile(c.workingFile, bytes))
      Report(FileFailure::Stage::Close, errno);
    else
      DeliverOutput(bytes);
  }
  RemoveWorkingFile();
  c.htmlTableOpen = false;
  CurrentPlatform().SetBusy(false);
}

void DiscardOutput() {
  if (workingHandle) {
    std::fclose(workingHandle);
    workingHandle = nullptr;
  }
  RemoveWorkingFile();
  outputChannel.workingFile.clear();
}

}  // namespace kv5
