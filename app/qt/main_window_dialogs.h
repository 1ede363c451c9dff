// The dialogs of the main window's commands, as the hooks the core's
// commands call.
#pragma once

#include "app/core/main_commands.h"

class QWidget;

namespace kv5 {

// Hooks that show the document texts, geometry, load and pre-design dialogs
// and the project table over `parent` (refreshWindow is left to the
// caller); the table window is installed as the chain tables' browser.
MainWindowHooks DialogHooks(QWidget* parent);

}  // namespace kv5
