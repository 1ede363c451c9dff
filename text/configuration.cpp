#include "text/configuration.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <filesystem>
#include <system_error>

#include "app/core/identity.h"
#include "dialogs/file_checks.h"
#include "dialogs/message_boxes.h"
#include "dialogs/text_dialogs.h"
#include "model/line_file.h"
#include "platform/platform.h"
#include "text/codepage.h"
#include "text/messages.h"
#include "text/number_format.h"
#include "text/string_routines.h"
#include "text/text_conversion.h"
#include "text/units.h"

namespace kv5 {

// A Linux desktop has no WRITE.EXE; the text program only has to exist, and
// the desktop's opener is what hands a text file to the person's editor.
constexpr const char* kDefaultTextProgram = "/usr/bin/xdg-open";
constexpr const char* kDefaultTextFont = "Courier New";

std::string configFolder = CurrentFolder();
std::string startFolder = CurrentFolder();
std::string programFolder;
std::string cadFolder;
std::string tableFolder;
std::string tempFolder;
std::string ediFolder;
std::string pltFolder;
std::string dataFolder = CurrentFolder();

int helpLevel = 1;
int printerPort = 1;
int frameStyle = 1;
int linesPerPage = 66;
std::string textProgram = kDefaultTextProgram;
int headerSpaceLines = 0;
int defaultChannel = 1;
bool askChannel = false;
std::string htmlBrowser;
int pageMode = 1;
std::string textFont = kDefaultTextFont;
int textFontSize = 10;
int textFontStyle = 3;
int menuLanguage = 0;
WindowBounds textWindowBounds;

std::array<PenSetting, 32> DefaultPens() {
  std::array<PenSetting, 32> pens;
  for (int n = 0; n < 32; ++n) pens[static_cast<size_t>(n)].layerName = std::to_string(n);
  const int colours[6] = {1, 2, 2, 2, 3, 1};
  const int widths[6] = {3, 1, 1, 1, 2, 3};
  for (size_t n = 0; n < 6; ++n) {
    pens[n].colour = colours[n];
    pens[n].lineWidth = widths[n];
  }
  return pens;
}

StoredSettings storedSettings;

void InitConfiguration() {
  startFolder = CurrentFolder();
  configFolder = startFolder;
  dataFolder = startFolder;
  programFolder.clear();
  cadFolder.clear();
  tableFolder.clear();
  tempFolder.clear();
  ediFolder.clear();
  pltFolder.clear();

  helpLevel = 1;
  printerPort = 1;
  decimalsSetting = 3;
  frameStyle = 1;
  linesPerPage = 66;
  textProgram = kDefaultTextProgram;
  archiveMode = false;
  dateFormat = 3;
  headerSpaceLines = 0;
  defaultChannel = 1;
  askChannel = false;
  htmlBrowser.clear();
  unitSystem = 0;
  pageMode = 1;
  textFont = kDefaultTextFont;
  textFontSize = 10;
  textFontStyle = 3;
  cadTextMode = 2;
  transliterate = 0;
  hideWarnings = false;
  menuLanguage = 0;
  textWindowBounds = WindowBounds{};
  storedSettings = StoredSettings{};
}

WindowBounds DefaultTextWindowBounds() {
  const Platform& screen = CurrentPlatform();
  WindowBounds bounds;
  bounds.left = 20;
  bounds.top = 40;
  long long width = static_cast<long long>(textFontSize) * 70 * screen.ScreenDpi() / 96;
  bounds.width = static_cast<int>(std::min<long long>(width, screen.ScreenWidth()));
  bounds.height = static_cast<int>(std::lround(0.95 * screen.ScreenHeight())) - 40;
  return bounds;
}

namespace {

bool IsBlank(const std::string& text) {
  return text.find_first_not_of(" \t") == std::string::npos;
}

// A folder as the program keeps it: "/" as separator, closing "/".
std::string NormalFolder(std::string folder) {
  for (char& c : folder)
    if (c == '\\') c = '/';
  return IsBlank(folder) ? folder : AddBackslash(folder);
}

bool EqualsIgnoringCase(const std::string& text, const char* word) {
  size_t i = 0;
  for (; word[i] != '\0'; ++i)
    if (i >= text.size() || std::tolower(static_cast<unsigned char>(text[i])) !=
                                std::tolower(static_cast<unsigned char>(word[i])))
      return false;
  return i == text.size();
}

// Moves every value between the settings and the file: writing collects
// the lines, reading takes them from the reader. Reading beyond the end of
// the file gives empty lines, which read as 0, false or empty.
class Transfer {
 public:
  explicit Transfer(LineReader& reader) : reader_(&reader) {}
  explicit Transfer(std::vector<std::string>& lines) : lines_(&lines) {}

