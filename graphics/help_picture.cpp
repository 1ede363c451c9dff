#include "graphics/help_picture.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "graphics/graphics_window.h"
#include "graphics/hpgl_reader.h"
#include "model/line_file.h"
#include "text/codepage.h"
#include "text/number_format.h"
#include "text/numeric.h"

namespace kv5 {

HelpPictureState helpPictureState;

void InitHelpPicture() {
  helpPictureState = HelpPictureState{};
}

int HelpPenColour(int pen) {
  static constexpr int kColours[] = {12, 14, 10, 11, 9, 13, 15};
  return pen >= 1 && pen <= 7 ? kColours[pen - 1] : pen;
}

namespace {

constexpr Real kPlotterUnit = 0.025L;  // mm

Real ClampCoordinate(Real mm) {
  return std::clamp(mm, -kHelpPictureCoordinateLimit, kHelpPictureCoordinateLimit);
}

// One run of the command loop over the bytes of a picture.
class HelpPictureInterpreter {
 public:
  explicit HelpPictureInterpreter(std::string bytes) : reader_(std::move(bytes)) {}

  void Run() {
    while (!stop_) {
      char c1, c2;
      if (!NextCommandCharacter(c1) || !NextCommandCharacter(c2)) return;
      reader_.endOfCommand = false;
      Execute(static_cast<char>(std::toupper(static_cast<unsigned char>(c1))),
              static_cast<char>(std::toupper(static_cast<unsigned char>(c2))));
    }
  }

 private:
  HelpPictureState& s_ = helpPictureState;
  HpglReader reader_;
  bool stop_ = false;  // the bytes ended inside a command

  // A character of a mnemonic; the ";" closing the command before is
  // passed over once.
  bool NextCommandCharacter(char& c) {
    if (!reader_.NextSignificant(c)) return false;
    if (c == ';' && !reader_.NextSignificant(c)) return false;
    return true;
  }

  bool Parameter(std::string& text) {
    if (reader_.ReadParameter(text)) return true;
    stop_ = true;
    return false;
  }

  // A coordinate in plotter units, as millimetres; "P" and "A" in it are
  // left out and an empty parameter is 0.
  bool Coordinate(Real& mm) {
    std::string text;
    if (!Parameter(text)) return false;
    std::erase_if(text, [](char c) { return c == 'P' || c == 'A' || c == 'p' || c == 'a'; });
    mm = ClampCoordinate(kPlotterUnit * ParseNumber(text));
    return true;
  }

  // The rest of a command whose parameters were all taken.
  void EndCommand() {
    if (!reader_.endOfCommand) reader_.SkipCommand();
  }

  void SetPenColour() { GrSetColor(HelpPenColour(s_.pen)); }

  void MoveTo(Real x, Real y) {
    if (s_.penDown) {
      SetPenColour();
      GrLine(s_.x, s_.y, x, y);
    }
    s_.x = x;
    s_.y = y;
  }

  void Execute(char a, char b) {
    if (a == 'P' && (b == 'U' || b == 'D' || b == 'A')) {
      if (b != 'A') s_.penDown = b == 'D';
      PlotAbsolute();
    } else if (a == 'S' && b == 'P') {
      SelectPen();
    } else if (a == 'C' && b == 'I') {
      Circle();
    } else if (a == 'S' && b == 'I') {
      TwoValues(s_.charWidth, s_.charHeight, kHelpPictureSizeLimit);
    } else if (a == 'D' && b == 'I') {
      TwoValues(s_.run, s_.rise, kHelpPictureCoordinateLimit);
    } else if (a == 'C' && b == 'S') {
      CharacterSet();
    } else if (a == 'L' && b == 'B') {
      Label();
    } else if (a == 'A' && b == 'A') {
      ArcAbsolute();
    } else if (a == 'P' && b == 'E') {
      EncodedPolyline();
    } else {
      reader_.SkipCommand();
    }
  }

  void PlotAbsolute() {
    for (;;) {
      Real x, y;
      if (!Coordinate(x) || reader_.endOfCommand) return;  // a lone x does not move
      if (!Coordinate(y)) return;
      MoveTo(x, y);
      if (reader_.endOfCommand) return;
    }
  }

  void SelectPen() {
    std::string text;
    if (!Parameter(text)) return;
    s_.pen = text.empty() ? 1 : static_cast<std::uint8_t>(ParseInt(text));
    EndCommand();
  }

