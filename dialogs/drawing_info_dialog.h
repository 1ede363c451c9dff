// The drawing information dialog "Zeichnungsinfo" without its window: the
// approval rows of the title block (DIN with four rows and date buttons, or
// ISO with three), the replacement notes (DIN), the ISO fields, the free
// drawing texts and the sheets that carry them, and the storing rules of OK.
#pragma once

#include <array>
#include <functional>
#include <string>

#include "graphics/drawing_info.h"

namespace kv5 {

class DrawingInfoDialog {
 public:
  static constexpr int kHelpTopic = 3010;
  static constexpr int kSheetsHintTopic = 3020;  // hint of the sheets choice
  static constexpr int kSignatureRows = 4;
  static constexpr int kIsoFieldRows = 3;
  // Columns of the drawing texts grid (after the row number).
  enum TextColumn { kX = 0, kY, kHeight, kAngle, kText, kLayer, kTextColumns };

  struct SignatureRow {
    std::string date;
    std::string name;
  };

  std::function<void(int topic)> showHelp;

  // The layout follows the title block style now in force (ISO for the
  // styles 1 and 2); the fields are filled from documentData.
  DrawingInfoDialog();

  bool iso() const { return iso_; }
  std::string Caption() const;  // "Zeichnungsinfo ISO 7200" / " DIN 6771"
  // Rows of the signature grid that exist (3 ISO, 4 DIN) and their labels.
  int SignatureRowCount() const { return iso_ ? 3 : 4; }
  std::string SignatureRowLabel(int row) const;  // row 1..4
  std::string DateHeader() const;                // " (Datum)" ISO, "Datum" DIN
  static std::string NameHeader();               // "Name"
  static std::string IsoFieldLabel(int row);     // row 1..3
  static std::string ReplacementForLabel();
  static std::string ReplacedByLabel();
  static std::string DateButtonCaption();  // "< " + today's date (DIN rows 1..4)
  static std::string TextColumnHeader(int column);
  static const std::array<std::string, 4>& SheetItems();  // "A4", "A3", "A4+A3", "-"

  // Cells as shown and typed.
  SignatureRow& signature(int row);  // row 1..4
  const SignatureRow& signature(int row) const;
  std::string& isoField(int row);  // row 1..3
  std::string replacementFor;
  std::string replacedBy;
  std::string& textCell(int row, int column);  // row 1..8
  const std::string& textCell(int row, int column) const;
  int sheets = kSheetsA4;
  // The texts grid is hidden while the sheets are "-".
  bool TextGridVisible() const { return sheets != kSheetsNone; }

  // Date button of DIN row 1..4: today's date into its date cell.
  void TakeToday(int row);

  bool Ok();      // clears abortFlag and stores (see the .cpp for the rules)
  bool Cancel();  // sets abortFlag
  void Help() const;

 private:
  bool iso_;
  std::array<SignatureRow, kSignatureRows> signatures_;
  std::array<std::string, kIsoFieldRows> isoFields_;
  std::array<std::array<std::string, kTextColumns>, kMaxDrawingTexts> texts_;
};

}  // namespace kv5
