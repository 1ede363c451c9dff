// Conversion of program texts for display: transliteration to plain ASCII,
// the character table of the screen, and the treatment of CAD texts.
//
// Texts are UTF-8 inside the program; files in the DOS code page (850) are
// converted where they are read and written. The conversion between the
// DOS page and the screen's page is therefore the identity here, while the
// character tables (spelled-out umlauts, box-drawing characters as ASCII
// lines) keep their meaning.
#pragma once

#include <string>

namespace kv5 {

// 1 = show texts in plain ASCII (umlauts spelled out, "deg" for °).
extern short transliterate;
// Texts in CAD files: 1 unchanged, 2 DosToDisplay, 3 TransliterateText,
// other values unchanged.
extern short cadTextMode;

// transliterate := 0, cadTextMode := 2 (program start).
void InitTextConversion();

// Texts of this many characters or more are refused by DosToDisplay and
// DisplayToDos: they return an empty string. (The limit counts characters,
// not bytes; it stems from the 255-character texts of the program's files.)
inline constexpr size_t kMaxConvertedTextLength = 255;

// A program text made ready for display: with transliterate 1 spelled out
// in ASCII and box-drawing characters drawn with "|", "+" and "-";
// otherwise unchanged. Empty for texts that are too long (see above).
std::string DosToDisplay(const std::string& text);
// A displayed or typed text made ready to be kept as a program text:
// unchanged, or empty when it is too long (see above).
std::string DisplayToDos(const std::string& text);

// ü→ue, é→e, ä→ae, Ä→Ae, ö→oe, Ö→Oe, Ü→Ue, á→a, ú→u, ñ→n, ─ and ═→-,
// ß→ss, µ→u, ±→+/-, °→deg, ²→2; every other character unchanged.
std::string TransliterateText(const std::string& text);
// Box-drawing characters to "|", "+" and "-" (the letters and signs that
// the DOS and the screen page share stay); with transliterate 1 the text is
// transliterated first.
std::string DosToAnsiTable(const std::string& text);

// A text for a CAD file, treated according to cadTextMode (mode 2 refuses
// long texts like DosToDisplay). The result is UTF-8; the CAD writers
// convert it to their file's code page.
std::string ConvertCadText(const std::string& text);

}  // namespace kv5