  void Circle() {
    std::string text;
    if (!Parameter(text)) return;
    const Real r = std::fabs(ClampCoordinate(kPlotterUnit * ParseNumber(text)));
    SetPenColour();
    GrCircle(s_.x, s_.y, r);
    EndCommand();
  }

  // SI and DI: an empty parameter keeps its value ("SI;" keeps the size).
  void TwoValues(Real& first, Real& second, Real limit) {
    std::string a, b;
    if (!Parameter(a) || !Parameter(b)) return;
    if (!a.empty()) first = std::clamp(ParseNumber(a), -limit, limit);
    if (!b.empty()) second = std::clamp(ParseNumber(b), -limit, limit);
    EndCommand();
  }

  void CharacterSet() {
    std::string text;
    if (!Parameter(text)) return;
    if (!text.empty()) s_.characterSet = ParseInt(text);
    EndCommand();
  }

  void Label() {
    const std::string label = reader_.ReadLabel(s_.characterSet);
    SetPenColour();
    GrSetTextStyle(2, RadToDeg(AngleOf(s_.run, s_.rise)), 10 * s_.charHeight, 10 * s_.charWidth);
    GrOutText(Cp850ToUtf8(label), s_.x, s_.y);
  }

  void ArcAbsolute() {
    Real cx, cy;
    std::string sweepText;
    if (!Coordinate(cx) || !Coordinate(cy) || !Parameter(sweepText)) return;
    const Real sweep = std::clamp(ParseNumber(sweepText), Real(-360), Real(360));
    if (s_.penDown) {
      const Real dx = s_.x - cx;
      const Real dy = s_.y - cy;
      const Real r = std::hypot(dx, dy);
      const Real a1 = RadToDeg(AngleOf(dx, dy));
      const auto [ex, ey] = RotateMove(dx, dy, sweep, 0, 0);
      Real a2 = RadToDeg(AngleOf(ex, ey));
      // A whole turn comes back to the start direction up to rounding.
      if (std::fabs(std::remainder(a2 - a1, Real(360))) < 1e-7L) a2 = a1 + 360;
      SetPenColour();
      GrArc(cx, cy, a1, a2, r, sweep);
    }
    s_.x = cx;
    s_.y = cy;
    EndCommand();
  }

  void EncodedPolyline() {
    s_.penDown = true;
    bool absolute = false;
    bool sevenBit = false;
    for (;;) {
      char c;
      if (!reader_.NextSignificant(c)) {
        stop_ = true;
        return;
      }
      if (c == ';') return;
      if (c == '=') {
        absolute = true;
      } else if (c == '<') {
        s_.penDown = false;
      } else if (c == '7') {
        sevenBit = true;
      } else if (c == '>') {
        char ignored;
        if (!reader_.NextRaw(ignored)) stop_ = true;
      } else if (c == ':') {
        char pen;
        if (!reader_.NextRaw(pen)) {
          stop_ = true;
          return;
        }
        s_.pen = static_cast<std::uint8_t>(std::clamp(static_cast<unsigned char>(pen) + 0, 1, 15));
      } else if (StartsEncodedNumber(c)) {
        const HpglReader::EncodedNumber x = reader_.ReadEncodedNumber(c, sevenBit);
        char next;
        if (!x.complete || !reader_.PeekSignificant(next) || !StartsEncodedNumber(next))
          continue;  // a pair without its y is dropped
        reader_.NextSignificant(next);
        const HpglReader::EncodedNumber y = reader_.ReadEncodedNumber(next, sevenBit);
        if (!y.complete) continue;
        const Real nx = ClampCoordinate(absolute ? x.millimetres : s_.x + x.millimetres);
        const Real ny = ClampCoordinate(absolute ? y.millimetres : s_.y + y.millimetres);
        MoveTo(nx, ny);
        s_.penDown = true;
        absolute = false;
      }
      if (stop_) return;
    }
  }
};

}  // namespace

void PlotHelpPictureBytes(const std::string& bytes) {
  helpPictureState.x = -999;
  helpPictureState.y = -999;
  GrWaitCursor();
  HelpPictureInterpreter(bytes).Run();
  abortFlag = false;
  GrNormalCursor();
}

void PlotHelpPicture(const std::string& fileName) {
  helpPictureState.x = -999;
  helpPictureState.y = -999;
  GrWaitCursor();
  std::string bytes;
  if (!GrCheckFile(fileName) || !ReadWholeFile(fileName, bytes)) {
    GrNormalCursor();
    return;
  }
  PlotHelpPictureBytes(bytes);
}

}  // namespace kv5
