#include "graphics/drawing_info.h"

#include <vector>

#include "model/line_file.h"
#include "model/project_file.h"
#include "text/configuration.h"
#include "text/number_format.h"
#include "text/string_routines.h"

namespace kv5 {

DocumentData documentData;
int& titleBlockStyle = storedSettings.unlabelled.titleBlockStyle;
int& indexStyle = storedSettings.defaults3d.indexStyle;

namespace {

const std::string kChangeLogRule(20, '-');
const std::string kRecordRule(14, '-');
constexpr const char* kTitleHeaderEnd = "---";

const char* const kDefaultLinkPrograms[kDocumentLinkCount] = {
    "notepad.exe", "write.exe", "mspaint.exe", "notepad.exe", "notepad.exe"};

const std::string kLabels[] = {
    "Änderungstext",
    "Bearbeiter",
    "Änderungen",
    "Index",
    "Max.",
    "ÄNDERUNGEN",
    "Änderungsprotokoll",
    "Zeichnungsinfo",
    "Erstellungsdatum",
    "Ersatz für",
    "Ersetzt durch",
    "Erstellt von",
    "Beschreibung",
    "Zust.",
    "Änderung",
    "Datum",
    "Name",
    "Bearb.",
    "Gepr.",
    "Norm",
    "Blatt",
    "Verantwortl. Abt.",
    "Technische Referenz",
    "Erstellt durch",
    "Genehmigt von",
    "Dokumentenart",
    "Dokumentenstatus",
    "Titel",
    "Zusätzlicher Titel",
    "Änd.",
    "Ausgabedatum",
    "Spr.",
    "Weitergabe sowie Vervielfältigung dieser Unterlage, Ver-",
    "wertung und Mitteilung ihres Inhalts nicht gestattet, soweit",
    "nicht ausdrücklich zugestanden. Zuwiderhandlungen verpflich-",
    "ten zu Schadensersatz. Alle Rechte für den Fall der Patent-",
    "erteilung oder Gebrauchsmuster-Eintragung vorbehalten.",
};
static_assert(std::size(kLabels) == static_cast<size_t>(Label::ProtectionNote5) + 1);

// Every line break becomes "|", as the text is kept on one line.
std::string LineBreaksToBars(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      out += '|';
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

std::vector<std::string> SplitAtBars(const std::string& line) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    size_t bar = line.find('|', start);
    if (bar == std::string::npos) {
      parts.push_back(line.substr(start));
      return parts;
    }
    parts.push_back(line.substr(start, bar - start));
    start = bar + 1;
  }
}

std::string JoinWithBars(const std::vector<std::string>& parts, size_t from, size_t to) {
  std::string text;
  for (size_t i = from; i < to; ++i) {
    if (i > from) text += '|';
    text += parts[i];
  }
  return text;
}

// The line after the change records: six texts, the drawing text count
// and an empty field, each closed by "|".
bool LooksLikeApprovalLine(const std::string& line) {
  return SplitAtBars(line).size() >= 8;
}

std::string DrawingTextLine(const ZeichTextRecord& t) {
  return FormatAuto(t.x) + "|" + FormatAuto(t.y) + "|" + FormatAuto(t.height) + "|" +
         FormatAuto(t.angle) + "|" + t.text + "|" + std::to_string(t.pen) + "|";
}

// x|y|height|angle|text|pen| — the text may itself hold "|", so the numbers
// are taken from the left and the pen from the right. Fills what the line
// has; false when it does not have that shape.
bool ParseDrawingText(const std::string& line, ZeichTextRecord& t) {
  std::vector<std::string> parts = SplitAtBars(line);
  if (parts.size() > 1 && parts.back().empty()) parts.pop_back();
  Real* numbers[] = {&t.x, &t.y, &t.height, &t.angle};
  for (size_t i = 0; i < 4 && i < parts.size(); ++i) *numbers[i] = ParseNumber(parts[i]);
  if (parts.size() < 6) {
    if (parts.size() == 5) t.text = parts[4];
    return false;
  }
  t.text = JoinWithBars(parts, 4, parts.size() - 1);
  t.pen = ParseInt(parts.back());
  return true;
}

// One record of a block: its fields, then its closing rule line. Returns
// the number of fields read. When tolerant and the lines there are not such
// a record (a block first line inside it, no closing rule), it returns -1
// and goes back to the record's first line. A file that ends inside the
// record gives the fields read so far.
int ReadRecord(ProjectLineReader& in, std::initializer_list<std::string*> fields) {
  size_t start = in.Position();
  int read = 0;
  for (std::string* field : fields) {
    if (!in.Text(*field)) break;
    ++read;
  }
  if (in.AtEnd()) return read;
  if (read < static_cast<int>(fields.size()) || !in.ExpectRule()) {
    if (in.Tolerant()) {
      in.RewindTo(start);
      return -1;
    }
  }
  return read;
}

}  // namespace

