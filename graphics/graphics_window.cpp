#include "graphics/graphics_window.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <string_view>
#include <utility>

#include "dialogs/message_boxes.h"
#include "platform/platform.h"
#include "text/configuration.h"
#include "text/number_format.h"
#include "text/text_conversion.h"

namespace kv5 {

GraphicsWindow graphicsWindow;

namespace {

constexpr int kDefaultAreaWidth = 640;
constexpr int kDefaultAreaHeight = 480;
// Pixel coordinates beyond this are clamped: far-off world points must not
// overflow the integer conversion.
constexpr Real kPixelLimit = 1 << 28;
constexpr Real kDegree = std::numbers::pi_v<Real> / 180;
constexpr size_t kRecordsPerMessagePump = 50000;
const char kFileHeader[] = "KV5 display list";

int RoundToInt(Real v) {
  if (std::isnan(v)) return 0;
  v = std::clamp(v, -kPixelLimit, kPixelLimit);
  return static_cast<int>(std::llround(v));
}

std::string Field(Real x) {
  return ";" + FormatRecordReal(x);
}
std::string Field(int n) {
  return ";" + std::to_string(n);
}

}  // namespace

// ---------------------------------------------------------------------------

// ---------------------------------------------------------------------------

Palette DefaultPalette() {
  return {{{0, 0, 0},
           {0, 0, 128},
           {0, 255, 0},
           {0, 255, 255},
           {255, 0, 0},
           {128, 0, 128},
           {128, 0, 0},
           {192, 192, 192},
           {176, 176, 176},
           {0, 0, 255},
           {0, 255, 0},
           {0, 255, 255},
           {255, 0, 0},
           {255, 0, 255},
           {255, 255, 0},
           {255, 255, 255},
           {0, 0, 0}}};
}

RgbColour ColourFromStoredValue(int value) {
  auto v = static_cast<unsigned>(value);
  return {static_cast<std::uint8_t>(v & 0xFF), static_cast<std::uint8_t>((v >> 8) & 0xFF),
          static_cast<std::uint8_t>((v >> 16) & 0xFF)};
}

int ScreenColourOfPen(int n) {
  if (n < 0) return 0;
  if (n > 16) n &= 0x0F;
  static constexpr int kLow[8] = {0, 12, 14, 10, 11, 9, 13, 15};
  if (n < 8) return kLow[n];
  if (n <= 15) return n - 7;
  return 16;
}

// ---------------------------------------------------------------------------

namespace {
bool AreaValid(int w, int h) {
  return w > 0 && h > 0;
}
}  // namespace

int GraphicsAreaWidth() {
  const StoredSettings& s = storedSettings;
  return AreaValid(s.mainWindowWidth, s.mainWindowHeight) ? s.mainWindowWidth : kDefaultAreaWidth;
}

int GraphicsAreaHeight() {
  const StoredSettings& s = storedSettings;
  return AreaValid(s.mainWindowWidth, s.mainWindowHeight) ? s.mainWindowHeight : kDefaultAreaHeight;
}

Real displayAspect = 0;

Real ScreenScaleRatio(int w, int h) {
  if (displayAspect <= 0) return 1;
  const bool valid = AreaValid(w, h);
  const Real width = valid ? w : kDefaultAreaWidth;
  const Real height = valid ? h : kDefaultAreaHeight;
  return width / height / displayAspect;
}

Real WindowMapping::AspectRatio() const {
  return ScreenScaleRatio(areaWidth, areaHeight);
}

bool WindowMapping::SetScale(const ZoomRect& z) {
  if (z.x1 == z.x2 || z.y1 == z.y2) return false;
  const Real vw = viewport.x2 - viewport.x1;
  const Real vh = viewport.y2 - viewport.y1;
  const Real lw = limits.xmax - limits.xmin;
  const Real lh = limits.ymax - limits.ymin;
  if (vw == 0 || vh == 0 || lw == 0 || lh == 0) return false;
  const Real nwx1 = (z.x1 - viewport.x1) / vw * lw + limits.xmin;
  const Real nwy1 = (z.y1 - viewport.y1) / vh * lh + limits.ymin;
  const Real nwx2 = (z.x2 - viewport.x1) / vw * lw + limits.xmin;
  const Real nwy2 = (z.y2 - viewport.y1) / vh * lh + limits.ymin;
  if (nwx2 == nwx1 || nwy2 == nwy1) return false;
  Real nsx = vw / (nwx2 - nwx1);
  Real nsy = vh / (nwy2 - nwy1);
  if (!std::isfinite(nsx) || !std::isfinite(nsy)) return false;
  if (aspectLock) {
    const Real r = AspectRatio();
    if (nsx >= nsy * r) {
      nsx = nsy * r;
    } else {
      nsy = nsx / r;
    }
  }
  zoom = z;
  wx1 = nwx1;
  wy1 = nwy1;
  wx2 = nwx2;
  wy2 = nwy2;
  sx = nsx;
  sy = nsy;
  return true;
}

int WindowMapping::ScreenX(Real x) const {
  return RoundToInt((x - wx1) * sx) + viewport.x1;
}
int WindowMapping::ScreenY(Real y) const {
  return viewport.y2 - RoundToInt((y - wy1) * sy);
}
Real WindowMapping::ExactX(Real x) const {
  return (x - wx1) * sx + viewport.x1;
}
Real WindowMapping::ExactY(Real y) const {
  return viewport.y2 - (y - wy1) * sy;
}

// ---------------------------------------------------------------------------

ZoomRect ZoomAboutCentre(const ZoomRect& z, Real f) {
  if (!(f > 0)) return z;
  const int halfWidth = RoundToInt((z.x2 - z.x1) / f) / 2;
  const int halfHeight = RoundToInt((z.y2 - z.y1) / f) / 2;
  const int cx = (z.x1 + z.x2) / 2;
  const int cy = (z.y1 + z.y2) / 2;
  return {cx - halfWidth, cy - halfHeight, cx + halfWidth, cy + halfHeight};
}

ZoomRect ZoomRectAfterKey(const ZoomRect& z, GraphicsKey key, Real zoomFactor, Real panStep) {
  const int dx = RoundToInt(panStep * (z.x2 - z.x1));
  const int dy = RoundToInt(panStep * (z.y2 - z.y1));
  const int page = RoundToInt(0.5L * (z.y2 - z.y1));
  switch (key) {
    case GraphicsKey::Escape:
    case GraphicsKey::F5:
      return z;
    case GraphicsKey::Up:
      return {z.x1, z.y1 - dy, z.x2, z.y2 - dy};
    case GraphicsKey::Down:
      return {z.x1, z.y1 + dy, z.x2, z.y2 + dy};
    case GraphicsKey::Left:
      return {z.x1 + dx, z.y1, z.x2 + dx, z.y2};
    case GraphicsKey::Right:
      return {z.x1 - dx, z.y1, z.x2 - dx, z.y2};
    case GraphicsKey::PageUp:
      return {z.x1, z.y1 - page, z.x2, z.y2 - page};
    case GraphicsKey::PageDown:
      return {z.x1, z.y1 + page, z.x2, z.y2 + page};
    case GraphicsKey::NumPlus:
      return ZoomAboutCentre(z, zoomFactor);
    case GraphicsKey::NumMinus:
      return ZoomAboutCentre(z, 1 / zoomFactor);
  }
  return z;
}

std::optional<ZoomRect> ZoomRectOfBand(const ZoomRect& z, const PixelBand& band, int cw, int ch,
                                       Real k) {
  const int minX = std::min(band.x1, band.x2), maxX = std::max(band.x1, band.x2);
  const int minY = std::min(band.y1, band.y2), maxY = std::max(band.y1, band.y2);
  if (minX == maxX || minY == maxY || cw <= 0 || ch <= 0) return std::nullopt;
  const Real width = z.x2 - z.x1;
  const Real height = z.y2 - z.y1;
  ZoomRect r;
  r.x1 = RoundToInt(Real(minX) / cw * width * k + z.x1 * k);
  r.x2 = RoundToInt(Real(maxX) / cw * width * k + z.x1 * k);
  r.y1 = RoundToInt(Real(ch - maxY) / ch * height + z.y1);
  r.y2 = RoundToInt(Real(ch - minY) / ch * height + z.y1);
  return r;
}

ZoomRect ZoomRectAfterWheel(const ZoomRect& z, int delta, Real zoomFactor) {
  const int n = std::max(1, std::abs(delta) / 120);
  const Real f = zoomFactor * n;
  return delta < 0 ? ZoomAboutCentre(z, f) : ZoomAboutCentre(z, 1 / f);
}

// ---------------------------------------------------------------------------
// Replay.

namespace {

// One parsed record: its code, its numeric fields and, for texts, the rest.
struct ParsedRecord {
  int code = 0;
  std::vector<Real> numbers;
  std::string text;
};

// The record code: a plain number is read directly, anything else by the
// integer reader.
bool ParseRecordCode(std::string_view text, int& code) {
  if (!text.empty() && text.size() <= 4 &&
      std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    code = 0;
    for (char c : text) code = code * 10 + (c - '0');
    return true;
  }
  return TryParseInt(std::string(text), code);
}

// Parses into `parsed`, reusing its storage: the replay reads every record
// of a list on each paint.
bool ParseRecordInto(std::string_view record, ParsedRecord& parsed) {
  parsed.numbers.clear();
  parsed.text.clear();
  size_t end = record.find(';');
  if (!ParseRecordCode(record.substr(0, end), parsed.code)) return false;
  const size_t numericFields = parsed.code == kRecordText ? 2 : SIZE_MAX;
  while (end != std::string_view::npos && parsed.numbers.size() < numericFields) {
    const size_t start = end + 1;
    end = record.find(';', start);
    Real value = 0;
    const std::string_view field =
        record.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
    if (!ParseRecordNumber(field, value)) return false;
    parsed.numbers.push_back(value);
  }
  if (parsed.code == kRecordText) {
    if (end == std::string_view::npos) return false;
    parsed.text.assign(record.substr(end + 1));
  }
  return true;
}

size_t FieldsNeeded(int code) {
  switch (code) {
    case kRecordCircle:
      return 3;
    case kRecordLine:
      return 4;
    case kRecordArc:
    case kRecordSolid:
    case kRecordWindow:
      return 8;
    case kRecordText:
      return 2;
    case kRecordTextStyle:
      return 4;
    case kRecordColour:
    case kRecordLineStyle:
    case kRecordLineWidth:
    case kRecordPause:
      return 1;
    default:
      return SIZE_MAX;
  }
}

int ClampedInt(Real v, int low, int high) {
  if (std::isnan(v)) return low;
  return static_cast<int>(std::llround(std::clamp(v, Real(low), Real(high))));
}

PenStyle PenStyleOf(int n) {
  switch (n) {
    case 1:
      return PenStyle::Dotted;
    case 2:
      return PenStyle::DashDot;
    case 3:
      return PenStyle::Dashed;
    default:
      return PenStyle::Solid;
  }
}

// One target of the replay with its mapping and its colours.
class Target {
 public:
  Target(DisplayListPainter& painter, const TargetScale& scale, bool printer, int areaWidth,
         int areaHeight)
      : painter_(painter), scale_(scale), printer_(printer) {
    const bool valid = AreaValid(areaWidth, areaHeight);
    w_ = valid ? areaWidth : kDefaultAreaWidth;
    h_ = valid ? areaHeight : kDefaultAreaHeight;
  }

