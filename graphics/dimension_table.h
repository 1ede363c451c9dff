// Tables of the drawings (dimension tables of the wheels, the drive table,
// the message table): rows of up to seven cells stacked downwards at a
// pitch of twice the character height, ruled with pen 17, texts in pen 18.
// Everything goes through the CAD output channel as it is added; the
// object keeps only the layout of the table being written.
#pragma once

#include <array>
#include <string>

#include "model/drive_model.h"

namespace kv5 {

// A length as the drawing tables show it: in millimetres with FormatAuto
// (three significant digits, "0" below 0.00001), in inch units the inch
// value with four decimals.
std::string FormatShortLength(Real mm);
// Short length text of lo + " .. " + short length text of hi.
std::string FormatRange(Real lo, Real hi);
// FormatAuto(lo) + " .. " + FormatAuto(hi); angles are not converted.
std::string FormatAngleRange(Real lo, Real hi);

class TAusTabelle {
 public:
  virtual ~TAusTabelle() = default;

  // Column widths w1..w7 in characters (0 = column not used; the used
  // columns are the leading ones), c1..c7 the header cells. Draws the header
  // box over all columns and, when a header cell is not empty, the header
  // texts.
  void Init(Real x0, Real y0, Real h, int w1, int w2, int w3, int w4, int w5, int w6, int w7,
            const std::string& c1, const std::string& c2 = "", const std::string& c3 = "",
            const std::string& c4 = "", const std::string& c5 = "", const std::string& c6 = "",
            const std::string& c7 = "");
  void AddRow(const std::string& c1, const std::string& c2 = "", const std::string& c3 = "",
              const std::string& c4 = "", const std::string& c5 = "", const std::string& c6 = "",
              const std::string& c7 = "");
  void AddValueRow(const std::string& label, const std::string& symbol, const std::string& unit,
                   const std::string& value);
  void AddLabelRow(const std::string& label, const std::string& symbol, const std::string& third);
  // Ends the table (nothing is drawn).
  void Done();

  // Layout, 1-based as the drawing code counts columns.
  std::array<Real, 9> colX{};  // colX[1..8]
  Real top = 0;
  Real rowBottom = 0;
  Real baseline = 0;
  std::array<std::string, 8> cells;  // cells[1..7]
  Real textHeight = 0;
  Real rowHeight = 0;
  int lastBoundary = 1;
  int firstBoundary = 1;
  bool ruleRows = true;
  bool allSeparators = true;
  bool capitalizeFirst = true;

 private:
  void WriteTexts();
};

}  // namespace kv5
