// The flat loose parts of a pin rack drive: the yoke plate that carries the
// guide rollers, and the bearing plate that holds both shafts.
#pragma once

#include "model/drive_model.h"

namespace kv5 {

void DrawYokePlate();
// play: bearing play added to both holes; centreDistance: the centre
// distance entered (negative puts wheel 2 on the left).
void DrawBearingPlate(Real play, Real centreDistance);

}  // namespace kv5