  DisplayListPainter& painter() { return painter_; }
  bool printer() const { return printer_; }

  ScreenPoint Map(const WindowMapping& m, Real x, Real y) const {
    if (scale_.pageWidth == 0) return {m.ScreenX(x), m.ScreenY(y)};
    const Real pw = scale_.pageWidth, ph = scale_.pageHeight;
    return {
        RoundToInt(pw * scale_.originXmm / 210) + RoundToInt(pw * m.ExactX(x) * scale_.scaleX / w_),
        RoundToInt(pw * scale_.originYmm / 210) +
            RoundToInt(ph * m.ExactY(y) * scale_.scaleY / h_)};
  }
  // Pixels of a target pixel per pixel of the drawing area.
  Real FactorX() const {
    return scale_.pageWidth == 0 ? 1 : Real(scale_.pageWidth) * scale_.scaleX / w_;
  }
  Real FactorY() const {
    return scale_.pageWidth == 0 ? 1 : Real(scale_.pageHeight) * scale_.scaleY / h_;
  }

  void SetColours(RgbColour pen, RgbColour brush, RgbColour font) {
    painter_.SetPenColour(pen);
    painter_.SetBrushColour(brush);
    font_ = font;
  }
  RgbColour font() const { return font_; }

 private:
  DisplayListPainter& painter_;
  TargetScale scale_;
  bool printer_;
  Real w_ = kDefaultAreaWidth;
  Real h_ = kDefaultAreaHeight;
  RgbColour font_ = kBlack;
};

class Replay {
 public:
  Replay(DisplayListPainter& screen, const ReplayOptions& options)
      : options_(options), mapping_(options.mapping), singleStep_(options.singleStep) {
    const int w = mapping_.areaWidth, h = mapping_.areaHeight;
    targets_.emplace_back(screen, options.screenScale, false, w, h);
    if (options.printer) targets_.emplace_back(*options.printer, options.printScale, true, w, h);
  }

