// The graphics window without a window: the display list of text records,
// the mapping from world coordinates to the pixels of the drawing area, the
// recording operations, zoom and pan, and the replay of the list onto an
// abstract canvas (DisplayListPainter). A window layer only implements the
// painter, forwards its key and mouse events and repaints on request.
//
// Display list records are texts, fields separated by ";", the first field
// the record code; reals in general format with 8 significant digits and
// "." as decimal mark; a text field is the rest of the line:
//   3;x;y;r                           circle
//   4;x1;y1;x2;y2                     line
//   5;x1;y1;x2;y2;xs;ys;xe;ye         arc: circle box, start and end point,
//                                     counter-clockwise from start to end
//   6;x;y;text                        text, (x, y) left end of the base line
//   7;x1;y1;x2;y2;x3;y3;x4;y4         filled quadrilateral
//   8;c                               colour index
//   9;height;width;font;angle         text size (world units), angle (deg)
//   10;vx1;vy1;vx2;vy2;xmin;ymin;xmax;ymax   viewport and world limits
//   11;n                              line style: 1 dotted, 2 dash-dot, 3 dashed
//   12;w                              line width in pixels
//   13;ms                             pause in milliseconds
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "graphics/record_numbers.h"
#include "model/drive_model.h"

namespace kv5 {

using DisplayList = std::vector<std::string>;

enum RecordCode : int {
  kRecordCircle = 3,
  kRecordLine = 4,
  kRecordArc = 5,
  kRecordText = 6,
  kRecordSolid = 7,
  kRecordColour = 8,
  kRecordTextStyle = 9,
  kRecordWindow = 10,
  kRecordLineStyle = 11,
  kRecordLineWidth = 12,
  kRecordPause = 13,
};

// ---------------------------------------------------------------------------
// Colours.

struct RgbColour {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  bool operator==(const RgbColour&) const = default;
};
inline constexpr RgbColour kBlack{0, 0, 0};
inline constexpr RgbColour kWhite{255, 255, 255};

inline constexpr int kPaletteSize = 17;  // colour indices 0 … 16
using Palette = std::array<RgbColour, kPaletteSize>;
Palette DefaultPalette();

// A colour value as the configuration keeps it ("Hintergrundfarbe"):
// 0x00BBGGRR, red in the low byte.
RgbColour ColourFromStoredValue(int value);

// Screen colour index of a CAD pen colour: numbers above 16 keep their low
// four bits; then 0→0, 1→12, 2→14, 3→10, 4→11, 5→9, 6→13, 7→15,
// 8…15→n−7, 16→16 (negative numbers give 0).
int ScreenColourOfPen(int penColour);

// ---------------------------------------------------------------------------
// Mapping of world coordinates to pixels.

struct ScreenPoint {
  int x = 0;
  int y = 0;
  bool operator==(const ScreenPoint&) const = default;
};

// Pixel area of the drawing: x to the right, y1 the top row, y2 the bottom row.
struct Viewport {
  int x1 = 0;
  int y1 = 0;
  int x2 = 640;
  int y2 = 480;
  bool operator==(const Viewport&) const = default;
};

// The part of the viewport shown, in viewport units: x from left to right,
// y from the bottom (y1 at world ymin) upwards.
struct ZoomRect {
  int x1 = 0;
  int y1 = 0;
  int x2 = 640;
  int y2 = 480;
  bool operator==(const ZoomRect&) const = default;
};

struct WorldRect {
  Real xmin = 0;
  Real ymin = 0;
  Real xmax = 640;
  Real ymax = 480;
  bool operator==(const WorldRect&) const = default;
};

// Size of the drawing area in pixels: the configured main window size
// ("Auflösung horizontal/vertikal"), 640 × 480 where it is 0 or less.
// Width / height of the physical display that the drawing area fills; 0
// means square pixels (every display of today), so the display has the
// shape of its pixel area. The old graphics modes ran 1280 × 1024 pixels on
// 4:3 displays (4.0 / 3).
extern Real displayAspect;
// The ratio sx / sy that keeps circles round on the display, for an area of
// w × h pixels: 1 with square pixels, (w / h) / displayAspect otherwise
// (0.75 · w / h on a 4:3 display). An invalid area counts as 640 × 480.
Real ScreenScaleRatio(int w, int h);

int GraphicsAreaWidth();
int GraphicsAreaHeight();

// Viewport, world limits, zoom rectangle and the scales derived from them.
struct WindowMapping {
  Viewport viewport;
  WorldRect limits;
  ZoomRect zoom;
  Real wx1 = 0, wy1 = 0, wx2 = 640, wy2 = 480;  // world coordinates of the zoom rectangle
  Real sx = 1, sy = 1;                          // pixels per world unit
  bool aspectLock = true;
  int areaWidth = 640;  // W and H of the aspect rule (0 or less: 640 × 480)
  int areaHeight = 480;

