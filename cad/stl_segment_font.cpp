#include "cad/stl_segment_font.h"

#include <cmath>
#include <string_view>

#include "text/numeric.h"

namespace kv5 {

namespace {

// The characters that show each segment, in the order of FontSegment.
constexpr std::array<std::u32string_view, kFontSegmentCount> kShownBy = {
    U"02356789ACEFGMOPQRSTZa",             // top
    U"01234789ADHJMOPQRUWXYZ",             // upper right
    U"013456789ABDGHJMNORSUVWhou",         // lower right
    U",.0235689BCDEGJLOQSUVWZ_cou",        // bottom
    U"0268ABCDEFGHIKLMNOPQRTUVWXYZchoru",  // lower left
    U"045689ABCEFGHIKLMOPQRSTUWYh",        // upper left
    U"-2345689ABDEFGHKNPRSWXYZchor",       // middle
};

// The lower-case letters that have a shape of their own.
constexpr std::u32string_view kOwnLowerCase = U"achoru";

// Slant of the upright segments: 80°, so their tops lean right by sin 10°.
constexpr Real kSlantDegrees = 80;
constexpr Real kThicknessPerHeight = 0.09L;

}  // namespace

char32_t SegmentFontCharacter(char32_t c) {
  if (c >= U'a' && c <= U'z' && kOwnLowerCase.find(c) == std::u32string_view::npos)
    return c - U'a' + U'A';
  return c;
}

bool SegmentFontShows(char32_t c, FontSegment segment) {
  return kShownBy[static_cast<size_t>(segment)].find(c) != std::u32string_view::npos;
}

std::vector<SegmentStroke> SegmentFontStrokes(char32_t c, Real height, Real widthFactor) {
  c = SegmentFontCharacter(c);
  const Real h = height;
  const Real s = std::sin(DegToRad(10));
  const Real w = 0.5L * h * widthFactor;  // length of the horizontal segments
  const std::array<SegmentStroke, kFontSegmentCount> strokes = {{
      {h * s, h, 0, w},                              // top
      {w + h / 2 * s, h / 2, kSlantDegrees, h / 2},  // upper right
      {w, 0, kSlantDegrees, h / 2},                  // lower right
      {0, 0, 0, w},                                  // bottom
      {0, 0, kSlantDegrees, h / 2},                  // lower left
      {h / 2 * s, h / 2, kSlantDegrees, h / 2},      // upper left
      {h / 2 * s, h / 2, 0, w},                      // middle
  }};
  std::vector<SegmentStroke> shown;
  for (int i = 0; i < kFontSegmentCount; ++i)
    if (SegmentFontShows(c, static_cast<FontSegment>(i))) shown.push_back(strokes[i]);
  return shown;
}

std::array<Point, 6> SegmentOutline(const SegmentStroke& stroke, Real height) {
  const Real t = kThicknessPerHeight * height;
  const Real l = stroke.length;
  const Point local[6] = {{0, 0}, {t / 2, t / 2},      {l - t / 2, t / 2},
                          {l, 0}, {l - t / 2, -t / 2}, {t / 2, -t / 2}};
  const Real a = DegToRad(stroke.angle);
  const Real cosA = std::cos(a), sinA = std::sin(a);
  std::array<Point, 6> corners;
  for (int i = 0; i < 6; ++i)
    corners[i] = {stroke.x + local[i].x * cosA - local[i].y * sinA,
                  stroke.y + local[i].x * sinA + local[i].y * cosA};
  return corners;
}

}  // namespace kv5
