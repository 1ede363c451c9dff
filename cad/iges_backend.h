// Back end of output kind 2: an IGES file of 2D geometry in the plane
// z = 0. Lines (110), circles and arcs (100), filled quadrilaterals as 2D
// polylines (106 form 11), texts as general notes (212), blocks as
// subfigure definitions (308) with singular subfigure instances (408) and,
// for rotated inserts, a transformation matrix (124). Directory entries go
// to the file as the entities arrive; the Parameter Data records are
// spooled and appended at the end.
//
// Readers place a subfigure instance by moving the shared definition, and a
// move cannot scale: an instance with a scale other than 1 would be dropped
// or drawn unscaled. So such an instance points to a copy of the definition
// written at that scale (from the calls kept while the block was defined),
// nested instances scaled with it, and carries the scale 1 itself.
#pragma once

#include <array>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "cad/cad_backend.h"
#include "cad/cad_output_file.h"
#include "cad/iges_parameter_file.h"
#include "cad/iges_writer.h"
#include "text/string_routines.h"

namespace kv5 {

class IgesBackend : public CadBackend {
 public:
  // Starts the file and the parameter spool; false (error box, abortFlag)
  // when either cannot be made.
  bool Create(const std::string& fileName);

  bool NativeBlocks() const override { return true; }
  void Limits(const CadLimits& limits) override;
  void BeginBlock(const std::string& name) override;
  void EndBlock() override;
  bool Finish() override;
  void Abandon() override;
  bool Failed() const override { return file_.Failed() || parameters_.Failed(); }
  std::string FileName() const override { return file_.FileName(); }

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

  // The date written into the Global section (the current date by default).
  void SetDate(const DateTime& date) { date_ = date; }

 private:
  struct Entity {
    int type = 0;
    std::vector<std::string> calls;  // each starts a new record
    std::string transform;
    std::string form;
    std::string label;
    bool member = true;           // joins the member list of an open subfigure
    bool forceDependent = false;  // status 00010000 wherever it is
  };
  // One drawing call of a block body, replayed at a scale (about the
  // block's origin) into a scaled copy of the subfigure.
  using BlockCall = std::function<void(Real scale)>;
  // The definition state that a scaled copy written meanwhile must keep.
  struct OpenSubfigure {
    bool inSubfigure = false;
    std::string name;
    std::vector<int> members;
    int depth = 0;
    int colour = 0;
    int lineFont = 1;
    CadTextStyle style;
  };

  // Writes the entity; returns its entity pointer.
  int Write(const Entity& entity);
  void Record(BlockCall call);
  void WriteLine(Real x1, Real y1, Real x2, Real y2);
  void WriteText(const std::string& text, Real x, Real y, const CadTextStyle& style);
  void WriteSolid(const std::array<Real, 8>& corners);
  void WriteInsert(const std::string& name, Real x, Real y, Real angle, Real scale);
  // The 308 of the members collected so far; returns its entity pointer.
  int WriteSubfigure(const std::string& name);
  // The definition of `name` at `scale`: the block itself at scale 1, else
  // its scaled copy (written once per scale). 0 when the block is unknown.
  int SubfigureAt(const std::string& name, Real scale);
  void Header(Real maximumCoordinate);
  void EnsureHeader();
  void PutRecord(const std::string& content, char section, int& counter);
  void ArcEntity(Real x, Real y, Real fromDeg, Real toDeg, Real r);
  int FindSubfigure(const std::string& name) const;

  CadOutputFile file_;
  IgesParameterFile parameters_;
  DateTime date_ = LocalNow();
  CadTextStyle style_;
  bool headerWritten_ = false;
  int sCount_ = 0, gCount_ = 0, dCount_ = 0, pCount_ = 0;
  int entityPointer_ = -1;
  int parameterPointer_ = 1;
  int colour_ = 0;
  int lineFont_ = 1;
  bool inSubfigure_ = false;
  std::string subfigureName_;
  std::vector<int> members_;
  int subfigureCount_ = 0;
  // Nesting depth of the subfigure being defined: one more than the
  // deepest definition it instances (IGES 308 parameter 1).
  int depth_ = 0;
  std::map<int, int> depthOf_;  // entity pointer of a 308 → its depth
  std::map<std::string, std::vector<BlockCall>> blockCalls_;
  std::vector<BlockCall>* recording_ = nullptr;  // calls of the open block
  std::map<std::pair<std::string, std::string>, int> scaledCopies_;
  std::vector<std::string> copying_;  // blocks whose copy is being written
};

}  // namespace kv5
