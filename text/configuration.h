// The configuration file "kv5.cfg" and the program's folders.
//
// The file is positional: every setting has its fixed place, each labelled
// setting is preceded by its label line, and the unlabelled values follow
// the last labelled entry. Texts are code page 850 on disk, lines end in
// CR LF. Folder values end with "/" (a "\" read from a file counts as "/").
#pragma once

#include <array>
#include <string>
#include <vector>

#include "model/drive_model.h"

namespace kv5 {

// Folders. Each non-empty folder value ends with "/".
extern std::string configFolder;   // where the configuration file lies
extern std::string startFolder;    // current folder at program start
extern std::string programFolder;  // "KELMARO-Programmverzeichnis"
extern std::string cadFolder;      // "CAD Ordner"
extern std::string tableFolder;    // "DBF Ordner": the chain tables
extern std::string tempFolder;     // "Ordner für temporäre Dateien"
extern std::string ediFolder;      // "EDI Ordner"
extern std::string pltFolder;      // "PLT Ordner": help pictures, help texts, explanation file
extern std::string dataFolder;     // "Default Data Directory": project files

// Settings of the message windows, the text output channel and the menus.
extern int helpLevel;            // "Hilfegrad"
extern int printerPort;          // "Druckerschnittstelle": n of the port "LPT" + n
extern int frameStyle;           // "Mode für Textausdruck 1:* 2:-"
extern int linesPerPage;         // "Zeilen pro Seite für Drucker"
extern std::string textProgram;  // "Textprogramm": external text program
extern int headerSpaceLines;     // "Header Space Lines"
extern int defaultChannel;       // "Text Device"
extern bool askChannel;          // "Text Device Window ?"
extern std::string htmlBrowser;  // "HTML Browser"
extern int pageMode;             // "printout with header=1, header page 1 only=2"
extern std::string textFont;     // "Text Font Printout"
extern int textFontSize;         // "Text Size Printout"
extern int textFontStyle;  // "Text Style Printout": 1 bold, 2 italic, 4 underline, 8 strike-out
extern int menuLanguage;   // interface language of the menus; 0 = German

struct WindowBounds {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const WindowBounds&) const = default;
};
// "Text window left/top/width/height": last place of the text window.
extern WindowBounds textWindowBounds;

// One pen of the CAD output: layer, colour and line width together.
struct PenSetting {
  std::string layerName;
  int colour = 1;
  int lineWidth = 1;
  bool operator==(const PenSetting&) const = default;
};

// Pens 0..5 named "0".."5" with colours 1, 2, 2, 2, 3, 1 and line widths
// 3, 1, 1, 1, 2, 3; all other pens named by their number, colour 1, width 1.
std::array<PenSetting, 32> DefaultPens();

// "3D - Default x,y,z": defaults of the 3D output.
struct Defaults3d {
  Real x = 0;
  Real y = 0;
  Real z = 0;
  int indexStyle = 0;         // revision index style of the title block (0..3)
  int second = 2;             // second integer; 0 becomes 2
  std::string approvalLabel;  // label of the fourth approval row
  bool operator==(const Defaults3d&) const = default;
};

// The values after the last labelled entry, by position and kind. Where
// the drawing code has given a place a meaning, the name says it; the
// others are kept for their owners as they were read.
struct UnlabelledValues {
  // (transliterate comes first; it is kept in its own global.)
  int windowScalePercent = 100;   // main window scale, 10..1000
  int oneOrTwo = 2;               // 1 or 2
  Real factor = 1;                // 0 becomes 1
  int integerBeforeLanguage = 0;  // (menuLanguage lies between these two)
  int integerAfterLanguage = 0;
  // Title block off flags (true = not drawn): [0] program title line,
  // [1] file name, [2] date, [3] logo, [5] the whole title block;
  // [7] is "Save Menu Language ?".
  std::array<bool, 8> titleFlags{};
  int titleBlockStyle = 2;           // 0..3
  std::array<int, 16> integers16{};  // a value of 0 or less keeps the current one
  bool invertedFlag = false;         // as held in memory; the file holds its inverse
  bool noCopyrightNote = false;      // off flag of the protection note
  std::string text;                  // empty becomes programFolder
  int isoBorder = 1;                 // border of the ISO title blocks: 0 = 5 mm, 1 = 10 mm
  // [0] no zone border, [1] no millimetre scale, [2] show changes,
  // [3] head snippets, [4] insert snippets; [5] is hideWarnings (kept in
  // its own global, this place is not used).
  std::array<bool, 8> frameFlags{};
  Real positiveReal = 0.5;              // 0 or less becomes 0.5
  std::array<int, 4> windowIntegers{};  // [1] main window mode; [3] = 1 resets the text window
  bool workOnTableCopies = false;       // work on copies of the tables; cleared after loading
  bool flagAfterTableCopies = false;
  Real chordLength = 0.1;  // arcs as chords; 0 or less becomes 0.1
  std::array<bool, 2> flagsAfterChord{};
  std::array<Real, 3> reals3{0, 0, 1};                // the third: 0 becomes 1
  std::array<bool, 3> lastFlags{true, false, false};  // [0] ISO revision rule "0ABC <> ABCD"
  bool operator==(const UnlabelledValues&) const = default;
};