  // Makes z the zoom rectangle and derives wx1 … wy2, sx and sy; with the
  // aspect lock sx = sy·0.75·W/H (the smaller scale wins). Returns false and
  // changes nothing when z, the viewport or the limits have no width or no
  // height.
  bool SetScale(const ZoomRect& z);
  // X = round((x − wx1)·sx) + vx1; Y = vy2 − round((y − wy1)·sy).
  int ScreenX(Real x) const;
  int ScreenY(Real y) const;
  // Unrounded pixel coordinates (for scaled targets such as the printer).
  Real ExactX(Real x) const;
  Real ExactY(Real y) const;
  // The aspect ratio 0.75·W/H of the display (taken as 4:3).
  Real AspectRatio() const;
};

// ---------------------------------------------------------------------------
// Zoom and pan arithmetic on the zoom rectangle (no state).

enum class GraphicsKey {
  Escape,
  F5,
  Up,
  Down,
  Left,
  Right,
  PageUp,
  PageDown,
  NumPlus,
  NumMinus,
};

// Zoom about the centre: half sizes round(width/f) div 2 and
// round(height/f) div 2 about ((x1 + x2) div 2, (y1 + y2) div 2); f > 1
// zooms in, f < 1 zooms out.
ZoomRect ZoomAboutCentre(const ZoomRect& z, Real f);
// The rectangle after a key; Escape and F5 (reset) return it unchanged.
// dx = round(panStep·width), dy = round(panStep·height), D = round(0.5·height).
ZoomRect ZoomRectAfterKey(const ZoomRect& z, GraphicsKey key, Real zoomFactor, Real panStep);

// A rubber band in client pixels (corners in any order).
struct PixelBand {
  int x1 = 0;
  int y1 = 0;
  int x2 = 0;
  int y2 = 0;
  bool operator==(const PixelBand&) const = default;
};
// The zoom rectangle chosen by a band in a client area of cw × ch pixels; k
// is the aspect factor (1 without aspect lock). Nothing for a band without
// width or height or an empty client area.
std::optional<ZoomRect> ZoomRectOfBand(const ZoomRect& z, const PixelBand& band, int cw, int ch,
                                       Real k);
// Mouse wheel: n = |delta| / 120, at least 1; negative delta zooms in by
// zoomFactor·n, positive zooms out by it.
ZoomRect ZoomRectAfterWheel(const ZoomRect& z, int delta, Real zoomFactor);

// ---------------------------------------------------------------------------
// The abstract canvas of the replay.

enum class PenStyle { Solid, Dotted, DashDot, Dashed };

struct TextFont {
  std::string name = "Arial";
  int height = 0;      // cell height in pixels
  int width = 0;       // average character width in pixels (0: the font's own)
  int escapement = 0;  // tenths of a degree, counter-clockwise
  int weight = 400;    // 700 bold, 100 light
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  bool operator==(const TextFont&) const = default;
};

class DisplayListPainter {
 public:
  virtual ~DisplayListPainter() = default;
  virtual void SetPenColour(RgbColour colour) = 0;
  virtual void SetPenStyle(PenStyle style) = 0;
  virtual void SetPenWidth(int width) = 0;
  virtual void SetBrushColour(RgbColour colour) = 0;
  virtual void MoveTo(ScreenPoint p) = 0;
  virtual void LineTo(ScreenPoint p) = 0;  // draws from the pen position, then moves the pen
  // Outline of the ellipse in the box (left, top)–(right, bottom); not filled.
  virtual void Ellipse(ScreenPoint topLeft, ScreenPoint bottomRight) = 0;
  // Part of the ellipse in the box, counter-clockwise as seen on the screen
  // from the ray through `start` to the ray through `end`.
  virtual void Arc(ScreenPoint topLeft, ScreenPoint bottomRight, ScreenPoint start,
                   ScreenPoint end) = 0;
  // Filled with the brush colour, outlined with the pen.
  virtual void Polygon(const std::array<ScreenPoint, 4>& corners) = 0;
  // Text whose unrotated cell has its top-left corner at topLeft, rotated
  // about that corner by the font's escapement; transparent background.
  virtual void Text(ScreenPoint topLeft, const TextFont& font, RgbColour colour,
                    const std::string& text) = 0;
  virtual void Pause(int milliseconds) = 0;
  // Everything drawn so far must be on the target: the replay calls it at
  // its end and before it waits for the step dialog. A painter that
  // gathers figures into batches draws them here.
  virtual void Flush() {}
};

// How pixels of the drawing area reach a target of another size (the
// printer page, an image): X = round(pageWidth·originX/210) +
// round(pageWidth·screenX·scaleX/W), Y likewise with pageHeight and H for
// the scale (the origin in mm on an A4 width of 210 mm). A page width of 0
// means the target is the drawing area itself.
struct TargetScale {
  int pageWidth = 0;
  int pageHeight = 0;
  int originXmm = 0;
  int originYmm = 0;
  double scaleX = 1;
  double scaleY = 1;
};

struct ReplayOptions {
  WindowMapping mapping;  // the mapping when the replay starts (zoom rectangle, aspect lock, W × H)
  Palette palette = DefaultPalette();
  RgbColour background = kBlack;
  bool colourDisplay = true;  // false draws everything black
  std::string textFont = "Arial";
  Real textHeightFactor = 1;
  Real textWidthFactor = 0.4L;
  int textStyleFlags = 3;   // 1 bold, 2 italic, 4 underline, 8 strike-out
  TargetScale screenScale;  // of the main target (page width 0: the window itself)

