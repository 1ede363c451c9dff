// The CAD output channel: the one drawing interface through which every
// drawing of the program is made, on screen or into a CAD file.
//
// An output run:
//   CadBegin(kind) → CadSetLimits → CadTables → CadBeginBlocks →
//   (CadBeginBlock … CadEndBlock)* → CadEndSection →
//   (CadBeginEntities … CadEndSection) until CadPassDone() → CadEnd()
// The channel keeps no drawing: every primitive goes straight to the back
// end of the current output kind (cad/cad_backend.h). Lengths are drawing
// units (mm); angles are degrees unless marked "rad".
//
// Failures follow the program's rule: a cancelled dialog or a failed file
// sets abortFlag and the drawing code returns. A create or write error on
// the output file shows an error box naming the I/O error, ends the run
// (abortFlag stays set until CadEnd) and leaves any older file of that name
// untouched. So does such an error on a block file of the run (screen, STL
// and STEP): the drawing would lack the block's inserts.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "app/core/batch_runs.h"  // batchCad: no save dialog, nothing opened afterwards
#include "cad/cad_backend.h"
#include "graphics/geometry.h"
#include "model/drive_model.h"

namespace kv5 {

// The current output kind; stays set from CadBegin until the next CadBegin.
extern CadKind cadKind;

// Insert transform of block replay: a block point (px, py) maps to
// (x + xs·px·cos α − ys·py·sin α, y + xs·px·sin α + ys·py·cos α).
struct CadTransform {
  Real x = 0;
  Real y = 0;
  Real angle = 0;  // α, degrees
  Real xscale = 1;
  Real yscale = 1;
  int level = 0;  // nesting level 0..4
  bool operator==(const CadTransform&) const = default;
};

// The small state of the channel.
struct CadChannelState {
  std::string fileName;  // file of the current run ("" on screen)
  int pen = 0;
  std::string layer = "0";
  int savedPen = 0;
  int penMode = 0;  // 0 normal, 2 erase on screen; non-zero writes numeric layers
  bool definingBlocks = false;
  Real originX = 0, originY = 0;
  Real currentX = 0, currentY = 0;
  CadTextStyle text;
  bool polylineMode = true;  // write true polylines where the back end can
  int vertexCount = 0;
  Real pendingSweep = 0;  // rad, of the segment from the last vertex
  CadTransform transform;
  CadLimits limits;
  Real zBottom = 0, zTop = 0;
  bool doNotOpen = false;  // of the current run
  short logoMode = 0;      // 2 or 3: no logo inserts
  int screenLineStyle = 0;
};
extern CadChannelState cadState;

// Block record table (for the IGES subfigures): 3000 entries.
struct BlockRec {
  std::string name = "12345678";
  std::int32_t first = 0;
  std::int32_t second = 0;
};
inline constexpr int kBlockRecCount = 3000;
extern std::array<BlockRec, kBlockRecCount> blockRecs;

// Start-up state of the channel (kind 0, no back end, default state).
void InitCadChannel();

// --- Output run ---
// kind 0 asks "CAD-Code"; cancelling sets abortFlag.
void CadBegin(CadKind kind);
// Begins an output run of `kind` on a back end supplied by the caller
// instead of the one the kind selects (no dialog, no file); lets tests
// record what a drawing hands to a back end.
void CadBeginOn(CadKind kind, std::unique_ptr<CadBackend> runBackend);
void CadSetLimits(Real xmin, Real ymin, Real xmax, Real ymax, Real height);
void CadSetDefaultLimits();  // 0, 0, 160, 120, height 1
void CadTables(int layerScheme);
void CadBeginBlocks();
void CadBeginBlock(const std::string& name);
void CadEndBlock();
void CadEndSection();
void CadBeginEntities();
bool CadPassDone();
void CadEnd();

// --- State ---
void CadSetPen(int n);
void CadSavePen();
void CadRestorePen();
void CadSetPenMode(int mode);
void CadSetScreenLineStyle(int style);
void CadSetOrigin(Real x, Real y);
void CadSetTextStyle(int font, Real angle, Real height, Real width);
void CadFitTextStyle(int font, const std::string& s, Real angle, Real height, Real width,
                     Real maxLength);
void CadSetZ(Real zBottom, Real zTop);
void CadSetZThickness(Real zBottom, Real thickness);
void CadSetLogoMode(short mode);
void CadDelay(int milliseconds);
bool CadIsSolidOpen();

// Pen number as the channel uses it: above 31 folded to 16 + (n mod 16).
int FoldPen(int n);
// Layer name written for a pen (DXF back ends and block files).
std::string LayerNameOf(int pen, int penMode);

// --- Primitives (all subject to the origin shift) ---
void CadLine(Real x1, Real y1, Real x2, Real y2);
void CadMoveTo(Real x, Real y);
void CadLineTo(Real x, Real y);
void CadMoveRelPolar(Real dist, Real angleRad);
void CadMoveToPolar(Real dist, Real angleRad);
void CadHLine(Real x, Real y, Real length);
void CadHLineCentered(Real xc, Real y, Real length);
void CadVLine(Real x, Real y, Real length);
void CadVLineCentered(Real x, Real yc, Real length);
void CadRectangle(Real x1, Real y1, Real x2, Real y2);
void CadRectangleCW(Real x1, Real y1, Real x2, Real y2);
void CadRectCentered(bool clockwise, Real xc, Real yc, Real w, Real h);
void CadRoundRect(bool clockwise, Real x1, Real y1, Real x2, Real y2, Real r);
void CadRoundRectCentered(bool clockwise, Real xc, Real yc, Real w, Real h, Real r);
void CadSlotRect(bool clockwise, Real x1, Real y1, Real x2, Real y2);
void CadRoundPolygon(int n, Real xc, Real yc, Real acrossFlats, Real cornerRadius, Real startAngle);
void CadCircle(Real x, Real y, Real r);
void CadCircleHole(Real x, Real y, Real r);
void CadArc(Real x, Real y, Real startAngle, Real endAngle, Real r);
void CadArcSweep(Real x, Real y, Real startAngle, Real endAngle, Real r, Real sweep);
void CadSolid(Real x1, Real y1, Real x2, Real y2, Real x3, Real y3, Real x4, Real y4);
void CadPolyBegin(bool closed);
void CadPolyVertex(Real x, Real y, Real sweepRad);
void CadPolyEnd();
void CadText(const std::string& s, Real x, Real y);
void CadTextLine(const std::string& s);
void CadInsert(const std::string& name, Real x, Real y, Real angle, Real xscale, Real yscale);
void CadInsertShifted(const std::string& name, Real x, Real y, Real angle, Real xscale,
                      Real yscale);

// The arc from P1 to P2 with sweep phi (rad) as chords: CadMoveTo(P1),
// then CadLineTo to n + 1 points of the arc (the first is P1 itself), or a
// single CadLineTo(P2) for a short flat arc.
void CadArcAsChords(Real x1, Real y1, Real x2, Real y2, Real phi);

// Screen size in pixels used for the text angle correction (the graphics
// window's W × H; 0 gives 640 × 480).
void CadScreenSize(int& width, int& height);

}  // namespace kv5
