// The help pictures: plot files in a small subset of HP-GL/2 drawn into the
// graphics window through its procedure layer. Commands: PU, PD, PA
// (coordinate pairs in plotter units of 0.025 mm), SP (pen), CI (circle),
// SI (character size in cm), DI (label direction), LB (label up to ETX),
// CS (character set; set 3 writes umlauts as "o}"), AA (arc about a
// centre), PE (encoded polyline). Every other code is skipped up to its ";".
//
// Coordinates that are absurdly far outside the picture are clamped to
// ±kHelpPictureCoordinateLimit mm (sweeps to ±360°, character sizes to
// ±kHelpPictureSizeLimit cm), so that any file gives a display list that
// the window can map and paint.
#pragma once

#include <cstdint>
#include <string>

#include "model/drive_model.h"

namespace kv5 {

inline constexpr Real kHelpPictureCoordinateLimit = 10000;  // mm
inline constexpr Real kHelpPictureSizeLimit = 100;          // cm
// No number of a recorded line, circle, arc or text lies further out:
// positions and centres within ±limit, an arc's circle about a centre with
// the radius up to the diagonal of that square (2·√2·limit).
inline constexpr Real kHelpPictureRecordLimit = 4 * kHelpPictureCoordinateLimit;

// The interpreter state; size, direction, character set and pen carry over
// from one picture to the next, the position starts at (−999, −999).
struct HelpPictureState {
  Real x = -999;
  Real y = -999;
  std::uint8_t pen = 0;
  bool penDown = false;
  Real charWidth = 5;  // cm
  Real charHeight = 5;
  Real run = 1;  // label direction
  Real rise = 0;
  int characterSet = 1;
};
extern HelpPictureState helpPictureState;
// Program start state.
void InitHelpPicture();

// Screen colour of a plot pen: pens 1…7 give 12, 14, 10, 11, 9, 13, 15;
// every other pen number is the colour index itself.
int HelpPenColour(int pen);

// Draws the plot file into the graphics window (after GrCheckFile; a
// missing file ends with its message). Clears abortFlag at the end.
void PlotHelpPicture(const std::string& fileName);
// The same for plot data in memory.
void PlotHelpPictureBytes(const std::string& bytes);

}  // namespace kv5
