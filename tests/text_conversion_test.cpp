#include "text/text_conversion.h"

#include "tests/test_support.h"
#include "text/string_routines.h"
#include "text/units.h"

namespace kv5 {
namespace {

using TextConversionTest = testing::ProgramTest;

std::string Repeat(const std::string& piece, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += piece;
  return text;
}

TEST_F(TextConversionTest, TransliterationSpellsOutTheTableCharacters) {
  EXPECT_EQ(TransliterateText("Größe Übermaß Öl Ärger für café niño ú á"),
            "Groesse Uebermass Oel Aerger fuer cafe nino u a");
  EXPECT_EQ(TransliterateText("5 µm ± 2° in mm²"), "5 um +/- 2deg in mm2");
  EXPECT_EQ(TransliterateText("─═"), "--");
  // Characters outside the table stay, box corners included.
  EXPECT_EQ(TransliterateText("┌│ í ó å ³ – a|b"), "┌│ í ó å ³ – a|b");
}

TEST_F(TextConversionTest, ScreenTableDrawsBoxesWithAsciiLines) {
  EXPECT_EQ(DosToAnsiTable("┌──┐"), "+--+");
  EXPECT_EQ(DosToAnsiTable("│a│├┼┤"), "|a||||");
  EXPECT_EQ(DosToAnsiTable("╔═╗║╚╝╠╬╣"), "+-+|++|+|");
  EXPECT_EQ(DosToAnsiTable("╡╢╞╟╤╫ ╕╛╙╓"), "|||||| ++++");
  // Letters and signs stay, also those that share a code with a box
  // character in the other DOS page, and the bar stays a bar.
  EXPECT_EQ(DosToAnsiTable("ÁÂãÃÐËÍÎ©¥ äöüß°²³±µ a|b"), "ÁÂãÃÐËÍÎ©¥ äöüß°²³±µ a|b");
  transliterate = 1;
  EXPECT_EQ(DosToAnsiTable("ä┼°"), "ae|deg");
}

TEST_F(TextConversionTest, DosToDisplayFollowsTheTransliterationSetting) {
  const std::string text = "Größe ┌─┐ 20° a|b";
  EXPECT_EQ(DosToDisplay(text), text);
  transliterate = 1;
  EXPECT_EQ(DosToDisplay(text), "Groesse +-+ 20deg a|b");
  EXPECT_EQ(DisplayToDos(text), text);
}

TEST_F(TextConversionTest, TextsOf255CharactersOrMoreAreRefused) {
  for (short mode : {0, 1}) {
    transliterate = mode;
    EXPECT_EQ(DosToDisplay(Repeat("a", 254)), Repeat("a", 254));
    EXPECT_EQ(DosToDisplay(Repeat("a", 255)), "");
    EXPECT_EQ(DisplayToDos(Repeat("a", 255)), "");
    // The limit counts characters: 200 umlauts (400 bytes) pass.
    EXPECT_EQ(DisplayToDos(Repeat("ä", 200)), Repeat("ä", 200));
    EXPECT_EQ(DisplayToDos(Repeat("ä", 254)), Repeat("ä", 254));
    EXPECT_EQ(DisplayToDos(Repeat("ä", 255)), "");
  }
}

TEST_F(TextConversionTest, CadTextsByMode) {
  const std::string text = "Maß ±0,1 ┌─┐";
  struct Case {
    short mode;
    short transliteration;
    const char* expected;
  };
  const Case cases[] = {
      {1, 1, "Maß ±0,1 ┌─┐"},                                // unchanged
      {2, 0, "Maß ±0,1 ┌─┐"},                                // DosToDisplay
      {2, 1, "Mass +/-0,1 +-+"}, {3, 0, "Mass +/-0,1 ┌-┐"},  // TransliterateText
      {0, 1, "Maß ±0,1 ┌─┐"},                                // other values: unchanged
      {7, 1, "Maß ±0,1 ┌─┐"},
  };
  for (const Case& c : cases) {
    cadTextMode = c.mode;
    transliterate = c.transliteration;
    EXPECT_EQ(ConvertCadText(text), c.expected) << c.mode << "/" << c.transliteration;
  }
}

TEST_F(TextConversionTest, ProgramResetRestoresTheStartValuesOfTheTextSettings) {
  transliterate = 1;
  cadTextMode = 3;
  unitSystem = 4;
  dateFormat = 1;
  WrapText(Repeat("x ", 100), ' ', 10);
  ResetProgramState();
  EXPECT_EQ(transliterate, 0);
  EXPECT_EQ(cadTextMode, 2);
  EXPECT_EQ(unitSystem, 0);
  EXPECT_EQ(dateFormat, 3);
  EXPECT_EQ(WrapLines(), std::vector<std::string>(kWrapBufferLines));
}

}  // namespace
}  // namespace kv5
