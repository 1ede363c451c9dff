// A CAD back end that records what the channel hands it, with the pen and
// Z range in force at each call, so that tests can check a drawing call by
// call, including the solid (STL) branches of the drawing code.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "cad/cad_backend.h"
#include "cad/cad_channel.h"

namespace kv5::testing {

struct CadCall {
  std::string
      op;  // "line", "circle", "hole", "arc", "poly", "vertex", "polyend", "z", "zthickness"
  std::vector<Real> values;
  int pen = 0;
  Real zBottom = 0;
  Real zTop = 0;
};

using CadCalls = std::vector<CadCall>;

class RecordingCadBackend : public CadBackend {
 public:
  // truePolylines: receive polylines as vertices instead of replayed lines.
  RecordingCadBackend(std::shared_ptr<CadCalls> calls, bool truePolylines, std::string fileName)
      : calls_(std::move(calls)), truePolylines_(truePolylines), fileName_(std::move(fileName)) {}

  bool NativeBlocks() const override { return false; }
  bool TruePolylines() const override { return truePolylines_; }
  std::string FileName() const override { return fileName_; }
  // Stands in for an STL solid when the run is of kind STL with a file.
  bool SolidOpen() const override { return !fileName_.empty(); }

  void SetPen(int pen, const std::string& /*layer*/) override { pen_ = pen; }
  void SetZ(Real bottom, Real top) override {
    zBottom_ = bottom;
    zTop_ = top;
    Record("z", {bottom, top});
  }
  void SetZThickness(Real bottom, Real thickness) override {
    zBottom_ = bottom;
    zTop_ = bottom + thickness;
    Record("zthickness", {bottom, thickness});
  }
  void Line(Real x1, Real y1, Real x2, Real y2) override { Record("line", {x1, y1, x2, y2}); }
  void Circle(Real x, Real y, Real r, bool hole) override {
    Record(hole ? "hole" : "circle", {x, y, r});
  }
  void Arc(Real x, Real y, Real start, Real end, Real r) override {
    Record("arc", {x, y, start, end, r});
  }
  void ArcSweep(Real x, Real y, Real start, Real end, Real r, Real sweep) override {
    Record("arc", {x, y, start, end, r, sweep});
  }
  void PolyBegin(bool closed) override { Record("poly", {closed ? 1.0L : 0.0L}); }
  void PolyVertex(Real x, Real y, Real sweep) override { Record("vertex", {x, y, sweep}); }
  void PolyEnd() override { Record("polyend", {}); }

 private:
  void Record(const std::string& op, std::vector<Real> values) {
    calls_->push_back({op, std::move(values), pen_, zBottom_, zTop_});
  }
  std::shared_ptr<CadCalls> calls_;
  bool truePolylines_;
  std::string fileName_;
  int pen_ = 0;
  Real zBottom_ = 0, zTop_ = 0;
};

// Starts an output run whose calls are recorded: kind 6 with a file name
// makes the drawing code take its solid branches, any other kind its 2D
// branches.
inline std::shared_ptr<CadCalls> RecordCadRun(CadKind kind, bool truePolylines) {
  auto calls = std::make_shared<CadCalls>();
  CadBeginOn(kind, std::make_unique<RecordingCadBackend>(
                       calls, truePolylines, kind == kCadStl ? "recorded.stl" : "recorded.txt"));
  return calls;
}

// The calls with the operation.
inline CadCalls CallsOf(const CadCalls& calls, const std::string& op) {
  CadCalls found;
  for (const CadCall& call : calls)
    if (call.op == op) found.push_back(call);
  return found;
}

}  // namespace kv5::testing
