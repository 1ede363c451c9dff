// The one text output channel: every listing of the program (result report,
// message report, change protocol, spreadsheet export) is written line by
// line through it. The channel decides the destination (text window, text
// printer, text file, printer, external text program, tab-separated file,
// HTML file), the page layout (70 columns indented by 7 blanks, frames in
// four styles, page breaks with a repeated page header) and the character
// set.
#pragma once

#include <array>
#include <string>

namespace kv5 {

// Channel kinds; the first seven are offered in the choice "Ausgabe auf ..".
enum OutputChannelKind : short {
  kChannelScreen = 1,        // "Bildschirm": text window (outwin.txt)
  kChannelTextPrinter = 2,   // "Textdrucker": raw device, code page 850
  kChannelTextFile = 3,      // "Datei": file chosen by the user
  kChannelPrinter = 4,       // "Windows-Drucker": the platform's printer
  kChannelTextProgram = 5,   // "externes Textprogramm"
  kChannelTabFile = 6,       // "TXT Datei": tab-separated text
  kChannelHtml = 7,          // "HTML Datei"
  kChannelDosFile = 8,       // OUTDOS.TXT in the temporary folder
  kChannelBatchTabFile = 9,  // tab-separated report of a batch run
};

// Page header record.
struct kopfRec {
  std::string title;
  std::array<std::string, 4> lines;         // header lines 1..4 (index 0 = line 1)
  std::array<std::string, 8> columnTitles;  // first, symbol, unit, value 1, value 2
  int pageTotal = 0;                        // 0 = unknown
};

// The marker for "nothing": a line equal to it is never written.
inline constexpr const char* kNothingMarker = "$!$";

struct OutputChannelState {
  short channel = kChannelScreen;
  kopfRec pageHeader;
  bool pausePerPage = false;
  int pageCount = 0;
  int lineCount = 0;
  int headerKind = 0;
  bool headersOn = true;
  std::string outputFile;  // the file being written
  bool htmlTableOpen = false;
  int tabFileCounter = 0;  // k of the tab-separated files, for the whole run
};
extern OutputChannelState outputChannel;

// Start-up values of the channel state.
void InitOutputChannel();

void SetPageHeader(const std::string& title, const std::string& line1, const std::string& line2,
                   const std::string& line3, const std::string& line4, int pageTotal);
void SetColumnTitles(const std::string& first, const std::string& symbolTitle,
                     const std::string& unitTitle, const std::string& valueTitle1,
                     const std::string& valueTitle2);
// kind 0: the configured default channel (asked for when so configured).
void OpenOutput(int kind, const std::string& fileName);
// Creates the output file; a failure sets abortFlag.
void StartOutputFile();
void WritePageHeader(int page, int kind);
void WriteLine(const std::string& text);
void WriteRawLine(const std::string& text);
void WriteRaw(const std::string& text);
void WriteTableLine(const std::string& text);
void WriteValueRow(const std::string& label, const std::string& symbol, const std::string& unit,
                   const std::string& value);
void WriteTwoValueRow(const std::string& label, const std::string& symbol,
                      const std::string& unit, const std::string& value1,
                      const std::string& value2);
void WriteColumnTitles();
const std::string& Rule();
const std::string& DoubleRule();
void OpenHtmlTable();
void CloseHtmlTable();
void EndPage();
void CheckPageBreak(int kind);
void EnsureSpace(int kind);
void PagePrompt();
void CloseOutput();
void PrintTextFile(const std::string& fileName);
void MakeTempOutputName();
std::string LabelWithNumber(const std::string& text, const std::string& number);
// Whether the current channel is a tab-separated one (6 or 9).
bool TabSeparatedChannel();

}  // namespace kv5
