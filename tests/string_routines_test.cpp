#include "text/string_routines.h"

#include <cstdlib>

#include "tests/test_support.h"
#include "text/codepage.h"

namespace kv5 {
namespace {

using StringRoutinesTest = testing::ProgramTest;

TEST_F(StringRoutinesTest, CaseChangesIncludeUmlautsAndAccents) {
  EXPECT_EQ(UpperCase("straße äöü éñå x1"), "STRAßE ÄÖÜ ÉÑÅ X1");
  EXPECT_EQ(LowerCase("ÄÖÜ ABC ÉÑÅ ß"), "äöü abc éñå ß");
  EXPECT_EQ(UpperCase("×÷°µ"), "×÷°µ");  // no letters
  EXPECT_EQ(LowerCase("×÷°µ"), "×÷°µ");
  EXPECT_EQ(CapitalizeFirst("änderung ändern"), "Änderung ändern");
  EXPECT_EQ(CapitalizeFirst("abc def"), "Abc def");
  EXPECT_EQ(CapitalizeFirst(""), "");
}

TEST_F(StringRoutinesTest, PiecesCountCharacters) {
  struct Case {
    std::string result;
    const char* expected;
  };
  const Case cases[] = {
      {LeftStr("Größe", 3), "Grö"},
      {LeftStr("Größe", 10), "Größe"},
      {LeftStr("Größe", -1), ""},
      {RightStr("Größe", 3), "öße"},
      {RightStr("Größe", 10), "Größe"},
      {RightStr("Größe", 0), ""},
      {MidToEnd("Größe", 3), "öße"},
      {MidToEnd("Größe", 0), "Größe"},
      {MidToEnd("Größe", 9), ""},
      {PadRight("Maß", 5), "Maß  "},
      {PadRight("Maßstab", 3), "Maß"},
      {PadRight("ab", -2), ""},
      {PadLeftText("  ä ", 4), "   ä"},
      {PadLeftText(" abcdef", 3), "abc"},
      {TrimBlanks("  a b  "), "a b"},
      {TrimBlanks("\ta "), "\ta"},
      {TrimBlanks("   "), ""},
      {RemoveBlanks(" a b  c "), "abc"},
      {ReplaceChar("a\rb\rc", '\r', '|'), "a|b|c"},
      {CommaToDot("1,5;2,5"), "1.5;2.5"},
      {DotToComma("1.5"), "1,5"},
      {ControlsToBlanks("a\r\nb"), "a  b"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.result, c.expected);
  EXPECT_EQ(Utf8Length(PadRight("Übermaß", 12)), 12u);
  EXPECT_EQ(CountChar("1,2,3", ','), 2);
  EXPECT_EQ(CountChar("", ','), 0);
}

TEST_F(StringRoutinesTest, AddBackslash) {
  EXPECT_EQ(AddBackslash("daten"), "daten/");
  EXPECT_EQ(AddBackslash("daten/"), "daten/");
  EXPECT_EQ(AddBackslash("c:\\daten\\"), "c:\\daten\\");
  EXPECT_EQ(AddBackslash(""), "");
}

TEST_F(StringRoutinesTest, PutAtOverwritesOnlyWithinTheLine) {
  const std::string blanks(10, ' ');
  struct Case {
    const char* text;
    std::string line;
    int column;
    std::string expected;
  };
  const Case cases[] = {
      {"abc", blanks, 9, blanks},  // would run past column 10
      {"abc", blanks, 8, "       abc"},
      {"abc", blanks, 1, "abc       "},
      {"abc", blanks, 0, blanks},
      {"", blanks, 11, blanks},
      {"°C", "ä         ", 9, "ä       °C"},  // columns count characters
      {"xyz", "ä         ", 9, "ä         "},
      {"x", "äöü", 2, "äxü"},
      {"ßß", "äöü", 2, "äßß"},
  };
  for (const Case& c : cases) {
    std::string line = c.line;
    PutAt(c.text, line, c.column);
    EXPECT_EQ(line, c.expected) << '"' << c.text << "\" at " << c.column;
  }
}

TEST_F(StringRoutinesTest, WrapTextCutsAfterTheLastSeparator) {
  struct Case {
    const char* text;
    int width;
    std::vector<std::string> pieces;
    int longest;
  };
  const Case cases[] = {
      {"das ist ein langer text", 10, {"das ist ", "ein ", "langer ", "text"}, 8},
      {"abcdefghij", 4, {"abcd", "efgh", "ij"}, 4},  // no separator: width characters
      {"abc defg", 4, {"abc ", "defg"}, 4},          // separator at the width itself
      {"abcd", 4, {"abcd"}, 4},
      {"äöü äöü äöü", 5, {"äöü ", "äöü ", "äöü"}, 4},  // characters, not bytes
      {"abc", 0, {"a", "b", "c"}, 1},                  // a width below 1 counts as 1
      {"", 10, {}, 0},
  };
  for (const Case& c : cases) {
    WrapResult result = WrapText(c.text, ' ', c.width);
    EXPECT_EQ(result.count, static_cast<int>(c.pieces.size())) << c.text;
    EXPECT_EQ(result.longest, c.longest) << c.text;
    const std::vector<std::string>& lines = WrapLines();
    ASSERT_GE(lines.size(), static_cast<size_t>(kWrapBufferLines));
    for (size_t i = 0; i < c.pieces.size(); ++i) EXPECT_EQ(lines[i], c.pieces[i]) << c.text;
    for (size_t i = c.pieces.size(); i < lines.size(); ++i) EXPECT_EQ(lines[i], "") << c.text;
  }
}

TEST_F(StringRoutinesTest, WrapBufferGrowsForLongTextsAndLosesNothing) {
  std::string text;
  for (int i = 0; i < 60; ++i) text += "Überlastung" + std::to_string(i) + " ";
  WrapResult result = WrapText(text, ' ', 64);
  EXPECT_GT(result.count, kWrapBufferLines);
  std::string joined;
  for (int i = 0; i < result.count; ++i) {
    const std::string& piece = WrapLines()[static_cast<size_t>(i)];
    EXPECT_LE(Utf8Length(piece), 64u);
    joined += piece;
  }
  EXPECT_EQ(joined, text);
  // A short text afterwards leaves no pieces of the long one behind.
  EXPECT_EQ(WrapText("kurz", ' ', 64).count, 1);
  EXPECT_EQ(WrapLines()[1], "");
}

TEST_F(StringRoutinesTest, ShortenMiddle) {
  const std::string name30 = "abcdefghijklmnopqrstuvwxyz0123";
  EXPECT_EQ(ShortenMiddle(name30, 30), "abcdefghijklm__rstuvwxyz0123");
  EXPECT_EQ(ShortenMiddle(name30.substr(0, 29), 30), name30.substr(0, 29));
  EXPECT_EQ(ShortenMiddle("abcdefghij", 8), "abcdefgh");
  EXPECT_EQ(ShortenMiddle("abc", 8), "abc");
  std::string umlauts;
  for (int i = 0; i < 12; ++i) umlauts += "ä";
  EXPECT_EQ(ShortenMiddle(umlauts, 12), "ääää__ääää");  // 4 characters each side
}

TEST_F(StringRoutinesTest, DateAndTimeFormats) {
  const DateTime when{2024, 3, 7, 9, 5, 7};
  const std::pair<short, const char*> dates[] = {{1, "07.03.2024"}, {2, "03/07/2024"},
                                                 {3, "2024-03-07"}, {4, "07/03/2024"},
                                                 {0, "2024/03/07"}, {9, "2024/03/07"}};
  for (auto [format, expected] : dates) {
    dateFormat = format;
    EXPECT_EQ(FormatDate(when), expected) << format;
    EXPECT_EQ(FormatIsoDate(when), "2024-03-07");
  }
  EXPECT_EQ(FormatTime(when), "9:05");
  EXPECT_EQ(FormatClock(when), "09:05:07");
  EXPECT_EQ(FormatTime(DateTime{2024, 12, 31, 23, 59, 0}), "23:59");
}

TEST_F(StringRoutinesTest, TodayIsTheLocalDate) {
  DateTime before = LocalNow();
  std::string iso = FormatIsoDate();
  std::string date = FormatDate();
  DateTime after = LocalNow();
  EXPECT_TRUE(iso == FormatIsoDate(before) || iso == FormatIsoDate(after)) << iso;
  EXPECT_TRUE(date == FormatDate(before) || date == FormatDate(after)) << date;
  EXPECT_GE(before.year, 2024);
  EXPECT_GE(before.month, 1);
  EXPECT_LE(before.month, 12);
  EXPECT_EQ(FormatClock().size(), 8u);
}

// Two runs of a project must be able to give identical files although the
// drawings carry the date and time: SOURCE_DATE_EPOCH pins the clock, and
// a value that is not a plain number of seconds leaves the real clock.
TEST_F(StringRoutinesTest, SourceDateEpochPinsTheClock) {
  const char* saved = std::getenv("SOURCE_DATE_EPOCH");
  const std::string savedValue = saved ? saved : "";
  struct Case {
    const char* value;
    bool pinned;
  };
  const Case cases[] = {{"1709802307", true},  // 2024-03-07 09:05:07 UTC
                        {"0", true},          {"", false},    {"-5", false},
                        {"12abc", false},     {"1e9", false}, {"99999999999999999999", false}};
  for (const Case& c : cases) {
    setenv("SOURCE_DATE_EPOCH", c.value, 1);
    DateTime now = LocalNow();
    if (!c.pinned) {
      EXPECT_GE(now.year, 2024) << c.value;
      continue;
    }
    if (std::string(c.value) == "0") {
      EXPECT_EQ(FormatIsoDate(now), "1970-01-01");
      EXPECT_EQ(FormatClock(now), "00:00:00");
    } else {
      EXPECT_EQ(FormatIsoDate(now), "2024-03-07") << c.value;
      EXPECT_EQ(FormatClock(now), "09:05:07") << c.value;
      EXPECT_EQ(FormatTime(), "9:05");
    }
  }
  if (saved)
    setenv("SOURCE_DATE_EPOCH", savedValue.c_str(), 1);
  else
    unsetenv("SOURCE_DATE_EPOCH");
}

}  // namespace
}  // namespace kv5
