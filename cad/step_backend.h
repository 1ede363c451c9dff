// Back end of output kind 7: a STEP file (ISO 10303-21, schema
// AUTOMOTIVE_DESIGN) holding the straight segments of the drawing as 3D
// wireframe in the plane z = 0. Each segment becomes a trimmed line in a
// geometric curve set of its own; one shape representation (#25) lists
// every curve set. Circles, arcs, texts and solids are not written; the
// channel draws polylines as lines (polyline arcs as chords).
//
// Blocks are kept in block files by the channel and replayed at every
// insert, so the back end sees the replayed, transformed segments only;
// nothing drawn while blocks are defined reaches the file.
//
// The shape representation comes before the first segment but lists all
// curve sets and names the representation context that follows the last
// one, so the entities section is made twice: a counting pass with output
// off (PassDone returns false after it) and the writing pass (PassDone
// true). Entity numbers are the same in both passes.
//
// The file is written under a new name and put in place by Finish only
// when it is sound: both passes made and equal in numbering. A run that
// was interrupted (abortFlag) or whose passes differ leaves no file, and an
// older file of that name stays as it was.
#pragma once

#include <string>

#include "cad/cad_backend.h"
#include "cad/cad_output_file.h"
#include "cad/step_writer.h"
#include "model/drive_model.h"

namespace kv5 {

class StepBackend : public CadBackend {
 public:
  StepBackend() : writer_(file_) {}
  // Starts the file; false (error box, abortFlag) when it cannot be made.
  bool Create(const std::string& fileName) { return file_.Create(fileName); }

  bool NativeBlocks() const override { return false; }
  void Limits(const CadLimits& limits) override;
  void BeginEntities() override;
  bool PassDone() override;
  bool Finish() override;
  void Abandon() override { file_.Discard(); }
  bool Failed() const override { return file_.Failed(); }
  std::string FileName() const override { return file_.FileName(); }

  void Line(Real x1, Real y1, Real x2, Real y2) override;

  // Segments of the current pass.
  long SegmentCount() const { return segments_; }

 private:
  void Header();
  void Trailer();

  CadOutputFile file_;
  StepWriter writer_;
  bool headerWritten_ = false;
  int passesBegun_ = 0;
  bool inPass_ = false;
  // One ",#n" per curve set; kept from the counting pass for #25 of the
  // writing pass.
  std::string curveSets_;
  long contextNumber_ = 0;  // the entity after the last segment
  long segments_ = 0;
  // Where the counting pass ended.
  long countedEntities_ = -1;
  long countedSegments_ = -1;
};

}  // namespace kv5
