// Control hints of the forms (tooltips) by help text number. None until
// the window layer installs a source of the help texts.
#pragma once

#include <QString>
#include <functional>
#include <string>

namespace kv5 {

using HintFunction = std::function<std::string(int topic)>;
void SetFormHints(HintFunction hints);
// The hint of a topic; empty without a source.
QString FormHint(int topic);

}  // namespace kv5
