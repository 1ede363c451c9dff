// The one calculation of the program: load relations, tooth geometry,
// speeds, torques, forces, Hertzian pressure, pin and shaft stresses,
// safety factors, efficiency and the limit checks.
#pragma once

#include "model/drive_model.h"

namespace kv5 {

// Recomputes every result of the model from its inputs and fills the
// message list. A fatal input ("Fatal  : " message) sets calcFailed and
// stops the calculation where it was met; later results keep their values.
// Besides the zero tooth numbers, pitch and roller diameter this rejects
// tooth numbers below 2, negative or non-finite lengths, a factor KA that
// is not positive, and every load value that the calculation divides by
// when it is 0, negative or not finite: P always (efficiency), n1 unless
// it is derived (loadMode 2), T1 when it is an input (loadMode 1 and 2).
// Inputs so large that a result overflows give "Fatal  : Ergebnis nicht
// darstellbar !" as the only message, and the model is put back as it was
// before the call (inputs as entered, the last results).
void CalculateDrive();

// Allowed joint pressure (N/mm²) for tooth number z and pitch-line speed v
// (m/s) from the roller-chain table; z below 11 adds "Fehler : z < 11 !"
// and uses the row of 11, z above 25 uses the row of 25. Speeds between
// two columns are interpolated linearly, speeds outside them take the
// first or last column.
Real AllowedJointPressure(int z, Real v);

}  // namespace kv5
