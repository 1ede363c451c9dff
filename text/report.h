// The result report of one calculated drive, written through the text
// output channel (screen, printer, text, tab-separated or HTML file).
#pragma once

#include <string>

namespace kv5 {

// Writes the report on the configured channel (kind 0) or on `channelKind`;
// abortFlag tells whether it was completed. When the last calculation
// failed the message list is shown instead.
void WriteReport(int channelKind = 0);

// The chain designation with its standard: " - ISO 606" or " - " and the
// standard note of the table row; empty while the profile is editable.
std::string ProfileText();

}  // namespace kv5
