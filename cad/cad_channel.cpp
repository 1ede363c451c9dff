#include "cad/cad_channel.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <memory>
#include <optional>
#include <vector>

#include "app/core/command_line.h"
#include "app/core/identity.h"
#include "cad/block_files.h"
#include "cad/cad_output_file.h"
#include "cad/cad_settings.h"
#include "cad/contour_listing.h"
#include "cad/dxf_reader.h"
#include "cad/dxf_writer.h"
#include "cad/iges_backend.h"
#include "cad/linplot.h"
#include "cad/plot_file.h"
#include "cad/screen_backend.h"
#include "cad/step_backend.h"
#include "cad/stl_backend.h"
#include "dialogs/choice_dialogs.h"
#include "dialogs/file_checks.h"
#include "dialogs/message_boxes.h"
#include "dialogs/value_dialogs.h"
#include "graphics/graphics_window.h"
#include "platform/platform.h"
#include "text/codepage.h"
#include "text/configuration.h"
#include "text/messages.h"
#include "text/number_format.h"
#include "text/numeric.h"
#include "text/string_routines.h"

namespace kv5 {

CadKind cadKind = kCadAsk;
CadChannelState cadState;
std::array<BlockRec, kBlockRecCount> blockRecs;

namespace {

// An arc drawn as chords never gets more segments than this, whatever
// chord length is configured.
constexpr long kMaxChords = 1000000;

std::unique_ptr<CadBackend> backend = std::make_unique<NullCadBackend>();
bool nativeBlockOpen = false;

// The block file being written (screen, STL and STEP runs).
std::unique_ptr<CadOutputFile> blockFile;
std::unique_ptr<DxfWriter> blockWriter;
// A block file of this run could not be made or written: its inserts
// would be missing, so the run ends without putting its file in place.
bool blockFileFailed = false;

// How the open polyline is drawn.
enum class PolylineRoute { TruePolyline, Replay };
PolylineRoute polylineRoute = PolylineRoute::Replay;

// Primitives go into the open block file instead of the back end.
bool IntoBlockFile() {
  return cadState.definingBlocks && !backend->NativeBlocks();
}

void CloseBlockFile() {
  if (!blockFile) return;
  blockWriter->EndOfFile();
  if (!blockFile->Close()) blockFileFailed = true;
  blockWriter.reset();
  blockFile.reset();
  ClearBlockCache();
}

// Gives up an unfinished output run: its new file is removed.
void AbandonRun() {
  if (blockFile) blockFile->Discard();
  blockWriter.reset();
  blockFile.reset();
  backend->Abandon();
  backend = std::make_unique<NullCadBackend>();
  nativeBlockOpen = false;
  blockFileFailed = false;
}

const char* ExtensionOf(CadKind kind) {
  switch (kind) {
    case kCadDxf:
      return "dxf";
    case kCadIges:
      return "igs";
    case kCadPlotFile:
      return "txt";
    case kCadStl:
      return "stl";
    case kCadStep:
      return "stp";
    case kCadContourList:
      return "pas";
    default:
      return "";
  }
}

// The file name of a run that writes a file. False (abortFlag) when the
// user cancels or the name is refused.
bool ChooseFileName(CadKind kind, std::string& fileName) {
  const std::string extension = ExtensionOf(kind);
  if (batchCad) {
    if (TrimBlanks(projectName).empty()) {
      abortFlag = true;
      return false;
    }
    fileName = CurrentFolder() + projectName + "." + extension;
    // Nobody is there to answer the overwrite question of a batch run.
    bool ask = confirmOverwrite;
    confirmOverwrite = false;
    bool accepted = CheckNewFileName(fileName);
    confirmOverwrite = ask;
    return accepted;
  }
  FileDialogRequest request;
  request.filter = "*." + extension + "|*." + extension + "|*.*|*.*";
  request.initialFolder = cadFolder;
  request.initialName = projectName;
  request.defaultExtension = extension;
  std::optional<std::string> chosen = CurrentPlatform().AskSaveFile(request);
  std::string name = chosen ? TrimBlanks(*chosen) : std::string();
  std::string base = BaseNamePart(name);
  if (base.empty()) {
    abortFlag = true;
    return false;
  }
  fileName = FolderPart(name) + base + "." + extension;
  return CheckNewFileName(fileName);
}

template <typename Backend>
void StartFileBackend(const std::string& fileName) {
  auto fileBackend = std::make_unique<Backend>();
  if (!fileBackend->Create(fileName)) return;
  cadState.fileName = fileName;
  backend = std::move(fileBackend);
}

void StartBackend() {
  switch (cadKind) {
    case kCadScreen:
      backend = std::make_unique<ScreenBackend>();
      return;
    case kCadLinplot: {
      std::string fileName = TemporaryFolder() + "linplot.dxf";
      ShowInfo(fileName + " wird geplottet..");
      StartFileBackend<DxfBackend>(fileName);
      return;
    }
    case kCadStl: {
      std::string fileName;
      if (!ChooseFileName(cadKind, fileName)) return;
      auto stl = std::make_unique<StlBackend>();
      if (!stl->Create(fileName)) return;
      // Z range and text style carry over from earlier output runs.
      stl->SetZ(cadState.zBottom, cadState.zTop);
      stl->SetTextStyle(cadState.text);
      cadState.fileName = fileName;
      backend = std::move(stl);
      return;
    }
    case kCadDxf:
    case kCadIges:
    case kCadPlotFile:
    case kCadContourList: {
      std::string fileName;
      if (!ChooseFileName(cadKind, fileName)) return;
      if (cadKind == kCadDxf)
        StartFileBackend<DxfBackend>(fileName);
      else if (cadKind == kCadIges)
        StartFileBackend<IgesBackend>(fileName);
      else if (cadKind == kCadPlotFile)
        StartFileBackend<PlotFileBackend>(fileName);
      else
        StartFileBackend<ContourListingBackend>(fileName);
      return;
    }
    case kCadStep: {
      std::string fileName;
      if (ChooseFileName(cadKind, fileName)) StartFileBackend<StepBackend>(fileName);
      return;
    }
    default:
      return;
  }
}

// The footer line of a screen drawing.
std::string FooterText() {
  std::string title = std::string("KELMARO ") + programName + " V" + programVersion;
  if (!cadDrawingFooter) return title;
  std::string path;
  if (!projectName.empty())
    path = LeftStr(AddBackslash(projectFolder) + projectName + "." + projectExt, 120);
  return FormatDate() + " " + FormatTime() + " - " + title + " - " + path;
}

void ReplayPolylineSegment(Real x, Real y) {
  Real sweep = cadState.pendingSweep;
  if (sweep == 0) {
    CadLineTo(x, y);
    return;
  }
  Real x1 = cadState.currentX, y1 = cadState.currentY;
  if (cadPolylineArcsAsChords) {
    CadArcAsChords(x1, y1, x, y, sweep);
  } else {
    Real cx = 0, cy = 0, r = 0;
    if (ArcFromChord(x1, y1, x, y, sweep, cx, cy, r))
      CadArcSweep(cx, cy, RadToDeg(AngleOf(x1 - cx, y1 - cy)), RadToDeg(AngleOf(x - cx, y - cy)), r,
                  RadToDeg(sweep));
  }
  cadState.currentX = x;
  cadState.currentY = y;
}

}  // namespace

void InitCadChannel() {
  AbandonRun();
  cadKind = kCadAsk;
  cadState = CadChannelState{};
  blockRecs.fill(BlockRec{});
  polylineRoute = PolylineRoute::Replay;
  ClearBlockCache();
}

int FoldPen(int n) {
  if (n < 0) return 0;
  return n > 31 ? 16 + n % 16 : n;
}

std::string LayerNameOf(int pen, int penMode) {
  if (penMode != 0 || pen > 5) return std::to_string(pen);
  return CadNamedLayer(pen);
}

void CadScreenSize(int& width, int& height) {
  width = GraphicsAreaWidth();
  height = GraphicsAreaHeight();
}

// --- Output run ---

void CadBegin(CadKind kind) {
  AbandonRun();
  ClearBlockCache();
  cadState.originX = cadState.originY = 0;
  cadState.logoMode = 0;
  cadState.fileName.clear();
  if (kind != kCadAsk) {
    cadKind = kind;
  } else {
    const char* items[6] = {"DXF",
                            "IGES",
                            "Kontrollausgabe auf Bildschirm",
                            "Ausgabe auf Laserprinter/Plotter mit LINPLOT",
                            "TXT",
                            "STL"};
    for (int i = 0; i < 6; ++i) choiceItems[i + 1] = items[i];
    int index = 1;
    AskChoice("CAD-Code", 6, index);
    if (!abortFlag) {
      cadKind = static_cast<CadKind>(index);
      if (cadKind == kCadLinplot) ChooseLinplotCommandLine();
    }
  }
  if (abortFlag) return;
  StartBackend();
  if (abortFlag) return;
  cadState.penMode = 0;
  cadState.screenLineStyle = 0;
  cadState.definingBlocks = false;
  cadState.doNotOpen = false;
  if (cadKind == kCadStep) cadState.polylineMode = false;
}

void CadBeginOn(CadKind kind, std::unique_ptr<CadBackend> runBackend) {
  AbandonRun();
  ClearBlockCache();
  cadState.originX = cadState.originY = 0;
  cadState.logoMode = 0;
  cadKind = kind;
  backend = runBackend ? std::move(runBackend) : std::make_unique<NullCadBackend>();
  cadState.fileName = backend->FileName();
  cadState.penMode = 0;
  cadState.screenLineStyle = 0;
  cadState.definingBlocks = false;
  cadState.doNotOpen = false;
  if (cadKind == kCadStep) cadState.polylineMode = false;
}

void CadSetLimits(Real xmin, Real ymin, Real xmax, Real ymax, Real height) {
  // The height of the solid; a batch run has nobody to ask and keeps the
  // drawing's own height. Cancelling keeps it too, but the file is then not
  // opened afterwards.
  if (height > 0 && CadIsSolidOpen() && !batchCad) {
    if (!AskLength("Höhe", height, 0, 1000)) {
      abortFlag = false;
      cadState.doNotOpen = true;
    }
  }
  cadState.limits = CadLimits{xmin, ymin, xmax, ymax};
  backend->Limits(cadState.limits);
  if ((cadKind == kCadScreen || cadKind == kCadLinplot) && cadFrameAroundLimits) {
    CadSetPen(19);
    CadRectangle(xmin, ymin, xmax, ymax);
  }
  if (cadKind == kCadScreen) {
    const Real w = xmax - xmin, h = ymax - ymin;
    CadSetPen(30);
    CadSetTextStyle(2, 0, 0.006L * h, 0.0045L * w);
    CadText(FooterText(), xmin + 0.005L * w, ymin + 0.002L * h);
  }
  if (height > 0) CadSetZ(0, height);
}

void CadSetDefaultLimits() {
  CadSetLimits(0, 0, 160, 120, 1);
}

void CadTables(int layerScheme) {
  backend->Tables(layerScheme);
}

void CadBeginBlocks() {
  cadState.definingBlocks = true;
  backend->BeginBlocks();
}

void CadBeginBlock(const std::string& name) {
  if (abortFlag) return;
  ClearBlockCache();
  if (backend->NativeBlocks()) {
    backend->BeginBlock(name);
    nativeBlockOpen = true;
    return;
  }
  CloseBlockFile();
  if (BlockFolder().empty()) {
    const int error = errno;
    ShowError(CadIoErrorText(TemporaryFolder() + "kv5blocks.XXXXXX", error ? error : EIO));
    blockFileFailed = true;
    abortFlag = true;
    return;
  }
  std::string fileName = BlockFileForWriting(name);
  if (fileName.empty()) {
    abortFlag = true;
    return;
  }
  auto file = std::make_unique<CadOutputFile>();
  if (!file->Create(fileName)) {
    blockFileFailed = true;
    return;
  }
  blockFile = std::move(file);
  blockWriter = std::make_unique<DxfWriter>(*blockFile, BlockFileFormat());
}

void CadEndBlock() {
  if (backend->NativeBlocks()) {
    // A block that was begun is always ended, so that the file keeps its
    // structure even when the drawing code was interrupted.
    if (nativeBlockOpen) backend->EndBlock();
    nativeBlockOpen = false;
  } else {
    CloseBlockFile();
  }
  // An interrupted block does not stop the rest of the drawing; an I/O
  // error of the output file or of a block file does.
  if (abortFlag && !backend->Failed() && !blockFileFailed) abortFlag = false;
}

void CadEndSection() {
  if (!backend->NativeBlocks()) CloseBlockFile();
  if (nativeBlockOpen) {
    backend->EndBlock();
    nativeBlockOpen = false;
  }
  cadState.definingBlocks = false;
  backend->EndSection();
}

void CadBeginEntities() {
  backend->BeginEntities();
  if (cadKind == kCadScreen) cadState.screenLineStyle = 0;
  if ((cadKind == kCadScreen || cadKind == kCadLinplot) && cadState.logoMode != 2 &&
      cadState.logoMode != 3) {
    const CadLimits& l = cadState.limits;
    if (!FindBlockFile("LOGO_2").empty())
      CadInsert("LOGO_2", l.xmin + 0.91L * l.Width(), l.ymin + 0.01L * l.Height(), 0,
                l.Width() / 480, l.Height() / 360);
    if (!FindBlockFile("LOGO_3").empty())
      CadInsert("LOGO_3", l.xmin + 0.91L * l.Width(), l.ymin + 0.96L * l.Height(), 0,
                l.Width() / 480, l.Height() / 360);
  }
}

bool CadPassDone() {
  return backend->PassDone();
}

void CadEnd() {
  if (!backend->NativeBlocks()) CloseBlockFile();
  if (blockFileFailed) {
    // The error box was shown when the block file failed.
    if (cadKind == kCadScreen) DeleteBlockFiles();
    AbandonRun();
    abortFlag = true;
    return;
  }
  const bool failedBefore = backend->Failed();
  const bool finished = backend->Finish() && !failedBefore;
  const std::string fileName = backend->FileName();
  if (cadKind == kCadScreen) DeleteBlockFiles();
  if (!finished) {
    abortFlag = true;
    return;
  }
  if (cadKind == kCadLinplot) StartLinplot(LinplotCommandLineForRun());
  const bool opensFile = cadKind == kCadDxf || cadKind == kCadIges || cadKind == kCadPlotFile ||
                         cadKind == kCadStl || cadKind == kCadStep;
  if (!abortFlag && !cadState.doNotOpen && cadOpenAfterExport && opensFile && !batchCad &&
      commandLineParameters.size() <= 1 && !fileName.empty())
    CurrentPlatform().OpenWithAssociatedProgram(fileName);
}

// --- State ---

void CadSetPen(int n) {
  n = FoldPen(n);
  cadState.pen = n;
  cadState.layer = LayerNameOf(n, cadState.penMode);
  if (!IntoBlockFile()) backend->SetPen(n, cadState.layer);
}

void CadSavePen() {
  cadState.savedPen = cadState.pen;
}

void CadRestorePen() {
  CadSetPen(cadState.savedPen);
}

void CadSetPenMode(int mode) {
  cadState.penMode = mode;
}

void CadSetScreenLineStyle(int style) {
  if (cadKind != kCadScreen || cadState.definingBlocks) return;
  cadState.screenLineStyle = style;
  backend->SetLineStyle(style);
}

void CadSetOrigin(Real x, Real y) {
  cadState.originX = x;
  cadState.originY = y;
}

void CadSetTextStyle(int font, Real angle, Real height, Real width) {
  if (height == 0) return;
  CadTextStyle& style = cadState.text;
  style.font = font;
  style.height = height;
  style.charWidth = width;
  style.widthFactor = storedSettings.cadTextWidthFactor * (width == 0 ? 0.7L : width / height);
  long rounded = std::lround(angle);
  if (rounded >= 5 && rounded <= 85) {
    int screenWidth = 0, screenHeight = 0;
    CadScreenSize(screenWidth, screenHeight);
    // Texts drawn on a display whose pixels are not square lean so that they
    // look right there; with square pixels the ratio is 1 and nothing changes.
    const Real ratio = ScreenScaleRatio(screenWidth, screenHeight);
    Real a = DegToRad(angle);
    angle = RadToDeg(std::atan2(std::sin(a), ratio * std::cos(a)));
  }
  style.angle = angle;
  style.obliqueAngle = storedSettings.cadTextObliqueAngle;
  if (!IntoBlockFile()) backend->SetTextStyle(style);
}

void CadFitTextStyle(int font, const std::string& s, Real angle, Real height, Real width,
                     Real maxLength) {
  Real needed = width * static_cast<Real>(Utf8Length(TrimBlanks(s))) *
                storedSettings.graphicsTextWidthFactor / 0.7L;
  if (maxLength >= needed) {
    CadSetTextStyle(font, angle, height, width);
    return;
  }
  Real g = maxLength / needed * 0.9L;
  if (Utf8Length(s) < 8) g *= 0.9L;
  CadSetTextStyle(font, angle, height * g, width * g);
}

void CadSetZ(Real zBottom, Real zTop) {
  cadState.zBottom = zBottom;
  cadState.zTop = zTop;
  backend->SetZ(zBottom, zTop);
}

void CadSetZThickness(Real zBottom, Real thickness) {
  cadState.zBottom = zBottom;
  cadState.zTop = zBottom + thickness;
  backend->SetZThickness(zBottom, thickness);
}

void CadSetLogoMode(short mode) {
  cadState.logoMode = mode;
}

void CadDelay(int milliseconds) {
  if (cadKind == kCadScreen) backend->Delay(milliseconds);
}

bool CadIsSolidOpen() {
  return cadKind == kCadStl && backend->SolidOpen();
}

// --- Primitives ---

void CadLine(Real x1, Real y1, Real x2, Real y2) {
  x1 += cadState.originX;
  y1 += cadState.originY;
  x2 += cadState.originX;
  y2 += cadState.originY;
  if (IntoBlockFile()) {
    if (blockWriter) blockWriter->Line(cadState.layer, x1, y1, x2, y2);
    return;
  }
  backend->Line(x1, y1, x2, y2);
}

void CadMoveTo(Real x, Real y) {
  cadState.currentX = x;
  cadState.currentY = y;
}

void CadLineTo(Real x, Real y) {
  CadLine(cadState.currentX, cadState.currentY, x, y);
  CadMoveTo(x, y);
}

void CadMoveRelPolar(Real dist, Real angleRad) {
  cadState.currentX += dist * std::cos(angleRad);
  cadState.currentY += dist * std::sin(angleRad);
}

void CadMoveToPolar(Real dist, Real angleRad) {
  CadMoveTo(dist * std::cos(angleRad), dist * std::sin(angleRad));
}

void CadHLine(Real x, Real y, Real length) {
  CadLine(x, y, x + length, y);
}

void CadHLineCentered(Real xc, Real y, Real length) {
  CadLine(xc - length / 2, y, xc + length / 2, y);
}

void CadVLine(Real x, Real y, Real length) {
  CadLine(x, y, x, y + length);
}

void CadVLineCentered(Real x, Real yc, Real length) {
  CadLine(x, yc - length / 2, x, yc + length / 2);
}

void CadRectangle(Real x1, Real y1, Real x2, Real y2) {
  CadMoveTo(x1, y1);
  CadLineTo(x2, y1);
  CadLineTo(x2, y2);
  CadLineTo(x1, y2);
  CadLineTo(x1, y1);
}

void CadRectangleCW(Real x1, Real y1, Real x2, Real y2) {
  CadMoveTo(x1, y1);
  CadLineTo(x1, y2);
  CadLineTo(x2, y2);
  CadLineTo(x2, y1);
  CadLineTo(x1, y1);
}

void CadRectCentered(bool clockwise, Real xc, Real yc, Real w, Real h) {
  if (clockwise)
    CadRectangleCW(xc - w / 2, yc - h / 2, xc + w / 2, yc + h / 2);
  else
    CadRectangle(xc - w / 2, yc - h / 2, xc + w / 2, yc + h / 2);
}

void CadRoundRect(bool clockwise, Real x1, Real y1, Real x2, Real y2, Real r) {
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  if (std::fabs(r) < 0.00001L) {
    if (clockwise)
      CadRectangleCW(x1, y1, x2, y2);
    else
      CadRectangle(x1, y1, x2, y2);
    return;
  }
  const Real quarter = kPi / 2;
  struct Corner {
    Real x, y, sweep;
  };
  const Corner ccw[9] = {{x1 + r, y1, 0},       {x2 - r, y1, quarter}, {x2, y1 + r, 0},
                         {x2, y2 - r, quarter}, {x2 - r, y2, 0},       {x1 + r, y2, quarter},
                         {x1, y2 - r, 0},       {x1, y1 + r, quarter}, {x1 + r, y1, 0}};
  const Corner cw[9] = {{x1 + r, y1, -quarter}, {x1, y1 + r, 0},        {x1, y2 - r, -quarter},
                        {x1 + r, y2, 0},        {x2 - r, y2, -quarter}, {x2, y2 - r, 0},
                        {x2, y1 + r, -quarter}, {x2 - r, y1, 0},        {x1 + r, y1, 0}};
  CadPolyBegin(true);
  for (const Corner& c : clockwise ? cw : ccw) CadPolyVertex(c.x, c.y, c.sweep);
  CadPolyEnd();
}

void CadRoundRectCentered(bool clockwise, Real xc, Real yc, Real w, Real h, Real r) {
  CadRoundRect(clockwise, xc - w / 2, yc - h / 2, xc + w / 2, yc + h / 2, r);
}

void CadSlotRect(bool clockwise, Real x1, Real y1, Real x2, Real y2) {
  CadRoundRect(clockwise, x1, y1, x2, y2, std::min(std::fabs(x2 - x1), std::fabs(y2 - y1)) / 2);
}

void CadRoundPolygon(int n, Real xc, Real yc, Real acrossFlats, Real cornerRadius,
                     Real startAngle) {
  if (n < 3) return;
  const Real step = 2 * kPi / n;
  const Real circumradius = acrossFlats / (2 * std::cos(kPi / n));
  const Real start = DegToRad(startAngle);
  auto corner = [&](int k, Real& x, Real& y) {
    Real a = start + (k % n) * step;
    x = xc + circumradius * std::cos(a);
    y = yc + circumradius * std::sin(a);
  };
  // The fillet between two edges of a regular polygon turns by one step;
  // its tangent points lie r / tan(interior angle / 2) from the corner.
  const Real interior = kPi - step;
  const Real tangent = cornerRadius / std::tan(interior / 2);
  CadPolyBegin(true);
  for (int i = 0; i <= 3; ++i) {
    Real px, py, cx, cy, nx, ny;
    corner(i, px, py);
    corner(i + 1, cx, cy);
    corner(i + 2, nx, ny);
    Real toPrevious = Hypot(px - cx, py - cy), toNext = Hypot(nx - cx, ny - cy);
    CadPolyVertex(cx + tangent * (px - cx) / toPrevious, cy + tangent * (py - cy) / toPrevious,
                  step);
    CadPolyVertex(cx + tangent * (nx - cx) / toNext, cy + tangent * (ny - cy) / toNext, 0);
  }
  CadPolyEnd();
}

void CadCircle(Real x, Real y, Real r) {
  x += cadState.originX;
  y += cadState.originY;
  if (IntoBlockFile()) {
    if (blockWriter) blockWriter->Circle(cadState.layer, x, y, r);
    return;
  }
  backend->Circle(x, y, r, false);
}

void CadCircleHole(Real x, Real y, Real r) {
  x += cadState.originX;
  y += cadState.originY;
  if (IntoBlockFile()) {
    if (blockWriter) blockWriter->Circle(cadState.layer, x, y, r);
    return;
  }
  backend->Circle(x, y, r, true);
}

void CadArc(Real x, Real y, Real startAngle, Real endAngle, Real r) {
  if (r == 0) return;
  x += cadState.originX;
  y += cadState.originY;
  if (IntoBlockFile()) {
    if (blockWriter) blockWriter->Arc(cadState.layer, x, y, r, startAngle, endAngle, 0);
    return;
  }
  backend->Arc(x, y, startAngle, endAngle, r);
}

void CadArcSweep(Real x, Real y, Real startAngle, Real endAngle, Real r, Real sweep) {
  if (r == 0) return;
  x += cadState.originX;
  y += cadState.originY;
  if (IntoBlockFile()) {
    if (blockWriter) blockWriter->Arc(cadState.layer, x, y, r, startAngle, endAngle, sweep);
    return;
  }
  backend->ArcSweep(x, y, startAngle, endAngle, r, sweep);
}

void CadSolid(Real x1, Real y1, Real x2, Real y2, Real x3, Real y3, Real x4, Real y4) {
  const Real ox = cadState.originX, oy = cadState.originY;
  x1 += ox, x2 += ox, x3 += ox, x4 += ox;
  y1 += oy, y2 += oy, y3 += oy, y4 += oy;
  if (IntoBlockFile()) {
    if (blockWriter) blockWriter->Solid(cadState.layer, x1, y1, x2, y2, x3, y3, x4, y4);
    return;
  }
  backend->Solid(x1, y1, x2, y2, x3, y3, x4, y4);
}

void CadPolyBegin(bool closed) {
  cadState.vertexCount = 0;
  cadState.pendingSweep = 0;
  if (IntoBlockFile()) {
    polylineRoute = PolylineRoute::Replay;
  } else if (cadKind == kCadContourList) {
    polylineRoute = PolylineRoute::TruePolyline;
    if (cadState.polylineMode) backend->PolyBegin(closed);
  } else if (backend->TruePolylines() && cadState.polylineMode) {
    polylineRoute = PolylineRoute::TruePolyline;
    backend->PolyBegin(closed);
  } else {
    polylineRoute = PolylineRoute::Replay;
  }
}

void CadPolyVertex(Real x, Real y, Real sweepRad) {
  if (polylineRoute == PolylineRoute::TruePolyline) {
    if (backend->PolyVertexUnshifted())
      backend->PolyVertex(x, y, sweepRad);
    else
      backend->PolyVertex(x + cadState.originX, y + cadState.originY, sweepRad);
    CadMoveTo(x, y);
  } else if (cadState.vertexCount == 0) {
    CadMoveTo(x, y);
  } else {
    ReplayPolylineSegment(x, y);
  }
  ++cadState.vertexCount;
  cadState.pendingSweep = sweepRad;
}

void CadPolyEnd() {
  if (polylineRoute == PolylineRoute::TruePolyline) backend->PolyEnd();
  cadState.vertexCount = 0;
  cadState.pendingSweep = 0;
  polylineRoute = PolylineRoute::Replay;
}

void CadText(const std::string& s, Real x, Real y) {
  if (s.empty()) return;
  x += cadState.originX;
  y += cadState.originY;
  if (IntoBlockFile()) {
    if (blockWriter) blockWriter->Text(cadState.layer, s, x, y, cadState.text);
    return;
  }
  backend->Text(s, x, y);
}

void CadTextLine(const std::string& s) {
  CadText(s, cadState.currentX, cadState.currentY);
  const Real a = DegToRad(cadState.text.angle);
  const Real lineHeight = 1.6L * cadState.text.height;
  cadState.currentX += lineHeight * std::sin(a);
  cadState.currentY -= lineHeight * std::cos(a);
}

void CadInsert(const std::string& name, Real x, Real y, Real angle, Real xscale, Real yscale) {
  if (backend->NativeBlocks()) {
    backend->Insert(name, x, y, angle, xscale, yscale);
    return;
  }
  if (cadState.definingBlocks) {
    if (blockWriter) blockWriter->Insert(cadState.layer, name, x, y, xscale, yscale, angle);
    return;
  }
  cadState.transform = CadTransform{};
  ReplayBlock(name, x, y, angle, xscale, yscale);
}

void CadInsertShifted(const std::string& name, Real x, Real y, Real angle, Real xscale,
                      Real yscale) {
  CadInsert(name, x + cadState.originX, y + cadState.originY, angle, xscale, yscale);
}

// --- Geometry ---

void CadArcAsChords(Real x1, Real y1, Real x2, Real y2, Real phi) {
  Real cx = 0, cy = 0, r = 0;
  if (!ArcFromChord(x1, y1, x2, y2, phi, cx, cy, r)) return;
  const Real length = std::fabs(phi) * r;
  if (length == 0) return;
  const Real chord = CadChordLengthForArcs();
  CadMoveTo(x1, y1);
  if (length <= chord && std::fabs(phi) <= 0.1L) {
    CadLineTo(x2, y2);
    return;
  }
  long n = std::fabs(phi) * chord / length <= 0.1L ? std::lround(length / chord)
                                                   : std::lround(std::fabs(phi) / 0.1L);
  n = std::clamp(n, 1L, kMaxChords);
  const Real step = phi / n;
  const Real a0 = AngleOf(x1 - cx, y1 - cy);
  for (long k = 0; k <= n; ++k) {
    const Real a = a0 + k * step;
    CadLineTo(cx + r * std::cos(a), cy + r * std::sin(a));
  }
}

}  // namespace kv5
