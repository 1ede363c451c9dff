// The captions of the main window's menu items, assembled from the
// interface texts of the language in force: the single words, the composite
// captions (wheel names with their views and drawings, the Quick items, the
// table item, the message count) and the items that take no interface text.
// The window layer only applies them to its menu items.
#pragma once

#include <map>
#include <string>

namespace kv5 {

// Menu component name ("mi_fileNew", "mi_cadRad1Fert", ...) to caption.
using MenuCaptionMap = std::map<std::string, std::string>;

// The component name of the language submenu of the help menu.
inline constexpr const char* kLanguageMenuItem = "mi_helplanguage";

// Every caption the main window takes from the interface texts, for the
// current texts; messageCount is the number of entries of the message list,
// shown behind the error-messages item of the view menu. (The window also
// gives "mi_fileprint" its shortcut Ctrl+P and shows the recent files,
// which are not captions of this map.)
MenuCaptionMap MenuCaptions(int messageCount);

// The caption of the view menu's error-messages item alone, which is also
// refreshed after every calculation: "&Fehlermeldungen (3)".
std::string ErrorMessagesCaption(int messageCount);

}  // namespace kv5
