#include "model/project_file.h"

#include <sys/stat.h>

#include <ctime>
#include <fstream>
#include <sstream>

#include "app/core/identity.h"
#include "dialogs/file_checks.h"
#include "dialogs/message_boxes.h"
#include "graphics/drawing_info.h"
#include "model/drive_calculation.h"
#include "platform/platform.h"
#include "text/number_format.h"
#include "text/string_routines.h"

namespace kv5 {

namespace {

const std::string kHeaderRule(65, '-');
constexpr int kIdentificationLines = 3;

// The date of the program file, year-month-day (empty when unknown).
std::string ProgramFileDate() {
  struct stat info;
  if (stat("/proc/self/exe", &info) != 0) return {};
  std::tm local{};
  localtime_r(&info.st_mtime, &local);
  return std::to_string(local.tm_year + 1900) + "-" + ZeroPad(local.tm_mon + 1, 2) + "-" +
         ZeroPad(local.tm_mday, 2);
}

void WriteProjectLines(LineWriter& out) {
  const DriveModel& m = model;
  out.WriteTextLine(kHeaderRule);
  out.WriteTextLine(std::string(programTitle) + "  " + ProgramFileDate());
  out.WriteTextLine(std::string("Version ") + programVersion);
  out.WriteTextLine("");  // third identification line: the installation's owner
  out.WriteTextLine(kHeaderRule);
  for (const std::string& text : m.infoText) out.WriteTextLine(text);
  out.WriteTextLine(m.drawingName[1]);
  out.WriteTextLine(m.drawingNumber[1]);
  out.WriteTextLine(m.drawingName[2]);
  out.WriteTextLine(m.drawingNumber[2]);
  out.WriteIntegerLine(m.z1);
  out.WriteIntegerLine(m.z2);
  out.WriteIntegerLine(1);  // strands
  out.WriteIntegerLine(m.chainRecordNo);
  out.WriteRealLine(m.P);
  out.WriteRealLine(m.u);
  out.WriteRealLine(m.n[1]);
  out.WriteRealLine(m.a);
  out.WriteRealLine(m.KA);
  out.WriteRealLine(m.mu);
  WriteChangeLogBlock(out);
  WriteDocumentLinksBlock(out);
  out.WriteTextLine(m.drawingName2[1]);
  out.WriteTextLine(m.drawingName2[2]);
  WriteTitleHeaderBlock(out);
  out.WriteRealLine(m.dB[1]);
  out.WriteRealLine(m.dB[2]);
  out.WriteRealLine(m.chain.d1);
  out.WriteRealLine(m.chain.p);
  out.WriteRealLine(m.chain.b1);
  out.WriteRealLine(m.s);
  out.WriteIntegerLine(m.chainStandard);
  out.WriteIntegerLine(m.loadMode);
  out.WriteRealLine(m.T[1]);
  out.WriteBoolLine(m.pinRack);
  out.WriteRealLine(m.bf1);
  out.WriteRealLine(m.chain.h2);
  out.WriteRealLine(m.d2);
  out.WriteTextLine(m.chain.designation);
  out.WriteRealLine(m.FB);
  out.WriteTextLine(m.chain.standardNote);
  out.WriteBoolLine(m.editable);
}

// Lines 2 to 5: three identification lines and a rule. Tolerant: up to and
// including the next rule line within them, so a header with fewer
// identification lines is read too.
void PassHeader(ProjectLineReader& in) {
  if (!in.Tolerant()) {
    for (int i = 0; i < kIdentificationLines; ++i) {
      std::string ignored;
      if (!in.Text(ignored)) return;
    }
    in.ExpectRule();
    return;
  }
  for (int i = 0; i <= kIdentificationLines && !in.AtSectionEnd(); ++i) {
    bool rule = IsRuleLine(in.Peek());
    in.Skip();
    if (rule) return;
  }
}

// Everything after line 1, in the writer's order. Each chain of && stops at
// the first value the section does not have.
void ReadProjectLines(ProjectLineReader& in, DriveModel& m, DocumentData& doc, int& style) {
  PassHeader(in);
  int strands = 1;
  (void)(in.Text(m.infoText[0]) && in.Text(m.infoText[1]) && in.Text(m.infoText[2]) &&
         in.Text(m.drawingName[1]) && in.Text(m.drawingNumber[1]) && in.Text(m.drawingName[2]) &&
         in.Text(m.drawingNumber[2]) && in.Integer(m.z1) && in.Integer(m.z2) &&
         in.Integer(strands) && in.Integer(m.chainRecordNo) && in.Number(m.P) && in.Number(m.u) &&
         in.Number(m.n[1]) && in.Number(m.a) && in.Number(m.KA) && in.Number(m.mu));
  ReadChangeLogBlock(in, doc);
  ReadDocumentLinksBlock(in, doc);
  (void)(in.Text(m.drawingName2[1]) && in.Text(m.drawingName2[2]));
  ReadTitleHeaderBlock(in, doc, style);
  (void)(in.Number(m.dB[1]) && in.Number(m.dB[2]) && in.Number(m.chain.d1) &&
         in.Number(m.chain.p) && in.Number(m.chain.b1) && in.Number(m.s) &&
         in.Integer(m.chainStandard) && in.Integer(m.loadMode) && in.Number(m.T[1]) &&
         in.Bool(m.pinRack) && in.Number(m.bf1) && in.Number(m.chain.h2) && in.Number(m.d2) &&
         in.Text(m.chain.designation) && in.Number(m.FB) && in.Text(m.chain.standardNote) &&
         in.Bool(m.editable));
}

// The first command-line write (archive mode off) turns the file name
// given on the command line into folder and name, so that the project is
// named like any other from then on.
void EndCommandLineState() {
  openedFromCommandLine = false;
  if (projectName.find_first_of("./\\") == std::string::npos) return;
  projectFolder = FolderPart(projectName);
  projectName = BaseNamePart(projectName);
}

}  // namespace

bool WriteProjectFile(const std::string& name) {
  std::string file;
  if (!AskSaveFileName(name, file)) return false;
  LineWriter out;
  if (!out.Open(file)) {
    ReportError("Datei " + file + " kann nicht angelegt werden: " + out.ErrorText());
    abortFlag = true;
    return false;
  }
  WriteProjectLines(out);
  if (!out.Close()) {
    ReportError("Datei " + file + " konnte nicht geschrieben werden: " + out.ErrorText());
    abortFlag = true;
    return false;
  }
  if (openedFromCommandLine && !archiveMode) EndCommandLineState();
  return true;
}

bool ReadProjectFile(const std::string& name) {
  enum class Naming { Chosen, Bare, AsGiven };
  Naming naming = Naming::AsGiven;
  std::string file = name;
  if (name.empty()) {
    if (!AskOpenFileName(projectFolder, std::string("*.") + kProjectExtension, file)) return false;
    naming = Naming::Chosen;
  } else if (name.find('.') == std::string::npos) {
    file = AddBackslash(projectFolder) + name + "." + kProjectExtension;
    naming = Naming::Bare;
  }
  if (!CheckFileReadable(file)) return false;
  CurrentPlatform().SetStatusText("Datei " + file + " wird eingelesen");

  std::string bytes;
  if (!ReadWholeFile(file, bytes)) {
    ReportError("Datei " + TrimBlanks(file) + " nicht gefunden oder kein Zugriffsrecht !");
    abortFlag = true;
    return false;
  }
  // Every line of a project file ends with a line end: a file that ends
  // inside a line was cut there, and that line's value is not trusted.
  size_t lastEnd = bytes.find_last_of("\r\n");
  bytes.resize(lastEnd == std::string::npos ? 0 : lastEnd + 1);
  LineReader lines;
  lines.OpenText(bytes);
  std::string first;
  if (!lines.ReadTextLine(first) || !IsRuleLine(TrimBlanks(first))) {
    ReportError("Datei " + file + " ist keine KV5-Projektdatei !");
    abortFlag = true;
    return false;
  }

  // Read into copies; they replace the current data at the end.
  DriveModel readModel = model;
  DocumentData readDocument = documentData;
  int readStyle = titleBlockStyle;
  ProjectLineReader strict(lines, false);
  ReadProjectLines(strict, readModel, readDocument, readStyle);
  ProjectLineReader tolerant(lines, true);
  const ProjectLineReader* used = &strict;
  if (!strict.LayoutHeld()) {
    readModel = model;
    readDocument = documentData;
    readStyle = titleBlockStyle;
    lines.RewindTo(1);
    ReadProjectLines(tolerant, readModel, readDocument, readStyle);
    used = &tolerant;
  }
  if (used->FirstLongTextLine() != 0)
    ReportError("Datei " + file + ", Zeile " + std::to_string(used->FirstLongTextLine()) +
                ": Text mit " + std::to_string(used->FirstLongTextLength()) +
                " Zeichen; Texte ab " + std::to_string(kMaxConvertedTextLength) +
                " Zeichen bleiben in Zeichnungen und Eingabefeldern leer !");
  model = readModel;
  documentData = readDocument;
  titleBlockStyle = readStyle;

  if (naming == Naming::Chosen) {
    projectFolder = FolderPart(file);
    projectName = BaseNamePart(file);
  } else if (naming == Naming::Bare) {
    projectName = name;
  }
  CalculateDrive();
  return true;
}

std::string ProjectFileName() {
  if (projectName.empty()) return {};
  if (openedFromCommandLine) return projectName;
  return AddBackslash(projectFolder) + projectName + "." + kProjectExtension;
}

}  // namespace kv5
