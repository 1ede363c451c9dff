// Tooth form of wheel 1 after the sprocket rules of ISO 606 (DIN 8196),
// applied to both wheels; one stage of the drive calculation.
//
// The stages below are called in this order by the drive calculation, which
// inserts its own work between them; ComputeToothGeometry() runs them all.
// None of them resets the message list.
#pragma once

#include "model/drive_model.h"

namespace kv5 {

// Fatal input checks and the ratio u. Tooth and pin numbers must be at
// least 2, pitch and roller diameter positive, the other geometry lengths
// (b1, h2, pt, bf1, d2) finite and not negative. Returns false (message
// added, calcFailed set, nothing else changed) on a fatal input.
bool CheckGeometryInputs();

// Strands, shroud fillet radii, the tooth width default and its h14 limit,
// and the pin diameter default.
// The pin diameter d2, or its default (half the roller diameter) when 0.
Real PinDiameterOrDefault(const DriveModel& m);

void ApplyToothDefaults();
// Test pin diameter and total tooth width.
void ComputeTestPinAndTotalWidth();
// ApplyToothDefaults() and ComputeTestPinAndTotalWidth().
void ComputeToothScalars();

// The per-wheel tooth form, and the centre distance of a pin wheel.
void ComputeWheelGeometry();

// All of the above in order; stops after a fatal input.
void ComputeToothGeometry();

struct ShroudFilletRadii {
  Real min = 0;
  Real max = 0;
};
// ra (r4) limits by pitch. The bands are compared in the 64-bit precision
// the pitch is stored in, so a pitch typed as 19.05 lies in the band that
// ends at 19.05.
ShroudFilletRadii ShroudFilletRadiiForPitch(double p);

// Lower deviation (mm) of the root diameter df: -0.25 up to 127 mm, -0.30 up
// to 250 mm, h11 above (the ISO look-up may add its message and set
// abortFlag). df is rounded to 64 bits before it is compared with the band
// limits: it comes from 64-bit inputs, so only a difference the inputs can
// express moves it out of a band, and a root diameter that is 127 mm to
// the user is never pushed above 127 by the extended-precision rounding of
// d - d1.
Real RootDiameterLowerDeviation(Real df);

}  // namespace kv5
