// The dialogs of the main window's commands, as the hooks the core's
// commands call.
#pragma once

#include "app/core/main_commands.h"
#include "app/qt/help_hook.h"

class QWidget;

namespace kv5 {

// Hooks that show the document texts, geometry, load and pre-design dialogs
// and the project table over `parent` (refreshWindow is left to the
// caller); the table window is installed as the chain tables' browser.
MainWindowHooks DialogHooks(QWidget* parent);

// The help buttons of the small dialogs: the help text (message box) or the
// help picture (into the main window) of the topic.
void ShowHelpOfKind(int topic, HelpKind kind);

}  // namespace kv5