  // Single-step mode of the animation: a colour-0 record first calls the
  // step dialog; it returns false when the user ends single-stepping.
  bool singleStep = false;
  std::function<bool()> stepDialog;
  // Called after every 50,000 records so that the window stays alive.
  std::function<void()> processMessages;

  // Printing: the printer gets every record too (texts only the printer),
  // mapped by printScale; pauses are skipped.
  DisplayListPainter* printer = nullptr;
  TargetScale printScale;
  bool printFrame = false;    // world limits as a frame on the paper
  int printerColourMode = 1;  // 2 or 3 print in colour
};

struct ReplayResult {
  WindowMapping mapping;    // after the window records of the list
  bool singleStep = false;  // still on after the step dialogs
  size_t recordsReplayed = 0;
  size_t recordsSkipped = 0;  // unknown codes or damaged fields
};

ReplayResult ReplayDisplayList(const DisplayList& list, DisplayListPainter& painter,
                               const ReplayOptions& options);

// ---------------------------------------------------------------------------
// Display list files: an optional first line "KV5 display list;W;H", then
// one record per line (UTF-8, LF).

struct DisplayListFile {
  int areaWidth = 0;  // 0: not known
  int areaHeight = 0;
  DisplayList records;
};
bool SaveDisplayList(const std::string& fileName, const DisplayList& list, int areaWidth,
                     int areaHeight);
// Nothing when the file cannot be read. Damaged records are kept; the replay skips them.
std::optional<DisplayListFile> LoadDisplayList(const std::string& fileName);

// ---------------------------------------------------------------------------
// The window proper.

// What the core needs from the window on the screen (none in batch runs).
class GraphicsWindowView {
 public:
  virtual ~GraphicsWindowView() = default;
  virtual void RequestRepaint() = 0;  // invalidate and show the window
  virtual void MoveCanvasPen(ScreenPoint p) = 0;
};

class GraphicsWindow {
 public:
  GraphicsWindow();  // the state at program start

  DisplayList displayList;
  WindowMapping mapping;
  WorldRect savedLimits;
  Real aspectFactor = 1;  // k, set by Header, used by the mouse band
  int currentColour = -1;
  int currentLineStyle = 99;
  int currentLineWidth = 1;
  int highestColourIndex = kPaletteSize - 1;
  Palette palette = DefaultPalette();
  bool dragging = false;
  bool doubleClicked = false;
  bool singleStep = false;
  bool mouseWheelZoom = true;
  PixelBand band;  // the rubber band while dragging
  bool printing = false;
  bool printFrame = false;
  GraphicsWindowView* view = nullptr;
  std::function<bool()> stepDialog;  // the animation's step dialog (none: steps on)

