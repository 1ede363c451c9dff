// String routines shared by the whole program.
//
// Texts are UTF-8. Every position, length and width below counts
// characters, not bytes, so that column layouts stay aligned with umlauts
// and signs such as "°" or "²". A "blank" is the blank character only.
#pragma once

#include <string>
#include <vector>

namespace kv5 {

// Key "Date Code": 1 d.m.y, 2 m/d/y, 3 y-m-d, 4 d/m/y, other y/m/d.
extern short dateFormat;

// dateFormat := 3 and an empty wrap buffer of 5 lines (program start).
void InitStringRoutines();

// Letters a..z and the Latin-1 letters (ä ö ü é ñ …) change case; ß and
// all other characters stay.
std::string UpperCase(const std::string& text);
std::string LowerCase(const std::string& text);
std::string CapitalizeFirst(const std::string& text);

// The first / last n characters (all of a shorter text, "" for n <= 0).
std::string LeftStr(const std::string& text, int n);
std::string RightStr(const std::string& text, int n);
// From the 1-based character position `from` to the end; positions below 1
// count as 1.
std::string MidToEnd(const std::string& text, int from);

// Blanks appended up to width characters; a longer text is cut to width.
std::string PadRight(const std::string& text, int width);
// The trimmed text with blanks in front up to width characters; a longer
// text is cut to its first width characters.
std::string PadLeftText(const std::string& text, int width);
std::string TrimBlanks(const std::string& text);    // leading and trailing blanks
std::string RemoveBlanks(const std::string& text);  // every blank

// Single-byte (ASCII) characters: every `from` replaced / counted.
std::string ReplaceChar(const std::string& text, char from, char to);
int CountChar(const std::string& text, char c);
std::string CommaToDot(const std::string& text);
std::string DotToComma(const std::string& text);
// Carriage returns and line feeds replaced by blanks.
std::string ControlsToBlanks(const std::string& text);

// The folder with a closing separator ("/"; a folder already ending in "/"
// or "\\" stays as it is). An empty folder stays empty: a file name built
// from it then lies in the current folder.
std::string AddBackslash(const std::string& folder);

// Writes text into line from the 1-based column on, overwriting. When the
// column is below 1 or the text would run past the end of the line, the
// line stays unchanged (report layouts are built this way on blank lines).
void PutAt(const std::string& text, std::string& line, int column);

// Wrapping of long texts into pieces of at most width characters. A piece
// ends after the last separator among its first width − 1 characters, or
// after width characters when there is none; pieces keep their separators.
// The pieces go to the shared wrap buffer (WrapLines()), which has 5 lines
// and grows when a text needs more. The separator is a single-byte
// character; a width below 1 counts as 1.
struct WrapResult {
  int count = 0;    // number of pieces (0 for an empty text)
  int longest = 0;  // characters of the longest piece
};
inline constexpr int kWrapBufferLines = 5;
WrapResult WrapText(const std::string& text, char separator, int width);
// The wrap buffer: the pieces of the last WrapText call first, then empty
// lines; never fewer than kWrapBufferLines lines.
const std::vector<std::string>& WrapLines();

// Texts of n or more characters shortened: for n > 10 the first and the
// last (n div 2 − 2) characters joined by "__", otherwise the first n
// characters.
std::string ShortenMiddle(const std::string& text, int n);

// A local calendar date and wall-clock time.
struct DateTime {
  int year = 2000;
  int month = 1;  // 1..12
  int day = 1;    // 1..31
  int hour = 0;
  int minute = 0;
  int second = 0;
};
// Now, on the local clock; SOURCE_DATE_EPOCH (seconds, UTC) pins it.
DateTime LocalNow();

// The date by dateFormat, day and month with two digits.
std::string FormatDate(const DateTime& when);
std::string FormatDate();
// Always year-month-day.
std::string FormatIsoDate(const DateTime& when);
std::string FormatIsoDate();
// Hour without leading zero, ":", minutes with two digits ("9:05").
std::string FormatTime(const DateTime& when);
std::string FormatTime();
// Hours, minutes and seconds with two digits each ("09:05:07").
std::string FormatClock(const DateTime& when);
std::string FormatClock();

}  // namespace kv5
