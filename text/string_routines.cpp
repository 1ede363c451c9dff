#include "text/string_routines.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <optional>

#include "text/codepage.h"
#include "text/number_format.h"

namespace kv5 {

short dateFormat = 3;

namespace {

std::vector<std::string> wrapLines(kWrapBufferLines);

size_t CharCount(const std::string& text) {
  return Utf8Length(text);
}

size_t NonNegative(int n) {
  return n < 0 ? 0 : static_cast<size_t>(n);
}

// Latin-1 letters are the two-byte sequences C3 80..BE; upper and lower
// case differ by 0x20 in the second byte (× and ÷ at 97 / B7 are no
// letters, ß at 9F has no single upper-case form).
enum class Case { Upper, Lower };

std::string ChangeCase(const std::string& text, Case to, size_t maxChars) {
  std::string out = text;
  size_t chars = 0;
  for (size_t i = 0; i < out.size() && chars < maxChars; ++chars) {
    size_t len = Utf8CharBytes(out, i);
    unsigned char c = static_cast<unsigned char>(out[i]);
    if (len == 1) {
      if (to == Case::Upper && c >= 'a' && c <= 'z') out[i] = static_cast<char>(c - 0x20);
      if (to == Case::Lower && c >= 'A' && c <= 'Z') out[i] = static_cast<char>(c + 0x20);
    } else if (len == 2 && c == 0xC3) {
      unsigned char d = static_cast<unsigned char>(out[i + 1]);
      if (to == Case::Upper && d >= 0xA0 && d <= 0xBE && d != 0xB7)
        out[i + 1] = static_cast<char>(d - 0x20);
      if (to == Case::Lower && d >= 0x80 && d <= 0x9E && d != 0x97)
        out[i + 1] = static_cast<char>(d + 0x20);
    }
    i += len;
  }
  return out;
}

std::string ReplaceAll(std::string text, char from, char to) {
  std::replace(text.begin(), text.end(), from, to);
  return text;
}

std::string TwoDigits(int n) {
  return ZeroPad(n, 2);
}

}  // namespace

void InitStringRoutines() {
  dateFormat = 3;
  wrapLines.assign(kWrapBufferLines, std::string());
}

std::string UpperCase(const std::string& text) {
  return ChangeCase(text, Case::Upper, SIZE_MAX);
}
std::string LowerCase(const std::string& text) {
  return ChangeCase(text, Case::Lower, SIZE_MAX);
}
std::string CapitalizeFirst(const std::string& text) {
  return ChangeCase(text, Case::Upper, 1);
}

std::string LeftStr(const std::string& text, int n) {
  return Utf8Left(text, NonNegative(n));
}

std::string RightStr(const std::string& text, int n) {
  size_t count = CharCount(text);
  size_t keep = std::min(count, NonNegative(n));
  return text.substr(Utf8Offset(text, count - keep));
}

std::string MidToEnd(const std::string& text, int from) {
  size_t skip = from < 1 ? 0 : static_cast<size_t>(from) - 1;
  return text.substr(Utf8Offset(text, skip));
}

std::string PadRight(const std::string& text, int width) {
  size_t target = NonNegative(width);
  size_t count = CharCount(text);
  if (count >= target) return Utf8Left(text, target);
  return text + std::string(target - count, ' ');
}

std::string PadLeftText(const std::string& text, int width) {
  std::string trimmed = TrimBlanks(text);
  size_t target = NonNegative(width);
  size_t count = CharCount(trimmed);
  if (count >= target) return Utf8Left(trimmed, target);
  return std::string(target - count, ' ') + trimmed;
}

std::string TrimBlanks(const std::string& text) {
  size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  size_t last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

std::string RemoveBlanks(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text)
    if (c != ' ') out += c;
  return out;
}

std::string ReplaceChar(const std::string& text, char from, char to) {
  return ReplaceAll(text, from, to);
}

int CountChar(const std::string& text, char c) {
  return static_cast<int>(std::count(text.begin(), text.end(), c));
}

std::string CommaToDot(const std::string& text) {
  return ReplaceAll(text, ',', '.');
}
std::string DotToComma(const std::string& text) {
  return ReplaceAll(text, '.', ',');
}

std::string ControlsToBlanks(const std::string& text) {
  return ReplaceAll(ReplaceAll(text, '\r', ' '), '\n', ' ');
}

std::string AddBackslash(const std::string& folder) {
  if (folder.empty() || folder.back() == '/' || folder.back() == '\\') return folder;
  return folder + "/";
}

void PutAt(const std::string& text, std::string& line, int column) {
  if (column < 1) return;
  size_t start = static_cast<size_t>(column) - 1;
  size_t length = CharCount(text);
  if (start + length > CharCount(line)) return;
  size_t from = Utf8Offset(line, start);
  size_t to = from;
  for (size_t k = 0; k < length; ++k) to += Utf8CharBytes(line, to);
  line.replace(from, to - from, text);
}

WrapResult WrapText(const std::string& text, char separator, int width) {
  size_t limit = width < 1 ? 1 : static_cast<size_t>(width);
  std::vector<std::string> pieces;
  std::string rest = text;
  while (!rest.empty()) {
    if (CharCount(rest) <= limit) {
      pieces.push_back(rest);
      break;
    }
    // Highest separator among the first limit − 1 characters.
    size_t cut = Utf8Offset(rest, limit);
    size_t searchEnd = Utf8Offset(rest, limit - 1);
    for (size_t i = 0; i < searchEnd; i += Utf8CharBytes(rest, i))
      if (rest[i] == separator) cut = i + 1;
    pieces.push_back(rest.substr(0, cut));
    rest.erase(0, cut);
  }
  WrapResult result;
  result.count = static_cast<int>(pieces.size());
  for (const std::string& piece : pieces)
    result.longest = std::max(result.longest, static_cast<int>(CharCount(piece)));
  pieces.resize(std::max<size_t>(pieces.size(), kWrapBufferLines));
  wrapLines = std::move(pieces);
  return result;
}

const std::vector<std::string>& WrapLines() {
  return wrapLines;
}

std::string ShortenMiddle(const std::string& text, int n) {
  size_t count = CharCount(text);
  if (n > 0 && count < static_cast<size_t>(n)) return text;
  if (n <= 10) return LeftStr(text, n);
  int side = n / 2 - 2;
  return LeftStr(text, side) + "__" + RightStr(text, side);
}

namespace {

// SOURCE_DATE_EPOCH (seconds since 1970, the reproducible-output
// convention) pins the clock of every date and time the program writes, so
// that two runs of the same project give the same files even where a time
// is drawn as geometry (the title block of an STL file). Anything but a
// plain non-negative number is ignored.
std::optional<std::time_t> PinnedClock() {
  const char* text = std::getenv("SOURCE_DATE_EPOCH");
  if (!text || !*text) return std::nullopt;
  std::int64_t seconds = 0;
  const char* end = text + std::strlen(text);
  auto [rest, error] = std::from_chars(text, end, seconds);
  if (error != std::errc() || rest != end || seconds < 0) return std::nullopt;
  // Years beyond 9999 would not fit the date formats.
  if (seconds > 253402300799) return std::nullopt;
  return static_cast<std::time_t>(seconds);
}

}  // namespace

DateTime LocalNow() {
  std::tm local{};
  if (std::optional<std::time_t> pinned = PinnedClock()) {
    gmtime_r(&*pinned, &local);  // the convention formats the pinned time as UTC
  } else {
    std::time_t now = std::time(nullptr);
    localtime_r(&now, &local);
  }
  DateTime when;
  when.year = local.tm_year + 1900;
  when.month = local.tm_mon + 1;
  when.day = local.tm_mday;
  when.hour = local.tm_hour;
  when.minute = local.tm_min;
  when.second = local.tm_sec;
  return when;
}

std::string FormatDate(const DateTime& when) {
  std::string day = TwoDigits(when.day), month = TwoDigits(when.month);
  std::string year = FormatInt(when.year);
  switch (dateFormat) {
    case 1:
      return day + "." + month + "." + year;
    case 2:
      return month + "/" + day + "/" + year;
    case 3:
      return year + "-" + month + "-" + day;
    case 4:
      return day + "/" + month + "/" + year;
    default:
      return year + "/" + month + "/" + day;
  }
}

std::string FormatIsoDate(const DateTime& when) {
  return FormatInt(when.year) + "-" + TwoDigits(when.month) + "-" + TwoDigits(when.day);
}

std::string FormatTime(const DateTime& when) {
  return FormatInt(when.hour) + ":" + TwoDigits(when.minute);
}

std::string FormatClock(const DateTime& when) {
  return TwoDigits(when.hour) + ":" + TwoDigits(when.minute) + ":" + TwoDigits(when.second);
}

std::string FormatDate() {
  return FormatDate(LocalNow());
}
std::string FormatIsoDate() {
  return FormatIsoDate(LocalNow());
}
std::string FormatTime() {
  return FormatTime(LocalNow());
}
std::string FormatClock() {
  return FormatClock(LocalNow());
}

}  // namespace kv5
