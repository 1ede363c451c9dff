// Tooth form of wheel 1 after the sprocket rules of ISO 606 (DIN 8196),
// applied to both wheels; one stage of the drive calculation.
#pragma once

namespace kv5 {

// Fatal input checks (z1, z2, p, d1) and the ratio u: the first steps of
// the geometry. Returns false (calcFailed set) on a fatal input.
bool CheckGeometryInputs();
// Strands, shroud radii, tooth width and its h14 limit, pin diameter, test
// pin diameter, total tooth width (the scalar defaults).
void ComputeToothScalars();
// The per-wheel tooth form and the centre distance of a pin wheel.
void ComputeWheelGeometry();
// All of the above in order.
void ComputeToothGeometry();

}  // namespace kv5
