#include "cad/stl_backend.h"

#include <algorithm>
#include <cmath>

#include "cad/cad_settings.h"
#include "cad/stl_segment_font.h"
#include "graphics/geometry.h"
#include "text/codepage.h"
#include "text/numeric.h"

namespace kv5 {

namespace {

// A circle or arc never gets more chords than this, whatever chord length
// is configured (as for the arcs the channel splits itself).
constexpr long kMaxChords = 1000000;

bool Finite(std::initializer_list<Real> values) {
  return std::all_of(values.begin(), values.end(), [](Real v) { return std::isfinite(v); });
}

// A coordinate as the file holds it (single precision in binary STL, as
// many digits in ASCII).
Real InFile(Real a) {
  return static_cast<float>(a);
}

// Walls shorter than this, relative to the size of their coordinates, are
// below what single precision resolves (about 6e-8).
constexpr Real kShortestWall = 1e-6L;

}  // namespace

bool StlBackend::Create(const std::string& fileName) {
  writer_.SetInverted(stlDirInverted);
  return writer_.Start(fileName, kStlSolidName,
                       StlAsciiSelected() ? StlFormat::Ascii : StlFormat::Binary);
}

void StlBackend::SetZ(Real bottom, Real top) {
  zBottom_ = bottom;
  zTop_ = top;
}

void StlBackend::SetZThickness(Real bottom, Real thickness) {
  zBottom_ = bottom;
  zTop_ = bottom + thickness;
}

// Walls face to the right of their direction: out of the part along a
// counter-clockwise outer contour and into the hole along a clockwise one.
// The normal is taken from the coordinates as the file holds them, so that
// it agrees with the vertex order a reader computes.
void StlBackend::Wall(Real x1, Real y1, Real x2, Real y2) {
  if (!Finite({x1, y1, x2, y2, zBottom_, zTop_})) return;
  const Real dx = InFile(x2) - InFile(x1), dy = InFile(y2) - InFile(y1);
  const Real length = Hypot(dx, dy);
  // Chord polygons begin with a segment from a point to itself computed
  // once more; its rounding residue would give facets without area, or
  // with a normal that single precision cannot reproduce.
  const Real scale = 1 + std::max({std::fabs(x1), std::fabs(y1), std::fabs(x2), std::fabs(y2)});
  if (!(length > kShortestWall * scale)) return;
  const StlVector normal{dy / length, -dx / length, 0};
  const Real z0 = zBottom_, z1 = zTop_;
  writer_.Facet(normal, {x1, y1, z0}, {x2, y2, z0}, {x1, y1, z1});
  writer_.Facet(normal, {x1, y1, z1}, {x2, y2, z0}, {x2, y2, z1});
}

// A polygon of n = round(2πr / chord) chords from (x + r, y), clockwise for
// a hole; a circle not longer than one chord leaves no wall.
void StlBackend::Circle(Real x, Real y, Real r, bool hole) {
  if (!Finite({x, y, r})) return;
  const Real chord = CadChordLengthForCircles();
  const Real circumference = 2 * kPi * r;
  if (circumference <= chord) return;
  const long n = std::clamp(std::lround(circumference / chord), 1L, kMaxChords);
  Real px = x + r, py = y;
  for (long k = 1; k <= n; ++k) {
    const Real turned = k * 2 * kPi / n;
    const Real a = hole ? 2 * kPi - turned : turned;
    const Real qx = x + r * std::cos(a), qy = y + r * std::sin(a);
    Wall(px, py, qx, qy);
    px = qx;
    py = qy;
  }
}

void StlBackend::Arc(Real x, Real y, Real start, Real end, Real r) {
  if (end < start) end += 360;
  ArcChords(x, y, r, DegToRad(start), DegToRad(end), DegToRad(end - start));
}

void StlBackend::ArcSweep(Real x, Real y, Real start, Real end, Real r, Real sweep) {
  ArcChords(x, y, r, DegToRad(start), DegToRad(end), DegToRad(sweep));
}

// The chord rule of the channel's arcs: one chord for a short flat arc,
// otherwise chords of the configured length, or steps of at most 0.1 rad
// where the chord is long against the radius. The points are taken about
// the given centre, so a full circle (sweep 360°) keeps its walls.
void StlBackend::ArcChords(Real x, Real y, Real r, Real start, Real end, Real phi) {
  if (!Finite({x, y, r, start, end, phi})) return;
  const Real x1 = x + r * std::cos(start), y1 = y + r * std::sin(start);
  const Real x2 = x + r * std::cos(end), y2 = y + r * std::sin(end);
  Real cx = 0, cy = 0, chordRadius = 0;
  // Reports a sweep without an arc (0) as the channel's arcs do.
  if (!ArcFromChord(x1, y1, x2, y2, phi, cx, cy, chordRadius)) return;
  const Real length = std::fabs(phi) * std::fabs(r);
  if (length == 0) return;
  const Real chord = CadChordLengthForArcs();
  if (length <= chord && std::fabs(phi) <= 0.1L) {
    Wall(x1, y1, x2, y2);
    return;
  }
  long n = std::fabs(phi) * chord / length <= 0.1L ? std::lround(length / chord)
                                                   : std::lround(std::fabs(phi) / 0.1L);
  n = std::clamp(n, 1L, kMaxChords);
  const Real step = phi / n;
  Real px = x1, py = y1;
  for (long k = 1; k <= n; ++k) {
    const Real a = start + k * step;
    const Real qx = x + r * std::cos(a), qy = y + r * std::sin(a);
    Wall(px, py, qx, qy);
    px = qx;
    py = qy;
  }
}

// Character i stands at (x + i·H·w, y); the text angle is not used. Each
// segment is a closed outline of six walls, walked counter-clockwise (its
// corners reversed) so that its walls face outwards.
void StlBackend::Text(const std::string& text, Real x, Real y) {
  const Real height = style_.height;
  const Real widthFactor = style_.widthFactor;
  if (!Finite({x, y, height, widthFactor})) return;
  size_t index = 0;
  for (size_t i = 0; i < text.size(); ++index) {
    const size_t bytes = std::max<size_t>(1, Utf8CharBytes(text, i));
    // Only ASCII characters have segments; any other one keeps its place.
    const char32_t c = bytes == 1 ? static_cast<unsigned char>(text[i]) : U'\uFFFD';
    i += bytes;
    const Real ox = x + static_cast<Real>(index) * height * widthFactor;
    for (const SegmentStroke& stroke : SegmentFontStrokes(c, height, widthFactor)) {
      const std::array<Point, 6> corners = SegmentOutline(stroke, height);
      for (size_t k = corners.size(); k > 0; --k) {
        const Point& from = corners[k % corners.size()];
        const Point& to = corners[k - 1];
        Wall(ox + from.x, y + from.y, ox + to.x, y + to.y);
      }
    }
  }
}

// A filled quadrilateral of a block file has its corners in DXF order
// (the outline runs 1, 2, 4, 3), so its walls follow that outline instead
// of crossing it.
void StlBackend::Solid(Real x1, Real y1, Real x2, Real y2, Real x3, Real y3, Real x4, Real y4) {
  Wall(x1, y1, x2, y2);
  Wall(x2, y2, x4, y4);
  Wall(x4, y4, x3, y3);
  Wall(x3, y3, x1, y1);
}

}  // namespace kv5
