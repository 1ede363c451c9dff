// The dialogs of the main window's commands, as the hooks the core's
// commands call.
#pragma once

#include "app/core/main_commands.h"

class QWidget;

namespace kv5 {

// Hooks that show the document texts, geometry and load dialogs and the
// project table over `parent` (refreshWindow is left to the caller).
MainWindowHooks DialogHooks(QWidget* parent);

}  // namespace kv5