const std::string& LabelText(Label label) {
  return kLabels[static_cast<size_t>(label)];
}

void InitDrawingInfo() {
  documentData = DocumentData{};
  std::string today = FormatDate();
  documentData.drawingInfo.createdDate = today;
  documentData.drawingInfo.approvedDate = today;
  documentData.drawingInfo.standardDate = today;
  for (int i = 1; i <= kDocumentLinkCount; ++i)
    documentData.documentLinks[i].program = kDefaultLinkPrograms[i - 1];
}

void ResetDrawingInfo() {
  documentData.changeCount = 0;
  documentData.drawingTextCount = 0;
  documentData.drawingTextSheets = kSheetsA4;
  documentData.drawingInfo = DrawingInfo{};
  documentData.drawingInfo.createdDate = FormatDate();
}

void WriteChangeLogBlock(LineWriter& out) {
  DocumentData& doc = documentData;
  int changes =
      doc.changeCount < 0 ? 0 : (doc.changeCount > kMaxChanges ? kMaxChanges : doc.changeCount);
  out.WriteTextLine(kChangeLogMarker);
  out.WriteIntegerLine(changes);
  out.WriteTextLine(kChangeLogRule);
  for (int i = 1; i <= changes; ++i) {
    AendRecord& change = doc.changes[i];
    change.description = LineBreaksToBars(change.description);
    out.WriteTextLine(change.changeText);
    out.WriteTextLine(change.changeDate);
    out.WriteTextLine(change.changeBy);
    out.WriteTextLine(change.description);
    out.WriteTextLine(kRecordRule);
  }
  const DrawingInfo& info = doc.drawingInfo;
  int texts =
      doc.drawingTextCount < 0
          ? 0
          : (doc.drawingTextCount > kMaxDrawingTexts ? kMaxDrawingTexts : doc.drawingTextCount);
  out.WriteTextLine(info.approvedDate + "|" + info.approvedBy + "|" + info.standardDate + "|" +
                    info.standardBy + "|" + info.releaseDate + "|" + info.releaseBy + "|" +
                    std::to_string(texts) + "|" + "|");
  out.WriteTextLine(info.createdDate);
  out.WriteTextLine(info.replacementFor);
  out.WriteTextLine(info.replacedBy);
  out.WriteTextLine(info.createdBy);
  for (int i = 0; i < texts; ++i) out.WriteTextLine(DrawingTextLine(doc.drawingTexts[i]));
}

void WriteDocumentLinksBlock(LineWriter& out) {
  out.WriteTextLine(kDocumentLinksMarker);
  out.WriteIntegerLine(kDocumentLinkCount);
  out.WriteTextLine(kChangeLogRule);
  for (int i = 1; i <= kDocumentLinkCount; ++i) {
    out.WriteTextLine(documentData.documentLinks[i].program);
    out.WriteTextLine(documentData.documentLinks[i].file);
    out.WriteTextLine(kRecordRule);
  }
}

void WriteTitleHeaderBlock(LineWriter& out) {
  const DrawingInfo& info = documentData.drawingInfo;
  out.WriteTextLine(kTitleHeaderMarker);
  out.WriteIntegerLine(titleBlockStyle);
  out.WriteIntegerLine(documentData.drawingTextSheets);
  out.WriteTextLine(info.responsibleDept);
  out.WriteTextLine(info.documentType);
  out.WriteTextLine(info.documentStatus);
  out.WriteTextLine(kTitleHeaderEnd);
}

