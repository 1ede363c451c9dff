// Small modal dialogs for texts, choices and yes/no answers.
#pragma once

#include <string>

namespace kv5 {

// The text dialog "Eingabe": on OK `text` becomes the edited text; on
// cancel it is unchanged and abortFlag is set.
void AskText(const std::string& prompt, int maxLength, std::string& text);

}  // namespace kv5
