#include "text/codepage.h"

#include <gtest/gtest.h>

namespace kv5 {
namespace {

struct PageCase {
  const char* utf8;
  const char* cp850;
  const char* cp1252;
};

// The letters, signs and box-drawing characters the program uses; "?"
// where the page has no such character.
const PageCase kCharacters[] = {
    {"ä", "\x84", "\xE4"}, {"ö", "\x94", "\xF6"}, {"ü", "\x81", "\xFC"}, {"Ä", "\x8E", "\xC4"},
    {"Ö", "\x99", "\xD6"}, {"Ü", "\x9A", "\xDC"}, {"ß", "\xE1", "\xDF"}, {"°", "\xF8", "\xB0"},
    {"²", "\xFD", "\xB2"}, {"³", "\xFC", "\xB3"}, {"±", "\xF1", "\xB1"}, {"µ", "\xE6", "\xB5"},
    {"é", "\x82", "\xE9"}, {"─", "\xC4", "?"},    {"│", "\xB3", "?"},    {"═", "\xCD", "?"},
    {"┌", "\xDA", "?"},    {"╝", "\xBC", "?"},    {"€", "?", "\x80"},    {"中", "?", "?"},
};

TEST(CodepageTest, CharactersMapToTheirCodesInBothPages) {
  for (const PageCase& c : kCharacters) {
    EXPECT_EQ(Utf8ToCp850(c.utf8), c.cp850) << c.utf8;
    EXPECT_EQ(Utf8ToCp1252(c.utf8), c.cp1252) << c.utf8;
    if (std::string(c.cp850) != "?") {
      EXPECT_EQ(Cp850ToUtf8(c.cp850), c.utf8) << c.utf8;
    }
    if (std::string(c.cp1252) != "?") {
      EXPECT_EQ(Cp1252ToUtf8(c.cp1252), c.utf8) << c.utf8;
    }
  }
}

TEST(CodepageTest, TextsSurviveTheRoundTripThroughCodePage850) {
  const std::string text = "Maß: 5 µm ± 2° | Größe ÄÖÜ ³² é ┌─┐│└┘═║";
  EXPECT_EQ(Cp850ToUtf8(Utf8ToCp850(text)), text);
  // Every byte of the page is a character and comes back as the same byte.
  std::string allBytes;
  for (int b = 1; b < 256; ++b) allBytes += static_cast<char>(b);
  std::string utf8 = Cp850ToUtf8(allBytes);
  EXPECT_TRUE(IsValidUtf8(utf8));
  EXPECT_EQ(Utf8Length(utf8), 255u);
  EXPECT_EQ(Utf8ToCp850(utf8), allBytes);
}

TEST(CodepageTest, RoundTripThroughCodePage1252KeepsItsLetters) {
  const std::string text = "Maß: 5 µm ± 2° Größe ÄÖÜ ³² é €";
  EXPECT_EQ(Cp1252ToUtf8(Utf8ToCp1252(text)), text);
  EXPECT_EQ(Utf8ToCp1252("a┌─┐b"), "a???b");
}

TEST(CodepageTest, InvalidUtf8) {
  // Stray bytes are taken as code page 850 already on the way to 850, and
  // become "?" on the way to 1252.
  EXPECT_EQ(Utf8ToCp850("a\x84z"), "a\x84z");
  EXPECT_EQ(Utf8ToCp1252("a\x84z"), "a?z");
  const std::pair<const char*, bool> cases[] = {
      {"ä€中", true},
      {"plain", true},
      {"\xC3", false},
      {"\xC0\xAF", false},
      {"\xE0\x80\xAF", false},      // overlong forms
      {"\xED\xA0\x80", false},      // surrogate
      {"\xF4\x90\x80\x80", false},  // above U+10FFFF
      {"\xF0\x9F\x98\x80", true},
  };
  for (auto [text, valid] : cases) EXPECT_EQ(IsValidUtf8(text), valid) << text;
}

TEST(CodepageTest, CharacterCountsAndOffsets) {
  const std::string text = "aäb€c";
  EXPECT_EQ(Utf8Length(text), 5u);
  EXPECT_EQ(Utf8Left(text, 2), "aä");
  EXPECT_EQ(Utf8Left(text, 4), "aäb€");
  EXPECT_EQ(Utf8Left(text, 99), text);
  EXPECT_EQ(Utf8Offset(text, 2), 3u);
  EXPECT_EQ(Utf8Offset(text, 4), 7u);
  EXPECT_EQ(Utf8Offset(text, 99), text.size());
  EXPECT_EQ(Utf8CharBytes(text, 3), 1u);
  EXPECT_EQ(Utf8CharBytes(text, 4), 3u);
  EXPECT_EQ(Utf8CharBytes(text, text.size()), 0u);
  EXPECT_EQ(Utf8Length("a\xFF"
                       "b"),
            3u);  // an invalid byte counts as one
}

}  // namespace
}  // namespace kv5