  ReplayResult Run(const DisplayList& list) {
    for (Target& t : targets_) {
      t.painter().SetPenStyle(PenStyle::Solid);
      t.painter().SetPenWidth(1);
      ApplyColour(t, 1);
    }
    if (printing() && options_.printFrame) DrawPrintFrame(targets_.back());
    ReplayResult result;
    for (size_t i = 0; i < list.size(); ++i) {
      if (Execute(list[i])) {
        ++result.recordsReplayed;
      } else {
        ++result.recordsSkipped;
      }
      if ((i + 1) % kRecordsPerMessagePump == 0 && options_.processMessages)
        options_.processMessages();
    }
    for (Target& t : targets_) t.painter().Flush();
    result.mapping = mapping_;
    result.singleStep = singleStep_;
    return result;
  }

 private:
  bool printing() const { return options_.printer != nullptr; }

  void DrawPrintFrame(Target& t) {
    const WorldRect& l = mapping_.limits;
    t.painter().SetPenColour(options_.colourDisplay ? options_.palette[11] : kBlack);
    t.painter().MoveTo(t.Map(mapping_, l.xmin, l.ymin));
    t.painter().LineTo(t.Map(mapping_, l.xmax, l.ymin));
    t.painter().LineTo(t.Map(mapping_, l.xmax, l.ymax));
    t.painter().LineTo(t.Map(mapping_, l.xmin, l.ymax));
    t.painter().LineTo(t.Map(mapping_, l.xmin, l.ymin));
    ApplyColour(t, colourIndex_);
  }

