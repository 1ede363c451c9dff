// Value prompts with range checks. Each shows the current value in the
// text dialog "Eingabe" and asks again until the entry is a number within
// the limits or the person cancels. An entry that is not a number shows
// "Ungültige Eingabe "<text>" !", one outside the limits
// "Gültiger Wertebereich: <min> .. <max> !"; neither sets abortFlag. On
// cancel the value is unchanged and abortFlag is set. Each returns whether a
// valid value was confirmed.
//
// Every question takes one answer from the platform, so a person who keeps
// entering invalid texts is asked again, but a platform that cancels (the
// headless one when its answers run out) ends the prompt.
#pragma once

#include <string>

#include "model/drive_model.h"

namespace kv5 {

// Confirming the displayed text unchanged keeps the exact previous value
// (the display shows only three significant digits).
bool AskReal(const std::string& prompt, Real& value, Real min, Real max);
bool AskRealDouble(const std::string& prompt, double& value, double min, double max);
// Value and limits in mm. In the imperial unit system they are shown and
// entered in inches and the prompt gets " [inch]", otherwise " [mm]".
bool AskLength(const std::string& prompt, Real& value, Real min, Real max);
// Limits in either order; the entry is always read again. The 16-bit form
// keeps its limits within the range of its variable.
bool AskInt(const std::string& prompt, int& value, int a, int b);
bool AskInt(const std::string& prompt, short& value, int a, int b);

}  // namespace kv5
