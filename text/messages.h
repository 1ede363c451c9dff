// The message list: the findings of the most recent calculation run, at
// most 12 distinct lines, each starting with its severity tag.
#pragma once

#include <string>

namespace kv5 {

inline constexpr int kMaxMessages = 12;
inline constexpr const char* kFatalTag = "Fatal  : ";
inline constexpr const char* kErrorTag = "Fehler : ";
inline constexpr const char* kWarningTag = "Warnung: ";

// Setting "Warnungen nicht anzeigen": the numeric routines and the arc
// helper add no messages while it is set.
extern bool hideWarnings;

// Adds a text unless it is already listed or the list is full.
void AddMessage(const std::string& text);
// count := 0 and clears calcFailed and abortFlag; the texts stay behind.
void ResetMessages();
// count := 0 and all texts emptied.
void ClearMessages();
int MessageCount();
// 1-based; an index outside 1..12 gives an empty text.
const std::string& MessageText(int index);

}  // namespace kv5
