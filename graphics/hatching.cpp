#include "graphics/hatching.h"

#include <cmath>

#include "cad/cad_channel.h"
#include "text/messages.h"
#include "text/numeric.h"

namespace kv5 {

std::array<HatchVertex, kHatchVertexCount> hatchVertices;

void InitHatching() {
  hatchVertices.fill(HatchVertex{});
}

namespace {

void QuickSort(SortValues& values, SortIndex& index, int l, int r) {
  const double pivot = values[static_cast<size_t>((l + r) / 2)];
  int i = l;
  int j = r;
  do {
    while (values[static_cast<size_t>(i)] < pivot && i < kMaxSortValues - 1) ++i;
    while (pivot < values[static_cast<size_t>(j)] && j > 0) --j;
    if (i <= j) {
      std::swap(values[static_cast<size_t>(i)], values[static_cast<size_t>(j)]);
      std::swap(index[static_cast<size_t>(i)], index[static_cast<size_t>(j)]);
      if (i < kMaxSortValues - 1) ++i;
      if (j > 0) --j;
    }
  } while (i <= j);
  if (l < j) QuickSort(values, index, l, j);
  if (i < r) QuickSort(values, index, i, r);
}

// Crossing of the hatch line y = m·x + c with the edge a → b, strictly
// inside the edge (a line through a vertex crosses neither edge there).
bool EdgeCrossing(const HatchVertex& a, const HatchVertex& b, Real m, Real c, HatchVertex& p) {
  if (std::fabs(b.x - a.x) < 1e-6L) {
    p.x = a.x;
    p.y = m * p.x + c;
    return std::fmin(a.y, b.y) < p.y && p.y < std::fmax(a.y, b.y);
  }
  const Real s = (b.y - a.y) / (b.x - a.x);
  if (s == m) return false;  // parallel to the hatch line
  const Real c0 = a.y - s * a.x;
  p.x = (c0 - c) / (m - s);
  p.y = s * p.x + c0;
  return std::fmin(a.x, b.x) < p.x && p.x < std::fmax(a.x, b.x);
}

}  // namespace

void QSORT2(SortValues& values, SortIndex& index, int n) {
  for (int i = 0; i < kMaxSortValues; ++i) index[static_cast<size_t>(i)] = i;
  if (n > kMaxSortValues) {
    AddMessage(std::string(kFatalTag) + "QSORT2 error");
    abortFlag = true;
    return;
  }
  if (n > 0) QuickSort(values, index, 0, n - 1);
}

void schraff(int n, Real spacing, Real angleDeg) {
  CadSavePen();
  std::array<HatchVertex, kMaxHatchCrossings> crossings{};
  if (n > kMaxHatchVertices) {
    AddMessage(std::string(kFatalTag) + "n schraff !");
    CadRestorePen();
    return;
  }
  // Without a vertex there is no polygon (and no first vertex to close it).
  if (n < 1) {
    CadRestorePen();
    return;
  }
  const HatchVertex first = hatchVertices[0];
  const HatchVertex last = hatchVertices[static_cast<size_t>(n - 1)];
  if (first.x != last.x || first.y != last.y) hatchVertices[static_cast<size_t>(n++)] = first;
  const auto vertex = [](int k) -> const HatchVertex& {
    return hatchVertices[static_cast<size_t>(k)];
  };

  const Real alpha = DegToRad(angleDeg);
  const Real m = std::tan(alpha);

  CadSetPen(5);
  CadPolyBegin(false);
  for (int k = 0; k < n; ++k) CadPolyVertex(vertex(k).x, vertex(k).y, 0);
  CadPolyEnd();

  Real cmin = 1e30L;
  Real cmax = -1e30L;
  for (int k = 0; k < n; ++k) {
    const Real c = vertex(k).y - m * vertex(k).x;
    cmin = std::fmin(cmin, c);
    cmax = std::fmax(cmax, c);
  }
  if (alpha == 0) {
    CadRestorePen();
    return;
  }
  Real step = spacing != 0 ? spacing / std::cos(alpha) : (cmax - cmin) / 10;
  // A step that does not move the hatch line towards cmax (spacing 0 on a
  // polygon without extent across the hatch, a negative spacing, a hatch
  // direction beyond 90°) would never end the sweep: such a polygon gets its
  // outline only.
  if (!(step > 0) || !std::isfinite(step)) {
    CadRestorePen();
    return;
  }
  if ((cmax - cmin) / step > kMaxHatchLines) step = (cmax - cmin) / kMaxHatchLines;
  CadSetPen(3);

  const Real reverse = DegToRad(angleDeg + 180);
  Real c = cmin;
  do {
    const Real next = c + step;
    if (next == c) break;  // step below the resolution of c
    c = next;
    int count = 0;
    for (int k = 1; k < n; ++k) {
      HatchVertex p;
      if (!EdgeCrossing(vertex(k - 1), vertex(k), m, c, p)) continue;
      if (count == kMaxHatchCrossings) {
        AddMessage(std::string(kFatalTag) + "schraff schnittp");
        abortFlag = true;
        continue;
      }
      crossings[static_cast<size_t>(count++)] = p;
    }
    if (count == 0) continue;

    int leftmost = 0;
    for (int j = 1; j < count; ++j)
      if (crossings[static_cast<size_t>(j)].x < crossings[static_cast<size_t>(leftmost)].x)
        leftmost = j;
    const HatchVertex r = crossings[static_cast<size_t>(leftmost)];
    SortValues distances{};
    SortIndex order{};
    for (int j = 0; j < count; ++j) {
      const HatchVertex& p = crossings[static_cast<size_t>(j)];
      distances[static_cast<size_t>(j)] = static_cast<double>(Hypot(p.x - r.x, p.y - r.y));
    }
    QSORT2(distances, order, count);

    for (int j = 0; j + 1 < count; j += 2) {
      const HatchVertex& h = crossings[static_cast<size_t>(order[static_cast<size_t>(j)])];
      const HatchVertex& g = crossings[static_cast<size_t>(order[static_cast<size_t>(j + 1)])];
      const Real length = Hypot(g.x - h.x, g.y - h.y);
      const Real direction = AngleOf(g.x - h.x, g.y - h.y);
      if (length != 0 && (NearlyEqual(direction, alpha) || NearlyEqual(direction, reverse)))
        CadLine(h.x, h.y, g.x, g.y);
    }
  } while (c < cmax);
  CadRestorePen();
}

void HatchRectangle(Real x1, Real y1, Real x2, Real y2, Real spacing, Real angleDeg) {
  hatchVertices[0] = {x1, y1};
  hatchVertices[1] = {x2, y1};
  hatchVertices[2] = {x2, y2};
  hatchVertices[3] = {x1, y2};
  if (spacing == 0) spacing = std::round(std::fmax(std::fabs(x2 - x1), std::fabs(y2 - y1)) / 8);
  schraff(4, spacing, angleDeg);
}

}  // namespace kv5
