// The chain designation as reports and drawings show it.
#pragma once

#include <string>

namespace kv5 {

// Empty while the chain dimensions are entered by hand (`editable`).
// Otherwise the trimmed designation, with withStrands followed by "-" and
// the number of strands, then " - ISO 606" for the ISO table or " - " and
// the trimmed standard note of the table row for the DIN table.
std::string ProfileDesignation(bool withStrands);

}  // namespace kv5
