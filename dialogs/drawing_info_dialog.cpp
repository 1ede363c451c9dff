#include "dialogs/drawing_info_dialog.h"

#include <algorithm>
#include <cassert>

#include "graphics/frame_settings.h"
#include "model/drive_model.h"
#include "text/number_format.h"
#include "text/string_routines.h"
#include "text/text_conversion.h"

namespace kv5 {

namespace {

// A typed text kept as a program text. The conversion refuses very long
// texts; such a text is kept as typed rather than lost.
std::string Kept(const std::string& text) {
  std::string kept = DisplayToDos(text);
  return kept.empty() ? text : kept;
}
std::string Shown(const std::string& text) {
  std::string shown = DosToDisplay(text);
  return shown.empty() ? text : shown;
}

}  // namespace

DrawingInfoDialog::DrawingInfoDialog()
    : iso_(titleBlockStyle == kIsoFig1 || titleBlockStyle == kIsoFig2) {
  const DocumentData& d = documentData;
  const DrawingInfo& i = d.drawingInfo;
  signatures_[0] = {i.createdDate, Shown(i.createdBy)};
  signatures_[1] = {i.approvedDate, Shown(i.approvedBy)};
  signatures_[2] = {i.standardDate, Shown(i.standardBy)};
  if (!iso_) signatures_[3] = {i.releaseDate, Shown(i.releaseBy)};
  replacementFor = Shown(i.replacementFor);
  replacedBy = Shown(i.replacedBy);
  isoFields_ = {Shown(i.responsibleDept), Shown(i.documentType), Shown(i.documentStatus)};
  const int count = std::clamp<int>(d.drawingTextCount, 0, kMaxDrawingTexts);
  for (int r = 0; r < count; ++r) {
    const ZeichTextRecord& t = d.drawingTexts[static_cast<size_t>(r)];
    texts_[static_cast<size_t>(r)] = {FormatAuto(t.x),     FormatAuto(t.y), FormatAuto(t.height),
                                      FormatAuto(t.angle), Shown(t.text),   std::to_string(t.pen)};
  }
  sheets = d.drawingTextSheets >= kSheetsA4 && d.drawingTextSheets <= kSheetsNone
               ? d.drawingTextSheets
               : kSheetsA4;
}

std::string DrawingInfoDialog::Caption() const {
  return LabelText(Label::DrawingInfo) + (iso_ ? " ISO 7200" : " DIN 6771");
}

std::string DrawingInfoDialog::SignatureRowLabel(int row) const {
  static const Label kIso[] = {Label::CreatedByIso, Label::ApprovedBy, Label::TechnicalReference};
  static const Label kDin[] = {Label::Drawn, Label::Checked, Label::Standard};
  if (row < 1 || row > SignatureRowCount()) return "";
  if (iso_) return LabelText(kIso[row - 1]);
  if (row == 4) return FrameSettingsNow().approvalLabel;
  return LabelText(kDin[row - 1]);
}

std::string DrawingInfoDialog::DateHeader() const {
  return iso_ ? " (" + LabelText(Label::Date) + ")" : LabelText(Label::Date);
}
std::string DrawingInfoDialog::NameHeader() {
  return LabelText(Label::Name);
}
std::string DrawingInfoDialog::IsoFieldLabel(int row) {
  static const Label kLabels[] = {Label::ResponsibleDept, Label::DocumentType,
                                  Label::DocumentStatus};
  return row >= 1 && row <= kIsoFieldRows ? LabelText(kLabels[row - 1]) : "";
}
std::string DrawingInfoDialog::ReplacementForLabel() {
  return LabelText(Label::ReplacementFor);
}
std::string DrawingInfoDialog::ReplacedByLabel() {
  return LabelText(Label::ReplacedBy);
}
std::string DrawingInfoDialog::DateButtonCaption() {
  return "< " + FormatDate();
}
std::string DrawingInfoDialog::TextColumnHeader(int column) {
  static const char* kHeaders[] = {"x", "y", "h", "phi", "Text", "Layer"};
  return column >= 0 && column < kTextColumns ? kHeaders[column] : "";
}
const std::array<std::string, 4>& DrawingInfoDialog::SheetItems() {
  static const std::array<std::string, 4> kItems = {"A4", "A3", "A4+A3", "-"};
  return kItems;
}

DrawingInfoDialog::SignatureRow& DrawingInfoDialog::signature(int row) {
  assert(row >= 1 && row <= kSignatureRows);
  return signatures_[static_cast<size_t>(row - 1)];
}
const DrawingInfoDialog::SignatureRow& DrawingInfoDialog::signature(int row) const {
  assert(row >= 1 && row <= kSignatureRows);
  return signatures_[static_cast<size_t>(row - 1)];
}
std::string& DrawingInfoDialog::isoField(int row) {
  assert(row >= 1 && row <= kIsoFieldRows);
  return isoFields_[static_cast<size_t>(row - 1)];
}
std::string& DrawingInfoDialog::textCell(int row, int column) {
  assert(row >= 1 && row <= kMaxDrawingTexts && column >= 0 && column < kTextColumns);
  return texts_[static_cast<size_t>(row - 1)][static_cast<size_t>(column)];
}
const std::string& DrawingInfoDialog::textCell(int row, int column) const {
  assert(row >= 1 && row <= kMaxDrawingTexts && column >= 0 && column < kTextColumns);
  return texts_[static_cast<size_t>(row - 1)][static_cast<size_t>(column)];
}

void DrawingInfoDialog::TakeToday(int row) {
  if (iso_ || row < 1 || row > kSignatureRows) return;  // ISO has no date buttons
  signature(row).date = FormatDate();
}

// Row 1 of the texts is always taken, each following row while its text is
// not empty; the ISO layout has no fourth signature row, which stores empty
// texts.
bool DrawingInfoDialog::Ok() {
  abortFlag = false;
  DocumentData& d = documentData;
  DrawingInfo& i = d.drawingInfo;
  i.replacementFor = Kept(replacementFor);
  i.replacedBy = Kept(replacedBy);
  SignatureRow release = iso_ ? SignatureRow{} : signatures_[3];
  i.createdDate = Kept(signatures_[0].date);
  i.createdBy = Kept(signatures_[0].name);
  i.approvedDate = Kept(signatures_[1].date);
  i.approvedBy = Kept(signatures_[1].name);
  i.standardDate = Kept(signatures_[2].date);
  i.standardBy = Kept(signatures_[2].name);
  i.releaseDate = Kept(release.date);
  i.releaseBy = Kept(release.name);
  int taken = 0;
  for (int r = 1; r <= kMaxDrawingTexts; ++r) {
    if (r > 1 && TrimBlanks(textCell(r, kText)).empty()) break;
    ZeichTextRecord& t = d.drawingTexts[static_cast<size_t>(r - 1)];
    t.x = ParseNumber(textCell(r, kX));
    t.y = ParseNumber(textCell(r, kY));
    t.height = ParseNumber(textCell(r, kHeight));
    t.angle = ParseNumber(textCell(r, kAngle));
    t.text = Kept(textCell(r, kText));
    t.pen = ParseInt(textCell(r, kLayer));
    taken = r;
  }
  d.drawingTextCount = static_cast<short>(taken);
  d.drawingTextSheets = sheets;
  if (iso_) {
    i.responsibleDept = Kept(isoFields_[0]);
    i.documentType = Kept(isoFields_[1]);
    i.documentStatus = Kept(isoFields_[2]);
  }
  return true;
}

bool DrawingInfoDialog::Cancel() {
  abortFlag = true;
  return true;
}

void DrawingInfoDialog::Help() const {
  if (showHelp) showHelp(kHelpTopic);
}

}  // namespace kv5
