// ISO system of limits and fits (ISO 286-1): limit deviations of a
// tolerance class such as "h11", "h 14", "H7" or "js 6" for a nominal size
// up to 3150 mm.
#pragma once

#include <string>

#include "model/drive_model.h"

namespace kv5 {

struct IsoDeviation {
  Real lower = 0;         // µm, signed
  Real upper = 0;         // µm, signed
  std::string errorText;  // empty when the class is defined for the size
};

// Deviations in µm. The class text is one or two deviation letters (lower
// case for a shaft, upper case for a hole; i is read as j) and the grade,
// with at most one blank between them; anything else gives
// "ungültige ISO-Toleranz" and both deviations 0.
// A size is placed in its range by the whole-number part of
// (size - 0.001 mm), so a size on a range limit belongs to the lower range.
// Sizes of 0 mm and below count as the smallest range; NaN, infinite sizes
// and sizes above 3150 mm give "Undefinierter Nennmassbereich".
// Letters outside their size range, and grades without a value, give their
// error text and deviations 0; a grade outside the range tabulated for the
// letter gives its text together with the computed deviations.
IsoDeviation IsoDeviations(const std::string& classText, Real nominalSize);

struct IsoLimits {
  Real lower = 0;
  Real upper = 0;
};
// Deviations in mm; a non-empty error text goes to the message list and
// sets abortFlag.
IsoLimits IsoLimitsMm(const std::string& classText, Real nominalSize);
// Smallest and largest size (nominal size + deviations), same error
// handling as IsoLimitsMm.
IsoLimits IsoLimitSizes(const std::string& classText, Real nominalSize);

}  // namespace kv5
