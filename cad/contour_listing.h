// The contour listing (output kind 11, extension "pas"): the polylines and
// Z settings of a drawing as calls of a program text, for tools that build
// solids from contours. Everything else of the drawing is left out.
//
//   c_setz(bottom,top);  c_setzb(bottom,thickness);
//   c_polyline_begin(closed);  c_poly(x,y,sweep);  c_polyline_end;
//
// Numbers use the compact format with "." (FormatAutoDot); vertices are
// written without the origin shift, the sweep in radians.
#pragma once

#include <string>

#include "cad/cad_backend.h"
#include "cad/cad_output_file.h"

namespace kv5 {

class ContourListingBackend : public CadBackend {
 public:
  bool Create(const std::string& fileName) { return file_.Create(fileName); }

  bool NativeBlocks() const override { return true; }
  bool TruePolylines() const override { return true; }
  bool PolyVertexUnshifted() const override { return true; }
  bool Finish() override { return file_.IsOpen() ? file_.Close() : !file_.Failed(); }
  void Abandon() override { file_.Discard(); }
  std::string FileName() const override { return file_.FileName(); }
  bool Failed() const override { return file_.Failed(); }

  void SetZ(Real bottom, Real top) override;
  void SetZThickness(Real bottom, Real thickness) override;
  void PolyBegin(bool closed) override;
  void PolyVertex(Real x, Real y, Real sweep) override;
  void PolyEnd() override;

 private:
  CadOutputFile file_;
};

}  // namespace kv5
