// The dialogs of the main window's commands, as the hooks the core's
// commands call.
#pragma once

#include "app/core/main_commands.h"
#include "app/qt/help_hook.h"

class QWidget;

namespace kv5 {

// Hooks that show the document texts, geometry and load dialogs and the
// project table over `parent` (refreshWindow is left to the caller).
MainWindowHooks DialogHooks(QWidget* parent);

// The help buttons of the small dialogs: the help text (message box) or the
// help picture (into the main window) of the topic.
void ShowHelpOfKind(int topic, HelpKind kind);

}  // namespace kv5
