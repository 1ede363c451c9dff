#include "dialogs/value_dialogs.h"

#include <algorithm>
#include <functional>

#include "dialogs/message_boxes.h"
#include "dialogs/text_dialogs.h"
#include "platform/platform.h"
#include "text/number_format.h"
#include "text/units.h"

namespace kv5 {

namespace {

constexpr int kRealTextLength = 30;
constexpr int kIntTextLength = 12;

template <typename Number>
struct NumberText {
  std::function<std::string(Number)> format;
  std::function<bool(const std::string&, Number&)> parse;
  int maxLength = 0;
  bool rereadUnchanged = false;  // read the text even when it was not edited
};

// The loop shared by all value prompts: ask, read, check, ask again.
template <typename Number>
bool AskInRange(const std::string& prompt, Number& value, Number min, Number max,
                const NumberText<Number>& kind) {
  Number v = value;
  for (;;) {
    const std::string shown = kind.format(v);
    std::string text = shown;
    AskText(prompt, kind.maxLength, text);
    if (abortFlag) return false;
    bool invalid = false;
    if (kind.rereadUnchanged || text != shown) {
      Number parsed{};
      if (kind.parse(text, parsed)) {
        v = parsed;
      } else {
        CurrentPlatform().Beep();
        ShowError("Ungültige Eingabe \"" + text + "\" !");
        v = value;
        invalid = true;
      }
    }
    const bool outside = v < min || v > max;
    if (outside && !invalid) {
      CurrentPlatform().Beep();
      ShowError("Gültiger Wertebereich: " + kind.format(min) + " .. " + kind.format(max) + " !");
    }
    if (!outside && !invalid) {
      value = v;
      return true;
    }
  }
}

const NumberText<Real>& RealText() {
  static const NumberText<Real> kind{
      [](Real x) { return FormatAuto(x); },
      [](const std::string& t, Real& x) { return TryParseNumber(t, x); }, kRealTextLength, false};
  return kind;
}

const NumberText<int>& IntText() {
  static const NumberText<int> kind{[](int n) { return FormatInt(n); },
                                    [](const std::string& t, int& n) { return TryParseInt(t, n); },
                                    kIntTextLength, true};
  return kind;
}

}  // namespace

bool AskReal(const std::string& prompt, Real& value, Real min, Real max) {
  return AskInRange(prompt, value, min, max, RealText());
}

bool AskRealDouble(const std::string& prompt, double& value, double min, double max) {
  // Through the wide form; an unchanged entry gives back the same double.
  Real wide = value;
  if (!AskReal(prompt, wide, min, max)) return false;
  value = static_cast<double>(wide);
  return true;
}

bool AskLength(const std::string& prompt, Real& value, Real min, Real max) {
  if (!ImperialUnits()) return AskReal(prompt + " [mm]", value, min, max);
  const Real shown = value / kMmPerInch;
  Real inches = shown;
  if (!AskReal(prompt + " [inch]", inches, min / kMmPerInch, max / kMmPerInch)) return false;
  // An unchanged entry keeps the stored millimetres exactly.
  if (inches != shown) value = inches * kMmPerInch;
  return true;
}

bool AskInt(const std::string& prompt, int& value, int a, int b) {
  return AskInRange(prompt, value, std::min(a, b), std::max(a, b), IntText());
}

bool AskInt(const std::string& prompt, short& value, int a, int b) {
  constexpr int kLowest = -32768;
  constexpr int kHighest = 32767;
  int low = std::clamp(std::min(a, b), kLowest, kHighest);
  int high = std::clamp(std::max(a, b), kLowest, kHighest);
  int wide = value;
  if (!AskInt(prompt, wide, low, high)) return false;
  value = static_cast<short>(wide);
  return true;
}

}  // namespace kv5
