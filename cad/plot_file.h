// The plot file (output kind 5, extension "txt"): the drawing as
// tab-separated records, one per line, for programs without a DXF parser.
//
//   MINMAX  xmin ymin xmax ymax
//   SECTION BLOCKS / BLOCK name / ... / END OF BLOCK
//   SECTION ENTITIES
//   LINE x1 y1 x2 y2 | CIRCLE x y r | ARC x y r start end | TEXT x y text
//   SOLID x1 y1 .. x4 y4 | INSERT name x y rotation xscale yscale
//   EOF
//
// Numbers are fixed-point with the CAD decimals in a field of at least three
// characters; lengths are multiplied by the DXF scale factor, angles and
// insert scales are not. With the decimal mark "Komma" every "." of a number
// becomes ",". Texts are treated by the "CAD Text Mode" and written in code
// page 1252. Pens, layers and text styles are not recorded; blocks stay
// blocks.
#pragma once

#include <string>

#include "cad/cad_backend.h"
#include "cad/cad_output_file.h"

namespace kv5 {

class PlotFileBackend : public CadBackend {
 public:
  // Starts the file; false (error box, abortFlag) when it cannot be made.
  bool Create(const std::string& fileName) { return file_.Create(fileName); }

  bool NativeBlocks() const override { return true; }
  void Limits(const CadLimits& limits) override;
  void BeginBlocks() override { file_.PutLine("SECTION BLOCKS"); }
  void BeginBlock(const std::string& name) override;
  void EndBlock() override { file_.PutLine("END OF BLOCK"); }
  void BeginEntities() override { file_.PutLine("SECTION ENTITIES"); }
  bool Finish() override;
  void Abandon() override { file_.Discard(); }
  std::string FileName() const override { return file_.FileName(); }
  bool Failed() const override { return file_.Failed(); }

  void Line(Real x1, Real y1, Real x2, Real y2) override;
  void Circle(Real x, Real y, Real r, bool hole) override;
  void Arc(Real x, Real y, Real start, Real end, Real r) override;
  void ArcSweep(Real x, Real y, Real start, Real end, Real r, Real sweep) override;
  void Text(const std::string& text, Real x, Real y) override;
  void Solid(Real x1, Real y1, Real x2, Real y2, Real x3, Real y3, Real x4, Real y4) override;
  void Insert(const std::string& name, Real x, Real y, Real angle, Real xscale,
              Real yscale) override;

 private:
  CadOutputFile file_;
};

// One number of the plot file: `length` values are scaled.
std::string PlotFileNumber(Real value, bool length);

}  // namespace kv5
