// Side view and dimension table of wheel 1 (blocks "RAD1SA" and "tab1").
// The tooth outline and the front view are in graphics/tooth_outline.h.
#pragma once

#include "model/drive_model.h"

namespace kv5 {

// Included angle 2·arccos((R − h)/R) of a circular arc of radius R whose
// sagitta is h. An argument beyond ±1 adds "Error: ArcCos " + value to the
// message list and yields 0.
Real ChordAngle(Real r, Real h);

// Body of "RAD1SA": section through the toothed rim, x along the wheel
// axis, y radial, centred on the origin. wheel is 1.
void DrawWheel1Side(int wheel);

// The dimension table of wheel 1 with its upper-left corner at (x0, y0) and
// character height h; block "tab1" uses (1, 0, 0, 2.5).
void DrawWheel1Table(int wheel, Real x0, Real y0, Real h);

}  // namespace kv5
