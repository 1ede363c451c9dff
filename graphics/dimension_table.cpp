#include "graphics/dimension_table.h"

#include "cad/cad_channel.h"
#include "text/codepage.h"
#include "text/number_format.h"
#include "text/string_routines.h"
#include "text/units.h"

namespace kv5 {

std::string FormatShortLength(Real mm) {
  return FormatLengthAuto(mm);
}

std::string FormatRange(Real lo, Real hi) {
  return FormatShortLength(lo) + " .. " + FormatShortLength(hi);
}

std::string FormatAngleRange(Real lo, Real hi) {
  return FormatAuto(lo) + " .. " + FormatAuto(hi);
}

void TAusTabelle::Init(Real x0, Real y0, Real h, int w1, int w2, int w3, int w4, int w5, int w6,
                       int w7, const std::string& c1, const std::string& c2, const std::string& c3,
                       const std::string& c4, const std::string& c5, const std::string& c6,
                       const std::string& c7) {
  const int widths[8] = {0, w1, w2, w3, w4, w5, w6, w7};
  colX[1] = x0;
  for (int k = 1; k <= 7; ++k) colX[k + 1] = colX[k] + 0.9L * h * widths[k];
  top = y0;
  textHeight = h;
  rowHeight = 2 * h;
  rowBottom = y0 - 2 * h;
  baseline = y0 - 1.5L * h;
  // The right edge is the boundary before the first unused column.
  lastBoundary = 8;
  for (int k = 2; k <= 8; ++k) {
    if (colX[k] == colX[k - 1]) {
      lastBoundary = k - 1;
      break;
    }
  }
  firstBoundary = 1;
  ruleRows = true;
  allSeparators = true;
  capitalizeFirst = true;
  cells = {"", c1, c2, c3, c4, c5, c6, c7};

  CadSetPen(17);
  // The header box spans all columns, without inner separators.
  CadRectangle(colX[1], y0, colX[lastBoundary], y0 - 2 * h);
  CadSetTextStyle(2, 0, h, 0.75L * h);
  bool anyHeader = false;
  for (int k = 1; k <= 7; ++k) anyHeader = anyHeader || !cells[k].empty();
  if (anyHeader) WriteTexts();
}

void TAusTabelle::AddRow(const std::string& c1, const std::string& c2, const std::string& c3,
                         const std::string& c4, const std::string& c5, const std::string& c6,
                         const std::string& c7) {
  cells = {"", c1, c2, c3, c4, c5, c6, c7};
  CadSetPen(17);
  if (ruleRows) CadLine(colX[firstBoundary], rowBottom, colX[lastBoundary], rowBottom);
  for (int k = firstBoundary; k <= lastBoundary; ++k) {
    if (allSeparators || k == firstBoundary || k == lastBoundary)
      CadLine(colX[k], rowBottom, colX[k], rowBottom + rowHeight);
  }
  WriteTexts();
}

void TAusTabelle::AddValueRow(const std::string& label, const std::string& symbol,
                              const std::string& unit, const std::string& value) {
  AddRow(label, symbol, unit, value);
}

void TAusTabelle::AddLabelRow(const std::string& label, const std::string& symbol,
                              const std::string& third) {
  AddRow(label, symbol, third);
}

void TAusTabelle::Done() {}

void TAusTabelle::WriteTexts() {
  CadSetPen(18);
  for (int k = firstBoundary; k < lastBoundary; ++k) {
    std::string text = cells[static_cast<size_t>(k)];
    if (capitalizeFirst && k == firstBoundary && Utf8Length(text) > 8) text = CapitalizeFirst(text);
    // The leading blank is the left margin of the cell.
    CadText(" " + text, colX[static_cast<size_t>(k)], baseline);
  }
  rowBottom -= rowHeight;
  baseline -= rowHeight;
}

}  // namespace kv5
