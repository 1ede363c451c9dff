// The settings of the drawing frame under readable names. The
// configuration file keeps them as positional values, several of them as
// off flags (true = not drawn); FrameSettingsNow() reads those places once
// per frame so that the drawing code never indexes the flag groups itself.
#pragma once

#include <string>

namespace kv5 {

// Title block layouts ("ComboBox_zeichnkopf").
enum TitleBlockStyle {
  kDinMinimal = 0,  // "DIN 6771 min."
  kIsoFig1 = 1,     // "ISO 7200 Fig.1"
  kIsoFig2 = 2,     // "ISO 7200 Fig.2"
  kDinFull = 3,     // "DIN 6771"
};

struct FrameSettings {
  bool showFrame = true;  // "Fertigungszeichnung mit Kopf"
  // 0..3; a stored value outside that range draws the "DIN 6771 min." block.
  int style = kIsoFig2;
  bool tenMillimetreBorder = true;    // "Zeichnungsrand" of the ISO blocks: "10 mm"
  int indexStyle = 0;                 // "a,b,c...", "1,2,3...", "A,B,C...", "....."
  bool zeroBasedRevisionRule = true;  // "ISO 7200 Rev. 0ABC <> ABCD"
  bool showRevisionTable = false;     // "Änderungen anzeigen"
  bool showProtectionNote = true;     // "Copyrightvermerk"
  bool showZoneBorder = true;         // "ABCD-1234  Umrandung"
  bool showMillimetreScale = true;    // "mm Scale  Umrandung"
  bool showProgramTitle = true;       // the "KELMARO ..." line above the sheet
  bool showFileName = true;           // project path in the footer
  bool showDate = true;               // date and time in the footer
  bool showLogo = true;               // "$logo_1.dx$" or the owner name
  bool showHeadSnippets = false;      // "$head_0.dx$", "$head_4.dx$"
  bool showInsertSnippets = false;    // "$insert_0.dx$", "$insert_4.dx$"
  std::string approvalLabel;          // "Freigabefeld": fourth DIN approval row

  bool IsIso() const { return style == kIsoFig1 || style == kIsoFig2; }
  // The ISO sheet with the 10 mm border, the only one with zones and scales.
  bool IsoWithWideBorder() const { return IsIso() && tenMillimetreBorder; }
};

// The frame settings as the stored configuration holds them now.
FrameSettings FrameSettingsNow();

// The name of the owner of the installation, written in the title block
// where no logo snippet is inserted. Empty until an installation sets it.
extern std::string ownerName;

// Start-up state: no owner name.
void InitFrameSettings();

}  // namespace kv5
