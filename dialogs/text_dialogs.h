// The text dialog "Eingabe".
#pragma once

#include <string>

namespace kv5 {

// Offers `text` for editing under the (word-wrapped) prompt, at most
// `maxLength` characters (no limit for 0 or less). On OK `text` becomes the
// edited text and abortFlag is cleared; on cancel `text` is unchanged and
// abortFlag is set.
void AskText(const std::string& prompt, int maxLength, std::string& text);

}  // namespace kv5
