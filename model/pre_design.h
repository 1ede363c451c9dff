// Pre-design: from the load and the tooth numbers of the pre-design dialog,
// the first chain of the table of the chosen standard, in ascending pitch,
// whose breaking force gives enough safety (SB above 7 and SD above 5); the
// person confirms or changes it in the table browser, and tooth width and
// wall thickness follow from the chosen profile.
#pragma once

#include <functional>

namespace kv5 {

// Shows the dialog (the hook; it writes the model on OK and sets abortFlag
// on Cancel), then walks the table and browses for the choice. abortFlag is
// set when the dialog or the choice was cancelled or the table could not
// be opened; the model keeps what was written so far.
void PreDesign(const std::function<void()>& showDialog);

// The table walk alone: the row reached is current in the open table when
// it returns (the second row is the first one evaluated; the walk stops at
// the first row that reaches the safety limits; at the end of the table the
// last row is evaluated once more).
void WalkChainTable();

}  // namespace kv5
