// The one calculation of the program: load relations, tooth geometry,
// speeds, torques, forces, Hertzian pressure, pin and shaft stresses,
// safety factors, efficiency and the limit checks.
#pragma once

#include "model/drive_model.h"

namespace kv5 {

void CalculateDrive();

// Allowed joint pressure (N/mm²) for tooth number z and pitch-line speed v
// (m/s) from the roller-chain table; z below 11 adds "Fehler : z < 11 !".
Real AllowedJointPressure(int z, Real v);

}  // namespace kv5
