// Fatal input checks of the calculation. Each check that fails adds its
// "Fatal  : " message, sets calcFailed and returns false, so the caller can
// stop at once and leave later results as they were.
#pragma once

#include <string>

#include "model/drive_model.h"

namespace kv5 {

// Adds "Fatal  : " + text and sets calcFailed.
void StopCalculation(const std::string& text);

// A tooth or pin number: "<name> = 0 !" for 0, "<name> < 2 !" below 2 (a
// single tooth has no pitch polygon).
bool CheckToothNumber(const std::string& name, int z);

// A value that must be finite and greater than 0: "<name> = 0 !",
// "<name> < 0 !", or "<name> ungültig !" for NaN and infinities.
bool CheckPositive(const std::string& name, Real value);

// A value that must be finite and not negative (0 usually means "use the
// default"): "<name> < 0 !" or "<name> ungültig !".
bool CheckNotNegative(const std::string& name, Real value);

}  // namespace kv5
