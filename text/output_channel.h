// The one text output channel: every listing of the program (result report,
// message report, change protocol, spreadsheet export) is written line by
// line through it. The channel decides the destination (text window, text
// printer, text file, printer, external text program, tab-separated file,
// HTML file), the page layout (70 columns indented by 7 blanks, frames in
// four styles, page breaks with a repeated page header) and the character
// set.
//
// Files. Lines are collected in a working file "$OUT<n>_<pid>.TMP" in
// tempFolder (UTF-8, CR LF line ends); the process id keeps runs that share
// the folder apart. The destination is created or replaced only by
// CloseOutput after a complete write, through a new file in its folder that
// is renamed over it: a failed or cancelled output leaves every destination
// file as it was and removes its working file.
//
// Destinations by kind (report files are UTF-8, columns count characters):
//  1 tempFolder "outwin.txt", shown through Platform::ShowTextFile;
//  2 the text printer: $KV5_PRINTER_DEVICE when set (a device such as
//    /dev/usb/lp0, written directly, or a file), else tempFolder
//    "LPT<printerPort>.prn"; code page 850, preceded by the bytes of
//    "TEXT.HXP" of the current folder when that file exists;
//  3 the chosen file, plus the converted copy "outwin.txt";
//  4 printed by PrintTextFile into tempFolder <projectName>.pdf;
//  5 "outwin.txt", opened through the platform once textProgram is found
//    (a path as configured, a bare name also on the search path);
//  6 tempFolder "$$$<k>_<pid>.txt" (or the chosen file) and the converted
//    copy "$$<k>_<pid>.txt"; both stay for the spreadsheet exchange;
//  7 the chosen file, or tempFolder "kv5.htm" when htmlBrowser is set; the
//    file is then opened through the platform once htmlBrowser is found;
//  8 tempFolder "OUTDOS.TXT" in code page 850, plus "outwin.txt";
//  9 <projectName>.txt in the current folder (the batch report); a file
//    chosen in the save dialog is written as well, the generated "$$$"
//    name only names the run (no file per run piles up in tempFolder).
// "outwin.txt", "kv5.htm" and "OUTDOS.TXT" keep their fixed names (the text
// window and other programs find them by name); they are written only by
// interactive kinds, and always replaced whole.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "text/string_routines.h"

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
// OpenOutput with this kind only fills the channel list (configuration dialog).
inline constexpr int kChannelListOnly = 90;

// The list texts of kinds 1..7 (index 0 = kind 1).
const std::array<std::string, 7>& OutputChannelNames();

// Page header record.
struct kopfRec {
  std::string title;
  std::array<std::string, 4> lines;         // header lines 1..4 (index 0 = line 1)
  std::array<std::string, 8> columnTitles;  // first, symbol, unit, value 1, value 2
  int pageTotal = 0;                        // 0 = unknown
};

// The marker for "nothing": a line equal to it is never written.
inline constexpr const char* kNothingMarker = "$!$";

// Columns (1-based) of the value rows and the column title row.
struct ColumnPositions {
  int symbol = 35;
  int unit = 44;
  int value1 = 51;
  int value2 = 62;
  int singleValue = 56;
};

struct OutputChannelState {
  short channel = kChannelScreen;
  kopfRec pageHeader;
  bool pausePerPage = false;
  int pageCount = 0;
  int lineCount = 0;
  int headerKind = 0;
  bool headersOn = true;
  std::string outputFile = "$out.tmp";  // the destination being written
  std::string workingFile;              // where the lines are collected
  bool htmlTableOpen = false;
  int tabFileCounter = 0;  // k of the tab-separated files, for the whole run
  ColumnPositions columns;
  // Date and time of the page headers; the clock when empty (tests fix it).
  std::optional<DateTime> headerTime;
};
extern OutputChannelState outputChannel;

// Start-up values of the channel state; an unfinished output is discarded.
void InitOutputChannel();

void SetPageHeader(const std::string& title, const std::string& line1, const std::string& line2,
                   const std::string& line3, const std::string& line4, int pageTotal);
void SetColumnTitles(const std::string& first, const std::string& symbolTitle,
                     const std::string& unitTitle, const std::string& valueTitle1,
                     const std::string& valueTitle2);
// kind 0: the configured default channel (asked for when so configured).
// An empty fileName means projectName; a name without "." gets ".txt". It
// is the name proposed by the save dialogs. abortFlag tells whether output
// may proceed. An unfinished earlier output is discarded first.
void OpenOutput(int kind, const std::string& fileName);
// Opens the working file for writing; a failure is reported and sets
// abortFlag.
void StartOutputFile();
// page 0 = next page; kind 1 = with column titles.
void WritePageHeader(int page, int kind);
void WriteLine(const std::string& text);
// The text as it is (markup on the HTML channel), with and without line end.
void WriteRawLine(const std::string& text);
void WriteRaw(const std::string& text);
void WriteTableLine(const std::string& text);
void WriteValueRow(const std::string& label, const std::string& symbol, const std::string& unit,
                   const std::string& value);
void WriteTwoValueRow(const std::string& label, const std::string& symbol, const std::string& unit,
                      const std::string& value1, const std::string& value2);
void WriteColumnTitles();
// The frame strings of the current frame style.
const std::string& Rule();
const std::string& DoubleRule();
const std::string& TopFrame();
const std::string& BottomFrame();
const std::string& MiddleFrame();
const std::string& SideCharacter();
void OpenHtmlTable();
void CloseHtmlTable();
void EndPage();
void CheckPageBreak(int kind);
void EnsureSpace(int kind);
void PagePrompt();
// Completes the output and delivers it; while abortFlag is set (cancelled
// or failed output) it only discards the working file.
void CloseOutput();
// Abandons an unfinished output: closes and removes the working file.
void DiscardOutput();

// Printing of a text file (UTF-8 or code page 850; lines beginning with a
// form feed start a new page). Until the window layer brings a printer,
// the pages are written as a PDF file.
struct PrintOptions {
  int fromPage = 1;
  int toPage = 0;       // 0 = to the last page
  std::string pdfFile;  // empty: the text file's name with ".pdf"
};
void PrintTextFile(const std::string& fileName);
// False (and abortFlag) when nothing could be printed.
bool PrintTextFile(const std::string& fileName, const PrintOptions& options);
// The number of pages of a text file as PrintTextFile counts them.
int CountPrintPages(const std::string& fileName);

// Reserves a new working file name "$OUT<n>_<pid>.TMP" (n = 1..11) in
// tempFolder by creating it; it becomes outputFile and workingFile. When
// none can be created the last name is kept and StartOutputFile reports.
void MakeTempOutputName();
// The output file as listings name it (without the per-process tag).
std::string OutputFileForDisplay();
// The destination of the text printer (kind 2).
std::string PrinterDeviceName();
// A 64-character line: the text at column 1, "Nr.: " + number at column 40.
std::string LabelWithNumber(const std::string& text, const std::string& number);
// Whether the current channel is a tab-separated one (6 or 9).
bool TabSeparatedChannel();

}  // namespace kv5
