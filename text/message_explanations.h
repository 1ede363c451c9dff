// Explanations of the calculation messages (cause and remedy from the
// explanation file kv5.err), the message list window, the closing section
// of every report and the message report.
#pragma once

#include <string>

namespace kv5 {

// The explanation file: pltFolder + "kv5.err".
std::string ExplanationFileName();
std::string MessageCause(int index);
std::string MessageRemedy(int index);
void ExplainMessage(int index);
void ShowMessageList();
void WriteMessageSection();
void WriteWrapped(const std::string& text);
void ShowMessageReport();
void SaveExplanation(const std::string& message, const std::string& cause,
                     const std::string& remedy);

}  // namespace kv5
