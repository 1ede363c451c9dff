#include "text/number_format.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "text/numeric.h"

namespace kv5 {

int decimalsSetting = 3;

int ShiftedDecimals(int decimals) {
  if (decimalsSetting == 3) return decimals;
  int shifted = decimals + decimalsSetting - 3;
  return shifted < 0 ? 0 : (shifted > 10 ? 10 : shifted);
}

namespace {

// Adds one to the decimal digit string (no sign, no point); may grow it.
void IncrementDigits(std::string& digits) {
  for (size_t i = digits.size(); i-- > 0;) {
    if (digits[i] == '9') {
      digits[i] = '0';
    } else {
      ++digits[i];
      return;
    }
  }
  digits.insert(digits.begin(), '1');
}

// Decimals beyond any meaning for an 80-bit real; keeps the work bounded.
constexpr int kMaxDecimals = 100;

// Text of x by std::to_chars, which never depends on the locale.
std::string ToChars(Real x, std::chars_format format, int precision) {
  std::vector<char> buffer(static_cast<size_t>(precision) + 64);
  for (;;) {
    auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), x, format, precision);
    if (result.ec == std::errc()) return std::string(buffer.data(), result.ptr);
    buffer.resize(buffer.size() * 2);
  }
}

// |x| (below 1e18) rounded half away from zero to `decimals` digits, as
// integer digits and fraction digits. The exact binary value decides ties:
// it is printed with enough extra digits (more than decimals + 20, beyond
// the distance between any 64-bit-mantissa value and a decimal tie) that no
// value that is not a tie looks like one.
void RoundMagnitude(Real magnitude, int decimals, std::string& intPart, std::string& fracPart) {
  const int guard = decimals + 30;
  std::string text = ToChars(magnitude, std::chars_format::fixed, decimals + guard);
  size_t point = text.find('.');
  std::string digits = text.substr(0, point);
  std::string fraction = text.substr(point + 1);
  digits += fraction.substr(0, static_cast<size_t>(decimals));
  bool roundUp = fraction[static_cast<size_t>(decimals)] >= '5';
  if (roundUp) IncrementDigits(digits);
  size_t intDigits = digits.size() - static_cast<size_t>(decimals);
  intPart = digits.substr(0, intDigits);
  fracPart = digits.substr(intDigits);
  // Strip leading zeros of the integer part (keep one).
  size_t first = intPart.find_first_not_of('0');
  intPart = first == std::string::npos ? "0" : intPart.substr(first);
}

std::string ReplaceCommas(std::string text) {
  for (char& c : text)
    if (c == ',') c = '.';
  return text;
}

}  // namespace

std::string FormatFixed(int width, int decimals, Real x) {
  if (std::fabs(x) < 1e-15L) x = 0;
  decimals = std::clamp(ShiftedDecimals(decimals), 0, kMaxDecimals);
  std::string text;
  if (!std::isfinite(x)) {
    text = std::isnan(x) ? "NaN" : (x < 0 ? "-Inf" : "Inf");
  } else {
    int precision = width + decimals;
    precision = precision < 2 ? 2 : (precision > 18 ? 18 : precision);
    Real magnitude = std::fabs(x);
    if (magnitude >= 1e18L) {
      // More than 18 integer digits: exponent notation ("1.23E+19").
      text = ToChars(x, std::chars_format::scientific, precision - 1);
      for (char& c : text)
        if (c == 'e') c = 'E';
    } else {
      std::string intPart, fracPart;
      RoundMagnitude(magnitude, decimals, intPart, fracPart);
      bool allZero = intPart == "0" && fracPart.find_first_not_of('0') == std::string::npos;
      if (x < 0 && !allZero) text = "-";
      text += intPart;
      if (decimals > 0) text += "." + fracPart;
    }
  }
  int target = decimals >= 1 ? width + decimals + 1 : width;
  if (static_cast<int>(text.size()) < target)
    text.insert(0, static_cast<size_t>(target) - text.size(), ' ');
  return text;
}

FieldSize AutoWidth(int significant, Real x) {
  x = std::fabs(x);
  if (!std::isfinite(x)) return FieldSize{1, 0};
  if (x == 0) x = 0.5L;
  int e = DecimalExponent(x);
  FieldSize size;
  if (e >= significant) {
    size.width = e + 1;
    size.decimals = 0;
    return size;
  }
  if (e <= -1) {
    size.width = 0;
    size.decimals = -e + significant - 1;
  } else {
    size.width = e + 1;
    size.decimals = significant - e;
  }
  if (size.decimals < 0) size.decimals = 0;
  if (size.decimals > 30) size.decimals = 30;
  // Remove trailing zeros of the shown digits.
  Real scaled = x * std::pow(10.0L, static_cast<Real>(size.decimals + 1));
  if (scaled > 9e18L) return size;
  long long t = std::llround(scaled);
  do {
    t /= 10;
    if (t % 10 == 0) --size.decimals;
  } while (t % 10 == 0 && t != 0);
  if (size.decimals < 0) size.decimals = 0;
  return size;
}

