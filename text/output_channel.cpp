// Page layout of the text output channel: frames, page headers, body lines,
// value rows, HTML tables and page control. The destinations are handled in
// channel_destinations.cpp.
#include "text/output_channel.h"

#include <algorithm>
#include <cstdio>

#include "app/core/identity.h"
#include "model/drive_model.h"
#include "platform/platform.h"
#include "text/codepage.h"
#include "text/configuration.h"
#include "text/string_routines.h"
#include "text/text_conversion.h"

namespace kv5 {

OutputChannelState outputChannel;

namespace {

constexpr int kLineWidth = 70;
const std::string kIndent(7, ' ');

// Set while a page break or a page header is being written, so that the
// lines they write cannot break the page once more (a page shorter than
// its header would otherwise never end).
bool breakingPage = false;

class PageBreakGuard {
 public:
  PageBreakGuard() : saved_(breakingPage) { breakingPage = true; }
  ~PageBreakGuard() { breakingPage = saved_; }
  PageBreakGuard(const PageBreakGuard&) = delete;
  PageBreakGuard& operator=(const PageBreakGuard&) = delete;

 private:
  bool saved_;
};

std::string Repeat(const std::string& piece, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += piece;
  return text;
}

struct FrameStrings {
  std::string rule, doubleRule, top, bottom, middle, side;
};

FrameStrings MakeFrame(int style) {
  switch (style) {
    case 2:
      return {Repeat("─", kLineWidth),
              Repeat("═", kLineWidth),
              "╔" + Repeat("═", kLineWidth - 2) + "╗",
              "╚" + Repeat("═", kLineWidth - 2) + "╝",
              "╠" + Repeat("═", kLineWidth - 2) + "╣",
              "║"};
    case 3: {
      std::string blanks(kLineWidth, ' ');
      return {blanks, blanks, blanks, blanks, blanks, " "};
    }
    case 4:
      return {kNothingMarker, kNothingMarker, kNothingMarker, kNothingMarker, kNothingMarker, " "};
    default:
      return {std::string(kLineWidth, '-'), std::string(kLineWidth, '='),
              std::string(kLineWidth, '*'), std::string(kLineWidth, '*'),
              std::string(kLineWidth, '*'), "*"};
  }
}

const FrameStrings& Frame() {
  static const std::array<FrameStrings, 4> frames = {MakeFrame(1), MakeFrame(2), MakeFrame(3),
                                                     MakeFrame(4)};
  int style = frameStyle >= 1 && frameStyle <= 4 ? frameStyle : 1;
  return frames[static_cast<size_t>(style - 1)];
}

bool IsHtml() {
  return outputChannel.channel == kChannelHtml;
}

// Texts that come from the user or the model are text, not markup.
std::string EscapeHtml(const std::string& text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      case '&':
        escaped += "&amp;";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

bool IsSkippedRule(const std::string& text) {
  return text == Rule() || text == DoubleRule() || text == kNothingMarker;
}

std::string ProgramTitleWithVersion() {
  return std::string(programTitle) + " V" + programVersion;
}

std::string HeaderDate() {
  return outputChannel.headerTime ? FormatDate(*outputChannel.headerTime) : FormatDate();
}
std::string HeaderTime() {
  return outputChannel.headerTime ? FormatTime(*outputChannel.headerTime) : FormatTime();
}

// A 70-column line with the side character at both ends.
std::string FramedLine() {
  std::string line(kLineWidth, ' ');
  PutAt(SideCharacter(), line, 1);
  PutAt(SideCharacter(), line, kLineWidth);
  return line;
}

bool HoldsPath(const std::string& name) {
  return name.find_first_of("/\\:") != std::string::npos;
}

// The project file as the page header names it.
std::string ProjectFileText() {
  std::string name = TrimBlanks(projectName);
  if (HoldsPath(name)) return name;
  std::string shortName = name + "." + kProjectExtension;
  std::string fullName = DisplayToDos(AddBackslash(projectFolder)) + shortName;
  // The full name is used when it fits between the side characters.
  constexpr size_t kRoom = kLineWidth - 4;
  return Utf8Length(fullName) <= kRoom ? fullName : shortName;
}

// The body line of the text channels: counted, page broken when full, and
// written behind the indent. `countedOnNewPage` keeps the page lengths
// equal: the line that breaks the page is the first one of the new page.
void WriteTextChannelLine(const std::string& text) {
  if (text == kNothingMarker) return;
  ++outputChannel.lineCount;
  if (!breakingPage && outputChannel.lineCount >= linesPerPage) {
    CheckPageBreak(outputChannel.headerKind);
    if (abortFlag) return;
    ++outputChannel.lineCount;
  }
  WriteRawLine(kIndent + text);
}

// A line of program markup on the HTML channel (WriteLine for texts).
void WriteHtmlLine(const std::string& markup) {
  CloseHtmlTable();
  ++outputChannel.lineCount;
  WriteRawLine("<br>" + markup);
}

void WriteTabbed(const std::initializer_list<std::string>& fields) {
  std::string line;
  bool first = true;
  for (const std::string& field : fields) {
    if (!first) line += '\t';
    line += field;
    first = false;
  }
  WriteRawLine(line);
}

void WriteTextHeader(int page, int kind, bool first) {
  OutputChannelState& c = outputChannel;
  PagePrompt();
  if (abortFlag) return;
  if (pageMode == 2 && !first) {
    WriteRawLine(" ");
    return;
  }
  if (frameStyle == 4 && !first && c.lineCount < linesPerPage / 2) return;

  PageBreakGuard guard;
  c.lineCount = 0;
  c.headerKind = kind;
  ++c.pageCount;
  if (page == 0) page = c.pageCount;

  if (frameStyle == 4) WriteLine("");
  for (int i = 0; i < headerSpaceLines; ++i) WriteLine("");
  WriteLine(TopFrame());
  if (abortFlag) return;

  std::string title = FramedLine();
  PutAt(c.pageHeader.title, title, 4);
  if (pageMode != 2) {
    char number[32];
    if (c.pageHeader.pageTotal == 0) {
      std::snprintf(number, sizeof number, "Bl.%2d", page);
      PutAt(number, title, 64);
    } else {
      std::snprintf(number, sizeof number, "Bl.%2d/%2d", page, c.pageHeader.pageTotal);
      PutAt(number, title, 60);
    }
  }
  PutAt(SideCharacter(), title, kLineWidth);
  WriteLine(title);

  std::string dateLine = FramedLine();
  PutAt(HeaderDate(), dateLine, 53);
  PutAt(HeaderTime(), dateLine, 64);
  WriteLine(dateLine);

  std::string fileLine = FramedLine();
  PutAt(ProjectFileText(), fileLine, 4);
  WriteLine(fileLine);

  WriteLine(MiddleFrame());
  for (size_t i = 0; i < c.pageHeader.lines.size(); ++i) {
    if (i == 3 && c.pageHeader.lines[i].empty()) continue;
    std::string line = FramedLine();
    PutAt(c.pageHeader.lines[i], line, 4);
    WriteLine(line);
  }
  if (kind == 1) {
    WriteLine(MiddleFrame());
    WriteColumnTitles();
  } else {
    WriteLine(BottomFrame());
  }
}

void WriteTabHeader() {
  OutputChannelState& c = outputChannel;
  WriteLine(ProgramTitleWithVersion() + "\t" + HeaderDate() + "\t" + HeaderTime());
  WriteLine(RemoveBlanks(OutputFileForDisplay()));
  for (const std::string& info : model.infoText) WriteLine(info);
  WriteLine(" ");
  ++c.pageCount;
}

void WriteHtmlHeader() {
  OutputChannelState& c = outputChannel;
  const std::string title = EscapeHtml(ProgramTitleWithVersion());
  WriteRawLine("<!-- " + EscapeHtml(RemoveBlanks(OutputFileForDisplay())) + " -->");
  WriteRawLine("<HTML>");
  WriteRawLine("<head><meta charset=\"utf-8\"><title>" + title + "</title></head>");
  WriteRawLine("<BODY BGCOLOR=\"C0C0C0\">");
  WriteRawLine("<hr>");
  WriteHtmlLine("<h4>" + title + "</h4>");
  WriteRawLine("<hr>");
  for (const std::string& line : c.pageHeader.lines)
    WriteRawLine("<h5>" + EscapeHtml(line) + "</h5>");
  WriteRawLine("<hr>");
  ++c.pageCount;
}

}  // namespace

const std::array<std::string, 7>& OutputChannelNames() {
  static const std::array<std::string, 7> names = {
      "Bildschirm", "Textdrucker", "Datei", "Windows-Drucker", "externes Textprogramm",
      "TXT Datei",  "HTML Datei"};
  return names;
}

const std::string& Rule() {
  return Frame().rule;
}
const std::string& DoubleRule() {
  return Frame().doubleRule;
}
const std::string& TopFrame() {
  return Frame().top;
}
const std::string& BottomFrame() {
  return Frame().bottom;
}
const std::string& MiddleFrame() {
  return Frame().middle;
}
const std::string& SideCharacter() {
  return Frame().side;
}

bool TabSeparatedChannel() {
  return outputChannel.channel == kChannelTabFile || outputChannel.channel == kChannelBatchTabFile;
}

void SetPageHeader(const std::string& title, const std::string& line1, const std::string& line2,
                   const std::string& line3, const std::string& line4, int pageTotal) {
  kopfRec& h = outputChannel.pageHeader;
  h.title = title.empty() ? std::string(programTitle) + "  V" + programVersion : title;
  h.lines = {line1, line2, line3, line4};
  h.pageTotal = pageTotal;
  outputChannel.pageCount = 0;
  outputChannel.lineCount = 0;
}

void SetColumnTitles(const std::string& first, const std::string& symbolTitle,
                     const std::string& unitTitle, const std::string& valueTitle1,
                     const std::string& valueTitle2) {
  auto& titles = outputChannel.pageHeader.columnTitles;
  titles[0] = first;
  titles[1] = symbolTitle;
  titles[2] = unitTitle;
  titles[3] = valueTitle1;
  titles[4] = valueTitle2;
  outputChannel.columns = ColumnPositions{};
}

void WritePageHeader(int page, int kind) {
  if (abortFlag) return;
  bool first = page == 1 || (page == 0 && outputChannel.pageCount == 0);
  if (TabSeparatedChannel()) {
    if (first) WriteTabHeader();
  } else if (IsHtml()) {
    if (first) WriteHtmlHeader();
  } else {
    WriteTextHeader(page, kind, first);
  }
}

void WriteLine(const std::string& text) {
  if (abortFlag) return;
  if (TabSeparatedChannel()) {
    if (!IsSkippedRule(text)) WriteRawLine(text);
  } else if (IsHtml()) {
    CloseHtmlTable();
    ++outputChannel.lineCount;
    if (!IsSkippedRule(text)) WriteRawLine("<br>" + EscapeHtml(text));
  } else {
    WriteTextChannelLine(text);
  }
}

void WriteTableLine(const std::string& text) {
  if (abortFlag) return;
  if (!IsHtml()) {
    WriteLine(text);
    return;
  }
  if (!outputChannel.htmlTableOpen) OpenHtmlTable();
  WriteRawLine("<TR><TD>" + EscapeHtml(text) + "</TD></TR>");
}

void WriteValueRow(const std::string& label, const std::string& symbol, const std::string& unit,
                   const std::string& value) {
  if (abortFlag) return;
  const std::string name = CapitalizeFirst(label);
  const ColumnPositions& col = outputChannel.columns;
  if (TabSeparatedChannel()) {
    WriteTabbed({name, symbol, unit, value});
  } else if (IsHtml()) {
    if (!outputChannel.htmlTableOpen) OpenHtmlTable();
    WriteRawLine("<TR><TD>" + EscapeHtml(name) + "</TD><TD>" + EscapeHtml(symbol) + "</TD><TD>" +
                 EscapeHtml(unit) + "</TD><TD><DIV ALIGN=RIGHT>" + EscapeHtml(value) +
                 "</DIV></TD></TR>");
  } else {
    std::string line(kLineWidth, ' ');
    PutAt(name, line, 1);
    PutAt(symbol, line, col.symbol);
    PutAt(unit, line, col.unit);
    constexpr size_t kValueWidth = 14;
    std::string shown = Utf8Length(value) > kValueWidth ? TrimBlanks(value) : value;
    size_t length = Utf8Length(shown);
    int column = length > kValueWidth ? kLineWidth - static_cast<int>(length) : col.singleValue;
    PutAt(shown, line, column);
    WriteLine(line);
    if (frameStyle != 4) WriteLine(Rule());
  }
}

void WriteTwoValueRow(const std::string& label, const std::string& symbol, const std::string& unit,
                      const std::string& value1, const std::string& value2) {
  if (abortFlag) return;
  const std::string name = CapitalizeFirst(label);
  const ColumnPositions& col = outputChannel.columns;
  if (TabSeparatedChannel()) {
    WriteTabbed({name, symbol, unit, value1, value2});
  } else if (IsHtml()) {
    if (!outputChannel.htmlTableOpen) WriteColumnTitles();
    WriteRawLine("<TR><TD>" + EscapeHtml(name) + "</TD><TD>" + EscapeHtml(symbol) + "</TD><TD>" +
                 EscapeHtml(unit) + "</TD><TD>" + EscapeHtml(value1) + "</TD><TD>" +
                 EscapeHtml(value2) + "</TD></TR>");
  } else {
    std::string line(kLineWidth + 1, ' ');
    PutAt(name, line, 1);
    PutAt(symbol, line, col.symbol);
    PutAt(unit, line, col.unit);
    PutAt(value1, line, col.value1);
    PutAt(value2, line, col.value2);
    WriteLine(line);
    if (frameStyle != 4) WriteLine(Rule());
  }
}

void WriteColumnTitles() {
  if (abortFlag) return;
  const auto& t = outputChannel.pageHeader.columnTitles;
  const ColumnPositions& col = outputChannel.columns;
  if (TabSeparatedChannel()) {
    WriteLine(t[0] + "\t" + t[1] + "\t" + t[2] + "\t" + t[3] + "\t" + t[4]);
  } else if (IsHtml()) {
    OpenHtmlTable();
    WriteRawLine("<TR><TD><CENTER>" + EscapeHtml(t[0]) + "</CENTER></TD><TD>" + EscapeHtml(t[1]) +
                 "</TD><TD>" + EscapeHtml(t[2]) + "</TD><TD>" + EscapeHtml(t[3]) + "</TD><TD>" +
                 EscapeHtml(t[4]) + "</TD></TR>");
  } else {
    std::string line = FramedLine();
    PutAt(t[0], line, 3);
    PutAt(t[1], line, col.symbol);
    PutAt(t[2], line, col.unit);
    PutAt(t[3], line, col.value1);
    PutAt(t[4], line, col.value2);
    PutAt(SideCharacter(), line, kLineWidth);
    WriteLine(line);
    WriteLine(BottomFrame());
    WriteLine("");
  }
}

void OpenHtmlTable() {
  if (abortFlag) return;
  CloseHtmlTable();
  WriteRawLine("<TABLE BORDER = \"2\" WIDTH= \"100%\">");
  outputChannel.htmlTableOpen = true;
}

void CloseHtmlTable() {
  if (!outputChannel.htmlTableOpen) return;
  outputChannel.htmlTableOpen = false;
  WriteRawLine("</TABLE>");
}

void EndPage() {
  if (abortFlag) return;
  OutputChannelState& c = outputChannel;
  if (TabSeparatedChannel() || IsHtml()) return;
  if (frameStyle == 4 && c.lineCount < linesPerPage / 2) return;
  if (c.channel == kChannelScreen || c.channel == kChannelPrinter) WriteRawLine("\f");
  if (c.channel == kChannelTextPrinter) WriteRaw("\f");
  c.lineCount = 0;
}

void CheckPageBreak(int kind) {
  if (abortFlag) return;
  OutputChannelState& c = outputChannel;
  if (c.lineCount < linesPerPage) return;
  PageBreakGuard guard;
  if (pageMode == 2) {
    WriteRawLine("\f");
    c.lineCount = 0;
  } else if (c.headersOn) {
    EndPage();
    WritePageHeader(0, kind);
    WriteLine("");
  } else {
    EndPage();
  }
}

void EnsureSpace(int kind) {
  if (abortFlag) return;
  if (outputChannel.lineCount <= std::max(linesPerPage - 10, 10)) return;
  EndPage();
  WritePageHeader(0, kind);
  if (kind == 0) WriteLine("");
}

void PagePrompt() {
  if (!outputChannel.pausePerPage) return;
  if (CurrentPlatform().AskYesNoCancel(programTitle, "Blatt in Drucker einlegen.  Fortfahren ?") !=
      YesNoCancel::Yes)
    abortFlag = true;
}

std::string LabelWithNumber(const std::string& text, const std::string& number) {
  std::string line(64, ' ');
  PutAt(text, line, 1);
  PutAt("Nr.: " + number, line, 40);
  return line;
}

}  // namespace kv5
