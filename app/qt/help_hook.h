// The help shown by the help buttons of the dialogs: a help text or a help
// picture by its topic number. The main window wires it to the help
// subsystem; without a hook the buttons do nothing.
#pragma once

#include <functional>

namespace kv5 {

enum class HelpKind { Text = 1, Picture = 2 };
using HelpHook = std::function<void(int topic, HelpKind kind)>;

}  // namespace kv5