std::string FormatAutoN(int extra, Real x) {
  if (std::fabs(x) < 1e-5L) return "0";
  FieldSize size = AutoWidth(3 - extra, x);
  return FormatFixed(size.width, size.decimals, x);
}

std::string FormatAuto(Real x) {
  return FormatAutoN(0, x);
}
std::string FormatAuto6(Real x) {
  return FormatAutoN(-3, x);
}

std::string FormatDecimals(int decimals, Real x) {
  return FormatFixed(AutoWidth(3, x).width, decimals, x);
}

std::string FormatWidth(int width, Real x) {
  if (std::fabs(x) < 1e-6L) {
    std::string text = "0";
    if (width > 1) text.insert(0, static_cast<size_t>(width - 1), ' ');
    return text;
  }
  FieldSize size = AutoWidth(3, x);
  if (size.decimals > 0) return FormatFixed(width - size.decimals - 1, size.decimals, x);
  return FormatFixed(width - size.decimals, size.decimals, x);
}

std::string FormatFixedDot(int width, int decimals, Real x) {
  return ReplaceCommas(FormatFixed(width, decimals, x));
}
std::string FormatDecimalsDot(int decimals, Real x) {
  return ReplaceCommas(FormatDecimals(decimals, x));
}
std::string FormatAutoDot(Real x) {
  return ReplaceCommas(FormatAuto(x));
}

std::string FormatInches(Real x) {
  return FormatDecimals(3, x / 25.4L) + "\"";
}
std::string FormatMmAndInches(Real x) {
  return FormatAuto(x) + " (" + FormatInches(x) + ")";
}

std::string FormatInt(long long n) {
  return std::to_string(n);
}

std::string PadLeft(long long n, int width) {
  std::string text = std::to_string(n);
  if (static_cast<int>(text.size()) < width)
    text.insert(0, static_cast<size_t>(width) - text.size(), ' ');
  return text;
}

std::string ZeroPad(long long n, int width) {
  std::string digits = std::to_string(n < 0 ? -n : n);
  int room = width - (n < 0 ? 1 : 0);
  if (static_cast<int>(digits.size()) < room)
    digits.insert(0, static_cast<size_t>(room) - digits.size(), '0');
  return n < 0 ? "-" + digits : digits;
}

namespace {
std::string_view TrimBlanksView(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() &&
         (s.back() == ' ' || s.back() == '\t' || s.back() == '\r' || s.back() == '\n'))
    s.remove_suffix(1);
  return s;
}

// Optional sign, digits, optional point and digits, optional exponent.
bool IsDecimalNumber(std::string_view s) {
  size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  size_t digits = 0;
  while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++digits;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++digits;
  }
  if (digits == 0) return false;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    size_t expDigits = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++expDigits;
    if (expDigits == 0) return false;
  }
  return i == s.size();
}
}  // namespace

bool TryParseNumber(const std::string& text, Real& value) {
  std::string s(TrimBlanksView(text));
  size_t comma = s.find(',');
  if (comma != std::string::npos) s[comma] = '.';
  if (!IsDecimalNumber(s)) return false;
  // from_chars takes no "+" and never depends on the locale.
  const char* first = s.data() + (s[0] == '+' ? 1 : 0);
  Real parsed = 0;
  auto result = std::from_chars(first, s.data() + s.size(), parsed);
  if (result.ec != std::errc() || result.ptr != s.data() + s.size() || !std::isfinite(parsed))
    return false;
  value = parsed;
  return true;
}

Real ParseNumber(const std::string& text) {
  Real value = 0;
  return TryParseNumber(text, value) ? value : 0;
}

bool TryParseInt(const std::string& text, int& value) {
  std::string_view s = TrimBlanksView(text);
  size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  if (i == s.size()) return false;
  for (size_t j = i; j < s.size(); ++j)
    if (s[j] < '0' || s[j] > '9') return false;
  errno = 0;
  std::string copy(s);
  long long parsed = std::strtoll(copy.c_str(), nullptr, 10);
  if (errno == ERANGE || parsed > 2147483647LL || parsed < -2147483648LL) return false;
  value = static_cast<int>(parsed);
  return true;
}

int ParseInt(const std::string& text) {
  int value = 0;
  return TryParseInt(text, value) ? value : 0;
}

}  // namespace kv5