inline constexpr int kSaveMenuLanguageFlag = 7;
inline constexpr int kMainWindowModeIndex = 1;

// Settings that the configuration file keeps for the graphics, drawing,
// CAD, printing and table code, which read them from here.
// (The STL fit clearances of the CAD settings have no place in the file
// and keep their start-up values.)
struct StoredSettings {
  std::array<PenSetting, 32> pens = DefaultPens();  // pens 0..31 (pen 0 always uses layer "0")

  // CAD texts.
  std::string cadTextStyle = "TXT8";  // "Textstil CAD"
  Real cadTextWidthFactor = 1;        // "Textbreitenfaktor CAD"
  Real cadTextObliqueAngle = 0;       // "Textwinkel"

  // Printing and hardcopy.
  int printerType = 0;
  int printDensity = 0;
  std::string hardcopyRotated = "N";  // one letter
  int printThicknessVertical = 1;
  int hardcopyPrinterPort = 1;
  int printMode = 1;  // 1 mono, 2 colour
  Real printScaleVertical = 1;
  bool askGraphicPrintout = false;
  int printerOrientation = 1;  // 1 portrait, 2 landscape

  // Graphics window.
  bool colourGraphics = true;
  Real graphicsCorrectionX = 1;
  int graphicsMode = 0;
  int graphicsDriver = 0;
  int mainWindowWidth = 0;  // 0 or -1: from the screen
  int mainWindowHeight = 0;
  Real zoomStep = 1.2L;
  Real panStep = 0.1L;
  int backgroundColour = 0;
  Real graphicsTextWidthFactor = 0.8L;  // "Textbreitenfaktor Grafik"
  std::string graphicsTextFont = "Arial";
  Real graphicsTextHeightFactor = 1;
  int graphicsTextStyle = 3;
  int inputWindowScale = 100;  // percent
  bool smallOnlineWindow = false;
  bool askDiagramLimits = false;

  // LINPLOT hand-off: the stored count and the command lines 1..count
  // (line 1 always exists).
  int linplotCommandCount = 1;
  std::vector<std::string> linplotCommandLines{std::string()};

  // CAD output.
  bool layersMonochrome = false;  // "Layer Monochrom": all layers in colour 1
  int plotDecimalMark = 1;        // "Dot=1 Komma=2" ("Dezimalzeichen CAD->TXT")
  int cadDecimals = 6;            // "Decimals DXF,TXT"
  bool edit3dDefaults = true;
  Defaults3d defaults3d;

  // Tables and screen dump.
  int tableMode = 0;
  std::string externalTable;
  int screenDumpOriginX = 0;
  int screenDumpOriginY = 0;
  Real screenDumpScale = 1;
  bool screenDumpBorder = false;

  UnlabelledValues unlabelled;

  bool operator==(const StoredSettings&) const = default;
};
extern StoredSettings storedSettings;

// The start-up values of every setting above and of the settings of other
// Parts that the file stores; the folders empty except configFolder,
// startFolder and dataFolder (the current folder).
void InitConfiguration();

// The text window's bounds when none are stored: left 20, top 40, a width
// for 70 characters of the text font (at most the screen width), 95 % of
// the screen height minus 40.
WindowBounds DefaultTextWindowBounds();

// Finds and reads the configuration file: configFolder, then the
// installation folder, then its sub-folder "kv5/". Without a file the
// defaults stay in force, configFolder becomes that sub-folder and
// abortFlag is set.
void LoadConfiguration();
// Writes configFolder + "kv5.cfg"; does nothing while abortFlag is set. A
// failed write sets abortFlag and leaves the previous file unchanged.
void SaveConfiguration();
// Save and load under a name chosen in a file dialog ("*.cfg"); the
// configuration folder is the same afterwards. Cancel sets abortFlag.
void ExportConfiguration();
void ImportConfiguration();

// Completes empty folders, tests them (one error box per invalid folder,
// a new temporary folder is asked for), and copies the tables into the
// temporary folder when the program works on copies.
void CheckFolders();

}  // namespace kv5
