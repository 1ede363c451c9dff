// Reals in the records of the display list: written with 8 significant
// digits and read back. A long animation writes and reads millions of
// them, so both take a fast path in exact integer and power-of-ten
// arithmetic and fall back to the general conversions only where that
// path cannot prove its result is the correctly rounded one.
#pragma once

#include <string>
#include <string_view>

#include "model/drive_model.h"

namespace kv5 {

// A real as it is written into a record: general format, 8 significant
// digits, "." as decimal mark ("0.5", "12.345679", "1.5E-7", "1E20").
std::string FormatRecordReal(Real x);
// The same through the general decimal conversion only (the reference the
// fast path must agree with).
std::string FormatRecordRealGeneral(Real x);

// A number field of a record, by the rules of the number reader
// (TryParseNumber): false for a text that is not a finite number.
bool ParseRecordNumber(std::string_view text, Real& value);

}  // namespace kv5
