#include "model/iso_fits.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <optional>

#include "model/iso_286_tables.h"
#include "text/messages.h"

namespace kv5 {

namespace {

const char* const kInvalidClass = "ungültige ISO-Toleranz";
const char* const kUndefinedRange = "Undefinierter Nennmassbereich";

struct ClassText {
  std::string letters;
  int grade = 0;  // 0 when the grade is not a number
};

bool IsDigit(char c) {
  return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// A whole number of digits only; anything else (or an overflow) counts as 0.
int ParseGrade(const std::string& text) {
  if (text.empty()) return 0;
  for (char c : text)
    if (!IsDigit(c)) return 0;
  int value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return 0;
  return value;
}

// "h11", "h 14", "js6", "JS 6": one or two letters, at most one blank, the
// grade number.
ClassText SplitClassText(const std::string& text) {
  ClassText parsed;
  size_t letterCount = 0;
  size_t gradeStart = 0;
  if (text.size() >= 2 && text[1] == ' ') {
    letterCount = 1;
    gradeStart = 2;
  } else if (text.size() >= 3 && text[2] == ' ') {
    letterCount = 2;
    gradeStart = 3;
  } else if (text.size() >= 2 && IsDigit(text[1])) {
    letterCount = 1;
    gradeStart = 1;
  } else if (text.size() >= 3 && IsDigit(text[2])) {
    letterCount = 2;
    gradeStart = 2;
  } else {
    return parsed;
  }
  parsed.letters = text.substr(0, letterCount);
  parsed.grade = ParseGrade(text.substr(gradeStart));
  return parsed;
}

// Whole-number part of (size - 0.001 mm): a size on a range limit belongs
// to the lower range. Sizes of 0 and below fall into the smallest range.
Real SizeKey(Real nominalSize) {
  const Real key = std::trunc(nominalSize - 0.001L);
  return key < 0 ? 0 : key;
}

IsoDeviation Failure(const std::string& text, Real lower = 0, Real upper = 0) {
  return IsoDeviation{lower, upper, text};
}

// Reports an error text of a deviation query to the message list.
void ReportError(const IsoDeviation& deviation) {
  if (deviation.errorText.empty()) return;
  AddMessage(deviation.errorText);
  abortFlag = true;
}

}  // namespace

IsoDeviation IsoDeviations(const std::string& classText, Real nominalSize) {
  const ClassText parsed = SplitClassText(classText);
  if (parsed.letters.empty() || parsed.grade == 0) return Failure(kInvalidClass);
  const std::string& letters = parsed.letters;
  const bool isShaft = letters == "h";
  const bool isHole = letters == "H";
  if (!isShaft && !isHole) return Failure(kInvalidClass);

  if (!std::isfinite(nominalSize)) return Failure(kUndefinedRange);
  const Real key = SizeKey(nominalSize);
  const std::optional<int> range = iso286::MainRange(key);
  if (!range) return Failure(kUndefinedRange);
  if (parsed.grade < iso286::kFirstGrade || parsed.grade > iso286::kLastGrade)
    return Failure("Toleranzgrad " + std::to_string(parsed.grade) + " " +
                   "nicht definiert für Lage" + " " + letters);

  const Real it = iso286::StandardToleranceUm(parsed.grade, *range);
  if (isShaft) return IsoDeviation{-it, 0, ""};
  return IsoDeviation{0, it, ""};
}

IsoLimits IsoLimitsMm(const std::string& classText, Real nominalSize) {
  const IsoDeviation deviation = IsoDeviations(classText, nominalSize);
  ReportError(deviation);
  return IsoLimits{deviation.lower / 1000, deviation.upper / 1000};
}

IsoLimits IsoLimitSizes(const std::string& classText, Real nominalSize) {
  const IsoDeviation deviation = IsoDeviations(classText, nominalSize);
  ReportError(deviation);
  return IsoLimits{nominalSize + deviation.lower / 1000, nominalSize + deviation.upper / 1000};
}

}  // namespace kv5
