// Back end of output kind 3: the drawing goes into the graphics window's
// display list (graphics/graphics_window.h). Blocks are kept in block files
// and replayed at every insert.
#pragma once

#include "cad/cad_backend.h"

namespace kv5 {

class ScreenBackend : public CadBackend {
 public:
  // Prepares the window for a new drawing.
  ScreenBackend();

  bool NativeBlocks() const override { return false; }
  void Limits(const CadLimits& limits) override;
  void BeginEntities() override;
  bool Finish() override;

  // Line style, colour and width of a pen; pen mode 2 draws pen 0 in the
  // background colour (erasing).
  void SetPen(int pen, const std::string& layer) override;
  void SetTextStyle(const CadTextStyle& style) override;
  void SetLineStyle(int style) override;
  void Delay(int milliseconds) override;

  void Line(Real x1, Real y1, Real x2, Real y2) override;
  void Circle(Real x, Real y, Real r, bool hole) override;
  void Arc(Real x, Real y, Real start, Real end, Real r) override;
  void ArcSweep(Real x, Real y, Real start, Real end, Real r, Real sweep) override;
  void Text(const std::string& text, Real x, Real y) override;
  void Solid(Real x1, Real y1, Real x2, Real y2, Real x3, Real y3, Real x4, Real y4) override;
};

}  // namespace kv5
