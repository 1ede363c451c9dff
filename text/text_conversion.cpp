#include "text/text_conversion.h"

#include <string_view>

#include "text/codepage.h"

namespace kv5 {

short transliterate = 0;
short cadTextMode = 2;

void InitTextConversion() {
  transliterate = 0;
  cadTextMode = 2;
}

namespace {

struct Replacement {
  std::string_view from;  // one UTF-8 character
  std::string_view to;
};

constexpr Replacement kTransliteration[] = {
    {"ü", "ue"}, {"é", "e"}, {"ä", "ae"},  {"Ä", "Ae"},  {"ö", "oe"}, {"Ö", "Oe"},
    {"Ü", "Ue"}, {"á", "a"}, {"ú", "u"},   {"ñ", "n"},   {"─", "-"},  {"═", "-"},
    {"ß", "ss"}, {"µ", "u"}, {"±", "+/-"}, {"°", "deg"}, {"²", "2"},
};

// The box-drawing characters of the DOS screen tables drawn with ASCII
// lines and corners. The letters and signs of the table (ä, é, ß, °, ² …)
// are the same characters on screen and need no entry.
constexpr Replacement kBoxDrawing[] = {
    {"│", "|"}, {"┤", "|"}, {"╡", "|"}, {"╢", "|"}, {"╣", "|"}, {"║", "|"}, {"├", "|"},
    {"┼", "|"}, {"╞", "|"}, {"╟", "|"}, {"╠", "|"}, {"╤", "|"}, {"╫", "|"}, {"╕", "+"},
    {"╗", "+"}, {"╝", "+"}, {"╛", "+"}, {"┐", "+"}, {"└", "+"}, {"╚", "+"}, {"╔", "+"},
    {"╬", "+"}, {"╙", "+"}, {"╓", "+"}, {"┘", "+"}, {"┌", "+"}, {"─", "-"}, {"═", "-"},
};

template <size_t N>
std::string ReplaceCharacters(const std::string& text, const Replacement (&table)[N]) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    size_t len = Utf8CharBytes(text, i);
    std::string_view character(text.data() + i, len);
    std::string_view replacement = character;
    if (len > 1) {
      for (const Replacement& entry : table)
        if (entry.from == character) replacement = entry.to;
    }
    out += replacement;
    i += len;
  }
  return out;
}

bool TooLongToConvert(const std::string& text) {
  return Utf8Length(text) >= kMaxConvertedTextLength;
}

}  // namespace

std::string TransliterateText(const std::string& text) {
  return ReplaceCharacters(text, kTransliteration);
}

std::string DosToAnsiTable(const std::string& text) {
  if (transliterate == 1) return ReplaceCharacters(TransliterateText(text), kBoxDrawing);
  return ReplaceCharacters(text, kBoxDrawing);
}

std::string DosToDisplay(const std::string& text) {
  if (TooLongToConvert(text)) return "";
  if (transliterate == 1) return DosToAnsiTable(TransliterateText(text));
  return text;
}

std::string DisplayToDos(const std::string& text) {
  if (TooLongToConvert(text)) return "";
  return text;
}

std::string ConvertCadText(const std::string& text) {
  switch (cadTextMode) {
    case 2:
      return DosToDisplay(text);
    case 3:
      return TransliterateText(text);
    default:
      return text;
  }
}

}  // namespace kv5
