// The A4 drawing frame: inner border and sheet edge, the title block (see
// title_block.cpp), the protection note in the left margin, the user's
// drawing texts, the zone border with its millimetre scales, the footer and
// the program title line above the sheet.
#include "graphics/drawing_frame.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "app/core/identity.h"
#include "cad/cad_channel.h"
#include "graphics/drawing_info.h"
#include "graphics/frame_settings.h"
#include "model/project_file.h"
#include "text/codepage.h"
#include "text/string_routines.h"

namespace kv5 {
namespace {

constexpr int kA4 = 4;

// Project paths longer than this are shortened in the footer to their
// first and last characters.
constexpr int kLongestFooterPath = 150;
constexpr int kFooterPathHead = 72;
constexpr int kFooterPathTail = 73;

const char* const kEnglishProtectionNote[] = {
    "Copying of this document and giving it to other and the use",
    "or communication of the contents therof, are forbidden with-",
    "out express authority. Offenders are liable to the payment",
    "of damages. All rights are reserved in the event of the grant",
    "of a patent or the registration of a utility model or design.",
};
const Label kGermanProtectionNote[] = {Label::ProtectionNote1, Label::ProtectionNote2,
                                       Label::ProtectionNote3, Label::ProtectionNote4,
                                       Label::ProtectionNote5};

// A document text of just "/" stands for an empty field.
std::string FieldText(const std::string& text) {
  return TrimBlanks(text) == "/" ? std::string() : text;
}

std::string FooterPath(const std::string& path) {
  if (Utf8Length(path) <= kLongestFooterPath) return path;
  return LeftStr(path, kFooterPathHead) + " ... " + RightStr(path, kFooterPathTail);
}

void DrawDrawingTexts() {
  const int sheets = documentData.drawingTextSheets;
  if (sheets != kSheetsA4 && sheets != kSheetsA4A3) return;
  const int count = std::clamp<int>(documentData.drawingTextCount, 0, kMaxDrawingTexts);
  for (int i = 0; i < count; ++i) {
    const ZeichTextRecord& t = documentData.drawingTexts[static_cast<size_t>(i)];
    // A height of 0 keeps the text style in force.
    if (t.height > 0) CadSetTextStyle(2, t.angle, t.height, 0.8L * t.height);
    CadSetPen(t.pen);
    CadText(t.text, t.x, t.y);
  }
}

// Tick length of the millimetre scales.
Real ScaleTick(long mm) {
  if (mm % 10 == 0) return 3;
  if (mm % 10 == 5) return 2.25L;
  return 1.5L;
}

}  // namespace

void SetSheetLimits(int format) {
  if (format == kA4) CadSetLimits(-5, -5, 215, 307, 0);
}

void DrawFrame(int format, const std::string& drawingName, const std::string& drawingName2,
               const std::string& drawingNumber) {
  // The frame suppresses the corner logos of the entity section even when
  // it draws nothing itself.
  CadSetLogoMode(2);
  const FrameSettings settings = FrameSettingsNow();
  if (!settings.showFrame || format != kA4) return;

  CadSetPen(5);
  if (settings.IsoWithWideBorder())
    CadRectangle(20, 10, 200, 287);
  else
    CadRectangle(17.9L, 5, 205.1L, 292);
  CadSetPen(3);
  CadRectangle(0, 0, 210, 297);

  DrawTitleBlock(FieldText(drawingName), FieldText(drawingName2), FieldText(drawingNumber));
  DrawProtectionNote();
  DrawDrawingTexts();
  if (settings.IsoWithWideBorder()) DrawZoneBorder(4, 6, 20, 10, 200, 287, 4);

  CadSetPen(3);
  CadSetTextStyle(2, 0, 1.5L, 1.2L);
  if (settings.showFileName) CadText(FooterPath(ProjectFileName()), 20, 1);
  if (settings.showDate) CadText(FormatDate() + " " + FormatTime(), 186, 1);

  CadSetTextStyle(2, 0, 3.5L, 3);
  CadSetPen(5);
  if (settings.showProgramTitle)
    CadText(std::string("KELMARO   ") + programName + "  V" + programVersion, 1, 300);
}

void DrawProtectionNote() {
  const FrameSettings settings = FrameSettingsNow();
  if (!settings.showProtectionNote) return;
  CadSetPen(3);
  CadSetTextStyle(2, 90, 1.8L, 1.5L);
  // Moved outwards where the zone border takes the margin.
  const Real c = settings.IsoWithWideBorder() && settings.showZoneBorder ? 3 : 4;
  for (int i = 0; i < 5; ++i) {
    CadText(kEnglishProtectionNote[i], c + 2.7L * i, 10);
    CadText(LabelText(kGermanProtectionNote[i]), c + 2.7L * i, 190);
  }
}

void DrawZoneBorder(int nx, int ny, Real x1, Real y1, Real x2, Real y2, Real w) {
  const FrameSettings settings = FrameSettingsNow();
  CadSetPen(3);
  if (settings.showZoneBorder && nx > 0 && ny > 0) {
    CadRectangle(x1 - w, y1 - w, x2 + w, y2 + w);
    const Real dx = (x2 - x1) / nx;
    const Real dy = (y2 - y1) / ny;
    CadSetTextStyle(2, 0, w / 2, 0.75L * w / 2);
    for (int i = 0; i <= nx; ++i) {
      const Real x = x1 + i * dx;
      CadVLine(x, y2, w);
      CadVLine(x, y1, -w);
      if (i < nx) {
        CadText(std::to_string(i + 1), x + dx / 2, y2 + 0.25L * w);
        CadText(std::to_string(i + 1), x + dx / 2, y1 - 0.75L * w);
      }
    }
    for (int j = 0; j <= ny; ++j) {
      const Real y = y1 + j * dy;
      CadHLine(x1, y, -w);
      CadHLine(x2, y, w);
      if (j < ny) {
        // Zones are lettered from "A" upwards.
        const std::string letter(1, static_cast<char>('A' + j % 26));
        CadText(letter, x1 - 0.75L * w, y + dy / 2);
        CadText(letter, x2 + 0.25L * w, y + dy / 2);
      }
    }
  }
  if (settings.showMillimetreScale) {
    CadSetTextStyle(2, 0, 1.5L, 1.125L);
    const long across = std::lround(x2 - x1);
    for (long g = 0; g <= across; ++g) {
      const Real x = x1 + g;
      CadVLine(x, y2 + w, ScaleTick(g));
      if (g % 10 == 0) {
        const std::string number = std::to_string(g);
        CadText(number, x - 0.5625L * static_cast<Real>(number.size()), y2 + w + 3.6L);
      }
    }
    CadSetTextStyle(2, 90, 1.5L, 1.125L);
    const long up = std::lround(y2 - y1);
    for (long h = 0; h <= up; ++h) {
      const Real y = y1 + h;
      CadHLine(x2 + w, y, ScaleTick(h));
      if (h % 10 == 0) {
        const std::string number = std::to_string(h);
        CadText(number, x2 + w + 4.8L, y - 0.5625L * static_cast<Real>(number.size()));
      }
    }
  }
}

}  // namespace kv5
