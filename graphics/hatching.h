// Hatching of section views: parallel lines at an angle and spacing inside
// a closed polygon, drawn through the CAD output channel as plain lines
// together with the polygon's outline.
#pragma once

#include <array>
#include <cstdint>

#include "model/drive_model.h"

namespace kv5 {

struct HatchVertex {
  Real x = 0;
  Real y = 0;
};

inline constexpr int kHatchVertexCount = 100;
// At most 99 vertices, so that the closing copy of the first still fits.
inline constexpr int kMaxHatchVertices = kHatchVertexCount - 1;
inline constexpr int kMaxHatchCrossings = 100;
inline constexpr int kMaxSortValues = 100;
// A section never gets more hatch lines than this (a bore entered as
// 1e300 mm would otherwise need more than any file can hold): a wider one
// is hatched at the spacing that gives this many lines across it.
inline constexpr int kMaxHatchLines = 20000;

// The polygon to hatch; the caller fills entries 0..n-1.
extern std::array<HatchVertex, kHatchVertexCount> hatchVertices;

// Start-up state: all vertices zero.
void InitHatching();

// Hatches the rectangle (x1, y1) … (x2, y2). Spacing 0 takes
// round(max(|x2 − x1|, |y2 − y1|) / 8), an integer.
void HatchRectangle(Real x1, Real y1, Real x2, Real y2, Real spacing, Real angleDeg);

// Hatches the polygon of the first n entries of hatchVertices (closed by a
// copy of the first vertex when needed) and draws its outline with pen 5;
// the hatch lines use pen 3. The current pen is left as it was found.
// n ≥ 100 adds "Fatal  : n schraff !" and draws nothing. At most
// kMaxHatchLines hatch lines (see above). Only hatch
// directions above −90° up to 90° produce lines; 0° gives the outline only.
void schraff(int n, Real spacing, Real angleDeg);

using SortValues = std::array<double, kMaxSortValues>;
using SortIndex = std::array<std::int32_t, kMaxSortValues>;

// Sorts values[0..n-1] ascending (quicksort) and carries every exchange
// over to index, which starts as index[i] = i for all 100 entries: after it
// index[k] is the position before sorting of the k-th smallest value.
// n > 100 adds "Fatal  : QSORT2 error", sets abortFlag and sorts nothing.
void QSORT2(SortValues& values, SortIndex& index, int n);

}  // namespace kv5
