#include "cad/dxf_writer.h"

#include <cmath>

#include "cad/cad_settings.h"
#include "text/codepage.h"
#include "text/configuration.h"
#include "text/number_format.h"
#include "text/string_routines.h"
#include "text/text_conversion.h"

namespace kv5 {

DxfFormat CurrentDxfFormat() {
  DxfFormat format;
  format.decimals = CadDecimals();
  format.scale = cadScaleFactor;
  return format;
}

DxfFormat BlockFileFormat() {
  DxfFormat format;
  format.decimals = CadDecimals();
  format.scale = 1;
  format.blockFile = true;
  return format;
}

std::string DxfGroupCode(int code) {
  std::string text = std::to_string(code);
  if (text.size() < 3) text.insert(0, 3 - text.size(), ' ');
  return text;
}

namespace {

// A text value in the file's code page (1252) on one line: a line break
// inside a text would shift every later pair of the file.
std::string FileText(const std::string& text) {
  bool plain = true;
  for (char c : text)
    if (static_cast<unsigned char>(c) >= 0x80 || c == '\r' || c == '\n') plain = false;
  if (plain) return text;
  std::string line = text;
  for (char& c : line)
    if (c == '\r' || c == '\n') c = ' ';
  return Utf8ToCp1252(line);
}

}  // namespace

void DxfWriter::Group(int code, const std::string& value) {
  sink_.PutLine(DxfGroupCode(code));
  sink_.PutLine(value);
}

void DxfWriter::Length(int code, Real value) {
  Group(code, FormatCadFixed(format_.blockFile ? value : value * format_.scale, format_.decimals));
}

void DxfWriter::Plain(int code, Real value) {
  Group(code, FormatCadFixed(value, format_.decimals));
}

void DxfWriter::Header(Real xmin, Real ymin, Real xmax, Real ymax) {
  Group(0, "SECTION");
  Group(2, "HEADER");
  const char* names[4] = {"$EXTMIN", "$EXTMAX", "$LIMMIN", "$LIMMAX"};
  for (int i = 0; i < 4; ++i) {
    bool low = i % 2 == 0;
    Group(9, names[i]);
    Length(10, low ? xmin : xmax);
    Length(20, low ? ymin : ymax);
  }
  Group(9, "$LTSCALE");
  Group(40, "15");
  Group(0, "ENDSEC");
}

void DxfWriter::LayerRecord(const std::string& name, int colour, const char* lineType) {
  Group(0, "LAYER");
  Group(2, FileText(name));
  Group(70, "0");
  Group(62, std::to_string(storedSettings.layersMonochrome ? 1 : colour));
  Group(6, lineType);
}

void DxfWriter::Tables(int layerScheme) {
  Group(0, "SECTION");
  Group(2, "TABLES");
  Group(0, "TABLE");
  Group(2, "LTYPE");
  Group(70, layerScheme == 1 ? "17" : (layerScheme == 2 ? "23" : "6"));

  struct LineType {
    const char* name;
    const char* description;
    const char* count;
    const char* length;
    const char* dashes[4];
  };
  const LineType lineTypes[3] = {
      {"CONTINUOUS", "Ausgezogene Linie", "0", "0.0", {}},
      {"DASHDOT", "--. --. --.-", "4", "1.0", {"0.5", "-0.25", "0.0", "-0.25"}},
      {"DASHED", "- - - - - - ", "2", "0.375", {"0.25", "-0.125"}},
  };
  for (const LineType& type : lineTypes) {
    Group(0, "LTYPE");
    Group(2, type.name);
    Group(70, "64");
    Group(3, type.description);
    Group(72, "65");
    Group(73, type.count);
    Group(40, type.length);
    for (const char* dash : type.dashes)
      if (dash) Group(49, dash);
  }
  Group(0, "ENDTAB");

  Group(0, "TABLE");
  Group(2, "LAYER");
  Group(70, "24");
  if (layerScheme == 1) {
    for (int n = 0; n <= 15; ++n) LayerRecord(std::to_string(n), n + 1, "CONTINUOUS");
  } else {
    LayerRecord("0", 1, "CONTINUOUS");
    const char* types[6] = {"", "DASHDOT", "DASHED", "CONTINUOUS", "CONTINUOUS", "CONTINUOUS"};
    for (int pen = 1; pen <= 5; ++pen)
      LayerRecord(CadNamedLayer(pen), CadPenColour(pen), types[pen]);
    if (layerScheme == 2)
      for (int pen = 16; pen <= 31; ++pen)
        LayerRecord(std::to_string(pen), CadPenColour(pen), "CONTINUOUS");
  }
  Group(0, "ENDTAB");

  Group(0, "TABLE");
  Group(2, "STYLE");
  Group(70, "1");
  Group(0, "STYLE");
  Group(2, "STANDARD");
  Group(70, "0");
  Group(40, "0.0");
  Group(41, "1.0");
  Group(50, "0.0");
  Group(71, "0");
  Group(42, "3.5");
  Group(3, FileText(UpperCase(storedSettings.cadTextStyle)));
  Group(4, "");
  sink_.PutLine("0");
  sink_.PutLine("ENDTAB");
  Group(0, "ENDSEC");
}

void DxfWriter::BeginBlocksSection() {
  Group(0, "SECTION");
  Group(2, "BLOCKS");
}

void DxfWriter::Block(const std::string& layer, const std::string& name) {
  Group(0, "BLOCK");
  Group(8, FileText(layer));
  Group(2, FileText(name));
  Group(70, "0");
  Group(10, "0.0");
  Group(20, "0.0");
}

void DxfWriter::EndBlock() {
  Group(0, "ENDBLK");
}

void DxfWriter::EndSection() {
  Group(0, "ENDSEC");
}

void DxfWriter::BeginEntitiesSection() {
  Group(0, "SECTION");
  Group(2, "ENTITIES");
}

void DxfWriter::EndOfFile() {
  Group(0, "EOF");
}

void DxfWriter::Line(const std::string& layer, Real x1, Real y1, Real x2, Real y2) {
  Group(0, "LINE");
  Group(8, FileText(layer));
  Length(10, x1);
  Length(20, y1);
  Length(11, x2);
  Length(21, y2);
}

void DxfWriter::Circle(const std::string& layer, Real x, Real y, Real r) {
  Group(0, "CIRCLE");
  Group(8, FileText(layer));
  Length(10, x);
  Length(20, y);
  Length(40, r);
}

void DxfWriter::Arc(const std::string& layer, Real x, Real y, Real r, Real start, Real end,
                    Real sweep) {
  Group(0, "ARC");
  Group(8, FileText(layer));
  Length(10, x);
  Length(20, y);
  Length(40, r);
  Plain(50, start);
  Plain(51, end);
  if (std::fabs(sweep) > 0.00001L) Plain(230, sweep);
}

void DxfWriter::Text(const std::string& layer, const std::string& text, Real x, Real y,
                     const CadTextStyle& style) {
  std::string value = format_.blockFile ? text : ConvertCadText(text);
  Group(0, "TEXT");
  Group(8, FileText(layer));
  Length(10, x);
  Length(20, y);
  Length(40, style.height);
  Group(1, FileText(value));
  Group(7, "STANDARD");
  Group(41, FormatAutoDot(style.widthFactor));
  Group(50, FormatAutoDot(style.angle));
  Group(51, FormatAutoDot(style.obliqueAngle));
}

void DxfWriter::Solid(const std::string& layer, Real x1, Real y1, Real x2, Real y2, Real x3,
                      Real y3, Real x4, Real y4) {
  Group(0, "SOLID");
  Group(8, FileText(layer));
  Length(10, x1);
  Length(20, y1);
  Length(11, x2);
  Length(21, y2);
  Length(12, x3);
  Length(22, y3);
  Length(13, x4);
  Length(23, y4);
}

void DxfWriter::Insert(const std::string& layer, const std::string& name, Real x, Real y,
                       Real xscale, Real yscale, Real angle) {
  Group(0, "INSERT");
  Group(8, FileText(layer));
  Group(2, FileText(name));
  Length(10, x);
  Length(20, y);
  Plain(41, xscale);
  Plain(42, yscale);
  Plain(50, angle);
}

void DxfWriter::Polyline(const std::string& layer, bool closed) {
  Group(0, "POLYLINE");
  Group(8, FileText(layer));
  Group(66, "1");
  if (closed) Group(70, "1");
}

void DxfWriter::Vertex(const std::string& layer, Real x, Real y, Real sweep) {
  Group(0, "VERTEX");
  Group(8, FileText(layer));
  Length(10, x);
  Length(20, y);
  if (sweep != 0) Plain(42, std::tan(sweep / 4));
}

void DxfWriter::SeqEnd(const std::string& layer) {
  Group(0, "SEQEND");
  Group(8, FileText(layer));
}

// --- DXF back end ---

void DxfBackend::Limits(const CadLimits& limits) {
  writer_.Header(limits.xmin, limits.ymin, limits.xmax, limits.ymax);
}

bool DxfBackend::Finish() {
  if (!file_.IsOpen()) return !file_.Failed();  // finished before
  writer_.EndOfFile();
  return file_.Close();
}

void DxfBackend::SetPen(int /*pen*/, const std::string& layer) {
  layer_ = layer;
}

void DxfBackend::Line(Real x1, Real y1, Real x2, Real y2) {
  writer_.Line(layer_, x1, y1, x2, y2);
}

void DxfBackend::Circle(Real x, Real y, Real r, bool /*hole*/) {
  writer_.Circle(layer_, x, y, r);
}

void DxfBackend::Arc(Real x, Real y, Real start, Real end, Real r) {
  writer_.Arc(layer_, x, y, r, start, end, 0);
}

// Other programs read group 230 as the extrusion direction: a negative
// value would mirror the arc. A clockwise arc is therefore written as the
// same arc counter-clockwise from its end to its start.
void DxfBackend::ArcSweep(Real x, Real y, Real start, Real end, Real r, Real sweep) {
  if (sweep < 0)
    writer_.Arc(layer_, x, y, r, end, start, -sweep);
  else
    writer_.Arc(layer_, x, y, r, start, end, sweep);
}

void DxfBackend::Text(const std::string& text, Real x, Real y) {
  writer_.Text(layer_, text, x, y, style_);
}

void DxfBackend::Solid(Real x1, Real y1, Real x2, Real y2, Real x3, Real y3, Real x4, Real y4) {
  writer_.Solid(layer_, x1, y1, x2, y2, x3, y3, x4, y4);
}

void DxfBackend::Insert(const std::string& name, Real x, Real y, Real angle, Real xscale,
                        Real yscale) {
  writer_.Insert(layer_, name, x, y, xscale, yscale, angle);
}

}  // namespace kv5
