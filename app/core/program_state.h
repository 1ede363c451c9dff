// The process-wide state of the program (drive model, flags, message list,
// settings, document data) and its return to the state at program start,
// so that every test starts from the same state.
#pragma once

namespace kv5 {

// Puts every global of the core back to its value at program start, before
// any configuration or project file is read.
void ResetProgramState();

}  // namespace kv5