  bool Reading() const { return reader_ != nullptr; }
  // True when reading has reached the end of the file.
  bool AtEnd() const { return Reading() && reader_->AtEnd(); }
  // Whether the next value is in the file (always true when writing).
  bool Present() const { return !AtEnd(); }

  void Label(const char* label) {
    if (Reading())
      reader_->SkipLines(1);
    else
      Put(label);
  }

  void Integer(int& value) {
    if (!Reading()) return Put(std::to_string(value));
    value = 0;
    reader_->ReadIntegerLine(value);
  }
  void Integer(short& value) {
    if (!Reading()) return Put(std::to_string(value));
    value = 0;
    reader_->ReadIntegerLine(value);
  }
  void Number(Real& value) {
    if (!Reading()) return Put(RealLineText(value));
    value = 0;
    reader_->ReadRealLine(value);
  }
  // Written in the compact format whatever the value.
  void AutoNumber(Real& value) {
    if (!Reading()) return Put(AutoRealLineText(value));
    value = 0;
    reader_->ReadRealLine(value);
  }
  void Bool(bool& value) {
    if (!Reading()) return Put(value ? "TRUE" : "FALSE");
    value = false;
    reader_->ReadBoolLine(value);
  }
  // True unless the line says "FALSE".
  void BoolUnlessFalse(bool& value) {
    if (!Reading()) return Put(value ? "TRUE" : "FALSE");
    value = !EqualsIgnoringCase(Line(), "FALSE");
  }
  void Text(std::string& value) {
    if (!Reading()) return Put(SingleLineText(value));
    value = Line();
  }
  void Folder(std::string& value) {
    if (!Reading()) return Put(SingleLineText(value));
    value = NormalFolder(Line());
  }
  void Character(std::string& value) {
    if (!Reading()) return Put(SingleLineText(Utf8Left(value, 1)));
    value = Utf8Left(Line(), 1);
  }
  void FourIntegers(WindowBounds& b) {
    if (!Reading()) {
      return Put(std::to_string(b.left) + "|" + std::to_string(b.top) + "|" +
                 std::to_string(b.width) + "|" + std::to_string(b.height) + "|");
    }
    std::string line = Line();
    int* fields[4] = {&b.left, &b.top, &b.width, &b.height};
    size_t start = 0;
    for (int* field : fields) {
      size_t bar = line.find('|', start);
      *field =
          ParseInt(line.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
      start = bar == std::string::npos ? line.size() : bar + 1;
    }
  }
  // Lines still unread (0 when writing).
  size_t Remaining() const { return Reading() ? reader_->LineCount() - reader_->LineNumber() : 0; }

 private:
  void Put(const std::string& line) { lines_->push_back(line); }
  std::string Line() {
    std::string line;
    reader_->ReadTextLine(line);
    return line;
  }

  LineReader* reader_ = nullptr;
  std::vector<std::string>* lines_ = nullptr;
};

void CompleteMainWindowSize() {
  StoredSettings& s = storedSettings;
  if (s.mainWindowWidth == 0 || s.mainWindowWidth == -1)
    s.mainWindowWidth = CurrentPlatform().ScreenWidth() - 9;
  if (s.mainWindowHeight == 0 || s.mainWindowHeight == -1)
    s.mainWindowHeight = CurrentPlatform().ScreenHeight() - 91;
}

void ReplaceZero(int& value, int replacement) {
  if (value == 0) value = replacement;
}
void ReplaceZero(Real& value, Real replacement) {
  if (value == 0) value = replacement;
}
void ClampOrReplace(int& value, int low, int high, int replacement) {
  if (value < low || value > high) value = replacement;
}

// Labelled entries up to "Layer Monochrom". False when reading stopped at
// an end-of-file check point.
bool TransferFirstEntries(Transfer& t) {
  StoredSettings& s = storedSettings;
  const bool reading = t.Reading();
  for (size_t pen = 1; pen <= 5; ++pen) {
    t.Label("Layer");
    t.Text(s.pens[pen].layerName);
    t.Label("Farbe");
    t.Integer(s.pens[pen].colour);
  }
  t.Label("Textstil CAD");
  t.Text(s.cadTextStyle);
  t.Label("Textbreitenfaktor CAD");
  t.AutoNumber(s.cadTextWidthFactor);
  if (reading) ReplaceZero(s.cadTextWidthFactor, 1);
  t.Label("Textwinkel");
  t.AutoNumber(s.cadTextObliqueAngle);
  t.Label("CAD Ordner");
  t.Folder(cadFolder);
  t.Label("DBF Ordner");
  t.Folder(tableFolder);
  t.Label("Hilfegrad");
  t.Integer(helpLevel);
  t.Label("Druckerschnittstelle");
  t.Integer(printerPort);
  if (reading) ReplaceZero(printerPort, 1);
  if (t.AtEnd()) return false;
  t.Label("Druckertyp");
  t.Integer(s.printerType);
  if (t.AtEnd()) return false;
  t.Label("Druckdichte");
  t.Integer(s.printDensity);
  t.Label("Hardcopy um 90° gedreht ?");
  t.Character(s.hardcopyRotated);
  if (reading && s.hardcopyRotated.empty()) s.hardcopyRotated = "N";
  t.Label("Dezimalstellen");
  t.Integer(decimalsSetting);
  if (reading) ClampOrReplace(decimalsSetting, 1, 9, 3);
  t.Label("Druckdicke vertikal");
  t.Integer(s.printThicknessVertical);
  if (reading && (s.printThicknessVertical == 0 || s.printThicknessVertical > 4))
    s.printThicknessVertical = 1;
  if (t.AtEnd()) return false;
  t.Label("Farbgrafik");
  t.Bool(s.colourGraphics);
  t.Label("GrafikKorrekturFaktor horizontal");
  t.Number(s.graphicsCorrectionX);
  if (reading) ReplaceZero(s.graphicsCorrectionX, 1);
  t.Label("Grafik-Mode");
  t.Integer(s.graphicsMode);
  t.Label("Grafik-Treiber");
  t.Integer(s.graphicsDriver);
  t.Label("Auflösung horizontal");
  t.Integer(s.mainWindowWidth);
  t.Label("Auflösung vertikal");
  t.Integer(s.mainWindowHeight);
  if (reading) CompleteMainWindowSize();
  t.Label("Ordner für temporäre Dateien");
  t.Folder(tempFolder);
  t.Label("Druckerschnittstelle Hardcopy");
  t.Integer(s.hardcopyPrinterPort);
  if (reading) ReplaceZero(s.hardcopyPrinterPort, 1);
  if (t.AtEnd()) return false;
  t.Label("EDI Ordner");
  t.Folder(ediFolder);
  t.Label("PLT Ordner");
  t.Folder(pltFolder);
  t.Label("Mode für Textausdruck 1:* 2:-");
  t.Integer(frameStyle);
  if (reading) ReplaceZero(frameStyle, 1);
  t.Label("Zeilen pro Seite für Drucker");
  t.Integer(linesPerPage);
  if (reading && linesPerPage < 5) linesPerPage = 66;
  t.Label("Zoomfaktor");
  t.Number(s.zoomStep);
  if (reading) ReplaceZero(s.zoomStep, 1.02L);
  t.Label("Pan-Faktor");
  t.Number(s.panStep);
  if (reading) ReplaceZero(s.panStep, 0.01L);
  t.Label("KELMARO-Programmverzeichnis");
  t.Folder(programFolder);
  if (t.AtEnd()) return false;
  t.Label("LINPLOT-Kommandozeile");
  std::string firstCommandLine = s.linplotCommandLines.front();
  t.Text(firstCommandLine);
  if (!firstCommandLine.empty()) s.linplotCommandLines.front() = firstCommandLine;
  if (t.AtEnd()) return false;
  t.Label("Hintergrundfarbe");
  t.Integer(s.backgroundColour);
  if (t.AtEnd()) return false;
  t.Label("Windows-Druckmodus (1=mono 2=color)");
  t.Integer(s.printMode);
  if (reading) ReplaceZero(s.printMode, 1);
  if (t.AtEnd()) return false;
  t.Label("Layer Monochrom");
  t.Bool(s.layersMonochrome);
  if (t.AtEnd()) {
    // Files of this age knew one text width factor and no graphics font.
    s.graphicsTextWidthFactor = s.cadTextWidthFactor;
    s.graphicsTextFont = "Arial";
    return false;
  }
  return true;
}

// "Textbreitenfaktor Grafik" to "HTML Browser".
bool TransferMiddleEntries(Transfer& t) {
  StoredSettings& s = storedSettings;
  const bool reading = t.Reading();
  t.Label("Textbreitenfaktor Grafik");
  t.Number(s.graphicsTextWidthFactor);
  if (reading) ReplaceZero(s.graphicsTextWidthFactor, 0.8L);
  t.Label("Textstil Grafik");
  t.Text(s.graphicsTextFont);
  if (t.AtEnd()) return false;
  for (size_t pen = 16; pen <= 31; ++pen) {
    std::string label = "Color Layer " + std::to_string(pen);
    t.Label(label.c_str());
    t.Integer(s.pens[pen].colour);
    if (reading) ReplaceZero(s.pens[pen].colour, 1);
    if (t.AtEnd()) return false;
  }
  t.Label("Textprogramm");
  t.Text(textProgram);
  t.Label("Datenbank mode");
  t.Integer(s.tableMode);
  t.Label("externe Datenbank");
  t.Text(s.externalTable);
  if (t.AtEnd()) return false;
  t.Label("Windows Screendump Origin X");
  t.Integer(s.screenDumpOriginX);
  t.Label("Windows Screendump Origin Y");
  t.Integer(s.screenDumpOriginY);
  t.Label("Windows Screendump Scale");
  t.Number(s.screenDumpScale);
  if (reading) ReplaceZero(s.screenDumpScale, 1);
  t.Label("Windows Screendump Border ?");
  t.Bool(s.screenDumpBorder);
  if (t.AtEnd()) return false;

  t.Label("LINPLOT Command lines (n, line 2 .. line n)");
  t.Integer(s.linplotCommandCount);
  if (reading) {
    // A count beyond the lines left could only read empty lines; capping
    // it keeps a damaged file from asking for billions of them.
    long long cap = static_cast<long long>(t.Remaining()) + 1;
    if (s.linplotCommandCount > cap) s.linplotCommandCount = static_cast<int>(cap);
    size_t lines = s.linplotCommandCount > 1 ? static_cast<size_t>(s.linplotCommandCount) : 1;
    s.linplotCommandLines.resize(lines);
  }
  for (int n = 2; n <= s.linplotCommandCount; ++n) {
    auto index = static_cast<size_t>(n - 1);
    if (index < s.linplotCommandLines.size()) {
      t.Text(s.linplotCommandLines[index]);
    } else {
      std::string missing;
      t.Text(missing);
    }
  }

  t.Label("Archive Flag ?");
  t.Bool(archiveMode);
  t.Label("Date Code");
  if (t.Present()) t.Integer(dateFormat);
  if (reading && dateFormat == 0) dateFormat = 3;
  t.Label("Header Space Lines");
  if (t.Present()) t.Integer(headerSpaceLines);
  if (reading && headerSpaceLines > 30) headerSpaceLines = 0;
  t.Label("Text Device");
  if (t.Present()) {
    t.Integer(defaultChannel);
    t.Label("Text Device Window ?");
    t.Bool(askChannel);
  } else {
    t.Label("Text Device Window ?");
  }
  if (reading && (defaultChannel == 0 || defaultChannel > 9)) defaultChannel = 1;
  t.Label("Small Online Window ?");
  if (t.Present()) t.Bool(s.smallOnlineWindow);
  t.Label("Enter Diagram Limits ?");
  if (t.Present()) t.Bool(s.askDiagramLimits);
  t.Label("Dot=1 Komma=2");
  t.Integer(s.plotDecimalMark);
  if (reading && (s.plotDecimalMark == 0 || s.plotDecimalMark > 2)) s.plotDecimalMark = 1;
  t.Label("Default Data Directory");
  t.Folder(dataFolder);
  if (reading && dataFolder.empty()) dataFolder = AddBackslash(startFolder);
  t.Label("Text Height Factor");
  if (t.Present()) t.Number(s.graphicsTextHeightFactor);
  if (reading && s.graphicsTextHeightFactor < 0.1L) s.graphicsTextHeightFactor = 1;
  t.Label("Input Window Scale %");
  if (t.Present()) t.Integer(s.inputWindowScale);
  if (reading) ClampOrReplace(s.inputWindowScale, 10, 1000, 100);
  t.Label("HTML Browser");
  t.Text(htmlBrowser);
  return !t.AtEnd();
}

// "Print Scale Vertical" to "Strichstärke Layer 16..31".
void TransferLastEntries(Transfer& t) {
  StoredSettings& s = storedSettings;
  const bool reading = t.Reading();
  t.Label("Print Scale Vertical");
  t.Number(s.printScaleVertical);
  if (reading && s.printScaleVertical < 1e-4L) s.printScaleVertical = s.screenDumpScale;
  t.Label("Line thickness Layer 0..5");
  for (size_t pen = 0; pen <= 5; ++pen) {
    t.Integer(s.pens[pen].lineWidth);
    if (reading) ClampOrReplace(s.pens[pen].lineWidth, 1, 255, 1);
  }
  t.Label("Graphic Printout Dialog Box ?");
  t.Bool(s.askGraphicPrintout);
  t.Label("Text window left/top/width/height");
  if (t.Present()) {
    WindowBounds read = textWindowBounds;
    t.FourIntegers(read);
    if (!reading || (read.width != 0 && read.height != 0)) textWindowBounds = read;
  }
  t.Label("Metric Units=0,  English units=1");
  t.Integer(unitSystem);
  t.Label("printout with header=1, header page 1 only=2");
  t.Integer(pageMode);
  if (reading && (pageMode == 0 || pageMode > 2)) pageMode = 1;
  t.Label("Text Font Printout");
  t.Text(textFont);
  if (reading && textFont.empty()) textFont = kDefaultTextFont;
  t.Label("Text Size Printout");
  t.Integer(textFontSize);
  if (reading) ReplaceZero(textFontSize, 10);
  t.Label("Text Style Printout");
  t.Integer(textFontStyle);
  t.Label("Text Style Graphics");
  t.Integer(s.graphicsTextStyle);
  t.Label("Printer: Portrait=1, Landscape=2");
  t.Integer(s.printerOrientation);
  t.Label("Edit 3D x,y,z ?");
  t.BoolUnlessFalse(s.edit3dDefaults);
  t.Label("3D - Default x,y,z");
  t.Number(s.defaults3d.x);
  t.Number(s.defaults3d.y);
  t.Number(s.defaults3d.z);
  t.Integer(s.defaults3d.indexStyle);
  t.Integer(s.defaults3d.second);
  if (reading) ReplaceZero(s.defaults3d.second, 2);
  t.Text(s.defaults3d.approvalLabel);
  t.Label("Decimals DXF,TXT");
  t.Integer(s.cadDecimals);
  if (reading) ClampOrReplace(s.cadDecimals, 1, 32, 6);
  t.Label("CAD Text Mode");
  t.Integer(cadTextMode);
  if (reading && cadTextMode == 0) cadTextMode = 1;
  t.Label("Strichstärke Layer 16..31");
  for (size_t pen = 16; pen <= 31; ++pen) t.Integer(s.pens[pen].lineWidth);
}

void TransferUnlabelledValues(Transfer& t) {
  UnlabelledValues& u = storedSettings.unlabelled;
  const bool reading = t.Reading();
  t.Integer(transliterate);
  t.Integer(u.windowScalePercent);
  if (reading) ClampOrReplace(u.windowScalePercent, 10, 1000, 100);
  t.Integer(u.oneOrTwo);
  if (reading) ClampOrReplace(u.oneOrTwo, 1, 2, 2);
  t.Number(u.factor);
  if (reading) ReplaceZero(u.factor, 1);
  t.Integer(u.integerBeforeLanguage);
  t.Integer(menuLanguage);
  t.Integer(u.integerAfterLanguage);
  for (bool& flag : u.titleFlags) t.Bool(flag);
  if (reading && !u.titleFlags[kSaveMenuLanguageFlag]) menuLanguage = 0;
  t.Integer(u.titleBlockStyle);
  for (int& value : u.integers16) {
    int read = value;
    t.Integer(read);
    if (!reading || read > 0) value = read;
  }
  bool stored = !u.invertedFlag;
  t.Bool(stored);
  u.invertedFlag = !stored;
  t.Bool(u.noCopyrightNote);
  t.Text(u.text);
  t.Integer(u.isoBorder);
  for (size_t i = 0; i < u.frameFlags.size(); ++i) t.Bool(i == 5 ? hideWarnings : u.frameFlags[i]);
  t.Number(u.positiveReal);
  if (reading && u.positiveReal <= 0) u.positiveReal = 0.5L;
  for (int& value : u.windowIntegers) t.Integer(value);
  if (reading && u.windowIntegers[3] == 1) textWindowBounds = DefaultTextWindowBounds();
  t.Bool(u.workOnTableCopies);
  t.Bool(u.flagAfterTableCopies);
  t.Number(u.chordLength);
  if (reading && u.chordLength <= 0) u.chordLength = 0.1L;
  for (bool& flag : u.flagsAfterChord) t.Bool(flag);
  for (Real& value : u.reals3) t.Number(value);
  if (reading) ReplaceZero(u.reals3[2], 1);
  for (bool& flag : u.lastFlags) t.Bool(flag);
}

void TransferAll(Transfer& t) {
  if (!TransferFirstEntries(t)) return;
  if (!TransferMiddleEntries(t)) return;
  TransferLastEntries(t);
  TransferUnlabelledValues(t);
}

void ReadConfiguration(LineReader& reader) {
  reader.SkipLines(2);  // name and version of the writing program
  Transfer transfer(reader);
  TransferAll(transfer);
  // Also when the file ends before the unlabelled values: the text saved
  // then must read back the same.
  if (storedSettings.unlabelled.text.empty()) storedSettings.unlabelled.text = programFolder;
  CompleteMainWindowSize();
  storedSettings.unlabelled.workOnTableCopies = false;
}

void ApplyDefaultsWithoutFile() {
  CompleteMainWindowSize();
  textWindowBounds = DefaultTextWindowBounds();
  storedSettings.inputWindowScale = CurrentPlatform().ScreenDpi() * 100 / 96;
  storedSettings.unlabelled.windowScalePercent = 100;
  storedSettings.unlabelled.windowIntegers[kMainWindowModeIndex] = 1;
}

// The file found first, with configFolder set to its folder; empty (and
// configFolder the last place tried) when there is none.
std::string FindConfigurationFile() {
  const std::string fileName = std::string(programFileBase) + ".cfg";
  const std::string installation = InstallationFolder();
  const std::string places[3] = {AddBackslash(configFolder), installation,
                                 installation + programFileBase + "/"};
  for (const std::string& folder : places) {
    configFolder = folder;
    if (FileReadable(folder + fileName)) return folder + fileName;
  }
  return std::string();
}

// Code page 850 unless a text needs more than it has.
bool FitsCodePage850(const std::vector<std::string>& lines) {
  for (const std::string& line : lines)
    if (IsValidUtf8(line) && Cp850ToUtf8(Utf8ToCp850(line)) != line) return false;
  return true;
}

bool OpenForWriting(LineWriter& writer, const std::string& fileName) {
  while (!writer.Open(fileName)) {
    if (!OfferRetryAfterCreateError(writer.ErrorNumber())) {
      abortFlag = true;
      return false;
    }
  }
  return true;
}

void SaveConfigurationAs(const std::string& folder, const std::string& base) {
  if (abortFlag) return;
  std::vector<std::string> lines = {base + " Konfiguration",
                                    std::string("Version ") + programVersion};
  Transfer transfer(lines);
  TransferAll(transfer);
  LineWriter writer;
  if (!OpenForWriting(writer, AddBackslash(folder) + base + ".cfg")) return;
  const bool codePage850 = FitsCodePage850(lines);
  for (const std::string& line : lines) {
    if (codePage850)
      writer.WriteTextLine(line);
    else
      writer.WriteUtf8Line(line);
  }
  if (!writer.Close()) ReportError("Fehler bei Zugriff auf Diskette/Platte");
}

// Folder (with "/") and name without extension of a chosen file.
void SplitFileName(const std::string& fileName, std::string& folder, std::string& base) {
  size_t slash = fileName.find_last_of('/');
  folder = slash == std::string::npos ? std::string() : fileName.substr(0, slash + 1);
  base = slash == std::string::npos ? fileName : fileName.substr(slash + 1);
  size_t dot = base.find_last_of('.');
  if (dot != std::string::npos && dot > 0) base.erase(dot);
}

FileDialogRequest ConfigurationDialog() {
  FileDialogRequest request;
  request.filter = "*.cfg|*.cfg";
  request.initialFolder = configFolder;
  request.initialName = std::string(programFileBase) + ".cfg";
  request.defaultExtension = "cfg";
  return request;
}

// Writable: a file can be created in it (a fresh name, so that no file of
// the person is touched).
bool FolderWritable(const std::string& folder) {
  std::string pattern = AddBackslash(folder) + "x.$$$XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  int fd = mkstemp(name.data());
  if (fd < 0) return false;
  close(fd);
  unlink(name.data());
  return true;
}

bool FolderExists(const std::string& folder) {
  struct stat info;
  return !folder.empty() && stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

void CopyTablesToTempFolder() {
  namespace fs = std::filesystem;
  CurrentPlatform().SetBusy(true);
  std::error_code error;
  for (fs::directory_iterator it(tableFolder, error), end; !error && it != end;
       it.increment(error)) {
    std::string extension = it->path().extension().string();
    if (!it->is_regular_file() || !EqualsIgnoringCase(extension, ".dbf")) continue;
    std::error_code copyError;
    fs::copy_file(it->path(), fs::path(tempFolder) / it->path().filename(),
                  fs::copy_options::overwrite_existing, copyError);
    if (copyError) abortFlag = true;
  }
  if (error) abortFlag = true;
  CurrentPlatform().SetBusy(false);
}

}  // namespace

void LoadConfiguration() {
  storedSettings.graphicsCorrectionX = 1;
  std::string fileName = FindConfigurationFile();
  LineReader reader;
  if (fileName.empty() || !reader.Open(fileName)) {
    ApplyDefaultsWithoutFile();
    abortFlag = true;
    return;
  }
  ReadConfiguration(reader);
}

void SaveConfiguration() {
  SaveConfigurationAs(configFolder, programFileBase);
}

void ExportConfiguration() {
  if (abortFlag) return;
  auto chosen = CurrentPlatform().AskSaveFile(ConfigurationDialog());
  if (!chosen || chosen->empty()) {
    abortFlag = true;
    return;
  }
  std::string folder, base;
  SplitFileName(*chosen, folder, base);
  SaveConfigurationAs(folder, base);
}

void ImportConfiguration() {
  auto chosen = CurrentPlatform().AskOpenFile(ConfigurationDialog());
  if (!chosen || chosen->empty()) {
    abortFlag = true;
    return;
  }
  LineReader reader;
  if (!FileReadable(*chosen) || !reader.Open(*chosen)) {
    ReportError("Datei " + *chosen + " nicht gefunden oder kein Zugriffsrecht !");
    abortFlag = true;
    return;
  }
  storedSettings.graphicsCorrectionX = 1;
  ReadConfiguration(reader);
}

void CheckFolders() {
  if (IsBlank(tempFolder)) tempFolder = SystemTempFolder();
  if (cadFolder.empty()) cadFolder = tempFolder;
  // A program started from the desktop menu starts in the home folder: an
  // unconfigured PLT folder then takes the installed explanation file.
  const std::string explanationFile = std::string(programFileBase) + ".err";
  if (pltFolder.empty() && !FileExists(AddBackslash(startFolder) + explanationFile) &&
      FileExists(DeliveredDataFolder() + explanationFile))
    pltFolder = DeliveredDataFolder();
  // The same for an unconfigured DBF folder and the delivered chain tables.
  if (tableFolder.empty() && !FileExists(AddBackslash(startFolder) + "kv1chain.dbf") &&
      FileExists(DeliveredDataFolder() + "kv1chain.dbf"))
    tableFolder = DeliveredDataFolder();
  for (std::string* folder : {&tableFolder, &pltFolder, &ediFolder, &dataFolder})
    if (folder->empty()) *folder = AddBackslash(startFolder);
  for (std::string* folder :
       {&tempFolder, &cadFolder, &tableFolder, &pltFolder, &ediFolder, &dataFolder})
    *folder = NormalFolder(*folder);

  if (!FolderWritable(cadFolder)) ReportError("ungültiger CAD Ordner konfiguriert");
  if (!FolderExists(tableFolder)) ReportError("ungültiger DBF Ordner konfiguriert");
  if (!FolderExists(pltFolder)) ReportError("ungültiger PLT Ordner konfiguriert");
  if (!FolderWritable(tempFolder)) {
    ReportError("ungültiger Ordner für temporäre Dateien konfiguriert");
    std::string answer = tempFolder;
    AskText("Ordner für temporäre Dateien", 60, answer);
    if (!abortFlag) tempFolder = NormalFolder(answer);
  }
  if (!FolderWritable(ediFolder)) ReportError("ungültiger EDI Ordner konfiguriert");
  if (!FolderWritable(dataFolder)) ReportError("ungültiger Data Ordner konfiguriert");

  if (storedSettings.unlabelled.workOnTableCopies) CopyTablesToTempFolder();
}

}  // namespace kv5