  // Pen, brush and font colour of colour index c on one target.
  void ApplyColour(Target& t, int c) {
    const RgbColour background = options_.background;
    if (c == 0) {
      t.SetColours(background, background, background);
    } else if (c >= 1 && c < kPaletteSize) {
      const RgbColour colour = options_.palette[static_cast<size_t>(c)];
      const bool inColour = t.printer()
                                ? options_.printerColourMode == 2 || options_.printerColourMode == 3
                                : options_.colourDisplay;
      if (inColour) {
        t.SetColours(colour, colour, colour);
      } else {
        t.SetColours(kBlack, background, kBlack);
      }
    }
  }

  RgbColour TextColour(const Target& t) const {
    if (colourIndex_ == 0) return options_.background;
    const bool inColour =
        options_.colourDisplay &&
        (!t.printer() || options_.printerColourMode == 2 || options_.printerColourMode == 3);
    if (!inColour) return kBlack;
    if (colourIndex_ >= 1 && colourIndex_ <= 15)
      return options_.palette[static_cast<size_t>(colourIndex_)];
    return t.font();
  }

  bool Execute(const std::string& record) {
    ParsedRecord* parsed = &parsed_;
    if (!ParseRecordInto(record, parsed_) || parsed->numbers.size() < FieldsNeeded(parsed->code))
      return false;
    const std::vector<Real>& v = parsed->numbers;
    switch (parsed->code) {
      case kRecordCircle:
        for (Target& t : targets_)
          t.painter().Ellipse(t.Map(mapping_, v[0] - v[2], v[1] + v[2]),
                              t.Map(mapping_, v[0] + v[2], v[1] - v[2]));
        return true;
      case kRecordLine:
        for (Target& t : targets_) {
          t.painter().MoveTo(t.Map(mapping_, v[0], v[1]));
          t.painter().LineTo(t.Map(mapping_, v[2], v[3]));
        }
        return true;
      case kRecordArc:
        for (Target& t : targets_) {
          ScreenPoint a = t.Map(mapping_, v[0], v[1]);
          ScreenPoint b = t.Map(mapping_, v[2], v[3]);
          t.painter().Arc({std::min(a.x, b.x), std::min(a.y, b.y)},
                          {std::max(a.x, b.x), std::max(a.y, b.y)}, t.Map(mapping_, v[4], v[5]),
                          t.Map(mapping_, v[6], v[7]));
        }
        return true;
      case kRecordText:
        DrawText(printing() ? targets_.back() : targets_.front(), v[0], v[1], parsed->text);
        return true;
      case kRecordSolid:
        for (Target& t : targets_) {
          if (!t.printer() && !options_.colourDisplay && colourIndex_ != 0)
            t.painter().SetBrushColour(kBlack);
          t.painter().Polygon({t.Map(mapping_, v[0], v[1]), t.Map(mapping_, v[2], v[3]),
                               t.Map(mapping_, v[4], v[5]), t.Map(mapping_, v[6], v[7])});
        }
        return true;
      case kRecordColour: {
        const int c = ClampedInt(v[0], -1000000, 1000000);
        if (c == 0 && singleStep_ && options_.stepDialog) {
          for (Target& t : targets_) t.painter().Flush();
          singleStep_ = options_.stepDialog();
        }
        for (Target& t : targets_) ApplyColour(t, c);
        colourIndex_ = c;
        return true;
      }
      case kRecordTextStyle:
        textHeight_ = v[0] * 1.6L * options_.textHeightFactor;
        textWidth_ = v[1] * 1.1L * options_.textWidthFactor;
        textAngle_ = v[3];
        return true;
      case kRecordWindow: {
        WindowMapping next = mapping_;
        next.viewport = {ClampedInt(v[0], -1 << 28, 1 << 28), ClampedInt(v[1], -1 << 28, 1 << 28),
                         ClampedInt(v[2], -1 << 28, 1 << 28), ClampedInt(v[3], -1 << 28, 1 << 28)};
        next.limits = {v[4], v[5], v[6], v[7]};
        // A window without area would make the scales infinite.
        if (!next.SetScale(mapping_.zoom)) return false;
        mapping_ = next;
        return true;
      }
      case kRecordLineStyle:
        for (Target& t : targets_) t.painter().SetPenStyle(PenStyleOf(ClampedInt(v[0], -1, 99)));
        return true;
      case kRecordLineWidth: {
        const int w = ClampedInt(v[0], 0, 1000);
        for (Target& t : targets_) t.painter().SetPenWidth(t.printer() ? 4 * w : w);
        return true;
      }
      case kRecordPause:
        if (!printing()) targets_.front().painter().Pause(ClampedInt(v[0], 0, 1 << 30));
        return true;
      default:
        return false;
    }
  }

