// The animation and documentation dialogs of the main window's commands,
// installed as the hooks the core's commands call.
#pragma once

class QWidget;

namespace kv5 {

// Shows the animation, change, drawing information and document links
// forms over `parent`; their help buttons go to the platform's help.
void InstallDocumentationDialogs(QWidget* parent);
void RemoveDocumentationDialogs();

}  // namespace kv5
