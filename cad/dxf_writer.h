// DXF output: the entity and section writers shared by DXF files (output
// kind 1), the LINPLOT file (kind 4) and the block files of screen, STL and
// STEP runs, and the DXF back end of the CAD channel.
//
// The file is plain ASCII DXF of the old section layout (HEADER, TABLES,
// BLOCKS, ENTITIES, EOF) without handles, classes or objects: pairs of
// lines, a group code right-aligned in three columns and its value. Reals
// are fixed-point with the configured CAD decimals and "." as decimal mark;
// lengths are multiplied by the DXF scale factor, angles and insert scales
// are not, and block files are never scaled. Texts go out in code page
// 1252, treated by the "CAD Text Mode" first (not in block files).
#pragma once

#include <memory>
#include <string>

#include "cad/cad_backend.h"
#include "cad/cad_output_file.h"
#include "model/drive_model.h"

namespace kv5 {

struct DxfFormat {
  int decimals = 6;  // "Decimals DXF,TXT"
  Real scale = 1;    // lengths only
  bool blockFile = false;
};

// The format of DXF files and of block files from the current settings.
DxfFormat CurrentDxfFormat();
DxfFormat BlockFileFormat();

class DxfWriter {
 public:
  DxfWriter(CadLineSink& sink, const DxfFormat& format) : sink_(sink), format_(format) {}

  // Sections.
  void Header(Real xmin, Real ymin, Real xmax, Real ymax);
  // Layer scheme 0: the six named layers; 1: layers "0".."15"; 2: the named
  // layers and "16".."31".
  void Tables(int layerScheme);
  void BeginBlocksSection();
  void Block(const std::string& layer, const std::string& name);
  void EndBlock();
  void EndSection();  // closes BLOCKS and ENTITIES alike
  void BeginEntitiesSection();
  void EndOfFile();

  // Entities.
  void Line(const std::string& layer, Real x1, Real y1, Real x2, Real y2);
  void Circle(const std::string& layer, Real x, Real y, Real r);
  // sweep (signed, degrees) goes to group 230 when its magnitude is above
  // 0.00001; 0 writes none.
  void Arc(const std::string& layer, Real x, Real y, Real r, Real start, Real end, Real sweep);
  void Text(const std::string& layer, const std::string& text, Real x, Real y,
            const CadTextStyle& style);
  void Solid(const std::string& layer, Real x1, Real y1, Real x2, Real y2, Real x3, Real y3,
             Real x4, Real y4);
  void Insert(const std::string& layer, const std::string& name, Real x, Real y, Real xscale,
              Real yscale, Real angle);
  void Polyline(const std::string& layer, bool closed);
  // sweep: included angle of the segment from this vertex (radians).
  void Vertex(const std::string& layer, Real x, Real y, Real sweep);
  void SeqEnd(const std::string& layer);

 private:
  void Group(int code, const std::string& value);
  void Length(int code, Real value);  // scaled
  void Plain(int code, Real value);   // not scaled
  void LayerRecord(const std::string& name, int colour, const char* lineType);

  CadLineSink& sink_;
  DxfFormat format_;
};

// The group code line: right-aligned in three columns.
std::string DxfGroupCode(int code);

// Back end of output kinds 1 and 4: a DXF file with native blocks and true
// polylines.
class DxfBackend : public CadBackend {
 public:
  DxfBackend() : writer_(file_, CurrentDxfFormat()) {}
  // Starts the file; false (error box, abortFlag) when it cannot be made.
  bool Create(const std::string& fileName) { return file_.Create(fileName); }

  bool NativeBlocks() const override { return true; }
  bool TruePolylines() const override { return true; }
  void Limits(const CadLimits& limits) override;
  void Tables(int layerScheme) override { writer_.Tables(layerScheme); }
  void BeginBlocks() override { writer_.BeginBlocksSection(); }
  void BeginBlock(const std::string& name) override { writer_.Block(layer_, name); }
  void EndBlock() override { writer_.EndBlock(); }
  void EndSection() override { writer_.EndSection(); }
  void BeginEntities() override { writer_.BeginEntitiesSection(); }
  bool Finish() override;
  void Abandon() override { file_.Discard(); }
  std::string FileName() const override { return file_.FileName(); }
  bool Failed() const override { return file_.Failed(); }

  void SetPen(int pen, const std::string& layer) override;
  void SetTextStyle(const CadTextStyle& style) override { style_ = style; }

  void Line(Real x1, Real y1, Real x2, Real y2) override;
  void Circle(Real x, Real y, Real r, bool hole) override;
  void Arc(Real x, Real y, Real start, Real end, Real r) override;
  void ArcSweep(Real x, Real y, Real start, Real end, Real r, Real sweep) override;
  void Text(const std::string& text, Real x, Real y) override;
  void Solid(Real x1, Real y1, Real x2, Real y2, Real x3, Real y3, Real x4, Real y4) override;
  void Insert(const std::string& name, Real x, Real y, Real angle, Real xscale,
              Real yscale) override;
  void PolyBegin(bool closed) override { writer_.Polyline(layer_, closed); }
  void PolyVertex(Real x, Real y, Real sweep) override { writer_.Vertex(layer_, x, y, sweep); }
  void PolyEnd() override { writer_.SeqEnd(layer_); }

 private:
  CadOutputFile file_;
  DxfWriter writer_;
  std::string layer_ = "0";
  CadTextStyle style_;
};

}  // namespace kv5