  // Starts a new drawing: empties the display list and forgets the colour,
  // line style and width recorded into it; invalidates and shows.
  void Clear();
  // Viewport as fractions of W × H (fy from the bottom) and world limits;
  // records code 10. Limits without width or height (or not finite) set
  // abortFlag and change nothing, neither the list nor the mapping.
  void SetWindow(bool aspectLock, bool inset, Real fx1, Real fy1, Real fx2, Real fy2, Real xmin,
                 Real ymin, Real xmax, Real ymax);
  // Starts a picture: k, SetWindow(true, true, 0, 0, 1, 1, …), SetLineStyle(0), SaveLimit.
  void Header(Real xmin, Real ymin, Real xmax, Real ymax);
  void SetScale(int zx1, int zy1, int zx2, int zy2);
  void ResetZoom();
  void SaveLimit();
  void RestoreLimit();
  void ReSetWindow();
  void ClearViewPort();  // wait cursor, repaint from the list

  // Recording operations.
  void line(Real x1, Real y1, Real x2, Real y2);
  void circle(Real x, Real y, Real r);
  // Arc about (xc, yc) from startDeg to endDeg; a negative sweep swaps them;
  // |sweep| < 4° is recorded as the chord.
  void Arc(Real xc, Real yc, Real startDeg, Real endDeg, Real r, Real sweep);
  void OutTextXY(const std::string& text, Real x, Real y);
  void Solid(Real x1, Real y1, Real x2, Real y2, Real x3, Real y3, Real x4, Real y4);
  void SetColor(int c);
  void SetLineStyle(int n);
  void SetLineWidth(int w);
  void SleepMs(int ms);
  void SetTextStyle(int font, Real angle, Real height, Real width);
  // Moves the canvas pen (not recorded).
  void MoveTo(Real x, Real y);
  // The maker's mark in the window (−1, −1)–(38, 33).
  void DrawLogo();

  // Events. Each returns true when the window must repaint.
  bool ProcessKey(GraphicsKey key);
  void MouseLeftDown(int x, int y);  // after a double click: back to the saved limits
  void MouseMove(int x, int y);
  bool MouseLeftUp(int x, int y, int clientWidth, int clientHeight);
  bool MouseRightDown();
  void MouseDoubleClick();
  bool MouseWheel(int delta);

  // Options of a replay from the current state and the configuration.
  ReplayOptions MakeReplayOptions() const;
  // Replays the list onto the window's painter (and the printer while
  // printing) and keeps the mapping that the list leaves.
  ReplayResult Paint(DisplayListPainter& screen, DisplayListPainter* printer = nullptr,
                     const TargetScale& printScale = {});

 private:
  void Record(const std::string& record);
  void RefreshArea();
};

// The one graphics window of the program.
extern GraphicsWindow graphicsWindow;
// Start-up state (program start, ResetProgramState).
void InitGraphicsWindow();

// ---------------------------------------------------------------------------
// Procedure layer: one procedure per operation, acting on graphicsWindow.

void GrClear();
void GrSetWindow(bool aspectLock, bool inset, Real fx1, Real fy1, Real fx2, Real fy2, Real xmin,
                 Real ymin, Real xmax, Real ymax);
void GrHeader(Real xmin, Real ymin, Real xmax, Real ymax);
void GrClearViewPort();
void GrCircle(Real x, Real y, Real r);
void GrLine(Real x1, Real y1, Real x2, Real y2);
void GrArc(Real xc, Real yc, Real startDeg, Real endDeg, Real r, Real sweep);
// Converts the text with DosToDisplay before recording it.
void GrOutText(const std::string& text, Real x, Real y);
void GrSetColor(int c);
void GrSetPenColor(int penColour);  // SetColor(ScreenColourOfPen(penColour))
void GrSetLineStyle(int n);
void GrSetLineWidth(int w);
void GrSleepMs(int ms);
void GrSetTextStyle(int font, Real angle, Real height, Real width);
void GrSolid(Real x1, Real y1, Real x2, Real y2, Real x3, Real y3, Real x4, Real y4);
void GrMoveTo(Real x, Real y);
void GrLogo();
void GrWaitCursor();
void GrNormalCursor();
void GrMessage(const std::string& text);  // message box
// False, a message "<name> nicht gefunden !" and abortFlag when the file
// cannot be opened for reading.
bool GrCheckFile(const std::string& fileName);

}  // namespace kv5
