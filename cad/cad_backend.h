// The back ends of the CAD output channel.
//
// The channel (cad/cad_channel.h) keeps the small drawing state (pen, text
// style, origin shift, current point, insert transform, limits) and hands
// every primitive, already shifted, to the one back end of the current
// output run. A back end only writes or draws; it never calls the channel.
//
// Blocks are kept in one of two ways:
//  - natively (DXF BLOCK/INSERT, plot-file BLOCK/INSERT records, IGES
//    subfigures): the back end gets BeginBlock / EndBlock / Insert;
//  - in block files (screen, STL, STEP): the channel writes every block body
//    into a block file (cad/block_files.h) and replays it through the insert
//    transform at each insert (cad/dxf_reader.h); the back end sees only the
//    replayed primitives.
//
// IGES (kind 2) uses native blocks (subfigures); STL (kind 6) and STEP
// (kind 7) use block files, and STEP returns false from PassDone on its
// counting pass.
#pragma once

#include <string>

#include "model/drive_model.h"

namespace kv5 {

// Output kind of the CAD channel (one global value, see cadKind).
using CadKind = short;
inline constexpr CadKind kCadAsk = 0;           // CadBegin(0) asks the user
inline constexpr CadKind kCadDxf = 1;           // DXF file "dxf"
inline constexpr CadKind kCadIges = 2;          // IGES file "igs"
inline constexpr CadKind kCadScreen = 3;        // graphics window
inline constexpr CadKind kCadLinplot = 4;       // "linplot.dxf" handed to LINPLOT
inline constexpr CadKind kCadPlotFile = 5;      // tab-separated plot file "txt"
inline constexpr CadKind kCadStl = 6;           // STL solid "stl"
inline constexpr CadKind kCadStep = 7;          // STEP file "stp"
inline constexpr CadKind kCadContourList = 11;  // contour listing "pas"

// Text style as the back ends need it.
struct CadTextStyle {
  int font = 0;
  Real height = 3.5L;     // drawing units
  Real widthFactor = 1;   // DXF group 41
  Real angle = 0;         // degrees, already corrected for the screen aspect
  Real obliqueAngle = 0;  // DXF group 51 ("Textwinkel")
  Real charWidth = 3.5L;  // character width as given to CadSetTextStyle
  bool operator==(const CadTextStyle&) const = default;
};

struct CadLimits {
  Real xmin = 0;
  Real ymin = 0;
  Real xmax = 160;
  Real ymax = 120;
  Real Width() const { return xmax - xmin; }
  Real Height() const { return ymax - ymin; }
};

class CadBackend {
 public:
  virtual ~CadBackend() = default;

  // True: blocks are defined and inserted by the back end itself; false:
  // the channel keeps them in block files and replays them.
  virtual bool NativeBlocks() const = 0;
  // True when the back end writes polylines as such (PolyBegin/Vertex/End);
  // otherwise the channel replays them as lines and arcs.
  virtual bool TruePolylines() const { return false; }

  // Sections of an output run.
  virtual void Limits(const CadLimits& /*limits*/) {}
  virtual void Tables(int /*layerScheme*/) {}
  virtual void BeginBlocks() {}
  virtual void BeginBlock(const std::string& /*name*/) {}
  virtual void EndBlock() {}
  virtual void EndSection() {}
  virtual void BeginEntities() {}
  virtual bool PassDone() { return true; }
  // Completes the output (CadEnd). False when it failed.
  virtual bool Finish() { return true; }
  // Gives up an unfinished output: nothing half-written is left behind.
  virtual void Abandon() {}
  // True after a create or write error of the output file.
  virtual bool Failed() const { return false; }
  // The file produced, empty for the screen.
  virtual std::string FileName() const { return std::string(); }
  // True while a solid (STL) is being written: the drawings then leave out
  // what a solid cannot hold (centre lines, pitch circles).
  virtual bool SolidOpen() const { return false; }

  // State. `layer` is the layer name the channel derived for the pen.
  virtual void SetPen(int /*pen*/, const std::string& /*layer*/) {}
  virtual void SetTextStyle(const CadTextStyle& /*style*/) {}
  virtual void SetLineStyle(int /*style*/) {}
  virtual void SetZ(Real /*bottom*/, Real /*top*/) {}
  virtual void SetZThickness(Real /*bottom*/, Real /*thickness*/) {}
  virtual void Delay(int /*milliseconds*/) {}

  // Primitives, in drawing coordinates with the origin shift added.
  virtual void Line(Real /*x1*/, Real /*y1*/, Real /*x2*/, Real /*y2*/) {}
  // hole: the STL wall runs clockwise; every other back end draws a circle.
  virtual void Circle(Real /*x*/, Real /*y*/, Real /*r*/, bool /*hole*/) {}
  // Counter-clockwise from start to end (degrees).
  virtual void Arc(Real /*x*/, Real /*y*/, Real /*start*/, Real /*end*/, Real /*r*/) {}
  // From start to end with the signed included angle `sweep` (degrees,
  // negative = clockwise).
  virtual void ArcSweep(Real /*x*/, Real /*y*/, Real /*start*/, Real /*end*/, Real /*r*/,
                        Real /*sweep*/) {}
  virtual void Text(const std::string& /*text*/, Real /*x*/, Real /*y*/) {}
  virtual void Solid(Real /*x1*/, Real /*y1*/, Real /*x2*/, Real /*y2*/, Real /*x3*/, Real /*y3*/,
                     Real /*x4*/, Real /*y4*/) {}
  // Native blocks only; no origin shift.
  virtual void Insert(const std::string& /*name*/, Real /*x*/, Real /*y*/, Real /*angle*/,
                      Real /*xscale*/, Real /*yscale*/) {}
  // True polylines only. sweep: signed included angle of the segment that
  // starts at the vertex (radians). x, y have the origin shift added except
  // where the back end says otherwise (the contour listing gets them as
  // given, see PolyVertexUnshifted).
  virtual void PolyBegin(bool /*closed*/) {}
  virtual void PolyVertex(Real /*x*/, Real /*y*/, Real /*sweep*/) {}
  virtual void PolyEnd() {}
  // Whether polyline vertices go to the back end without the origin shift.
  virtual bool PolyVertexUnshifted() const { return false; }
};

// A back end that does nothing (kinds 8, 9, 10 and unknown kinds).
class NullCadBackend : public CadBackend {
 public:
  bool NativeBlocks() const override { return true; }
};

}  // namespace kv5
