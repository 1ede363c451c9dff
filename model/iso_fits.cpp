#include "model/iso_fits.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <optional>
#include <span>
#include <string_view>

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

IsoDeviation Failure(const std::string& text) {
  return IsoDeviation{0, 0, text};
}

std::string GradeNotDefined(int grade, const std::string& letters) {
  return "Toleranzgrad " + std::to_string(grade) + " " + "nicht definiert für Lage" + " " + letters;
}

// The deviation letters of ISO 286-1, written in lower case.
constexpr std::string_view kShaftLetters[] = {"a", "b",  "c", "cd", "d", "e",  "ef", "f", "fg", "g",
                                              "h", "js", "j", "k",  "m", "n",  "p",  "r", "s",  "t",
                                              "u", "v",  "x", "y",  "z", "za", "zb", "zc"};

struct Position {
  std::string letters;  // as written, i taken as j
  std::string shaft;    // the same letters in lower case
  bool isHole = false;
};

// nullopt for anything that is not a deviation letter of the standard
// (mixed case included).
std::optional<Position> ParsePosition(std::string letters) {
  for (char& c : letters) {
    if (c == 'i') c = 'j';
    if (c == 'I') c = 'J';
  }
  Position position;
  position.letters = letters;
  bool allLower = true;
  bool allUpper = true;
  for (char c : letters) {
    allLower = allLower && std::islower(static_cast<unsigned char>(c));
    allUpper = allUpper && std::isupper(static_cast<unsigned char>(c));
    position.shaft += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  if (!allLower && !allUpper) return std::nullopt;
  position.isHole = allUpper;
  for (std::string_view known : kShaftLetters)
    if (position.shaft == known) return position;
  return std::nullopt;
}

// Letters the standard defines only up to 500 mm.
bool OnlyUpTo500(const std::string& shaft) {
  for (std::string_view l : {"a", "b", "c", "j", "v", "x", "y", "z", "za", "zb", "zc"})
    if (shaft == l) return true;
  return false;
}

// Grades tabulated for a shaft letter, with the text naming them.
struct GradeRange {
  std::string_view shaft;
  int first;
  int last;
  const char* text;
};
constexpr GradeRange kTabulatedGrades[] = {
    {"cd", 5, 10, "cd 5 .. cd 10"}, {"ef", 3, 10, "ef 3 .. ef 10"}, {"fg", 3, 10, "fg 3 .. fg 10"},
    {"a", 9, 13, "a9..a13"},        {"b", 8, 13, "b8..b13"},        {"c", 8, 12, "c8..c12"},
    {"d", 5, 13, "d5..d13"},        {"e", 5, 10, "e5..e10"},        {"f", 3, 10, "f3..f10"},
    {"g", 3, 10, "g3..g10"},        {"m", 3, 9, "m3..m9"},          {"n", 3, 9, "n3..n9"},
    {"p", 3, 10, "p3..p10"},        {"r", 3, 10, "r3..r10"},        {"s", 3, 10, "s3..s10"},
    {"t", 5, 9, "t5..t9"},          {"u", 5, 9, "u5..u9"},          {"v", 5, 8, "v5..v8"},
    {"x", 5, 11, "x5..x11"},        {"y", 5, 10, "y5..y10"},        {"z", 6, 11, "z6..z11"},
};

const GradeRange* TabulatedGrades(const std::string& shaft) {
  for (const GradeRange& range : kTabulatedGrades)
    if (range.shaft == shaft) return &range;
  return nullptr;
}

// Sizes for which the standard does not give the letter: the text saying
// where it is defined, or "" when the size is covered.
std::string RangeLimitError(const Position& position, int grade, Real key) {
  const std::string& letters = position.letters;
  const std::string& shaft = position.shaft;
  if ((shaft == "cd" || shaft == "ef" || shaft == "fg") && key >= 10)
    return letters + " " + "ist nur im Bereich" + " 1 " + "bis" + " 10 mm " + "definiert";
  if (OnlyUpTo500(shaft) && key >= 500) return "d>500 nicht definiert für Lage " + letters;
  if (shaft == "t" && key < 24)
    return letters + " " + "ist nur im Bereich" + " > 24 mm " + "definiert";
  if (shaft == "v" || shaft == "y") {
    const int from = shaft == "v" ? 14 : 18;
    if (key >= from) return "";
    if (position.isHole)
      return letters + " " + std::to_string(grade) + " " + "ist nur im Bereich" + " > " +
             std::to_string(from) + " mm " + "definiert";
    return letters + " " + "ist nur im Bereich" + " > " + std::to_string(from) + " " + "bis" +
           " 500 mm " + "definiert";
  }
  return "";
}

std::optional<Real> StepValue(std::span<const iso286::SizeStep> steps, Real key) {
  const iso286::SizeStep* step = iso286::FindStep(steps, key);
  if (step == nullptr || !step->valueUm) return std::nullopt;
  return static_cast<Real>(*step->valueUm);
}

// a .. g (with cd, ef, fg) are tabulated by their upper deviation es,
// m .. zc by their lower deviation ei.
bool TabulatedByUpperDeviation(const std::string& shaft) {
  return shaft.front() < 'h';
}

struct Limits {
  Real lower;
  Real upper;
};

// Shaft limits from the upper deviation es (a .. h) or the lower deviation
// ei (j .. zc); nullopt when the standard gives no value.
std::optional<Limits> ShaftLimits(const std::string& shaft, int grade, Real key, Real it) {
  if (shaft == "h") return Limits{-it, 0};
  if (shaft == "js") return Limits{-it / 2, it / 2};
  if (shaft == "j") {
    const std::optional<Real> ei = StepValue(iso286::ShaftJSteps(grade), key);
    if (!ei) return std::nullopt;
    return Limits{*ei, *ei + it};
  }
  if (shaft == "k") {
    Real ei = 0;
    if (grade >= 4 && grade <= 7) {
      const std::optional<Real> value = StepValue(iso286::ShaftKSteps(), key);
      if (!value) return std::nullopt;
      ei = *value;
    }
    return Limits{ei, ei + it};
  }
  const std::optional<Real> deviation = StepValue(iso286::ShaftDeviationSteps(shaft), key);
  if (!deviation) return std::nullopt;
  if (TabulatedByUpperDeviation(shaft)) return Limits{*deviation - it, *deviation};
  return Limits{*deviation, *deviation + it};
}

// Hole limits: EI = -es for A .. H; ES = -ei + Δ for K, M, N up to IT8 and
// P .. ZC up to IT7, otherwise ES = -ei, with the exceptions of ISO 286-1
// (K and N above IT8, M6 for 250 to 315 mm).
std::optional<Limits> HoleLimits(const std::string& shaft, int grade, Real key, int range,
                                 Real it) {
  if (shaft == "h") return Limits{0, it};
  if (shaft == "js") return Limits{-it / 2, it / 2};
  if (shaft == "j") {
    const std::optional<Real> es = StepValue(iso286::HoleJSteps(grade), key);
    if (!es) return std::nullopt;
    return Limits{*es - it, *es};
  }
  const Real delta = iso286::DeltaUm(grade, range);
  const bool above500 = key >= 500;
  if (shaft == "k") {
    Real es = 0;
    if (!above500 && grade <= 8) {
      const std::optional<Real> k = StepValue(iso286::ShaftKSteps(), key);
      if (!k) return std::nullopt;
      es = -*k + delta;
    }
    return Limits{es - it, es};
  }
  const std::optional<Real> deviation = StepValue(iso286::ShaftDeviationSteps(shaft), key);
  if (!deviation) return std::nullopt;
  if (TabulatedByUpperDeviation(shaft)) return Limits{-*deviation, -*deviation + it};
  Real es = -*deviation;
  if (shaft == "m" || shaft == "n") {
    if (!above500 && grade <= 8) {
      es += delta;
      if (shaft == "m" && grade == 6 && key >= 250 && key < 315) es = -9;
    } else if (shaft == "n" && !above500 && key >= 3) {
      es = 0;  // N above IT8
    }
  } else if (grade <= 7) {
    es += delta;  // P .. ZC
  }
  return Limits{es - it, es};
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
  const std::optional<Position> position = ParsePosition(parsed.letters);
  if (!position) return Failure(kInvalidClass);
  const int grade = parsed.grade;

  if (!std::isfinite(nominalSize)) return Failure(kUndefinedRange);
  const Real key = SizeKey(nominalSize);
  const std::optional<int> range = iso286::MainRange(key);
  if (!range) return Failure(kUndefinedRange);
  if (grade < iso286::kFirstGrade || grade > iso286::kLastGrade)
    return Failure(GradeNotDefined(grade, position->letters));
  const std::string rangeError = RangeLimitError(*position, grade, key);
  if (!rangeError.empty()) return Failure(rangeError);

  const Real it = iso286::StandardToleranceUm(grade, *range);
  const std::optional<Limits> limits = position->isHole
                                           ? HoleLimits(position->shaft, grade, key, *range, it)
                                           : ShaftLimits(position->shaft, grade, key, it);
  // Only j and J have grades without a value once the sizes are checked.
  if (!limits) return Failure(GradeNotDefined(grade, position->letters));

  IsoDeviation result{limits->lower, limits->upper, ""};
  if (const GradeRange* tabulated = TabulatedGrades(position->shaft);
      tabulated != nullptr && (grade < tabulated->first || grade > tabulated->last))
    result.errorText =
        position->isHole ? GradeNotDefined(grade, position->letters) : std::string(tabulated->text);
  return result;
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
