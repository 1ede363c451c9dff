// The four title block layouts (DIN 6771 minimal and full, ISO 7200
// figures 1 and 2), the ISO revision table and the user's logo, head and
// insert snippets. Everything is drawn in title block coordinates: the
// origin shift of the CAD channel is set to the block's lower left corner
// and reset to (0, 0) at the end.
#include <algorithm>
#include <string>

#include "cad/block_files.h"
#include "cad/cad_channel.h"
#include "graphics/drawing_frame.h"
#include "graphics/drawing_info.h"
#include "graphics/frame_settings.h"
#include "model/line_file.h"
#include "text/string_routines.h"

namespace kv5 {
namespace {

constexpr Real kDinWidth = 187.2L;
constexpr Real kDinMinimalHeight = 38.25L;
constexpr Real kDinFullHeight = 55.25L;
constexpr Real kDinRow = 4.25L;
constexpr Real kIsoWidth = 180;
constexpr Real kIsoFig1Height = 27;
constexpr Real kIsoFig2Height = 36;
constexpr Real kRevisionRow = 3.5L;
// Both the DIN change field and the ISO revision table show the last
// eight changes.
constexpr int kShownChanges = 8;

// The change log count, kept to the records that exist.
int ChangeCount() {
  return std::clamp<int>(documentData.changeCount, 0, kMaxChanges);
}

// The oldest change shown in the change field or revision table.
int FirstShownChange() {
  const int count = ChangeCount();
  return count <= kShownChanges ? 1 : count - kShownChanges + 1;
}

int ShownChangeRows() {
  return std::min(kShownChanges, ChangeCount());
}

void Style(Real height, Real width) {
  CadSetTextStyle(2, 0, height, width);
}

void FitText(const std::string& s, Real height, Real width, Real maxLength, Real x, Real y,
             int font = 2) {
  CadFitTextStyle(font, s, 0, height, width, maxLength);
  CadText(s, x, y);
}

const std::string& L(Label label) {
  return LabelText(label);
}

std::string TitleLabel() {
  return L(Label::Title) + ", " + L(Label::AdditionalTitle);
}

// The snippet files are looked up where the user places them.
bool SnippetExists(const std::string& name) {
  return FileExists(TemporaryFolder() + "$" + name + ".dx$");
}

// Snippets are replayed from their files only on screen and for LINPLOT.
bool SnippetsApply() {
  return cadKind == kCadScreen || cadKind == kCadLinplot;
}

void InsertSnippetIfPresent(const std::string& name, Real x, Real y) {
  if (SnippetExists(name)) CadInsertShifted(name, x, y, 0, 1, 1);
}

struct DocumentTexts {
  const std::string& name;
  const std::string& name2;
  const std::string& number;
};

// The drawing number, name and additional name of both ISO layouts.
void IsoDocumentTexts(const DocumentTexts& d) {
  CadSetPen(5);
  FitText(d.number, 3.5L, 2.8L, 48, 130, 12);
  FitText(d.name, 3.5L, 2.8L, 50, 76, 8.5L);
  CadSetPen(4);
  FitText(d.name2, 2.5L, 1.8L, 50, 76, 2.5L);
}

// Revision, issue date and language of both ISO layouts.
void IsoIssueTexts() {
  CadText(CurrentRevisionLabel(), 130, 2);
  CadText(FormatIsoDate(), 138, 2);
  CadText("de", 162, 2);
}

void IsoTableIfWanted(const FrameSettings& settings) {
  if (settings.showRevisionTable && ChangeCount() > 0) DrawRevisionTable();
}

void DrawIsoFig2(const FrameSettings& settings, const DocumentTexts& d) {
  const DrawingInfo& info = documentData.drawingInfo;
  CadSetPen(5);
  CadRectangle(0, 0, kIsoWidth, kIsoFig2Height);
  CadSetPen(3);
  CadLine(74, 0, 74, 36);
  CadLine(0, 27, 180, 27);
  CadLine(74, 18, 180, 18);
  CadLine(128, 0, 128, 27);
  CadLine(128, 9, 180, 9);
  CadLine(136, 0, 136, 9);
  CadLine(160, 0, 160, 9);
  CadLine(170, 0, 170, 9);
  CadLine(31, 27, 31, 36);
  CadLine(116, 27, 116, 36);
  CadLine(158, 27, 158, 36);

  Style(1.6L, 1.3L);
  CadSetPen(3);
  CadText(L(Label::ResponsibleDept), 1, 33.5L);
  CadText(L(Label::TechnicalReference), 32, 33.5L);
  CadText(L(Label::CreatedByIso), 75, 33.5L);
  CadText(L(Label::ApprovedBy), 117, 33.5L);
  CadText(L(Label::DocumentType), 75, 24.5L);
  CadText(L(Label::DocumentStatus), 129, 24.5L);
  CadText(TitleLabel(), 75, 15.5L);
  CadText(L(Label::Revision), 129, 6.5L);
  CadText(L(Label::IssueDate), 137, 6.5L);
  CadText(L(Label::Language), 161, 6.5L);
  CadText(L(Label::Sheet), 171, 6.5L);

  IsoDocumentTexts(d);
  CadSetPen(4);
  Style(2.5L, 1.8L);
  CadText(info.responsibleDept, 2, 29);
  CadText(info.standardBy, 33, 29);
  CadText(info.createdBy, 76, 29);
  CadText(info.approvedBy, 118, 29);
  IsoIssueTexts();
  CadText(info.documentType, 76, 20);
  CadText(info.documentStatus, 130, 20);
  IsoTableIfWanted(settings);
}

void DrawIsoFig1(const FrameSettings& settings, const DocumentTexts& d) {
  const DrawingInfo& info = documentData.drawingInfo;
  CadSetPen(5);
  CadRectangle(0, 0, kIsoWidth, kIsoFig1Height);
  CadSetPen(3);
  CadLine(74, 0, 74, 27);
  CadLine(0, 18, 180, 18);
  CadLine(128, 0, 128, 18);
  CadLine(128, 9, 180, 9);
  CadLine(136, 0, 136, 9);
  CadLine(160, 0, 160, 9);
  CadLine(170, 0, 170, 9);
  CadLine(31, 0, 31, 27);
  CadLine(135, 18, 135, 27);
  CadLine(31, 9, 74, 9);

  Style(1.6L, 1.3L);
  CadSetPen(3);
  CadText(L(Label::ResponsibleDept), 1, 24.5L);
  CadText(L(Label::TechnicalReference), 32, 24.5L);
  CadText(L(Label::DocumentType), 75, 24.5L);
  CadText(L(Label::DocumentStatus), 136, 24.5L);
  CadText(L(Label::CreatedByIso), 32, 15.5L);
  CadText(TitleLabel(), 75, 15.5L);
  CadText(L(Label::ApprovedBy), 32, 6.5L);
  CadText(L(Label::Revision), 129, 6.5L);
  CadText(L(Label::IssueDate), 137, 6.5L);
  CadText(L(Label::Language), 161, 6.5L);
  CadText(L(Label::Sheet), 171, 6.5L);

  IsoDocumentTexts(d);
  CadSetPen(4);
  Style(2.5L, 1.8L);
  CadText(info.createdBy, 33, 11);
  CadText(info.approvedBy, 33, 2);
  CadText(info.responsibleDept, 2, 20);
  CadText(info.standardBy, 33, 20);
  CadText(info.documentType, 76, 20);
  CadText(info.documentStatus, 138, 20);
  IsoIssueTexts();
  IsoTableIfWanted(settings);
}

// The change field of the DIN layouts: the last eight changes, the oldest
// in the lowest row.
void DinChangeRows(const FrameSettings& settings) {
  if (ChangeCount() == 0) return;
  Style(1.7L, 1.3L);
  CadSetPen(3);
  const int first = FirstShownChange();
  for (int n = first; n <= ChangeCount(); ++n) {
    const AendRecord& change = documentData.changes[n];
    const Real y = kDinRow * (n - first + 1) + 1;
    CadText(RevisionLabel(settings.indexStyle, n), 1, y);
    CadText(change.changeText, 8.8L, y);
    CadText(change.changeDate, 34.8L, y);
    CadText(change.changeBy, 47.8L, y);
  }
}

void DrawDin(const FrameSettings& settings, const DocumentTexts& d) {
  const DrawingInfo& info = documentData.drawingInfo;
  const bool full = settings.style == kDinFull;
  const Real h = full ? kDinFullHeight : kDinMinimalHeight;
  CadSetPen(5);
  CadRectangle(0, 0, kDinWidth, h);

  CadSetPen(4);
  CadLine(0, 4.25L, kDinWidth, 4.25L);
  CadLine(54.6L, 17, kDinWidth, 17);
  CadLine(54.6L, 0, 54.6L, h);
  CadLine(98.8L, 0, 98.8L, h);
  if (full) {
    CadLine(98.8L, 48.875L, kDinWidth, 48.875L);
    CadLine(0, kDinMinimalHeight, kDinWidth, kDinMinimalHeight);
  }

  CadSetPen(3);
  CadLine(174.2L, 8.5L, kDinWidth, 8.5L);
  CadLine(7.8L, 0, 7.8L, kDinMinimalHeight);
  CadLine(33.8L, 0, 33.8L, kDinMinimalHeight);
  CadLine(46.8L, 0, 46.8L, kDinMinimalHeight);
  CadLine(65, 17, 65, kDinMinimalHeight);
  CadLine(143, 0, 143, 4.25L);
  CadLine(80.6L, 17, 80.6L, h);
  if (full) CadLine(150.8L, 48.875L, 150.8L, kDinFullHeight);
  CadLine(174.2L, 4.25L, 174.2L, 17);
  for (int i = 2; i <= 8; ++i) CadLine(0, kDinRow * i, 54.6L, kDinRow * i);
  for (int j = 5; j <= 8; ++j) CadLine(54.6L, kDinRow * j, 98.8L, kDinRow * j);

  Style(1.6L, 1.3L);
  CadText(L(Label::State), 1, 1);
  CadText(L(Label::Change), 8.8L, 1);
  CadText(L(Label::Date), 34.8L, 1);
  CadText(L(Label::Name), 47.8L, 1);

  Style(1.8L, 1.5L);
  CadText(L(Label::Date), 66, 35);
  CadText(L(Label::Name), 81.6L, 35);
  CadText(L(Label::Drawn), 55.6L, 30.75L);
  CadText(L(Label::Checked), 55.6L, 26.5L);
  CadText(L(Label::Standard), 55.6L, 22.25L);
  CadText(settings.approvalLabel, 55.6L, 18);

  CadText(info.createdDate, 66, 30.75L);
  CadText(info.createdBy, 81.6L, 30.75L);
  CadText(info.approvedDate, 66, 26.5L);
  CadText(info.approvedBy, 81.6L, 26.5L);
  CadText(info.standardDate, 66, 22.25L);
  CadText(info.standardBy, 81.6L, 22.25L);
  CadText(info.releaseDate, 66, 18);
  CadText(info.releaseBy, 81.6L, 18);

  if (!info.replacementFor.empty())
    CadText(L(Label::ReplacementFor) + " " + info.replacementFor, 99.8L, 1);
  if (!info.replacedBy.empty()) CadText(L(Label::ReplacedBy) + " " + info.replacedBy, 144, 1);

  DinChangeRows(settings);

  Style(1.5L, 1.2L);
  CadSetPen(3);
  CadText(ownerName, 55.6L, 1);

  CadSetPen(5);
  FitText(d.name, 5, 4, 84, 100.8L, 28.625L);
  FitText(d.number, 5, 4, 71, 100.8L, 7.375L);
  CadSetPen(4);
  FitText(d.name2, 3.5L, 2.8L, 84, 100.8L, 20.125L);
}

// The logo snippet, or the owner name in its place.
void DrawLogo(const FrameSettings& settings) {
  if (!settings.showLogo) return;
  CadSetPen(5);
  if (SnippetExists("logo_1") && SnippetsApply()) {
    switch (settings.style) {
      case kIsoFig1:
        CadInsertShifted("logo_1", 2, 4, 0, 0.7L, 0.9L);
        break;
      case kIsoFig2:
        CadInsertShifted("logo_1", 3, 4, 0, 1.75L, 1.75L);
        break;
      default:
        CadInsertShifted("logo_1", 57, 5, 0, 1, 1);
        break;
    }
    return;
  }
  CadSetPen(4);
  if (settings.style == kIsoFig1) FitText(ownerName, 8, 6, 29, 1.5L, 4, 0);
  if (settings.style == kIsoFig2) FitText(ownerName, 16, 12, 72, 1.5L, 4, 0);
}

// Height of the top edge of everything drawn so far: the title block and,
// in the ISO layouts, the revision table on top of it.
Real TopOfTitleBlock(const FrameSettings& settings) {
  const Real table =
      settings.showRevisionTable && ChangeCount() > 0 ? (ShownChangeRows() + 1) * kRevisionRow : 0;
  switch (settings.style) {
    case kIsoFig1:
      return kIsoFig1Height + table;
    case kIsoFig2:
      return kIsoFig2Height + table;
    case kDinFull:
      return kDinFullHeight;
    default:
      return kDinMinimalHeight;
  }
}

void DrawSnippets(const FrameSettings& settings) {
  if (!SnippetsApply()) return;
  if (settings.showHeadSnippets) {
    const Real h = TopOfTitleBlock(settings);
    InsertSnippetIfPresent("head_0", 0, h);
    InsertSnippetIfPresent("head_4", 0, h);
  }
  if (settings.showInsertSnippets) {
    InsertSnippetIfPresent("insert_0", 0, 0);
    InsertSnippetIfPresent("insert_4", 0, 0);
  }
}

}  // namespace

std::string RevisionLabel(int style, int n) {
  switch (style) {
    case 0:
      return n >= 1 && n <= 26 ? std::string(1, static_cast<char>('a' + n - 1)) : std::string();
    case 1:
      return std::to_string(n);
    case 2:
      return n >= 1 && n <= 26 ? std::string(1, static_cast<char>('A' + n - 1)) : std::string();
    default:
      return std::string();
  }
}

std::string CurrentRevisionLabel() {
  const FrameSettings settings = FrameSettingsNow();
  const int count = ChangeCount();
  if (!settings.zeroBasedRevisionRule) return RevisionLabel(2, count + 1);
  if (count == 0) return " ";
  return RevisionLabel(settings.indexStyle, count);
}

void DrawTitleBlock(const std::string& drawingName, const std::string& drawingName2,
                    const std::string& drawingNumber) {
  const FrameSettings settings = FrameSettingsNow();
  const DocumentTexts texts{drawingName, drawingName2, drawingNumber};
  switch (settings.style) {
    case kIsoFig1:
    case kIsoFig2:
      if (settings.tenMillimetreBorder)
        CadSetOrigin(20, 10);
      else
        CadSetOrigin(25, 5);
      if (settings.style == kIsoFig1)
        DrawIsoFig1(settings, texts);
      else
        DrawIsoFig2(settings, texts);
      break;
    default:
      CadSetOrigin(17.9L, 5);
      DrawDin(settings, texts);
      break;
  }
  DrawLogo(settings);
  DrawSnippets(settings);
  CadSetOrigin(0, 0);
}

void DrawRevisionTable() {
  const FrameSettings settings = FrameSettingsNow();
  const Real b = settings.style == kIsoFig1 ? kIsoFig1Height : kIsoFig2Height;
  const int rows = ShownChangeRows() + 1;  // header and the shown changes
  CadSetPen(3);
  for (int i = 1; i <= rows; ++i) CadLine(0, b + kRevisionRow * i, kIsoWidth, b + kRevisionRow * i);
  for (Real x : {0, 8, 25, 40, 70}) CadVLine(x, b, kRevisionRow * rows);

  CadSetTextStyle(2, 0, kRevisionRow / 2, kRevisionRow * 3 / 8);
  CadSetPen(3);
  const Real header = b + 0.9L;
  CadText(L(Label::Index), 1, header);
  CadText(L(Label::Date), 9, header);
  CadText(L(Label::Name), 26, header);
  CadText(L(Label::Change), 41, header);
  CadText(L(Label::Description), 71, header);

  const int first = FirstShownChange();
  for (int n = first; n <= ChangeCount(); ++n) {
    const AendRecord& change = documentData.changes[n];
    const Real y = b + kRevisionRow * (n - first + 1) + 0.9L;
    CadText(RevisionLabel(settings.indexStyle, n), 1, y);
    CadText(change.changeDate, 9, y);
    CadText(change.changeBy, 26, y);
    CadText(change.changeText, 41, y);
    CadText(ControlsToBlanks(change.description), 71, y);
  }
}

}  // namespace kv5