  void DrawText(Target& t, Real x, Real y, const std::string& text) {
    TextFont font;
    font.name = options_.textFont;
    font.height = RoundToInt(textHeight_ * mapping_.sy * t.FactorY());
    font.width = RoundToInt(textWidth_ * mapping_.sx * t.FactorX());
    font.escapement = RoundToInt(textAngle_ * 10);
    const int flags = options_.textStyleFlags;
    const bool styled = flags >= 1 && flags <= 15;
    font.weight = styled && (flags & 1) ? 700 : 100;
    font.italic = styled && (flags & 2);
    font.underline = styled && (flags & 4);
    font.strikeOut = styled && (flags & 8);
    const Real a = textAngle_ * kDegree;
    const Real px = x - std::sin(a) * 0.7L * textHeight_;
    const Real py = y + std::cos(a) * 0.75L * textHeight_;
    t.painter().Text(t.Map(mapping_, px, py), font, TextColour(t), text);
  }

  const ReplayOptions& options_;
  WindowMapping mapping_;
  bool singleStep_;
  std::vector<Target> targets_;
  int colourIndex_ = 1;
  ParsedRecord parsed_;  // storage reused from record to record
  Real textHeight_ = 3.5L;
  Real textWidth_ = 3.5L;
  Real textAngle_ = 0;
};

}  // namespace

ReplayResult ReplayDisplayList(const DisplayList& list, DisplayListPainter& painter,
                               const ReplayOptions& options) {
  Replay replay(painter, options);
  return replay.Run(list);
}

// ---------------------------------------------------------------------------
// Files.

bool SaveDisplayList(const std::string& fileName, const DisplayList& list, int areaWidth,
                     int areaHeight) {
  std::ofstream out(fileName, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out << kFileHeader << ';' << areaWidth << ';' << areaHeight << '\n';
  for (const std::string& record : list) {
    // A record never spans lines; a line break inside a text would split it.
    std::string line = record;
    std::replace(line.begin(), line.end(), '\n', ' ');
    std::replace(line.begin(), line.end(), '\r', ' ');
    out << line << '\n';
  }
  out.flush();
  return static_cast<bool>(out);
}

std::optional<DisplayListFile> LoadDisplayList(const std::string& fileName) {
  std::ifstream in(fileName, std::ios::binary);
  if (!in) return std::nullopt;
  DisplayListFile file;
  std::string line;
  bool first = true;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (first && line.rfind(kFileHeader, 0) == 0) {
      first = false;
      size_t a = line.find(';');
      size_t b = a == std::string::npos ? a : line.find(';', a + 1);
      if (b != std::string::npos) {
        int w = 0, h = 0;
        if (TryParseInt(line.substr(a + 1, b - a - 1), w) && TryParseInt(line.substr(b + 1), h) &&
            AreaValid(w, h)) {
          file.areaWidth = w;
          file.areaHeight = h;
        }
      }
      continue;
    }
    first = false;
    file.records.push_back(line);
  }
  return file;
}

// ---------------------------------------------------------------------------
// The window.

namespace {
// A world window needs width and height; a NaN or infinite limit would
// leave every later scale undefined.
bool WorldWindowValid(Real xmin, Real ymin, Real xmax, Real ymax) {
  return std::isfinite(xmin) && std::isfinite(ymin) && std::isfinite(xmax) && std::isfinite(ymax) &&
         xmax != xmin && ymax != ymin;
}
}  // namespace

GraphicsWindow::GraphicsWindow() = default;

void GraphicsWindow::RefreshArea() {
  mapping.areaWidth = GraphicsAreaWidth();
  mapping.areaHeight = GraphicsAreaHeight();
}

void GraphicsWindow::Record(const std::string& record) {
  displayList.push_back(record);
}

void GraphicsWindow::Clear() {
  displayList.clear();
  // The replay starts from default pen settings, so a new list must not
  // rely on settings recorded into the old one.
  currentColour = -1;
  currentLineStyle = 99;
  currentLineWidth = 1;
  if (view) view->RequestRepaint();
}

void GraphicsWindow::SetWindow(bool aspectLock, bool inset, Real fx1, Real fy1, Real fx2, Real fy2,
                               Real xmin, Real ymin, Real xmax, Real ymax) {
  if (!WorldWindowValid(xmin, ymin, xmax, ymax)) {
    abortFlag = true;
    return;
  }
  RefreshArea();
  const Real w = mapping.areaWidth, h = mapping.areaHeight;
  const int in = inset ? 1 : 0;
  Viewport v;
  v.x1 = RoundToInt(fx1 * w) + in;
  v.x2 = RoundToInt(fx2 * w) - in;
  v.y1 = RoundToInt((1 - fy2) * h) + in;
  v.y2 = RoundToInt((1 - fy1) * h) - in;
  Record(std::to_string(kRecordWindow) + Field(v.x1) + Field(v.y1) + Field(v.x2) + Field(v.y2) +
         Field(xmin) + Field(ymin) + Field(xmax) + Field(ymax));
  mapping.viewport = v;
  mapping.limits = {xmin, ymin, xmax, ymax};
  mapping.aspectLock = aspectLock;
  mapping.SetScale({v.x1, v.y1, v.x2, v.y2});
}

void GraphicsWindow::Header(Real xmin, Real ymin, Real xmax, Real ymax) {
  if (!WorldWindowValid(xmin, ymin, xmax, ymax)) {
    abortFlag = true;
    return;
  }
  RefreshArea();
  aspectFactor = mapping.AspectRatio() * (640 / (xmax - xmin)) / (480 / (ymax - ymin));
  SetWindow(true, true, 0, 0, 1, 1, xmin, ymin, xmax, ymax);
  SetLineStyle(0);
  SaveLimit();
}

void GraphicsWindow::SetScale(int zx1, int zy1, int zx2, int zy2) {
  RefreshArea();
  mapping.SetScale({zx1, zy1, zx2, zy2});
}

void GraphicsWindow::ResetZoom() {
  const Viewport& v = mapping.viewport;
  SetScale(v.x1, v.y1, v.x2, v.y2);
}

void GraphicsWindow::SaveLimit() {
  savedLimits = mapping.limits;
}

void GraphicsWindow::RestoreLimit() {
  const WorldRect& l = savedLimits;
  SetWindow(true, true, 0, 0, 1, 1, l.xmin, l.ymin, l.xmax, l.ymax);
}

void GraphicsWindow::ReSetWindow() {
  SetWindow(false, false, 0, 0, 1, 1, 0, 0, 1, 1);
  ResetZoom();
}

void GraphicsWindow::ClearViewPort() {
  // The repaint ends the wait cursor; without a window nothing would.
  if (!view) return;
  CurrentPlatform().SetBusy(true);
  view->RequestRepaint();
}

void GraphicsWindow::line(Real x1, Real y1, Real x2, Real y2) {
  Record(std::to_string(kRecordLine) + Field(x1) + Field(y1) + Field(x2) + Field(y2));
}

void GraphicsWindow::circle(Real x, Real y, Real r) {
  Record(std::to_string(kRecordCircle) + Field(x) + Field(y) + Field(r));
}

void GraphicsWindow::Arc(Real xc, Real yc, Real startDeg, Real endDeg, Real r, Real sweep) {
  if (sweep < 0) std::swap(startDeg, endDeg);
  const Real xs = xc + r * std::cos(startDeg * kDegree);
  const Real ys = yc + r * std::sin(startDeg * kDegree);
  const Real xe = xc + r * std::cos(endDeg * kDegree);
  const Real ye = yc + r * std::sin(endDeg * kDegree);
  if (std::fabs(sweep) >= 4) {
    Record(std::to_string(kRecordArc) + Field(xc - r) + Field(yc - r) + Field(xc + r) +
           Field(yc + r) + Field(xs) + Field(ys) + Field(xe) + Field(ye));
  } else {
    line(xs, ys, xe, ye);
  }
}

void GraphicsWindow::OutTextXY(const std::string& text, Real x, Real y) {
  // A line break would end the record early; the text stays on one line.
  std::string oneLine = text;
  std::replace(oneLine.begin(), oneLine.end(), '\n', ' ');
  std::replace(oneLine.begin(), oneLine.end(), '\r', ' ');
  Record(std::to_string(kRecordText) + Field(x) + Field(y) + ";" + oneLine);
}

void GraphicsWindow::Solid(Real x1, Real y1, Real x2, Real y2, Real x3, Real y3, Real x4, Real y4) {
  Record(std::to_string(kRecordSolid) + Field(x1) + Field(y1) + Field(x2) + Field(y2) + Field(x3) +
         Field(y3) + Field(x4) + Field(y4));
}

void GraphicsWindow::SetColor(int c) {
  if (c > highestColourIndex || c == currentColour) return;
  currentColour = c;
  Record(std::to_string(kRecordColour) + Field(c));
}

void GraphicsWindow::SetLineStyle(int n) {
  if (n == currentLineStyle) return;
  currentLineStyle = n;
  Record(std::to_string(kRecordLineStyle) + Field(n));
}

void GraphicsWindow::SetLineWidth(int w) {
  if (w == currentLineWidth) return;
  currentLineWidth = w;
  Record(std::to_string(kRecordLineWidth) + Field(w));
}

void GraphicsWindow::SleepMs(int ms) {
  Record(std::to_string(kRecordPause) + Field(ms));
}

void GraphicsWindow::SetTextStyle(int font, Real angle, Real height, Real width) {
  Record(std::to_string(kRecordTextStyle) + Field(height) + Field(width) + Field(font) +
         Field(angle));
}

void GraphicsWindow::MoveTo(Real x, Real y) {
  if (view) view->MoveCanvasPen({mapping.ScreenX(x), mapping.ScreenY(y)});
}

void GraphicsWindow::DrawLogo() {
  Header(-1, -1, 38, 33);
  SetLineStyle(0);
  // A gear of 12 teeth on a ring of 24 segments (colour 9) around a
  // pin-wheel of 12 blades on a hub of 12 segments (colour 13): 60 quads.
  const Real cx = 18.5L, cy = 16;
  auto at = [&](Real r, Real deg) {
    return std::pair<Real, Real>{cx + r * std::cos(deg * kDegree),
                                 cy + r * std::sin(deg * kDegree)};
  };
  auto quad = [&](std::pair<Real, Real> a, std::pair<Real, Real> b, std::pair<Real, Real> c,
                  std::pair<Real, Real> d) {
    Solid(a.first, a.second, b.first, b.second, c.first, c.second, d.first, d.second);
  };
  SetColor(9);
  for (int i = 0; i < 24; ++i) {
    const Real a0 = i * 15, a1 = a0 + 15;
    quad(at(9, a0), at(12.2L, a0), at(12.2L, a1), at(9, a1));
  }
  for (int i = 0; i < 12; ++i) {
    const Real a = i * 30;
    quad(at(12, a - 8), at(15.5L, a - 5), at(15.5L, a + 5), at(12, a + 8));
  }
  SetColor(13);
  for (int i = 0; i < 12; ++i) {
    const Real a = i * 30;
    quad(at(2.6L, a), at(8, a + 10), at(7.4L, a + 24), at(2.6L, a + 22));
  }
  for (int i = 0; i < 12; ++i) {
    const Real a0 = i * 30, a1 = a0 + 30;
    quad(at(0.9L, a0), at(2.2L, a0), at(2.2L, a1), at(0.9L, a1));
  }
  MoveTo(0, 0);
}

bool GraphicsWindow::ProcessKey(GraphicsKey key) {
  if (key == GraphicsKey::Escape || key == GraphicsKey::F5) {
    ResetZoom();
    return true;
  }
  const ZoomRect next =
      ZoomRectAfterKey(mapping.zoom, key, storedSettings.zoomStep, storedSettings.panStep);
  SetScale(next.x1, next.y1, next.x2, next.y2);
  return true;
}

void GraphicsWindow::MouseLeftDown(int x, int y) {
  if (doubleClicked) {
    doubleClicked = false;
    RestoreLimit();
    ResetZoom();
    ReSetWindow();
    if (view) view->RequestRepaint();
    return;
  }
  dragging = true;
  band = {x, y, x, y};
}

void GraphicsWindow::MouseMove(int x, int y) {
  if (!dragging) return;
  band.x2 = x;
  band.y2 = y;
}

bool GraphicsWindow::MouseLeftUp(int x, int y, int clientWidth, int clientHeight) {
  if (!dragging) return false;
  dragging = false;
  band.x2 = x;
  band.y2 = y;
  const Real k = mapping.aspectLock ? aspectFactor : 1;
  std::optional<ZoomRect> next = ZoomRectOfBand(mapping.zoom, band, clientWidth, clientHeight, k);
  if (!next) return false;
  SetScale(next->x1, next->y1, next->x2, next->y2);
  if (view) view->RequestRepaint();
  return true;
}

bool GraphicsWindow::MouseRightDown() {
  ResetZoom();
  if (view) view->RequestRepaint();
  return true;
}

void GraphicsWindow::MouseDoubleClick() {
  doubleClicked = true;
}

bool GraphicsWindow::MouseWheel(int delta) {
  if (!mouseWheelZoom) return false;
  const ZoomRect next = ZoomRectAfterWheel(mapping.zoom, delta, storedSettings.zoomStep);
  SetScale(next.x1, next.y1, next.x2, next.y2);
  if (view) view->RequestRepaint();
  return true;
}

ReplayOptions GraphicsWindow::MakeReplayOptions() const {
  const StoredSettings& s = storedSettings;
  ReplayOptions o;
  o.mapping = mapping;
  o.mapping.areaWidth = GraphicsAreaWidth();
  o.mapping.areaHeight = GraphicsAreaHeight();
  o.palette = palette;
  o.background = ColourFromStoredValue(s.backgroundColour);
  o.colourDisplay = s.colourGraphics;
  o.textFont = s.graphicsTextFont.empty() ? "Arial" : s.graphicsTextFont;
  o.textHeightFactor = s.graphicsTextHeightFactor;
  o.textWidthFactor = 0.4L;
  o.textStyleFlags = s.graphicsTextStyle;
  o.singleStep = singleStep;
  o.stepDialog = stepDialog;
  o.printFrame = printFrame;
  o.printerColourMode = s.printMode;
  o.printScale.originXmm = s.screenDumpOriginX;
  o.printScale.originYmm = s.screenDumpOriginY;
  o.printScale.scaleX = static_cast<double>(s.screenDumpScale);
  o.printScale.scaleY = static_cast<double>(s.printScaleVertical);
  return o;
}

ReplayResult GraphicsWindow::Paint(DisplayListPainter& screen, DisplayListPainter* printer,
                                   const TargetScale& printScale) {
  CurrentPlatform().SetBusy(true);
  ReplayOptions o = MakeReplayOptions();
  if (printing && printer) {
    o.printer = printer;
    o.printScale.pageWidth = printScale.pageWidth;
    o.printScale.pageHeight = printScale.pageHeight;
  }
  ReplayResult result = ReplayDisplayList(displayList, screen, o);
  mapping = result.mapping;
  singleStep = result.singleStep;
  CurrentPlatform().SetBusy(false);
  return result;
}

void InitGraphicsWindow() {
  displayAspect = 0;
  graphicsWindow = GraphicsWindow();
  graphicsWindow.mapping.areaWidth = GraphicsAreaWidth();
  graphicsWindow.mapping.areaHeight = GraphicsAreaHeight();
}

// ---------------------------------------------------------------------------
// Procedure layer.

void GrClear() {
  graphicsWindow.Clear();
}
void GrSetWindow(bool aspectLock, bool inset, Real fx1, Real fy1, Real fx2, Real fy2, Real xmin,
                 Real ymin, Real xmax, Real ymax) {
  graphicsWindow.SetWindow(aspectLock, inset, fx1, fy1, fx2, fy2, xmin, ymin, xmax, ymax);
}
void GrHeader(Real xmin, Real ymin, Real xmax, Real ymax) {
  graphicsWindow.Header(xmin, ymin, xmax, ymax);
}
void GrClearViewPort() {
  graphicsWindow.ClearViewPort();
}
void GrCircle(Real x, Real y, Real r) {
  graphicsWindow.circle(x, y, r);
}
void GrLine(Real x1, Real y1, Real x2, Real y2) {
  graphicsWindow.line(x1, y1, x2, y2);
}
void GrArc(Real xc, Real yc, Real startDeg, Real endDeg, Real r, Real sweep) {
  graphicsWindow.Arc(xc, yc, startDeg, endDeg, r, sweep);
}
void GrOutText(const std::string& text, Real x, Real y) {
  graphicsWindow.OutTextXY(DosToDisplay(text), x, y);
}
void GrSetColor(int c) {
  graphicsWindow.SetColor(c);
}
void GrSetPenColor(int penColour) {
  graphicsWindow.SetColor(ScreenColourOfPen(penColour));
}
void GrSetLineStyle(int n) {
  graphicsWindow.SetLineStyle(n);
}
void GrSetLineWidth(int w) {
  graphicsWindow.SetLineWidth(w);
}
void GrSleepMs(int ms) {
  graphicsWindow.SleepMs(ms);
}
void GrSetTextStyle(int font, Real angle, Real height, Real width) {
  graphicsWindow.SetTextStyle(font, angle, height, width);
}
void GrSolid(Real x1, Real y1, Real x2, Real y2, Real x3, Real y3, Real x4, Real y4) {
  graphicsWindow.Solid(x1, y1, x2, y2, x3, y3, x4, y4);
}
void GrMoveTo(Real x, Real y) {
  graphicsWindow.MoveTo(x, y);
}
void GrLogo() {
  graphicsWindow.DrawLogo();
}
void GrWaitCursor() {
  CurrentPlatform().SetBusy(true);
}
void GrNormalCursor() {
  CurrentPlatform().SetBusy(false);
}
void GrMessage(const std::string& text) {
  ShowInfo(text);
}

bool GrCheckFile(const std::string& fileName) {
  std::error_code error;
  std::ifstream in(fileName, std::ios::binary);
  if (in && !std::filesystem::is_directory(fileName, error)) return true;
  GrMessage(fileName + " " + "nicht gefunden" + " !");
  abortFlag = true;
  return false;
}

}  // namespace kv5
