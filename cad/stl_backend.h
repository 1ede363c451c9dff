// Back end of output kind 6: the 2D drawing extruded into an STL solid.
//
// Every straight segment becomes a vertical wall of two facets between the
// bottom and top of the current Z range; circles and arcs are split into
// chords first, texts are drawn in the segment font (cad/stl_segment_font.h)
// whose segments are small six-sided prisms. There are no top or bottom
// faces. A wall faces to the right of its direction: outer contours run
// counter-clockwise and holes clockwise, so every wall faces out of the
// material ("STL Dir invers" turns them all inwards). Blocks are kept in block files by the
// channel and come back here as replayed primitives.
#pragma once

#include <cstdint>
#include <string>

#include "cad/cad_backend.h"
#include "cad/stl_writer.h"

namespace kv5 {

// The solid name of the drawings' STL files.
inline constexpr const char* kStlSolidName = "KELMSOLID";

class StlBackend : public CadBackend {
 public:
  // Starts the solid in the format of "STL Type", turned by
  // "STL Dir invers". False (message, abortFlag) when it cannot start.
  bool Create(const std::string& fileName);

  bool NativeBlocks() const override { return false; }
  bool Finish() override { return writer_.Finish(); }
  void Abandon() override { writer_.Abandon(); }
  bool Failed() const override { return writer_.Failed(); }
  std::string FileName() const override { return writer_.FileName(); }
  // True from Create until the solid is finished or abandoned.
  bool SolidOpen() const override { return writer_.IsOpen(); }
  std::uint64_t FacetCount() const { return writer_.FacetCount(); }

  void SetTextStyle(const CadTextStyle& style) override { style_ = style; }
  void SetZ(Real bottom, Real top) override;
  void SetZThickness(Real bottom, Real thickness) override;

  void Line(Real x1, Real y1, Real x2, Real y2) override { Wall(x1, y1, x2, y2); }
  void Circle(Real x, Real y, Real r, bool hole) override;
  void Arc(Real x, Real y, Real start, Real end, Real r) override;
  void ArcSweep(Real x, Real y, Real start, Real end, Real r, Real sweep) override;
  void Text(const std::string& text, Real x, Real y) override;
  void Solid(Real x1, Real y1, Real x2, Real y2, Real x3, Real y3, Real x4, Real y4) override;

  // The wall from P1 to P2: two facets facing to the right of P1→P2. A
  // segment of zero (or no finite) length gives none, and so does one whose
  // ends single precision cannot tell apart.
  void Wall(Real x1, Real y1, Real x2, Real y2);

 private:
  // The arc about (x, y) with radius r from `start` to `end` (rad) with the
  // signed sweep `phi` (rad) as chords.
  void ArcChords(Real x, Real y, Real r, Real start, Real end, Real phi);

  StlWriter writer_;
  Real zBottom_ = 0;
  Real zTop_ = 0;
  CadTextStyle style_;
};

}  // namespace kv5
