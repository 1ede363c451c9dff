// The help pictures in the window: the start picture at program start and
// the menu command "Hilfebild", which offers every picture of the PLT
// folder.
#pragma once

#include <string>
#include <vector>

namespace kv5 {

// The names (without ".plt") of the picture files in pltFolder, sorted.
std::vector<std::string> HelpPictureNames();

// Draws one picture into the cleared graphics window, area (0, 0)–(160, 120).
void ShowHelpPicture(const std::string& name);

// At start-up: when pltFolder + "start.plt" exists, the window shows it.
void ShowStartPicture();

// "Hilfebild": a choice of the pictures; the chosen one is drawn. Cancel
// changes nothing.
void MenuHelpPicture();

}  // namespace kv5
