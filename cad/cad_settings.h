// Settings of the CAD and STL output that other subsystems read.
#pragma once

#include "model/drive_model.h"

namespace kv5 {

// "STL fit clearance bore": clearance added to bores and fits of the STL
// parts, mm (default 0).
extern Real stlFitClearanceBore;

}  // namespace kv5
