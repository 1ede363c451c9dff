// Number formatting and parsing: right-aligned fixed-point texts whose
// number of decimals a global setting shifts, compact automatic formats,
// and the tolerant number readers used for dialogs and files.
//
// The decimal mark is always "." (independent of the locale); readers
// accept ",".
#pragma once

#include <string>

#include "model/drive_model.h"

namespace kv5 {

// Key "Dezimalstellen": every fixed-point format uses
// decimals + (decimalsSetting − 3), clamped to 0..10.
extern int decimalsSetting;

// Decimals after applying the decimals setting.
int ShiftedDecimals(int decimals);

// Fixed-point text of x with `decimals` digits after the point (shifted by
// the decimals setting), blanks in front up to width + decimals + 1
// characters (width when there are no decimals). Never drops integer
// digits; exponent notation only beyond 18 integer digits. Exact ties round
// away from zero.
std::string FormatFixed(int width, int decimals, Real x);

struct FieldSize {
  int width = 0;
  int decimals = 0;
};
// Field sizes that show x with `significant` significant digits, trailing
// zeros removed.
FieldSize AutoWidth(int significant, Real x);

std::string FormatAuto(Real x);              // "0" below 1e-5, else 3 significant digits
std::string FormatAutoN(int extra, Real x);  // AutoWidth(3 − extra, x)
std::string FormatAuto6(Real x);             // FormatAutoN(−3, x)
std::string FormatDecimals(int decimals, Real x);
std::string FormatWidth(int width, Real x);

// The same formats for CAD and exchange files (always ".").
std::string FormatFixedDot(int width, int decimals, Real x);
std::string FormatDecimalsDot(int decimals, Real x);
std::string FormatAutoDot(Real x);

std::string FormatInches(Real x);       // FormatDecimals(3, x / 25.4) + "\""
std::string FormatMmAndInches(Real x);  // FormatAuto(x) + " (" + FormatInches(x) + ")"

std::string FormatInt(long long n);
std::string PadLeft(long long n, int width);  // blanks in front
std::string ZeroPad(long long n, int width);  // zeros in front

// Reads a decimal number (the first "," counts as "."); anything that is
// not such a number, or does not fit a finite real, gives 0.
Real ParseNumber(const std::string& text);
// Like ParseNumber but reports whether the text was a number.
bool TryParseNumber(const std::string& text, Real& value);
// Decimal integer; anything else (or out of range) gives 0.
int ParseInt(const std::string& text);
bool TryParseInt(const std::string& text, int& value);

}  // namespace kv5
