// The segment font of texts in STL solids: every character is built from up
// to seven straight segments (a slanted seven-segment display), each of
// which the STL back end draws as a small six-sided prism.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "graphics/geometry.h"
#include "model/drive_model.h"

namespace kv5 {

enum class FontSegment { Top, UpperRight, LowerRight, Bottom, LowerLeft, UpperLeft, Middle };
inline constexpr int kFontSegmentCount = 7;

// One segment of a character, relative to the character's origin (left end
// of the base line).
struct SegmentStroke {
  Real x = 0;
  Real y = 0;
  Real angle = 0;  // degrees
  Real length = 0;
};

// The character as the font draws it: lower-case letters other than
// a, c, h, o, r, u become upper case.
char32_t SegmentFontCharacter(char32_t c);

// Whether the character (after SegmentFontCharacter) shows the segment.
bool SegmentFontShows(char32_t c, FontSegment segment);

// The segments of one character for text height `height` and width factor
// `widthFactor`; none for a blank or a character the font does not know.
std::vector<SegmentStroke> SegmentFontStrokes(char32_t c, Real height, Real widthFactor);

// The corners of the outline of one segment, clockwise and without the
// closing corner: the segment's line widened to thickness 0.09 × height
// with pointed ends.
std::array<Point, 6> SegmentOutline(const SegmentStroke& stroke, Real height);

}  // namespace kv5
