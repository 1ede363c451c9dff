// Conversion of program texts for display: transliteration to plain ASCII,
// the character table of the screen, and the treatment of CAD texts.
#pragma once

namespace kv5 {

// 1 = show texts in plain ASCII (umlauts spelled out, "deg" for °).
extern short transliterate;
// Texts in CAD files: 1 unchanged, 2 DosToDisplay, 3 TransliterateText.
extern short cadTextMode;

}  // namespace kv5
