// The document data of the production drawings: who drew, checked and
// approved the drawing and when, what it replaces, the change log, free
// texts placed on the sheet, the ISO title block fields and the document
// links; the fixed German label texts of the title blocks; and the three
// blocks by which all of it is kept in the project file.
#pragma once

#include <array>
#include <cassert>
#include <string>

#include "model/drive_model.h"

namespace kv5 {

class LineWriter;
class ProjectLineReader;

inline constexpr int kMaxChanges = 25;
inline constexpr int kMaxDrawingTexts = 8;
inline constexpr int kDocumentLinkCount = 5;

// An array indexed 1..N, as the change log and the document links count.
template <typename T, int N>
struct OneBased {
  std::array<T, N> values{};
  T& operator[](int i) {
    assert(i >= 1 && i <= N);
    return values[static_cast<size_t>(i - 1)];
  }
  const T& operator[](int i) const {
    assert(i >= 1 && i <= N);
    return values[static_cast<size_t>(i - 1)];
  }
  bool operator==(const OneBased&) const = default;
};

// Drawing information: the approval rows of the DIN title block, the
// replacement notes and the ISO fields.
struct DrawingInfo {
  std::string createdDate, createdBy;    // "Bearb." / "Erstellt durch"
  std::string approvedDate, approvedBy;  // "Gepr." / "Genehmigt von"
  std::string standardDate, standardBy;  // "Norm" / "Technische Referenz"
  std::string releaseDate, releaseBy;    // fourth DIN row ("Freigabefeld")
  std::string replacementFor, replacedBy;
  std::string responsibleDept, documentType, documentStatus;  // ISO only
  bool operator==(const DrawingInfo&) const = default;
};

// One entry of the change log. The dialog limits the lengths (20, 10, 5,
// 255 characters); texts read from a file are kept whole.
struct AendRecord {
  std::string changeText;
  std::string changeDate;
  std::string changeBy;
  std::string description;
  bool operator==(const AendRecord&) const = default;
};

// A free text on the sheet: position and height in mm, angle in degrees.
struct ZeichTextRecord {
  Real x = 0;
  Real y = 0;
  Real height = 0;
  Real angle = 0;
  std::string text;
  int pen = 0;
  bool operator==(const ZeichTextRecord&) const = default;
};

// A program and a file opened with it.
struct DokuRecord {
  std::string program;
  std::string file;
  bool operator==(const DokuRecord&) const = default;
};

// Sheets that carry the drawing texts (the item of "A4", "A3", "A4+A3", "-").
enum DrawingTextSheets { kSheetsA4 = 0, kSheetsA3 = 1, kSheetsA4A3 = 2, kSheetsNone = 3 };

// All document data of one project.
struct DocumentData {
  DrawingInfo drawingInfo;
  short changeCount = 0;                      // entries 1..changeCount are valid; 0..25
  OneBased<AendRecord, kMaxChanges> changes;  // entries beyond the count keep old texts
  short drawingTextCount = 0;                 // 0..8
  std::array<ZeichTextRecord, kMaxDrawingTexts> drawingTexts;  // 0..count-1
  int drawingTextSheets = kSheetsA4;
  OneBased<DokuRecord, kDocumentLinkCount> documentLinks;
  bool operator==(const DocumentData&) const = default;
};

// The document data of the current project.
extern DocumentData documentData;

// Title block style ("ComboBox_zeichnkopf"): 0 "DIN 6771 min.",
// 1 "ISO 7200 Fig.1", 2 "ISO 7200 Fig.2", 3 "DIN 6771". Start value 2.
// Revision index style ("ComboBox_index"): 0 "a,b,c...", 1 "1,2,3...",
// 2 "A,B,C...", 3 ".....". Start value 0.
// Both are configuration settings: these name their place in the stored
// settings, so that the configuration file and the project file change
// the same value.
extern int& titleBlockStyle;
extern int& indexStyle;

// Fixed label texts of the dialogs, the change protocol and the title
// blocks.
enum class Label {
  ChangeText,          // "Änderungstext"
  Editor,              // "Bearbeiter"
  Changes,             // "Änderungen"
  Index,               // "Index"
  Max,                 // "Max."
  ChangesHeading,      // "ÄNDERUNGEN"
  ChangeProtocol,      // "Änderungsprotokoll"
  DrawingInfo,         // "Zeichnungsinfo"
  CreationDate,        // "Erstellungsdatum"
  ReplacementFor,      // "Ersatz für"
  ReplacedBy,          // "Ersetzt durch"
  CreatedBy,           // "Erstellt von"
  Description,         // "Beschreibung"
  State,               // "Zust."
  Change,              // "Änderung"
  Date,                // "Datum"
  Name,                // "Name"
  Drawn,               // "Bearb."
  Checked,             // "Gepr."
  Standard,            // "Norm"
  Sheet,               // "Blatt"
  ResponsibleDept,     // "Verantwortl. Abt."
  TechnicalReference,  // "Technische Referenz"
  CreatedByIso,        // "Erstellt durch"
  ApprovedBy,          // "Genehmigt von"
  DocumentType,        // "Dokumentenart"
  DocumentStatus,      // "Dokumentenstatus"
  Title,               // "Titel"
  AdditionalTitle,     // "Zusätzlicher Titel"
  Revision,            // "Änd."
  IssueDate,           // "Ausgabedatum"
  Language,            // "Spr."
  ProtectionNote1,     // the five lines of the German protection note
  ProtectionNote2,
  ProtectionNote3,
  ProtectionNote4,
  ProtectionNote5,
};
const std::string& LabelText(Label label);

// Start-up state: empty change log and drawing texts, today's date as
// created, approved and standard date, the default document link
// programs. (The two styles start with the configuration.)
void InitDrawingInfo();
// A new project: no changes, no drawing texts, sheets "A4", today as the
// created date and every other field of the drawing information empty.
// The document links stay.
void ResetDrawingInfo();

// The three project file blocks, written from `documentData` and the
// title block style. Writing the change log also stores every line break
// of a description as "|" in the record itself.
void WriteChangeLogBlock(LineWriter& out);
void WriteDocumentLinksBlock(LineWriter& out);
void WriteTitleHeaderBlock(LineWriter& out);

// Readers of the three blocks. Each looks for its first line (see
// ProjectLineReader::EnterBlock) and returns false when the block is not
// there; whatever it reads goes into `into` (and `style`), fields that are
// missing keep their values there.
bool ReadChangeLogBlock(ProjectLineReader& in, DocumentData& into);
bool ReadDocumentLinksBlock(ProjectLineReader& in, DocumentData& into);
bool ReadTitleHeaderBlock(ProjectLineReader& in, DocumentData& into, int& style);

}  // namespace kv5
