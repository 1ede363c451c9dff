#include "cad/plot_file.h"

#include <cmath>
#include <initializer_list>

#include "cad/cad_settings.h"
#include "text/codepage.h"
#include "text/text_conversion.h"

namespace kv5 {

std::string PlotFileNumber(Real value, bool length) {
  std::string text = FormatCadFixed(length ? value * cadScaleFactor : value, CadDecimals());
  if (text.size() < 3) text.insert(0, 3 - text.size(), ' ');
  if (CadPlotDecimalComma())
    for (char& c : text)
      if (c == '.') c = ',';
  return text;
}

namespace {

// A text field stays one field of one record: tabs and line breaks inside
// it become blanks.
std::string FieldText(const std::string& text) {
  std::string field = text;
  for (char& c : field)
    if (c == '\t' || c == '\r' || c == '\n') c = ' ';
  return Utf8ToCp1252(field);
}

std::string Lengths(std::initializer_list<Real> values) {
  std::string fields;
  for (Real v : values) fields += "\t" + PlotFileNumber(v, true);
  return fields;
}

std::string Plain(std::initializer_list<Real> values) {
  std::string fields;
  for (Real v : values) fields += "\t" + PlotFileNumber(v, false);
  return fields;
}

bool Near(Real a, Real b) {
  return std::fabs(a - b) < 0.00001L;
}

}  // namespace

void PlotFileBackend::Limits(const CadLimits& limits) {
  file_.PutLine("MINMAX" + Lengths({limits.xmin, limits.ymin, limits.xmax, limits.ymax}));
}

void PlotFileBackend::BeginBlock(const std::string& name) {
  file_.PutLine("BLOCK\t" + FieldText(name));
}

bool PlotFileBackend::Finish() {
  if (!file_.IsOpen()) return !file_.Failed();  // finished before
  file_.PutLine("EOF");
  return file_.Close();
}

void PlotFileBackend::Line(Real x1, Real y1, Real x2, Real y2) {
  file_.PutLine("LINE" + Lengths({x1, y1, x2, y2}));
}

void PlotFileBackend::Circle(Real x, Real y, Real r, bool /*hole*/) {
  file_.PutLine("CIRCLE" + Lengths({x, y, r}));
}

void PlotFileBackend::Arc(Real x, Real y, Real start, Real end, Real r) {
  bool full =
      start == end || (Near(start, 0) && Near(end, 360)) || (Near(start, 360) && Near(end, 0));
  if (full)
    Circle(x, y, r, false);
  else
    file_.PutLine("ARC" + Lengths({x, y, r}) + Plain({start, end}));
}

// Readers take every ARC counter-clockwise from start to end, so a
// clockwise arc is written from its end to its start.
void PlotFileBackend::ArcSweep(Real x, Real y, Real start, Real end, Real r, Real sweep) {
  if (sweep < 0)
    Arc(x, y, end, start, r);
  else
    Arc(x, y, start, end, r);
}

void PlotFileBackend::Text(const std::string& text, Real x, Real y) {
  file_.PutLine("TEXT" + Lengths({x, y}) + "\t" + FieldText(ConvertCadText(text)));
}

void PlotFileBackend::Solid(Real x1, Real y1, Real x2, Real y2, Real x3, Real y3, Real x4,
                            Real y4) {
  file_.PutLine("SOLID" + Lengths({x1, y1, x2, y2, x3, y3, x4, y4}));
}

void PlotFileBackend::Insert(const std::string& name, Real x, Real y, Real angle, Real xscale,
                             Real yscale) {
  file_.PutLine("INSERT\t" + FieldText(name) + Lengths({x, y}) + Plain({angle, xscale, yscale}));
}

}  // namespace kv5