bool ReadChangeLogBlock(ProjectLineReader& in, DocumentData& into) {
  if (!in.EnterBlock(kChangeLogMarker)) return false;
  int fileCount = 0;
  if (!in.Integer(fileCount)) return true;
  // From here on the log holds what the file holds.
  into.changeCount = 0;
  if (!in.AtEnd()) in.ExpectRule();
  for (int i = 1;; ++i) {
    // Past the count a tolerant reader goes on while records follow, so
    // that a count too low does not turn records into drawing information.
    if (i > fileCount && (!in.Tolerant() || in.AtEnd() || LooksLikeApprovalLine(in.Peek()))) break;
    AendRecord change = i <= kMaxChanges ? into.changes[i] : AendRecord{};
    int read = ReadRecord(
        in, {&change.changeText, &change.changeDate, &change.changeBy, &change.description});
    if (read < 0) break;
    if (i <= kMaxChanges) {
      into.changes[i] = change;
      if (read == 4) into.changeCount = static_cast<short>(i);
    }
    if (read < 4) return true;
  }

  DrawingInfo& info = into.drawingInfo;
  std::string line;
  if (!in.Text(line)) return true;
  // Six texts from the left, the drawing text count third from the right:
  // "<6 texts>|<count>||".
  std::vector<std::string> parts = SplitAtBars(line);
  std::string* texts[] = {&info.approvedDate, &info.approvedBy,  &info.standardDate,
                          &info.standardBy,   &info.releaseDate, &info.releaseBy};
  for (size_t k = 0; k < 6 && k < parts.size(); ++k) *texts[k] = parts[k];
  bool haveCount = parts.size() >= 7;
  int textCount = 0;
  if (parts.size() >= 9)
    textCount = ParseInt(parts[parts.size() - 3]);
  else if (haveCount)
    textCount = ParseInt(parts[6]);

  if (!in.Text(info.createdDate) || !in.Text(info.replacementFor) || !in.Text(info.replacedBy) ||
      !in.Text(info.createdBy))
    return true;

  if (!haveCount && !in.Tolerant()) return true;
  into.drawingTextCount = 0;
  for (int i = 0; !in.AtSectionEnd(); ++i) {
    ZeichTextRecord text =
        i < kMaxDrawingTexts ? into.drawingTexts[static_cast<size_t>(i)] : ZeichTextRecord{};
    bool shaped = ParseDrawingText(in.Peek(), text);
    // Tolerant: every line of the drawing text shape counts, whatever the
    // count says; strict: exactly the count.
    if (in.Tolerant() ? !shaped : i >= textCount) break;
    if (!shaped) in.MarkLayoutBroken();
    in.Skip();
    if (i < kMaxDrawingTexts) {
      into.drawingTexts[static_cast<size_t>(i)] = text;
      into.drawingTextCount = static_cast<short>(i + 1);
    }
  }
  return true;
}

bool ReadDocumentLinksBlock(ProjectLineReader& in, DocumentData& into) {
  if (!in.EnterBlock(kDocumentLinksMarker)) return false;
  int fileCount = 0;
  if (!in.Integer(fileCount)) return true;
  if (!in.AtEnd()) in.ExpectRule();
  for (int i = 1; i <= fileCount; ++i) {
    DokuRecord link = i <= kDocumentLinkCount ? into.documentLinks[i] : DokuRecord{};
    int read = ReadRecord(in, {&link.program, &link.file});
    if (read < 0) break;
    if (i <= kDocumentLinkCount) into.documentLinks[i] = link;
    if (read < 2) break;
  }
  return true;
}

bool ReadTitleHeaderBlock(ProjectLineReader& in, DocumentData& into, int& style) {
  if (!in.EnterBlock(kTitleHeaderMarker)) return false;
  // Values outside the known items keep the current setting.
  int value = 0;
  if (!in.Integer(value)) return true;
  if (value >= 0 && value <= 3) style = value;
  if (!in.Integer(value)) return true;
  if (value >= kSheetsA4 && value <= kSheetsNone) into.drawingTextSheets = value;
  DrawingInfo& info = into.drawingInfo;
  if (!in.Text(info.responsibleDept) || !in.Text(info.documentType) ||
      !in.Text(info.documentStatus))
    return true;
  if (!in.AtEnd()) in.ExpectRule();
  return true;
}

}  // namespace kv5
