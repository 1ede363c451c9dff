#include "graphics/record_numbers.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>

#include "text/number_format.h"

namespace kv5 {

namespace {

// 10^k is exact in long double (64-bit significand) up to k = 27, since
// 5^27 < 2^64. A product or quotient of two exact operands is rounded once,
// so it is the correctly rounded value of the exact result.
constexpr int kMaxExactPower = 27;
constexpr std::array<Real, kMaxExactPower + 1> kPowersOfTen = [] {
  std::array<Real, kMaxExactPower + 1> p{};
  Real v = 1;
  for (Real& power : p) {
    power = v;
    v *= 10;
  }
  return p;
}();

// Digits d1 d2 … (no leading zero, at least one) of the value
// 0.d1d2… · 10^(exponent + 1), laid out as the record format asks.
std::string Layout(bool negative, std::string digits, int exponent) {
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  std::string out;
  if (exponent < -5 || exponent >= 8) {
    out = digits.substr(0, 1);
    if (digits.size() > 1) out += "." + digits.substr(1);
    out += "E" + std::to_string(exponent);
  } else if (exponent >= 0) {
    size_t integerDigits = static_cast<size_t>(exponent) + 1;
    if (digits.size() <= integerDigits) {
      out = digits + std::string(integerDigits - digits.size(), '0');
    } else {
      out = digits.substr(0, integerDigits) + "." + digits.substr(integerDigits);
    }
  } else {
    out = "0." + std::string(static_cast<size_t>(-exponent - 1), '0') + digits;
  }
  return negative ? "-" + out : out;
}

// |x| · 10^k with one rounding, for |k| ≤ 27.
Real Scaled(Real a, int k) {
  return k >= 0 ? a * kPowersOfTen[static_cast<size_t>(k)]
                : a / kPowersOfTen[static_cast<size_t>(-k)];
}

}  // namespace

std::string FormatRecordRealGeneral(Real x) {
  if (std::isnan(x)) return "NAN";
  if (std::isinf(x)) return x < 0 ? "-INF" : "INF";
  if (x == 0) return "0";
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::scientific, 7);
  std::string s(buffer, result.ptr);
  const bool negative = s[0] == '-';
  if (negative) s.erase(0, 1);
  size_t e = s.find('e');
  int exponent = std::stoi(s.substr(e + 1));
  return Layout(negative, s.substr(0, 1) + s.substr(2, e - 2), exponent);
}

std::string FormatRecordReal(Real x) {
  if (!std::isfinite(x) || x == 0) return FormatRecordRealGeneral(x);
  const Real a = std::fabs(x);
  // Exponents whose scale factor 10^(7 - e) is exact.
  if (!(a >= 1e-20L && a < 1e20L)) return FormatRecordRealGeneral(x);
  int exponent = static_cast<int>(std::floor(std::log10(a)));
  Real scaled = Scaled(a, 7 - exponent);
  // log10 may be off by one next to a power of ten.
  if (scaled < 1e7L) scaled = Scaled(a, 7 - --exponent);
  if (scaled >= 1e8L) scaled = Scaled(a, 7 - ++exponent);
  if (!(scaled >= 1e7L && scaled < 1e8L)) return FormatRecordRealGeneral(x);
  // The scaled value is off by less than 1e-11 from the exact one; a
  // fraction that close to one half cannot be rounded safely from it.
  const Real whole = std::floor(scaled);
  const Real fraction = scaled - whole;
  if (std::fabs(fraction - 0.5L) < 1e-6L) return FormatRecordRealGeneral(x);
  auto digits = static_cast<std::uint64_t>(whole) + (fraction > 0.5L ? 1 : 0);
  if (digits == 100000000) {  // rounded up to the next power of ten
    digits = 10000000;
    ++exponent;
  }
  return Layout(x < 0, std::to_string(digits), exponent);
}

bool ParseRecordNumber(std::string_view s, Real& value) {
  // Fast path: [-]digits[.digits][E[+-]digits] with at most 19 significant
  // digits and a resulting power of ten that is exact.
  size_t i = 0;
  const bool negative = i < s.size() && s[i] == '-';
  if (negative) ++i;
  std::uint64_t mantissa = 0;
  int significant = 0, scale = 0, digits = 0;
  bool general = false;
  auto take = [&](char c, bool fractional) {
    ++digits;
    if (mantissa == 0 && c == '0') {
      if (fractional) --scale;
      return;
    }
    if (significant == 19) {
      general = true;
      return;
    }
    mantissa = mantissa * 10 + static_cast<std::uint64_t>(c - '0');
    ++significant;
    if (fractional) --scale;
  };
  while (i < s.size() && s[i] >= '0' && s[i] <= '9') take(s[i++], false);
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') take(s[i++], true);
  }
  int exponent = 0;
  if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
    ++i;
    bool negativeExponent = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) negativeExponent = s[i++] == '-';
    int expDigits = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
      if (++expDigits > 4)
        general = true;  // the general reader decides; no overflow here
      else
        exponent = exponent * 10 + (s[i] - '0');
      ++i;
    }
    if (expDigits == 0) general = true;
    if (negativeExponent) exponent = -exponent;
  }
  const int power = exponent + scale;
  if (!general && digits > 0 && i == s.size() && power >= -kMaxExactPower &&
      power <= kMaxExactPower) {
    const Real m = static_cast<Real>(mantissa);
    const Real v = mantissa == 0 ? Real(0) : Scaled(m, power);
    value = negative ? -v : v;
    return true;
  }
  return TryParseNumber(std::string(s), value);
}

}  // namespace kv5
