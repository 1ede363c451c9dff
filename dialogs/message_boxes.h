// Message boxes shared by the whole program. Texts are UTF-8; they reach
// the person through the current platform (a window, or standard error in
// batch runs).
#pragma once

#include <string>

namespace kv5 {

void ShowInfo(const std::string& text);     // caption "Meldung:"
void ShowError(const std::string& text);    // caption "Fehler : ", always shown
void ReportError(const std::string& text);  // caption "Fehler : ", only while showErrorBoxes
void ShowTitled(const std::string& title, const std::string& text);
// Yes / No / Cancel with the program title as caption: true for Yes;
// Cancel sets abortFlag and gives false.
bool AskYesNo(const std::string& question);

}  // namespace kv5
