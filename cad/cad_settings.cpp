#include "cad/cad_settings.h"

#include <algorithm>

#include "text/configuration.h"

namespace kv5 {

Real stlFitClearanceBore = 0;
Real stlFitClearanceShaft = 0;
std::string stlType = "Binary";
bool stlDirInverted = false;
Real cadScaleFactor = 1;
bool cadFrameAroundLimits = false;
bool cadDrawingFooter = true;
bool cadPolylineArcsAsChords = true;
bool cadOpenAfterExport = true;

void InitCadSettings() {
  stlFitClearanceBore = 0;
  stlFitClearanceShaft = 0;
  stlType = "Binary";
  stlDirInverted = false;
  cadScaleFactor = 1;
  cadFrameAroundLimits = false;
  cadDrawingFooter = true;
  cadPolylineArcsAsChords = true;
  cadOpenAfterExport = true;
}

bool StlAsciiSelected() {
  return stlType == "ASCII";
}

int CadDecimals() {
  return std::clamp(storedSettings.cadDecimals, 0, 32);
}

Real CadChordLengthForCircles() {
  Real chord = storedSettings.unlabelled.chordLength;
  return chord > 0 ? chord : 0.1L;
}

Real CadChordLengthForArcs() {
  Real chord = storedSettings.unlabelled.chordLength;
  return chord > 0 ? chord : 0.2L;
}

bool CadPlotDecimalComma() {
  return storedSettings.plotDecimalMark == 2;
}

namespace {
const PenSetting& Pen(int pen) {
  return storedSettings.pens[static_cast<size_t>(std::clamp(pen, 0, 31))];
}
}  // namespace

std::string CadNamedLayer(int pen) {
  if (pen <= 0 || pen > 5) return pen == 0 ? "0" : std::to_string(pen);
  const std::string& name = Pen(pen).layerName;
  return name.empty() ? std::to_string(pen) : name;
}

int CadPenColour(int pen) {
  return Pen(pen).colour;
}

int CadPenLineWidth(int pen) {
  return Pen(pen).lineWidth;
}

}  // namespace kv5
